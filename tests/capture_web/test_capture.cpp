// Capturing the advertisement shown in the register's browser: by selection, by page (with the
// follow-up page of one job board), the flash of the new node, the page score after every load,
// the sending window's details written into the page, and "Analyser".
#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>

#include "banc.h"
#include "register/capture/vocabulaire_annonce.h"
#include "register/window/form_disposition.h"

using Disposition::haut;
using Disposition::largeur;

namespace {

const QString Annonce1 =
    u"Accueil Offres Connexion\r\nComptable confirmé H/F\r\nRéférence : 4521-AB\r\nContrat : CDI\r\n"
    "Lieu : Rennes\r\nSalaire : 32 000 euros par an\r\nLa société ACME recherche un comptable confirmé "
    "pour son siège.\r\nContact : recrutement@acme.fr\r\n"_qs;

FaussePage pageAnnonce(const QString& texte = Annonce1)
{
    FaussePage p;
    p.texte = texte;
    p.html = u"<p>"_qs + texte + u"</p>"_qs;
    return p;
}

} // namespace

TEST(Capture, SelectionPuisPageEntiereChaqueFoisUneNouvelleCandidature)
{
    Banc b;
    FormCand& f = *b.f;
    FauxNavigateur& nav = b.nav();
    FaussePage p = pageAnnonce(u"Menu du site OFFRE CDI\r\n"_qs + Annonce1 + u"Pied de page"_qs);
    p.selection = Annonce1;
    nav.pages.insert(u"http://www.offres.fr/1"_qs, p);
    f.CadreWeb->show();
    f.CadreWeb->Naviguer(u"http://www.offres.fr/1"_qs);
    f.fixerChamp(u"Remarques"_qs, u"à effacer"_qs);

    b.capture().CaptureSel_Click();
    ASSERT_EQ(b.nombreLignes(), 1) << b.messages().join(u" | "_qs).toStdString();
    const qint64 premier = f.Num->text().toLongLong();
    EXPECT_GT(premier, 0);
    EXPECT_FALSE(f.champ(u"Intitule"_qs).isEmpty());
    EXPECT_TRUE(f.champ(u"Description"_qs).contains(u"ACME"_qs));
    EXPECT_FALSE(f.champ(u"Description"_qs).contains(u"Pied de page"_qs)); // only the selection
    EXPECT_TRUE(f.champ(u"Remarques"_qs).isEmpty());                      // the fields were emptied first
    EXPECT_TRUE(f.DernierTexteAnalyse.isEmpty());
    EXPECT_EQ(b.colonne(premier, u"courriel"_qs), u"recrutement@acme.fr"_qs);
    EXPECT_TRUE(f.noeud(u"s"_qs + f.Num->text()));

    // Nothing selected: the whole page, and the description is what the paste watcher compares.
    nav.pageCourante().selection.clear();
    b.capture().CaptureSel_Click();
    EXPECT_EQ(b.nombreLignes(), 2);
    EXPECT_NE(f.Num->text().toLongLong(), premier);
    EXPECT_EQ(f.DernierTexteAnalyse, f.champ(u"Description"_qs));
    EXPECT_TRUE(b.messages().isEmpty());
}

TEST(Capture, PageSansIntituleNiEnregistreeNiMiseEnEvidence)
{
    Banc b;
    FormCand& f = *b.f;
    FaussePage vide;
    vide.texte = u"Bienvenue sur notre site.\r\nmerci de votre visite"_qs;
    b.nav().pages.insert(u"http://www.offres.fr/"_qs, vide);
    f.CadreWeb->show();
    f.CadreWeb->Naviguer(u"http://www.offres.fr/"_qs);
    b.capture().CaptureSel_Click();
    EXPECT_EQ(b.messages(), QStringList{CaptureAnnonce::messageAnnonceIntrouvable()});
    EXPECT_EQ(b.nombreLignes(), 0);
    EXPECT_TRUE(f.Num->text().isEmpty());
}

TEST(Capture, PageDeSuiteDuSiteQuiGardeLAdresseAilleurs)
{
    Banc b;
    FormCand& f = *b.f;
    FauxNavigateur& nav = b.nav();
    const QString site = u"http://www."_qs + Annonce::DomaineSiteSuivi() + u".fr"_qs;
    FaussePage p = pageAnnonce();
    p.html = QString(200, QLatin1Char(' ')) + u"<a href=\"/MesCoord.aspx?o=9\">ForwardToCoordEntreprise</a>"_qs;
    nav.pages.insert(site + u"/offre/9"_qs, p);
    FaussePage suite;
    suite.texte = u"ACME\r\n3 rue du Port\r\n29200 BREST\r\nTél. 02 98 00 00 00"_qs;
    nav.pages.insert(site + u"/MesCoord.aspx?o=9"_qs, suite);
    f.CadreWeb->show();
    f.CadreWeb->Naviguer(site + u"/offre/9"_qs);

    b.capture().CapturerPage();
    EXPECT_EQ(nav.navigations.mid(1), (QStringList{site + u"/offre/9"_qs, site + u"/MesCoord.aspx?o=9"_qs}));
    EXPECT_EQ(nav.LocationURL(), site + u"/offre/9"_qs); // back on the advertisement
    EXPECT_EQ(b.nombreLignes(), 1);                       // the same application, saved twice
    const qint64 num = f.Num->text().toLongLong();
    EXPECT_TRUE(f.champ(u"Description"_qs).contains(u"3 rue du Port"_qs));
    EXPECT_EQ(b.colonne(num, u"CP"_qs), u"29200"_qs);

    // A follow-up page that never finishes loading: given up after the time limit, the first
    // analysis stays saved.
    nav.bloque = true;
    b.capture().delaiPageSuivante = 50;
    b.capture().CaptureSel_Click();
    EXPECT_EQ(b.nombreLignes(), 2);
    EXPECT_FALSE(f.champ(u"Description"_qs).contains(u"3 rue du Port"_qs));
}

TEST(Capture, LeNoeudDeLaNouvelleCandidaturePasseDeLOrangeAuBlanc)
{
    Banc b;
    FormCand& f = *b.f;
    FaussePage p = pageAnnonce();
    b.nav().pages.insert(u"http://www.offres.fr/1"_qs, p);
    f.CadreWeb->Naviguer(u"http://www.offres.fr/1"_qs);
    b.capture().CapturerPage();
    b.capture().CapturerPage();
    const QString cle = u"s"_qs + f.Num->text();
    QTreeWidgetItem* autre = nullptr;
    for (int i = 0; i < f.Liste->topLevelItemCount(); ++i)
        for (int j = 0; j < f.Liste->topLevelItem(i)->childCount(); ++j)
            if (FormCand::cleNoeud(f.Liste->topLevelItem(i)->child(j)) != cle)
                autre = f.Liste->topLevelItem(i)->child(j);
    ASSERT_TRUE(autre);

    // The colours seen while the flash runs, one look at each step.
    QList<QColor> vues;
    QTimer espion;
    QObject::connect(&espion, &QTimer::timeout, [&] {
        if (QTreeWidgetItem* n = f.noeud(cle)) {
            const QColor c = n->background(0).color();
            if (vues.isEmpty() || vues.last() != c)
                vues << c;
        }
    });
    espion.start(0);
    b.capture().MettreEnEvidence();
    espion.stop();
    ASSERT_FALSE(vues.isEmpty());
    EXPECT_EQ(vues.first(), QColor(255, 170, 16));
    EXPECT_EQ(f.noeud(cle)->background(0).color(), QColor(255, 255, 255));
    EXPECT_EQ(autre->background(0).style(), Qt::NoBrush); // no other node flashes

    // The tree rebuilt in the middle of the flash (an autosave): no stale node is touched.
    QTimer::singleShot(0, &f, [&] { f.InitListe(); });
    b.capture().MettreEnEvidence();
    EXPECT_EQ(f.noeud(cle)->background(0).color(), QColor(255, 255, 255));
}

TEST(Capture, ScoreDeChaquePageChargee)
{
    Banc b;
    FormCand& f = *b.f;
    FauxNavigateur& nav = b.nav();
    CaptureAnnonce& c = b.capture();
    f.CadreWeb->show();
    FaussePage annonce;
    annonce.texte = u"offre cdi salaire lieu profil"_qs; // five words
    nav.pages.insert(u"http://www.offres.fr/a"_qs, annonce);
    FaussePage recherche;
    recherche.texte = annonce.texte + u" poste contrat date societe experience duree"_qs;
    nav.pages.insert(u"https://www."_qs + Annonce::DomaineMoteurRecherche() + u".fr/q"_qs, recherche);

    f.CadreWeb->Naviguer(u"http://www.offres.fr/a"_qs);
    EXPECT_EQ(haut(f.CadreWeb->FrameWeb), 660);
    EXPECT_EQ(largeur(c.Niveau), 250);
    EXPECT_EQ(f.CadreWeb->AdresseWeb->text(), u"http://www.offres.fr/a"_qs);

    f.CadreWeb->Naviguer(u"https://www."_qs + Annonce::DomaineMoteurRecherche() + u".fr/q"_qs);
    EXPECT_EQ(haut(f.CadreWeb->FrameWeb), 330);
    EXPECT_EQ(largeur(c.Niveau), 1);

    // A page with no body text: nothing fails, the bar is covered.
    f.CadreWeb->Naviguer(u"http://www.offres.fr/a"_qs);
    f.CadreWeb->Naviguer(u"about:blank"_qs);
    EXPECT_EQ(haut(f.CadreWeb->FrameWeb), 330);
}

TEST(Capture, CoordonneesDeLEnvoiDansLaPageSeulementQuandLaFenetreEstAffichee)
{
    Banc b;
    FormCand& f = *b.f;
    FauxNavigateur& nav = b.nav();
    FaussePage formulaire;
    formulaire.elements = {
        {u"FORM"_qs, u"f"_qs, std::nullopt, std::nullopt},
        {u"INPUT"_qs, u"EmailCV"_qs, std::nullopt, u""_qs},
        {u"INPUT"_qs, u"expediteur"_qs, std::nullopt, u"avant"_qs},
        {u"TEXTAREA"_qs, u"message"_qs, std::nullopt, u""_qs},
    };
    nav.pages.insert(u"http://www.offres.fr/postuler"_qs, formulaire);
    f.CadreWeb->Naviguer(u"http://www.offres.fr/postuler"_qs);
    EXPECT_EQ(nav.pageCourante().elements.at(2).valeur, u"avant"_qs); // no sending window: untouched

    FausseFenetreEnvoi* envoi = FausseFenetreEnvoi::charger(false);
    envoi->Email->setText(u"moi@exemple.fr"_qs);
    envoi->Texte->setPlainText(u"Madame,\nMa lettre."_qs);
    f.CadreWeb->Naviguer(u"http://www.offres.fr/postuler"_qs);
    EXPECT_EQ(nav.pageCourante().elements.at(2).valeur, u"avant"_qs); // loaded but hidden: untouched

    envoi->show();
    f.CadreWeb->Naviguer(u"http://www.offres.fr/postuler"_qs);
    const QList<ElementPage>& e = nav.pageCourante().elements;
    EXPECT_EQ(e.at(1).valeur, u"moi@exemple.fr"_qs);
    EXPECT_EQ(e.at(2).valeur, u"moi@exemple.fr"_qs);
    EXPECT_EQ(e.at(3).valeur, u"Madame,\nMa lettre."_qs);
    EXPECT_EQ(e.at(0).valeur, std::nullopt);
}

TEST(Capture, AnalyserRemplitSansEnregistrer)
{
    Banc b;
    FormCand& f = *b.f;
    f.fixerChamp(u"Description"_qs, Annonce1);
    b.capture().Analyser_Click();
    EXPECT_FALSE(f.champ(u"Intitule"_qs).isEmpty());
    EXPECT_FALSE(f.champ(u"Statut"_qs).isEmpty()); // the defaults
    EXPECT_EQ(b.nombreLignes(), 0);
    EXPECT_EQ(f.Liste->topLevelItemCount(), 0);
}

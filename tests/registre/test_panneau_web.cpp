// The web panel: navigation, the job-board list, the commands that open the panel, the
// highlight that glides under the commands, and the layout of the window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "fenetre_registre.h"
#include "platform/fakes/faux_navigateur.h"
#include "register/web/cadre_web.h"
#include "register/web/liste_sites.h"
#include "register/window/form_disposition.h"

namespace {

FauxNavigateur& navigateur(FormCand& f) { return *static_cast<FauxNavigateur*>(f.CadreWeb->WebBrowser1); }

TEST(PanneauWeb, NavigationParLAdresseLesBoutonsEtLaListeDesSites)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    CadreWeb& web = *f.CadreWeb;
    FauxNavigateur& nav = navigateur(f);
    EXPECT_EQ(nav.navigations, QStringList{u"about:blank"_qs}); // the load starts blank

    web.AdresseWeb->setText(u"http://un.exemple.fr"_qs);
    web.AdresseWeb_KeyDown(Qt::Key_A); // only Enter navigates
    EXPECT_EQ(nav.navigations.size(), 1);
    web.AdresseWeb_KeyDown(Qt::Key_Return);
    web.AdresseWeb->setText(u"http://deux.exemple.fr"_qs);
    web.Go_Click();
    EXPECT_EQ(web.LocationURL(), u"http://deux.exemple.fr"_qs);
    web.Precedent_Click();
    EXPECT_EQ(web.LocationURL(), u"http://un.exemple.fr"_qs);
    web.Suivant_Click();
    web.Suivant_Click(); // nothing further: the page stays
    EXPECT_EQ(web.LocationURL(), u"http://deux.exemple.fr"_qs);

    // A row of the list puts its address, from "http" on, into the box and loads it.
    web.List1->clear();
    web.List1->addItems({u"EMPLOI EXEMPLE  http://www.emploi-exemple.fr"_qs, u"SANS ADRESSE /"_qs});
    web.Image6_Click();
    EXPECT_FALSE(web.List1->isHidden());
    web.List1->setCurrentRow(0);
    web.List1_Click();
    EXPECT_TRUE(web.List1->isHidden());
    EXPECT_EQ(web.AdresseWeb->text(), u"http://www.emploi-exemple.fr"_qs);
    EXPECT_EQ(nav.navigations.last(), u"http://www.emploi-exemple.fr"_qs);
    // A hand-edited row without an address keeps the box as it was and loads it again.
    web.Image6_Click();
    web.List1->setCurrentRow(1);
    web.List1_Click();
    EXPECT_EQ(web.AdresseWeb->text(), u"http://www.emploi-exemple.fr"_qs);
    // The list never sticks out of the panel on the right.
    web.Image6_Click();
    EXPECT_LE(Disposition::gauche(web.List1) + Disposition::largeur(web.List1), Disposition::largeur(&web));
    web.AdresseWeb_LostFocus();
    EXPECT_TRUE(web.List1->isHidden());
}

TEST(PanneauWeb, InternetEtRechercherChargentLaPageDesOffresSeulementDepuisLaPageBlanche)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    CadreWeb& web = *f.CadreWeb;
    FauxNavigateur& nav = navigateur(f);
    EXPECT_TRUE(web.isHidden());

    f.Action_Click(4);
    EXPECT_FALSE(web.isHidden());
    EXPECT_EQ(nav.navigations.size(), 2);
    const QString depart = nav.navigations.last();
    EXPECT_EQ(web.AdresseWeb->text(), depart);

    // A page already shown stays.
    web.AdresseWeb->setText(u"http://page.exemple.fr"_qs);
    web.Go_Click();
    web.hide();
    f.Action_Click(4);
    EXPECT_EQ(web.LocationURL(), u"http://page.exemple.fr"_qs);

    // "Nouvelle" returns the browser to the blank page; the search label then loads the offers.
    f.Action_Click(0);
    EXPECT_EQ(web.LocationURL(), u"about:blank"_qs);
    web.hide();
    f.Rechercher_Click(1);
    EXPECT_TRUE(web.isHidden());
    f.Rechercher_Click(0);
    EXPECT_FALSE(web.isHidden());
    EXPECT_EQ(nav.navigations.last(), depart);
    // Panel already shown: nothing.
    const qsizetype avant = nav.navigations.size();
    f.Rechercher_Click(0);
    EXPECT_EQ(nav.navigations.size(), avant);

    // The application's own page.
    f.www->setText(u"http://offre.exemple.fr/?ref=l'annonce"_qs);
    web.hide();
    f.www_Click();
    EXPECT_FALSE(web.isHidden());
    EXPECT_EQ(nav.navigations.last(), u"http://offre.exemple.fr/?ref=l'annonce"_qs);
}

TEST(PanneauWeb, LeCadreDuNavigateurDescendDevantLaBarreDeCaptureEtRemonteAuRedimensionnement)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    CadreWeb& web = *f.CadreWeb;
    f.show();
    EXPECT_EQ(Disposition::haut(web.FrameWeb), 330);
    web.Image5_Click();
    EXPECT_EQ(Disposition::haut(web.FrameWeb), 660);
    f.resize(f.width() + 30, f.height());
    EXPECT_EQ(Disposition::haut(web.FrameWeb), 330);
}

TEST(EffetsSurvol, LaSurbrillanceGlisseSousLaCommandeEtLeLibelleDeRechercheSurvoleEstEnGras)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    for (int index : {4, 0, 3, 1}) {
        f.Action_MouseMove(index);
        EXPECT_EQ(Disposition::gauche(f.ImageBouton), Disposition::gauche(f.Action.value(index)) - 350);
    }
    f.Rechercher_MouseMove(1);
    EXPECT_TRUE(f.Rechercher[1]->font().bold());
    EXPECT_FALSE(f.Rechercher[0]->font().bold());
    f.Rechercher_MouseMove(0);
    EXPECT_TRUE(f.Rechercher[0]->font().bold());
    EXPECT_FALSE(f.Rechercher[1]->font().bold());
}

TEST(Disposition, LesHauteursCalculeesSuiventLaFenetre)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    f.show();
    f.resize(900, 600); // 9000 twips high
    EXPECT_EQ(Disposition::hauteur(f.CadreDetail), 9000 - 120);
    EXPECT_EQ(Disposition::hauteur(f.Remarques), 9000 - 120 - 7365 - 200);
    EXPECT_EQ(Disposition::hauteur(f.Description), 9000 - 120 - 720 - 200);
    EXPECT_EQ(Disposition::hauteur(f.Liste), 9000 - 120 - 585 - 700);
    EXPECT_EQ(Disposition::largeur(f.CadreWeb), Disposition::largeur(f.CadreDetail));
    EXPECT_EQ(Disposition::hauteur(f.CadreWeb->FrameWeb), 9000 - 120 - 330 - 50);
    // Below 7685 twips, the notes get no height at all rather than a negative one.
    f.resize(900, 500);
    EXPECT_EQ(f.Remarques->height(), 0);
}

TEST(ListeSites, LaPageDesSitesReecritLeFichierSansRecharger)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    FauxNavigateur& nav = navigateur(f);
    const QString fichier = r.dossier.chemin(u"Listesites.txt"_qs);

    nav.pages[ListeSites::adressePageOffres() + u"listesites.htm"_qs].texte =
        u"APEC http://www.apec.fr/ CADREMPLOI http://www.cadremploi.fr/"_qs;
    EXPECT_TRUE(f.CadreWeb->ActualiserListeSites());
    EXPECT_EQ(Outils::lireOctets(fichier),
              QByteArray("APEC   \thttp://www.apec.fr/\r\nCADREMPLOI   \thttp://www.cadremploi.fr/\r\n"));
    EXPECT_EQ(f.CadreWeb->List1->count(), 200);
    EXPECT_EQ(ListeSites::lire(fichier).size(), 2);

    // A page that never finishes loading leaves the file as it was.
    const QByteArray avant = Outils::lireOctets(fichier);
    nav.bloque = true;
    EXPECT_FALSE(f.CadreWeb->ActualiserListeSites(100));
    EXPECT_EQ(Outils::lireOctets(fichier), avant);
}

TEST(ListeSites, LeChargementRelitLeFichierDeLUtilisateur)
{
    FenetreRegistre r;
    EXPECT_EQ(r.f->CadreWeb->List1->count(), 200); // written at the first load, then read back
    Outils::ecrireOctets(r.dossier.chemin(u"Listesites.txt"_qs),
                         "MON SITE   http://mon.exemple.fr/\r\n\r\nSANS BARRE\r\nAUTRE  http://autre.exemple.fr\r\n");
    RegistreFenetres::instance().decharger(FormCand::NomConception);
    FormCand& f = Forme<FormCand>();
    ASSERT_EQ(f.CadreWeb->List1->count(), 2);
    EXPECT_EQ(f.CadreWeb->List1->item(1)->text(), u"AUTRE  http://autre.exemple.fr"_qs);
}

} // namespace

// The main window: its load (register count, ageing, the first CV's identity), the icon desktop,
// the pop-up menus and their enablement, the workspace and closing.
#include <QApplication>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QTest>
#include <fcntl.h>
#include <unistd.h>

#include "commun.h"
#include "cveditor/fichier_cv.h"
#include "registres.h"
#include "register/store/base_donnees.h"
#include "register/store/handles_partages.h"
#include "shell/dialogs/apropos.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

using Dessins::Icone;

namespace {

class FenetrePrincipale : public TestCoquille {
protected:
    DossierTemporaire dossier;
    void SetUp() override
    {
        TestCoquille::SetUp();
        QDir(dossier.donnees()).mkpath(u"CV"_qs);
        QDir(dossier.donnees()).mkpath(u"Lettres"_qs);
        dossier.entrer();
    }
    Principale& charger() { return Forme<Principale>(); }
    void cv(const QString& nom, const QByteArray& contenu = "Nom=X\r\n")
    {
        ecrireFichier(dossier.chemin(u"CV/"_qs + nom), contenu);
    }
    void lettre(const QString& nom) { ecrireFichier(dossier.chemin(u"Lettres/"_qs + nom), "Nom=X\r\n"); }
    QString registre() const { return dossier.chemin(u"Kerval.mdb"_qs); }
};

struct Enfant : QWidget, Fenetre {
    static inline const QString NomConception = u"FormCand"_qs;
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
};

QStringList libelles(const QMenu* menu)
{
    QStringList l;
    for (const QAction* a : menu->actions())
        if (a->isVisible())
            l << (a->isSeparator() ? u"-"_qs : a->text());
    return l;
}

} // namespace

TEST_F(FenetrePrincipale, RegistreVide)
{
    creerRegistre(registre());
    Principale& p = charger();
    EXPECT_EQ(p.ImageMenu[10]->genre(), Icone::Nouveau);
    EXPECT_TRUE(p.ImageMenu[10]->toolTip().isEmpty());
    EXPECT_EQ(p.NbCand->text(), u"0"_qs);
    EXPECT_EQ(p.InfoGuide->text(), u"Text1"_qs);
    EXPECT_EQ(p.IndexIcone, -1);
    EXPECT_TRUE(p.Label3->isHidden());
    // The shared handles are closed after the load.
    EXPECT_FALSE(Systeme::BaseCandidatures());
}

TEST_F(FenetrePrincipale, RegistreRempliEtVieillissement)
{
    // Today is 15 March 2024.
    creerRegistre(registre(), {
                                  {u"Envoi31"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs, u"2024-02-13"_qs, {}},
                                  {u"Envoi30"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs, u"2024-02-14"_qs, {}},
                                  {u"L'Oréal"_qs, u"ENTRETIEN A EFFECTUER"_qs, {}, u"2024-02-04"_qs},
                                  {u"Hier"_qs, u"ENTRETIEN A EFFECTUER"_qs, {}, u"2024-03-14"_qs},
                                  {u"Aujourdhui"_qs, u"ENTRETIEN A EFFECTUER"_qs, {}, u"2024-03-15"_qs},
                                  {u"Refus"_qs, u"REPONSE - REFUS NET"_qs, u"2023-01-01"_qs, {}},
                              });
    Principale& p = charger();
    EXPECT_EQ(p.ImageMenu[10]->genre(), Icone::Candidature);
    EXPECT_EQ(p.ImageMenu[10]->toolTip(), u"Gérer mes candidatures"_qs);
    EXPECT_EQ(p.NbCand->text(), u"6"_qs);
    EXPECT_EQ(statutDe(registre(), u"Envoi31"_qs), u"EMISE - SANS REPONSE"_qs);
    EXPECT_EQ(statutDe(registre(), u"Envoi30"_qs), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    EXPECT_EQ(statutDe(registre(), u"L'Oréal"_qs), u"SANS REPONSE APRES ENTRETIEN"_qs);
    EXPECT_EQ(statutDe(registre(), u"Hier"_qs), u"ENTRETIEN EFFECTUE - ATTENTE REPONSE"_qs);
    EXPECT_EQ(statutDe(registre(), u"Aujourdhui"_qs), u"ENTRETIEN A EFFECTUER"_qs);
    EXPECT_EQ(statutDe(registre(), u"Refus"_qs), u"REPONSE - REFUS NET"_qs);
}

TEST_F(FenetrePrincipale, IdentiteDuPremierCV)
{
    creerRegistre(registre());
    cv(u"B Second.dat"_qs, "Nom=Autre\r\n");
    cv(u"A Lefort.dat"_qs, QByteArray("LangueCV=0\r\n\r\nNom=Lefort<N>Martin\r\nPr\xe9nom=Anne\r\nAdresse1=3 rue des Lilas\r\n"
                                      "Adresse2=B\xe2timent C\r\nCP=29000\r\nVille=Quimper\r\nTel=02 98 00 00 00\r\n"
                                      "Email=anne@exemple.fr\r\nFonction=Comptable=confirm\xe9\x65\r\n"
                                      "1:Langue=Anglais\r\nsans egal\r\nInfoGuide=pas lu\r\n"));
    Principale& p = charger();
    EXPECT_EQ(p.Nom->text(), u"Lefort\nMartin"_qs);
    EXPECT_EQ(p.Prenom->text(), u"Anne"_qs);
    EXPECT_EQ(p.Adresse1->text(), u"3 rue des Lilas"_qs);
    EXPECT_EQ(p.CP->text(), u"29000"_qs);
    EXPECT_EQ(p.Ville->text(), u"Quimper"_qs);
    EXPECT_EQ(p.Tel->text(), u"02 98 00 00 00"_qs);
    EXPECT_EQ(p.Email->text(), u"anne@exemple.fr"_qs);
    EXPECT_EQ(p.Fonction->text(), u"Comptable=confirmée"_qs);
    // Only the eight identity fields are read; the tip's text stays.
    EXPECT_EQ(p.InfoGuide->text(), u"Text1"_qs);
}

TEST_F(FenetrePrincipale, PasDIdentiteQuandLePremierFichierEstUnDocument)
{
    creerRegistre(registre());
    cv(u"A Lefort.doc"_qs, "Nom=Lefort\r\n");
    cv(u"B Lefort.dat"_qs, "Nom=Lefort\r\n");
    Principale& p = charger();
    EXPECT_TRUE(p.Nom->text().isEmpty());
}

TEST_F(FenetrePrincipale, TailleSelonLEcran)
{
    Ecran::simuler(QSize(1280, 1024));
    {
        Principale& p = charger();
        EXPECT_EQ(p.largeurTwips(), 19200);
        EXPECT_EQ(p.hauteurTwips(), 997 * 15); // 15360 - 400 twips, in whole pixels
    }
    RegistreFenetres::instance().toutDecharger();
    Ecran::simuler(QSize(1600, 1200));
    EXPECT_EQ(charger().largeurTwips(), 21600);
}

TEST_F(FenetrePrincipale, BureauCVVideEtCinqCV)
{
    Principale& p = charger();
    EXPECT_EQ(p.ImageMenu[0]->genre(), Icone::Nouveau);
    EXPECT_FALSE(p.ImageMenu[0]->isHidden());
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(p.ImageMenu[i]->isHidden()) << i;
    p.ImageMenu_MouseMove(0);
    EXPECT_EQ(p.Information->text(), u"Créer nouveau"_qs);
    bool nouveauCV = false;
    QObject::connect(p.MenuNouveauCV, &QAction::triggered, [&] { nouveauCV = true; });
    p.ImageMenu_DblClick(0);
    // The double click on the new slot starts a new CV (MenuNouveauCV_Click).
    EXPECT_FALSE(nouveauCV); // called directly, not through the menu entry

    for (const char* nom : {"a.dat", "b.dat", "c.dat", "d.dat"})
        cv(QString::fromUtf8(nom));
    p.InitMenu();
    EXPECT_EQ(p.ImageMenu[4]->genre(), Icone::Nouveau);
    p.ImageMenu_Click(0);
    EXPECT_TRUE(p.MenuDupliquerCV->isEnabled());
    p.MenuCV->close();
    cv(u"e.dat"_qs);
    p.InitMenu();
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(p.ImageMenu[i]->genre(), Icone::CV) << i;
        p.ImageMenu_Click(i);
        EXPECT_FALSE(p.MenuDupliquerCV->isEnabled()) << i;
        p.MenuCV->close();
    }
    // A sixth file gets no icon.
    cv(u"f.dat"_qs);
    p.InitMenu();
    EXPECT_EQ(p.ImageMenu[4]->toolTip(), u"e.dat"_qs);
}

TEST_F(FenetrePrincipale, ImagesSelonLExtension)
{
    cv(u"1.DOC"_qs);
    cv(u"2.docx"_qs);
    cv(u"3.odt"_qs);
    cv(u"4.pdf"_qs);
    cv(u"5.rtf"_qs);
    Principale& p = charger();
    EXPECT_EQ(p.ImageMenu[0]->genre(), Icone::CV);
    EXPECT_EQ(p.ImageMenu[1]->genre(), Icone::CVWord);
    EXPECT_EQ(p.ImageMenu[2]->genre(), Icone::CV);
    EXPECT_EQ(p.ImageMenu[3]->genre(), Icone::CVPDF);
    EXPECT_EQ(p.ImageMenu[4]->genre(), Icone::CVWord);
    const QStringList noms{u"1.DOC"_qs, u"2.docx"_qs, u"3.odt"_qs, u"4.pdf"_qs, u"5.rtf"_qs};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(p.ImageMenu[i]->toolTip(), noms[i]);
}

TEST_F(FenetrePrincipale, BureauLettres)
{
    for (const char* nom : {"Relance (ER).dat", "Spontanee (IS).dat", "Annonce (ES).dat"})
        lettre(QString::fromUtf8(nom));
    Principale& p = charger();
    EXPECT_EQ(p.ImageMenu[5]->toolTip(), u"Annonce (ES).dat"_qs);
    for (int i = 5; i <= 7; ++i)
        EXPECT_EQ(p.ImageMenu[i]->genre(), Icone::Lettre);
    EXPECT_EQ(p.ImageMenu[8]->genre(), Icone::Nouveau);
    EXPECT_TRUE(p.ImageMenu[8]->toolTip().isEmpty());
    EXPECT_TRUE(p.ImageMenu[9]->isHidden());
    EXPECT_EQ(p.File1.ListCount(), 3); // left on the letter folder
    p.ImageMenu_MouseMove(6);
    EXPECT_EQ(p.Information->text(), u"Modèle de lettre : Relance (ER).dat"_qs);

    p.ImageMenu_Click(8);
    EXPECT_TRUE(p.MenuLettre->isVisible());
    EXPECT_TRUE(p.MenuRedigerLettre->isEnabled());
    EXPECT_FALSE(p.MenuOuvrirLettre->isEnabled());
    p.ImageMenu_Click(5);
    EXPECT_FALSE(p.MenuRedigerLettre->isEnabled());
    for (QAction* a : {p.MenuOuvrirLettre, p.MenuDuppliquerLettre, p.RenommerLettre, p.MenuSupprimerLettre})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(p.IndexIcone, 5);
    p.MenuLettre->close();

    lettre(u"Zeta.dat"_qs);
    p.InitMenu();
    for (int i = 5; i <= 8; ++i)
        EXPECT_EQ(p.ImageMenu[i]->genre(), Icone::Lettre);
    EXPECT_TRUE(p.ImageMenu[9]->isHidden());
    // More templates than slots: the first five in name order, nothing past icon 9.
    lettre(u"Zeta2.dat"_qs);
    lettre(u"Zeta3.dat"_qs);
    p.InitMenu();
    EXPECT_EQ(p.ImageMenu[9]->toolTip(), u"Zeta2.dat"_qs);
    EXPECT_EQ(p.ImageMenu[10]->toolTip(), QString());
}

TEST_F(FenetrePrincipale, MenuCVSelonLEmplacement)
{
    cv(u"Lefort Anne.dat"_qs);
    cv(u"Morel.pdf"_qs);
    Principale& p = charger();
    // The new-CV slot.
    p.ImageMenu_Click(2);
    EXPECT_TRUE(p.MenuCV->isVisible());
    EXPECT_EQ(p.IndexIcone, 2);
    EXPECT_TRUE(p.MenuNouveauCV->isEnabled());
    EXPECT_TRUE(p.MenuRattacherCV->isEnabled());
    for (QAction* a : {p.MenuOuvrirCV, p.MenuSupprimerCV, p.Renommer, p.MenuDupliquerCV, p.MenuConvertirCV,
                       p.MenuImprimerCV, p.MenuOuvrirWord})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    // A CV file, CV editor closed: no conversion, no printing, no word-processor copy yet.
    p.ImageMenu_Click(0);
    EXPECT_FALSE(p.MenuNouveauCV->isEnabled());
    EXPECT_FALSE(p.MenuRattacherCV->isEnabled());
    for (QAction* a : {p.MenuOuvrirCV, p.MenuSupprimerCV, p.Renommer, p.MenuDupliquerCV})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_FALSE(p.MenuConvertirCV->isEnabled());
    EXPECT_FALSE(p.MenuImprimerCV->isEnabled());
    EXPECT_FALSE(p.MenuOuvrirWord->isEnabled());

    // With the CV editor shown and the copy in the documents folder.
    const QString profil = dossier.appData() + u"/profil"_qs;
    QDir().mkpath(profil + u"/Documents"_qs);
    ecrireFichier(profil + u"/Documents/Lefort Anne.doc"_qs, "doc");
    qputenv("userprofile", profil.toUtf8());
    qputenv("ALLUSERSPROFILE", "C:\\ProgramData");
    FenetreNommee::charger(u"FormRédigerCV"_qs);
    p.ImageMenu_Click(0);
    EXPECT_TRUE(p.MenuConvertirCV->isEnabled());
    EXPECT_TRUE(p.MenuImprimerCV->isEnabled());
    EXPECT_TRUE(p.MenuOuvrirWord->isEnabled());
    // A PDF is not converted or printed from here.
    p.ImageMenu_Click(1);
    EXPECT_FALSE(p.MenuConvertirCV->isEnabled());
    EXPECT_FALSE(p.MenuOuvrirWord->isEnabled());
    p.MenuCV->close();
    qunsetenv("userprofile");
    qunsetenv("ALLUSERSPROFILE");

    p.ImageMenu_Click(10);
    EXPECT_TRUE(p.MenuCandidature->isVisible());
    for (QAction* a : p.MenuCandidature->actions())
        EXPECT_TRUE(a->isEnabled());
    p.MenuCandidature->close();
}

TEST_F(FenetrePrincipale, LibellesDesMenus)
{
    Principale& p = charger();
    EXPECT_EQ(libelles(p.MenuCV), (QStringList{u"Rédiger un nouveau CV"_qs, u"Rattacher un CV existant"_qs, u"-"_qs,
                                               u"Ouvrir"_qs, u"Supprimer"_qs, u"Renommer"_qs, u"Dupliquer"_qs, u"-"_qs,
                                               u"Convertir"_qs, u"Dernière version Word"_qs, u"Imprimer"_qs}));
    EXPECT_EQ(libelles(p.MenuLettre), (QStringList{u"Rédiger"_qs, u"-"_qs, u"Ouvrir"_qs, u"Dupliquer"_qs,
                                                   u"Renommer"_qs, u"Supprimer"_qs}));
    EXPECT_EQ(libelles(p.MenuCandidature),
              (QStringList{u"Ouvrir"_qs, u"Rechercher des offres sur Internet"_qs, u"-"_qs, u"Imprimer "_qs,
                           u"Justificatif de recherche d'emploi"_qs, u"-"_qs, u"Tout supprimer"_qs}));
    EXPECT_EQ(libelles(p.MenuItemCand),
              (QStringList{u"Consulter l'offre sur Internet"_qs, u"Consulter le site d'origine"_qs, u"-"_qs,
                           u"Postuler"_qs, u"-"_qs, u"Imprimer"_qs, u"Supprimer"_qs}));
    EXPECT_FALSE(p.MenuImprimerCand->isEnabled());
    EXPECT_EQ(libelles(p.MenuPhoto), (QStringList{u"Rattacher..."_qs, u"Coller"_qs, u"-"_qs, u"Supprimer"_qs}));
    EXPECT_FALSE(p.CollerPhoto->isEnabled());
    EXPECT_EQ(libelles(p.MenuImprimer), (QStringList{u"Prévisualiser"_qs, u"Imprimer"_qs, u"-"_qs, u"Mise en page"_qs}));
    EXPECT_EQ(libelles(p.MenuLangues), (QStringList{u"Français"_qs, u"Anglais"_qs}));
    EXPECT_EQ(libelles(p.MenuConvertirWord), (QStringList{u"Conversion du format"_qs, u"Dernière version"_qs}));
    EXPECT_EQ(p.MenuConvertirWord->title(), u"Convertir au format Word"_qs);
    // Entries keep their design names.
    EXPECT_EQ(p.MenuRedigerLettre->objectName(), u"MenuRédigerLettre"_qs);
    EXPECT_EQ(p.PrevisualiserCV->objectName(), u"PrévisualiserCV"_qs);

    // The language entries tick one another off and set the CV's language.
    QString langue;
    LiensFenetres::fixerLangueCV = [&](const QString& l) { langue = l; };
    EXPECT_TRUE(p.MenuFrancais->isChecked());
    p.MenuAnglais->trigger();
    EXPECT_TRUE(p.MenuAnglais->isChecked());
    EXPECT_FALSE(p.MenuFrancais->isChecked());
    EXPECT_EQ(langue, u"1"_qs);
    p.MenuFrancais->trigger();
    EXPECT_TRUE(p.MenuFrancais->isChecked());
    EXPECT_FALSE(p.MenuAnglais->isChecked());
    EXPECT_EQ(langue, u"0"_qs);
}

TEST_F(FenetrePrincipale, SurvolDesIcones)
{
    cv(u"Lefort.dat"_qs);
    creerRegistre(registre(), {{u"X"_qs, u"NON EMISE"_qs, {}, {}}});
    int ombre = 0;
    LiensFenetres::releverOmbreAccueil = [&](int limite) {
        EXPECT_EQ(limite, -60);
        ++ombre;
    };
    Principale& p = charger();
    p.ImageMenu_MouseMove(0);
    EXPECT_EQ(p.Information->text(), u"CV : Lefort.dat"_qs);
    EXPECT_EQ(p.ImageMenu[0]->haut(), 195);
    EXPECT_EQ(p.ImageMenu[0]->largeur(), Principale::LargeurIcone + 30);
    EXPECT_EQ(p.ImageMenu[0]->hauteur(), Principale::HauteurIcone + 30);
    EXPECT_EQ(p.ImageMenu[10]->haut(), 210);
    // The same icon again: only the shadow moves.
    p.Information->setText(u"témoin"_qs);
    p.ImageMenu_MouseMove(0);
    EXPECT_EQ(p.Information->text(), u"témoin"_qs);
    EXPECT_EQ(ombre, 2);

    p.ImageMenu_MouseMove(10);
    EXPECT_EQ(p.Information->text(), u"Gérer mes candidatures"_qs);
    EXPECT_EQ(p.ImageMenu[10]->genre(), Icone::CandidatureSel);
    EXPECT_EQ(p.ImageMenu[10]->haut(), 195);
    EXPECT_EQ(p.ImageMenu[0]->haut(), 210);
    EXPECT_EQ(p.ImageMenu[0]->largeur(), Principale::LargeurIcone);
    p.ImageMenu_MouseMove(1);
    EXPECT_EQ(p.Information->text(), u"Créer nouveau"_qs);
    EXPECT_EQ(p.ImageMenu[10]->genre(), Icone::Candidature);
    EXPECT_EQ(p.ImageMenu[10]->haut(), 210);

    // The banner keeps the zoom but forgets the icon; the status line empties.
    int arrets = 0;
    LiensFenetres::arreterGlissementAccueil = [&] { ++arrets; };
    LiensFenetres::releverOmbreAccueil = [&](int limite) { EXPECT_EQ(limite, -75); };
    p.Image4->hide();
    p.Image1_MouseMove();
    EXPECT_EQ(p.IndexIcone, -1);
    EXPECT_FALSE(p.Image4->isHidden());
    EXPECT_EQ(arrets, 1);
    EXPECT_EQ(p.ImageMenu[1]->haut(), 195);
    p.Label2_MouseMove();
    EXPECT_TRUE(p.Image4->isHidden());
    LiensFenetres::releverOmbreAccueil = {};
    p.ImageMenu_MouseMove(1);
    p.Information_MouseMove();
    EXPECT_TRUE(p.Information->text().isEmpty());
    EXPECT_EQ(p.IndexIcone, -1);
}

TEST_F(FenetrePrincipale, DoubleClics)
{
    cv(u"Lefort.pdf"_qs);
    lettre(u"Relance.dat"_qs);
    QStringList appels;
    LiensFenetres::chargerFichierCV = [&](const QString& c) { appels << u"CV "_qs + QFileInfo(c).fileName(); };
    LiensFenetres::chargerFichierLettre = [&](const QString& c) { appels << u"Lettre "_qs + QFileInfo(c).fileName(); };
    LiensFenetres::nouvelleLettre = [&] { appels << u"Nouvelle lettre"_qs; };
    LiensFenetres::ouvrirRegistre = [&] { appels << u"Registre"_qs; };
    Principale& p = charger();
    p.ImageMenu_DblClick(0);
    p.ImageMenu_DblClick(5);
    p.ImageMenu_DblClick(6);
    p.ImageMenu_DblClick(10);
    EXPECT_EQ(appels, (QStringList{u"CV Lefort.pdf"_qs, u"Lettre Relance.dat"_qs, u"Nouvelle lettre"_qs,
                                   u"Registre"_qs}));
}

TEST_F(FenetrePrincipale, RetourAuMenuPrincipal)
{
    int accueils = 0, barres = 0;
    LiensFenetres::chargerAccueil = [&] { ++accueils; };
    LiensFenetres::chargerBarre = [&] { ++barres; };
    Principale& p = charger();
    FenetreNommee::charger(u"Assistant"_qs);
    FenetreNommee::charger(u"FormCand"_qs);
    p.Label2_MouseUp();
    EXPECT_EQ(accueils, 0);
    EXPECT_NE(RegistreFenetres::instance().trouver(u"FormCand"_qs), nullptr);

    RegistreFenetres::instance().decharger(u"Assistant"_qs);
    for (const char* nom : {"AssistantTexte", "FormLettre", "FormRédigerCV", "Guide", "Aide"})
        FenetreNommee::charger(QString::fromUtf8(nom));
    p.Label2_MouseUp();
    EXPECT_EQ(accueils, 1);
    EXPECT_EQ(barres, 1);
    for (const char* nom : {"AssistantTexte", "FormLettre", "FormRédigerCV", "FormCand", "Guide", "Aide"})
        EXPECT_EQ(RegistreFenetres::instance().trouver(QString::fromUtf8(nom)), nullptr) << nom;

    FenetreNommee::charger(u"Assistant"_qs);
    FenetreNommee::charger(u"AssistantTexte"_qs);
    p.RetourMenu();
    EXPECT_EQ(RegistreFenetres::instance().trouver(u"Assistant"_qs), nullptr);
    EXPECT_EQ(RegistreFenetres::instance().trouver(u"AssistantTexte"_qs), nullptr);
    EXPECT_EQ(accueils, 2);
}

TEST_F(FenetrePrincipale, EspaceDeTravailEtFermeture)
{
    Principale& p = charger();
    p.show();
    // A window loaded through the registry goes into the workspace and shows in its frame.
    Enfant& enfant = Forme<Enfant>();
    auto* cadre = qobject_cast<QMdiSubWindow*>(enfant.parentWidget());
    ASSERT_NE(cadre, nullptr);
    EXPECT_EQ(p.Espace->subWindowList().size(), 1);
    enfant.show();
    EXPECT_TRUE(Systeme::FormeVisible(u"FormCand"_qs));
    enfant.hide();
    EXPECT_FALSE(cadre->isVisible());

    // The about box stays top-level and outlives the main window.
    p.Logo_Click();
    auto* apropos = RegistreFenetres::instance().siChargee<APropos>();
    ASSERT_NE(apropos, nullptr);
    EXPECT_TRUE(apropos->isWindow());
    EXPECT_TRUE(apropos->isVisible());
    for (const char* nom : {"Assistant", "Aide", "Guide", "Depart"})
        FenetreNommee::charger(QString::fromUtf8(nom));

    p.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const char* nom : {"Principale", "FormCand", "Assistant", "Aide", "Guide", "Depart"})
        EXPECT_EQ(RegistreFenetres::instance().trouver(QString::fromUtf8(nom)), nullptr) << nom;
    ASSERT_NE(RegistreFenetres::instance().siChargee<APropos>(), nullptr);
    // Its "Ok" closes it.
    auto* ok = RegistreFenetres::instance().siChargee<APropos>()->BoutonKVL1;
    QTest::mousePress(ok->Label1, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(ok->Label1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(RegistreFenetres::instance().siChargee<APropos>(), nullptr);
}

TEST_F(FenetrePrincipale, RegistresIllisiblesLaissesIntacts)
{
    cv(u"Lefort.dat"_qs, "Nom=Lefort\r\n");
    struct Cas {
        const char* nom;
        QByteArray contenu;
    };
    for (const Cas& c : {Cas{"vide", QByteArray()}, Cas{"texte", QByteArray("Ceci n'est pas un registre.\r\n")}}) {
        ecrireFichier(registre(), c.contenu);
        Principale& p = charger();
        EXPECT_EQ(Outils::lireOctets(registre()), c.contenu) << c.nom;
        EXPECT_EQ(p.NbCand->text(), u"0"_qs) << c.nom;
        EXPECT_EQ(p.Nom->text(), u"Lefort"_qs) << c.nom; // the rest of the load still runs
        // The user hears once that the applications are not lost but cannot be read.
        EXPECT_EQ(faux.dialogues->textes(), QStringList{BaseCandidatures::messageEndommage(registre())}) << c.nom;
        faux.dialogues->messages.clear();
        RegistreFenetres::instance().toutDecharger();
    }

    // A register locked by another program: nothing counted, nothing aged, nothing changed.
    QFile::remove(registre());
    creerRegistre(registre(), {{u"Envoi31"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs, u"2024-02-13"_qs, {}}});
    {
        auto autre = Stockage::BaseDonnees::ouvrir(registre());
        ASSERT_TRUE(autre);
        ASSERT_TRUE(autre->executer(u"BEGIN EXCLUSIVE"_qs));
        Principale& p = charger();
        EXPECT_EQ(p.Nom->text(), u"Lefort"_qs);
        autre->executer(u"ROLLBACK"_qs);
        autre->fermer();
    }
    EXPECT_EQ(statutDe(registre(), u"Envoi31"_qs), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    EXPECT_TRUE(faux.dialogues->messages.isEmpty()); // only busy: nothing to say
}

TEST_F(FenetrePrincipale, RegistreAbimeLaisseTelQuelEtSignaleUneFois)
{
    cv(u"Lefort.dat"_qs, "Nom=Lefort\r\n");
    const QByteArray abime = Registres::creerAbime(registre());
    Principale& p = charger();
    // Nothing aged, nothing counted: the file is left byte for byte.
    EXPECT_EQ(Outils::lireOctets(registre()), abime);
    EXPECT_EQ(QDir(dossier.donnees()).entryList(QDir::Files), QStringList(u"Kerval.mdb"_qs));
    EXPECT_EQ(p.NbCand->text(), u"0"_qs);
    EXPECT_EQ(p.Nom->text(), u"Lefort"_qs);
    // One message, which names the register and says where it lies.
    const QStringList messages = faux.dialogues->textes();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(u"\"Kerval.mdb\" est endommagé"_qs)) << messages.first().toStdString();
    EXPECT_TRUE(messages.first().contains(u"laissé tel quel"_qs));
    EXPECT_TRUE(messages.first().contains(QFileInfo(registre()).absoluteFilePath())) << messages.first().toStdString();
}

TEST_F(FenetrePrincipale, RegistreEnLectureSeuleCompteSansVieillir)
{
    creerRegistre(registre(), {{u"Envoi31"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs, u"2024-02-13"_qs, {}},
                               {u"Refus"_qs, u"REPONSE - REFUS NET"_qs, {}, {}}});
    const QByteArray avant = Outils::lireOctets(registre());
    Registres::FichierProtege protege(registre());
    ASSERT_TRUE(protege.actif());
    Principale& p = charger();
    EXPECT_EQ(p.NbCand->text(), u"2"_qs);
    EXPECT_EQ(p.ImageMenu[10]->genre(), Icone::Candidature);
    EXPECT_EQ(Outils::lireOctets(registre()), avant);
    // The register window says it, when it opens.
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(FenetrePrincipale, DossierCVEtrange)
{
    creerRegistre(registre());
    // A 50 MB file first in name order, a name that is not UTF-8, a folder named like a CV.
    const QString gros = dossier.chemin(u"CV/A gros.dat"_qs);
    {
        QFile f(gros);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Nom=Gros\r\n");
        ASSERT_TRUE(f.resize(50LL * 1024 * 1024));
    }
    const QByteArray brut = QFile::encodeName(dossier.chemin(u"CV/"_qs)) + QByteArray("B\xe9zier.dat");
    const int fd = ::open(brut.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "Nom=Bezier\r\n", 12), 12);
    ::close(fd);
    QDir().mkpath(dossier.chemin(u"CV/C dossier.dat"_qs));
    const QDateTime avant = QFileInfo(gros).lastModified();

    cv(u"D Lefort.dat"_qs, "Nom=Lefort\r\n");

    Principale& p = charger();
    EXPECT_EQ(p.ImageMenu[0]->toolTip(), u"A gros.dat"_qs);
    EXPECT_TRUE(p.Nom->text().isEmpty()); // too big to be a CV: no identity read
    // The folder is no CV; the name that is not UTF-8 gets no icon, and the user is told of it
    // by the name he may know it by, once.
    QStringList noms;
    for (int i = 0; i < 5; ++i)
        noms << p.ImageMenu[i]->toolTip();
    EXPECT_EQ(noms, (QStringList{u"A gros.dat"_qs, u"D Lefort.dat"_qs, QString(), QString(), QString()}));
    ASSERT_EQ(faux.dialogues->textes(),
              QStringList{ListeFichiers::messageIllisibles(dossier.chemin(u"CV"_qs), {u"Bézier.dat"_qs})});
    EXPECT_TRUE(faux.dialogues->textes().first().contains(u"« Bézier.dat »"_qs));
    EXPECT_TRUE(faux.dialogues->textes().first().contains(dossier.chemin(u"CV"_qs)));
    faux.dialogues->messages.clear();
    p.InitMenu();
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
    // A template copied in the same way is told of too.
    const QByteArray lettreBrute = QFile::encodeName(dossier.chemin(u"Lettres/"_qs)) + QByteArray("Relance \xe0 J+8.dat");
    const int lettre = ::open(lettreBrute.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(lettre, 0);
    ::close(lettre);
    p.InitMenu();
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList{ListeFichiers::messageIllisibles(dossier.chemin(u"Lettres"_qs), {u"Relance à J+8.dat"_qs})});
    ::unlink(lettreBrute.constData());
    for (int i = 0; i < 5; ++i) {
        p.ImageMenu_Click(i);
        p.MenuCV->close();
    }
    EXPECT_EQ(QFileInfo(gros).size(), 50LL * 1024 * 1024);
    EXPECT_EQ(QFileInfo(gros).lastModified(), avant);
    struct stat st;
    EXPECT_EQ(::stat(brut.constData(), &st), 0);
    EXPECT_EQ(st.st_size, 12);
    EXPECT_TRUE(QFileInfo(dossier.chemin(u"CV/C dossier.dat"_qs)).isDir());
    ::unlink(brut.constData());
}

TEST_F(FenetrePrincipale, LIdentiteSeLitJusquALaTailleQueLEditeurOuvre)
{
    creerRegistre(registre());
    // A CV as large as the editor opens, then one byte larger.
    QByteArray contenu = "Nom=Lefort\r\nPr\xe9nom=Anne\r\nDivers=";
    contenu += QByteArray(FichierCV::TailleMax - contenu.size(), 'x');
    cv(u"A Lefort.dat"_qs, contenu);
    {
        Principale& p = charger();
        EXPECT_EQ(p.Nom->text(), u"Lefort"_qs);
        EXPECT_EQ(p.Prenom->text(), u"Anne"_qs);
    }
    RegistreFenetres::instance().toutDecharger();
    cv(u"A Lefort.dat"_qs, contenu + 'x');
    Principale& p = charger();
    EXPECT_TRUE(p.Nom->text().isEmpty());
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(FenetrePrincipale, ClicEtDoubleClicALaSouris)
{
    cv(u"Lefort.dat"_qs);
    QStringList ouverts;
    LiensFenetres::chargerFichierCV = [&](const QString& c) { ouverts << QFileInfo(c).fileName(); };
    Principale& p = charger();
    p.show();
    // A click pops the menu up once no second click followed.
    QTest::mouseClick(p.ImageMenu[0], Qt::LeftButton);
    EXPECT_FALSE(p.MenuCV->isVisible());
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_TRUE(p.MenuCV->isVisible());
    EXPECT_EQ(p.IndexIcone, 0);
    p.MenuCV->close();
    // A double click opens the file, and no menu comes (through the window, as the desktop sends
    // it: press, release, press, release).
    QTest::mouseDClick(p.windowHandle(), Qt::LeftButton, {}, p.ImageMenu[0]->mapTo(&p, p.ImageMenu[0]->rect().center()));
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_EQ(ouverts, QStringList{u"Lefort.dat"_qs});
    EXPECT_FALSE(p.MenuCV->isVisible());
}

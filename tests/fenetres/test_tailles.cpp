// Every child window of the workspace opens at its designed size: the frame the user sees, not
// only the window inside it; the dialogs are placed from that frame. On the screens users have,
// each window shows its controls and captions whole, inside their frames.
#include "affichage.h"
#include "bureau.h"
#include "cveditor/formrediger_cv.h"
#include "letters/formlettre.h"
#include "letters/formpostuler.h"
#include "register/stats/formstat.h"
#include "register/window/formcand.h"
#include "shell/dialogs/aide.h"
#include "shell/dialogs/apropos.h"
#include "shell/dialogs/formconvert.h"
#include "shell/dialogs/miseenpage.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/twips.h"

namespace {

using Twips::versPixels;

// The frame that shows a window of that inner size whole.
QSize cadrePour(const QMdiSubWindow* cadre, QSize interieur)
{
    const QMargins m = cadre->contentsMargins();
    return interieur.grownBy(m);
}

// Sizes computed in twips land within a pixel of each other, whatever the rounding.
void taillesProches(QSize lue, QSize attendue, const char* quoi)
{
    EXPECT_NEAR(lue.width(), attendue.width(), 1) << quoi;
    EXPECT_NEAR(lue.height(), attendue.height(), 1) << quoi;
}

class TestTailles : public TestBureau {
protected:
    int largeurT() const { return principale->largeurTwips(); }
    int hauteurT() const { return principale->hauteurTwips(); }
    // A dialog centred across the main window, 1000 twips above its middle, from its frame.
    void centreSurPrincipale(const QMdiSubWindow* c) const
    {
        EXPECT_EQ(c->x(), versPixels(std::max(0, (largeurT() - Twips::depuisPixels(c->width())) / 2)));
        EXPECT_EQ(c->y(), versPixels(std::max(0, (hauteurT() - Twips::depuisPixels(c->height())) / 2 - 1000)));
    }
};

} // namespace

TEST_F(TestTailles, FenetresDeTravail)
{
    // The CV editor, from the desktop.
    doubleCliquer(principale->ImageMenu[0]);
    auto* cv = RegistreFenetres::instance().siChargee<FormRedigerCV>();
    ASSERT_NE(cv, nullptr);
    taillesProches(cadre(cv)->size(), QSize(versPixels(largeurT() - 100), versPixels(hauteurT() - 1700)), "CV");
    EXPECT_EQ(cadre(cv)->pos(), QPoint(0, 0));

    // The letter editor, from the new-template slot.
    doubleCliquer(principale->ImageMenu[5]);
    auto* lettre = RegistreFenetres::instance().siChargee<FormLettre>();
    ASSERT_NE(lettre, nullptr);
    taillesProches(cadre(lettre)->size(), QSize(versPixels(largeurT() - 100), versPixels(hauteurT() - 1700)),
                   "lettre");

    // The register, from its icon.
    doubleCliquer(principale->ImageMenu[10]);
    auto* registre = RegistreFenetres::instance().siChargee<FormCand>();
    ASSERT_NE(registre, nullptr);
    EXPECT_EQ(cadre(registre)->pos(), QPoint(0, 0));
    taillesProches(cadre(registre)->size(), QSize(versPixels(largeurT() - 100), versPixels(hauteurT() - 1700)),
                   "registre");

    // The sending window, from the register's "Postuler" on a new application.
    cliquer(registre->Action.value(0)); // "Nouvelle"
    cliquer(registre->Intitule);
    QTest::keyClicks(registre->Intitule, u"Magasinier"_qs);
    registre->Email->setText(u"rh@exemple.fr"_qs);
    cliquer(registre->Action.value(3)); // "Valider"
    ASSERT_FALSE(registre->Num->text().isEmpty());
    ASSERT_TRUE(registre->PicturePostuler->isVisible());
    cliquer(registre->PicturePostuler);
    auto* envoi = RegistreFenetres::instance().siChargee<FormPostuler>();
    ASSERT_NE(envoi, nullptr);
    QMdiSubWindow* c = cadre(envoi);
    EXPECT_EQ(envoi->size(), QSize(versPixels(10320), versPixels(7260)));
    EXPECT_EQ(c->size(), cadrePour(c, QSize(versPixels(10320), versPixels(7260))));
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(nomActive(), FormPostuler::NomConception);
    // Centred across the main window and down the register window, from the frame's own size.
    EXPECT_EQ(c->x(), versPixels(std::max(0, (largeurT() - Twips::depuisPixels(c->width())) / 2)));
    EXPECT_EQ(c->y(), versPixels(std::max(0, (Twips::depuisPixels(cadre(registre)->height()) -
                                               Twips::depuisPixels(c->height())) / 2)));
    // It lies inside the workspace, whole.
    EXPECT_TRUE(espace()->viewport()->rect().contains(c->geometry())) << c->geometry().width() << "x"
                                                                       << c->geometry().height();
}

TEST_F(TestTailles, DialoguesEtBulle)
{
    doubleCliquer(principale->ImageMenu[0]);
    auto* cv = RegistreFenetres::instance().siChargee<FormRedigerCV>();
    ASSERT_NE(cv, nullptr);

    cliquer(cv->ImageMenu[4]);
    choisirDansMenu(u"Conversion du format"_qs);
    auto* conversion = RegistreFenetres::instance().siChargee<FormConvert>();
    ASSERT_NE(conversion, nullptr);
    EXPECT_EQ(conversion->size(), Twips::taille(FormConvert::Largeur, FormConvert::Hauteur));
    EXPECT_EQ(cadre(conversion)->size(), cadrePour(cadre(conversion), conversion->size()));
    centreSurPrincipale(cadre(conversion));
    cliquer(conversion->BoutonKVL1);

    cliquer(cv->ImageMenu[3]);
    choisirDansMenu(u"Mise en page"_qs);
    auto* mise = RegistreFenetres::instance().siChargee<MiseEnPage>();
    ASSERT_NE(mise, nullptr);
    EXPECT_EQ(mise->size(), Twips::taille(MiseEnPage::Largeur, MiseEnPage::Hauteur));
    EXPECT_EQ(cadre(mise)->size(), cadrePour(cadre(mise), mise->size()));
    centreSurPrincipale(cadre(mise));
    cliquer(mise->BoutonKVL3);

    // The help pop-up: a frameless panel of its designed size.
    QTest::mouseMove(cv->Image6[12], cv->Image6[12]->rect().center());
    pomper();
    auto* aide = RegistreFenetres::instance().siChargee<Aide>();
    ASSERT_NE(aide, nullptr);
    EXPECT_EQ(cadre(aide)->size(), Twips::taille(3600, 3000));
    EXPECT_EQ(aide->size(), Twips::taille(3600, 3000));

    // The top-level windows at their own size.
    OuvrirStatistiques();
    auto* stat = RegistreFenetres::instance().siChargee<FormStat>();
    ASSERT_NE(stat, nullptr);
    EXPECT_EQ(stat->size(), Twips::taille(FormStat::Largeur, FormStat::Hauteur));
    cliquer(stat->BoutonKVL1);
    cliquer(principale->Logo);
    auto* apropos = RegistreFenetres::instance().siChargee<APropos>();
    ASSERT_NE(apropos, nullptr);
    EXPECT_EQ(apropos->size(), Twips::taille(APropos::Largeur, APropos::Hauteur));
}

TEST_F(TestTailles, ChaqueFenetreSeMontreEntiereDe1024a1920EtSurUnDemiEcran)
{
    // A CV with its identity and a section; the letter and the application are typed below.
    FichiersTexte::ecrire(dossier.chemin(u"CV/Lefevre Jean.dat"_qs),
                          u"Nom=LEFEVRE\r\nPrénom=Jean\r\nAdresse1=12 rue des Lilas\r\nCP=75011\r\nVille=Paris\r\n"
                          "Pays=France\r\nTel=01 23 45 67 89\r\nMob=06 12 34 56 78\r\nEmail=jean.lefevre@example.fr\r\n"
                          "DateNaissance=12/03/1988\r\nAge=38\r\nFonction=Magasinier cariste\r\n"
                          "Experiences=2015 - 2024 : Responsable d'entrepôt<N>- Gestion des stocks\r\n"_qs);
    // The smallest screen, a wide one, and half of the wide one.
    struct Cas {
        QSize ecran;
        int largeur; // the main window's
    };
    for (const Cas cas : {Cas{QSize(1024, 768), 1024}, Cas{QSize(1920, 1080), 1920}, Cas{QSize(1920, 1080), 960}}) {
        SCOPED_TRACE(std::to_string(cas.largeur));
        RegistreFenetres::instance().toutDecharger();
        pomper();
        Ecran::simuler(cas.ecran);
        principale = &Forme<Principale>();
        principale->show();
        principale->resize(cas.largeur, cas.ecran.height() - 27);
        pomper();
        auto sansDefaut = [this](QWidget* f, const QList<const QWidget*>& debordants = {}) {
            if (auto* c = cadre(f))
                EXPECT_TRUE(espace()->viewport()->rect().contains(c->geometry())) << f->objectName().toStdString();
            const QStringList d = Affichage::defauts(f, debordants);
            EXPECT_TRUE(d.isEmpty()) << f->objectName().toStdString() << ":\n" << d.join(u'\n').toStdString();
        };

        // The home screen, with its counters, then its letters' sub-menu and its longer captions.
        LiensFenetres::appeler(LiensFenetres::chargerAccueil);
        auto* accueil = RegistreFenetres::instance().siChargee<AssistantTexte>();
        ASSERT_NE(accueil, nullptr);
        sansDefaut(accueil);
        accueil->ChoixLettre();
        sansDefaut(accueil);

        // The CV editor holding the CV, its detailed boxes on show.
        doubleCliquer(principale->ImageMenu[0]);
        auto* cv = RegistreFenetres::instance().siChargee<FormRedigerCV>();
        ASSERT_NE(cv, nullptr);
        cliquer(cv->SaiseDetaillee);
        cv->ChargerFichierCV(dossier.chemin(u"CV/Lefevre Jean.dat"_qs));
        // The panel scrolls in its view, the browser's border lies under its frame, the toolbar's
        // hover mark waits out of sight.
        sansDefaut(cv, {cv->Frame1, cv->WebBrowser1, cv->CadreOrange});

        // The letter editor, a new template with its subject.
        doubleCliquer(principale->ImageMenu[5]);
        auto* lettre = RegistreFenetres::instance().siChargee<FormLettre>();
        ASSERT_NE(lettre, nullptr);
        lettre->Check_Modele[1]->setChecked(true);
        lettre->Objet->setText(u"Candidature au poste de magasinier cariste"_qs);
        lettre->LastSociete->setText(u"Transports Martin"_qs);
        lettre->Competences->setText(u"Caces 1, 3 et 5"_qs);
        sansDefaut(lettre);

        // The register, on a new application.
        doubleCliquer(principale->ImageMenu[10]);
        auto* registre = RegistreFenetres::instance().siChargee<FormCand>();
        ASSERT_NE(registre, nullptr);
        cliquer(registre->Action.value(0)); // "Nouvelle"
        registre->Intitule->setText(u"Magasinier cariste"_qs);
        registre->Societe->setText(u"Transports Martin"_qs);
        registre->Email->setText(u"rh@transports-martin.fr"_qs);
        registre->Description->setPlainText(u"Préparation des commandes, conduite de chariots."_qs);
        cliquer(registre->Action.value(3)); // "Valider"
        ASSERT_FALSE(registre->Num->text().isEmpty());
        ASSERT_TRUE(registre->PicturePostuler->isVisible());
        sansDefaut(registre);
    }
}

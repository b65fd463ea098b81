// The desktop's icons: a double-click right after start-up, while the home screen glides its
// highlight bar, opens the icon's file; the file commands of their menus keep the home screen's
// counters and the status line under the icons right, and so does the register window for the
// application count.
#include <QTreeWidget>

#include "bureau.h"
#include "cveditor/formrediger_cv.h"
#include "platform/fakes/faux_navigateur.h"
#include "register/capture/capture_annonce.h"
#include "register/web/cadre_web.h"
#include "register/window/formcand.h"
#include "shell/home/assistant.h"

namespace {

class TestIcones : public TestBureau {
protected:
    void SetUp() override
    {
        TestBureau::SetUp();
        intervalle_ = QApplication::doubleClickInterval();
    }
    void TearDown() override
    {
        QApplication::setDoubleClickInterval(intervalle_);
        Attente::fixerAcceleration(0);
        TestBureau::TearDown();
    }

    // The home screen's counters, as it shows them.
    static QString compteurs()
    {
        auto* accueil = RegistreFenetres::instance().siChargee<AssistantTexte>();
        return accueil ? accueil->libelle(0) : u"(pas d'accueil)"_qs;
    }
    // A click on an icon pops up its menu once the wait for a double-click is over.
    void menuDe(int icone)
    {
        cliquer(principale->ImageMenu[size_t(icone)]);
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 10000));
    }
    // The register window opened from its icon, its timers stopped so that nothing is saved
    // behind the test's back.
    FormCand* ouvrirRegistre()
    {
        doubleCliquer(principale->ImageMenu[10]);
        auto* f = RegistreFenetres::instance().siChargee<FormCand>();
        if (f) {
            f->Timer1->stop();
            f->Timer2->stop();
        }
        return f;
    }
    // "Retour au menu principal": the working windows close, the home screen comes back.
    void retourAuMenu()
    {
        cliquer(principale->Label2);
        pomper();
    }
    // The pointer comes over an icon, from the banner.
    void survoler(int icone)
    {
        QTest::mouseMove(principale->Image1);
        QTest::mouseMove(principale->ImageMenu[size_t(icone)]);
        pomper();
    }

private:
    int intervalle_ = 400;
};

} // namespace

TEST_F(TestIcones, DoubleClicJusteApresLeDemarrage)
{
    Outils::ecrireOctets(dossier.chemin(u"CV/Lefort Anne.dat"_qs), "NomCV=Lefort Anne\r\nNom=LEFORT\r\n");
    principale->InitMenu();
    // Start-up ends with the bar faded in over the home screen, whose glide runs.
    LiensFenetres::appeler(LiensFenetres::chargerBarre);
    pomper();
    ASSERT_TRUE(RegistreFenetres::instance().estChargee<Assistant>());
    auto* accueil = RegistreFenetres::instance().siChargee<AssistantTexte>();
    ASSERT_NE(accueil, nullptr);
    ASSERT_EQ(accueil->Timer1->Interval(), AssistantTexte::IntervalleGlissement);

    // A slow machine: the bar's fade-in, which lets no event through, lasts longer than a
    // double-click may.
    QApplication::setDoubleClickInterval(1000);
    Attente::fixerAcceleration(6);
    IconeBureau* icone = principale->ImageMenu[0];
    cliquerAuCentre(icone);
    // Between the two clicks the program's event loop runs, and handles what falls due before
    // it reads the second press.
    QTest::qWait(50);
    pomper();
    Attente::fixerAcceleration(0);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the first click was taken for a single click";
    // The second press comes 100 ms after the first release, by the events' own clock.
    QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval - 100;
    cliquerAuCentre(icone);
    pomper();

    auto* cv = RegistreFenetres::instance().siChargee<FormRedigerCV>();
    ASSERT_NE(cv, nullptr) << "the double-click was ignored";
    EXPECT_EQ(cv->Nom->text(), u"LEFORT"_qs);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(TestIcones, LesCompteursSuiventLesCommandesDeFichiers)
{
    Outils::ecrireOctets(dossier.chemin(u"CV/Lefort Anne.dat"_qs), "NomCV=Lefort Anne\r\nNom=LEFORT\r\n");
    for (const char* nom : {"Relance (ER).dat", "Spontanee (IS).dat", "Suivi.dat", "Reponse (IR).dat"})
        Outils::ecrireOctets(dossier.chemin(u"Lettres/"_qs + QString::fromUtf8(nom)), "Nom=LEFORT\r\n");
    principale->InitMenu();
    principale->RetourMenu();
    pomper();
    auto attendu = [](int cv, int lettres) {
        return u"Nombre de CV :  %1\r\nNombre de lettres :  %2\r\nNombre de candidatures : 0"_qs.arg(cv).arg(lettres);
    };
    ASSERT_EQ(compteurs(), attendu(1, 4));

    // A template deleted from the desktop: the home screen comes back counting three.
    ASSERT_EQ(principale->ImageMenu[8]->toolTip(), u"Suivi.dat"_qs);
    faux.dialogues->reponses = {true};
    menuDe(8);
    choisirDansMenu(u"Supprimer"_qs);
    ASSERT_FALSE(QFileInfo::exists(dossier.chemin(u"Lettres/Suivi.dat"_qs)));
    EXPECT_EQ(compteurs(), attendu(1, 3));

    // A CV duplicated: the home screen, left as it is, counts the copy.
    menuDe(0);
    choisirDansMenu(u"Dupliquer"_qs);
    ASSERT_TRUE(QFileInfo::exists(dossier.chemin(u"CV/Copie de Lefort Anne.dat"_qs)));
    EXPECT_EQ(compteurs(), attendu(2, 3));

    // The letter editor lists the CVs through the desktop's folder listing; back on the main
    // menu, the templates are still counted as templates.
    doubleCliquer(principale->ImageMenu[5]);
    ASSERT_TRUE(RegistreFenetres::instance().trouver(u"FormLettre"_qs));
    cliquer(principale->Label2);
    ASSERT_FALSE(RegistreFenetres::instance().trouver(u"FormLettre"_qs));
    EXPECT_EQ(compteurs(), attendu(2, 3));
}

TEST_F(TestIcones, LeNombreDeCandidaturesSuitLeRegistre)
{
    auto attendu = [](int candidatures) {
        return u"Nombre de CV :  0\r\nNombre de lettres :  0\r\nNombre de candidatures : %1"_qs.arg(candidatures);
    };
    ASSERT_EQ(compteurs(), attendu(0));

    // One application typed and saved.
    FormCand* f = ouvrirRegistre();
    ASSERT_NE(f, nullptr);
    cliquer(f->Action.value(0)); // "Nouvelle"
    cliquer(f->Intitule);
    Outils::taper(f->Intitule, u"Comptable"_qs);
    cliquer(f->Action.value(3)); // "Valider"
    ASSERT_FALSE(f->Num->text().isEmpty()) << faux.dialogues->textes().join(u" | "_qs).toStdString();

    // One captured from the offers page, opened from the icon's menu.
    FaussePage annonce;
    annonce.texte = u"Comptable confirmé H/F\r\nRéférence : 4521-AB\r\nContrat : CDI\r\nLieu : Rennes\r\n"
                    "La société ACME recherche un comptable confirmé.\r\nContact : recrutement@acme.fr\r\n"_qs;
    annonce.html = u"<p>"_qs + annonce.texte + u"</p>"_qs;
    auto* nav = static_cast<FauxNavigateur*>(f->CadreWeb->WebBrowser1);
    nav->pages.insert(principale->AdresseWeb->text(), annonce);
    menuDe(10);
    choisirDansMenu(u"Rechercher des offres sur Internet"_qs);
    ASSERT_EQ(nav->LocationURL(), principale->AdresseWeb->text());
    const QString premiere = f->Num->text();
    cliquer(f->Capture->CaptureSel);
    ASSERT_NE(f->Num->text(), premiere) << faux.dialogues->textes().join(u" | "_qs).toStdString();

    // Back on the main menu, the home screen counts both.
    retourAuMenu();
    EXPECT_EQ(compteurs(), attendu(2));

    // One deleted with the register window's "Supprimer".
    f = ouvrirRegistre();
    ASSERT_NE(f, nullptr);
    QTreeWidgetItem* feuille = f->noeud(u"s"_qs + premiere);
    ASSERT_NE(feuille, nullptr);
    cliquer(f->Liste->viewport(), f->Liste->visualItemRect(feuille).center());
    ASSERT_EQ(f->Num->text(), premiere);
    faux.dialogues->reponses = {true};
    cliquer(f->Action.value(1));
    ASSERT_FALSE(f->noeud(u"s"_qs + premiere));
    retourAuMenu();
    EXPECT_EQ(compteurs(), attendu(1));

    // The last one with "Tout supprimer" of the icon's menu: the home screen on show follows.
    faux.dialogues->reponses = {true};
    menuDe(10);
    choisirDansMenu(u"Tout supprimer"_qs);
    EXPECT_EQ(compteurs(), attendu(0));
}

TEST_F(TestIcones, LaLigneSousLesIconesOublieLeFichierSupprime)
{
    Outils::ecrireOctets(dossier.chemin(u"CV/Lefort Anne.dat"_qs), "NomCV=Lefort Anne\r\nNom=LEFORT\r\n");
    for (const char* nom : {"Relance (ER).dat", "Suivi.dat"})
        Outils::ecrireOctets(dossier.chemin(u"Lettres/"_qs + QString::fromUtf8(nom)), "Nom=LEFORT\r\n");
    principale->InitMenu();
    pomper();

    // The file under the pointer is deleted from its icon's menu, a template then a CV; the
    // pointer comes back over its slot, which now offers a new one.
    struct Cas {
        int icone;
        QString fichier, legende;
    };
    for (const Cas& c : {Cas{6, u"Lettres/Suivi.dat"_qs, u"Modèle de lettre : Suivi.dat"_qs},
                         Cas{0, u"CV/Lefort Anne.dat"_qs, u"CV : Lefort Anne.dat"_qs}}) {
        SCOPED_TRACE(c.fichier.toStdString());
        survoler(c.icone);
        ASSERT_EQ(principale->Information->text(), c.legende);
        faux.dialogues->reponses = {true};
        menuDe(c.icone);
        choisirDansMenu(u"Supprimer"_qs);
        ASSERT_FALSE(QFileInfo::exists(dossier.chemin(c.fichier)));
        EXPECT_TRUE(principale->Information->text().isEmpty()) << principale->Information->text().toStdString();
        QTest::mouseMove(principale->ImageMenu[size_t(c.icone)], QPoint(2, 2));
        pomper();
        EXPECT_EQ(principale->Information->text(), u"Créer nouveau"_qs);
    }
}

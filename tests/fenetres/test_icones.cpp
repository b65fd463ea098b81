// The desktop's icons: a double-click right after start-up, while the home screen glides its
// highlight bar, opens the icon's file; the file commands of their menus keep the home screen's
// counters right.
#include "bureau.h"
#include "cveditor/formrediger_cv.h"
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
    auto compteurs = [] {
        auto* accueil = RegistreFenetres::instance().siChargee<AssistantTexte>();
        return accueil ? accueil->libelle(0) : u"(pas d'accueil)"_qs;
    };
    auto attendu = [](int cv, int lettres) {
        return u"Nombre de CV :  %1\r\nNombre de lettres :  %2\r\nNombre de candidatures : 0"_qs.arg(cv).arg(lettres);
    };
    ASSERT_EQ(compteurs(), attendu(1, 4));
    // A click on an icon pops up its menu once the wait for a double-click is over.
    auto menuDe = [this](int icone) {
        cliquer(principale->ImageMenu[size_t(icone)]);
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 10000));
    };

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

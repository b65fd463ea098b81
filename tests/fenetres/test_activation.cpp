// Which window is in front after a dialog or child window closes: always the one the user was
// working in, never the home screen. Each dialog is opened and closed with real clicks and keys.
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "bureau.h"
#include "cveditor/formrediger_cv.h"
#include "register/stats/formstat.h"
#include "register/window/formcand.h"
#include "shell/dialogs/afficher_guide.h"
#include "shell/home/assistant.h"
#include "shell/dialogs/apropos.h"
#include "shell/dialogs/formconvert.h"
#include "shell/dialogs/guide.h"
#include "shell/dialogs/miseenpage.h"
#include "shell/services/systeme.h"

namespace {

class TestActivation : public TestBureau {
protected:
    void SetUp() override
    {
        TestBureau::SetUp();
        doubleCliquer(principale->ImageMenu[0]);
        cv = RegistreFenetres::instance().siChargee<FormRedigerCV>();
        ASSERT_NE(cv, nullptr);
        // The user types the studies.
        cliquer(cv->Etudes->viewport());
        QTest::keyClicks(cv->Etudes, u"2009 : BTS"_qs);
        ASSERT_EQ(QApplication::focusWidget(), cv->Etudes);
    }

    // The CV editor is the working window: active, in front, in the active main window, with the
    // focus where the user left it.
    void editeurAuTravail(const char* apres)
    {
        pomper();
        SCOPED_TRACE(apres);
        EXPECT_EQ(QApplication::activeWindow(), principale)
            << (QApplication::activeWindow() ? QApplication::activeWindow()->metaObject()->className() : "aucune");
        EXPECT_EQ(nomActive(), FormRedigerCV::NomConception);
        const auto pile = espace()->subWindowList(QMdiArea::StackingOrder);
        ASSERT_FALSE(pile.isEmpty());
        EXPECT_EQ(pile.last(), cadre(cv));
        EXPECT_EQ(QApplication::focusWidget(), cv->Etudes);
    }
    // A click on a toolbar picture of the editor, then on an entry of the menu it pops up.
    void barreOutils(int index, const QString& entree)
    {
        cliquer(cv->ImageMenu[size_t(index)]);
        choisirDansMenu(entree);
    }

    FormRedigerCV* cv = nullptr;
};

} // namespace

TEST_F(TestActivation, DialogueDeConversion)
{
    barreOutils(4, u"Conversion du format"_qs);
    auto* conversion = RegistreFenetres::instance().siChargee<FormConvert>();
    ASSERT_NE(conversion, nullptr);
    EXPECT_EQ(nomActive(), FormConvert::NomConception);
    cliquer(conversion->BoutonKVL1); // "Fermer"
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<FormConvert>());
    editeurAuTravail("Fermer");

    barreOutils(4, u"Conversion du format"_qs);
    conversion = RegistreFenetres::instance().siChargee<FormConvert>();
    ASSERT_NE(conversion, nullptr);
    cliquer(conversion->BoutonKVL2); // "Convertir"
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<FormConvert>());
    pomper();
    EXPECT_EQ(QApplication::activeWindow(), principale);
    EXPECT_EQ(nomActive(), FormRedigerCV::NomConception);
    EXPECT_EQ(espace()->subWindowList(QMdiArea::StackingOrder).last(), cadre(cv));
}

TEST_F(TestActivation, MiseEnPage)
{
    barreOutils(3, u"Mise en page"_qs);
    auto* mise = RegistreFenetres::instance().siChargee<MiseEnPage>();
    ASSERT_NE(mise, nullptr);
    EXPECT_EQ(nomActive(), MiseEnPage::NomConception);
    cliquer(mise->BoutonKVL3); // "Fermer"
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<MiseEnPage>());
    editeurAuTravail("Fermer");
}

TEST_F(TestActivation, BulleDeConseil)
{
    // A tip over the editor: it shows and goes without taking the window.
    Fonctionnel::AfficherGuide(u"Pensez à préciser vos dates."_qs);
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Guide>());
    editeurAuTravail("conseil");
}

TEST_F(TestActivation, StatistiquesEtAPropos)
{
    OuvrirStatistiques();
    auto* stat = RegistreFenetres::instance().siChargee<FormStat>();
    ASSERT_NE(stat, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(stat));
    cliquer(stat->BoutonKVL1); // "Ok"
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<FormStat>());
    editeurAuTravail("statistiques");
    // The home screen's glide stays stopped under the working window: no bar comes back.
    QTest::qWait(100);
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Assistant>());

    cliquer(principale->Logo);
    auto* apropos = RegistreFenetres::instance().siChargee<APropos>();
    ASSERT_NE(apropos, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(apropos));
    cliquer(apropos->BoutonKVL1); // "Ok"
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<APropos>());
    editeurAuTravail("a propos, Ok");

    // Closed by its title bar's close box.
    cliquer(principale->Logo);
    apropos = RegistreFenetres::instance().siChargee<APropos>();
    ASSERT_NE(apropos, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(apropos));
    apropos->close();
    editeurAuTravail("a propos, fermeture");
}

TEST_F(TestActivation, BoiteDeMessage)
{
    // The desktop's own message box, answered with the keyboard.
    Plateforme::instance().fixerDialogues(creerDialoguesLinux());
    QString texte;
    QTimer::singleShot(0, [&] {
        auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!boite)
            return;
        texte = boite->text();
        QTest::keyClick(boite, Qt::Key_Return);
    });
    cliquer(cv->SauvegarderCV); // no name yet: the editor says so
    EXPECT_EQ(texte, u"Vous devez donner un nom au CV avant de l'enregistrer"_qs);
    editeurAuTravail("message");
}

TEST_F(TestActivation, RegistreDevantDepuisLeBureau)
{
    // The register, opened then left behind the editor, comes back to the front on its icon.
    doubleCliquer(principale->ImageMenu[10]);
    auto* registre = RegistreFenetres::instance().siChargee<FormCand>();
    ASSERT_NE(registre, nullptr);
    EXPECT_EQ(nomActive(), FormCand::NomConception);
    espace()->setActiveSubWindow(cadre(cv));
    ASSERT_EQ(nomActive(), FormRedigerCV::NomConception);
    doubleCliquer(principale->ImageMenu[10]);
    EXPECT_EQ(nomActive(), FormCand::NomConception);
    EXPECT_EQ(espace()->subWindowList(QMdiArea::StackingOrder).last(), cadre(registre));
}

// The CV editor's help pop-ups under the pointer: the pointer crosses the real "?" icons and the
// entry panel, as a user's hand moves it.
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

#include "bureau.h"
#include "cveditor/formrediger_cv.h"
#include "letters/formpostuler.h"
#include "shell/dialogs/aide.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

namespace {

class TestAideCV : public TestBureau {
protected:
    void SetUp() override
    {
        TestBureau::SetUp();
        // The new-CV slot of the desktop, double-clicked.
        doubleCliquer(principale->ImageMenu[0]);
        cv = RegistreFenetres::instance().siChargee<FormRedigerCV>();
        ASSERT_NE(cv, nullptr);
        ASSERT_EQ(nomActive(), FormRedigerCV::NomConception);
    }

    // The pointer over a help icon, then a little further inside it.
    void survoler(int index)
    {
        Etiquette* icone = cv->Image6.value(index);
        ASSERT_NE(icone, nullptr);
        QTest::mouseMove(icone, QPoint(2, 2));
        QTest::mouseMove(icone, icone->rect().center());
        pomper();
    }
    // The pointer on the bare entry panel, just right of a help icon.
    void surLePanneau(int index)
    {
        const QRect icone = cv->Image6.value(index)->geometry();
        const QPoint p(icone.right() + 4, icone.center().y());
        ASSERT_EQ(cv->Frame1->childAt(p), nullptr) << "the point is not on the bare panel";
        QTest::mouseMove(cv->Frame1, p);
        pomper();
    }
    static Aide* aide() { return RegistreFenetres::instance().siChargee<Aide>(); }
    static bool aideVisible() { return Systeme::FormeVisible(Aide::NomConception); }
    // The working window in front of the others in the workspace (the help pop-up aside).
    QString devant() const
    {
        const auto pile = espace()->subWindowList(QMdiArea::StackingOrder);
        for (auto it = pile.crbegin(); it != pile.crend(); ++it)
            if (auto* f = dynamic_cast<Fenetre*>((*it)->widget()); f && f->nomConception() != Aide::NomConception)
                return (*it)->isVisible() ? f->nomConception() : QString();
        return {};
    }

    FormRedigerCV* cv = nullptr;
};

} // namespace

TEST_F(TestAideCV, LesBullesSeSuiventSousLePointeur)
{
    // The user is typing the studies when the hand goes to the help icons.
    cliquer(cv->Etudes->viewport());
    QTest::keyClicks(cv->Etudes, u"2009 : BTS"_qs);
    ASSERT_EQ(QApplication::focusWidget(), cv->Etudes);

    surLePanneau(16);
    survoler(16);
    ASSERT_TRUE(aideVisible());
    Aide* premiere = aide();
    EXPECT_EQ(premiere->Titre->text(), u"Souhaits et Objectifs "_qs);
    EXPECT_TRUE(premiere->Info->text().startsWith(u"Compléter ici la fonction principale du CV"_qs));
    // The pop-up informs without taking the window: the editor stays active, in front of the home
    // screen, and the studies box keeps the focus.
    EXPECT_EQ(nomActive(), FormRedigerCV::NomConception);
    EXPECT_EQ(devant(), FormRedigerCV::NomConception);
    EXPECT_EQ(QApplication::focusWidget(), cv->Etudes);
    // Over the editor, beside its icon, where the pointer is.
    EXPECT_EQ(espace()->subWindowList(QMdiArea::StackingOrder).last(), cadre(premiere));
    EXPECT_TRUE(espace()->viewport()->rect().contains(cadre(premiere)->geometry()));

    // Further moves over the same icon leave it as it is; so does a jump to another icon.
    survoler(16);
    survoler(12);
    EXPECT_EQ(aide(), premiere);
    EXPECT_EQ(premiere->Titre->text(), u"Souhaits et Objectifs "_qs);

    // On the panel it closes; the next icon opens its own.
    surLePanneau(16);
    EXPECT_FALSE(aideVisible());
    EXPECT_EQ(nomActive(), FormRedigerCV::NomConception);
    survoler(12);
    ASSERT_TRUE(aideVisible());
    EXPECT_EQ(aide()->Titre->text(), u"Etudes diplômes"_qs);
    EXPECT_TRUE(aide()->Info->text().endsWith(u"des dates en début ou fin de phrase"_qs));
    surLePanneau(12);
    survoler(13);
    ASSERT_TRUE(aideVisible());
    EXPECT_EQ(aide()->Titre->text(), u"Formations complémentaires"_qs);
    EXPECT_EQ(aide()->Info->text(), u"Zones d'informations"_qs);
    surLePanneau(13);
    survoler(14);
    EXPECT_EQ(aide()->Titre->text(), u"Parcours professionnel"_qs);

    // Through all of it the user's window stayed the working one, and the typing goes on.
    surLePanneau(14);
    EXPECT_FALSE(aideVisible());
    EXPECT_EQ(nomActive(), FormRedigerCV::NomConception);
    EXPECT_EQ(devant(), FormRedigerCV::NomConception);
    QTest::keyClicks(QApplication::focusWidget(), u" Logistique"_qs);
    EXPECT_EQ(cv->Etudes->toPlainText(), u"2009 : BTS Logistique"_qs);
}

TEST_F(TestAideCV, HauteurDeLaBulle)
{
    // A section without dated paragraphs: the pop-up and its panel at the design height / 1.9,
    // once; the dated sections keep the whole height.
    survoler(16);
    ASSERT_TRUE(aideVisible());
    const int demi = Twips::versPixels(3000 / 1.9);
    EXPECT_NEAR(cadre(aide())->height(), demi, 1);
    EXPECT_NEAR(aide()->CadreAide->height(), demi, 1);
    EXPECT_EQ(aide()->CadreAide->width(), Twips::versPixels(3600));
    surLePanneau(16);
    survoler(20);
    ASSERT_TRUE(aideVisible());
    EXPECT_EQ(aide()->CadreAide->height(), Twips::versPixels(3000));
    EXPECT_EQ(cadre(aide())->height(), Twips::versPixels(3000));
    // Beside its icon, as placed by the editor, and over the editor.
    EXPECT_EQ(cadre(aide())->x(), Twips::versPixels(Twips::depuisPixels(cadre(cv)->x()) +
                                                    Twips::depuisPixels(cv->Image6[20]->x()) + 510));
}

TEST_F(TestBureau, ApresLeDoubleClicDuBureauLePointeurEstLibre)
{
    // The double-click on the desktop's new-CV slot, through the window as the desktop sends it;
    // the button comes up while the editor opens (its load waits and pumps events) with its real
    // preview browser.
    FauxNavigateur::desinstaller();
    QWindow* fenetre = principale->windowHandle();
    ASSERT_NE(fenetre, nullptr);
    IconeBureau* icone = principale->ImageMenu[0];
    const QPoint ici = icone->mapTo(principale, icone->rect().center());
    bool relache = false;
    bool ouvertAvantRelache = true;
    // As the window system delivers them: press, release, press (a double-click), and the last
    // release only once the program is busy opening the editor.
    const QPointF global = fenetre->mapToGlobal(QPointF(ici));
    static int instant = 50000000;
    auto bouton = [&](QEvent::Type type, Qt::MouseButtons etat) {
        instant += 20;
        qt_handleMouseEvent(fenetre, QPointF(ici), global, etat, Qt::LeftButton, type, Qt::NoModifier, instant);
    };
    bouton(QEvent::MouseButtonPress, Qt::LeftButton);
    bouton(QEvent::MouseButtonRelease, Qt::NoButton);
    QTimer::singleShot(0, [&] {
        ouvertAvantRelache = RegistreFenetres::instance().estChargee<FormRedigerCV>();
        bouton(QEvent::MouseButtonRelease, Qt::NoButton);
        relache = true;
    });
    bouton(QEvent::MouseButtonPress, Qt::LeftButton);
    pomper();
    ASSERT_TRUE(relache);
    // The editor opened once the button was up, not while it was held.
    EXPECT_FALSE(ouvertAvantRelache);
    auto* cv = RegistreFenetres::instance().siChargee<FormRedigerCV>();
    ASSERT_NE(cv, nullptr) << "the double-click did not open the editor";

    // The pointer then moves over the editor: the moves reach the controls under it, not the
    // desktop icon that was pressed.
    principale->IndexIcone = -1;
    for (const QPoint& p : {cv->Frame1->mapTo(principale, QPoint(20, 20)),
                            cv->Image6[16]->mapTo(principale, QPoint(2, 2)),
                            cv->Image6[16]->mapTo(principale, cv->Image6[16]->rect().center())})
        QTest::mouseMove(fenetre, p);
    pomper();
    EXPECT_EQ(principale->IndexIcone, -1);
    EXPECT_TRUE(Systeme::FormeVisible(Aide::NomConception));
}

TEST_F(TestBureau, LesNomsDeLaFenetreDEnvoiAgissentAuRelachement)
{
    // A CV not converted yet: its name in the sending window offers the conversion, which opens
    // the editor and the conversion dialog; that happens once the button is up.
    FichiersTexte::ecrire(dossier.chemin(u"CV/Martin Marie.dat"_qs), u"Nom=MARTIN\r\n"_qs);
    principale->InitMenu();
    auto& envoi = Forme<FormPostuler>();
    pomper();
    ASSERT_EQ(envoi.CV[0]->text(), u"Martin Marie.dat"_qs);
    faux.dialogues->messages.clear();
    faux.dialogues->reponses = {false};
    QWindow* fenetre = principale->windowHandle();
    const QPoint ici = envoi.CV[0]->mapTo(principale, envoi.CV[0]->rect().center());
    QTest::mousePress(fenetre, Qt::LeftButton, {}, ici);
    pomper();
    EXPECT_TRUE(faux.dialogues->textes().isEmpty());
    QTest::mouseRelease(fenetre, Qt::LeftButton, {}, ici);
    pomper();
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList{u"Ce CV n'a pas été converti au format .doc. Souhaitez-vous le convertir maintenant ?"_qs});
}

namespace {

// The desktop with its real browsers, on a real X server: the case is run again in a child
// process under xvfb-run (the tests' own platform draws no native windows).
class TestBureauSousX : public TestBureau {
protected:
    bool vraisNavigateurs() const override { return true; }
    void SetUp() override
    {
        if (qgetenv("KERVAL_TEST_SOUS_X") == "1")
            TestBureau::SetUp();
    }
    void TearDown() override
    {
        if (qgetenv("KERVAL_TEST_SOUS_X") == "1")
            TestBureau::TearDown();
    }
    // False in the parent process, which has run the case under X and checked it there.
    static bool ici()
    {
        if (qgetenv("KERVAL_TEST_SOUS_X") == "1")
            return true;
        const QString xvfb = QStandardPaths::findExecutable(u"xvfb-run"_qs);
        if (xvfb.isEmpty()) {
            ADD_FAILURE() << "xvfb-run is needed for this case";
            return false;
        }
        const auto* cas = ::testing::UnitTest::GetInstance()->current_test_info();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"KERVAL_TEST_SOUS_X"_qs, u"1"_qs);
        env.insert(u"QT_QPA_PLATFORM"_qs, u"xcb"_qs);
        env.insert(u"QTWEBENGINE_DISABLE_SANDBOX"_qs, u"1"_qs);
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(xvfb, {u"-a"_qs, u"-s"_qs, u"-screen 0 1280x1024x24"_qs, QCoreApplication::applicationFilePath(),
                       u"--gtest_filter=%1.%2"_qs.arg(QString::fromUtf8(cas->test_suite_name()),
                                                       QString::fromUtf8(cas->name()))});
        EXPECT_TRUE(p.waitForFinished(180000));
        const QString sortie = QString::fromUtf8(p.readAll());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << sortie.toStdString();
        EXPECT_EQ(p.exitCode(), 0) << sortie.toStdString();
        EXPECT_TRUE(sortie.contains(u"[  PASSED  ] 1 test"_qs)) << sortie.toStdString();
        return false;
    }
};

} // namespace

TEST_F(TestBureauSousX, LePremierNavigateurGardeLaFenetreActive)
{
    if (!ici())
        return;
    // The CV editor brings the program's first browser into the main window: the window stays
    // the active one, as it was.
    ASSERT_EQ(QApplication::activeWindow(), principale);
    doubleCliquer(principale->ImageMenu[0]);
    auto* cv = RegistreFenetres::instance().siChargee<FormRedigerCV>();
    ASSERT_NE(cv, nullptr);
    // Once the editor's browser has shown its first page, and a moment after.
    ASSERT_TRUE(Outils::attendre([&] { return cv->WebBrowser1->ReadyState() == EtatPage::Complet; }));
    QTest::qWait(300);
    EXPECT_EQ(QApplication::activeWindow(), principale);
    EXPECT_EQ(QGuiApplication::focusWindow(), principale->windowHandle());
}

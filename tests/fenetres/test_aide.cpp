// The CV editor's help pop-ups under the pointer: the pointer crosses the real "?" icons and the
// entry panel, as a user's hand moves it.
#include <QPlainTextEdit>

#include "bureau.h"
#include "cveditor/formrediger_cv.h"
#include "shell/dialogs/aide.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

namespace {

class TestAideCV : public TestBureau {
protected:
    void SetUp() override
    {
        TestBureau::SetUp();
        // The new-CV slot of the desktop, double-clicked.
        QTest::mouseDClick(principale->ImageMenu[0], Qt::LeftButton);
        pomper();
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
    EXPECT_EQ(aide()->Titre->text(), u"Formations compémentaires"_qs);
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

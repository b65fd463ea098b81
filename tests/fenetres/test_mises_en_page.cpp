// What the editors show once filled: the letter wraps inside its box, the CV's photograph leaves
// its caption and links in sight and within reach.
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "bureau.h"
#include "cveditor/fichier_controles.h"
#include "cveditor/formrediger_cv.h"
#include "letters/formlettre.h"

namespace {

class TestMisesEnPage : public TestBureau {};

// A paragraph far wider than any letter box.
const QString LongParagraphe =
    u"Titulaire d'un BTS logistique et fort de six années passées en entrepôt, je souhaite mettre au service "
    "de votre société mon sens de l'organisation, ma rigueur et mon goût du travail en équipe, qualités que "
    "mes employeurs successifs ont toujours su reconnaître et que je serais heureux de vous présenter."_qs;

} // namespace

TEST_F(TestMisesEnPage, LaLettreRevientALaLigneDansSonCadre)
{
    Outils::ecrireOctets(dossier.chemin(u"Lettres/Relance.dat"_qs), "NomLettre=Relance\r\nNom=LEFORT\r\n");
    principale->InitMenu();
    doubleCliquer(principale->ImageMenu[5]);
    auto* lettre = RegistreFenetres::instance().siChargee<FormLettre>();
    ASSERT_NE(lettre, nullptr);
    QPlainTextEdit* texte = lettre->Text1;

    // The user writes the letter by hand: a greeting, then one long paragraph.
    cliquer(texte->viewport());
    QTest::keyClick(texte, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(texte, Qt::Key_Delete);
    for (const QChar c : u"Madame,\n"_qs + LongParagraphe)
        QTest::sendKeyEvent(QTest::KeyAction::Click, texte, c == u'\n' ? Qt::Key_Return : Qt::Key_unknown,
                            c == u'\n' ? u"\r"_qs : QString(c), Qt::NoModifier);
    pomper();

    // Shown within the box's width, over several lines, with no horizontal scroll bar.
    EXPECT_FALSE(texte->horizontalScrollBar()->isVisible());
    const QTextBlock paragraphe = texte->document()->findBlockByNumber(1);
    ASSERT_TRUE(paragraphe.isValid());
    ASSERT_NE(paragraphe.layout(), nullptr);
    EXPECT_GT(paragraphe.layout()->lineCount(), 2);
    EXPECT_LE(paragraphe.layout()->boundingRect().width(), texte->viewport()->width());

    // The text itself, as the autosave stores it, has only the user's own line break.
    const QString fichier = dossier.chemin(u"Lettres/Relance.dat"_qs);
    auto enregistre = [&] {
        const auto entrees = FichierControles::charger(fichier);
        for (const FichierControles::Entree& e : entrees.value_or(QList<FichierControles::Entree>{}))
            if (e.nom == u"Text1"_qs)
                return e.valeur;
        return QString();
    };
    const QString attendu = u"Madame,\r\n"_qs + LongParagraphe;
    EXPECT_TRUE(QTest::qWaitFor([&] { return enregistre() == attendu; }, 10000)) << enregistre().toStdString();
}

TEST_F(TestMisesEnPage, LaPhotographieLaisseSaLegendeEtSesLiensALaPortee)
{
    Outils::ecrireOctets(dossier.chemin(u"CV/Lefort Anne.dat"_qs), "NomCV=Lefort Anne\r\nNom=LEFORT\r\n");
    principale->InitMenu();
    doubleCliquer(principale->ImageMenu[0]);
    auto* cv = RegistreFenetres::instance().siChargee<FormRedigerCV>();
    ASSERT_NE(cv, nullptr);
    const QList<QWidget*> legendes{cv->Label2, cv->Label1.value(25), cv->CopierPhoto19};
    ASSERT_FALSE(legendes.contains(nullptr));

    // A real portrait, 600 x 800, attached through "Parcourir...".
    QImage portrait(600, 800, QImage::Format_RGB32);
    portrait.fill(QColor(0x80, 0x60, 0x40));
    const QString chemin = dossier.chemin(u"portrait.jpg"_qs);
    ASSERT_TRUE(portrait.save(chemin, "JPG"));
    faux.dialogues->fichiersChoisis.push_back(chemin);
    cliquerAuCentre(cv->CopierPhoto19);
    ASSERT_EQ(faux.dialogues->titresDialogues, QStringList{u"Sélection d'une photographie"_qs});
    ASSERT_TRUE(QFileInfo::exists(dossier.chemin(u"Modeles/Lefort Anne.jpg"_qs)));
    pomper();

    // The picture keeps its proportions; the caption and the links stay beside it, in sight,
    // and are what the pointer finds at their centre.
    EXPECT_NEAR(double(cv->Photo->width()) / cv->Photo->height(), 600.0 / 800.0, 0.02);
    for (QWidget* w : legendes) {
        SCOPED_TRACE(w->objectName().isEmpty() ? qobject_cast<QLabel*>(w)->text().toStdString()
                                               : w->objectName().toStdString());
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(w->geometry().intersects(cv->Photo->geometry()))
            << testing::PrintToString(w->geometry()) << " under " << testing::PrintToString(cv->Photo->geometry());
        EXPECT_EQ(QApplication::widgetAt(w->mapToGlobal(w->rect().center())), w);
    }

    // "Parcourir..." still reaches its command with the photograph on show.
    cliquerAuCentre(cv->CopierPhoto19);
    EXPECT_EQ(faux.dialogues->titresDialogues.size(), 2);
}

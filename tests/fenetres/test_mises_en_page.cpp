// What the editors show once filled: the letter wraps inside its box, the CV's photograph leaves
// its caption and links in sight and within reach.
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "bureau.h"
#include "cveditor/fichier_controles.h"
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
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const auto entrees = FichierControles::charger(fichier);
            if (!entrees)
                return false;
            for (const FichierControles::Entree& e : *entrees)
                if (e.nom == u"Text1"_qs && !e.valeur.isEmpty())
                    return true;
            return false;
        },
        10000));
    QString enregistre;
    for (const FichierControles::Entree& e : *FichierControles::charger(fichier))
        if (e.nom == u"Text1"_qs)
            enregistre = e.valeur;
    EXPECT_EQ(enregistre, u"Madame,\r\n"_qs + LongParagraphe);
}

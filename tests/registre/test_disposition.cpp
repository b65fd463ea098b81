// The register window as it shows on screen: the captions and pictures of the description side
// by side, the status list without a sideways scroll bar.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "affichage.h"
#include "fenetre_registre.h"
#include "shell/services/twips.h"
#include "register/capture/capture_annonce.h"

namespace {

// Where a label's text is drawn, in its parent: from its left edge, as wide as the text.
QRect texteDessine(QLabel* l)
{
    l->ensurePolished();
    const QRect contenu = l->contentsRect();
    const int largeur = l->fontMetrics().horizontalAdvance(l->text());
    return QRect(l->mapToParent(contenu.topLeft()), QSize(largeur, contenu.height()));
}

} // namespace

TEST(Affichage, LaLegendeDeLaDescriptionEtSesImagesCoteACote)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    f.show();
    QLabel* legende = nullptr;
    for (QLabel* l : f.CadreDetail->findChildren<QLabel*>())
        if (l->text() == u"Description du poste"_qs)
            legende = l;
    ASSERT_TRUE(legende);
    QLabel* analyser = f.Capture->Analyser;
    QLabel* postuler = f.PicturePostuler;
    ASSERT_TRUE(analyser);
    const QList<QLabel*> rangee = {legende, analyser, postuler};
    for (int i = 0; i < rangee.size(); ++i) {
        const QRect texte = texteDessine(rangee[i]);
        // Each text within its own control, and clear of the next control.
        EXPECT_LE(texte.right(), rangee[i]->geometry().right()) << rangee[i]->text().toStdString();
        if (i + 1 < rangee.size()) {
            EXPECT_LT(texte.right(), rangee[i + 1]->x()) << rangee[i]->text().toStdString();
            EXPECT_LE(rangee[i]->geometry().right(), rangee[i + 1]->x()) << rangee[i]->text().toStdString();
        }
        // Above the description box.
        EXPECT_LE(rangee[i]->geometry().bottom(), f.Description->y()) << rangee[i]->text().toStdString();
    }

    // On half of a 1920-pixel screen, the narrowest: the pictures a row higher, every control
    // whole and in its frame.
    f.resize(Twips::versPixels(960 * 15 - 100) - 10, f.height());
    const QStringList defauts = Affichage::defauts(&f);
    EXPECT_TRUE(defauts.isEmpty()) << defauts.join(u'\n').toStdString();
    for (QLabel* image : {analyser, postuler}) {
        EXPECT_LE(image->geometry().bottom(), legende->y()) << image->text().toStdString();
        EXPECT_LE(image->geometry().right(), f.Description->geometry().right()) << image->text().toStdString();
    }
}

TEST(Affichage, LesListesDeroulantesMontrentChaqueChoixSansDefilerDeCote)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    f.show();
    // The status list under Statut, the contract list under Nature, each dropped by its picture.
    for (const auto& [image, liste] : {std::pair{f.Image2, f.ListeStatuts}, std::pair{f.Image1, f.ListeContrats}}) {
        SCOPED_TRACE(liste->objectName().toStdString());
        QTest::mouseClick(image, Qt::LeftButton);
        ASSERT_FALSE(liste->isHidden());
        QCoreApplication::processEvents();
        EXPECT_FALSE(liste->horizontalScrollBar()->isVisible());
        EXPECT_FALSE(liste->verticalScrollBar()->isVisible());
        const QRect vue = liste->viewport()->rect();
        for (int i = 0; i < liste->count(); ++i) {
            QListWidgetItem* item = liste->item(i);
            EXPECT_LE(liste->fontMetrics().horizontalAdvance(item->text()), vue.width()) << item->text().toStdString();
            EXPECT_TRUE(vue.contains(liste->visualItemRect(item))) << item->text().toStdString();
        }
        // Within the window.
        EXPECT_TRUE(f.CadreDetail->rect().contains(liste->geometry()));
        QTest::mouseClick(image, Qt::LeftButton);
        EXPECT_TRUE(liste->isHidden());
    }
}

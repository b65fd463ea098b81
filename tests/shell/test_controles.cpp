// The custom button and panels: symbol rules, geometry, fade, click handling, colour strips.
#include <QPointer>
#include <QTest>

#include "commun.h"
#include "shell/controls/bouton_kvl.h"
#include "shell/services/twips.h"

using Etape = Dessins::Etape;

namespace {

std::unique_ptr<BoutonKVL> bouton(const QString& libelle, int largeur = 1215)
{
    return std::make_unique<BoutonKVL>(libelle, QRect(0, 0, largeur, 300), nullptr);
}

} // namespace

TEST(BoutonKVL, SymbolesChoisisALaLectureDuLibelle)
{
    struct Cas {
        QString libelle;
        QString symbole;
        QColor couleur;
    };
    const QColor vert(0, 192, 0), rouge(192, 0, 0), bleu(68, 100, 140);
    const QList<Cas> cas{
        {u"Ok"_qs, u"a"_qs, vert},          {u"Synchroniser"_qs, u"a"_qs, vert}, {u"Valider"_qs, u"a"_qs, vert},
        {u"Appliquer"_qs, u"a"_qs, vert},   {u"Annuler"_qs, u"r"_qs, rouge},     {u"Supprimer"_qs, u"r"_qs, rouge},
        {u"Nouveau CV"_qs, u"2"_qs, bleu},  {u"Créer Nouvelle"_qs, u"2"_qs, bleu},
        {u"annuler"_qs, QString(), {}},     {u"nouveau CV"_qs, QString(), {}},   {u"Ok "_qs, QString(), {}},
    };
    for (const Cas& c : cas) {
        auto b = bouton(c.libelle, 3000);
        EXPECT_EQ(b->symbole(), c.symbole) << c.libelle.toStdString();
        if (!c.symbole.isEmpty())
            EXPECT_EQ(b->couleurSymbole(), c.couleur) << c.libelle.toStdString();
        EXPECT_EQ(b->Libelle(), c.libelle);
        EXPECT_EQ(b->Label3->text(), c.libelle);
    }
}

TEST(BoutonKVL, SymboleVisibleSeulementSurUnBoutonAssezLarge)
{
    EXPECT_FALSE(bouton(u"Ok"_qs, 900)->symboleVisible());   // not wider than 1000
    EXPECT_TRUE(bouton(u"Ok"_qs, 1020)->symboleVisible());
    // 130 twips a character: "Supprimer" needs more than 1170.
    EXPECT_FALSE(bouton(u"Supprimer"_qs, 1170)->symboleVisible());
    EXPECT_TRUE(bouton(u"Supprimer"_qs, 1185)->symboleVisible());
    // An empty caption shows an empty symbol once the button is wider than 1000.
    auto vide = bouton(QString(), 1200);
    EXPECT_TRUE(vide->symboleVisible());
    EXPECT_TRUE(vide->symbole().isEmpty());
    EXPECT_FALSE(bouton(QString(), 990)->symboleVisible());
}

TEST(BoutonKVL, ModeSymboleEtHauteurs)
{
    auto a = bouton(u"a"_qs, 615);
    EXPECT_TRUE(a->modeSymbole());
    EXPECT_EQ(Twips::depuisPixels(a->height()), 615);
    EXPECT_EQ(a->hautLibelle(), 90);
    EXPECT_EQ(a->Label1->font().pointSizeF(), 18);
    EXPECT_EQ(a->Libelle(), u"a"_qs);
    EXPECT_EQ(a->Label1->text(), Webdings::versUnicode(u"a"_qs));
    for (const QString& normal : {u"N"_qs, u"S"_qs, u"<"_qs, u">"_qs, u"+"_qs, u"-"_qs, u"Ok"_qs}) {
        auto b = bouton(normal);
        EXPECT_FALSE(b->modeSymbole()) << normal.toStdString();
        EXPECT_EQ(Twips::depuisPixels(b->height()), 300);
        EXPECT_EQ(b->hautLibelle(), 45);
    }
    // The caption and its copy follow the width.
    auto large = bouton(u"Valider"_qs, 2400);
    EXPECT_EQ(Twips::depuisPixels(large->Label1->width()), 2340);
    EXPECT_EQ(Twips::depuisPixels(large->Label3->width()), 2340);
    large->placer(QRect(0, 0, 1800, 300));
    EXPECT_EQ(Twips::depuisPixels(large->Label1->width()), 1740);
}

TEST(BoutonKVL, LibelleChangeSansToucherAuSymbole)
{
    auto b = bouton(u"Ok"_qs, 1500);
    int signaux = 0;
    QObject::connect(b.get(), &BoutonKVL::libelleModifie, [&] { ++signaux; });
    b->setLibelle(u"Nouveau"_qs);
    EXPECT_EQ(b->Libelle(), u"Nouveau"_qs);
    EXPECT_EQ(b->Label1->text(), u"Nouveau"_qs);
    EXPECT_EQ(b->Label3->text(), u"Nouveau"_qs);
    EXPECT_EQ(b->symbole(), u"a"_qs);
    EXPECT_EQ(signaux, 1);
    EXPECT_EQ(b->UserControl_WriteProperties().value(u"Libelle"_qs).toString(), u"Nouveau"_qs);
    b->setLibelle(QString());
    EXPECT_TRUE(b->UserControl_WriteProperties().isEmpty());
}

TEST(BoutonKVL, SurvolPuisRetourAuBleuEnTroisPas)
{
    auto b = bouton(u"Valider"_qs);
    b->show();
    EXPECT_TRUE(b->Timer1->isActive());
    EXPECT_EQ(b->Timer1->interval(), 200);
    int survols = 0;
    QObject::connect(b.get(), &BoutonKVL::Mousemouve, [&] { ++survols; });
    QTest::mouseMove(b->Label1, QPoint(5, 5));
    QTest::mouseMove(b->Label1, QPoint(8, 6));
    EXPECT_GE(survols, 1);
    EXPECT_EQ(b->etape(), Etape::Orange);
    b->Timer1_Timer();
    EXPECT_EQ(b->etape(), Etape::BleuOO);
    b->Timer1_Timer();
    EXPECT_EQ(b->etape(), Etape::Bleuo);
    b->Timer1_Timer();
    EXPECT_EQ(b->etape(), Etape::Bleu);
    b->Timer1_Timer();
    EXPECT_EQ(b->etape(), Etape::Bleu);
}

TEST(BoutonKVL, ClicPendantLeRelachementAvecLaCopieOrange)
{
    auto b = bouton(u"Valider"_qs);
    b->show();
    bool orangePendant = false, libelleCachePendant = false, sablier = false;
    int clics = 0;
    QObject::connect(b.get(), &BoutonKVL::Click, [&] {
        ++clics;
        orangePendant = b->Label3->isVisible() && b->enClic();
        libelleCachePendant = b->Label1->isHidden();
        sablier = b->Label1->cursor().shape() == Qt::WaitCursor;
        EXPECT_EQ(b->hautLibelle(), 45); // back up before the handler runs
    });
    QTest::mousePress(b->Label1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b->hautLibelle(), 60);
    EXPECT_EQ(b->etape(), Etape::Orange);
    EXPECT_EQ(clics, 0);
    QTest::mouseRelease(b->Label1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clics, 1);
    EXPECT_TRUE(orangePendant);
    EXPECT_TRUE(libelleCachePendant);
    EXPECT_TRUE(sablier);
    EXPECT_TRUE(b->Label1->isVisible());
    EXPECT_TRUE(b->Label3->isHidden());
    EXPECT_EQ(b->Label1->cursor().shape(), Qt::PointingHandCursor);

    // Any button presses; the symbol-mode caption never moves.
    auto symbole = bouton(u"4"_qs, 615);
    symbole->show();
    QTest::mousePress(symbole->Label1, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(symbole->hautLibelle(), 90);
    QTest::mouseRelease(symbole->Label1, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(symbole->hautLibelle(), 90);
}

TEST(BoutonKVL, LeGestionnaireFermeLaFenetreDuBouton)
{
    auto* fenetre = new QWidget;
    auto* b = new BoutonKVL(u"Fermer"_qs, QRect(0, 0, 1215, 300), fenetre);
    QObject::connect(b, &BoutonKVL::Click, [&] { delete fenetre; });
    QPointer<BoutonKVL> garde(b);
    fenetre->show();
    QTest::mousePress(b->Label1, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(b->Label1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(garde.isNull());
}

TEST(BoutonKVL, BandesDeCouleurExactes)
{
    struct Attendu {
        Etape etape;
        QRgb hautDebut, hautFin, basDebut, basFin;
    };
    const QList<Attendu> attendus{
        {Etape::Bleu, 0xDCEAF0, 0xC8DBEE, 0x92B2DD, 0xB9D4F1},
        {Etape::Bleuo, 0xEDF1EE, 0xD9DFE6, 0xA4ABBE, 0xD5DBE1},
        {Etape::BleuOO, 0xF7F4E7, 0xEEE4D9, 0xC9AB96, 0xE7DBCD},
        {Etape::Orange, 0xFFF5D5, 0xFBE6CF, 0xDFA872, 0xF1D0A9},
    };
    auto rgb = [](const QImage& i, int y) { return i.pixel(0, y) & 0xFFFFFF; };
    for (const Attendu& a : attendus) {
        const QImage& img = Dessins::etapeBouton(a.etape);
        ASSERT_EQ(img.size(), QSize(1, 20));
        EXPECT_EQ(rgb(img, 0), 0x527BCBu);
        EXPECT_EQ(rgb(img, 19), 0x527BCBu);
        EXPECT_EQ(rgb(img, 1), 0xFFFFFFu);
        EXPECT_EQ(rgb(img, 18), 0xFFFFFFu);
        EXPECT_EQ(rgb(img, 2), a.hautDebut);
        EXPECT_EQ(rgb(img, 8), a.hautFin);
        EXPECT_EQ(rgb(img, 9), a.basDebut);
        EXPECT_EQ(rgb(img, 17), a.basFin);
        // The upper band darkens downwards, the lower one lightens.
        for (int y = 2; y < 8; ++y)
            EXPECT_GE(qGray(img.pixel(0, y)), qGray(img.pixel(0, y + 1)));
        for (int y = 9; y < 17; ++y)
            EXPECT_LE(qGray(img.pixel(0, y)), qGray(img.pixel(0, y + 1)));
    }
    const QImage& g = Dessins::bordGauche();
    ASSERT_EQ(g.size(), QSize(2, 20));
    EXPECT_EQ(g.pixel(0, 0) & 0xFFFFFF, 0xD6E2F4u); // rounded corner
    EXPECT_EQ(g.pixel(0, 5) & 0xFFFFFF, 0x527BCBu);
    EXPECT_EQ(g.pixel(1, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(Dessins::bordDroit().pixel(1, 5) & 0xFFFFFF, 0x527BCBu);
}

TEST(Cadres, TitreEtDisposition)
{
    CadreBleu c(u"Coordonnées"_qs, QRect(0, 0, 4500, 2400), nullptr);
    EXPECT_EQ(c.Text(), u"Coordonnées"_qs);
    EXPECT_EQ(c.UserControl_WriteProperties().value(u"Text"_qs).toString(), u"Coordonnées"_qs);
    EXPECT_EQ(Twips::depuisPixels(c.Libelle->width()), 4500 - 105); // width - 100 in whole pixels
    int signaux = 0;
    QObject::connect(&c, &CadreBleu::texteModifie, [&] { ++signaux; });
    c.setText(u"Autre"_qs);
    EXPECT_EQ(c.Libelle->text(), u"Autre"_qs);
    EXPECT_EQ(signaux, 1);

    NouveauCadre n(QRect(0, 0, 3000, 2400), nullptr);
    EXPECT_EQ(n.rectFond(), QRect(30, 255, 2925, 2100));
    // Too short for its background: the background keeps its height.
    n.placer(QRect(0, 0, 3000, 285));
    EXPECT_EQ(n.rectFond().height(), 2100);
    n.show();
    n.resize(Twips::taille(3000, 600)); // a shown panel follows the host's resizes
    EXPECT_EQ(n.rectFond().height(), 300);
}

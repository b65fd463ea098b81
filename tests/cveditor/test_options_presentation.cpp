#include <gtest/gtest.h>

#include <QString>
#include <ostream>

// Texts shown readably when a comparison fails.
static void PrintTo(const QString& t, std::ostream* os) { *os << '"' << t.toStdString() << '"'; }

#include "cveditor/options_presentation.h"

using namespace OptionsPresentation;

TEST(OptionsPresentation, TexteDesCouleurs)
{
    EXPECT_EQ(texteCouleurBGR(0x0066FF), u"#FF6600"_qs);
    // Blue and green 0: the short hexadecimal form is padded before the pairs are swapped.
    EXPECT_EQ(texteCouleurBGR(0x000001), u"#010000"_qs);
    EXPECT_EQ(texteCouleurBGR(0xFF0000), u"#0000FF"_qs);
    EXPECT_EQ(texteCouleur(QColor(0xAB, 0xCD, 0xEF)), u"#ABCDEF"_qs);
    EXPECT_EQ(lireCouleur(u"#ff6600"_qs), QColor(255, 102, 0));
    for (const char16_t* faux : {u"", u"FF6600", u"#FF660", u"#GG6600", u"#FF66001"})
        EXPECT_FALSE(lireCouleur(QString::fromUtf16(faux)));
}

TEST(OptionsPresentation, LesNuancesEtLeurTeinte)
{
    // The swatches' colours and the tints the rule gives them.
    const char16_t* attendu[NombreNuances][2] = {
        {u"#000000", u"#DEDEDE"}, {u"#404040", u"#E6E6E6"}, {u"#808080", u"#EEEEEE"}, {u"#C0C0C0", u"#F7F7F7"},
        {u"#E0E0E0", u"#FBFBFB"}, {u"#C00000", u"#F7DEDE"}, {u"#FF0000", u"#FFDEDE"}, {u"#C0C000", u"#F7F7DE"},
        {u"#808000", u"#EEEEDE"}, {u"#FF80FF", u"#FFEEFF"}, {u"#C04000", u"#F7E6DE"}, {u"#FF8000", u"#FFEEDE"},
        {u"#008080", u"#DEEEEE"}, {u"#0000FF", u"#DEDEFF"}, {u"#FF00FF", u"#FFDEFF"}, {u"#008000", u"#DEEEDE"},
        {u"#00C000", u"#DEF7DE"}, {u"#00C0C0", u"#DEF7F7"}, {u"#0000C0", u"#DEDEF7"}, {u"#C000C0", u"#F7DEF7"}};
    for (int i = 0; i < NombreNuances; ++i) {
        const Couleurs c = couleursDe(nuance(i));
        EXPECT_EQ(c.couleur, QString::fromUtf16(attendu[i][0])) << i;
        EXPECT_EQ(c.claire, QString::fromUtf16(attendu[i][1])) << i;
    }
    EXPECT_FALSE(nuance(20).isValid());
    EXPECT_FALSE(nuance(-1).isValid());
}

TEST(OptionsPresentation, CouleurDuDialogue)
{
    // The rule's tint of the starting orange differs from the starting tint.
    const auto orange = couleursDepuisDialogue(QColor(0xFF, 0x66, 0x00));
    ASSERT_TRUE(orange);
    EXPECT_EQ(orange->couleur, u"#FF6600"_qs);
    EXPECT_EQ(orange->claire, u"#FFEBDE"_qs);
    EXPECT_EQ(teinteClaire(u"#FF6600"_qs), u"#FFEBDE"_qs);
    EXPECT_EQ(teinteClaire(u"rouge"_qs), QString());
    // Black, and a cancelled dialog, change nothing.
    EXPECT_FALSE(couleursDepuisDialogue(QColor(0, 0, 0)));
    EXPECT_FALSE(couleursDepuisDialogue(QColor()));
    EXPECT_EQ(couleursDepuisDialogue(QColor(1, 0, 0))->couleur, u"#010000"_qs);
}

TEST(OptionsPresentation, PanneauxEtListes)
{
    EXPECT_EQ(boiteParagraphe(0), u"Gras"_qs);
    EXPECT_EQ(boiteParagraphe(1), u"Souligné"_qs);
    EXPECT_EQ(boiteParagraphe(2), u"Indentation"_qs);
    EXPECT_EQ(boiteParagraphe(3), u"Saut"_qs);
    EXPECT_EQ(boiteParagraphe(4), QString());
    EXPECT_EQ(autreDisposition(1), 0);
    EXPECT_EQ(autreDisposition(0), 1);
    EXPECT_EQ(polices().at(2), u"Verdana"_qs);
    EXPECT_EQ(polices().size(), 6);

    // Only ".htm" files, case-sensitive: the rendered page and an upper-case extension stay out.
    EXPECT_EQ(listeModeles({u"Moderne.htm"_qs, u"CVtemp.html"_qs, u"Photo.jpg"_qs, u"Basic.htm"_qs, u"Vieux.HTM"_qs,
                            u"Classique.htm"_qs}),
              (QStringList{u"Basic"_qs, u"Classique"_qs, u"Moderne"_qs}));
    EXPECT_EQ(fichierModele(u"Moderne"_qs), u"Moderne.htm"_qs);
}

TEST(OptionsPresentation, GrilleDesLangues)
{
    FichierCV::ValeursCV cv = FichierCV::ValeursCV::parDefaut();
    cv.cocher(u"LangueBilingue"_qs, 2, 1);
    cv.cocher(u"LangueProf"_qs, 3, 1);
    // The click ticks the fluent box of row 2: only it stays ticked in the row.
    cv.cocher(u"LangueCourant"_qs, 2, 1);
    appliquerClicLangue(cv, 2, u"LangueCourant"_qs);
    for (const QString& g : FichierCV::groupesLangue())
        EXPECT_EQ(cv.coche(g, 2), g == u"LangueCourant") << g.toStdString();
    // A second click unticks it: the row has no level.
    cv.cocher(u"LangueCourant"_qs, 2, 0);
    appliquerClicLangue(cv, 2, u"LangueCourant"_qs);
    for (const QString& g : FichierCV::groupesLangue())
        EXPECT_FALSE(cv.coche(g, 2));
    // Other rows are left alone; a row out of the grid changes nothing.
    EXPECT_TRUE(cv.coche(u"LangueProf"_qs, 3));
    appliquerClicLangue(cv, 9, u"LangueProf"_qs);
    EXPECT_TRUE(cv.coche(u"LangueProf"_qs, 3));
}

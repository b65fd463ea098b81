#include <gtest/gtest.h>

#include "cveditor/options_presentation.h"

using namespace OptionsPresentation;

TEST(OptionsPresentation, CouleursEtTeintes)
{
    // The swatches' colours and the tints the rule gives them.
    const char16_t* attendu[NombreNuances][2] = {
        {u"#000000", u"#DEDEDE"}, {u"#404040", u"#E6E6E6"}, {u"#808080", u"#EEEEEE"}, {u"#C0C0C0", u"#F7F7F7"},
        {u"#E0E0E0", u"#FBFBFB"}, {u"#C00000", u"#F7DEDE"}, {u"#FF0000", u"#FFDEDE"}, {u"#C0C000", u"#F7F7DE"},
        {u"#808000", u"#EEEEDE"}, {u"#FF80FF", u"#FFEEFF"}, {u"#C04000", u"#F7E6DE"}, {u"#FF8000", u"#FFEEDE"},
        {u"#008080", u"#DEEEEE"}, {u"#0000FF", u"#DEDEFF"}, {u"#FF00FF", u"#FFDEFF"}, {u"#008000", u"#DEEEDE"},
        {u"#00C000", u"#DEF7DE"}, {u"#00C0C0", u"#DEF7F7"}, {u"#0000C0", u"#DEDEF7"}, {u"#C000C0", u"#F7DEF7"}};
    for (int i = 0; i < NombreNuances; ++i) {
        EXPECT_EQ(couleursDe(nuance(i)).couleur, QString::fromUtf16(attendu[i][0])) << i;
        EXPECT_EQ(couleursDe(nuance(i)).claire, QString::fromUtf16(attendu[i][1])) << i;
    }
    // Blue and green 0: the short hexadecimal form is padded before its pairs are swapped.
    EXPECT_EQ(texteCouleurBGR(0x000001), u"#010000"_qs);
    EXPECT_EQ(texteCouleurBGR(0x0066FF), u"#FF6600"_qs);
    // From the dialog: the tint of the starting orange is not the starting tint; black changes nothing.
    EXPECT_EQ(couleursDepuisDialogue(QColor(0xFF, 0x66, 0x00))->claire, u"#FFEBDE"_qs);
    EXPECT_FALSE(couleursDepuisDialogue(QColor(0, 0, 0)));
    EXPECT_FALSE(couleursDepuisDialogue(QColor()));
    for (const char16_t* faux : {u"", u"FF6600", u"#FF660", u"#GG6600"})
        EXPECT_EQ(teinteClaire(QString::fromUtf16(faux)), QString());
}

TEST(OptionsPresentation, ListeDesModeles)
{
    // Only ".htm", case-sensitive: the rendered page and an upper-case extension stay out.
    EXPECT_EQ(listeModeles({u"Moderne.htm"_qs, u"CVtemp.html"_qs, u"Photo.jpg"_qs, u"Basic.htm"_qs, u"Vieux.HTM"_qs}),
              (QStringList{u"Basic"_qs, u"Moderne"_qs}));
}

TEST(OptionsPresentation, GrilleDesLangues)
{
    FichierCV::ValeursCV cv = FichierCV::ValeursCV::parDefaut();
    cv.cocher(u"LangueBilingue"_qs, 2, 1);
    cv.cocher(u"LangueProf"_qs, 3, 1);
    // A click ticks the fluent box of row 2: only it stays ticked in the row.
    cv.cocher(u"LangueCourant"_qs, 2, 1);
    appliquerClicLangue(cv, 2, u"LangueCourant"_qs);
    for (const QString& g : FichierCV::groupesLangue())
        EXPECT_EQ(cv.coche(g, 2), g == u"LangueCourant") << g.toStdString();
    // A second click unticks it: the row has no level. Other rows are left alone.
    cv.cocher(u"LangueCourant"_qs, 2, 0);
    appliquerClicLangue(cv, 2, u"LangueCourant"_qs);
    for (const QString& g : FichierCV::groupesLangue())
        EXPECT_FALSE(cv.coche(g, 2));
    EXPECT_TRUE(cv.coche(u"LangueProf"_qs, 3));
}

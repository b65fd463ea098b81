#include "register/capture/raccourcir_texte.h"

#include <gtest/gtest.h>

using Annonce::RaccourcirTexte;

namespace {
QString repete(char c, int n) { return QString(n, QChar(c)); }
} // namespace

TEST(RaccourcirTexte, UnTexteQuiTientEstSeulementDebarrasseDeSesBlancs)
{
    const QString quarante = repete('a', 40);
    EXPECT_EQ(RaccourcirTexte(quarante), quarante);
    EXPECT_EQ(RaccourcirTexte(u"  Vendeur  "_qs), u"Vendeur"_qs);
    EXPECT_EQ(RaccourcirTexte(u" "_qs), QString());
    EXPECT_EQ(RaccourcirTexte(QString()), QString());
    // Only blanks are trimmed: a line end stays.
    EXPECT_EQ(RaccourcirTexte(u"\r\nVendeur "_qs), u"\r\nVendeur"_qs);
    // 40 characters with a trailing " DE" are not shortened.
    const QString avecDe = repete('a', 37) + u" DE"_qs;
    EXPECT_EQ(RaccourcirTexte(avecDe), avecDe);
}

TEST(RaccourcirTexte, UnTexteLongEstCoupeAuDernierBlancAvantLaPosition35)
{
    // Blank at position 35 itself: the cut keeps 34 characters.
    const QString t = repete('a', 34) + u' ' + repete('b', 6);
    ASSERT_EQ(t.size(), 41);
    EXPECT_EQ(RaccourcirTexte(t), repete('a', 34));
    // Blank at 36 only: the cut falls at the blank at 10.
    const QString u = repete('a', 9) + u' ' + repete('b', 25) + u' ' + repete('c', 10);
    EXPECT_EQ(RaccourcirTexte(u), repete('a', 9));
    // No blank from 4 to 35: the first three characters.
    EXPECT_EQ(RaccourcirTexte(repete('x', 41)), u"xxx"_qs);
    EXPECT_EQ(RaccourcirTexte(u"ab "_qs + repete('x', 40)), u"ab"_qs);
}

TEST(RaccourcirTexte, LesMotsDeLiaisonEnFinDeCoupeTombent)
{
    // Blanks at 10, 28 and 31, "DE" at 29-30: cut to 31, trimmed to 30, then " DE" goes.
    const QString t = repete('a', 9) + u' ' + repete('b', 17) + u" DE "_qs + repete('c', 14);
    ASSERT_EQ(t.size(), 45);
    EXPECT_EQ(RaccourcirTexte(t), t.left(27));
    // One of each kind, in the order DE, DU, EN, ET: " ET DE" loses both, " DE ET" only " ET".
    const QString base = repete('a', 20);
    EXPECT_EQ(RaccourcirTexte(base + u" ET DE "_qs + repete('z', 20)), base);
    EXPECT_EQ(RaccourcirTexte(base + u" DE ET "_qs + repete('z', 20)), base + u" DE"_qs);
    EXPECT_EQ(RaccourcirTexte(base + u" en du "_qs + repete('z', 20)), base);
    EXPECT_EQ(RaccourcirTexte(base + u" DE DE "_qs + repete('z', 20)), base + u" DE"_qs);
    // Compared in upper case.
    EXPECT_EQ(RaccourcirTexte(base + u" Et "_qs + repete('z', 20)), base);
}

TEST(RaccourcirTexte, UnePaireDeSubstitutionNEstJamaisCoupeeEnDeux)
{
    const QString t = u"ab\U0001F600"_qs + repete('x', 40);
    const QString r = RaccourcirTexte(t);
    EXPECT_EQ(r, u"ab"_qs);
}

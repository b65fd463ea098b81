#include <gtest/gtest.h>

#include "register/stats/calendrier_stat.h"
#include "register/stats/comptes_statuts.h"

using namespace CalendrierStat;

namespace {

// The cells that hold a day, as "cell=day" pairs, for a compact view of one grid.
QStringList jours(const Calendrier& c, int premiere, int derniere)
{
    QStringList l;
    for (int i = premiere; i <= derniere; ++i)
        if (!c.jours[size_t(i)].isEmpty())
            l << QStringLiteral("%1=%2").arg(i).arg(c.jours[size_t(i)]);
    return l;
}

QList<int> cellulesGrasses(const Calendrier& c)
{
    QList<int> l;
    for (int i = 0; i < NombreCellules; ++i)
        if (c.gras[size_t(i)])
            l << i;
    return l;
}

} // namespace

TEST(CelluleCalendrier, PremierJourDuMoisSelonSonJourDeSemaine)
{
    const QDate juin(2008, 6, 10); // June 2008 begins on a Sunday
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 6, 1), juin), 6);
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 6, 2), juin), 7);
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 6, 30), juin), 35);
    const QDate mars(2008, 3, 20); // March 2008 begins on a Saturday
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 3, 1), mars), 5);
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 3, 31), mars), 35);
    // A month beginning on a Monday starts at the first cell; the largest cell is 36.
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 9, 1), QDate(2008, 9, 1)), 0);
    EXPECT_EQ(CelluleCalendrier(QDate(2010, 8, 31), QDate(2010, 8, 1)), 36); // a Sunday 1st, 31 days
}

TEST(CelluleCalendrier, MoisSuivantEtAutresMois)
{
    const QDate decembre(2008, 12, 15);
    // January 2009 (a Thursday first) is the second grid, also across the year's end.
    EXPECT_EQ(CelluleCalendrier(QDate(2009, 1, 1), decembre), 42 + 3);
    EXPECT_EQ(CelluleCalendrier(QDate(2009, 1, 31), decembre), 42 + 33);
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 11, 30), decembre), -1);
    EXPECT_EQ(CelluleCalendrier(QDate(2009, 2, 1), decembre), -1);
    // The same month of another year has no cell (neither this month's nor the next's).
    EXPECT_EQ(CelluleCalendrier(QDate(2009, 10, 5), QDate(2008, 10, 10)), -1);
    EXPECT_EQ(CelluleCalendrier(QDate(2009, 11, 5), QDate(2008, 10, 10)), -1);
    EXPECT_EQ(CelluleCalendrier(QDate(2007, 10, 5), QDate(2008, 10, 10)), -1);
    EXPECT_EQ(CelluleCalendrier(QDate(), QDate(2008, 10, 10)), -1);
}

TEST(Calendrier, LesDeuxGrillesSontRempliesEtAujourdhuiRepere)
{
    const Calendrier c = Calculer(QDate(2008, 10, 10), {});
    // October 2008 begins on a Wednesday, November 2008 on a Saturday.
    const QStringList octobre = jours(c, 0, 41);
    ASSERT_EQ(octobre.size(), 31);
    EXPECT_EQ(octobre.first(), u"2=1"_qs);
    EXPECT_EQ(octobre.last(), u"32=31"_qs);
    const QStringList novembre = jours(c, 42, 83);
    ASSERT_EQ(novembre.size(), 30);
    EXPECT_EQ(novembre.first(), u"47=1"_qs);
    EXPECT_EQ(novembre.last(), u"76=30"_qs);
    EXPECT_EQ(c.celluleAujourdhui, 11);
    EXPECT_EQ(c.moisCal1, u"OCT 2008 "_qs);
    EXPECT_EQ(c.moisCal2, u"NOV 2008 "_qs);
    EXPECT_EQ(c.dateJour, u"Nous sommes le 10/10/2008"_qs);
    EXPECT_TRUE(c.rdv.isEmpty());
    EXPECT_TRUE(cellulesGrasses(c).isEmpty());
}

TEST(Calendrier, BordsDeMoisEtDAnnee)
{
    // The last day of a 31-day month: the 30 days back still reach the 1st (of this month).
    const Calendrier fin = Calculer(QDate(2008, 12, 31), {});
    EXPECT_EQ(jours(fin, 0, 41).size(), 31);
    EXPECT_EQ(jours(fin, 42, 83).size(), 31);
    EXPECT_EQ(fin.moisCal1, u"DEC 2008 "_qs);
    EXPECT_EQ(fin.moisCal2, u"JAN 2009 "_qs);
    // The first of a month, and a short next month: the 62 days ahead reach its end.
    const Calendrier debut = Calculer(QDate(2009, 1, 1), {});
    EXPECT_EQ(jours(debut, 0, 41).size(), 31);
    EXPECT_EQ(jours(debut, 42, 83).size(), 28);
    EXPECT_EQ(debut.celluleAujourdhui, 3);
    EXPECT_EQ(debut.moisCal2, u"FEV 2009 "_qs);
    // June and July share their abbreviation.
    EXPECT_EQ(Calculer(QDate(2008, 6, 30), {}).moisCal2, u"JUI 2008 "_qs);
    EXPECT_EQ(AbreviationMois(6), AbreviationMois(7));
    EXPECT_EQ(AbreviationMois(8), u"AOU"_qs);
    EXPECT_EQ(AbreviationMois(13), QString());
}

TEST(Calendrier, EntretiensAVenir)
{
    const QDate aujourdhui(2008, 10, 10);
    const Calendrier c = Calculer(aujourdhui, {
        {u"HIER"_qs, QDate(2008, 10, 9)},
        {u"ACME"_qs, QDate(2008, 10, 10)},
        {u"SANS DATE"_qs, std::nullopt},
        {u"BETA"_qs, QDate(2008, 11, 3)},
        {u"GAMMA"_qs, QDate(2008, 11, 3)},
        {QString(), QDate(2008, 10, 20)},
        {u"LOIN"_qs, QDate(2009, 1, 15)},
        {u"UN AN APRES"_qs, QDate(2009, 10, 5)},
    });
    EXPECT_EQ(c.rdv, u"Entretien avec la société ACME le 10/10/2008\r\n"
                     "Entretien avec la société BETA le 03/11/2008\r\n"
                     "Entretien avec la société GAMMA le 03/11/2008\r\n"
                     "Entretien avec la société  le 20/10/2008\r\n"
                     "Entretien avec la société LOIN le 15/01/2009\r\n"
                     "Entretien avec la société UN AN APRES le 05/10/2009\r\n"_qs);
    // Today, the 3rd of November (two interviews, one cell) and the 20th; nothing for the
    // interviews beyond the next month, nor for next year's October in this October's grid.
    EXPECT_EQ(cellulesGrasses(c), (QList<int>{11, 21, 49}));
}

TEST(ComptesStatuts, TexteEtBarre)
{
    const QStringList& s = ComptesStatuts::statutsComptes();
    ASSERT_EQ(s.size(), 10);
    EXPECT_EQ(s.first(), u"NON EMISE"_qs);
    EXPECT_EQ(s[4], u"REPONSE - ENTRETIEN"_qs);
    EXPECT_EQ(s.last(), u"EMBAUCHE"_qs);
    EXPECT_EQ(ComptesStatuts::texteNombre(0), u"0"_qs);
    EXPECT_EQ(ComptesStatuts::texteNombre(45), u"45"_qs);
    EXPECT_EQ(ComptesStatuts::largeurBarre(0), 1);
    EXPECT_EQ(ComptesStatuts::largeurBarre(39), 3901);
    EXPECT_EQ(ComptesStatuts::largeurBarre(40), 4000);
    EXPECT_EQ(ComptesStatuts::largeurBarre(45), 4000);
    EXPECT_EQ(ComptesStatuts::largeurBarre(30000000), 4000);
    // An unknown count shows nothing and the shortest bar.
    EXPECT_EQ(ComptesStatuts::texteNombre(-1), QString());
    EXPECT_EQ(ComptesStatuts::largeurBarre(-1), 1);
}

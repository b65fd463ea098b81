#include <gtest/gtest.h>

#include "register/stats/calendrier_stat.h"

using namespace CalendrierStat;

namespace {

// The cells of a grid that hold a day, as "cell=day".
QStringList jours(const Calendrier& c, int premiere, int derniere)
{
    QStringList l;
    for (int i = premiere; i <= derniere; ++i)
        if (!c.jours[size_t(i)].isEmpty())
            l << QStringLiteral("%1=%2").arg(i).arg(c.jours[size_t(i)]);
    return l;
}

} // namespace

TEST(CelluleCalendrier, SelonLePremierJourDuMoisEtLeMoisDAujourdhui)
{
    const QDate juin(2008, 6, 10); // June 2008 begins on a Sunday, March 2008 on a Saturday
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 6, 1), juin), 6);
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 6, 2), juin), 7);
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 3, 1), QDate(2008, 3, 20)), 5);
    EXPECT_EQ(CelluleCalendrier(QDate(2010, 8, 31), QDate(2010, 8, 1)), 36); // the largest cell
    // The next month is the second grid, also across the year's end; other months have no cell,
    // nor has the same month of another year.
    const QDate decembre(2008, 12, 15);
    EXPECT_EQ(CelluleCalendrier(QDate(2009, 1, 1), decembre), 42 + 3);
    EXPECT_EQ(CelluleCalendrier(QDate(2008, 11, 30), decembre), -1);
    EXPECT_EQ(CelluleCalendrier(QDate(2009, 2, 1), decembre), -1);
    EXPECT_EQ(CelluleCalendrier(QDate(2009, 10, 5), QDate(2008, 10, 10)), -1);
    EXPECT_EQ(CelluleCalendrier(QDate(2009, 11, 5), QDate(2008, 10, 10)), -1);
}

TEST(Calendrier, GrillesCompletesAuxBordsDesMois)
{
    const Calendrier c = Calculer(QDate(2008, 10, 10), {});
    EXPECT_EQ(jours(c, 0, 41).size(), 31);
    EXPECT_EQ(jours(c, 0, 41).first(), u"2=1"_qs);
    EXPECT_EQ(jours(c, 42, 83).first(), u"47=1"_qs);
    EXPECT_EQ(jours(c, 42, 83).last(), u"76=30"_qs);
    EXPECT_EQ(c.celluleAujourdhui, 11);
    EXPECT_EQ(c.moisCal1, u"OCT 2008 "_qs);
    // The last day of a month still reaches the 1st; the first day reaches the next month's end.
    const Calendrier fin = Calculer(QDate(2008, 12, 31), {});
    EXPECT_EQ(jours(fin, 0, 41).size(), 31);
    EXPECT_EQ(jours(fin, 42, 83).size(), 31);
    EXPECT_EQ(fin.moisCal2, u"JAN 2009 "_qs);
    const Calendrier debut = Calculer(QDate(2009, 1, 1), {});
    EXPECT_EQ(jours(debut, 42, 83).size(), 28);
    EXPECT_EQ(debut.moisCal2, u"FEV 2009 "_qs);
    EXPECT_EQ(Calculer(QDate(2008, 6, 30), {}).moisCal2, u"JUI 2008 "_qs); // June and July alike
}

TEST(Calendrier, EntretiensAVenir)
{
    const Calendrier c = Calculer(QDate(2008, 10, 10), {
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
    // Today, the 20th, and the 3rd of November once for two interviews; nothing for those
    // beyond the next month, nor for next year's October in this October's grid.
    QList<int> grasses;
    for (int i = 0; i < NombreCellules; ++i)
        if (c.gras[size_t(i)])
            grasses << i;
    EXPECT_EQ(grasses, (QList<int>{11, 21, 49}));
}

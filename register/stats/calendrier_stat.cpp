#include "register/stats/calendrier_stat.h"

#include "shell/services/fonctionnel.h"

namespace CalendrierStat {

QString AbreviationMois(int mois)
{
    static const QString noms = QStringLiteral("JAN FEV MAR AVR MAI JUI JUI AOU SEP OCT NOV DEC");
    if (mois < 1 || mois > 12)
        return {};
    return noms.mid(4 * mois - 4, 3);
}

int CelluleCalendrier(const QDate& date, const QDate& aujourdhui)
{
    if (!date.isValid() || !aujourdhui.isValid())
        return -1;
    // Weekday of the month's first day, Sunday = 1 ... Saturday = 7.
    const int w = QDate(date.year(), date.month(), 1).dayOfWeek() % 7 + 1;
    const int cellule = w == 1 ? date.day() + 5 : date.day() + w - 3;
    // Months are compared with their years: an interview in October of next year is not a day of
    // this October.
    const int ecart = (date.year() * 12 + date.month()) - (aujourdhui.year() * 12 + aujourdhui.month());
    if (ecart == 1)
        return cellule + CellulesParGrille;
    if (ecart != 0)
        return -1;
    return cellule;
}

Calendrier Calculer(const QDate& aujourdhui, const QList<RendezVous>& rendezVous)
{
    Calendrier c;
    // 30 days back reach the first of this month, 62 ahead the end of the next.
    for (int i = -30; i <= 62; ++i) {
        const QDate d = aujourdhui.addDays(i);
        const int cellule = CelluleCalendrier(d, aujourdhui);
        if (cellule >= 0)
            c.jours[cellule] = QString::number(d.day());
    }
    c.celluleAujourdhui = CelluleCalendrier(aujourdhui, aujourdhui);

    const QDate suivant = aujourdhui.addMonths(1);
    c.moisCal1 = AbreviationMois(aujourdhui.month()) + u' ' + QString::number(aujourdhui.year()) + u' ';
    c.moisCal2 = AbreviationMois(suivant.month()) + u' ' + QString::number(aujourdhui.addDays(31).year()) + u' ';
    c.dateJour = QStringLiteral("Nous sommes le ") + Fonctionnel::EcrireDate(aujourdhui);

    for (const RendezVous& r : rendezVous) {
        if (!r.date || *r.date < aujourdhui)
            continue;
        c.rdv += QStringLiteral("Entretien avec la société ") + r.societe + QStringLiteral(" le ")
            + Fonctionnel::EcrireDate(*r.date) + QStringLiteral("\r\n");
        const int cellule = CelluleCalendrier(*r.date, aujourdhui);
        if (cellule >= 0)
            c.gras[cellule] = true;
    }
    return c;
}

} // namespace CalendrierStat

#pragma once
// The statistics window's calendar: two grids of 6 weeks x 7 days, Monday first, this month
// (cells 0 to 41) and the next (cells 42 to 83); today highlighted, the days of coming
// interviews in bold, and the list of those interviews.

#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace CalendrierStat {

constexpr int NombreCellules = 84;
constexpr int CellulesParGrille = 42;

// An interview of the register: the company and the interview date (none when empty or unreadable).
struct RendezVous {
    QString societe;
    std::optional<QDate> date;
};

// The three-letter name of month m (1 to 12): "JAN" ... "DEC"; June and July both read "JUI".
QString AbreviationMois(int mois);

// The cell of a date: within its grid, the Monday-first column of the month's first day plus the
// day of month minus 1 (0 to 36); plus 42 when the date lies in the month after today's. -1 when
// the date is neither in today's month nor in the next one.
int CelluleCalendrier(const QDate& date, const QDate& aujourdhui);

struct Calendrier {
    std::array<QString, NombreCellules> jours; // day numbers as text, "" for a cell without a day
    int celluleAujourdhui = -1;
    std::array<bool, NombreCellules> gras{};   // cells holding a coming interview
    QString moisCal1;                          // "OCT 2008 " (with its trailing blank)
    QString moisCal2;
    QString dateJour;                          // "Nous sommes le 10/10/2008"
    QString rdv;                               // one line per coming interview, each ended by CR LF
};

// Everything the calendar shows on a given day. Interviews are taken in the given order; those
// before today are left out; one beyond the next month is listed but marked nowhere.
Calendrier Calculer(const QDate& aujourdhui, const QList<RendezVous>& rendezVous);

} // namespace CalendrierStat

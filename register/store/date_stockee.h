#pragma once
// The dates a register holds. This program writes them as ISO text (yyyy-MM-dd); a register
// written by a spreadsheet or kept from an older copy may hold them in other forms, which are
// read as well, so that its dates show and the start-up ageing sees them.

#include <QDate>
#include <QString>
#include <optional>

class QSqlDatabase;

namespace Stockage {

// The date of a stored text: ISO (2025-03-15), with blanks around it or a time after it
// ("2025-03-15 10:30:00", "2025-03-15T10:30:00Z"); the digits run together (20250315); the
// year first with "/" or "." (2025/03/15); or the day first as a French reader writes it
// (15/03/2025, 15-03-2025, 15.03.2025, 15/03/25, a time allowed after it; a two-digit year
// below 30 is of this century). Nothing when the text is none of these or names no real day.
std::optional<QDate> lireDateStockee(const QString& texte);

// The same reading inside the register's statements: DATEISO(x) is that date as ISO text, or
// Null when x is Null or no date.
inline constexpr char16_t NomDateIso[] = u"DATEISO";
// Gives the connection DATEISO; false when the driver is not the engine's own or refused it.
bool installerDateIso(const QSqlDatabase& db);

} // namespace Stockage

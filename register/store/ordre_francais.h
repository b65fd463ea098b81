#pragma once
// The order of texts as a French reader expects it: accents and letter case count only between
// texts that are otherwise the same ("Ecole", "École", "Électricité", "Zodiac").

#include <QString>

class QSqlDatabase;
struct sqlite3;

namespace Stockage {

// The name of the order in the register's statements: "order by Societe collate FRANCAIS".
inline constexpr char16_t NomOrdreFrancais[] = u"FRANCAIS";

// Gives the connection the French order under its name (texts that differ only in letter case
// are equal); false when the driver is not the engine's own or refused it.
bool installerOrdreFrancais(const QSqlDatabase& db);

// The engine's own handle of a connection; null when the driver is not the engine's own.
sqlite3* moteurDe(const QSqlDatabase& db);

} // namespace Stockage

#include "register/store/date_stockee.h"

#include <QRegularExpression>

#include "register/store/ordre_francais.h"

#include <sqlite3.h>

namespace Stockage {

namespace {

std::optional<QDate> jour(int annee, int mois, int jourDuMois)
{
    const QDate d(annee, mois, jourDuMois);
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

int nombre(QStringView chiffres)
{
    int n = 0;
    for (const QChar c : chiffres)
        n = n * 10 + (c.unicode() - u'0');
    return n;
}

// The ISO text this program writes, read without a pattern: most dates of a register are so.
bool estIsoSimple(QStringView t)
{
    if (t.size() != 10 || t.at(4) != u'-' || t.at(7) != u'-')
        return false;
    for (const qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (t.at(i) < u'0' || t.at(i) > u'9')
            return false;
    return true;
}

} // namespace

std::optional<QDate> lireDateStockee(const QString& brut)
{
    if (estIsoSimple(brut))
        return jour(nombre(QStringView(brut).mid(0, 4)), nombre(QStringView(brut).mid(5, 2)),
                    nombre(QStringView(brut).mid(8, 2)));
    const QString texte = brut.trimmed();
    // A time may follow the date: "10:30", "10:30:00", "10:30:00.000", with its zone ("Z", "+01:00").
    static const QString heure =
        QStringLiteral("(?:(?:\\s+|T)[0-9]{1,2}:[0-9]{2}(?::[0-9]{2}(?:[.,][0-9]+)?)?\\s*(?:Z|[+-][0-9]{2}(?::?[0-9]{2})?)?)?$");
    static const QRegularExpression anneeDAbord(QStringLiteral("^([0-9]{4})([-/.])([0-9]{1,2})\\2([0-9]{1,2})") + heure);
    static const QRegularExpression accolee(QStringLiteral("^([0-9]{4})([0-9]{2})([0-9]{2})$"));
    static const QRegularExpression jourDAbord(QStringLiteral("^([0-9]{1,2})([-/.])([0-9]{1,2})\\2([0-9]{4}|[0-9]{2})") + heure);
    QRegularExpressionMatch m = anneeDAbord.match(texte);
    if (m.hasMatch())
        return jour(nombre(m.capturedView(1)), nombre(m.capturedView(3)), nombre(m.capturedView(4)));
    m = accolee.match(texte);
    if (m.hasMatch())
        return jour(nombre(m.capturedView(1)), nombre(m.capturedView(2)), nombre(m.capturedView(3)));
    m = jourDAbord.match(texte);
    if (!m.hasMatch())
        return std::nullopt;
    int annee = nombre(m.capturedView(4));
    if (m.capturedView(4).size() == 2)
        annee += annee < 30 ? 2000 : 1900;
    return jour(annee, nombre(m.capturedView(3)), nombre(m.capturedView(1)));
}

namespace {

void dateIso(sqlite3_context* contexte, int, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(contexte);
        return;
    }
    const auto* octets = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const std::optional<QDate> d =
        octets ? lireDateStockee(QString::fromUtf8(octets, sqlite3_value_bytes(arguments[0]))) : std::nullopt;
    if (!d) {
        sqlite3_result_null(contexte);
        return;
    }
    const QByteArray iso = d->toString(Qt::ISODate).toLatin1();
    sqlite3_result_text(contexte, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
}

} // namespace

bool installerDateIso(const QSqlDatabase& db)
{
    sqlite3* moteur = moteurDe(db);
    if (!moteur)
        return false;
    const QByteArray nom = QString::fromUtf16(NomDateIso).toLatin1();
    return sqlite3_create_function_v2(moteur, nom.constData(), 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                      nullptr, dateIso, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace Stockage

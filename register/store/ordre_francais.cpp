#include "register/store/ordre_francais.h"

#include <QCollator>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QStringDecoder>
#include <QVarLengthArray>
#include <QVariant>
#include <sqlite3.h>

namespace Stockage {

namespace {

QCollator* nouvelOrdre()
{
    auto* ordre = new QCollator(QLocale(QLocale::French, QLocale::France));
    ordre->setCaseSensitivity(Qt::CaseInsensitive);
    ordre->setNumericMode(false);
    ordre->setIgnorePunctuation(false);
    // The collator prepares itself on its first use: done here, so that its later uses only read.
    ordre->compare(u"a", u"b");
    return ordre;
}

// The texts as the engine stores them, UTF-8, turned into UTF-16 on the stack for the short
// texts of the register's columns (no allocation for each of the sort's comparisons).
using Texte16 = QVarLengthArray<QChar, 256>;

QStringView enUtf16(const void* octets, int longueur, Texte16& tampon)
{
    const QByteArrayView utf8(static_cast<const char*>(octets), longueur);
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    tampon.resize(decodeur.requiredSpace(longueur));
    QChar* fin = decodeur.appendToBuffer(tampon.data(), utf8);
    return QStringView(tampon.data(), fin - tampon.data());
}

int comparerPourLeMoteur(void* ordre, int longueurA, const void* a, int longueurB, const void* b)
{
    Texte16 tamponA, tamponB;
    // "Martin" and "MARTIN" are equal, as under the engine's own case-blind order: the
    // statement's next key decides between them.
    return static_cast<const QCollator*>(ordre)->compare(enUtf16(a, longueurA, tamponA),
                                                         enUtf16(b, longueurB, tamponB));
}

void libererOrdre(void* ordre) { delete static_cast<QCollator*>(ordre); }

} // namespace

sqlite3* moteurDe(const QSqlDatabase& db)
{
    const QVariant poignee = db.driver() ? db.driver()->handle() : QVariant();
    if (!poignee.isValid() || qstrcmp(poignee.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(poignee.constData());
}

bool installerOrdreFrancais(const QSqlDatabase& db)
{
    sqlite3* moteur = moteurDe(db);
    if (!moteur)
        return false;
    QCollator* ordre = nouvelOrdre();
    const QByteArray nom = QString::fromUtf16(NomOrdreFrancais).toLatin1();
    return sqlite3_create_collation_v2(moteur, nom.constData(), SQLITE_UTF8, ordre, comparerPourLeMoteur,
                                       libererOrdre) == SQLITE_OK;
}

} // namespace Stockage

#include "shell/services/fichiers_texte.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace FichiersTexte {

namespace {
bool echecSimule = false;

bool estUtf8Multioctet(const QByteArray& o)
{
    bool multi = false;
    const int n = o.size();
    for (int i = 0; i < n;) {
        const unsigned char c = static_cast<unsigned char>(o[i]);
        int suite;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) suite = 1;
        else if (c >= 0xE0 && c <= 0xEF) suite = 2;
        else if (c >= 0xF0 && c <= 0xF4) suite = 3;
        else return false;
        for (int k = 1; k <= suite; ++k) {
            if (i + k >= n)
                return false;
            const unsigned char s = static_cast<unsigned char>(o[i + k]);
            if ((s & 0xC0) != 0x80)
                return false;
        }
        // Overlong and surrogate forms are not UTF-8.
        const unsigned char s1 = static_cast<unsigned char>(o[i + 1]);
        if (c == 0xE0 && s1 < 0xA0) return false;
        if (c == 0xED && s1 > 0x9F) return false;
        if (c == 0xF0 && s1 < 0x90) return false;
        if (c == 0xF4 && s1 > 0x8F) return false;
        multi = true;
        i += suite + 1;
    }
    return multi;
}
} // namespace

QString decoder(const QByteArray& octets)
{
    if (octets.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(octets.mid(3));
    if (estUtf8Multioctet(octets))
        return QString::fromUtf8(octets);
    QStringDecoder d("windows-1252");
    if (!d.isValid())
        return QString::fromLatin1(octets);
    return d.decode(octets);
}

QByteArray encoder(const QString& texte)
{
    QStringEncoder e("windows-1252");
    if (e.isValid()) {
        QByteArray o = e.encode(texte);
        if (!e.hasError())
            return o;
    }
    return texte.toUtf8();
}

QStringList decouperLignes(const QString& texte)
{
    QStringList lignes;
    const int n = texte.size();
    int debut = 0;
    for (int i = 0; i < n; ++i) {
        if (texte.at(i) == u'\r') {
            lignes << texte.mid(debut, i - debut);
            if (i + 1 < n && texte.at(i + 1) == u'\n')
                ++i;
            debut = i + 1;
        }
    }
    if (debut < n)
        lignes << texte.mid(debut);
    return lignes;
}

QStringList decouperLignesEditees(const QString& texte)
{
    QStringList lignes;
    const int n = texte.size();
    int debut = 0;
    for (int i = 0; i < n; ++i) {
        const QChar c = texte.at(i);
        if (c == u'\r' || c == u'\n') {
            lignes << texte.mid(debut, i - debut);
            if (c == u'\r' && i + 1 < n && texte.at(i + 1) == u'\n')
                ++i;
            debut = i + 1;
        }
    }
    if (debut < n)
        lignes << texte.mid(debut);
    return lignes;
}

std::optional<QString> lire(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decoder(f.readAll());
}

std::optional<QStringList> lireLignes(const QString& chemin)
{
    const auto texte = lire(chemin);
    if (!texte)
        return std::nullopt;
    return decouperLignes(*texte);
}

std::optional<QStringList> lireLignesEditees(const QString& chemin)
{
    const auto texte = lire(chemin);
    if (!texte)
        return std::nullopt;
    return decouperLignesEditees(*texte);
}

bool ecrireOctets(const QString& chemin, const QByteArray& octets)
{
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (echecSimule) {
        f.write(octets.left(octets.size() / 2));
        f.cancelWriting();
        f.commit();
        return false;
    }
    if (f.write(octets) != octets.size()) {
        f.cancelWriting();
        f.commit();
        return false;
    }
    return f.commit();
}

bool ecrire(const QString& chemin, const QString& texte) { return ecrireOctets(chemin, encoder(texte)); }

bool ecrireLignes(const QString& chemin, const QStringList& lignes)
{
    QString texte;
    qsizetype taille = 0;
    for (const QString& l : lignes)
        taille += l.size() + 2;
    texte.reserve(taille);
    for (const QString& l : lignes) {
        texte += l;
        texte += QLatin1String("\r\n");
    }
    return ecrire(chemin, texte);
}

void simulerEchecEcriture(bool echec) { echecSimule = echec; }

} // namespace FichiersTexte

#include "cveditor/options_presentation.h"

#include <algorithm>
#include <cmath>

namespace OptionsPresentation {

QString texteCouleurBGR(quint32 bgr)
{
    // Hexadecimal of the number padded to six digits, then its pairs swapped to red first.
    const QString h = QString::number(bgr & 0xFFFFFF, 16).toUpper().rightJustified(6, u'0');
    return u'#' + h.mid(4, 2) + h.mid(2, 2) + h.mid(0, 2);
}

QString texteCouleur(const QColor& c)
{
    return texteCouleurBGR(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}

QColor teinteClaire(const QColor& c)
{
    auto t = [](int x) { return int(std::lround((255 - x) / 1.15 + x)); };
    return QColor(t(c.red()), t(c.green()), t(c.blue()));
}

Couleurs couleursDe(const QColor& c) { return {texteCouleur(c), texteCouleur(teinteClaire(c))}; }

std::optional<Couleurs> couleursDepuisDialogue(const QColor& c)
{
    if (!c.isValid() || (c.red() == 0 && c.green() == 0 && c.blue() == 0))
        return std::nullopt;
    return couleursDe(c);
}

QColor nuance(int index)
{
    static const unsigned rgb[NombreNuances] = {
        0x000000, 0x404040, 0x808080, 0xC0C0C0, 0xE0E0E0, 0xC00000, 0xFF0000, 0xC0C000, 0x808000, 0xFF80FF,
        0xC04000, 0xFF8000, 0x008080, 0x0000FF, 0xFF00FF, 0x008000, 0x00C000, 0x00C0C0, 0x0000C0, 0xC000C0};
    if (index < 0 || index >= NombreNuances)
        return {};
    return QColor::fromRgb(rgb[index]);
}

const QStringList& polices()
{
    static const QStringList p{QStringLiteral("Arial"),         QStringLiteral("Times New Roman"),
                               QStringLiteral("Verdana"),       QStringLiteral("MS Sans Serif"),
                               QStringLiteral("Impact"),        QStringLiteral("Lucida Handwriting")};
    return p;
}

QString boiteParagraphe(int index)
{
    switch (index) {
    case 0: return QStringLiteral("Gras");
    case 1: return u"Souligné"_qs;
    case 2: return QStringLiteral("Indentation");
    case 3: return QStringLiteral("Saut");
    default: return {};
    }
}

QString legendeParagraphe(int index)
{
    switch (index) {
    case 0: return u"Mise en gras des entêtes"_qs;
    case 1: return u"Souligner les entêtes"_qs;
    case 2: return u"Indentation des détails de paragraphes"_qs;
    case 3: return u"Saut de ligne avant la période"_qs;
    default: return {};
    }
}

QString legendeDisposition(int index)
{
    switch (index) {
    case 0: return u"Débutant"_qs;
    case 1: return u"Sénior"_qs;
    default: return {};
    }
}

QStringList listeModeles(const QStringList& fichiers)
{
    QStringList noms;
    for (const QString& f : fichiers)
        if (f.endsWith(QLatin1String(".htm")))
            noms << f.left(f.size() - 4);
    // In the order a folder listing shows them, without regard to case.
    std::sort(noms.begin(), noms.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return noms;
}

void appliquerClicLangue(FichierCV::ValeursCV& cv, int ligne, const QString& groupe)
{
    if (ligne < 0 || ligne >= FichierCV::langues().size())
        return;
    for (const QString& g : FichierCV::groupesLangue())
        if (g != groupe)
            cv.cocher(g, ligne, 0);
}

} // namespace OptionsPresentation

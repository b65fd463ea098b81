#include "register/capture/raccourcir_texte.h"

#include <QLocale>

namespace Annonce {

QString RaccourcirTexte(const QString& texte)
{
    if (texte.size() <= 40)
        return SansBlancs(texte);
    qsizetype k = 35; // position from 1
    while (texte.at(k - 1) != u' ' && k > 3)
        --k;
    // Never keep half of a character written as a surrogate pair.
    if (texte.at(k - 1).isHighSurrogate())
        --k;
    QString t = SansBlancs(texte.left(k));
    const QLocale locale;
    for (const QLatin1String fin : {QLatin1String(" DE"), QLatin1String(" DU"), QLatin1String(" EN"),
                                    QLatin1String(" ET")}) {
        if (t.size() > 5 && locale.toUpper(t.right(3)) == fin)
            t.chop(3);
    }
    return SansBlancs(t);
}

} // namespace Annonce

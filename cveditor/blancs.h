#pragma once
// The CV's rules trim blanks only: tabs and line breaks at the ends stay.

#include <QString>

namespace Blancs {

inline QString sansBlancsAuxBouts(const QString& t)
{
    qsizetype d = 0, f = t.size();
    while (d < f && t.at(d) == u' ')
        ++d;
    while (f > d && t.at(f - 1) == u' ')
        --f;
    return t.mid(d, f - d);
}

} // namespace Blancs

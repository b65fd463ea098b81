#pragma once
// Multi-line texts are CR LF inside the program and "\n" inside the Qt text widgets: these
// convert at the widget boundary (a lone CR counts as a line break both ways).

#include <QString>

namespace SautsLigne {

// A widget's text as the program holds it: every line break CR LF.
inline QString versCRLF(QString t)
{
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return t;
}

// A program text as a widget takes it: every line break "\n".
inline QString versWidget(QString t)
{
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

} // namespace SautsLigne

#include "platform/traductions_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool TraductionsQt::installer()
{
    auto* traduction = new QTranslator(QCoreApplication::instance());
    if (!traduction->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(traduction)) {
        delete traduction;
        return false;
    }
    return true;
}

#include "platform/traductions_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool TraductionsQt::installer()
{
    const QString nom = QStringLiteral("qtbase_fr");
    QCoreApplication* application = QCoreApplication::instance();
    // Once for the application, however many times start-up runs.
    if (application->findChild<QTranslator*>(nom, Qt::FindDirectChildrenOnly))
        return true;
    auto* traduction = new QTranslator(application);
    traduction->setObjectName(nom);
    if (!traduction->load(nom, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(traduction)) {
        delete traduction;
        return false;
    }
    return true;
}

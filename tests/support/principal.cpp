// The main of every test program: a QApplication in the French locale (the system's own when
// KERVAL_LOCALE_SYSTEME is set, for a child run under another LANG), designed waits taking no
// real time, and fakes in place of the desktop's services.
#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#include "platform/attente.h"
#include "platform/fakes/fausse_plateforme.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("KERVAL_LOCALE_SYSTEME"))
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication app(argc, argv);
    Attente::fixerAcceleration(0);
    FaussePlateforme::installer();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

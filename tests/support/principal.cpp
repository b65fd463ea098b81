// The main of every test program: a temporary folder of its own, a QApplication in the French
// locale (the system's own when KERVAL_LOCALE_SYSTEME is set, for a child run under another
// LANG), designed waits taking no real time, and fakes in place of the desktop's services.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/attente.h"
#include "platform/fakes/fausse_plateforme.h"

int main(int argc, char** argv)
{
    // A temporary folder of this program's own, for it and every program it starts: the data
    // folders, the private folder and the sockets of the copies of Kerval it runs are nobody
    // else's, whatever other test programs run beside it. It is open to all, as /tmp is.
    const QTemporaryDir temporaire(QDir::temp().filePath(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()
                                                         + QStringLiteral("-XXXXXX")));
    if (temporaire.isValid() && ::chmod(QFile::encodeName(temporaire.path()).constData(), 01777) == 0)
        qputenv("TMPDIR", QFile::encodeName(temporaire.path()));
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

#include <QApplication>

#include "platform/plateforme.h"
#include "shell/mainwindow/liens_modules.h"
#include "shell/startup/depart.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kerval"));
    QGuiApplication::setDesktopFileName(QStringLiteral(KERVAL_ID_BUREAU));
    Plateforme::installerLinux();
    installerLiensModules();
    Depart::demarrer();
    return app.exec();
}

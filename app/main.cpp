#include <QApplication>

#include "platform/plateforme.h"
#include "shell/startup/depart.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kerval"));
    Plateforme::installerLinux();
    Depart::demarrer();
    return app.exec();
}

#include <QApplication>

#include "platform/plateforme.h"
#include "register/window/form_liens.h"
#include "shell/startup/depart.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kerval"));
    Plateforme::installerLinux();
    FormCandLiens::installer();
    Depart::demarrer();
    return app.exec();
}

#include <QApplication>

#include "cveditor/formrediger_cv.h"
#include "platform/plateforme.h"
#include "shell/startup/depart.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kerval"));
    Plateforme::installerLinux();
    installerLiensEditeurCV();
    Depart::demarrer();
    return app.exec();
}

#include <QApplication>

#include "cveditor/formrediger_cv.h"
#include "letters/formlettre.h"
#include "letters/formpostuler.h"
#include "platform/plateforme.h"
#include "register/window/form_liens.h"
#include "shell/home/assistant_texte.h"
#include "shell/startup/depart.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kerval"));
    Plateforme::installerLinux();
    // The windows of the modules hook themselves to the main window's links.
    FormCandLiens::installer();
    installerLiensEditeurCV();
    installerLiensLettres();
    installerLiensEnvoi();
    installerLiensAccueil();
    Depart::demarrer();
    return app.exec();
}

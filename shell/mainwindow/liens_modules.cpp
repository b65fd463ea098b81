#include "shell/mainwindow/liens_modules.h"

#include "cveditor/formrediger_cv.h"
#include "letters/formlettre.h"
#include "letters/formpostuler.h"
#include "register/window/form_liens.h"
#include "shell/home/assistant_texte.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/registre_fenetres.h"

void installerLiensModules()
{
    FormCandLiens::installer();
    installerLiensEditeurCV();
    installerLiensLettres();
    installerLiensEnvoi();
    installerLiensAccueil();
    // The sending window's offer to convert a CV shows the main window's conversion dialog.
    LiensFenetres::afficherConversion = [] { Forme<Principale>().MenuConvFWord_Click(); };
}

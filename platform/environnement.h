#pragma once
// The environment variables the program reads, with their desktop equivalents when unset.

#include <QString>

namespace Environnement {

// The variable's value, empty when unset.
QString variable(const char* nom);

// AppData: the application-data folder (else the XDG data home, ~/.local/share).
QString dossierApplication();
// The data folder: AppData/Kerval.
QString dossierDonnees();
// userprofile: the user's profile folder (else the home folder).
QString profilUtilisateur();
// homepath: start folder of the file dialogs (else the home folder).
QString dossierPersonnel();
// temp: the temporary folder (else the system's).
QString dossierTemporaire();
// The folder where the program's shipped data lie (installed share/kerval, else the source tree's data/).
QString dossierDonneesLivrees();

} // namespace Environnement

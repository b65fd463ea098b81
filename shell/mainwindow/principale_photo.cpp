// The CV photograph commands.
#include "shell/mainwindow/principale.h"

void Principale::RattacherPhoto_Click() {}      // to come: attach a photograph file
void Principale::CollerPhoto_Click() {}         // to come: paste the clipboard's picture
void Principale::SupprimerPhoto_Click() {}      // to come: delete the photograph

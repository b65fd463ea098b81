// The applications menu commands.
#include "shell/mainwindow/principale.h"

void Principale::MenuOuvrirCand_Click() {}      // to come: open the register window
void Principale::MenuRechercherOffres_Click() {} // to come: search offers in the register's browser
void Principale::MenuSupprimer_Click() {}       // to come: delete every application
void Principale::MenuConsulterInternet_Click() {} // to come: the offer's page in the register's browser
void Principale::MenuConsulterOrigine_Click() {} // to come: the same, from the origin site
void Principale::MenuPostuler_Click() {}        // to come: the sending window
void Principale::MenuSupprimerCand_Click() {}   // to come: delete the shown application

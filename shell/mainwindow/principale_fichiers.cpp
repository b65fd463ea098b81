// The CV and letter-template file commands of the desktop menus.
#include "shell/mainwindow/principale.h"

void Principale::MenuNouveauCV_Click() {}       // to come: new CV in the CV editor
void Principale::MenuRattacherCV_Click() {}     // to come: attach a CV document
void Principale::MenuOuvrirCV_Click() {}        // to come: open the slot's CV
void Principale::MenuSupprimerCV_Click() {}     // to come: delete the slot's CV
void Principale::Renommer_Click() {}            // to come: rename the slot's CV
void Principale::MenuDupliquerCV_Click() {}     // to come: duplicate the slot's CV
void Principale::MenuOuvrirWord_Click() {}      // to come: open the word-processor copy
void Principale::MenuOuvrirLettre_Click() {}    // to come: open the slot's template
void Principale::MenuDuppliquerLettre_Click() {} // to come: duplicate the slot's template
void Principale::RenommerLettre_Click() {}      // to come: rename the slot's template
void Principale::MenuSupprimerLettre_Click() {} // to come: delete the slot's template

// The printed list of applications and the job-search activity report.
#include "shell/mainwindow/principale.h"

void Principale::MenuImprimerListe_Click() {}   // to come: the printed list of applications
void Principale::MenuJustificatif_Click() {}    // to come: the job-search activity report

// The printed list of applications and the job-search activity report.
#include "register/reports/editer_rapport.h"
#include "register/reports/rapport_html.h"
#include "shell/mainwindow/principale.h"

void Principale::MenuImprimerListe_Click() { Fonctionnel::EditerRapport(RapportHtml::ListeCandidatures); }
void Principale::MenuJustificatif_Click() { Fonctionnel::EditerRapport(RapportHtml::ActiviteRecherche); }

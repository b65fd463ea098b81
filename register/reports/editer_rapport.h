#pragma once
// Printing the register on paper by way of an HTML file: the list of applications (kind 0) or
// the job-search activity of the last 30 days (kind 1). The file ImpKerval.html is rewritten
// whole in a folder of the user's own, opened with its program, and that program is asked to
// print it (Ctrl+P) a second later.

#include <QString>
#include <QtGlobal>

namespace Fonctionnel {

// Kind 0 the list, 1 the activity; any other kind prints an empty file. A register that cannot
// be read or a file that cannot be written is reported and nothing is opened; when no program
// opens HTML pages, or it cannot be started, that is reported and nothing is sent Ctrl+P.
void EditerRapport(qint16 genre);

// The folder the report is written in: the user's private folder, which only this user can enter
// and every session reuses (platform/dossier_prive.h). Empty when there is none.
QString DossierRapport();
// The report file: "ImpKerval.html" of that folder; empty when there is none.
QString CheminRapport();

} // namespace Fonctionnel

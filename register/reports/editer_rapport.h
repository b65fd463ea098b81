#pragma once
// Printing the register on paper by way of an HTML file: the list of applications (kind 0) or
// the job-search activity of the last 30 days (kind 1). The file ImpKerval.html of the
// temporary folder is rewritten whole, opened with its program, and that program is asked to
// print it (Ctrl+P) a second later.

#include <QString>
#include <QtGlobal>

namespace Fonctionnel {

// Kind 0 the list, 1 the activity; any other kind prints an empty file. A register that cannot
// be read or a file that cannot be written is reported and nothing is opened; when no program
// opens HTML pages, or it cannot be started, that is reported and nothing is sent Ctrl+P.
void EditerRapport(qint16 genre);

// The report file: the temporary folder's "ImpKerval.html".
QString CheminRapport();

} // namespace Fonctionnel

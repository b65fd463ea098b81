#pragma once
// A folder of the user's own that no one else may enter, for what the program keeps outside the
// data folder: the report to print and the local socket of the copy that runs. It lies, in this
// order of preference, in the session's runtime folder ("kerval" in XDG_RUNTIME_DIR, when that is
// the user's and closed to others), in the temporary folder ("kerval-<uid>"), or in the user's
// cache folder ("kerval" in XDG_CACHE_HOME, else ~/.cache), which no other user can take first
// as one can take a name in the shared temporary folder. A place is used only when it is a real
// folder (never a link) of the user's, of mode 0700; a missing one is made so. One folder serves
// every session of the user, so nothing piles up from one session to the next.

#include <QString>
#include <QStringList>

namespace DossierPrive {

// The first usable place, made when missing; empty when none is usable.
QString chemin();
// The usable places that exist, in the order of preference, none made: where one copy of the
// program looks for another that may have started in a different session.
QStringList existants();
// A real folder (not a link) of this user's, of mode 0700.
bool estPrive(const QString& dossier);

} // namespace DossierPrive

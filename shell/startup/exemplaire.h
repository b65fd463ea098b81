#pragma once
// One copy of the program per data folder. The copy that starts first takes a lock file in the
// data folder and listens for the others on a local socket in the user's private folder; a second
// start on the same folder finds the lock or the socket, asks the first copy to bring its main
// window to the front or else tells the user that Kerval is already open, and ends without having
// touched the folder. A lock left behind by a copy that died (killed, crashed) is held by no living
// process, whatever program its number names by now, and is taken over. When the lock cannot be
// written (full disk, read-only folder) the socket alone keeps the second copies out; when neither
// can be had the program does not start.

#include <QString>
#include <functional>

namespace Exemplaire {

enum class Verrou {
    Pris,       // this copy holds the folder's lock
    Impossible, // the lock cannot be written (no folder, read-only, full disk)
    Tenu,       // a living copy holds it
};

enum class Ecoute {
    Ouverte,    // this copy listens for the next ones
    Occupee,    // a living copy of this user already listens for the folder
    Impossible, // no private folder, or the socket cannot be made there
};

// Takes the data folder's lock; the folder itself is made first when it is missing (nothing else
// is written). The same process taking the same folder again keeps its lock; taking another
// folder lets the first one go.
Verrou prendre(const QString& dossier);
// The lock's file in the data folder.
QString cheminVerrou(const QString& dossier);
// The local socket of the data folder, in the user's private folder; empty when there is none.
QString cheminService(const QString& dossier);

// Listens for the next starts on the folder, unless a living copy of this user already does: a
// second start then calls montrer, which brings the main window to the front. A socket left by
// a copy that died, or planted by another user, is replaced.
Ecoute ecouter(const QString& dossier, std::function<void()> montrer);
// In a second copy: asks the first one to show itself on this display; true when it did. Only a
// copy of this same user is asked, and the whole exchange ends within a few seconds.
bool appelerPremier(const QString& dossier);

// What a second copy says when the first cannot be shown.
QString messageDejaOuvert();
// What a copy says when it can neither lock the folder nor listen for the others.
QString messageSansGarde(const QString& dossier);

// The start-up's rule: true when this copy may start on the folder (and then listens for the
// next ones); false when another copy has it, which was shown or the user told, or when nothing
// could keep a second copy out, which the user is told.
bool seul(const QString& dossier, std::function<void()> montrer);

} // namespace Exemplaire

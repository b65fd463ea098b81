#pragma once
// One copy of the program per data folder. The copy that starts first takes a lock file in the
// data folder and listens for the others; a second start on the same folder finds the lock, asks
// the first copy to bring its main window to the front or else tells the user that Kerval is
// already open, and ends without having touched the folder. A lock left behind by a copy that
// died (killed, crashed) belongs to no living process and is taken over.

#include <QString>
#include <functional>

namespace Exemplaire {

enum class Verrou {
    Pris,       // this copy holds the folder's lock
    Impossible, // the lock cannot be written (no folder, read-only, full disk): start without it
    Tenu,       // a living copy holds it
};

// Takes the data folder's lock; the folder itself is made first when it is missing (nothing else
// is written). The same process taking the same folder again keeps its lock; taking another
// folder lets the first one go.
Verrou prendre(const QString& dossier);
// The lock's file in the data folder.
QString cheminVerrou(const QString& dossier);

// In the copy that holds the lock: a second start on the folder calls montrer, which brings the
// main window to the front.
void ecouter(const QString& dossier, std::function<void()> montrer);
// In a second copy: asks the first one to show itself on this display; true when it did.
bool appelerPremier(const QString& dossier);

// What a second copy says when the first cannot be shown.
QString messageDejaOuvert();

// The start-up's rule: true when this copy may start on the folder (and then listens for the
// next ones); false when another copy has it, which was shown or the user told.
bool seul(const QString& dossier, std::function<void()> montrer);

} // namespace Exemplaire

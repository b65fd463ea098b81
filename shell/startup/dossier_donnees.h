#pragma once
// The data folder (AppData/Kerval, else the desktop's data home): what ships with the program is
// laid down there when it is missing, and nothing the user has is ever overwritten.

#include <QString>
#include <QStringList>

namespace DossierDonnees {

struct Bilan {
    QStringList poses;  // entries laid down now (relative names)
    QStringList echecs; // entries that were missing and could not be laid down
};

// Creates the folder when missing, then lays down each shipped entry that is missing:
// the empty register "Kerval.mdb" (from the shipped schema), the folders "Modeles" and
// "Visualisation" (copied whole, only when the folder itself is missing), and the files
// "propositions.txt", "DocWord.doc" and "Fondr.jpg". Existing entries are left untouched.
Bilan preparer(const QString& dossier, const QString& livrees);

} // namespace DossierDonnees

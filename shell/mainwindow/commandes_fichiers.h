#pragma once
// What the desktop's file commands do to the files of the data folder: byte copies that never
// leave half a file, renames that never overwrite, and the names a rename gives.

#include <QString>
#include <QStringList>

namespace CommandesFichiers {

// The new path of a CV file renamed to the path chosen in the save-as dialog: a ".docx" file
// keeps its last five characters, any other file its last four (its extension) after every
// ".dat", ".doc" and ".pdf" typed by the user is removed.
QString nouveauNomCV(const QString& choisi, const QString& ancienNom);
// The path chosen for a CV, less the extensions the rename removes (the photograph's base).
QString baseChoisieCV(const QString& choisi, const QString& ancienNom);
// A letter template keeps what the user typed, followed by its own extension.
QString nouveauNomLettre(const QString& choisi, const QString& ancienNom);

// One rename of a set: from, to.
struct Renommage {
    QString de;
    QString vers;
};
// Renames every file of the set, or none: a target that exists stops everything before any
// change, and a rename that fails puts the earlier ones back. The message to show on failure,
// empty on success.
QString renommerTout(const QList<Renommage>& renommages);

} // namespace CommandesFichiers

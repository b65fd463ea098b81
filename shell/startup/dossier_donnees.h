#pragma once
// The data folder (AppData/Kerval, else the desktop's data home): what ships with the program is
// laid down there when it is missing, and nothing the user has is ever overwritten.

#include <QString>
#include <QStringList>
#include <optional>

#include "register/store/base_donnees.h"

namespace DossierDonnees {

struct Bilan {
    QStringList poses;   // entries laid down now (relative names, "Modeles/Basic.htm")
    QStringList echecs;  // entries that were missing and could not be laid down ("." the folder itself)
    QStringList retires; // temporary files of an interrupted register creation or save, removed
    // Why the register can be neither made nor opened in the folder (Inconnue when its creation
    // failed and nothing said why); nothing when it can.
    std::optional<Stockage::Cause> registreImpossible;
    bool dossierAbsent() const { return echecs.contains(QStringLiteral(".")); }
};

// Creates the folder when missing, then, at every start, lays down each shipped entry that is
// missing: the empty register "Kerval.mdb" (from the shipped schema), every file of the folders
// "Modeles" and "Visualisation" that the folder lacks (the folders made when missing), and the
// files "propositions.txt", "DocWord.doc" and "Fondr.jpg". Each file is written whole or not at
// all, so a start that is interrupted leaves no half file and the next start completes it.
// Existing entries are left untouched. The temporary files that an interrupted creation of the
// register leaves ("Kerval-XXXXXX.tmp" and its journal), and those of saves killed half-way
// (hidden, in the folder and in CV, Lettres and Modeles), are removed first.
Bilan preparer(const QString& dossier, const QString& livrees);

// What the user is told when the data folder cannot be made or entered; the program then stops.
QString messageDossierImpossible(const QString& dossier);
// What the user is told when the register cannot be made (or, already there, opened) in the
// data folder, and why; the program goes on without it.
QString messageRegistreImpossible(const QString& dossier, Stockage::Cause cause);

} // namespace DossierDonnees

#pragma once
// The job-board list of the register window's web panel and its file Listesites.txt in the
// data folder: one board a line, its label in capitals, blanks, its address.

#include <QString>
#include <QStringList>

namespace ListeSites {

// The offers start page that the web panel opens first.
QString adressePageOffres();
// "Listesites.txt"
QString nomFichier();
// The 200 built-in rows, in list order.
const QStringList& lignesIntegrees();

// Writes the built-in rows to the file when nothing exists at that path; false when the file
// was already there (it is then left alone) or could not be written.
bool ecrireSiAbsent(const QString& chemin);
// The lines of the file that hold a "/", in file order; empty when it cannot be read.
QStringList lire(const QString& chemin);
// The list of the window's load: the file of that folder, written first when missing.
QStringList charger(const QString& dossier);
// The address of a row: from its first "http" to its end; empty when it holds none.
QString adresseDeLigne(const QString& ligne);

} // namespace ListeSites

#pragma once
// What the program had to say while the session was ending it (a failed save at a log-out), kept
// in the data folder and shown at the next start. The file ".Kerval.messages" takes its room at
// start-up and is later written over in place, so that it can still be written on a full disk.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace MessagesDifferes {

// Room of the file, in bytes: the kept text is cut to it.
constexpr int Taille = 16384;

QString chemin(const QString& dossierDonnees);
// Makes the file and its room when they are missing; a text kept in it stays.
void reserver(const QString& dossierDonnees);
// Writes the text over what the file held; false when it could not be written.
bool ecrire(const QString& dossierDonnees, const QString& texte);
// The text kept, empty when there is none (or the file is not ours).
QString lire(const QString& dossierDonnees);
// Empties the file, keeping its room.
void effacer(const QString& dossierDonnees);

// The message of the next start: when the program was ended, and what it could not say then.
QString message(const QDateTime& arret, const QStringList& messages);

} // namespace MessagesDifferes

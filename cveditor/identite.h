#pragma once
// The identity boxes of a CV and the reader of a pasted identity block: each line is recognised
// by its shape and keywords (a name on the first two lines, a street, a postcode and town,
// telephones, an e-mail address, an age, a birth date) and written into the boxes.

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

namespace Identite {

// The identity boxes, by their CV keys: Nom, Prénom, Adresse1, Adresse2, CP, Ville, Pays, Tel,
// Mob, Email, DateNaissance, LieuNaissance, Age, NbEnfants, Situation.
const QStringList& boites();
// The family statuses of the list beside Situation, in order.
const QStringList& situations();

using Boites = QMap<QString, QString>; // box -> text; a missing box is empty

struct Analyse {
    bool faite = false; // false for a block of blanks: nothing changes, the panel stays
    Boites boites;      // every identity box after the reading, and "Identite", the edited block
};
// Reads the pasted block `identite` (CR LF line ends) over the boxes as they stand (`avant`);
// today's date serves the age rule when a birth date is found.
Analyse analyser(const QString& identite, const Boites& avant, const QDate& aujourdhui);

// The age rule, run whenever DateNaissance changes: when Age is not from 15 to 80 and the date
// is typed whole (a four-digit year) and reads as one, the number of whole 365-day periods from
// it to today; otherwise Age unchanged.
QString ageApresDate(const QString& age, const QString& dateNaissance, const QDate& aujourdhui);

// What a box holds once the user leaves it: Nom upper case; Prénom (longer than one character),
// Adresse1 and Pays capitalised words; Ville and LieuNaissance (longer than one character) a
// capital first letter. Other boxes unchanged.
QString rangerEnQuittant(const QString& boite, const QString& texte);

} // namespace Identite

#pragma once
// The merge of a cover-letter template with an application: the template's letter text,
// subject and sender, then its placeholders "#Field#" filled from the application's fields,
// the elision of "de" before the title and the source, and the salutation. Pure functions:
// texts in, texts out; today's date is an argument.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "register/store/candidature.h"

namespace Fusion {

// What the sending window takes from a template file.
struct Modele {
    std::optional<QString> texte;  // the letter ("Text1"), "<N>" turned into CR LF
    std::optional<QString> email;  // the sender's address ("Email")
    std::optional<QString> objet;  // the subject ("Objet"), only when it is not blank
    QString nom;                   // the sender's last name ("Nom=")
    QString prenom;                // the sender's first name ("Préno")
};

// Reads a template's lines: each line is recognised by its first characters, and a line may
// meet several tests; all other lines are ignored.
Modele lireModele(const QStringList& lignes);
// The same from the whole file text (lines end at CR LF or a lone CR).
Modele lireModeleTexte(const QString& texte);

// The three boxes of the sending window that the merge writes.
struct Envoi {
    QString texte;  // the letter (CR LF line ends)
    QString objet;  // the subject
    QString email;  // the sender text: "First Last<address>"
};

// Merges the template into the boxes as they stand: the letter and the sender are rewritten,
// the subject only when the template has one; then the placeholders of the letter are filled
// from the fields, taken in the order of `ordre` (the fields missing from it follow in name order).
Envoi fusionner(const Envoi& avant, const Modele& modele, const ChampsCandidature& champs,
                const QDate& aujourdhui, const QStringList& ordre = Candidatures::champs());

// "Madame, Monsieur", "Madame" or "Monsieur", from the contact's name and the advertisement.
QString salutation(const QString& nomContact, const QString& description);

} // namespace Fusion

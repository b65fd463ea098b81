#pragma once
// Composition of a letter template from the letter editor's fields, the proposed phrases and
// the gender marks. Pure functions: the editor reads its boxes, calls these and writes back.
//
// The composed text is a template: it keeps "#Titre#", "#NomContact#", "#Reference#", the date
// "#Date#" and the other placeholders of an application, which the merge fills when the letter
// is sent.

#include "letters/fichier_lettre.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace Composition {

// The proposed phrases: line k + 1 of propositions.txt in entry k, empty past the end of the file.
// A line is the paragraph digit (1 to 5), one separator character, then the phrase.
inline constexpr int NombrePropositions = 31;
using Propositions = std::array<QString, NombrePropositions>;

// The first 31 lines; the rest of a longer file is not used.
Propositions lirePropositions(const QStringList& lignes);
// The phrase file (Windows-1252 or UTF-8); an empty table when it cannot be read.
Propositions chargerPropositions(const QString& chemin);

// The numeric value of the entry's leading number (blanks skipped: "1 2 ans" is 12).
double numero(const QString& entree);
// Whether the entry belongs to paragraph i (0 to 4): its number is i + 1.
bool appartient(const QString& entree, int paragraphe);
// The entry from its third character on.
QString phrase(const QString& entree);
// Characters 3 to 12 of the entry, by which a phrase is recognised in a paragraph box.
QString cle(const QString& entree);

// "Précédent": the phrase before the one the box shows, or the paragraph's last phrase when the
// box is empty; the box's text when nothing qualifies. Gender marks are left to the caller.
QString precedente(const Propositions& p, const QString& boite, int paragraphe);
// "Suivant": the phrase after the one the box shows, coming back to the paragraph's first
// phrase after its last; empty when the table holds no phrase of the paragraph.
QString suivante(const Propositions& p, const QString& boite, int paragraphe);
// Each empty paragraph box gets the first phrase of its paragraph (marks unresolved).
void premieresPhrases(const Propositions& p, std::array<QString, FichierLettre::NombreParagraphes>& corps);

// The gender marks "(e)", "(x)", "(se)" resolved for a feminine or masculine sender.
QString resoudreGenre(const QString& texte, bool feminin);
// The same, the gender taken from the sender's first name.
QString resoudreGenrePrenom(const QString& texte, const QString& prenom);

// What a composition gives back to the editor.
struct Resultat {
    QString texte;                 // the new Text1
    QString domaine;               // Domaine lower-cased (the box itself changes)
    std::optional<QString> objet;  // e-mail templates: the new subject
    bool cadreObjetVisible = false; // the subject panel shows for an e-mail template
};

// The letter text from the editor's fields (boxes by name, paragraphs, the two pairs).
Resultat composerLettre(const FichierLettre::ValeursLettre& champs);

} // namespace Composition

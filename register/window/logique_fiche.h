#pragma once
// The register window's record rules, away from its widgets: the defaults and checks of a
// save, the columns a save writes, the snapshot the autosave watches, and the load, save and
// deletes of one application in the register.

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

#include "register/store/base_donnees.h"
#include "register/store/candidature.h"

namespace FicheCandidature {

// Messages of the window (title "Kerval", OK only unless said).
QString messageAnnonceNonIdentifiee();   // empty title while the web panel is shown
QString messageIntituleObligatoire();    // "L'intitulé est obligatoire"
QString messageDateIncorrecte();         // "La date est incorrecte"
QString questionSupprimerCandidature();  // OK and Cancel
QString questionSupprimerToutes();       // OK and Cancel

// Every field of the window, each empty (Num included).
ChampsCandidature FicheVide();

// The defaults of a save, in this order: an empty DateDiffusion takes today's date (short
// format); an empty Statut "NON EMISE"; an empty Societe "N.C."; an empty Duree
// "Indéterminée" when Nature is the whole first contract kind.
void ValeursParDefaut(ChampsCandidature& champs, const QDate& aujourdhui);

// What the checks of a save decided.
struct Controle {
    bool accepte = true;
    QString message;    // the message to show when refused
    QString champFocus; // the field that takes the focus, empty for none
};
// The checks of a save, the first failing one decides: an empty Intitule (with the long
// capture message while the web panel is shown), then DateDiffusion, DateLimite, DateEnvoi and
// DateRDV each empty or a valid date.
Controle ControlerSaisie(const ChampsCandidature& champs, bool panneauWebVisible);

// The values a save writes, columns 2 to 25 in table order: the short columns shortened to 40
// characters, Lieu cut to 50 and www to 250, the others whole; a date field read as a date,
// Null when empty (or unreadable); every text column a text, never Null.
QList<QPair<QString, QVariant>> ValeursColonnes(const ChampsCandidature& champs);

// The fields of the snapshot, in its order (Ville first, Intitule last).
const QStringList& champsEmpreinte();
// The snapshot: those fields' texts put end to end.
QString Empreinte(const ChampsCandidature& champs);

// The fields in the order a load writes them (Num after the texts, the dates last).
const QStringList& ordreChargement();

// The paste watcher's rule: Description has grown by more than 50 characters since the text
// of the last analysis or load (an advertisement pasted into it), so it is to be analysed.
bool AnnonceCollee(const QString& description, const QString& dernierTexteAnalyse);

// The number held by the field Num; nullopt when it is empty or not a number above 0.
std::optional<qint64> Numero(const ChampsCandidature& champs);

// Saves the fields (the checks are the caller's): updates the row of Num, or adds a row when
// Num is empty or names a row that no longer exists, and then puts the row's number into Num.
// False, with Num unchanged, when the register cannot be written.
// `avant`, when given, holds the fields as the window showed them when the application was
// loaded or last saved, and `saisie` the fields as the user left them before the save's
// defaults. The row of the same Num then gets only the columns whose fields differ from
// `avant`: a value the window could not show (a date in a form it does not read, bytes that are
// no text) stays as it is unless the user changed its field, and a default never replaces it.
bool Enregistrer(Stockage::BaseDonnees& base, ChampsCandidature& champs, const ChampsCandidature* avant = nullptr,
                 const ChampsCandidature* saisie = nullptr);
// The fields of one application as the window shows them (dates in the short format, "" for
// Null); nullopt when there is no such row or the read fails.
std::optional<ChampsCandidature> Charger(Stockage::BaseDonnees& base, qint64 num);
// Deletes one application; false when the statement fails.
bool Supprimer(Stockage::BaseDonnees& base, qint64 num);
// Deletes every application; false when the statement fails.
bool SupprimerToutes(Stockage::BaseDonnees& base);

} // namespace FicheCandidature

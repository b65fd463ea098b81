#pragma once
// The register window's tree, away from the tree widget: which rows the chosen sort reads, in
// which order, and the group nodes and leaves they make.

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

#include "register/store/base_donnees.h"

namespace ArbreCandidatures {

// The sort options, in the order of their buttons.
enum class Tri { Societes = 0, Dates = 1, Statuts = 2, Origine = 3 };

// What the tree needs of one application.
struct Ligne {
    qint64 num = 0;
    QString intitule;
    QString societe;
    QString statut;
    QString origine;
    std::optional<QDate> dateDiffusion;
};

struct Feuille {
    qint64 num = 0;
    QString cle;   // "s" followed by the number
    QString texte; // publication date (short format, empty when none), a blank, Intitule, ", ", Societe
};

struct Groupe {
    QString cle; // key and text are the same
    QString texte;
    QList<Feuille> feuilles;
};

// The statement of a sort: by company, by publication date (newest first, none last), by
// status (descending), by source.
QString Requete(Tri tri);

// The group text of a row: the company; "Date : " and the publication date; "Candidatures "
// and the status in lower case with "emise" written "émises"; "Origine : " and the source.
// A text whose numeric value is above 0 is prefixed with "Valeur " ("Valeur 3M").
QString TexteGroupe(const Ligne& ligne, Tri tri);
QString TexteFeuille(const Ligne& ligne);
QString CleFeuille(qint64 num);
// The number of a leaf key ("s12" gives 12); nullopt for any other key.
std::optional<qint64> NumeroDeCle(const QString& cle);

// The groups in order of first appearance, each with its leaves in row order. A new group
// starts whenever the text differs from the previous row's; a text met again later adds its
// rows to the group already made.
QList<Groupe> Grouper(const QList<Ligne>& lignes, Tri tri);

// The rows of the register in the order of the sort; nullopt when the register cannot be read.
std::optional<QList<Ligne>> Lire(Stockage::BaseDonnees& base, Tri tri);

} // namespace ArbreCandidatures

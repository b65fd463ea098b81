#pragma once
// One application of the register: its detail fields by the register window's field names
// (Intitule, Description, ..., Email, DateDiffusion, ...), each as text, "" when empty.
// Dates are texts in the user's short date format; multi-line texts use CR LF.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

using ChampsCandidature = QMap<QString, QString>;

namespace Candidatures {

enum class Genre { Compteur, Texte, TexteLong, Date };

struct Colonne {
    QString colonne; // column of the table Candidatures
    QString champ;   // field of the register window
    Genre genre;
};

// The 25 columns in table order, Num first.
const QList<Colonne>& colonnes();
// The window field names in table order (Num first).
const QStringList& champs();

// The eleven statuses of the status list, "NON EMISE" (index 0) to "EMBAUCHE" (index 10).
const QStringList& statuts();
// The status written only by the start-up ageing.
QString sansReponseApresEntretien();

} // namespace Candidatures

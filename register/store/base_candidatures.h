#pragma once
// The register file Kerval.mdb and its table Candidatures: open, create empty, count, and
// the start-up ageing of the statuses.

#include <QDate>
#include <QString>
#include <memory>

#include "register/store/base_donnees.h"

class BaseCandidatures {
public:
    // The register of the current directory: "Kerval.mdb" there.
    static QString cheminParDefaut();

    // Opens a register file shared and for writing. Null when the file is not a valid
    // SQLite file holding the table Candidatures; the file is then left as it was.
    static std::unique_ptr<BaseCandidatures> ouvrir(const QString& chemin);
    // Creates an empty register from the shipped schema (Kerval.sql of the shipped data).
    // False, and nothing written, when the path already exists or the schema cannot be read.
    static bool creerVide(const QString& chemin);
    // The same from a given schema script.
    static bool creerVideDepuis(const QString& chemin, const QString& schema);
    // The schema script shipped with the program, empty when it cannot be read.
    static QString schemaLivre();

    // Number of applications; -1 when the count fails.
    int nombreCandidatures();
    // Start-up ageing, three statements in this order, all or none:
    //  sent and waiting for 30 days or more past the sending date -> "EMISE - SANS REPONSE";
    //  interview to come whose date is before today -> "ENTRETIEN EFFECTUE - ATTENTE REPONSE";
    //  interview done, waiting, date + 30 days before today -> "SANS REPONSE APRES ENTRETIEN".
    // The second feeds the third, so an interview long past takes both steps in one start.
    // False when the statements fail (nothing is then changed).
    bool vieillirStatuts(const QDate& aujourdhui);

    Stockage::BaseDonnees& base() { return *base_; }
    void fermer() { base_->fermer(); }

private:
    explicit BaseCandidatures(std::unique_ptr<Stockage::BaseDonnees> base) : base_(std::move(base)) {}
    std::unique_ptr<Stockage::BaseDonnees> base_;
};

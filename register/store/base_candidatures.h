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

    // Opens a register file shared, for writing when it can be written, else for reading only
    // (Stockage::BaseDonnees::ouvrir checks it first). Null when the file is missing, busy,
    // damaged or not a SQLite file holding the table Candidatures; the file is then left as it
    // was, and `etat` says why (Illisible for a database without the table, CheminTropLong for
    // a path the engine cannot open or a missing register in a folder too deep to make one).
    static std::unique_ptr<BaseCandidatures> ouvrir(const QString& chemin, Stockage::Etat* etat = nullptr);

    // What the user is told when the register at that path is damaged or cannot be read: it
    // was left as it is, and where it lies.
    static QString messageEndommage(const QString& chemin);
    // What the register window says when the register can only be read.
    static QString messageLectureSeule();
    // Why a write of the register failed, as the user reads it ("le disque est plein"); the
    // engine's own words are added when the cause is unknown.
    static QString raison(Stockage::Cause cause, const QString& texteMoteur = {});
    // The shown application could not be saved: while the window stays, its fields still show
    // what was typed; when it closes (fermeture), the last changes are lost.
    static QString messageEchecEnregistrement(Stockage::Cause cause, bool fermeture, const QString& texteMoteur = {});
    // One application (or every one, toutes) could not be deleted.
    static QString messageEchecSuppression(Stockage::Cause cause, bool toutes, const QString& texteMoteur = {});
    // Creates an empty register from the shipped schema (Kerval.sql of the shipped data).
    // False, and nothing written, when the path already exists, the schema cannot be read or
    // the register cannot be made there; `cause` then says why when the system or the engine
    // told (CheminTropLong: the engine opens no file so deep in the folders).
    static bool creerVide(const QString& chemin, Stockage::Cause* cause = nullptr);
    // The same from a given schema script.
    static bool creerVideDepuis(const QString& chemin, const QString& schema, Stockage::Cause* cause = nullptr);
    // The longest path of a folder in which a register can be made, in bytes once its links
    // are resolved (the register is built there under a longer temporary name first).
    static qsizetype longueurDossierMax();
    // The schema script shipped with the program, empty when it cannot be read.
    static QString schemaLivre();

    // Number of applications; -1 when the count fails.
    int nombreCandidatures();
    // Start-up ageing, three statements in this order, all or none:
    //  sent and waiting, sending date + 30 days before today -> "EMISE - SANS REPONSE";
    //  interview to come whose date is before today -> "ENTRETIEN EFFECTUE - ATTENTE REPONSE";
    //  interview done, waiting, date + 30 days before today -> "SANS REPONSE APRES ENTRETIEN".
    // The second feeds the third, so an interview long past takes both steps in one start.
    // Dates are read in every form a register may hold them in (Stockage::lireDateStockee).
    // False when the statements fail or the register can only be read (nothing is then changed).
    bool vieillirStatuts(const QDate& aujourdhui);

    bool lectureSeule() const { return base_->lectureSeule(); }

    Stockage::BaseDonnees& base() { return *base_; }
    void fermer() { base_->fermer(); }

private:
    explicit BaseCandidatures(std::unique_ptr<Stockage::BaseDonnees> base) : base_(std::move(base)) {}
    std::unique_ptr<Stockage::BaseDonnees> base_;
};

#pragma once
// The register's database layer: a workspace, a database opened on a file, record sets on a
// statement. SQLite through Qt SQL underneath; every value is bound, never pasted into a
// statement.
//
// A record set reads all its rows when it opens and keeps no cursor open, so an idle record
// set never holds a lock on the file: the main window's handles, the register window's own
// and those of the report may stay open side by side and each still writes.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <optional>
#include <vector>

namespace Stockage {

class Connexion;
class JeuEnregistrements;

// What opening a database file found.
enum class Etat {
    Ouverte,      // opened shared, for reading and writing
    LectureSeule, // opened for reading only: the file or its folder cannot be written
    Absente,      // no file at that path
    Illisible,    // not a database the engine can read: a foreign file, a folder, no permission
    Endommagee,   // a database file that fails the engine's check of its pages
    Occupee,      // held by another program beyond the busy timeout
    CheminTropLong, // a path longer than the engine opens (BaseDonnees::longueurCheminMax)
};

// Why an opening or a write failed, as the system told the engine.
enum class Cause {
    Inconnue,     // no failure, or one the engine did not explain
    Absente,      // no file at that path
    Illisible,    // not a database the engine can read
    Endommagee,   // a database file that fails the engine's check of its pages
    Occupee,      // held by another program
    DisquePlein,  // no space left on the disk (or the size a file may reach)
    LectureSeule, // the disk or its file system can only be read
    Permission,   // no right to write the file or its folder
    ErreurDisque, // the disk failed to read or write
    CheminTropLong, // the file's path is longer than the engine opens
    NumerosEpuises, // a new row found every number of the key already given (the largest one taken)
};
// The cause of a failed opening.
Cause causeOuverture(Etat etat);
// What the system says of writing a file and its folder: a read-only file system, no right to
// write, no space left; Inconnue when it sees nothing against it.
Cause causeSysteme(const QString& fichier);

// An open database file. Several may be open at once on the same file.
class BaseDonnees {
public:
    ~BaseDonnees();
    BaseDonnees(const BaseDonnees&) = delete;
    BaseDonnees& operator=(const BaseDonnees&) = delete;

    // Opens an existing SQLite file shared, for writing when the file and its folder can be
    // written, else for reading only. Before anything else the engine checks every page of
    // the file (quick_check); a file that fails is closed again. Null when the path is missing,
    // is not a regular readable file starting with the SQLite header, fails the check or is held
    // by another program; `etat` then says which. The file is never created, changed or
    // "repaired" by a failed open. Never throws.
    static std::unique_ptr<BaseDonnees> ouvrir(const QString& chemin, Etat* etat = nullptr);
    // True when the path names an existing non-empty file that starts with the SQLite header.
    static bool estFichierSQLite(const QString& chemin);
    // The longest path of a database file that the engine opens (it names its journal after
    // the file, 8 bytes longer), in bytes of the path once its links are resolved.
    static qsizetype longueurCheminMax();
    // The length of a path as the engine counts it: made absolute, its links resolved, in bytes.
    static qsizetype longueurChemin(const QString& chemin);

    // A record set on a statement with "?" parameters. Null when the statement fails.
    std::unique_ptr<JeuEnregistrements> ouvrirJeu(const QString& requete, const QVariantList& parametres = {});
    // Runs a statement with "?" parameters; false when it fails.
    bool executer(const QString& requete, const QVariantList& parametres = {});
    // Rows changed by the last executer().
    int lignesModifiees() const { return lignesModifiees_; }
    // The first column of the first row of a statement; nullopt when it fails or gives no row.
    std::optional<QVariant> valeurUnique(const QString& requete, const QVariantList& parametres = {});

    // Transactions: debuter() then valider() or annuler(). A valider() that fails undoes the
    // whole transaction.
    bool debuter();
    bool valider();
    bool annuler();

    void fermer();
    bool estOuverte() const { return connexion_ != nullptr; }
    // Opened for reading only: every write fails.
    bool lectureSeule() const { return lectureSeule_; }
    QString chemin() const { return chemin_; }
    QString derniereErreur() const { return erreur_; }
    // The last statement failed because another program held the file.
    bool occupee() const;
    // Why the last statement (or the last write of one of its record sets) failed, and the
    // engine's own words for it.
    Cause causeEchec() const;
    QString texteEchec() const;

private:
    BaseDonnees() = default;
    Etat verifier();
    std::shared_ptr<Connexion> connexion_;
    QString chemin_;
    QString erreur_;
    int lignesModifiees_ = 0;
    bool lectureSeule_ = false;
    Cause causeLectureSeule_ = Cause::LectureSeule; // why the file cannot be written, when so
};

// The designed workspace: opens databases. Holds nothing of its own.
class EspaceTravail {
public:
    std::unique_ptr<BaseDonnees> ouvrirBase(const QString& chemin) { return BaseDonnees::ouvrir(chemin); }
    void fermer() {}
};

// The rows of a statement, with a current row. Moving past the last row sets the end of file.
// When the statement reads whole rows of one table with an integer key ("select * from
// Table ..."), rows can be edited and added.
class JeuEnregistrements {
public:
    ~JeuEnregistrements();
    JeuEnregistrements(const JeuEnregistrements&) = delete;
    JeuEnregistrements& operator=(const JeuEnregistrements&) = delete;

    // Number of rows of the set (every row, whether visited or not).
    int nombreEnregistrements() const { return int(lignes_.size()); }
    bool estVide() const { return lignes_.empty(); }
    // Each move abandons an edit or a new row that was not stored (mettreAJour).
    void premier();
    void suivant();
    void precedent();
    void dernier();
    // Past the last row (or the set is empty).
    bool finFichier() const { return lignes_.empty() || position_ >= int(lignes_.size()); }
    // Before the first row (or the set is empty).
    bool debutFichier() const { return position_ < 0 || lignes_.empty(); }

    // Column names of the statement, in its order.
    const QStringList& colonnes() const { return colonnes_; }
    // The value of a column (name compared without regard to case) of the current row, or of
    // the row being edited or added. Null when there is no current row or no such column.
    QVariant valeur(const QString& colonne) const;
    // The value as text, "" when Null.
    QString texte(const QString& colonne) const;
    // The value read as a date (ISO as this program writes it, or another usual form:
    // lireDateStockee), nullopt when Null or not a date.
    std::optional<QDate> date(const QString& colonne) const;

    // Starts editing the current row. False when there is none or the set cannot be edited.
    bool modifier();
    // Starts a new row, every column Null. False when the set cannot be edited.
    bool ajouterNouveau();
    // Sets a column of the row being edited or added. A QDate is stored as ISO text, a null
    // QVariant as Null. False when no edit is under way or there is no such column.
    bool fixer(const QString& colonne, const QVariant& valeur);
    // Writes the row being edited or added. A new row gets its key from the engine, becomes
    // the current row and is read back whole (defaults included). False when the write fails
    // (the edit is then abandoned) or the edited row no longer exists.
    bool mettreAJour();
    // Abandons the edit or the new row.
    void annulerModification();
    bool enModification() const { return mode_ != Mode::Aucun; }

    void fermer();
    QString derniereErreur() const { return erreur_; }

private:
    friend class BaseDonnees;
    JeuEnregistrements() = default;
    int indexColonne(const QString& nom) const;
    // Every number of the key has been given: the engine has none for a new row.
    bool numerosEpuises() const;

    enum class Mode { Aucun, Edition, Ajout };
    std::shared_ptr<Connexion> connexion_;
    QStringList colonnes_;
    std::vector<QVariantList> lignes_;
    int position_ = 0;
    QString table_;     // the table of "select * from <table>", empty when not editable
    int indexCle_ = -1; // the column of the integer key among colonnes_
    Mode mode_ = Mode::Aucun;
    QVariantList tampon_;
    std::vector<bool> fixees_;
    QString erreur_;
};

} // namespace Stockage

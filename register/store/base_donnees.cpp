#include "register/store/base_donnees.h"

#include "register/store/date_stockee.h"
#include "register/store/ordre_francais.h"
#include "shell/services/fichiers_texte.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QHash>
#include <QMutex>
#include <atomic>
#include <limits>
#include <sqlite3.h>
#include <cerrno>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace Stockage {

namespace {

constexpr int delaiOccupeMs = 2000;

// A value as the engine stores it: dates as ISO text, a null QVariant as Null.
QVariant valeurStockee(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return v.toDateTime().date().toString(Qt::ISODate);
    default:
        return v;
    }
}

// The identity and version of a file as the system gives it: device, inode, size, times.
struct Empreinte {
    dev_t appareil = 0;
    ino_t inode = 0;
    off_t taille = 0;
    qint64 modification = 0; // ns
    qint64 changement = 0;   // ns
    bool operator==(const Empreinte&) const = default;
};

std::optional<Empreinte> empreinte(const QString& chemin)
{
    struct stat st {};
    if (::stat(QFile::encodeName(chemin).constData(), &st) != 0)
        return std::nullopt;
    return Empreinte{st.st_dev, st.st_ino, st.st_size, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                     qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

// The files found sound by the check, as they were when this process last saw them: opening one
// of them again unchanged needs no second check. Every write of this process, and the closing of
// its connections, notes the file's new state; a change made by anyone else makes it checked again.
class FichiersVerifies {
public:
    static FichiersVerifies& instance()
    {
        static FichiersVerifies f;
        return f;
    }
    bool estSain(const QString& chemin)
    {
        const auto e = empreinte(chemin);
        const QMutexLocker verrou(&mutex_);
        return e && sains_.value(chemin) == *e;
    }
    void noterSain(const QString& chemin)
    {
        const auto e = empreinte(chemin);
        const QMutexLocker verrou(&mutex_);
        if (e)
            sains_.insert(chemin, *e);
        else
            sains_.remove(chemin);
    }

private:
    QMutex mutex_;
    QHash<QString, Empreinte> sains_;
};

} // namespace

Cause causeSysteme(const QString& fichier)
{
    const QFileInfo info(fichier);
    for (const QString& chemin : {info.absoluteFilePath(), info.absolutePath()}) {
        if (::access(QFile::encodeName(chemin).constData(), W_OK) != 0) {
            if (errno == EROFS)
                return Cause::LectureSeule;
            if (errno == EACCES || errno == EPERM)
                return Cause::Permission;
        }
    }
    struct statvfs fs {};
    if (::statvfs(QFile::encodeName(info.absolutePath()).constData(), &fs) == 0 && (fs.f_bavail == 0 || fs.f_favail == 0))
        return Cause::DisquePlein;
    return Cause::Inconnue;
}

Cause causeOuverture(Etat etat)
{
    switch (etat) {
    case Etat::Absente:
        return Cause::Absente;
    case Etat::Illisible:
        return Cause::Illisible;
    case Etat::Endommagee:
        return Cause::Endommagee;
    case Etat::Occupee:
        return Cause::Occupee;
    case Etat::LectureSeule:
        return Cause::LectureSeule;
    case Etat::CheminTropLong:
        return Cause::CheminTropLong;
    case Etat::Ouverte:
        break;
    }
    return Cause::Inconnue;
}

// One Qt SQL connection with a name of its own, removed when its last user lets go of it.
class Connexion {
public:
    static std::shared_ptr<Connexion> ouvrir(const QString& chemin, bool lectureSeule, QString& erreur)
    {
        static std::atomic<int> compteur{0};
        auto c = std::shared_ptr<Connexion>(new Connexion(QStringLiteral("kerval-base-%1").arg(++compteur)));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c->nom_);
            db.setDatabaseName(chemin);
            QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(delaiOccupeMs);
            if (lectureSeule)
                options += QStringLiteral(";QSQLITE_OPEN_READONLY");
            db.setConnectOptions(options);
            if (!db.open()) {
                erreur = db.lastError().text();
                return nullptr;
            }
            // The register's texts are ordered as a French reader expects, and its dates read in
            // every usual form.
            if (!installerOrdreFrancais(db)) {
                erreur = QStringLiteral("L'ordre alphabétique français n'a pas pu être installé.");
                return nullptr;
            }
            if (!installerDateIso(db)) {
                erreur = QStringLiteral("La lecture des dates n'a pas pu être installée.");
                return nullptr;
            }
        }
        return c;
    }
    ~Connexion()
    {
        // At process exit, once the application object is gone, Qt SQL's own registry may be
        // gone too: the connection is then left to the end of the process.
        if (!QCoreApplication::instance())
            return;
        {
            QSqlDatabase db = QSqlDatabase::database(nom_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(nom_);
        apresEcriture();
    }
    // The file, checked sound, has been written by this connection: its new state is noted.
    void apresEcriture() const
    {
        if (saine_)
            FichiersVerifies::instance().noterSain(chemin_);
    }
    void marquerSaine(const QString& chemin)
    {
        chemin_ = chemin;
        saine_ = true;
        apresEcriture();
    }
    QSqlDatabase db() const { return QSqlDatabase::database(nom_, false); }

    // Prepares, binds and runs a statement.
    bool executer(QSqlQuery& q, const QString& requete, const QVariantList& parametres, QString& erreur) const
    {
        q.setForwardOnly(true);
        code_ = 0;
        bool ok = q.prepare(requete);
        if (ok) {
            for (int i = 0; i < parametres.size(); ++i)
                q.bindValue(i, valeurStockee(parametres.at(i)));
            ok = q.exec();
        }
        if (!ok) {
            erreur = q.lastError().text();
            noterEchec(q.lastError());
        }
        return ok;
    }
    // The engine's result code of an error: its primary code (an extended code holds it in its
    // low byte); -1 when the error carries none.
    static int code(const QSqlError& e)
    {
        bool ok = false;
        const int c = e.nativeErrorCode().toInt(&ok);
        return ok ? (c & 0xFF) : -1;
    }
    // SQLITE_BUSY or SQLITE_LOCKED: another connection holds the file.
    static bool estOccupee(const QSqlError& e) { return estOccupee(code(e)); }
    static bool estOccupee(int code) { return code == SQLITE_BUSY || code == SQLITE_LOCKED; }
    void noterEchec(const QSqlError& e) const
    {
        code_ = code(e);
        texte_ = e.databaseText();
        numerosEpuises_ = false;
    }
    // The last failure, the engine's "full", came from the key's numbers, not from the disk.
    void noterNumerosEpuises() const { numerosEpuises_ = true; }
    bool numerosEpuises() const { return numerosEpuises_; }
    // The last failure of this connection was the file being held by another.
    bool occupee() const { return estOccupee(code_); }
    // The result code of the last failed statement, 0 when the last one succeeded.
    int codeEchec() const { return code_; }
    QString texteEchec() const { return texte_; }

private:
    explicit Connexion(QString nom) : nom_(std::move(nom)) {}
    QString nom_;
    QString chemin_;
    bool saine_ = false;
    mutable int code_ = 0;
    mutable QString texte_;
    mutable bool numerosEpuises_ = false;
};

// ---------------------------------------------------------------------------------------------
// BaseDonnees

BaseDonnees::~BaseDonnees() = default;

bool BaseDonnees::estFichierSQLite(const QString& chemin)
{
    const QFileInfo info(chemin);
    if (!info.exists() || !info.isFile() || info.size() < 100)
        return false;
    QFile f(chemin);
    if (!FichiersTexte::ouvrir(f))
        return false;
    static const QByteArray entete("SQLite format 3\0", 16);
    return f.read(16) == entete;
}

qsizetype BaseDonnees::longueurCheminMax()
{
    const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    return (vfs ? vfs->mxPathname : 512) - 8;
}

qsizetype BaseDonnees::longueurChemin(const QString& chemin)
{
    const QFileInfo info(chemin);
    QString complet = info.exists() ? info.canonicalFilePath() : QString();
    if (complet.isEmpty()) {
        const QString dossier = QFileInfo(info.absolutePath()).canonicalFilePath();
        complet = (dossier.isEmpty() ? info.absolutePath() : dossier) + u'/' + info.fileName();
    }
    return QFile::encodeName(complet).size();
}

std::unique_ptr<BaseDonnees> BaseDonnees::ouvrir(const QString& chemin, Etat* etat)
{
    Etat local = Etat::Ouverte;
    Etat& e = etat ? *etat : local;
    const QFileInfo info(chemin);
    // The engine opens no file whose path is longer than it can name the journal of.
    if (longueurChemin(chemin) > longueurCheminMax()) {
        e = Etat::CheminTropLong;
        return nullptr;
    }
    if (!info.exists() && !info.isSymLink()) {
        e = Etat::Absente;
        return nullptr;
    }
    // SQLite would take an empty file as a new database: check first, so that a foreign file
    // is never written to.
    e = Etat::Illisible;
    if (!estFichierSQLite(chemin) || !info.isReadable())
        return nullptr;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return nullptr;
    // A write needs the file and, for its journal, its folder.
    const bool lectureSeule = !info.isWritable() || !QFileInfo(info.absolutePath()).isWritable();
    std::unique_ptr<BaseDonnees> base(new BaseDonnees);
    base->chemin_ = chemin;
    base->lectureSeule_ = lectureSeule;
    if (const Cause cause = lectureSeule ? causeSysteme(chemin) : Cause::Inconnue; cause != Cause::Inconnue)
        base->causeLectureSeule_ = cause;
    base->connexion_ = Connexion::ouvrir(chemin, lectureSeule, base->erreur_);
    if (!base->connexion_)
        return nullptr;
    const QString absolu = info.absoluteFilePath();
    e = FichiersVerifies::instance().estSain(absolu) ? Etat::Ouverte : base->verifier();
    if (e != Etat::Ouverte)
        return nullptr;
    base->connexion_->marquerSaine(absolu);
    if (lectureSeule) {
        e = Etat::LectureSeule;
        return base;
    }
    // Each write reaches the disk before the statement returns.
    if (!base->executer(QStringLiteral("PRAGMA synchronous=FULL"))) {
        e = base->occupee() ? Etat::Occupee : Etat::Illisible;
        return nullptr;
    }
    return base;
}

Etat BaseDonnees::verifier()
{
    // The engine walks every page of the file. A page that cannot be read or is not what its
    // parent says makes the file damaged; a file held by another program is only busy. (After
    // a crash the engine first puts back what the journal holds: that is its own recovery.)
    QSqlQuery q(connexion_->db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("PRAGMA quick_check(1)"))) {
        erreur_ = q.lastError().text();
        return Connexion::estOccupee(q.lastError()) ? Etat::Occupee : Etat::Endommagee;
    }
    if (!q.next()) {
        erreur_ = q.lastError().text();
        return Etat::Endommagee;
    }
    const QString verdict = q.value(0).toString();
    if (verdict != u"ok") {
        erreur_ = verdict;
        return Etat::Endommagee;
    }
    return Etat::Ouverte;
}

std::unique_ptr<JeuEnregistrements> BaseDonnees::ouvrirJeu(const QString& requete, const QVariantList& parametres)
{
    if (!connexion_) {
        erreur_ = QStringLiteral("La base n'est pas ouverte.");
        return nullptr;
    }
    std::unique_ptr<JeuEnregistrements> jeu(new JeuEnregistrements);
    {
        QSqlQuery q(connexion_->db());
        if (!connexion_->executer(q, requete, parametres, erreur_))
            return nullptr;
        const QSqlRecord enTete = q.record();
        for (int i = 0; i < enTete.count(); ++i)
            jeu->colonnes_ << enTete.fieldName(i);
        const int n = int(jeu->colonnes_.size());
        while (q.next()) {
            QVariantList ligne;
            ligne.reserve(n);
            for (int i = 0; i < n; ++i)
                ligne << q.value(i);
            jeu->lignes_.push_back(std::move(ligne));
        }
        if (q.lastError().isValid()) {
            erreur_ = q.lastError().text();
            return nullptr;
        }
    }
    jeu->connexion_ = connexion_;

    // "select * from <table> ..." on a table with an integer key can be edited.
    static const QRegularExpression forme(
        QStringLiteral("^\\s*select\\s+\\*\\s+from\\s+([A-Za-z_][A-Za-z0-9_]*)(\\s+(where|order)\\b.*)?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = forme.match(requete);
    if (m.hasMatch()) {
        const QString table = m.captured(1);
        QSqlQuery info(connexion_->db());
        QString ignore;
        if (connexion_->executer(info, QStringLiteral("select name, type, pk from pragma_table_info(?)"),
                                 {table}, ignore)) {
            while (info.next()) {
                if (info.value(2).toInt() == 1 && info.value(1).toString().compare(u"INTEGER", Qt::CaseInsensitive) == 0) {
                    jeu->table_ = table;
                    jeu->indexCle_ = jeu->indexColonne(info.value(0).toString());
                }
            }
        }
        if (jeu->indexCle_ < 0)
            jeu->table_.clear();
    }
    return jeu;
}

bool BaseDonnees::executer(const QString& requete, const QVariantList& parametres)
{
    lignesModifiees_ = 0;
    if (!connexion_) {
        erreur_ = QStringLiteral("La base n'est pas ouverte.");
        return false;
    }
    QSqlQuery q(connexion_->db());
    const bool ok = connexion_->executer(q, requete, parametres, erreur_);
    if (ok)
        lignesModifiees_ = q.numRowsAffected();
    q.finish();
    connexion_->apresEcriture();
    return ok;
}

std::optional<QVariant> BaseDonnees::valeurUnique(const QString& requete, const QVariantList& parametres)
{
    if (!connexion_)
        return std::nullopt;
    QSqlQuery q(connexion_->db());
    if (!connexion_->executer(q, requete, parametres, erreur_) || !q.next())
        return std::nullopt;
    return q.value(0);
}

bool BaseDonnees::debuter() { return connexion_ && connexion_->db().transaction(); }
bool BaseDonnees::valider()
{
    if (!connexion_)
        return false;
    QSqlDatabase db = connexion_->db();
    const bool ok = db.commit();
    if (!ok) {
        // The engine keeps a transaction whose commit failed (the file busy) open: undo it, so
        // that the handle does not go on writing inside a transaction that nothing will ever commit.
        erreur_ = db.lastError().text();
        connexion_->noterEchec(db.lastError());
        db.rollback();
    }
    connexion_->apresEcriture();
    return ok;
}
bool BaseDonnees::annuler()
{
    if (!connexion_)
        return false;
    const bool ok = connexion_->db().rollback();
    connexion_->apresEcriture();
    return ok;
}

void BaseDonnees::fermer() { connexion_.reset(); }

bool BaseDonnees::occupee() const { return connexion_ && connexion_->occupee(); }

Cause BaseDonnees::causeEchec() const
{
    if (!connexion_)
        return Cause::Inconnue;
    switch (connexion_->codeEchec()) {
    case SQLITE_FULL:
        return connexion_->numerosEpuises() ? Cause::NumerosEpuises : Cause::DisquePlein;
    case SQLITE_READONLY:
        return lectureSeule_ ? causeLectureSeule_ : Cause::LectureSeule;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return Cause::Permission;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Cause::Occupee;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Cause::Endommagee;
    case SQLITE_IOERR: { // the system may say more (a full disk, a folder made read-only)
        const Cause systeme = causeSysteme(chemin_);
        return systeme != Cause::Inconnue ? systeme : Cause::ErreurDisque;
    }
    case SQLITE_CANTOPEN: // the journal beside the file could not be made
        return causeSysteme(chemin_);
    default:
        return Cause::Inconnue;
    }
}

QString BaseDonnees::texteEchec() const { return connexion_ ? connexion_->texteEchec() : erreur_; }

// ---------------------------------------------------------------------------------------------
// JeuEnregistrements

JeuEnregistrements::~JeuEnregistrements() = default;

int JeuEnregistrements::indexColonne(const QString& nom) const
{
    for (int i = 0; i < colonnes_.size(); ++i)
        if (colonnes_.at(i).compare(nom, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// Moving to another row abandons an edit or a new row that was not stored.
void JeuEnregistrements::premier()
{
    annulerModification();
    position_ = 0;
}
void JeuEnregistrements::suivant()
{
    annulerModification();
    if (position_ < int(lignes_.size()))
        ++position_;
}
void JeuEnregistrements::precedent()
{
    annulerModification();
    if (position_ >= 0)
        --position_;
}
void JeuEnregistrements::dernier()
{
    annulerModification();
    position_ = int(lignes_.size()) - 1;
}

QVariant JeuEnregistrements::valeur(const QString& colonne) const
{
    const int i = indexColonne(colonne);
    if (i < 0)
        return QVariant();
    if (mode_ != Mode::Aucun)
        return tampon_.at(i);
    if (position_ < 0 || position_ >= int(lignes_.size()))
        return QVariant();
    return lignes_[size_t(position_)].at(i);
}

QString JeuEnregistrements::texte(const QString& colonne) const
{
    const QVariant v = valeur(colonne);
    return v.isNull() ? QString() : v.toString();
}

std::optional<QDate> JeuEnregistrements::date(const QString& colonne) const
{
    const QVariant v = valeur(colonne);
    if (v.isNull())
        return std::nullopt;
    return lireDateStockee(v.toString());
}

bool JeuEnregistrements::modifier()
{
    if (table_.isEmpty() || !connexion_ || position_ < 0 || position_ >= int(lignes_.size()))
        return false;
    mode_ = Mode::Edition;
    tampon_ = lignes_[size_t(position_)];
    fixees_.assign(size_t(colonnes_.size()), false);
    return true;
}

bool JeuEnregistrements::ajouterNouveau()
{
    if (table_.isEmpty() || !connexion_)
        return false;
    mode_ = Mode::Ajout;
    tampon_ = QVariantList(colonnes_.size());
    fixees_.assign(size_t(colonnes_.size()), false);
    return true;
}

bool JeuEnregistrements::fixer(const QString& colonne, const QVariant& valeur)
{
    const int i = indexColonne(colonne);
    if (mode_ == Mode::Aucun || i < 0)
        return false;
    tampon_[i] = valeurStockee(valeur);
    fixees_[size_t(i)] = true;
    return true;
}

static QString nomSql(const QString& nom) { return u'"' + QString(nom).replace(u'"', u"\"\""_qs) + u'"'; }

bool JeuEnregistrements::mettreAJour()
{
    if (mode_ == Mode::Aucun || !connexion_)
        return false;
    QStringList noms;
    QVariantList valeurs;
    for (int i = 0; i < colonnes_.size(); ++i)
        if (fixees_[size_t(i)]) {
            noms << nomSql(colonnes_.at(i));
            valeurs << tampon_.at(i);
        }
    QSqlQuery q(connexion_->db());
    bool ok = true;
    if (mode_ == Mode::Edition) {
        if (!noms.isEmpty()) {
            QStringList affectations;
            for (const QString& n : noms)
                affectations << n + u" = ?"_qs;
            valeurs << lignes_[size_t(position_)].at(indexCle_);
            ok = connexion_->executer(q,
                                      u"update "_qs + nomSql(table_) + u" set "_qs + affectations.join(u", "_qs)
                                          + u" where "_qs + nomSql(colonnes_.at(indexCle_)) + u" = ?"_qs,
                                      valeurs, erreur_);
            if (ok && q.numRowsAffected() != 1) {
                ok = false;
                erreur_ = QStringLiteral("L'enregistrement n'existe plus.");
            }
        }
        if (ok)
            lignes_[size_t(position_)] = tampon_;
    } else {
        const QString requete = noms.isEmpty()
            ? u"insert into "_qs + nomSql(table_) + u" default values"_qs
            : u"insert into "_qs + nomSql(table_) + u" ("_qs + noms.join(u", "_qs) + u") values ("_qs
                + QStringList(noms.size(), u"?"_qs).join(u", "_qs) + u")"_qs;
        ok = connexion_->executer(q, requete, valeurs, erreur_);
        if (!ok && connexion_->codeEchec() == SQLITE_FULL && numerosEpuises())
            connexion_->noterNumerosEpuises();
        if (ok) {
            const QVariant cle = q.lastInsertId();
            q.finish();
            QSqlQuery relue(connexion_->db());
            QString ignore;
            QVariantList ligne = tampon_;
            if (connexion_->executer(relue,
                                     u"select * from "_qs + nomSql(table_) + u" where "_qs
                                         + nomSql(colonnes_.at(indexCle_)) + u" = ?"_qs,
                                     {cle}, ignore)
                && relue.next()) {
                const QSqlRecord r = relue.record();
                for (int i = 0; i < colonnes_.size(); ++i) {
                    const int j = r.indexOf(colonnes_.at(i));
                    if (j >= 0)
                        ligne[i] = relue.value(j);
                }
            } else {
                ligne[indexCle_] = cle;
            }
            lignes_.push_back(std::move(ligne));
            position_ = int(lignes_.size()) - 1;
        }
    }
    q.finish();
    connexion_->apresEcriture();
    mode_ = Mode::Aucun;
    tampon_.clear();
    fixees_.clear();
    return ok;
}

bool JeuEnregistrements::numerosEpuises() const
{
    // A table with the engine's own counter numbers a new row after the largest number it has
    // given or holds: past the largest integer there is none left. (A table without a counter
    // looks for a free number itself and never runs out.)
    constexpr qint64 plusGrand = std::numeric_limits<qint64>::max();
    QSqlQuery q(connexion_->db());
    q.setForwardOnly(true);
    if (!q.prepare(u"select seq from sqlite_sequence where name = ? collate nocase"_qs))
        return false; // no table of the file has a counter
    q.addBindValue(table_);
    if (!q.exec() || !q.next())
        return false;
    if (q.value(0).toLongLong() == plusGrand)
        return true;
    q.finish();
    return q.exec(u"select max("_qs + nomSql(colonnes_.at(indexCle_)) + u") from "_qs + nomSql(table_)) && q.next()
        && q.value(0).toLongLong() == plusGrand;
}

void JeuEnregistrements::annulerModification()
{
    mode_ = Mode::Aucun;
    tampon_.clear();
    fixees_.clear();
}

void JeuEnregistrements::fermer()
{
    annulerModification();
    lignes_.clear();
    position_ = 0;
    connexion_.reset();
    table_.clear();
}

} // namespace Stockage

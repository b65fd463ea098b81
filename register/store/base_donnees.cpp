#include "register/store/base_donnees.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>

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

} // namespace

// One Qt SQL connection with a name of its own, removed when its last user lets go of it.
class Connexion {
public:
    static std::shared_ptr<Connexion> ouvrir(const QString& chemin, QString& erreur)
    {
        static std::atomic<int> compteur{0};
        auto c = std::shared_ptr<Connexion>(new Connexion(QStringLiteral("kerval-base-%1").arg(++compteur)));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c->nom_);
            db.setDatabaseName(chemin);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(delaiOccupeMs));
            if (!db.open()) {
                erreur = db.lastError().text();
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
    }
    QSqlDatabase db() const { return QSqlDatabase::database(nom_, false); }

    // Prepares, binds and runs a statement.
    bool executer(QSqlQuery& q, const QString& requete, const QVariantList& parametres, QString& erreur) const
    {
        q.setForwardOnly(true);
        bool ok = q.prepare(requete);
        if (ok) {
            for (int i = 0; i < parametres.size(); ++i)
                q.bindValue(i, valeurStockee(parametres.at(i)));
            ok = q.exec();
        }
        if (!ok)
            erreur = q.lastError().text();
        return ok;
    }

private:
    explicit Connexion(QString nom) : nom_(std::move(nom)) {}
    QString nom_;
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
    if (!f.open(QIODevice::ReadOnly))
        return false;
    static const QByteArray entete("SQLite format 3\0", 16);
    return f.read(16) == entete;
}

std::unique_ptr<BaseDonnees> BaseDonnees::ouvrir(const QString& chemin)
{
    // SQLite would create a missing file and take an empty one as a new database: check
    // first, so that a foreign or damaged file is never written to.
    if (!estFichierSQLite(chemin) || !QFileInfo(chemin).isWritable())
        return nullptr;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return nullptr;
    std::unique_ptr<BaseDonnees> base(new BaseDonnees);
    base->chemin_ = chemin;
    base->connexion_ = Connexion::ouvrir(chemin, base->erreur_);
    if (!base->connexion_)
        return nullptr;
    // Reading the schema makes the engine check the whole header and the first page.
    if (!base->valeurUnique(QStringLiteral("select count(*) from sqlite_master")).has_value())
        return nullptr;
    // Each write reaches the disk before the statement returns.
    if (!base->executer(QStringLiteral("PRAGMA synchronous=FULL")))
        return nullptr;
    return base;
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
    if (!connexion_->executer(q, requete, parametres, erreur_))
        return false;
    lignesModifiees_ = q.numRowsAffected();
    return true;
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
bool BaseDonnees::valider() { return connexion_ && connexion_->db().commit(); }
bool BaseDonnees::annuler() { return connexion_ && connexion_->db().rollback(); }

void BaseDonnees::fermer() { connexion_.reset(); }

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

void JeuEnregistrements::premier() { position_ = 0; }
void JeuEnregistrements::suivant()
{
    if (position_ < int(lignes_.size()))
        ++position_;
}
void JeuEnregistrements::precedent()
{
    if (position_ >= 0)
        --position_;
}
void JeuEnregistrements::dernier() { position_ = int(lignes_.size()) - 1; }

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
    const QDate d = QDate::fromString(v.toString().left(10), Qt::ISODate);
    if (!d.isValid())
        return std::nullopt;
    return d;
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
    mode_ = Mode::Aucun;
    tampon_.clear();
    fixees_.clear();
    return ok;
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

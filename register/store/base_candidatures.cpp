#include "register/store/base_candidatures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <atomic>

#include "platform/environnement.h"
#include "register/store/candidature.h"
#include "shell/services/fichiers_texte.h"

namespace {

// The statements of a script, split at the semicolons that stand outside quotes and comments.
QStringList instructions(const QString& script)
{
    QStringList liste;
    QString courante;
    QChar guillemet;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        if (!guillemet.isNull()) {
            courante += c;
            if (c == guillemet)
                guillemet = QChar();
            continue;
        }
        if (c == u'-' && i + 1 < script.size() && script.at(i + 1) == u'-') {
            while (i < script.size() && script.at(i) != u'\n')
                ++i;
            courante += u'\n';
            continue;
        }
        if (c == u'\'' || c == u'"') {
            guillemet = c;
            courante += c;
        } else if (c == u';') {
            if (!courante.trimmed().isEmpty())
                liste << courante.trimmed();
            courante.clear();
        } else {
            courante += c;
        }
    }
    if (!courante.trimmed().isEmpty())
        liste << courante.trimmed();
    return liste;
}

// Runs a script on a new SQLite file; false at the first failing statement.
bool executerScript(const QString& chemin, const QString& script)
{
    static std::atomic<int> compteur{0};
    const QString nom = QStringLiteral("kerval-creation-%1").arg(++compteur);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nom);
        db.setDatabaseName(chemin);
        if (db.open()) {
            ok = db.transaction();
            QSqlQuery q(db);
            for (const QString& instruction : instructions(script)) {
                if (!ok)
                    break;
                ok = q.exec(instruction);
            }
            q.finish();
            ok = ok && db.commit();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(nom);
    return ok;
}

} // namespace

QString BaseCandidatures::cheminParDefaut() { return QDir::current().filePath(QStringLiteral("Kerval.mdb")); }

std::unique_ptr<BaseCandidatures> BaseCandidatures::ouvrir(const QString& chemin, Stockage::Etat* etat)
{
    Stockage::Etat local = Stockage::Etat::Ouverte;
    Stockage::Etat& e = etat ? *etat : local;
    std::unique_ptr<Stockage::BaseDonnees> base = Stockage::BaseDonnees::ouvrir(chemin, &e);
    if (!base) {
        // No register, in a folder too deep for one to be made: that is why it is missing.
        if (e == Stockage::Etat::Absente
            && Stockage::BaseDonnees::longueurChemin(QFileInfo(chemin).absolutePath()) > longueurDossierMax())
            e = Stockage::Etat::CheminTropLong;
        return nullptr;
    }
    const std::optional<QVariant> table = base->valeurUnique(
        QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = ? collate nocase"),
        {QStringLiteral("Candidatures")});
    if (!table || table->toInt() != 1) {
        e = !table && base->occupee() ? Stockage::Etat::Occupee : Stockage::Etat::Illisible;
        return nullptr;
    }
    return std::unique_ptr<BaseCandidatures>(new BaseCandidatures(std::move(base)));
}

QString BaseCandidatures::messageEndommage(const QString& chemin)
{
    return QStringLiteral("Le registre des candidatures \"Kerval.mdb\" est endommagé ou illisible. Kerval l'a laissé "
                          "tel quel, sans rien y écrire, et ne peut pas afficher les candidatures qu'il contient.\n\n"
                          "Il se trouve ici : %1\nFaites-en une copie pour le conserver.")
        .arg(QDir::toNativeSeparators(QFileInfo(chemin).absoluteFilePath()));
}

QString BaseCandidatures::messageLectureSeule()
{
    return QStringLiteral("Le registre des candidatures \"Kerval.mdb\" ne peut être que lu : vos candidatures sont "
                          "affichées, mais les modifications ne pourront pas être enregistrées.");
}

QString BaseCandidatures::raison(Stockage::Cause cause, const QString& texteMoteur)
{
    using Stockage::Cause;
    switch (cause) {
    case Cause::DisquePlein:
        return QStringLiteral("le disque est plein");
    case Cause::LectureSeule:
        return QStringLiteral("le disque où il se trouve ne peut être que lu (lecture seule)");
    case Cause::Permission:
        return QStringLiteral("Kerval n'a pas le droit d'écrire dans le fichier Kerval.mdb ou dans son dossier");
    case Cause::Occupee:
        return QStringLiteral("le fichier Kerval.mdb est utilisé par un autre programme");
    case Cause::Absente:
        return QStringLiteral("le fichier Kerval.mdb est introuvable");
    case Cause::Illisible:
    case Cause::Endommagee:
        return QStringLiteral("le fichier Kerval.mdb est endommagé ou illisible");
    case Cause::ErreurDisque:
        return QStringLiteral("le disque a signalé une erreur de lecture ou d'écriture");
    case Cause::CheminTropLong:
        return QStringLiteral("le chemin de son dossier est trop long pour le moteur de base de données");
    case Cause::NumerosEpuises:
        return QStringLiteral("le registre a donné tous ses numéros de candidature : le plus grand numéro possible "
                              "est déjà pris, et une nouvelle candidature ne peut plus en recevoir");
    case Cause::Inconnue:
        break;
    }
    return texteMoteur.isEmpty() ? QStringLiteral("une erreur inattendue s'est produite")
                                 : QStringLiteral("une erreur inattendue s'est produite (%1)").arg(texteMoteur);
}

namespace {

// The causes that leave what the register holds as it was.
bool registreIntact(Stockage::Cause cause)
{
    using Stockage::Cause;
    return cause == Cause::DisquePlein || cause == Cause::LectureSeule || cause == Cause::Permission
        || cause == Cause::Occupee || cause == Cause::NumerosEpuises;
}

} // namespace

QString BaseCandidatures::messageEchecEnregistrement(Stockage::Cause cause, bool fermeture, const QString& texteMoteur)
{
    QString m = QStringLiteral("Le registre des candidatures ne peut pas être enregistré : %1.").arg(raison(cause, texteMoteur));
    if (registreIntact(cause))
        m += QStringLiteral(" Les candidatures déjà enregistrées restent intactes.");
    m += fermeture ? QStringLiteral(" Les dernières modifications de la candidature affichée n'ont pas pu être conservées.")
                   : QStringLiteral(" Les informations saisies restent affichées.");
    return m;
}

QString BaseCandidatures::messageEchecSuppression(Stockage::Cause cause, bool toutes, const QString& texteMoteur)
{
    return (toutes ? QStringLiteral("Les candidatures n'ont pas pu être supprimées : %1.")
                   : QStringLiteral("La candidature n'a pas pu être supprimée : %1."))
        .arg(raison(cause, texteMoteur));
}

QString BaseCandidatures::schemaLivre()
{
    return QString::fromUtf8(
        FichiersTexte::lireOctets(QDir(Environnement::dossierDonneesLivrees()).filePath(QStringLiteral("Kerval.sql")))
            .value_or(QByteArray()));
}

namespace {
const QString modeleTemporaire = QStringLiteral("Kerval-XXXXXX.tmp");
}

qsizetype BaseCandidatures::longueurDossierMax()
{
    return Stockage::BaseDonnees::longueurCheminMax() - 1 - modeleTemporaire.size();
}

bool BaseCandidatures::creerVide(const QString& chemin, Stockage::Cause* cause)
{
    return creerVideDepuis(chemin, schemaLivre(), cause);
}

bool BaseCandidatures::creerVideDepuis(const QString& chemin, const QString& schema, Stockage::Cause* cause)
{
    Stockage::Cause local = Stockage::Cause::Inconnue;
    Stockage::Cause& c = cause ? *cause : local;
    c = Stockage::Cause::Inconnue;
    const QFileInfo cible(chemin);
    if (cible.exists() || cible.isSymLink() || schema.trimmed().isEmpty())
        return false;
    if (Stockage::BaseDonnees::longueurChemin(cible.absolutePath()) > longueurDossierMax()) {
        c = Stockage::Cause::CheminTropLong;
        return false;
    }
    // Built beside the target under a temporary name, then moved into place: a failure
    // never leaves a half-made register, and an existing file is never replaced.
    QString temporaire;
    {
        QTemporaryFile t(cible.absoluteDir().filePath(modeleTemporaire));
        t.setAutoRemove(false);
        if (!t.open()) {
            c = Stockage::causeSysteme(chemin);
            return false;
        }
        temporaire = t.fileName();
    }
    // SQLite takes an empty file as a new database.
    const bool ok = executerScript(temporaire, schema) && QFile::rename(temporaire, chemin);
    if (!ok) {
        c = Stockage::causeSysteme(temporaire);
        QFile::remove(temporaire);
    }
    return ok;
}

int BaseCandidatures::nombreCandidatures()
{
    const std::optional<QVariant> n = base_->valeurUnique(QStringLiteral("select count(*) from Candidatures"));
    return n ? n->toInt() : -1;
}

bool BaseCandidatures::vieillirStatuts(const QDate& aujourdhui)
{
    const QStringList& s = Candidatures::statuts();
    const QString jour = aujourdhui.toString(Qt::ISODate);
    if (!aujourdhui.isValid() || base_->lectureSeule() || !base_->debuter())
        return false;
    const bool ok =
        base_->executer(QStringLiteral("update Candidatures set Statut = ? where Statut = ? "
                                       "and date(DATEISO(DateEnvoi), '+30 days') < date(?)"),
                        {s.at(2), s.at(1), jour})
        && base_->executer(QStringLiteral("update Candidatures set Statut = ? where Statut = ? "
                                          "and date(DATEISO(DateRDV)) < date(?)"),
                           {s.at(6), s.at(5), jour})
        && base_->executer(QStringLiteral("update Candidatures set Statut = ? where Statut = ? "
                                          "and date(DATEISO(DateRDV), '+30 days') < date(?)"),
                           {Candidatures::sansReponseApresEntretien(), s.at(6), jour});
    if (!ok) {
        base_->annuler();
        return false;
    }
    return base_->valider();
}

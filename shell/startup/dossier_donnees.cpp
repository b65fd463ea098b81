#include "shell/startup/dossier_donnees.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "register/store/base_candidatures.h"
#include "shell/services/fichiers_texte.h"

namespace DossierDonnees {

namespace {

bool existe(const QString& chemin)
{
    // A dangling link or a special file counts as the user's too: never replaced.
    return QFileInfo(chemin).exists() || QFileInfo(chemin).isSymLink();
}

// Copies a file that the target lacks, whole or not at all; the copy belongs to the user and
// can be written.
bool copierFichier(const QString& source, const QString& cible)
{
    QFile entree(source);
    if (!QFileInfo(source).isFile() || !entree.open(QIODevice::ReadOnly))
        return false;
    const QByteArray octets = entree.readAll();
    if (entree.error() != QFileDevice::NoError)
        return false;
    return FichiersTexte::ecrireOctets(cible, octets);
}

// Lays down in the target folder every file and folder of the source that it lacks.
void completerDossier(const QString& source, const QString& cible, const QString& nom, Bilan& bilan)
{
    if (!QFileInfo(cible).isDir()) {
        if (existe(cible)) // a file of the user's under that name
            return;
        if (!QDir().mkpath(cible)) {
            bilan.echecs << nom;
            return;
        }
        bilan.poses << nom;
    }
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    const QDir racine(source);
    while (it.hasNext()) {
        const QString chemin = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.fileName() == QLatin1String(".gitkeep"))
            continue;
        const QString relatif = racine.relativeFilePath(chemin);
        const QString destination = QDir(cible).filePath(relatif);
        if (existe(destination))
            continue;
        const bool ok = info.isDir() ? QDir().mkpath(destination) : copierFichier(chemin, destination);
        (ok ? bilan.poses : bilan.echecs) << nom + u'/' + relatif;
    }
}

} // namespace

Bilan preparer(const QString& dossier, const QString& livrees)
{
    Bilan bilan;
    if (dossier.isEmpty() || (!QFileInfo(dossier).isDir() && !QDir().mkpath(dossier))) {
        bilan.echecs << QStringLiteral(".");
        return bilan;
    }
    const QDir d(dossier), source(livrees);

    // The register is built under a temporary name and then moved into place: what a start
    // killed meanwhile left behind is only that temporary file and its journal.
    static const QRegularExpression temporaire(QStringLiteral("^Kerval-[A-Za-z0-9]{6}\\.tmp(-journal|-wal|-shm)?$"));
    for (const QString& nom : d.entryList({QStringLiteral("Kerval-*.tmp*")}, QDir::Files | QDir::Hidden))
        if (temporaire.match(nom).hasMatch() && QFile::remove(d.filePath(nom)))
            bilan.retires << nom;
    // So do the hidden temporary files of the saves of CVs, templates and pages.
    for (const QString& sousDossier : {QString(), QStringLiteral("CV"), QStringLiteral("Lettres"), QStringLiteral("Modeles")})
        for (const QString& nom : FichiersTexte::retirerTemporaires(d.filePath(sousDossier)))
            bilan.retires << (sousDossier.isEmpty() ? nom : sousDossier + u'/' + nom);

    const QString registre = d.filePath(QStringLiteral("Kerval.mdb"));
    if (!existe(registre)) {
        if (BaseCandidatures::creerVide(registre))
            bilan.poses << QStringLiteral("Kerval.mdb");
        else
            bilan.echecs << QStringLiteral("Kerval.mdb");
    }

    for (const QString& nom : {QStringLiteral("Modeles"), QStringLiteral("Visualisation")})
        completerDossier(source.filePath(nom), d.filePath(nom), nom, bilan);

    for (const QString& nom :
         {QStringLiteral("propositions.txt"), QStringLiteral("DocWord.doc"), QStringLiteral("Fondr.jpg")}) {
        const QString cible = d.filePath(nom);
        if (existe(cible))
            continue;
        (copierFichier(source.filePath(nom), cible) ? bilan.poses : bilan.echecs) << nom;
    }
    return bilan;
}

QString messageDossierImpossible(const QString& dossier)
{
    const QFileInfo info(dossier);
    const QString chemin = QDir::toNativeSeparators(info.absoluteFilePath());
    if (info.exists() && !info.isDir())
        return QStringLiteral("Kerval ne peut pas créer son dossier de données, car un fichier porte déjà son nom :\n%1\n\n"
                              "Renommez ou déplacez ce fichier, puis relancez Kerval. Kerval va s'arrêter.")
            .arg(chemin);
    return QStringLiteral("Kerval ne peut pas créer ni ouvrir son dossier de données :\n%1\n\nVérifiez que vous avez "
                          "le droit d'écrire dans le dossier %2, puis relancez Kerval. Kerval va s'arrêter.")
        .arg(chemin, QDir::toNativeSeparators(info.absolutePath()));
}

} // namespace DossierDonnees

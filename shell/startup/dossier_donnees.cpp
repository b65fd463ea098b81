#include "shell/startup/dossier_donnees.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "register/store/base_candidatures.h"

namespace DossierDonnees {

namespace {

bool existe(const QString& chemin)
{
    // A dangling link or a special file counts as the user's too: never replaced.
    return QFileInfo(chemin).exists() || QFileInfo(chemin).isSymLink();
}

// Copies a file that the target lacks; the copy belongs to the user and can be written.
bool copierFichier(const QString& source, const QString& cible)
{
    if (!QFile::copy(source, cible))
        return false;
    QFile::setPermissions(cible, QFile::permissions(cible) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    return true;
}

// Copies a folder tree; files that already exist at the target are kept.
bool copierDossier(const QString& source, const QString& cible)
{
    if (!QDir().mkpath(cible))
        return false;
    bool ok = true;
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    const QDir racine(source);
    while (it.hasNext()) {
        const QString chemin = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.fileName() == QLatin1String(".gitkeep"))
            continue;
        const QString relatif = racine.relativeFilePath(chemin);
        const QString destination = QDir(cible).filePath(relatif);
        if (info.isDir())
            ok = QDir().mkpath(destination) && ok;
        else if (!existe(destination))
            ok = copierFichier(chemin, destination) && ok;
    }
    return ok;
}

} // namespace

Bilan preparer(const QString& dossier, const QString& livrees)
{
    Bilan bilan;
    if (dossier.isEmpty())
        return bilan;
    if (!QFileInfo(dossier).isDir() && !QDir().mkpath(dossier)) {
        bilan.echecs << QStringLiteral(".");
        return bilan;
    }
    const QDir d(dossier), source(livrees);

    const QString registre = d.filePath(QStringLiteral("Kerval.mdb"));
    if (!existe(registre)) {
        if (BaseCandidatures::creerVide(registre))
            bilan.poses << QStringLiteral("Kerval.mdb");
        else
            bilan.echecs << QStringLiteral("Kerval.mdb");
    }

    for (const QString& nom : {QStringLiteral("Modeles"), QStringLiteral("Visualisation")}) {
        if (existe(d.filePath(nom)))
            continue;
        const QString origine = source.filePath(nom);
        const bool ok = QFileInfo(origine).isDir() ? copierDossier(origine, d.filePath(nom))
                                                   : QDir().mkpath(d.filePath(nom));
        (ok ? bilan.poses : bilan.echecs) << nom;
    }

    for (const QString& nom :
         {QStringLiteral("propositions.txt"), QStringLiteral("DocWord.doc"), QStringLiteral("Fondr.jpg")}) {
        const QString cible = d.filePath(nom);
        if (existe(cible))
            continue;
        (copierFichier(source.filePath(nom), cible) ? bilan.poses : bilan.echecs) << nom;
    }
    return bilan;
}

} // namespace DossierDonnees

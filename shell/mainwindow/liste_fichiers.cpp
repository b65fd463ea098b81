#include "shell/mainwindow/liste_fichiers.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// The names of the folder's files that are not valid UTF-8, which Qt's listing skips.
QStringList nomsIllisibles(const QString& chemin, const QStringList& motifs)
{
    QStringList noms;
    DIR* dossier = ::opendir(QFile::encodeName(chemin).constData());
    if (!dossier)
        return noms;
    while (const dirent* entree = ::readdir(dossier)) {
        const QByteArray brut(entree->d_name);
        if (brut.startsWith('.') || QFile::encodeName(QFile::decodeName(brut)) == brut)
            continue;
        struct stat s {};
        if (::fstatat(::dirfd(dossier), entree->d_name, &s, 0) != 0 || !S_ISREG(s.st_mode))
            continue;
        QStringDecoder windows("windows-1252");
        QString nom = windows(brut);
        if (windows.hasError())
            nom = QString::fromUtf8(brut);
        if (QDir::match(motifs, nom))
            noms << nom;
    }
    ::closedir(dossier);
    noms.sort(Qt::CaseInsensitive);
    return noms;
}

} // namespace

void ListeFichiers::Refresh()
{
    noms_.clear();
    illisibles_.clear();
    if (Path.isEmpty())
        return;
    QDir dossier(Path);
    // Several patterns are separated by ";" ("*.doc;*.pdf").
    QStringList motifs;
    for (const QString& m : Pattern.split(u';', Qt::SkipEmptyParts))
        motifs << (m == QLatin1String("*.*") ? QStringLiteral("*") : m);
    noms_ = dossier.entryList(motifs, QDir::Files, QDir::Name | QDir::IgnoreCase);
    illisibles_ = nomsIllisibles(Path, motifs);
}

QString ListeFichiers::messageIllisibles(const QString& dossier, const QStringList& noms)
{
    const QString chemin = QDir::toNativeSeparators(QDir(dossier).absolutePath());
    const QString liste = u"« "_qs + noms.join(u" »\n« "_qs) + u" »"_qs;
    if (noms.size() == 1)
        return QStringLiteral("Le dossier %1 contient un fichier dont le nom est écrit dans un codage que Kerval ne "
                              "sait pas lire :\n%2\n\nKerval ne peut ni l'afficher ni l'ouvrir. Renommez-le, par "
                              "exemple dans le gestionnaire de fichiers : Kerval pourra alors l'afficher.")
            .arg(chemin, liste);
    return QStringLiteral("Le dossier %1 contient des fichiers dont le nom est écrit dans un codage que Kerval ne "
                          "sait pas lire :\n%2\n\nKerval ne peut ni les afficher ni les ouvrir. Renommez-les, par "
                          "exemple dans le gestionnaire de fichiers : Kerval pourra alors les afficher.")
        .arg(chemin, liste);
}

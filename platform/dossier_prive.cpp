#include "platform/dossier_prive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/environnement.h"

namespace DossierPrive {

namespace {

// The user's cache folder, which may not exist yet.
QString cache()
{
    const QString c = Environnement::variable("XDG_CACHE_HOME");
    return QDir::isAbsolutePath(c) ? c : QDir::home().filePath(QStringLiteral(".cache"));
}

// Every place the folder may lie in, in the order of preference.
QStringList places()
{
    QStringList p;
    const QString session = Environnement::variable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(session) && estPrive(session))
        p << QDir(session).filePath(QStringLiteral("kerval"));
    const QString temporaire = Environnement::dossierTemporaire();
    if (!temporaire.isEmpty())
        p << QDir(QDir(temporaire).absolutePath()).filePath(QStringLiteral("kerval-%1").arg(::geteuid()));
    p << QDir(cache()).filePath(QStringLiteral("kerval"));
    return p;
}

} // namespace

bool estPrive(const QString& dossier)
{
    struct stat s {};
    return ::lstat(QFile::encodeName(dossier).constData(), &s) == 0 && S_ISDIR(s.st_mode) && s.st_uid == ::geteuid()
        && (s.st_mode & 0777) == 0700;
}

QString chemin()
{
    for (const QString& p : places()) {
        const QByteArray nom = QFile::encodeName(p);
        if (QFileInfo(p).absolutePath() == QDir(cache()).absolutePath())
            QDir().mkpath(cache());
        if (::mkdir(nom.constData(), 0700) == 0) {
            // Made now, whatever the mask of the process: closed to others, open to the user.
            const int fd = ::open(nom.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd >= 0) {
                ::fchmod(fd, 0700);
                ::close(fd);
            }
        }
        if (estPrive(p))
            return p;
    }
    return {};
}

QStringList existants()
{
    QStringList e;
    for (const QString& p : places())
        if (estPrive(p))
            e << p;
    return e;
}

} // namespace DossierPrive

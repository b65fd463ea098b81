#include "shell/startup/exemplaire.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QSysInfo>
#include <QThread>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/dossier_prive.h"
#include "platform/plateforme.h"
#include "shell/services/fichiers_texte.h"

namespace Exemplaire {

namespace {

// A second copy's whole exchange with the first one, from its first try to connect (the first
// copy may be a moment away from listening) to the answer, which the first copy gives between
// two of its events.
constexpr int DelaiAppelMs = 5000;
// One try to connect: a listening socket accepts at once, even when its program is busy.
constexpr int DelaiConnexionMs = 500;
// A copy writes its lock file's content at once: one older than this that names no process is
// left over.
constexpr qint64 DelaiEcritureVerrouMs = 10000;

struct Etat {
    QString dossier; // canonical
    std::unique_ptr<QLockFile> verrou;
    QPointer<QLocalServer> serveur;
};

Etat& etat()
{
    static Etat e;
    return e;
}

QString canonique(const QString& dossier)
{
    const QString c = QFileInfo(dossier).canonicalFilePath();
    return c.isEmpty() ? QFileInfo(dossier).absoluteFilePath() : c;
}

// The socket's name in a private folder: named after the data folder.
QString nomService(const QString& dossier)
{
    const QByteArray empreinte =
        QCryptographicHash::hash(canonique(dossier).toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return QStringLiteral("exemplaire-") + QString::fromLatin1(empreinte);
}

// Where this copy shows its windows: a first copy shown in another session is of no use here.
QByteArray ecran()
{
    return (QGuiApplication::platformName() + u'|' + qEnvironmentVariable("WAYLAND_DISPLAY") + u'|'
            + qEnvironmentVariable("DISPLAY"))
        .toUtf8();
}

// The program at the other end of a connected socket runs as this user.
bool deCetUtilisateur(qintptr descripteur)
{
    struct ucred pair {};
    socklen_t taille = sizeof pair;
    return descripteur >= 0 && ::getsockopt(int(descripteur), SOL_SOCKET, SO_PEERCRED, &pair, &taille) == 0
        && pair.uid == ::geteuid();
}

// Connects to a living copy of this user that listens for the folder, in any of the private
// folders (the first copy may have started in a session that had another one).
bool joindre(QLocalSocket& s, const QString& dossier, int delaiMs)
{
    for (const QString& prive : DossierPrive::existants()) {
        s.connectToServer(QDir(prive).filePath(nomService(dossier)));
        if (s.waitForConnected(delaiMs) && deCetUtilisateur(s.socketDescriptor()))
            return true;
        s.abort();
    }
    return false;
}

// Two copies starting at once look for each other and listen one after the other: the private
// folder is locked meanwhile (no file is written for that). A copy stuck while holding it is
// waited for a moment only.
class Tour {
public:
    explicit Tour(const QString& dossier)
        : fd_(::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC))
    {
        const QDeadlineTimer limite(2000);
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0 && !limite.hasExpired())
            QThread::msleep(20);
    }
    ~Tour()
    {
        if (fd_ >= 0)
            ::close(fd_); // lets the lock go
    }
    Tour(const Tour&) = delete;
    Tour& operator=(const Tour&) = delete;

private:
    int fd_;
};

// A lock file that names no process (empty or cut short: its copy died while writing it, or the
// disk filled up then) belongs to nobody once a copy has had time to write it; without this, no
// start would ever take the folder again.
bool illisibleDepuisLongtemps(const QLockFile& verrou)
{
    qint64 pid = 0;
    QString machine, programme;
    if (verrou.getLockInfo(&pid, &machine, &programme))
        return false;
    const QFileInfo fichier(verrou.fileName());
    return fichier.isFile() && fichier.lastModified().msecsTo(QDateTime::currentDateTime()) > DelaiEcritureVerrouMs;
}

// A lock of this machine that no process holds: a copy holds its lock file open and locked from
// the moment it makes it (before it writes it) until it ends. The number written in the file may
// meanwhile name another living program, or even this very copy when numbers start over (a fresh
// container or sandbox); what counts is whether anyone holds the file. A lock from another machine
// is left to its own machine, whose locks a shared folder may not show here.
bool tenuParPersonne(const QLockFile& verrou)
{
    qint64 pid = 0;
    QString machine, programme;
    if (!verrou.getLockInfo(&pid, &machine, &programme)
        || !(machine.isEmpty() || machine == QSysInfo::machineHostName()))
        return false;
    const int fd = ::open(QFile::encodeName(verrou.fileName()).constData(),
                          O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat s {};
    // A file system without such locks, or a file that is not one, is taken for held.
    const bool libre = ::fstat(fd, &s) == 0 && S_ISREG(s.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd); // lets the probe's own lock go
    return libre;
}

void lacher()
{
    Etat& e = etat();
    e.verrou.reset();
    e.dossier.clear();
}

} // namespace

QString cheminVerrou(const QString& dossier) { return QDir(dossier).filePath(QStringLiteral(".Kerval.verrou")); }

QString cheminService(const QString& dossier)
{
    const QString prive = DossierPrive::chemin();
    return prive.isEmpty() ? QString() : QDir(prive).filePath(nomService(dossier));
}

Verrou prendre(const QString& dossier)
{
    if (dossier.isEmpty() || (!QFileInfo(dossier).isDir() && !QDir().mkpath(dossier)))
        return Verrou::Impossible;
    Etat& e = etat();
    const QString chemin = canonique(dossier);
    if (e.verrou && e.dossier == chemin)
        return Verrou::Pris;
    lacher();
    delete e.serveur;
    // The lock's reader would wait for ever on a lock that is not a file (a FIFO): such a lock
    // cannot be taken, and the user is told which file it is.
    if (bool refuse = false; QFileInfo::exists(cheminVerrou(chemin)) &&
                             !FichiersTexte::lisible(cheminVerrou(chemin), &refuse) && refuse)
        return Verrou::Impossible;
    auto verrou = std::make_unique<QLockFile>(cheminVerrou(chemin));
    // Only a lock that no living copy holds is stale, however long the first copy has been running.
    verrou->setStaleLockTime(0);
    if (!verrou->tryLock(0) && verrou->error() == QLockFile::LockFailedError
        && (illisibleDepuisLongtemps(*verrou) || tenuParPersonne(*verrou)) && verrou->removeStaleLockFile())
        verrou->tryLock(0);
    if (!verrou->isLocked())
        return verrou->error() == QLockFile::LockFailedError ? Verrou::Tenu : Verrou::Impossible;
    e.verrou = std::move(verrou);
    e.dossier = chemin;
    return Verrou::Pris;
}

Ecoute ecouter(const QString& dossier, std::function<void()> montrer)
{
    Etat& e = etat();
    delete e.serveur;
    const QString prive = DossierPrive::chemin();
    if (prive.isEmpty())
        return Ecoute::Impossible;
    const Tour tour(prive);
    {
        QLocalSocket premier;
        if (joindre(premier, dossier, DelaiConnexionMs))
            return Ecoute::Occupee;
    }
    // What still lies at the name is no living copy of this user's: the socket of a copy that
    // died, or one that another user's program managed to leave there.
    const QString nom = QDir(prive).filePath(nomService(dossier));
    ::unlink(QFile::encodeName(nom).constData());
    auto* serveur = new QLocalServer(qApp);
    if (!serveur->listen(nom)) {
        delete serveur;
        return Ecoute::Impossible;
    }
    e.serveur = serveur;
    QObject::connect(serveur, &QLocalServer::newConnection, serveur, [serveur, montrer] {
        while (QLocalSocket* s = serveur->nextPendingConnection()) {
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            QObject::connect(s, &QLocalSocket::readyRead, s, [s, montrer] {
                if (!s->canReadLine()) {
                    if (s->bytesAvailable() > 1024)
                        s->abort();
                    return;
                }
                const bool ici = s->readLine().trimmed() == "montrer " + ecran();
                if (ici && montrer)
                    montrer();
                s->write(ici ? "ok\n" : "ailleurs\n");
                s->flush();
                s->disconnectFromServer();
            });
        }
    });
    return Ecoute::Ouverte;
}

bool appelerPremier(const QString& dossier)
{
    const QDeadlineTimer limite(DelaiAppelMs);
    QLocalSocket s;
    while (!joindre(s, dossier, int(qMin<qint64>(limite.remainingTime(), DelaiConnexionMs)))) {
        if (limite.hasExpired())
            return false;
        QThread::msleep(100);
    }
    s.write("montrer " + ecran() + '\n');
    if (!s.waitForBytesWritten(int(limite.remainingTime())))
        return false;
    while (!s.canReadLine())
        if (s.bytesAvailable() > 1024 || limite.hasExpired() || !s.waitForReadyRead(int(limite.remainingTime())))
            return false;
    return s.readLine().trimmed() == "ok";
}

QString messageDejaOuvert()
{
    return QStringLiteral("Kerval est déjà ouvert : une seule copie de Kerval peut travailler à la fois sur vos CV, "
                          "vos lettres et vos candidatures.\n\nPassez à la fenêtre de Kerval déjà ouverte (elle peut "
                          "se trouver dans une autre session), ou fermez-la avant de relancer Kerval.");
}

QString messageSansGarde(const QString& dossier)
{
    return QStringLiteral("Kerval ne peut pas démarrer : il ne peut écrire ni dans le dossier de vos données (disque "
                          "plein ou dossier en lecture seule) ni dans un dossier privé de votre session, et ne pourrait "
                          "donc pas empêcher une seconde copie de Kerval de travailler en même temps que lui sur vos CV, "
                          "vos lettres et vos candidatures.\n\n%1\n\nLibérez de la place sur le disque ou rendez ce "
                          "dossier modifiable, puis relancez Kerval.")
        .arg(QDir::toNativeSeparators(dossier));
}

bool seul(const QString& dossier, std::function<void()> montrer)
{
    const Verrou verrou = prendre(dossier);
    if (verrou != Verrou::Tenu) {
        switch (ecouter(dossier, std::move(montrer))) {
        case Ecoute::Ouverte:
            return true;
        case Ecoute::Impossible:
            // The lock alone keeps the next copies out; without it nothing would. Without a data
            // folder at all, nothing of the user's can be touched, and the start-up says why.
            if (verrou == Verrou::Pris || !QFileInfo(dossier).isDir())
                return true;
            MsgBox(messageSansGarde(dossier));
            return false;
        case Ecoute::Occupee:
            // A first copy that could not write the lock when it started.
            lacher();
            break;
        }
    }
    if (!appelerPremier(dossier))
        MsgBox(messageDejaOuvert());
    return false;
}

} // namespace Exemplaire

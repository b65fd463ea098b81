#include "shell/startup/exemplaire.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QThread>
#include <memory>
#include <unistd.h>

#include "platform/plateforme.h"

namespace Exemplaire {

namespace {

// A first copy that has just taken the lock listens within this delay; it answers between two
// of its events.
constexpr int DelaiConnexionMs = 2000;
constexpr int DelaiReponseMs = 5000;

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

// The local socket of a data folder: named after the folder, in the user's runtime folder.
QString nomService(const QString& dossier)
{
    QString racine = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (racine.isEmpty() || !QFileInfo(racine).isDir())
        racine = QDir::tempPath();
    const QByteArray empreinte =
        QCryptographicHash::hash(canonique(dossier).toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return QDir(racine).filePath(QStringLiteral("kerval-%1-%2").arg(::getuid()).arg(QString::fromLatin1(empreinte)));
}

// Where this copy shows its windows: a first copy shown in another session is of no use here.
QByteArray ecran()
{
    return (QGuiApplication::platformName() + u'|' + qEnvironmentVariable("WAYLAND_DISPLAY") + u'|'
            + qEnvironmentVariable("DISPLAY"))
        .toUtf8();
}

} // namespace

QString cheminVerrou(const QString& dossier) { return QDir(dossier).filePath(QStringLiteral(".Kerval.verrou")); }

Verrou prendre(const QString& dossier)
{
    if (dossier.isEmpty() || (!QFileInfo(dossier).isDir() && !QDir().mkpath(dossier)))
        return Verrou::Impossible;
    Etat& e = etat();
    const QString chemin = canonique(dossier);
    if (e.verrou && e.dossier == chemin)
        return Verrou::Pris;
    e.verrou.reset();
    delete e.serveur;
    e.dossier.clear();
    auto verrou = std::make_unique<QLockFile>(cheminVerrou(chemin));
    // Only a lock whose process is gone is stale, however long the first copy has been running.
    verrou->setStaleLockTime(0);
    if (!verrou->tryLock(0))
        return verrou->error() == QLockFile::LockFailedError ? Verrou::Tenu : Verrou::Impossible;
    e.verrou = std::move(verrou);
    e.dossier = chemin;
    return Verrou::Pris;
}

void ecouter(const QString& dossier, std::function<void()> montrer)
{
    Etat& e = etat();
    delete e.serveur;
    auto* serveur = new QLocalServer(qApp);
    serveur->setSocketOptions(QLocalServer::UserAccessOption);
    const QString nom = nomService(dossier);
    // A socket left by a copy that died: the lock says that it is nobody's now.
    if (!serveur->listen(nom) && !(QLocalServer::removeServer(nom) && serveur->listen(nom))) {
        delete serveur;
        return;
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
}

bool appelerPremier(const QString& dossier)
{
    const QString nom = nomService(dossier);
    QLocalSocket s;
    QElapsedTimer chrono;
    chrono.start();
    for (;;) {
        s.connectToServer(nom);
        if (s.waitForConnected(500))
            break;
        s.abort();
        if (chrono.elapsed() > DelaiConnexionMs)
            return false;
        QThread::msleep(100);
    }
    s.write("montrer " + ecran() + '\n');
    if (!s.waitForBytesWritten(DelaiReponseMs))
        return false;
    while (!s.canReadLine())
        if (!s.waitForReadyRead(DelaiReponseMs))
            return false;
    return s.readLine().trimmed() == "ok";
}

QString messageDejaOuvert()
{
    return QStringLiteral("Kerval est déjà ouvert : une seule copie de Kerval peut travailler à la fois sur vos CV, "
                          "vos lettres et vos candidatures.\n\nPassez à la fenêtre de Kerval déjà ouverte (elle peut "
                          "se trouver dans une autre session), ou fermez-la avant de relancer Kerval.");
}

bool seul(const QString& dossier, std::function<void()> montrer)
{
    switch (prendre(dossier)) {
    case Verrou::Pris:
        ecouter(dossier, std::move(montrer));
        return true;
    case Verrou::Impossible:
        return true;
    case Verrou::Tenu:
        break;
    }
    if (!appelerPremier(dossier))
        MsgBox(messageDejaOuvert());
    return false;
}

} // namespace Exemplaire

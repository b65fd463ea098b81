#include "letters/envoi.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>

#include "shell/services/fonctionnel.h"
#include "shell/services/sauts_ligne.h"

namespace Envoi {

Message preparer(const QString& destinataire, const QString& objet, const QString& corps,
                 const QString& piecesJointes)
{
    Message m;
    m.destinataire = destinataire;
    m.objet = objet;
    m.corps = corps;
    if (m.corps.startsWith(u"\r\n"))
        m.corps.remove(0, 2);
    if (m.corps.endsWith(u"\r\n"))
        m.corps.chop(2);
    if (!piecesJointes.isEmpty()) {
        for (const QString& element : piecesJointes.split(u';')) {
            // An empty element ("a.doc;", "a.doc; ;b.doc") names no file: the client would
            // refuse the whole message for it.
            const QString chemin = Fonctionnel::SansBlancs(element);
            if (chemin.isEmpty())
                continue;
            m.piecesJointes << chemin;
            const QFileInfo fichier(element);
            m.nomsPieces << (!element.isEmpty() && fichier.isFile() ? fichier.fileName() : QString());
        }
    }
    return m;
}

QStringList argumentsXdgEmail(const Message& message)
{
    const auto lf = SautsLigne::versWidget;
    // xdg-email refuses an empty value; "--to" encodes the address whatever it holds.
    QStringList a{u"--utf8"_qs};
    if (!message.destinataire.trimmed().isEmpty())
        a << u"--to"_qs << message.destinataire.trimmed();
    if (!message.objet.isEmpty())
        a << u"--subject"_qs << lf(message.objet);
    if (!message.corps.isEmpty())
        a << u"--body"_qs << lf(message.corps);
    for (const QString& piece : message.piecesJointes)
        a << u"--attach"_qs << piece;
    return a;
}

namespace {
std::unique_ptr<Messagerie>& messagerieInstallee()
{
    static std::unique_ptr<Messagerie> m;
    return m;
}
} // namespace

Messagerie& Messagerie::instance()
{
    std::unique_ptr<Messagerie>& m = messagerieInstallee();
    if (!m)
        m = std::make_unique<MessagerieXdg>();
    return *m;
}

void Messagerie::installer(std::unique_ptr<Messagerie> messagerie) { messagerieInstallee() = std::move(messagerie); }

MessagerieXdg::MessagerieXdg(QString programme) : programme_(std::move(programme)) {}

Messagerie::Resultat MessagerieXdg::envoyer(const Message& message)
{
    QProcess processus;
    processus.setProgram(programme_);
    processus.setArguments(argumentsXdgEmail(message));
    processus.setStandardInputFile(QProcess::nullDevice());
    processus.start();
    if (!processus.waitForStarted(-1))
        return Resultat::SansClient; // no xdg-email: no way to reach a client
    // The client may take its time to open its window: the program's events keep running.
    QEventLoop attente;
    QObject::connect(&processus, &QProcess::finished, &attente, &QEventLoop::quit);
    if (processus.state() != QProcess::NotRunning)
        attente.exec();
    // The program may be quitting meanwhile (its last window closed), which ends every event
    // loop at once: the client is still waited for, so that its answer is known and recorded.
    if (processus.state() != QProcess::NotRunning)
        processus.waitForFinished(-1);
    if (processus.exitStatus() != QProcess::NormalExit)
        return Resultat::Echec;
    switch (processus.exitCode()) {
    case 0:
        return Resultat::Remis;
    case 3:
        return Resultat::SansClient;
    default:
        return Resultat::Echec;
    }
}

} // namespace Envoi

#include "letters/envoi.h"

#include <QFileInfo>
#include <QProcess>

#include "platform/programme_externe.h"
#include "shell/services/fonctionnel.h"
#include "shell/services/sauts_ligne.h"

namespace Envoi {

namespace {
// How long a hand-over still has to answer once the end of the session is asked.
constexpr int AttenteArretMs = 1000;
} // namespace

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
    ProgrammeExterne client;
    QProcess& processus = client.processus();
    processus.setStandardInputFile(QProcess::nullDevice());
    if (!client.demarrer(programme_, argumentsXdgEmail(message), -1))
        return Resultat::SansClient; // no xdg-email: no way to reach a client
    // The client may take its time to open its window, and some keep xdg-email waiting until it
    // closes: the program's events keep running meanwhile. The program may also be quitting (its
    // last window closed): the client is still waited for, so that its answer is known and
    // recorded.
    // At the end of the session it is waited for a moment more: a hand-over that fails says so at
    // once (no client, a client that refuses the message). One still running then holds the
    // message in its window: it was handed over, and is recorded as such; the client goes with
    // the session.
    if (client.attendre(-1, AttenteArretMs) != ProgrammeExterne::Fin::Terminee) {
        client.terminer();
        return Resultat::Remis;
    }
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

#pragma once
// Handing a message over to the user's e-mail client. The client's own compose window is where
// the user confirms the sending; the program only learns whether the hand-over succeeded.
//
// The program reaches the client through Envoi::Messagerie::instance(); tests install a recording
// messagerie so that no mail client is ever started.

#include <QString>
#include <QStringList>
#include <memory>

namespace Envoi {

// One message ready for the client.
struct Message {
    QString destinataire;
    QString objet;
    QString corps;              // CR LF line ends
    QStringList piecesJointes;  // paths, blanks trimmed
    QStringList nomsPieces;     // each attachment's file name, empty when no file is found there
    bool operator==(const Message&) const = default;
};

// The message of a letter: the body loses one line break at its start and one at its end; the
// attachment list is split at every ";", each path trimmed of blanks and empty ones left out,
// while its file name is looked up at the untrimmed path (so a path behind "; " keeps no name).
Message preparer(const QString& destinataire, const QString& objet, const QString& corps,
                 const QString& piecesJointes);

// The arguments of xdg-email for a message: --utf8, then the recipient, subject and body when
// they are not empty, and every attachment. Line ends become LF; everything is passed as
// arguments, so that no text of the message can be taken as an option or a command.
QStringList argumentsXdgEmail(const Message& message);

class Messagerie {
public:
    enum class Resultat {
        Remis,      // handed over to the client without any failing step
        Echec,      // the client or the hand-over failed
        SansClient, // no e-mail client is set up on this computer
    };

    virtual ~Messagerie() = default;
    // Hands the message to the client and waits for the hand-over to end. At the end of the
    // session the wait ends within seconds: a client still holding the message then counts as
    // handed over.
    virtual Resultat envoyer(const Message& message) = 0;

    // The messagerie in use: xdg-email unless another one was installed.
    static Messagerie& instance();
    static void installer(std::unique_ptr<Messagerie> messagerie);
};

// The desktop's e-mail client through xdg-email (exit status 0: handed over; 3: no client).
class MessagerieXdg final : public Messagerie {
public:
    explicit MessagerieXdg(QString programme = QStringLiteral("xdg-email"));
    Resultat envoyer(const Message& message) override;

private:
    QString programme_;
};

} // namespace Envoi

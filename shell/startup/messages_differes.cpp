#include "shell/startup/messages_differes.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringDecoder>
#include <unistd.h>

#include "shell/services/fichiers_texte.h"

namespace {

// The file's first line: a file that does not begin with it is not ours, and says nothing.
const QByteArray Entete = QByteArrayLiteral("Kerval : messages\n");

// Writes the bytes at the start of the file, over what it held, without changing its size (no
// room is asked of the disk), and makes them reach the disk.
bool ecrireEnPlace(const QString& fichier, QByteArray octets)
{
    QFile f(fichier);
    if (!FichiersTexte::ouvrir(f, QIODevice::ReadWrite))
        return false;
    if (f.size() < MessagesDifferes::Taille && !f.resize(MessagesDifferes::Taille))
        return false;
    octets.truncate(MessagesDifferes::Taille);
    const int fd = f.handle();
    return ::lseek(fd, 0, SEEK_SET) == 0 && FichiersTexte::toutEcrire(fd, octets.constData(), octets.size()) &&
           ::fsync(fd) == 0;
}

} // namespace

namespace MessagesDifferes {

QString chemin(const QString& dossierDonnees) { return QDir(dossierDonnees).filePath(QStringLiteral(".Kerval.messages")); }

void reserver(const QString& dossierDonnees)
{
    QFile f(chemin(dossierDonnees));
    if (!FichiersTexte::ouvrir(f, QIODevice::ReadWrite) || f.size() >= Taille)
        return;
    // Written, not only sized: a file with holes would still ask the disk for room later.
    const qint64 debut = f.size();
    const QByteArray zeros(int(Taille - debut), '\0');
    if (f.seek(debut))
        FichiersTexte::toutEcrire(f.handle(), zeros.constData(), zeros.size());
}

bool ecrire(const QString& dossierDonnees, const QString& texte)
{
    QByteArray octets = Entete + texte.toUtf8();
    octets.truncate(Taille - 1);
    octets.append('\0');
    return ecrireEnPlace(chemin(dossierDonnees), octets);
}

QString lire(const QString& dossierDonnees)
{
    QFile f(chemin(dossierDonnees));
    if (!FichiersTexte::ouvrir(f))
        return {};
    QByteArray octets = f.read(Taille);
    if (!octets.startsWith(Entete))
        return {};
    octets.remove(0, Entete.size());
    if (const qsizetype fin = octets.indexOf('\0'); fin >= 0)
        octets.truncate(fin);
    QStringDecoder utf8(QStringDecoder::Utf8);
    return QString(utf8(octets)).trimmed();
}

void effacer(const QString& dossierDonnees)
{
    if (QFile::exists(chemin(dossierDonnees)))
        ecrireEnPlace(chemin(dossierDonnees), QByteArray(Taille, '\0'));
}

QString message(const QDateTime& arret, const QStringList& messages)
{
    const QLocale fr(QLocale::French, QLocale::France);
    return QStringLiteral("Kerval a été arrêté par la fermeture de la session le %1 à %2. "
                          "Ce qu'il avait alors à vous dire n'a pas pu être affiché :")
               .arg(fr.toString(arret.date(), QStringLiteral("dd/MM/yyyy")), arret.time().toString(QStringLiteral("HH:mm"))) +
           QStringLiteral("\n\n") + messages.join(QStringLiteral("\n\n"));
}

} // namespace MessagesDifferes

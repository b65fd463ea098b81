#include "shell/services/fichiers_texte.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/plateforme.h"

namespace FichiersTexte {

namespace {
bool echecSimule = false;

bool estUtf8Multioctet(const QByteArray& o)
{
    bool multi = false;
    const int n = o.size();
    for (int i = 0; i < n;) {
        const unsigned char c = static_cast<unsigned char>(o[i]);
        int suite;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) suite = 1;
        else if (c >= 0xE0 && c <= 0xEF) suite = 2;
        else if (c >= 0xF0 && c <= 0xF4) suite = 3;
        else return false;
        for (int k = 1; k <= suite; ++k) {
            if (i + k >= n)
                return false;
            const unsigned char s = static_cast<unsigned char>(o[i + k]);
            if ((s & 0xC0) != 0x80)
                return false;
        }
        // Overlong and surrogate forms are not UTF-8.
        const unsigned char s1 = static_cast<unsigned char>(o[i + 1]);
        if (c == 0xE0 && s1 < 0xA0) return false;
        if (c == 0xED && s1 > 0x9F) return false;
        if (c == 0xF0 && s1 < 0x90) return false;
        if (c == 0xF4 && s1 > 0x8F) return false;
        multi = true;
        i += suite + 1;
    }
    return multi;
}
} // namespace

QString decoder(const QByteArray& octets)
{
    if (octets.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(octets.mid(3));
    if (estUtf8Multioctet(octets))
        return QString::fromUtf8(octets);
    QStringDecoder d("windows-1252");
    if (!d.isValid())
        return QString::fromLatin1(octets);
    return d.decode(octets);
}

namespace {
// The text in Windows-1252; nothing when a character lacks there, or the code page itself.
std::optional<QByteArray> enWindows1252(const QString& texte)
{
    QStringEncoder e("windows-1252");
    if (!e.isValid())
        return std::nullopt;
    QByteArray o = e.encode(texte);
    if (e.hasError())
        return std::nullopt;
    return o;
}
} // namespace

QByteArray encoder(const QString& texte)
{
    if (std::optional<QByteArray> o = enWindows1252(texte))
        return *o;
    return texte.toUtf8();
}

QString jeuDeCaracteres(const QString& texte)
{
    return enWindows1252(texte) ? QStringLiteral("windows-1252") : QStringLiteral("utf-8");
}

namespace {

// Splits at CR LF and a lone CR, and at a lone LF too when asked.
QStringList decouper(const QString& texte, bool lfSeul)
{
    QStringList lignes;
    const int n = texte.size();
    int debut = 0;
    for (int i = 0; i < n; ++i) {
        const QChar c = texte.at(i);
        if (c == u'\r' || (lfSeul && c == u'\n')) {
            lignes << texte.mid(debut, i - debut);
            if (c == u'\r' && i + 1 < n && texte.at(i + 1) == u'\n')
                ++i;
            debut = i + 1;
        }
    }
    if (debut < n)
        lignes << texte.mid(debut);
    return lignes;
}

} // namespace

QStringList decouperLignes(const QString& texte) { return decouper(texte, false); }

QStringList decouperLignesEditees(const QString& texte) { return decouper(texte, true); }

namespace {

// The files whose refusal the user has been told, until one of them opens again: a page model
// read at every keystroke is told once.
QMutex mutexRefus;
QSet<QString> refusDits;

QString genreFichier(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("un tube nommé (FIFO)");
    if (S_ISDIR(mode))
        return QStringLiteral("un dossier");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("un périphérique");
    if (S_ISSOCK(mode))
        return QStringLiteral("une prise de communication (socket)");
    return QStringLiteral("un fichier spécial");
}

void refuser(const QString& chemin, mode_t mode)
{
    const QString absolu = QFileInfo(chemin).absoluteFilePath();
    {
        QMutexLocker verrou(&mutexRefus);
        if (refusDits.contains(absolu))
            return;
        refusDits.insert(absolu);
    }
    // Told from the user-interface thread only; the box goes through the dialog service, which
    // keeps it for the next start once a stop is under way.
    if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread())
        MsgBox(messageRefus(absolu, genreFichier(mode)));
}

void accepter(const QString& chemin)
{
    QMutexLocker verrou(&mutexRefus);
    if (!refusDits.isEmpty())
        refusDits.remove(QFileInfo(chemin).absoluteFilePath());
}

} // namespace

QString messageRefus(const QString& chemin, const QString& genre)
{
    return QStringLiteral("Le fichier « %1 » n'a pas été ouvert : c'est %2 et non un fichier ordinaire. "
                          "Kerval ne lit que des fichiers ordinaires ; remplacez-le par un fichier ou retirez-le.")
        .arg(chemin, genre);
}

bool ouvrir(QFile& fichier, QIODevice::OpenMode mode, bool* refuse)
{
    if (refuse)
        *refuse = false;
    const QString chemin = fichier.fileName();
    const QByteArray nom = QFile::encodeName(chemin);
    if (chemin.isEmpty()) {
        errno = ENOENT;
        return false;
    }
    auto refus = [&](mode_t genre) {
        if (refuse)
            *refuse = true;
        refuser(chemin, genre);
        errno = S_ISDIR(genre) ? EISDIR : ENODEV;
        return false;
    };
    // Another kind of file is not even opened (opening a device may act on it); the kind is
    // checked again on what was opened, in case the name changed hands meanwhile.
    struct stat st {};
    if (::stat(nom.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return refus(st.st_mode);
    const bool ecriture = mode & QIODevice::WriteOnly;
    int drapeaux = O_NONBLOCK | O_CLOEXEC | (ecriture ? O_RDWR | O_CREAT : O_RDONLY);
    int fd;
    do
        fd = ::open(nom.constData(), drapeaux, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const mode_t genre = st.st_mode;
        ::close(fd);
        return refus(genre);
    }
    // A regular file reads as usual from here on.
    if (const int etat = ::fcntl(fd, F_GETFL); etat < 0 || ::fcntl(fd, F_SETFL, etat & ~O_NONBLOCK) < 0) {
        const int cause = errno;
        ::close(fd);
        errno = cause;
        return false;
    }
    if (!fichier.open(fd, ecriture ? QIODevice::ReadWrite : QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        errno = EIO;
        return false;
    }
    accepter(chemin);
    return true;
}

std::optional<QByteArray> lireOctets(const QString& chemin, bool* refuse)
{
    QFile f(chemin);
    if (!ouvrir(f, QIODevice::ReadOnly, refuse))
        return std::nullopt;
    QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return octets;
}

QImage lireImage(const QString& chemin, bool* refuse)
{
    const std::optional<QByteArray> octets = lireOctets(chemin, refuse);
    return octets ? QImage::fromData(*octets) : QImage();
}

bool lisible(const QString& chemin, bool* refuse)
{
    QFile f(chemin);
    return ouvrir(f, QIODevice::ReadOnly, refuse);
}

std::optional<QString> lire(const QString& chemin)
{
    const std::optional<QByteArray> octets = lireOctets(chemin);
    if (!octets)
        return std::nullopt;
    return decoder(*octets);
}

std::optional<QStringList> lireLignes(const QString& chemin)
{
    const auto texte = lire(chemin);
    if (!texte)
        return std::nullopt;
    return decouper(*texte, false);
}

std::optional<QStringList> lireLignesEditees(const QString& chemin)
{
    const auto texte = lire(chemin);
    if (!texte)
        return std::nullopt;
    return decouper(*texte, true);
}

namespace {

// The name of the temporary file of a save: hidden, beside the file it replaces, so that a save
// killed half-way leaves nothing a folder listing shows, and start-up can recognise it.
const QRegularExpression& formeTemporaire()
{
    static const QRegularExpression forme(QStringLiteral("^\\..+\\.[A-Za-z0-9]{6}\\.kerval-tmp$"));
    return forme;
}

QString nomTemporaire(const QFileInfo& cible)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString hasard;
    for (int i = 0; i < 6; ++i)
        hasard += QLatin1Char(alphabet[QRandomGenerator::global()->bounded(62)]);
    return cible.absolutePath() + QStringLiteral("/.") + cible.fileName() + u'.' + hasard + QStringLiteral(".kerval-tmp");
}


} // namespace

bool toutEcrire(int fd, const char* donnees, qint64 taille)
{
    while (taille > 0) {
        const ssize_t n = ::write(fd, donnees, size_t(taille));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        donnees += n;
        taille -= n;
    }
    return true;
}

bool ecrireOctets(const QString& chemin, const QByteArray& octets)
{
    // Written whole into a temporary file beside the target, on the disk, then put in its place
    // in one step: a crash at any instant leaves the previous file or the new one, never a part.
    QFileInfo info(chemin);
    if (info.isSymLink()) // a link is written through, to its file
        info = QFileInfo(info.symLinkTarget());
    if (info.exists() && (!info.isFile() || !info.isWritable())) {
        errno = info.isFile() ? EACCES : EISDIR;
        return false;
    }
    const QByteArray cible = QFile::encodeName(info.absoluteFilePath());
    const QByteArray temporaire = QFile::encodeName(nomTemporaire(info));
    struct stat avant {};
    const bool existait = ::stat(cible.constData(), &avant) == 0;
    const int fd = ::open(temporaire.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, existait ? 0600 : 0666);
    if (fd < 0)
        return false;
    // The first failing step tells why (errno), whatever the clean-up does afterwards.
    int cause = 0;
    auto etape = [&cause](bool reussie) {
        if (!reussie && cause == 0)
            cause = errno != 0 ? errno : EIO;
        return reussie;
    };
    errno = 0;
    bool ok = false;
    if (echecSimule) {
        toutEcrire(fd, octets.constData(), octets.size() / 2);
        errno = EIO;
        etape(false);
    } else {
        ok = etape(toutEcrire(fd, octets.constData(), octets.size()));
    }
    // The file keeps the permissions it had.
    ok = ok && etape(!existait || ::fchmod(fd, avant.st_mode & 07777) == 0) && etape(::fsync(fd) == 0);
    ok = etape(::close(fd) == 0) && ok;
    ok = ok && etape(::rename(temporaire.constData(), cible.constData()) == 0);
    if (!ok) {
        ::unlink(temporaire.constData());
        errno = cause;
        return false;
    }
    // The new name reaches the disk too.
    if (const int dossier = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        dossier >= 0) {
        ::fsync(dossier);
        ::close(dossier);
    }
    return true;
}

QStringList retirerTemporaires(const QString& dossier)
{
    QStringList retires;
    const QDir d(dossier);
    for (const QString& nom : d.entryList({QStringLiteral(".*.kerval-tmp")}, QDir::Files | QDir::Hidden | QDir::System))
        if (formeTemporaire().match(nom).hasMatch() && QFile::remove(d.filePath(nom)))
            retires << nom;
    return retires;
}

bool ecrire(const QString& chemin, const QString& texte) { return ecrireOctets(chemin, encoder(texte)); }

bool copier(const QString& source, const QString& cible)
{
    const std::optional<QByteArray> octets = lireOctets(source);
    return octets && ecrireOctets(cible, *octets);
}

bool ecrireLignes(const QString& chemin, const QStringList& lignes)
{
    QString texte;
    qsizetype taille = 0;
    for (const QString& l : lignes)
        taille += l.size() + 2;
    texte.reserve(taille);
    for (const QString& l : lignes) {
        texte += l;
        texte += QLatin1String("\r\n");
    }
    return ecrire(chemin, texte);
}

void simulerEchecEcriture(bool echec) { echecSimule = echec; }

} // namespace FichiersTexte

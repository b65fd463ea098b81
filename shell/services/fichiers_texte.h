#pragma once
// Text files of the program: Windows-1252 with CR LF line ends, as earlier versions stored them.
// A text holding a character that Windows-1252 lacks is written in UTF-8 instead; readers accept
// both. Every write is atomic: a failed or interrupted save leaves the previous file whole.

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace FichiersTexte {

// UTF-8 when the bytes are valid UTF-8 holding a multi-byte sequence (or a UTF-8 mark), else Windows-1252.
QString decoder(const QByteArray& octets);
// Windows-1252 when every character can be written so, else UTF-8.
QByteArray encoder(const QString& texte);
// The name of the character set encoder() writes the text in: "windows-1252" or "utf-8".
QString jeuDeCaracteres(const QString& texte);

// Splits at CR LF or a lone CR; a final line end does not make an empty last line.
QStringList decouperLignes(const QString& texte);
// The same for a list the user may edit with any editor of this system: a lone LF also ends a
// line (so do CR LF and a lone CR).
QStringList decouperLignesEditees(const QString& texte);

// Every file the program reads is opened here. The user's folders may hold anything: only a
// regular file (or a link to one) is opened, and opening never waits (a FIFO without a writer, a
// device). Any other kind is refused and the user is told which file, once until it reads again;
// `refuse` then says so. False when the file is missing, unreadable or refused (errno tells why).
// Modes: ReadOnly or ReadWrite (which makes a missing file).
bool ouvrir(QFile& fichier, QIODevice::OpenMode mode = QIODevice::ReadOnly, bool* refuse = nullptr);
// Every byte of the file, opened as above; nothing when it cannot be read.
std::optional<QByteArray> lireOctets(const QString& chemin, bool* refuse = nullptr);
// The picture the file holds, its format read from its bytes; a null image when it holds none.
QImage lireImage(const QString& chemin, bool* refuse = nullptr);
// True when the file is one that ouvrir() accepts (another program, the browser or the word
// processor, is to read it): a refusal is told as above.
bool lisible(const QString& chemin, bool* refuse = nullptr);
// What the user is told when a file that is not a regular file is refused, `genre` its kind.
QString messageRefus(const QString& chemin, const QString& genre);

// The whole file as text; nothing when it cannot be read.
std::optional<QString> lire(const QString& chemin);
// The file's lines; nothing when it cannot be read.
std::optional<QStringList> lireLignes(const QString& chemin);
// The lines of a list edited by hand (decouperLignesEditees); nothing when it cannot be read.
std::optional<QStringList> lireLignesEditees(const QString& chemin);

// Writes every byte to the open file, through interrupted and partial writes; false (errno set)
// on a failure.
bool toutEcrire(int fd, const char* donnees, qint64 taille);

// Rewrites the file whole with the text, atomically. False when the write failed (errno tells why).
bool ecrire(const QString& chemin, const QString& texte);
// Rewrites the file whole with the lines, each ended by CR LF.
bool ecrireLignes(const QString& chemin, const QStringList& lignes);
// Rewrites the file with raw bytes, atomically: the bytes go into a hidden temporary file beside
// it (".<name>.XXXXXX.kerval-tmp"), reach the disk, and then take the file's place in one step.
// False, and the previous file whole, when the file is read-only or the write failed; errno then
// tells why (ENOSPC for a full disk, EACCES for a read-only file, EROFS, EFBIG...).
bool ecrireOctets(const QString& chemin, const QByteArray& octets);
// Copies a file byte for byte, read as above; the target, when it exists, is replaced whole or
// left as it was. False when the source cannot be read or the target cannot be written.
bool copier(const QString& source, const QString& cible);
// Removes from a folder the temporary files that saves killed half-way left; their names.
QStringList retirerTemporaires(const QString& dossier);

// Test hook: when set, every atomic write fails after writing part of its content.
void simulerEchecEcriture(bool echec);

} // namespace FichiersTexte

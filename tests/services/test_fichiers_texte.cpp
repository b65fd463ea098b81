#include <gtest/gtest.h>

#include <QFile>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "outils.h"
#include "platform/fakes/fausse_plateforme.h"
#include "shell/services/fichiers_texte.h"

using namespace FichiersTexte;

TEST(FichiersTexte, DecoupageAuxFinsDeLigne)
{
    EXPECT_EQ(decouperLignes(u"a\r\nb\rc\r\n"_qs), (QStringList{u"a"_qs, u"b"_qs, u"c"_qs}));
    EXPECT_EQ(decouperLignes(u"a\r\n\r\nb"_qs), (QStringList{u"a"_qs, QString(), u"b"_qs}));
    // A lone line feed is part of the line, as stored files from earlier versions read.
    EXPECT_EQ(decouperLignes(u"a\nb"_qs), (QStringList{u"a\nb"_qs}));
    EXPECT_TRUE(decouperLignes(QString()).isEmpty());
}

TEST(FichiersTexte, ListesEditeesALaMain)
{
    // A list edited by hand ends its lines with CR LF, a lone CR or a lone LF alike.
    EXPECT_EQ(decouperLignesEditees(u"a\nb\r\nc\rd"_qs), (QStringList{u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs}));
    EXPECT_EQ(decouperLignesEditees(u"a\n\nb\n"_qs), (QStringList{u"a"_qs, QString(), u"b"_qs}));
    // LF then CR is two line ends; CR then LF is one.
    EXPECT_EQ(decouperLignesEditees(u"a\n\rb"_qs), (QStringList{u"a"_qs, QString(), u"b"_qs}));
    EXPECT_TRUE(decouperLignesEditees(QString()).isEmpty());
    // The control-dump files keep their own rule: there a lone LF stays inside the line.
    EXPECT_EQ(decouperLignes(u"Nom=a\nb\r\n"_qs), QStringList{u"Nom=a\nb"_qs});
}

TEST(FichiersTexte, Windows1252OuUtf8)
{
    const QString francais = u"Hélène à l'école – 30 €"_qs;
    const QByteArray cp = encoder(francais);
    EXPECT_EQ(cp.size(), francais.size()); // one byte a character: Windows-1252
    EXPECT_EQ(uchar(cp.at(1)), 0xE9);
    EXPECT_EQ(decoder(cp), francais);
    EXPECT_EQ(jeuDeCaracteres(francais), u"windows-1252"_qs); // what a page written so declares

    const QString etranger = u"Łukasz 😀"_qs;
    const QByteArray u8 = encoder(etranger);
    EXPECT_EQ(u8, etranger.toUtf8());
    EXPECT_EQ(decoder(u8), etranger);
    EXPECT_EQ(jeuDeCaracteres(etranger), u"utf-8"_qs);

    // Bytes that are not valid UTF-8 read as Windows-1252; pure ASCII is the same either way.
    EXPECT_EQ(decoder(QByteArray("caf\xE9 \xC3")), u"café Ã"_qs);
    EXPECT_EQ(decoder(QByteArray("\xEF\xBB\xBFok")), u"ok"_qs);
    EXPECT_EQ(decoder(QByteArray("\xC0\xAF")), u"À¯"_qs); // overlong form is not UTF-8
}

TEST(FichiersTexte, EcritureAtomique)
{
    QTemporaryDir d;
    const QString chemin = d.filePath(u"cv.dat"_qs);
    ASSERT_TRUE(ecrireLignes(chemin, {u"Nom=Lebrun"_qs, u"Prénom=Hélène"_qs}));
    EXPECT_EQ(Outils::lireOctets(chemin), QByteArray("Nom=Lebrun\r\nPr\xE9nom=H\xE9l\xE8ne\r\n"));
    EXPECT_EQ(*lireLignes(chemin), (QStringList{u"Nom=Lebrun"_qs, u"Prénom=Hélène"_qs}));

    simulerEchecEcriture(true);
    EXPECT_FALSE(ecrire(chemin, u"tout autre chose"_qs));
    simulerEchecEcriture(false);
    EXPECT_EQ(Outils::lireOctets(chemin), QByteArray("Nom=Lebrun\r\nPr\xE9nom=H\xE9l\xE8ne\r\n"));
    EXPECT_EQ(QDir(d.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"cv.dat"_qs});

    EXPECT_FALSE(lire(d.filePath(u"absent.dat"_qs)).has_value());
    EXPECT_FALSE(ecrire(d.filePath(u"absent/dossier/x.txt"_qs), u"x"_qs));
}

TEST(FichiersTexte, UneSauvegardeGardeLeFichierSesDroitsEtNeLaisseRien)
{
    QTemporaryDir d;
    const QString chemin = d.filePath(u"Lefort Anne.dat"_qs);
    ASSERT_TRUE(ecrire(chemin, u"Nom=Lefort"_qs));
    ASSERT_TRUE(QFile::setPermissions(chemin, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ASSERT_TRUE(ecrire(chemin, u"Nom=Lefort\r\nPrénom=Anne"_qs));
    EXPECT_EQ(QFile::permissions(chemin) & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Through a link, the file it points to is written and the link stays.
    const QString lien = d.filePath(u"lien.dat"_qs);
    ASSERT_TRUE(QFile::link(chemin, lien));
    ASSERT_TRUE(ecrire(lien, u"Nom=Lien"_qs));
    EXPECT_TRUE(QFileInfo(lien).isSymLink());
    EXPECT_EQ(*lire(chemin), u"Nom=Lien"_qs);
    EXPECT_EQ(QDir(d.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{u"Lefort Anne.dat"_qs, u"lien.dat"_qs}));

    // What a save killed half-way leaves is recognised; the user's own files are not.
    for (const char* nom : {".Lefort Anne.dat.a1B2c3.kerval-tmp", ".Listesites.txt.ZZZZZZ.kerval-tmp", ".cache",
                            "notes.kerval-tmp", ".x.dat.court.kerval-tmp"})
        Outils::ecrireOctets(d.filePath(QString::fromLatin1(nom)), "x");
    EXPECT_EQ(retirerTemporaires(d.path()),
              (QStringList{u".Lefort Anne.dat.a1B2c3.kerval-tmp"_qs, u".Listesites.txt.ZZZZZZ.kerval-tmp"_qs}));
    EXPECT_EQ(QDir(d.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 5);
}

// The user's folders may hold anything: only a regular file, or a link to one, is opened; a FIFO
// without a writer, a folder, a device or a socket is refused at once, and the user is told which
// file, once until it reads again.
TEST(FichiersTexte, SeulUnFichierOrdinaireEstOuvertEtUnRefusNommeLeFichier)
{
    const FaussePlateforme faux = FaussePlateforme::installer();
    QTemporaryDir d;
    const QString fichier = d.filePath(u"Listesites.txt"_qs);
    Outils::ecrireOctets(fichier, "Emploi / https://exemple.fr\r\n");
    const QString lien = d.filePath(u"lien.txt"_qs);
    ASSERT_TRUE(QFile::link(fichier, lien));
    const QString tube = d.filePath(u"propositions été.txt"_qs);
    ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    const QString lienTube = d.filePath(u"lien-tube.jpg"_qs);
    ASSERT_TRUE(QFile::link(tube, lienTube));
    const QString dossier = d.filePath(u"Modeles"_qs);
    ASSERT_TRUE(QDir().mkpath(dossier));
    const QString prise = d.filePath(u"prise"_qs);
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    qstrncpy(adresse.sun_path, QFile::encodeName(prise).constData(), sizeof adresse.sun_path);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);

    EXPECT_EQ(lireOctets(fichier), QByteArray("Emploi / https://exemple.fr\r\n"));
    EXPECT_EQ(lire(lien), u"Emploi / https://exemple.fr\r\n"_qs); // a link to a file reads through
    EXPECT_TRUE(lisible(lien));
    EXPECT_FALSE(lireOctets(d.filePath(u"absent.txt"_qs)).has_value()); // missing: nothing said
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());

    const QList<std::pair<QString, QString>> refuses = {
        {tube, u"un tube nommé (FIFO)"_qs},     {lienTube, u"un tube nommé (FIFO)"_qs},
        {dossier, u"un dossier"_qs},            {u"/dev/null"_qs, u"un périphérique"_qs},
        {prise, u"une prise de communication (socket)"_qs},
    };
    for (const auto& [chemin, genre] : refuses) {
        faux.dialogues->messages.clear();
        bool refuse = false;
        // Opening never waits, to read or to write (the kept messages are written in place).
        EXPECT_FALSE(lireOctets(chemin, &refuse).has_value()) << chemin.toStdString();
        EXPECT_TRUE(refuse) << chemin.toStdString();
        QFile f(chemin);
        EXPECT_FALSE(ouvrir(f, QIODevice::ReadWrite)) << chemin.toStdString();
        EXPECT_FALSE(lire(chemin).has_value());
        EXPECT_TRUE(lireImage(chemin).isNull());
        // Told once, the file named whole.
        EXPECT_EQ(faux.dialogues->textes(), QStringList{messageRefus(chemin, genre)}) << chemin.toStdString();
        EXPECT_TRUE(faux.dialogues->textes().value(0).contains(u"« "_qs + chemin + u" »"_qs));
    }
    EXPECT_EQ(messageRefus(u"/d/x"_qs, u"un dossier"_qs),
              u"Le fichier « /d/x » n'a pas été ouvert : c'est un dossier et non un fichier ordinaire. "
              "Kerval ne lit que des fichiers ordinaires ; remplacez-le par un fichier ou retirez-le."_qs);

    // Made a file again, it reads; made a FIFO once more, the user is told again.
    ASSERT_TRUE(QFile::remove(tube));
    Outils::ecrireOctets(tube, "x");
    faux.dialogues->messages.clear();
    EXPECT_EQ(lireOctets(tube), QByteArray("x"));
    ASSERT_TRUE(QFile::remove(tube));
    ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    EXPECT_FALSE(lireOctets(tube).has_value());
    EXPECT_EQ(faux.dialogues->messages.size(), 1);
    ::close(s);
}

// The build as a part of a larger one, and what its install lays down.
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "commun.h"
#include "shell/controls/dessins.h"

namespace {

// Runs cmake with the arguments; gives its output, and false when it failed.
bool cmake(const QStringList& arguments, QString& sortie)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(KERVAL_CMAKE), arguments);
    const bool fini = p.waitForFinished(300000);
    sortie = QString::fromLocal8Bit(p.readAll());
    return fini && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

TEST(Construction, DansUnProjetPlusGrandLeCoeurGardeSesSourcesEtSesDonnees)
{
    // A packager's build that takes Kerval in as one of its folders.
    QTemporaryDir d;
    const QDir racine(d.path());
    racine.mkpath(u"parent"_qs);
    ecrireFichier(racine.filePath(u"parent/CMakeLists.txt"_qs),
                  "cmake_minimum_required(VERSION 3.22)\nproject(Ensemble LANGUAGES C CXX)\n"
                  "add_subdirectory(\"" + QByteArray(KERVAL_SOURCE) + "\" kerval)\n");
    QString sortie;
    ASSERT_TRUE(cmake({u"-S"_qs, racine.filePath(u"parent"_qs), u"-B"_qs, racine.filePath(u"construction"_qs),
                       u"-G"_qs, u"Ninja"_qs},
                      sortie))
        << sortie.toStdString();
    const QString ninja = QString::fromUtf8(Outils::lireOctets(racine.filePath(u"construction/build.ninja"_qs)));
    const QString source = QDir(QStringLiteral(KERVAL_SOURCE)).absolutePath();
    for (const char* fichier : {"shell/mainwindow/principale.cpp", "register/store/base_donnees.cpp",
                                "cveditor/formrediger_cv.cpp", "letters/formpostuler.cpp", "platform/plateforme.cpp"})
        EXPECT_TRUE(ninja.contains(source + u'/' + QString::fromLatin1(fichier))) << fichier;
    EXPECT_TRUE(ninja.contains(u"KERVAL_DONNEES_SOURCE=\\\""_qs + source + u"/data\\\""_qs));
    // Its tests and benchmarks are the larger build's choice, off unless asked for.
    EXPECT_FALSE(ninja.contains(u"kerval/tests/"_qs));
    EXPECT_FALSE(ninja.contains(u"kerval/bench/"_qs));
}

TEST(Construction, LInstallationPorteLesDonneesSansLesMarquesDeDossiersVides)
{
    QTemporaryDir d;
    QString sortie;
    ASSERT_TRUE(cmake({u"--install"_qs, QStringLiteral(KERVAL_CONSTRUCTION), u"--prefix"_qs, d.path()}, sortie))
        << sortie.toStdString();
    const QDir partage(d.filePath(u"share/kerval"_qs));
    EXPECT_TRUE(QFileInfo(d.filePath(u"bin/kerval"_qs)).isExecutable());
    EXPECT_TRUE(QFileInfo::exists(partage.filePath(u"Kerval.sql"_qs)));
    EXPECT_TRUE(QFileInfo(partage.filePath(u"Visualisation"_qs)).isDir());
    QStringList marques;
    QDirIterator it(d.path(), {u".gitkeep"_qs}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        marques << it.next();
    EXPECT_TRUE(marques.isEmpty()) << marques.join(u' ').toStdString();

    // The installed program lays a new data folder down from the data installed beside it, not
    // from the prefix the build was configured with nor from the source tree.
    const QByteArray propositions = "Phrases de l'installation\r\n";
    QFile::remove(partage.filePath(u"propositions.txt"_qs));
    Outils::ecrireOctets(partage.filePath(u"propositions.txt"_qs), propositions);
    QTemporaryDir appData;
    QProcess kerval;
    kerval.setProcessEnvironment(environnementKerval(appData.path()));
    kerval.setProcessChannelMode(QProcess::MergedChannels);
    kerval.start(d.filePath(u"bin/kerval"_qs), {});
    ASSERT_TRUE(kerval.waitForStarted(10000));
    const QString posees = appData.filePath(u"Kerval/propositions.txt"_qs);
    for (int i = 0; i < 600 && !QFileInfo::exists(posees) && kerval.state() == QProcess::Running; ++i)
        kerval.waitForFinished(100);
    kerval.terminate();
    EXPECT_TRUE(kerval.waitForFinished(30000));
    EXPECT_EQ(Outils::lireOctets(posees), propositions) << kerval.readAll().toStdString();
}

// Installed for the desktop: an entry that the menus list and that the validator accepts, and
// the logo's emblem as its icon, at the usual sizes.
TEST(Construction, LInstallationMetKervalDansLesMenusDuBureau)
{
    QTemporaryDir d;
    QString sortie;
    ASSERT_TRUE(cmake({u"--install"_qs, QStringLiteral(KERVAL_CONSTRUCTION), u"--prefix"_qs, d.path()}, sortie))
        << sortie.toStdString();
    const QString id = u"fr.kerval.Kerval"_qs;
    const QString entree = d.filePath(u"share/applications/"_qs + id + u".desktop"_qs);
    const QStringList lignes = QString::fromUtf8(Outils::lireOctets(entree)).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lignes.isEmpty()) << entree.toStdString();
    EXPECT_EQ(lignes.first(), u"[Desktop Entry]"_qs);
    for (const QString& attendue : {u"Type=Application"_qs, u"Name=Kerval"_qs, u"Exec=kerval"_qs, u"Icon="_qs + id,
                                    u"Terminal=false"_qs, u"Categories=Office;"_qs,
                                    // The class of the program's windows on X11, where it names
                                    // no entry of its own.
                                    u"StartupWMClass=Kerval"_qs,
                                    u"Comment=Assistant de recherche d'emploi : CV, lettres et candidatures"_qs})
        EXPECT_TRUE(lignes.contains(attendue)) << attendue.toStdString();
    // The program it starts is the one installed beside it.
    EXPECT_TRUE(QFileInfo(d.filePath(u"bin/kerval"_qs)).isExecutable());

    for (const int taille : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icone(d.filePath(u"share/icons/hicolor/%1x%1/apps/%2.png"_qs.arg(taille).arg(id)));
        ASSERT_FALSE(icone.isNull()) << taille;
        EXPECT_EQ(icone.convertToFormat(QImage::Format_ARGB32),
                  Dessins::embleme(taille).convertToFormat(QImage::Format_ARGB32))
            << taille;
    }
    // The emblem itself: an orange disc in a transparent square, white in its middle stroke.
    const QImage embleme = Dessins::embleme(48);
    EXPECT_EQ(qAlpha(embleme.pixel(0, 0)), 0);
    const QColor bord = embleme.pixelColor(24, 40);
    EXPECT_GT(bord.red(), 200);
    EXPECT_LT(bord.blue(), 80);
    EXPECT_EQ(embleme.pixelColor(16, 24), QColor(Qt::white));

    const QString validateur = QStandardPaths::findExecutable(u"desktop-file-validate"_qs);
    if (validateur.isEmpty())
        return;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(validateur, {entree});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString avis = QString::fromUtf8(p.readAll());
    EXPECT_EQ(p.exitCode(), 0) << avis.toStdString();
    EXPECT_EQ(avis, QString()) << avis.toStdString();
}

// The user's private folder outside the data folder: one folder that every session reuses, never
// reached through a link, never one that others may enter or that another user owns.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "outils.h"
#include "platform/dossier_prive.h"

namespace {

class DossierPriveTest : public ::testing::Test {
protected:
    QTemporaryDir racine;
    VariableTemporaire session{"XDG_RUNTIME_DIR", QByteArray()};
    VariableTemporaire temp{"temp", racine.filePath(u"tmp"_qs)};
    VariableTemporaire cache{"XDG_CACHE_HOME", racine.filePath(u"cache"_qs)};

    void SetUp() override
    {
        QDir().mkpath(racine.filePath(u"tmp"_qs));
        ::chmod(QFile::encodeName(racine.filePath(u"tmp"_qs)).constData(), 01777);
    }
    QString dansTemp() const { return racine.filePath(QStringLiteral("tmp/kerval-%1").arg(::geteuid())); }
    QString dansCache() const { return racine.filePath(u"cache/kerval"_qs); }
    static int mode(const QString& chemin)
    {
        struct stat s {};
        return ::lstat(QFile::encodeName(chemin).constData(), &s) == 0 ? int(s.st_mode & 07777) : -1;
    }
};

} // namespace

TEST_F(DossierPriveTest, UnSeulDossierFermeAuxAutresEtRepris)
{
    EXPECT_TRUE(DossierPrive::existants().isEmpty()); // looking makes nothing
    const mode_t masque = ::umask(0277);              // whatever the mask of the process
    const QString dossier = DossierPrive::chemin();
    ::umask(masque);
    EXPECT_EQ(dossier, dansTemp());
    EXPECT_EQ(mode(dossier), 0700);
    Outils::ecrireOctets(QDir(dossier).filePath(u"ImpKerval.html"_qs), "rapport");
    EXPECT_EQ(DossierPrive::chemin(), dossier);
    EXPECT_EQ(Outils::lireOctets(QDir(dossier).filePath(u"ImpKerval.html"_qs)), QByteArray("rapport"));
    EXPECT_EQ(DossierPrive::existants(), QStringList{dossier});

    // The session's runtime folder comes first when it is the user's and closed to others.
    const QString runtime = racine.filePath(u"run"_qs);
    QDir().mkpath(runtime);
    ::chmod(QFile::encodeName(runtime).constData(), 0755);
    VariableTemporaire ouverte{"XDG_RUNTIME_DIR", runtime};
    EXPECT_EQ(DossierPrive::chemin(), dossier);
    ::chmod(QFile::encodeName(runtime).constData(), 0700);
    EXPECT_EQ(DossierPrive::chemin(), runtime + u"/kerval"_qs);
    EXPECT_EQ(mode(runtime + u"/kerval"_qs), 0700);
    EXPECT_EQ(DossierPrive::existants(), (QStringList{runtime + u"/kerval"_qs, dossier}));
}

TEST_F(DossierPriveTest, JamaisParUnLienNiChezUnAutre)
{
    // A link at the name, to a folder of the user's: not followed; the cache folder serves.
    const QString cible = racine.filePath(u"cible"_qs);
    QDir().mkpath(cible);
    ::chmod(QFile::encodeName(cible).constData(), 0700);
    ASSERT_TRUE(QFile::link(cible, dansTemp()));
    EXPECT_EQ(DossierPrive::chemin(), dansCache());
    EXPECT_EQ(mode(dansCache()), 0700);
    EXPECT_TRUE(QFileInfo(dansTemp()).isSymLink());
    EXPECT_TRUE(QDir(cible).isEmpty());
    EXPECT_EQ(DossierPrive::existants(), QStringList{dansCache()});

    // A folder of the user's that others may enter, or a file.
    QDir(racine.path()).rmpath(u"cache/kerval"_qs);
    QFile::remove(dansTemp());
    QDir().mkpath(dansTemp());
    ::chmod(QFile::encodeName(dansTemp()).constData(), 0755);
    EXPECT_EQ(DossierPrive::chemin(), dansCache());
    EXPECT_EQ(mode(dansTemp()), 0755);
    QDir(racine.path()).rmpath(u"cache/kerval"_qs);
    QDir().rmdir(dansTemp());
    Outils::ecrireOctets(dansTemp(), "x");
    EXPECT_EQ(DossierPrive::chemin(), dansCache());

    // Another user's folder, closed as the user's would be.
    if (::geteuid() == 0) {
        QFile::remove(dansTemp());
        QDir(racine.path()).rmpath(u"cache/kerval"_qs);
        ASSERT_TRUE(QDir().mkdir(dansTemp()));
        ::chmod(QFile::encodeName(dansTemp()).constData(), 0700);
        ASSERT_EQ(::chown(QFile::encodeName(dansTemp()).constData(), 65534, 65534), 0);
        EXPECT_EQ(DossierPrive::chemin(), dansCache());
    }

    // Nowhere left: none.
    QDir(racine.path()).rmpath(u"cache/kerval"_qs);
    Outils::ecrireOctets(racine.filePath(u"cache"_qs), "x");
    EXPECT_EQ(DossierPrive::chemin(), QString());
    EXPECT_TRUE(DossierPrive::existants().isEmpty());
}

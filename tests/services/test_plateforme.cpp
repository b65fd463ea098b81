#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "outils.h"
#include "platform/attente.h"
#include "platform/environnement.h"
#include "platform/fakes/fausse_plateforme.h"
#include "platform/plateforme.h"

TEST(Plateforme, DialoguesScriptes)
{
    auto f = FaussePlateforme::installer();
    f.dialogues->reponses = {false};
    EXPECT_FALSE(MsgBox(u"Supprimer ?"_qs, true));
    EXPECT_TRUE(MsgBox(u"Enregistré."_qs)); // no script left: OK
    ASSERT_EQ(f.dialogues->messages.size(), 2);
    EXPECT_TRUE(f.dialogues->messages[0].okAnnuler);
    EXPECT_EQ(f.dialogues->textes(), (QStringList{u"Supprimer ?"_qs, u"Enregistré."_qs}));
    EXPECT_EQ(Plateforme::instance().horloge().aujourdhui(), QDate(2024, 3, 15));
}

TEST(Plateforme, AttentePompeLesEvenementsMemeAcceleree)
{
    bool tic = false;
    QTimer::singleShot(0, [&] { tic = true; });
    Attente::dormir(500);
    EXPECT_TRUE(tic);

    Attente::fixerAcceleration(0.01);
    QElapsedTimer chrono;
    chrono.start();
    Attente::dormir(2000);
    EXPECT_GE(chrono.elapsed(), 15);
    Attente::fixerAcceleration(0);

    // A pump inside the delivery of a queued event (the highlight bar's click runs so) also
    // delivers the events queued behind that one.
    bool suivant = false, vuDansLaPompe = false, fini = false;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            Attente::pomper();
            vuDansLaPompe = suivant;
            fini = true;
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(qApp, [&] { suivant = true; }, Qt::QueuedConnection);
    for (int i = 0; i < 100 && !fini; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(fini);
    EXPECT_TRUE(vuDansLaPompe);
}

TEST(Plateforme, DossiersDeLEnvironnement)
{
    DossierTemporaire d;
    EXPECT_EQ(Environnement::dossierDonnees(), d.donnees());
    qputenv("temp", "/tmp/essai-kerval");
    EXPECT_EQ(Environnement::dossierTemporaire(), u"/tmp/essai-kerval"_qs);
    qunsetenv("temp");
    EXPECT_FALSE(Environnement::dossierTemporaire().isEmpty());
    EXPECT_TRUE(QDir(Environnement::dossierDonneesLivrees()).exists());
}

// Run only by the next test, in a child process whose desktop holds one program for HTML pages.
TEST(Plateforme, ProgrammeDuBureauDansUnProcessusEnfant)
{
    const QString page = qEnvironmentVariable("KERVAL_PAGE_ESSAI");
    if (page.isEmpty())
        GTEST_SKIP() << "run by a child process";
    Plateforme::installerLinux();
    Coquille& coquille = Plateforme::instance().coquille();
    const QString programme = coquille.programmeAssocie(page);
    ASSERT_FALSE(programme.isEmpty());
    EXPECT_TRUE(QFileInfo(programme).isAbsolute());
    EXPECT_TRUE(coquille.programmeAssocie(page + u".absent"_qs).isEmpty());
    EXPECT_TRUE(coquille.lancer(programme, {page}, true));
}

TEST(Plateforme, LeProgrammeDuBureauDemarreCommeSonEntreeLeDit)
{
    // A desktop entry as distributions write them: an "env" prefix and the file's place among
    // the arguments given by a field code.
    QTemporaryDir d;
    const QDir racine(d.path());
    for (const char* dossier : {"donnees/applications", "config", "systeme", "configsysteme"})
        racine.mkpath(QString::fromLatin1(dossier));
    const QString trace = racine.filePath(u"trace.txt"_qs);
    const QString script = racine.filePath(u"lecteur.sh"_qs);
    Outils::ecrireOctets(script, "#!/bin/sh\necho \"$KERVAL_VU $*\" > \"" + trace.toUtf8() + "\"\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
    Outils::ecrireOctets(racine.filePath(u"donnees/applications/lecteur-essai.desktop"_qs),
                  "[Desktop Entry]\nType=Application\nName=Lecteur\nMimeType=text/html;\nExec=env KERVAL_VU=oui " +
                      script.toUtf8() + " --page %f\n");
    Outils::ecrireOctets(racine.filePath(u"config/mimeapps.list"_qs),
                  "[Default Applications]\ntext/html=lecteur-essai.desktop\n");
    const QString page = racine.filePath(u"page d'essai.html"_qs);
    Outils::ecrireOctets(page, "<html><body>Essai</body></html>\n");

    QProcess enfant;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_DATA_HOME"_qs, racine.filePath(u"donnees"_qs));
    env.insert(u"XDG_CONFIG_HOME"_qs, racine.filePath(u"config"_qs));
    // The shared folders stay, for the types of files; the user's own choice comes first.
    env.insert(u"XDG_DATA_DIRS"_qs, racine.filePath(u"systeme"_qs) + u":/usr/local/share:/usr/share"_qs);
    env.insert(u"XDG_CONFIG_DIRS"_qs, racine.filePath(u"configsysteme"_qs));
    env.insert(u"KERVAL_PAGE_ESSAI"_qs, page);
    enfant.setProcessEnvironment(env);
    enfant.setProcessChannelMode(QProcess::MergedChannels);
    enfant.start(QCoreApplication::applicationFilePath(),
                 {u"--gtest_filter=Plateforme.ProgrammeDuBureauDansUnProcessusEnfant"_qs});
    ASSERT_TRUE(enfant.waitForFinished(60000));
    const QString sortie = QString::fromUtf8(enfant.readAll());
    ASSERT_EQ(enfant.exitCode(), 0) << sortie.toStdString();
    ASSERT_TRUE(sortie.contains(u"[  PASSED  ] 1 test"_qs)) << sortie.toStdString();

    QElapsedTimer chrono;
    chrono.start();
    while (!QFileInfo(trace).size() && chrono.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_EQ(Outils::lireOctets(trace), "oui --page " + page.toUtf8() + "\n");
}

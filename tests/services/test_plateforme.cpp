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

// Run only by the next test, in a child process whose desktop holds the desktop entries written
// there: each line of KERVAL_FICHIERS_ESSAI is a file and the program expected for it.
TEST(Plateforme, ProgrammeDuBureauDansUnProcessusEnfant)
{
    const QString liste = qEnvironmentVariable("KERVAL_FICHIERS_ESSAI");
    if (liste.isEmpty())
        GTEST_SKIP() << "run by a child process";
    Plateforme::installerLinux();
    Coquille& coquille = Plateforme::instance().coquille();
    for (const QString& ligne : liste.split(u'\n', Qt::SkipEmptyParts)) {
        const QString fichier = ligne.section(u'\t', 0, 0);
        const QString attendu = ligne.section(u'\t', 1);
        const QString programme = coquille.programmeAssocie(fichier);
        EXPECT_EQ(programme, attendu) << fichier.toStdString();
        EXPECT_TRUE(coquille.lancer(programme, {fichier}, true)) << fichier.toStdString();
        EXPECT_TRUE(coquille.programmeAssocie(fichier + u".absent"_qs).isEmpty());
    }
    // A type with no program is a found-nothing answer.
    const QString sansProgramme = QFileInfo(liste.section(u'\t', 0, 0)).absolutePath() + u"/notes.kerval-inconnu"_qs;
    QFile f(sansProgramme);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x01\x02\x03", 3);
    f.close();
    EXPECT_TRUE(coquille.programmeAssocie(sansProgramme).isEmpty());
}

TEST(Plateforme, LeProgrammeDuBureauDemarreCommeSonEntreeLeDit)
{
    // Desktop entries as distributions and sandboxes write them; each program is a stand-in
    // that writes down its arguments, one a line.
    QTemporaryDir d;
    const QDir racine(d.path());
    for (const char* dossier : {"donnees/applications", "config", "systeme", "configsysteme", "bin", "mon lecteur"})
        racine.mkpath(QString::fromLatin1(dossier));
    const auto enregistreur = [&](const QString& chemin, const QString& trace) {
        Outils::ecrireOctets(chemin, "#!/bin/sh\n{ echo \"vu=$KERVAL_VU\"; printf '%s\\n' \"$@\"; } > \"" +
                                         trace.toUtf8() + ".part\" && mv \"" + trace.toUtf8() + ".part\" \"" +
                                         trace.toUtf8() + "\"\n");
        QFile::setPermissions(chemin, QFile::permissions(chemin) | QFileDevice::ExeOwner);
    };
    struct Cas {
        const char* entree;   // the desktop entry's name
        const char* type;     // the file type it opens
        const char* fichier;  // the file opened
        QString programme;    // the stand-in the entry's Exec line runs: the program expected
        QByteArray exec;      // the Exec line, %P standing for the stand-in's path
        QStringList attendus; // the arguments the stand-in must see, %F for the file (GLib gives a
                              // local file's path for the address field codes too)
        QByteArray vu = "vu=";
    };
    const QString lecteur = racine.filePath(u"bin/lecteur"_qs);
    const QString flatpak = racine.filePath(u"bin/flatpak"_qs);
    const QString tableur = racine.filePath(u"bin/tableur"_qs);
    const QString blancs = racine.filePath(u"mon lecteur/lire le fichier"_qs);
    const QString visionneuse = racine.filePath(u"bin/visionneuse"_qs);
    const QList<Cas> cas{
        // A snap's entry: variables set through "env", an address field code.
        {"navigateur-snap.desktop", "text/html", "page d'essai.html", lecteur,
         "env KERVAL_VU=oui BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/x.desktop %P %u",
         {u"%F"_qs}, "vu=oui"},
        // A Flatpak entry: the sandbox's launcher with the application's name, the files forwarded.
        {"org.libreoffice.LibreOffice.desktop", "application/msword", "Lettre Dupont.doc", flatpak,
         "%P run --branch=stable --arch=x86_64 --command=libreoffice --file-forwarding "
         "org.libreoffice.LibreOffice --writer @@u %U @@",
         {u"run"_qs, u"--branch=stable"_qs, u"--arch=x86_64"_qs, u"--command=libreoffice"_qs, u"--file-forwarding"_qs,
          u"org.libreoffice.LibreOffice"_qs, u"--writer"_qs, u"@@u"_qs, u"%F"_qs, u"@@"_qs}},
        // A comma inside an option and the files' list.
        {"tableur.desktop", "text/csv", "liste, 2026.csv", tableur, "%P --opt=a,b %F", {u"--opt=a,b"_qs, u"%F"_qs}},
        // A program whose path holds blanks, quoted.
        {"lecteur-blancs.desktop", "application/pdf", "rapport.pdf", blancs, "\"%P\" --fichier %f",
         {u"--fichier"_qs, u"%F"_qs}},
        // An address field code given a local file.
        {"visionneuse.desktop", "image/jpeg", "Photo.jpg", visionneuse, "%P %u", {u"%F"_qs}},
    };
    QByteArray associations = "[Default Applications]\n";
    QString fichiers;
    QStringList traces;
    for (int i = 0; i < cas.size(); ++i) {
        const Cas& c = cas[i];
        const QString& standIn = c.programme;
        traces << racine.filePath(u"trace-%1.txt"_qs.arg(i));
        enregistreur(standIn, traces.last());
        QByteArray exec = c.exec;
        exec.replace("%P", standIn.toUtf8());
        Outils::ecrireOctets(racine.filePath(u"donnees/applications/"_qs + QString::fromLatin1(c.entree)),
                             "[Desktop Entry]\nType=Application\nName=Essai " + QByteArray::number(i) +
                                 "\nMimeType=" + c.type + ";\nExec=" + exec + "\n");
        associations += QByteArray(c.type) + '=' + c.entree + '\n';
        const QString fichier = racine.filePath(QString::fromUtf8(c.fichier));
        Outils::ecrireOctets(fichier, i == 0 ? "<html><body>Essai</body></html>\n" : "essai\n");
        fichiers += fichier + u'\t' + c.programme + u'\n';
    }
    Outils::ecrireOctets(racine.filePath(u"config/mimeapps.list"_qs), associations);

    QProcess enfant;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_DATA_HOME"_qs, racine.filePath(u"donnees"_qs));
    env.insert(u"XDG_CONFIG_HOME"_qs, racine.filePath(u"config"_qs));
    // The shared folders stay, for the types of files; the user's own choice comes first.
    env.insert(u"XDG_DATA_DIRS"_qs, racine.filePath(u"systeme"_qs) + u":/usr/local/share:/usr/share"_qs);
    env.insert(u"XDG_CONFIG_DIRS"_qs, racine.filePath(u"configsysteme"_qs));
    env.insert(u"KERVAL_FICHIERS_ESSAI"_qs, fichiers);
    enfant.setProcessEnvironment(env);
    enfant.setProcessChannelMode(QProcess::MergedChannels);
    enfant.start(QCoreApplication::applicationFilePath(),
                 {u"--gtest_filter=Plateforme.ProgrammeDuBureauDansUnProcessusEnfant"_qs});
    ASSERT_TRUE(enfant.waitForFinished(60000));
    const QString sortie = QString::fromUtf8(enfant.readAll());
    ASSERT_EQ(enfant.exitCode(), 0) << sortie.toStdString();
    ASSERT_TRUE(sortie.contains(u"[  PASSED  ] 1 test"_qs)) << sortie.toStdString();

    for (int i = 0; i < cas.size(); ++i) {
        QElapsedTimer chrono;
        chrono.start();
        while (!QFileInfo::exists(traces[i]) && chrono.elapsed() < 10000)
            QThread::msleep(20);
        const QString fichier = racine.filePath(QString::fromUtf8(cas[i].fichier));
        QStringList attendus;
        for (const QString& a : cas[i].attendus)
            attendus << (a == u"%F" ? fichier : a);
        EXPECT_EQ(Outils::lireOctets(traces[i]).toStdString(),
                  (QString::fromUtf8(cas[i].vu) + u'\n' + attendus.join(u'\n') + u'\n').toStdString())
            << cas[i].entree;
    }
}

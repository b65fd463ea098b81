// The session ends (SIGTERM) right after the user typed into an application's remarks and into a
// letter template: a child process runs the program's start-up as the executable does, with the
// desktop's own services, and the test sends it the signal; both texts are stored whole.
#include <QApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimer>
#include <csignal>
#include <iostream>

#include "commun.h"
#include "letters/formlettre.h"
#include "register/window/formcand.h"
#include "shell/mainwindow/principale.h"

namespace {

const QString Remarques = u"Appeler lundi"_qs;
const QString Lettre = u"Madame, Monsieur,"_qs;

} // namespace

// Run only in the child process started by the next test.
TEST(Arret, Enfant)
{
    if (qEnvironmentVariableIsEmpty("KERVAL_ARRET"))
        GTEST_SKIP() << "run by a child process";
    QPointer<Principale> principale = demarrerCommeLExecutable();
    ASSERT_FALSE(principale.isNull());

    // The application opened from the register's tree, its remarks typed into.
    FormCand& registre = ouvrirCandidature();
    ASSERT_EQ(registre.Remarques->toPlainText(), Remarques);
    taperApresLeTic(registre.Timer2, registre.Remarques, u" - Entretien le 12 à 14h"_qs);

    // The template opened, its letter typed into.
    FormLettre& lettre = Forme<FormLettre>();
    lettre.ChargerFichierLettre(QDir::current().filePath(u"Lettres/Relance.dat"_qs));
    ASSERT_EQ(lettre.Text1->toPlainText(), Lettre);
    taperApresLeTic(lettre.Timer1, lettre.Text1, u"\nVotre annonce a retenu mon attention."_qs);

    std::cout << "pret" << std::endl;
    QTimer::singleShot(120000, qApp, [] { QCoreApplication::exit(3); }); // no signal came
    EXPECT_EQ(QApplication::exec(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(principale.isNull());
}

TEST(Arret, UnSignalDArretEnregistreCeQuiVientDEtreTape)
{
    DossierTemporaire dossier;
    creerCandidatureEtModele(dossier, Remarques, Lettre);

    QProcess enfant;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"KERVAL_ARRET"_qs, u"1"_qs);
    env.insert(u"AppData"_qs, dossier.appData());
    enfant.setProcessEnvironment(env);
    enfant.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    enfant.start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=Arret.Enfant"_qs});
    ASSERT_TRUE(enfant.waitForStarted(10000));
    QByteArray sortie;
    while (!sortie.contains("pret\n") && enfant.waitForReadyRead(120000))
        sortie += enfant.readAllStandardOutput();
    ASSERT_TRUE(sortie.contains("pret\n")) << sortie.toStdString();

    ::kill(pid_t(enfant.processId()), SIGTERM);
    ASSERT_TRUE(enfant.waitForFinished(60000));
    sortie += enfant.readAllStandardOutput();
    EXPECT_EQ(enfant.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(enfant.exitCode(), 0) << sortie.toStdString();
    EXPECT_TRUE(sortie.contains("[  PASSED  ] 1 test")) << sortie.toStdString();

    EXPECT_EQ(remarquesEnregistrees(dossier), Remarques + u" - Entretien le 12 à 14h"_qs);
    EXPECT_EQ(lettreEnregistree(dossier), Lettre + u"\r\nVotre annonce a retenu mon attention."_qs);
}

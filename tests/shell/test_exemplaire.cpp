// One copy per data folder, seen from the first copy (this process) and from a second one: a
// second start brings the first copy's main window to the front, or says that Kerval is already
// open, and leaves the data folder as it was.
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QTest>

#include "commun.h"
#include "shell/mainwindow/principale.h"
#include "shell/startup/depart.h"
#include "shell/startup/exemplaire.h"

namespace {

class DeuxiemeExemplaire : public TestCoquille {
protected:
    DossierTemporaire dossier;

    // The built program started on the same data folder, as a user starts it again.
    std::unique_ptr<QProcess> lancerSecond()
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"AppData"_qs, dossier.appData());
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->start(QStringLiteral(KERVAL_EXECUTABLE), {});
        EXPECT_TRUE(p->waitForStarted(10000));
        return p;
    }
    // Lets this process answer while the other one runs; false when it still runs at the limit.
    static bool attendreFin(QProcess& p, int limiteMs = 60000)
    {
        QElapsedTimer chrono;
        chrono.start();
        while (p.state() != QProcess::NotRunning && chrono.elapsed() < limiteMs) {
            QTest::qWait(20);
            p.waitForFinished(0);
        }
        return p.state() == QProcess::NotRunning;
    }
};

} // namespace

TEST_F(DeuxiemeExemplaire, UnSecondDemarrageRameneLaFenetreDuPremierDevant)
{
    creerRegistre(dossier.chemin(u"Kerval.mdb"_qs));
    Depart::demarrer();
    QPointer<Principale> principale = RegistreFenetres::instance().siChargee<Principale>();
    ASSERT_FALSE(principale.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(QFileInfo::exists(Exemplaire::cheminVerrou(dossier.donnees())));

    // The user went on to another program and put Kerval away.
    QWidget autre;
    autre.show();
    autre.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&autre));
    principale->showMinimized();
    ASSERT_TRUE(principale->isMinimized());
    const QStringList avant = etatDossier(dossier.donnees());

    auto second = lancerSecond();
    ASSERT_TRUE(attendreFin(*second));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    ASSERT_FALSE(principale.isNull());
    EXPECT_FALSE(principale->isMinimized());
    EXPECT_TRUE(principale->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(principale));
    EXPECT_EQ(etatDossier(dossier.donnees()), avant);
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(DeuxiemeExemplaire, UnPremierQuiNeRepondPasEstSignaleSansRienToucher)
{
    creerRegistre(dossier.chemin(u"Kerval.mdb"_qs));
    // A copy that holds the folder but does not answer (stuck, or from another session).
    QLockFile autreCopie(Exemplaire::cheminVerrou(dossier.donnees()));
    autreCopie.setStaleLockTime(0);
    ASSERT_TRUE(autreCopie.tryLock(0));
    const QStringList avant = etatDossier(dossier.donnees());

    EXPECT_EQ(Exemplaire::prendre(dossier.donnees()), Exemplaire::Verrou::Tenu);
    EXPECT_FALSE(Exemplaire::seul(dossier.donnees(), [] { FAIL() << "no copy to show"; }));
    EXPECT_EQ(faux.dialogues->textes(), QStringList{Exemplaire::messageDejaOuvert()});
    EXPECT_TRUE(faux.dialogues->textes().value(0).startsWith(u"Kerval est déjà ouvert"_qs));
    EXPECT_EQ(etatDossier(dossier.donnees()), avant);
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Principale>());

    // Once that copy has gone, the folder is this one's.
    autreCopie.unlock();
    EXPECT_EQ(Exemplaire::prendre(dossier.donnees()), Exemplaire::Verrou::Pris);
}

TEST_F(DeuxiemeExemplaire, LePremierDemarrageFaitLeDossierAvantDePrendreLeVerrou)
{
    const QString donnees = dossier.chemin(u"Neuf/Kerval"_qs);
    EXPECT_EQ(Exemplaire::prendre(donnees), Exemplaire::Verrou::Pris);
    EXPECT_EQ(QDir(donnees).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u".Kerval.verrou"_qs});
    // Taken again by the same copy, it stays taken.
    EXPECT_EQ(Exemplaire::prendre(donnees), Exemplaire::Verrou::Pris);
    // A folder that cannot be made: the start-up goes on without a lock and says so itself.
    ecrireFichier(dossier.chemin(u"Fichier"_qs), "x");
    EXPECT_EQ(Exemplaire::prendre(dossier.chemin(u"Fichier/Kerval"_qs)), Exemplaire::Verrou::Impossible);
}

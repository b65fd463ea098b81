// One copy per data folder, seen from the first copy (this process) and from a second one: a
// second start brings the first copy's main window to the front, or says that Kerval is already
// open, and leaves the data folder as it was, whether or not the folder's lock could be written
// and whatever other users' programs do in the shared temporary folder.
#include <QDateTime>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "commun.h"
#include "platform/dossier_prive.h"
#include "platform/environnement.h"
#include "registres.h"
#include "shell/mainwindow/principale.h"
#include "shell/startup/depart.h"
#include "shell/startup/dossier_donnees.h"
#include "shell/startup/exemplaire.h"

namespace {

constexpr uid_t Autre = 65534; // nobody: another user of the machine

class DeuxiemeExemplaire : public TestCoquille {
protected:
    DossierTemporaire dossier;
    // The temporary folder that every user shares, open to all as /tmp is; no runtime folder of
    // the session; the user's cache folder inside the test's own.
    QTemporaryDir partage;
    VariableTemporaire temp{"temp", partage.path()};
    VariableTemporaire session{"XDG_RUNTIME_DIR", QByteArray()};
    VariableTemporaire cache{"XDG_CACHE_HOME", dossier.appData() + u"/cache"_qs};

    void SetUp() override
    {
        TestCoquille::SetUp();
        ::chmod(QFile::encodeName(partage.path()).constData(), 01777);
    }

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

// A program that listens on a local socket in a child process of its own, as this user or as
// another one: it answers every request at once with "ok", or drags its answer out for half a
// minute, a blank at a time. It counts the requests it was sent.
class Programme {
public:
    enum class Conduite { RepondOk, Traine };

    Programme(const QString& chemin, Conduite conduite, uid_t uid = ::geteuid()) : chemin_(QFile::encodeName(chemin))
    {
        sockaddr_un adresse {};
        adresse.sun_family = AF_UNIX;
        if (chemin_.size() >= int(sizeof adresse.sun_path))
            return;
        std::memcpy(adresse.sun_path, chemin_.constData(), size_t(chemin_.size()));
        int pret[2];
        if (::pipe2(pret, O_CLOEXEC) != 0 || ::pipe2(requetes_, O_CLOEXEC) != 0)
            return;
        const bool autre = uid != ::geteuid();
        pid_ = ::fork();
        if (pid_ == 0) {
            // Only system calls from here on: the child of a process with threads.
            if (autre
                && (::syscall(SYS_setgroups, 0, nullptr) != 0 || ::syscall(SYS_setresgid, uid, uid, uid) != 0
                    || ::syscall(SYS_setresuid, uid, uid, uid) != 0))
                ::_exit(2);
            const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) != 0 || ::listen(s, 8) != 0)
                ::_exit(3);
            [[maybe_unused]] auto n = ::write(pret[1], "p", 1);
            for (;;) {
                const int c = ::accept(s, nullptr, nullptr);
                if (c < 0)
                    continue;
                char tampon[256];
                if (::read(c, tampon, sizeof tampon) > 0)
                    n = ::write(requetes_[1], "r", 1);
                const timespec pause{0, 200'000'000};
                for (int i = 0; conduite == Conduite::Traine && i < 150; ++i) {
                    ::send(c, " ", 1, MSG_NOSIGNAL);
                    ::nanosleep(&pause, nullptr);
                }
                ::send(c, "ok\n", 3, MSG_NOSIGNAL);
                ::close(c);
            }
        }
        ::close(pret[1]);
        ::close(requetes_[1]);
        pollfd attente{pret[0], POLLIN, 0};
        char c = 0;
        ecoute_ = pid_ > 0 && ::poll(&attente, 1, 20000) == 1 && ::read(pret[0], &c, 1) == 1;
        ::close(pret[0]);
        ::fcntl(requetes_[0], F_SETFL, O_NONBLOCK);
    }
    ~Programme()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(requetes_[0]);
        ::unlink(chemin_.constData());
    }
    Programme(const Programme&) = delete;
    Programme& operator=(const Programme&) = delete;

    bool ecoute() const { return ecoute_; }
    int requetes()
    {
        char tampon[64];
        for (ssize_t n; (n = ::read(requetes_[0], tampon, sizeof tampon)) > 0;)
            requetesRecues_ += int(n);
        return requetesRecues_;
    }

private:
    QByteArray chemin_;
    pid_t pid_ = -1;
    int requetes_[2] = {-1, -1};
    int requetesRecues_ = 0;
    bool ecoute_ = false;
};

uid_t proprietaire(const QString& chemin)
{
    struct stat s {};
    return ::lstat(QFile::encodeName(chemin).constData(), &s) == 0 ? s.st_uid : uid_t(-1);
}

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

// A copy that died while writing its lock (or on a full disk) leaves a file that names nobody:
// once it is old enough to be no copy's lock in the making, the next start takes the folder over.
// A lock whose number now names another living program, or this very copy (numbers start over in
// a fresh container), is held by no one and is taken over at once.
TEST_F(DeuxiemeExemplaire, UnVerrouQueNulNeTientEstRepris)
{
    const QString verrou = Exemplaire::cheminVerrou(dossier.donnees());
    QProcess autreProgramme;
    autreProgramme.start(u"sleep"_qs, {u"600"_qs});
    ASSERT_TRUE(autreProgramme.waitForStarted());
    for (const qint64 vivant : {autreProgramme.processId(), QCoreApplication::applicationPid()}) {
        // Written as that process would write its lock: its number, its program, this machine.
        const QString programme = QFileInfo(QFileInfo(u"/proc/%1/exe"_qs.arg(vivant)).symLinkTarget()).fileName();
        ASSERT_FALSE(programme.isEmpty());
        ecrireFichier(verrou, QByteArray::number(vivant) + '\n' + programme.toUtf8() + '\n'
                                  + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n'
                                  + QSysInfo::bootUniqueId() + '\n');
        EXPECT_EQ(Exemplaire::prendre(dossier.donnees()), Exemplaire::Verrou::Pris) << programme.toStdString();
        qint64 pid = 0;
        QString machine, nom;
        EXPECT_TRUE(QLockFile(verrou).getLockInfo(&pid, &machine, &nom));
        EXPECT_EQ(pid, QCoreApplication::applicationPid());
        Exemplaire::prendre(dossier.chemin(u"Autre"_qs)); // lets this folder's lock go
        ASSERT_FALSE(QFileInfo::exists(verrou));
    }
    autreProgramme.kill();
    autreProgramme.waitForFinished();

    for (const QByteArray& contenu : {QByteArray(), QByteArray("\x01\xff garbage")}) {
        {
            QFile f(verrou);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(contenu);
        }
        EXPECT_EQ(Exemplaire::prendre(dossier.donnees()), Exemplaire::Verrou::Tenu) << "just written";
        {
            QFile f(verrou);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        }
        EXPECT_EQ(Exemplaire::prendre(dossier.donnees()), Exemplaire::Verrou::Pris) << contenu.toStdString();
        qint64 pid = 0;
        QString machine, programme;
        EXPECT_TRUE(QLockFile(verrou).getLockInfo(&pid, &machine, &programme));
        EXPECT_EQ(pid, QCoreApplication::applicationPid());
        Exemplaire::prendre(dossier.chemin(u"Autre"_qs)); // lets this folder's lock go
        ASSERT_FALSE(QFileInfo::exists(verrou));
    }
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

// The data folder's top cannot be written (read-only, or the disk full) while its subfolders and
// files can: the first copy starts without the lock, but listens, and no second start runs beside
// it, neither then nor once the lock can be written again.
TEST_F(DeuxiemeExemplaire, SansVerrouLePremierGardeSonDossier)
{
    creerRegistre(dossier.chemin(u"Kerval.mdb"_qs));
    DossierDonnees::preparer(dossier.donnees(), Environnement::dossierDonneesLivrees());
    for (const char* nom : {"CV", "Lettres", "Cand"})
        QDir(dossier.donnees()).mkpath(QString::fromLatin1(nom));
    const QString verrou = Exemplaire::cheminVerrou(dossier.donnees());
    auto protege = std::make_unique<Registres::FichierProtege>(dossier.donnees());
    ASSERT_TRUE(protege->actif());

    Depart::demarrer();
    QPointer<Principale> principale = RegistreFenetres::instance().siChargee<Principale>();
    ASSERT_FALSE(principale.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(QFileInfo::exists(verrou));
    const QStringList avant = etatDossier(dossier.donnees());

    auto ramenerParUnSecond = [&] {
        principale->showMinimized();
        ASSERT_TRUE(principale->isMinimized());
        auto second = lancerSecond();
        ASSERT_TRUE(attendreFin(*second)) << "the second copy runs beside the first";
        EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second->exitCode(), 0);
        ASSERT_FALSE(principale.isNull());
        EXPECT_FALSE(principale->isMinimized());
        EXPECT_EQ(etatDossier(dossier.donnees()), avant);
    };
    ramenerParUnSecond();

    // Room again on the disk: the next start writes the lock, and still finds the first copy.
    protege.reset();
    ramenerParUnSecond();
    EXPECT_FALSE(QFileInfo::exists(verrou));
}

// Neither the lock nor a private folder can be had: nothing could keep a second copy out, so the
// program does not start, and says why.
TEST_F(DeuxiemeExemplaire, NiVerrouNiDossierPriveLeProgrammeNeDemarrePas)
{
    creerRegistre(dossier.chemin(u"Kerval.mdb"_qs));
    ecrireFichier(QDir(partage.path()).filePath(QStringLiteral("kerval-%1").arg(::geteuid())), "occupe");
    ecrireFichier(dossier.appData() + u"/cache"_qs, "pas un dossier");
    const QStringList avant = etatDossier(dossier.donnees());
    Registres::FichierProtege protege(dossier.donnees());
    ASSERT_TRUE(protege.actif());

    EXPECT_FALSE(Exemplaire::seul(dossier.donnees(), [] { FAIL() << "no copy to show"; }));
    EXPECT_EQ(faux.dialogues->textes(), QStringList{Exemplaire::messageSansGarde(dossier.donnees())});
    EXPECT_TRUE(faux.dialogues->textes().value(0).startsWith(u"Kerval ne peut pas démarrer"_qs));
    EXPECT_EQ(etatDossier(dossier.donnees()), avant);
}

// A first copy that holds the folder but drags its answer out (hung, or a program that only
// pretends): the second start gives up within its delay and says that Kerval is already open.
TEST_F(DeuxiemeExemplaire, UnPremierQuiTraineEstSignaleSansAttendreSaReponse)
{
    creerRegistre(dossier.chemin(u"Kerval.mdb"_qs));
    QLockFile autreCopie(Exemplaire::cheminVerrou(dossier.donnees()));
    autreCopie.setStaleLockTime(0);
    ASSERT_TRUE(autreCopie.tryLock(0));
    Programme premier(Exemplaire::cheminService(dossier.donnees()), Programme::Conduite::Traine);
    ASSERT_TRUE(premier.ecoute());

    EXPECT_FALSE(Exemplaire::seul(dossier.donnees(), [] { FAIL() << "no copy to show"; }));
    EXPECT_EQ(faux.dialogues->textes(), QStringList{Exemplaire::messageDejaOuvert()});
    EXPECT_EQ(premier.requetes(), 1);
}

// Another user's program listens where the first copy would: the second start never takes it for
// the first copy (it would end without a word on its "ok"), and the user's own first copy takes
// the name back.
TEST_F(DeuxiemeExemplaire, LeProgrammeDUnAutreUtilisateurNEstJamaisPrisPourLePremier)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "acting as another user needs root";
    creerRegistre(dossier.chemin(u"Kerval.mdb"_qs));
    QLockFile autreCopie(Exemplaire::cheminVerrou(dossier.donnees()));
    autreCopie.setStaleLockTime(0);
    ASSERT_TRUE(autreCopie.tryLock(0));
    // Its socket got into the user's folder while that folder was open to all.
    const QString service = Exemplaire::cheminService(dossier.donnees());
    const QString parent = QFileInfo(service).absolutePath();
    const bool ouvrir = DossierPrive::estPrive(parent);
    if (ouvrir)
        ::chmod(QFile::encodeName(parent).constData(), 0777);
    Programme autre(service, Programme::Conduite::RepondOk, Autre);
    if (ouvrir)
        ::chmod(QFile::encodeName(parent).constData(), 0700);
    ASSERT_TRUE(autre.ecoute());
    ASSERT_EQ(proprietaire(service), Autre);

    EXPECT_FALSE(Exemplaire::seul(dossier.donnees(), [] { FAIL() << "no copy to show"; }));
    EXPECT_EQ(faux.dialogues->textes(), QStringList{Exemplaire::messageDejaOuvert()});
    EXPECT_EQ(autre.requetes(), 0);

    // The first copy gone, the user's next start listens in its place, and a second one reaches it.
    autreCopie.unlock();
    int montre = 0;
    ASSERT_TRUE(Exemplaire::seul(dossier.donnees(), [&] { ++montre; }));
    EXPECT_EQ(proprietaire(service), ::geteuid());
    auto second = lancerSecond();
    ASSERT_TRUE(attendreFin(*second));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(montre, 1);
    EXPECT_EQ(autre.requetes(), 0);
}

// Another user made the private folder's name in the shared temporary folder first, a folder of
// its own open to all with its program listening inside: the user's copies meet elsewhere, in a
// folder of the user's own, and leave the other user's folder alone.
TEST_F(DeuxiemeExemplaire, LeDossierPriveDontUnAutreAPrisLeNom)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "acting as another user needs root";
    creerRegistre(dossier.chemin(u"Kerval.mdb"_qs));
    const QString pris = QDir(partage.path()).filePath(QStringLiteral("kerval-%1").arg(::geteuid()));
    ASSERT_TRUE(QDir().mkdir(pris));
    ASSERT_EQ(::chown(QFile::encodeName(pris).constData(), Autre, Autre), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(pris).constData(), 0777), 0);
    const QString service = Exemplaire::cheminService(dossier.donnees());
    ASSERT_FALSE(service.isEmpty());
    Programme autre(QDir(pris).filePath(QFileInfo(service).fileName()), Programme::Conduite::RepondOk, Autre);
    ASSERT_TRUE(autre.ecoute());

    int montre = 0;
    ASSERT_TRUE(Exemplaire::seul(dossier.donnees(), [&] { ++montre; }));
    EXPECT_TRUE(DossierPrive::estPrive(QFileInfo(service).absolutePath()));
    auto second = lancerSecond();
    ASSERT_TRUE(attendreFin(*second));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(montre, 1);
    EXPECT_EQ(autre.requetes(), 0);
    EXPECT_EQ(proprietaire(pris), Autre);
}

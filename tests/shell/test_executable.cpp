// The built program, started as a user starts it (offscreen, 1280 x 1024), against a temporary
// data folder: start-up ages the register, a SIGTERM closes it cleanly.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <csignal>

#include "commun.h"

namespace {

class Executable : public ::testing::Test {
protected:
    DossierTemporaire dossier;

    std::unique_ptr<QProcess> lancer(int largeur = 1280, int hauteur = 1024)
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(environnementKerval(dossier.appData(), largeur, hauteur));
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(QStringLiteral(KERVAL_EXECUTABLE), {});
        EXPECT_TRUE(p->waitForStarted(10000));
        return p;
    }

    // Waits until the test holds or the time runs out, the program running meanwhile.
    template <class Test>
    bool attendre(QProcess& p, int ms, Test test)
    {
        QElapsedTimer chrono;
        chrono.start();
        while (chrono.elapsed() < ms) {
            if (test())
                return true;
            if (p.state() != QProcess::Running)
                return test();
            p.waitForFinished(100);
        }
        return test();
    }

    void arreter(QProcess& p)
    {
        ASSERT_EQ(p.state(), QProcess::Running)
            << "ended by itself, " << (p.exitStatus() == QProcess::CrashExit ? "crashed" : "code ") << p.exitCode()
            << "\n" << p.readAll().toStdString();
        p.terminate(); // SIGTERM: handled as closing the main window
        ASSERT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << p.readAll().toStdString();
        EXPECT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
    }
};

QString iso(int joursAvant) { return QDate::currentDate().addDays(-joursAvant).toString(Qt::ISODate); }

} // namespace

TEST_F(Executable, DemarrageVieillitLeRegistreEtSArretProprement)
{
    const QString registre = dossier.chemin(u"Kerval.mdb"_qs);
    creerRegistre(registre, {
                                {u"Envoi31"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs, iso(31), {}},
                                {u"Envoi30"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs, iso(30), {}},
                                {u"Rdv40"_qs, u"ENTRETIEN A EFFECTUER"_qs, {}, iso(40)},
                                {u"Rdv1"_qs, u"ENTRETIEN A EFFECTUER"_qs, {}, iso(1)},
                            });
    ecrireFichier(dossier.chemin(u"CV/Lefort Anne.dat"_qs), "Nom=Lefort\r\n");
    auto p = lancer();
    EXPECT_TRUE(attendre(*p, 30000, [&] {
        return statutDe(registre, u"Envoi31"_qs) == u"EMISE - SANS REPONSE"_qs;
    })) << p->readAll().toStdString();
    // The rest of the start-up: home screen, bar, the splash closing.
    p->waitForFinished(3000);
    arreter(*p);
    EXPECT_EQ(statutDe(registre, u"Envoi31"_qs), u"EMISE - SANS REPONSE"_qs);
    EXPECT_EQ(statutDe(registre, u"Envoi30"_qs), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    EXPECT_EQ(statutDe(registre, u"Rdv40"_qs), u"SANS REPONSE APRES ENTRETIEN"_qs);
    EXPECT_EQ(statutDe(registre, u"Rdv1"_qs), u"ENTRETIEN EFFECTUE - ATTENTE REPONSE"_qs);
    for (const char* nom : {"CV", "Lettres", "Cand", "Modeles", "Visualisation"})
        EXPECT_TRUE(QFileInfo(dossier.chemin(QString::fromUtf8(nom))).isDir()) << nom;
    EXPECT_EQ(Outils::lireOctets(dossier.chemin(u"CV/Lefort Anne.dat"_qs)), QByteArray("Nom=Lefort\r\n"));
}

TEST_F(Executable, MauvaisesEntreesSansPlantage)
{
    const QString registre = dossier.chemin(u"Kerval.mdb"_qs);
    const QByteArray texte("Ceci n'est pas un registre.\r\n");
    ecrireFichier(registre, texte);
    QDir().mkpath(dossier.chemin(u"CV"_qs));
    {
        QFile gros(dossier.chemin(u"CV/A gros.dat"_qs));
        ASSERT_TRUE(gros.open(QIODevice::WriteOnly));
        ASSERT_TRUE(gros.resize(50LL * 1024 * 1024));
    }
    QDir().mkpath(dossier.chemin(u"CV/B dossier.dat"_qs));
    auto p = lancer();
    // Start-up lays down what is missing around the user's files, and keeps running.
    EXPECT_TRUE(attendre(*p, 30000, [&] { return QFileInfo(dossier.chemin(u"Cand"_qs)).isDir(); }));
    p->waitForFinished(4000);
    arreter(*p);
    EXPECT_EQ(Outils::lireOctets(registre), texte);
    EXPECT_EQ(QFileInfo(dossier.chemin(u"CV/A gros.dat"_qs)).size(), 50LL * 1024 * 1024);
    EXPECT_TRUE(QFileInfo(dossier.chemin(u"CV/B dossier.dat"_qs)).isDir());
}

TEST_F(Executable, UnSignalDArretFermeAussiLeMessageDUnPetitEcran)
{
    // On a 800 x 600 screen, start-up waits on its message; a SIGTERM must still end the program.
    auto p = lancer(800, 600);
    p->waitForFinished(4000);
    arreter(*p);
}

TEST_F(Executable, UnSecondExemplaireSArreteSansToucherAuPremierQuiResteSeulApresUnArretBrutal)
{
    const QString registre = dossier.chemin(u"Kerval.mdb"_qs);
    creerRegistre(registre, {{u"Envoi31"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs, iso(31), {}}});
    const QString verrou = dossier.chemin(u".Kerval.verrou"_qs);
    auto detenteur = [&] { return Outils::lireOctets(verrou).split('\n').value(0).toLongLong(); };
    auto premier = lancer();
    ASSERT_TRUE(attendre(*premier, 30000, [&] {
        return statutDe(registre, u"Envoi31"_qs) == u"EMISE - SANS REPONSE"_qs && detenteur() == premier->processId();
    })) << premier->readAll().toStdString();
    premier->waitForFinished(3000); // the rest of the start-up

    // Started again on the same folder (a double-click too many): the second copy ends at once,
    // and the folder is left as the first one keeps it.
    const QStringList avant = etatDossier(dossier.donnees());
    auto second = lancer();
    ASSERT_TRUE(second->waitForFinished(30000))
        << "the first copy " << (premier->state() == QProcess::Running ? "still runs" : "has ended") << "\n"
        << second->readAll().toStdString();
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0) << second->readAll().toStdString();
    EXPECT_EQ(premier->state(), QProcess::Running);
    EXPECT_EQ(detenteur(), premier->processId());
    EXPECT_EQ(etatDossier(dossier.donnees()), avant);

    // The first one killed: its lock stays behind, and the next start takes it over.
    Outils::signaler(*premier, SIGKILL);
    ASSERT_TRUE(premier->waitForFinished(10000));
    ASSERT_TRUE(QFileInfo::exists(verrou));
    auto troisieme = lancer();
    EXPECT_TRUE(attendre(*troisieme, 30000, [&] { return detenteur() == troisieme->processId(); }))
        << troisieme->readAll().toStdString();
    troisieme->waitForFinished(3000);
    arreter(*troisieme);
    EXPECT_FALSE(QFileInfo::exists(verrou)); // a copy that ends lets its folder go
}

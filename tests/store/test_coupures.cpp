// The user's files survive the program being killed at any instant: a child process saves a CV,
// a letter template and an application over and over, and is killed with SIGKILL at random
// moments. After each kill every file reads back whole, the register passes the engine's full
// check, and every save the child had finished is there.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <iostream>

#include "cveditor/fichier_cv.h"
#include "letters/fichier_lettre.h"
#include "register/store/base_candidatures.h"
#include "register/window/logique_fiche.h"
#include "shell/startup/dossier_donnees.h"
#include "support/outils.h"

namespace {

const QString NomCV = u"Survie Anne"_qs;
const QString NomLettre = u"Anne Survie (IR)"_qs;

// The text of a save: its number, then a few kilobytes that depend on it, so that a file cut
// or mixed from two saves does not match.
QString texteDuTour(qint64 tour)
{
    QString t = u"Tour %1\r\n"_qs.arg(tour);
    for (int i = 0; i < 60; ++i)
        t += u"Ligne %1 du tour %2 : expérience, compétences et réalisations.\r\n"_qs.arg(i).arg(tour);
    return t;
}

// The number a save's text starts with; -1 when the text is not one of texteDuTour's.
qint64 tourDe(const QString& texte)
{
    if (!texte.startsWith(u"Tour "_qs))
        return -1;
    bool ok = false;
    const qint64 tour = texte.mid(5, texte.indexOf(u"\r\n"_qs) - 5).toLongLong(&ok);
    return ok && texte == texteDuTour(tour) ? tour : -1;
}

// The child: saves without end, as the CV editor, the letter editor and the register window
// save, and says "ok <n>" once the three saves of round n are done.
[[noreturn]] void enregistrerSansFin(const QString& dossier, qint64 premier)
{
    const QString registre = QDir(dossier).filePath(u"Kerval.mdb"_qs);
    std::cout << "pret" << std::endl;
    QElapsedTimer garde;
    garde.start();
    for (qint64 tour = premier; garde.elapsed() < 60000; ++tour) {
        const QString texte = texteDuTour(tour);
        FichierCV::ValeursCV cv = FichierCV::ValeursCV::parDefaut();
        cv.fixer(u"Nom"_qs, u"SURVIE"_qs);
        cv.fixer(u"Prénom"_qs, u"Anne"_qs);
        cv.fixer(u"NomCV"_qs, NomCV);
        cv.fixer(u"Experiences"_qs, texte);
        if (!FichierCV::enregistrer(dossier, NomCV, cv)) {
            std::cout << "echec CV" << std::endl;
            std::_Exit(3);
        }
        FichierLettre::ValeursLettre lettre;
        lettre.fixer(u"Nom"_qs, u"SURVIE"_qs);
        lettre.fixer(u"Prenom"_qs, u"Anne"_qs);
        lettre.corps[0] = texte;
        if (!FichierLettre::enregistrer(dossier, NomLettre, lettre)) {
            std::cout << "echec lettre" << std::endl;
            std::_Exit(3);
        }
        // A new application, then a change to the first one, each through its own opening of
        // the register as the register window does.
        bool ok = false;
        if (auto base = BaseCandidatures::ouvrir(registre)) {
            ChampsCandidature nouvelle = FicheCandidature::FicheVide();
            nouvelle[u"Intitule"_qs] = u"Tour %1"_qs.arg(tour);
            nouvelle[u"Description"_qs] = texte;
            nouvelle[u"Societe"_qs] = u"Survie"_qs;
            nouvelle[u"Statut"_qs] = u"NON EMISE"_qs;
            ok = FicheCandidature::Enregistrer(base->base(), nouvelle);
        }
        if (auto base = BaseCandidatures::ouvrir(registre); base && ok) {
            std::optional<ChampsCandidature> premiere = FicheCandidature::Charger(base->base(), 1);
            ok = premiere.has_value();
            if (ok) {
                (*premiere)[u"Remarques"_qs] = texte;
                ok = FicheCandidature::Enregistrer(base->base(), *premiere);
            }
        }
        if (!ok) {
            std::cout << "echec registre" << std::endl;
            std::_Exit(3);
        }
        std::cout << "ok " << tour << std::endl;
    }
    std::_Exit(0);
}

// What the data folder holds after a kill: the round of each file, -1 for a file that does
// not read back whole. Anything wrong goes into `problemes`.
struct Etat {
    qint64 cv = -1, lettre = -1, remarques = -1, derniereCandidature = -1;
};

Etat lireEtat(const QString& dossier, QStringList& problemes)
{
    Etat e;
    const auto cv = FichierCV::charger(FichierCV::cheminFichier(dossier, NomCV));
    const QByteArray octetsCV = Outils::lireOctets(FichierCV::cheminFichier(dossier, NomCV));
    if (!cv || !octetsCV.endsWith("CouleurClaire=#FFE6D5\r\n") || (e.cv = tourDe(cv->texte(u"Experiences"_qs))) < 0)
        problemes << u"CV illisible ou incomplet"_qs;
    const auto lettre = FichierLettre::charger(FichierLettre::cheminFichier(dossier, NomLettre));
    if (!lettre || (e.lettre = tourDe(lettre->corps[0])) < 0 || lettre->texte(u"Nom"_qs) != u"SURVIE"_qs)
        problemes << u"modèle de lettre illisible ou incomplet"_qs;
    for (const char* sousDossier : {"CV", "Lettres"}) {
        const QStringList fichiers = QDir(QDir(dossier).filePath(QString::fromLatin1(sousDossier))).entryList(QDir::Files);
        if (fichiers.size() != 1)
            problemes << u"fichiers en trop dans %1 : %2"_qs.arg(QString::fromLatin1(sousDossier), fichiers.join(u", "_qs));
    }

    // The register, opened as the program opens it (the engine first puts back what an
    // interrupted transaction had begun), then checked in full.
    Stockage::Etat etat = Stockage::Etat::Ouverte;
    auto base = BaseCandidatures::ouvrir(QDir(dossier).filePath(u"Kerval.mdb"_qs), &etat);
    if (!base) {
        problemes << u"registre non ouvert (%1)"_qs.arg(int(etat));
        return e;
    }
    const auto verdict = base->base().valeurUnique(u"PRAGMA integrity_check"_qs);
    if (!verdict || verdict->toString() != u"ok"_qs)
        problemes << u"registre : %1"_qs.arg(verdict ? verdict->toString() : base->base().derniereErreur());
    auto jeu = base->base().ouvrirJeu(u"select Num, Intitule, Description, Remarques from Candidatures order by Num"_qs);
    if (!jeu) {
        problemes << u"registre illisible"_qs;
        return e;
    }
    for (jeu->premier(); !jeu->finFichier(); jeu->suivant()) {
        if (jeu->valeur(u"Num"_qs).toLongLong() == 1) {
            e.remarques = tourDe(jeu->texte(u"Remarques"_qs));
            continue;
        }
        const qint64 tour = tourDe(jeu->texte(u"Description"_qs));
        if (tour < 0 || jeu->texte(u"Intitule"_qs) != u"Tour %1"_qs.arg(tour))
            problemes << u"candidature %1 incomplète"_qs.arg(jeu->valeur(u"Num"_qs).toLongLong());
        e.derniereCandidature = qMax(e.derniereCandidature, tour);
    }
    return e;
}

} // namespace

// Run only in the child process started by the next test.
TEST(Coupures, Enfant)
{
    const QString dossier = qEnvironmentVariable("KERVAL_COUPURES_DOSSIER");
    if (dossier.isEmpty())
        GTEST_SKIP() << "run by a child process";
    enregistrerSansFin(dossier, qEnvironmentVariable("KERVAL_COUPURES_TOUR").toLongLong());
}

TEST(Coupures, LesFichiersSurviventAUnArretBrutal)
{
    DossierTemporaire dossier;
    const QString donnees = dossier.donnees();
    ASSERT_TRUE(BaseCandidatures::creerVide(QDir(donnees).filePath(u"Kerval.mdb"_qs)));
    {
        // The application that every round changes, and the first CV and template.
        auto base = BaseCandidatures::ouvrir(QDir(donnees).filePath(u"Kerval.mdb"_qs));
        ChampsCandidature premiere = FicheCandidature::FicheVide();
        premiere[u"Intitule"_qs] = u"Première"_qs;
        premiere[u"Remarques"_qs] = texteDuTour(0);
        ASSERT_TRUE(FicheCandidature::Enregistrer(base->base(), premiere));
        ASSERT_EQ(premiere.value(u"Num"_qs), u"1"_qs);
    }
    const quint32 graine = qEnvironmentVariableIsSet("KERVAL_COUPURES_GRAINE")
        ? quint32(qEnvironmentVariableIntValue("KERVAL_COUPURES_GRAINE"))
        : QRandomGenerator::system()->generate();
    QRandomGenerator alea(graine);
    SCOPED_TRACE("KERVAL_COUPURES_GRAINE=" + std::to_string(graine));

    int coupures = 0, pertes = 0, tours = 0;
    QStringList problemes;
    Etat avant{0, 0, 0, -1};
    bool premiersFichiers = false;
    QElapsedTimer chrono;
    chrono.start();
    for (int i = 1; i <= 30 && chrono.elapsed() < 25000; ++i) {
        QProcess enfant;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"KERVAL_COUPURES_DOSSIER"_qs, donnees);
        env.insert(u"KERVAL_COUPURES_TOUR"_qs, QString::number(qint64(i) * 1000000));
        enfant.setProcessEnvironment(env);
        enfant.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        enfant.start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=Coupures.Enfant"_qs});
        ASSERT_TRUE(enfant.waitForStarted(10000));
        QByteArray sortie;
        while (!sortie.contains("pret") && enfant.waitForReadyRead(10000))
            sortie += enfant.readAllStandardOutput();
        ASSERT_TRUE(sortie.contains("pret")) << sortie.toStdString();
        // The first files must exist before a kill can find them missing.
        if (!premiersFichiers)
            while (!sortie.contains("ok ") && enfant.waitForReadyRead(10000))
                sortie += enfant.readAllStandardOutput();
        premiersFichiers = true;
        // A random instant, in the middle of a save or between two.
        QThread::usleep(alea.bounded(1000u, 120000u));
        Outils::signaler(enfant, SIGKILL);
        ASSERT_TRUE(enfant.waitForFinished(10000));
        sortie += enfant.readAllStandardOutput();
        ASSERT_EQ(enfant.exitStatus(), QProcess::CrashExit) << sortie.toStdString(); // killed, no failure of its own
        ++coupures;

        // The last round the child finished, and what the files say.
        qint64 fini = -1;
        for (const QByteArray& ligne : sortie.split('\n'))
            if (ligne.startsWith("ok "))
                fini = ligne.mid(3).toLongLong(), ++tours;
        QStringList ici;
        const Etat e = lireEtat(donnees, ici);
        const qint64 attendu = fini >= 0 ? fini : avant.cv;
        auto perte = [&](qint64 trouve, qint64 minimum, const char* quoi) {
            if (trouve < minimum) {
                ++pertes;
                ici << u"%1 : tour %2 au lieu d'au moins %3"_qs.arg(QString::fromUtf8(quoi)).arg(trouve).arg(minimum);
            }
        };
        perte(e.cv, attendu, "CV");
        perte(e.lettre, fini >= 0 ? fini : avant.lettre, "modèle de lettre");
        perte(e.remarques, fini >= 0 ? fini : avant.remarques, "candidature modifiée");
        perte(e.derniereCandidature, fini >= 0 ? fini : avant.derniereCandidature, "nouvelle candidature");
        for (const QString& p : ici)
            problemes << u"coupure %1 : %2"_qs.arg(i).arg(p);
        avant = e;
    }
    // The next start clears what the killed saves left, and finds every file whole.
    DossierDonnees::preparer(donnees, QStringLiteral(KERVAL_DONNEES_SOURCE));
    for (const char* sousDossier : {"", "CV", "Lettres"})
        EXPECT_TRUE(QDir(QDir(donnees).filePath(QString::fromLatin1(sousDossier)))
                        .entryList({u"*.kerval-tmp"_qs, u"Kerval-*.tmp*"_qs}, QDir::Files | QDir::Hidden)
                        .isEmpty())
            << sousDossier;
    QStringList apres;
    lireEtat(donnees, apres);
    problemes << apres;
    std::cout << "Coupures : " << coupures << " arrêts brutaux, " << tours << " tours d'enregistrement achevés, "
              << pertes << " perte(s), " << problemes.size() << " problème(s), en " << chrono.elapsed() << " ms"
              << std::endl;
    ::testing::Test::RecordProperty("coupures", coupures);
    ::testing::Test::RecordProperty("pertes", pertes);
    EXPECT_GE(coupures, 20);
    EXPECT_EQ(pertes, 0);
    EXPECT_TRUE(problemes.isEmpty()) << problemes.join(u'\n').toStdString();
}

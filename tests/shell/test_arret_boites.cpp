// The session ends (SIGTERM) while a message box of a window is on screen, or while a save fails:
// child processes run the program's start-up as the executable does, with the desktop's own
// message boxes, and the test sends them the signal. Each one ends by itself with code 0, never
// waiting for a click, and keeps what was typed; what it could not say then is said at the next
// start.
#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <sys/stat.h>

#include "commun.h"
#include "cveditor/fichier_cv.h"
#include "cveditor/formrediger_cv.h"
#include "letters/fichier_lettre.h"
#include "letters/formlettre.h"
#include "letters/formpostuler.h"
#include "register/window/formcand.h"
#include "register/window/logique_fiche.h"
#include "registres.h"
#include "shell/home/assistant.h"
#include "shell/mainwindow/principale.h"
#include "shell/mainwindow/liens_modules.h"
#include "shell/services/fichiers_texte.h"
#include "shell/startup/depart.h"
#include "shell/startup/messages_differes.h"

namespace {

const QString Remarques = u"Appeler lundi"_qs;
const QString Lettre = u"Madame, Monsieur,"_qs;
const QString AjoutLettre = u"\nVotre annonce a retenu mon attention."_qs;
const QString AjoutRemarques = u" - Entretien le 12 à 14h"_qs;

using Outils::attendre;

void cliquer(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

// What the user does, case by case, to bring a box of a window on screen.
void ouvrirUneBoite(const QString& cas)
{
    Principale* principale = RegistreFenetres::instance().siChargee<Principale>();
    if (cas == u"registre-intitule") {
        // Home, "Gestion manuelle des candidatures", "Valider" with the title empty.
        Assistant::executer(u"Gestion manuelle des candidatures"_qs);
        cliquer(Forme<FormCand>().Action.value(3));
    } else if (cas == u"registre-introuvable") {
        FormCand& registre = ouvrirCandidature();
        EXPECT_EQ(registre.Remarques->toPlainText(), Remarques);
        QFile::remove(QDir::current().filePath(u"Kerval.mdb"_qs));
        QTest::mouseClick(registre.Remarques->viewport(), Qt::LeftButton);
        Outils::taper(registre.Remarques->viewport(), u" - rappeler"_qs);
        cliquer(registre.Action.value(3));
    } else if (cas == u"cv") {
        // A new CV saved before it has a name.
        FormRedigerCV& cv = Forme<FormRedigerCV>();
        cliquer(cv.SauvegarderCV);
    } else if (cas == u"lettre") {
        // The template's file went away since the desktop listed it.
        QFile::remove(QDir::current().filePath(u"Lettres/Disparue.dat"_qs));
        QWidget* icone = principale->ImageMenu[5];
        QTest::mouseDClick(principale->windowHandle(), Qt::LeftButton, {}, icone->mapTo(principale, icone->rect().center()));
    } else if (cas == u"envoi") {
        // The sending window, and a CV that has no word-processor copy yet.
        FormCand& registre = ouvrirCandidature();
        cliquer(registre.PicturePostuler);
        FormPostuler* envoi = RegistreFenetres::instance().siChargee<FormPostuler>();
        ASSERT_NE(envoi, nullptr);
        cliquer(envoi->CV[0]);
    } else if (cas == u"bureau") {
        // The CV's icon, its menu, "Supprimer".
        cliquer(principale->ImageMenu[0]);
        ASSERT_TRUE(attendre([] { return QApplication::activePopupWidget() != nullptr; }));
        QMenu* menu = principale->MenuCV;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(principale->MenuSupprimerCV).center());
    } else if (cas == u"tube-sites") {
        // The register window reads the job-board list.
        Assistant::executer(u"Gestion manuelle des candidatures"_qs);
    } else if (cas == u"tube-propositions") {
        // The letter editor reads its phrases.
        Forme<FormLettre>().ChargerFichierLettre(QDir::current().filePath(u"Lettres/Relance.dat"_qs));
    } else if (cas == u"tube-photo" || cas == u"tube-modele") {
        // The CV shows its photograph, its page rendered from its model.
        Forme<FormRedigerCV>().ChargerFichierCV(QDir::current().filePath(u"CV/Lefort Anne.dat"_qs));
    } else if (cas == u"stats") {
        // The statistics of a register that cannot be read.
        Outils::ecrireOctets(QDir::current().filePath(u"Kerval.mdb"_qs), "Ceci n'est pas un registre.");
        Assistant::executer(u"Statistiques, calendrier et alertes"_qs);
    } else {
        ADD_FAILURE() << "cas inconnu " << cas.toStdString();
    }
}

// A data folder with one application, a template (and one more for its icon), a CV.
void preparerDonnees(const DossierTemporaire& dossier)
{
    creerCandidatureEtModele(dossier, Remarques, Lettre);
    FichierLettre::ValeursLettre l;
    l.fixer(u"Nom"_qs, u"LEBRUN"_qs);
    l.fixer(u"NomLettre"_qs, u"Disparue"_qs);
    ASSERT_TRUE(FichierLettre::enregistrer(dossier.donnees(), u"Disparue"_qs, l));
    Outils::ecrireOctets(dossier.chemin(u"CV/Lefort Anne.dat"_qs), "Nom=Lefort\r\nPrénom=Anne\r\n");
}

// A child running the start-up on the folder, one case of the test program's child below.
std::unique_ptr<QProcess> lancerEnfant(const DossierTemporaire& dossier, const QString& cas)
{
    auto enfant = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"KERVAL_BOITE"_qs, cas);
    env.insert(u"AppData"_qs, dossier.appData());
    env.insert(u"userprofile"_qs, dossier.appData());
    enfant->setProcessEnvironment(env);
    enfant->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    enfant->start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=ArretBoite.Enfant"_qs});
    EXPECT_TRUE(enfant->waitForStarted(10000));
    return enfant;
}

// Waits until each child has said the word (or ended); what they said.
QList<QByteArray> attendreMot(const std::vector<std::unique_ptr<QProcess>>& enfants, const QByteArray& mot)
{
    QList<QByteArray> sorties(qsizetype(enfants.size()));
    attendre(
        [&] {
            bool tous = true;
            for (size_t i = 0; i < enfants.size(); ++i) {
                sorties[qsizetype(i)] += enfants[i]->readAllStandardOutput();
                tous = tous && (sorties[qsizetype(i)].contains(mot) || enfants[i]->state() != QProcess::Running);
            }
            return tous;
        },
        180000);
    return sorties;
}

// Sends SIGTERM to each child as soon as it has said it is ready, then waits a few seconds for
// each one to end by itself: a child still running then waits for something (a click), and is
// killed.
void arreterEnfants(const std::vector<std::unique_ptr<QProcess>>& enfants, QList<QByteArray>& sorties,
                    const QStringList& cas)
{
    std::vector<bool> signales(enfants.size(), false);
    auto lire = [&] {
        for (size_t i = 0; i < enfants.size(); ++i)
            sorties[qsizetype(i)] += enfants[i]->readAllStandardOutput();
    };
    attendre(
        [&] {
            lire();
            bool tous = true;
            for (size_t i = 0; i < enfants.size(); ++i) {
                if (!signales[i] && sorties[qsizetype(i)].contains("pret\n") &&
                    enfants[i]->state() == QProcess::Running) {
                    ::kill(pid_t(enfants[i]->processId()), SIGTERM);
                    signales[i] = true;
                }
                tous = tous && (signales[i] || enfants[i]->state() != QProcess::Running);
            }
            return tous;
        },
        180000);
    const bool finis = attendre(
        [&] {
            return std::all_of(enfants.begin(), enfants.end(),
                               [](const auto& e) { return e->state() == QProcess::NotRunning; });
        },
        20000);
    lire();
    for (size_t i = 0; i < enfants.size(); ++i) {
        const std::string nom = cas[qsizetype(i)].toStdString() + "\n" + sorties[qsizetype(i)].toStdString();
        EXPECT_TRUE(signales[i]) << "never ready: " << nom;
        if (enfants[i]->state() != QProcess::NotRunning) {
            enfants[i]->kill();
            enfants[i]->waitForFinished(10000);
            ADD_FAILURE() << "still running a few seconds after the signal: " << nom;
            continue;
        }
        EXPECT_EQ(enfants[i]->exitStatus(), QProcess::NormalExit) << nom;
        EXPECT_EQ(enfants[i]->exitCode(), 0) << nom;
        EXPECT_TRUE(sorties[qsizetype(i)].contains("[  PASSED  ] 1 test")) << nom;
    }
    EXPECT_TRUE(finis);
}

// The box on screen, its text on one line.
QString texteBoite(QMessageBox* boite) { return boite->text().replace(u'\n', u'|'); }

// Says the text of the first box that comes on screen, then that the test may send the signal.
void guetterBoite()
{
    auto* guet = new QTimer(qApp);
    QObject::connect(guet, &QTimer::timeout, qApp, [guet] {
        if (auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); boite && boite->isVisible()) {
            std::cout << "boite:" << texteBoite(boite).toStdString() << "\npret" << std::endl;
            guet->stop();
        }
    });
    guet->start(20);
}

} // namespace

// Run only in the child processes started by the next tests.
TEST(ArretBoite, Enfant)
{
    const QString cas = qEnvironmentVariable("KERVAL_BOITE");
    if (cas.isEmpty())
        GTEST_SKIP() << "run by a child process";
    if (cas == u"tube-messages" || cas == u"tube-verrou" || cas == u"tube-fond") {
        // The start-up itself reads the lock, what the last end could not say, the home screen's
        // picture: the signal comes while it says which file it refused, and the start-up ends.
        guetterBoite();
        Plateforme::installerLinux();
        Ecran::simuler(QSize(1280, 1024));
        installerLiensModules();
        Depart::demarrer();
        QTimer::singleShot(120000, qApp, [] { QCoreApplication::exit(3); }); // no signal came
        EXPECT_EQ(QApplication::exec(), 0);
        return;
    }
    QPointer<Principale> principale = demarrerCommeLExecutable();
    ASSERT_FALSE(principale.isNull());

    if (cas == u"suivant") {
        // The next start: the message kept by the last end is on screen once the main window is.
        QTimer::singleShot(0, qApp, [] {
            ASSERT_TRUE(attendre([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }));
            auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            std::cout << "message:" << texteBoite(boite).toStdString() << std::endl;
            // However long the text, the box and its button are on the screen.
            const QRect ecran = boite->screen()->availableGeometry();
            QAbstractButton* ok = boite->button(QMessageBox::Ok);
            const QRect bouton(ok->mapToGlobal(QPoint(0, 0)), ok->size());
            const bool dedans = ecran.contains(boite->frameGeometry()) && ecran.contains(bouton) && ok->isVisible();
            std::cout << "ecran:" << dedans << std::endl;
            cliquer(ok);
        });
        QTimer::singleShot(0, qApp, [principale] {
            ASSERT_TRUE(attendre([] { return QApplication::activeModalWidget() == nullptr; }));
            principale->close();
        });
        EXPECT_EQ(QApplication::exec(), 0);
        return;
    }

    if (cas.startsWith(u"tube-")) {
        // The window that reads the file, opened from the event loop as the user opens it.
        QTimer::singleShot(0, qApp, [cas] { ouvrirUneBoite(cas); });
        guetterBoite();
    } else {
        // The template opened.
        FormLettre& lettre = Forme<FormLettre>();
        lettre.ChargerFichierLettre(QDir::current().filePath(u"Lettres/Relance.dat"_qs));
        ASSERT_EQ(lettre.Text1->toPlainText(), Lettre);

        if (cas == u"echec") {
            // The application opened too; once the test has made the saves fail, the remarks and the
            // letter are typed into.
            FormCand& registre = ouvrirCandidature();
            std::cout << "charge" << std::endl;
            std::string suite;
            std::getline(std::cin, suite);
            taperApresLeTic(registre.Timer2, registre.Remarques, AjoutRemarques);
            taperApresLeTic(lettre.Timer1, lettre.Text1, AjoutLettre);
            std::cout << "pret" << std::endl;
        } else {
            taperApresLeTic(lettre.Timer1, lettre.Text1, AjoutLettre);
            // The box is opened from the event loop, as the user's click would open it; once it is
            // on screen, the test may send the signal.
            QTimer::singleShot(0, qApp, [cas] { ouvrirUneBoite(cas); });
            guetterBoite();
        }
    }
    QTimer::singleShot(120000, qApp, [] { QCoreApplication::exit(3); }); // no signal came
    EXPECT_EQ(QApplication::exec(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(principale.isNull());
}

// Every window that shows a box and then goes on: the stop closes the box, the code under it goes
// on with its window whole, and the program ends as closing it does.
TEST(ArretBoite, UnSignalPendantUnMessageFermeKervalSansPlantageEtGardeCeQuiEstTape)
{
    const QStringList cas = {u"registre-intitule"_qs, u"registre-introuvable"_qs, u"cv"_qs, u"lettre"_qs,
                             u"envoi"_qs,             u"bureau"_qs,               u"stats"_qs};
    std::vector<std::unique_ptr<DossierTemporaire>> dossiers;
    std::vector<std::unique_ptr<QProcess>> enfants;
    for (const QString& c : cas) {
        dossiers.push_back(std::make_unique<DossierTemporaire>());
        preparerDonnees(*dossiers.back());
        enfants.push_back(lancerEnfant(*dossiers.back(), c));
    }
    // All at once: each one gets the signal as soon as its box is on screen.
    QList<QByteArray> sorties(qsizetype(enfants.size()));
    arreterEnfants(enfants, sorties, cas);
    const QMap<QString, QString> boites = {
        {u"registre-intitule"_qs, FicheCandidature::messageIntituleObligatoire()},
        {u"registre-introuvable"_qs, u"Le registre des candidatures ne peut pas être enregistré"_qs},
        {u"cv"_qs, FichierCV::MessageSansNom},
        {u"lettre"_qs, FichierLettre::MessageNonAccessible},
        {u"envoi"_qs, u"Ce CV n'a pas été converti au format .doc."_qs},
        {u"bureau"_qs, u"Confirmez-vous la suppression du CV : Lefort Anne"_qs},
        {u"stats"_qs, u"n'a pas pu être lu"_qs},
    };
    for (size_t i = 0; i < enfants.size(); ++i) {
        const QString texte = QString::fromUtf8(sorties[qsizetype(i)]);
        EXPECT_TRUE(texte.contains(u"boite:"_qs) && texte.contains(boites.value(cas[qsizetype(i)])))
            << cas[qsizetype(i)].toStdString() << "\n" << texte.toStdString();
    }

    for (size_t i = 0; i < enfants.size(); ++i) {
        const DossierTemporaire& d = *dossiers[i];
        EXPECT_EQ(lettreEnregistree(d), Lettre + u"\r\n"_qs + AjoutLettre.mid(1)) << cas[qsizetype(i)].toStdString();
    }
    // The question of the desktop was not answered: the CV is still there.
    EXPECT_TRUE(QFileInfo::exists(dossiers[5]->chemin(u"CV/Lefort Anne.dat"_qs)));
    // The register gone, the application's last changes could not be kept: the next start says so.
    const QString kept = MessagesDifferes::lire(dossiers[1]->donnees());
    EXPECT_TRUE(kept.contains(u"Les dernières modifications de la candidature affichée n'ont pas pu être conservées. "
                              "Candidature : « Soudeur », Acier."_qs))
        << kept.toStdString();
}

// A data file that is not a file (a FIFO in a synced or restored folder): reading it never blocks
// the program, the user is told which file, and the signal that comes meanwhile ends the program
// by itself. Once per file the program reads: at start-up (its lock, the kept messages, the home
// screen's picture), opening the register window, the letter editor, a CV with its photograph or
// its page model.
TEST(ArretBoite, UnFichierQuiNEstPasUnFichierEstRefuseSansBloquerEtUnSignalEstEntendu)
{
    const QList<std::pair<QString, QString>> tubes = {
        {u"tube-verrou"_qs, u".Kerval.verrou"_qs},
        {u"tube-messages"_qs, u".Kerval.messages"_qs},
        {u"tube-fond"_qs, u"Fondr.jpg"_qs},
        {u"tube-sites"_qs, u"Listesites.txt"_qs},
        {u"tube-propositions"_qs, u"propositions.txt"_qs},
        {u"tube-photo"_qs, u"Modeles/Lefort Anne.jpg"_qs},
        {u"tube-modele"_qs, u"Modeles/Tube.html"_qs},
    };
    QStringList cas;
    std::vector<std::unique_ptr<DossierTemporaire>> dossiers;
    std::vector<std::unique_ptr<QProcess>> enfants;
    for (const auto& [c, fichier] : tubes) {
        cas << c;
        dossiers.push_back(std::make_unique<DossierTemporaire>());
        const DossierTemporaire& d = *dossiers.back();
        preparerDonnees(d);
        if (c == u"tube-modele")
            Outils::ecrireOctets(d.chemin(u"CV/Lefort Anne.dat"_qs),
                                 "Nom=Lefort\r\nPr\xe9nom=Anne\r\nMod\xe8le=Tube.html\r\n");
        ASSERT_TRUE(QDir().mkpath(QFileInfo(d.chemin(fichier)).absolutePath()));
        ASSERT_EQ(::mkfifo(QFile::encodeName(d.chemin(fichier)).constData(), 0600), 0) << fichier.toStdString();
        enfants.push_back(lancerEnfant(d, c));
    }
    QList<QByteArray> sorties(qsizetype(enfants.size()));
    arreterEnfants(enfants, sorties, cas);
    for (size_t i = 0; i < enfants.size(); ++i) {
        const QString texte = QString::fromUtf8(sorties[qsizetype(i)]);
        const QString attendu =
            FichiersTexte::messageRefus(QFileInfo(dossiers[i]->chemin(tubes[qsizetype(i)].second)).absoluteFilePath(),
                                        u"un tube nommé (FIFO)"_qs);
        EXPECT_TRUE(texte.contains(u"boite:"_qs + attendu))
            << cas[qsizetype(i)].toStdString() << "\n" << texte.toStdString();
        // The FIFO is left as it was.
        struct stat st {};
        EXPECT_TRUE(::stat(QFile::encodeName(dossiers[i]->chemin(tubes[qsizetype(i)].second)).constData(), &st) == 0 &&
                    S_ISFIFO(st.st_mode));
    }
}

namespace {

// The end of the session while the saves fail: the child is stopped without a click, what was
// stored before stays whole, and the next start tells what could not be saved.
void verifierArretSurEchec(const DossierTemporaire& dossier, const std::function<void()>& faireEchouer,
                           const std::function<void()>& reparer)
{
    std::vector<std::unique_ptr<QProcess>> enfants;
    enfants.push_back(lancerEnfant(dossier, u"echec"_qs));
    QList<QByteArray> sorties = attendreMot(enfants, "charge\n");
    ASSERT_TRUE(sorties[0].contains("charge\n")) << sorties[0].toStdString();
    faireEchouer();
    enfants[0]->write("suite\n");
    arreterEnfants(enfants, sorties, {u"echec"_qs});
    reparer();
    EXPECT_EQ(lettreEnregistree(dossier), Lettre);
    EXPECT_EQ(remarquesEnregistrees(dossier), Remarques);
    const QString garde = MessagesDifferes::lire(dossier.donnees());
    EXPECT_TRUE(garde.contains(u"Le modèle de lettre « Relance » n'a pas pu être enregistré"_qs)) << garde.toStdString();
    EXPECT_TRUE(garde.contains(u"Candidature : « Soudeur », Acier."_qs)) << garde.toStdString();

    // The next start: the message is on screen once the main window is there, and only once.
    enfants.clear();
    enfants.push_back(lancerEnfant(dossier, u"suivant"_qs));
    ASSERT_TRUE(enfants[0]->waitForFinished(180000));
    const QString sortie = QString::fromUtf8(enfants[0]->readAllStandardOutput());
    EXPECT_EQ(enfants[0]->exitCode(), 0) << sortie.toStdString();
    const qsizetype debut = sortie.indexOf(u"message:"_qs);
    ASSERT_GE(debut, 0) << sortie.toStdString();
    const QString message = sortie.mid(debut + 8, sortie.indexOf(u'\n', debut) - debut - 8);
    EXPECT_TRUE(message.startsWith(u"Kerval a été arrêté par la fermeture de la session le "_qs)) << message.toStdString();
    EXPECT_TRUE(message.contains(QString(garde).replace(u'\n', u'|'))) << message.toStdString();
    EXPECT_TRUE(MessagesDifferes::lire(dossier.donnees()).isEmpty());
    EXPECT_TRUE(sortie.contains(u"ecran:1\n"_qs)) << sortie.toStdString();
}

} // namespace

// A file of kept messages as full as it can be: the next start's box is no taller than the
// screen, its text scrolls whole in it, and its OK button is in reach.
TEST(ArretBoite, UnLongMessageDuDemarrageSuivantTientDansLEcran)
{
    DossierTemporaire dossier;
    preparerDonnees(dossier);
    QStringList messages;
    for (int i = 1; i <= 190; ++i)
        messages << u"Le modèle de lettre « Relance %1 » n'a pas pu être enregistré."_qs.arg(i);
    MessagesDifferes::reserver(dossier.donnees());
    const QString texte = MessagesDifferes::message(QDateTime::currentDateTime(), messages);
    ASSERT_TRUE(MessagesDifferes::ecrire(dossier.donnees(), texte));
    ASSERT_EQ(MessagesDifferes::lire(dossier.donnees()).right(20), messages.last().right(20));

    auto enfant = lancerEnfant(dossier, u"suivant"_qs);
    ASSERT_TRUE(enfant->waitForFinished(180000));
    const QString sortie = QString::fromUtf8(enfant->readAllStandardOutput());
    EXPECT_EQ(enfant->exitCode(), 0) << sortie.toStdString();
    EXPECT_TRUE(sortie.contains(u"ecran:1\n"_qs)) << sortie.toStdString();
    EXPECT_TRUE(sortie.contains(messages.first()) && sortie.contains(messages.last())) << sortie.toStdString();
}

TEST(ArretBoite, UnArretSurUnEchecNAttendPasEtSeDitAuDemarrageSuivant)
{
    DossierTemporaire dossier;
    preparerDonnees(dossier);
    std::optional<Registres::FichierProtege> registre, lettres;
    verifierArretSurEchec(
        dossier,
        [&] {
            registre.emplace(dossier.chemin(u"Kerval.mdb"_qs));
            lettres.emplace(dossier.chemin(u"Lettres"_qs));
            ASSERT_TRUE(registre->actif() && lettres->actif());
        },
        [&] {
            registre.reset();
            lettres.reset();
        });
}

// Run by the next test in a child process whose temporary folder, and so the data folders of its
// own children, is a small file system of its own: the disk fills up as a real one does.
TEST(ArretDisquePlein, Interieur)
{
    if (qEnvironmentVariableIsEmpty("KERVAL_ARRET_PLEIN"))
        GTEST_SKIP() << "run by a child process";
    DossierTemporaire dossier;
    preparerDonnees(dossier);
    verifierArretSurEchec(
        dossier,
        [&] { Outils::remplirDisque(dossier.chemin(u"bourre"_qs)); },
        [&] { QFile::remove(dossier.chemin(u"bourre"_qs)); });
}

TEST(ArretDisquePlein, UnArretSurDisquePleinNAttendPasEtSeDitAuDemarrageSuivant)
{
    Outils::relancerSurPetitDisque(u"ArretDisquePlein.Interieur"_qs, u"KERVAL_ARRET_PLEIN"_qs, 8);
}

// The file of the messages kept for the next start: a file that is not ours says nothing, its room
// is taken once and kept, and a text too long for it is cut rather than spilling over.
TEST(MessagesDifferes, UnFichierEtrangerNeDitRienEtLaPlaceResteLaMeme)
{
    DossierTemporaire dossier;
    const QString fichier = MessagesDifferes::chemin(dossier.donnees());
    Outils::ecrireOctets(fichier, QByteArray("\xff\xfe pas un message \0 de Kerval", 30));
    EXPECT_TRUE(MessagesDifferes::lire(dossier.donnees()).isEmpty());
    QFile::remove(fichier);

    MessagesDifferes::reserver(dossier.donnees());
    EXPECT_EQ(QFileInfo(fichier).size(), MessagesDifferes::Taille);
    EXPECT_TRUE(MessagesDifferes::lire(dossier.donnees()).isEmpty());
    ASSERT_TRUE(MessagesDifferes::ecrire(dossier.donnees(), u"Le modèle « Été » n'a pas pu être enregistré."_qs));
    MessagesDifferes::reserver(dossier.donnees()); // the next start keeps what is there
    EXPECT_EQ(MessagesDifferes::lire(dossier.donnees()), u"Le modèle « Été » n'a pas pu être enregistré."_qs);

    const QString texteLong = QString(MessagesDifferes::Taille, u'é');
    ASSERT_TRUE(MessagesDifferes::ecrire(dossier.donnees(), texteLong));
    EXPECT_EQ(QFileInfo(fichier).size(), MessagesDifferes::Taille);
    EXPECT_TRUE(texteLong.startsWith(MessagesDifferes::lire(dossier.donnees()).chopped(1)));

    MessagesDifferes::effacer(dossier.donnees());
    EXPECT_TRUE(MessagesDifferes::lire(dossier.donnees()).isEmpty());
    EXPECT_EQ(QFileInfo(fichier).size(), MessagesDifferes::Taille);
}

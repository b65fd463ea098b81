// The session ends (SIGTERM) while a message box of a window is on screen, or while a save fails:
// child processes run the program's start-up as the executable does, with the desktop's own
// message boxes, and the test sends them the signal. Each one ends by itself with code 0, never
// waiting for a click, and keeps what was typed; what it could not say then is said at the next
// start.
#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QRadioButton>
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
#include "shell/mainwindow/export_word.h"
#include "shell/mainwindow/principale.h"
#include "shell/mainwindow/liens_modules.h"
#include "shell/services/fichiers_texte.h"
#include "shell/startup/depart.h"
#include "shell/startup/messages_differes.h"
#include "shell/startup/traces.h"

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
    } else if (cas == u"lettre" || cas == u"nouvelle-lettre") {
        // The template's file went away since the desktop listed it; or there is no template
        // yet, and the desktop's new one offers to start from the CV.
        if (cas == u"lettre")
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

// What the user does, case by case, to make the program wait for another one.
void attendreUnAutreProgramme(const QString& cas)
{
    if (cas == u"remise") {
        // "Postuler" in the register, an address typed, "Envoyer la candidature".
        FormCand& registre = ouvrirCandidature();
        cliquer(registre.PicturePostuler);
        FormPostuler* envoi = RegistreFenetres::instance().siChargee<FormPostuler>();
        ASSERT_NE(envoi, nullptr);
        cliquer(envoi->EmailDest);
        Outils::taper(envoi->EmailDest, u"rh@acier.fr"_qs);
        ASSERT_TRUE(envoi->Messagerie[1]->isChecked());
        cliquer(envoi->BoutonKVL1->Label1);
    } else if (cas == u"conversion") {
        const QString page = QDir::current().filePath(u"Modeles/CVtemp.html"_qs);
        Outils::ecrireOctets(page, "<html><body><p>LEFORT Anne</p></body></html>");
        const QString copie = QDir::current().filePath(u"Lefort Anne.doc"_qs);
        const ExportWord::Resultat r = ExportWord::convertir(page, copie);
        EXPECT_EQ(r.issue, ExportWord::Issue::EchecConversion);
        EXPECT_FALSE(QFileInfo::exists(copie));
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
std::unique_ptr<QProcess> lancerEnfant(const DossierTemporaire& dossier, const QString& cas,
                                       const QMap<QString, QString>& variables = {})
{
    auto enfant = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        env.insert(it.key(), it.value());
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
                    Outils::signaler(*enfants[i], SIGTERM);
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

// Says what the condition gives, then "pret", once it gives a text, checked from the event loop.
void direPretQuand(const std::function<QString()>& condition)
{
    auto* guet = new QTimer(qApp);
    QObject::connect(guet, &QTimer::timeout, qApp, [guet, condition] {
        if (const QString dit = condition(); !dit.isNull()) {
            std::cout << dit.toStdString() << "pret" << std::endl;
            guet->stop();
        }
    });
    guet->start(20);
}

QString boiteOuverte()
{
    if (auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); boite && boite->isVisible())
        return u"boite:"_qs + texteBoite(boite) + u'\n';
    return {};
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
        direPretQuand(boiteOuverte);
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
        direPretQuand(boiteOuverte);
    } else if (cas == u"remise" || cas == u"conversion") {
        // The other program is started from the event loop, as the user's click starts it; once
        // its stand-in runs (it wrote its process id), the test may send the signal.
        QTimer::singleShot(0, qApp, [cas] { attendreUnAutreProgramme(cas); });
        const QString pids = qEnvironmentVariable("KERVAL_PIDS");
        direPretQuand([pids] { return QFileInfo(pids).size() > 0 ? u"lance\n"_qs : QString(); });
    } else if (cas == u"nouvelle-lettre") {
        // Every tip that shows says so.
        Traces::observer([](const QString& trace) {
            if (trace.startsWith(u"Opacite Guide"_qs))
                std::cout << "conseil" << std::endl;
        });
        QTimer::singleShot(0, qApp, [cas] { ouvrirUneBoite(cas); });
        direPretQuand(boiteOuverte);
    } else {
        // The template opened.
        FormLettre& lettre = Forme<FormLettre>();
        lettre.ChargerFichierLettre(QDir::current().filePath(u"Lettres/Relance.dat"_qs));
        ASSERT_EQ(lettre.Text1->toPlainText(), Lettre);

        if (cas == u"echec") {
            // The application opened too; once the test has made the saves fail, the remarks and
            // the letter are typed into.
            FormCand& registre = ouvrirCandidature();
            std::cout << "charge" << std::endl;
            std::string suite;
            std::getline(std::cin, suite);
            taperApresLeTic(registre.Timer2, registre.Remarques, AjoutRemarques);
            taperApresLeTic(lettre.Timer1, lettre.Text1, AjoutLettre);
            std::cout << "pret" << std::endl;
        } else {
            taperApresLeTic(lettre.Timer1, lettre.Text1, AjoutLettre);
            // The box is opened from the event loop, as the user's click would open it; once it
            // is on screen, the test may send the signal.
            QTimer::singleShot(0, qApp, [cas] { ouvrirUneBoite(cas); });
            direPretQuand(boiteOuverte);
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

// Those of the processes that still run (those that ended and wait to be collected run no more),
// as ps lists them.
QStringList enVie(const QList<qint64>& pids)
{
    QProcess ps;
    ps.start(u"ps"_qs, {u"-e"_qs, u"-o"_qs, u"pid=,stat=,args="_qs});
    if (!ps.waitForFinished(30000))
        return {u"<ps>"_qs};
    QStringList restants;
    for (const QString& ligne : QString::fromLocal8Bit(ps.readAllStandardOutput()).split(u'\n')) {
        const QStringList champs = ligne.simplified().split(u' ');
        if (champs.size() >= 2 && pids.contains(champs[0].toLongLong()) && !champs[1].startsWith(u'Z'))
            restants << ligne.simplified();
    }
    return restants;
}

} // namespace

// The end of the session while the program waits for another one: an e-mail client that keeps
// the hand-over waiting, an office suite whose own program, started beside the converter, makes
// its profile folder again as long as it runs and does not end when asked. Neither wait holds
// the end; each program goes with every program it started; the message handed over is recorded
// as sent; no working folder is left. And the question of a new template, which would be followed
// by a tip: the end shows none, and does not wait for it.
TEST(ArretBoite, UnSignalNAttendPasUnAutreProgrammeEtLeTermineAvecLesSiens)
{
    QTemporaryDir outils;
    QTemporaryDir temporaire; // the children's temporary folder, where the conversion works
    ASSERT_TRUE(outils.isValid() && temporaire.isValid());
    const QDir o(outils.path());
    auto script = [&](const QString& nom, const QString& corps) {
        Outils::ecrireOctets(o.filePath(nom), (u"#!/bin/sh\n"_qs + corps).toUtf8());
        QFile::setPermissions(o.filePath(nom), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    // The client: its window stays open long after the signal, a program of its own beside it.
    script(u"xdg-email"_qs, u"sleep 300 &\necho $$ $! > '%1'\nwait\n"_qs.arg(o.filePath(u"remise.pid"_qs)));
    script(u"soffice"_qs, uR"(profil=''
for a in "$@"; do
  case "$a" in -env:UserInstallation=file://*) profil="${a#-env:UserInstallation=file://}";; esac
done
sh -c 'trap "" TERM; while :; do mkdir -p "$1"; sleep 0.05; done' sh "$profil" &
touch "${TMPDIR:-/tmp}/lu$!.tmp"
echo $$ $! > '%1'
wait
)"_qs.arg(o.filePath(u"conversion.pid"_qs)));

    const QStringList cas = {u"remise"_qs, u"conversion"_qs, u"nouvelle-lettre"_qs};
    std::vector<std::unique_ptr<DossierTemporaire>> dossiers;
    std::vector<std::unique_ptr<QProcess>> enfants;
    for (const QString& c : cas) {
        dossiers.push_back(std::make_unique<DossierTemporaire>());
        preparerDonnees(*dossiers.back());
        if (c == u"nouvelle-lettre")
            for (const QString& modele : QDir(dossiers.back()->chemin(u"Lettres"_qs)).entryList({u"*.dat"_qs}))
                QFile::remove(dossiers.back()->chemin(u"Lettres/"_qs + modele));
        enfants.push_back(lancerEnfant(*dossiers.back(), c,
                                       {{u"PATH"_qs, outils.path() + u':' + qEnvironmentVariable("PATH")},
                                        {u"TMPDIR"_qs, temporaire.path()},
                                        {u"KERVAL_PIDS"_qs, o.filePath(c + u".pid"_qs)}}));
    }
    QList<QByteArray> sorties(qsizetype(enfants.size()));
    arreterEnfants(enfants, sorties, cas);

    const QString remise = QString::fromUtf8(sorties[0]);
    EXPECT_EQ(statutDe(dossiers[0]->chemin(u"Kerval.mdb"_qs), u"Acier"_qs), u"EMISE - EN ATTENTE DE REPONSE"_qs)
        << remise.toStdString();
    for (const QString& c : {u"remise"_qs, u"conversion"_qs}) {
        QList<qint64> pids; // the stand-in, and the program it started
        for (const QByteArray& pid : Outils::lireOctets(o.filePath(c + u".pid"_qs)).simplified().split(' '))
            pids << pid.toLongLong();
        ASSERT_EQ(pids.size(), 2) << c.toStdString();
        EXPECT_EQ(enVie(pids), QStringList()) << c.toStdString();
        for (const qint64 pid : pids) // whatever a fault left
            ::kill(pid_t(pid), SIGKILL);
    }
    // Nothing of the conversion is left in the temporary folder (the office suite's own files go
    // into its working folder).
    EXPECT_EQ(QDir(temporaire.path()).entryList({u"kerval-word-*"_qs, u"lu*.tmp"_qs}, QDir::AllEntries | QDir::Hidden),
              QStringList());

    const QString lettre = QString::fromUtf8(sorties[2]);
    EXPECT_TRUE(lettre.contains(u"boite:Souhaitez-vous initialiser le modèle de lettre"_qs)) << lettre.toStdString();
    EXPECT_FALSE(lettre.contains(u"conseil"_qs)) << lettre.toStdString();
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

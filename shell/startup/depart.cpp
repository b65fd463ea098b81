#include "shell/startup/depart.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/arret.h"
#include "platform/attente.h"
#include "platform/environnement.h"
#include "platform/plateforme.h"
#include "platform/traductions_qt.h"
#include "shell/controls/dessins.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"
#include "shell/startup/dossier_donnees.h"
#include "shell/startup/ecran.h"
#include "shell/startup/exemplaire.h"
#include "shell/startup/messages_differes.h"
#include "shell/startup/ombre.h"
#include "shell/startup/traces.h"

namespace {

constexpr int LargeurDepart = 9000; // twips
constexpr int HauteurDepart = 5100;

// SIGTERM (the session ends), SIGINT and SIGHUP are turned into an event of the user-interface
// thread through a socket pair.
int tubeArret[2] = {-1, -1};
bool arretSansDonnees = false; // no data folder: the program stops

// What the program had to say while the session ended it, for the next start.
QStringList messagesRetenus;
QDateTime heureArret;
// The message kept by the last end, shown once the main window is there.
QString messagesPrecedents;

void montrerMessagesPrecedents()
{
    if (messagesPrecedents.isEmpty() || Arret::demande())
        return;
    MsgBox(messagesPrecedents);
    // Seen: the file is emptied, unless this end has already written its own there.
    if (!Arret::demande())
        MessagesDifferes::effacer(Environnement::dossierDonnees());
    messagesPrecedents.clear();
}

void surSignal(int)
{
    const char c = 1;
    [[maybe_unused]] auto n = ::write(tubeArret[1], &c, 1);
}

// Message boxes, file dialogs and pop-up menus close: the code that waits on them goes on, and
// finds the end asked (their questions count as cancelled).
void fermerBoites()
{
    while (QWidget* menu = QApplication::activePopupWidget()) {
        menu->close();
        if (QApplication::activePopupWidget() == menu)
            break;
    }
    while (QWidget* modale = QApplication::activeModalWidget()) {
        if (auto* dialogue = qobject_cast<QDialog*>(modale))
            dialogue->reject();
        else
            modale->close();
        if (QApplication::activeModalWidget() == modale)
            break;
    }
}

// No window may go while code runs under one of its boxes, or under a wait that pumps events:
// that code would go on with a window that no longer exists. The windows close from the main
// event loop itself, once nothing waits any more.
bool rienNAttend()
{
    return QThread::currentThread()->loopLevel() <= 1 && !Attente::enCours() && !QApplication::activeModalWidget() &&
           !QApplication::activePopupWidget();
}

// The end, as closing the main window ends the program: each window saves what it has pending
// first, and what it would say then is kept for the next start.
void terminer()
{
    if (auto* p = RegistreFenetres::instance().siChargee<Principale>())
        p->close();
    QCoreApplication::quit();
}

void arreter()
{
    if (!Arret::demande()) {
        heureArret = Plateforme::instance().horloge().maintenant();
        Arret::fixerDestination([](const QString& texte) {
            messagesRetenus << texte;
            MessagesDifferes::ecrire(Environnement::dossierDonnees(), MessagesDifferes::message(heureArret, messagesRetenus));
        });
    }
    Arret::fixerDemande(true);
    fermerBoites();
    static QTimer* fin = nullptr;
    if (!fin) {
        fin = new QTimer(qApp);
        fin->setInterval(10);
        QObject::connect(fin, &QTimer::timeout, qApp, [] {
            if (!rienNAttend()) {
                fermerBoites();
                return;
            }
            fin->stop();
            terminer();
        });
    }
    fin->start();
}

void installerArret()
{
    if (tubeArret[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, tubeArret) != 0)
        return;
    auto* notification = new QSocketNotifier(tubeArret[0], QSocketNotifier::Read, qApp);
    QObject::connect(notification, &QSocketNotifier::activated, qApp, [] {
        char c;
        [[maybe_unused]] auto n = ::read(tubeArret[0], &c, 1);
        arreter();
    });
    struct sigaction action = {};
    action.sa_handler = surSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

// A second start on the same data folder brings the main window to the front.
void montrerPrincipale()
{
    auto* p = RegistreFenetres::instance().siChargee<Principale>();
    if (!p || !p->isVisible())
        return; // still starting: the splash is on its way
    p->setWindowState(p->windowState() & ~Qt::WindowMinimized);
    p->raise();
    p->activateWindow();
}

} // namespace

void Depart::demarrer()
{
    installerArret();
    // Qt's own texts (buttons, file and print dialogs) in French, whatever the session's language.
    TraductionsQt::installer();
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(Dessins::embleme(256))));
    // One copy per data folder: a second start shows the first and ends, before anything is written.
    if (!Exemplaire::seul(Environnement::dossierDonnees(), montrerPrincipale)) {
        QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
        return;
    }
    arretSansDonnees = false;
    Forme<Depart>();
    // Every window already closed: the event loop ends as it starts. A stop asked during the
    // start-up ends the program itself from the event loop. Otherwise the user reads what the
    // last end of the session could not say.
    const bool fenetreOuverte = Systeme::FormeVisible(Principale::NomConception);
    if (arretSansDonnees)
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(1); });
    else if (!Arret::demande() && !fenetreOuverte)
        QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
    else if (!Arret::demande())
        QTimer::singleShot(0, qApp, montrerMessagesPrecedents);
}

Depart::Depart()
{
    setObjectName(NomConception);
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    marquerFenetreSuperieure(this);
    resize(Twips::taille(LargeurDepart, HauteurDepart));
    const QSize ecran = Ecran::tailleTwips();
    move(Twips::point((ecran.width() - LargeurDepart) / 2, (ecran.height() - HauteurDepart) / 2));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    const QSize image(width() + Twips::versPixels(8400), height());
    Image1->setPixmap(Dessins::imageDepart(image));
    Image1->setGeometry(QRect(QPoint(0, 0), image));

    auto* titre = new QLabel(QStringLiteral("Kerval"), this);
    titre->setFont(Dessins::police(QStringLiteral("Arial"), 40, true));
    titre->setStyleSheet(QStringLiteral("color: white;"));
    titre->setGeometry(Twips::rect(600, 1200, 7800, 1300));

    Legende = new QLabel(QStringLiteral("Votre assistant pour trouver un emploi : CV, lettres et candidatures"), this);
    Legende->setFont(Dessins::police(QStringLiteral("Arial"), 11));
    Legende->setStyleSheet(QStringLiteral("color: #FFE6D5;"));
    Legende->setGeometry(Twips::rect(630, 2500, 7800, 400));
}

Depart::~Depart()
{
    // The shadow never outlives the splash.
    RegistreFenetres::instance().decharger(Ombre::NomConception);
}

void Depart::deplacerImage1(int deltaTwips)
{
    gaucheImage1_ += deltaTwips;
    Image1->move(Twips::versPixels(double(gaucheImage1_)), Image1->y());
}

void Depart::Form_Load()
{
    // Every step that fails is skipped; the splash may be closed with the main window while a
    // wait pumps events, and then the start-up ends there.
    QPointer<Depart> moi(this);
    auto encore = [&] {
        if (moi.isNull())
            return false;
        if (Arret::demande()) {
            RegistreFenetres::instance().decharger(NomConception);
            return false;
        }
        return true;
    };

    const QSize ecran = Ecran::tailleTwips();
    if (ecran.height() < 11000 || ecran.width() < 15000) {
        Traces::etape(QStringLiteral("Message"));
        MsgBox(QStringLiteral("La définition de votre écran est insuffisante pour exécuter correctement Kerval. "
                              "Le minimum requis est de 1024x768."));
        if (!encore())
            return;
    }

    // The data folder, laid down or completed. Without it the program would work in whatever
    // folder it was started from: it says so and stops instead.
    const QString donnees = Environnement::dossierDonnees();
    const DossierDonnees::Bilan bilan = DossierDonnees::preparer(donnees, Environnement::dossierDonneesLivrees());
    if (QFileInfo(donnees).isDir()) {
        for (const QString& nom : {QStringLiteral("CV"), QStringLiteral("Lettres"), QStringLiteral("Cand")}) {
            const QString chemin = QDir(donnees).filePath(nom);
            if (!QFileInfo(chemin).isDir() && QDir().mkdir(chemin))
                Traces::etape(QStringLiteral("Dossier ") + nom);
        }
    }
    if (!QFileInfo(donnees).isDir() || !QDir::setCurrent(donnees)) {
        Traces::etape(QStringLiteral("Dossier de données impossible"));
        MsgBox(DossierDonnees::messageDossierImpossible(donnees));
        arretSansDonnees = true;
        RegistreFenetres::instance().decharger(NomConception);
        return;
    }
    Traces::etape(QStringLiteral("Repertoire"));
    // What the last end of the session could not say; the room to say it at the next one.
    messagesPrecedents = MessagesDifferes::lire(donnees);
    MessagesDifferes::reserver(donnees);
    // Without its register the program still serves the CVs and letters: it says why the
    // applications cannot be kept, and goes on.
    if (bilan.registreImpossible) {
        Traces::etape(QStringLiteral("Registre impossible"));
        MsgBox(DossierDonnees::messageRegistreImpossible(donnees, *bilan.registreImpossible));
        if (!encore())
            return;
    }

    hide();
    Attente::pomper();
    if (!encore())
        return;

    for (int k = 1; k <= 251; k += 10) {
        Attente::pomper();
        Attente::dormir(40);
        if (!encore())
            return;
        Traces::opacite(this, k);
        show();
        Ombre& ombre = Forme<Ombre>();
        ombre.setGeometry(QRect(pos() - QPoint(Twips::versPixels(30), Twips::versPixels(30)),
                                size() + QSize(Twips::versPixels(60), Twips::versPixels(60))));
        ombre.show();
        ombre.stackUnder(this);
        const double cinquieme = k / 5.0;
        if (cinquieme < 35)
            Traces::opacite(&ombre, int(std::nearbyint(cinquieme)));
        raise();
        activateWindow();
        deplacerImage1(-120);
    }

    for (int i = 0; i < 100; ++i) {
        Attente::dormir(10);
        if (!encore())
            return;
        deplacerImage1(-50);
    }
    Traces::etape(QStringLiteral("Glissement %1").arg(gaucheImage1_));

    Principale& principale = Forme<Principale>();
    if (!encore())
        return;
    principale.show();
    Traces::etape(QStringLiteral("Principale"));
    if (principale.largeurTwips() < 22000) {
        principale.showMaximized();
        Traces::etape(QStringLiteral("Agrandie"));
    }

    // The home screen and its highlight bar.
    LiensFenetres::appeler(LiensFenetres::chargerAccueil);
    Attente::pomper();
    Attente::dormir(200);
    if (!encore())
        return;
    LiensFenetres::appeler(LiensFenetres::chargerBarre);
    Traces::etape(QStringLiteral("Accueil"));

    RegistreFenetres::instance().decharger(Ombre::NomConception);
    Traces::etape(QStringLiteral("Fin"));
    RegistreFenetres::instance().decharger(NomConception); // the splash itself: nothing runs after this
}

#include "shell/mainwindow/principale.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMouseEvent>

#include "platform/attente.h"
#include "platform/navigateur.h"
#include "cveditor/fichier_controles.h"
#include "cveditor/fichier_cv.h"
#include "platform/plateforme.h"
#include "register/store/handles_partages.h"
#include "shell/dialogs/apropos.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"
#include "shell/startup/ecran.h"

using Dessins::Icone;

namespace {

int px(int twips) { return Twips::versPixels(twips); }

constexpr int HautRepos = 210;
constexpr int HautSurvol = 195;
constexpr int LargeurIconeRegistre = 540;

int gaucheIcone(int i)
{
    if (i < 5)
        return 2400 + i * 600;
    if (i < 10)
        return 5700 + (i - 5) * 600;
    return 9000;
}

QFont arial(double points, bool gras = false) { return Dessins::police(QStringLiteral("Arial"), points, gras); }

// Closes a working window as the user closes it, so that it first saves what it has pending,
// then unloads it. A window that its user keeps open stays loaded: false then.
bool fermer(const QString& nom)
{
    RegistreFenetres& r = RegistreFenetres::instance();
    if (QWidget* w = r.trouver(nom); w && !w->close())
        return false;
    r.decharger(nom);
    return true;
}

} // namespace

// IconeBureau

IconeBureau::IconeBureau(int index, QWidget* parent)
    : QLabel(parent)
    , index_(index)
{
    setObjectName(QStringLiteral("ImageMenu%1").arg(index));
    setMouseTracking(true);
    setScaledContents(true);
    setCursor(Qt::PointingHandCursor);
}

void IconeBureau::fixerGenre(Icone genre)
{
    genre_ = genre;
    setPixmap(Dessins::icone(genre, QSize(px(largeur_ + 30), px(hauteur_ + 30))));
}

void IconeBureau::placer(int gauche, int haut, int largeur, int hauteur)
{
    const bool autreTaille = largeur != largeur_ || hauteur != hauteur_;
    gauche_ = gauche;
    haut_ = haut;
    largeur_ = largeur;
    hauteur_ = hauteur;
    setGeometry(Twips::rect(gauche, haut, largeur, hauteur));
    if (autreTaille)
        fixerGenre(genre_);
}

void IconeBureau::mouseMoveEvent(QMouseEvent* e)
{
    emit survol(index_);
    QLabel::mouseMoveEvent(e);
}

void IconeBureau::mousePressEvent(QMouseEvent* e)
{
    emit appui(index_);
    QLabel::mousePressEvent(e);
}

void IconeBureau::mouseReleaseEvent(QMouseEvent* e)
{
    if (doubleClicEnCours_) {
        doubleClicEnCours_ = false;
        emit doubleClic(index_);
        return;
    }
    if (rect().contains(e->position().toPoint()))
        emit clic(index_);
}

void IconeBureau::mouseDoubleClickEvent(QMouseEvent*)
{
    // The double-click's command runs once the button is up again: a window that opens while the
    // button is still down (its load pumps events, its browser sets up) would leave the pointer
    // held by this icon, every later move coming here instead of to the control under it.
    doubleClicEnCours_ = true;
    emit doubleAppui(index_);
}

// Principale

Principale::Principale()
{
    setObjectName(NomConception);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Kerval"));

    Espace = new QMdiArea(this);
    Espace->setObjectName(QStringLiteral("Espace"));
    QLinearGradient fond(0, 0, 0, 900);
    fond.setColorAt(0, QColor(0xE3, 0xEC, 0xF8));
    fond.setColorAt(1, QColor(0xB9, 0xD4, 0xF1));
    Espace->setBackground(fond);
    // A window that closes hands the activation back to the one the user worked in before it,
    // never to the first window of the workspace (the home screen, which would cover the others).
    Espace->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(Espace);

    Nom = champCache(QStringLiteral("Nom"));
    Prenom = champCache(QStringLiteral("Prénom"));
    Adresse1 = champCache(QStringLiteral("Adresse1"));
    CP = champCache(QStringLiteral("CP"));
    Ville = champCache(QStringLiteral("Ville"));
    Tel = champCache(QStringLiteral("Tel"));
    Email = champCache(QStringLiteral("Email"));
    Fonction = champCache(QStringLiteral("Fonction"));
    InfoGuide = champCache(QStringLiteral("InfoGuide"));
    InfoGuide->setText(QStringLiteral("Text1"));

    NbCand = new QLabel(QStringLiteral("0"), this);
    NbCand->setObjectName(QStringLiteral("NbCand"));
    NbCand->hide();
    AdresseWeb = new QLabel(QStringLiteral("https://candidat.francetravail.fr/offres/recherche"), this);
    AdresseWeb->setObjectName(QStringLiteral("AdresseWeb"));
    AdresseWeb->hide();

    minuterieClic_ = new QTimer(this);
    minuterieClic_->setSingleShot(true);
    connect(minuterieClic_, &QTimer::timeout, this, [this] { ImageMenu_Click(iconeCliquee_); });

    construireBandeau();
    construireMenus();
    // The editors' previews and the register's web panel come into this window later.
    Navigateur::preparerFenetre(this);

    RegistreFenetres::instance().fixerPlacement([this](Fenetre* f) { placerFenetre(f); });
    // A top-level window of the program that closes while it has the activation gives it back
    // here, also where no window manager does.
    RegistreFenetres::instance().fixerRetourActivation([this] {
        if (isVisible() && !dechargee_)
            activateWindow();
    });
}

Principale::~Principale()
{
    RegistreFenetres::instance().fixerPlacement({});
    RegistreFenetres::instance().fixerRetourActivation({});
}

QLineEdit* Principale::champCache(const QString& nom)
{
    auto* champ = new QLineEdit(this);
    champ->setObjectName(nom);
    champ->hide();
    return champ;
}

void Principale::construireBandeau()
{
    Toolbar1 = new QWidget(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setFixedHeight(px(HauteurBandeau));
    setMenuWidget(Toolbar1);

    Frame1 = new QWidget(Toolbar1);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(0, 0, px(21600), px(HauteurBandeau));

    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setPixmap(Dessins::banniere(QSize(64, px(HauteurBandeau))));
    Image1->setGeometry(Frame1->rect());
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);

    Logo = new QLabel(Frame1);
    Logo->setObjectName(QStringLiteral("Logo"));
    Logo->setPixmap(Dessins::logo());
    Logo->resize(Logo->pixmap().size());
    Logo->move(0, px(150));
    Logo->setCursor(Qt::PointingHandCursor);
    Logo->setToolTip(QStringLiteral("A propos de Kerval"));
    Logo->installEventFilter(this);

    const QRect retour = Twips::rect(150, 300, 1950, 600);
    Image5 = new QLabel(Frame1);
    Image5->setObjectName(QStringLiteral("Image5"));
    Image5->setPixmap(Dessins::fondRetour(retour.size(), true));
    Image5->setGeometry(retour);
    Image4 = new QLabel(Frame1);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->setPixmap(Dessins::fondRetour(retour.size(), false));
    Image4->setGeometry(retour);
    Label2 = new QLabel(QStringLiteral("Retour au menu principal"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(true);
    Label2->setFont(arial(8.25, true));
    Label2->setStyleSheet(QStringLiteral("color: #24345C;"));
    Label2->setGeometry(retour);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setMouseTracking(true);
    Label2->installEventFilter(this);

    const QStringList titres{QStringLiteral("Mes Curriculum Vitae"), QStringLiteral("Mes modèles de lettres"),
                             QStringLiteral("Mes candidatures")};
    for (int i = 0; i < 3; ++i) {
        Label1[i] = new QLabel(titres[i], Frame1);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setFont(arial(7.5, true));
        Label1[i]->setStyleSheet(QStringLiteral("color: #24345C;"));
        Label1[i]->setGeometry(Twips::rect(gaucheIcone(i * 5), 0, i < 2 ? 3000 : 2100, 210));
    }

    Label3 = new QLabel(QStringLiteral("Services Kerval +"), Frame1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(Twips::rect(12000, 300, 2000, 255));
    Image6 = new QLabel(Frame1);
    Image6->setObjectName(QStringLiteral("Image6"));
    Image7 = new QLabel(Frame1);
    Image7->setObjectName(QStringLiteral("Image7"));

    for (int i = 0; i < 11; ++i) {
        auto* icone = new IconeBureau(i, Frame1);
        ImageMenu[i] = icone;
        if (i == 10)
            icone->placer(gaucheIcone(i), HautRepos, LargeurIconeRegistre, HauteurIcone);
        else
            icone->placer(gaucheIcone(i), HautRepos, LargeurIcone, HauteurIcone);
        connect(icone, &IconeBureau::survol, this, &Principale::ImageMenu_MouseMove);
        connect(icone, &IconeBureau::appui, this, &Principale::ImageMenu_MouseDown);
        connect(icone, &IconeBureau::clic, this, [this](int index) {
            iconeCliquee_ = index;
            minuterieClic_->start(QApplication::doubleClickInterval());
        });
        connect(icone, &IconeBureau::doubleAppui, this, [this] { minuterieClic_->stop(); });
        connect(icone, &IconeBureau::doubleClic, this, &Principale::ImageMenu_DblClick);
    }

    Information = new QLabel(Frame1);
    Information->setObjectName(QStringLiteral("Information"));
    Information->setFont(arial(8.25));
    Information->setStyleSheet(QStringLiteral("color: #24345C;"));
    Information->setGeometry(Twips::rect(2400, 780, 7800, 270));
    Information->setMouseTracking(true);
    Information->installEventFilter(this);
}

void Principale::construireMenus()
{
    auto menu = [this](const QString& nom, const QString& titre = QString()) {
        auto* m = new QMenu(titre, this);
        m->setObjectName(nom);
        return m;
    };
    auto entree = [this](QMenu* m, const QString& nom, const QString& libelle, void (Principale::*action)()) {
        QAction* a = m->addAction(libelle);
        a->setObjectName(nom);
        if (action)
            connect(a, &QAction::triggered, this, action);
        return a;
    };
    auto tiret = [](QMenu* m, const QString& nom) { m->addSeparator()->setObjectName(nom); };

    MenuCV = menu(QStringLiteral("MenuCV"));
    MenuNouveauCV = entree(MenuCV, QStringLiteral("MenuNouveauCV"), QStringLiteral("Rédiger un nouveau CV"),
                           &Principale::MenuNouveauCV_Click);
    MenuRattacherCV = entree(MenuCV, QStringLiteral("MenuRattacherCV"), QStringLiteral("Rattacher un CV existant"),
                             &Principale::MenuRattacherCV_Click);
    tiret(MenuCV, QStringLiteral("Tiret"));
    MenuOuvrirCV = entree(MenuCV, QStringLiteral("MenuOuvrirCV"), QStringLiteral("Ouvrir"), &Principale::MenuOuvrirCV_Click);
    MenuSupprimerCV = entree(MenuCV, QStringLiteral("MenuSupprimerCV"), QStringLiteral("Supprimer"),
                             &Principale::MenuSupprimerCV_Click);
    Renommer = entree(MenuCV, QStringLiteral("Renommer"), QStringLiteral("Renommer"), &Principale::Renommer_Click);
    MenuDupliquerCV = entree(MenuCV, QStringLiteral("MenuDupliquerCV"), QStringLiteral("Dupliquer"),
                             &Principale::MenuDupliquerCV_Click);
    tiret(MenuCV, QStringLiteral("Tiret1"));
    MenuConvertirCV = entree(MenuCV, QStringLiteral("MenuConvertirCV"), QStringLiteral("Convertir"),
                             &Principale::MenuConvertirCV_Click);
    MenuOuvrirWord = entree(MenuCV, QStringLiteral("MenuOuvrirWord"), QStringLiteral("Dernière version Word"),
                            &Principale::MenuOuvrirWord_Click);
    MenuImprimerCV = entree(MenuCV, QStringLiteral("MenuImprimerCV"), QStringLiteral("Imprimer"),
                            &Principale::MenuImprimerCV_Click);
    // Two sending entries are kept out of sight: they have no command.
    QAction* tiret2 = MenuCV->addSeparator();
    tiret2->setObjectName(QStringLiteral("Tiret2"));
    tiret2->setVisible(false);
    MenuEnvoyerAmi = entree(MenuCV, QStringLiteral("MenuEnvoyerAmi"), QStringLiteral("Envoyer à un ami"), nullptr);
    MenuEnvoyerRecruteur =
        entree(MenuCV, QStringLiteral("MenuEnvoyerRecruteur"), QStringLiteral("Envoyer à un recruteur"), nullptr);
    MenuEnvoyerAmi->setVisible(false);
    MenuEnvoyerRecruteur->setVisible(false);

    MenuLettre = menu(QStringLiteral("MenuLettre"));
    MenuRedigerLettre = entree(MenuLettre, QStringLiteral("MenuRédigerLettre"), QStringLiteral("Rédiger"),
                               &Principale::MenuRedigerLettre_Click);
    tiret(MenuLettre, QStringLiteral("TR5"));
    MenuOuvrirLettre = entree(MenuLettre, QStringLiteral("MenuOuvrirLettre"), QStringLiteral("Ouvrir"),
                              &Principale::MenuOuvrirLettre_Click);
    MenuDuppliquerLettre = entree(MenuLettre, QStringLiteral("MenuDuppliquerLettre"), QStringLiteral("Dupliquer"),
                                  &Principale::MenuDuppliquerLettre_Click);
    RenommerLettre = entree(MenuLettre, QStringLiteral("RenommerLettre"), QStringLiteral("Renommer"),
                            &Principale::RenommerLettre_Click);
    MenuSupprimerLettre = entree(MenuLettre, QStringLiteral("MenuSupprimerLettre"), QStringLiteral("Supprimer"),
                                 &Principale::MenuSupprimerLettre_Click);

    MenuCandidature = menu(QStringLiteral("MenuCandidature"));
    MenuOuvrirCand = entree(MenuCandidature, QStringLiteral("MenuOuvrirCand"), QStringLiteral("Ouvrir"),
                            &Principale::MenuOuvrirCand_Click);
    MenuRechercherOffres = entree(MenuCandidature, QStringLiteral("MenuRechercherOffres"),
                                  QStringLiteral("Rechercher des offres sur Internet"),
                                  &Principale::MenuRechercherOffres_Click);
    tiret(MenuCandidature, QStringLiteral("TR9"));
    MenuImprimerListe = entree(MenuCandidature, QStringLiteral("MenuImprimerListe"), QStringLiteral("Imprimer "),
                               &Principale::MenuImprimerListe_Click);
    MenuJustificatif = entree(MenuCandidature, QStringLiteral("MenuJustificatif"),
                              QStringLiteral("Justificatif de recherche d'emploi"), &Principale::MenuJustificatif_Click);
    tiret(MenuCandidature, QStringLiteral("TR10"));
    MenuSupprimer = entree(MenuCandidature, QStringLiteral("MenuSupprimer"), QStringLiteral("Tout supprimer"),
                           &Principale::MenuSupprimer_Click);

    MenuItemCand = menu(QStringLiteral("MenuItemCand"));
    MenuConsulterInternet = entree(MenuItemCand, QStringLiteral("MenuConsulterInternet"),
                                   QStringLiteral("Consulter l'offre sur Internet"),
                                   &Principale::MenuConsulterInternet_Click);
    MenuConsulterOrigine = entree(MenuItemCand, QStringLiteral("MenuConsulterOrigine"),
                                  QStringLiteral("Consulter le site d'origine"), &Principale::MenuConsulterOrigine_Click);
    tiret(MenuItemCand, QStringLiteral("TR6"));
    MenuPostuler = entree(MenuItemCand, QStringLiteral("MenuPostuler"), QStringLiteral("Postuler"),
                          &Principale::MenuPostuler_Click);
    tiret(MenuItemCand, QStringLiteral("TR7"));
    MenuImprimerCand = entree(MenuItemCand, QStringLiteral("MenuImprimerCand"), QStringLiteral("Imprimer"), nullptr);
    MenuImprimerCand->setEnabled(false);
    MenuSupprimerCand = entree(MenuItemCand, QStringLiteral("MenuSupprimerCand"), QStringLiteral("Supprimer"),
                               &Principale::MenuSupprimerCand_Click);

    MenuPhoto = menu(QStringLiteral("MenuPhoto"));
    RattacherPhoto = entree(MenuPhoto, QStringLiteral("RattacherPhoto"), QStringLiteral("Rattacher..."),
                            &Principale::RattacherPhoto_Click);
    CollerPhoto = entree(MenuPhoto, QStringLiteral("CollerPhoto"), QStringLiteral("Coller"), &Principale::CollerPhoto_Click);
    CollerPhoto->setEnabled(false);
    tiret(MenuPhoto, QStringLiteral("TR8"));
    SupprimerPhoto = entree(MenuPhoto, QStringLiteral("SupprimerPhoto"), QStringLiteral("Supprimer"),
                            &Principale::SupprimerPhoto_Click);

    MenuImprimer = menu(QStringLiteral("MenuImprimer"));
    PrevisualiserCV = entree(MenuImprimer, QStringLiteral("PrévisualiserCV"), QStringLiteral("Prévisualiser"),
                             &Principale::PrevisualiserCV_Click);
    ImprimerCV = entree(MenuImprimer, QStringLiteral("ImprimerCV"), QStringLiteral("Imprimer"), &Principale::ImprimerCV_Click);
    tiret(MenuImprimer, QStringLiteral("TR4"));
    MessageTrames = entree(MenuImprimer, QStringLiteral("MessageTrames"), QStringLiteral("Mise en page"),
                           &Principale::MessageTrames_Click);

    MenuLangues = menu(QStringLiteral("MenuLangues"));
    MenuFrancais = entree(MenuLangues, QStringLiteral("MenuFrancais"), QStringLiteral("Français"),
                          &Principale::MenuFrancais_Click);
    MenuAnglais = entree(MenuLangues, QStringLiteral("MenuAnglais"), QStringLiteral("Anglais"),
                         &Principale::MenuAnglais_Click);
    MenuFrancais->setCheckable(true);
    MenuAnglais->setCheckable(true);
    MenuFrancais->setChecked(true);

    MenuConvertirWord = menu(QStringLiteral("MenuConvertirWord"), QStringLiteral("Convertir au format Word"));
    MenuConvFWord = entree(MenuConvertirWord, QStringLiteral("MenuConvFWord"), QStringLiteral("Conversion du format"),
                           &Principale::MenuConvFWord_Click);
    ConsulterWord = entree(MenuConvertirWord, QStringLiteral("ConsulterWord"), QStringLiteral("Dernière version"),
                           &Principale::ConsulterWord_Click);
}

QList<QMenu*> Principale::menus() const
{
    return {MenuCV, MenuLettre, MenuCandidature, MenuItemCand, MenuPhoto, MenuImprimer, MenuLangues, MenuConvertirWord};
}

void Principale::placerFenetre(Fenetre* fenetre)
{
    QWidget* w = fenetre->widget();
    if (!w || w == this || estFenetreSuperieure(w) || w->parentWidget())
        return;
    // The window was built at its designed size; the frame takes the size that shows it whole
    // (the workspace would give it only what its layout-less content hints: a strip).
    const QSize voulue = w->size();
    QMdiSubWindow* cadre = Espace->addSubWindow(w);
    cadre->setAttribute(Qt::WA_DeleteOnClose);
    if (estBulle(w)) {
        // A pop-up only informs: no frame, and disabled it never takes the activation nor the
        // focus from the window the user works in.
        cadre->setWindowFlags(Qt::FramelessWindowHint);
        cadre->setEnabled(false);
    }
    cadre->hide();
    const QMargins bords = cadre->contentsMargins();
    cadre->resize(voulue.grownBy(QMargins(bords.left(), bords.top(), bords.right(), bords.bottom())));
    // The window shows and hides itself; its frame in the workspace follows.
    w->installEventFilter(this);
}

int Principale::largeurTwips() const { return Twips::depuisPixels(width()); }
int Principale::hauteurTwips() const { return Twips::depuisPixels(height()); }

// Load, resize, activation, unload

void Principale::MDIForm_Load()
{
    InitMenu();
    IndexIcone = -1;

    const QSize ecran = Ecran::tailleTwips();
    setGeometry(Twips::rect(0, 0, qMin(ecran.width(), 21600), ecran.height() - 400));
    Toolbar1->setFixedHeight(px(HauteurBandeau));

    // The register: count, icon and start-up ageing. A register that cannot be opened or read
    // leaves them undone; the rest of the load goes on. One that is damaged or unreadable is
    // left as it is, and the user is told where it lies; one that can only be read is counted
    // but not aged.
    auto& base = Systeme::BaseCandidatures();
    const QString registre = QDir::current().filePath(QStringLiteral("Kerval.mdb"));
    Stockage::Etat etatRegistre = Stockage::Etat::Ouverte;
    base = BaseCandidatures::ouvrir(registre, &etatRegistre);
    if (etatRegistre == Stockage::Etat::Endommagee || etatRegistre == Stockage::Etat::Illisible)
        MsgBox(BaseCandidatures::messageEndommage(registre));
    if (base) {
        const int nombre = base->nombreCandidatures();
        if (nombre == 0) {
            ImageMenu[10]->fixerGenre(Icone::Nouveau);
        } else if (nombre > 0) {
            ImageMenu[10]->fixerGenre(Icone::Candidature);
            ImageMenu[10]->setToolTip(QStringLiteral("Gérer mes candidatures"));
            NbCand->setText(QString::number(nombre));
        }
        if (nombre >= 0)
            base->vieillirStatuts(Plateforme::instance().horloge().aujourdhui());
    }
    Systeme::fermerHandlesPartages();

    const QString premier = ImageMenu[0]->toolTip();
    if (premier.contains(QLatin1String(".dat")))
        LireFichierCV(QDir::current().filePath(QStringLiteral("CV/") + premier));

    Label3->hide();
    Image6->hide();
    Image7->hide();
    Attente::pomper();
}

void Principale::LireFichierCV(const QString& chemin)
{
    const QFileInfo info(chemin);
    // A file too large for a CV is not read, as the CV editor would not open it.
    if (!info.isFile() || FichierCV::estTropGrand(chemin))
        return;
    const auto entrees = FichierControles::charger(chemin);
    if (!entrees)
        return;
    // Only the identity's plain lines name controls of this window; indexed lines name groups,
    // and this window has none.
    const QList<QLineEdit*> champs{Nom, Prenom, Adresse1, CP, Ville, Tel, Email, Fonction};
    for (const FichierControles::Entree& e : *entrees) {
        if (e.indexee)
            continue;
        for (QLineEdit* champ : champs) {
            if (champ->objectName() == e.nom) {
                QString valeur = e.valeur;
                valeur.replace(QLatin1String("\r\n"), QLatin1String("\n"));
                champ->setText(valeur);
                break;
            }
        }
    }
}

void Principale::MDIForm_Resize()
{
    Frame1->setGeometry(0, 0, width(), px(HauteurBandeau));
    Image1->setGeometry(0, 0, width(), px(HauteurBandeau));
    Logo->move(px(largeurTwips() - Twips::depuisPixels(Logo->width()) - 300), Logo->y());

    auto cadreDe = [](QWidget* w) -> QWidget* {
        QWidget* parent = w->parentWidget();
        return parent && parent->inherits("QMdiSubWindow") ? parent : w;
    };
    if (Systeme::FormeVisible(QStringLiteral("FormRédigerCV")))
        if (QWidget* w = RegistreFenetres::instance().trouver(QStringLiteral("FormRédigerCV")))
            cadreDe(w)->resize(px(largeurTwips() - 100), px(hauteurTwips() - 2100));
    if (Systeme::FormeVisible(QStringLiteral("AssistantTexte")))
        if (QWidget* w = RegistreFenetres::instance().trouver(QStringLiteral("AssistantTexte")))
            cadreDe(w)->resize(width(), px(hauteurTwips() - 1200));
    RegistreFenetres::instance().decharger(QStringLiteral("Assistant"));
}

void Principale::MDIForm_Activate() { RegistreFenetres::instance().decharger(QStringLiteral("FormStat")); }

bool Principale::MDIForm_Unload()
{
    if (dechargee_)
        return true;
    dechargee_ = true;
    RegistreFenetres& r = RegistreFenetres::instance();
    for (const char* nom : {"Assistant", "Aide", "Guide", "Depart"})
        r.decharger(QString::fromUtf8(nom));
    // The child windows close with the workspace, each saving what it has pending.
    QStringList enfants;
    for (QMdiSubWindow* cadre : Espace->subWindowList())
        if (auto* f = dynamic_cast<Fenetre*>(cadre->widget()))
            enfants << f->nomConception();
    for (const QString& nom : enfants)
        if (!fermer(nom)) {
            dechargee_ = false;
            return false;
        }
    return true;
}

void Principale::closeEvent(QCloseEvent* e)
{
    if (!MDIForm_Unload()) {
        e->ignore();
        return;
    }
    e->accept();
}

void Principale::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    MDIForm_Resize();
}

bool Principale::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        MDIForm_Activate();
    return QMainWindow::event(e);
}

bool Principale::eventFilter(QObject* objet, QEvent* e)
{
    const QEvent::Type type = e->type();
    if (type == QEvent::ShowToParent || type == QEvent::HideToParent) {
        if (auto* w = qobject_cast<QWidget*>(objet))
            if (auto* cadre = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
                cadre->setVisible(type == QEvent::ShowToParent);
        return false;
    }
    if (type == QEvent::MouseMove) {
        if (objet == Image1)
            Image1_MouseMove();
        else if (objet == Information)
            Information_MouseMove();
        else if (objet == Label2)
            Label2_MouseMove();
    } else if (type == QEvent::MouseButtonRelease) {
        if (objet == Label2) {
            Label2_MouseUp();
            return true;
        }
        if (objet == Logo) {
            Logo_Click();
            return true;
        }
    }
    return QMainWindow::eventFilter(objet, e);
}

void Principale::Logo_Click()
{
    Systeme::AuPremierPlan(&Forme<APropos>());
}

// The icon desktop

void Principale::InitMenu()
{
    File1.Path = QDir::current().filePath(QStringLiteral("CV"));
    File1.Refresh();
    QStringList aDire{illisiblesADire()};
    const int n = File1.ListCount();
    for (int i = 0; i <= 4; ++i) {
        IconeBureau* icone = ImageMenu[i];
        icone->show();
        const QString nom = File1.List(i);
        icone->setToolTip(i < n ? nom : QString());
        if (i < n) {
            if (nom.contains(QLatin1String(".docx")) || nom.contains(QLatin1String(".rtf")) ||
                nom.contains(QLatin1String(".doc")))
                icone->fixerGenre(Icone::CVWord);
            else if (nom.contains(QLatin1String(".pdf")))
                icone->fixerGenre(Icone::CVPDF);
            else
                icone->fixerGenre(Icone::CV);
        } else if (i == n) {
            icone->fixerGenre(Icone::Nouveau);
        } else {
            icone->hide();
        }
    }
    for (int i = 5; i <= 9; ++i)
        ImageMenu[i]->hide();

    File1.Path = QDir::current().filePath(QStringLiteral("Lettres"));
    File1.Refresh();
    aDire << illisiblesADire();
    const int m = File1.ListCount();
    // The desktop has five template slots; further templates get no icon.
    for (int j = 0; j < m && j < 5; ++j) {
        ImageMenu[5 + j]->show();
        ImageMenu[5 + j]->fixerGenre(Icone::Lettre);
        ImageMenu[5 + j]->setToolTip(File1.List(j));
    }
    if (m < 4) {
        ImageMenu[5 + m]->show();
        ImageMenu[5 + m]->fixerGenre(Icone::Nouveau);
        ImageMenu[5 + m]->setToolTip(QString());
    }
    for (int i = 0; i <= 9; ++i)
        ImageMenu[i]->fixerTaille(LargeurIcone, HauteurIcone);
    // The home screen counts what the desktop now shows.
    LiensFenetres::appeler(LiensFenetres::actualiserCompteursAccueil);
    // Said once the desktop is whole: the message box lets other handlers run.
    for (const QString& message : aDire)
        if (!message.isEmpty())
            MsgBox(message);
}

QString Principale::illisiblesADire()
{
    // A file the listing leaves out would vanish from the desktop without a word: the user is
    // told once of each, so that a renaming brings it back.
    QStringList nouveaux;
    for (const QString& nom : File1.illisibles())
        if (!illisiblesDits_.contains(File1.Path + u'/' + nom)) {
            illisiblesDits_.insert(File1.Path + u'/' + nom);
            nouveaux << nom;
        }
    return nouveaux.isEmpty() ? QString() : ListeFichiers::messageIllisibles(File1.Path, nouveaux);
}

void Principale::ImageMenu_MouseMove(int i)
{
    if (i < 0 || i > 10)
        return;
    if (i != IndexIcone) {
        const QString t = ImageMenu[i]->toolTip();
        if (t.isEmpty())
            Information->setText(QStringLiteral("Créer nouveau"));
        else if (i <= 4)
            Information->setText(QStringLiteral("CV : ") + t);
        else if (i <= 9)
            Information->setText(QStringLiteral("Modèle de lettre : ") + t);
        else
            Information->setText(t);
        IndexIcone = i;
        for (int k = 0; k <= 9; ++k)
            if (ImageMenu[k]->haut() != HautRepos)
                ImageMenu[k]->placer(ImageMenu[k]->gauche(), HautRepos, LargeurIcone, HauteurIcone);
        IconeBureau* registre = ImageMenu[10];
        if (i == 10) {
            if (registre->genre() == Icone::Candidature)
                registre->fixerGenre(Icone::CandidatureSel);
            registre->fixerHaut(HautSurvol);
        } else {
            ImageMenu[i]->placer(ImageMenu[i]->gauche(), HautSurvol, LargeurIcone + 30, HauteurIcone + 30);
            if (registre->genre() == Icone::CandidatureSel)
                registre->fixerGenre(Icone::Candidature);
            registre->fixerHaut(HautRepos);
        }
    }
    LiensFenetres::appeler(LiensFenetres::releverOmbreAccueil, -60);
}

void Principale::ImageMenu_MouseDown(int)
{
    // The press closes the highlight bar, which loses the focus; with the home screen's glide
    // stopped, as when the pointer is on the banner, it stays closed. Brought back at once, its
    // fade-in, which lets no event through, would hold the second press of a double-click until
    // the wait for a single click had run out, and the icon's menu would pop up instead.
    LiensFenetres::appeler(LiensFenetres::arreterGlissementAccueil);
}

void Principale::Image1_MouseMove()
{
    IndexIcone = -1;
    Image4->show();
    LiensFenetres::appeler(LiensFenetres::arreterGlissementAccueil);
    LiensFenetres::appeler(LiensFenetres::releverOmbreAccueil, -75);
}

void Principale::Information_MouseMove()
{
    Information->clear();
    IndexIcone = -1;
}

void Principale::Label2_MouseMove() { Image4->hide(); }

QMenu* Principale::preparerMenu(int i)
{
    if (i < 0 || i > 10)
        return nullptr;
    if (i == 10)
        return MenuCandidature;
    const QString t = ImageMenu[i]->toolTip();
    const bool nouveau = ImageMenu[i]->genre() == Icone::Nouveau;
    if (i <= 4) {
        MenuNouveauCV->setEnabled(nouveau);
        MenuRattacherCV->setEnabled(nouveau);
        MenuOuvrirCV->setEnabled(!nouveau);
        MenuSupprimerCV->setEnabled(!nouveau);
        Renommer->setEnabled(!nouveau);
        ListeFichiers cv;
        cv.Path = QDir::current().filePath(QStringLiteral("CV"));
        cv.Refresh();
        MenuDupliquerCV->setEnabled(!nouveau && cv.ListCount() < 5);
        const bool editeur = !nouveau && Systeme::FormeVisible(QStringLiteral("FormRédigerCV")) &&
                             t.contains(QLatin1String(".dat"));
        MenuConvertirCV->setEnabled(editeur);
        MenuImprimerCV->setEnabled(editeur);
        QString copie = t;
        copie.replace(QLatin1String(".dat"), QLatin1String(".doc"));
        MenuOuvrirWord->setEnabled(!copie.isEmpty() && QFileInfo(Systeme::DossierDocuments() + copie).isFile());
        return MenuCV;
    }
    MenuRedigerLettre->setEnabled(nouveau);
    MenuOuvrirLettre->setEnabled(!nouveau);
    MenuDuppliquerLettre->setEnabled(!nouveau);
    RenommerLettre->setEnabled(!nouveau);
    MenuSupprimerLettre->setEnabled(!nouveau);
    return MenuLettre;
}

void Principale::ImageMenu_Click(int i)
{
    QMenu* menu = preparerMenu(i);
    if (!menu)
        return;
    IndexIcone = i;
    IconeBureau* icone = ImageMenu[i];
    PopupMenu(menu, icone->parentWidget()->mapToGlobal(QPoint(icone->x(), icone->y() + icone->height())));
}

void Principale::PopupMenu(QMenu* menu, const QPoint& global)
{
    if (menu)
        menu->popup(global);
}

void Principale::PopupMenu(QMenu* menu) { PopupMenu(menu, QCursor::pos()); }

void Principale::PopupMenu(QMenu* menu, const QWidget* fenetre, const QPoint& local)
{
    PopupMenu(menu, fenetre ? fenetre->mapToGlobal(local) : local);
}

void Principale::ImageMenu_DblClick(int i)
{
    if (i == 10) {
        LiensFenetres::appeler(LiensFenetres::ouvrirRegistre);
        return;
    }
    if (i < 0 || i > 9)
        return;
    const QString t = ImageMenu[i]->toolTip();
    if (!t.isEmpty()) {
        if (i >= 5)
            LiensFenetres::appeler(LiensFenetres::chargerFichierLettre,
                                   QDir::current().filePath(QStringLiteral("Lettres/") + t));
        else
            LiensFenetres::appeler(LiensFenetres::chargerFichierCV, QDir::current().filePath(QStringLiteral("CV/") + t));
    } else if (i >= 5) {
        LiensFenetres::appeler(LiensFenetres::nouvelleLettre);
    } else {
        MenuNouveauCV_Click();
    }
}

void Principale::Label2_MouseUp()
{
    // While the highlight bar is shown the label does nothing.
    if (Systeme::FormeVisible(QStringLiteral("Assistant")))
        return;
    // The working windows close first: one that keeps its place (a CV without a name the user
    // goes back to) stays in front, and the home screen does not come up behind it.
    for (const char* nom : {"FormLettre", "FormRédigerCV", "FormCand", "Guide", "Aide"})
        if (!fermer(QString::fromUtf8(nom)))
            return;
    RegistreFenetres& r = RegistreFenetres::instance();
    r.decharger(QStringLiteral("AssistantTexte"));
    LiensFenetres::appeler(LiensFenetres::chargerAccueil);
    Attente::pomper();
    LiensFenetres::appeler(LiensFenetres::chargerBarre);
}

void Principale::RetourMenu()
{
    RegistreFenetres& r = RegistreFenetres::instance();
    r.decharger(QStringLiteral("Assistant"));
    r.decharger(QStringLiteral("AssistantTexte"));
    LiensFenetres::appeler(LiensFenetres::chargerAccueil);
}

// The language of the CV: the chosen entry carries the check mark.

void Principale::MenuFrancais_Click()
{
    MenuFrancais->setChecked(true);
    MenuAnglais->setChecked(false);
    LiensFenetres::appeler(LiensFenetres::fixerLangueCV, QStringLiteral("0"));
}

void Principale::MenuAnglais_Click()
{
    MenuAnglais->setChecked(true);
    MenuFrancais->setChecked(false);
    LiensFenetres::appeler(LiensFenetres::fixerLangueCV, QStringLiteral("1"));
}

void Principale::MenuRedigerLettre_Click() { LiensFenetres::appeler(LiensFenetres::nouvelleLettre); }

#include "shell/home/assistant.h"

#include <QApplication>
#include <QWindow>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <cmath>

#include "cveditor/formrediger_cv.h"
#include "platform/attente.h"
#include "platform/navigateur.h"
#include "platform/plateforme.h"
#include "platform/titres_x11.h"
#include "register/reports/editer_rapport.h"
#include "register/reports/rapport_html.h"
#include "register/stats/formstat.h"
#include "register/web/cadre_web.h"
#include "register/window/formcand.h"
#include "shell/dialogs/afficher_guide.h"
#include "shell/home/assistant_texte.h"
#include "shell/home/menus_accueil.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

namespace {

Principale* principale() { return RegistreFenetres::instance().siChargee<Principale>(); }

// The main window's client area in screen twips (the home screen's column lies 1200 below it).
QPointF originePrincipale()
{
    Principale* p = principale();
    return p ? QPointF(Twips::depuisPixels(p->geometry().x()), Twips::depuisPixels(p->geometry().y()))
             : QPointF(0, 0);
}

// No application yet: the desktop's register icon shows the empty-slot picture.
bool registreVide()
{
    Principale* p = principale();
    return p && p->ImageMenu[10]->genre() == Dessins::Icone::Nouveau;
}

const QString MessageRattacher =
    u"INFORMATION : Pour profiter pleinement de toutes les fonctionnalités de Kerval, génération "
    "automatique des courriers, prégénération des courriers d'accompagnement et préremplissage automatique "
    "des formulaires, il est préférable de rédiger un nouveau CV à l'aide de l'assistant, éventuellement en "
    "effectuant des Copier/Coller du CV que vous possédez déjà."_qs;
const QString GuideGestion =
    u"Pour créer une nouvelle candidature, vous pouvez effectuer un copier/coller dans la zone description, "
    "les informations détaillées s'auto-alimenteront"_qs;
const QString GuideRecherche =
    u"Positionnez-vous sur une annonce puis cliquez sur le lien 'Enregistrer cette annonce' qui apparaîtra "
    "alors ci-dessus pour la répertorier dans votre base"_qs;

FormCand& montrerRegistre()
{
    FormCand& f = Forme<FormCand>();
    Systeme::AuPremierPlan(&f);
    return f;
}

void executerCommande(MenusAccueil::Commande commande)
{
    using MenusAccueil::Commande;
    RegistreFenetres& r = RegistreFenetres::instance();
    switch (commande) {
    case Commande::Aucune:
        break;
    case Commande::ChoixCV:
        Forme<AssistantTexte>().ChoixCV();
        break;
    case Commande::NouveauCV: {
        // A fresh, empty CV, as the menu gives it: the CV shown is saved first, and one whose save
        // failed is given up only once the user has said so.
        if (!cederEditeurCV(u"Réaliser un nouveau CV"_qs))
            break;
        rechargerEditeurCV();
        FormRedigerCV& f = Forme<FormRedigerCV>();
        f.show();
        f.raise();
        f.activateWindow();
        break;
    }
    case Commande::RattacherCV: {
        Principale* p = principale();
        if (p && p->ImageMenu[0]->genre() == Dessins::Icone::Nouveau)
            MsgBox(MessageRattacher);
        Systeme::RattacherCV();
        break;
    }
    case Commande::ChoixLettre:
        Forme<AssistantTexte>().ChoixLettre();
        break;
    case Commande::NouvelleLettre:
        LiensFenetres::appeler(LiensFenetres::nouvelleLettre);
        break;
    case Commande::ChoixCand:
        Forme<AssistantTexte>().ChoixCand();
        break;
    case Commande::GestionManuelle: {
        QPointer<FormCand> f = &montrerRegistre();
        Attente::pomper();
        if (f && registreVide() && Twips::depuisPixels(f->Description->width()) > 5200) {
            Attente::dormirSansPomper(500);
            Fonctionnel::AfficherGuide(GuideGestion);
        }
        break;
    }
    case Commande::RechercheOffres: {
        QPointer<FormCand> f = &montrerRegistre();
        if (f->CadreWeb)
            f->CadreWeb->setVisible(true);
        Attente::pomper();
        if (registreVide())
            Fonctionnel::AfficherGuide(GuideRecherche);
        Principale* p = principale();
        if (f && f->CadreWeb && f->CadreWeb->WebBrowser1 && p)
            f->CadreWeb->WebBrowser1->Navigate(p->AdresseWeb->text());
        break;
    }
    case Commande::Justificatif:
        Fonctionnel::EditerRapport(RapportHtml::ActiviteRecherche);
        break;
    case Commande::Statistiques:
        OuvrirStatistiques();
        break;
    case Commande::Retour:
        r.decharger(AssistantTexte::NomConception);
        Forme<AssistantTexte>();
        break;
    }
}

} // namespace

Assistant::Assistant() : Timer1(new QTimer(this))
{
    setObjectName(NomConception);
    setWindowTitle(u"Kerval"_qs);
    marquerFenetreSuperieure(this);
    // A tool window of the main window: above the home screen, not above the other programs.
    if (Principale* p = principale())
        setParent(p);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    // Shown or clicked, it leaves the focus in the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCursor(Qt::PointingHandCursor);
    placer();
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Assistant::Timer1_Timer);
    Timer1->start();

    // The bar never holds the focus itself: it has lost it when the main window does (another
    // window or program takes the focus) and when the user presses anywhere else.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState etat) {
        if (etat != Qt::ApplicationActive)
            perdreFocus();
    });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* fenetre) {
        Principale* p = principale();
        if (!fenetre || !p || (fenetre != p->windowHandle() && fenetre != windowHandle()))
            perdreFocus();
    });
    qApp->installEventFilter(this);
}

void Assistant::placer()
{
    setGeometry(QRect(Twips::point(int(std::lround(gauche_)), int(std::lround(haut_))),
                      Twips::taille(int(std::lround(largeur_)), int(std::lround(hauteur_)))));
}

void Assistant::setLeft(double gauche)
{
    gauche_ = gauche;
    placer();
}

void Assistant::setTop(double haut)
{
    haut_ = haut;
    placer();
}

void Assistant::Form_Load()
{
    hide();
    AssistantTexte& accueil = Forme<AssistantTexte>();
    const QPointF origine = originePrincipale();
    gauche_ = accueil.Shape1->Left() + 400 + origine.x();
    haut_ = accueil.Label1[2]->Top() + 1200 + origine.y();
    placer();
    for (int i = 0; i < 3; ++i) {
        Attente::dormirSansPomper(10);
        repaint();
    }
    // The fade pumps no events.
    for (int alpha = 1; alpha <= OpaciteFinale; alpha += 10) {
        repaint();
        Attente::dormirSansPomper(40);
        Systeme::RendreTransparent(this, alpha);
        fondu_.append(alpha);
        show();
    }
}

void Assistant::Form_MouseDown()
{
    // The bar neither moves nor comes back during the click.
    if (auto* a = RegistreFenetres::instance().siChargee<AssistantTexte>())
        a->Timer1->setInterval(0);
    largeur_ -= 45;
    hauteur_ -= 45;
    haut_ += 15;
    gauche_ += 15;
    placer();
    QPointer<Assistant> moi(this);
    Attente::pomper();
    if (!moi)
        return;
    Attente::dormirSansPomper(70);
    haut_ += 15;
    gauche_ += 15;
    placer();
}

QString Assistant::libelleAligne() const
{
    auto* accueil = RegistreFenetres::instance().siChargee<AssistantTexte>();
    if (!accueil)
        return {};
    std::array<double, 10> hauts{};
    for (int i = 0; i < 10; ++i)
        hauts[size_t(i)] = accueil->Label1[size_t(i)]->Top();
    const int i = MenusAccueil::libelleAligne(haut_, hauts, originePrincipale().y());
    return i < 0 ? QString() : accueil->libelle(i);
}

void Assistant::Form_MouseUp()
{
    // A window in front of the home screen hides the caption the bar stands on: nothing is
    // carried out, the bar only closes.
    auto* accueil = RegistreFenetres::instance().siChargee<AssistantTexte>();
    if (accueil && accueil->recouverte()) {
        RegistreFenetres::instance().decharger(NomConception);
        return;
    }
    // The command may close the bar: nothing of it is used after this line.
    executer(libelleAligne());
}

void Assistant::executer(const QString& libelle)
{
    // A command that fails leaves the others and the closing to run.
    try {
        executerCommande(MenusAccueil::commande(libelle));
    } catch (...) {
    }
    if (MenusAccueil::commande(libelle) == MenusAccueil::Commande::Aucune) {
        QString icones[3];
        if (Principale* p = principale()) {
            icones[0] = p->ImageMenu[0]->toolTip();
            icones[1] = p->ImageMenu[5]->toolTip();
            icones[2] = p->ImageMenu[6]->toolTip();
        }
        const MenusAccueil::OuvertureParNom o =
            MenusAccueil::ouvertureParNom(libelle, icones[0], icones[1], icones[2]);
        try {
            if (o.cv)
                LiensFenetres::appeler(LiensFenetres::chargerFichierCV, QDir::current().filePath(*o.cv));
            if (o.lettre5)
                LiensFenetres::appeler(LiensFenetres::chargerFichierLettre, QDir::current().filePath(*o.lettre5));
            if (o.lettre6)
                LiensFenetres::appeler(LiensFenetres::chargerFichierLettre, QDir::current().filePath(*o.lettre6));
        } catch (...) {
        }
    }
    RegistreFenetres::instance().decharger(NomConception);
}

void Assistant::Form_LostFocus() { RegistreFenetres::instance().decharger(NomConception); }

void Assistant::Timer1_Timer()
{
    // The CV editor shown in front of the home screen takes the bar away; behind it, the bar
    // is the home screen's, which the user brought forward.
    const AssistantTexte* accueil = RegistreFenetres::instance().siChargee<AssistantTexte>();
    if (Systeme::FormeVisible(u"FormRédigerCV"_qs) && (!accueil || accueil->recouverte()))
        fermerPlusTard();
}

void Assistant::apresLeGestionnaire(std::function<void(Assistant&)> action)
{
    // Not from inside the handler that asks: once it is over, and only on this bar, not on one
    // that the home screen may have brought back meanwhile.
    QTimer::singleShot(0, qApp, [moi = QPointer<Assistant>(this), action = std::move(action)] {
        if (moi && RegistreFenetres::instance().siChargee<Assistant>() == moi)
            action(*moi);
    });
}

void Assistant::fermerPlusTard()
{
    apresLeGestionnaire([](Assistant&) { RegistreFenetres::instance().decharger(NomConception); });
}

void Assistant::perdreFocus()
{
    apresLeGestionnaire([](Assistant& barre) { barre.Form_LostFocus(); });
}

bool Assistant::eventFilter(QObject* objet, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::NonClientAreaMouseButtonPress) {
        auto* w = qobject_cast<QWidget*>(objet);
        if (w && w->window() != this)
            perdreFocus();
    }
    return QWidget::eventFilter(objet, e);
}

void Assistant::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    Form_MouseDown();
}

void Assistant::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    QTimer::singleShot(0, qApp, [] {
        if (auto* a = RegistreFenetres::instance().siChargee<Assistant>())
            a->Form_MouseUp();
    });
}

namespace {

// Whether the desktop composes the bar's translucency itself; asked once.
bool translucideParLeBureau()
{
    static const bool compose = compositionActive();
    return compose;
}

} // namespace

void Assistant::releverDessous()
{
    // Where the desktop does not compose translucent windows, the bar would hide the entry it
    // stands on: it draws what of the main window lies beneath it, then itself over it. The
    // main window is rendered just after the move or show, never from inside a paint event nor
    // inside Qt's own handling of the bar; and not while a resize of the main window waits to be
    // delivered, since rendering would deliver it and its handler closes the bar.
    if (translucideParLeBureau() || releveEnAttente_)
        return;
    releveEnAttente_ = true;
    QTimer::singleShot(0, this, [this] {
        releveEnAttente_ = false;
        Principale* fenetre = principale();
        if (!fenetre || !isVisible() || !fenetre->isVisible() || fenetre->testAttribute(Qt::WA_PendingResizeEvent))
            return;
        dessous_ = fenetre->grab(QRect(fenetre->mapFromGlobal(mapToGlobal(QPoint(0, 0))), size()));
        update();
    });
}

void Assistant::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    releverDessous();
}

void Assistant::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    releverDessous();
}

void Assistant::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!dessous_.isNull()) {
        p.drawPixmap(0, 0, dessous_);
        p.setOpacity(windowOpacity());
    }
    // The bar's artwork: a soft white band with an orange edge on the left.
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(0.5, QColor(220, 232, 255));
    g.setColorAt(1, QColor(170, 195, 240));
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.setBrush(g);
    p.drawRoundedRect(r, 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0x66, 0x00));
    p.drawRoundedRect(QRectF(r.left() + 4, r.top() + 8, 8, r.height() - 16), 4, 4);
}

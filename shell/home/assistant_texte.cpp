#include "shell/home/assistant_texte.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include "platform/attente.h"
#include "shell/controls/dessins.h"
#include "shell/home/assistant.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/services/fichiers_texte.h"
#include "shell/mainwindow/liste_fichiers.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

namespace {

Principale* principale() { return RegistreFenetres::instance().siChargee<Principale>(); }

// Design geometry of the menu labels (twips): Top, and whether the label is a title.
struct Place {
    double gauche, haut, largeur, hauteur;
};
constexpr Place PlacesLibelles[10] = {
    {600, 7455, 2900, 900},   // counters
    {600, 2100, 2900, 500},   // heading
    {7770, 1680, 9600, 555},  // first entry
    {7770, 2235, 9600, 400},  // its subtitle
    {7770, 4275, 9600, 400},  // second entry's subtitle
    {7770, 3720, 9600, 555},  // second entry
    {7770, 5640, 9600, 555},  // third entry
    {7770, 6210, 9600, 400},  // its subtitle
    {7770, 7440, 9600, 555},  // fourth entry
    {7770, 8010, 9600, 400},  // its subtitle
};
constexpr Place PlacesBoites[5] = {
    {3735, 4380, 915, 720}, {5250, 3270, 915, 720}, {5250, 4050, 915, 720},
    {5250, 4830, 915, 720}, {5250, 5610, 915, 720},
};

// What the design keeps between its left column or its menu and the window's edges, when the
// window is too narrow to centre it (twips).
constexpr double MargeBord = 120;

bool estTitre(int i) { return i == 2 || i == 5 || i == 6 || i == 8; }

// The widget shows "\n" where the caption holds CR LF.
QString versWidget(QString t) { return t.replace(u"\r\n"_qs, u"\n"_qs); }
QString depuisWidget(QString t) { return t.replace(u"\n"_qs, u"\r\n"_qs); }

} // namespace

AssistantTexte::AssistantTexte()
{
    setObjectName(NomConception);
    setWindowTitle(u"Kerval"_qs);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x1F, 0x4E, 0x8C));
    setPalette(pal);
    resize(Twips::taille(int(LargeurConception), 9000));
    construire();
}

void AssistantTexte::construire()
{
    const MenusAccueil::Libelles design = MenusAccueil::menuPrincipal();
    for (int i = 0; i < 10; ++i) {
        const Place& p = PlacesLibelles[i];
        auto* l = new ControleTwips(this, u"Label1_%1"_qs.arg(i), p.gauche, p.haut, p.largeur, p.hauteur);
        l->setText(design[size_t(i)]);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (i == 0) {
            l->setFont(Dessins::police(u"Arial"_qs, 9));
            l->setStyleSheet(u"color: #C8C8C8;"_qs);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        } else if (i == 1) {
            l->setFont(Dessins::police(u"Arial"_qs, 14, true));
            l->setStyleSheet(u"color: white;"_qs);
        } else if (estTitre(i)) {
            l->setFont(Dessins::police(u"Arial"_qs, 20, true));
            l->setStyleSheet(u"color: white;"_qs);
        } else {
            l->setFont(Dessins::police(u"Arial"_qs, 11));
            l->setStyleSheet(u"color: #0B1F4A;"_qs);
        }
        connect(l, &ControleTwips::survol, this, [this, i] { Label1_MouseMove(i); });
        Label1[size_t(i)] = l;
    }
    for (int k = 0; k < 5; ++k) {
        const Place& p = PlacesBoites[k];
        auto* b = new ControleTwips(this, u"Shape2_%1"_qs.arg(k), p.gauche, p.haut, p.largeur, p.hauteur);
        b->setStyleSheet(k == 0 ? u"background: #E8EEF8; border: 1px solid #0B1F4A;"_qs
                                : u"background: #C9D6EC; border: 1px solid #0B1F4A;"_qs);
        b->lower();
        Shape2[size_t(k)] = b;
    }
    Petit = new ControleTwips(this, u"Petit"_qs, 3765, 4410, 855, 135);
    Petit->setStyleSheet(u"background: #FF6600;"_qs);
    Retour = new ControleTwips(this, u"Retour"_qs, 3765, 4430, 855, 615);
    Retour->setCursor(Qt::PointingHandCursor);
    Retour->setToolTip(u"Menu principal"_qs);
    connect(Retour, &ControleTwips::clic, this, [] {
        // The click reloads this window: it runs once the click's own handling is over.
        QTimer::singleShot(0, qApp, [] {
            if (auto* a = RegistreFenetres::instance().siChargee<AssistantTexte>())
                a->Retour_Click();
        });
    });
    Shape1 = new ControleTwips(this, u"Shape1"_qs, 7200, 1500, 15, 7200);
    Shape1->setStyleSheet(u"background: rgba(255, 255, 255, 110);"_qs);
    ImageOmbre = new ControleTwips(this, u"ImageOmbre"_qs, 0, 0, LargeurConception, 165);
    ImageOmbre->setScaledContents(true);
    {
        // The shadow: dark at the top edge, fading out downward.
        QImage ombre(1, Twips::versPixels(165), QImage::Format_ARGB32_Premultiplied);
        ombre.fill(Qt::transparent);
        QPainter peintre(&ombre);
        QLinearGradient g(0, 0, 0, ombre.height());
        g.setColorAt(0, QColor(0, 0, 0, 140));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        peintre.fillRect(ombre.rect(), g);
        peintre.end();
        ImageOmbre->setPixmap(QPixmap::fromImage(ombre));
    }
    ImageOmbre->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image2 = new ControleTwips(this, u"Image2"_qs, 3735, 6600, 2430, 30);
    Image2->setStyleSheet(u"background: rgba(255, 255, 255, 90);"_qs);
    Gras = new ControleTwips(this, u"Gras"_qs, 600, 2640, 2900, 30);
    Gras->setStyleSheet(u"background: rgba(255, 255, 255, 90);"_qs);

    // The mini-map's connectors: from the main box to a spine, from the spine to each sub-menu
    // box, each with its light edge beside it.
    const double droite0 = 3735 + 915, milieu0 = 4380 + 360, epine = 4950;
    int n = 0;
    auto ligne = [&](double x1, double y1, double x2, double y2) {
        Line[size_t(n++)] = {x1, y1, x2, y2};
        Line[size_t(n++)] = {x1 + 15, y1 + 15, x2 + 15, y2 + 15};
    };
    ligne(droite0, milieu0, epine, milieu0);
    ligne(epine, 3270 + 360, epine, 5610 + 360);
    for (int k : {1, 2, 3, 4})
        if (n < 12)
            ligne(epine, PlacesBoites[k].haut + 360, 5250, PlacesBoites[k].haut + 360);

    Timer1 = new MinuterieIntervalle(this);
    connect(Timer1, &MinuterieIntervalle::Timer, this, &AssistantTexte::Timer1_Timer);
}

double AssistantTexte::Width() const { return Twips::depuisPixels(width()); }
double AssistantTexte::Height() const { return Twips::depuisPixels(height()); }

double AssistantTexte::hautPrincipale() const
{
    Principale* p = principale();
    return p ? Twips::depuisPixels(p->geometry().y()) : 0;
}

void AssistantTexte::redimensionner(double largeur, double hauteur)
{
    const QSize taille(Twips::versPixels(largeur), Twips::versPixels(hauteur));
    if (auto* cadre = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        // The home screen fills the workspace: no frame of its own.
        cadre->setWindowFlags(Qt::FramelessWindowHint);
        cadre->setGeometry(QRect(QPoint(0, 0), taille));
    }
    resize(taille);
}

MenusAccueil::Libelles AssistantTexte::libelles() const
{
    MenusAccueil::Libelles l;
    for (int i = 0; i < 10; ++i)
        l[size_t(i)] = libelle(i);
    return l;
}

QString AssistantTexte::libelle(int index) const
{
    return index >= 0 && index < 10 ? depuisWidget(Label1[size_t(index)]->text()) : QString();
}

void AssistantTexte::fixerLibelle(int index, const QString& texte)
{
    if (index >= 0 && index < 10) {
        Label1[size_t(index)]->setText(versWidget(texte));
        ajusterPolice(index);
    }
}

void AssistantTexte::ajusterPolice(int index)
{
    if (index < 2 || index > 9)
        return;
    ControleTwips* l = Label1[size_t(index)];
    QFont f = Dessins::police(u"Arial"_qs, estTitre(index) ? 20 : 11, estTitre(index));
    const int place = l->contentsRect().width();
    while (f.pointSizeF() > 8 && QFontMetrics(f).horizontalAdvance(l->text()) > place)
        f.setPointSizeF(f.pointSizeF() - 1);
    l->setFont(f);
}

void AssistantTexte::Form_Load()
{
    Principale* p = principale();
    if (p)
        redimensionner(p->largeurTwips(), p->hauteurTwips() - 1200);

    afficherCompteurs();

    // The design is 18000 twips wide: centre it on the window. A window too narrow for that
    // would push the left column past its left edge: the design then keeps that column a margin
    // from the edge, and the menu's labels end that margin short of the right edge.
    const double s = std::min((LargeurConception - Width()) / 2, PlacesLibelles[0].gauche - MargeBord);
    for (ControleTwips* c : findChildren<ControleTwips*>(Qt::FindDirectChildrenOnly))
        c->setLeft(c->Left() - s);
    for (LigneTwips& l : Line) {
        l.X1 -= s;
        l.X2 -= s;
    }
    for (int i = 2; i <= 9; ++i) {
        ControleTwips* l = Label1[size_t(i)];
        l->setWidth(std::min(PlacesLibelles[i].largeur, Width() - l->Left() - MargeBord));
        ajusterPolice(i);
    }

    fond_ = QPixmap::fromImage(FichiersTexte::lireImage(QDir::current().filePath(u"Fondr.jpg"_qs)));
    fondAjuste_ = QPixmap();

    ImageOmbre->setWidth(Width());
    ImageOmbre->setLeft(0);

    if (!glisserColonne())
        return;

    HautMiniature = int(Shape2[0]->Top()) + 30;
    PositionCible = Label1[2]->Top() + 1200 + hautPrincipale();
    Timer1->setInterval(IntervalleGlissement);
}

bool AssistantTexte::glisserColonne()
{
    const double x = Label1[2]->Left();
    for (int i = 2; i <= 9; ++i)
        Label1[size_t(i)]->setLeft(30000);
    show();
    if (parentWidget())
        parentWidget()->show();
    // The events let run here may close the main window, and this window with it.
    const QPointer<AssistantTexte> moi(this);
    Attente::pomper();
    if (!moi)
        return false;
    // No events are pumped while the labels slide: each step is painted at once.
    double d = Width();
    while (d > 0) {
        d = d / 1.5;
        if (d < 30)
            d = 0;
        for (int i = 2; i <= 9; ++i)
            Label1[size_t(i)]->setLeft(x + d);
        repaint();
        Attente::dormirSansPomper(10);
    }
    return true;
}

void AssistantTexte::afficherCompteurs()
{
    // Both folders are listed afresh: the main window's listing may have been pointed elsewhere
    // since the desktop was built (the letter editor lists the CVs through it).
    auto nombre = [](const QString& dossier) {
        ListeFichiers liste;
        liste.Path = QDir::current().filePath(dossier);
        liste.Refresh();
        return liste.ListCount();
    };
    Principale* p = principale();
    fixerLibelle(0, MenusAccueil::compteurs(nombre(u"CV"_qs), nombre(u"Lettres"_qs), p ? p->NbCand->text() : u"0"_qs));
}

void AssistantTexte::sousMenu(MenusAccueil::SousMenu menu, int boite)
{
    Timer1->setInterval(0);
    RegistreFenetres::instance().decharger(u"Assistant"_qs);

    QString icones[3];
    if (Principale* p = principale()) {
        icones[0] = p->ImageMenu[0]->toolTip();
        icones[1] = p->ImageMenu[5]->toolTip();
        icones[2] = p->ImageMenu[6]->toolTip();
    }
    const MenusAccueil::Libelles l = MenusAccueil::sousMenu(menu, libelles(), icones[0], icones[1], icones[2]);
    for (int i = 0; i < 10; ++i)
        fixerLibelle(i, l[size_t(i)]);

    if (!glisserColonne())
        return;
    DernierIndex = 0;
    HautMiniature = int(Shape2[size_t(boite)]->Top()) + 30;
    Petit->setLeft(Shape2[1]->Left() + 30);
    Petit->setTop(HautMiniature);
    Timer1->setInterval(IntervalleGlissement);
}

void AssistantTexte::ChoixCV() { sousMenu(MenusAccueil::SousMenu::CV, 1); }
void AssistantTexte::ChoixLettre() { sousMenu(MenusAccueil::SousMenu::Lettre, 2); }
void AssistantTexte::ChoixCand() { sousMenu(MenusAccueil::SousMenu::Candidatures, 3); }

void AssistantTexte::Label1_MouseMove(int index)
{
    if (index < 0 || index > 9)
        return;
    ControleTwips* l = Label1[size_t(index)];
    const bool libelle = !l->text().isEmpty();
    // Labels 0 and 1 move the marker, never the bar.
    if (libelle && index > 1)
        PositionCible = l->Top() + 1200 + hautPrincipale();
    if (index != DernierIndex && libelle) {
        Petit->setTop(l->Top() / 12 + HautMiniature - 120);
        DernierIndex = index;
    }
}

void AssistantTexte::Form_MouseMove()
{
    // The strips of this window that a working window leaves in sight restart nothing.
    if (!Systeme::FormeVisible(u"FormStat"_qs) && !recouverte())
        Timer1->setInterval(IntervalleGlissement);
    if (ImageOmbre->Top() < 0)
        ImageOmbre->setTop(ImageOmbre->Top() + 5);
}

void AssistantTexte::releverOmbre(int limite)
{
    if (ImageOmbre->Top() > limite)
        ImageOmbre->setTop(ImageOmbre->Top() - 5);
}

bool AssistantTexte::recouverte() const
{
    auto* cadre = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!cadre || !cadre->mdiArea())
        return false;
    // Topmost last. A pop-up of the workspace (the help panel) only informs, and a minimised
    // window covers nothing of this one.
    const QList<QMdiSubWindow*> pile = cadre->mdiArea()->subWindowList(QMdiArea::StackingOrder);
    for (qsizetype i = pile.indexOf(cadre) + 1; i < pile.size(); ++i) {
        const QMdiSubWindow* devant = pile[i];
        if (devant != cadre && devant->isVisible() && !devant->isMinimized() && devant->widget()
            && !estBulle(devant->widget()))
            return true;
    }
    return false;
}

void AssistantTexte::Retour_Click()
{
    // This window goes away here: nothing of it is used afterwards.
    if (Principale* p = principale()) {
        p->RetourMenu();
        return;
    }
    RegistreFenetres::instance().decharger(u"Assistant"_qs);
    RegistreFenetres::instance().decharger(NomConception);
    Forme<AssistantTexte>();
}

void AssistantTexte::Timer1_Timer()
{
    if (Timer1->Interval() == 0)
        return;
    // A window came in front without being activated (or the glide was restarted behind it): the
    // glide stops and the bar goes, as when a working window is activated.
    if (recouverte()) {
        Timer1->setInterval(0);
        RegistreFenetres::instance().decharger(u"Assistant"_qs);
        return;
    }
    // Touching the bar brings it back when it was closed (it fades in beside label 2).
    Assistant& barre = Forme<Assistant>();
    barre.setTop(MenusAccueil::pasGlissement(barre.Top(), PositionCible));
}

void AssistantTexte::paintEvent(QPaintEvent* e)
{
    QWidget::paintEvent(e);
    QPainter peintre(this);
    if (!fond_.isNull()) {
        // The picture covers the whole window whatever its size: scaled until it fills both
        // ways, its proportions kept, what passes the right or bottom edge left out.
        if (fondAjuste_.size() != size() || fondAjuste_.isNull()) {
            const QPixmap echelle = fond_.scaled(size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
            fondAjuste_ = echelle.copy(QRect(QPoint(0, 0), size()));
        }
        peintre.drawPixmap(0, 0, fondAjuste_);
    }
    peintre.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 12; ++i) {
        const LigneTwips& l = Line[size_t(i)];
        if (l.X1 == 0 && l.X2 == 0 && l.Y1 == 0 && l.Y2 == 0)
            continue;
        peintre.setPen(QPen(i % 2 ? QColor(255, 255, 255, 70) : QColor(0x0B, 0x1F, 0x4A), 1));
        peintre.drawLine(QPointF(l.X1 / Twips::ParPixel, l.Y1 / Twips::ParPixel),
                         QPointF(l.X2 / Twips::ParPixel, l.Y2 / Twips::ParPixel));
    }
}

void AssistantTexte::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    QWidget::mouseMoveEvent(e);
}

void installerLiensAccueil()
{
    LiensFenetres::chargerAccueil = [] { Forme<AssistantTexte>(); };
    LiensFenetres::chargerBarre = [] { Forme<Assistant>(); };
    // Stopping the glide of a home screen that is not loaded has nothing to stop.
    LiensFenetres::arreterGlissementAccueil = [] {
        if (auto* a = RegistreFenetres::instance().siChargee<AssistantTexte>())
            a->Timer1->setInterval(0);
    };
    // Only while the home screen is the window in front: a working window opened meanwhile
    // (the statistics stay open beside it) would otherwise get the bar back over it at every
    // step of the glide.
    LiensFenetres::relancerGlissementAccueil = [] {
        auto* a = RegistreFenetres::instance().siChargee<AssistantTexte>();
        if (a && !a->recouverte())
            a->Timer1->setInterval(AssistantTexte::IntervalleGlissement);
    };
    LiensFenetres::actualiserCompteursAccueil = [] {
        if (auto* a = RegistreFenetres::instance().siChargee<AssistantTexte>())
            a->afficherCompteurs();
    };
    LiensFenetres::releverOmbreAccueil = [](int limite) {
        if (auto* a = RegistreFenetres::instance().siChargee<AssistantTexte>())
            a->releverOmbre(limite);
    };
    LiensFenetres::ancrageAPropos = []() -> std::optional<QPoint> {
        auto* a = RegistreFenetres::instance().siChargee<AssistantTexte>();
        if (!a)
            return std::nullopt;
        return QPoint(int(a->Shape1->Left()), int(a->Label1[1]->Top()));
    };
}

#include "register/web/cadre_web.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "platform/attente.h"
#include "platform/navigateur.h"
#include "register/web/liste_sites.h"
#include "register/window/form_disposition.h"
#include "shell/services/fichiers_texte.h"
#include "register/window/form_liens.h"

using namespace Disposition;

namespace {
constexpr int HautNavigateur = 330;   // the browser frame covers the capture bar
constexpr int HautBarreCapture = 660; // lowered, it uncovers it
} // namespace

CadreWeb::CadreWeb(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    Precedent = image(u"Precedent"_qs, u"◄"_qs, u"Page précédente"_qs);
    Suivant = image(u"Suivant"_qs, u"►"_qs, u"Page suivante"_qs);
    AdresseWeb = new QLineEdit(this);
    AdresseWeb->setObjectName(u"AdresseWeb"_qs);
    AdresseWeb->setMaxLength(1 << 20);
    AdresseWeb->installEventFilter(this);
    Image6 = image(u"Image6"_qs, u"▼"_qs, u"Sites d'emploi"_qs);
    Go = image(u"Go"_qs, u"OK"_qs, u"Aller à l'adresse"_qs);
    Image4 = image(u"Image4"_qs, u"⌂"_qs, u"Page des offres"_qs);
    Image5 = image(u"Image5"_qs, u"▾"_qs, u"Afficher la barre de capture"_qs);
    Label3 = new QLabel(u"Rapatrier la fenêtre"_qs, this);
    Label3->setObjectName(u"Label3"_qs);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setStyleSheet(u"color: #c05000; font-weight: bold; text-decoration: underline;"_qs);
    Label3->installEventFilter(this);
    Label3->hide();
    Text1 = new QLineEdit(this);
    Text1->setObjectName(u"Text1"_qs);
    Text1->hide();

    FrameWeb = new QFrame(this);
    FrameWeb->setObjectName(u"FrameWeb"_qs);
    FrameWeb->setFrameShape(QFrame::Box);
    WebBrowser1 = Navigateur::creer(FrameWeb);
    WebBrowser1->setObjectName(u"WebBrowser1"_qs);

    List1 = new QListWidget(this);
    List1->setObjectName(u"List1"_qs);
    List1->setFocusPolicy(Qt::NoFocus);
    List1->hide();
    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });

    disposer(9600, 9700);
}

CadreWeb::~CadreWeb() = default;

QLabel* CadreWeb::image(const QString& nom, const QString& symbole, const QString& bulle)
{
    auto* i = new QLabel(symbole, this);
    i->setObjectName(nom);
    i->setToolTip(bulle);
    i->setAlignment(Qt::AlignCenter);
    i->setCursor(Qt::PointingHandCursor);
    i->setStyleSheet(u"QLabel { color: #1f4e96; font-weight: bold; }"_qs);
    i->installEventFilter(this);
    return i;
}

void CadreWeb::disposer(int l, int h)
{
    placer(Precedent, 60, 30, 270, 270);
    placer(Suivant, 360, 30, 270, 270);
    const int largeurAdresse = std::max(600, l - 720 - 300 - 450 - 300 - 300 - 1700 - 120);
    placer(AdresseWeb, 690, 30, largeurAdresse, 270);
    int g = 690 + largeurAdresse;
    placer(Image6, g, 30, 270, 270);
    g += 300;
    placer(Go, g, 30, 420, 270);
    g += 450;
    placer(Image4, g, 30, 270, 270);
    g += 300;
    placer(Image5, g, 30, 270, 270);
    g += 300;
    placer(Label3, g + 60, 30, 1700, 270);
    placer(List1, 690, 300, 5400, 4500);

    // Every resize moves the browser frame back up over the capture bar.
    placer(FrameWeb, 0, HautNavigateur, l - 50, h - HautNavigateur - 50);
    placer(WebBrowser1, 0, 0, l, hauteur(FrameWeb) - 0);
}

void CadreWeb::ChargerListeSites()
{
    List1->clear();
    List1->addItems(ListeSites::charger(QDir::currentPath()));
}

void CadreWeb::Naviguer(const QString& adresse) { WebBrowser1->Navigate(adresse); }

QString CadreWeb::LocationURL() const { return WebBrowser1->LocationURL(); }

void CadreWeb::Go_Click() { Naviguer(AdresseWeb->text()); }

void CadreWeb::AdresseWeb_KeyDown(int touche)
{
    if (touche != Qt::Key_Return && touche != Qt::Key_Enter)
        return;
    QWidget* fenetre = window();
    fenetre->setCursor(Qt::WaitCursor);
    Naviguer(AdresseWeb->text());
    fenetre->unsetCursor();
}

// With no page to go to, the page stays as it is.
void CadreWeb::Precedent_Click() { WebBrowser1->GoBack(); }

void CadreWeb::Suivant_Click() { WebBrowser1->GoForward(); }

void CadreWeb::Image4_Click()
{
    AdresseWeb->setText(FormCandLiens::adresseOffres());
    Naviguer(AdresseWeb->text());
}

void CadreWeb::Image5_Click()
{
    // The frame slides down, uncovering the capture bar.
    while (haut(FrameWeb) < HautBarreCapture) {
        fixerHaut(FrameWeb, haut(FrameWeb) + 15);
        Attente::dormir(20);
    }
    fixerHaut(FrameWeb, HautBarreCapture);
}

void CadreWeb::Image6_Click()
{
    List1->setVisible(List1->isHidden());
    if (gauche(List1) + largeur(List1) > largeur(this))
        fixerGauche(List1, largeur(this) - largeur(List1));
    List1->raise();
    AdresseWeb->setFocus();
}

void CadreWeb::AdresseWeb_LostFocus() { List1->hide(); }

void CadreWeb::List1_Click()
{
    if (QListWidgetItem* choix = List1->currentItem()) {
        // A row of a hand-edited file without an address leaves the address box as it was.
        const QString adresse = ListeSites::adresseDeLigne(choix->text());
        if (!adresse.isEmpty())
            AdresseWeb->setText(adresse);
        List1->hide();
    }
    Naviguer(AdresseWeb->text());
}

void CadreWeb::Label3_Click()
{
    AdresseWeb->setText(Text1->text());
    Naviguer(AdresseWeb->text());
    DerniereAdresseRapatriee = Text1->text();
}

bool CadreWeb::eventFilter(QObject* objet, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        if (objet == Go)
            Go_Click();
        else if (objet == Precedent)
            Precedent_Click();
        else if (objet == Suivant)
            Suivant_Click();
        else if (objet == Image4)
            Image4_Click();
        else if (objet == Image5)
            Image5_Click();
        else if (objet == Image6)
            Image6_Click();
        else if (objet == Label3)
            Label3_Click();
    } else if (e->type() == QEvent::KeyPress && objet == AdresseWeb) {
        AdresseWeb_KeyDown(static_cast<QKeyEvent*>(e)->key());
    } else if (e->type() == QEvent::FocusOut && objet == AdresseWeb) {
        AdresseWeb_LostFocus();
    }
    return QFrame::eventFilter(objet, e);
}

bool CadreWeb::ActualiserListeSites(int delaiMs)
{
    Attente::pomper();
    Naviguer(FormCandLiens::adresseOffres() + u"listesites.htm"_qs);
    QElapsedTimer chrono;
    chrono.start();
    while (WebBrowser1->ReadyState() != 4) {
        if (chrono.elapsed() > delaiMs)
            return false;
        Attente::dormir(50);
    }
    // One board a line: the page lists them as "label address/ label address/ ...".
    QString texte = WebBrowser1->innerText();
    texte.replace(u"/ "_qs, u"/\r\n"_qs);
    texte.replace(u" "_qs, u"   \t"_qs);
    return FichiersTexte::ecrire(ListeSites::nomFichier(), texte + u"\r\n"_qs);
}

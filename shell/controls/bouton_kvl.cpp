#include "shell/controls/bouton_kvl.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/attente.h"
#include "shell/controls/activable.h"
#include "shell/services/twips.h"

namespace Webdings {

QString versUnicode(const QString& texte)
{
    QString r;
    for (QChar c : texte) {
        switch (c.unicode()) {
        case 'a': r += QChar(0x2713); break; // tick
        case 'r': r += QChar(0x2717); break; // cross
        case '2': r += QChar(0x270E); break; // a new page being written
        case '3': r += QChar(0x25C4); break; // left
        case '4': r += QChar(0x25BA); break; // right
        case '5': r += QChar(0x25B2); break; // up
        case '6': r += QChar(0x25BC); break; // down
        case '7': r += QChar(0x00AB); break; // first
        case '8': r += QChar(0x00BB); break; // last
        case 'i': r += QChar(0x2139); break; // information
        case 'x': r += QChar(0x2715); break; // close
        case 'q': r += QChar(0x21BA); break; // again
        default: r += c; break;
        }
    }
    return r;
}

} // namespace Webdings

namespace {

QFont arial(double points, bool gras = false) { return Dessins::police(QStringLiteral("Arial"), points, gras); }

void couleurTexte(QLabel* l, QColor c)
{
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
}

int px(int twips) { return Twips::versPixels(twips); }

void placerEnTwips(QWidget* w, const QRect& twips)
{
    w->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
}

// Characters that never make a one-character caption a symbol.
bool jamaisSymbole(QChar c)
{
    return QStringLiteral("NS<>+-").contains(c);
}

const QColor CouleurLibelle(36, 52, 92);

} // namespace

BoutonKVL::BoutonKVL(QWidget* parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    // Tab reaches the button and Space or Enter presses it; a click leaves the focus where it is.
    setFocusPolicy(Qt::TabFocus);
    Activable::suivreFocus(this);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setFont(arial(8.25));
    couleurTexte(Label1, CouleurLibelle);
    Label1->setMouseTracking(true);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3->setFont(arial(8.25));
    couleurTexte(Label3, QColor(192, 64, 0));
    Label3->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label3->hide();

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont symboles = arial(9.75);
    Label2->setFont(symboles);
    couleurTexte(Label2, couleurSymbole_);
    Label2->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label2->setGeometry(Twips::rect(75, 15, 165, 255));
    symbole_ = QStringLiteral("a");
    Label2->setText(Webdings::versUnicode(symbole_));
    Label2->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &BoutonKVL::Timer1_Timer);

    resize(Twips::taille(1200, 300));
    placerLibelle();
}

BoutonKVL::BoutonKVL(const QString& libelle, const QRect& twips, QWidget* parent)
    : BoutonKVL(parent)
{
    placer(twips);
    UserControl_ReadProperties({{QStringLiteral("Libelle"), libelle}});
}

void BoutonKVL::placer(const QRect& twips)
{
    largeurTwips_ = twips.width();
    placerEnTwips(this, twips);
    UserControl_Resize();
}

void BoutonKVL::setLibelle(const QString& libelle)
{
    libelle_ = libelle;
    afficherLibelle();
    emit libelleModifie();
}

void BoutonKVL::afficherLibelle()
{
    Label1->setText(modeSymbole_ ? Webdings::versUnicode(libelle_) : libelle_);
    Label3->setText(libelle_);
}

void BoutonKVL::UserControl_ReadProperties(const QVariantMap& proprietes)
{
    libelle_ = proprietes.value(QStringLiteral("Libelle"), QString()).toString();
    afficherLibelle();

    symbole_.clear();
    const QColor vert(0, 192, 0), rouge(192, 0, 0);
    static const QStringList valider{QStringLiteral("Ok"), QStringLiteral("Synchroniser"), QStringLiteral("Valider"),
                                     QStringLiteral("Appliquer")};
    static const QStringList refuser{QStringLiteral("Annuler"), QStringLiteral("Supprimer")};
    if (valider.contains(libelle_)) {
        symbole_ = QStringLiteral("a");
        couleurSymbole_ = vert;
    } else if (refuser.contains(libelle_)) {
        symbole_ = QStringLiteral("r");
        couleurSymbole_ = rouge;
    }
    if (libelle_.contains(QLatin1String("Nouve"))) {
        symbole_ = QStringLiteral("2");
        couleurSymbole_ = QColor(68, 100, 140);
    }
    Label2->setText(Webdings::versUnicode(symbole_));
    couleurTexte(Label2, couleurSymbole_);

    const int largeur = largeurTwips();
    Label2->setVisible(largeur > 130 * libelle_.size() && largeur > 1000);
    UserControl_Resize();
}

QVariantMap BoutonKVL::UserControl_WriteProperties() const
{
    QVariantMap m;
    if (!libelle_.isEmpty())
        m.insert(QStringLiteral("Libelle"), libelle_);
    return m;
}

int BoutonKVL::largeurTwips() const
{
    return Twips::versPixels(largeurTwips_) == width() ? largeurTwips_ : Twips::depuisPixels(width());
}

bool BoutonKVL::symboleVisible() const { return !Label2->isHidden(); }

void BoutonKVL::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (!redimensionnement_)
        UserControl_Resize();
}

void BoutonKVL::UserControl_Resize()
{
    redimensionnement_ = true;
    modeSymbole_ = libelle_.size() == 1 && !jamaisSymbole(libelle_.at(0));
    if (modeSymbole_) {
        if (height() != px(615))
            resize(width(), px(615));
        QFont f = Label1->font();
        f.setPointSizeF(18);
        Label1->setFont(f);
        hautLabel1Design_ = 600;
        hautLabel1_ = 90;
        couleurTexte(Label1, CouleurLibelle);
    } else {
        if (height() != px(300))
            resize(width(), px(300));
    }
    redimensionnement_ = false;
    afficherLibelle();
    placerLibelle();
    update();
}

void BoutonKVL::placerLibelle()
{
    const int largeur = largeurTwips() - 60;
    Label1->setGeometry(Twips::rect(15, hautLabel1_, largeur, hautLabel1Design_));
    Label3->setGeometry(Twips::rect(15, 45, largeur, 225));
}

void BoutonKVL::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!Timer1->isActive())
        Timer1->start(200);
}

void BoutonKVL::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int h = height();
    const int bord = px(30);
    p.drawImage(QRect(0, 0, bord, h), Dessins::bordGauche());
    p.drawImage(QRect(bord, 0, qMax(0, width() - 2 * bord), h), Dessins::etapeBouton(etape_));
    p.drawImage(QRect(width() - bord, 0, bord, h), Dessins::bordDroit());
}

void BoutonKVL::fixerEtape(Etape e)
{
    if (etape_ == e)
        return;
    etape_ = e;
    update();
}

void BoutonKVL::Timer1_Timer()
{
    // Each step lands on a stage tested earlier, so at most one step is taken per tick.
    if (etape_ == Etape::Bleuo)
        fixerEtape(Etape::Bleu);
    if (etape_ == Etape::BleuOO)
        fixerEtape(Etape::Bleuo);
    if (etape_ == Etape::Orange)
        fixerEtape(Etape::BleuOO);
}

bool BoutonKVL::eventFilter(QObject* objet, QEvent* e)
{
    if (objet != Label1)
        return QWidget::eventFilter(objet, e);
    switch (e->type()) {
    case QEvent::MouseMove:
        Label1_MouseMove();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        Label1_MouseDown();
        return true;
    case QEvent::MouseButtonRelease:
        Label1_MouseUp();
        return true;
    default:
        return QWidget::eventFilter(objet, e);
    }
}

void BoutonKVL::keyPressEvent(QKeyEvent* e)
{
    if (!Activable::estToucheAction(e)) {
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
    // Pressed and released as by the mouse: the same orange caption and hourglass while Click runs.
    Label1_MouseDown();
    Label1_MouseUp();
}

void BoutonKVL::Label1_MouseMove()
{
    fixerEtape(Etape::Orange);
    QPointer<BoutonKVL> moi(this);
    emit Mousemouve();
    if (moi)
        Attente::dormirSansPomper(10);
}

void BoutonKVL::Label1_MouseDown()
{
    if (hautLabel1_ == 45) {
        hautLabel1_ = 60;
        placerLibelle();
    }
    fixerEtape(Etape::Orange);
}

void BoutonKVL::Label1_MouseUp()
{
    Timer1->start(200);
    if (hautLabel1_ == 60) {
        hautLabel1_ = 45;
        placerLibelle();
    }
    Label1->setCursor(Qt::WaitCursor);
    setCursor(Qt::WaitCursor);
    Label1->hide();
    Label3->show();
    enClic_ = true;

    QPointer<BoutonKVL> moi(this);
    emit Click();
    if (!moi)
        return; // the handler closed the button's window

    enClic_ = false;
    Label1->show();
    Label3->hide();
    Label1->setCursor(Qt::PointingHandCursor);
    setCursor(Qt::PointingHandCursor);
}

// CadreBleu

CadreBleu::CadreBleu(QWidget* parent)
    : QWidget(parent)
{
    Libelle = new QLabel(this);
    Libelle->setObjectName(QStringLiteral("Libelle"));
    Libelle->setFont(arial(9, true));
    couleurTexte(Libelle, QColor(0, 192, 0));
    Libelle->setGeometry(Twips::rect(75, 60, 3570, 270));
    resize(Twips::taille(3800, 2000));
}

CadreBleu::CadreBleu(const QString& titre, const QRect& twips, QWidget* parent)
    : CadreBleu(parent)
{
    placer(twips);
    UserControl_ReadProperties({{QStringLiteral("Text"), titre}});
}

void CadreBleu::placer(const QRect& twips)
{
    placerEnTwips(this, twips);
    UserControl_Resize();
}

QString CadreBleu::Text() const { return Libelle->text(); }

void CadreBleu::setText(const QString& titre)
{
    Libelle->setText(titre);
    emit texteModifie();
}

void CadreBleu::UserControl_ReadProperties(const QVariantMap& proprietes)
{
    Libelle->setText(proprietes.value(QStringLiteral("Text"), QString()).toString());
}

QVariantMap CadreBleu::UserControl_WriteProperties() const
{
    QVariantMap m;
    if (!Text().isEmpty())
        m.insert(QStringLiteral("Text"), Text());
    return m;
}

void CadreBleu::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    UserControl_Resize();
}

void CadreBleu::UserControl_Resize()
{
    const int largeur = Twips::depuisPixels(width());
    Libelle->setGeometry(Twips::rect(75, 60, qMax(0, largeur - 100), 270));
}

void CadreBleu::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int l = Twips::depuisPixels(width()), h = Twips::depuisPixels(height());
    p.drawImage(Twips::rect(30, 30, qMax(0, l - 80), qMax(0, h - 80)), Dessins::fondCadreBleu());
    p.setPen(QColor(0x52, 0x7B, 0xCB));
    p.setBrush(Qt::NoBrush);
    const QRect cadre = Twips::rect(0, 0, qMax(0, l - 15), qMax(0, h - 15));
    p.drawRect(cadre.adjusted(0, 0, -1, -1));
}

// NouveauCadre

NouveauCadre::NouveauCadre(QWidget* parent)
    : QWidget(parent)
{
    resize(Twips::taille(3800, 2000));
}

NouveauCadre::NouveauCadre(const QRect& twips, QWidget* parent)
    : NouveauCadre(parent)
{
    placer(twips);
}

void NouveauCadre::placer(const QRect& twips)
{
    placerEnTwips(this, twips);
    UserControl_Resize();
}

QRect NouveauCadre::rectFond() const
{
    return {30, 255, qMax(0, Twips::depuisPixels(width()) - 75), hauteurFond_};
}

void NouveauCadre::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    UserControl_Resize();
}

void NouveauCadre::UserControl_Resize()
{
    const int hauteur = Twips::depuisPixels(height()) - 255 - 45;
    if (hauteur > 0)
        hauteurFond_ = hauteur;
    update();
}

void NouveauCadre::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int l = Twips::depuisPixels(width()), h = Twips::depuisPixels(height());
    const QRect fond = rectFond();
    p.drawImage(Twips::rect(fond.x(), fond.y(), fond.width(), fond.height()), Dessins::fondNouveauCadre());
    p.drawImage(Twips::rect(30, 15, qMax(0, l - 75), 315), Dessins::enteteNouveauCadre());
    p.setPen(QColor(0x52, 0x7B, 0xCB));
    p.setBrush(Qt::NoBrush);
    p.drawRect(Twips::rect(0, 0, qMax(0, l - 15), qMax(0, h - 15)).adjusted(0, 0, -1, -1));
}

#include "register/window/formcand.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextDocument>
#include <QScopedValueRollback>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>

#include "platform/attente.h"
#include "platform/plateforme.h"
#include "register/capture/analyseur_annonce.h"
#include "register/capture/capture_annonce.h"
#include "register/capture/vocabulaire_annonce.h"
#include "register/store/base_candidatures.h"
#include "register/window/logique_arbre.h"
#include "register/window/logique_fiche.h"
#include "register/window/logique_statuts.h"
#include "register/web/cadre_web.h"
#include "register/window/form_disposition.h"
#include "register/window/form_liens.h"
#include "shell/controls/bouton_kvl.h"
#include "shell/controls/activable.h"
#include "shell/controls/zone_texte.h"
#include "shell/services/fonctionnel.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

using namespace Disposition;

namespace {

const QString CleIndex = u"index"_qs;
constexpr int RoleCle = Qt::UserRole + 1;
constexpr int RoleFeuille = Qt::UserRole + 2;

// The designed layout, twips. The tree's panel on the left, the detail panel beside it.
constexpr int GaucheListe = 60;
constexpr int LargeurListe = 5400;
constexpr int HautListe = 585;        // the tree's Top inside its panel
constexpr int HauteurRecherche = 700; // the frame of the two search labels under the tree
constexpr int GaucheDetail = GaucheListe + LargeurListe + 60;
constexpr int GaucheEtiquette = 180;
constexpr int LargeurEtiquette = 1650;
constexpr int GaucheChamp = 1860;     // the snapshot takes the fields standing here
constexpr int LargeurChamp = 3000;
constexpr int GaucheDroite = 3720;    // second field of a line
constexpr int LargeurDroite = 1140;
constexpr int HauteurChamp = 300;
constexpr int HautRemarques = 7365;
constexpr int HautDescription = 720;
constexpr int GaucheDescription = 5160;
constexpr int HautImagesDescription = 405; // "Analyser" and "Postuler", beside the caption

QFont policeFenetre(int points = 8, bool gras = false)
{
    QFont f(u"Arial"_qs);
    f.setPointSize(points);
    f.setBold(gras);
    return f;
}

QString versCrLf(QString t)
{
    t.replace(u"\r\n"_qs, u"\n"_qs);
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), u"\r\n"_qs);
    return t;
}

QString versWidget(QString t)
{
    t.replace(u"\r\n"_qs, u"\n"_qs);
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace

FormCand::FormCand()
{
    setObjectName(NomConception);
    setWindowTitle(u"Gestion des candidatures"_qs);
    setFont(policeFenetre());
    construire();
}

FormCand::~FormCand() = default;

// ------------------------------------------------------------------------------------------
// Construction

void FormCand::construire()
{
    construireListe();
    construireDetail();
    CadreWeb = new ::CadreWeb(this);
    CadreWeb->setObjectName(u"CadreWeb"_qs);
    CadreWeb->hide();
    Capture = new CaptureAnnonce(*this);
    placerLegendeDescription();

    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &FormCand::Timer1_Timer);
    Timer2 = new QTimer(this);
    Timer2->setInterval(3000);
    connect(Timer2, &QTimer::timeout, this, &FormCand::Timer2_Timer);

    placer(this, 0, 0, 15260, 9820);
}

QLabel* FormCand::etiquette(QWidget* parent, const QString& texte, int g, int h, int l)
{
    auto* e = new QLabel(texte, parent);
    e->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    placer(e, g, h, l, HauteurChamp);
    return e;
}

QLabel* FormCand::image(QWidget* parent, const QString& nom, const QString& symbole, int g, int h)
{
    auto* i = new QLabel(symbole, parent);
    i->setObjectName(nom);
    i->setAlignment(Qt::AlignCenter);
    i->setCursor(Qt::PointingHandCursor);
    i->setMouseTracking(true);
    i->installEventFilter(this);
    placer(i, g, h, 270, 270);
    return i;
}

QLineEdit* FormCand::ligne(QWidget* parent, const QString& nom, int g, int h, int l)
{
    auto* c = new QLineEdit(parent);
    c->setObjectName(nom);
    c->setMaxLength(1 << 30);
    c->installEventFilter(this);
    placer(c, g, h, l, HauteurChamp);
    champs_.insert(nom, c);
    return c;
}

QPlainTextEdit* FormCand::zone(QWidget* parent, const QString& nom, int g, int h, int l, int ht, QFrame** forme)
{
    // A multi-line field; with a frame shape drawn around it rather than its own border.
    if (forme) {
        *forme = new QFrame(parent);
        (*forme)->setFrameShape(QFrame::Box);
        (*forme)->setStyleSheet(u"color: #9bb4d8;"_qs);
    }
    auto* z = new ZoneTexte(parent);
    z->setObjectName(nom);
    if (forme)
        z->setFrameShape(QFrame::NoFrame);
    placer(z, g, h, l, ht);
    champs_.insert(nom, z);
    return z;
}

void FormCand::construireListe()
{
    CadreListe = new QFrame(this);
    CadreListe->setObjectName(u"CadreListe"_qs);
    CadreListe->setFrameShape(QFrame::StyledPanel);
    placer(CadreListe, GaucheListe, 60, LargeurListe, 9700);

    ImageBouton = new QLabel(CadreListe);
    ImageBouton->setObjectName(u"ImageBouton"_qs);
    ImageBouton->setStyleSheet(u"background: #ffe2c4; border: 1px solid #f0a050; border-radius: 5px;"_qs);

    const QList<QPair<int, QString>> commandes = {
        {0, u"Nouvelle"_qs}, {1, u"Supprimer"_qs}, {3, u"Valider"_qs}, {4, u"Internet"_qs}};
    const QMap<int, QString> symboles = {{0, u"✚"_qs}, {1, u"✗"_qs}, {3, u"✓"_qs}, {4, u"◎"_qs}};
    const QMap<int, int> lefts = {{0, 90}, {1, 1120}, {3, 2250}, {4, 3180}};
    const QMap<int, int> largeursLibelle = {{0, 700}, {1, 800}, {3, 600}, {4, 650}};
    int g = 0;
    for (const auto& [index, libelle] : commandes) {
        g = lefts.value(index);
        QLabel* pic = image(CadreListe, u"Image3_%1"_qs.arg(index), symboles.value(index), g, 90);
        pic->setProperty("index", index);
        Image3.insert(index, pic);
        auto* a = new QLabel(libelle, CadreListe);
        a->setObjectName(u"Action_%1"_qs.arg(index));
        a->setProperty("index", index);
        a->setCursor(Qt::PointingHandCursor);
        a->setMouseTracking(true);
        a->installEventFilter(this);
        placer(a, g + 300, 90, largeursLibelle.value(index), 270);
        Action.insert(index, a);
        Activable::rendre(a, [this, index] { Action_Click(index); });
    }
    placer(ImageBouton, Disposition::gauche(Action.value(0)) - 350, 60, 1120, 330);
    ImageBouton->lower();

    ToutSupprimer = new QLabel(u"Tout supprimer"_qs, CadreListe);
    ToutSupprimer->setObjectName(u"ToutSupprimer"_qs);
    ToutSupprimer->setCursor(Qt::PointingHandCursor);
    ToutSupprimer->setStyleSheet(u"color: #a03020; text-decoration: underline;"_qs);
    ToutSupprimer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ToutSupprimer->installEventFilter(this);

    auto* trierPar = etiquette(CadreListe, u"Trier par "_qs, 120, 330, 700);
    trierPar->setFont(policeFenetre(8, true));
    fixerHauteur(trierPar, 240);
    const QStringList libelles = {u"Sociétés"_qs, u"Dates"_qs, u"Statuts"_qs, u"Origine"_qs};
    const int largeurs[] = {1100, 850, 900, 900};
    g = 840;
    for (int i = 0; i < libelles.size(); ++i) {
        auto* option = new QRadioButton(libelles[i], CadreListe);
        option->setObjectName(u"Tri_%1"_qs.arg(i));
        // As designed, or as wide as its caption needs.
        option->ensurePolished();
        const int largeur = std::max(largeurs[i], Twips::depuisPixels(option->sizeHint().width()));
        placer(option, g, 330, largeur, 240);
        g += largeur;
        connect(option, &QRadioButton::clicked, this, [this, i] { Tri_Click(i); });
        Tri << option;
    }
    placer(ToutSupprimer, 4200, 90, LargeurListe - 4200 - 90, 270);
    Tri[2]->setChecked(true);

    Liste = new QTreeWidget(CadreListe);
    Liste->setObjectName(u"Liste"_qs);
    Liste->setHeaderHidden(true);
    Liste->setColumnCount(1);
    Liste->setUniformRowHeights(true);
    Liste->viewport()->installEventFilter(this);
    Liste->installEventFilter(this); // Enter or Space opens the node under the keyboard's cursor
    // The press on a node opens it (after the press has set ClicDroit).
    connect(Liste, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem* n) { Liste_NodeClick(n); });
    placer(Liste, 60, HautListe, LargeurListe - 120, 9700 - HautListe - HauteurRecherche);

    FrameRecherche = new QFrame(CadreListe);
    FrameRecherche->setObjectName(u"FrameRecherche"_qs);
    placer(FrameRecherche, 60, HautListe + Disposition::hauteur(Liste), LargeurListe - 120, HauteurRecherche);
    const QStringList recherches = {u"Recherche de nouvelles candidatures"_qs,
                                    u"Lancer une recherche automatique en fonction d'un CV"_qs};
    for (int i = 0; i < recherches.size(); ++i) {
        auto* r = new QLabel(u"► "_qs + recherches[i], FrameRecherche);
        r->setObjectName(u"Rechercher_%1"_qs.arg(i));
        r->setProperty("index", i);
        r->setCursor(Qt::PointingHandCursor);
        r->setMouseTracking(true);
        r->setStyleSheet(u"color: #1f4e96;"_qs);
        r->installEventFilter(this);
        placer(r, 60, 60 + i * 300, LargeurListe - 240, 300);
        Rechercher << r;
    }
}

void FormCand::construireDetail()
{
    CadreDetail = new QFrame(this);
    CadreDetail->setObjectName(u"CadreDetail"_qs);
    CadreDetail->setFrameShape(QFrame::StyledPanel);
    placer(CadreDetail, GaucheDetail, 60, 9600, 9700);
    QWidget* p = CadreDetail;

    auto rangee = [](int haut, int k) { return haut + 300 + k * 330; };
    // The four groups, drawn behind their fields.
    auto* poste = new CadreBleu(u"Poste"_qs, QRect(60, 60, 4980, 2040), p);
    auto* emetteur = new CadreBleu(u"Emetteur"_qs, QRect(60, 2160, 4980, 2370), p);
    auto* annonce = new CadreBleu(u"Annonce"_qs, QRect(60, 4590, 4980, 1320), p);
    GroupeSuivi = new CadreBleu(u"Suivi de la Candidature"_qs, QRect(60, 5970, 4980, 1700), p);
    for (CadreBleu* g : {poste, emetteur, annonce, GroupeSuivi})
        g->lower();

    auto champSimple = [&](const QString& nom, const QString& libelle, int h, int largeurChamp = LargeurChamp) {
        etiquette(p, libelle, GaucheEtiquette, h, LargeurEtiquette);
        return ligne(p, nom, GaucheChamp, h, largeurChamp);
    };
    auto champDroite = [&](const QString& nom, const QString& libelle, int h, int largeurLibelle = 780) {
        etiquette(p, libelle, GaucheDroite - largeurLibelle - 20, h, largeurLibelle)
            ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return ligne(p, nom, GaucheDroite, h, LargeurDroite);
    };

    // Poste
    Intitule = champSimple(u"Intitule"_qs, u"Intitulé du poste"_qs, rangee(60, 0));
    Nature = champSimple(u"Nature"_qs, u"Nature du contrat"_qs, rangee(60, 1), LargeurChamp - 300);
    Image1 = image(p, u"Image1"_qs, u"▼"_qs, GaucheChamp + LargeurChamp - 285, rangee(60, 1) + 15);
    Duree = champSimple(u"Duree"_qs, u"Durée"_qs, rangee(60, 2));
    Lieu = champSimple(u"Lieu"_qs, u"Lieu d'exécution"_qs, rangee(60, 3));
    Salaire = champSimple(u"Salaire"_qs, u"Salaire proposé"_qs, rangee(60, 4));
    // Emetteur
    Societe = champSimple(u"Societe"_qs, u"Société"_qs, rangee(2160, 0));
    Adresse = champSimple(u"Adresse"_qs, u"Adresse"_qs, rangee(2160, 1));
    CP = ligne(p, u"CP"_qs, GaucheChamp, rangee(2160, 2), 700);
    Ville = ligne(p, u"Ville"_qs, GaucheChamp + 760, rangee(2160, 2), LargeurChamp - 760);
    NomContact = champSimple(u"NomContact"_qs, u"Nom du contact"_qs, rangee(2160, 3));
    Telephone = champSimple(u"Telephone"_qs, u"Téléphone"_qs, rangee(2160, 4));
    Email = champSimple(u"Email"_qs, u"Courriel"_qs, rangee(2160, 5));
    // Annonce
    Origine = champSimple(u"Origine"_qs, u"Origine de l'annonce"_qs, rangee(4590, 0), 1450);
    Reference = champDroite(u"Reference"_qs, u"Ref"_qs, rangee(4590, 0), 330);
    DateDiffusion = champSimple(u"DateDiffusion"_qs, u"Date de diffusion"_qs, rangee(4590, 1), 1000);
    DateLimite = champDroite(u"DateLimite"_qs, u"limite rép."_qs, rangee(4590, 1));
    www = champSimple(u"www"_qs, u"Adresse Internet"_qs, rangee(4590, 2));
    www->setStyleSheet(u"color: #1f4e96; text-decoration: underline;"_qs);
    // Suivi de la Candidature
    Statut = champSimple(u"Statut"_qs, u"Statut candidature"_qs, rangee(5970, 0), LargeurChamp - 300);
    Image2 = image(p, u"Image2"_qs, u"▼"_qs, GaucheChamp + LargeurChamp - 285, rangee(5970, 0) + 15);
    DateEnvoi = champSimple(u"DateEnvoi"_qs, u"Date d'envoi"_qs, rangee(5970, 1), 1000);
    CV = champDroite(u"CV"_qs, u"CV"_qs, rangee(5970, 1));
    DateRDV = champSimple(u"DateRDV"_qs, u"Date RDV"_qs, rangee(5970, 2), 1000);
    etiquette(p, u"Lettre"_qs, GaucheDroite - 800, rangee(5970, 2), 780)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The letter is a whole text shown on one line.
    Lettre = zone(p, u"Lettre"_qs, GaucheDroite, rangee(5970, 2), LargeurDroite, HauteurChamp, nullptr);
    Lettre->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Lettre->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Lettre->setLineWrapMode(QPlainTextEdit::NoWrap);

    etiquette(p, u"Remarques"_qs, GaucheEtiquette, HautRemarques, LargeurEtiquette);
    Remarques = zone(p, u"Remarques"_qs, GaucheChamp, HautRemarques, LargeurChamp, 1500, &Shape1_15);

    LegendeDescription = new QLabel(u"Description du poste"_qs, p);
    LegendeDescription->setFont(policeFenetre(8, true));
    placer(LegendeDescription, GaucheDescription, 420, 2400, HauteurChamp);
    PicturePostuler =
        image(p, u"PicturePostuler"_qs, u"✉ Postuler"_qs, GaucheDescription + 2500, HautImagesDescription);
    PicturePostuler->setStyleSheet(u"color: #c05000; font-weight: bold;"_qs);
    Activable::rendre(PicturePostuler, [this] { PicturePostuler_Click(); });
    Image8 = image(p, u"Image8"_qs, u"✉"_qs, GaucheChamp + 1060, rangee(5970, 1) + 15);
    Description = zone(p, u"Description"_qs, GaucheDescription, HautDescription, 4000, 8000, &Shape1_16);

    Num = new QLineEdit(p);
    Num->setObjectName(u"Num"_qs);
    Num->hide();
    champs_.insert(u"Num"_qs, Num);

    ListeContrats = new QListWidget(p);
    ListeContrats->setObjectName(u"ListeContrats"_qs);
    ListeContrats->addItems(Annonce::ListeContrats());
    ListeContrats->setFocusPolicy(Qt::NoFocus);
    placer(ListeContrats, GaucheChamp, rangee(60, 1) + HauteurChamp, LargeurChamp, 2700);
    ajusterAuContenu(ListeContrats);
    ListeContrats->hide();
    connect(ListeContrats, &QListWidget::itemClicked, this, [this] { ListeContrats_Click(); });

    ListeStatuts = new QListWidget(p);
    ListeStatuts->setObjectName(u"ListeStatuts"_qs);
    ListeStatuts->addItems(Candidatures::statuts());
    ListeStatuts->setFocusPolicy(Qt::NoFocus);
    placer(ListeStatuts, GaucheChamp - 600, rangee(5970, 0) + HauteurChamp, LargeurChamp + 1200, 2500);
    ajusterAuContenu(ListeStatuts);
    ListeStatuts->hide();
    connect(ListeStatuts, &QListWidget::itemClicked, this, [this] { ListeStatuts_Click(); });
}

// ------------------------------------------------------------------------------------------
// Load, activation, layout

void FormCand::Form_Load()
{
    // At the top left of the main window's workspace, a little smaller than the main window.
    QSize principale = FormCandLiens::taillePrincipale();
    if (!principale.isValid())
        principale = QSize(15360, 11520);
    QWidget* cadre = parentWidget() && parentWidget()->inherits("QMdiSubWindow") ? parentWidget() : this;
    cadre->setGeometry(0, 0, Twips::versPixels(principale.width() - 100),
                       Twips::versPixels(principale.height() - 1700));
    if (auto* sous = qobject_cast<QMdiSubWindow*>(cadre)) {
        connect(sous, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates avant, Qt::WindowStates apres) {
            if (!(avant & Qt::WindowActive) && (apres & Qt::WindowActive))
                Form_Activate();
        });
    }
    show();
    cadre->raise();
    Form_Resize();

    CadreWeb->Naviguer(u"about:blank"_qs);
    InitListe();
    // A register that can only be read shows its applications; the user hears once that
    // nothing changed here will be kept.
    if (const auto base = BaseCandidatures::ouvrir(BaseCandidatures::cheminParDefaut()); base && base->lectureSeule())
        MsgBox(BaseCandidatures::messageLectureSeule());
    DernierTexteAnalyse.clear();
    CadreWeb->ChargerListeSites();

    Timer1->start();
    Timer2->start();
}

void FormCand::Form_Activate() { FormCandLiens::arreterAccueil(); }

bool FormCand::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !(parentWidget() && parentWidget()->inherits("QMdiSubWindow")))
        Form_Activate();
    return QWidget::event(e);
}

void FormCand::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FormCand::Form_Resize()
{
    if (!CadreListe || !CadreWeb)
        return;
    const int h = Twips::depuisPixels(height());
    const int w = Twips::depuisPixels(width());

    fixerHauteur(CadreListe, h - 120);
    fixerHauteur(Liste, hauteur(CadreListe) - haut(Liste) - HauteurRecherche);
    fixerHaut(FrameRecherche, haut(Liste) + hauteur(Liste));

    fixerHauteur(CadreDetail, h - 120);
    fixerLargeur(CadreDetail, w - gauche(CadreDetail) - 200);
    placer(CadreWeb, gauche(CadreDetail), haut(CadreDetail), largeur(CadreDetail), hauteur(CadreDetail));
    CadreWeb->disposer(largeur(CadreDetail), hauteur(CadreDetail));

    fixerHauteur(Remarques, hauteur(CadreDetail) - haut(Remarques) - 200);
    placer(Shape1_15, gauche(Remarques) - 15, haut(Remarques) - 15, largeur(Remarques) + 30, hauteur(Remarques) + 30);
    fixerHauteur(Description, hauteur(CadreDetail) - haut(Description) - 200);
    fixerLargeur(Description, largeur(CadreDetail) - gauche(Description) - 200);
    placer(Shape1_16, gauche(Description) - 15, haut(Description) - 15, largeur(Description) + 30,
           hauteur(Description) + 30);
    placerLegendeDescription();
    // The follow-up group reaches down round the notes.
    GroupeSuivi->placer(QRect(60, 5970, 4980, std::max(0, hauteur(CadreDetail) - 5970 - 60)));
}

void FormCand::placerLegendeDescription()
{
    if (!Capture)
        return;
    // The description's caption, then "Analyser" and "Postuler", each as wide as its text, in a
    // row above the box; when the box is narrower than the row, the two pictures stand a row
    // higher, at the box's right edge.
    QLabel* analyser = Capture->Analyser;
    fixerHaut(analyser, HautImagesDescription);
    fixerHaut(PicturePostuler, HautImagesDescription);
    enLigne({LegendeDescription, analyser, PicturePostuler}, GaucheDescription, 120);
    const int droite = gauche(Description) + largeur(Description);
    if (gauche(PicturePostuler) + largeur(PicturePostuler) <= droite)
        return;
    const int haut = HautImagesDescription - HauteurChamp;
    fixerGauche(PicturePostuler, droite - largeur(PicturePostuler));
    fixerHaut(PicturePostuler, haut);
    fixerGauche(analyser, gauche(PicturePostuler) - 120 - largeur(analyser));
    fixerHaut(analyser, haut);
}

// ------------------------------------------------------------------------------------------
// Fields

QWidget* FormCand::champWidget(const QString& nom) const { return champs_.value(nom); }

QString FormCand::champ(const QString& nom) const
{
    QWidget* w = champWidget(nom);
    if (auto* l = qobject_cast<QLineEdit*>(w))
        return l->text();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        // The raw text keeps the non-breaking blanks that the plain text would turn into blanks.
        QString brut = t->document()->toRawText();
        brut.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        brut.replace(QChar::LineSeparator, QLatin1Char('\n'));
        return versCrLf(brut);
    }
    return {};
}

void FormCand::fixerChamp(const QString& nom, const QString& texte)
{
    QWidget* w = champWidget(nom);
    if (auto* l = qobject_cast<QLineEdit*>(w)) {
        if (l->text() != texte) {
            l->setText(texte);
            l->setCursorPosition(0); // a long text shows its start
        }
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        if (champ(nom) != versCrLf(texte))
            t->setPlainText(versWidget(texte));
    }
}

ChampsCandidature FormCand::fiche() const
{
    ChampsCandidature f;
    for (const QString& nom : Candidatures::champs())
        f.insert(nom, champ(nom));
    return f;
}

void FormCand::remplirFiche(const ChampsCandidature& champs)
{
    for (auto it = champs.cbegin(); it != champs.cend(); ++it)
        fixerChamp(it.key(), it.value());
}

int FormCand::triChoisi() const
{
    for (int i = 0; i < Tri.size(); ++i)
        if (Tri[i]->isChecked())
            return i;
    return 2;
}

QString FormCand::cleNoeud(const QTreeWidgetItem* n) { return n ? n->data(0, RoleCle).toString() : QString(); }

QTreeWidgetItem* FormCand::noeud(const QString& cle) const
{
    QTreeWidgetItem* n = feuilles_.value(cle);
    return n ? n : groupes_.value(cle);
}

// ------------------------------------------------------------------------------------------
// The record

QDate FormCand::aujourdhui() { return Plateforme::instance().horloge().aujourdhui(); }

Stockage::BaseDonnees* FormCand::ouvrirBase()
{
    Stockage::Etat etat = Stockage::Etat::Ouverte;
    base_ = BaseCandidatures::ouvrir(BaseCandidatures::cheminParDefaut(), &etat);
    causeOuverture_ = Stockage::causeOuverture(etat);
    return base_ ? &base_->base() : nullptr;
}

Stockage::Cause FormCand::causeEchec() const { return base_ ? base_->base().causeEchec() : causeOuverture_; }

QString FormCand::texteEchec() const { return base_ ? base_->base().texteEchec() : QString(); }

QString FormCand::Empreinte() const { return FicheCandidature::Empreinte(fiche()); }

void FormCand::ValeursParDefaut()
{
    ChampsCandidature champs = fiche();
    FicheCandidature::ValeursParDefaut(champs, aujourdhui());
    remplirFiche(champs);
}

bool FormCand::ControlerSaisie()
{
    const FicheCandidature::Controle controle = FicheCandidature::ControlerSaisie(fiche(), !CadreWeb->isHidden());
    if (controle.accepte)
        return true;
    // The autosave leaves the focus where the user types.
    if (QWidget* w = champWidget(controle.champFocus); w && !autosauvegarde_)
        w->setFocus();
    MsgBox(controle.message);
    return false;
}

void FormCand::Valider()
{
    // A message box of this save lets the timers run: the autosave waits for it.
    const QScopedValueRollback<bool> garde(dansValider_, true);
    // The defaults stay in the fields even when the save is refused.
    const ChampsCandidature saisie = fiche();
    ValeursParDefaut();
    Stockage::BaseDonnees* base = ouvrirBase();
    bool ecrit = true;
    // The snapshot of the fields this save writes, or refuses: whoever asked for the save (the
    // command, a status chosen, a capture, the sending window), the autosave then compares the
    // fields with what they held here.
    QString empreinte = Empreinte();
    if (ControlerSaisie()) {
        ChampsCandidature champs = fiche();
        empreinte = FicheCandidature::Empreinte(champs);
        if (base && FicheCandidature::Enregistrer(*base, champs, &ficheChargee_, &saisie)) {
            Num->setText(champs.value(u"Num"_qs));
            ficheChargee_ = champs;
            echecSignale_ = false;
        } else {
            ecrit = false;
            signalerEchec();
        }
    }
    // After a save or a refused one the autosave waits for the next change, so that an application
    // deleted meanwhile comes back only if the user changes it; after a failed write it tries
    // again at its next tick.
    if (ecrit) {
        EmpreinteSaisie = empreinte;
        EmpreinteFiche = EmpreinteSaisie;
    }
    InitListe();
}

void FormCand::AfficherCandidature(qint64 num)
{
    Num->clear();
    Stockage::BaseDonnees* base = ouvrirBase();
    const std::optional<ChampsCandidature> champs = base ? FicheCandidature::Charger(*base, num) : std::nullopt;
    if (!champs)
        return;
    for (const QString& nom : FicheCandidature::ordreChargement()) {
        fixerChamp(nom, champs->value(nom));
        if (nom == u"Description"_qs)
            DernierTexteAnalyse = champ(nom);
    }
    PicturePostuler->setVisible(Statut->text() == Candidatures::statuts().first());
    // A freshly loaded application counts as unchanged.
    ficheChargee_ = fiche();
    EmpreinteSaisie = Empreinte();
    EmpreinteFiche = EmpreinteSaisie;
}

void FormCand::ViderFiche()
{
    static const QStringList ordre = {
        u"Intitule"_qs, u"Description"_qs, u"Reference"_qs, u"Nature"_qs,     u"Adresse"_qs,
        u"CP"_qs,       u"Ville"_qs,       u"Lieu"_qs,      u"Duree"_qs,      u"Salaire"_qs,
        u"Societe"_qs,  u"NomContact"_qs,  u"Telephone"_qs, u"Email"_qs,      u"Origine"_qs,
        u"www"_qs,      u"Statut"_qs,      u"CV"_qs,        u"Lettre"_qs,     u"Remarques"_qs,
        u"Num"_qs,      u"DateDiffusion"_qs, u"DateLimite"_qs, u"DateEnvoi"_qs, u"DateRDV"_qs};
    for (const QString& nom : ordre)
        fixerChamp(nom, {});
    DernierTexteAnalyse.clear();
}

void FormCand::ToutSupprimer_Click()
{
    if (!MsgBox(FicheCandidature::questionSupprimerToutes(), true))
        return;
    Stockage::BaseDonnees* base = ouvrirBase();
    if (base && FicheCandidature::SupprimerToutes(*base))
        FormCandLiens::iconeCandidatures(true);
    else
        MsgBox(BaseCandidatures::messageEchecSuppression(causeEchec(), true, texteEchec()));
    // The fields keep showing the last application.
    InitListe();
}

bool FormCand::saisieEnAttente()
{
    // A new application is stored only by an explicit save; a save under way is not repeated.
    if (Num->text().isEmpty() || dansValider_)
        return false;
    EmpreinteSaisie = Empreinte();
    return EmpreinteSaisie != EmpreinteFiche;
}

void FormCand::Timer2_Timer()
{
    if (!saisieEnAttente())
        return;
    // The user may be typing as the tick comes: what the save has to say does not take the keys.
    const QScopedValueRollback<bool> garde(autosauvegarde_, true);
    const SansInterrompre sansInterrompre;
    Valider();
}

void FormCand::closeEvent(QCloseEvent* e)
{
    if (saisieEnAttente()) {
        const QScopedValueRollback<bool> garde(fermeture_, true);
        Valider();
    }
    QWidget::closeEvent(e);
}

void FormCand::signalerEchec()
{
    // The autosave tells a failure once, not at every tick; a save the user asks for always answers.
    if (echecSignale_ && autosauvegarde_ && !fermeture_)
        return;
    echecSignale_ = true;
    QString message = BaseCandidatures::messageEchecEnregistrement(causeEchec(), fermeture_, texteEchec());
    if (fermeture_) {
        // What is lost is named: the message may be read later, at the next start.
        QStringList nom;
        if (!Intitule->text().isEmpty())
            nom << u"« "_qs + Intitule->text() + u" »"_qs;
        if (!Societe->text().isEmpty())
            nom << Societe->text();
        if (!nom.isEmpty())
            message += u" Candidature : "_qs + nom.join(u", "_qs) + u"."_qs;
    }
    MsgBox(message);
}

// ------------------------------------------------------------------------------------------
// The tree

QTreeWidgetItem* FormCand::creerNoeud(const QString& cle, const QString& texte, bool groupe) const
{
    auto* n = new QTreeWidgetItem(QStringList{texte});
    n->setData(0, RoleCle, cle);
    n->setData(0, RoleFeuille, !groupe);
    if (groupe) {
        static const QColor vert(0, 0xC0, 0);
        QFont f = Liste->font();
        f.setBold(true);
        n->setForeground(0, vert);
        n->setFont(0, f);
    } else {
        n->setForeground(0, Qt::black);
    }
    return n;
}

void FormCand::InitListe()
{
    Liste->hide();
    Liste->clear();
    groupes_.clear();
    feuilles_.clear();
    const auto tri = ArbreCandidatures::Tri(triChoisi());
    // A register that cannot be read leaves the tree empty.
    if (Stockage::BaseDonnees* base = ouvrirBase()) {
        const std::optional<QList<ArbreCandidatures::Ligne>> lignes = ArbreCandidatures::Lire(*base, tri);
        // Every save, capture and deletion ends here: the home screen counts what the tree shows.
        if (lignes)
            FormCandLiens::nombreCandidatures(lignes->size());
        if (lignes && !lignes->isEmpty()) {
            // Each group with its leaves, then all groups at once: the tree lays itself out once.
            QList<QTreeWidgetItem*> groupes;
            for (const ArbreCandidatures::Groupe& g : ArbreCandidatures::Grouper(*lignes, tri)) {
                QTreeWidgetItem* groupe = creerNoeud(g.cle, g.texte, true);
                groupes_.insert(g.cle, groupe);
                QList<QTreeWidgetItem*> feuilles;
                feuilles.reserve(g.feuilles.size());
                for (const ArbreCandidatures::Feuille& feuille : g.feuilles) {
                    QTreeWidgetItem* n = creerNoeud(feuille.cle, feuille.texte, false);
                    feuilles_.insert(feuille.cle, n);
                    feuilles << n;
                }
                groupe->addChildren(feuilles);
                groupes << groupe;
            }
            Liste->addTopLevelItems(groupes);
            FormCandLiens::iconeCandidatures(false);
        }
    }
    Liste->expandAll();
    base_.reset();
    Liste->show();
}

void FormCand::Tri_Click(int index)
{
    Q_UNUSED(index);
    InitListe();
}

void FormCand::Liste_MouseDown(Qt::MouseButton bouton) { ClicDroit = bouton == Qt::RightButton; }

void FormCand::Liste_NodeClick(QTreeWidgetItem* n)
{
    if (!n)
        return;
    if (n->data(0, RoleFeuille).toBool()) {
        if (const std::optional<qint64> numero = ArbreCandidatures::NumeroDeCle(cleNoeud(n))) {
            AfficherCandidature(*numero);
            CadreWeb->hide();
        }
    }
    if (n->childCount() == 0 && ClicDroit)
        FormCandLiens::afficherMenuItemCand(pointClic_ ? *pointClic_ : QCursor::pos(), DateEnvoi->text().isEmpty());
}

// ------------------------------------------------------------------------------------------
// The drop-down lists

void FormCand::Image1_Click()
{
    ListeContrats->setVisible(ListeContrats->isHidden());
    if (!ListeContrats->isHidden())
        ListeContrats->raise();
    Nature->setFocus();
}

void FormCand::ListeContrats_Click()
{
    if (QListWidgetItem* choix = ListeContrats->currentItem())
        Nature->setText(choix->text());
    ListeContrats->hide();
}

void FormCand::Nature_LostFocus() { ListeContrats->hide(); }

void FormCand::Image2_Click()
{
    // Selecting the item equal to the status shown changes nothing (the choice equals Statut).
    for (int i = 0; i < ListeStatuts->count(); ++i)
        if (ListeStatuts->item(i)->text() == Statut->text())
            ListeStatuts->setCurrentRow(i);
    ListeStatuts->setVisible(ListeStatuts->isHidden());
    if (!ListeStatuts->isHidden())
        ListeStatuts->raise();
    Statut->setFocus();
}

void FormCand::ListeStatuts_Click()
{
    ChampsCandidature champs = fiche();
    if (!StatutsCandidature::ChoisirStatut(champs, ListeStatuts->currentRow(), aujourdhui()))
        return;
    remplirFiche(champs);
    ListeStatuts->hide();
    if (!Num->text().isEmpty())
        Valider();
}

void FormCand::Statut_LostFocus() { ListeStatuts->hide(); }

bool FormCand::listeAuClavier(bool contrats, QKeyEvent* touche)
{
    // The drop-down list of a field, from the keyboard as a drop-down box: Alt+Down or F4 opens
    // or closes it, the arrows move in it while the focus stays in the field, Enter chooses as a
    // click does, Escape closes it.
    QListWidget* liste = contrats ? ListeContrats : ListeStatuts;
    const int k = touche->key();
    const bool alt = touche->modifiers() & Qt::AltModifier;
    if (k == Qt::Key_F4 || (alt && (k == Qt::Key_Down || k == Qt::Key_Up))) {
        if (contrats)
            Image1_Click();
        else
            Image2_Click();
        return true;
    }
    if (liste->isHidden())
        return false;
    switch (k) {
    case Qt::Key_Down:
    case Qt::Key_Up: {
        const int ligne = liste->currentRow() + (k == Qt::Key_Down ? 1 : -1);
        liste->setCurrentRow(qBound(0, ligne, liste->count() - 1));
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (liste->currentRow() < 0)
            return true;
        if (contrats)
            ListeContrats_Click();
        else
            ListeStatuts_Click();
        return true;
    case Qt::Key_Escape:
        liste->hide();
        return true;
    default:
        return false;
    }
}

// ------------------------------------------------------------------------------------------
// Commands

void FormCand::Action_Click(int index)
{
    switch (index) {
    case 0: // Nouvelle
        ViderFiche();
        CadreWeb->Naviguer(u"about:blank"_qs);
        DernierTexteAnalyse.clear();
        break;
    case 1: // Supprimer
        if (MsgBox(FicheCandidature::questionSupprimerCandidature(), true) && !Num->text().isEmpty()) {
            const std::optional<qint64> numero = FicheCandidature::Numero(fiche());
            Stockage::BaseDonnees* base = ouvrirBase();
            if (numero && !(base && FicheCandidature::Supprimer(*base, *numero))) {
                MsgBox(BaseCandidatures::messageEchecSuppression(causeEchec(), false, texteEchec()));
                InitListe();
                break;
            }
            InitListe();
            Num->clear();
            const QString garde = DernierTexteAnalyse;
            for (const QString& nom : Candidatures::champs())
                fixerChamp(nom, {});
            CadreWeb->AdresseWeb->clear();
            CadreWeb->Text1->clear();
            DernierTexteAnalyse = garde;
        }
        break;
    case 3: // Valider
        Valider();
        break;
    case 4: // Internet
        CadreWeb->show();
        CadreWeb->raise();
        Attente::pomper();
        if (CadreWeb->LocationURL() == u"about:blank"_qs) {
            CadreWeb->AdresseWeb->setText(FormCandLiens::adresseOffres());
            CadreWeb->Naviguer(CadreWeb->AdresseWeb->text());
        }
        break;
    default:
        break;
    }
}

void FormCand::PicturePostuler_Click()
{
    FormCandLiens::ouvrirEnvoi(champ(u"Lettre"_qs), DateEnvoi->text().isEmpty());
    Attente::pomper();
}

void FormCand::www_Click()
{
    CadreWeb->show();
    CadreWeb->raise();
    CadreWeb->AdresseWeb->setText(www->text());
    CadreWeb->Naviguer(CadreWeb->AdresseWeb->text());
}

// ------------------------------------------------------------------------------------------
// Watchers, search labels, hover effects

void FormCand::AnalyserAnnonce(const QString& texte)
{
    const ChampsCandidature resultat = Annonce::AnalyserAnnonce(texte, fiche(), CadreWeb->LocationURL(),
                                                                Plateforme::instance().horloge().aujourdhui());
    remplirFiche(resultat);
}

void FormCand::Timer1_Timer()
{
    // An advertisement pasted into the description: more than 50 characters more than at the
    // last analysis or load. Smaller edits add up until they pass that mark.
    const QString description = champ(u"Description"_qs);
    if (FicheCandidature::AnnonceCollee(description, DernierTexteAnalyse)) {
        AnalyserAnnonce(description);
        DernierTexteAnalyse = champ(u"Description"_qs);
    }

    // An advertisement open in an outside browser whose title starts with its address.
    if (!CadreWeb->isHidden()) {
        const QString titre = Systeme::TitreFenetreNavigateur();
        if (!titre.isEmpty() && titre.contains(QLatin1Char(' ')))
            CadreWeb->Text1->setText(titre.left(titre.indexOf(QLatin1Char(' '))));
        const QString adresse = CadreWeb->Text1->text();
        if (!adresse.isEmpty() && adresse != CadreWeb->DerniereAdresseRapatriee)
            CadreWeb->Label3->show();
        if (adresse.isEmpty())
            CadreWeb->Label3->hide();
    }
}

void FormCand::Rechercher_Click(int index)
{
    if (index != 0 || !CadreWeb->isHidden())
        return;
    CadreWeb->show();
    CadreWeb->raise();
    Attente::pomper();
    if (CadreWeb->LocationURL() == u"about:blank"_qs)
        CadreWeb->Image4_Click();
}

void FormCand::Rechercher_MouseMove(int index)
{
    for (int i = 0; i < Rechercher.size(); ++i) {
        QFont f = Rechercher[i]->font();
        f.setBold(i == index);
        Rechercher[i]->setFont(f);
    }
}

void FormCand::Action_MouseMove(int index)
{
    QLabel* cible = Action.value(index);
    if (!cible)
        return;
    // The highlight glides under the command, a quarter of the way at each step; no events
    // are processed meanwhile.
    const int arrivee = gauche(cible) - 350;
    while (gauche(ImageBouton) != arrivee) {
        int g = (arrivee + 3 * gauche(ImageBouton)) / 4;
        if (std::abs(g - arrivee) <= 30)
            g = arrivee;
        fixerGauche(ImageBouton, g);
        ImageBouton->repaint();
        Attente::dormirSansPomper(20);
    }
}

// ------------------------------------------------------------------------------------------
// Events of the controls

bool FormCand::eventFilter(QObject* objet, QEvent* e)
{
    const int index = objet->property("index").isValid() ? objet->property("index").toInt() : -1;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        if (objet == Liste->viewport()) {
            auto* souris = static_cast<QMouseEvent*>(e);
            pointClic_ = souris->globalPosition().toPoint();
            Liste_MouseDown(souris->button());
        }
        break;
    case QEvent::MouseButtonRelease: {
        auto* souris = static_cast<QMouseEvent*>(e);
        if (souris->button() != Qt::LeftButton)
            break;
        if (objet->objectName().startsWith(u"Action_"_qs) || objet->objectName().startsWith(u"Image3_"_qs))
            Action_Click(index);
        else if (objet->objectName().startsWith(u"Rechercher_"_qs))
            Rechercher_Click(index);
        else if (objet == Image1)
            Image1_Click();
        else if (objet == Image2)
            Image2_Click();
        else if (objet == PicturePostuler)
            PicturePostuler_Click();
        else if (objet == Image8)
            Image8_Click();
        else if (objet == ToutSupprimer)
            ToutSupprimer_Click();
        else if (objet == www)
            www_Click();
        break;
    }
    case QEvent::MouseMove:
        if (objet->objectName().startsWith(u"Action_"_qs) || objet->objectName().startsWith(u"Image3_"_qs))
            Action_MouseMove(index);
        else if (objet->objectName().startsWith(u"Rechercher_"_qs))
            Rechercher_MouseMove(index);
        break;
    case QEvent::FocusOut:
        if (objet == Nature)
            Nature_LostFocus();
        else if (objet == Statut)
            Statut_LostFocus();
        break;
    case QEvent::KeyPress:
        if (objet == Liste && Activable::estToucheAction(e)) {
            ClicDroit = false;
            Liste_NodeClick(Liste->currentItem());
            return true;
        }
        if (objet == Nature || objet == Statut)
            return listeAuClavier(objet == Nature, static_cast<QKeyEvent*>(e));
        break;
    default:
        break;
    }
    return QWidget::eventFilter(objet, e);
}

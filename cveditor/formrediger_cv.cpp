#include "shell/controls/activable.h"
#include "shell/controls/zone_texte.h"
#include "shell/services/sauts_ligne.h"
#include "cveditor/formrediger_cv.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHash>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>
#include <map>

#include "cveditor/options_presentation.h"
#include "platform/attente.h"
#include "platform/environnement.h"
#include "platform/plateforme.h"
#include "shell/services/fonctionnel.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

namespace {

// Places a control by its designed position and size in twips.
void placer(QWidget* w, int gauche, int haut, int largeur, int hauteur)
{
    w->setGeometry(Twips::rect(gauche, haut, largeur, hauteur));
}


const char* const StyleTitre = "background:#3366AA; color:white; font-weight:bold;";
const char* const StyleAide = "background:#FFCC66; color:#663300; font-weight:bold; border-radius:7px;";
const char* const StyleBouton = "background:#EEF3FA; border:1px solid #8AA6D0; color:#203A66;";

// Whether the text holds more than n characters in a row with no blank and no line break.
bool sansCoupure(QStringView texte, qsizetype n)
{
    qsizetype suite = 0;
    for (const QChar c : texte)
        if ((suite = c.isSpace() ? 0 : suite + 1) > n)
            return true;
    return false;
}

// The small picture that drops a list down.
Etiquette* fleche(QWidget* parent)
{
    auto* e = new Etiquette(u"▼"_qs, parent);
    e->setAlignment(Qt::AlignCenter);
    e->setStyleSheet(QString::fromLatin1(StyleBouton));
    return e;
}

// A caption that acts as a link.
Etiquette* lien(const QString& texte, QWidget* parent)
{
    auto* e = new Etiquette(texte, parent);
    e->setStyleSheet(u"color:#2050A0; text-decoration:underline;"_qs);
    e->setCursor(Qt::PointingHandCursor);
    return e;
}

// The width a control needs to show itself whole, in pixels; 0 for one that takes any width.
int besoinLargeur(QWidget* w)
{
    if (auto* b = qobject_cast<BoutonKVL*>(w))
        return b->Label1->sizeHint().width() + Twips::versPixels(120);
    if (auto* c = qobject_cast<QCheckBox*>(w))
        return c->sizeHint().width();
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && !l->text().isEmpty())
        // A picture drawn as one character stays at least square.
        return l->text().size() == 1 ? std::max(l->sizeHint().width(), l->height()) : l->sizeHint().width();
    return 0;
}

// The width a box needs to show a text of that form whole.
int largeurPour(QLineEdit* boite, const QString& gabarit)
{
    QStyleOptionFrame option;
    option.initFrom(boite);
    option.lineWidth =
        boite->hasFrame() ? boite->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, boite) : 0;
    // The text, the box's two-pixel margin each side and its own text margins.
    const QMargins m = boite->textMargins();
    const QSize texte(boite->fontMetrics().horizontalAdvance(gabarit) + 2 * 2 + m.left() + m.right(),
                      boite->fontMetrics().height());
    return boite->style()->sizeFromContents(QStyle::CT_LineEdit, &option, texte, boite).width();
}

// Whether two controls share a row: their heights overlap.
bool memeRangee(const QWidget* a, const QWidget* b)
{
    return a->y() < b->y() + b->height() && b->y() < a->y() + a->height();
}

int droiteDe(const QWidget* w) { return w->x() + w->width(); }

} // namespace

FormRedigerCV::FormRedigerCV(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"FormRedigerCV"_qs);
    setWindowTitle(u"Rédiger un CV"_qs);
    construire();
    relier();
}

FormRedigerCV::~FormRedigerCV() = default;

QWidget* FormRedigerCV::principale() const { return RegistreFenetres::instance().trouver(u"Principale"_qs); }

// --- construction ---

void FormRedigerCV::construire()
{
    setAutoFillBackground(true);
    setStyleSheet(u"QLineEdit, QPlainTextEdit { background:white; border:1px solid #9DB3D6; }"_qs);

    FrameZones = new NouveauCadre(QRect(60, 60, 7700, 9000), this);
    FrameZones->setObjectName(u"FrameZones"_qs);
    Label5 = new QLabel(u"Zones d'informations"_qs, FrameZones);
    Label5->setStyleSheet(u"color:white; font-weight:bold;"_qs);
    placer(Label5, 90, 30, 7000, 255);
    Frame2 = new QFrame(FrameZones);
    Frame2->setObjectName(u"Frame2"_qs);
    placer(Frame2, 60, 300, 7290, 8600);
    Frame1 = new QFrame(Frame2);
    Frame1->setObjectName(u"Frame1"_qs);
    Frame1->setMouseTracking(true);
    Frame1->installEventFilter(this);
    placer(Frame1, 0, 0, 7200, 19900);
    List1 = new QListWidget(FrameZones);
    List1->setObjectName(u"List1"_qs);
    List1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The panel's scroll bar: Tab passes it by (the panel follows the focus by itself).
    List1->setFocusPolicy(Qt::ClickFocus);
    placer(List1, 7360, 300, 285, 8600);

    construireIdentite();
    construireSections();
    construireLangues();
    construirePhoto();
    construireOptions();
    construireApercu();
    FrameIdentite->raise(); // over the detailed boxes and the photograph until the first rendering

    // Hidden option boxes of the CV.
    auto cachee = [this](const QString& nom, const QString& valeur) {
        auto* b = new QLineEdit(valeur, Frame1);
        b->setObjectName(nom);
        b->hide();
        return b;
    };
    NomCV = cachee(u"NomCV"_qs, {});
    LangueCV = cachee(u"LangueCV"_qs, u"0"_qs);
    Modele = cachee(u"Modele"_qs, u"Basic.htm"_qs);
    Souligne = cachee(u"Souligne"_qs, u"0"_qs);
    Gras = cachee(u"Gras"_qs, u"1"_qs);
    Indentation = cachee(u"Indentation"_qs, u"1"_qs);
    Saut = cachee(u"Saut"_qs, u"0"_qs);
    Langues = new ZoneTexte(Frame1);
    Langues->hide();

    // The text-bearing controls by design name, in the CV file's order.
    const QList<std::pair<QString, QWidget*>> zones = {
        {u"LangueCV"_qs, LangueCV}, {u"Identite"_qs, Identite}, {u"ListeSituations"_qs, ListeSituations},
        {u"Langues"_qs, Langues}, {u"Nom"_qs, Nom}, {u"Adresse1"_qs, Adresse1}, {u"Prénom"_qs, Prenom},
        {u"Adresse2"_qs, Adresse2}, {u"CP"_qs, CP}, {u"Ville"_qs, Ville}, {u"Pays"_qs, Pays}, {u"Tel"_qs, Tel},
        {u"Mob"_qs, Mob}, {u"Email"_qs, Email}, {u"Fonction"_qs, Fonction}, {u"Etudes"_qs, Etudes},
        {u"Formations"_qs, Formations}, {u"Experiences"_qs, Experiences}, {u"LanguesPlus"_qs, LanguesPlus},
        {u"Objectifs"_qs, Objectifs}, {u"Divers"_qs, Divers}, {u"Competences"_qs, Competences},
        {u"DateNaissance"_qs, DateNaissance}, {u"LieuNaissance"_qs, LieuNaissance}, {u"Age"_qs, Age},
        {u"NbEnfants"_qs, NbEnfants}, {u"Situation"_qs, Situation}, {u"NomCV"_qs, NomCV}, {u"List1"_qs, List1},
        {u"ListeModeles"_qs, ListeModeles}, {u"NomModele"_qs, NomModele}, {u"Police"_qs, Police},
        {u"FramePolice"_qs, FramePolice}, {u"Modèle"_qs, Modele}, {u"Souligné"_qs, Souligne}, {u"Gras"_qs, Gras},
        {u"Indentation"_qs, Indentation}, {u"Saut"_qs, Saut}, {u"Couleur"_qs, Couleur},
        {u"CouleurClaire"_qs, CouleurClaire}};
    for (const auto& [nom, w] : zones) {
        zones_.insert(nom, w);
        ordre_ << nom;
    }
    for (int k = 0; k < 9; ++k) {
        groupes_.insert(QStringLiteral("%1:LangueScolaire").arg(k), LangueScolaire[k]);
        groupes_.insert(QStringLiteral("%1:LangueProf").arg(k), LangueProf[k]);
        groupes_.insert(QStringLiteral("%1:LangueCourant").arg(k), LangueCourant[k]);
        groupes_.insert(QStringLiteral("%1:LangueBilingue").arg(k), LangueBilingue[k]);
    }
    for (int k = 0; k < 4; ++k)
        groupes_.insert(QStringLiteral("%1:CheckParagraphe").arg(k), CheckParagraphe[k]);
    for (int k = 0; k < 2; ++k)
        groupes_.insert(QStringLiteral("%1:CheckDisposition").arg(k), CheckDisposition[k]);
    ordonnerTabulation();
    ajusterPanneau();
    for (QWidget* conteneur : std::initializer_list<QWidget*>{Frame1, FrameZones})
        for (QWidget* w : conteneur->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            dispositionPleine_.insert(w, w->geometry());
    for (QWidget* w : std::initializer_list<QWidget*>{Frame1, FrameZones, FrameCV})
        dispositionPleine_.insert(w, w->geometry());
}

void FormRedigerCV::retrouverDispositionPleine()
{
    // The photograph keeps its proportions, and the panel the place it was scrolled to.
    const QSize photo = Photo->size();
    for (auto [w, place] : dispositionPleine_.asKeyValueRange())
        w->setGeometry(w == Frame1 ? QRect(place.x(), Frame1->y(), place.width(), place.height()) : place);
    Photo->resize(photo);
    compacte_ = compacteParLargeur_ = false;
    Form_Resize();
    List1_Scroll();
}

void FormRedigerCV::ordonnerTabulation()
{
    // Tab goes down the entry panel as it reads: the identity (the free-text box first, while its
    // panel covers the detailed boxes), the sections, the language grid row by row, the options,
    // then the preview's toolbar.
    ordreTab_ = {Identite, SaiseDetaillee, Nom, Prenom, Adresse1, Adresse2, CP, Ville, Pays, Tel, Mob,
                 Email, DateNaissance, LieuNaissance, Age, NbEnfants, Situation, Fonction, Objectifs,
                 Etudes, Formations, Experiences, Competences};
    for (int k = 0; k < 9; ++k)
        ordreTab_ << LangueScolaire[k] << LangueProf[k] << LangueCourant[k] << LangueBilingue[k];
    ordreTab_ << LanguesPlus << Divers << NomModele << Police << BoutonKVL1;
    for (Etiquette* e : ImageMenu)
        ordreTab_ << e;
    ordreTab_ << Genere << SauvegarderCV;
}

bool FormRedigerCV::atteintParTab(QWidget* w) const
{
    if (!w->isVisibleTo(this) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
        return false;
    // The boxes under the free-text identity panel are out of reach while it covers them.
    return !(FrameIdentite->isVisible() && w->parentWidget() == Frame1 &&
             FrameIdentite->geometry().intersects(w->geometry()));
}

bool FormRedigerCV::focusNextPrevChild(bool suivant)
{
    const int n = int(ordreTab_.size());
    const int i = int(ordreTab_.indexOf(QApplication::focusWidget()));
    if (i < 0)
        return QWidget::focusNextPrevChild(suivant);
    for (int pas = 1; pas <= n; ++pas) {
        QWidget* w = ordreTab_[((suivant ? i + pas : i - pas) % n + n) % n];
        if (atteintParTab(w)) {
            w->setFocus(suivant ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void FormRedigerCV::montrerAuFocus(QWidget* w)
{
    // The entry panel scrolls, one hundredth of its height a step, so that the control that
    // takes the focus is in sight (the scroll list runs the panel's own scrolling rule).
    if (!w || !Frame1->isAncestorOf(w))
        return;
    const int hauteur = Frame1->height();
    if (hauteur <= 0)
        return;
    const QRect r(w->mapTo(Frame1, QPoint(0, 0)), w->size());
    const int haut = -Frame1->y(), vue = Frame2->height();
    int pas = List1->verticalScrollBar()->value();
    if (r.top() < haut)
        pas = int(std::floor(100.0 * r.top() / hauteur));
    else if (r.bottom() > haut + vue)
        pas = int(std::ceil(100.0 * (r.bottom() + 1 - vue) / hauteur));
    List1->verticalScrollBar()->setValue(qBound(0, pas, List1->verticalScrollBar()->maximum()));
}

void FormRedigerCV::construireIdentite()
{
    auto titre = [this](int index, const QString& texte, int haut) {
        auto* l = new Etiquette(texte, Frame1);
        l->setStyleSheet(QString::fromLatin1(StyleTitre));
        placer(l, 0, haut, 7200, 285);
        Label1.insert(index, l);
    };
    titre(0, u"   Informations identitaires"_qs, 0);
    titre(1, u"   Informations métier"_qs, 4500);

    auto legende = [this](int index, const QString& texte, int gauche, int haut, int largeur) {
        auto* l = new Etiquette(texte, Frame1);
        placer(l, gauche, haut, largeur, 285);
        Label1.insert(index, l);
    };
    auto boite = [this](const QString& nom, int gauche, int haut, int largeur) {
        auto* b = new QLineEdit(Frame1);
        b->setObjectName(nom);
        placer(b, gauche, haut, largeur, 285);
        return b;
    };
    const int g = 1600, l = 3450;
    int y = 380;
    struct Rangee {
        int index;
        QString legende;
        QString nom;
        QLineEdit** boite;
    };
    const QList<Rangee> rangees = {{2, u"Nom"_qs, u"Nom"_qs, &Nom},
                                   {3, u"Prénom"_qs, u"Prenom"_qs, &Prenom},
                                   {4, u"Adresse 1"_qs, u"Adresse1"_qs, &Adresse1},
                                   {5, u"Adresse 2"_qs, u"Adresse2"_qs, &Adresse2},
                                   {6, u"CP / Ville"_qs, u"CP"_qs, &CP},
                                   {7, u"Pays/Nationalité"_qs, u"Pays"_qs, &Pays},
                                   {8, u"Tel fixe"_qs, u"Tel"_qs, &Tel},
                                   {9, u"Mob"_qs, u"Mob"_qs, &Mob},
                                   {10, u"Courriel"_qs, u"Email"_qs, &Email}};
    for (const Rangee& r : rangees) {
        legende(r.index, r.legende, 90, y, 1500);
        *r.boite = boite(r.nom, g, y, r.boite == &CP ? 900 : l);
        if (r.boite == &CP)
            Ville = boite(u"Ville"_qs, g + 960, y, l - 960);
        y += 330;
    }
    legende(22, u"Né(e) le"_qs, 90, y, 1300);
    DateNaissance = boite(u"DateNaissance"_qs, g, y, 1250);
    legende(23, u"à"_qs, g + 1320, y, 250);
    LieuNaissance = boite(u"LieuNaissance"_qs, g + 1600, y, l - 1600);
    y += 330;
    legende(24, u"Age"_qs, 90, y, 1300);
    Age = boite(u"Age"_qs, g, y, 600);
    NbEnfants = boite(u"NbEnfants"_qs, g + 1320, y, 500);
    legende(27, u"enfant(s)"_qs, g + 1880, y, 1000);
    y += 330;
    legende(28, u"Situation"_qs, 90, y, 1300);
    Situation = boite(u"Situation"_qs, g, y, l - 330);
    Image8 = fleche(Frame1);
    placer(Image8, g + l - 300, y, 300, 285);
    ListeSituations = new QListWidget(Frame1);
    ListeSituations->setObjectName(u"ListeSituations"_qs);
    ListeSituations->addItems({u"Célibataire"_qs, u"Marié(e)"_qs, u"Divorcé(e)"_qs, u"Veuf(ve)"_qs, u"Union libre"_qs});
    placer(ListeSituations, g, y + 300, l - 330, 1300);
    ListeSituations->hide();

    // The free-text identity panel over the detailed boxes.
    FrameIdentite = new QFrame(Frame1);
    FrameIdentite->setObjectName(u"FrameIdentite"_qs);
    FrameIdentite->setAutoFillBackground(true);
    FrameIdentite->setFrameShape(QFrame::StyledPanel);
    placer(FrameIdentite, 0, 330, 7200, 4100);
    auto* legendeIdentite =
        new QLabel(u"Informations identitaires (Nom, Prénom, Adresse, Téléphone, Email, etc...)"_qs, FrameIdentite);
    legendeIdentite->setObjectName(u"LegendeIdentite"_qs);
    legendeIdentite->setWordWrap(true);
    placer(legendeIdentite, 90, 60, 7000, 300);
    Identite = new ZoneTexte(FrameIdentite);
    Identite->setObjectName(u"Identite"_qs);
    placer(Identite, 90, 400, 7000, 3250);
    SaiseDetaillee = lien(u"Préférer une saisie détaillée"_qs, FrameIdentite);
    placer(SaiseDetaillee, 90, 3720, 4000, 285);
}

void FormRedigerCV::construireSections()
{
    auto section = [this](int index, const QString& legende, int haut, int hauteur, bool aide) {
        auto* l = new Etiquette(legende, Frame1);
        l->setStyleSheet(u"color:#203A66; font-weight:bold;"_qs);
        l->setWordWrap(true); // over two lines where the panel is narrow
        placer(l, 90, haut, 6500, 285);
        Label1.insert(index, l);
        if (aide) {
            auto* i = new Etiquette(u"?"_qs, Frame1);
            i->setAlignment(Qt::AlignCenter);
            i->setStyleSheet(QString::fromLatin1(StyleAide));
            placer(i, 6800, haut, 240, 240);
            i->setMouseTracking(true);
            Image6.insert(index, i);
        }
        QPlainTextEdit* b = nullptr;
        if (hauteur > 0) {
            b = new ZoneTexte(Frame1);
            placer(b, 90, haut + 300, 7000, hauteur);
        }
        return b;
    };
    auto* lf = new Etiquette(u"Fonction"_qs, Frame1);
    lf->setStyleSheet(u"color:#203A66; font-weight:bold;"_qs);
    placer(lf, 90, 4880, 1300, 285);
    Label1.insert(11, lf);
    Fonction = new QLineEdit(Frame1);
    Fonction->setObjectName(u"Fonction"_qs);
    placer(Fonction, 1450, 4880, 5640, 285);
    Objectifs = section(16, u"Souhaits et Objectifs ou Complément de la fonction"_qs, 5250, 700, true);
    Etudes = section(12, u"Etudes diplômes"_qs, 6300, 1300, true);
    Formations = section(13, u"Formations complémentaires"_qs, 7950, 900, true);
    Experiences = section(14, u"Parcours professionnel"_qs, 9200, 2300, true);
    Competences = section(20, u"Compétences techniques ou Domaines de compétences"_qs, 11850, 1200, true);
    section(15, u"Langues"_qs, 13400, 0, true);
    LanguesPlus = section(21, u"Autres précisions sur les compétences linguistiques"_qs, 16300, 600, false);
    Divers = section(17, u"Divers loisirs publications"_qs, 17250, 900, true);
    const QList<std::pair<QPlainTextEdit*, QString>> noms = {
        {Objectifs, u"Objectifs"_qs}, {Etudes, u"Etudes"_qs},     {Formations, u"Formations"_qs},
        {Experiences, u"Experiences"_qs}, {Competences, u"Competences"_qs}, {LanguesPlus, u"LanguesPlus"_qs},
        {Divers, u"Divers"_qs}};
    for (const auto& [b, n] : noms)
        b->setObjectName(n);
}

void FormRedigerCV::construireLangues()
{
    Label34 = new QLabel(u"Scolaire  Professionnel   Courant   bilingue"_qs, Frame1);
    Label34->setObjectName(u"Label34"_qs);
    placer(Label34, 1700, 13700, 5300, 255);
    const QStringList langues = {u"Anglais"_qs, u"Allemand"_qs, u"Espagnol"_qs, u"Italien"_qs, u"Russe"_qs,
                                 u"Chinois"_qs, u"Arabe"_qs,    u"Polonais"_qs, u"Suédois"_qs};
    const int colonnes[4] = {1850, 2900, 4100, 5100};
    for (int k = 0; k < 9; ++k) {
        const int y = 13980 + k * 255;
        Label32[k] = new QLabel(langues[k], Frame1);
        placer(Label32[k], 300, y, 1400, 255);
        std::array<QCheckBox*, 4> rangee;
        for (int c = 0; c < 4; ++c) {
            rangee[c] = new QCheckBox(Frame1);
            placer(rangee[c], colonnes[c], y, 300, 255);
        }
        LangueScolaire[k] = rangee[0];
        LangueProf[k] = rangee[1];
        LangueCourant[k] = rangee[2];
        LangueBilingue[k] = rangee[3];
    }
}

void FormRedigerCV::construirePhoto()
{
    Photo = new Etiquette({}, Frame1);
    Photo->setObjectName(u"Photo"_qs);
    Photo->setFrameShape(QFrame::Box);
    Photo->setScaledContents(true);
    Photo->setCursor(Qt::PointingHandCursor);
    placer(Photo, 5300, HautPhoto, 1600, 2000);
    Label2 = new Etiquette(u"Photographie"_qs, Frame1);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setCursor(Qt::PointingHandCursor);
    placer(Label2, 5300, 2420, 1600, 255);
    auto* coller = lien(u"Coller"_qs, Frame1);
    placer(coller, 5300, 2720, 700, 255);
    Label1.insert(25, coller);
    CopierPhoto19 = lien(u"Parcourir..."_qs, Frame1);
    placer(CopierPhoto19, 6050, 2720, 900, 255);
    // Whatever size the photograph commands give the picture, it stays in its box.
    Photo->installEventFilter(this);
    Label2->installEventFilter(this);
}

void FormRedigerCV::cadrerPhoto()
{
    // The box lies above the caption, as wide as it (the compact layout narrows both); the
    // picture takes the largest size of its own proportions that fits there, centred, so that
    // the caption and the links under it stay in sight and within reach.
    const int haut = Twips::versPixels(HautPhoto);
    const QRect cadre(Label2->x(), haut, Label2->width(), Label2->y() - Twips::versPixels(40) - haut);
    if (Photo->width() <= 0 || Photo->height() <= 0 || cadre.width() <= 0 || cadre.height() <= 0)
        return;
    const QSize taille = Photo->size().scaled(cadre.size(), Qt::KeepAspectRatio);
    Photo->setGeometry(QRect(QPoint(cadre.x() + (cadre.width() - taille.width()) / 2, haut), taille));
}

void FormRedigerCV::construireOptions()
{
    // The page model and the font, at the foot of the entry panel, each with its drop picture.
    auto choix = [this](int index, const QString& legende, const QString& nom, const QString& valeur, int haut,
                        QLineEdit*& boite, Etiquette*& image) {
        auto* l = new Etiquette(legende, Frame1);
        placer(l, 90, haut, 1300, 285);
        Label1.insert(index, l);
        boite = new QLineEdit(valeur, Frame1);
        boite->setObjectName(nom);
        boite->setReadOnly(true);
        placer(boite, 1450, haut, 2700, 285);
        image = fleche(Frame1);
        placer(image, 4180, haut, 300, 285);
    };
    // Below the last section, Divers (its box ends at 18450).
    choix(18, u"Modèle"_qs, u"NomModele"_qs, u"Basic"_qs, 18600, NomModele, Image2);
    choix(26, u"Police"_qs, u"Police"_qs, u"Arial"_qs, 18950, Police, Image3);
    BoutonKVL1 = new BoutonKVL(u"Mise en forme"_qs, QRect(1450, 19400, 1800, 360), Frame1);
    BoutonKVL1->setObjectName(u"BoutonKVL1"_qs);

    // Pop-up panels, above everything else of the window.
    ListeModeles = new QListWidget(this);
    ListeModeles->setObjectName(u"ListeModeles"_qs);
    ListeModeles->resize(Twips::taille(2700, 1500));
    ListeModeles->setFocusPolicy(Qt::NoFocus); // choosing keeps the focus in NomModele
    ListeModeles->hide();

    FramePolice = new CadreBleu({}, QRect(0, 0, 2700, 6 * 330 + 420), this);
    FramePolice->setObjectName(u"FramePolice"_qs);
    FramePolice->setAutoFillBackground(true);
    const QStringList& polices = OptionsPresentation::polices();
    for (int k = 0; k < 6; ++k) {
        PoliceT[k] = new Etiquette(polices[k], FramePolice);
        PoliceT[k]->setFont(QFont(polices[k], 10));
        PoliceT[k]->setAutoFillBackground(true);
        PoliceT[k]->setStyleSheet(u"background:white;"_qs);
        placer(PoliceT[k], 60, 360 + k * 330, 2580, 315);
    }
    FramePolice->hide();

    FrameParagraphe = new QFrame(this);
    FrameParagraphe->setObjectName(u"FrameParagraphe"_qs);
    FrameParagraphe->setAutoFillBackground(true);
    FrameParagraphe->setFrameShape(QFrame::Box);
    FrameParagraphe->resize(Twips::taille(5200, 2900));
    auto* titre = new QLabel(u"  Disposition des paragraphes"_qs, FrameParagraphe);
    titre->setStyleSheet(QString::fromLatin1(StyleTitre));
    placer(titre, 15, 15, 5170, 285);
    for (int k = 0; k < 4; ++k) {
        CheckParagraphe[k] = new QCheckBox(OptionsPresentation::legendeParagraphe(k), FrameParagraphe);
        placer(CheckParagraphe[k], 150, 400 + k * 330, 4900, 285);
    }
    CheckParagraphe[0]->setChecked(true);
    CheckParagraphe[2]->setChecked(true);
    auto* diplomes = new QLabel(u"Mise en avant  des diplômes"_qs, FrameParagraphe);
    placer(diplomes, 1900, 1850, 3200, 285);
    auto* experience = new QLabel(u"Mise en avant  de l'expérience"_qs, FrameParagraphe);
    placer(experience, 1900, 2250, 3200, 285);
    for (int k = 0; k < 2; ++k) {
        CheckDisposition[k] = new QCheckBox(OptionsPresentation::legendeDisposition(k), FrameParagraphe);
        placer(CheckDisposition[k], 150, 1850 + k * 400, 1700, 285);
    }
    CheckDisposition[0]->setChecked(true);
    FrameParagraphe->hide();

    CadreCouleur = new QFrame(this);
    CadreCouleur->setObjectName(u"CadreCouleur"_qs);
    CadreCouleur->setAutoFillBackground(true);
    CadreCouleur->setFrameShape(QFrame::Box);
    CadreCouleur->resize(Twips::taille(2900, 2750));
    for (int i = 0; i < OptionsPresentation::NombreNuances; ++i) {
        const int rangee = i / 5, colonne = i % 5;
        Shape5[i] = new QFrame(CadreCouleur);
        placer(Shape5[i], 90 + colonne * 540, 90 + rangee * 420, 480, 360);
        Coul[i] = new Etiquette({}, CadreCouleur);
        Coul[i]->setStyleSheet(QStringLiteral("background:%1;").arg(OptionsPresentation::nuance(i).name()));
        placer(Coul[i], 135 + colonne * 540, 135 + rangee * 420, 390, 270);
    }
    Couleur = new QLineEdit(u"#FF6600"_qs, CadreCouleur);
    Couleur->setObjectName(u"Couleur"_qs);
    Couleur->setReadOnly(true);
    Couleur->setStyleSheet(u"background:#FF6600;"_qs);
    placer(Couleur, 90, 1830, 1300, 285);
    CouleurClaire = new QLineEdit(u"#FFE6D5"_qs, CadreCouleur);
    CouleurClaire->setObjectName(u"CouleurClaire"_qs);
    CouleurClaire->setReadOnly(true);
    CouleurClaire->setStyleSheet(u"background:#FFE6D5;"_qs);
    placer(CouleurClaire, 1450, 1830, 1300, 285);
    BoutonKVL3 = new BoutonKVL(u"Autres couleurs..."_qs, QRect(90, 2220, 2660, 400), CadreCouleur);
    BoutonKVL3->setObjectName(u"BoutonKVL3"_qs);
    CadreCouleur->hide();
}

void FormRedigerCV::construireApercu()
{
    FrameCV = new NouveauCadre(QRect(7820, 60, 9000, 9000), this);
    FrameCV->setObjectName(u"FrameCV"_qs);
    CadreOrange = new QFrame(FrameCV);
    CadreOrange->setStyleSheet(u"background:#FF9933; border-radius:3px;"_qs);
    placer(CadreOrange, -500, 255, 450, 45); // out of sight at -500
    const QStringList outils = {u"¶ Paragraphes"_qs, u"◐ Couleurs"_qs, u"⚑ Langue"_qs, u"▤ Imprimer"_qs,
                                u"W Word"_qs};
    for (int i = 0; i < 5; ++i) {
        ImageMenu[i] = new Etiquette(outils[i], FrameCV);
        ImageMenu[i]->setAlignment(Qt::AlignCenter);
        ImageMenu[i]->setStyleSheet(QString::fromLatin1(StyleBouton));
        ImageMenu[i]->setCursor(Qt::PointingHandCursor);
        placer(ImageMenu[i], 60 + i * 1500, 15, 1440, 240);
    }
    Genere = new Etiquette(u"↻ Actualiser"_qs, FrameCV);
    Genere->setObjectName(u"Genere"_qs);
    Genere->setAlignment(Qt::AlignCenter);
    Genere->setStyleSheet(QString::fromLatin1(StyleBouton));
    placer(Genere, 7700, 15, 1440, 240);
    SauvegarderCV = new Etiquette(u"✔ Enregistrer"_qs, FrameCV);
    SauvegarderCV->setAlignment(Qt::AlignCenter);
    SauvegarderCV->setStyleSheet(QString::fromLatin1(StyleBouton));
    placer(SauvegarderCV, 9200, 15, 1440, 240);
    FrameWeb = new QFrame(FrameCV);
    FrameWeb->setObjectName(u"FrameWeb"_qs);
    placer(FrameWeb, 50, 330, 8900, 8600);
    WebBrowser1 = Navigateur::creer(FrameWeb);
    WebBrowser1->setObjectName(u"WebBrowser1"_qs);
    // The preview shows what the user typed: nothing of it may run as a script, and nothing of it
    // may lead the preview away from the CV (a refresh, a link).
    WebBrowser1->fixerScriptsPage(false);
    WebBrowser1->fixerNavigationParLaPage(false);
    // The CV page shows the photograph beside it.
    WebBrowser1->fixerFichiersLocaux(true);
    placer(WebBrowser1, -50, -50, 9000, 8700);
}

// --- the entry panel fitted to what it holds ---

void FormRedigerCV::ajusterPanneau()
{
    // Whatever width the layout gave the controls (the compact layout narrows them), each one
    // stays whole and inside the panel: a control keeps the width its caption needs and the
    // controls right of it on its rows move along; the controls that span the panel follow its
    // right edge and the help icons stand at it; the headings wrap over the lines they need and
    // what lies below moves down; then the frames around the panel follow it.
    Frame1->ensurePolished();
    const int ecart = Twips::versPixels(30); // between a control moved along and the one before it
    const QList<QWidget*> etires = {Label1.value(0), Label1.value(1), FrameIdentite, Fonction, Objectifs,
                                    Etudes, Formations, Experiences, Competences, LanguesPlus, Divers};
    QList<QWidget*> titres; // the sections' headings, which span the panel up to their help icon
    for (int index : {12, 13, 14, 15, 16, 17, 20, 21})
        titres << Label1.value(index);
    QList<QWidget*> icones;
    for (Etiquette* i : Image6)
        icones << i;
    auto etire = [&](QWidget* w) { return etires.contains(w) || titres.contains(w); };

    // The controls that take part: those on show, the situation list that drops down under its
    // box and the identity panel that lies over the detailed boxes; the photograph fits itself
    // above its caption.
    QList<QWidget*> pieces;
    QHash<QWidget*, int> droites; // the right edges as the layout gave them
    int droiteAvant = 0;
    for (QWidget* w : Frame1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w == Photo || (w->isHidden() && w != ListeSituations && w != FrameIdentite))
            continue;
        pieces << w;
        droites.insert(w, droiteDe(w));
        droiteAvant = std::max(droiteAvant, droiteDe(w));
    }

    // Each control at least as wide as it needs; then, column by column from the left, the
    // controls that share a left edge move together past whatever stands before them on their
    // rows (a control that spans the panel moves along, but pushes nothing).
    // The short boxes keep room for what they hold whole: a postal code, a date, an age, a count,
    // and the page model's and font's names, as long as the longest font's.
    QString police;
    for (const QString& nom : OptionsPresentation::polices())
        if (nom.size() > police.size())
            police = nom;
    const QHash<QWidget*, QString> gabarits = {{CP, u"00000"_qs},   {DateNaissance, u"00/00/0000"_qs},
                                               {Age, u"000"_qs},    {NbEnfants, u"00"_qs},
                                               {NomModele, police}, {Police, police},
                                               {Email, u"prenom.nom@fournisseur.fr"_qs}};
    std::map<int, QList<QWidget*>> colonnes;
    for (QWidget* w : pieces) {
        if (icones.contains(w))
            continue;
        const int besoin = etire(w)                 ? 0
                           : gabarits.contains(w) ? largeurPour(static_cast<QLineEdit*>(w), gabarits.value(w))
                                                  : besoinLargeur(w);
        if (besoin > w->width())
            w->resize(besoin, w->height());
        colonnes[w->x()] << w;
    }
    // The photograph's caption stands for the picture above it, down from the top of its box.
    const auto rangees = [this](QWidget* w) {
        return w == Label2 ? QRect(w->x(), Twips::versPixels(HautPhoto), w->width(),
                                   w->y() + w->height() - Twips::versPixels(HautPhoto))
                           : w->geometry();
    };
    QList<QWidget*> placees;
    for (auto& [gauche, membres] : colonnes) {
        int bord = gauche;
        for (QWidget* m : membres)
            for (QWidget* d : placees) {
                const QRect a = rangees(m), b = rangees(d);
                if (!m->isHidden() && !d->isHidden() && !etire(d) && a.top() <= b.bottom() && b.top() <= a.bottom())
                    bord = std::max(bord, droiteDe(d));
            }
        for (QWidget* m : membres)
            m->move(bord > gauche ? bord + ecart : gauche, m->y());
        placees << membres;
    }

    // The language grid's columns stand under the words of their heading.
    const QString entete = Label34->text();
    const QFontMetrics mesure(Label34->font());
    const std::array<std::array<QCheckBox*, 9>*, 4> grille = {&LangueScolaire, &LangueProf, &LangueCourant,
                                                              &LangueBilingue};
    qsizetype debut = 0;
    for (auto* colonne : grille) {
        while (debut < entete.size() && entete.at(debut).isSpace())
            ++debut;
        qsizetype fin = debut;
        while (fin < entete.size() && !entete.at(fin).isSpace())
            ++fin;
        const int milieu = Label34->x() + Label34->contentsRect().left() +
                           mesure.horizontalAdvance(entete.left(debut)) +
                           mesure.horizontalAdvance(entete.mid(debut, fin - debut)) / 2;
        for (QCheckBox* b : *colonne) {
            QStyleOptionButton option;
            option.initFrom(b);
            const QRect indicateur = b->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, b);
            b->move(milieu - indicateur.center().x(), b->y());
        }
        debut = fin;
    }
    // The whole grid, heading included, stands right of the languages' names.
    int recul = 0;
    for (int k = 0; k < 9; ++k)
        recul = std::max(recul, droiteDe(Label32[size_t(k)]) + ecart - LangueScolaire[size_t(k)]->x());
    if (recul > 0) {
        Label34->move(Label34->x() + recul, Label34->y());
        for (auto* colonne : grille)
            for (QCheckBox* b : *colonne)
                b->move(b->x() + recul, b->y());
    }

    // The panel's right edge: as designed, or past the widest row.
    int droite = 0;
    for (QWidget* w : pieces)
        if (!etire(w) && !icones.contains(w))
            droite = std::max(droite, droiteDe(w));
    const int largeur = std::max(droiteAvant, droite + Twips::versPixels(110));
    const int decalage = largeur - droiteAvant;
    for (QWidget* i : icones) {
        const int taille = std::max(i->width(), besoinLargeur(i));
        i->setGeometry(droiteDe(i) + decalage - taille, i->y(), taille, i->height());
    }
    for (QWidget* w : pieces) {
        if (!etire(w))
            continue;
        int bordDroit = droites.value(w) + decalage;
        for (QWidget* i : icones)
            if (!i->isHidden() && memeRangee(i, w))
                bordDroit = std::min(bordDroit, i->x() - ecart);
        w->resize(bordDroit - w->x(), w->height());
    }

    // Headings that no longer hold on one line take the lines they need; what lies below them
    // moves down, and the panel grows by as much.
    QList<QLabel*> entetes;
    for (QWidget* w : titres)
        entetes << static_cast<QLabel*>(w);
    std::sort(entetes.begin(), entetes.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
    int croissance = 0;
    for (QLabel* l : entetes) {
        const int hauteur = l->heightForWidth(l->width());
        if (hauteur <= l->height())
            continue;
        const int bas = l->y() + l->height(), plus = hauteur - l->height();
        l->resize(l->width(), hauteur);
        for (QWidget* w : Frame1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->y() >= bas)
                w->move(w->x(), w->y() + plus);
        croissance += plus;
    }
    Frame1->resize(largeur, Frame1->height() + croissance);
    disposerIdentite();

    // The frames around the panel, with their designed margins (twips): the view that shows the
    // panel, the scroll list beside it, the framed half that holds both, the preview after it.
    const auto p = [](int twips) { return Twips::versPixels(twips); };
    Frame2->resize(Frame1->width() + p(90), Frame2->height());
    const int barre = List1->verticalScrollBar()->sizeHint().width() + 2 * List1->frameWidth();
    List1->setGeometry(droiteDe(Frame2) + p(10), List1->y(), std::max(List1->width(), barre), List1->height());
    FrameZones->resize(droiteDe(List1) + p(60), FrameZones->height());
    Label5->resize(std::min(FrameZones->width() - 2 * Label5->x(), std::max(Label5->width(), besoinLargeur(Label5))),
                   Label5->height());
    FrameCV->move(droiteDe(FrameZones) + p(60), FrameCV->y());
}

void FormRedigerCV::placerOutils()
{
    // The preview's toolbar at its designed places where they fit in the preview's frame;
    // otherwise each picture takes the width its caption needs and the row goes on below, and
    // the preview starts under the last row.
    const auto p = [](int twips) { return Twips::versPixels(twips); };
    const QList<Etiquette*> outils = {ImageMenu[0], ImageMenu[1], ImageMenu[2], ImageMenu[3], ImageMenu[4],
                                      Genere, SauvegarderCV};
    const int disponible = FrameCV->width() - p(60);
    if (p(9200) + p(1440) <= disponible) {
        for (int i = 0; i < 5; ++i)
            placer(ImageMenu[size_t(i)], 60 + i * 1500, 15, 1440, 240);
        placer(Genere, 7700, 15, 1440, 240);
        placer(SauvegarderCV, 9200, 15, 1440, 240);
    } else {
        int x = p(60), y = p(15);
        for (Etiquette* e : outils) {
            const int largeur = std::min(e->sizeHint().width() + p(120), p(1440));
            if (x > p(60) && x + largeur > disponible) {
                x = p(60);
                y += p(240) + p(30);
            }
            e->setGeometry(x, y, largeur, p(240));
            x += largeur + p(60);
        }
    }
    const int bas = SauvegarderCV->y() + SauvegarderCV->height();
    FrameWeb->move(FrameWeb->x(), bas + p(330) - p(15) - p(240));
}

void FormRedigerCV::disposerIdentite()
{
    // The free-text identity panel: its caption over the panel's width (on two lines where it is
    // narrow), the box below it down to the link.
    const auto p = [](int twips) { return Twips::versPixels(twips); };
    const int marge = p(90), largeur = p(Twips::depuisPixels(FrameIdentite->width()) - 200);
    auto* legende = FrameIdentite->findChild<QLabel*>(u"LegendeIdentite"_qs, Qt::FindDirectChildrenOnly);
    if (!legende)
        return;
    legende->setGeometry(marge, p(60), largeur, std::max(p(300), legende->heightForWidth(largeur)));
    const int haut = legende->y() + legende->height() + p(40);
    Identite->setGeometry(marge, haut, largeur, p(400) + p(3250) - haut);
    SaiseDetaillee->resize(std::min(largeur, std::max(SaiseDetaillee->width(), besoinLargeur(SaiseDetaillee))),
                           SaiseDetaillee->height());
}

void FormRedigerCV::surPerteFocus(QWidget* boite, std::function<void()> gestionnaire)
{
    pertesFocus_->relier(boite, std::move(gestionnaire));
}

void FormRedigerCV::relier()
{
    // Leaving handlers.
    surPerteFocus(Identite, [this] { Identite_LostFocus(); });
    surPerteFocus(Nom, [this] { Nom_LostFocus(); });
    surPerteFocus(Prenom, [this] { Prenom_LostFocus(); });
    surPerteFocus(Adresse1, [this] { Adresse1_LostFocus(); });
    surPerteFocus(Pays, [this] { Pays_LostFocus(); });
    surPerteFocus(Ville, [this] { Ville_LostFocus(); });
    surPerteFocus(LieuNaissance, [this] { LieuNaissance_LostFocus(); });
    surPerteFocus(ListeSituations, [this] { ListeSituations_LostFocus(); });
    surPerteFocus(NomModele, [this] { MasquerOptions(); });
    surPerteFocus(Police, [this] { MasquerOptions(); });
    for (QWidget* s : std::initializer_list<QWidget*>{Fonction, Etudes, Formations, Experiences, Objectifs, Divers,
                                                     Competences, LanguesPlus})
        surPerteFocus(s, [this, s] { Section_LostFocus(s); });
    NomModele->installEventFilter(this);
    Police->installEventFilter(this);
    // The preview taking the focus (a click in the page) closes the option panels.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* maintenant) {
        if (maintenant && (maintenant == WebBrowser1 || WebBrowser1->isAncestorOf(maintenant)))
            MasquerOptions();
        montrerAuFocus(maintenant);
    });
    // The links and pictures that act on a click also act on Space or Enter once Tab reaches them.
    Activable::rendre(SaiseDetaillee, [this] { SaiseDetaillee_Click(); });
    for (int i = 0; i < 5; ++i)
        Activable::rendre(ImageMenu[size_t(i)], [this, i] { ImageMenu_Click(i); });
    Activable::rendre(Genere, [this] { Genere_Click(); });
    Activable::rendre(SauvegarderCV, [this] { SauvegarderCV_Click(); });

    // Change handlers: whenever the text changes, typed or set.
    connect(DateNaissance, &QLineEdit::textChanged, this, [this] { DateNaissance_Change(); });
    for (QLineEdit* option : {Couleur, Gras, Souligne, Indentation, Saut, Police, Modele, LangueCV})
        connect(option, &QLineEdit::textChanged, this, [this] { VisualisationCV(); });

    connect(SaiseDetaillee, &Etiquette::clic, this, &FormRedigerCV::SaiseDetaillee_Click);
    connect(Image8, &Etiquette::clic, this, &FormRedigerCV::Image8_Click);
    connect(ListeSituations, &QListWidget::itemClicked, this, [this] { ListeSituations_Click(); });
    connect(Genere, &Etiquette::clic, this, &FormRedigerCV::Genere_Click);
    connect(SauvegarderCV, &Etiquette::clic, this, &FormRedigerCV::SauvegarderCV_Click);
    connect(BoutonKVL1, &BoutonKVL::Click, this, &FormRedigerCV::BoutonKVL1_Click);
    connect(BoutonKVL3, &BoutonKVL::Click, this, &FormRedigerCV::BoutonKVL3_Click);
    connect(List1->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { List1_Scroll(); });
    connect(Photo, &Etiquette::clic, this, &FormRedigerCV::Photo_Click);
    connect(Label2, &Etiquette::clic, this, &FormRedigerCV::Photo_Click);
    connect(CopierPhoto19, &Etiquette::clic, this, [this] { CopierPhoto_Click(19); });
    for (auto it = Label1.cbegin(); it != Label1.cend(); ++it) {
        const int index = it.key();
        connect(it.value(), &Etiquette::clic, this, [this, index] { Label1_Click(index); });
    }
    for (auto it = Image6.cbegin(); it != Image6.cend(); ++it) {
        const int index = it.key();
        connect(it.value(), &Etiquette::survol, this, [this, index] { Image6_MouseMove(index); });
    }
    for (int i = 0; i < 5; ++i) {
        connect(ImageMenu[i], &Etiquette::clic, this, [this, i] { ImageMenu_Click(i); });
        connect(ImageMenu[i], &Etiquette::survol, this, [this, i] { ImageMenu_MouseMove(i); });
    }
    for (int k = 0; k < 9; ++k)
        for (QCheckBox* b : {LangueScolaire[k], LangueProf[k], LangueCourant[k], LangueBilingue[k]})
            connect(b, &QCheckBox::clicked, this, [this, k, b] { Langue_Clic(k, b); });
    for (int k = 0; k < 4; ++k)
        connect(CheckParagraphe[k], &QCheckBox::toggled, this, [this, k] { CheckParagraphe_Click(k); });
    for (int k = 0; k < 2; ++k)
        connect(CheckDisposition[k], &QCheckBox::toggled, this, [this, k] { CheckDisposition_Click(k); });
    for (int i = 0; i < 20; ++i)
        connect(Coul[i], &Etiquette::clic, this, [this, i] { Coul_Click(i); });
    connect(Image2, &Etiquette::clic, this, &FormRedigerCV::Image2_Click);
    connect(Image3, &Etiquette::clic, this, &FormRedigerCV::Image3_Click);
    connect(ListeModeles, &QListWidget::itemClicked, this, [this] { ListeModeles_Click(); });
    for (int k = 0; k < 6; ++k) {
        connect(PoliceT[k], &Etiquette::clic, this, [this, k] { PoliceT_Click(k); });
        connect(PoliceT[k], &Etiquette::survol, this, [this, k] { PoliceT_MouseMove(k); });
    }
}

bool FormRedigerCV::eventFilter(QObject* objet, QEvent* evenement)
{
    auto* w = qobject_cast<QWidget*>(objet);
    if (evenement->type() == QEvent::MouseButtonRelease && (w == NomModele || w == Police)) {
        if (w == NomModele)
            NomModele_Click();
        else
            Police_Click();
    } else if (evenement->type() == QEvent::MouseMove && w == Frame1) {
        Frame1_MouseMove();
    } else if ((evenement->type() == QEvent::Resize || evenement->type() == QEvent::Move) &&
               (w == Photo || w == Label2)) {
        cadrerPhoto();
    }
    return QWidget::eventFilter(objet, evenement);
}

void FormRedigerCV::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (enRedimension_)
        return;
    // An editor on show that the main window narrows below the compact width (a window snapped to
    // half a screen) takes the compact layout once, as it does when it opens that narrow; widened
    // again, it takes back its full layout.
    const bool etroite = Twips::depuisPixels(cadre()->width()) < LargeurCompacte;
    if (isVisible() && !compacte_ && etroite) {
        BoutonKVL1_Click();
        compacteParLargeur_ = true;
    } else if (isVisible() && compacteParLargeur_ && !etroite) {
        retrouverDispositionPleine();
    } else {
        Form_Resize();
    }
}

void FormRedigerCV::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && isWindow())
        Form_Activate();
}

// --- controls by name ---

QString FormRedigerCV::texteControle(const QString& nom) const
{
    QWidget* w = zones_.value(nom);
    if (auto* l = qobject_cast<QLineEdit*>(w))
        return l->text();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        return SautsLigne::versCRLF(t->toPlainText());
    if (auto* liste = qobject_cast<QListWidget*>(w)) {
        const auto choisis = liste->selectedItems();
        return choisis.isEmpty() ? QString() : choisis.first()->text();
    }
    if (auto* c = qobject_cast<CadreBleu*>(w))
        return c->Text();
    return {};
}

bool FormRedigerCV::fixerTexteControle(const QString& nom, const QString& valeur)
{
    QWidget* w = zones_.value(nom);
    if (auto* l = qobject_cast<QLineEdit*>(w)) {
        l->setText(valeur);
        return true;
    }
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        const QString v = SautsLigne::versWidget(valeur);
        if (t->toPlainText() != v) {
            // A run of characters longer than any word (a damaged file) is wrapped anywhere:
            // looking for a word's end in it would hold the box for minutes. The mode changes
            // while the box holds no such run, as a change lays the text out again.
            const bool partout = sansCoupure(v, 1000);
            if (partout)
                t->setWordWrapMode(QTextOption::WrapAnywhere);
            t->setPlainText(v);
            if (!partout)
                t->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        }
        return true;
    }
    if (auto* liste = qobject_cast<QListWidget*>(w)) {
        // A list takes a text by selecting the entry of that text; no entry, no selection.
        const auto trouves = liste->findItems(valeur, Qt::MatchExactly);
        if (trouves.isEmpty()) {
            liste->clearSelection();
            return valeur.isEmpty();
        }
        liste->setCurrentItem(trouves.first());
        return true;
    }
    if (auto* c = qobject_cast<CadreBleu*>(w)) {
        c->setText(valeur);
        return true;
    }
    return false;
}

QCheckBox* FormRedigerCV::membre(const QString& groupe, int index) const
{
    return groupes_.value(QStringLiteral("%1:%2").arg(index).arg(groupe));
}


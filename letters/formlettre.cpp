#include "letters/formlettre.h"

#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "platform/attente.h"
#include "platform/plateforme.h"
#include "shell/controls/activable.h"
#include "shell/controls/zone_texte.h"
#include "shell/dialogs/afficher_guide.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"
#include "shell/services/sauts_ligne.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

namespace {

void placer(QWidget* w, int gauche, int haut, int largeur, int hauteur)
{
    w->setGeometry(Twips::rect(gauche, haut, largeur, hauteur));
}
int gaucheT(const QWidget* w) { return Twips::depuisPixels(w->x()); }
int largeurT(const QWidget* w) { return Twips::depuisPixels(w->width()); }
int hauteurT(const QWidget* w) { return Twips::depuisPixels(w->height()); }
void fixerLargeurT(QWidget* w, int t) { w->resize(qMax(0, Twips::versPixels(t)), w->height()); }
void fixerHauteurT(QWidget* w, int t) { w->resize(w->width(), qMax(0, Twips::versPixels(t))); }

using SautsLigne::versCRLF;
using SautsLigne::versWidget;

QString dossierDonnees() { return QDir::currentPath(); }
Principale* principale() { return RegistreFenetres::instance().siChargee<Principale>(); }

const char* const StyleTitre = "background:#3366AA; color:white; font-weight:bold;";
const char* const StyleImage = "background:#EEF3FA; border:1px solid #8AA6D0; color:#203A66;";

} // namespace

FormLettre::FormLettre(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"FormLettre"_qs);
    setWindowTitle(u"Rédiger un modèle de lettre"_qs);
    construire();
    relier();
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &FormLettre::Timer1_Timer);
    Timer1->start();
}

FormLettre::~FormLettre() = default;

// --- construction ---

void FormLettre::construire()
{
    setAutoFillBackground(true);
    setStyleSheet(u"QLineEdit, QPlainTextEdit { background:white; border:1px solid #9DB3D6; }"_qs);

    Zones = new NouveauCadre(QRect(60, 60, 7100, 9000), this);
    Zones->setObjectName(u"Zones"_qs);
    auto titre = [this](const QString& texte, int haut) {
        auto* l = new QLabel(texte, Zones);
        l->setStyleSheet(QString::fromLatin1(StyleTitre));
        placer(l, 60, haut, 6980, 285);
        return l;
    };
    // Two columns of identity boxes, each column's boxes past its longest caption.
    const QFontMetrics mesure(font());
    auto apres = [&mesure](int gauche, const QStringList& legendes, int conception) {
        int droite = 0;
        for (const QString& l : legendes)
            droite = std::max(droite, gauche + Twips::depuisPixels(mesure.horizontalAdvance(l) + 1));
        return std::max(conception, droite + 60);
    };
    const int c2 = 3600;
    const int g1 = apres(120, {u"Nom"_qs, u"Adresse 1"_qs, u"CP / Ville"_qs, u"Tel fixe"_qs, u"Courriel"_qs,
                               u"Fonction"_qs, u"Compétences"_qs}, 1300);
    const int g2 = apres(c2, {u"Prénom"_qs, u"Adresse 2"_qs, u"Pays"_qs, u"Mob"_qs, u"Domaine"_qs,
                              u"Dernière société"_qs}, 5050);
    const int l1 = c2 - 100 - g1, l2 = 6980 - g2;
    // A caption without a width of its own reaches up to its column's boxes.
    auto legende = [this, g1, g2](const QString& texte, int gauche, int haut, int largeur = 0) {
        auto* l = new QLabel(texte, Zones);
        placer(l, gauche, haut, largeur > 0 ? largeur : (gauche < g1 ? g1 : g2) - 30 - gauche, 285);
        return l;
    };
    auto boite = [this](const QString& nom, int gauche, int haut, int largeur) {
        auto* b = new QLineEdit(Zones);
        b->setObjectName(nom);
        placer(b, gauche, haut, largeur, 285);
        return b;
    };

    titre(u"   Informations identitaires"_qs, 330);
    Image1 = new Etiquette(u"▤ CV"_qs, Zones);
    Image1->setObjectName(u"Image1"_qs);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setStyleSheet(QString::fromLatin1(StyleImage));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(u"Initialiser à partir d'un CV"_qs);
    placer(Image1, 6200, 345, 780, 255);
    int y = 680;
    legende(u"Nom"_qs, 120, y);
    Nom = boite(u"Nom"_qs, g1, y, l1);
    legende(u"Prénom"_qs, c2, y);
    Prenom = boite(u"Prénom"_qs, g2, y, l2);
    y += 330;
    legende(u"Adresse 1"_qs, 120, y);
    Adresse1 = boite(u"Adresse1"_qs, g1, y, l1);
    legende(u"Adresse 2"_qs, c2, y);
    Adresse2 = boite(u"Adresse2"_qs, g2, y, l2);
    y += 330;
    legende(u"CP / Ville"_qs, 120, y);
    CP = boite(u"CP"_qs, g1, y, 700);
    Ville = boite(u"Ville"_qs, g1 + 760, y, l1 - 760);
    legende(u"Pays"_qs, c2, y);
    Pays = boite(u"Pays"_qs, g2, y, l2);
    y += 330;
    legende(u"Tel fixe"_qs, 120, y);
    Tel = boite(u"Tel"_qs, g1, y, l1);
    legende(u"Mob"_qs, c2, y);
    Mob = boite(u"Mob"_qs, g2, y, l2);
    y += 330;
    legende(u"Courriel"_qs, 120, y);
    Email = boite(u"Email"_qs, g1, y, l1 + g2 + l2 - g1 - l1);
    y += 400;
    legende(u"Fonction"_qs, 120, y);
    Fonction = boite(u"Fonction"_qs, g1, y, l1);
    legende(u"Domaine"_qs, c2, y);
    Domaine = boite(u"Domaine"_qs, g2, y, l2);
    y += 330;
    legende(u"Compétences"_qs, 120, y);
    Competences = boite(u"Competences"_qs, g1, y, l1);
    legende(u"Dernière société"_qs, c2, y);
    LastSociete = boite(u"LastSociete"_qs, g2, y, l2);
    y += 330;
    legende(u"Dernier poste occupé"_qs, 120, y, 2000);
    Poste = boite(u"Poste"_qs, 2150, y, 4830);

    y += 420;
    titre(u"  Corps de la lettre - propositions de textes"_qs, y);
    Command1 = new QPushButton(u"Propositions..."_qs, Zones);
    Command1->setToolTip(u"Modifier les propositions de textes"_qs);
    Command1->setObjectName(u"Command1"_qs);
    placer(Command1, 5580, y + 15, 1400, 255);
    y += 340;
    hautCorps_ = y;
    const QStringList paragraphes = {u"Introduction"_qs, u"Adequation"_qs, u"Motivation"_qs, u"Disposition"_qs,
                                     u"Politesse"_qs};
    for (int i = 0; i < 5; ++i) {
        legende(paragraphes[i], 120, y, 1400);
        BoutonKVL1[i] = new BoutonKVL(u"Précédent"_qs, QRect(60, y + 300, 840, 300), Zones);
        BoutonKVL2[i] = new BoutonKVL(u"Suivant"_qs, QRect(920, y + 300, 700, 300), Zones);
        BoutonKVL1[i]->setObjectName(QStringLiteral("BoutonKVL1_%1").arg(i));
        BoutonKVL2[i]->setObjectName(QStringLiteral("BoutonKVL2_%1").arg(i));
        Corps[i] = new ZoneTexte(Zones);
        Corps[i]->setObjectName(QStringLiteral("Corps_%1").arg(i));
        placer(Corps[i], 1680, y, 5300, 700);
        y += 760;
    }

    y += 60;
    titre(u"Lettre et texte d'accompagnement"_qs, y);
    y += 330;
    Check_Modele[0] = new QCheckBox(u"Modèle à imprimer"_qs, Zones);
    Check_Modele[1] = new QCheckBox(u"Modèle à envoyer par courriel"_qs, Zones);
    Check_candidature[0] = new QCheckBox(u"Candidature spontanée"_qs, Zones);
    Check_candidature[1] = new QCheckBox(u"Réponse à une annonce"_qs, Zones);
    placer(Check_Modele[0], 120, y, 3300, 285);
    placer(Check_Modele[1], 3550, y, 3400, 285);
    placer(Check_candidature[0], 120, y + 300, 3300, 285);
    placer(Check_candidature[1], 3550, y + 300, 3400, 285);
    Check_Modele[0]->setChecked(true);
    Check_candidature[1]->setChecked(true);
    y += 660;
    NomLettre = boite(u"NomLettre"_qs, 120, y, 6000);
    NomLettre->setToolTip(u"Nom du modèle de lettre"_qs);
    NomLettre->setPlaceholderText(u"Nom du modèle (donné à son premier enregistrement)"_qs);
    Picture2 = new Etiquette(u"↻"_qs, Zones);
    Picture2->setObjectName(u"Picture2"_qs);
    Picture2->setAlignment(Qt::AlignCenter);
    Picture2->setStyleSheet(QString::fromLatin1(StyleImage));
    Picture2->setCursor(Qt::PointingHandCursor);
    Picture2->setToolTip(u"Recomposer la lettre"_qs);
    placer(Picture2, 6250, y, 730, 285);

    basZones_ = y + 285;
    for (QWidget* w : Zones->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (Twips::depuisPixels(w->y()) >= hautCorps_)
            hautsCorps_.insert(w, Twips::depuisPixels(w->y()));

    // The CV list, over the identity boxes while the user picks a CV.
    ListeCV = new CadreBleu({}, QRect(3500, 600, 3500, 2100), Zones);
    ListeCV->setObjectName(u"ListeCV"_qs);
    ListeCV->setAutoFillBackground(true);
    auto* lcv = new QLabel(u"Initialiser à partir d'un CV"_qs, ListeCV);
    placer(lcv, 120, 300, 3260, 285);
    for (int i = 0; i < 5; ++i) {
        NomCV[i] = new Etiquette({}, ListeCV);
        NomCV[i]->setObjectName(QStringLiteral("NomCV_%1").arg(i));
        NomCV[i]->setAutoFillBackground(true);
        NomCV[i]->setStyleSheet(u"background:#FFFFFF;"_qs);
        NomCV[i]->setCursor(Qt::PointingHandCursor);
        placer(NomCV[i], 120, 640 + i * 285, 3260, 270);
    }
    ListeCV->hide();

    // The letter on the right.
    Shape2 = new QFrame(this);
    Shape2->setObjectName(u"Shape2"_qs);
    Shape2->setFrameShape(QFrame::Box);
    Shape2->setStyleSheet(u"QFrame#Shape2 { border:1px solid #8AA6D0; background:#F7F9FD; }"_qs);
    placer(Shape2, 7250, 60, 9000, 9000);
    CadreObjet = new CadreBleu({}, QRect(7250, 60, 9015, 700), this);
    CadreObjet->setObjectName(u"CadreObjet"_qs);
    auto* lo = new QLabel(u"Objet"_qs, CadreObjet);
    placer(lo, 120, 330, 800, 285);
    Objet = new QLineEdit(CadreObjet);
    Objet->setObjectName(u"Objet"_qs);
    placer(Objet, 950, 330, 7000, 285);
    Text1 = new ZoneTexte(this);
    Text1->setObjectName(u"Text1"_qs);
    // The letter wraps at the box's width on screen only: its text keeps the user's own breaks.
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    placer(Text1, 7450, 850, 8000, 8000);
    Picture1 = new Etiquette(u"✉"_qs, this);
    Picture1->setObjectName(u"Picture1"_qs);
    Picture1->setAlignment(Qt::AlignCenter);
    placer(Picture1, 15800, 120, 400, 400);

    const QList<std::pair<QString, QWidget*>> zones = {
        {u"CadreObjet"_qs, CadreObjet}, {u"Objet"_qs, Objet},       {u"Text1"_qs, Text1},
        {u"NomLettre"_qs, NomLettre},   {u"Poste"_qs, Poste},       {u"LastSociete"_qs, LastSociete},
        {u"ListeCV"_qs, ListeCV},       {u"Competences"_qs, Competences}, {u"Domaine"_qs, Domaine},
        {u"Fonction"_qs, Fonction},     {u"Email"_qs, Email},       {u"Mob"_qs, Mob},
        {u"Tel"_qs, Tel},               {u"Pays"_qs, Pays},         {u"Ville"_qs, Ville},
        {u"CP"_qs, CP},                 {u"Adresse2"_qs, Adresse2}, {u"Prénom"_qs, Prenom},
        {u"Adresse1"_qs, Adresse1},     {u"Nom"_qs, Nom}};
    for (const auto& [nom, w] : zones)
        zones_.insert(nom, w);
}

void FormLettre::surPerteFocus(QWidget* boite, std::function<void()> gestionnaire)
{
    pertesFocus_->relier(boite, std::move(gestionnaire));
}

void FormLettre::relier()
{
    surPerteFocus(Email, [this] { Email_LostFocus(); });
    surPerteFocus(Prenom, [this] { Prenom_LostFocus(); });
    surPerteFocus(Nom, [this] { Nom_LostFocus(); });
    // A box's click runs whenever its value changes, also when code sets it.
    for (int i = 0; i < 2; ++i) {
        connect(Check_Modele[i], &QCheckBox::toggled, this, [this, i] { Check_Modele_Click(i); });
        connect(Check_candidature[i], &QCheckBox::toggled, this, [this, i] { Check_candidature_Click(i); });
    }
    for (int i = 0; i < 5; ++i) {
        connect(BoutonKVL1[i], &BoutonKVL::Click, this, [this, i] { BoutonKVL1_Click(i); });
        connect(BoutonKVL2[i], &BoutonKVL::Click, this, [this, i] { BoutonKVL2_Click(i); });
        connect(NomCV[i], &Etiquette::clic, this, [this, i] { NomCV_Click(i); });
        connect(NomCV[i], &Etiquette::survol, this, [this, i] { NomCV_MouseMove(i); });
    }
    connect(Picture2, &Etiquette::clic, this, &FormLettre::Picture2_Click);
    connect(Image1, &Etiquette::clic, this, &FormLettre::Image1_Click);
    Activable::rendre(Image1, [this] { Image1_Click(); });
    Activable::rendre(Picture2, [this] { Picture2_Click(); });
    connect(Command1, &QPushButton::clicked, this, &FormLettre::Command1_Click);
}

void FormLettre::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (!enRedimension_)
        Form_Resize();
}

QWidget* FormLettre::cadre()
{
    auto* sous = qobject_cast<QMdiSubWindow*>(parentWidget());
    return sous ? static_cast<QWidget*>(sous) : this;
}

// --- controls by name ---

QString FormLettre::texteControle(const QString& nom) const
{
    QWidget* w = zones_.value(nom);
    if (auto* l = qobject_cast<QLineEdit*>(w))
        return l->text();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        return versCRLF(t->toPlainText());
    if (auto* c = qobject_cast<CadreBleu*>(w))
        return c->Text();
    return {};
}

bool FormLettre::fixerTexteControle(const QString& nom, const QString& valeur)
{
    QWidget* w = zones_.value(nom);
    if (auto* l = qobject_cast<QLineEdit*>(w)) {
        QString v = valeur;
        v.replace(u"\r\n"_qs, u" "_qs); // a one-line box cannot hold a break
        l->setText(v);
        return true;
    }
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        const QString v = versWidget(valeur);
        if (t->toPlainText() != v)
            t->setPlainText(v);
        return true;
    }
    if (auto* c = qobject_cast<CadreBleu*>(w)) {
        c->setText(valeur);
        return true;
    }
    return false;
}

QString FormLettre::texteCorps(int index) const { return versCRLF(Corps[index]->toPlainText()); }

void FormLettre::fixerCorps(int index, const QString& texte)
{
    const QString v = versWidget(texte);
    if (Corps[index]->toPlainText() != v)
        Corps[index]->setPlainText(v);
}

FichierLettre::ValeursLettre FormLettre::valeurs() const
{
    FichierLettre::ValeursLettre l;
    for (const QString& b : FichierLettre::boites())
        l.fixer(b, texteControle(b));
    for (int i = 0; i < 5; ++i)
        l.corps[i] = texteCorps(i);
    for (int i = 0; i < 2; ++i) {
        l.modele[i] = Check_Modele[i]->isChecked() ? 1 : 0;
        l.candidature[i] = Check_candidature[i]->isChecked() ? 1 : 0;
    }
    return l;
}

void FormLettre::appliquer(const FichierLettre::ValeursLettre& l)
{
    for (const QString& b : FichierLettre::boites())
        fixerTexteControle(b, l.texte(b));
    for (int i = 0; i < 5; ++i)
        fixerCorps(i, l.corps[i]);
    for (int i = 0; i < 2; ++i) {
        Check_Modele[i]->setChecked(l.modele[i] == 1);
        Check_candidature[i]->setChecked(l.candidature[i] == 1);
    }
}

// --- load, activation, layout ---

void FormLettre::Form_Load()
{
    Chargement = true;
    QWidget* fenetre = cadre();
    fenetre->move(0, 0);
    if (QWidget* p = principale())
        fenetre->resize(Twips::taille(largeurT(p) - 100, hauteurT(p) - 1700));
    else
        fenetre->resize(Twips::taille(17500, 10500));
    // The first five files of the CV folder, any extension, in the folder's sorted order.
    ListeFichiers local;
    ListeFichiers& liste = principale() ? principale()->File1 : local;
    liste.Path = dossierDonnees() + u"/CV/"_qs;
    liste.Refresh();
    for (int i = 0; i < 5; ++i) {
        QString n = liste.List(i);
        n.replace(u".dat"_qs, QString());
        NomCV[i]->setText(n);
    }
    Propositions = Composition::chargerPropositions(dossierDonnees() + u"/propositions.txt"_qs);
    Chargement = false;
    if (auto* sous = qobject_cast<QMdiSubWindow*>(fenetre); sous && sous->mdiArea())
        connect(sous->mdiArea(), &QMdiArea::subWindowActivated, this, [this, sous](QMdiSubWindow* active) {
            if (active == sous)
                Form_Activate();
        });
    show();
    fenetre->show();
    Attente::pomper();
}

void FormLettre::Form_Activate()
{
    LiensFenetres::appeler(LiensFenetres::arreterGlissementAccueil);
    RegistreFenetres::instance().decharger(u"Assistant"_qs);
}

void FormLettre::Form_Resize()
{
    enRedimension_ = true;
    const int l = largeurT(this), h = hauteurT(this);
    fixerHauteurT(Zones, h - 100);
    fixerHauteurT(Shape2, h - 100);
    fixerLargeurT(Shape2, l - gaucheT(Shape2) - 200);
    fixerHauteurT(Text1, h - 1000);
    fixerLargeurT(Text1, qMin(l - gaucheT(Text1) - 800, 10000));
    if (largeurT(Text1) < 8000) {
        QFont f = Text1->font();
        f.setPointSize(8);
        Text1->setFont(f);
    }
    fixerLargeurT(CadreObjet, largeurT(Shape2) + 15);
    Picture1->move(Twips::versPixels(largeurT(Shape2) + gaucheT(Shape2) - largeurT(Picture1)), Picture1->y());
    // The subject's box stops short of the picture at the frame's right edge.
    fixerLargeurT(Objet, qMin(7000, gaucheT(Picture1) - gaucheT(CadreObjet) - gaucheT(Objet) - 60));
    // A panel shorter than what it holds: the five paragraphs give up what it lacks, each as
    // much, down to the height of their buttons; what lies below them moves up.
    const int retrait = qBound(0, (basZones_ + 60 - hauteurT(Zones) + 4) / 5, 100);
    for (auto [w, haut] : hautsCorps_.asKeyValueRange()) {
        const int rangee = qMin(5, (haut - hautCorps_) / 760);
        w->move(w->x(), Twips::versPixels(haut - rangee * retrait));
    }
    for (QPlainTextEdit* c : Corps)
        fixerHauteurT(c, 700 - retrait);
    enRedimension_ = false;
}

// --- commands ---

void FormLettre::Check_Modele_Click(int index)
{
    Check_Modele[1 - index]->setChecked(!Check_Modele[index]->isChecked());
    if (!Chargement)
        ComposerLettre();
}

void FormLettre::Check_candidature_Click(int index)
{
    Check_candidature[1 - index]->setChecked(!Check_candidature[index]->isChecked());
    if (!Chargement)
        ComposerLettre();
}

void FormLettre::Email_LostFocus() { ComposerLettre(); }

void FormLettre::Prenom_LostFocus()
{
    if (!Prenom->text().isEmpty())
        Prenom->setText(Fonctionnel::FormaterNomPropre(Prenom->text()));
}

void FormLettre::Picture2_Click()
{
    Text1->clear();
    ComposerLettre();
}

void FormLettre::Command1_Click() { Systeme::OuvrirDocument(dossierDonnees() + u"/propositions.txt"_qs); }

void FormLettre::Image1_Click()
{
    ListeCV->show();
    ListeCV->raise();
    Nom->setFocus(Qt::OtherFocusReason);
}

void FormLettre::Nom_LostFocus() { ListeCV->hide(); }

void FormLettre::NomCV_Click(int index)
{
    const QString nom = NomCV[index]->text();
    if (nom.isEmpty())
        return;
    const QString chemin = dossierDonnees() + u"/CV/"_qs + nom + u".dat"_qs;
    if (QFileInfo(chemin).isFile())
        InitLettre(chemin);
}

void FormLettre::NomCV_MouseMove(int index)
{
    if (NomCV[index]->text().isEmpty())
        return;
    for (int j = 0; j < 5; ++j)
        NomCV[j]->setStyleSheet(j == index ? u"background:#E0EEFF;"_qs : u"background:#FFFFFF;"_qs);
}

void FormLettre::BoutonKVL1_Click(int index)
{
    const QString p = Composition::precedente(Propositions, texteCorps(index), index);
    fixerCorps(index, Composition::resoudreGenrePrenom(p, Prenom->text()));
    if (!Chargement)
        ComposerLettre();
}

void FormLettre::BoutonKVL2_Click(int index)
{
    const QString p = Composition::suivante(Propositions, texteCorps(index), index);
    fixerCorps(index, Composition::resoudreGenrePrenom(p, Prenom->text()));
    if (!Chargement)
        ComposerLettre();
}

void FormLettre::ComposerLettre()
{
    const Composition::Resultat r = Composition::composerLettre(valeurs());
    Domaine->setText(r.domaine);
    fixerTexteControle(u"Text1"_qs, r.texte);
    if (r.objet)
        Objet->setText(*r.objet);
    CadreObjet->setVisible(r.cadreObjetVisible);
}

// --- the template file ---

bool FormLettre::lettreEnAttente() const
{
    return !Nom->text().isEmpty() && texteControle(u"Text1"_qs) != TexteEnregistre;
}

void FormLettre::Timer1_Timer()
{
    if (!lettreEnAttente())
        return;
    // A failed save is tried again at the next tick; it is told once per name, not at every
    // tick while the user types, and without taking the keys the user is typing.
    if (EnregistrerLettre()) {
        echecSignale_.clear();
    } else if (echecSignale_ != NomLettre->text()) {
        echecSignale_ = NomLettre->text();
        const SansInterrompre sansInterrompre;
        MsgBox(FichierLettre::messageEchec(echecSignale_));
    }
}

void FormLettre::closeEvent(QCloseEvent* e)
{
    // The letter typed within the autosave's second is saved before the window goes; a save
    // that fails now loses the text, and is said whatever was said before. The autosave is
    // over: it does not tell the same failure again under that message.
    Timer1->stop();
    if (lettreEnAttente() && !EnregistrerLettre())
        MsgBox(u"Le modèle de lettre « %1 » n'a pas pu être enregistré : les dernières modifications de la lettre "
               "sont perdues. Vérifiez qu'il reste de la place sur le disque et que le dossier Lettres peut être "
               "modifié."_qs.arg(NomLettre->text()));
    QWidget::closeEvent(e);
}

bool FormLettre::CederPlace(const QString& commande)
{
    // The autosave does not tell the same failure under the question.
    const bool autosauvegarde = Timer1->isActive();
    Timer1->stop();
    const bool cede = !lettreEnAttente() || EnregistrerLettre()
        || MsgBox(u"Le modèle de lettre « %1 » n'a pas pu être enregistré. %2 fera perdre vos dernières modifications "
                  "de la lettre. Continuer ?"_qs.arg(NomLettre->text(), commande),
                  true);
    if (cede) // the user lets the changes go: nothing more to write or to say for them
        TexteEnregistre = texteControle(u"Text1"_qs);
    if (autosauvegarde)
        Timer1->start();
    return cede;
}

bool FormLettre::EnregistrerLettre()
{
    FichierLettre::ValeursLettre l = valeurs();
    if (NomLettre->text().isEmpty()) {
        // A new template never takes the file of another one.
        NomLettre->setText(FichierLettre::nomGenereLibre(
            Prenom->text(), Nom->text(), l.imprime(), l.spontanee(), [](const QString& n) {
                return QFileInfo::exists(FichierLettre::cheminFichier(dossierDonnees(), n));
            }));
        l.fixer(u"NomLettre"_qs, NomLettre->text());
    }
    if (!FichierLettre::enregistrer(dossierDonnees(), NomLettre->text(), l))
        return false;
    TexteEnregistre = texteControle(u"Text1"_qs);
    if (Principale* p = principale())
        p->InitMenu();
    return true;
}

void FormLettre::ChargerFichierLettre(const QString& NomFic)
{
    if (!QFileInfo(NomFic).isFile()) {
        MsgBox(FichierLettre::MessageNonAccessible);
        return;
    }
    if (!CederPlace(u"Ouvrir le modèle de lettre "_qs + QFileInfo(NomFic).fileName()))
        return;
    if (const auto entrees = FichierControles::charger(NomFic); entrees && !entrees->isEmpty()) {
        Chargement = true;
        appliquer(FichierLettre::depuisEntrees(*entrees, valeurs()));
        // The template is the file: one copied or renamed on the desktop still holds its old
        // name, and saving under that name would overwrite the other file.
        NomLettre->setText(FichierLettre::nomDepuisChemin(NomFic));
    }
    if (auto* sous = qobject_cast<QMdiSubWindow*>(parentWidget()); sous && sous->mdiArea())
        sous->mdiArea()->setActiveSubWindow(sous);
    raise();
    Chargement = false;
    TexteEnregistre = texteControle(u"Text1"_qs);
    CadreObjet->setVisible(Check_Modele[1]->isChecked());
}

void FormLettre::InitLettre(const QString& fichier)
{
    ListeCV->hide();
    static const QStringList depuisCV = {u"Nom"_qs, u"Prénom"_qs, u"Adresse1"_qs, u"Adresse2"_qs,
                                         u"CP"_qs,  u"Ville"_qs,  u"Pays"_qs,     u"Tel"_qs,
                                         u"Mob"_qs, u"Email"_qs,  u"Fonction"_qs, u"Competences"_qs};
    if (const auto lignes = FichiersTexte::lireLignes(fichier)) {
        for (const QString& ligne : *lignes) {
            const qsizetype egal = ligne.indexOf(u'=');
            if (egal < 0)
                continue;
            const QString nom = ligne.left(egal);
            if (depuisCV.contains(nom))
                fixerTexteControle(nom, FichierControles::restaurerSauts(ligne.mid(egal + 1)));
        }
    }
    Competences->clear();
    ComposerLettre();
}

void FormLettre::NouvelleLettre()
{
    if (!CederPlace(u"Rédiger un nouveau modèle de lettre"_qs))
        return;
    for (const QString& b : FichierLettre::boites())
        fixerTexteControle(b, QString());
    for (int i = 0; i < 5; ++i)
        Corps[i]->clear();
    std::array<QString, 5> corps;
    Composition::premieresPhrases(Propositions, corps);
    for (int i = 0; i < 5; ++i)
        fixerCorps(i, corps[i]);
    if (auto* sous = qobject_cast<QMdiSubWindow*>(parentWidget()); sous && sous->mdiArea())
        sous->mdiArea()->setActiveSubWindow(sous);
    raise();
    Nom->setFocus(Qt::OtherFocusReason);
    Attente::pomper();

    Principale* p = principale();
    const QString cv = p ? p->ImageMenu[0]->toolTip() : QString();
    if (cv.endsWith(u".dat"_qs)
        && MsgBox(u"Souhaitez-vous initialiser le modèle de lettre à partir des informations saisies dans le CV "_qs
                      + cv + u" ?"_qs,
                  true)) {
        InitLettre(dossierDonnees() + u"/CV/"_qs + cv);
        return;
    }
    if (p && p->ImageMenu[5]->genre() == Dessins::Icone::Nouveau) {
        Attente::dormir(500);
        Fonctionnel::AfficherGuide(TexteGuide);
    }
}

void installerLiensLettres()
{
    LiensFenetres::chargerFichierLettre = [](const QString& chemin) { Forme<FormLettre>().ChargerFichierLettre(chemin); };
    LiensFenetres::nouvelleLettre = [] { Forme<FormLettre>().NouvelleLettre(); };
    LiensFenetres::cederEditeurLettre = [](const QString& commande) {
        auto* editeur = RegistreFenetres::instance().siChargee<FormLettre>();
        return !editeur || editeur->CederPlace(commande);
    };
}

// The CV window's load, layout, commands and handlers.
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "cveditor/form_rediger_cv_liens.h"
#include "cveditor/formrediger_cv.h"
#include "cveditor/identite.h"
#include "cveditor/options_presentation.h"
#include "platform/attente.h"
#include "platform/plateforme.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

namespace {

int gaucheT(const QWidget* w) { return Twips::depuisPixels(w->x()); }
int hautT(const QWidget* w) { return Twips::depuisPixels(w->y()); }
int largeurT(const QWidget* w) { return Twips::depuisPixels(w->width()); }
int hauteurT(const QWidget* w) { return Twips::depuisPixels(w->height()); }
void fixerLargeurT(QWidget* w, double t) { w->resize(qMax(0, Twips::versPixels(t)), w->height()); }
void fixerHauteurT(QWidget* w, double t) { w->resize(w->width(), qMax(0, Twips::versPixels(t))); }
void fixerGaucheT(QWidget* w, double t) { w->move(Twips::versPixels(t), w->y()); }
void fixerHautT(QWidget* w, double t) { w->move(w->x(), Twips::versPixels(t)); }

// An identity box as it is once the user leaves it.
void ranger(QLineEdit* boite, const QString& nom)
{
    const QString range = Identite::rangerEnQuittant(nom, boite->text());
    if (range != boite->text())
        boite->setText(range);
}

// A check box's value as the CV file holds it: 0, 1, or 2 for a greyed box.
void fixerValeurCase(QCheckBox* b, int valeur)
{
    b->setCheckState(valeur == 1 ? Qt::Checked : valeur == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

const QString TexteGuide = u"Veuillez saisir les informations voulues dans la partie de gauche, le CV se "
                           "constituera au fur et à mesure sur la partie de droite."_qs;

} // namespace

// --- load, activation, layout ---

void FormRedigerCV::Form_Load()
{
    // The window as the workspace holds it: its frame, whose size the designed rules set.
    QWidget* fenetre = cadre();
    fenetre->hide();
    fenetre->move(0, 0);
    if (QWidget* p = principale())
        fenetre->resize(Twips::taille(largeurT(p) - 100, hauteurT(p) - 1800));
    else
        fenetre->resize(Twips::taille(19000, 11000));
    if (largeurT(fenetre) < LargeurCompacte) {
        BoutonKVL1_Click();
        compacteParLargeur_ = true;
    }
    List1->clear();
    for (int i = 0; i < 110; ++i)
        List1->addItem(u" "_qs);
    WebBrowser1->Navigate(u"about:blank"_qs);
    ListeModeles->clear();
    const QDir modeles(QDir::current().filePath(u"Modeles"_qs));
    ListeModeles->addItems(OptionsPresentation::listeModeles(modeles.entryList(QDir::Files)));
    policeSurvolee_ = -1;
    for (QFrame* s : Shape5)
        s->setStyleSheet(QStringLiteral("border:1px solid %1;").arg(OptionsPresentation::BordureNuance.name()));
    // Activation: the workspace tells when this window's frame becomes the active one.
    if (auto* sous = qobject_cast<QMdiSubWindow*>(fenetre); sous && sous->mdiArea())
        connect(sous->mdiArea(), &QMdiArea::subWindowActivated, this, [this, sous](QMdiSubWindow* active) {
            if (active == sous)
                Form_Activate();
        });
    show();
    fenetre->show();
    // The user starts with the first box of the panel, the free-text identity.
    Identite->setFocus(Qt::OtherFocusReason);
    Attente::pomper();
    if (LiensCV::bureauSansCV()) {
        Attente::dormir(500);
        LiensCV::afficherGuide(TexteGuide);
    }
}

QWidget* FormRedigerCV::cadre()
{
    auto* sous = qobject_cast<QMdiSubWindow*>(parentWidget());
    return sous ? static_cast<QWidget*>(sous) : this;
}

void FormRedigerCV::Form_Activate() { LiensCV::arreterAccueil(); }

void FormRedigerCV::Form_Resize()
{
    enRedimension_ = true;
    if (QWidget* p = principale())
        fixerHauteurT(cadre(), hauteurT(p) - 1700);
    fixerHauteurT(FrameZones, hauteurT(this) - 100);
    fixerHauteurT(Frame2, hauteurT(FrameZones) - 365);
    fixerHauteurT(List1, hauteurT(FrameZones) - 380);
    fixerHauteurT(FrameCV, hauteurT(this) - 100);
    fixerHauteurT(WebBrowser1, hauteurT(FrameCV) - 300);
    fixerLargeurT(FrameCV, largeurT(this) - gaucheT(FrameCV) - 150);
    placerOutils();
    fixerLargeurT(FrameWeb, largeurT(FrameCV) - 100);
    fixerLargeurT(WebBrowser1, largeurT(FrameWeb) + 100);
    fixerHauteurT(FrameWeb, hauteurT(FrameCV) - hautT(FrameWeb) - 50);
    fixerHauteurT(WebBrowser1, hauteurT(FrameWeb) + 100);
    enRedimension_ = false;
}

void FormRedigerCV::BoutonKVL1_Click()
{
    // Every run divides the current sizes again; what is recorded only keeps a resize of the
    // window from running it again by itself.
    compacte_ = true;
    const QSize photo = Photo->size();
    for (QWidget* conteneur : std::initializer_list<QWidget*>{Frame1, FrameZones})
        for (QWidget* w : conteneur->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            fixerLargeurT(w, largeurT(w) / 1.9);
            fixerGaucheT(w, gaucheT(w) / 1.9);
        }
    // The photograph keeps its proportions: it fits again into its narrower box.
    Photo->resize(photo);
    // The panel, the frames around it and the preview's left edge then follow what the panel
    // holds, so that no control is cut and the preview takes the room the panel gave up.
    ajusterPanneau();
    Form_Resize();
}

void FormRedigerCV::List1_Scroll()
{
    const int premier = List1->verticalScrollBar()->value();
    fixerHautT(Frame1, -hauteurT(Frame1) * (premier / 100.0));
}

// --- toolbar, help, photograph ---

void FormRedigerCV::placerPopups()
{
    const QPoint sousOutils = FrameCV->mapTo(this, QPoint(0, ImageMenu[0]->geometry().bottom() + 2));
    FrameParagraphe->move(FrameCV->mapTo(this, ImageMenu[0]->pos()).x(), sousOutils.y());
    CadreCouleur->move(FrameCV->mapTo(this, ImageMenu[1]->pos()).x(), sousOutils.y());
    ListeModeles->move(NomModele->mapTo(this, QPoint(0, NomModele->height())));
    FramePolice->move(Police->mapTo(this, QPoint(0, Police->height())));
    for (QWidget* w : std::initializer_list<QWidget*>{FrameParagraphe, CadreCouleur, ListeModeles, FramePolice})
        w->raise();
}

void FormRedigerCV::ImageMenu_Click(int index)
{
    placerPopups();
    // Under the picture's row of the toolbar (its second row where the preview is narrow).
    const QPoint position =
        Twips::point(gaucheT(FrameCV) + gaucheT(ImageMenu[index]), 300 + hautT(ImageMenu[index]) - 15);
    switch (index) {
    case 0:
        Age->setFocus(Qt::OtherFocusReason);
        Attente::pomper();
        FrameParagraphe->show();
        break;
    case 1:
        MasquerOptions();
        Nom->setFocus(Qt::OtherFocusReason);
        Attente::pomper();
        CadreCouleur->show();
        break;
    case 2:
        MasquerOptions();
        LiensCV::menuPrincipal(u"MenuLangues"_qs, mapToGlobal(position));
        break;
    case 3:
        MasquerOptions();
        LiensCV::menuPrincipal(u"MenuImprimer"_qs, mapToGlobal(position));
        break;
    case 4:
        MasquerOptions();
        LiensCV::activerConsulterWord(
            QFileInfo::exists(Systeme::DossierDocuments() + NomCV->text() + u".doc"_qs));
        LiensCV::menuPrincipal(u"MenuConvertirWord"_qs, mapToGlobal(position));
        break;
    default:
        break;
    }
}

void FormRedigerCV::ImageMenu_MouseMove(int index)
{
    fixerGaucheT(CadreOrange, gaucheT(ImageMenu[index]) + 15);
    fixerHautT(CadreOrange, hautT(ImageMenu[index]) + hauteurT(ImageMenu[index])); // under its row
}

void FormRedigerCV::Image6_MouseMove(int index)
{
    static const QMap<int, QString> corps = {
        {12, u"Les diplômes peuvent être complétés de formations professionnelles. Les préciser également afin "
             "de rendre ce paragraphe consistant. Ne pas oublier que les diplômes peuvent être vérifiés par le "
             "recruteur sur certains sites spécialisés dans ce domaine."_qs},
        {14, u"L'expérience professionnelle doit faire apparaître un parcours homogène. Les périodes "
             "d'inactivité pourront être présentées en tant que projets personnels. Détailler plus précisément "
             "pour chaque période les informations qui pourraient être utiles au poste."_qs},
        {15, u"Attention à ne pas surévaluer votre maîtrise en langues. Une partie de l'entretien pourrait être "
             "faite en langue étrangère. Si vous avez effectué un voyage linguistique, le préciser dans l'encart "
             "ci-contre."_qs},
        {16, u"Compléter ici la fonction principale du CV, Préciser éventuellement les domaines d'expertise"_qs},
        {17, u"On fera apparaître ici les activités qui permettent de déduire d'un état d'esprit, d'un "
             "engagement ou d'une qualité particulière. Il s'agit plus de permettre au recruteur de cerner la "
             "personnalités du candidat que de déduire d'une quelconque expérience supplémentaire."_qs},
        {20, u"Les compétences permettent à l'employeur d'effectuer une sélection plus rapide. Elles sont le "
             "résumé du CV. Ce paragraphe doit être adapté au poste recherché. Mettre en évidence les "
             "compétences que vous voulez faire ressortir du CV. Ne pas hésiter à mettre aussi bien les "
             "compétences techniques, fonctionnelle qu'humaines (Perfectionniste, pugnace, passionné, curieux "
             "etc.)"_qs}};
    if (!Image6.contains(index) || Systeme::FormeVisible(u"Aide"_qs))
        return;
    LiensCV::BulleAide bulle;
    bulle.haut = hautT(Frame1) + hautT(Image6[index]) + 330;
    bulle.gauche = gaucheT(cadre()) + (principale() ? gaucheT(principale()) : 0) + gaucheT(Image6[index]) + 510;
    QString titre = Label1.value(index) ? Label1.value(index)->text() : QString();
    const int ou = titre.indexOf(u" ou "_qs);
    if (ou >= 0)
        titre = titre.left(ou + 1);
    bulle.titre = titre;
    if (corps.contains(index))
        bulle.info = corps.value(index);
    if (index == 12 || index == 14 || index == 20)
        bulle.info = *bulle.info + u"\r\n\r\nLa mise en forme de ce paragraphe sera réalisée par la présence des "
                                   "sauts de ligne et des dates en début ou fin de phrase"_qs;
    else
        bulle.demiHauteur = true;
    bulle.hauteurFenetre = hauteurT(this);
    LiensCV::afficherAide(bulle);
}

void FormRedigerCV::Frame1_MouseMove() { RegistreFenetres::instance().decharger(u"Aide"_qs); }

void FormRedigerCV::Photo_Click() { LiensCV::menuPrincipal(u"MenuPhoto"_qs, QCursor::pos()); }

void FormRedigerCV::Label1_Click(int index)
{
    if (index == 25)
        LiensCV::collerPhoto();
}

void FormRedigerCV::CopierPhoto_Click(int index)
{
    if (index == 19)
        LiensCV::rattacherPhoto();
}

void FormRedigerCV::Section_LostFocus(QWidget* section)
{
    const auto* l = qobject_cast<QLineEdit*>(section);
    const auto* t = qobject_cast<QPlainTextEdit*>(section);
    const bool rempli = l ? !l->text().isEmpty() : (t && !t->toPlainText().isEmpty());
    if (rempli)
        VisualisationCV();
}

void FormRedigerCV::Langue_Clic(int rangee, QCheckBox* boite)
{
    QString groupe;
    for (const QString& g : FichierCV::groupesLangue())
        if (membre(g, rangee) == boite)
            groupe = g;
    FichierCV::ValeursCV cv = valeurs();
    OptionsPresentation::appliquerClicLangue(cv, rangee, groupe);
    for (const QString& g : FichierCV::groupesLangue())
        if (QCheckBox* b = membre(g, rangee); b && b != boite)
            fixerValeurCase(b, cv.valeur(g, rangee));
    VisualisationCV();
}

// --- identity ---

void FormRedigerCV::Identite_LostFocus()
{
    Identite::Boites avant;
    for (const QString& b : Identite::boites())
        avant.insert(b, texteControle(b));
    // A block of blanks only changes nothing; line breaks are no blanks.
    const Identite::Analyse a =
        Identite::analyser(texteControle(u"Identite"_qs), avant, Plateforme::instance().horloge().aujourdhui());
    if (!a.faite)
        return;
    // The birth date goes first: its change runs the age rule, as when the reader sets it.
    if (a.boites.contains(u"DateNaissance"_qs))
        fixerTexteControle(u"DateNaissance"_qs, a.boites.value(u"DateNaissance"_qs));
    for (auto it = a.boites.cbegin(); it != a.boites.cend(); ++it)
        if (it.key() != u"DateNaissance"_qs)
            fixerTexteControle(it.key(), it.value());
    FrameIdentite->hide();
    VisualisationCV();
}

void FormRedigerCV::SaiseDetaillee_Click() { FrameIdentite->hide(); }

void FormRedigerCV::Nom_LostFocus()
{
    ranger(Nom, u"Nom"_qs);
    MasquerOptions();
}

void FormRedigerCV::Prenom_LostFocus()
{
    // Only a first name of more than one character is tidied, and then the page renders.
    if (Prenom->text().size() > 1) {
        ranger(Prenom, u"Prénom"_qs);
        VisualisationCV();
    }
}

void FormRedigerCV::Adresse1_LostFocus() { ranger(Adresse1, u"Adresse1"_qs); }

void FormRedigerCV::Pays_LostFocus() { ranger(Pays, u"Pays"_qs); }

void FormRedigerCV::Ville_LostFocus() { ranger(Ville, u"Ville"_qs); }

void FormRedigerCV::LieuNaissance_LostFocus() { ranger(LieuNaissance, u"LieuNaissance"_qs); }

void FormRedigerCV::DateNaissance_Change()
{
    const QString age =
        Identite::ageApresDate(Age->text(), DateNaissance->text(), Plateforme::instance().horloge().aujourdhui());
    if (age != Age->text())
        Age->setText(age);
}

void FormRedigerCV::Image8_Click()
{
    ListeSituations->show();
    ListeSituations->raise();
    ListeSituations->setFocus(Qt::OtherFocusReason);
}

void FormRedigerCV::ListeSituations_Click()
{
    if (QListWidgetItem* choisi = ListeSituations->currentItem())
        Situation->setText(choisi->text());
    ListeSituations->hide();
}

void FormRedigerCV::ListeSituations_LostFocus() { ListeSituations->hide(); }

// --- presentation options ---

void FormRedigerCV::CheckParagraphe_Click(int index)
{
    fixerTexteControle(OptionsPresentation::boiteParagraphe(index),
                       CheckParagraphe[index]->isChecked() ? u"1"_qs : u"0"_qs);
}

void FormRedigerCV::CheckDisposition_Click(int index)
{
    // The other box of the pair takes |1 − this box's value|: exactly one of the two is ticked.
    const int valeur = valeurs().valeur(u"CheckDisposition"_qs, index);
    fixerValeurCase(CheckDisposition[1 - index], OptionsPresentation::autreDisposition(valeur));
    VisualisationCV();
}

void FormRedigerCV::appliquerCouleurs(const OptionsPresentation::Couleurs& c)
{
    // The tint first: the main colour's change renders a page that already has it.
    CouleurClaire->setStyleSheet(QStringLiteral("background:%1;").arg(c.claire));
    CouleurClaire->setText(c.claire);
    Couleur->setStyleSheet(QStringLiteral("background:%1;").arg(c.couleur));
    Couleur->setText(c.couleur);
}

void FormRedigerCV::BoutonKVL3_Click()
{
    MasquerOptions();
    const auto choisie = Plateforme::instance().dialogues().choisirCouleur(QColor(Couleur->text()));
    if (!choisie)
        return;
    if (const auto c = OptionsPresentation::couleursDepuisDialogue(*choisie))
        appliquerCouleurs(*c);
}

void FormRedigerCV::Coul_Click(int index)
{
    appliquerCouleurs(OptionsPresentation::couleursDe(OptionsPresentation::nuance(index)));
    MasquerOptions();
}

void FormRedigerCV::Image2_Click()
{
    MasquerOptions();
    NomModele->setFocus(Qt::OtherFocusReason);
    Attente::pomper();
    placerPopups();
    ListeModeles->show();
}

void FormRedigerCV::NomModele_Click()
{
    MasquerOptions();
    placerPopups();
    ListeModeles->show();
}

void FormRedigerCV::ListeModeles_Click()
{
    if (QListWidgetItem* choisi = ListeModeles->currentItem()) {
        NomModele->setText(choisi->text());
        Modele->setText(OptionsPresentation::fichierModele(choisi->text()));
    }
    ListeModeles->hide();
}

void FormRedigerCV::Image3_Click()
{
    MasquerOptions();
    Police->setFocus(Qt::OtherFocusReason);
    Attente::pomper();
    placerPopups();
    FramePolice->show();
}

void FormRedigerCV::Police_Click()
{
    MasquerOptions();
    placerPopups();
    FramePolice->show();
}

void FormRedigerCV::PoliceT_Click(int index)
{
    Police->setText(PoliceT[index]->text());
    FramePolice->hide();
}

void FormRedigerCV::PoliceT_MouseMove(int index)
{
    if (index == policeSurvolee_)
        return;
    for (int k = 0; k < 6; ++k)
        PoliceT[k]->setStyleSheet(QStringLiteral("background:%1;")
                                      .arg(k == index ? OptionsPresentation::SurvolPolice.name() : u"white"_qs));
    policeSurvolee_ = index;
}

void FormRedigerCV::MasquerOptions()
{
    ListeModeles->hide();
    FramePolice->hide();
    FrameParagraphe->hide();
    CadreCouleur->hide();
    fixerGaucheT(CadreOrange, -500);
}

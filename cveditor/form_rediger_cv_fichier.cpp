// The CV window's file side: the save, the load and the rendering of the preview.
#include <cmath>
#include <QDir>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>

#include "cveditor/fichier_cv.h"
#include "cveditor/form_rediger_cv_liens.h"
#include "cveditor/formrediger_cv.h"
#include "cveditor/rendu_cv.h"
#include "platform/arret.h"
#include "platform/plateforme.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/services/fichiers_texte.h"

#include <cerrno>

namespace {

QString dossierDonnees() { return QDir::currentPath(); }

// Whether a CV file of that name is there already (a link counts, even to nothing).
bool fichierPris(const QString& nom)
{
    const QString chemin = FichierCV::cheminFichier(dossierDonnees(), nom);
    return QFileInfo::exists(chemin) || QFileInfo(chemin).isSymLink();
}

int valeurCase(const QCheckBox* b)
{
    switch (b->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

} // namespace

FichierCV::ValeursCV FormRedigerCV::valeurs() const
{
    FichierCV::ValeursCV cv;
    for (const QString& b : FichierCV::boites())
        cv.fixer(b, texteControle(b));
    for (const FichierCV::Cle& c : FichierCV::cles())
        if (c.indexee())
            if (QCheckBox* m = membre(c.nom, c.index))
                cv.cocher(c.nom, c.index, valeurCase(m));
    return cv;
}

void FormRedigerCV::SauvegarderCV_Click() { sauvegarder(true); }

void FormRedigerCV::sauvegarder(bool demandee)
{
    reprendreNomProvisoire();
    const QString nom = nomAEcrire();
    if (nom.isEmpty()) {
        MsgBox(FichierCV::MessageSansNom);
        return;
    }
    if (const int erreur = ecrire(nom)) {
        // The screen now holds the only copy of the last changes. The auto-save, which runs at
        // every rendering, says so once until a save succeeds again; the save command always.
        if (demandee) {
            MsgBox(FichierCV::messageEchec(nom, erreur));
        } else if (!echecSignale_) {
            // The user did not ask for this save and is typing on: the message leaves the keys alone.
            const SansInterrompre sansInterrompre;
            MsgBox(FichierCV::messageEchec(nom, erreur));
        }
        echecSignale_ = true;
    }
}

QString FormRedigerCV::nomAEcrire() const
{
    // A CV loaded from its file, or saved already, goes back to that same file, its name as it
    // is on disk ("dupont", "Lebrun Hélène", "Jean d'Arc"): the normalised name would be another
    // CV's file, or a second copy of this one.
    if (!nomFichierEcrit_.isEmpty() && NomCV->text() == nomFichierEcrit_)
        return nomFichierEcrit_;
    const QString nom = FichierCV::nomFichier(NomCV->text(), Nom->text(), Prenom->text());
    if (nom.isEmpty())
        return {};
    // A CV that has no file yet never takes the file of another one.
    return FichierCV::nomLibre(nom, fichierPris);
}

int FormRedigerCV::ecrire(const QString& nom)
{
    // A CV that has no file yet is named by the editor unless it holds a name given otherwise.
    const bool donne = nomFichierEcrit_.isEmpty() && (NomCV->text().isEmpty() || NomCV->text() == nomDonne_);
    NomCV->setText(nom);
    if (donne)
        nomDonne_ = nom;
    // The file is rewritten whole and atomically: a failed save leaves the previous one.
    const FichierCV::ValeursCV cv = valeurs();
    if (!FichierCV::enregistrer(dossierDonnees(), nom, cv)) {
        const int erreur = errno != 0 ? errno : EIO;
        nonEnregistre_ = true;
        // Nothing holds that name yet: the next save names the CV from what is typed by then.
        nomProvisoire_ = donne;
        return erreur;
    }
    nonEnregistre_ = echecSignale_ = nomProvisoire_ = false;
    nomDonne_.clear();
    nomFichierEcrit_ = nom;
    enregistre_ = FichierCV::composer(cv);
    // The CV just saved is the current identity, as one just opened is.
    for (const QString& boite : FichierCV::boites())
        LiensCV::identiteCourante(boite, cv.texte(boite));
    LiensCV::rafraichirBureau();
    return 0;
}

void FormRedigerCV::nommerNouveauCV()
{
    reprendreNomProvisoire();
    if (NomCV->text().isEmpty()) {
        NomCV->setText(FichierCV::nomAutoSauvegarde(
            NomCV->text(), Nom->text(), Prenom->text(), [](const QString& n) {
                return QFileInfo::exists(FichierCV::cheminFichier(dossierDonnees(), n));
            }));
        nomDonne_ = NomCV->text();
    }
}

void FormRedigerCV::reprendreNomProvisoire()
{
    if (nomProvisoire_ && nomFichierEcrit_.isEmpty() && NomCV->text() == nomDonne_)
        NomCV->clear();
    nomProvisoire_ = false;
}

int FormRedigerCV::enregistrerEnAttente()
{
    const FichierCV::ValeursCV cv = valeurs();
    if (FichierCV::composer(cv) == enregistre_)
        return 0;
    // A CV goes to its file; one that has none yet is named from its last name, as the auto-save
    // names it, and stays unwritten without one, as while it is typed: what the user typed
    // there is then the caller's to ask about.
    const int sansNom = FichierCV::contenuSaisi(cv) ? SansNom : 0;
    if (nomFichierEcrit_.isEmpty() && !nonEnregistre_) {
        if (Nom->text().isEmpty())
            return sansNom;
        nommerNouveauCV();
    }
    reprendreNomProvisoire();
    const QString nom = nomAEcrire();
    return nom.isEmpty() ? sansNom : ecrire(nom);
}

void FormRedigerCV::garderSansNom()
{
    const QString nom = FichierCV::nomLibre(FichierCV::nomFichier(FichierCV::NomSansNom, {}, {}), fichierPris);
    FichierCV::ValeursCV cv = valeurs();
    cv.fixer(u"NomCV"_qs, nom);
    if (FichierCV::enregistrer(dossierDonnees(), nom, cv)) {
        enregistre_ = FichierCV::composer(valeurs());
        MsgBox(FichierCV::messageGardeSansNom(FichierCV::cheminFichier(dossierDonnees(), nom)));
    } else {
        MsgBox(FichierCV::messagePerteSansNom(errno != 0 ? errno : EIO));
    }
}

bool FormRedigerCV::CederPlace(const QString& commande)
{
    const bool sansNom = enregistrerEnAttente() == SansNom;
    if (!sansNom && !nonEnregistre_)
        return true;
    if (!MsgBox(sansNom ? FichierCV::questionSansNom(commande) : FichierCV::questionAbandon(commande), true))
        return false;
    // The user lets the changes go: closing the window has nothing more to write or to say.
    nonEnregistre_ = false;
    enregistre_ = FichierCV::composer(valeurs());
    return true;
}

void FormRedigerCV::closeEvent(QCloseEvent* e)
{
    // What the screen shows and no file holds yet (the text still in the box that has the focus,
    // or changes whose save failed) is saved before the window goes; a failure now loses it, and
    // is said whatever was said before. The window goes all the same.
    const int erreur = enregistrerEnAttente();
    if (erreur == SansNom) {
        // Typed without a name: the user chooses to lose it, or keeps the window to name it. The
        // session's end asks nothing, and keeps it in a file of its own.
        if (Arret::demande()) {
            garderSansNom();
        } else if (MsgBox(FichierCV::questionSansNom(u"Fermer l'éditeur de CV"_qs), true)) {
            enregistre_ = FichierCV::composer(valeurs());
        } else {
            e->ignore();
            return;
        }
    } else if (erreur) {
        MsgBox(FichierCV::messageEchecFermeture(NomCV->text(), erreur));
    }
    QWidget::closeEvent(e);
}

void FormRedigerCV::ChargerFichierCV(const QString& chemin)
{
    const QString fichier = QFileInfo(chemin).fileName();
    const FichierCV::Ouverture ouverture = FichierCV::ouvrir(chemin);
    // What is not a CV is neither shown nor written: the window keeps what it shows.
    if (ouverture.etat != FichierCV::Ouverture::Ouvert) {
        MsgBox(FichierCV::messageOuverture(ouverture.etat, fichier));
        return;
    }
    const QString nomCV = FichierCV::nomDepuisChemin(chemin);
    if (!CederPlace(FichierCV::commandeRechargement(fichier, nomCV == nomFichierEcrit_)))
        return;
    Genere->hide();
    // This window now writes that file.
    nomFichierEcrit_ = nomCV;
    nomProvisoire_ = false;
    // Every box, as if the file held every key: those it lacks take a new CV's values.
    const FichierCV::ValeursCV& cv = ouverture.cv;
    for (const FichierCV::Cle& c : FichierCV::cles()) {
        if (c.indexee()) {
            QCheckBox* m = membre(c.nom, c.index);
            const int v = cv.valeur(c.nom, c.index);
            if (v == 2)
                m->setTristate(true);
            m->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
        } else if (fixerTexteControle(c.nom, cv.texte(c.nom))) {
            LiensCV::identiteCourante(c.nom, cv.texte(c.nom));
        }
    }
    // The page model's picture, then the CV's own photograph when it has one, each in its own
    // proportions (the box then fits it above its caption).
    Photo->clear();
    auto montrer = [this](const QImage& image) {
        Photo->setPixmap(QPixmap::fromImage(image));
        if (image.width() > 0 && Photo->width() > 0)
            Photo->resize(Photo->width(), std::max(1, int(std::lround(double(Photo->width()) * image.height() /
                                                                      image.width()))));
    };
    if (const QImage image =
            FichiersTexte::lireImage(FichierCV::cheminImageModele(dossierDonnees(), NomModele->text()));
        !image.isNull())
        montrer(image);
    if (const auto coches = FichierCV::cochesLangue(LangueCV->text()))
        LiensCV::cocherLangue(coches->anglais, coches->francais);
    Genere->show();
    NomCV->setText(nomCV);
    if (const QImage photo = FichiersTexte::lireImage(FichierCV::cheminPhoto(dossierDonnees(), NomCV->text()));
        !photo.isNull())
        montrer(photo);
    VisualisationCV();
    // The screen shows the file just read, whether its save succeeded or not: reading it again
    // would lose nothing, and closing has nothing to write.
    nonEnregistre_ = false;
    enregistre_ = FichierCV::composer(valeurs());
    Label5->setText(FichierCV::titrePanneau(NomCV->text()));
}

void FormRedigerCV::VisualisationCV()
{
    if (Genere->isHidden())
        return;
    FrameIdentite->hide();
    const FichierCV::ValeursCV cv = valeurs();
    const RenduCV::Rendu r = RenduCV::rendre(dossierDonnees(), cv);
    if (r.issue == RenduCV::Issue::ModeleAbsent)
        return;
    fixerTexteControle(u"Langues"_qs, r.langues);
    if (r.issue == RenduCV::Issue::Rendu)
        WebBrowser1->Navigate(r.cheminPage);
    Form_Resize();
    FrameCV->update();
    if (auto* sous = qobject_cast<QMdiSubWindow*>(parentWidget()))
        if (QMdiArea* espace = sous->mdiArea())
            espace->setActiveSubWindow(sous);
    raise();

    // Auto-save once the CV has a last name.
    if (!Nom->text().isEmpty()) {
        nommerNouveauCV();
        sauvegarder(false);
    }
}

bool cederEditeurCV(const QString& commande)
{
    auto* editeur = RegistreFenetres::instance().siChargee<FormRedigerCV>();
    return !editeur || editeur->CederPlace(commande);
}

void rechargerEditeurCV()
{
    // The window goes as the user closes it: hidden first, so that the box that has the focus
    // does not run its leaving handler (a rendering and a save) while the window is destroyed.
    RegistreFenetres& registre = RegistreFenetres::instance();
    if (QWidget* editeur = registre.trouver(FormRedigerCV::NomConception); editeur && !editeur->close())
        return;
    registre.decharger(FormRedigerCV::NomConception);
    Forme<FormRedigerCV>();
}

void installerLiensEditeurCV()
{
    LiensFenetres::chargerFichierCV = [](const QString& chemin) { Forme<FormRedigerCV>().ChargerFichierCV(chemin); };
    LiensFenetres::fixerLangueCV = [](const QString& langue) { Forme<FormRedigerCV>().LangueCV->setText(langue); };
}

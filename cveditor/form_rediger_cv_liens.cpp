#include "cveditor/form_rediger_cv_liens.h"

#include "cveditor/formrediger_cv.h"
#include "platform/plateforme.h"
#include "shell/dialogs/afficher_guide.h"
#include "shell/dialogs/aide.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/twips.h"

namespace LiensCV {

namespace {
Principale* principale() { return RegistreFenetres::instance().siChargee<Principale>(); }
} // namespace

bool bureauSansCV()
{
    Principale* p = principale();
    return p && p->ImageMenu[0]->genre() == Dessins::Icone::Nouveau;
}

void afficherGuide(const QString& texte) { Fonctionnel::AfficherGuide(texte); }

void arreterAccueil()
{
    LiensFenetres::appeler(LiensFenetres::arreterGlissementAccueil);
    RegistreFenetres::instance().decharger(u"Assistant"_qs);
}

void menuPrincipal(const QString& nom, const QPoint& global)
{
    Principale* p = principale();
    if (!p)
        return;
    for (QMenu* m : p->menus())
        if (m->objectName() == nom)
            p->PopupMenu(m, global);
}

void activerConsulterWord(bool actif)
{
    if (Principale* p = principale())
        p->ConsulterWord->setEnabled(actif);
}

void collerPhoto()
{
    if (Principale* p = principale())
        p->CollerPhoto_Click();
}

void rattacherPhoto()
{
    if (Principale* p = principale())
        p->RattacherPhoto_Click();
}

void identiteCourante(const QString& nom, const QString& valeur)
{
    Principale* p = principale();
    if (!p)
        return;
    for (QLineEdit* champ : {p->Nom, p->Prenom, p->Adresse1, p->CP, p->Ville, p->Tel, p->Email, p->Fonction})
        if (champ->objectName() == nom) {
            QString v = valeur;
            v.replace(u"\r\n"_qs, u"\n"_qs);
            champ->setText(v);
        }
}

void cocherLangue(bool anglais, bool francais)
{
    if (Principale* p = principale()) {
        p->MenuAnglais->setChecked(anglais);
        p->MenuFrancais->setChecked(francais);
    }
}

void rafraichirBureau()
{
    if (Principale* p = principale())
        p->InitMenu();
}

void afficherAide(const BulleAide& bulle)
{
    Aide& aide = Forme<Aide>();
    QWidget* cadre = aide.parentWidget() && aide.parentWidget()->inherits("QMdiSubWindow") ? aide.parentWidget()
                                                                                            : &aide;
    cadre->move(Twips::versPixels(bulle.gauche), Twips::versPixels(bulle.haut));
    aide.Titre->setText(bulle.titre);
    if (bulle.info)
        aide.Info->setText(*bulle.info);
    // The panel CadreAide follows the window's height (Aide::resizeEvent): one division does both.
    if (bulle.demiHauteur)
        cadre->resize(cadre->width(), Twips::versPixels(Twips::depuisPixels(cadre->height()) / 1.9));
    const int haut = Twips::depuisPixels(cadre->y());
    const int hauteur = Twips::depuisPixels(cadre->height());
    if (haut + hauteur > bulle.hauteurFenetre)
        cadre->move(cadre->x(), Twips::versPixels(bulle.hauteurFenetre - hauteur));
    cadre->show();
    cadre->raise();
}

} // namespace LiensCV

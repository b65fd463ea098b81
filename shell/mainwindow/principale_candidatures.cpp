// The applications menu commands.
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "platform/attente.h"
#include "platform/plateforme.h"
#include "register/store/candidature.h"
#include "register/store/handles_partages.h"
#include "register/web/cadre_web.h"
#include "register/window/form_disposition.h"
#include "register/window/form_liens.h"
#include "register/window/formcand.h"
#include "shell/dialogs/afficher_guide.h"
#include "shell/mainwindow/principale.h"

namespace {

// The register window, loaded when it was not, in front of the other windows.
FormCand& registreDevant(QMdiArea* espace)
{
    FormCand& f = Forme<FormCand>();
    f.show();
    if (auto* sous = qobject_cast<QMdiSubWindow*>(f.parentWidget())) {
        sous->show();
        espace->setActiveSubWindow(sous);
        sous->raise();
    }
    f.raise();
    f.activateWindow();
    return f;
}

// Opens the register through the shared handles; null when it cannot be opened.
Stockage::BaseDonnees* ouvrirRegistre(Stockage::Etat* etat = nullptr)
{
    auto& base = Systeme::BaseCandidatures();
    base = BaseCandidatures::ouvrir(BaseCandidatures::cheminParDefaut(), etat);
    return base ? &base->base() : nullptr;
}

// A delete that failed, told with the cause the system gave: the opening's when the register
// could not be opened, else the statement's.
void direEchecSuppression(Stockage::BaseDonnees* base, Stockage::Etat etat, bool toutes)
{
    const Stockage::Cause cause = base ? base->causeEchec() : Stockage::causeOuverture(etat);
    const QString texte = base ? base->texteEchec() : QString();
    Systeme::fermerHandlesPartages();
    MsgBox(BaseCandidatures::messageEchecSuppression(cause, toutes, texte));
}

} // namespace

void Principale::MenuOuvrirCand_Click()
{
    FormCand& f = registreDevant(Espace);
    if (ImageMenu[10]->genre() == Dessins::Icone::Nouveau && Disposition::largeur(f.Description) > 5200)
        Fonctionnel::AfficherGuide(
            u"Pour créer une nouvelle candidature, vous pouvez effectuer un copier/coller dans la zone "
            "description, les informations détaillées s'auto-alimenteront"_qs);
}

void Principale::MenuRechercherOffres_Click()
{
    QPointer<FormCand> f = &registreDevant(Espace);
    f->CadreWeb->show();
    f->CadreWeb->raise();
    Attente::pomper();
    if (ImageMenu[10]->genre() == Dessins::Icone::Nouveau)
        Fonctionnel::AfficherGuide(
            u"Positionnez-vous sur une annonce puis cliquez sur le lien 'Enregistrer cette annonce' qui "
            "apparaîtra alors ci-dessus pour la répertorier dans votre base"_qs);
    if (!f)
        return;
    f->CadreWeb->AdresseWeb->setText(AdresseWeb->text());
    Attente::pomper();
    if (f)
        f->CadreWeb->Naviguer(AdresseWeb->text());
}

void Principale::MenuSupprimer_Click()
{
    if (!MsgBox(u"Confirmez-vous la suppression de toutes les candidatures ?"_qs, true))
        return;
    Stockage::Etat etat = Stockage::Etat::Ouverte;
    Stockage::BaseDonnees* base = ouvrirRegistre(&etat);
    if (!base || !base->executer(u"delete from candidatures "_qs)) {
        direEchecSuppression(base, etat, true);
        return;
    }
    ImageMenu[10]->fixerGenre(Dessins::Icone::Nouveau);
    // The tree is rebuilt from the register, now empty: the detail fields stay as they were.
    Systeme::fermerHandlesPartages();
    Forme<FormCand>().InitListe();
}

void Principale::MenuConsulterInternet_Click() { Forme<FormCand>().www_Click(); }

void Principale::MenuConsulterOrigine_Click() { Forme<FormCand>().www_Click(); }

void Principale::MenuPostuler_Click()
{
    FormCand& f = Forme<FormCand>();
    const QString lettre = f.champ(u"Lettre"_qs);
    const QString cv = f.champ(u"CV"_qs);
    // The sending window shows itself with the letter, the CV and its send button, in front.
    FormCandLiens::ouvrirEnvoi(lettre, true, cv);
}

void Principale::MenuSupprimerCand_Click()
{
    FormCand& f = Forme<FormCand>();
    const QString numero = f.Num->text();
    if (!MsgBox(u"Confirmez-vous la suppression de cette candidature ?"_qs, true) || numero.isEmpty())
        return;
    bool nombre = false;
    const qint64 num = numero.trimmed().toLongLong(&nombre);
    Stockage::Etat etat = Stockage::Etat::Ouverte;
    Stockage::BaseDonnees* base = nombre ? ouvrirRegistre(&etat) : nullptr;
    if (!base || !base->executer(u"delete from candidatures where num = ?"_qs, {num})) {
        // The application stays shown, as it stays stored.
        direEchecSuppression(base, etat, false);
        return;
    }
    Systeme::fermerHandlesPartages();
    f.InitListe();
    f.Num->clear();
    f.CadreWeb->AdresseWeb->clear();
    for (const QString& nom : Candidatures::champs())
        f.fixerChamp(nom, {});
}

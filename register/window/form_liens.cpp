#include "register/window/form_liens.h"

#include <QAction>
#include <QMenu>

#include "register/web/liste_sites.h"
#include "register/window/formcand.h"
#include "shell/controls/dessins.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/systeme.h"
#include "shell/services/registre_fenetres.h"

namespace FormCandLiens {

namespace {
Principale* principale() { return RegistreFenetres::instance().siChargee<Principale>(); }
} // namespace

void installer()
{
    LiensFenetres::ouvrirRegistre = [] {
        Systeme::AuPremierPlan(&Forme<FormCand>());
    };
}

QSize taillePrincipale()
{
    if (Principale* p = principale())
        return {p->largeurTwips(), p->hauteurTwips()};
    return {};
}

void afficherMenuItemCand(const QPoint& global, bool postulerActif)
{
    if (Principale* p = principale()) {
        p->MenuPostuler->setEnabled(postulerActif);
        p->PopupMenu(p->MenuItemCand, global);
    }
}

void iconeCandidatures(bool vide)
{
    if (Principale* p = principale())
        p->ImageMenu[10]->fixerGenre(vide ? Dessins::Icone::Nouveau : Dessins::Icone::Candidature);
}

void nombreCandidatures(qsizetype nombre)
{
    Principale* p = principale();
    if (!p || p->NbCand->text() == QString::number(nombre))
        return;
    p->NbCand->setText(QString::number(nombre));
    LiensFenetres::appeler(LiensFenetres::actualiserCompteursAccueil);
}

QString adresseOffres()
{
    if (Principale* p = principale())
        return p->AdresseWeb->text();
    return ListeSites::adressePageOffres();
}

void arreterAccueil()
{
    LiensFenetres::appeler(LiensFenetres::arreterGlissementAccueil);
    RegistreFenetres::instance().decharger(u"Assistant"_qs);
}

void ouvrirEnvoi(const QString& lettre, bool boutonEnvoiVisible, const std::optional<QString>& cv)
{
    LiensFenetres::appeler(ouvrirFenetreEnvoi, lettre, boutonEnvoiVisible, cv);
}

} // namespace FormCandLiens

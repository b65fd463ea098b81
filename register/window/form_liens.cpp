#include "register/window/form_liens.h"

#include "shell/services/registre_fenetres.h"

namespace FormCandLiens {

QSize taillePrincipale() { return {}; }

void afficherMenuItemCand(const QPoint& global, bool postulerActif)
{
    Q_UNUSED(global);
    Q_UNUSED(postulerActif);
}

void iconeCandidatures(bool vide) { Q_UNUSED(vide); }

QString adresseOffres() { return {}; }

void arreterAccueil() { RegistreFenetres::instance().decharger(u"Assistant"_qs); }

void ouvrirEnvoi(const QString& lettre, bool boutonEnvoiVisible)
{
    Q_UNUSED(lettre);
    Q_UNUSED(boutonEnvoiVisible);
}

} // namespace FormCandLiens

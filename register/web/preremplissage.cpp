#include "register/web/preremplissage.h"

#include <QLineEdit>

#include "platform/navigateur.h"
#include "platform/plateforme.h"
#include "register/web/preremplissage_envoi.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/registre_fenetres.h"

namespace Preremplissage {

Identite IdentiteCourante()
{
    Identite i;
    if (Principale* p = RegistreFenetres::instance().siChargee<Principale>()) {
        i.nom = p->Nom->text();
        i.prenom = p->Prenom->text();
        i.adresse1 = p->Adresse1->text();
        i.cp = p->CP->text();
        i.ville = p->Ville->text();
        i.tel = p->Tel->text();
        i.email = p->Email->text();
        i.fonction = p->Fonction->text();
    }
    // With the sending window closed, the message fields are emptied rather than left alone.
    if (FenetreEnvoi::visible())
        i.lettre = FenetreEnvoi::texte(u"Texte"_qs).value_or(QString());
    return i;
}

int Preremplir(Navigateur& navigateur, const Identite& identite)
{
    // One look at the page's elements; the first one (the document itself) is never a field.
    const QList<ElementPage> elements = navigateur.elements();
    const int fin = std::min<int>(DernierePosition, int(elements.size()) - 1);
    int ecrits = 0;
    for (int position = 1; position <= fin; ++position) {
        const std::optional<QString> valeur = ValeurPourElement(elements.at(position), identite);
        if (valeur && navigateur.fixerValeur(position, *valeur))
            ++ecrits;
    }
    return ecrits;
}

void Label2_Click(Navigateur& navigateur)
{
    const Identite identite = IdentiteCourante();
    if (SansIdentite(identite)) {
        MsgBox(MessageSansIdentite);
        return;
    }
    Preremplir(navigateur, identite);
}

} // namespace Preremplissage

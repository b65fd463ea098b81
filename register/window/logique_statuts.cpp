#include "register/window/logique_statuts.h"

#include "shell/services/fonctionnel.h"

namespace StatutsCandidature {

bool ChoisirStatut(ChampsCandidature& champs, int index, const QDate& aujourdhui)
{
    const QStringList& statuts = Candidatures::statuts();
    if (index < 0 || index >= statuts.size() || statuts.at(index) == champs.value(u"Statut"_qs))
        return false;
    const QString jour = Fonctionnel::EcrireDate(aujourdhui);
    champs[u"Statut"_qs] = statuts.at(index);
    if (index != 0 && champs.value(u"DateEnvoi"_qs).isEmpty())
        champs[u"DateEnvoi"_qs] = jour;
    if (index > 2 && champs.value(u"Remarques"_qs).isEmpty())
        champs[u"Remarques"_qs] = u"Réponse le "_qs + jour + u"\r\n"_qs;
    if (index > 4 && champs.value(u"DateRDV"_qs).isEmpty()) {
        champs[u"DateRDV"_qs] = jour;
        champs[u"Remarques"_qs] = champs.value(u"Remarques"_qs) + u"\r\nPrise de rendez-vous le "_qs + jour + u"\r\n"_qs;
    }
    return true;
}

} // namespace StatutsCandidature

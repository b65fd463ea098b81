#include "letters/envoi_registre.h"

#include <QStringList>

#include "register/store/base_donnees.h"
#include "register/store/candidature.h"
#include "register/window/logique_fiche.h"

namespace EnvoiRegistre {

bool noter(Stockage::BaseDonnees& base, qint64 num, const QDate& date, const QString& cv, const QString& lettre)
{
    ChampsCandidature envoi = FicheCandidature::FicheVide();
    envoi[u"Statut"_qs] = Candidatures::statuts().at(1);
    envoi[u"CV"_qs] = cv;
    envoi[u"Lettre"_qs] = lettre;
    QStringList textes;
    QString colonneDate;
    for (const Candidatures::Colonne& c : Candidatures::colonnes()) {
        if (c.champ == u"Statut"_qs || c.champ == u"CV"_qs || c.champ == u"Lettre"_qs)
            textes << c.colonne;
        else if (c.champ == u"DateEnvoi"_qs)
            colonneDate = c.colonne;
    }

    const std::unique_ptr<Stockage::JeuEnregistrements> jeu =
        base.ouvrirJeu(u"select * from Candidatures where Num = ?"_qs, {num});
    if (!jeu || jeu->estVide() || !jeu->modifier())
        return false;
    // The texts as the register window's save writes them (shortened to their widths); the date
    // as a date.
    for (const auto& [colonne, valeur] : FicheCandidature::ValeursColonnes(envoi))
        if (textes.contains(colonne) && !jeu->fixer(colonne, valeur))
            return false;
    if (!jeu->fixer(colonneDate, date))
        return false;
    return jeu->mettreAJour();
}

} // namespace EnvoiRegistre

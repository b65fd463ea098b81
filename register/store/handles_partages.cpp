#include "register/store/handles_partages.h"

namespace Systeme {

Stockage::EspaceTravail& EspaceTravail()
{
    static Stockage::EspaceTravail espace;
    return espace;
}

std::unique_ptr<::BaseCandidatures>& BaseCandidatures()
{
    static std::unique_ptr<::BaseCandidatures> base;
    return base;
}

std::unique_ptr<Stockage::JeuEnregistrements>& JeuCandidatures()
{
    static std::unique_ptr<Stockage::JeuEnregistrements> jeu;
    return jeu;
}

void fermerHandlesPartages()
{
    JeuCandidatures().reset();
    BaseCandidatures().reset();
    EspaceTravail().fermer();
}

} // namespace Systeme

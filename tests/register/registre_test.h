#pragma once
// A temporary data folder holding a fresh empty register, open.

#include <gtest/gtest.h>

#include "support/outils.h"
#include "register/store/base_candidatures.h"

struct RegistreTest {
    DossierTemporaire dossier;
    std::unique_ptr<BaseCandidatures> base;
    RegistreTest()
    {
        const QString chemin = dossier.chemin(u"Kerval.mdb"_qs);
        EXPECT_TRUE(BaseCandidatures::creerVide(chemin));
        base = BaseCandidatures::ouvrir(chemin);
        EXPECT_TRUE(base);
    }
    Stockage::BaseDonnees& b() { return base->base(); }
};

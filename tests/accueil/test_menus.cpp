// The menus as texts: every caption a menu writes and the command the bar reads in it, the
// counters, the names and kinds of desktop files, the label the bar stands on, the glide.
#include <QList>
#include <gtest/gtest.h>

#include "shell/home/menus_accueil.h"

using namespace MenusAccueil;

namespace {
Libelles menu(SousMenu m, const QString& i0 = {}, const QString& i5 = {}, const QString& i6 = {})
{
    return sousMenu(m, menuPrincipal(), i0, i5, i6);
}
} // namespace

TEST(MenusAccueil, ChaqueEntreeDeMenuPorteSaCommande)
{
    const Libelles p = menuPrincipal();
    EXPECT_EQ(commande(p[2]), Commande::ChoixCV);
    EXPECT_EQ(commande(p[5]), Commande::ChoixLettre);
    EXPECT_EQ(commande(p[6]), Commande::ChoixCand);
    EXPECT_EQ(commande(p[8]), Commande::Statistiques);

    const Libelles cv = menu(SousMenu::CV);
    EXPECT_EQ(commande(cv[2]), Commande::NouveauCV);
    EXPECT_EQ(commande(cv[5]), Commande::RattacherCV);
    const Libelles l = menu(SousMenu::Lettre);
    EXPECT_EQ(commande(l[2]), Commande::NouvelleLettre);
    const Libelles c = menu(SousMenu::Candidatures);
    EXPECT_EQ(commande(c[2]), Commande::GestionManuelle);
    EXPECT_EQ(commande(c[5]), Commande::RechercheOffres);
    EXPECT_EQ(commande(c[6]), Commande::Justificatif);
    for (const Libelles& s : {cv, l, c}) {
        EXPECT_EQ(commande(s[8]), Commande::Retour);
        EXPECT_EQ(s[9], u"Retour au menu principal"_qs);
        EXPECT_EQ(commande(s[9]), Commande::Aucune);
    }
}

TEST(MenusAccueil, SousTitresEtTextesVoisinsNeSontPasDesCommandes)
{
    const Libelles p = menuPrincipal();
    for (int i : {1, 3, 4, 7, 9})
        EXPECT_EQ(commande(p[size_t(i)]), Commande::Aucune) << i;
    for (const QString& t : {u"Consulter / Modifier"_qs, u"Et des contacts sociétés"_qs, u"Sur les sites spécialisés"_qs,
                             u"A l'attention des services sociaux"_qs, QString(), u"retour"_qs, u"Retour "_qs,
                             u"Rediger un Curriculum Vitae"_qs})
        EXPECT_EQ(commande(t), Commande::Aucune) << t.toStdString();
}

TEST(MenusAccueil, CompteursEnFormeSignee)
{
    EXPECT_EQ(compteurs(0, 0, u"0"_qs),
              u"Nombre de CV :  0\r\nNombre de lettres :  0\r\nNombre de candidatures : 0"_qs);
    EXPECT_TRUE(compteurs(4, 2, u"12"_qs).startsWith(u"Nombre de CV :  4\r\nNombre de lettres :  2\r\n"_qs));
    // The desktop shows five CVs at most.
    EXPECT_TRUE(compteurs(7, 0, u"0"_qs).startsWith(u"Nombre de CV :  5\r\n"_qs));
    EXPECT_TRUE(compteurs(0, 0, u"37"_qs).endsWith(u"candidatures : 37"_qs));
}

TEST(MenusAccueil, SousMenuCVNommeLeCVDuBureau)
{
    Libelles cv = menu(SousMenu::CV, u"Commercial.dat"_qs);
    EXPECT_EQ(cv[6], u"Commercial"_qs);
    EXPECT_EQ(cv[7], u"Consulter / Modifier"_qs);
    // An attached document or an empty slot: nothing to open.
    for (const QString& t : {u"Commercial.doc"_qs, QString()}) {
        cv = menu(SousMenu::CV, t);
        EXPECT_TRUE(cv[6].isEmpty());
        EXPECT_TRUE(cv[7].isEmpty());
    }
}

TEST(MenusAccueil, SousMenuLettresNommeEtQualifieLesModeles)
{
    Libelles l = menu(SousMenu::Lettre, {}, u"Relance (ER).dat"_qs, u"Spontanée (IS).dat"_qs);
    EXPECT_EQ(l[5], u"Relance (ER)"_qs);
    EXPECT_EQ(l[4], u"Modèle mail, réponse à une annonce"_qs);
    EXPECT_EQ(l[6], u"Spontanée (IS)"_qs);
    EXPECT_EQ(l[7], u"Modèle à imprimer, candidature spontanée"_qs);

    // Without a code the kind label keeps the main menu's caption.
    l = menu(SousMenu::Lettre, {}, u"Relance.dat"_qs, u"Autre.dat"_qs);
    EXPECT_EQ(l[5], u"Relance"_qs);
    EXPECT_EQ(l[4], u"Rédiger ou modifier un modèle générique"_qs);
    EXPECT_EQ(l[7], u"Postuler aux offres et suivre les réponses"_qs);

    // The last code in the order wins; no template: both labels empty.
    l = menu(SousMenu::Lettre, {}, u"Mixte (IS) (ER).dat"_qs, QString());
    EXPECT_EQ(l[4], u"Modèle mail, réponse à une annonce"_qs);
    EXPECT_TRUE(l[6].isEmpty());
    EXPECT_TRUE(l[7].isEmpty());
    EXPECT_EQ(genreModele(u"A (IR) (ES).dat"_qs), u"Modèle mail, candidature spontanée"_qs);
}

TEST(MenusAccueil, LaBarreChoisitLePlusPetitIndexA400Twips)
{
    std::array<double, 10> hauts{7455, 2100, 1680, 2235, 4275, 3720, 5640, 6210, 7440, 8010};
    const double origine = 300;
    auto ecran = [&](int i) { return hauts[size_t(i)] + 1200 + origine; };
    EXPECT_EQ(libelleAligne(ecran(2), hauts, origine), 2);
    // 390 below label 2 and 165 above label 3: the lower index wins.
    EXPECT_EQ(libelleAligne(ecran(2) + 390, hauts, origine), 2);
    EXPECT_EQ(libelleAligne(ecran(2) + 400, hauts, origine), 3);
    EXPECT_EQ(libelleAligne(ecran(5), hauts, origine), 5);
    // Label 9 is never chosen: 570 twips from label 8.
    EXPECT_EQ(libelleAligne(ecran(9), hauts, origine), -1);
    EXPECT_EQ(libelleAligne(-5000, hauts, origine), -1);
}

TEST(MenusAccueil, OuvertureParNomDesFichiersDuBureau)
{
    OuvertureParNom o = ouvertureParNom(u"Commercial"_qs, u"Commercial.dat"_qs, u"Commercial.dat"_qs, u"X.dat"_qs);
    EXPECT_EQ(o.cv, u"CV/Commercial.dat"_qs);
    EXPECT_EQ(o.lettre5, u"Lettres/Commercial.dat"_qs);
    EXPECT_FALSE(o.lettre6);
    o = ouvertureParNom(u"Relance (ER)"_qs, u"A.dat"_qs, u"B.dat"_qs, u"Relance (ER).dat"_qs);
    EXPECT_FALSE(o.cv);
    EXPECT_EQ(o.lettre6, u"Lettres/Relance (ER).dat"_qs);
    // The attached document Commercial.doc is no CV file.
    o = ouvertureParNom(u"Commercial"_qs, u"Commercial.doc"_qs, {}, {});
    EXPECT_FALSE(o.cv || o.lettre5 || o.lettre6);
}

TEST(MenusAccueil, GlissementUnCinquiemeParPasPuisCible)
{
    double h = 1000;
    const double cible = 1300;
    QList<double> pas;
    while (h != cible) {
        const double avant = h;
        h = pasGlissement(h, cible);
        pas << h - avant;
        ASSERT_LT(pas.size(), 40);
    }
    ASSERT_GE(pas.size(), 3);
    EXPECT_DOUBLE_EQ(pas[0], 60);
    EXPECT_DOUBLE_EQ(pas[1], 48);
    EXPECT_NEAR(pas[2], 38.4, 1e-9);
    // 300 x 0.8^15 is 10.6 twips away, 0.8^16 gives 8.4: the sixteenth tick snaps.
    EXPECT_EQ(pas.size(), 16);
    // Downward too.
    EXPECT_DOUBLE_EQ(pasGlissement(1300, 1000), 1240);
}

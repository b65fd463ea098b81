#include <gtest/gtest.h>

#include "registre_test.h"
#include "register/window/logique_fiche.h"
#include "register/window/logique_statuts.h"

using namespace FicheCandidature;

namespace {

const QDate aujourdhui(2024, 3, 15);

ChampsCandidature fiche(std::initializer_list<std::pair<QString, QString>> valeurs)
{
    ChampsCandidature f = FicheVide();
    for (const auto& [nom, valeur] : valeurs)
        f[nom] = valeur;
    return f;
}

QVariant valeurColonne(const ChampsCandidature& f, const QString& colonne)
{
    for (const auto& [c, v] : ValeursColonnes(f))
        if (c == colonne)
            return v;
    ADD_FAILURE() << "colonne absente " << colonne.toStdString();
    return {};
}

using Registre = RegistreTest;

} // namespace

TEST(Fiche, ValeursParDefautNeRemplissentQueLeVide)
{
    ChampsCandidature f = FicheVide();
    f[u"Nature"_qs] = u"CDI,CONTRAT A DUREE INDETERMINEE"_qs;
    ValeursParDefaut(f, aujourdhui);
    EXPECT_EQ(f[u"DateDiffusion"_qs], u"15/03/2024"_qs);
    EXPECT_EQ(f[u"Statut"_qs], u"NON EMISE"_qs);
    EXPECT_EQ(f[u"Societe"_qs], u"N.C."_qs);
    EXPECT_EQ(f[u"Duree"_qs], u"Indéterminée"_qs);

    ChampsCandidature g = fiche({{u"Nature"_qs, u"CDI"_qs}, {u"Societe"_qs, u"L'Oréal"_qs},
                                 {u"Statut"_qs, u"EMBAUCHE"_qs}, {u"DateDiffusion"_qs, u"01/02/2024"_qs}});
    const ChampsCandidature avant = g;
    ValeursParDefaut(g, aujourdhui);
    EXPECT_EQ(g, avant); // the short contract name gives no duration
}

TEST(Fiche, ControlerSaisieRefuseDansLOrdre)
{
    ChampsCandidature f = FicheVide();
    Controle c = ControlerSaisie(f, false);
    EXPECT_FALSE(c.accepte);
    EXPECT_EQ(c.message, u"L'intitulé est obligatoire"_qs);
    EXPECT_TRUE(c.champFocus.isEmpty());
    c = ControlerSaisie(f, true);
    EXPECT_EQ(c.message, u"Kerval n'a pas réussi à identifier correctement l'annonce. Pour faciliter la capture, "
                         u"sélectionnez en premier lieu le texte relatif à l'annonce puis cliquez sur "
                         u"'Capturer la sélection'"_qs);
    EXPECT_TRUE(c.champFocus.isEmpty());

    f[u"Intitule"_qs] = u"Comptable"_qs;
    EXPECT_TRUE(ControlerSaisie(f, true).accepte); // empty dates are valid
    f[u"DateRDV"_qs] = u"32/01/2024"_qs;
    f[u"DateEnvoi"_qs] = u"demain"_qs;
    f[u"DateLimite"_qs] = u"31/04/2024"_qs;
    for (const QString& attendu : {u"DateLimite"_qs, u"DateEnvoi"_qs, u"DateRDV"_qs}) {
        c = ControlerSaisie(f, false);
        EXPECT_FALSE(c.accepte);
        EXPECT_EQ(c.message, u"La date est incorrecte"_qs);
        EXPECT_EQ(c.champFocus, attendu);
        f[attendu] = u"29/02/2024"_qs;
    }
    EXPECT_TRUE(ControlerSaisie(f, false).accepte);
    f[u"DateDiffusion"_qs] = u"31/02/2024"_qs;
    EXPECT_EQ(ControlerSaisie(f, false).champFocus, u"DateDiffusion"_qs);
}

TEST(Fiche, ColonnesRaccourciesCoupeesOuEntieres)
{
    const QString soixante = QString(u"Saint-Rémy-de-Provence "_qs).repeated(3); // 69 characters
    const ChampsCandidature f = fiche({
        {u"Intitule"_qs, u"Responsable du service des ressources humaines et de la paie"_qs},
        {u"Lieu"_qs, soixante},
        {u"www"_qs, u"http://exemple.fr/"_qs + QString(300, u'a')},
        {u"Description"_qs, QString(300, u'd')},
        {u"Duree"_qs, QString(60, u'x')},
        {u"Statut"_qs, u"ENTRETIEN EFFECTUE - REFUS MAIS CONSERVEE"_qs},
        {u"DateEnvoi"_qs, u"05/01/2024"_qs},
    });
    const QList<QPair<QString, QVariant>> valeurs = ValeursColonnes(f);
    ASSERT_EQ(valeurs.size(), 24);
    EXPECT_EQ(valeurs.first().first, u"Intitule"_qs);
    EXPECT_EQ(valeurs.last().first, u"Ville"_qs);
    EXPECT_LE(valeurColonne(f, u"Intitule"_qs).toString().size(), 40);
    EXPECT_TRUE(f[u"Intitule"_qs].startsWith(valeurColonne(f, u"Intitule"_qs).toString()));
    EXPECT_EQ(valeurColonne(f, u"Lieu"_qs).toString(), soixante.left(50));
    EXPECT_EQ(valeurColonne(f, u"www"_qs).toString().size(), 250);
    EXPECT_EQ(valeurColonne(f, u"Description"_qs).toString(), QString(300, u'd'));
    EXPECT_EQ(valeurColonne(f, u"Duree"_qs).toString(), QString(60, u'x'));
    EXPECT_EQ(valeurColonne(f, u"Statut"_qs).toString().size(), 41);
    EXPECT_EQ(valeurColonne(f, u"DateEnvoi"_qs).toDate(), QDate(2024, 1, 5));
    EXPECT_TRUE(valeurColonne(f, u"DateRDV"_qs).isNull());
    // The short columns follow the register's shortening rule, not a plain cut at 40.
    const ChampsCandidature g = fiche({
        {u"Societe"_qs, QString(41, u'X')},
        {u"Nature"_qs, u"CONTRAT DE PROFESSIONNALISATION ET DE FORMATION"_qs},
        {u"Ville"_qs, u"  Paris  "_qs},
        {u"Lieu"_qs, QString(49, u'l') + u"\U0001F600 Nord"_qs},
    });
    EXPECT_EQ(valeurColonne(g, u"Societe"_qs).toString(), u"XXX"_qs);
    EXPECT_EQ(valeurColonne(g, u"Nature"_qs).toString(), u"CONTRAT DE PROFESSIONNALISATION"_qs);
    EXPECT_EQ(valeurColonne(g, u"Ville"_qs).toString(), u"Paris"_qs);
    // A cut never leaves half of a character written as a pair.
    EXPECT_EQ(valeurColonne(g, u"Lieu"_qs).toString(), QString(49, u'l'));

    // Empty texts are texts, not Null.
    EXPECT_FALSE(valeurColonne(f, u"Remarques"_qs).isNull());
    EXPECT_FALSE(valeurColonne(f, u"Societe"_qs).isNull());
}

TEST(Fiche, EmpreinteNeSuitQueSesVingtChamps)
{
    ChampsCandidature f = fiche({{u"Ville"_qs, u"Paris"_qs}, {u"CP"_qs, u"75001"_qs}, {u"Intitule"_qs, u"Chef"_qs}});
    const QString e = Empreinte(f);
    EXPECT_EQ(e, u"Paris75001Chef"_qs);
    for (const QString& nom : {u"Description"_qs, u"DateLimite"_qs, u"CV"_qs, u"Lettre"_qs, u"Num"_qs}) {
        ChampsCandidature g = f;
        g[nom] = u"changé"_qs;
        EXPECT_EQ(Empreinte(g), e) << nom.toStdString();
    }
    ChampsCandidature g = f;
    g[u"Remarques"_qs] = u"Relancer"_qs;
    EXPECT_NE(Empreinte(g), e);
    // Text moved from the end of one field to the start of the next leaves it unchanged.
    g = f;
    g[u"Ville"_qs] = u"Par"_qs;
    g[u"CP"_qs] = u"is75001"_qs;
    EXPECT_EQ(Empreinte(g), e);
    EXPECT_EQ(champsEmpreinte().size(), 20);
}

TEST(Fiche, UneAnnonceCollee)
{
    // More than 50 characters beyond the text of the last analysis, counted from that text.
    const QString collee = QString(60, u'a');
    EXPECT_TRUE(AnnonceCollee(collee, u""_qs));
    EXPECT_FALSE(AnnonceCollee(QString(50, u'a'), u""_qs));
    EXPECT_TRUE(AnnonceCollee(QString(51, u'a'), u""_qs));
    EXPECT_FALSE(AnnonceCollee(collee + QString(30, u'b'), collee));
    EXPECT_FALSE(AnnonceCollee(collee + QString(50, u'b'), collee));
    EXPECT_TRUE(AnnonceCollee(collee + QString(51, u'b'), collee));
    // A text that shrank or was replaced by one as long is no paste.
    EXPECT_FALSE(AnnonceCollee(u""_qs, collee));
    EXPECT_FALSE(AnnonceCollee(QString(60, u'z'), collee));
}

TEST(Fiche, EnregistrerPuisChargerFaitLAllerRetour)
{
    Registre r;
    ChampsCandidature f = fiche({
        {u"Intitule"_qs, u"Chargé d'études"_qs},
        {u"Societe"_qs, u"L'Oréal"_qs},
        {u"Email"_qs, u"rh@loreal.fr"_qs},
        {u"Remarques"_qs, u"Appelé le 12/03\r\nRappeler lundi\r\n"_qs},
        {u"DateDiffusion"_qs, u"01/03/2024"_qs},
        {u"DateRDV"_qs, u"2024-03-20"_qs}, // read in any usual form, shown in the short one
        {u"Statut"_qs, u"REPONSE - REFUS MAIS CONSERVEE"_qs},
    });
    ASSERT_TRUE(Enregistrer(r.b(), f));
    EXPECT_EQ(f[u"Num"_qs], u"1"_qs);
    std::optional<ChampsCandidature> lu = Charger(r.b(), 1);
    ASSERT_TRUE(lu);
    ChampsCandidature attendu = f;
    attendu[u"DateRDV"_qs] = u"20/03/2024"_qs;
    EXPECT_EQ(*lu, attendu);
    EXPECT_EQ(r.b().valeurUnique(u"select count(*) from Candidatures where DateEnvoi is null and DateLimite is null "
                                 u"and Lettre = '' and CV = ''"_qs)->toInt(), 1);

    // A second save updates the same row.
    f[u"Societe"_qs] = u"L'Oréal Paris"_qs;
    f[u"DateRDV"_qs] = u""_qs;
    ASSERT_TRUE(Enregistrer(r.b(), f));
    EXPECT_EQ(f[u"Num"_qs], u"1"_qs);
    EXPECT_EQ(r.base->nombreCandidatures(), 1);
    lu = Charger(r.b(), 1);
    EXPECT_EQ((*lu)[u"Societe"_qs], u"L'Oréal Paris"_qs);
    EXPECT_EQ((*lu)[u"DateRDV"_qs], u""_qs);
    EXPECT_FALSE(Charger(r.b(), 2));

    // A new one gets the next number; deleting one leaves the other.
    ChampsCandidature g = fiche({{u"Intitule"_qs, u"Magasinier"_qs}});
    ASSERT_TRUE(Enregistrer(r.b(), g));
    EXPECT_EQ(g[u"Num"_qs], u"2"_qs);
    ASSERT_TRUE(Supprimer(r.b(), 1));
    EXPECT_FALSE(Charger(r.b(), 1));
    EXPECT_TRUE(Charger(r.b(), 2));

    // The application still shown after its deletion is stored again, not lost.
    ASSERT_TRUE(Enregistrer(r.b(), f));
    EXPECT_EQ(f[u"Num"_qs], u"3"_qs);
    EXPECT_EQ((*Charger(r.b(), 3))[u"Societe"_qs], u"L'Oréal Paris"_qs);

    ASSERT_TRUE(SupprimerToutes(r.b()));
    EXPECT_EQ(r.base->nombreCandidatures(), 0);

    // A register that cannot be written leaves the fields as they were.
    r.b().fermer();
    ChampsCandidature h = fiche({{u"Intitule"_qs, u"Vendeur"_qs}, {u"Num"_qs, u"7"_qs}});
    EXPECT_FALSE(Enregistrer(r.b(), h));
    EXPECT_EQ(h[u"Num"_qs], u"7"_qs);
    EXPECT_FALSE(Charger(r.b(), 7));
    EXPECT_FALSE(SupprimerToutes(r.b()));
}

TEST(Statuts, EffetsDuChoixSelonLIndex)
{
    const QString d = u"15/03/2024"_qs;
    ChampsCandidature f = FicheVide();
    ASSERT_TRUE(StatutsCandidature::ChoisirStatut(f, 5, aujourdhui));
    EXPECT_EQ(f[u"Statut"_qs], u"ENTRETIEN A EFFECTUER"_qs);
    EXPECT_EQ(f[u"DateEnvoi"_qs], d);
    EXPECT_EQ(f[u"DateRDV"_qs], d);
    EXPECT_EQ(f[u"Remarques"_qs], u"Réponse le "_qs + d + u"\r\n\r\nPrise de rendez-vous le "_qs + d + u"\r\n"_qs);
    // The same status again changes nothing.
    const ChampsCandidature avant = f;
    EXPECT_FALSE(StatutsCandidature::ChoisirStatut(f, 5, aujourdhui.addDays(3)));
    EXPECT_EQ(f, avant);

    ChampsCandidature g = fiche({{u"Remarques"_qs, u"Lettre postée"_qs}});
    ASSERT_TRUE(StatutsCandidature::ChoisirStatut(g, 3, aujourdhui));
    EXPECT_EQ(g[u"Remarques"_qs], u"Lettre postée"_qs);
    EXPECT_EQ(g[u"DateEnvoi"_qs], d);
    EXPECT_EQ(g[u"DateRDV"_qs], u""_qs);

    ChampsCandidature h = fiche({{u"Statut"_qs, u"SANS REPONSE APRES ENTRETIEN"_qs}});
    ASSERT_TRUE(StatutsCandidature::ChoisirStatut(h, 0, aujourdhui));
    EXPECT_EQ(h[u"Statut"_qs], u"NON EMISE"_qs);
    EXPECT_EQ(h[u"DateEnvoi"_qs], u""_qs);
    ASSERT_TRUE(StatutsCandidature::ChoisirStatut(h, 2, aujourdhui));
    EXPECT_EQ(h[u"DateEnvoi"_qs], d);
    EXPECT_EQ(h[u"Remarques"_qs], u""_qs);

    // An interview with a date already set keeps it and adds no meeting line.
    ChampsCandidature i = fiche({{u"DateRDV"_qs, u"20/03/2024"_qs}, {u"DateEnvoi"_qs, u"01/03/2024"_qs}});
    ASSERT_TRUE(StatutsCandidature::ChoisirStatut(i, 9, aujourdhui));
    EXPECT_EQ(i[u"DateRDV"_qs], u"20/03/2024"_qs);
    EXPECT_EQ(i[u"DateEnvoi"_qs], u"01/03/2024"_qs);
    EXPECT_EQ(i[u"Remarques"_qs], u"Réponse le "_qs + d + u"\r\n"_qs);

    EXPECT_FALSE(StatutsCandidature::ChoisirStatut(i, 11, aujourdhui));
    EXPECT_FALSE(StatutsCandidature::ChoisirStatut(i, -1, aujourdhui));
}

#include <QFont>
#include <QPalette>

#include "commun.h"
#include "register/stats/formstat.h"
#include "register/store/handles_partages.h"

namespace {

class FenetreStat : public TestRegistre {
protected:
    int arrets = 0, relances = 0;
    void SetUp() override
    {
        TestRegistre::SetUp();
        LiensFenetres::arreterGlissementAccueil = [this] { ++arrets; };
        LiensFenetres::relancerGlissementAccueil = [this] { ++relances; };
    }
    FormStat& ouvrir()
    {
        OuvrirStatistiques();
        return *RegistreFenetres::instance().siChargee<FormStat>();
    }
};

QColor fond(const QLabel* l) { return l->palette().color(QPalette::Window); }
QColor texte(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

} // namespace

TEST_F(FenetreStat, ComptesParStatut)
{
    creerRegistre();
    for (int i = 0; i < 45; ++i)
        ajouter({{u"Statut"_qs, u"NON EMISE"_qs}});
    ajouter({{u"Statut"_qs, u"EMBAUCHE"_qs}});
    ajouter({{u"Statut"_qs, u"EMBAUCHE"_qs}});
    ajouter({{u"Statut"_qs, u"REPONSE - REFUS NET"_qs}});
    // Statuses of the register that the window's own list does not hold are counted nowhere.
    ajouter({{u"Statut"_qs, u"EMISE - SANS REPONSE"_qs}});
    ajouter({{u"Statut"_qs, u"ENTRETIEN A EFFECTUER"_qs}});
    ajouter({{u"Statut"_qs, u"NON EMISE' or '1'='1"_qs}}); // a value, not part of the statement

    FormStat& f = ouvrir();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.windowTitle(), u"Statistiques"_qs);
    EXPECT_FALSE(f.windowFlags() & Qt::WindowCloseButtonHint);
    QStringList nombres;
    for (int i = 0; i < FormStat::NombreStatuts; ++i)
        nombres << f.Nb[size_t(i)]->text();
    EXPECT_EQ(nombres, (QStringList{u"45"_qs, u"0"_qs, u"1"_qs, u"0"_qs, u"0"_qs, u"0"_qs, u"0"_qs, u"0"_qs, u"0"_qs, u"2"_qs}));
    EXPECT_EQ(f.Statut[5]->text(), u"ENTRETIEN - ATTENTE REPONSE"_qs);
    EXPECT_EQ(f.largeurGraph(0), 4000); // capped
    EXPECT_EQ(f.largeurGraph(1), 1);
    EXPECT_EQ(f.largeurGraph(9), 201);
    // The shared handles are closed once the window is computed.
    EXPECT_FALSE(Systeme::BaseCandidatures());
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(FenetreStat, CalendrierEtEntretiensAVenir)
{
    creerRegistre();
    aujourdhui(QDate(2008, 10, 10));
    ajouter({{u"Societe"_qs, u"HIER"_qs}, {u"DateRDV"_qs, QDate(2008, 10, 9)}});
    ajouter({{u"Societe"_qs, u"ACME"_qs}, {u"DateRDV"_qs, QDate(2008, 10, 10)}});
    ajouter({{u"Societe"_qs, u"SANS RDV"_qs}});
    ajouter({{u"Societe"_qs, u"BETA"_qs}, {u"DateRDV"_qs, QDate(2008, 11, 3)}});

    FormStat& f = ouvrir();
    EXPECT_EQ(f.DateJour->text(), u"Nous sommes le 10/10/2008"_qs);
    EXPECT_EQ(f.RDV->toPlainText(), u"Entretien avec la société ACME le 10/10/2008\nEntretien avec la société BETA le 03/11/2008\n"_qs);
    EXPECT_EQ(f.Jour[2]->text(), u"1"_qs); // October 2008 begins on a Wednesday
    // Today: highlighted and, with its interview, bold and black.
    EXPECT_EQ(fond(f.Jour[11]), QColor(0xFF, 0xC0, 0x80));
    EXPECT_TRUE(f.Jour[11]->font().bold());
    EXPECT_EQ(texte(f.Jour[11]), QColor(Qt::black));
    // Yesterday's interview marks nothing; the 3rd of November is marked in the second grid.
    EXPECT_FALSE(f.Jour[10]->font().bold());
    EXPECT_EQ(fond(f.Jour[10]), QColor(Qt::white));
    EXPECT_TRUE(f.Jour[49]->font().bold());
    // Plain days are grey, Sundays red.
    EXPECT_EQ(texte(f.Jour[12]), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(texte(f.Jour[13]), QColor(Qt::red));
}

TEST_F(FenetreStat, GlissementDeLAccueilArreteEtRelance)
{
    creerRegistre();
    FormStat& f = ouvrir();
    EXPECT_EQ(arrets, 1);
    EXPECT_EQ(relances, 0);
    f.BoutonKVL1_Click();
    EXPECT_EQ(relances, 1);
    EXPECT_FALSE(RegistreFenetres::instance().siChargee<FormStat>());
    // A new opening recomputes everything and stops the glide once more.
    ouvrir();
    EXPECT_EQ(arrets, 2);
}

TEST_F(FenetreStat, RegistreIllisible)
{
    // No register file in the data folder: the calendar still shows, the counts stay empty.
    aujourdhui(QDate(2024, 3, 15));
    FormStat& f = ouvrir();
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList{u"Le registre des candidatures (Kerval.mdb) n'a pas pu être lu : les statistiques sont incomplètes."_qs});
    EXPECT_EQ(f.Nb[0]->text(), QString());
    EXPECT_EQ(f.largeurGraph(0), 1);
    EXPECT_EQ(f.Jour[4]->text(), u"1"_qs); // March 2024 begins on a Friday
    EXPECT_FALSE(Systeme::BaseCandidatures());
}

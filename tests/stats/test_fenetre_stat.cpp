#include <QFont>
#include <QPalette>

#include "commun.h"
#include "register/stats/formstat.h"
#include "register/store/candidature.h"
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

// The panel a control lies on.
QRect cadreDe(const QWidget* w)
{
    for (const CadreBleu* c : w->parentWidget()->findChildren<CadreBleu*>())
        if (c->geometry().contains(w->geometry().topLeft()))
            return c->geometry();
    return {};
}

QColor fond(const QLabel* l) { return l->palette().color(QPalette::Window); }
QColor texte(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

} // namespace

TEST_F(FenetreStat, ChaqueCandidatureCompteeUneFois)
{
    creerRegistre();
    const QStringList statuts = Candidatures::statuts();
    // Every status of the register's list, 1 to 11 applications each, in the list's order.
    for (int i = 0; i < statuts.size(); ++i)
        for (int n = 0; n <= i; ++n)
            ajouter({{u"Statut"_qs, statuts[i]}});
    for (int n = 0; n < 3; ++n)
        ajouter({{u"Statut"_qs, u"SANS REPONSE APRES ENTRETIEN"_qs}}); // written by the start-up ageing
    ajouter({{u"Statut"_qs, u"non emise"_qs}}); // the register compares statuses without regard to case
    ajouter({{u"Statut"_qs, u"RELANCE TELEPHONIQUE"_qs}}); // typed by hand
    ajouter({{u"Statut"_qs, u"NON EMISE' or '1'='1"_qs}}); // a value, not part of the statement
    ajouter({{u"Statut"_qs, u""_qs}});
    const int total = 66 + 3 + 4;

    FormStat& f = ouvrir();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.windowTitle(), u"Statistiques"_qs);
    EXPECT_FALSE(f.windowFlags() & Qt::WindowCloseButtonHint);
    QStringList rangees, nombres;
    int somme = 0;
    for (size_t i = 0; i < f.Statut.size(); ++i) {
        rangees << f.Statut[i]->text();
        nombres << f.Nb[i]->text();
        somme += f.Nb[i]->text().toInt();
    }
    EXPECT_EQ(rangees, statuts + QStringList({u"SANS REPONSE APRES ENTRETIEN"_qs, u"AUTRES STATUTS"_qs}));
    EXPECT_EQ(nombres, (QStringList{u"2"_qs, u"2"_qs, u"3"_qs, u"4"_qs, u"5"_qs, u"6"_qs, u"7"_qs, u"8"_qs, u"9"_qs,
                                    u"10"_qs, u"11"_qs, u"3"_qs, u"3"_qs}));
    EXPECT_EQ(somme, total);
    EXPECT_TRUE(f.Statut.back()->isVisible());
    // Few applications: a bar is 100 twips an application, plus 1.
    EXPECT_EQ(f.largeurGraph(0), 201);
    EXPECT_EQ(f.largeurGraph(10), 1101);
    // The shared handles are closed once the window is computed.
    EXPECT_FALSE(Systeme::BaseCandidatures());
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(FenetreStat, BarresDansLeurCadreQuelQueSoitLeNombre)
{
    creerRegistre();
    ajouter({{u"Statut"_qs, u"EMBAUCHE"_qs}});
    {
        auto base = BaseCandidatures::ouvrir(cheminRegistre());
        ASSERT_TRUE(base);
        ASSERT_TRUE(base->base().executer(
            u"with recursive n(i) as (select 1 union all select i + 1 from n where i < 100000) "
            "insert into Candidatures (Societe, Statut) select 'S' || i, 'NON EMISE' from n"_qs));
    }

    FormStat& f = ouvrir();
    const int embauche = int(std::find_if(f.Statut.begin(), f.Statut.end(),
                                          [](const QLabel* l) { return l->text() == u"EMBAUCHE"; }) - f.Statut.begin());
    ASSERT_LT(embauche, int(f.Statut.size()));
    EXPECT_EQ(f.Nb[0]->text(), u"100000"_qs);
    EXPECT_EQ(f.Nb[size_t(embauche)]->text(), u"1"_qs);
    EXPECT_EQ(f.Nb[1]->text(), u"0"_qs);
    EXPECT_FALSE(f.Statut.back()->isVisible()); // no other status: no such row
    // The longest bar takes the room there is, the others keep to its scale.
    EXPECT_GT(f.largeurGraph(0), 2000);
    EXPECT_EQ(f.largeurGraph(1), 1);
    EXPECT_EQ(f.largeurGraph(embauche), 1);
    const QRect cadre = cadreDe(f.Statut[0]);
    for (int i = 0; i <= embauche; ++i) {
        SCOPED_TRACE(i);
        const QRect barre = f.Graph[size_t(i)]->geometry();
        const QRect dedans = cadre.adjusted(2, 2, -4, -4);
        EXPECT_TRUE(dedans.contains(barre)) << barre.right() << " > " << dedans.right();
        // The status and its count are shown whole, side by side, before the bar.
        for (QLabel* l : {f.Statut[size_t(i)], f.Nb[size_t(i)]}) {
            EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << l->text().toStdString();
            EXPECT_TRUE(cadre.contains(l->geometry()));
        }
        EXPECT_LE(f.Statut[size_t(i)]->geometry().right(), f.Nb[size_t(i)]->x());
        EXPECT_LT(f.Nb[size_t(i)]->geometry().right(), barre.x());
    }
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

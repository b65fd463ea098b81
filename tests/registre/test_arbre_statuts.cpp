// The tree of applications in its four sort orders, opening a leaf, the pop-up menu of one
// application, and the status choice with its dates and notes.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "fenetre_registre.h"
#include "register/web/cadre_web.h"
#include "shell/mainwindow/principale.h"

namespace {

const QString D = u"15/03/2024"_qs;

void trier(FormCand& f, int tri)
{
    f.Tri[tri]->setChecked(true);
    f.Tri_Click(tri);
}

// A few applications straight into the register, one without a publication date.
void remplir(FenetreRegistre& r)
{
    r.inserer({{u"Intitule"_qs, u"Opérateur"_qs}, {u"Societe"_qs, u"3M"_qs}, {u"Statut"_qs, u"NON EMISE"_qs},
               {u"Datediffussion"_qs, u"2024-03-01"_qs}, {u"Origine"_qs, u"Salon"_qs}});
    r.inserer({{u"Intitule"_qs, u"Acheteur"_qs}, {u"Societe"_qs, u"Brico"_qs}, {u"Statut"_qs, u"EMISE - SANS REPONSE"_qs},
               {u"Datediffussion"_qs, u"2024-03-10"_qs}, {u"Origine"_qs, u"Salon"_qs}});
    r.inserer({{u"Intitule"_qs, u"Vendeur"_qs}, {u"Societe"_qs, u"Brico"_qs}, {u"Statut"_qs, u"NON EMISE"_qs},
               {u"Datediffussion"_qs, QVariant()}, {u"Origine"_qs, u"Presse"_qs}});
    r.inserer({{u"Intitule"_qs, u"Livreur"_qs}, {u"Societe"_qs, u"s12"_qs}, {u"Statut"_qs, u"EMBAUCHE"_qs},
               {u"Datediffussion"_qs, u"2024-03-10"_qs}, {u"Origine"_qs, u""_qs}});
}

TEST(Arbre, LesGroupesDeChaqueTri)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    remplir(r);

    f.InitListe(); // "Statuts" is the sort at load: groups in descending order of the status
    EXPECT_EQ(r.arbre(), (QStringList{
                             u"Candidatures non émises"_qs,
                             u"  01/03/2024 Opérateur, 3M"_qs,
                             u"   Vendeur, Brico"_qs,
                             u"Candidatures émises - sans reponse"_qs,
                             u"  10/03/2024 Acheteur, Brico"_qs,
                             u"Candidatures embauche"_qs,
                             u"  10/03/2024 Livreur, s12"_qs,
                         }));

    trier(f, 0);
    EXPECT_EQ(r.arbre(), (QStringList{
                             u"Valeur 3M"_qs,
                             u"  01/03/2024 Opérateur, 3M"_qs,
                             u"Brico"_qs,
                             u"  10/03/2024 Acheteur, Brico"_qs,
                             u"   Vendeur, Brico"_qs,
                             u"s12"_qs,
                             u"  10/03/2024 Livreur, s12"_qs,
                         }));

    trier(f, 1); // newest first, no date last
    EXPECT_EQ(r.arbre().first(), u"Date : 10/03/2024"_qs);
    EXPECT_EQ(r.arbre().at(5), u"Date : "_qs);

    // Groups are green and bold, leaves black; every node is expanded.
    QTreeWidgetItem* groupe = f.Liste->topLevelItem(0);
    EXPECT_EQ(groupe->foreground(0).color(), QColor(0, 0xC0, 0));
    EXPECT_TRUE(groupe->font(0).bold());
    EXPECT_TRUE(groupe->isExpanded());
    EXPECT_EQ(groupe->child(0)->foreground(0).color(), QColor(Qt::black));
    EXPECT_FALSE(groupe->child(0)->font(0).bold());
}

// Companies and sources as a French reader looks them up: accents and letter case aside,
// "École" beside "Ecole" and before "Zodiac"; each exact text stays a group of its own.
TEST(Arbre, LesSocietesEtLesOriginesDansLOrdreFrancais)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    const QStringList societes{u"abc"_qs, u"ABD"_qs, u"École"_qs, u"Ecole"_qs, u"Électricité"_qs,
                               u"Zodiac"_qs, u"3M"_qs, u"Valeur"_qs, u"éa"_qs, u"ABC"_qs};
    const QStringList origines{u"Salon"_qs, u"annonce"_qs, u"Éditions"_qs, u"Presse"_qs, u"école"_qs,
                               u"Zone"_qs, u"Écho"_qs, u"Relation"_qs, u"Bouche à oreille"_qs, u"Annonce"_qs};
    for (int i = 0; i < societes.size(); ++i)
        r.inserer({{u"Intitule"_qs, u"Poste %1"_qs.arg(i)}, {u"Societe"_qs, societes[i]},
                   {u"Statut"_qs, u"NON EMISE"_qs}, {u"Datediffussion"_qs, u"2024-03-01"_qs},
                   {u"Origine"_qs, origines[i]}});
    f.InitListe();
    // The groups of the tree, in order, as one line.
    const auto groupes = [&r] {
        QStringList g;
        for (const QString& ligne : r.arbre())
            if (!ligne.startsWith(u' '))
                g << ligne;
        return g.join(u" | "_qs).toStdString();
    };

    // The radio buttons are clicked as a user clicks them.
    QTest::mouseClick(f.Tri[0], Qt::LeftButton, {}, QPoint(8, f.Tri[0]->height() / 2));
    ASSERT_TRUE(f.Tri[0]->isChecked());
    EXPECT_EQ(groupes(), "Valeur 3M | abc | ABC | ABD | éa | Ecole | École | Électricité | Valeur | Zodiac");
    // "abc" and "ABC" are equal in that order, the older application first; each text keeps
    // its own group.
    EXPECT_EQ(r.arbre().mid(2, 6).join(u" | "_qs).toStdString(),
              "abc |   01/03/2024 Poste 0, abc | ABC |   01/03/2024 Poste 9, ABC | ABD |   01/03/2024 Poste 1, ABD");

    QTest::mouseClick(f.Tri[3], Qt::LeftButton, {}, QPoint(8, f.Tri[3]->height() / 2));
    ASSERT_TRUE(f.Tri[3]->isChecked());
    EXPECT_EQ(groupes(), "Origine : annonce | Origine : Annonce | Origine : Bouche à oreille | Origine : Écho | "
                         "Origine : école | Origine : Éditions | Origine : Presse | Origine : Relation | "
                         "Origine : Salon | Origine : Zone");
}

TEST(Arbre, SeulUnClicSurUneFeuilleOuvreUneCandidature)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    remplir(r);
    trier(f, 0);

    // The company "s12" is a group like any other, whatever its key looks like.
    f.CadreWeb->show();
    f.Liste_NodeClick(f.noeud(u"Valeur 3M"_qs));
    f.Liste_NodeClick(f.Liste->findItems(u"s12"_qs, Qt::MatchExactly).value(0));
    EXPECT_TRUE(f.Num->text().isEmpty());
    EXPECT_FALSE(f.CadreWeb->isHidden());

    QTreeWidgetItem* livreur = f.Liste->findItems(u"s12"_qs, Qt::MatchExactly).value(0)->child(0);
    f.Liste_NodeClick(livreur);
    EXPECT_EQ(f.Intitule->text(), u"Livreur"_qs);
    EXPECT_EQ(FormCand::cleNoeud(livreur), u"s"_qs + f.Num->text());
    EXPECT_TRUE(f.CadreWeb->isHidden());
}

TEST(Arbre, UnClicDroitSurUneCandidatureEnvoyeeOffreLeMenuSansPostuler)
{
    FenetreRegistre r;
    Principale& p = Forme<Principale>();
    FormCand& f = *r.f;
    const qint64 envoyee = r.inserer({{u"Intitule"_qs, u"Envoyée"_qs}, {u"Statut"_qs, u"EMISE - SANS REPONSE"_qs},
                                      {u"DateEnvoi"_qs, u"2024-01-05"_qs}});
    const qint64 aEnvoyer = r.inserer({{u"Intitule"_qs, u"À envoyer"_qs}, {u"Statut"_qs, u"NON EMISE"_qs}});
    f.InitListe();

    f.Liste_MouseDown(Qt::RightButton);
    f.Liste_NodeClick(f.noeud(u"s%1"_qs.arg(envoyee)));
    EXPECT_TRUE(p.MenuItemCand->isVisible());
    EXPECT_FALSE(p.MenuPostuler->isEnabled());
    p.MenuItemCand->hide();

    f.Liste_NodeClick(f.noeud(u"s%1"_qs.arg(aEnvoyer)));
    EXPECT_TRUE(p.MenuPostuler->isEnabled());
    p.MenuItemCand->hide();

    // A left click opens without a menu.
    f.Liste_MouseDown(Qt::LeftButton);
    f.Liste_NodeClick(f.noeud(u"s%1"_qs.arg(envoyee)));
    EXPECT_FALSE(p.MenuItemCand->isVisible());

    // The applications icon: the register picture once the tree holds rows, the empty one
    // after deleting them all.
    EXPECT_EQ(p.ImageMenu[10]->genre(), Dessins::Icone::Candidature);
    f.ToutSupprimer_Click();
    EXPECT_EQ(p.ImageMenu[10]->genre(), Dessins::Icone::Nouveau);
    RegistreFenetres::instance().decharger(Principale::NomConception);
}

TEST(Statuts, LeChoixDUnStatutRemplitLesDatesEtLesRemarquesPuisEnregistre)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    const qint64 num = r.nouvelle({{u"Intitule"_qs, u"Géomètre"_qs}});

    f.Image2_Click();
    EXPECT_FALSE(f.ListeStatuts->isHidden());
    EXPECT_EQ(f.ListeStatuts->currentRow(), 0); // the status shown is selected
    f.ListeStatuts->setCurrentRow(5);             // "ENTRETIEN A EFFECTUER"
    f.ListeStatuts_Click();
    EXPECT_TRUE(f.ListeStatuts->isHidden());
    EXPECT_EQ(f.Statut->text(), u"ENTRETIEN A EFFECTUER"_qs);
    EXPECT_EQ(f.DateEnvoi->text(), D);
    EXPECT_EQ(f.DateRDV->text(), D);
    EXPECT_EQ(f.champ(u"Remarques"_qs), u"Réponse le "_qs + D + u"\r\n\r\nPrise de rendez-vous le "_qs + D + u"\r\n"_qs);
    EXPECT_EQ(r.colonne(num, u"Statut"_qs), u"ENTRETIEN A EFFECTUER"_qs);
    EXPECT_EQ(r.colonne(num, u"DateRDV"_qs), u"2024-03-15"_qs);
    EXPECT_EQ(f.EmpreinteFiche, f.Empreinte()); // what was saved: the autosave has nothing to add

    // The status already shown changes nothing and leaves the list open.
    f.Image2_Click();
    f.ListeStatuts->setCurrentRow(5);
    f.ListeStatuts_Click();
    EXPECT_FALSE(f.ListeStatuts->isHidden());
    f.Statut_LostFocus();
    EXPECT_TRUE(f.ListeStatuts->isHidden());
}

TEST(Statuts, UneNouvelleCandidatureNEstPasEnregistreeEtLeStatutDuVieillissementNEstPasPropose)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    f.Intitule->setText(u"Pas encore enregistrée"_qs);
    f.ListeStatuts->setCurrentRow(3);
    f.ListeStatuts_Click();
    EXPECT_EQ(f.DateEnvoi->text(), D);
    EXPECT_EQ(r.nombreLignes(), 0);

    // Shown but in no list: dropping the list down keeps its selection; a listed status
    // replaces it.
    f.Statut->setText(Candidatures::sansReponseApresEntretien());
    f.ListeStatuts->setCurrentRow(2);
    f.Image2_Click();
    EXPECT_EQ(f.ListeStatuts->currentRow(), 2);
    f.ListeStatuts->setCurrentRow(10);
    f.ListeStatuts_Click();
    EXPECT_EQ(f.Statut->text(), u"EMBAUCHE"_qs);
}

} // namespace

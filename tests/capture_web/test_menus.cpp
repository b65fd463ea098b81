// The main window's applications menus: open the register, search offers, delete all, delete
// one, show the offer's page, apply.
#include <gtest/gtest.h>

#include <QFile>
#include <QTreeWidget>

#include "banc.h"
#include "support/registres.h"
#include "register/window/form_liens.h"
#include "shell/mainwindow/principale.h"

namespace {

Principale& principale() { return Forme<Principale>(); }

qint64 ajouter(Banc& b, const QString& intitule)
{
    FormCand& f = *b.f;
    f.Action_Click(0);
    f.fixerChamp(u"Intitule"_qs, intitule);
    f.fixerChamp(u"www"_qs, u"http://www.offres.fr/"_qs + intitule);
    f.Action_Click(3);
    return f.Num->text().toLongLong();
}

} // namespace

TEST(MenusCandidatures, OuvrirEtRechercherDesOffresAvecLesConseilsDuRegistreVide)
{
    Banc b(true);
    Principale& p = principale();
    ASSERT_EQ(p.ImageMenu[10]->genre(), Dessins::Icone::Nouveau);
    p.MenuOuvrirCand_Click();
    EXPECT_FALSE(b.f->isHidden());
    EXPECT_TRUE(p.InfoGuide->text().startsWith(u"Pour créer une nouvelle candidature"_qs));

    p.InfoGuide->clear();
    p.MenuRechercherOffres_Click();
    EXPECT_FALSE(b.f->CadreWeb->isHidden());
    EXPECT_TRUE(p.InfoGuide->text().startsWith(u"Positionnez-vous sur une annonce"_qs));
    EXPECT_EQ(b.nav().navigations.last(), p.AdresseWeb->text());

    // With applications recorded, no tip.
    ajouter(b, u"Comptable"_qs);
    ASSERT_EQ(p.ImageMenu[10]->genre(), Dessins::Icone::Candidature);
    p.InfoGuide->clear();
    p.MenuOuvrirCand_Click();
    p.MenuRechercherOffres_Click();
    EXPECT_TRUE(p.InfoGuide->text().isEmpty());
}

TEST(MenusCandidatures, ToutSupprimerEtSupprimerUne)
{
    Banc b(true);
    Principale& p = principale();
    FormCand& f = *b.f;
    const qint64 un = ajouter(b, u"Comptable"_qs);
    const qint64 deux = ajouter(b, u"Soudeur"_qs);
    ASSERT_EQ(b.nombreLignes(), 2);

    // Cancel: nothing changes.
    b.plateforme.dialogues->reponses = {false};
    p.MenuSupprimerCand_Click();
    EXPECT_EQ(b.nombreLignes(), 2);
    EXPECT_EQ(f.Num->text().toLongLong(), deux);

    // The application shown goes, and the fields and address box are emptied.
    f.CadreWeb->AdresseWeb->setText(u"http://x"_qs);
    b.plateforme.dialogues->reponses = {true};
    p.MenuSupprimerCand_Click();
    const QString question = u"Confirmez-vous la suppression de cette candidature ?"_qs;
    EXPECT_EQ(b.messages(), (QStringList{question, question}));
    EXPECT_EQ(b.colonne(deux, u"Num"_qs), u"<absent>"_qs);
    EXPECT_NE(b.colonne(un, u"Num"_qs), u"<absent>"_qs);
    EXPECT_TRUE(f.Num->text().isEmpty());
    EXPECT_TRUE(f.champ(u"Intitule"_qs).isEmpty());
    EXPECT_TRUE(f.CadreWeb->AdresseWeb->text().isEmpty());
    EXPECT_FALSE(f.noeud(u"s"_qs + QString::number(deux)));
    EXPECT_TRUE(f.noeud(u"s"_qs + QString::number(un)));

    // No application shown: nothing after the confirmation.
    b.plateforme.dialogues->reponses = {true};
    p.MenuSupprimerCand_Click();
    EXPECT_EQ(b.nombreLignes(), 1);

    // Delete all: the register and the tree are empty, the icon shows the empty slot; the
    // fields keep what they show.
    f.AfficherCandidature(un);
    b.plateforme.dialogues->reponses = {false};
    p.MenuSupprimer_Click();
    EXPECT_EQ(b.nombreLignes(), 1);
    b.messages();
    b.plateforme.dialogues->reponses = {true};
    p.MenuSupprimer_Click();
    EXPECT_EQ(b.messages(), QStringList{u"Confirmez-vous la suppression de toutes les candidatures ?"_qs});
    EXPECT_EQ(b.nombreLignes(), 0);
    EXPECT_EQ(f.Liste->topLevelItemCount(), 0);
    EXPECT_EQ(p.ImageMenu[10]->genre(), Dessins::Icone::Nouveau);
    EXPECT_EQ(f.champ(u"Intitule"_qs), u"Comptable"_qs);
    // The node the flash would look for is gone with the tree.
    EXPECT_FALSE(f.noeud(u"s"_qs + QString::number(un)));
}

TEST(MenusCandidatures, RegistreIllisibleSignaleSansRienEffacer)
{
    Banc b(true);
    Principale& p = principale();
    FormCand& f = *b.f;
    ajouter(b, u"Comptable"_qs);
    QFile::remove(b.dossier.chemin(u"Kerval.mdb"_qs));
    Outils::ecrireOctets(b.dossier.chemin(u"Kerval.mdb"_qs), "pas une base");
    b.messages();
    b.plateforme.dialogues->reponses = {true, true};
    p.MenuSupprimerCand_Click();
    // The question, then why nothing was deleted.
    EXPECT_EQ(b.messages().value(1),
              u"La candidature n'a pas pu être supprimée : le fichier Kerval.mdb est endommagé ou illisible."_qs);
    EXPECT_EQ(f.champ(u"Intitule"_qs), u"Comptable"_qs);
    b.plateforme.dialogues->reponses = {true, true};
    p.MenuSupprimer_Click();
    EXPECT_EQ(b.messages().value(1),
              u"Les candidatures n'ont pas pu être supprimées : le fichier Kerval.mdb est endommagé ou illisible."_qs);
}

TEST(MenusCandidatures, RegistreProtegeDitSaCauseSansRienEffacer)
{
    Banc b(true);
    Principale& p = principale();
    const qint64 un = ajouter(b, u"Comptable"_qs);
    Registres::FichierProtege protege(b.dossier.chemin(u"Kerval.mdb"_qs));
    ASSERT_TRUE(protege.actif());
    b.messages();
    b.plateforme.dialogues->reponses = {true, true};
    p.MenuSupprimerCand_Click();
    const QString cause = u"Kerval n'a pas le droit d'écrire dans le fichier Kerval.mdb ou dans son dossier"_qs;
    EXPECT_EQ(b.messages().value(1), u"La candidature n'a pas pu être supprimée : "_qs + cause + u'.');
    b.plateforme.dialogues->reponses = {true, true};
    p.MenuSupprimer_Click();
    EXPECT_EQ(b.messages().value(1), u"Les candidatures n'ont pas pu être supprimées : "_qs + cause + u'.');
    EXPECT_EQ(b.colonne(un, u"Intitule"_qs), u"Comptable"_qs);
}

TEST(MenusCandidatures, ConsulterEtPostuler)
{
    Banc b(true);
    Principale& p = principale();
    FormCand& f = *b.f;
    ajouter(b, u"Comptable"_qs);
    p.MenuConsulterOrigine_Click();
    EXPECT_EQ(b.nav().navigations.last(), u"http://www.offres.fr/Comptable"_qs);

    // "Postuler": the sending window with the register's letter, its send button, the CV.
    FausseFenetreEnvoi* envoi = FausseFenetreEnvoi::charger(false);
    QString lettreRecue;
    bool bouton = false;
    FormCandLiens::ouvrirFenetreEnvoi = [&](const QString& lettre, bool boutonVisible,
                                            const std::optional<QString>& cv) {
        lettreRecue = lettre;
        bouton = boutonVisible;
        envoi->Texte->setPlainText(lettre);
        if (cv)
            envoi->PJ->setText(*cv);
        envoi->show();
    };
    envoi->Texte->setPlainText(u"composée au chargement"_qs);
    f.fixerChamp(u"Lettre"_qs, {});
    f.fixerChamp(u"CV"_qs, u"Martin Elodie.dat"_qs);
    p.MenuPostuler_Click();
    FormCandLiens::ouvrirFenetreEnvoi = {};
    EXPECT_TRUE(bouton);
    EXPECT_TRUE(lettreRecue.isEmpty());
    EXPECT_TRUE(envoi->Texte->toPlainText().isEmpty()); // even an empty letter replaces it
    EXPECT_EQ(envoi->PJ->text(), u"Martin Elodie.dat"_qs);
}

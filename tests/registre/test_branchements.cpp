// The register window as the user reaches it: mouse clicks on its labels and pictures, the
// focus leaving a field, its timers running, and its place in the main window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "fenetre_registre.h"
#include "register/store/base_candidatures.h"
#include "register/web/cadre_web.h"
#include "register/window/form_liens.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/twips.h"

namespace {

void cliquer(QWidget* w, Qt::MouseButton bouton = Qt::LeftButton, QPoint point = {})
{
    QTest::mouseClick(w, bouton, {}, point.isNull() ? w->rect().center() : point);
}

TEST(Branchements, LesClicsDeLaSourisAtteignentLeursCommandes)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    f.show();

    f.Intitule->setText(u"Electricien"_qs);
    cliquer(f.Action.value(3)); // "Valider"
    ASSERT_EQ(r.nombreLignes(), 1);
    EXPECT_FALSE(f.Num->text().isEmpty());

    cliquer(f.Image2); // the status list drops down, the choice is saved
    ASSERT_FALSE(f.ListeStatuts->isHidden());
    QListWidgetItem* choix = f.ListeStatuts->item(1);
    cliquer(f.ListeStatuts->viewport(), Qt::LeftButton, f.ListeStatuts->visualItemRect(choix).center());
    EXPECT_EQ(r.colonne(f.Num->text().toLongLong(), u"Statut"_qs), u"EMISE - EN ATTENTE DE REPONSE"_qs);

    cliquer(f.Image3.value(0)); // the picture of "Nouvelle"
    EXPECT_TRUE(f.Intitule->text().isEmpty());

    // A click on a leaf opens it.
    QTreeWidgetItem* feuille = f.Liste->topLevelItem(0)->child(0);
    cliquer(f.Liste->viewport(), Qt::LeftButton, f.Liste->visualItemRect(feuille).center());
    EXPECT_EQ(f.Intitule->text(), u"Electricien"_qs);

    cliquer(f.Action.value(4)); // "Internet"
    EXPECT_FALSE(f.CadreWeb->isHidden());
    cliquer(f.CadreWeb->Image6);
    EXPECT_FALSE(f.CadreWeb->List1->isHidden());
}

TEST(Branchements, LaListeSeFermeQuandLeChampPerdLeFocus)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.Image1_Click();
    ASSERT_TRUE(f.Nature->hasFocus());
    ASSERT_FALSE(f.ListeContrats->isHidden());
    // Code that sets the text does not close it; the user leaving the field does.
    f.Nature->setText(u"INTERIM"_qs);
    EXPECT_FALSE(f.ListeContrats->isHidden());
    f.Duree->setFocus();
    EXPECT_TRUE(f.ListeContrats->isHidden());
}

TEST(Branchements, LeVeilleurTourneToutesLesDemiSecondes)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    EXPECT_EQ(f.Timer1->interval(), 500);
    EXPECT_EQ(f.Timer2->interval(), 3000);
    f.Timer1->start();
    f.Description->setPlainText(u"Technicien de maintenance H/F\nSociété : Brico Ouest\nLieu : Quimper (29)\n"_qs);
    ASSERT_TRUE(Outils::attendre([&] { return f.DernierTexteAnalyse == f.champ(u"Description"_qs); }));
    EXPECT_FALSE(f.Intitule->text().isEmpty()); // the analysis wrote the empty fields
}

TEST(Branchements, DansLaFenetrePrincipale)
{
    DossierTemporaire dossier;
    dossier.entrer();
    FaussePlateforme::installer();
    ASSERT_TRUE(BaseCandidatures::creerVide(dossier.chemin(u"Kerval.mdb"_qs)));
    Principale& p = Forme<Principale>();
    p.show();
    int arrets = 0;
    LiensFenetres::arreterGlissementAccueil = [&arrets] { ++arrets; };
    FormCandLiens::installer();

    // The register icon opens the window at the top left of the workspace.
    LiensFenetres::appeler(LiensFenetres::ouvrirRegistre);
    FormCand* f = RegistreFenetres::instance().siChargee<FormCand>();
    ASSERT_TRUE(f);
    auto* cadre = qobject_cast<QMdiSubWindow*>(f->parentWidget());
    ASSERT_TRUE(cadre);
    EXPECT_EQ(cadre->pos(), QPoint(0, 0));
    EXPECT_EQ(cadre->width(), Twips::versPixels(p.largeurTwips() - 100));
    EXPECT_EQ(cadre->height(), Twips::versPixels(p.hauteurTwips() - 1700));
    EXPECT_TRUE(f->isVisible());

    // Coming to the front stops the home screen's glide.
    p.Espace->setActiveSubWindow(nullptr);
    p.Espace->setActiveSubWindow(cadre);
    EXPECT_GE(arrets, 1);

    // The offers start page is the main window's.
    f->Action_Click(4);
    EXPECT_EQ(f->CadreWeb->AdresseWeb->text(), p.AdresseWeb->text());

    LiensFenetres::arreterGlissementAccueil = {};
    LiensFenetres::ouvrirRegistre = {};
    RegistreFenetres::instance().toutDecharger();
}

} // namespace

// The home screen and the highlight bar as windows: the load, the sub-menus built from the
// desktop, the shared glide timer, the bar's fade-in, its click and the way back to the menu.
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "commun.h"
#include "cveditor/fichier_cv.h"
#include "cveditor/formrediger_cv.h"
#include "platform/fakes/faux_navigateur.h"
#include "platform/titres_x11.h"
#include "shell/services/systeme.h"

using Dessins::Icone;

TEST_F(TestAccueil, ChargementCompteursEtCentrage)
{
    for (const char* n : {"CV/A.dat", "CV/B.dat", "CV/C.doc", "Lettres/L (IS).dat"})
        fichier(QString::fromUtf8(n));
    principale(15000);
    AssistantTexte& a = accueil();
    EXPECT_EQ(a.libelle(0), u"Nombre de CV :  3\r\nNombre de lettres :  1\r\nNombre de candidatures : 0"_qs);
    EXPECT_EQ(a.libelles()[2], u"Rédiger un Curriculum Vitae"_qs);
    // 15000 twips wide, too narrow to centre the design: its left column keeps 120 twips from
    // the edge (everything 480 to the left), the menu's labels end 120 short of the right edge;
    // the labels end exactly on the column.
    EXPECT_DOUBLE_EQ(a.Width(), 15000);
    EXPECT_DOUBLE_EQ(a.Label1[0]->Left(), 120);
    EXPECT_DOUBLE_EQ(a.Label1[1]->Left(), 120);
    for (int i = 2; i <= 9; ++i) {
        EXPECT_DOUBLE_EQ(a.Label1[size_t(i)]->Left(), 7770 - 480) << i;
        EXPECT_DOUBLE_EQ(a.Label1[size_t(i)]->Left() + a.Label1[size_t(i)]->Width(), 15000 - 120) << i;
    }
    EXPECT_DOUBLE_EQ(a.Shape1->Left(), 7200 - 480);
    EXPECT_DOUBLE_EQ(a.Line[0].X1, 3735 + 915 - 480);
    EXPECT_DOUBLE_EQ(a.ImageOmbre->Left(), 0);
    EXPECT_DOUBLE_EQ(a.ImageOmbre->Width(), 15000);
    EXPECT_EQ(a.HautMiniature, 4380 + 30);
    EXPECT_EQ(a.Timer1->Interval(), 20);
    // A child of the workspace, without a frame, filling it below the banner.
    EXPECT_TRUE(qobject_cast<QMdiSubWindow*>(a.parentWidget()));
    EXPECT_FALSE(a.isHidden());
}

TEST_F(TestAccueil, LeFondCouvreToutLAccueilAToutesLesTailles)
{
    // A small background picture of one colour: wherever it is drawn, that colour shows.
    QImage fond(120, 80, QImage::Format_RGB32);
    fond.fill(QColor(200, 30, 40));
    ASSERT_TRUE(fond.save(dossier.chemin(u"Fondr.jpg"_qs), "JPG", 100));
    for (const QSize ecran : {QSize(1280, 1024), QSize(1024, 768), QSize(1920, 1080)}) {
        SCOPED_TRACE(ecran.width());
        RegistreFenetres::instance().decharger(AssistantTexte::NomConception);
        Principale& p = principale();
        p.resize(ecran.width(), ecran.height() - 27);
        p.show();
        AssistantTexte& a = accueil();
        a.Timer1->setInterval(0);
        pomper();
        ASSERT_GT(a.width(), ecran.width() - 40);
        const QImage vue = a.grab().toImage();
        const int l = vue.width() - 1, h = vue.height() - 1;
        for (const QPoint coin : {QPoint(1, h - 1), QPoint(l - 1, h - 1), QPoint(l - 1, h / 2), QPoint(l / 2, h - 1)}) {
            const QColor c = vue.pixelColor(coin);
            EXPECT_NEAR(c.red(), 200, 12) << coin.x() << "," << coin.y();
            EXPECT_NEAR(c.green(), 30, 12) << coin.x() << "," << coin.y();
        }
    }
}

TEST_F(TestAccueil, CentrageDUneFenetreLarge)
{
    principale(21000);
    AssistantTexte& a = accueil();
    EXPECT_DOUBLE_EQ(a.Label1[2]->Left(), 7770 + 1500);
    EXPECT_DOUBLE_EQ(a.Shape2[1]->Left(), 5250 + 1500);
}

TEST_F(TestAccueil, SousMenusDepuisLeBureau)
{
    fichier(u"CV/Commercial.dat"_qs);
    fichier(u"Lettres/Relance (ER).dat"_qs);
    fichier(u"Lettres/Spontanee.dat"_qs);
    principale();
    AssistantTexte& a = accueil();
    a.ChoixCV();
    EXPECT_EQ(a.libelle(2), u"Réaliser un nouveau CV"_qs);
    EXPECT_EQ(a.libelle(6), u"Commercial"_qs);
    EXPECT_EQ(a.libelle(7), u"Consulter / Modifier"_qs);
    EXPECT_EQ(a.HautMiniature, 3270 + 30);
    EXPECT_DOUBLE_EQ(a.Petit->Top(), 3300);
    EXPECT_DOUBLE_EQ(a.Petit->Left(), 5280);
    EXPECT_EQ(a.Timer1->Interval(), 20);
    EXPECT_FALSE(barreChargee());

    a.Timer1->setInterval(0);
    RegistreFenetres::instance().decharger(AssistantTexte::NomConception);
    AssistantTexte& b = accueil();
    b.ChoixLettre();
    EXPECT_EQ(b.libelle(5), u"Relance (ER)"_qs);
    EXPECT_EQ(b.libelle(4), u"Modèle mail, réponse à une annonce"_qs);
    EXPECT_EQ(b.libelle(6), u"Spontanee"_qs);
    EXPECT_EQ(b.libelle(7), u"Postuler aux offres et suivre les réponses"_qs);
    b.ChoixCand();
    EXPECT_EQ(b.libelle(6), u"Justificatif de recherche d'emploi"_qs);
    EXPECT_EQ(b.libelle(9), u"Retour au menu principal"_qs);
    EXPECT_EQ(b.HautMiniature, 4830 + 30);
}

TEST_F(TestAccueil, SurvolDesLibelles)
{
    principale();
    AssistantTexte& a = accueil();
    const double cible = a.PositionCible;
    const double marqueur = a.Petit->Top();
    // Label 1 moves the marker, not the bar.
    a.Label1_MouseMove(1);
    EXPECT_DOUBLE_EQ(a.PositionCible, cible);
    EXPECT_DOUBLE_EQ(a.Petit->Top(), 2100 / 12.0 + a.HautMiniature - 120);
    EXPECT_NE(a.Petit->Top(), marqueur);
    a.Label1_MouseMove(6);
    EXPECT_DOUBLE_EQ(a.PositionCible, hautDe(a, 6));
    EXPECT_EQ(a.DernierIndex, 6);
    // Twice the same label: the marker moves once.
    a.Petit->setTop(marqueur);
    a.Label1_MouseMove(6);
    EXPECT_DOUBLE_EQ(a.Petit->Top(), marqueur);
    // An empty caption changes nothing.
    a.fixerLibelle(7, QString());
    a.Label1_MouseMove(7);
    EXPECT_DOUBLE_EQ(a.PositionCible, hautDe(a, 6));
    EXPECT_EQ(a.DernierIndex, 6);
}

TEST_F(TestAccueil, MinuteriePartageeEtRetourDeLaBarre)
{
    principale();
    AssistantTexte& a = accueil();
    EXPECT_FALSE(barreChargee());
    // The first tick of a running timer brings the bar, faded in beside label 2.
    a.Timer1_Timer();
    ASSERT_TRUE(barreChargee());
    Assistant& b = Forme<Assistant>();
    EXPECT_EQ(b.etapesFondu(), (QList<int>{1, 11, 21, 31, 41, 51, 61, 71, 81}));
    EXPECT_EQ(Systeme::Opacite(&b), 81);
    EXPECT_TRUE(b.isVisible());
    EXPECT_DOUBLE_EQ(b.Top(), hautDe(a, 2));
    EXPECT_DOUBLE_EQ(b.Left(), a.Shape1->Left() + 400 + Forme<Principale>().geometry().x() * 15);

    // 300 twips above the target: 60, then 48.
    a.PositionCible = b.Top() + 300;
    const double depart = b.Top();
    a.Timer1_Timer();
    EXPECT_DOUBLE_EQ(b.Top(), depart + 60);
    a.Timer1_Timer();
    EXPECT_DOUBLE_EQ(b.Top(), depart + 108);

    // Another window stops it: the bar stays, and once closed does not come back.
    LiensFenetres::arreterGlissementAccueil();
    LiensFenetres::relancerGlissementAccueil();
    EXPECT_EQ(a.Timer1->Interval(), 20);
    LiensFenetres::arreterGlissementAccueil();
    EXPECT_EQ(a.Timer1->Interval(), 0);
    a.Timer1_Timer();
    EXPECT_DOUBLE_EQ(b.Top(), depart + 108);
    RegistreFenetres::instance().decharger(Assistant::NomConception);
    a.Timer1_Timer();
    EXPECT_FALSE(barreChargee());

    // The mouse over the background restarts it, unless the statistics are shown.
    FenetreNommee* stat = FenetreNommee::charger(u"FormStat"_qs);
    a.Form_MouseMove();
    EXPECT_EQ(a.Timer1->Interval(), 0);
    stat->hide();
    a.Form_MouseMove();
    EXPECT_EQ(a.Timer1->Interval(), 20);
    a.Timer1_Timer();
    EXPECT_TRUE(barreChargee());
}

TEST_F(TestAccueil, OmbreReleveeEtRedescendue)
{
    principale();
    AssistantTexte& a = accueil();
    for (int i = 0; i < 20; ++i)
        LiensFenetres::releverOmbreAccueil(-60);
    EXPECT_DOUBLE_EQ(a.ImageOmbre->Top(), -60);
    LiensFenetres::releverOmbreAccueil(-75);
    EXPECT_DOUBLE_EQ(a.ImageOmbre->Top(), -65);
    a.Form_MouseMove();
    EXPECT_DOUBLE_EQ(a.ImageOmbre->Top(), -60);
    for (int i = 0; i < 20; ++i)
        a.Form_MouseMove();
    EXPECT_DOUBLE_EQ(a.ImageOmbre->Top(), 0);
    const auto ancrage = LiensFenetres::ancrageAPropos();
    ASSERT_TRUE(ancrage);
    EXPECT_EQ(*ancrage, QPoint(int(a.Shape1->Left()), 2100));
}

TEST_F(TestAccueil, ClicSurLaBarreVersLesSousMenusEtRetour)
{
    principale();
    AssistantTexte& a = accueil();
    Assistant& b = Forme<Assistant>();
    const QPoint milieu = b.rect().center();
    QTest::mousePress(&b, Qt::LeftButton, {}, milieu);
    EXPECT_EQ(a.Timer1->Interval(), 0);
    EXPECT_DOUBLE_EQ(b.Width(), Assistant::Largeur - 45);
    EXPECT_DOUBLE_EQ(b.Top(), hautDe(a, 2) + 30);
    EXPECT_TRUE(barreChargee()); // a press on the bar is no press elsewhere
    // Still within 400 twips of label 2.
    QTest::mouseRelease(&b, Qt::LeftButton, {}, milieu);
    pomper();
    EXPECT_FALSE(barreChargee());
    EXPECT_EQ(a.libelle(2), u"Réaliser un nouveau CV"_qs);
    EXPECT_EQ(a.Timer1->Interval(), 20);

    // "Retour" on label 8: the home screen is reloaded with the main menu.
    Assistant& c = Forme<Assistant>();
    c.setTop(hautDe(a, 8));
    c.Form_MouseUp();
    pomper();
    AssistantTexte& nouvelle = accueil();
    EXPECT_EQ(nouvelle.libelle(2), u"Rédiger un Curriculum Vitae"_qs);
    EXPECT_FALSE(barreChargee());

    // In a sub-menu, at label 9's height: nothing is carried out, the bar closes.
    nouvelle.ChoixCand();
    Assistant& d = Forme<Assistant>();
    d.setTop(hautDe(nouvelle, 9));
    d.Form_MouseUp();
    EXPECT_FALSE(barreChargee());
    EXPECT_EQ(nouvelle.libelle(2), u"Gestion manuelle des candidatures"_qs);
    EXPECT_TRUE(appels.isEmpty());
}

TEST_F(TestAccueil, CommandesDesFichiersEtDesAutresFenetres)
{
    fichier(u"CV/Commercial.dat"_qs);
    fichier(u"Lettres/Commercial.dat"_qs);
    principale();
    AssistantTexte& a = accueil();
    // A name of both a CV and a template opens both, the CV first.
    Assistant::executer(u"Commercial"_qs);
    EXPECT_EQ(appels, (QStringList{u"CV CV/Commercial.dat"_qs, u"Lettre Lettres/Commercial.dat"_qs}));
    appels.clear();
    Assistant::executer(u"Consulter / Modifier"_qs);
    EXPECT_TRUE(appels.isEmpty());

    Assistant::executer(u"Réaliser un nouveau modèle de lettre"_qs);
    EXPECT_EQ(appels, QStringList{u"NouvelleLettre"_qs});
    Assistant::executer(u"Statistiques, calendrier et alertes"_qs);
    EXPECT_TRUE(Systeme::FormeVisible(u"FormStat"_qs));
    RegistreFenetres::instance().decharger(u"FormStat"_qs);
    faux.dialogues->messages.clear();

    // With a CV on the desktop the attach dialog comes directly.
    Assistant::executer(u"Rattacher un CV existant"_qs);
    EXPECT_EQ(faux.dialogues->titresDialogues, QStringList{u"Sélection d'un CV"_qs});
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
    EXPECT_EQ(a.libelle(2), u"Rédiger un Curriculum Vitae"_qs);
}

TEST_F(TestAccueil, RattacherSansCVPrevientDAbord)
{
    principale();
    accueil();
    ASSERT_EQ(Forme<Principale>().ImageMenu[0]->genre(), Icone::Nouveau);
    Assistant::executer(u"Rattacher un CV existant"_qs);
    ASSERT_EQ(faux.dialogues->messages.size(), 1);
    EXPECT_TRUE(faux.dialogues->messages[0].texte.startsWith(u"INFORMATION : Pour profiter pleinement"_qs));
    EXPECT_TRUE(faux.dialogues->messages[0].texte.contains(u"prégénération des courriers d'accompagnement"_qs));
    EXPECT_FALSE(faux.dialogues->messages[0].okAnnuler);
    EXPECT_EQ(faux.dialogues->titresDialogues, QStringList{u"Sélection d'un CV"_qs});
}

TEST_F(TestAccueil, FermeturesDeLaBarre)
{
    principale();
    accueil();
    Forme<Assistant>().Form_LostFocus();
    EXPECT_FALSE(barreChargee());

    // The CV editor shown: the bar's next check closes it.
    Assistant& b = Forme<Assistant>();
    b.Timer1_Timer();
    pomper();
    EXPECT_TRUE(barreChargee());
    FenetreNommee::charger(u"FormRédigerCV"_qs);
    Forme<Assistant>().Timer1_Timer();
    pomper();
    EXPECT_FALSE(barreChargee());
}

TEST_F(TestAccueil, LaBarreSeTientAuDessusDeLaFenetrePrincipaleEtSeFermeSansLeFocus)
{
    Principale& p = principale();
    p.show();
    p.activateWindow();
    if (!QTest::qWaitForWindowActive(&p))
        GTEST_SKIP() << "no window activation on this platform";
    AssistantTexte& a = accueil();
    a.Timer1->setInterval(0); // the glide would bring a closed bar back at once

    // A tool window of the main window, not one above every program.
    Assistant& b = Forme<Assistant>();
    EXPECT_TRUE(b.isWindow());
    EXPECT_EQ(b.parentWidget(), &p);
    EXPECT_EQ(b.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(b.windowFlags() & Qt::WindowStaysOnTopHint);
    ASSERT_TRUE(b.windowHandle());
    EXPECT_EQ(b.windowHandle()->transientParent(), p.windowHandle());
    EXPECT_TRUE(b.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    pomper();
    EXPECT_TRUE(barreChargee());

    // A press anywhere else: on a label of the home screen, on the main window's banner.
    QTest::mouseClick(a.Label1[5], Qt::LeftButton);
    pomper();
    EXPECT_FALSE(barreChargee());
    Forme<Assistant>();
    QTest::mouseClick(p.Toolbar1, Qt::LeftButton, {}, QPoint(5, 5));
    pomper();
    EXPECT_FALSE(barreChargee());

    // Another window takes the focus from the main window.
    Forme<Assistant>();
    QWidget autre;
    autre.resize(200, 100);
    autre.show();
    autre.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&autre));
    pomper();
    EXPECT_FALSE(barreChargee());
}

// The main window closed (by the user, or by a SIGTERM) while the menu slides in: the events the
// slide lets run before it starts close the home screen with it, and the slide stops there.
TEST_F(TestAccueil, FermeeAvantLeGlissementDuMenu)
{
    principale().show();
    auto fermer = [] {
        QTimer::singleShot(0, [] {
            if (auto* p = RegistreFenetres::instance().siChargee<Principale>())
                p->close();
            RegistreFenetres::instance().decharger(AssistantTexte::NomConception);
        });
    };
    fermer();
    Forme<AssistantTexte>();
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<AssistantTexte>());

    // The same during a sub-menu's slide.
    RegistreFenetres::instance().toutDecharger();
    pomper();
    principale().show();
    AssistantTexte& a = accueil();
    ASSERT_TRUE(RegistreFenetres::instance().estChargee<AssistantTexte>());
    fermer();
    a.ChoixCand();
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<AssistantTexte>());
}

TEST_F(TestAccueil, RetourAuMenuPrincipal)
{
    principale();
    AssistantTexte& a = accueil();
    a.ChoixLettre();
    Forme<Assistant>();
    // While the bar is shown the label does nothing.
    Forme<Principale>().Label2_MouseUp();
    EXPECT_EQ(accueil().libelle(2), u"Réaliser un nouveau modèle de lettre"_qs);

    RegistreFenetres::instance().decharger(Assistant::NomConception);
    FenetreNommee::charger(u"FormCand"_qs);
    Forme<Principale>().Label2_MouseUp();
    pomper();
    EXPECT_EQ(accueil().libelle(2), u"Rédiger un Curriculum Vitae"_qs);
    EXPECT_TRUE(barreChargee());
    EXPECT_FALSE(RegistreFenetres::instance().trouver(u"FormCand"_qs));

    // The mini-map's home box.
    accueil().ChoixCV();
    accueil().Retour_Click();
    EXPECT_EQ(accueil().libelle(2), u"Rédiger un Curriculum Vitae"_qs);
    EXPECT_FALSE(barreChargee());
}

TEST_F(TestAccueil, GestionDesCandidaturesEtConseilSurRegistreVide)
{
    principale();
    AssistantTexte& a = accueil();
    Principale& p = Forme<Principale>();
    p.ImageMenu[10]->fixerGenre(Icone::Candidature);
    // A click on the bar over "Gérer les candidatures", then on the sub-menu's first entry.
    auto cliquerBarre = [this](AssistantTexte& accueil, int label) {
        Assistant& b = Forme<Assistant>();
        b.setTop(hautDe(accueil, label));
        QTest::mouseClick(&b, Qt::LeftButton, {}, b.rect().center());
        pomper();
    };
    cliquerBarre(a, 6);
    ASSERT_EQ(a.libelle(2), u"Gestion manuelle des candidatures"_qs);
    cliquerBarre(a, 2);
    QWidget* registre = RegistreFenetres::instance().trouver(u"FormCand"_qs);
    ASSERT_TRUE(registre);
    EXPECT_FALSE(registre->isHidden());
    EXPECT_EQ(p.InfoGuide->text(), u"Text1"_qs);

    RegistreFenetres::instance().decharger(u"FormCand"_qs);
    p.ImageMenu[10]->fixerGenre(Icone::Nouveau);
    cliquerBarre(a, 2);
    EXPECT_TRUE(p.InfoGuide->text().startsWith(u"Pour créer une nouvelle candidature"_qs));
}

TEST_F(TestAccueil, SansCompositionLaBarreLaisseLireLEntreeSousElle)
{
    // The tests' platform composes no translucent window, as an X11 desktop without a
    // compositing manager: the bar must still let the entry beneath it show through.
    if (compositionActive())
        GTEST_SKIP() << "the desktop composes translucent windows here";
    Principale& p = principale();
    p.show();
    AssistantTexte& a = accueil();
    a.Timer1->setInterval(0);
    Assistant& b = Forme<Assistant>();
    pomper();
    ASSERT_TRUE(b.isVisible());
    const QImage dessous = p.grab(QRect(p.mapFromGlobal(b.mapToGlobal(QPoint(0, 0))), b.size())).toImage();
    const QImage barre = b.grab().toImage();
    // Along the row through the middle of the label's letters, where they stand out from the
    // background beneath, they stand out through the bar too.
    const QWidget* libelle = a.Label1[2];
    const int y = b.mapFromGlobal(libelle->mapToGlobal(libelle->rect().center())).y();
    ASSERT_GT(y, 0);
    ASSERT_LT(y, barre.height());
    int contrasteDessous = 0, contrasteBarre = 0;
    for (int x = 30; x + 1 < barre.width() - 30; ++x) {
        contrasteDessous += std::abs(qGray(dessous.pixel(x, y)) - qGray(dessous.pixel(x + 1, y)));
        contrasteBarre += std::abs(qGray(barre.pixel(x, y)) - qGray(barre.pixel(x + 1, y)));
    }
    ASSERT_GT(contrasteDessous, 200) << "no label under the bar";
    EXPECT_GT(contrasteBarre, contrasteDessous / 3);
}

// The CV editor open in front of the home screen: the strips of the home screen still in sight
// neither bring the bar over the editor nor let a click run a caption hidden behind it. Brought
// back in front, the home screen's "Réaliser un nouveau CV" saves the CV shown first, as the
// menu does, and asks before giving up a CV whose save failed.
TEST_F(TestAccueil, DevantLEditeurDeCVLaBarreNeVientPasEtUnNouveauCVDemandeDAbord)
{
    FauxNavigateur::installer();
    struct Fin {
        ~Fin()
        {
            RegistreFenetres::instance().toutDecharger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            FauxNavigateur::desinstaller();
        }
    } fin;
    const QDir livres(QStringLiteral(KERVAL_DONNEES_SOURCE) + u"/Modeles"_qs);
    QDir(dossier.donnees()).mkpath(u"Modeles"_qs);
    for (const QString& f : livres.entryList(QDir::Files))
        QFile::copy(livres.filePath(f), dossier.chemin(u"Modeles/"_qs + f));
    FichierCV::ValeursCV martin = FichierCV::ValeursCV::parDefaut();
    martin.fixer(u"Nom"_qs, u"MARTIN"_qs);
    martin.fixer(u"Prénom"_qs, u"Paul"_qs);
    martin.fixer(u"Experiences"_qs, u"2001 : Électricien"_qs);
    martin.fixer(u"NomCV"_qs, u"Martin Paul"_qs);
    const QString cheminMartin = dossier.chemin(u"CV/Martin Paul.dat"_qs);
    ASSERT_TRUE(FichierCV::enregistrer(dossier.donnees(), u"Martin Paul"_qs, martin));
    installerLiensEditeurCV();

    Principale& p = principale();
    p.resize(1024, 700);
    p.show();
    p.activateWindow();
    if (!QTest::qWaitForWindowActive(&p))
        GTEST_SKIP() << "no window activation on this platform";
    p.InitMenu();
    AssistantTexte& a = accueil();
    a.ChoixCV();
    ASSERT_EQ(a.libelle(6), u"Martin Paul"_qs);
    auto cliquerBarre = [&](int label) {
        Assistant& b = Forme<Assistant>();
        b.setTop(hautDe(a, label));
        QTest::mouseClick(&b, Qt::LeftButton, {}, b.rect().center());
        pomper();
    };
    // The CV opened from the sub-menu comes in front of the home screen and stops its glide.
    cliquerBarre(6);
    QPointer<FormRedigerCV> f = RegistreFenetres::instance().siChargee<FormRedigerCV>();
    ASSERT_TRUE(f);
    ASSERT_EQ(f->Nom->text(), u"MARTIN"_qs);
    EXPECT_EQ(a.Timer1->Interval(), 0);
    EXPECT_FALSE(barreChargee());

    // A strip of the home screen the editor leaves in sight, below it.
    QWidget* cadreCV = f->parentWidget();
    QWidget* cadreAccueil = a.parentWidget();
    QWidget* espace = cadreCV->parentWidget();
    const QRect vue = cadreAccueil->geometry() & espace->rect();
    const QPoint bande(cadreCV->geometry().center().x(), (cadreCV->geometry().bottom() + vue.bottom()) / 2);
    ASSERT_GT(vue.bottom() - cadreCV->geometry().bottom(), 10);
    QWindow* fenetre = p.windowHandle();
    const QPoint surBande = fenetre->mapFromGlobal(espace->mapToGlobal(bande));
    // The pointer moves there: the home screen gets the moves (its shadow comes down), the glide
    // stays stopped and the bar away.
    for (int i = 0; i < 4; ++i)
        LiensFenetres::releverOmbreAccueil(-75);
    const double ombre = a.ImageOmbre->Top();
    for (int dx : {0, 8, 16})
        QTest::mouseMove(fenetre, surBande + QPoint(dx, 0));
    pomper();
    EXPECT_GT(a.ImageOmbre->Top(), ombre);
    EXPECT_EQ(a.Timer1->Interval(), 0);
    EXPECT_FALSE(barreChargee());
    // Nor does the statistics window's close restart it; a glide set running behind the editor
    // stops at its next step without bringing the bar.
    LiensFenetres::relancerGlissementAccueil();
    EXPECT_EQ(a.Timer1->Interval(), 0);
    a.Timer1->setInterval(AssistantTexte::IntervalleGlissement);
    EXPECT_TRUE(Outils::attendre([&] { return a.Timer1->Interval() == 0; }, 20000));
    EXPECT_FALSE(barreChargee());
    // A bar still there, clicked where it stands over the editor on the "Réaliser un nouveau CV"
    // hidden behind: nothing is carried out, the bar closes.
    ASSERT_EQ(a.libelle(2), u"Réaliser un nouveau CV"_qs);
    cliquerBarre(2);
    EXPECT_FALSE(barreChargee());
    ASSERT_FALSE(f.isNull());
    EXPECT_EQ(f->Nom->text(), u"MARTIN"_qs);
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());


    // The CV cannot be saved any more; the user types on, then leaves the box: it is said once.
    const auto lecture = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(cheminMartin, lecture));
    QTest::mouseClick(f->Experiences->viewport(), Qt::LeftButton, {}, f->Experiences->viewport()->rect().center());
    QTest::keyClick(f->Experiences->viewport(), Qt::Key_End, Qt::ControlModifier);
    Outils::taper(f->Experiences->viewport(), u"\n2010 : Chef d'équipe"_qs);
    QTest::mouseClick(f->Fonction, Qt::LeftButton);
    ASSERT_EQ(faux.dialogues->messages.size(), 1);
    EXPECT_TRUE(faux.dialogues->messages[0].texte.startsWith(u"Pb lors de l'enregistrement du CV"_qs));
    faux.dialogues->messages.clear();
    const QString tape = u"2001 : Électricien\n2010 : Chef d'équipe"_qs;
    ASSERT_EQ(f->Experiences->toPlainText(), tape);

    // A click on the strip brings the home screen in front; the pointer on it brings the bar.
    QTest::mouseClick(fenetre, Qt::LeftButton, {}, surBande);
    ASSERT_EQ(qobject_cast<QMdiSubWindow*>(cadreAccueil)->mdiArea()->activeSubWindow(), cadreAccueil);
    QTest::mouseMove(fenetre, surBande + QPoint(8, 0));
    ASSERT_TRUE(Outils::attendre([] { return barreChargee(); }, 20000));
    // The bar's own check closes it only while the editor covers the home screen: in front of
    // the editor it stays, rather than going and coming back with the glide every second.
    Forme<Assistant>().Timer1_Timer();
    pomper();
    ASSERT_TRUE(barreChargee());
    // "Réaliser un nouveau CV" asks first; Cancel keeps the CV on screen.
    const QString question = u"Le CV affiché n'a pas pu être enregistré. Réaliser un nouveau CV fera perdre vos "
                             "dernières modifications. Continuer ?"_qs;
    faux.dialogues->reponses = {false};
    cliquerBarre(2);
    ASSERT_EQ(faux.dialogues->messages.size(), 1);
    EXPECT_EQ(faux.dialogues->messages[0].texte, question);
    EXPECT_TRUE(faux.dialogues->messages[0].okAnnuler);
    faux.dialogues->messages.clear();
    ASSERT_FALSE(f.isNull());
    EXPECT_EQ(f->Experiences->toPlainText(), tape);
    EXPECT_EQ(FichierCV::charger(cheminMartin)->texte(u"Experiences"_qs), u"2001 : Électricien"_qs);

    // OK gives a new, empty CV, with nothing more to say.
    faux.dialogues->reponses = {true};
    cliquerBarre(2);
    EXPECT_EQ(faux.dialogues->textes(), QStringList{question});
    EXPECT_TRUE(f.isNull());
    ASSERT_TRUE(RegistreFenetres::instance().estChargee<FormRedigerCV>());
    EXPECT_TRUE(Forme<FormRedigerCV>().Nom->text().isEmpty());
    ASSERT_TRUE(QFile::setPermissions(cheminMartin, lecture | QFile::WriteOwner | QFile::WriteUser));
}

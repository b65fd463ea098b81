// The session ends (SIGTERM) right after the user typed into an application's remarks and into a
// letter template: a child process runs the program's start-up as the executable does, with the
// desktop's own services, and the test sends it the signal; both texts are stored whole.
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <csignal>
#include <iostream>

#include "commun.h"
#include "letters/fichier_lettre.h"
#include "letters/formlettre.h"
#include "platform/plateforme.h"
#include "register/window/formcand.h"
#include "register/window/logique_fiche.h"
#include "shell/mainwindow/liens_modules.h"
#include "shell/mainwindow/principale.h"
#include "shell/startup/depart.h"

namespace {

const QString Remarques = u"Appeler lundi"_qs;
const QString Lettre = u"Madame, Monsieur,"_qs;

using Outils::attendre;

// Types at the end of a text box, right after its window's autosave has ticked: the next tick is
// a whole delay away.
void taperApresLeTic(QTimer* autosauvegarde, QPlainTextEdit* zone, const QString& texte)
{
    QSignalSpy tic(autosauvegarde, &QTimer::timeout);
    ASSERT_TRUE(tic.wait(60000));
    QTest::mouseClick(zone->viewport(), Qt::LeftButton, {}, zone->viewport()->rect().center());
    QTest::keyClick(zone->viewport(), Qt::Key_End, Qt::ControlModifier);
    Outils::taper(zone->viewport(), texte);
}

} // namespace

// Run only in the child process started by the next test.
TEST(Arret, Enfant)
{
    if (qEnvironmentVariableIsEmpty("KERVAL_ARRET"))
        GTEST_SKIP() << "run by a child process";
    // As the executable starts.
    Plateforme::installerLinux();
    Ecran::simuler(QSize(1280, 1024));
    installerLiensModules();
    Depart::demarrer();
    QPointer<Principale> principale = RegistreFenetres::instance().siChargee<Principale>();
    ASSERT_FALSE(principale.isNull());
    ASSERT_TRUE(attendre([] { return !RegistreFenetres::instance().estChargee<Depart>(); }));

    // The application opened from the register's tree, its remarks typed into.
    FormCand& registre = Forme<FormCand>();
    ASSERT_TRUE(attendre([&] { return registre.Liste->topLevelItemCount() == 1; }));
    QTreeWidgetItem* feuille = registre.Liste->topLevelItem(0)->child(0);
    ASSERT_NE(feuille, nullptr);
    QTest::mouseClick(registre.Liste->viewport(), Qt::LeftButton, {}, registre.Liste->visualItemRect(feuille).center());
    ASSERT_EQ(registre.Remarques->toPlainText(), Remarques);
    taperApresLeTic(registre.Timer2, registre.Remarques, u" - Entretien le 12 à 14h"_qs);

    // The template opened, its letter typed into.
    FormLettre& lettre = Forme<FormLettre>();
    lettre.ChargerFichierLettre(QDir::current().filePath(u"Lettres/Relance.dat"_qs));
    ASSERT_EQ(lettre.Text1->toPlainText(), Lettre);
    taperApresLeTic(lettre.Timer1, lettre.Text1, u"\nVotre annonce a retenu mon attention."_qs);

    std::cout << "pret" << std::endl;
    QTimer::singleShot(120000, qApp, [] { QCoreApplication::exit(3); }); // no signal came
    EXPECT_EQ(QApplication::exec(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(principale.isNull());
}

TEST(Arret, UnSignalDArretEnregistreCeQuiVientDEtreTape)
{
    DossierTemporaire dossier;
    const QString chemin = dossier.chemin(u"Kerval.mdb"_qs);
    ASSERT_TRUE(BaseCandidatures::creerVide(chemin));
    {
        auto base = BaseCandidatures::ouvrir(chemin);
        ChampsCandidature c = FicheCandidature::FicheVide();
        c[u"Intitule"_qs] = u"Soudeur"_qs;
        c[u"Societe"_qs] = u"Acier"_qs;
        c[u"Statut"_qs] = u"NON EMISE"_qs;
        c[u"Remarques"_qs] = Remarques;
        ASSERT_TRUE(FicheCandidature::Enregistrer(base->base(), c));
    }
    FichierLettre::ValeursLettre l;
    l.fixer(u"Nom"_qs, u"LEBRUN"_qs);
    l.fixer(u"NomLettre"_qs, u"Relance"_qs);
    l.fixer(u"Text1"_qs, Lettre);
    ASSERT_TRUE(FichierLettre::enregistrer(dossier.donnees(), u"Relance"_qs, l));

    QProcess enfant;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"KERVAL_ARRET"_qs, u"1"_qs);
    env.insert(u"AppData"_qs, dossier.appData());
    enfant.setProcessEnvironment(env);
    enfant.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    enfant.start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=Arret.Enfant"_qs});
    ASSERT_TRUE(enfant.waitForStarted(10000));
    QByteArray sortie;
    while (!sortie.contains("pret\n") && enfant.waitForReadyRead(120000))
        sortie += enfant.readAllStandardOutput();
    ASSERT_TRUE(sortie.contains("pret\n")) << sortie.toStdString();

    ::kill(pid_t(enfant.processId()), SIGTERM);
    ASSERT_TRUE(enfant.waitForFinished(60000));
    sortie += enfant.readAllStandardOutput();
    EXPECT_EQ(enfant.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(enfant.exitCode(), 0) << sortie.toStdString();
    EXPECT_TRUE(sortie.contains("[  PASSED  ] 1 test")) << sortie.toStdString();

    auto base = BaseCandidatures::ouvrir(chemin);
    ASSERT_TRUE(base);
    EXPECT_EQ(FicheCandidature::Charger(base->base(), 1).value_or(ChampsCandidature{}).value(u"Remarques"_qs),
              Remarques + u" - Entretien le 12 à 14h"_qs);
    const auto modele = FichierLettre::charger(FichierLettre::cheminFichier(dossier.donnees(), u"Relance"_qs));
    ASSERT_TRUE(modele.has_value());
    EXPECT_EQ(modele->texte(u"Text1"_qs), Lettre + u"\r\nVotre annonce a retenu mon attention."_qs);
}

// The session ends (SIGTERM) right after the user typed into an application's remarks and into a
// letter template: a child process runs the program's start-up as the executable does, with the
// desktop's own services, and the test sends it the signal; both texts are stored whole.
#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

#include "commun.h"
#include "letters/formlettre.h"
#include "register/window/formcand.h"
#include "shell/mainwindow/principale.h"

namespace {

const QString Remarques = u"Appeler lundi"_qs;
const QString Lettre = u"Madame, Monsieur,"_qs;

} // namespace

// Run only in the child process started by the next test.
TEST(Arret, Enfant)
{
    if (qEnvironmentVariableIsEmpty("KERVAL_ARRET"))
        GTEST_SKIP() << "run by a child process";
    QPointer<Principale> principale = demarrerCommeLExecutable();
    ASSERT_FALSE(principale.isNull());

    // The application opened from the register's tree, its remarks typed into.
    FormCand& registre = ouvrirCandidature();
    ASSERT_EQ(registre.Remarques->toPlainText(), Remarques);
    taperApresLeTic(registre.Timer2, registre.Remarques, u" - Entretien le 12 à 14h"_qs);

    // The template opened, its letter typed into.
    FormLettre& lettre = Forme<FormLettre>();
    lettre.ChargerFichierLettre(QDir::current().filePath(u"Lettres/Relance.dat"_qs));
    ASSERT_EQ(lettre.Text1->toPlainText(), Lettre);
    taperApresLeTic(lettre.Timer1, lettre.Text1, u"\nVotre annonce a retenu mon attention."_qs);

    Outils::attendreLArret(principale);
}

TEST(Arret, UnSignalDArretEnregistreCeQuiVientDEtreTape)
{
    DossierTemporaire dossier;
    creerCandidatureEtModele(dossier, Remarques, Lettre);

    Outils::arreterEnfantPret(u"Arret.Enfant"_qs, {{u"KERVAL_ARRET"_qs, u"1"_qs}, {u"AppData"_qs, dossier.appData()}});

    EXPECT_EQ(remarquesEnregistrees(dossier), Remarques + u" - Entretien le 12 à 14h"_qs);
    EXPECT_EQ(lettreEnregistree(dossier), Lettre + u"\r\nVotre annonce a retenu mon attention."_qs);
}

// The register window on a register that must not change: damaged in the middle of the file,
// or one that can only be read. The user types and clicks as usual.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "fenetre_registre.h"
#include "register/store/base_candidatures.h"
#include "registres.h"

namespace {

void cliquer(QWidget* w, QPoint point = {})
{
    QTest::mouseClick(w, Qt::LeftButton, {}, point.isNull() ? w->rect().center() : point);
}

// The register window loaded again on what the data folder now holds.
FormCand& rouvrir(FenetreRegistre& r)
{
    RegistreFenetres::instance().decharger(FormCand::NomConception);
    r.f = &Forme<FormCand>();
    r.f->Timer1->stop();
    r.f->Timer2->stop();
    r.f->show();
    return *r.f;
}

const QString EchecAbime = u"Le registre des candidatures ne peut pas être enregistré : le fichier Kerval.mdb est "
                           "endommagé ou illisible. Les informations saisies restent affichées."_qs;
// The file cannot be written (for root too): the candidates stored are whole, and the user hears so.
const QString EchecProtege = u"Le registre des candidatures ne peut pas être enregistré : Kerval n'a pas le droit "
                             "d'écrire dans le fichier Kerval.mdb ou dans son dossier. Les candidatures déjà "
                             "enregistrées restent intactes. Les informations saisies restent affichées."_qs;

void taperDans(QLineEdit* champ, const QString& texte)
{
    cliquer(champ);
    QTest::keyClick(champ, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(champ, texte);
}

} // namespace

TEST(RegistresProteges, UnRegistreAbimeNEstJamaisEcrit)
{
    FenetreRegistre r(true);
    const QByteArray abime = Registres::creerAbime(r.cheminBase());
    FormCand& f = rouvrir(r);
    EXPECT_EQ(f.Liste->topLevelItemCount(), 0);
    EXPECT_TRUE(r.messages().isEmpty()); // the start-up has said it already

    cliquer(f.Intitule);
    QTest::keyClicks(f.Intitule, u"Electricien"_qs);
    cliquer(f.Action.value(3)); // "Valider"
    EXPECT_EQ(r.messages(), QStringList{EchecAbime});
    EXPECT_EQ(f.Intitule->text(), u"Electricien"_qs);
    EXPECT_TRUE(f.Num->text().isEmpty());
    EXPECT_EQ(Outils::lireOctets(r.cheminBase()), abime);
    EXPECT_EQ(QDir(r.dossier.donnees()).entryList({u"Kerval*"_qs}, QDir::Files), QStringList(u"Kerval.mdb"_qs));
}

TEST(RegistresProteges, UnRegistreEnLectureSeuleMontreSesCandidaturesEtLeDitUneFois)
{
    FenetreRegistre r;
    r.inserer({{u"Intitule"_qs, u"Soudeur"_qs}, {u"Societe"_qs, u"Acier"_qs}, {u"Statut"_qs, u"NON EMISE"_qs}});
    r.inserer({{u"Intitule"_qs, u"Chaudronnier"_qs}, {u"Societe"_qs, u"Acier"_qs}, {u"Statut"_qs, u"NON EMISE"_qs}});
    const QByteArray avant = Outils::lireOctets(r.cheminBase());
    Registres::FichierProtege protege(r.cheminBase());
    ASSERT_TRUE(protege.actif());
    r.messages();

    FormCand& f = rouvrir(r);
    EXPECT_EQ(r.messages(), QStringList{BaseCandidatures::messageLectureSeule()});
    ASSERT_EQ(f.Liste->topLevelItemCount(), 1);
    QTreeWidgetItem* groupe = f.Liste->topLevelItem(0);
    ASSERT_EQ(groupe->childCount(), 2);

    // An application opens; a change is refused with a message naming the cause, and stays on screen.
    QTreeWidgetItem* feuille = groupe->child(0);
    cliquer(f.Liste->viewport(), f.Liste->visualItemRect(feuille).center());
    ASSERT_FALSE(f.Num->text().isEmpty());
    const QString intitule = f.Intitule->text();
    EXPECT_FALSE(intitule.isEmpty());
    cliquer(f.Remarques->viewport());
    QTest::keyClicks(f.Remarques->viewport(), u"Relancer lundi"_qs);
    ASSERT_EQ(f.Remarques->toPlainText(), u"Relancer lundi"_qs);
    cliquer(f.Action.value(3));
    EXPECT_EQ(r.messages(), QStringList{EchecProtege});
    EXPECT_EQ(f.Remarques->toPlainText(), u"Relancer lundi"_qs);
    EXPECT_EQ(f.Intitule->text(), intitule);
    // The autosave tries again quietly.
    f.Timer2_Timer();
    EXPECT_TRUE(r.messages().isEmpty());
    EXPECT_EQ(Outils::lireOctets(r.cheminBase()), avant);
    EXPECT_EQ(QDir(r.dossier.donnees()).entryList({u"Kerval*"_qs}, QDir::Files), QStringList(u"Kerval.mdb"_qs));
}

TEST(RegistresProteges, UnDossierTropProfondPourLeRegistreLeDitALaSauvegarde)
{
    FenetreRegistre r(true);
    // The data folder so deep that the engine opens no file in it.
    const QString profond = Outils::dossierProfond(r.dossier.appData(), 500, u"Kerval"_qs);
    QDir::setCurrent(profond);
    FormCand& f = rouvrir(r);
    r.messages();
    taperDans(f.Intitule, u"Electricien"_qs);
    cliquer(f.Action.value(3)); // "Valider"
    EXPECT_EQ(r.messages(),
              QStringList{u"Le registre des candidatures ne peut pas être enregistré : le chemin de son dossier est trop "
                          "long pour le moteur de base de données. Les informations saisies restent affichées."_qs});
    EXPECT_EQ(f.Intitule->text(), u"Electricien"_qs);
    EXPECT_TRUE(QDir(profond).entryList({u"Kerval*"_qs}, QDir::Files | QDir::Hidden).isEmpty());
}

// The register window left within the autosave's delay, in the main window's workspace: what
// was just typed is saved as the window goes (Ctrl+F4, the main window closing, "Retour au menu
// principal"), and a save that fails then is said, naming the cause the system gave.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <optional>

#include "platform/fakes/fausse_plateforme.h"
#include "platform/fakes/faux_navigateur.h"
#include "register/store/base_candidatures.h"
#include "register/window/formcand.h"
#include "register/window/logique_fiche.h"
#include "registres.h"
#include "shell/mainwindow/principale.h"
#include "shell/startup/ecran.h"
#include "support/outils.h"

namespace {

const QString AnciennesRemarques = u"Appeler lundi"_qs;

class FermetureRegistre : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    FaussePlateforme plateforme = FaussePlateforme::installer();
    QPointer<Principale> principale;
    QPointer<FormCand> f;
    qint64 num = 0;

    void SetUp() override
    {
        Ecran::simuler(QSize(1280, 1024));
        dossier.entrer();
        FauxNavigateur::installer();
        ASSERT_TRUE(BaseCandidatures::creerVide(registre()));
        {
            auto base = BaseCandidatures::ouvrir(registre());
            ASSERT_TRUE(base);
            ChampsCandidature c = FicheCandidature::FicheVide();
            c[u"Intitule"_qs] = u"Soudeur"_qs;
            c[u"Societe"_qs] = u"Acier"_qs;
            c[u"Statut"_qs] = u"NON EMISE"_qs;
            c[u"Remarques"_qs] = AnciennesRemarques;
            ASSERT_TRUE(FicheCandidature::Enregistrer(base->base(), c));
            num = c.value(u"Num"_qs).toLongLong();
        }
        principale = &Forme<Principale>();
        principale->show();
        principale->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(principale));
        f = &Forme<FormCand>();
        // The autosave's tick never comes between the typing and the closing here.
        f->Timer1->stop();
        f->Timer2->stop();
        ASSERT_EQ(f->Liste->topLevelItemCount(), 1);
        QTreeWidgetItem* feuille = f->Liste->topLevelItem(0)->child(0);
        ASSERT_NE(feuille, nullptr);
        QTest::mouseClick(f->Liste->viewport(), Qt::LeftButton, {}, f->Liste->visualItemRect(feuille).center());
        ASSERT_EQ(f->Num->text(), QString::number(num));
        plateforme.dialogues->messages.clear();
    }
    void TearDown() override
    {
        RegistreFenetres::instance().toutDecharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Ecran::simuler(std::nullopt);
    }

    QString registre() const { return dossier.chemin(u"Kerval.mdb"_qs); }
    QString remarquesEnregistrees() const
    {
        auto base = BaseCandidatures::ouvrir(registre());
        const auto c = base ? FicheCandidature::Charger(base->base(), num) : std::nullopt;
        return c ? c->value(u"Remarques"_qs) : u"<absente>"_qs;
    }
    // The user's typing at the end of the remarks.
    void taperRemarques(const QString& texte)
    {
        QTest::mouseClick(f->Remarques->viewport(), Qt::LeftButton, {}, f->Remarques->viewport()->rect().center());
        QTest::keyClick(f->Remarques->viewport(), Qt::Key_End, Qt::ControlModifier);
        Outils::taper(f->Remarques->viewport(), texte);
    }
    QStringList messages()
    {
        const QStringList t = plateforme.dialogues->textes();
        plateforme.dialogues->messages.clear();
        return t;
    }
    bool registreFerme() const { return f.isNull() && !RegistreFenetres::instance().estChargee<FormCand>(); }
};

} // namespace

TEST_F(FermetureRegistre, CeQuiVientDEtreTapeEstEnregistreQuelleQueSoitLaFermeture)
{
    // Ctrl+F4 on the register's own window.
    taperRemarques(u" - Entretien le 12 à 14h"_qs);
    QTest::keyClick(f->Remarques->viewport(), Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(registreFerme());
    EXPECT_EQ(remarquesEnregistrees(), AnciennesRemarques + u" - Entretien le 12 à 14h"_qs);

    // "Retour au menu principal".
    f = &Forme<FormCand>();
    f->Timer2->stop();
    f->AfficherCandidature(num);
    taperRemarques(u" - rappeler"_qs);
    QTest::mouseClick(principale->Label2, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(registreFerme());
    EXPECT_EQ(remarquesEnregistrees(), AnciennesRemarques + u" - Entretien le 12 à 14h - rappeler"_qs);

    // The main window closed: the program ends, the last note kept whole.
    f = &Forme<FormCand>();
    f->Timer2->stop();
    f->AfficherCandidature(num);
    taperRemarques(u"\nderniere note"_qs);
    EXPECT_TRUE(principale->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(principale.isNull());
    EXPECT_TRUE(registreFerme());
    EXPECT_EQ(remarquesEnregistrees(),
              AnciennesRemarques + u" - Entretien le 12 à 14h - rappeler\r\nderniere note"_qs);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(FermetureRegistre, UnEnregistrementQuiEchoueALaFermetureEstDitEtLaFenetreSeFermeQuandMeme)
{
    // A title emptied: the save is refused with its usual message, and the window still goes.
    QTest::mouseClick(f->Intitule, Qt::LeftButton);
    QTest::keyClick(f->Intitule, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(f->Intitule, Qt::Key_Delete);
    QTest::keyClick(f->Intitule, Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(registreFerme());
    EXPECT_EQ(messages(), QStringList{FicheCandidature::messageIntituleObligatoire()});

    // A register that cannot be written: the autosave said it while the user typed; closing with
    // a change still unsaved says it again, with what is lost, and the cause.
    f = &Forme<FormCand>();
    f->Timer2->stop();
    f->AfficherCandidature(num);
    Registres::FichierProtege protege(registre());
    ASSERT_TRUE(protege.actif());
    taperRemarques(u" - relancer"_qs);
    f->Timer2_Timer();
    EXPECT_EQ(messages(), QStringList{BaseCandidatures::messageEchecEnregistrement(Stockage::Cause::Permission, false)});
    taperRemarques(u" vendredi"_qs);
    f->Timer2_Timer();
    EXPECT_TRUE(messages().isEmpty()) << "said once while the window stays";
    EXPECT_TRUE(principale->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(registreFerme());
    const QStringList dits = messages();
    // It names the application whose changes are lost: it may be read later, at the next start.
    EXPECT_EQ(dits, QStringList{BaseCandidatures::messageEchecEnregistrement(Stockage::Cause::Permission, true) +
                                u" Candidature : « Soudeur », Acier."_qs});
    ASSERT_EQ(dits.size(), 1);
    EXPECT_TRUE(dits.first().contains(u"n'a pas le droit d'écrire"_qs)) << dits.first().toStdString();
    EXPECT_FALSE(dits.first().contains(u"endommagé"_qs));
    EXPECT_EQ(remarquesEnregistrees(), AnciennesRemarques);
}

TEST_F(FermetureRegistre, UnValiderExpliciteRepondAChaqueEchec)
{
    Registres::FichierProtege protege(registre());
    ASSERT_TRUE(protege.actif());
    const QString echec = BaseCandidatures::messageEchecEnregistrement(Stockage::Cause::Permission, false);
    taperRemarques(u" - relancer"_qs);
    QTest::mouseClick(f->Action.value(3), Qt::LeftButton); // "Valider"
    EXPECT_EQ(messages(), QStringList{echec});
    // Asked again, the save answers again; the autosave, which keeps trying meanwhile, does not
    // tell the same failure again.
    QTest::mouseClick(f->Action.value(3), Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{echec});
    taperRemarques(u" vendredi"_qs);
    f->Timer2_Timer();
    EXPECT_TRUE(messages().isEmpty());
    QTest::mouseClick(f->Action.value(3), Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{echec});
    EXPECT_EQ(remarquesEnregistrees(), AnciennesRemarques);
}

TEST_F(FermetureRegistre, UnRefusDeLAutosauvegardeLaisseLeClavierOuLUtilisateurTape)
{
    // A date left wrong, the user gone on to the remarks: the autosave's refusal is said, and the
    // keys typed next still go to the remarks.
    auto clavier = [](const char* texte) {
        for (const char* c = texte; *c; ++c)
            QTest::keyClick(QGuiApplication::focusWindow(), *c);
    };
    QTest::mouseClick(f->DateRDV, Qt::LeftButton);
    clavier("32/13");
    taperRemarques(u" - relancer"_qs);
    f->Timer2_Timer();
    EXPECT_EQ(messages(), QStringList{u"La date est incorrecte"_qs});
    clavier(" vite");
    EXPECT_EQ(f->Remarques->toPlainText(), AnciennesRemarques + u" - relancer vite"_qs);
    EXPECT_EQ(f->DateRDV->text(), u"32/13"_qs);
}

TEST_F(FermetureRegistre, UneToucheTapeeQuandLAutosauvegardeEchoueVaDansLeChamp)
{
    // The desktop's own message boxes, and the autosave running.
    Plateforme::instance().fixerDialogues(creerDialoguesLinux());
    std::optional<Registres::FichierProtege> protege(std::in_place, registre());
    ASSERT_TRUE(protege->actif());
    // The keys go where the desktop sends them: to the window that has the keyboard.
    auto clavier = [](const QString& texte) {
        for (const QChar c : texte)
            QTest::keyClick(QGuiApplication::focusWindow(), c.toLatin1());
    };
    QTest::mouseClick(f->Intitule, Qt::LeftButton);
    QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_A, Qt::ControlModifier);
    f->Timer2->start();
    clavier(u"FULL-R"_qs);

    // The autosave fails and says so: the next key, typed as its box comes up, and then OK.
    const QString echec = BaseCandidatures::messageEchecEnregistrement(Stockage::Cause::Permission, false);
    bool tape = false;
    QTimer guet;
    QObject::connect(&guet, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* boite = qobject_cast<QMessageBox*>(w);
            if (!boite || !boite->isVisible() || boite->text() != echec)
                continue;
            if (!tape) {
                clavier(u"1"_qs);
                tape = true;
            } else {
                QTest::mouseClick(boite->button(QMessageBox::Ok), Qt::LeftButton);
            }
            return;
        }
    });
    guet.start(10);
    ASSERT_TRUE(Outils::attendre([&] {
        const QWidgetList fenetres = QApplication::topLevelWidgets();
        return tape && std::none_of(fenetres.cbegin(), fenetres.cend(),
                                    [](QWidget* w) { return qobject_cast<QMessageBox*>(w) && w->isVisible(); });
    }));
    guet.stop();
    EXPECT_EQ(f->Intitule->text(), u"FULL-R1"_qs);

    // Once the register can be written again, the autosave stores what was typed, whole.
    protege.reset();
    QSignalSpy tic(f->Timer2, &QTimer::timeout);
    ASSERT_TRUE(tic.wait(60000));
    auto base = BaseCandidatures::ouvrir(registre());
    const auto c = base ? FicheCandidature::Charger(base->base(), num) : std::nullopt;
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->value(u"Intitule"_qs), u"FULL-R1"_qs);
}

// Run by the next test in a child process whose temporary folder, and so the data folder, is a
// file system of 2 MB: the register is full there as on a full disk.
TEST_F(FermetureRegistre, EnfantDisquePlein)
{
    if (qEnvironmentVariableIsEmpty("KERVAL_DISQUE_PLEIN"))
        GTEST_SKIP() << "run by a child process";
    // Everything left of the disk goes to another file.
    Outils::remplirDisque(dossier.chemin(u"bourre"_qs));
    const QByteArray avant = Outils::lireOctets(registre());
    taperRemarques(u" - Entretien le 12 à 14h"_qs);
    QTest::mouseClick(f->Action.value(3), Qt::LeftButton); // "Valider"
    const QStringList dits = messages();
    EXPECT_EQ(dits, QStringList{BaseCandidatures::messageEchecEnregistrement(Stockage::Cause::DisquePlein, false)});
    ASSERT_EQ(dits.size(), 1);
    EXPECT_TRUE(dits.first().startsWith(u"Le registre des candidatures ne peut pas être enregistré : le disque est "
                                        "plein. Les candidatures déjà enregistrées restent intactes."_qs))
        << dits.first().toStdString();
    EXPECT_EQ(f->Remarques->toPlainText(), AnciennesRemarques + u" - Entretien le 12 à 14h"_qs);
    // The register is whole and holds the application as it was.
    EXPECT_EQ(Outils::lireOctets(registre()), avant);
    EXPECT_EQ(remarquesEnregistrees(), AnciennesRemarques);
}

TEST(RegistrePlein, LeMessageDitQueLeDisqueEstPlein)
{
    Outils::relancerSurPetitDisque(u"FermetureRegistre.EnfantDisquePlein"_qs, u"KERVAL_DISQUE_PLEIN"_qs, 2);
}

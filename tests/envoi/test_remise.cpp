// The hand-over to the e-mail client as a user lives it: the client's window stays open while
// the program keeps running, and the user goes on working meanwhile. The stand-in client waits
// in an event loop, during which the test clicks, opens and closes windows.

#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "fenetre_envoi.h"
#include "shell/controls/bouton_kvl.h"

namespace {

const QString Envoyee = u"Candidature envoyée"_qs;
const QString EnAttente = u"EMISE - EN ATTENTE DE REPONSE"_qs;

// Two applications in the register, shown in the main window; the sending window opened for
// the first one from the register, a CV attached and a letter typed.
struct Remise : FenetreEnvoi {
    qint64 a = 0;
    qint64 b = 0;
    QString cv;
    QString lettre;
    FormPostuler* envoi = nullptr;

    Remise() : FenetreEnvoi(true)
    {
        modeleType(u"Lettre"_qs);
        a = candidature(candidatureType());
        ChampsCandidature autre = candidatureType();
        autre[u"Intitule"_qs] = u"COMPTABLE"_qs;
        autre[u"Societe"_qs] = u"MARTIN SARL"_qs;
        autre[u"Email"_qs] = u"paie@martin.fr"_qs;
        autre[u"Reference"_qs] = u"C-7"_qs;
        b = candidature(autre);
        cv = documents() + u"/CV.doc"_qs;
        Outils::ecrireOctets(cv, "doc");
        messages();

        cand->show();
        cliquerFeuille(a);
        cliquerPostuler();
        envoi = envoiCharge();
        EXPECT_TRUE(envoi);
        if (!envoi)
            return;
        QTest::keyClicks(envoi->PJ, cv);
        QTest::keyClicks(envoi->Texte, u"Madame, voici ma candidature."_qs);
        lettre = envoi->texte();
    }

    // The sending of the first application is recorded there, as the window showed it.
    void verifierEnvoiDeA()
    {
        ASSERT_EQ(messagerie->messages.size(), 1);
        EXPECT_EQ(messagerie->messages[0].destinataire, u"rh@durand.fr"_qs);
        EXPECT_EQ(messagerie->messages[0].objet, u"Réponse à l'annonce ref R-42"_qs);
        EXPECT_EQ(colonne(a, u"Statut"_qs), EnAttente);
        EXPECT_EQ(colonne(a, u"DateEnvoi"_qs), u"2024-03-15"_qs);
        EXPECT_EQ(colonne(a, u"CV"_qs), cv);
        EXPECT_EQ(colonne(a, u"Lettre"_qs), lettre);
        EXPECT_EQ(colonne(a, u"Societe"_qs), u"DURAND SA"_qs);
        // and nowhere else
        EXPECT_EQ(colonne(b, u"Statut"_qs), u"NON EMISE"_qs);
        EXPECT_EQ(colonne(b, u"DateEnvoi"_qs), u"<NULL>"_qs);
        EXPECT_EQ(colonne(b, u"Lettre"_qs), QString());
        EXPECT_EQ(colonne(b, u"CV"_qs), QString());
    }
};

} // namespace

TEST(Remise, UneAutreCandidatureChoisiePendantLEnvoi)
{
    Remise t;
    ASSERT_TRUE(t.envoi);
    FormPostuler& f = *t.envoi;
    t.messagerie->pendant = {[&] { t.cliquerFeuille(t.b); }};

    FenetreEnvoi::cliquerEnvoyer(f);

    EXPECT_FALSE(t.messagerie->enAttente);
    EXPECT_EQ(t.messages(), QStringList{Envoyee});
    t.verifierEnvoiDeA();
    // The register window still shows the other application, untouched.
    EXPECT_EQ(t.cand->champ(u"Num"_qs), QString::number(t.b));
    EXPECT_EQ(t.cand->champ(u"Statut"_qs), u"NON EMISE"_qs);
    EXPECT_EQ(t.cand->champ(u"DateEnvoi"_qs), QString());
    EXPECT_EQ(t.cand->champ(u"Lettre"_qs), QString());
    // Its tree lists the application sent under its new status.
    QTreeWidgetItem* feuille = t.cand->noeud(u"s"_qs + QString::number(t.a));
    ASSERT_TRUE(feuille && feuille->parent());
    EXPECT_EQ(feuille->parent()->text(0), u"Candidatures émises - en attente de reponse"_qs);
    EXPECT_TRUE(f.BoutonKVL1->isHidden());

    // Opened again on the application sent, the register shows it as sent.
    t.cliquerFeuille(t.a);
    EXPECT_EQ(t.cand->champ(u"Statut"_qs), EnAttente);
    EXPECT_EQ(t.cand->champ(u"Lettre"_qs), t.lettre);
}

TEST(Remise, LeMarquageVaALaCandidatureDeLaFenetre)
{
    Remise t;
    ASSERT_TRUE(t.envoi);
    FormPostuler& f = *t.envoi;
    // Another application chosen in the register, the sending window left as it was.
    t.cliquerFeuille(t.b);
    QTest::mouseClick(f.Messagerie[0], Qt::LeftButton, {}, QPoint(5, f.Messagerie[0]->height() / 2));
    ASSERT_EQ(f.BoutonKVL1->Libelle(), u"Marquer comme envoyée"_qs);

    FenetreEnvoi::cliquerEnvoyer(f);

    EXPECT_TRUE(t.messagerie->messages.isEmpty());
    ASSERT_EQ(t.messages().size(), 1);
    EXPECT_EQ(t.colonne(t.a, u"Statut"_qs), EnAttente);
    EXPECT_EQ(t.colonne(t.a, u"Lettre"_qs), t.lettre);
    EXPECT_EQ(t.colonne(t.b, u"Statut"_qs), u"NON EMISE"_qs);
    EXPECT_EQ(t.cand->champ(u"Lettre"_qs), QString());
}

TEST(Remise, FenetreDEnvoiFermeePendantLEnvoi)
{
    Remise t;
    ASSERT_TRUE(t.envoi);
    QPointer<FormPostuler> f = t.envoi;
    QPointer<FormPostuler> rouverte;
    t.messagerie->pendant = {
        [&] { FenetreEnvoi::fermerCadre(f); },
        [&] {
            // Gone, and opened again on the same application: a second click is no second sending.
            EXPECT_TRUE(f.isNull());
            t.cliquerPostuler();
            rouverte = FenetreEnvoi::envoiCharge();
            ASSERT_TRUE(rouverte);
            EXPECT_EQ(rouverte->EmailDest->text(), u"rh@durand.fr"_qs);
            FenetreEnvoi::cliquerEnvoyer(*rouverte);
        },
    };

    FenetreEnvoi::cliquerEnvoyer(*t.envoi);

    EXPECT_EQ(t.messages(), QStringList{Envoyee});
    t.verifierEnvoiDeA();
    EXPECT_EQ(t.cand->champ(u"Statut"_qs), EnAttente);
    // The window open on the application sent no longer offers to send it.
    ASSERT_TRUE(rouverte);
    EXPECT_TRUE(rouverte->BoutonKVL1->isHidden());
}

TEST(Remise, RegistreFermePendantLEnvoi)
{
    Remise t;
    ASSERT_TRUE(t.envoi);
    FormPostuler& f = *t.envoi;
    t.messagerie->pendant = {[&] { FenetreEnvoi::fermerCadre(t.cand); },
                             [&] { EXPECT_FALSE(RegistreFenetres::instance().estChargee<FormCand>()); }};

    FenetreEnvoi::cliquerEnvoyer(f);

    EXPECT_EQ(t.messages(), QStringList{Envoyee});
    t.verifierEnvoiDeA();
    // Recorded without the register window, which is not brought back for it.
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<FormCand>());
    EXPECT_TRUE(f.BoutonKVL1->isHidden());
}

TEST(Remise, FenetrePrincipaleFermeePendantLEnvoi)
{
    Remise t;
    ASSERT_TRUE(t.envoi);
    t.messagerie->pendant = {[&] { t.principale->close(); },
                             [&] { EXPECT_TRUE(RegistreFenetres::instance().fenetres().isEmpty()); }};

    FenetreEnvoi::cliquerEnvoyer(*t.envoi);

    EXPECT_EQ(t.messages(), QStringList{Envoyee});
    t.verifierEnvoiDeA();
    EXPECT_TRUE(RegistreFenetres::instance().fenetres().isEmpty());
}

TEST(Remise, DoubleClicSurLeBouton)
{
    Remise t;
    ASSERT_TRUE(t.envoi);
    FormPostuler& f = *t.envoi;
    // The second click of a double click comes while the client's window is opening, on
    // whatever is under the pointer then.
    t.messagerie->pendant = {[&] {
        const QPoint centre = f.BoutonKVL1->rect().center();
        QWidget* sous = f.BoutonKVL1->childAt(centre);
        QWidget* cible = sous ? sous : f.BoutonKVL1;
        QTest::mouseDClick(cible, Qt::LeftButton, {}, cible->mapFrom(f.BoutonKVL1, centre));
        QTest::mouseClick(f.BoutonKVL1->Label1, Qt::LeftButton, {}, f.BoutonKVL1->Label1->rect().center());
    }};

    FenetreEnvoi::cliquerEnvoyer(f);

    EXPECT_EQ(t.messages(), QStringList{Envoyee});
    t.verifierEnvoiDeA();
    EXPECT_TRUE(f.BoutonKVL1->isHidden());
}

// The same journey in the C locale, whose short dates ("15 Mar 2024") are no date the register
// reads back: the sending date is written as a date all the same.
TEST(Remise, UneAutreCandidatureChoisiePendantLEnvoiSousLaLocaleC)
{
    struct Locale {
        Locale() { QLocale::setDefault(QLocale::c()); }
        ~Locale() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    } locale;
    Remise t;
    ASSERT_TRUE(t.envoi);
    t.messagerie->pendant = {[&] { t.cliquerFeuille(t.b); }};

    FenetreEnvoi::cliquerEnvoyer(*t.envoi);

    EXPECT_EQ(t.messages(), QStringList{Envoyee});
    t.verifierEnvoiDeA();
}

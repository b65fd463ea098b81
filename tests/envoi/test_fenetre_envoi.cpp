// The sending window: its load, the template choice, the CV to attach, the check marks, the
// sending through the (recording) messagerie and the marking in the register.

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "fenetre_envoi.h"
#include "register/web/cadre_web.h"
#include "register/window/form_liens.h"
#include "shell/controls/bouton_kvl.h"
#include "shell/mainwindow/liens_fenetres.h"

namespace {

const QString EchecEnvoi = u"Problème lors de l'envoi automatique. Vous devez effectuer l'envoi manuellement via votre "
                         "messagerie et noter la candidature comme envoyée"_qs;
const QString Marquee = u"La candidature a été marquée comme envoyée aujourd'hui. L'envoi doit être effectué par vous "
                        "même via votre propre messagerie ou par voie postale"_qs;
const QString SansModele =
    u"Aucun modèle de lettre n'a été créé. Vous devrez rédiger le courrier d'accompagnement."_qs;

QStringList marques(const FormPostuler& f)
{
    QStringList m;
    for (QLabel* ok : f.Ok)
        m << ok->text();
    return m;
}

} // namespace

TEST(FenetreEnvoi, ChargementFusionneLePremierModeleEtPrendLaCandidature)
{
    FenetreEnvoi t;
    for (const QString& nom : {u"F"_qs, u"B"_qs, u"a"_qs, u"E"_qs, u"D"_qs, u"C"_qs})
        t.modeleType(nom, u"En réponse à votre annonce référence #Reference#"_qs);
    t.candidature(FenetreEnvoi::candidatureType());

    FormPostuler& f = t.envoi();
    // Five templates at most, in name order without regard to case; the sixth is not offered.
    QStringList noms;
    for (QLabel* m : f.Modele)
        noms << m->text();
    EXPECT_EQ(noms, (QStringList{u"a"_qs, u"B"_qs, u"C"_qs, u"D"_qs, u"E"_qs}));
    // The first one merged: its line breaks gone, the salutation first; the sender from it.
    EXPECT_EQ(f.texte(), u"Madame Sophie Martin,\r\n\r\nVotre annonce d'ASSISTANT COMMERCIAL parue le 01/03/2024 "
                         "m'intéresse.\r\nCordialement,"_qs);
    EXPECT_EQ(f.Email->text(), u"Helene Lebrun<helene@exemple.fr>"_qs);
    // At load the default subject wins over the template's.
    EXPECT_EQ(f.Objet->text(), u"Réponse à l'annonce ref R-42"_qs);
    EXPECT_EQ(f.EmailDest->text(), u"rh@durand.fr"_qs);
    EXPECT_TRUE(f.Messagerie[1]->isChecked());
    EXPECT_TRUE(f.BoutonKVL2->isHidden());

    // Chosen by a click, the template's subject is taken.
    f.Modele_Click(1);
    EXPECT_EQ(f.Objet->text(), u"En réponse à votre annonce référence R-42"_qs);
}

TEST(FenetreEnvoi, DeuxModelesOuAucun)
{
    {
        FenetreEnvoi t;
        t.modeleType(u"Lettre A"_qs);
        t.modeleType(u"Lettre B"_qs);
        t.candidature(FenetreEnvoi::candidatureType());
        FormPostuler& f = t.envoi();
        EXPECT_EQ(f.Modele[1]->text(), u"Lettre B"_qs);
        EXPECT_EQ(f.Modele[2]->text(), QString());
        EXPECT_FALSE(f.ImageLettre[1]->isHidden());
        for (int i = 2; i < 5; ++i)
            EXPECT_TRUE(f.ImageLettre[i]->isHidden()) << i;
    }
    {
        FenetreEnvoi t;
        t.candidature(FenetreEnvoi::candidatureType());
        FormPostuler& f = t.envoi();
        EXPECT_EQ(t.messages(), QStringList{SansModele});
        EXPECT_EQ(f.texte(), QString());
    }
}

TEST(FenetreEnvoi, DestinataireEtModeDEnvoi)
{
    {
        // No address but a web page: only the marking, and the way back to the page.
        FenetreEnvoi t;
        ChampsCandidature c = FenetreEnvoi::candidatureType();
        c[u"Email"_qs] = QString();
        t.candidature(c);
        FormPostuler& f = t.envoi();
        EXPECT_TRUE(f.Messagerie[0]->isChecked());
        EXPECT_FALSE(f.Messagerie[1]->isEnabled());
        EXPECT_FALSE(f.BoutonKVL2->isHidden());
        EXPECT_EQ(f.BoutonKVL1->Libelle(), u"Marquer comme envoyée"_qs);

        // Typing an address brings the e-mail sending back.
        f.EmailDest->setText(u"rh@durand.fr"_qs);
        EXPECT_TRUE(f.Messagerie[1]->isEnabled());
        EXPECT_TRUE(f.Messagerie[1]->isChecked());
        EXPECT_TRUE(f.BoutonKVL2->isHidden());
        EXPECT_EQ(f.BoutonKVL1->Libelle(), u"Envoyer la candidature"_qs);

        // "Postuler en ligne" shows the advertisement's page in the register's web panel.
        f.BoutonKVL2_Click();
        EXPECT_FALSE(t.cand->CadreWeb->isHidden());
        EXPECT_EQ(t.cand->CadreWeb->AdresseWeb->text(), u"http://emplois.exemple.fr/42"_qs);
        EXPECT_EQ(t.cand->CadreWeb->LocationURL(), u"http://emplois.exemple.fr/42"_qs);
    }
    {
        // Neither address: the e-mail sending stays selected.
        FenetreEnvoi t;
        ChampsCandidature c = FenetreEnvoi::candidatureType();
        c[u"Email"_qs] = QString();
        c[u"www"_qs] = QString();
        t.candidature(c);
        FormPostuler& f = t.envoi();
        EXPECT_TRUE(f.Messagerie[1]->isChecked());
        EXPECT_TRUE(f.Messagerie[1]->isEnabled());
        EXPECT_FALSE(f.BoutonKVL2->isHidden());
    }
}

TEST(FenetreEnvoi, MarquesDeVerification)
{
    FenetreEnvoi t;
    t.modeleType(u"Lettre"_qs);
    t.candidature(FenetreEnvoi::candidatureType());
    FormPostuler& f = t.envoi();
    const QString cv = t.documents() + u"/CV.doc"_qs;
    Outils::ecrireOctets(cv, "doc");

    f.PJ->setText(cv);
    f.Timer1_Timer();
    EXPECT_EQ(marques(f), (QStringList{u"Ok"_qs, u"Ok"_qs, u"Ok"_qs, u"Ok"_qs, u"Ok"_qs}));
    EXPECT_EQ(f.Ok[0]->styleSheet(), u"color: #00C000"_qs);

    // A placeholder left in the letter or the subject, an address without a dot, two files.
    f.fixerTexte(f.texte() + u" #Societ#"_qs);
    f.Objet->setText(u"Ref #"_qs);
    f.EmailDest->setText(u"rh@durand"_qs);
    f.PJ->setText(cv + u";"_qs + cv);
    f.Timer1_Timer();
    EXPECT_EQ(marques(f), (QStringList{u"Ok"_qs, u"X"_qs, u"X"_qs, u"X"_qs, u"X"_qs}));
    EXPECT_EQ(f.Ok[1]->styleSheet(), u"color: #FF0000"_qs);
    f.PJ->clear();
    f.Timer1_Timer();
    EXPECT_EQ(f.Ok[4]->text(), u"X"_qs);

}

TEST(FenetreEnvoi, PieceJointeDuCV)
{
    FenetreEnvoi t;
    t.modeleType(u"Lettre"_qs);
    t.candidature(FenetreEnvoi::candidatureType());
    FormPostuler& f = t.envoi();
    t.messages();
    QStringList chargements;
    int conversions = 0;
    LiensFenetres::chargerFichierCV = [&](const QString& chemin) { chargements << chemin; };
    LiensFenetres::afficherConversion = [&] { ++conversions; };

    f.Parcourir_Click();
    EXPECT_TRUE(f.File2->isHidden());
    EXPECT_EQ(t.messages(), QStringList{u"Vous n'avez pas converti votre CV au format word (ou pdf, ou rtf ou odt)"_qs});

    f.CV[0]->setText(u"Jean Dupont.pdf"_qs);
    f.CV[1]->setText(u"Jean Dupont.dat"_qs);
    f.CV[2]->setText(u"Marie Curie.dat"_qs);

    // A CV document of the CV folder.
    f.CV_Click(0);
    EXPECT_EQ(f.PJ->text(), QDir::current().filePath(u"CV/Jean Dupont.pdf"_qs));
    // A CV file whose word-processor copy is in the documents folder.
    Outils::ecrireOctets(t.documents() + u"/Jean Dupont.doc"_qs, "doc");
    f.CV_Click(1);
    EXPECT_EQ(f.PJ->text(), t.documents() + u"/Jean Dupont.doc"_qs);
    EXPECT_TRUE(t.messages().isEmpty());

    // No copy yet: the conversion is offered; Cancel leaves everything, OK opens the CV and the dialog.
    t.plateforme.dialogues->reponses = {false, true};
    f.CV_Click(2);
    EXPECT_TRUE(chargements.isEmpty());
    f.CV_Click(2);
    EXPECT_EQ(t.messages(),
              QStringList(2, u"Ce CV n'a pas été converti au format .doc. Souhaitez-vous le convertir maintenant ?"_qs));
    EXPECT_EQ(chargements, QStringList{QDir::current().filePath(u"CV/Marie Curie.dat"_qs)});
    EXPECT_EQ(conversions, 1);
    EXPECT_EQ(f.PJ->text(), t.documents() + u"/Jean Dupont.doc"_qs);

    LiensFenetres::chargerFichierCV = nullptr;
    LiensFenetres::afficherConversion = nullptr;

    // "Parcourir" lists the documents, a copy made since the load included.
    Outils::ecrireOctets(t.documents() + u"/Notes.txt"_qs, "txt");
    Outils::ecrireOctets(t.documents() + u"/CV anglais.odt"_qs, "odt");
    f.Parcourir_Click();
    ASSERT_FALSE(f.File2->isHidden());
    QStringList liste;
    for (int i = 0; i < f.File2->count(); ++i)
        liste << f.File2->item(i)->text();
    EXPECT_EQ(liste, (QStringList{u"CV anglais.odt"_qs, u"Jean Dupont.doc"_qs}));
    f.File2_Click(u"CV anglais.odt"_qs);
    EXPECT_TRUE(f.File2->isHidden());
    EXPECT_EQ(f.PJ->text(), t.documents() + u"/CV anglais.odt"_qs);
}

TEST(FenetreEnvoi, EnvoiReussiNoteLaCandidatureDansLeRegistre)
{
    FenetreEnvoi t;
    t.modeleType(u"Lettre"_qs);
    const qint64 num = t.candidature(FenetreEnvoi::candidatureType());
    FormPostuler& f = t.envoi();
    const QString cv = t.documents() + u"/CV.doc"_qs;
    Outils::ecrireOctets(cv, "doc");
    f.PJ->setText(cv + u"; "_qs + cv);
    f.fixerTexte(u"\r\n\r\nMadame,\r\nFin\r\n"_qs);
    const QString dossier = QDir::currentPath();

    f.BoutonKVL1_Click();

    ASSERT_EQ(t.messagerie->messages.size(), 1);
    const Envoi::Message& m = t.messagerie->messages.first();
    EXPECT_EQ(m.destinataire, u"rh@durand.fr"_qs);
    EXPECT_EQ(m.objet, u"Réponse à l'annonce ref R-42"_qs);
    EXPECT_EQ(m.corps, u"\r\nMadame,\r\nFin"_qs);
    EXPECT_EQ(m.piecesJointes, (QStringList{cv, cv}));
    // The client moved the current directory; it is back.
    EXPECT_EQ(QDir::currentPath(), dossier);

    EXPECT_EQ(t.messages(), QStringList{u"Candidature envoyée"_qs});
    EXPECT_TRUE(f.BoutonKVL1->isHidden());
    EXPECT_EQ(t.cand->champ(u"Statut"_qs), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    EXPECT_EQ(t.cand->champ(u"DateEnvoi"_qs), u"15/03/2024"_qs);
    // The register keeps the whole letter and the attachment list as they were in the window.
    EXPECT_EQ(t.colonne(num, u"Statut"_qs), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    EXPECT_EQ(t.colonne(num, u"DateEnvoi"_qs), u"2024-03-15"_qs);
    EXPECT_EQ(t.colonne(num, u"CV"_qs), cv + u"; "_qs + cv);
    EXPECT_EQ(t.colonne(num, u"Lettre"_qs), u"\r\n\r\nMadame,\r\nFin\r\n"_qs);
    EXPECT_EQ(t.colonne(num, u"Societe"_qs), u"DURAND SA"_qs);
}

TEST(FenetreEnvoi, EnvoiEchoueNeChangeRien)
{
    FenetreEnvoi t;
    t.modeleType(u"Lettre"_qs);
    const qint64 num = t.candidature(FenetreEnvoi::candidatureType());
    FormPostuler& f = t.envoi();
    const QString lettre = f.texte();
    t.messagerie->resultats = {Envoi::Messagerie::Resultat::Echec, Envoi::Messagerie::Resultat::SansClient};
    const QString dossier = QDir::currentPath();

    f.BoutonKVL1_Click();
    EXPECT_EQ(t.messages(), QStringList{EchecEnvoi});
    f.BoutonKVL1_Click();
    const QStringList sansClient = t.messages();
    ASSERT_EQ(sansClient.size(), 1);
    EXPECT_TRUE(sansClient.first().startsWith(u"Aucune messagerie n'est configurée sur cet ordinateur"_qs));

    // A failure raised by the hand-over itself.
    t.messagerie->lever = true;
    f.BoutonKVL1_Click();
    EXPECT_EQ(t.messages(), QStringList{u"Kerval ne parvient pas à se connecter à Internet"_qs});
    EXPECT_EQ(QDir::currentPath(), dossier);

    EXPECT_FALSE(f.BoutonKVL1->isHidden());
    EXPECT_EQ(f.texte(), lettre);
    EXPECT_EQ(t.cand->champ(u"Statut"_qs), u"NON EMISE"_qs);
    EXPECT_EQ(t.cand->champ(u"DateEnvoi"_qs), QString());
    EXPECT_EQ(t.colonne(num, u"Statut"_qs), u"NON EMISE"_qs);
    EXPECT_EQ(t.colonne(num, u"DateEnvoi"_qs), u"<NULL>"_qs);
    EXPECT_EQ(t.colonne(num, u"Lettre"_qs), QString());
}

TEST(FenetreEnvoi, MarquerCommeEnvoyeeDeuxFois)
{
    FenetreEnvoi t;
    t.modeleType(u"Lettre"_qs);
    const qint64 num = t.candidature(FenetreEnvoi::candidatureType());
    FormPostuler& f = t.envoi();
    f.Messagerie[0]->setChecked(true);
    EXPECT_EQ(f.BoutonKVL1->Libelle(), u"Marquer comme envoyée"_qs);

    f.BoutonKVL1_Click();
    t.plateforme.horloge->instant = t.plateforme.horloge->instant.addDays(1);
    f.BoutonKVL1_Click();

    EXPECT_TRUE(t.messagerie->messages.isEmpty());
    EXPECT_EQ(t.messages(), (QStringList{Marquee, Marquee}));
    EXPECT_FALSE(f.BoutonKVL1->isHidden());
    EXPECT_EQ(t.colonne(num, u"Statut"_qs), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    EXPECT_EQ(t.colonne(num, u"DateEnvoi"_qs), u"2024-03-16"_qs);
    EXPECT_EQ(t.colonne(num, u"Lettre"_qs), f.texte());
}

TEST(FenetreEnvoi, EnregistrementRefuseNEstPasAnnonceCommeReussi)
{
    FenetreEnvoi t;
    t.modeleType(u"Lettre"_qs);
    // A new application without title: the register refuses to store it.
    ChampsCandidature c = FenetreEnvoi::candidatureType();
    c[u"Intitule"_qs] = QString();
    EXPECT_EQ(t.candidature(c), 0);
    t.messages();
    FormPostuler& f = t.envoi();
    const QString lettre = f.texte();

    f.Messagerie[0]->setChecked(true);
    f.BoutonKVL1_Click();
    QStringList m = t.messages();
    ASSERT_EQ(m.size(), 2);
    EXPECT_EQ(m[0], u"L'intitulé est obligatoire"_qs);
    EXPECT_TRUE(m[1].startsWith(u"La candidature n'a pas pu être marquée comme envoyée"_qs));

    // Sent, but not recorded: the button stays, the marking is what is left to do.
    f.Messagerie[1]->setChecked(true);
    f.BoutonKVL1_Click();
    m = t.messages();
    ASSERT_EQ(m.size(), 2);
    EXPECT_TRUE(m[1].startsWith(u"Candidature envoyée, mais le registre"_qs));
    EXPECT_FALSE(f.BoutonKVL1->isHidden());
    EXPECT_TRUE(f.Messagerie[0]->isChecked());
    // Nothing typed is lost: the register window keeps the sending's values for the next save.
    EXPECT_EQ(f.texte(), lettre);
    EXPECT_EQ(t.cand->champ(u"Lettre"_qs), lettre);
    EXPECT_EQ(t.cand->champ(u"DateEnvoi"_qs), u"15/03/2024"_qs);
}

TEST(FenetreEnvoi, OuvertureDepuisLeRegistre)
{
    FenetreEnvoi t;
    t.modeleType(u"Lettre"_qs);
    installerLiensEnvoi();
    ChampsCandidature c = FenetreEnvoi::candidatureType();
    c[u"Lettre"_qs] = u"Lettre déjà écrite\r\nFin"_qs;
    t.candidature(c);

    t.cand->PicturePostuler_Click();
    FormPostuler* f = RegistreFenetres::instance().siChargee<FormPostuler>();
    ASSERT_TRUE(f);
    f->Timer1->stop();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->texte(), u"Lettre déjà écrite\r\nFin"_qs);
    EXPECT_FALSE(f->BoutonKVL1->isHidden());

    // An application already sent opens with the button hidden, its label showing.
    t.cand->fixerChamp(u"DateEnvoi"_qs, u"14/03/2024"_qs);
    t.cand->PicturePostuler_Click();
    EXPECT_TRUE(f->BoutonKVL1->isHidden());
    EXPECT_TRUE(f->DejaEnvoyee->isVisible());
    FormCandLiens::ouvrirFenetreEnvoi = nullptr;
}

// Opened for another application than the one it was loaded for, from the register's picture or
// from the main window's menu, the sending window is loaded afresh for it; opened again for the
// same one, it keeps what the user typed.
TEST(FenetreEnvoi, RouverteSurUneAutreCandidatureElleSeRecharge)
{
    FenetreEnvoi t(true);
    t.modeleType(u"Lettre"_qs);
    ChampsCandidature premiere = FenetreEnvoi::candidatureType();
    premiere[u"CV"_qs] = u"/cv/durand.doc"_qs;
    const qint64 a = t.candidature(premiere);
    ChampsCandidature seconde = FenetreEnvoi::candidatureType();
    seconde[u"Societe"_qs] = u"MARTIN SARL"_qs;
    seconde[u"NomContact"_qs] = u"Paul Martin"_qs;
    seconde[u"Email"_qs] = u"paie@martin.fr"_qs;
    seconde[u"Reference"_qs] = u"C-7"_qs;
    seconde[u"CV"_qs] = u"/cv/martin.doc"_qs;
    const qint64 b = t.candidature(seconde);
    t.messages();
    t.cand->show();

    t.cliquerFeuille(a);
    t.cliquerPostuler();
    FormPostuler* f = FenetreEnvoi::envoiCharge();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->numeroCandidature(), QString::number(a));
    EXPECT_EQ(f->EmailDest->text(), u"rh@durand.fr"_qs);
    QTest::keyClicks(f->Objet, u" - relance"_qs);
    QTest::keyClicks(f->Texte, u"Madame Martin,"_qs);

    // The other application from the register: its recipient, subject and sender, nothing kept.
    t.cliquerFeuille(b);
    t.cliquerPostuler();
    f = FenetreEnvoi::envoiCharge();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->numeroCandidature(), QString::number(b));
    EXPECT_EQ(f->EmailDest->text(), u"paie@martin.fr"_qs);
    EXPECT_EQ(f->Objet->text(), u"Réponse à l'annonce ref C-7"_qs);
    EXPECT_EQ(f->Email->text(), u"Helene Lebrun<helene@exemple.fr>"_qs);
    // It has no stored letter: the first template merged for it at load stays.
    EXPECT_EQ(f->texte(), u"Monsieur Paul Martin,\r\n\r\nVotre annonce d'ASSISTANT COMMERCIAL parue le 01/03/2024 "
                          "m'intéresse.\r\nCordialement,"_qs);
    EXPECT_TRUE(f->isVisible());

    // The same one again: what was typed stays, the letter too.
    const QString fusionnee = f->texte();
    QTest::keyClicks(f->Objet, u" - relance"_qs);
    QTest::keyClicks(f->Texte, u"Monsieur Martin,"_qs);
    t.cliquerPostuler();
    ASSERT_EQ(FenetreEnvoi::envoiCharge(), f);
    EXPECT_EQ(f->Objet->text(), u"Réponse à l'annonce ref C-7 - relance"_qs);
    EXPECT_EQ(f->texte(), u"Monsieur Martin,"_qs + fusionnee);

    // From the main window's menu, for the first application: loaded afresh, with its CV.
    t.postulerParLeMenu(a);
    f = FenetreEnvoi::envoiCharge();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->numeroCandidature(), QString::number(a));
    EXPECT_EQ(f->EmailDest->text(), u"rh@durand.fr"_qs);
    EXPECT_EQ(f->Objet->text(), u"Réponse à l'annonce ref R-42"_qs);
    EXPECT_EQ(f->PJ->text(), u"/cv/durand.doc"_qs);
    QTest::keyClicks(f->EmailDest, u".com"_qs);
    f->PJ->setText(u"/cv/durand-2.doc"_qs); // as "Parcourir" leaves it
    t.postulerParLeMenu(a);
    ASSERT_EQ(FenetreEnvoi::envoiCharge(), f);
    EXPECT_EQ(f->EmailDest->text(), u"rh@durand.fr.com"_qs);
    EXPECT_EQ(f->PJ->text(), u"/cv/durand-2.doc"_qs);
    EXPECT_TRUE(t.messages().isEmpty());

    // Sending now mails the application the window shows.
    FenetreEnvoi::cliquerEnvoyer(*f);
    ASSERT_EQ(t.messagerie->messages.size(), 1);
    EXPECT_EQ(t.messagerie->messages[0].destinataire, u"rh@durand.fr.com"_qs);
    EXPECT_EQ(t.colonne(a, u"Statut"_qs), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    EXPECT_EQ(t.colonne(b, u"Statut"_qs), u"NON EMISE"_qs);
}


// A printed letter template written one day and used a week later: the letter the sending window
// merges is dated the day it is sent, while the template keeps its date as a placeholder.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "bureau.h"
#include "letters/formlettre.h"
#include "letters/formpostuler.h"
#include "register/window/formcand.h"
#include "shell/services/fichiers_texte.h"

namespace {

using Outils::taper;

class TestLettreDatee : public TestBureau {
protected:
    void aujourdhui(const QDate& jour) { faux.horloge->instant = QDateTime(jour, QTime(10, 0)); }
};

} // namespace

TEST_F(TestLettreDatee, LaLettreEstDateeDuJourDeLEnvoiEtNonDuJourDuModele)
{
    const QString Marge(80, u' ');

    // --- 9 December: a printed template, typed in the letter editor --------------------------
    aujourdhui(QDate(2026, 12, 9));
    doubleCliquer(principale->ImageMenu[5]);
    auto* lettre = RegistreFenetres::instance().siChargee<FormLettre>();
    ASSERT_NE(lettre, nullptr);
    cliquer(lettre->Nom);
    taper(lettre->Nom, u"MARTIN"_qs);
    cliquer(lettre->Prenom);
    taper(lettre->Prenom, u"Sophie"_qs);
    cliquer(lettre->Ville);
    taper(lettre->Ville, u"rennes"_qs);
    if (!lettre->Check_Modele[0]->isChecked())
        cliquer(lettre->Check_Modele[0]);
    ASSERT_TRUE(lettre->Check_Modele[0]->isChecked());
    cliquer(lettre->BoutonKVL2[0]); // the next introduction, which composes the letter
    // The user sees where the date goes, as for the other placeholders; the place is the sender's.
    const QString ligneDate = Marge + u"Le #Date# à Rennes"_qs;
    EXPECT_TRUE(lettre->Text1->toPlainText().split(u'\n').contains(ligneDate)) << lettre->Text1->toPlainText().toStdString();
    EXPECT_FALSE(lettre->Text1->toPlainText().contains(u"09/12/2026"_qs));

    // Saved by the autosave, then the editor closed from the banner's "Retour au menu principal".
    ASSERT_TRUE(Outils::attendre([&] { return !QDir(dossier.chemin(u"Lettres"_qs)).entryList(QDir::Files).isEmpty(); }, 10000));
    cliquer(principale->Label2);
    ASSERT_FALSE(RegistreFenetres::instance().estChargee<FormLettre>());
    const QStringList modeles = QDir(dossier.chemin(u"Lettres"_qs)).entryList(QDir::Files);
    ASSERT_EQ(modeles.size(), 1);
    const std::optional<QString> fichier = FichiersTexte::lire(dossier.chemin(u"Lettres/"_qs + modeles.first()));
    ASSERT_TRUE(fichier);
    EXPECT_TRUE(fichier->contains(ligneDate)) << fichier->toStdString();

    // --- 16 December: an application, then "Postuler" ----------------------------------------
    aujourdhui(QDate(2026, 12, 16));
    doubleCliquer(principale->ImageMenu[10]);
    auto* registre = RegistreFenetres::instance().siChargee<FormCand>();
    ASSERT_NE(registre, nullptr);
    registre->Timer1->stop();
    registre->Timer2->stop();
    cliquer(registre->Action.value(0)); // "Nouvelle"
    cliquer(registre->Intitule);
    taper(registre->Intitule, u"Comptable"_qs);
    cliquer(registre->Email);
    taper(registre->Email, u"rh@durand.fr"_qs);
    cliquer(registre->Action.value(3)); // "Valider"
    ASSERT_FALSE(registre->Num->text().isEmpty()) << faux.dialogues->textes().join(u" | "_qs).toStdString();
    ASSERT_TRUE(registre->PicturePostuler->isVisible());
    cliquer(registre->PicturePostuler);

    auto* envoi = RegistreFenetres::instance().siChargee<FormPostuler>();
    ASSERT_NE(envoi, nullptr);
    const QStringList lignes = envoi->texte().split(u"\r\n"_qs);
    EXPECT_TRUE(lignes.contains(Marge + u"Le 16/12/2026 à Rennes"_qs)) << envoi->texte().toStdString();
    EXPECT_FALSE(envoi->texte().contains(u"09/12/2026"_qs));
    EXPECT_FALSE(envoi->texte().contains(u"#Date#"_qs));
}

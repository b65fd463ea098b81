// The letter editor driven through its handlers: autosave, loading, new templates, phrases.
#include "fenetre_lettre.h"

#include <QFileInfo>
#include <QMenu>
#include <QTest>

#include "shell/services/systeme.h"


namespace {
void PrintTo(const QString& t, std::ostream* os) { *os << '"' << t.toStdString() << '"'; }

void ecrire(const QString& chemin, const QStringList& lignes) { FichiersTexte::ecrireLignes(chemin, lignes); }
} // namespace

TEST_F(TestFenetreLettre, AutosauvegardeQuandLeTexteChangeEtLeNomEstRempli)
{
    FormLettre& f = lettre();
    EXPECT_TRUE(f.Check_Modele[0]->isChecked());
    EXPECT_TRUE(f.Check_candidature[1]->isChecked());
    f.Prenom->setText(u"jean"_qs);
    f.Nom->setText(u"LEBRUN"_qs);
    f.Timer1_Timer(); // nothing composed yet: the text did not change
    EXPECT_TRUE(lettres().isEmpty());

    f.Picture2_Click();
    EXPECT_TRUE(f.Text1->toPlainText().startsWith(u"jean LEBRUN\n"_qs));
    f.Timer1_Timer();
    EXPECT_EQ(lettres(), QStringList{u"Jean Lebrun (IR).dat"_qs});
    EXPECT_EQ(f.NomLettre->text(), u"Jean Lebrun (IR)"_qs);
    EXPECT_EQ(principale->ImageMenu[5]->toolTip(), u"Jean Lebrun (IR).dat"_qs); // the desktop follows
    const auto lu = FichierLettre::charger(fichierLettre(u"Jean Lebrun (IR)"_qs));
    ASSERT_TRUE(lu.has_value());
    EXPECT_EQ(lu->texte(u"Text1"_qs), f.valeurs().texte(u"Text1"_qs));

    // Unchanged text: no new save; a later change of kind keeps the name.
    QFile::remove(fichierLettre(u"Jean Lebrun (IR)"_qs));
    f.Timer1_Timer();
    EXPECT_TRUE(lettres().isEmpty());
    f.Check_Modele[1]->click();
    f.Timer1_Timer();
    EXPECT_EQ(lettres(), QStringList{u"Jean Lebrun (IR).dat"_qs});

    // Without a last name nothing is ever saved, even with a name for the template.
    f.Nom->clear();
    f.NomLettre->setText(u"Autre"_qs);
    f.Picture2_Click();
    f.Timer1_Timer();
    EXPECT_FALSE(QFileInfo::exists(fichierLettre(u"Autre"_qs)));
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(TestFenetreLettre, UnNouveauModeleNEcrasePasUnModeleExistant)
{
    ecrire(fichierLettre(u"Jean Lebrun (IR)"_qs), {u"Text1=le premier"_qs, u"Nom=LEBRUN"_qs});
    FormLettre& f = lettre();
    f.Prenom->setText(u"Jean"_qs);
    f.Nom->setText(u"Lebrun"_qs);
    f.Picture2_Click();
    f.Timer1_Timer();
    EXPECT_EQ(f.NomLettre->text(), u"Jean Lebrun 2 (IR)"_qs);
    EXPECT_EQ(FichierLettre::charger(fichierLettre(u"Jean Lebrun (IR)"_qs))->texte(u"Text1"_qs), u"le premier"_qs);

    // A typed name that cannot be a file: told once, not at every tick.
    f.NomLettre->setText(u"../CV/x"_qs);
    for (int i = 0; i < 3; ++i) {
        f.Text1->setPlainText(QString::number(i));
        f.Timer1_Timer();
    }
    ASSERT_EQ(faux.dialogues->textes().size(), 1);
    EXPECT_EQ(faux.dialogues->textes().at(0), u"Pb lors de l'enregistrement du modèle de lettre : ../CV/x"_qs);
    EXPECT_FALSE(QFileInfo::exists(dossier.chemin(u"CV/x.dat"_qs)));
}

TEST_F(TestFenetreLettre, UnEnregistrementEchoueEstRetente)
{
    FormLettre& f = lettre();
    f.Prenom->setText(u"Jean"_qs);
    f.Nom->setText(u"Lebrun"_qs);
    f.NomLettre->setText(u"Relance"_qs);
    f.Picture2_Click();
    FichiersTexte::simulerEchecEcriture(true);
    f.Timer1_Timer();
    f.Timer1_Timer();
    FichiersTexte::simulerEchecEcriture(false);
    EXPECT_TRUE(lettres().isEmpty());
    EXPECT_EQ(faux.dialogues->textes(), QStringList{u"Pb lors de l'enregistrement du modèle de lettre : Relance"_qs});

    // The text did not change since, and yet the next tick saves it: the failed save did not count.
    f.Timer1_Timer();
    ASSERT_EQ(lettres(), QStringList{u"Relance.dat"_qs});
    EXPECT_EQ(FichierLettre::charger(fichierLettre(u"Relance"_qs))->texte(u"Text1"_qs), f.valeurs().texte(u"Text1"_qs));
    // Saved once: the next ticks leave the file alone.
    QFile::remove(fichierLettre(u"Relance"_qs));
    f.Timer1_Timer();
    EXPECT_TRUE(lettres().isEmpty());
    EXPECT_EQ(faux.dialogues->textes().size(), 1);
}

// "Renommer" in the pop-up menu of a template icon, chosen with the mouse.
TEST_F(TestFenetreLettre, RenommerUnModeleLaisseLEditeurFermeSIlLEtait)
{
    ecrire(fichierLettre(u"Relance"_qs), {u"Text1=bonjour"_qs, u"NomLettre=Relance"_qs, u"Nom=X"_qs});
    Principale& p = *principale;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    auto renommer = [&](const QString& nouveau) {
        p.InitMenu();
        p.IndexIcone = 5;
        faux.dialogues->fichiersChoisis.push_back(dossier.chemin(u"Lettres/"_qs + nouveau));
        p.PopupMenu(p.MenuLettre, p.mapToGlobal(QPoint(40, 40)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(p.MenuLettre));
        QTest::mouseClick(p.MenuLettre, Qt::LeftButton, {}, p.MenuLettre->actionGeometry(p.RenommerLettre).center());
    };

    renommer(u"Relance mai"_qs);
    EXPECT_EQ(lettres(), QStringList{u"Relance mai.dat"_qs});
    EXPECT_EQ(RegistreFenetres::instance().siChargee<FormLettre>(), nullptr);
    EXPECT_FALSE(Systeme::FormeVisible(u"FormLettre"_qs));

    // Open on it, the editor comes back on the renamed file, so that its autosave keeps the new name.
    lettre().ChargerFichierLettre(fichierLettre(u"Relance mai"_qs));
    renommer(u"Relance juin"_qs);
    EXPECT_EQ(lettres(), QStringList{u"Relance juin.dat"_qs});
    ASSERT_NE(RegistreFenetres::instance().siChargee<FormLettre>(), nullptr);
    EXPECT_EQ(lettre().NomLettre->text(), u"Relance juin"_qs);
    EXPECT_EQ(lettre().Text1->toPlainText(), u"bonjour"_qs);
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(TestFenetreLettre, ChargementSansRecomposer)
{
    ecrire(fichierLettre(u"Sophie (ES)"_qs),
           {u"Objet=Candidature spontanée"_qs, u"Text1=<N><N>texte tel qu'enregistré"_qs, u"NomLettre=Sophie (ES)"_qs,
            u"1:Check_candidature=0"_qs, u"0:Check_candidature=1"_qs, u"1:Check_Modele=1"_qs, u"0:Check_Modele=0"_qs,
            u"Corps=premier<N>second"_qs, u"0:Corps=premier<N>second"_qs, u"3:LangueProf=1"_qs, u"Nom=MARTIN"_qs,
            u"Prénom=Sophie"_qs});
    FormLettre& f = lettre();
    f.ChargerFichierLettre(fichierLettre(u"Sophie (ES)"_qs));
    EXPECT_EQ(f.Text1->toPlainText(), u"\n\ntexte tel qu'enregistré"_qs);
    EXPECT_TRUE(f.Check_Modele[1]->isChecked());
    EXPECT_FALSE(f.Check_Modele[0]->isChecked());
    EXPECT_TRUE(f.Check_candidature[0]->isChecked());
    EXPECT_FALSE(f.Check_candidature[1]->isChecked());
    EXPECT_EQ(f.Corps[0]->toPlainText(), u"premier\nsecond"_qs);
    EXPECT_FALSE(f.CadreObjet->isHidden());
    EXPECT_FALSE(f.Chargement);
    // A freshly loaded template is not saved again until its text changes.
    QFile::remove(fichierLettre(u"Sophie (ES)"_qs));
    f.Timer1_Timer();
    EXPECT_TRUE(lettres().isEmpty());

    // A copy made on the desktop still holds the original's name: it is saved as itself.
    ecrire(fichierLettre(u"Copie de Sophie (ES)"_qs), {u"Text1=copie"_qs, u"NomLettre=Sophie (ES)"_qs,
                                                      u"Nom=MARTIN"_qs, u"0:Check_Modele=1"_qs});
    f.ChargerFichierLettre(fichierLettre(u"Copie de Sophie (ES)"_qs));
    EXPECT_EQ(f.NomLettre->text(), u"Copie de Sophie (ES)"_qs);
    EXPECT_TRUE(f.CadreObjet->isHidden()); // a printed template
    f.Text1->setPlainText(u"copie modifiée"_qs);
    f.Timer1_Timer();
    EXPECT_EQ(lettres(), QStringList{u"Copie de Sophie (ES).dat"_qs});

    // A missing file: the message, the window unchanged.
    f.ChargerFichierLettre(fichierLettre(u"Absent"_qs));
    EXPECT_EQ(faux.dialogues->textes(), QStringList{u"fichier non accessible"_qs});
    EXPECT_EQ(f.Text1->toPlainText(), u"copie modifiée"_qs);
    // Files that are no template at all load without harm.
    Outils::ecrireOctets(fichierLettre(u"Dechets"_qs), QByteArray("\x00\xff\xfe=:\r\n9:\r\n0:Corps\r\n=\r\n", 20));
    f.ChargerFichierLettre(fichierLettre(u"Dechets"_qs));
    QDir().mkpath(fichierLettre(u"Dossier"_qs));
    f.ChargerFichierLettre(fichierLettre(u"Dossier"_qs));
    EXPECT_EQ(faux.dialogues->textes().size(), 2);
}

TEST_F(TestFenetreLettre, NouvelleLettreEtInitialisationDepuisUnCV)
{
    ecrire(dossier.chemin(u"CV/Durand Marie.dat"_qs),
           {u"LangueCV=0"_qs, u"Nom=DURAND"_qs, u"Prénom=Marie"_qs, u"Ville=Rennes"_qs, u"Fonction=Comptable"_qs,
            u"Competences=Paie<N>Bilans"_qs, u"3:LangueProf=1"_qs, u"Text1=ne vient pas d'un CV"_qs});
    ecrire(dossier.chemin(u"CV/Lettre.pdf"_qs), {u"x"_qs});
    principale->InitMenu();
    FormLettre& f = lettre();
    EXPECT_EQ(f.NomCV[0]->text(), u"Durand Marie"_qs);
    EXPECT_EQ(f.NomCV[1]->text(), u"Lettre.pdf"_qs);
    EXPECT_EQ(f.NomCV[2]->text(), QString());
    f.NomCV_Click(1); // no "Lettre.pdf.dat": nothing happens
    EXPECT_TRUE(f.Text1->toPlainText().isEmpty());

    // Cancel: the first phrases, marks unresolved, and no letter text yet.
    f.Text1->setPlainText(u"ancien"_qs);
    faux.dialogues->reponses = {false};
    f.NouvelleLettre();
    ASSERT_EQ(faux.dialogues->textes().size(), 1);
    EXPECT_EQ(faux.dialogues->textes().at(0),
              u"Souhaitez-vous initialiser le modèle de lettre à partir des informations saisies dans le CV "
              "Durand Marie.dat ?"_qs);
    EXPECT_TRUE(f.Text1->toPlainText().isEmpty());
    EXPECT_EQ(f.Corps[0]->toPlainText(), u"Votre annonce a retenu mon attention."_qs);
    EXPECT_EQ(f.Corps[2]->toPlainText(), u"Je suis motivé(e) et sérieu(x)(se)."_qs);

    // OK: the sender comes from the CV, the skills do not, and the letter is composed.
    faux.dialogues->reponses = {true};
    f.NouvelleLettre();
    EXPECT_EQ(f.Nom->text(), u"DURAND"_qs);
    EXPECT_EQ(f.Fonction->text(), u"Comptable"_qs);
    EXPECT_TRUE(f.Competences->text().isEmpty());
    EXPECT_TRUE(f.Text1->toPlainText().startsWith(u"Marie DURAND\n"_qs));
    EXPECT_TRUE(f.Text1->toPlainText().contains(u"Je suis motivée et sérieuse."_qs));
    EXPECT_TRUE(f.ListeCV->isHidden());
}

TEST_F(TestFenetreLettre, ConseilSeulementSansModele)
{
    FormLettre& f = lettre();
    f.NouvelleLettre();
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
    EXPECT_TRUE(principale->InfoGuide->text().startsWith(u"Veuillez choisir les formules voulues"_qs));
    principale->InfoGuide->clear();
    ecrire(fichierLettre(u"Un (IR)"_qs), {u"Nom=UN"_qs});
    principale->InitMenu();
    f.NouvelleLettre();
    EXPECT_TRUE(principale->InfoGuide->text().isEmpty());
}

TEST_F(TestFenetreLettre, PhrasesPairesEtChampsQuittes)
{
    FormLettre& f = lettre();
    f.Prenom->setText(u"sophie"_qs);
    quitter(f.Prenom);
    EXPECT_EQ(f.Prenom->text(), u"Sophie"_qs);
    EXPECT_TRUE(f.Text1->toPlainText().isEmpty()); // leaving the first name does not compose
    f.Prenom->setText(u"jean-pierre"_qs);
    quitter(f.Prenom);
    EXPECT_EQ(f.Prenom->text(), u"Jean-pierre"_qs);
    f.Prenom->setText(u"Sophie"_qs);

    f.BoutonKVL2_Click(2); // empty box: the first phrase from entry 1 on, resolved
    EXPECT_EQ(f.Corps[2]->toPlainText(), u"Je suis motivée et sérieuse."_qs);
    EXPECT_TRUE(f.Text1->toPlainText().contains(u"Je suis motivée et sérieuse."_qs));
    f.BoutonKVL1_Click(2); // resolved marks are not recognised: the box stays
    EXPECT_EQ(f.Corps[2]->toPlainText(), u"Je suis motivée et sérieuse."_qs);

    // The pairs stay exclusive; clicking the ticked box unticks it and ticks the other.
    f.Check_Modele[0]->click();
    EXPECT_FALSE(f.Check_Modele[0]->isChecked());
    EXPECT_TRUE(f.Check_Modele[1]->isChecked());
    EXPECT_FALSE(f.CadreObjet->isHidden());
    EXPECT_EQ(f.Objet->text(), u"En réponse à votre annonce référence #Reference#"_qs);
    f.Check_candidature[0]->click();
    EXPECT_FALSE(f.Check_candidature[1]->isChecked());
    EXPECT_EQ(f.Objet->text(), u"Candidature spontanée"_qs);
    f.Domaine->setText(u"Informatique"_qs);
    f.Email->setText(u"s@x.fr"_qs);
    quitter(f.Email);
    EXPECT_EQ(f.Domaine->text(), u"informatique"_qs);
}

TEST_F(TestFenetreLettre, LiensDuShell)
{
    ecrire(fichierLettre(u"Modele (IS)"_qs), {u"Text1=bonjour"_qs, u"Nom=X"_qs});
    LiensFenetres::appeler(LiensFenetres::chargerFichierLettre, fichierLettre(u"Modele (IS)"_qs));
    ASSERT_NE(RegistreFenetres::instance().siChargee<FormLettre>(), nullptr);
    EXPECT_EQ(lettre().Text1->toPlainText(), u"bonjour"_qs);
    LiensFenetres::appeler(LiensFenetres::nouvelleLettre);
    EXPECT_TRUE(lettre().Text1->toPlainText().isEmpty());
    EXPECT_TRUE(lettre().NomLettre->text().isEmpty());
}

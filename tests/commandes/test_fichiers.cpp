// The CV and letter-template file commands of the desktop menus.
#include "commandes.h"
#include "cveditor/fichier_cv.h"
#include "shell/services/systeme.h"

namespace {
const QString Information = QStringLiteral(
    "INFORMATION : Pour profiter pleinement de toutes les fonctionnalités de Kerval, génération automatique des "
    "courriers et préremplissage automatique des formulaires, il est préférable de rédiger un nouveau CV à l'aide "
    "de l'assistant, éventuellement en effectuant des Copier/Coller du CV que vous possédez déjà.");
} // namespace

TEST_F(TestCommandes, DupliquerUnCVPuisSaCopie)
{
    ecrire(u"CV/Lefort Anne.dat"_qs, "NomCV=Lefort Anne\r\n");
    surIcone(0).MenuDupliquerCV_Click();
    EXPECT_EQ(octets(u"CV/Copie de Lefort Anne.dat"_qs), QByteArray("NomCV=Lefort Anne\r\n"));

    // Once more: the copy is replaced by the file as it is now.
    ecrire(u"CV/Lefort Anne.dat"_qs, "NomCV=Lefort Anne\r\nNom=LEFORT\r\n");
    Principale& p = surIcone(1);
    EXPECT_EQ(p.ImageMenu[1]->toolTip(), u"Lefort Anne.dat"_qs); // "Copie de..." sorts first
    p.MenuDupliquerCV_Click();
    EXPECT_EQ(octets(u"CV/Copie de Lefort Anne.dat"_qs), QByteArray("NomCV=Lefort Anne\r\nNom=LEFORT\r\n"));

    surIcone(0).MenuDupliquerCV_Click();
    EXPECT_TRUE(existe(u"CV/Copie de Copie de Lefort Anne.dat"_qs));
    // The desktop shows the new file.
    EXPECT_EQ(p.ImageMenu[0]->toolTip(), u"Copie de Copie de Lefort Anne.dat"_qs);
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(TestCommandes, DuplicationManqueeGardeLaCopiePrecedente)
{
    ecrire(u"CV/Lefort Anne.dat"_qs, "nouveau");
    ecrire(u"CV/Copie de Lefort Anne.dat"_qs, "ancienne copie");
    ecrire(u"Lettres/Relance.dat"_qs, "lettre");
    Principale& p = surIcone(1);
    FichiersTexte::simulerEchecEcriture(true);
    p.MenuDupliquerCV_Click();
    p.IndexIcone = 5;
    p.MenuDuppliquerLettre_Click();
    FichiersTexte::simulerEchecEcriture(false);

    EXPECT_EQ(octets(u"CV/Copie de Lefort Anne.dat"_qs), QByteArray("ancienne copie"));
    EXPECT_FALSE(existe(u"Lettres/Copie de Relance.dat"_qs));
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList({u"Le fichier Lefort Anne.dat n'a pas pu être dupliqué."_qs,
                           u"Le fichier Relance.dat n'a pas pu être dupliqué."_qs}));
}

TEST_F(TestCommandes, OuvrirSelonLeGenreDuFichier)
{
    ecrire(u"CV/Dupont.pdf"_qs, "%PDF");
    ecrireCV(u"Lefort Anne"_qs, {u"Nom=LEFORT"_qs});
    faux.coquille->associations.insert(u"pdf"_qs, u"/usr/bin/lecteur-pdf"_qs);
    Principale& p = surIcone(0);
    ASSERT_EQ(p.ImageMenu[0]->toolTip(), u"Dupont.pdf"_qs);
    p.MenuOuvrirCV_Click();
    ASSERT_EQ(faux.coquille->lancements.size(), 1);
    EXPECT_EQ(faux.coquille->lancements[0].programme, u"/usr/bin/lecteur-pdf"_qs);
    EXPECT_EQ(faux.coquille->lancements[0].arguments, QStringList{chemin(u"CV/Dupont.pdf"_qs)});

    // A CV file goes into the editor.
    p.IndexIcone = 1;
    p.MenuOuvrirCV_Click();
    EXPECT_EQ(cv().NomCV->text(), u"Lefort Anne"_qs);
    EXPECT_EQ(cv().Nom->text(), u"LEFORT"_qs);
    EXPECT_EQ(faux.coquille->lancements.size(), 1);

    // A document whose program cannot start is reported.
    faux.coquille->echec = true;
    p.IndexIcone = 0;
    p.MenuOuvrirCV_Click();
    EXPECT_EQ(faux.dialogues->textes(), QStringList{u"Le document Dupont.pdf n'a pas pu être ouvert."_qs});
}

TEST_F(TestCommandes, DerniereVersionWordDansLeDossierDesDocuments)
{
    ecrireCV(u"Lefort Anne"_qs, {});
    faux.coquille->associations.insert(u"doc"_qs, u"/usr/bin/traitement"_qs);
    surIcone(0).MenuOuvrirWord_Click();
    ASSERT_EQ(faux.coquille->lancements.size(), 1);
    EXPECT_EQ(faux.coquille->lancements[0].arguments, QStringList{documents() + u"Lefort Anne.doc"_qs});

    // Before Vista the folder is "Mes documents", whatever its letter case on disk.
    Variable xp("ALLUSERSPROFILE", u"C:/Documents and Settings/All Users"_qs);
    QDir(profil.path()).mkpath(u"Mes Documents"_qs);
    surIcone(0).MenuOuvrirWord_Click();
    ASSERT_EQ(faux.coquille->lancements.size(), 2);
    EXPECT_EQ(faux.coquille->lancements[1].arguments,
              QStringList{QDir(profil.path()).filePath(u"Mes Documents/Lefort Anne.doc"_qs)});
}

TEST_F(TestCommandes, RenommerUnCVEmporteSaPhotographie)
{
    ecrire(u"CV/Lefort Anne.dat"_qs, "NomCV=Lefort Anne\r\n");
    ecrire(u"Modeles/Lefort Anne.jpg"_qs, "photo");
    Principale& p = surIcone(0);
    cv().Fonction->setText(u"Comptable"_qs);
    p.Information->setText(u"CV : Lefort Anne.dat"_qs);
    faux.dialogues->fichiersChoisis.push_back(chemin(u"CV/Morel.dat"_qs));
    p.Renommer_Click();

    EXPECT_EQ(faux.dialogues->titresDialogues, QStringList{u"Saisie d'un nouveau nom"_qs});
    EXPECT_FALSE(existe(u"CV/Lefort Anne.dat"_qs));
    // The content, and the name stored inside, are unchanged.
    EXPECT_EQ(octets(u"CV/Morel.dat"_qs), QByteArray("NomCV=Lefort Anne\r\n"));
    EXPECT_FALSE(existe(u"Modeles/Lefort Anne.jpg"_qs));
    EXPECT_EQ(octets(u"Modeles/Morel.jpg"_qs), QByteArray("photo"));
    // The editor is a new CV, the desktop follows, the status line is empty.
    EXPECT_TRUE(cv().Fonction->text().isEmpty());
    EXPECT_EQ(p.ImageMenu[0]->toolTip(), u"Morel.dat"_qs);
    EXPECT_TRUE(p.Information->text().isEmpty());
}

TEST_F(TestCommandes, RenommerGardeLaFinDUnDocxEtOteLesExtensionsSaisies)
{
    ecrire(u"CV/Lefort.DOCX"_qs, "docx");
    ecrire(u"CV/Lefort.pdf"_qs, "pdf");
    ecrire(u"Modeles/Lefort.jpg"_qs, "photo");
    Principale& p = surIcone(0);
    ASSERT_EQ(p.ImageMenu[0]->toolTip(), u"Lefort.DOCX"_qs);
    faux.dialogues->fichiersChoisis.push_back(chemin(u"CV/Morel.doc"_qs));
    p.Renommer_Click();
    EXPECT_TRUE(existe(u"CV/Morel.doc.DOCX"_qs)); // a .docx keeps what was typed
    EXPECT_TRUE(existe(u"Modeles/Lefort.jpg"_qs));

    p.InitMenu();
    p.IndexIcone = p.ImageMenu[0]->toolTip() == u"Lefort.pdf"_qs ? 0 : 1;
    ASSERT_EQ(p.ImageMenu[p.IndexIcone]->toolTip(), u"Lefort.pdf"_qs);
    faux.dialogues->fichiersChoisis.push_back(chemin(u"CV/Dubois.dat.pdf"_qs));
    p.Renommer_Click();
    EXPECT_TRUE(existe(u"CV/Dubois.pdf"_qs));
    EXPECT_EQ(octets(u"Modeles/Dubois.jpg"_qs), QByteArray("photo"));
}

TEST_F(TestCommandes, RenommerNEcraseRienEtAnnulerNeChangeRien)
{
    ecrire(u"CV/Lefort Anne.dat"_qs, "lefort");
    ecrire(u"CV/Morel.dat"_qs, "morel");
    ecrire(u"Modeles/Lefort Anne.jpg"_qs, "photo lefort");
    ecrire(u"Modeles/Petit.jpg"_qs, "photo petit");
    Principale& p = surIcone(0);
    ASSERT_EQ(p.ImageMenu[0]->toolTip(), u"Lefort Anne.dat"_qs);
    // A new CV without a name is in the editor: it is asked about once, before anything moves.
    cv().Fonction->setText(u"Comptable"_qs);

    p.Renommer_Click(); // cancelled
    faux.dialogues->fichiersChoisis.push_back(chemin(u"CV/Morel"_qs));
    p.Renommer_Click();
    // A photograph of the new name is not overwritten either: nothing moves.
    faux.dialogues->fichiersChoisis.push_back(chemin(u"CV/Petit"_qs));
    p.Renommer_Click();

    EXPECT_EQ(faux.dialogues->textes(),
              QStringList({FichierCV::questionSansNom(u"Renommer le fichier Lefort Anne.dat"_qs),
                           u"Le fichier Morel.dat existe déjà. Renommage impossible."_qs,
                           u"Le fichier Petit.jpg existe déjà. Renommage impossible."_qs}));
    EXPECT_EQ(octets(u"CV/Lefort Anne.dat"_qs), QByteArray("lefort"));
    EXPECT_EQ(octets(u"CV/Morel.dat"_qs), QByteArray("morel"));
    EXPECT_EQ(octets(u"Modeles/Lefort Anne.jpg"_qs), QByteArray("photo lefort"));
    EXPECT_EQ(octets(u"Modeles/Petit.jpg"_qs), QByteArray("photo petit"));
    EXPECT_FALSE(existe(u"CV/Petit.dat"_qs));
    // The editor keeps its CV when nothing was renamed.
    EXPECT_EQ(cv().Fonction->text(), u"Comptable"_qs);
}

TEST_F(TestCommandes, SupprimerLeTroisiemeCVApresConfirmation)
{
    for (const char* n : {"Bernard", "Dubois", "Lefort Anne"})
        ecrire(u"CV/"_qs + QString::fromLatin1(n) + u".dat"_qs, "x");
    ecrire(u"Modeles/Lefort Anne.jpg"_qs, "photo");
    ecrire(u"Documents/Lefort Anne.doc"_qs, "doc");
    Principale& p = surIcone(2);
    cv().Fonction->setText(u"Comptable"_qs);

    faux.dialogues->reponses = {false};
    p.MenuSupprimerCV_Click();
    EXPECT_TRUE(existe(u"CV/Lefort Anne.dat"_qs));
    EXPECT_EQ(cv().Fonction->text(), u"Comptable"_qs);

    p.MenuSupprimerCV_Click(); // OK, and OK to lose the editor's CV, which has no name
    ASSERT_EQ(faux.dialogues->messages.size(), 3);
    EXPECT_EQ(faux.dialogues->messages[1].texte, u"Confirmez-vous la suppression du CV : Lefort Anne.dat ?"_qs);
    EXPECT_TRUE(faux.dialogues->messages[1].okAnnuler);
    EXPECT_EQ(faux.dialogues->messages[2].texte, FichierCV::questionSansNom(u"Supprimer le CV Lefort Anne.dat"_qs));
    EXPECT_FALSE(existe(u"CV/Lefort Anne.dat"_qs));
    EXPECT_TRUE(existe(u"CV/Dubois.dat"_qs));
    EXPECT_TRUE(existe(u"Modeles/Lefort Anne.jpg"_qs));
    EXPECT_TRUE(cv().Fonction->text().isEmpty());
    EXPECT_TRUE(cv().isVisible());
    EXPECT_EQ(p.ImageMenu[2]->genre(), Dessins::Icone::Nouveau);

    // A slot without a file asks nothing.
    Systeme::SupprimerCV(4);
    EXPECT_EQ(faux.dialogues->messages.size(), 3);
}

TEST_F(TestCommandes, RattacherUnCVExistant)
{
    Principale& p = surIcone(0);
    p.MenuRattacherCV_Click(); // cancelled
    EXPECT_EQ(faux.dialogues->textes(), QStringList{Information});
    EXPECT_EQ(faux.dialogues->titresDialogues, QStringList{u"Sélection d'un CV"_qs});
    EXPECT_TRUE(QDir(chemin(u"CV"_qs)).isEmpty());

    const QString document = QDir(ailleurs.path()).filePath(u"Mon CV.pdf"_qs);
    Outils::ecrireOctets(document, "%PDF-1.4");
    faux.dialogues->fichiersChoisis.push_back(document);
    p.MenuRattacherCV_Click();
    EXPECT_EQ(octets(u"CV/Mon CV.pdf"_qs), QByteArray("%PDF-1.4"));
    EXPECT_EQ(p.ImageMenu[0]->toolTip(), u"Mon CV.pdf"_qs);
    EXPECT_EQ(p.ImageMenu[0]->genre(), Dessins::Icone::CVPDF);

    // With a CV on the desktop there is no advice; a file of that name is replaced.
    Outils::ecrireOctets(document, "%PDF-1.5");
    faux.dialogues->fichiersChoisis.push_back(document);
    p.MenuRattacherCV_Click();
    EXPECT_EQ(faux.dialogues->messages.size(), 2);
    EXPECT_EQ(octets(u"CV/Mon CV.pdf"_qs), QByteArray("%PDF-1.5"));

    // A file that vanished is reported.
    faux.dialogues->fichiersChoisis.push_back(QDir(ailleurs.path()).filePath(u"parti.doc"_qs));
    Systeme::RattacherCV();
    EXPECT_EQ(faux.dialogues->textes().last(), u"Le CV parti.doc n'a pas pu être copié dans le dossier des CV."_qs);
}

TEST_F(TestCommandes, NouveauCVRemetLEditeurAVide)
{
    ecrireCV(u"Lefort Anne"_qs, {u"Nom=LEFORT"_qs});
    cv().ChargerFichierCV(chemin(u"CV/Lefort Anne.dat"_qs));
    principale().MenuNouveauCV_Click();
    EXPECT_TRUE(cv().Nom->text().isEmpty());
    EXPECT_TRUE(cv().NomCV->text().isEmpty());
    EXPECT_TRUE(cv().isVisible());
}

TEST_F(TestCommandes, LettresOuvrirDupliquerRenommer)
{
    ecrire(u"Lettres/Relance.dat"_qs, "lettre");
    Principale& p = surIcone(5);
    p.MenuOuvrirLettre_Click();
    EXPECT_EQ(lettresChargees, QStringList{chemin(u"Lettres/Relance.dat"_qs)});

    p.MenuDuppliquerLettre_Click();
    EXPECT_EQ(octets(u"Lettres/Copie de Relance.dat"_qs), QByteArray("lettre"));

    // Letter names keep what the user typed.
    surIcone(6);
    ASSERT_EQ(p.ImageMenu[6]->toolTip(), u"Relance.dat"_qs);
    p.Information->setText(u"x"_qs);
    faux.dialogues->fichiersChoisis.push_back(chemin(u"Lettres/Relance.dat"_qs));
    p.RenommerLettre_Click();
    EXPECT_FALSE(existe(u"Lettres/Relance.dat"_qs));
    EXPECT_EQ(octets(u"Lettres/Relance.dat.dat"_qs), QByteArray("lettre"));
    // The letter editor was not open: it stays closed.
    EXPECT_EQ(lettresChargees.size(), 1);
    EXPECT_TRUE(p.Information->text().isEmpty());
    EXPECT_EQ(p.ImageMenu[6]->toolTip(), u"Relance.dat.dat"_qs);

    // Onto an existing template: refused, both kept.
    surIcone(5);
    faux.dialogues->fichiersChoisis.push_back(chemin(u"Lettres/Relance.dat"_qs));
    p.RenommerLettre_Click();
    EXPECT_EQ(faux.dialogues->textes(), QStringList{u"Le fichier Relance.dat.dat existe déjà. Renommage impossible."_qs});
    EXPECT_TRUE(existe(u"Lettres/Copie de Relance.dat"_qs));
}

TEST_F(TestCommandes, SupprimerUnModeleDeLettre)
{
    ecrire(u"Lettres/Relance.dat"_qs, "lettre");
    Principale& p = surIcone(5);
    faux.dialogues->reponses = {false, true};
    p.MenuSupprimerLettre_Click();
    EXPECT_TRUE(existe(u"Lettres/Relance.dat"_qs));
    EXPECT_EQ(accueils, 0);

    p.MenuSupprimerLettre_Click();
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList(2, u"Confirmez-vous la suppression du modèle de lettre Relance.dat ?"_qs));
    EXPECT_FALSE(existe(u"Lettres/Relance.dat"_qs));
    // The letter editor is not shown: the home screen comes back with its counts.
    EXPECT_EQ(accueils, 1);
    EXPECT_EQ(p.ImageMenu[5]->genre(), Dessins::Icone::Nouveau);
}

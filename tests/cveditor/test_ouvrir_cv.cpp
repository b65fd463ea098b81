// Opening a CV from the desktop and editing it: the CV goes back to its own file, whatever its
// name, and never over another CV's file; a file shows what it holds and nothing of the CV shown
// before, or is not opened at all; a failed save loses nothing that the screen holds.
#include "test_fenetre_cv.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

#include "cveditor/fichier_cv.h"
#include "shell/services/sauts_ligne.h"

namespace {

using Outils::taper;

class OuvrirCV : public TestFenetreCV {
protected:
    // A CV file as an earlier save or a file command left it.
    void ecrire(const QString& fichier, const QString& nom, const QString& prenom)
    {
        FichiersTexte::ecrire(dossier.chemin(u"CV/"_qs + fichier),
                              u"Nom="_qs + nom + u"\r\nPrénom="_qs + prenom + u"\r\nFonction=Comptable\r\n"_qs);
    }
    QStringList fichiers() const { return QDir(dossier.chemin(u"CV"_qs)).entryList(QDir::Files, QDir::Name); }
    QByteArray octets(const QString& fichier) const { return Outils::lireOctets(dossier.chemin(u"CV/"_qs + fichier)); }

    // What the user does: a double click on the CV's desktop icon.
    void ouvrir(const QString& fichier)
    {
        principale->InitMenu();
        principale->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(principale));
        int icone = -1;
        for (int i = 0; i < 5; ++i)
            if (principale->ImageMenu[i]->toolTip() == fichier)
                icone = i;
        ASSERT_GE(icone, 0) << fichier.toStdString();
        // Through the window, as the desktop sends it: press, release, press, release.
        QWidget* image = principale->ImageMenu[icone];
        QTest::mouseDClick(principale->windowHandle(), Qt::LeftButton, {},
                           image->mapTo(principale, image->rect().center()));
        QTest::qWait(QApplication::doubleClickInterval() + 50);
    }
    // A new job title typed into the CV and the focus moved on with Tab, which renders and saves.
    void modifierFonction(const QString& fonction)
    {
        FormRedigerCV& f = cv();
        QTest::mouseClick(f.Fonction, Qt::LeftButton);
        ASSERT_TRUE(f.Fonction->hasFocus());
        f.Fonction->selectAll();
        taper(f.Fonction, fonction);
        QTest::keyClick(f.Fonction, Qt::Key_Tab);
        ASSERT_FALSE(f.Fonction->hasFocus());
    }
    void ouvrirEtModifier(const QString& fichier, const QString& fonction)
    {
        ouvrir(fichier);
        ASSERT_EQ(cv().NomCV->text(), FichierCV::nomDepuisChemin(fichier));
        const int avant = rendus();
        modifierFonction(fonction);
        EXPECT_EQ(rendus(), avant + 1);
    }
    // Paul Martin's CV, whole, as the editor writes it.
    void ecrireMartin()
    {
        FichierCV::ValeursCV m = FichierCV::ValeursCV::parDefaut();
        const QList<std::pair<QString, QString>> textes{
            {u"Nom"_qs, u"MARTIN"_qs},          {u"Prénom"_qs, u"Paul"_qs},
            {u"Adresse1"_qs, u"3 rue des Lilas"_qs}, {u"CP"_qs, u"35000"_qs},
            {u"Ville"_qs, u"Rennes"_qs},        {u"Tel"_qs, u"02 99 00 00 00"_qs},
            {u"Email"_qs, u"paul.martin@exemple.fr"_qs}, {u"Fonction"_qs, u"Électricien"_qs},
            {u"Etudes"_qs, u"2001 : BTS Électrotechnique\r\n- Rennes"_qs}, {u"Situation"_qs, u"Marié(e)"_qs},
            {u"ListeSituations"_qs, u"Marié(e)"_qs}, {u"Couleur"_qs, u"#0000FF"_qs},
            {u"CouleurClaire"_qs, u"#DEDEFF"_qs}, {u"NomCV"_qs, u"Martin Paul"_qs}};
        for (const auto& [boite, texte] : textes)
            m.fixer(boite, texte);
        m.cocher(u"LangueProf"_qs, 3, 1);
        m.cocher(u"CheckDisposition"_qs, 0, 0);
        m.cocher(u"CheckDisposition"_qs, 1, 1);
        ASSERT_TRUE(FichierCV::enregistrer(dossier.donnees(), u"Martin Paul"_qs, m));
    }
    QStringList textesMessages() const { return faux.dialogues->textes(); }

    QString fonctionDe(const QString& fichier) const
    {
        const auto lu = FichierCV::charger(dossier.chemin(u"CV/"_qs + fichier));
        return lu ? lu->texte(u"Fonction"_qs) : u"<illisible>"_qs;
    }
};

} // namespace

TEST_F(OuvrirCV, DeuxCVQueSeuleLaCasseSepareRestentDeux)
{
    ecrire(u"Dupont.dat"_qs, u"DUPONT"_qs, u"Paul"_qs);
    ecrire(u"dupont.dat"_qs, u"DUPONT"_qs, u"Marie"_qs);
    const QByteArray paul = octets(u"Dupont.dat"_qs);

    ouvrirEtModifier(u"dupont.dat"_qs, u"Vendeuse"_qs);
    EXPECT_EQ(octets(u"Dupont.dat"_qs), paul);
    EXPECT_EQ(fonctionDe(u"dupont.dat"_qs), u"Vendeuse"_qs);
    EXPECT_EQ(cv().Prenom->text(), u"Marie"_qs);
    EXPECT_EQ(fichiers(), (QStringList{u"Dupont.dat"_qs, u"dupont.dat"_qs}));

    // Then Paul's own CV, in the same window.
    ouvrirEtModifier(u"Dupont.dat"_qs, u"Magasinier"_qs);
    EXPECT_EQ(fonctionDe(u"Dupont.dat"_qs), u"Magasinier"_qs);
    EXPECT_EQ(fonctionDe(u"dupont.dat"_qs), u"Vendeuse"_qs);
    EXPECT_EQ(fichiers(), (QStringList{u"Dupont.dat"_qs, u"dupont.dat"_qs}));
}

TEST_F(OuvrirCV, UnNomAccentueNEcrasePasSaFormeSansAccent)
{
    ecrire(u"Lebrun Helene.dat"_qs, u"LEBRUN"_qs, u"Helene"_qs);
    ecrire(u"Lebrun Hélène.dat"_qs, u"LEBRUN"_qs, u"Hélène"_qs);
    const QByteArray sansAccent = octets(u"Lebrun Helene.dat"_qs);

    ouvrirEtModifier(u"Lebrun Hélène.dat"_qs, u"Infirmière"_qs);
    EXPECT_EQ(octets(u"Lebrun Helene.dat"_qs), sansAccent);
    EXPECT_EQ(fonctionDe(u"Lebrun Hélène.dat"_qs), u"Infirmière"_qs);
    EXPECT_EQ(cv().Label5->text(), u"Zones d'informations (Lebrun Hélène)"_qs);
    EXPECT_EQ(fichiers().size(), 2);
}

TEST_F(OuvrirCV, UneCopieOuUnNomRenommeNeFaitPasDeSecondFichier)
{
    // Names that "Dupliquer", "Renommer" and "Rattacher" give.
    ecrire(u"Copie de Lefort Anne.dat"_qs, u"LEFORT"_qs, u"Anne"_qs);
    ecrire(u"Jean d'Arc.dat"_qs, u"D'ARC"_qs, u"Jean"_qs);

    ouvrirEtModifier(u"Copie de Lefort Anne.dat"_qs, u"Chef de rayon"_qs);
    EXPECT_EQ(fonctionDe(u"Copie de Lefort Anne.dat"_qs), u"Chef de rayon"_qs);
    ouvrirEtModifier(u"Jean d'Arc.dat"_qs, u"Archer"_qs);
    EXPECT_EQ(fonctionDe(u"Jean d'Arc.dat"_qs), u"Archer"_qs);
    EXPECT_EQ(cv().NomCV->text(), u"Jean d'Arc"_qs);
    EXPECT_EQ(fichiers(), (QStringList{u"Copie de Lefort Anne.dat"_qs, u"Jean d'Arc.dat"_qs}));
    EXPECT_FALSE(QFileInfo::exists(fichierCV(u"Copie De Lefort Anne"_qs)));
    EXPECT_FALSE(QFileInfo::exists(fichierCV(u"Jean D Arc"_qs)));
}

TEST_F(OuvrirCV, UnNouveauCVNePrendJamaisLeFichierDUnAutre)
{
    // A new CV whose name is given before its first save: the normalised name is another CV's
    // file, so the new CV takes the next free number.
    ecrire(u"Martin Luc.dat"_qs, u"MARTIN"_qs, u"Luc"_qs);
    ecrire(u"Martin Luc 2.dat"_qs, u"MARTIN"_qs, u"Luc"_qs);
    const QByteArray premier = octets(u"Martin Luc.dat"_qs), second = octets(u"Martin Luc 2.dat"_qs);
    FormRedigerCV& f = cv();
    f.NomCV->setText(u"martin luc"_qs);
    f.Nom->setText(u"MARTIN"_qs);
    QTest::mouseClick(f.SauvegarderCV, Qt::LeftButton); // the save picture
    EXPECT_EQ(f.NomCV->text(), u"Martin Luc 3"_qs);
    EXPECT_EQ(octets(u"Martin Luc.dat"_qs), premier);
    EXPECT_EQ(octets(u"Martin Luc 2.dat"_qs), second);
    // From then on it is that file.
    f.Fonction->setText(u"Plombier"_qs);
    QTest::mouseClick(f.SauvegarderCV, Qt::LeftButton);
    EXPECT_EQ(fonctionDe(u"Martin Luc 3.dat"_qs), u"Plombier"_qs);
    EXPECT_EQ(fichiers().size(), 3);
}

TEST_F(OuvrirCV, OuvrirUnCVNeRelitPasSonBlocDIdentite)
{
    // The editor opens with the focus in the free-text identity; opening the CV hides that box.
    // The user has not left it: the block is not read again over the boxes corrected by hand.
    FichiersTexte::ecrire(dossier.chemin(u"CV/Exemple Paul.dat"_qs),
                          u"Identite=Paul Exemple<N>Tél  01 23 45 67 89<N>75001 Paris\r\nNom=EXEMPLE\r\n"
                          "Prénom=Paul\r\nCP=75001\r\nVille=Paris Cedex 01\r\nTel=01 23 45 67 89\r\n"_qs);
    ouvrir(u"Exemple Paul.dat"_qs);
    FormRedigerCV& f = cv();
    ASSERT_EQ(f.NomCV->text(), u"Exemple Paul"_qs);
    EXPECT_TRUE(f.FrameIdentite->isHidden());
    EXPECT_EQ(f.Ville->text(), u"Paris Cedex 01"_qs);
    EXPECT_EQ(f.Tel->text(), u"01 23 45 67 89"_qs);
    EXPECT_EQ(f.Identite->toPlainText(), u"Paul Exemple\nTél  01 23 45 67 89\n75001 Paris"_qs);
    EXPECT_EQ(rendus(), 1);
    const auto lu = FichierCV::charger(fichierCV(u"Exemple Paul"_qs));
    ASSERT_TRUE(lu);
    EXPECT_EQ(lu->texte(u"Ville"_qs), u"Paris Cedex 01"_qs);
}

TEST_F(OuvrirCV, UnCVIncompletNePrendRienDuCVPrecedent)
{
    // A new CV is what the keys a file lacks give.
    const FichierCV::ValeursCV nouveau = cv().valeurs();
    EXPECT_EQ(nouveau.textes, FichierCV::ValeursCV::parDefaut().textes);
    EXPECT_EQ(nouveau.cases, FichierCV::ValeursCV::parDefaut().cases);

    ecrireMartin();
    FichiersTexte::ecrire(dossier.chemin(u"CV/Tanguy Jean.dat"_qs), u"Nom=TANGUY\r\nPrénom=Jean\r\nFonction=Soudeur\r\n"_qs);
    ouvrir(u"Martin Paul.dat"_qs);
    ASSERT_EQ(cv().Adresse1->text(), u"3 rue des Lilas"_qs);
    ASSERT_TRUE(cv().LangueProf[3]->isChecked());
    const QByteArray martin = octets(u"Martin Paul.dat"_qs);

    ouvrir(u"Tanguy Jean.dat"_qs);
    FormRedigerCV& f = cv();
    ASSERT_EQ(f.NomCV->text(), u"Tanguy Jean"_qs);
    EXPECT_EQ(f.Fonction->text(), u"Soudeur"_qs);
    EXPECT_EQ(f.Adresse1->text(), QString());
    EXPECT_EQ(f.Etudes->toPlainText(), QString());
    EXPECT_FALSE(f.LangueProf[3]->isChecked());
    EXPECT_TRUE(f.CheckDisposition[0]->isChecked());
    EXPECT_TRUE(f.ListeSituations->selectedItems().isEmpty());
    // The file, saved again by the load's rendering, holds Tanguy's three values and a new CV's.
    FichierCV::ValeursCV attendu = FichierCV::ValeursCV::parDefaut();
    attendu.fixer(u"Nom"_qs, u"TANGUY"_qs);
    attendu.fixer(u"Prénom"_qs, u"Jean"_qs);
    attendu.fixer(u"Fonction"_qs, u"Soudeur"_qs);
    attendu.fixer(u"NomCV"_qs, u"Tanguy Jean"_qs);
    const auto tanguy = FichierCV::charger(fichierCV(u"Tanguy Jean"_qs));
    ASSERT_TRUE(tanguy);
    EXPECT_EQ(tanguy->textes, attendu.textes);
    EXPECT_EQ(tanguy->cases, attendu.cases);
    // Tanguy is the current identity, with no address, telephone or e-mail of Martin's.
    EXPECT_EQ(principale->Nom->text(), u"TANGUY"_qs);
    for (QLineEdit* champ : {principale->Adresse1, principale->CP, principale->Ville, principale->Tel, principale->Email})
        EXPECT_EQ(champ->text(), QString()) << champ->objectName().toStdString();
    EXPECT_EQ(octets(u"Martin Paul.dat"_qs), martin);
}

TEST_F(OuvrirCV, UnFichierQuiNEstPasUnCVNEstNiMontreNiEcrit)
{
    ecrireMartin();
    Outils::ecrireOctets(dossier.chemin(u"CV/Courses.dat"_qs), "Pain\r\nLait=2 litres\r\n\r\n3:Oeufs=6\r\n");
    Outils::ecrireOctets(dossier.chemin(u"notes.txt"_qs), "R\xC3\xA9union lundi\n");
    ASSERT_TRUE(QFile::link(dossier.chemin(u"notes.txt"_qs), dossier.chemin(u"CV/Notes.dat"_qs)));
    const QByteArray courses = octets(u"Courses.dat"_qs), notes = Outils::lireOctets(dossier.chemin(u"notes.txt"_qs));
    ouvrir(u"Martin Paul.dat"_qs);
    const int rendusMartin = rendus();

    for (const QString& fichier : {u"Courses.dat"_qs, u"Notes.dat"_qs}) {
        ouvrir(fichier);
        EXPECT_EQ(textesMessages().value(0),
                  u"Le fichier "_qs + fichier + u" n'est pas un CV de Kerval : il n'a pas été ouvert."_qs);
        faux.dialogues->messages.clear();
        // The editor still shows Martin's CV, which goes on to its own file.
        EXPECT_EQ(cv().NomCV->text(), u"Martin Paul"_qs);
        EXPECT_EQ(cv().Adresse1->text(), u"3 rue des Lilas"_qs);
    }
    EXPECT_EQ(rendus(), rendusMartin);
    EXPECT_EQ(octets(u"Courses.dat"_qs), courses);
    EXPECT_EQ(Outils::lireOctets(dossier.chemin(u"notes.txt"_qs)), notes);
    modifierFonction(u"Chef de chantier"_qs);
    EXPECT_EQ(fonctionDe(u"Martin Paul.dat"_qs), u"Chef de chantier"_qs);
    EXPECT_EQ(octets(u"Courses.dat"_qs), courses);

    // Opened first thing, it leaves a new, empty editor.
    RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
    ouvrir(u"Courses.dat"_qs);
    EXPECT_EQ(textesMessages().size(), 1);
    EXPECT_EQ(cv().NomCV->text(), QString());
    EXPECT_EQ(cv().Nom->text(), QString());
    EXPECT_EQ(octets(u"Courses.dat"_qs), courses);
}

TEST_F(OuvrirCV, UnCVQuiNAPasPuEtreEnregistreNEstPasRechargeSansDemander)
{
    ecrireMartin();
    ouvrir(u"Martin Paul.dat"_qs);
    const QString chemin = fichierCV(u"Martin Paul"_qs);
    const QByteArray avant = octets(u"Martin Paul.dat"_qs);
    const auto lectureSeule = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    const auto lectureEcriture = lectureSeule | QFile::WriteOwner | QFile::WriteUser;
    ASSERT_TRUE(QFile::setPermissions(chemin, lectureSeule));

    // Each change renders and fails to save: the user is told once, with the cause.
    modifierFonction(u"Chef de chantier"_qs);
    modifierFonction(u"Chef d'équipe"_qs);
    ASSERT_EQ(textesMessages().size(), 1);
    EXPECT_TRUE(textesMessages()[0].startsWith(u"Pb lors de l'enregistrement du CV : Martin Paul\n"_qs));
    EXPECT_TRUE(textesMessages()[0].contains(u"protégé en écriture"_qs)) << textesMessages()[0].toStdString();
    EXPECT_EQ(octets(u"Martin Paul.dat"_qs), avant);

    // Opening it again from the desktop asks first; Cancel keeps what the screen holds.
    const QString question = u"Le CV affiché n'a pas pu être enregistré. L'ouvrir de nouveau fera perdre vos "
                             "dernières modifications. Continuer ?"_qs;
    faux.dialogues->reponses = {false};
    ouvrir(u"Martin Paul.dat"_qs);
    ASSERT_EQ(faux.dialogues->messages.size(), 2);
    EXPECT_EQ(faux.dialogues->messages[1].texte, question);
    EXPECT_TRUE(faux.dialogues->messages[1].okAnnuler);
    EXPECT_EQ(cv().Fonction->text(), u"Chef d'équipe"_qs);

    // Writable again: the next change is saved, and nothing is asked any more.
    ASSERT_TRUE(QFile::setPermissions(chemin, lectureEcriture));
    modifierFonction(u"Conducteur de travaux"_qs);
    EXPECT_EQ(fonctionDe(u"Martin Paul.dat"_qs), u"Conducteur de travaux"_qs);
    ouvrir(u"Martin Paul.dat"_qs);
    EXPECT_EQ(faux.dialogues->messages.size(), 2);

    // A new failure after that save is told again; OK to the question reads the file back.
    ASSERT_TRUE(QFile::setPermissions(chemin, lectureSeule));
    modifierFonction(u"Électricien"_qs);
    ASSERT_EQ(faux.dialogues->messages.size(), 3);
    EXPECT_EQ(faux.dialogues->messages[2].texte, textesMessages()[0]);
    faux.dialogues->reponses = {true};
    ouvrir(u"Martin Paul.dat"_qs);
    ASSERT_EQ(faux.dialogues->messages.size(), 4);
    EXPECT_EQ(faux.dialogues->messages[3].texte, question);
    EXPECT_EQ(cv().Fonction->text(), u"Conducteur de travaux"_qs);
    // The screen shows the file once more, though its save failed again: nothing is asked.
    ouvrir(u"Martin Paul.dat"_qs);
    EXPECT_EQ(faux.dialogues->messages.size(), 4);
    QFile::setPermissions(chemin, lectureEcriture);
}

TEST_F(OuvrirCV, UnDisquePleinEstDitUneFoisDansUnProcessusEnfant)
{
    // The child: this same test, in which every file the process writes stops at a few hundred
    // bytes, as on a full disk.
    const QByteArray limite = qgetenv("KERVAL_LIMITE_FICHIERS");
    if (limite.isEmpty()) {
        Outils::relancerSousCUtf8(u"OuvrirCV.UnDisquePleinEstDitUneFoisDansUnProcessusEnfant"_qs,
                                  {{u"KERVAL_LIMITE_FICHIERS"_qs, u"512"_qs}});
        return;
    }
    ecrireMartin();
    ouvrir(u"Martin Paul.dat"_qs);
    const QByteArray avant = octets(u"Martin Paul.dat"_qs);
    ASSERT_GT(avant.size(), limite.toInt());
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit sansLimite{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &sansLimite), 0);
    rlimit limitee = sansLimite;
    limitee.rlim_cur = rlim_t(limite.toInt());
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limitee), 0);
    modifierFonction(u"Chef de chantier"_qs);
    modifierFonction(u"Chef d'équipe"_qs);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &sansLimite), 0);

    ASSERT_EQ(textesMessages().size(), 1);
    EXPECT_TRUE(textesMessages()[0].startsWith(u"Pb lors de l'enregistrement du CV : Martin Paul\n"_qs));
    EXPECT_TRUE(textesMessages()[0].contains(u"taille permise"_qs)) << textesMessages()[0].toStdString();
    EXPECT_EQ(octets(u"Martin Paul.dat"_qs), avant);
    EXPECT_EQ(QDir(dossier.chemin(u"CV"_qs)).entryList(QDir::Hidden | QDir::Files), QStringList{u"Martin Paul.dat"_qs});
    // Room again: the text on screen reaches the file at the next change.
    modifierFonction(u"Chef d'équipe"_qs);
    EXPECT_EQ(fonctionDe(u"Martin Paul.dat"_qs), u"Chef d'équipe"_qs);
    EXPECT_EQ(textesMessages().size(), 1);
}

TEST_F(OuvrirCV, UnLongParcoursCollePuisRouvertRevientEntier)
{
    FormRedigerCV& f = cv();
    QTest::mouseClick(f.Nom, Qt::LeftButton);
    taper(f.Nom, u"durand"_qs);
    // A career of some 250 000 characters, pasted into its box.
    QString parcours;
    for (int k = 0; parcours.size() < 250000; ++k)
        parcours += u"%1 : Technicien de maintenance, atelier %2\n- Entretien des machines, équipe de nuit, "
                    "relevés et comptes rendus quotidiens\n\n"_qs.arg(1980 + k % 40).arg(k);
    parcours.chop(2);
    QApplication::clipboard()->setText(parcours);
    QTest::mouseClick(f.Experiences->viewport(), Qt::LeftButton);
    ASSERT_TRUE(f.Experiences->hasFocus());
    QTest::keyClick(f.Experiences, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(f.Experiences->toPlainText().size(), parcours.size());
    QTest::keyClick(f.Experiences, Qt::Key_Tab); // renders and saves
    ASSERT_EQ(f.NomCV->text(), u"Durand"_qs);

    // Opened again in a new editor, from the desktop.
    RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
    ouvrir(u"Durand.dat"_qs);
    EXPECT_EQ(cv().Experiences->toPlainText(), parcours);
    const auto lu = FichierCV::charger(fichierCV(u"Durand"_qs));
    ASSERT_TRUE(lu);
    EXPECT_EQ(lu->texte(u"Experiences"_qs), SautsLigne::versCRLF(parcours));
}

// Opening a CV from the desktop and editing it: the CV goes back to its own file, whatever its
// name, and never over another CV's file.
#include "test_fenetre_cv.h"

#include <QApplication>
#include <QTest>

#include "cveditor/fichier_cv.h"

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

    // What the user does: a double click on the CV's desktop icon, then a new job title typed
    // into the CV and the focus moved on with Tab, which renders and saves the CV.
    void ouvrirEtModifier(const QString& fichier, const QString& fonction)
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
        FormRedigerCV& f = cv();
        ASSERT_EQ(f.NomCV->text(), FichierCV::nomDepuisChemin(fichier));
        QTest::mouseClick(f.Fonction, Qt::LeftButton);
        ASSERT_TRUE(f.Fonction->hasFocus());
        f.Fonction->selectAll();
        taper(f.Fonction, fonction);
        const int avant = rendus();
        QTest::keyClick(f.Fonction, Qt::Key_Tab);
        ASSERT_FALSE(f.Fonction->hasFocus());
        EXPECT_EQ(rendus(), avant + 1);
    }
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
    principale->InitMenu();
    principale->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(principale));
    QWidget* image = principale->ImageMenu[0];
    QTest::mouseDClick(principale->windowHandle(), Qt::LeftButton, {}, image->mapTo(principale, image->rect().center()));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
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

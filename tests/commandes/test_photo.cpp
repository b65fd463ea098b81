// The CV photograph commands: attach a picture file, paste the clipboard's picture, delete.
#include <QImageReader>
#include <sys/stat.h>

#include "commandes.h"

class Photo : public TestCommandes {
protected:
    // The CV "Lefort Anne" loaded in the editor and rendered.
    void SetUp() override
    {
        TestCommandes::SetUp();
        ecrireCV(u"Lefort Anne"_qs, {u"Nom=LEFORT"_qs, u"Prénom=Anne"_qs});
        principale();
        cv().ChargerFichierCV(chemin(u"CV/Lefort Anne.dat"_qs));
        avant = rendus();
    }
    int avant = 0;
};

TEST_F(Photo, RattacherGardeLesProportions)
{
    const QString portrait = image(u"portrait.png"_qs, 300, 400);
    faux.dialogues->fichiersChoisis.push_back(portrait);
    principale().RattacherPhoto_Click();

    EXPECT_EQ(faux.dialogues->titresDialogues, QStringList{u"Sélection d'une photographie"_qs});
    // The file's bytes as they were, under the ".jpg" name.
    EXPECT_EQ(octets(u"Modeles/Lefort Anne.jpg"_qs), Outils::lireOctets(portrait));
    // Shown with its own proportions, within the box above its caption.
    EXPECT_NEAR(double(cv().Photo->width()) / cv().Photo->height(), 300.0 / 400.0, 0.02);
    EXPECT_LT(cv().Photo->geometry().bottom(), cv().Label2->y());
    EXPECT_EQ(apercu().rafraichissements, 1);
    EXPECT_EQ(rendus(), avant + 1);
    EXPECT_TRUE(page().contains(u"Photo.jpg"_qs));
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());

    faux.dialogues->fichiersChoisis.push_back(image(u"carre.gif"_qs, 50, 50, "JPG"));
    principale().RattacherPhoto_Click();
    EXPECT_EQ(cv().Photo->width(), cv().Photo->height());

    // A landscape photograph keeps its proportions when the CV is opened again, in a new editor.
    faux.dialogues->fichiersChoisis.push_back(image(u"paysage.png"_qs, 400, 300));
    principale().RattacherPhoto_Click();
    EXPECT_NEAR(double(cv().Photo->width()) / cv().Photo->height(), 4.0 / 3.0, 0.03);
    RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
    cv().ChargerFichierCV(chemin(u"CV/Lefort Anne.dat"_qs));
    EXPECT_NEAR(double(cv().Photo->width()) / cv().Photo->height(), 4.0 / 3.0, 0.03);
    EXPECT_LT(cv().Photo->geometry().bottom(), cv().Label2->y());
}

TEST_F(Photo, RattacherSansNomEcritPointJpg)
{
    cv().NomCV->clear();
    faux.dialogues->fichiersChoisis.push_back(image(u"p.png"_qs, 10, 10));
    principale().RattacherPhoto_Click();
    EXPECT_TRUE(existe(u"Modeles/.jpg"_qs));
}

TEST_F(Photo, RattacherAnnuleOuIlliblelaisseLaPhotoPrecedente)
{
    ecrire(u"Modeles/Lefort Anne.jpg"_qs, Outils::lireOctets(image(u"avant.png"_qs, 20, 20)));
    const QByteArray precedente = octets(u"Modeles/Lefort Anne.jpg"_qs);
    const QSize taille = cv().Photo->size();

    principale().RattacherPhoto_Click(); // cancelled
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());

    const QString texte = QDir(ailleurs.path()).filePath(u"pas une image.jpg"_qs);
    Outils::ecrireOctets(texte, "ceci n'est pas une image");
    faux.dialogues->fichiersChoisis.push_back(texte);
    principale().RattacherPhoto_Click();
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList{u"Le fichier pas une image.jpg n'est pas une image lisible. La photographie n'a pas été "
                          "changée."_qs});

    // A FIFO chosen, no program writing into it: refused at once, the file named.
    const QString tube = QDir(ailleurs.path()).filePath(u"tube.jpg"_qs);
    ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    faux.dialogues->fichiersChoisis.push_back(tube);
    principale().RattacherPhoto_Click();
    EXPECT_EQ(faux.dialogues->textes().value(1), FichiersTexte::messageRefus(tube, u"un tube nommé (FIFO)"_qs));

    // A write that fails keeps the earlier photograph whole.
    FichiersTexte::simulerEchecEcriture(true);
    faux.dialogues->fichiersChoisis.push_back(image(u"nouvelle.png"_qs, 30, 40));
    principale().RattacherPhoto_Click();
    FichiersTexte::simulerEchecEcriture(false);
    EXPECT_EQ(faux.dialogues->messages.size(), 3);

    EXPECT_EQ(octets(u"Modeles/Lefort Anne.jpg"_qs), precedente);
    EXPECT_EQ(cv().Photo->size(), taille);
    EXPECT_EQ(rendus(), avant);
}

TEST_F(Photo, CollerEcritUnePhotoQueLeCVRetrouve)
{
    faux.pressePapiers->fixerTexte(u"du texte"_qs);
    principale().CollerPhoto_Click();
    EXPECT_FALSE(existe(u"Modeles/Lefort Anne.jpg"_qs));
    EXPECT_EQ(rendus(), avant);

    QImage image(64, 80, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 30, 128));
    faux.pressePapiers->fixerImage(image);
    const QSize taille = cv().Photo->size();
    principale().CollerPhoto_Click();
    EXPECT_EQ(cv().Photo->size(), taille);
    EXPECT_EQ(rendus(), avant + 1);
    QImageReader lecteur(chemin(u"Modeles/Lefort Anne.jpg"_qs));
    EXPECT_EQ(lecteur.format(), QByteArray("jpeg"));
    EXPECT_EQ(lecteur.size(), QSize(64, 80));

    // Reopening the CV shows the pasted picture again.
    RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
    cv().ChargerFichierCV(chemin(u"CV/Lefort Anne.dat"_qs));
    EXPECT_EQ(cv().Photo->pixmap().size(), QSize(64, 80));
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(Photo, SupprimerSansMessage)
{
    ecrire(u"Modeles/Lefort Anne.jpg"_qs, Outils::lireOctets(image(u"p.png"_qs, 20, 20)));
    cv().VisualisationCV();
    ASSERT_TRUE(existe(u"Modeles/Photo.jpg"_qs));
    avant = rendus();
    principale().SupprimerPhoto_Click();
    EXPECT_FALSE(existe(u"Modeles/Lefort Anne.jpg"_qs));
    EXPECT_FALSE(existe(u"Modeles/Photo.jpg"_qs));
    EXPECT_TRUE(cv().Photo->pixmap().isNull());
    EXPECT_FALSE(page().contains(u"Photo.jpg"_qs));

    // Again, with no photograph left: still no message, the CV is rendered.
    principale().SupprimerPhoto_Click();
    EXPECT_EQ(rendus(), avant + 2);
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

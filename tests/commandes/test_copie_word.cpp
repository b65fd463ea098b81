// The Word copy made by the real office suite: for every page model shipped, a CV with accented
// texts and a photograph of a real camera's size, rendered by the editor and converted through the
// conversion dialog's "Convertir", reads back in LibreOffice as the CV (name, sections, accents)
// and carries its photograph.
#include <QBuffer>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QUrl>
#include <QtEndian>

#include "commandes.h"
#include "shell/dialogs/formconvert.h"
#include "shell/mainwindow/export_word.h"

namespace {

// A portrait as a camera gives it: 600 x 800, soft gradients and grain, about 100 KB of JPEG.
QByteArray photographie()
{
    QImage image(600, 800, QImage::Format_RGB32);
    QRandomGenerator hasard(1789);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(hasard.bounded(25u)) - 12;
            image.setPixel(x, y, qRgb(qBound(0, 90 + x / 5 + grain, 255), qBound(0, 60 + y / 6 + grain, 255),
                                      qBound(0, 140 + (x + y) / 12 - grain, 255)));
        }
    {
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::Antialiasing);
        peintre.setBrush(QColor(225, 190, 160));
        peintre.setPen(Qt::NoPen);
        peintre.drawEllipse(QRect(180, 150, 240, 320)); // a face
        peintre.setBrush(QColor(40, 50, 90));
        peintre.drawRoundedRect(QRect(80, 480, 440, 340), 120, 120); // shoulders
    }
    for (int qualite = 98; qualite > 20; qualite -= 3) {
        QByteArray octets;
        QBuffer tampon(&octets);
        tampon.open(QIODevice::WriteOnly);
        image.save(&tampon, "JPG", qualite);
        if (octets.size() <= 120 * 1024)
            return octets;
    }
    return {};
}

// The names and sizes of a zip file's entries, read from its central directory.
QMap<QString, quint32> entreesZip(const QByteArray& zip)
{
    QMap<QString, quint32> entrees;
    const qsizetype fin = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (fin < 0 || fin + 22 > zip.size())
        return entrees;
    const auto u16 = [&](qsizetype i) { return qFromLittleEndian<quint16>(zip.constData() + i); };
    const auto u32 = [&](qsizetype i) { return qFromLittleEndian<quint32>(zip.constData() + i); };
    qsizetype i = u32(fin + 16);
    for (int n = u16(fin + 10); n > 0 && i + 46 <= zip.size() && zip.mid(i, 4) == QByteArray("PK\x01\x02", 4); --n) {
        const quint16 nom = u16(i + 28);
        entrees.insert(QString::fromUtf8(zip.mid(i + 46, nom)), u32(i + 24));
        i += 46 + nom + u16(i + 30) + u16(i + 32);
    }
    return entrees;
}

} // namespace

class CopieWord : public TestCommandes {
protected:
    void SetUp() override
    {
        TestCommandes::SetUp();
        if (ExportWord::programme().isEmpty())
            GTEST_SKIP() << "LibreOffice is not installed";
        ecrireCV(u"Lefevre Helene"_qs,
                 {u"Nom=LEFÈVRE"_qs, u"Prénom=Hélène"_qs, u"NomCV=Lefevre Helene"_qs,
                  u"Fonction=Ingénieure qualité"_qs, u"Ville=Besançon"_qs,
                  u"Etudes=2004 : Maîtrise de génie des procédés<N>- Université de Franche-Comté"_qs,
                  u"Experiences=2010 - 2023 : Responsable qualité à Łódź<N>- Audits fournisseurs, budget 40 000 €"_qs,
                  u"Competences=Cœur de métier : amélioration continue"_qs, u"Divers=Randonnée, théâtre"_qs});
        principale();
        cv().ChargerFichierCV(chemin(u"CV/Lefevre Helene.dat"_qs));
        faux.coquille->associations.insert(u"doc"_qs, u"/usr/bin/traitement"_qs);
    }

    // One run of the office suite over several files, with a profile of its own.
    static bool convertir(QProcess& p, const QString& filtre, const QString& profil, const QString& sortie,
                          const QStringList& fichiers)
    {
        p.start(ExportWord::programme(),
                QStringList{u"-env:UserInstallation="_qs + QUrl::fromLocalFile(profil).toString(), u"--headless"_qs,
                            u"--norestore"_qs, u"--convert-to"_qs, filtre, u"--outdir"_qs, sortie} +
                    fichiers);
        return p.waitForStarted(30000);
    }

    QTemporaryDir lus; // the copies of every model, and what LibreOffice reads from them
    // The user's own LibreOffice settings, which the conversions leave alone.
    QTemporaryDir maison;
    Variable home{"HOME", maison.path()};
    Variable configuration{"XDG_CONFIG_HOME", maison.path() + u"/.config"_qs};
};

TEST_F(CopieWord, ChaqueModeleDonneUnDocumentLisibleQuiPorteLaPhoto)
{
    const QByteArray photo = photographie();
    ASSERT_GE(photo.size(), 80 * 1024);
    const QString fichierPhoto = QDir(ailleurs.path()).filePath(u"portrait.jpg"_qs);
    Outils::ecrireOctets(fichierPhoto, photo);
    faux.dialogues->fichiersChoisis.push_back(fichierPhoto);
    principale().RattacherPhoto_Click();
    ASSERT_EQ(octets(u"Modeles/Lefevre Helene.jpg"_qs), photo);

    const QStringList modeles =
        QDir(QStringLiteral(KERVAL_DONNEES_SOURCE) + u"/Modeles"_qs).entryList({u"*.htm"_qs}, QDir::Files);
    ASSERT_FALSE(modeles.isEmpty());
    const QString copie = documents() + u"Lefevre Helene.doc"_qs;
    QStringList documentsLus;
    for (const QString& modele : modeles) {
        cv().Modele->setText(modele);
        cv().VisualisationCV();
        ASSERT_TRUE(page().contains(u"SRC='Photo.jpg'"_qs)) << modele.toStdString();
        principale().MenuConvertirCV_Click();
        FormConvert& f = Forme<FormConvert>();
        QTest::mouseClick(f.BoutonKVL2->Label1, Qt::LeftButton);
        ASSERT_TRUE(faux.dialogues->messages.isEmpty())
            << modele.toStdString() << ": " << faux.dialogues->textes().join(u'|').toStdString();
        ASSERT_TRUE(QFileInfo::exists(copie)) << modele.toStdString();
        documentsLus << QDir(lus.path()).filePath(QFileInfo(modele).completeBaseName() + u".doc"_qs);
        ASSERT_TRUE(QFile::rename(copie, documentsLus.last()));
    }
    // Each copy opened in the desktop's program once written; the conversions ran in profiles of
    // their own.
    ASSERT_EQ(faux.coquille->lancements.size(), modeles.size());
    for (const FausseCoquille::Lancement& l : faux.coquille->lancements)
        EXPECT_EQ(l.arguments, QStringList{copie});
    EXPECT_FALSE(QFileInfo::exists(maison.path() + u"/.config/libreoffice"_qs));

    // Both read-backs at once, each LibreOffice in a profile of its own.
    const QString dossier = lus.path();
    QProcess texte, odt;
    ASSERT_TRUE(convertir(texte, u"txt:Text (encoded):UTF8"_qs, dossier + u"/profil-texte"_qs, dossier + u"/texte"_qs,
                          documentsLus));
    ASSERT_TRUE(convertir(odt, u"odt"_qs, dossier + u"/profil-odt"_qs, dossier + u"/odt"_qs, documentsLus));
    ASSERT_TRUE(texte.waitForFinished(300000) && odt.waitForFinished(300000));
    ASSERT_EQ(texte.exitCode(), 0) << texte.readAll().toStdString();
    ASSERT_EQ(odt.exitCode(), 0) << odt.readAll().toStdString();

    for (const QString& modele : modeles) {
        const QString base = QFileInfo(modele).completeBaseName();
        const QString lu = QString::fromUtf8(Outils::lireOctets(dossier + u"/texte/"_qs + base + u".txt"_qs));
        for (const QString& attendu :
             {u"LEFÈVRE"_qs, u"Hélène"_qs, u"Ingénieure qualité"_qs, u"Besançon"_qs, u"Etudes et diplômes"_qs,
              u"Maîtrise de génie des procédés"_qs, u"Expérience professionnelle"_qs, u"Responsable qualité à Łódź"_qs,
              u"40 000 €"_qs, u"Domaines de compétences"_qs, u"Cœur de métier"_qs, u"Divers"_qs,
              u"Randonnée, théâtre"_qs})
            EXPECT_TRUE(lu.contains(attendu)) << base.toStdString() << " lacks " << attendu.toStdString() << ":\n"
                                              << lu.left(600).toStdString();

        const auto entrees = entreesZip(Outils::lireOctets(dossier + u"/odt/"_qs + base + u".odt"_qs));
        QStringList images;
        for (auto it = entrees.cbegin(); it != entrees.cend(); ++it)
            if (it.key().startsWith(u"Pictures/"_qs) && it.value() > 0)
                images << it.key();
        EXPECT_EQ(images.size(), 1) << base.toStdString() << ": " << entrees.keys().join(u' ').toStdString();
        // The photograph itself, not a link to it nor a stand-in picture.
        for (const QString& i : images)
            EXPECT_EQ(entrees.value(i), quint32(photo.size())) << base.toStdString();
    }
}

// The Word copy made by the real office suite: for every page model shipped, a CV with accented
// texts, its contact details, its own colours and a photograph of a real camera's size, rendered
// by the editor and converted through the conversion dialog's "Convertir", reads back in
// LibreOffice as the CV (name, sections, accents), carries its photograph, and keeps its layout
// as LibreOffice lays it out on a page: each contact detail whole and apart from the others, the
// columns starting at the top, the light tint.
#include <QBuffer>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

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

// The text of a page as pdftotext reads it from a PDF file, line by line as laid out.
QString textePdf(const QString& pdf)
{
    QProcess p;
    p.start(u"pdftotext"_qs, {u"-enc"_qs, u"UTF-8"_qs, pdf, u"-"_qs});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The lines of each page of a PDF file as pdftotext lays them out, in points from the page's top left.
struct Ligne {
    QString texte;
    double gauche = 0;
    double bas = 0;
};
struct Page {
    double hauteur = 0;
    QList<Ligne> lignes;
    Ligne derniere() const // the lowest line
    {
        Ligne l;
        for (const Ligne& x : lignes)
            if (x.bas >= l.bas)
                l = x;
        return l;
    }
    QString texte() const
    {
        QStringList t;
        for (const Ligne& l : lignes)
            t << l.texte;
        return t.join(u'\n');
    }
};
QList<Page> pagesPdf(const QString& pdf)
{
    QProcess p;
    p.start(u"pdftotext"_qs, {u"-bbox-layout"_qs, u"-enc"_qs, u"UTF-8"_qs, pdf, u"-"_qs});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QList<Page> pages;
    QXmlStreamReader xml(p.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == u"page")
            pages.append(Page{a.value(u"height"_qs).toDouble(), {}});
        else if (xml.name() == u"line" && !pages.isEmpty())
            pages.last().lignes.append(Ligne{{}, a.value(u"xMin"_qs).toDouble(), a.value(u"yMax"_qs).toDouble()});
        else if (xml.name() == u"word" && !pages.isEmpty() && !pages.last().lignes.isEmpty()) {
            QString& t = pages.last().lignes.last().texte;
            t += (t.isEmpty() ? QString() : u" "_qs) + xml.readElementText();
        }
    }
    return pages;
}

// The pictures of a flat OpenDocument file, as its own bytes.
QList<QByteArray> imagesFodt(const QString& xml)
{
    static const QRegularExpression donnees(u"<office:binary-data>([^<]*)</office:binary-data>"_qs);
    QList<QByteArray> images;
    for (auto it = donnees.globalMatch(xml); it.hasNext();)
        images << QByteArray::fromBase64(it.next().captured(1).toLatin1());
    return images;
}

} // namespace

class CopieWord : public TestCommandes {
protected:
    void SetUp() override
    {
        TestCommandes::SetUp();
        if (ExportWord::programme().isEmpty())
            GTEST_SKIP() << "LibreOffice is not installed";
        // Fourteen jobs, the latest first, each a dated line and two or three detail lines.
        QString experiences = u"Experiences=2010 - 2023 : Responsable qualité à Łódź<N>- Audits fournisseurs, budget 40 000 €"
                              u"<N>- Animation de l'équipe du poste 1"_qs;
        for (int poste = 2; poste <= 14; ++poste) {
            experiences += u"<N>%1 - %2 : Poste %3 chez Société %3<N>- Gestion des audits du poste %3"
                           u"<N>- Animation de l'équipe du poste %3"_qs.arg(2009 - poste)
                               .arg(2010 - poste)
                               .arg(poste);
            if (poste % 2 == 0)
                experiences += u"<N>- Suivi des indicateurs du poste %1"_qs.arg(poste);
        }
        ecrireCV(u"Lefevre Helene"_qs,
                 {u"Nom=LEFÈVRE"_qs, u"Prénom=Hélène"_qs, u"NomCV=Lefevre Helene"_qs,
                  u"Fonction=Ingénieure qualité"_qs, u"Ville=Besançon"_qs,
                  u"Etudes=2004 : Maîtrise de génie des procédés<N>- Université de Franche-Comté"_qs,
                  experiences,
                  u"Competences=Cœur de métier : amélioration continue"_qs, u"Divers=Randonnée, théâtre"_qs,
                  u"Adresse1=12 rue des Lilas"_qs, u"Adresse2=Bâtiment B"_qs, u"CP=25000"_qs, u"Pays=France"_qs,
                  u"Tel=01 23 45 67 89"_qs, u"Mob=06 12 34 56 78"_qs, u"Email=helene.lefevre@example.fr"_qs,
                  u"DateNaissance=12/03/1985"_qs, u"LieuNaissance=Dole"_qs, u"Situation=Célibataire"_qs,
                  u"NbEnfants=2"_qs, u"Couleur=#1F4E79"_qs, u"CouleurClaire=#B4CDE2"_qs});
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

    // The read-backs at once, each LibreOffice in a profile of its own: the text, the document
    // as LibreOffice holds it, and its pages.
    const QString dossier = lus.path();
    QProcess texte, document, pages;
    ASSERT_TRUE(convertir(texte, u"txt:Text (encoded):UTF8"_qs, dossier + u"/profil-texte"_qs, dossier + u"/texte"_qs,
                          documentsLus));
    ASSERT_TRUE(convertir(document, u"fodt"_qs, dossier + u"/profil-fodt"_qs, dossier + u"/fodt"_qs, documentsLus));
    ASSERT_TRUE(convertir(pages, u"pdf"_qs, dossier + u"/profil-pdf"_qs, dossier + u"/pdf"_qs, documentsLus));
    for (QProcess* p : {&texte, &document, &pages}) {
        ASSERT_TRUE(p->waitForFinished(300000));
        ASSERT_EQ(p->exitCode(), 0) << p->readAll().toStdString();
    }

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

        // The photograph itself, not a link to it nor a stand-in picture.
        const QString xml = QString::fromUtf8(Outils::lireOctets(dossier + u"/fodt/"_qs + base + u".fodt"_qs));
        const QList<QByteArray> images = imagesFodt(xml);
        EXPECT_EQ(images.size(), 1) << base.toStdString();
        EXPECT_TRUE(images.size() == 1 && images[0] == photo) << base.toStdString();
        // Every column starts at the top (the photograph first), none centred down the page, and
        // the CV's light tint is there.
        EXPECT_FALSE(xml.contains(u"style:vertical-align=\"middle\""_qs)) << base.toStdString();
        EXPECT_TRUE(xml.contains(u"background-color=\"#b4cde2\""_qs, Qt::CaseInsensitive)) << base.toStdString();

        // On the page, each contact detail stands whole, apart from its neighbours.
        const QString page = textePdf(dossier + u"/pdf/"_qs + base + u".pdf"_qs);
        for (const QString& detail :
             {u"12 rue des Lilas"_qs, u"Bâtiment B"_qs, u"25000 Besançon"_qs, u"France"_qs,
              u"Téléphone : 01 23 45 67 89"_qs, u"Mobile : 06 12 34 56 78"_qs, u"helene.lefevre@example.fr"_qs,
              u"le 12/03/1985"_qs, u"à Dole"_qs, u"Célibataire"_qs, u"2 enfants"_qs}) {
            const QRegularExpression seul(u"(^|\\s)"_qs + QRegularExpression::escape(detail) + u"(\\s|$)"_qs);
            EXPECT_TRUE(seul.match(page).hasMatch()) << base.toStdString() << ": " << detail.toStdString()
                                                     << " glued or cut:\n" << page.left(900).toStdString();
        }

        // Page by page: the jobs start on the first page, each page but the last is filled past
        // its first third and ends on a detail line, not on a section's or a job's heading; every
        // detail line stands to the right of the dated lines.
        const QList<Page> pages = pagesPdf(dossier + u"/pdf/"_qs + base + u".pdf"_qs);
        ASSERT_GE(pages.size(), 2) << base.toStdString();
        EXPECT_TRUE(pages[0].texte().contains(u"Responsable qualité à Łódź"_qs)) << base.toStdString() << ":\n"
                                                                                << pages[0].texte().toStdString();
        static const QRegularExpression titre(
            u"^(\\d{4} - \\d{4} : .*|Etudes et diplômes|Expérience professionnelle|Domaines de compétences|Langues|"
            u"Divers)$"_qs,
            QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression date(u"^\\d{4} - \\d{4} : "_qs);
        static const QRegularExpression detail(u"^(Audits fournisseurs|Gestion des audits|Animation de l'équipe|Suivi des)"_qs);
        double dates = 0, details = 1e9;
        for (int i = 0; i < pages.size(); ++i) {
            SCOPED_TRACE(base.toStdString() + " page " + std::to_string(i + 1));
            const Ligne derniere = pages[i].derniere();
            if (i + 1 < pages.size()) {
                EXPECT_GT(derniere.bas, pages[i].hauteur / 3) << pages[i].texte().toStdString();
                EXPECT_FALSE(titre.match(derniere.texte).hasMatch()) << derniere.texte.toStdString();
            }
            for (const Ligne& l : pages[i].lignes) {
                if (date.match(l.texte).hasMatch())
                    dates = std::max(dates, l.gauche);
                else if (detail.match(l.texte).hasMatch())
                    details = std::min(details, l.gauche);
            }
        }
        // 40 pixels are 30 points.
        EXPECT_TRUE(dates > 0 && details < 1e9) << base.toStdString();
        EXPECT_GE(details - dates, 20) << base.toStdString();
    }
}

// The CV editor's preview with the real browser: the CV printed to a PDF file keeps its text (read
// back with pdftotext), the print preview still draws it, and what the user types into the CV
// never leads the preview, nor its print, away from the CV.
#include "cveditor/test_fenetre_cv.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QImage>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "platform/navigateur_web.h"

namespace {

using Outils::attendre;

// The text pdftotext reads from a PDF file.
QString textePdf(const QString& pdf)
{
    QProcess p;
    p.start(u"pdftotext"_qs, {u"-enc"_qs, u"UTF-8"_qs, pdf, u"-"_qs});
    if (!p.waitForFinished(60000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Answers the print dialogs of its lifetime as a user printing to a PDF file does: the printer
// "Print to File (PDF)", the file's name typed, then the dialog's print button; "Yes" when the
// dialog asks whether to replace the file.
class ImpressionDansUnFichier {
public:
    explicit ImpressionDansUnFichier(const QString& pdf)
    {
        minuterie_.setInterval(50);
        QObject::connect(&minuterie_, &QTimer::timeout, [pdf] {
            QWidget* modale = QApplication::activeModalWidget();
            if (!modale || !modale->isVisible())
                return;
            if (auto* question = qobject_cast<QMessageBox*>(modale)) {
                if (QAbstractButton* oui = question->button(QMessageBox::Yes))
                    QTest::mouseClick(oui, Qt::LeftButton);
                return;
            }
            auto* dialogue = qobject_cast<QPrintDialog*>(modale);
            if (!dialogue)
                return;
            auto* imprimantes = dialogue->findChild<QComboBox*>(u"printers"_qs);
            auto* fichier = dialogue->findChild<QLineEdit*>(u"filename"_qs);
            auto* boutons = dialogue->findChild<QDialogButtonBox*>();
            if (!imprimantes || !fichier || !boutons) {
                ADD_FAILURE() << "print dialog without its printers, file name or buttons";
                dialogue->reject();
                return;
            }
            if (fichier->text() == pdf)
                return; // already answered
            imprimantes->setCurrentIndex(imprimantes->count() - 1); // the PDF file comes last
            fichier->setFocus();
            fichier->selectAll();
            QTest::keyClick(fichier, Qt::Key_Delete);
            Outils::taper(fichier, pdf);
            // The click may open the question: it is made once this tick is over.
            QPointer<QPushButton> ok = boutons->button(QDialogButtonBox::Ok);
            QTimer::singleShot(0, [ok] {
                if (ok)
                    QTest::mouseClick(ok, Qt::LeftButton);
            });
        });
        minuterie_.start();
    }

private:
    QTimer minuterie_;
};

class ApercuCV : public TestFenetreCV {
protected:
    void SetUp() override
    {
        TestFenetreCV::SetUp();
        FauxNavigateur::desinstaller();
        ASSERT_TRUE(nav());
    }

    NavigateurWeb* nav() { return qobject_cast<NavigateurWeb*>(cv().WebBrowser1); }

    void remplir()
    {
        FormRedigerCV& f = cv();
        f.Nom->setText(u"Lefèvre-Ørsted"_qs);
        f.Prenom->setText(u"Hélène"_qs);
        f.Fonction->setText(u"Chargée de clientèle"_qs);
        f.Experiences->setPlainText(u"2018 - 2024 : Conseillère bancaire à Besançon"_qs);
        f.Etudes->setPlainText(u"2016 : Master de gestion, université de Franche-Comté"_qs);
        f.Competences->setPlainText(u"Négociation, relation client"_qs);
    }

    // The CV shown again as the user asks for it ("Actualiser"), once its page has loaded.
    void actualiser()
    {
        FormRedigerCV& f = cv();
        QSignalSpy complet(f.WebBrowser1, &Navigateur::DocumentComplete);
        QTest::mouseClick(f.Genere, Qt::LeftButton);
        ASSERT_TRUE(attendre([&] {
            for (const auto& args : complet)
                if (args.value(1).toBool() && args.value(0).toString().endsWith(u"CVtemp.html"_qs))
                    return true;
            return false;
        }));
    }

    QTemporaryDir sorties;
};

} // namespace

// The CV printed to a PDF file keeps its text, accents included, and weighs far less than the
// page drawn as a picture. The print preview still draws the page, also once the printer last
// chosen is a PDF file, and writes no file.
TEST_F(ApercuCV, ImpressionEnPdfGardeLeTexte)
{
    remplir();
    actualiser();
    const QString pdf = sorties.filePath(u"CV Hélène.pdf"_qs);
    ImpressionDansUnFichier reponses(pdf);
    principale->ImprimerCV_Click();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_TRUE(faux.dialogues->messages.isEmpty()) << faux.dialogues->textes().join(u'|').toStdString();
    const QString texte = textePdf(pdf);
    for (const QString& attendu : {u"Hélène"_qs, u"LEFÈVRE-ØRSTED"_qs, u"Chargée de clientèle"_qs,
                                   u"Conseillère bancaire à Besançon"_qs, u"Etudes et diplômes"_qs,
                                   u"Expérience professionnelle"_qs, u"Domaines de compétences"_qs})
        EXPECT_TRUE(texte.contains(attendu, Qt::CaseInsensitive)) << attendu.toStdString() << "\n"
                                                                  << texte.toStdString();

    // The same page drawn on the printer, as a picture.
    QPrinter image(QPrinter::HighResolution);
    image.setOutputFormat(QPrinter::PdfFormat);
    const QString dessin = sorties.filePath(u"dessin.pdf"_qs);
    image.setOutputFileName(dessin);
    QSignalSpy fini(nav()->vue(), &QWebEngineView::printFinished);
    nav()->vue()->print(&image);
    ASSERT_TRUE(fini.wait(120000));
    EXPECT_EQ(textePdf(dessin).trimmed(), QString());
    EXPECT_LT(QFileInfo(pdf).size() * 5, QFileInfo(dessin).size())
        << QFileInfo(pdf).size() << " " << QFileInfo(dessin).size();

    // The preview, with the PDF file as the printer last chosen.
    ASSERT_TRUE(QFile::remove(pdf));
    int pages = 0;
    QTimer minuterie;
    minuterie.setInterval(50);
    QElapsedTimer ouvert;
    QObject::connect(&minuterie, &QTimer::timeout, [&] {
        auto* apercu = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        auto* vue = apercu ? apercu->findChild<QPrintPreviewWidget*>() : nullptr;
        if (!vue)
            return;
        if (!ouvert.isValid())
            ouvert.start();
        // Closed once it shows its pages, or when they do not come.
        if (vue->pageCount() == 0 && ouvert.elapsed() < 60000)
            return;
        pages = vue->pageCount();
        QTest::keyClick(apercu, Qt::Key_Escape);
    });
    minuterie.start();
    principale->PrevisualiserCV_Click();
    minuterie.stop();
    EXPECT_GE(pages, 1);
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

// A PDF file that cannot be written (a full disk) is told in French.
TEST_F(ApercuCV, FichierPdfImpossibleSignale)
{
    remplir();
    actualiser();
    const QString pdf = u"/dev/full"_qs;
    ImpressionDansUnFichier reponses(pdf);
    principale->ImprimerCV_Click();
    ASSERT_EQ(faux.dialogues->messages.size(), 1);
    EXPECT_EQ(faux.dialogues->textes().value(0),
              u"La page n'a pas pu être enregistrée dans le fichier « /dev/full »."_qs);
}

// HTML typed into a box of the CV stays HTML, but a refresh towards another page does not take
// the preview there, nor its print.
TEST_F(ApercuCV, UnRafraichissementTapeNeQuittePasLeCV)
{
    const QString autre = sorties.filePath(u"autre.html"_qs);
    Outils::ecrireOctets(autre, "<html><body><p>Autre page</p></body></html>");
    remplir();
    FormRedigerCV& f = cv();
    f.Objectifs->setFocus();
    Outils::taper(f.Objectifs, u"Évoluer <b>vite</b><meta http-equiv=refresh content=\"0;url="_qs +
                                   adresseFichier(autre) + u"\">"_qs);
    int refusees = 0;
    QObject::connect(nav()->vue()->page(), &QWebEnginePage::loadingChanged, nav(),
                     [&](const QWebEngineLoadingInfo& info) {
                         if (info.url() == QUrl::fromLocalFile(autre) &&
                             info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                             ++refusees;
                     });
    actualiser();
    ASSERT_TRUE(page().contains(u"<b>vite</b><meta http-equiv=refresh"_qs));
    // The page asks for the other one once it has loaded.
    EXPECT_TRUE(attendre([&] { return refusees > 0; }));
    EXPECT_TRUE(nav()->LocationURL().endsWith(u"/Modeles/CVtemp.html"_qs)) << nav()->LocationURL().toStdString();
    EXPECT_TRUE(nav()->innerText().contains(u"Évoluer vite"_qs)) << nav()->innerText().toStdString();

    const QString pdf = sorties.filePath(u"cv.pdf"_qs);
    ImpressionDansUnFichier reponses(pdf);
    principale->ImprimerCV_Click();
    const QString texte = textePdf(pdf);
    EXPECT_TRUE(texte.contains(u"Hélène"_qs)) << texte.toStdString();
    EXPECT_FALSE(texte.contains(u"Autre page"_qs)) << texte.toStdString();
}

// The preview shows the CV's photograph, a file beside the page.
TEST_F(ApercuCV, LaPhotographieDuCVSAffiche)
{
    remplir();
    actualiser();
    const QString nom = cv().NomCV->text();
    ASSERT_FALSE(nom.isEmpty());
    QImage image(30, 40, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(dossier.chemin(u"Modeles/"_qs + nom + u".jpg"_qs)));
    actualiser();
    ASSERT_TRUE(page().contains(u"Photo.jpg"_qs));
    // The width of the page's picture once the engine has read it, -1 before.
    const QString script = u"(function () { var i = [].find.call(document.images, function (i) {"
                           " return /Photo\\.jpg$/.test(i.src); });"
                           " return !i ? -2 : i.complete ? i.naturalWidth : -1; })()"_qs;
    auto largeur = std::make_shared<int>(-1);
    ASSERT_TRUE(attendre([&] {
        auto lue = std::make_shared<std::optional<int>>();
        nav()->vue()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                            [lue](const QVariant& v) { *lue = v.toInt(); });
        if (!attendre([&] { return lue->has_value(); }))
            return false;
        *largeur = **lue;
        return *largeur != -1;
    }));
    EXPECT_EQ(*largeur, 30);
}

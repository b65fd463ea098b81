// The browser of this desktop, on local pages: loading, the page's text and elements, values
// written into fields, history, the page's scripts switched off, and queries that get no answer.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWebEngineScript>
#include <QImage>
#include <QWebEngineLoadingInfo>

#include "outils.h"
#include <QTest>
#include "platform/navigateur_web.h"

// Texts shown readably in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class NavigateurReel : public ::testing::Test {
protected:
    void SetUp() override
    {
        nav = std::make_unique<NavigateurWeb>();
        nav->resize(800, 600);
        nav->show();
    }

    QString page(const QString& nom, const QString& html)
    {
        const QString chemin = dossier.filePath(nom);
        Outils::ecrireOctets(chemin, html.toUtf8());
        return chemin;
    }

    // Navigates and waits for the page's own document-complete signal.
    bool charger(const QString& adresse)
    {
        QSignalSpy complet(nav.get(), &Navigateur::DocumentComplete);
        nav->Navigate(adresse);
        return attendrePrincipal(complet);
    }

    static bool attendrePrincipal(QSignalSpy& complet, int ms = 20000)
    {
        QElapsedTimer chrono;
        chrono.start();
        for (;;) {
            for (const auto& args : complet)
                if (args.value(1).toBool())
                    return true;
            const int reste = ms - int(chrono.elapsed());
            if (reste <= 0 || !complet.wait(reste))
                return false;
        }
    }

    QString titre() const { return nav->vue()->page()->title(); }

    // Clicks, as a user does, in the middle of the page's element of that id.
    void cliquer(const QString& id)
    {
        const QPoint p = centre(id);
        QTest::mouseClick(nav->vue()->focusProxy(), Qt::LeftButton, {}, p);
    }

    // The middle of the page's element of that id, in the view.
    QPoint centre(const QString& id)
    {
        QVariantList centre;
        bool repondu = false;
        nav->vue()->page()->runJavaScript(
            u"(function(){var r=document.getElementById(%1).getBoundingClientRect();"
            "return [r.left + r.width / 2, r.top + r.height / 2];})()"_qs.arg(u'\'' + id + u'\''),
            QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
                centre = v.toList();
                repondu = true;
            });
        QElapsedTimer chrono;
        chrono.start();
        while (!repondu && chrono.elapsed() < 10000)
            QTest::qWait(10);
        EXPECT_EQ(centre.size(), 2) << id.toStdString();
        return centre.size() == 2 ? QPoint(centre[0].toInt(), centre[1].toInt()) : QPoint();
    }

    QTemporaryDir dossier;
    std::unique_ptr<NavigateurWeb> nav;
};

const QString Formulaire = QStringLiteral(
    "<!DOCTYPE html><html><head><meta charset='utf-8'><title>Formulaire</title></head>"
    "<body><p id='intro'>Postulez ici : Hélène</p>"
    "<form name='candidature'>"
    "<input name='nom' id='champNom' value='Lebrun'>"
    "<input name='email'>"
    "<textarea name='message'>Bonjour</textarea>"
    "<input type='password' name='motdepasse'>"
    "</form></body></html>");

} // namespace

TEST_F(NavigateurReel, PageLocaleChargeeEtLue)
{
    EXPECT_EQ(nav->LocationURL(), u"about:blank"_qs);
    const QString chemin = page(u"formulaire.html"_qs, Formulaire);

    QSignalSpy complet(nav.get(), &Navigateur::DocumentComplete);
    nav->Navigate(chemin);
    EXPECT_NE(nav->ReadyState(), EtatPage::Complet);
    ASSERT_TRUE(attendrePrincipal(complet));
    EXPECT_EQ(nav->ReadyState(), EtatPage::Complet);
    EXPECT_EQ(nav->LocationURL(), adresseFichier(chemin));
    EXPECT_EQ(complet.first().value(0).toString(), adresseFichier(chemin));

    EXPECT_TRUE(nav->innerText().contains(u"Postulez ici : Hélène"_qs)) << nav->innerText().toStdString();
    EXPECT_TRUE(nav->innerHTML().contains(u"<p id=\"intro\">"_qs)) << nav->innerHTML().toStdString();

    ASSERT_TRUE(charger(u"about:blank"_qs));
    EXPECT_EQ(nav->LocationURL(), u"about:blank"_qs);
    EXPECT_EQ(nav->innerText(), QString());
}

TEST_F(NavigateurReel, ElementsDansLOrdreDuDocument)
{
    ASSERT_TRUE(charger(page(u"formulaire.html"_qs, Formulaire)));
    const QList<ElementPage> tous = nav->elements();
    QStringList balises;
    for (const ElementPage& e : tous)
        balises << e.balise;
    EXPECT_EQ(balises, (QStringList{u"HTML"_qs, u"HEAD"_qs, u"META"_qs, u"TITLE"_qs, u"BODY"_qs, u"P"_qs,
                                    u"FORM"_qs, u"INPUT"_qs, u"INPUT"_qs, u"TEXTAREA"_qs, u"INPUT"_qs}));

    // A paragraph has an id but no name and no value; a field has all three.
    const auto p = nav->element(5);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->id, u"intro"_qs);
    EXPECT_FALSE(p->nom);
    EXPECT_FALSE(p->valeur);
    const auto nom = nav->element(7);
    ASSERT_TRUE(nom);
    EXPECT_EQ(nom->nom, u"nom"_qs);
    EXPECT_EQ(nom->id, u"champNom"_qs);
    EXPECT_EQ(nom->valeur, u"Lebrun"_qs);
    EXPECT_EQ(nav->element(8)->valeur, QString()); // an empty field has an empty value
    EXPECT_FALSE(nav->element(8)->id);
    EXPECT_EQ(nav->elementNomme(u"message"_qs)->valeur, u"Bonjour"_qs);

    EXPECT_FALSE(nav->element(11));
    EXPECT_FALSE(nav->element(1000));
    EXPECT_FALSE(nav->element(-1));
    EXPECT_FALSE(nav->elementNomme(u"absent"_qs));
}

TEST_F(NavigateurReel, ValeursEcritesTellesQuelles)
{
    ASSERT_TRUE(charger(page(u"formulaire.html"_qs, Formulaire)));
    EXPECT_TRUE(nav->fixerValeur(8, u"helene@exemple.fr"_qs));
    EXPECT_EQ(nav->element(8)->valeur, u"helene@exemple.fr"_qs);

    // Quotes, backslashes, line breaks and a closing script tag reach the field unchanged and
    // run nothing.
    const QString piege = u"Madame\r\n\"); document.title = 'pirate'; (\"\\' </script>\u2028fin"_qs;
    EXPECT_TRUE(nav->fixerValeurNommee(u"message"_qs, piege));
    QString lu = nav->elementNomme(u"message"_qs)->valeur.value_or(QString());
    lu.replace(u"\n"_qs, u"\r\n"_qs); // a text area keeps its line breaks as LF
    EXPECT_EQ(lu, piege);
    EXPECT_EQ(titre(), u"Formulaire"_qs);

    // A paragraph has no value to write; positions past the end are refused.
    EXPECT_FALSE(nav->fixerValeur(5, u"x"_qs));
    EXPECT_FALSE(nav->fixerValeur(500, u"x"_qs));
    EXPECT_FALSE(nav->fixerValeurNommee(u"absent"_qs, u"x"_qs));
    EXPECT_TRUE(nav->innerText().contains(u"Postulez ici"_qs));
}

TEST_F(NavigateurReel, SelectionEtHistorique)
{
    const QString a = page(u"a.html"_qs, u"<html><body><p>Page A</p></body></html>"_qs);
    const QString b = page(u"b.html"_qs, u"<html><body><p>Page B</p></body></html>"_qs);
    ASSERT_TRUE(charger(a));
    EXPECT_EQ(nav->selection(), QString());
    nav->toutSelectionner();
    QElapsedTimer chrono;
    chrono.start();
    while (nav->selection().isEmpty() && chrono.elapsed() < 10000)
        QTest::qWait(20);
    EXPECT_TRUE(nav->selection().contains(u"Page A"_qs));

    ASSERT_TRUE(charger(b));
    QSignalSpy complet(nav.get(), &Navigateur::DocumentComplete);
    nav->GoBack();
    ASSERT_TRUE(attendrePrincipal(complet));
    EXPECT_EQ(nav->LocationURL(), adresseFichier(a));
    EXPECT_TRUE(nav->innerText().contains(u"Page A"_qs));

    complet.clear();
    nav->GoForward();
    ASSERT_TRUE(attendrePrincipal(complet));
    EXPECT_EQ(nav->LocationURL(), adresseFichier(b));

    complet.clear();
    nav->Refresh();
    ASSERT_TRUE(attendrePrincipal(complet));
    EXPECT_EQ(nav->ReadyState(), EtatPage::Complet);
}

// A page's text and its selection come with CR LF line ends, as the program's other texts and
// the advertisement analyser have them: a line break of the page ends a line of the analysis.
TEST_F(NavigateurReel, TexteEtSelectionEnLignesCRLF)
{
    const QString a = page(u"lignes.html"_qs,
                           u"<html><body><p>Référence : MAG-7731<br>Contrat : CDI</p><p>Lieu : Brest</p></body></html>"_qs);
    ASSERT_TRUE(charger(a));
    auto lignesCRLF = [](const QString& t) {
        for (int i = 0; i < t.size(); ++i)
            if ((t.at(i) == u'\n' && (i == 0 || t.at(i - 1) != u'\r')) ||
                (t.at(i) == u'\r' && (i + 1 == t.size() || t.at(i + 1) != u'\n')))
                return false;
        return true;
    };
    const QString texte = nav->innerText();
    EXPECT_TRUE(texte.contains(u"MAG-7731\r\nContrat : CDI"_qs)) << texte.toStdString();
    EXPECT_TRUE(lignesCRLF(texte)) << texte.toStdString();
    nav->toutSelectionner();
    QElapsedTimer chrono;
    chrono.start();
    while (nav->selection().isEmpty() && chrono.elapsed() < 10000)
        QTest::qWait(20);
    const QString selection = nav->selection();
    EXPECT_TRUE(selection.contains(u"MAG-7731\r\nContrat : CDI"_qs)) << selection.toStdString();
    EXPECT_TRUE(lignesCRLF(selection)) << selection.toStdString();
}

// A page asked for while the blank page is still loading, and that cannot be reached: the engine
// reports the end of the blank page only. That end is the end of the page asked for, whose
// address it gives, and never the blank page's: the register would show "about:blank" in its
// address box in place of the address just chosen.
TEST_F(NavigateurReel, FinDUnePageRemplaceeParUneAutre)
{
    const QString c = page(u"c.html"_qs, u"<html><body><p>Page C</p></body></html>"_qs);
    auto* page = nav->findChild<QWebEngineView*>()->page();
    for (int essai = 0; essai < 3; ++essai) {
        QSignalSpy debut(page, &QWebEnginePage::loadStarted);
        nav->Navigate(u"about:blank"_qs);
        ASSERT_TRUE(debut.wait(10000) || !debut.isEmpty());
        QSignalSpy complet(nav.get(), &Navigateur::DocumentComplete);
        const QString injoignable = u"http://127.0.0.1:9/offres"_qs;
        nav->Navigate(injoignable);
        ASSERT_TRUE(attendrePrincipal(complet)) << essai;
        for (const auto& args : complet)
            if (args.value(1).toBool()) {
                EXPECT_EQ(args.value(0).toString(), injoignable) << essai;
                break;
            }
        EXPECT_EQ(nav->ReadyState(), EtatPage::Complet);
        EXPECT_EQ(nav->LocationURL(), injoignable);
        // A local page then keeps its own address (the engine may give the page's data instead).
        ASSERT_TRUE(charger(c));
        EXPECT_EQ(nav->LocationURL(), adresseFichier(c)) << essai;
    }
}

// A local page shown after a page that could not be reached keeps its own address: the
// capture writes it as the advertisement's web address.
TEST_F(NavigateurReel, PageLocaleApresUnePageInjoignable)
{
    const QString c = page(u"c.html"_qs, u"<html><body><p>Page C</p></body></html>"_qs);
    ASSERT_TRUE(charger(u"http://127.0.0.1:9/offres"_qs));
    ASSERT_TRUE(charger(c));
    EXPECT_EQ(nav->LocationURL(), adresseFichier(c));
    EXPECT_TRUE(nav->innerText().contains(u"Page C"_qs));
}

TEST_F(NavigateurReel, ScriptsDeLaPageCoupes)
{
    const QString html = u"<html><head><title>Avant</title></head><body><p>CV</p>"
                         "<script>document.title = 'Script';</script>"
                         "<img src='absente.png' onerror=\"document.title = 'Image'\">"
                         "<p onclick=\"document.title = 'Clic'\" id='cible'>texte</p></body></html>"_qs;
    const QString chemin = page(u"cv.html"_qs, html);

    // With scripts on, the page changes its title: the test page is not inert by itself.
    ASSERT_TRUE(charger(chemin));
    EXPECT_NE(titre(), u"Avant"_qs);

    nav->fixerScriptsPage(false);
    ASSERT_TRUE(charger(chemin));
    QTest::qWait(200);
    EXPECT_EQ(titre(), u"Avant"_qs);
    // The queries still answer.
    EXPECT_TRUE(nav->innerText().contains(u"texte"_qs));
    ASSERT_TRUE(nav->element(4));
    EXPECT_EQ(nav->elements().size(), 8);
}

TEST_F(NavigateurReel, CadresSignalesAvantLaPage)
{
    page(u"cadre.html"_qs, u"<html><body>dans le cadre</body></html>"_qs);
    const QString chemin = page(u"page.html"_qs, u"<html><body><iframe src='cadre.html'></iframe></body></html>"_qs);
    nav->fixerFichiersLocaux(true); // a local page's frame of a file beside it
    for (const bool scripts : {true, false}) {
        nav->fixerScriptsPage(scripts);
        QSignalSpy complet(nav.get(), &Navigateur::DocumentComplete);
        nav->Navigate(chemin);
        ASSERT_TRUE(attendrePrincipal(complet));
        ASSERT_EQ(complet.size(), 2) << scripts;
        EXPECT_FALSE(complet.first().value(1).toBool());
        EXPECT_TRUE(complet.first().value(0).toString().endsWith(u"cadre.html"_qs));
        EXPECT_EQ(complet.last().value(0).toString(), adresseFichier(chemin));
    }
}

TEST_F(NavigateurReel, UnNavigateurCacheRepondDesLaFinDuChargement)
{
    // The register's web panel is hidden when it loads its blank page: its end-of-load handler
    // reads the page at once, and the answer comes within the wait, not after it.
    nav->hide();
    nav->fixerDelaiReponse(3000);
    QStringList lus;
    QObject::connect(nav.get(), &Navigateur::DocumentComplete, nav.get(), [&](const QString&, bool principal) {
        if (principal)
            lus << nav->innerText();
    });
    ASSERT_TRUE(charger(page(u"formulaire.html"_qs, Formulaire)));
    ASSERT_EQ(lus.size(), 1);
    EXPECT_TRUE(lus[0].contains(u"Postulez ici"_qs)) << lus[0].toStdString();

    // The same from a handler that was itself put off until the load was over.
    lus.clear();
    QObject::connect(nav.get(), &Navigateur::DocumentComplete, nav.get(), [&](const QString&, bool principal) {
        if (principal)
            QMetaObject::invokeMethod(nav.get(), [&] { lus << nav->innerHTML(); }, Qt::QueuedConnection);
    });
    ASSERT_TRUE(charger(page(u"autre.html"_qs, u"<html><body><p>Deuxième page</p></body></html>"_qs)));
    for (int i = 0; i < 200 && lus.size() < 2; ++i)
        QTest::qWait(50);
    ASSERT_EQ(lus.size(), 2);
    for (const QString& l : lus)
        EXPECT_TRUE(l.contains(u"Deuxième page"_qs)) << l.toStdString();
}

TEST_F(NavigateurReel, PageQuiNeRepondPasNeBloquePas)
{
    const QString chemin = page(u"boucle.html"_qs,
                                u"<html><body><p>début</p><script>document.title = 'boucle'; for(;;){}</script></body></html>"_qs);
    nav->fixerDelaiReponse(300);
    // The page has entered its loop once it has given its title.
    nav->Navigate(chemin);
    ASSERT_TRUE(Outils::attendre([&] { return nav->vue()->page()->title() == u"boucle"_qs; }));
    QElapsedTimer chrono;
    chrono.start();
    EXPECT_EQ(nav->innerText(), QString());
    EXPECT_FALSE(nav->element(0));
    EXPECT_FALSE(nav->fixerValeur(0, u"x"_qs));
    EXPECT_LT(chrono.elapsed(), 10000);
    EXPECT_NE(nav->ReadyState(), EtatPage::Complet);
}

TEST_F(NavigateurReel, ImpressionDansUnFichier)
{
    ASSERT_TRUE(charger(page(u"formulaire.html"_qs, Formulaire)));
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dossier.filePath(u"cv.pdf"_qs);
    imprimante.setOutputFileName(pdf);
    EXPECT_TRUE(nav->imprimerSur(imprimante));
    EXPECT_TRUE(Outils::lireOctets(pdf).startsWith("%PDF"));
}

// The register's browser goes where the page leads; the CV preview shows only the pages the
// program asks for: a refresh, a link, a link to a new window or a script leave it on its page.
TEST_F(NavigateurReel, LaPageNeMeneAilleursQueSiCestPermis)
{
    const QString autre = page(u"autre.html"_qs, u"<html><body><p>Autre page</p></body></html>"_qs);
    const QString liens = u"<p>CV de Hélène</p><p><a id='lien' href='autre.html'>lien</a></p>"
                          "<p><a id='fenetre' href='autre.html' target='_blank'>fenêtre</a></p>"
                          "<p><button id='script' onclick=\"location.href='autre.html'\">script</button></p>"_qs;
    const QString simple = page(u"liens.html"_qs, u"<html><body>"_qs + liens + u"</body></html>"_qs);
    const QString rafraichie = page(u"rafraichie.html"_qs, u"<html><body>"_qs + liens +
                                                               u"<meta http-equiv=refresh content='0;url=autre.html'>"
                                                               "</body></html>"_qs);
    auto* moteur = nav->vue()->page();
    for (const bool permise : {true, false}) {
        nav->fixerNavigationParLaPage(permise);
        for (const QString& action : {QString(), u"lien"_qs, u"fenetre"_qs, u"script"_qs}) {
            SCOPED_TRACE((action + (permise ? u" permise"_qs : u" refusee"_qs)).toStdString());
            const QString depart = action.isEmpty() ? rafraichie : simple;
            // The ends of the loads of the other page, gone there or refused: one when the page
            // may lead there; else one for the refresh and one for the script, which the page
            // asks for and is refused (a link leads nowhere from the start). A refused script
            // run after the action tells that the page has handled what came before.
            int autreFinie = 0;
            const int attendues = permise ? 1 : action.isEmpty() || action == u"script" ? 2 : 1;
            QObject lien;
            QObject::connect(moteur, &QWebEnginePage::loadingChanged, &lien, [&](const QWebEngineLoadingInfo& info) {
                if (info.url() == QUrl::fromLocalFile(autre) && info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                    ++autreFinie;
            });
            ASSERT_TRUE(charger(depart));
            QSignalSpy complet(nav.get(), &Navigateur::DocumentComplete);
            if (!action.isEmpty())
                cliquer(action);
            if (!permise)
                cliquer(u"script"_qs);
            QElapsedTimer chrono;
            chrono.start();
            while (autreFinie < attendues && chrono.elapsed() < 20000)
                QTest::qWait(10);
            ASSERT_EQ(autreFinie, attendues);
            if (permise) {
                EXPECT_EQ(nav->LocationURL(), adresseFichier(autre));
                EXPECT_EQ(nav->innerText().trimmed(), u"Autre page"_qs);
            } else {
                EXPECT_EQ(nav->LocationURL(), adresseFichier(depart));
                EXPECT_TRUE(nav->innerText().contains(u"CV de Hélène"_qs));
                // Nothing was loaded.
                EXPECT_EQ(nav->ReadyState(), EtatPage::Complet);
                EXPECT_TRUE(complet.isEmpty());
            }
        }
    }
    // The pages asked for still show, and the history moves between them.
    ASSERT_TRUE(charger(autre));
    QSignalSpy retour(nav.get(), &Navigateur::DocumentComplete);
    nav->GoBack();
    ASSERT_TRUE(attendrePrincipal(retour));
    EXPECT_EQ(nav->LocationURL(), adresseFichier(simple));
}

// The CV preview shows the page again as the user leaves a box by a click in the preview: that
// click, on a link of the page shown, leaves the page asked for to load and show.
TEST_F(NavigateurReel, UnLienCliqueNAnnulePasLaPageDemandee)
{
    page(u"autre.html"_qs, u"<html><body><p>Autre page</p></body></html>"_qs);
    const QString cv = page(u"cv.html"_qs, u"<html><body><p><a id='lien' href='autre.html'>lien</a></p></body></html>"_qs);
    const QString nouvelle = page(u"nouvelle.html"_qs, u"<html><body><p>Nouvelle version</p></body></html>"_qs);
    nav->fixerNavigationParLaPage(false);
    for (int essai = 0; essai < 5; ++essai) {
        ASSERT_TRUE(charger(cv));
        const QPoint lien = centre(u"lien"_qs);
        QSignalSpy complet(nav.get(), &Navigateur::DocumentComplete);
        nav->Navigate(nouvelle);
        QTest::mouseClick(nav->vue()->focusProxy(), Qt::LeftButton, {}, lien);
        ASSERT_TRUE(attendrePrincipal(complet)) << essai;
        EXPECT_EQ(nav->LocationURL(), adresseFichier(nouvelle)) << essai;
        EXPECT_EQ(nav->innerText().trimmed(), u"Nouvelle version"_qs) << essai;
    }
}

TEST(NavigateurCree, FabriqueRemplacable)
{
    std::unique_ptr<Navigateur> reel(Navigateur::creer());
    EXPECT_NE(dynamic_cast<NavigateurWeb*>(reel.get()), nullptr);
    Navigateur::fixerFabrique([](QWidget*) -> Navigateur* { return nullptr; });
    EXPECT_EQ(Navigateur::creer(), nullptr);
    Navigateur::fixerFabrique({});
    std::unique_ptr<Navigateur> encore(Navigateur::creer());
    EXPECT_NE(dynamic_cast<NavigateurWeb*>(encore.get()), nullptr);
}

TEST_F(NavigateurReel, CodagesDesPagesDuProgramme)
{
    // The program's pages are Windows-1252, or UTF-8 when a text needs it, without a declared charset.
    const QString texte = u"Hélène Œuvre €"_qs;
    const QString cp1252 = dossier.filePath(u"cp1252.html"_qs);
    Outils::ecrireOctets(cp1252, QByteArray("<html><body><p>H\xe9l\xe8ne \x8cuvre \x80</p></body></html>"));
    ASSERT_TRUE(charger(cp1252));
    EXPECT_EQ(nav->innerText().trimmed(), texte);

    const QString utf8 = page(u"utf8.html"_qs, u"<html><body><p>Łukasz Hélène 😀</p></body></html>"_qs);
    ASSERT_TRUE(charger(utf8));
    EXPECT_EQ(nav->innerText().trimmed(), u"Łukasz Hélène 😀"_qs);
}

TEST_F(NavigateurReel, ImagesRelativesEtRelectureDuFichier)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(dossier.filePath(u"Photo.jpg"_qs)));
    const QString chemin = page(u"cv.html"_qs, u"<html><body><p>un</p><img src='Photo.jpg'></body></html>"_qs);
    nav->fixerFichiersLocaux(true);
    ASSERT_TRUE(charger(chemin));
    QVariant largeur;
    nav->vue()->page()->runJavaScript(u"document.images[0].naturalWidth"_qs, QWebEngineScript::ApplicationWorld,
                                      [&](const QVariant& v) { largeur = v; });
    QElapsedTimer chrono;
    chrono.start();
    while (!largeur.isValid() && chrono.elapsed() < 10000)
        QTest::qWait(10);
    EXPECT_EQ(largeur.toInt(), 40);

    // Refresh shows what the file holds now.
    page(u"cv.html"_qs, u"<html><body><p>deux</p></body></html>"_qs);
    QSignalSpy complet(nav.get(), &Navigateur::DocumentComplete);
    nav->Refresh();
    ASSERT_TRUE(attendrePrincipal(complet));
    EXPECT_EQ(nav->innerText().trimmed(), u"deux"_qs);
}

TEST_F(NavigateurReel, PageDemandeeAvantLaFinDeLaPrecedenteMontreeSousSonAdresse)
{
    // As the CV editor does when a CV is opened: the blank page asked for at its load, then at
    // once the rendered page, with the page's scripts off and its local files allowed. The page
    // is shown as its file, its picture beside it, and read again from that file on Refresh.
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(dossier.filePath(u"Photo.jpg"_qs)));
    const QString chemin = dossier.filePath(u"CVtemp.html"_qs);
    Outils::ecrireOctets(chemin, "<html><head><meta charset=\"windows-1252\"></head>"
                                 "<body><p>H\xe9l\xe8ne</p><img src='Photo.jpg'></body></html>\r\n");
    nav->fixerScriptsPage(false);
    nav->fixerFichiersLocaux(true);
    QSignalSpy complet(nav.get(), &Navigateur::DocumentComplete);
    QSignalSpy debut(nav->vue()->page(), &QWebEnginePage::loadStarted);
    nav->Navigate(u"about:blank"_qs);
    ASSERT_TRUE(debut.wait(20000));
    nav->Navigate(chemin);
    // The blank page may report its own end first; the browser is complete once the file's
    // page has ended, and that is the last one reported.
    QElapsedTimer chrono;
    chrono.start();
    while (nav->ReadyState() != EtatPage::Complet && chrono.elapsed() < 20000)
        QTest::qWait(10);
    ASSERT_EQ(nav->ReadyState(), EtatPage::Complet);
    ASSERT_FALSE(complet.isEmpty());
    EXPECT_EQ(complet.last().value(0).toString(), adresseFichier(chemin));
    EXPECT_EQ(nav->LocationURL(), adresseFichier(chemin));
    EXPECT_EQ(nav->innerText().trimmed(), u"Hélène"_qs);
    QVariant largeur;
    nav->vue()->page()->runJavaScript(u"document.images[0].naturalWidth"_qs, QWebEngineScript::ApplicationWorld,
                                      [&](const QVariant& v) { largeur = v; });
    chrono.restart();
    while (!largeur.isValid() && chrono.elapsed() < 10000)
        QTest::qWait(10);
    EXPECT_EQ(largeur.toInt(), 40);

    Outils::ecrireOctets(chemin, "<html><body><p>Ir\xe8ne</p></body></html>\r\n");
    complet.clear();
    nav->Refresh();
    ASSERT_TRUE(attendrePrincipal(complet));
    EXPECT_EQ(nav->LocationURL(), adresseFichier(chemin));
    EXPECT_EQ(nav->innerText().trimmed(), u"Irène"_qs);
}

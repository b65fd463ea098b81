// "Préremplir les champs": the identity into the page's form, on the fake browser and on the
// real one with a local form page.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTest>

#include "banc.h"
#include "cveditor/formrediger_cv.h"
#include "platform/attente.h"
#include "register/web/preremplissage.h"
#include "shell/mainwindow/principale.h"

namespace {

ElementPage champ(const QString& nom, const QString& valeur = u"x"_qs)
{
    return {u"INPUT"_qs, nom, std::nullopt, valeur};
}

using Outils::attendre;

bool attendrePage(Navigateur& nav)
{
    return attendre([&] { return nav.ReadyState() == EtatPage::Complet; });
}

// The value of each field of the page, by name ("#" and its id for one without a name).
QMap<QString, std::optional<QString>> valeurs(Navigateur& nav)
{
    QMap<QString, std::optional<QString>> v;
    for (const ElementPage& e : nav.elements())
        v.insert(e.nom.value_or(u"#"_qs + e.id.value_or(e.balise)), e.valeur);
    return v;
}

} // namespace

TEST(Preremplissage, IdentiteDeLaFenetrePrincipaleEtLettreDeLEnvoi)
{
    Banc b(true);
    Principale& p = Forme<Principale>();
    p.Nom->setText(u"Martin"_qs);
    p.Email->setText(u"e.martin@exemple.fr"_qs);
    FaussePage page;
    page.elements = {champ(u"nom"_qs), champ(u"nom"_qs), champ(u"message"_qs), champ(u"mail"_qs)};
    b.nav().pages.insert(u"http://www.offres.fr/f"_qs, page);
    b.f->CadreWeb->Naviguer(u"http://www.offres.fr/f"_qs);

    // Through the label's click, as the user does it.
    QLabel* label = b.capture().Label2;
    QMouseEvent relache(QEvent::MouseButtonRelease, QPointF(2, 2), label->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(label, &relache);
    QList<ElementPage> e = b.nav().pageCourante().elements;
    EXPECT_EQ(e.at(0).valeur, u"x"_qs); // the first element is never visited
    EXPECT_EQ(e.at(1).valeur, u"Martin"_qs);
    EXPECT_EQ(e.at(2).valeur, u"x"_qs); // no sending window shown: no letter, the message field keeps its text
    EXPECT_EQ(e.at(3).valeur, u"e.martin@exemple.fr"_qs);

    FausseFenetreEnvoi* envoi = FausseFenetreEnvoi::charger(true);
    envoi->Texte->setPlainText(u"Madame,\nMa lettre."_qs);
    EXPECT_EQ(Preremplissage::IdentiteCourante().lettre, u"Madame,\nMa lettre."_qs);
    envoi->hide();
    EXPECT_TRUE(Preremplissage::IdentiteCourante().lettre.isEmpty());
}

TEST(Preremplissage, MilleElementsAuPlusEtRienSansPage)
{
    Banc b;
    FauxNavigateur& nav = b.nav();
    Preremplissage::Identite id;
    id.nom = u"Martin"_qs;
    EXPECT_EQ(Preremplissage::Preremplir(nav, id), 0); // about:blank: nothing, no failure
    FaussePage page;
    for (int i = 0; i <= 1001; ++i)
        page.elements << champ(u"nom"_qs);
    page.elements[500] = {u"P"_qs, std::nullopt, u"nom"_qs, std::nullopt}; // a paragraph: no value
    nav.pages.insert(u"http://www.offres.fr/long"_qs, page);
    nav.Navigate(u"http://www.offres.fr/long"_qs);
    EXPECT_EQ(Preremplissage::Preremplir(nav, id), 999);
    const QList<ElementPage>& e = nav.pageCourante().elements;
    EXPECT_EQ(e.at(1000).valeur, u"Martin"_qs);
    EXPECT_EQ(e.at(1001).valeur, u"x"_qs); // past the thousandth: never reached
    EXPECT_EQ(e.at(500).valeur, std::nullopt);
}

TEST(Preremplissage, FormulaireLocalDansLeVraiNavigateur)
{
    Banc b(false, true);
    Navigateur& nav = *b.f->CadreWeb->WebBrowser1;
    const QString chemin = b.dossier.chemin(u"formulaire.html"_qs);
    Outils::ecrireOctets(chemin, QByteArrayLiteral(
        "<html><body><form>"
        "<input name='nom' value='ancien'><input name='prenom'><input id='ville'>"
        "<input type='password' name='motdepasse' value='secret'>"
        "<textarea name='message'>ancien</textarea><p id='nom'>paragraphe</p>"
        "<input type='submit' name='recherche' value='Chercher'>"
        "</form></body></html>"));
    nav.Navigate(chemin);
    ASSERT_TRUE(attendrePage(nav));

    Preremplissage::Identite id;
    id.nom = u"O'Brien \"Jr\" \\ </script>"_qs; // quotes, backslash, a closing tag: written as they are
    id.prenom = u"Élodie"_qs;
    id.ville = u"Saint-Malo"_qs;
    id.fonction = u"Comptable"_qs;
    id.lettre = u"Madame,\nligne deux"_qs;
    Preremplissage::Preremplir(nav, id);

    const QMap<QString, std::optional<QString>> v = valeurs(nav);
    EXPECT_EQ(v.value(u"nom"_qs), id.nom);
    EXPECT_EQ(v.value(u"prenom"_qs), u"Élodie"_qs);
    EXPECT_EQ(v.value(u"#ville"_qs), u"Saint-Malo"_qs);
    EXPECT_EQ(v.value(u"motdepasse"_qs), u"secret"_qs);
    EXPECT_EQ(v.value(u"message"_qs), u"Madame,\nligne deux"_qs);
    EXPECT_EQ(v.value(u"recherche"_qs), u"Comptable"_qs);
    EXPECT_TRUE(nav.innerText().contains(u"paragraphe"_qs));
    EXPECT_EQ(nav.LocationURL(), adresseFichier(chemin)); // nothing submitted
}

// A user who has just written a first CV: before anything is known of it, "Préremplir les
// champs" says so and leaves the form's values; once the editor has saved it, its identity goes
// into the form, and a part the CV lacks leaves its field as the page had it.
TEST(Preremplissage, IdentiteDuCVEnregistreDansUnFormulaireRempli)
{
    Banc b(true, true);
    QDir().mkpath(u"Modeles"_qs);
    const QDir livres(QStringLiteral(KERVAL_DONNEES_SOURCE) + u"/Modeles"_qs);
    for (const QString& f : livres.entryList(QDir::Files))
        QFile::copy(livres.filePath(f), b.dossier.chemin(u"Modeles/"_qs + f));
    Principale& p = Forme<Principale>();
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    FormCand& registre = *b.f;
    registre.parentWidget()->show();
    ASSERT_TRUE(attendre([&] { return p.Espace->activeSubWindow() == registre.parentWidget(); }));

    const QString chemin = b.dossier.chemin(u"inscription.html"_qs);
    Outils::ecrireOctets(chemin, QByteArrayLiteral(
        "<html><body><h3>Offre : soudeur H/F - CDI - Lieu : Brest - Salaire selon profil et expérience</h3>"
        "<h2>Postuler</h2><form>"
        "<input name='nom' value='Dupont'><input name='prenom' value='Jean'><input name='ville' value='Brest'>"
        "<input name='telephone' value='02 98 00 00 00'><input name='recherche' value='soudeur'>"
        "<textarea name='message'>Bonjour</textarea>"
        "</form></body></html>"));
    const QMap<QString, std::optional<QString>> avant{
        {u"nom"_qs, u"Dupont"_qs}, {u"prenom"_qs, u"Jean"_qs}, {u"ville"_qs, u"Brest"_qs},
        {u"telephone"_qs, u"02 98 00 00 00"_qs}, {u"recherche"_qs, u"soudeur"_qs}, {u"message"_qs, u"Bonjour"_qs}};
    // The page's address typed into the application's web address, which a click opens.
    QTest::mouseClick(registre.www, Qt::LeftButton);
    Outils::taper(registre.www, adresseFichier(chemin));
    QTest::mouseClick(registre.www, Qt::LeftButton);
    Navigateur& nav = *registre.CadreWeb->WebBrowser1;
    ASSERT_TRUE(attendre([&] { return nav.LocationURL() == adresseFichier(chemin) && nav.ReadyState() == EtatPage::Complet; }));
    ASSERT_TRUE(registre.CadreWeb->isVisible());
    // An advertisement's page: the browser slides down and uncovers the capture bar.
    auto preremplir = [&] {
        QLabel* l = b.capture().Label2;
        ASSERT_TRUE(attendre([&] { return registre.CadreWeb->FrameWeb->y() > l->geometry().bottom(); }));
        ASSERT_TRUE(l->isVisible());
        QTest::mouseClick(l, Qt::LeftButton, Qt::NoModifier, l->rect().center());
    };

    // No CV yet: nothing is known, and the page keeps its values.
    preremplir();
    EXPECT_EQ(b.messages(),
              QStringList{u"Aucune identité n'est connue pour préremplir les champs : rédigez ou ouvrez d'abord un CV."_qs});
    auto lus = valeurs(nav);
    for (auto it = avant.begin(); it != avant.end(); ++it)
        EXPECT_EQ(lus.value(it.key()), it.value()) << it.key().toStdString();

    // A first CV, its identity typed into the editor; leaving the box shows it and saves it.
    FormRedigerCV& cv = Forme<FormRedigerCV>();
    cv.parentWidget()->show();
    ASSERT_TRUE(attendre([&] { return p.Espace->activeSubWindow() == cv.parentWidget(); }));
    QTest::mouseClick(cv.Identite->viewport(), Qt::LeftButton, Qt::NoModifier, cv.Identite->viewport()->rect().center());
    Outils::taper(cv.Identite, u"Mélanie LEBRUN\n12 rue des Écoles\n35000 Rennes\nmelanie.lebrun@exemple.fr"_qs);
    QTest::keyClick(cv.Identite, Qt::Key_Tab);
    ASSERT_TRUE(attendre([&] { return QFileInfo::exists(b.dossier.chemin(u"CV/Lebrun Melanie.dat"_qs)); }));
    EXPECT_EQ(p.Nom->text(), u"LEBRUN"_qs);
    EXPECT_EQ(p.Prenom->text(), u"Mélanie"_qs);
    EXPECT_TRUE(p.Fonction->text().isEmpty());

    // Back in the register's web panel: the identity into the page; the job title and the
    // telephone, which the CV does not give, and the letter, the sending window being closed,
    // leave their fields alone.
    registre.parentWidget()->show();
    static_cast<QMdiSubWindow*>(registre.parentWidget())->mdiArea()->setActiveSubWindow(
        static_cast<QMdiSubWindow*>(registre.parentWidget()));
    ASSERT_TRUE(attendre([&] { return p.Espace->activeSubWindow() == registre.parentWidget(); }));
    preremplir();
    EXPECT_TRUE(b.messages().isEmpty());
    lus = valeurs(nav);
    EXPECT_EQ(lus.value(u"nom"_qs), u"LEBRUN"_qs);
    EXPECT_EQ(lus.value(u"prenom"_qs), u"Mélanie"_qs);
    EXPECT_EQ(lus.value(u"ville"_qs), u"Rennes"_qs);
    EXPECT_EQ(lus.value(u"telephone"_qs), u"02 98 00 00 00"_qs);
    EXPECT_EQ(lus.value(u"recherche"_qs), u"soudeur"_qs);
    EXPECT_EQ(lus.value(u"message"_qs), u"Bonjour"_qs);
}

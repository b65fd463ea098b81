// "Préremplir les champs": the identity into the page's form, on the fake browser and on the
// real one with a local form page.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include "banc.h"
#include "platform/attente.h"
#include "register/web/preremplissage.h"
#include "shell/mainwindow/principale.h"

namespace {

ElementPage champ(const QString& nom, const QString& valeur = u"x"_qs)
{
    return {u"INPUT"_qs, nom, std::nullopt, valeur};
}

bool attendrePage(Navigateur& nav)
{
    QElapsedTimer chrono;
    chrono.start();
    while (nav.ReadyState() != EtatPage::Complet && chrono.elapsed() < 20000)
        QTest::qWait(20);
    return nav.ReadyState() == EtatPage::Complet;
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
    EXPECT_EQ(e.at(2).valeur, u""_qs);  // no sending window shown: the message field is emptied
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

    QMap<QString, std::optional<QString>> valeurs;
    for (const ElementPage& e : nav.elements())
        valeurs.insert(e.nom.value_or(u"#"_qs + e.id.value_or(e.balise)), e.valeur);
    EXPECT_EQ(valeurs.value(u"nom"_qs), id.nom);
    EXPECT_EQ(valeurs.value(u"prenom"_qs), u"Élodie"_qs);
    EXPECT_EQ(valeurs.value(u"#ville"_qs), u"Saint-Malo"_qs);
    EXPECT_EQ(valeurs.value(u"motdepasse"_qs), u"secret"_qs);
    EXPECT_EQ(valeurs.value(u"message"_qs), u"Madame,\nligne deux"_qs);
    EXPECT_EQ(valeurs.value(u"recherche"_qs), u"Comptable"_qs);
    EXPECT_TRUE(nav.innerText().contains(u"paragraphe"_qs));
    EXPECT_EQ(nav.LocationURL(), adresseFichier(chemin)); // nothing submitted
}

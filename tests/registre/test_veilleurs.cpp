// The window's 500 ms watchers: an advertisement pasted into the description, and an
// advertisement open in an outside browser.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "fenetre_registre.h"
#include "register/web/cadre_web.h"

namespace {

QString texteDe(int n, QChar c = u'x') { return QString(n, c); }

TEST(VeilleurCollage, AnalyseApresPlusDeCinquanteCaracteresDepuisLaDerniereAnalyse)
{
    FenetreRegistre r;
    FormCand& f = *r.f;

    // 60 characters pasted into an empty description: analysed at the next tick.
    f.Description->setPlainText(texteDe(60));
    f.Timer1_Timer();
    EXPECT_EQ(f.DernierTexteAnalyse, f.champ(u"Description"_qs));
    const QString apresPremiere = f.DernierTexteAnalyse;

    // 30 more: not yet.
    f.Description->setPlainText(apresPremiere + texteDe(30, u'y'));
    f.Timer1_Timer();
    EXPECT_EQ(f.DernierTexteAnalyse, apresPremiere);

    // 21 more after that, 51 more than the last analysis left: analysed.
    f.Description->setPlainText(apresPremiere + texteDe(51, u'y'));
    f.Timer1_Timer();
    EXPECT_EQ(f.DernierTexteAnalyse, f.champ(u"Description"_qs));

    // Exactly 50 more is not enough.
    const QString base = f.DernierTexteAnalyse;
    f.Description->setPlainText(base + texteDe(50, u'z'));
    f.Timer1_Timer();
    EXPECT_EQ(f.DernierTexteAnalyse, base);
}

TEST(VeilleurFenetreExterieure, ProposeDeRapatrierUneAdresseVueDansUnNavigateurExterieur)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    CadreWeb& web = *f.CadreWeb;

    // Panel hidden: nothing is looked at.
    r.plateforme.titres->liste = {u"Terminal"_qs, u"http://emploi.exemple.fr/offre/12 - Navigateur"_qs};
    f.Timer1_Timer();
    EXPECT_TRUE(web.Label3->isHidden());
    EXPECT_TRUE(web.Text1->text().isEmpty());

    f.Action_Click(4);
    f.Timer1_Timer();
    EXPECT_EQ(web.Text1->text(), u"http://emploi.exemple.fr/offre/12"_qs);
    EXPECT_FALSE(web.Label3->isHidden());

    // The click loads the address (the title up to its first blank); the label stays.
    web.Label3_Click();
    EXPECT_EQ(web.AdresseWeb->text(), u"http://emploi.exemple.fr/offre/12"_qs);
    EXPECT_EQ(web.LocationURL(), u"http://emploi.exemple.fr/offre/12"_qs);
    f.Timer1_Timer();
    EXPECT_FALSE(web.Label3->isHidden());

    // A title with no blank leaves the address found before; another address shows the label.
    r.plateforme.titres->liste = {u"http://sans-blanc.exemple.fr"_qs};
    f.Timer1_Timer();
    EXPECT_EQ(web.Text1->text(), u"http://emploi.exemple.fr/offre/12"_qs);
    r.plateforme.titres->liste = {u"https://autre.exemple.fr/annonce?id=7 Autre annonce"_qs};
    f.Timer1_Timer();
    EXPECT_EQ(web.Text1->text(), u"https://autre.exemple.fr/annonce?id=7"_qs);
    EXPECT_FALSE(web.Label3->isHidden());

    // Only an empty address hides the label.
    web.Text1->clear();
    r.plateforme.titres->liste.clear();
    f.Timer1_Timer();
    EXPECT_TRUE(web.Label3->isHidden());
}

} // namespace

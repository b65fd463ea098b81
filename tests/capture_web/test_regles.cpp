// The pure rules of the capture and of the pre-fill: glued words, page score and gauge, the
// follow-up address, and which identity part each form field receives.
#include <gtest/gtest.h>

#include "register/capture/regles_capture.h"
#include "register/capture/vocabulaire_annonce.h"
#include "register/web/preremplissage_regles.h"
#include "support/outils.h"

using namespace Capture;

namespace {

// A text holding the first n advertisement words and the first m job names, among filler.
QString page(int mots, int metiers)
{
    // Words of the list that hold no other word of it ("REFERENCE" holds "REF").
    static const QStringList distincts = {
        u"LIEU"_qs,   u"SALAIRE"_qs, u"EXPERIENCE"_qs, u"POSTULER"_qs, u"PROFIL"_qs, u"QUALIFICATION"_qs,
        u"DUREE"_qs,  u"DEPLACEMENTS"_qs, u"SECTEUR"_qs, u"LETTRE"_qs, u"CDI"_qs, u"CDD"_qs,
        u"CNE"_qs,    u"REGION"_qs, u"STATUT"_qs, u"RECHERCHER"_qs};
    QString t = u"Bienvenue "_qs;
    for (int i = 0; i < mots; ++i)
        t += distincts.at(i).toLower() + u" zzz "_qs;
    for (int i = 0; i < metiers; ++i)
        t += Annonce::ListeMetiers().at(i).toLower() + u", "_qs;
    return t + u"fin"_qs;
}

} // namespace

TEST(ReglesCapture, MotsCollesParLaMiseEnPage)
{
    EXPECT_EQ(SeparerMotsColles(u"posteIngénieur CDI"_qs), u"poste Ingénieur CDI"_qs);
    // Two capitals, a capital then a small letter, accented letters: left as they are.
    EXPECT_EQ(SeparerMotsColles(u"CDI Paris éÉ àB"_qs), u"CDI Paris éÉ àB"_qs);
    EXPECT_EQ(SeparerMotsColles(u"aBcD"_qs), u"a BcD"_qs); // the last pair lies past the first length
    EXPECT_EQ(SeparerMotsColles(u"ab"_qs), u"ab"_qs);
    EXPECT_EQ(SeparerMotsColles(QString()), QString());
    // The positions looked at stop at the first length: a text of glued pairs keeps its tail.
    EXPECT_EQ(SeparerMotsColles(u"aAaAaA"_qs), u"a Aa AaA"_qs);
}

TEST(ReglesCapture, ScoreEtJaugeDeLaPage)
{
    const auto jauge = [](int mots, int metiers, const QString& adresse = u"http://www.offres.fr/1"_qs) {
        return JaugePage(NoterPage(page(mots, metiers), adresse));
    };
    EXPECT_EQ(NoterPage(page(5, 0), {}).score, 5);
    EXPECT_EQ(jauge(5, 0).largeur, 250);
    EXPECT_TRUE(jauge(5, 0).barreVisible);
    EXPECT_FALSE(jauge(4, 0).barreVisible);
    EXPECT_EQ(jauge(4, 0).largeur, 1);
    EXPECT_EQ(jauge(12, 0).largeur, 700);   // 12 gives 14
    EXPECT_EQ(jauge(16, 0).largeur, 800);   // past 15, no bonus
    EXPECT_EQ(jauge(11, 0).largeur, 650);
    EXPECT_EQ(jauge(10, 0).largeur, 500);
    const ScorePage liste = NoterPage(page(12, 10), {});
    EXPECT_EQ(liste.metiers, 10);
    EXPECT_EQ(liste.score, 6);
    EXPECT_EQ(JaugePage(liste).largeur, 150); // halved twice: the score and the width
    EXPECT_EQ(JaugePage(NoterPage(page(11, 10), {})).largeur, 138); // 5.5, shown 137.5 wide
    EXPECT_EQ(NoterPage(page(12, 9), {}).score, 12);
    // A search engine's page scores nothing.
    EXPECT_EQ(jauge(16, 0, u"https://www."_qs + Annonce::DomaineMoteurRecherche() + u".fr/search?q=cdi"_qs).largeur, 1);
    // A job name counts only as a whole word, not at the very start or end of the text.
    EXPECT_EQ(NoterPage(u"agents agent"_qs, {}).metiers, 0);
    EXPECT_EQ(NoterPage(u"un agent ici"_qs, {}).metiers, 1);
    // Only the first 32000 characters are read.
    EXPECT_EQ(NoterPage(QString(32000, QLatin1Char('x')) + u" OFFRE CDI CDD SALAIRE LIEU"_qs, {}).score, 0);
    EXPECT_EQ(NoterPage(QString(), {}).score, 0);
}

TEST(ReglesCapture, AdresseDeLaPageDeSuite)
{
    const QString site = u"http://www."_qs + Annonce::DomaineSiteSuivi() + u".fr/offre/123"_qs;
    const QString html = QString(150, QLatin1Char('.')) + u"<a href=\"/MesCoord.aspx?id=7\" onclick=ForwardToCoordEntreprise()>"_qs;
    EXPECT_EQ(AdressePageSuivante(html, site, {}),
              u"http://www."_qs + Annonce::DomaineSiteSuivi() + u".fr/MesCoord.aspx?id=7"_qs);
    EXPECT_EQ(AdressePageSuivante(html, site, u"75001"_qs), std::nullopt);      // postal code known
    EXPECT_EQ(AdressePageSuivante(html, u"http://www.autre.fr/x"_qs, {}), std::nullopt);
    // A link the page does not give completely: no follow-up, no failure.
    EXPECT_EQ(AdressePageSuivante(html.mid(120), site, {}), std::nullopt); // marker too near the start
    QString sansMes = html;
    sansMes.replace(u"/Mes"_qs, u"/Vos"_qs);
    EXPECT_EQ(AdressePageSuivante(sansMes, site, {}), std::nullopt);
    EXPECT_EQ(AdressePageSuivante(QString(150, QLatin1Char('.')) + u"/Mes ForwardToCoordEntreprise"_qs, site, {}),
              std::nullopt); // no closing quote
    EXPECT_EQ(AdressePageSuivante(html, u"http://www."_qs + Annonce::DomaineSiteSuivi() + u".com/x"_qs, {}),
              std::nullopt); // no "fr/" in the address
    // A link starting exactly a hundred characters before the marker is still found.
    const QString juste = QString(10, QLatin1Char('.')) + u"/Mesx\""_qs + QString(94, QLatin1Char('-')) +
                          u"ForwardToCoordEntreprise"_qs;
    EXPECT_EQ(AdressePageSuivante(juste, site, {}), u"http://www."_qs + Annonce::DomaineSiteSuivi() + u".fr/Mesx"_qs);
}

// Golden cases: an identity and the names (or ids) of a page's fields, and what each receives.
TEST(ReglesPreremplissage, CasDeReference)
{
    const QStringList dossiers = Outils::dossiersCas(u"preremplissage"_qs);
    ASSERT_FALSE(dossiers.isEmpty());
    for (const QString& dossier : dossiers) {
        SCOPED_TRACE(dossier.toStdString());
        const QMap<QString, QString> v = Outils::lireValeurs(Outils::lireCas(dossier, u"identite.txt"_qs));
        Preremplissage::Identite id{v.value(u"Nom"_qs),   v.value(u"Prénom"_qs), v.value(u"Adresse1"_qs),
                                    v.value(u"CP"_qs),    v.value(u"Ville"_qs),  v.value(u"Tel"_qs),
                                    v.value(u"Email"_qs), v.value(u"Fonction"_qs), v.value(u"Lettre"_qs)};
        QStringList obtenu;
        for (const QString& ligne : Outils::lireCas(dossier, u"champs.txt"_qs).split(u'\n')) {
            const QString champ = QString(ligne).remove(u'\r');
            if (champ.isEmpty())
                continue;
            // "name" or "#id" (an element without a name); "!" before it: an element with no value.
            QString cle = champ;
            const bool sansValeur = cle.startsWith(u'!');
            if (sansValeur)
                cle.remove(0, 1);
            ElementPage e;
            if (cle.startsWith(u'#'))
                e.id = cle.mid(1);
            else
                e.nom = cle;
            if (!sansValeur)
                e.valeur = u"ancien"_qs;
            const auto valeur = Preremplissage::ValeurPourElement(e, id);
            obtenu << champ + u" -> "_qs + (valeur ? u"\""_qs + *valeur + u"\""_qs : u"(inchangé)"_qs);
        }
        // A multi-line value stands on several lines of the expected file.
        const QString attendu = Outils::lireCas(dossier, u"attendu.txt"_qs).remove(u'\r').trimmed();
        EXPECT_EQ(obtenu.join(u'\n').remove(u'\r'), attendu);
    }
}

#include <gtest/gtest.h>

#include <QString>
#include <ostream>

// Texts shown readably when a comparison fails.
static void PrintTo(const QString& t, std::ostream* os) { *os << '"' << t.toStdString() << '"'; }

#include "cveditor/identite.h"
#include "support/outils.h"

using Identite::Boites;

namespace {
const QDate Aujourdhui(2024, 6, 15);

Boites lire(const QString& bloc, const Boites& avant = {}, const QDate& aujourdhui = Aujourdhui)
{
    const Identite::Analyse a = Identite::analyser(bloc, avant, aujourdhui);
    EXPECT_TRUE(a.faite);
    return a.boites;
}
} // namespace

TEST(Identite, CasDeReference)
{
    const QStringList cas = Outils::dossiersCas(u"identite"_qs);
    ASSERT_FALSE(cas.isEmpty());
    for (const QString& dossier : cas) {
        SCOPED_TRACE(dossier.toStdString());
        // The block as pasted: CR LF line ends, without the line end that closes the file.
        QString bloc = Outils::lireCas(dossier, u"identite.txt"_qs);
        bloc.replace(u"\r\n"_qs, u"\n"_qs);
        if (bloc.endsWith(u'\n'))
            bloc.chop(1);
        bloc.replace(u'\n', u"\r\n"_qs);
        const Boites avant = Outils::lireValeurs(Outils::lireCas(dossier, u"avant.txt"_qs));
        const QString jour = Outils::lireCas(dossier, u"aujourdhui.txt"_qs, u"15/06/2024"_qs).trimmed();
        const QDate aujourdhui = QDate::fromString(jour, u"dd/MM/yyyy"_qs);
        ASSERT_TRUE(aujourdhui.isValid()) << jour.toStdString();

        const Boites attendu = Outils::lireValeurs(Outils::lireCas(dossier, u"attendu.txt"_qs));
        const Boites obtenu = Identite::analyser(bloc, avant, aujourdhui).boites;
        for (const QString& b : Identite::boites() + QStringList{u"Identite"_qs})
            EXPECT_EQ(obtenu.value(b), attendu.value(b)) << b.toStdString();
        for (const QString& b : attendu.keys())
            EXPECT_TRUE(Identite::boites().contains(b) || b == u"Identite") << "inconnue : " << b.toStdString();
    }
}

TEST(Identite, NomsAdressesEtAges)
{
    // A name on the third line is no name; the label words are taken out of the block first,
    // and one pass over the double blanks leaves three of the six.
    EXPECT_EQ(lire(u"12 rue de la Paix\r\n75001 Paris\r\nPaul Exemple"_qs).value(u"Nom"_qs), QString());
    Boites b = lire(u"Nom : Prénom : Marc Aubert"_qs);
    EXPECT_EQ(b.value(u"Prénom"_qs), u"Marc"_qs);
    EXPECT_EQ(b.value(u"Nom"_qs), u"Aubert"_qs);
    EXPECT_EQ(b.value(u"Identite"_qs), u"   Marc Aubert"_qs);
    // A street word without a number; a short postcode line leaves the town empty; 300 is no number of a street.
    b = lire(u"Paul Exemple\r\nRésidence Les Pins, allée B\r\n06000\r\n300 chemin haut"_qs);
    EXPECT_EQ(b.value(u"Adresse1"_qs), u"Résidence Les Pins allée B"_qs);
    EXPECT_EQ(b.value(u"CP"_qs), u"06000"_qs);
    EXPECT_EQ(b.value(u"Ville"_qs), QString());
    // "ans" must be at least the third word; a date needs three words after "né".
    EXPECT_EQ(lire(u"Paul Exemple\r\n25 ans"_qs).value(u"Age"_qs), QString());
    EXPECT_EQ(lire(u"Paul Exemple\r\nNé le 12/05/1980"_qs).value(u"DateNaissance"_qs), QString());
    // The words are read only while Adresse1 or Age is empty.
    b = lire(u"Paul Exemple\r\nNé le 12/05/1980 à Lyon"_qs, {{u"Age"_qs, u"30"_qs}, {u"Adresse1"_qs, u"1 rue X"_qs}});
    EXPECT_EQ(b.value(u"DateNaissance"_qs), QString());
}

TEST(Identite, RegleDeLAge)
{
    using Identite::ageApresDate;
    EXPECT_EQ(ageApresDate({}, u"12/05/1980"_qs, Aujourdhui), u"44"_qs);
    EXPECT_EQ(ageApresDate(u"5"_qs, u"12/06/1980"_qs, Aujourdhui), u"44"_qs);
    EXPECT_EQ(ageApresDate(u"5"_qs, u"16/06/1980"_qs, Aujourdhui), u"44"_qs); // 365-day periods, not birthdays
    EXPECT_EQ(ageApresDate(u"30"_qs, u"12/05/1980"_qs, Aujourdhui), u"30"_qs);
    EXPECT_EQ(ageApresDate(u"81"_qs, u"12/05/1980"_qs, Aujourdhui), u"44"_qs);
    // A year still being typed is no date yet, though it reads as one (2001, 2019).
    EXPECT_EQ(ageApresDate(u"12"_qs, u"12/05/1"_qs, Aujourdhui), u"12"_qs);
    EXPECT_EQ(ageApresDate({}, u"12/05/19"_qs, Aujourdhui), QString());
    EXPECT_EQ(ageApresDate({}, u"1980-05-1"_qs, Aujourdhui), QString());
    EXPECT_EQ(ageApresDate({}, u"1980-05-12"_qs, Aujourdhui), u"44"_qs);
    EXPECT_EQ(ageApresDate(u"12"_qs, u"12/05"_qs, Aujourdhui), u"12"_qs);
    EXPECT_EQ(ageApresDate(u"12"_qs, {}, Aujourdhui), u"12"_qs);
}

TEST(Identite, TelephonesEtCourriel)
{
    Boites b = lire(u"Paul Exemple\r\n06 12 34 56 78\r\nMobile: 07 00 00 00 00"_qs);
    EXPECT_EQ(b.value(u"Tel"_qs), u"06 12 34 56 78"_qs);
    EXPECT_EQ(b.value(u"Mob"_qs), u" 07 00 00 00 00"_qs);
    // Letters "mail" in the address stay; label words and other words around it go.
    EXPECT_EQ(lire(u"Paul Exemple\r\nEmail : Mail.Paul@Gmail.com"_qs).value(u"Email"_qs), u"mail.paul@gmail.com"_qs);
    EXPECT_EQ(lire(u"Paul Exemple\r\nAdresse e-mail : paul@courriel.fr (perso)"_qs).value(u"Email"_qs), u"paul@courriel.fr"_qs);
}

TEST(Identite, BlocVideEtRien)
{
    const Identite::Analyse a = Identite::analyser(u"  "_qs, {{u"Nom"_qs, u"X"_qs}}, Aujourdhui);
    EXPECT_FALSE(a.faite);
    EXPECT_EQ(a.boites.value(u"Nom"_qs), u"X"_qs);
    // Long, odd or binary blocks never fail.
    QString bruit;
    for (int i = 0; i < 5000; ++i)
        bruit += QChar(char16_t((i * 7919) % 0xD000 + 1));
    bruit += u"\r\n\r\nné le\r\nNE LE X\r\n@ @\r\n 1 \r\n"_qs + QString(100000, u'9');
    EXPECT_TRUE(Identite::analyser(bruit, {}, Aujourdhui).faite);
}

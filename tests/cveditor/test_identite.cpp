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

TEST(Identite, RegleDuNom)
{
    // One word only, a name on the third line: no name.
    EXPECT_EQ(lire(u"Exemple\r\n12 rue X"_qs).value(u"Nom"_qs), QString());
    EXPECT_EQ(lire(u"12 rue de la Paix\r\n75001 Paris\r\nPaul Exemple"_qs).value(u"Nom"_qs), QString());
    // The second line may hold the name; a name already there is kept.
    Boites b = lire(u"Curriculum\r\nAnne  Lefort "_qs);
    EXPECT_EQ(b.value(u"Prénom"_qs), u"Anne"_qs);
    EXPECT_EQ(b.value(u"Nom"_qs), u"Lefort"_qs);
    b = lire(u"Paul Exemple"_qs, {{u"Nom"_qs, u"DURAND"_qs}, {u"Prénom"_qs, u"Luc"_qs}});
    EXPECT_EQ(b.value(u"Nom"_qs), u"DURAND"_qs);
    EXPECT_EQ(b.value(u"Prénom"_qs), u"Luc"_qs);
    // The label words are taken out of the block first.
    b = lire(u"Nom : Prénom : Marc Aubert"_qs);
    EXPECT_EQ(b.value(u"Prénom"_qs), u"Marc"_qs);
    EXPECT_EQ(b.value(u"Nom"_qs), u"Aubert"_qs);
    // Six blanks are left where the labels and colons were; one pass of the double blanks leaves three.
    EXPECT_EQ(b.value(u"Identite"_qs), u"   Marc Aubert"_qs);
}

TEST(Identite, AdresseEtCodePostal)
{
    // A street line at the end of the block, or followed by a postcode: no second line.
    Boites b = lire(u"Paul Exemple\r\n12 rue de la Paix"_qs);
    EXPECT_EQ(b.value(u"Adresse1"_qs), u"12 rue de la Paix"_qs);
    EXPECT_EQ(b.value(u"Adresse2"_qs), QString());
    b = lire(u"Paul Exemple\r\n12 rue de la Paix\r\n75001 Paris"_qs);
    EXPECT_EQ(b.value(u"Adresse2"_qs), QString());
    // A street word without a number; a short postcode line leaves the town empty.
    b = lire(u"Paul Exemple\r\nRésidence Les Pins, allée B\r\n06000"_qs);
    EXPECT_EQ(b.value(u"Adresse1"_qs), u"Résidence Les Pins allée B"_qs);
    EXPECT_EQ(b.value(u"CP"_qs), u"06000"_qs);
    EXPECT_EQ(b.value(u"Ville"_qs), QString());
    // 300 and more is not a street number.
    EXPECT_EQ(lire(u"A B\r\n300 chemin haut"_qs).value(u"Adresse1"_qs), QString());
}

TEST(Identite, AgeEtNaissance)
{
    EXPECT_EQ(lire(u"Paul Exemple\r\nAgé de 25 ans"_qs).value(u"Age"_qs), u"25"_qs);
    EXPECT_EQ(lire(u"Paul Exemple\r\n25 ans"_qs).value(u"Age"_qs), QString());
    Boites b = lire(u"Paul Exemple\r\nNé le 12/05/1980 à Lyon"_qs);
    EXPECT_EQ(b.value(u"DateNaissance"_qs), u"12/05/1980"_qs);
    EXPECT_EQ(b.value(u"Age"_qs), u"44"_qs);
    // Nothing after the date: no date.
    EXPECT_EQ(lire(u"Paul Exemple\r\nNé le 12/05/1980"_qs).value(u"DateNaissance"_qs), QString());
    // An age already from 15 to 80 is kept.
    // The word rule runs only while Adresse1 or Age is empty.
    b = lire(u"Paul Exemple\r\nNé le 12/05/1980 à Lyon"_qs, {{u"Age"_qs, u"30"_qs}, {u"Adresse1"_qs, u"1 rue X"_qs}});
    EXPECT_EQ(b.value(u"DateNaissance"_qs), QString());
    b = lire(u"Paul Exemple\r\nNée le 12/05/1980 à Lyon"_qs, {{u"Age"_qs, u"30"_qs}, {u"Adresse1"_qs, QString()}});
    EXPECT_EQ(b.value(u"Age"_qs), u"30"_qs);
    EXPECT_EQ(b.value(u"DateNaissance"_qs), u"12/05/1980"_qs);
}

TEST(Identite, RegleDeLAge)
{
    using Identite::ageApresDate;
    EXPECT_EQ(ageApresDate({}, u"12/05/1980"_qs, Aujourdhui), u"44"_qs);
    EXPECT_EQ(ageApresDate(u"5"_qs, u"12/06/1980"_qs, Aujourdhui), u"44"_qs);
    EXPECT_EQ(ageApresDate(u"5"_qs, u"16/06/1980"_qs, Aujourdhui), u"44"_qs); // 365-day periods, not birthdays
    EXPECT_EQ(ageApresDate(u"30"_qs, u"12/05/1980"_qs, Aujourdhui), u"30"_qs);
    EXPECT_EQ(ageApresDate(u"81"_qs, u"12/05/1980"_qs, Aujourdhui), u"44"_qs);
    EXPECT_EQ(ageApresDate(u"12"_qs, u"12/05/19"_qs, Aujourdhui), u"5"_qs); // a partial year already reads as a date
    EXPECT_EQ(ageApresDate(u"12"_qs, u"12/05"_qs, Aujourdhui), u"12"_qs);
    EXPECT_EQ(ageApresDate(u"12"_qs, {}, Aujourdhui), u"12"_qs);
}

TEST(Identite, Telephones)
{
    Boites b = lire(u"Paul Exemple\r\n06 12 34 56 78"_qs);
    EXPECT_EQ(b.value(u"Tel"_qs), u"06 12 34 56 78"_qs);
    EXPECT_EQ(b.value(u"Mob"_qs), QString());
    b = lire(u"Paul Exemple\r\nPortable 06 12 34 56 78\r\nMobile: 07 00 00 00 00\r\nDomicile : 01 00 00 00 00"_qs);
    EXPECT_EQ(b.value(u"Mob"_qs), u" 07 00 00 00 00"_qs);
    EXPECT_EQ(b.value(u"Tel"_qs), u"  01 00 00 00 00"_qs);
    // A first line of a label and a number is not a name, but it is a telephone.
    b = lire(u"Tél 01 23 45 67 89\r\nX"_qs);
    EXPECT_EQ(b.value(u"Nom"_qs), QString());
    EXPECT_EQ(b.value(u"Prénom"_qs), QString());
    EXPECT_EQ(b.value(u"Tel"_qs), u" 01 23 45 67 89"_qs);
}

TEST(Identite, AdresseElectronique)
{
    // Letters "mail" in the address stay; label words and other words around it go.
    EXPECT_EQ(lire(u"Paul Exemple\r\nEmail : Mail.Paul@Gmail.com"_qs).value(u"Email"_qs), u"mail.paul@gmail.com"_qs);
    EXPECT_EQ(lire(u"Paul Exemple\r\nAdresse e-mail : paul@courriel.fr (perso)"_qs).value(u"Email"_qs), u"paul@courriel.fr"_qs);
    EXPECT_EQ(lire(u"Paul Exemple\r\nmailto:paul@exemple.fr"_qs).value(u"Email"_qs), u"paul@exemple.fr"_qs);
    EXPECT_EQ(lire(u"Paul Exemple\r\n@"_qs).value(u"Email"_qs), u"@"_qs);
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

TEST(Identite, EnQuittantLesBoites)
{
    using Identite::rangerEnQuittant;
    EXPECT_EQ(rangerEnQuittant(u"Ville"_qs, u"paris"_qs), u"Paris"_qs);
    EXPECT_EQ(rangerEnQuittant(u"Ville"_qs, u"p"_qs), u"p"_qs);
    EXPECT_EQ(rangerEnQuittant(u"Ville"_qs, u"élancourt"_qs), u"Élancourt"_qs);
    EXPECT_EQ(rangerEnQuittant(u"Pays"_qs, u"france"_qs), u"France"_qs);
    EXPECT_EQ(rangerEnQuittant(u"Nom"_qs, u"exemple"_qs), u"EXEMPLE"_qs);
    EXPECT_EQ(rangerEnQuittant(u"Nom"_qs, u"hélène"_qs), u"HÉLÈNE"_qs);
    EXPECT_EQ(rangerEnQuittant(u"Prénom"_qs, u"jean-PIERRE"_qs), u"Jean-pierre"_qs);
    EXPECT_EQ(rangerEnQuittant(u"Prénom"_qs, u"j"_qs), u"j"_qs);
    EXPECT_EQ(rangerEnQuittant(u"Adresse1"_qs, u"12 RUE DE LA PAIX"_qs), u"12 Rue De La Paix"_qs);
    EXPECT_EQ(rangerEnQuittant(u"LieuNaissance"_qs, u"lyon"_qs), u"Lyon"_qs);
    EXPECT_EQ(rangerEnQuittant(u"Adresse2"_qs, u"bât b"_qs), u"bât b"_qs);
}

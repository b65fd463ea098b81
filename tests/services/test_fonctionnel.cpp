#include <gtest/gtest.h>

#include "shell/services/fonctionnel.h"
#include "support/outils.h"

using namespace Fonctionnel;

TEST(Fonctionnel, MajusculesSansAccentsGardeLesAutresMarques)
{
    EXPECT_EQ(MajusculesSansAccents(u"Hélène à l'école"_qs), u"HELENE A L'ECOLE"_qs);
    EXPECT_EQ(MajusculesSansAccents(u"François"_qs), u"FRANÇOIS"_qs);
    EXPECT_EQ(MajusculesSansAccents(u"Noël"_qs), u"NOËL"_qs);
    EXPECT_EQ(MajusculesSansAccents(u"île bûche ôter"_qs), u"ÎLE BUCHE OTER"_qs);
    EXPECT_EQ(MajusculesSansAccents(u"maïs où"_qs), u"MAIS OÙ"_qs);
}

TEST(Fonctionnel, NormaliserTexte)
{
    EXPECT_EQ(NormaliserTexte(u"  Jean-Pierre (Bac+2)  "_qs), u"JEAN PIERRE BAC 2"_qs);
    EXPECT_EQ(NormaliserTexte(u"ligne 1\r\nligne 2"_qs), u"LIGNE 1 . LIGNE 2"_qs);
    EXPECT_EQ(NormaliserTexte(u"François"_qs), u"FRAN OIS"_qs);
    EXPECT_EQ(NormaliserTexte(u"12/05/2020"_qs), u"12/05/2020"_qs);
    EXPECT_EQ(NormaliserTexte(QString()), QString());
    EXPECT_EQ(NormaliserTexte(u"\t\n  "_qs), QString());
    // A lone carriage return still carries its full stop.
    EXPECT_EQ(NormaliserTexte(u"a\rb"_qs), u"A . B"_qs);
}

TEST(Fonctionnel, NormaliserTexteLaisseLesTresLonguesSuitesDeBlancs)
{
    // Ten halving passes reduce at most 1024 blanks to one; 1025 leave two.
    EXPECT_EQ(NormaliserTexte(u"A"_qs + QString(1024, u' ') + u"B"_qs), u"A B"_qs);
    EXPECT_EQ(NormaliserTexte(u"A"_qs + QString(1025, u' ') + u"B"_qs), u"A  B"_qs);
    EXPECT_EQ(NormaliserTexte(u"A"_qs + QString(3000, u'-') + u"B"_qs), u"A   B"_qs);
}

TEST(Fonctionnel, FormaterNomPropre)
{
    EXPECT_EQ(FormaterNomPropre(u"jean-pierre DE LA FONTAINE"_qs), u"Jean-pierre De La Fontaine"_qs);
    EXPECT_EQ(FormaterNomPropre(u" x"_qs), u" X"_qs);
    EXPECT_EQ(FormaterNomPropre(u"éLODIE d'ARC"_qs), u"Élodie D'arc"_qs);
    EXPECT_EQ(FormaterNomPropre(QString()), QString());
    // The length never changes, even for letters whose upper case is two letters.
    EXPECT_EQ(FormaterNomPropre(u"ßa"_qs).size(), 2);
}

TEST(Fonctionnel, EstPrenomFeminin)
{
    for (const char16_t* p : {u"Sophie", u"Chloé", u"Anne", u"Agnès", u"Brigitte", u"Isabelle", u"Mathilde",
                              u"Marie-Claude", u"Laura", u"Sarah"})
        EXPECT_TRUE(EstPrenomFeminin(QString::fromUtf16(p))) << QString::fromUtf16(p).toStdString();
    for (const char16_t* p : {u"Jean-Marie", u"Jeanne", u"Manon", u"Marc", u"Pierre", u"", u"Sophie ", u"Éric"})
        EXPECT_FALSE(EstPrenomFeminin(QString::fromUtf16(p))) << QString::fromUtf16(p).toStdString();
}

TEST(Fonctionnel, NumeroMois)
{
    EXPECT_EQ(NumeroMois(u"janvier"_qs), 1);
    EXPECT_EQ(NumeroMois(u"Février"_qs), 2);
    EXPECT_EQ(NumeroMois(u"août"_qs), 8);
    EXPECT_EQ(NumeroMois(u"décembre"_qs), 12);
    EXPECT_EQ(NumeroMois(u"juin"_qs), 6);
    EXPECT_EQ(NumeroMois(u"juillet"_qs), 6);
    EXPECT_EQ(NumeroMois(u"xyz"_qs), 0);
    EXPECT_EQ(NumeroMois(u"de"_qs), 12);
    EXPECT_EQ(NumeroMois(QString()), 1);
    // A piece across two entries rounds half to even: "N F" starts at 3 -> 1.5 -> 2.
    EXPECT_EQ(NumeroMois(u"n f"_qs), 2);
}

TEST(Fonctionnel, Dates)
{
    EXPECT_TRUE(EstDateValide(QString()));
    EXPECT_TRUE(EstDateValide(u"15/03/2024"_qs));
    EXPECT_TRUE(EstDateValide(u"1/3/24"_qs));
    EXPECT_FALSE(EstDateValide(u"bonjour"_qs));
    EXPECT_FALSE(EstDateValide(u"31/02/2024"_qs));
    EXPECT_FALSE(EstDateValide(u"15/13/2024"_qs));
    EXPECT_EQ(LireDate(u"05/04/2023"_qs), QDate(2023, 4, 5));
    EXPECT_EQ(LireDate(u"05/04/95"_qs), QDate(1995, 4, 5));
    EXPECT_EQ(EcrireDate(QDate(2024, 3, 5)), u"05/03/2024"_qs);
}

TEST(Fonctionnel, DatesDansChaqueLocale)
{
    struct Cas {
        QLocale locale;
        const char* nom;
    };
    const QList<Cas> locales = {
        {QLocale::c(), "C"},
        {QLocale(u"POSIX"_qs), "POSIX"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "en_US"},
        {QLocale(QLocale::German, QLocale::Germany), "de_DE"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), "en_GB"},
        {QLocale(QLocale::French, QLocale::France), "fr_FR"},
        {QLocale(QLocale::Swedish, QLocale::Sweden), "sv_SE"},
        {QLocale(QLocale::Arabic, QLocale::Egypt), "ar_EG"},
    };
    const QList<QDate> jours = {QDate(1925, 6, 1), QDate(1999, 12, 31), QDate(2026, 12, 9),
                                QDate(2030, 1, 15), QDate(2069, 7, 4),   QDate(2024, 2, 29)};
    for (const Cas& c : locales) {
        const LocaleTemporaire locale(c.locale);
        for (const QDate& jour : jours) {
            const QString texte = EcrireDate(jour);
            EXPECT_EQ(LireDate(texte), jour) << c.nom << " " << texte.toStdString();
            EXPECT_TRUE(EstDateValide(texte)) << c.nom << " " << texte.toStdString();
        }
    }
    // A short format with a two-digit year or a month name is not used; one that reads back is.
    for (const char* nom : {"C", "en_US", "de_DE", "fr_FR", "en_GB"}) {
        const LocaleTemporaire locale{QLocale(QString::fromLatin1(nom))};
        EXPECT_EQ(EcrireDate(QDate(2026, 12, 9)), u"09/12/2026"_qs) << nom;
        // What the user types is read in the same order as what is written.
        EXPECT_EQ(LireDate(u"09/12/2026"_qs), QDate(2026, 12, 9)) << nom;
        EXPECT_EQ(LireDate(u"1/3/24"_qs), QDate(2024, 3, 1)) << nom;
    }
    {
        const LocaleTemporaire locale(QLocale(QLocale::Swedish, QLocale::Sweden));
        EXPECT_EQ(EcrireDate(QDate(2026, 12, 9)), u"2026-12-09"_qs);
    }
    {
        // Digits of another script are not read: the plain form is written.
        const LocaleTemporaire locale(QLocale(QLocale::Arabic, QLocale::Egypt));
        EXPECT_EQ(EcrireDate(QDate(2026, 12, 9)), u"09/12/2026"_qs);
    }
    EXPECT_EQ(QLocale().name(), u"fr_FR"_qs);
}

TEST(Fonctionnel, EstCodePostal)
{
    EXPECT_TRUE(EstCodePostal(u"75001"_qs));
    for (const char16_t* t : {u"7500", u"75 01", u"2A004", u"750010", u"", u"٧٥٠٠١"})
        EXPECT_FALSE(EstCodePostal(QString::fromUtf16(t)));
}

TEST(Fonctionnel, TraduireCVAnglais)
{
    EXPECT_EQ(TraduireCVAnglais(u"Née le 3 mai 1980 à Lyon (25 ans)"_qs), u"Born in 3 mai 1980 to Lyon (25 )"_qs);
    EXPECT_EQ(TraduireCVAnglais(u"Exp&eacute;rience professionnelle, niveau professionnel"_qs),
              u"Professional experience, niveau professional"_qs);
    EXPECT_EQ(TraduireCVAnglais(u"2 enfants, 1 enfant, Marié"_qs), u"2 children, 1 child, Maried"_qs);
    EXPECT_EQ(TraduireCVAnglais(u"Divers"_qs), u" Other"_qs);
}

TEST(Fonctionnel, Valeur)
{
    EXPECT_EQ(Valeur(u"01 23 45"_qs), 12345);
    EXPECT_EQ(Valeur(u"75001 PARIS"_qs), 75001);
    EXPECT_EQ(Valeur(u"TEL"_qs), 0);
    EXPECT_EQ(Valeur(u" -12.5x"_qs), -12.5);
    EXPECT_EQ(Valeur(u"1.2.3"_qs), 1.2);
    EXPECT_EQ(Valeur(u"\t\n7"_qs), 7);
    EXPECT_EQ(Valeur(u"- 4"_qs), -4);
    EXPECT_EQ(Valeur(u"1-2"_qs), 1);
    EXPECT_EQ(Valeur(QString()), 0);
    EXPECT_EQ(Valeur(u"."_qs), 0);
}

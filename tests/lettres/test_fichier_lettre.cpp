#include <gtest/gtest.h>

#include <QString>
#include <ostream>

static void PrintTo(const QString& t, std::ostream* os) { *os << '"' << t.toStdString() << '"'; }

#include "letters/fichier_lettre.h"
#include "shell/services/fichiers_texte.h"
#include "support/outils.h"

#include <QFile>

using FichierLettre::ValeursLettre;

namespace {
const QString CRLF = QStringLiteral("\r\n");

QStringList clesEcrites(const QString& texte)
{
    QStringList cles;
    for (const QString& l : texte.split(CRLF, Qt::SkipEmptyParts))
        cles << l.left(l.indexOf(u'='));
    return cles;
}

ValeursLettre lettreRemplie()
{
    ValeursLettre l;
    l.fixer(u"Nom"_qs, u"LEBRUN"_qs);
    l.fixer(u"Prénom"_qs, u"Hélène"_qs);
    l.fixer(u"Adresse1"_qs, u"3 rue des Lilas"_qs);
    l.fixer(u"Text1"_qs, u"Hélène LEBRUN\r\n\r\nMadame, Monsieur,\r\n"_qs);
    l.fixer(u"Objet"_qs, u"Candidature = spontanée : oui"_qs);
    l.corps[0] = u"premier\r\nsecond"_qs;
    l.corps[4] = u"Je vous prie d'agréer…"_qs;
    l.modele = {0, 1};
    l.candidature = {1, 0};
    return l;
}
} // namespace

TEST(FichierLettre, TrenteQuatreClesDansLOrdreDeLEditeur)
{
    const QStringList attendu{
        u"CadreObjet"_qs, u"Objet"_qs, u"Text1"_qs, u"NomLettre"_qs, u"Poste"_qs, u"LastSociete"_qs,
        u"1:Check_candidature"_qs, u"0:Check_candidature"_qs, u"1:Check_Modele"_qs, u"0:Check_Modele"_qs,
        u"ListeCV"_qs, u"Competences"_qs, u"Domaine"_qs, u"Fonction"_qs,
        u"Corps"_qs, u"4:Corps"_qs, u"Corps"_qs, u"3:Corps"_qs, u"Corps"_qs, u"2:Corps"_qs,
        u"Corps"_qs, u"1:Corps"_qs, u"Corps"_qs, u"0:Corps"_qs,
        u"Email"_qs, u"Mob"_qs, u"Tel"_qs, u"Pays"_qs, u"Ville"_qs, u"CP"_qs, u"Adresse2"_qs,
        u"Prénom"_qs, u"Adresse1"_qs, u"Nom"_qs};
    const QString texte = FichierLettre::composer(lettreRemplie());
    EXPECT_EQ(clesEcrites(texte), attendu);
    EXPECT_TRUE(texte.endsWith(u"\r\nNom=LEBRUN\r\n"_qs));
    // A paragraph of two lines: both of its lines carry the break as "<N>".
    EXPECT_TRUE(texte.contains(u"\r\nCorps=premier<N>second\r\n0:Corps=premier<N>second\r\n"_qs));
    EXPECT_TRUE(texte.contains(u"\r\n1:Check_Modele=1\r\n0:Check_Modele=0\r\n"_qs));
}

TEST(FichierLettre, AllerRetourParLeFichier)
{
    DossierTemporaire d;
    const ValeursLettre avant = lettreRemplie();
    ASSERT_TRUE(FichierLettre::enregistrer(d.donnees(), u"Hélène Lebrun (ES)"_qs, avant));
    const QString chemin = d.chemin(u"Lettres/Hélène Lebrun (ES).dat"_qs);
    ASSERT_TRUE(QFile::exists(chemin));
    // Windows-1252 on disk when every character fits (the ellipsis does too).
    const QByteArray octets = Outils::lireOctets(chemin);
    EXPECT_TRUE(octets.contains("Pr\xe9nom=H\xe9l\xe8ne"));

    const auto apres = FichierLettre::charger(chemin);
    ASSERT_TRUE(apres.has_value());
    EXPECT_EQ(apres->corps, avant.corps);
    EXPECT_EQ(apres->modele, avant.modele);
    EXPECT_EQ(apres->candidature, avant.candidature);
    for (const QString& b : FichierLettre::boites())
        EXPECT_EQ(apres->texte(b), avant.texte(b)) << b.toStdString();
}

TEST(FichierLettre, CaracteresHorsWindows1252Conserves)
{
    DossierTemporaire d;
    ValeursLettre l = lettreRemplie();
    l.fixer(u"Nom"_qs, u"Łukasiewicz"_qs);
    l.corps[2] = u"Motivé(e) ✓ 日本"_qs;
    ASSERT_TRUE(FichierLettre::enregistrer(d.donnees(), u"Łukasz"_qs, l));
    const auto apres = FichierLettre::charger(FichierLettre::cheminFichier(d.donnees(), u"Łukasz"_qs));
    ASSERT_TRUE(apres.has_value());
    EXPECT_EQ(apres->texte(u"Nom"_qs), u"Łukasiewicz"_qs);
    EXPECT_EQ(apres->texte(u"Prénom"_qs), u"Hélène"_qs);
    EXPECT_EQ(apres->corps[2], u"Motivé(e) ✓ 日本"_qs);
}

TEST(FichierLettre, RegleDuNom)
{
    using FichierLettre::nomGenere;
    EXPECT_EQ(nomGenere(u"jean"_qs, u"LEBRUN"_qs, true, false), u"Jean Lebrun (IR)"_qs);
    EXPECT_EQ(nomGenere(u"jean"_qs, u"LEBRUN"_qs, true, true), u"Jean Lebrun (IS)"_qs);
    EXPECT_EQ(nomGenere(u"jean"_qs, u"LEBRUN"_qs, false, true), u"Jean Lebrun (ES)"_qs);
    EXPECT_EQ(nomGenere(u"jean"_qs, u"LEBRUN"_qs, false, false), u"Jean Lebrun (ER)"_qs);
    // No first name: the name starts with a blank.
    EXPECT_EQ(nomGenere(QString(), u"LEBRUN"_qs, true, true), u" Lebrun (IS)"_qs);
    // Generated names are normalised; a typed name is kept as typed.
    EXPECT_EQ(nomGenere(u"hélène-marie"_qs, u"de  la tour"_qs, false, false), u"Helene Marie De La Tour (ER)"_qs);
    ValeursLettre l;
    l.fixer(u"Prénom"_qs, u"jean"_qs);
    l.fixer(u"Nom"_qs, u"LEBRUN"_qs);
    EXPECT_EQ(FichierLettre::nomEnregistrement(l), u"Jean Lebrun (IR)"_qs);
    l.fixer(u"NomLettre"_qs, u"ma lettre  à moi"_qs);
    EXPECT_EQ(FichierLettre::nomEnregistrement(l), u"ma lettre  à moi"_qs);
    EXPECT_EQ(FichierLettre::nomDepuisChemin(u"/x/Lettres/Jean Lebrun (IR).dat"_qs), u"Jean Lebrun (IR)"_qs);
}

TEST(FichierLettre, NomsQuiNeSontPasDesFichiers)
{
    DossierTemporaire d;
    for (const QString& n : {QString(), u"../CV/Durand"_qs, u"a/b"_qs, u".."_qs}) {
        EXPECT_FALSE(FichierLettre::nomValide(n));
        EXPECT_FALSE(FichierLettre::enregistrer(d.donnees(), n, lettreRemplie()));
    }
    EXPECT_FALSE(QDir(d.chemin(u"CV"_qs)).exists());
    // ":" and "?" are fine in a file name here.
    EXPECT_TRUE(FichierLettre::enregistrer(d.donnees(), u"Lettre : quoi ?"_qs, lettreRemplie()));
}

TEST(FichierLettre, LectureDeFichiersEtrangers)
{
    // Unknown keys, a CV's language lines, broken lines, refused values and out-of-range
    // paragraphs are left out; the rest is read.
    const QString texte = u"\r\n"
                          "Nom=DURAND\r\n"
                          "3:LangueProf=1\r\n"
                          "Inconnu=x\r\n"
                          "sans egal\r\n"
                          "7:Corps=hors limite\r\n"
                          "2:Corps=deux<N>lignes\r\n"
                          "Corps=ignoré\r\n"
                          "Check_Modele=1\r\n"
                          "1:Check_Modele=oui\r\n"
                          "9:Check_Modele=1\r\n"
                          "1:Check_candidature=2\r\n"
                          "4:\r\n"
                          "Text1=a=b<N>c\r\n"_qs;
    const ValeursLettre l = FichierLettre::lire(texte);
    EXPECT_EQ(l.texte(u"Nom"_qs), u"DURAND"_qs);
    EXPECT_EQ(l.texte(u"Text1"_qs), u"a=b\r\nc"_qs);
    EXPECT_EQ(l.corps[2], u"deux\r\nlignes"_qs);
    EXPECT_TRUE(l.corps[0].isEmpty());
    EXPECT_FALSE(l.textes.contains(u"Inconnu"_qs));
    EXPECT_FALSE(l.textes.contains(u"Corps"_qs));
    EXPECT_EQ(l.modele, (std::array<int, 2>{1, 0}));
    EXPECT_EQ(l.candidature, (std::array<int, 2>{0, 1}));

    // Both boxes of a pair ticked in the file: the later line wins and the pair stays exclusive.
    const ValeursLettre p = FichierLettre::lire(u"1:Check_Modele=1\r\n0:Check_Modele=1\r\n"_qs);
    EXPECT_EQ(p.modele, (std::array<int, 2>{1, 0}));
    const ValeursLettre q = FichierLettre::lire(u"1:Check_Modele=1\r\n0:Check_Modele=0\r\n"_qs);
    EXPECT_EQ(q.modele, (std::array<int, 2>{0, 1}));

    // Bytes that are no text at all do not stop the reading: the lines after them are read.
    QByteArray dechets(4096, '\0');
    for (int i = 0; i < dechets.size(); ++i)
        dechets[i] = char((i * 97 + 13) % 256);
    const ValeursLettre d =
        FichierLettre::lire(FichiersTexte::decoder(dechets + "\r\nNom=X\r\n3:Corps=apr\xe8s\r\n1:Check_Modele=1\r\n"));
    EXPECT_EQ(d.texte(u"Nom"_qs), u"X"_qs);
    EXPECT_EQ(d.corps[3], u"après"_qs);
    EXPECT_EQ(d.modele, (std::array<int, 2>{0, 1}));
    EXPECT_FALSE(FichierLettre::charger(u"/nulle/part.dat"_qs).has_value());
}

#include <gtest/gtest.h>

#include <QString>
#include <ostream>

// Texts shown readably when a comparison fails.
static void PrintTo(const QString& t, std::ostream* os) { *os << '"' << t.toStdString() << '"'; }

#include "cveditor/fichier_controles.h"
#include "cveditor/fichier_cv.h"
#include "support/outils.h"
#include "shell/services/fichiers_texte.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <cerrno>

using FichierControles::Entree;
using FichierCV::ValeursCV;

namespace {
const QString CRLF = QStringLiteral("\r\n");

// The file's keys as written, one "name" or "index:name" per line, from its lines.
QStringList clesEcrites(const QString& texte)
{
    QStringList cles;
    for (const QString& l : texte.split(CRLF, Qt::SkipEmptyParts))
        cles << l.left(l.indexOf(u'='));
    return cles;
}
} // namespace

TEST(FichierControles, LesTextesReviennentEntiers)
{
    const FichierControles::Entrees avant{
        Entree::plaine(u"Experiences"_qs, u"ligne 1\r\nligne 2\r\nligne 3"_qs),
        Entree::plaine(u"Divers"_qs, u"a=b:c == d"_qs),
        Entree::plaine(u"Vide"_qs, QString()),
        Entree::indexe(3, u"LangueProf"_qs, u"1"_qs),
        Entree::indexe(0, u"Corps"_qs, u"premier\r\nsecond"_qs),
    };
    const QString texte = FichierControles::composer(avant);
    EXPECT_TRUE(texte.startsWith(u"Experiences=ligne 1<N>ligne 2<N>ligne 3\r\nDivers=a=b:c == d\r\nVide=\r\n"_qs));
    EXPECT_TRUE(texte.contains(u"\r\n3:LangueProf=1\r\n0:Corps=premier<N>second\r\n"_qs));
    auto apres = FichierControles::lire(texte);
    ASSERT_EQ(apres.size(), 5);
    EXPECT_EQ(apres.mid(0, 4), avant.mid(0, 4));
    // An indexed value comes back as stored: the reader that wants its text restores the breaks.
    EXPECT_EQ(apres.at(4).valeur, u"premier<N>second"_qs);
    // A typed "<N>" is a line break when read back; a lone CR, which ends a line for every reader,
    // is written as a break so that the text after it is not lost.
    EXPECT_EQ(FichierControles::lire(u"Divers=a<N>b"_qs).at(0).valeur, u"a\r\nb"_qs);
    EXPECT_EQ(FichierControles::composer({Entree::plaine(u"D"_qs, u"a\rb\nc"_qs)}), u"D=a<N>b\nc\r\n"_qs);
}

TEST(FichierControles, RegleDeLectureSurLignesMalFormees)
{
    const QString texte = u"\r\n"
                          "sans egal\r\n"
                          "Nom=DUPONT\r\n"
                          "\r\n"
                          "=sans nom\r\n"
                          "3LangueProf=1\r\n"   // digit first, no ":": not readable
                          "4:LangueProf\r\n"    // no "=" after the ":"
                          "5:Langue=Prof=1\r\n" // first "=" splits
                          "Nom:x=y\r\n"         // a plain line: only "=" splits it
                          "x:y\r\n"
                          "12:LangueCourant=1\r\n"
                          "99999999999:LangueCourant=1\r\n"
                          "7a:LangueBilingue=1\r\n"
                          "1 0:LangueScolaire=1\r\n" // the index is the number, blanks skipped
                          "Fin=ok"_qs;
    const auto e = FichierControles::lire(texte);
    ASSERT_EQ(e.size(), 9);
    EXPECT_EQ(e.at(0), Entree::plaine(u"Nom"_qs, u"DUPONT"_qs));
    EXPECT_EQ(e.at(1), Entree::plaine(QString(), u"sans nom"_qs));
    EXPECT_EQ(e.at(2), Entree::indexe(5, u"Langue"_qs, u"Prof=1"_qs));
    EXPECT_EQ(e.at(3), Entree::plaine(u"Nom:x"_qs, u"y"_qs));
    EXPECT_EQ(e.at(4), Entree::indexe(12, u"LangueCourant"_qs, u"1"_qs));
    EXPECT_EQ(e.at(5).index, -1);
    EXPECT_EQ(e.at(6), Entree::indexe(7, u"LangueBilingue"_qs, u"1"_qs));
    EXPECT_EQ(e.at(7), Entree::indexe(10, u"LangueScolaire"_qs, u"1"_qs));
    EXPECT_EQ(e.at(8), Entree::plaine(u"Fin"_qs, u"ok"_qs));
}

TEST(FichierCV, LesQuatreVingtDeuxClesDansLOrdre)
{
    QStringList attendues{u"LangueCV"_qs, u"Identite"_qs, u"ListeSituations"_qs, u"Langues"_qs, u"Nom"_qs,
                          u"Adresse1"_qs, u"Prénom"_qs, u"Adresse2"_qs, u"CP"_qs, u"Ville"_qs, u"Pays"_qs,
                          u"Tel"_qs, u"Mob"_qs, u"Email"_qs, u"Fonction"_qs, u"Etudes"_qs, u"Formations"_qs,
                          u"Experiences"_qs, u"LanguesPlus"_qs, u"Objectifs"_qs, u"Divers"_qs, u"Competences"_qs};
    for (int k = 8; k >= 0; --k)
        attendues << QString::number(k) + u":LangueCourant"_qs << QString::number(k) + u":LangueProf"_qs
                  << QString::number(k) + u":LangueScolaire"_qs;
    attendues << u"DateNaissance"_qs << u"LieuNaissance"_qs << u"Age"_qs;
    for (int k = 0; k <= 8; ++k)
        attendues << QString::number(k) + u":LangueBilingue"_qs;
    attendues << u"NbEnfants"_qs << u"Situation"_qs << u"NomCV"_qs << u"List1"_qs << u"ListeModeles"_qs
              << u"NomModele"_qs << u"Police"_qs << u"1:CheckDisposition"_qs << u"0:CheckDisposition"_qs
              << u"3:CheckParagraphe"_qs << u"2:CheckParagraphe"_qs << u"1:CheckParagraphe"_qs
              << u"0:CheckParagraphe"_qs << u"FramePolice"_qs << u"Modèle"_qs << u"Souligné"_qs << u"Gras"_qs
              << u"Indentation"_qs << u"Saut"_qs << u"Couleur"_qs << u"CouleurClaire"_qs;
    ASSERT_EQ(attendues.size(), 82);

    const QString texte = FichierCV::composer(ValeursCV::parDefaut());
    EXPECT_EQ(clesEcrites(texte), attendues);
    EXPECT_EQ(texte.count(CRLF), 82);
    // A new CV's presentation as the file stores it.
    for (const char16_t* ligne : {u"\r\nNomModele=Basic\r\nPolice=Arial\r\n1:CheckDisposition=0\r\n0:CheckDisposition=1\r\n"
                                  u"3:CheckParagraphe=0\r\n2:CheckParagraphe=1\r\n1:CheckParagraphe=0\r\n0:CheckParagraphe=1\r\n"
                                  u"FramePolice=\r\nModèle=Basic.htm\r\nSouligné=0\r\nGras=1\r\nIndentation=1\r\nSaut=0\r\n"
                                  u"Couleur=#FF6600\r\nCouleurClaire=#FFE6D5\r\n",
                                  u"LangueCV=0\r\n"})
        EXPECT_TRUE(texte.contains(QString::fromUtf16(ligne))) << QString::fromUtf16(ligne).toStdString();
}

TEST(FichierCV, LectureGardeCeQueLeCVConnait)
{
    const ValeursCV lu = FichierCV::lire(u"Inconnu=abc\r\nNom=LEBRUN\r\n3:LangueProf=1\r\n99:LangueProf=1\r\n"
                                         "9:LangueCourant=1\r\n2:CheckDisposition=1\r\n1:CheckDisposition=x\r\n"
                                         "0:Nom=1\r\nDivers=a<N>b\r\n8:LangueBilingue=1\r\n"
                                         "99999999999:LangueProf=1\r\n99999999999:Nom=Y"_qs);
    EXPECT_EQ(lu.textes.keys(), (QStringList{u"Divers"_qs, u"Nom"_qs}));
    EXPECT_EQ(lu.texte(u"Divers"_qs), u"a\r\nb"_qs);
    EXPECT_TRUE(lu.coche(u"LangueProf"_qs, 3));
    EXPECT_EQ(lu.cases.value(u"LangueProf"_qs).size(), 1);
    EXPECT_FALSE(lu.cases.contains(u"LangueCourant"_qs));
    EXPECT_FALSE(lu.cases.contains(u"CheckDisposition"_qs));
    EXPECT_TRUE(lu.coche(u"LangueBilingue"_qs, 8));
}

TEST(FichierCV, RegleDuNom)
{
    using FichierCV::nomFichier;
    EXPECT_EQ(nomFichier({}, u"LEBRUN"_qs, u"Hélène"_qs), u"Lebrun Helene"_qs);
    EXPECT_EQ(nomFichier({}, u"LEBRUN"_qs, {}), u"Lebrun"_qs);
    EXPECT_EQ(nomFichier({}, {}, {}), QString());
    EXPECT_EQ(nomFichier(u"  mon cv : Jean-Pierre O'NEIL (2024)"_qs, u"X"_qs, u"Y"_qs), u"Mon Cv Jean Pierre O Neil 2024"_qs);
    // Always a name the folder accepts: no "/", not beyond the length a file name may have.
    EXPECT_EQ(nomFichier(u"commercial/export"_qs, {}, {}), u"Commercial Export"_qs);
    EXPECT_EQ(nomFichier({}, u"HADDAD - né le 14/03/1985"_qs, u"Karim"_qs), u"Haddad Ne Le 14 03 1985 Karim"_qs);
    EXPECT_EQ(nomFichier(u" / / "_qs, {}, {}), QString());
    EXPECT_EQ(nomFichier({}, QString(300, u'a'), u"Paul"_qs), u'A' + QString(FichierCV::LongueurNomMax - 1, u'a'));

    QStringList existants{u"Lebrun Jean"_qs};
    auto existe = [&](const QString& n) { return existants.contains(n); };
    const QString nom = FichierCV::nomAutoSauvegarde({}, u"LEBRUN"_qs, u"Jean"_qs, existe);
    EXPECT_EQ(nom, u"Copie de LEBRUN Jean"_qs);
    EXPECT_EQ(nomFichier(nom, {}, {}), u"Copie De Lebrun Jean"_qs);
    EXPECT_EQ(FichierCV::nomAutoSauvegarde({}, u"LEBRUN"_qs, u"Paul"_qs, existe), u"LEBRUN Paul"_qs);
    EXPECT_EQ(FichierCV::nomAutoSauvegarde({}, u"  LEBRUN"_qs, {}, existe), u"LEBRUN"_qs);
    EXPECT_EQ(FichierCV::nomAutoSauvegarde(u"Mon CV"_qs, u"LEBRUN"_qs, u"Jean"_qs, existe), u"Mon CV"_qs);

    // Three copies taken too: a number, never an existing file.
    existants << u"Copie De Lebrun Jean"_qs << u"Copie De Copie De Lebrun Jean"_qs
              << u"Copie De Copie De Copie De Lebrun Jean"_qs << u"Copie De Copie De Copie De Lebrun Jean 2"_qs;
    EXPECT_EQ(FichierCV::nomAutoSauvegarde({}, u"LEBRUN"_qs, u"Jean"_qs, existe),
              u"Copie de Copie de Copie de LEBRUN Jean 3"_qs);
}

TEST(FichierCV, MenuDesLangues)
{
    // English exactly for 1, French exactly for 0; a text that is no number keeps both menus.
    EXPECT_TRUE(FichierCV::cochesLangue(u"1"_qs)->anglais);
    EXPECT_FALSE(FichierCV::cochesLangue(u"1"_qs)->francais);
    EXPECT_TRUE(FichierCV::cochesLangue(u"0"_qs)->francais);
    EXPECT_FALSE(FichierCV::cochesLangue(u"2"_qs)->anglais || FichierCV::cochesLangue(u"2"_qs)->francais);
    EXPECT_FALSE(FichierCV::cochesLangue(u"abc"_qs));
    EXPECT_FALSE(FichierCV::cochesLangue(QString()));
    EXPECT_FALSE(FichierCV::cochesLangue(u"inf"_qs));
    EXPECT_FALSE(FichierCV::cochesLangue(u"nan"_qs));
}

TEST(FichierCV, EnregistrementEtRelecture)
{
    DossierTemporaire d;
    ValeursCV cv = ValeursCV::parDefaut();
    cv.fixer(u"Prénom"_qs, u"Łukasz"_qs);
    cv.fixer(u"Nom"_qs, u"NOWAK"_qs);
    cv.fixer(u"Divers"_qs, u"Randonnée 🏔️\r\nÉchecs"_qs);
    cv.cocher(u"LangueProf"_qs, 7, 1);
    ASSERT_TRUE(FichierCV::enregistrer(d.donnees(), u"Nowak Lukasz"_qs, cv));
    const QString chemin = FichierCV::cheminFichier(d.donnees(), u"Nowak Lukasz"_qs);
    EXPECT_TRUE(Outils::lireOctets(chemin).endsWith("CouleurClaire=#FFE6D5\r\n"));
    const auto lu = FichierCV::charger(chemin);
    ASSERT_TRUE(lu);
    EXPECT_EQ(lu->textes, cv.textes);
    EXPECT_EQ(lu->cases, cv.cases);

    // A file written by an earlier version, in Windows-1252.
    Outils::ecrireOctets(d.chemin(u"CV/Ancien.dat"_qs), "Pr\xE9nom=H\xE9l\xE8ne\r\nNom=LEBRUN\r\n");
    EXPECT_EQ(FichierCV::charger(d.chemin(u"CV/Ancien.dat"_qs))->texte(u"Prénom"_qs), u"Hélène"_qs);
    EXPECT_FALSE(FichierCV::charger(d.chemin(u"CV/Absent.dat"_qs)));
}

TEST(FichierCV, UnEnregistrementInterrompuLaisseLAncienFichier)
{
    DossierTemporaire d;
    ValeursCV cv = ValeursCV::parDefaut();
    cv.fixer(u"Nom"_qs, u"LEBRUN"_qs);
    ASSERT_TRUE(FichierCV::enregistrer(d.donnees(), u"Lebrun"_qs, cv));
    const QByteArray avant = Outils::lireOctets(FichierCV::cheminFichier(d.donnees(), u"Lebrun"_qs));

    cv.fixer(u"Experiences"_qs, QString(5000, u'x'));
    FichiersTexte::simulerEchecEcriture(true);
    const bool ecrit = FichierCV::enregistrer(d.donnees(), u"Lebrun"_qs, cv);
    FichiersTexte::simulerEchecEcriture(false);
    EXPECT_FALSE(ecrit);
    EXPECT_EQ(Outils::lireOctets(FichierCV::cheminFichier(d.donnees(), u"Lebrun"_qs)), avant);
    EXPECT_EQ(QDir(d.chemin(u"CV"_qs)).entryList(QDir::Files), QStringList{u"Lebrun.dat"_qs});

    // A CV file made read-only is not replaced.
    const QString chemin = FichierCV::cheminFichier(d.donnees(), u"Lebrun"_qs);
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::ReadUser);
    EXPECT_FALSE(FichierCV::enregistrer(d.donnees(), u"Lebrun"_qs, cv));
    EXPECT_EQ(errno, EACCES);
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(Outils::lireOctets(chemin), avant);

    // A name that is not a file name is refused, nothing is written.
    EXPECT_FALSE(FichierCV::enregistrer(d.donnees(), u"Commercial/export"_qs, cv));
    EXPECT_FALSE(FichierCV::enregistrer(d.donnees(), QString(), cv));
}

TEST(FichierCV, FichiersAbimesOuEtrangers)
{
    DossierTemporaire d;
    const QString chemin = d.chemin(u"CV/Abime.dat"_qs);

    Outils::ecrireOctets(chemin, "pas de signe egal\r\nni ici\r\n\r\n");
    ASSERT_TRUE(FichierCV::charger(chemin));
    EXPECT_TRUE(FichierCV::charger(chemin)->textes.isEmpty());

    QByteArray bruit;
    for (int i = 0; i < 200000; ++i)
        bruit.append(char((i * 7919 + 13) % 256));
    bruit.append("\r\nNom=DUPONT\r\n");
    Outils::ecrireOctets(chemin, bruit);
    EXPECT_EQ(FichierCV::charger(chemin)->texte(u"Nom"_qs), u"DUPONT"_qs);

    QByteArray longue = "Divers=" + QByteArray(10 * 1024 * 1024, 'a') + "\r\nInconnu=1\r\n99:LangueProf=1\r\n3:LangueProf=1\r\nNom=X";
    Outils::ecrireOctets(chemin, longue);
    const auto lu = FichierCV::charger(chemin);
    ASSERT_TRUE(lu);
    EXPECT_EQ(lu->texte(u"Divers"_qs).size(), 10 * 1024 * 1024);
    EXPECT_EQ(lu->texte(u"Nom"_qs), u"X"_qs);
    EXPECT_EQ(lu->cases.value(u"LangueProf"_qs).keys(), QList<int>{3});
}

TEST(FichierCV, CeQueLEditeurEcritSeRelitEntier)
{
    DossierTemporaire d;
    ValeursCV cv = ValeursCV::parDefaut();
    cv.fixer(u"Nom"_qs, u"LEBRUN"_qs);
    const QString chemin = FichierCV::cheminFichier(d.donnees(), u"Lebrun"_qs);

    // A career that fills a CV file to its largest size is written, and read back whole.
    const qsizetype place = FichierCV::TailleMax - FichierCV::composer(cv).size();
    cv.fixer(u"Experiences"_qs, QString(place, u'a'));
    ASSERT_TRUE(FichierCV::enregistrer(d.donnees(), u"Lebrun"_qs, cv));
    const FichierCV::Ouverture lu = FichierCV::ouvrir(chemin);
    ASSERT_EQ(lu.etat, FichierCV::Ouverture::Ouvert);
    EXPECT_EQ(lu.cv.texte(u"Experiences"_qs).size(), place);
    EXPECT_EQ(lu.cv.texte(u"Nom"_qs), u"LEBRUN"_qs);

    // One character more would make a file that no editor opens: it is not written.
    cv.fixer(u"Experiences"_qs, QString(place + 1, u'a'));
    errno = 0;
    EXPECT_FALSE(FichierCV::enregistrer(d.donnees(), u"Lebrun"_qs, cv));
    EXPECT_EQ(errno, EFBIG);
    EXPECT_EQ(QFileInfo(chemin).size(), FichierCV::TailleMax);
}

#include <gtest/gtest.h>

#include <QString>
#include <ostream>

// Texts shown readably when a comparison fails.
static void PrintTo(const QString& t, std::ostream* os) { *os << '"' << t.toStdString() << '"'; }

#include "cveditor/rendu_cv.h"
#include "shell/services/fichiers_texte.h"
#include "support/outils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

using FichierCV::ValeursCV;

namespace {
const QString CRLF = QStringLiteral("\r\n");
const QString Retrait = QStringLiteral("<span style='display:block; padding-left:40px'>");

// Case files may have been saved with LF or CR LF line ends.
QString finsDeLigneCRLF(QString t)
{
    t.replace(CRLF, QStringLiteral("\n"));
    t.replace(u'\n', CRLF);
    return t;
}

// A page model whose sections hold only their markers and placeholders.
QString modeleSections()
{
    return u"<html><head></head><body>#Nom#|P01[E#Etudes#]P02[F#Formations#]P03[X#Experiences#]P04[C#Competences#]P05[L#Langues#]"
                  "P06[D#Divers#]P07</body></html>"_qs;
}

// The page without the policy, for the tests that look at the rest.
QString sansPolitique(QString page) { return page.remove(RenduCV::PolitiqueSecurite); }

ValeursCV cvRempli()
{
    ValeursCV cv = ValeursCV::parDefaut();
    for (const char* b : {"Etudes", "Formations", "Experiences", "Competences", "Divers"})
        cv.fixer(QLatin1String(b), QLatin1String(b).left(2));
    cv.cocher(u"LangueCourant"_qs, 0, 1);
    cv.fixer(u"Nom"_qs, u"N"_qs);
    return cv;
}
} // namespace

TEST(RenduCV, CasDeReference)
{
    const QStringList cas = Outils::dossiersCas(u"rendu_cv"_qs);
    ASSERT_FALSE(cas.isEmpty());
    for (const QString& dossier : cas) {
        SCOPED_TRACE(dossier.toStdString());
        DossierTemporaire d;
        QDir().mkpath(d.chemin(u"Modeles"_qs));
        ValeursCV cv = ValeursCV::parDefaut();
        cv.recouvrir(FichierCV::lire(finsDeLigneCRLF(Outils::lireCas(dossier, u"cv.txt"_qs))));
        Outils::ecrireOctets(RenduCV::cheminModele(d.donnees(), cv.texte(u"Modèle"_qs)),
                             Outils::lireOctets(QDir(dossier).filePath(u"modele.htm"_qs)));
        if (QFileInfo::exists(QDir(dossier).filePath(u"photo"_qs)))
            Outils::ecrireOctets(FichierCV::cheminPhoto(d.donnees(), cv.texte(u"NomCV"_qs)), "photo");

        const RenduCV::Rendu r = RenduCV::rendre(d.donnees(), cv);
        ASSERT_EQ(r.issue, RenduCV::Issue::Rendu);
        const auto page = FichiersTexte::lire(r.cheminPage);
        ASSERT_TRUE(page);
        EXPECT_EQ(finsDeLigneCRLF(*page).toStdString(),
                  finsDeLigneCRLF(Outils::lireCas(dossier, u"attendu.html"_qs)).toStdString());
    }
}

TEST(RenduCV, ParagraphesDates)
{
    // Any one-character bullet goes, "À Lyon" as well.
    EXPECT_EQ(RenduCV::formaterParagraphes(u"Titre\r\nÀ Lyon"_qs, {}), u"<b>Titre</b><br>"_qs + Retrait + u"Lyon<br></span>"_qs);
    // Headings: a colon at the end, "de …", a number, a month; a blank line before each but the first.
    EXPECT_EQ(RenduCV::formaterParagraphes(u"Intro\r\nOutils : \r\nde 2001 à 2003\r\n12 mois\r\nmars 2020\r\nsans date"_qs,
                                           {true, true, true, true}),
              u"<b><u>Intro</b></u><br><br><b><u>Outils : </b></u><br><br><b><u>de 2001 à 2003</b></u><br><br>"
              "<b><u>12 mois</b></u><br><br><b><u>mars 2020</b></u><br>"_qs + Retrait + u"sans date<br></span>"_qs);
    // Tabs become blanks; blanks and one line break at each end go.
    EXPECT_EQ(RenduCV::formaterParagraphes(u" \t\r\n2001\tBac\r\n  "_qs, {}), u"<b>2001 Bac</b>"_qs);
}

TEST(RenduCV, DecorationsDeLIdentite)
{
    using RenduCV::decorer;
    EXPECT_EQ(decorer(u"NbEnfants"_qs, u"0"_qs, {}), u"0"_qs);
    EXPECT_EQ(decorer(u"NbEnfants"_qs, u"deux"_qs, {}), u"deux"_qs);
    EXPECT_EQ(decorer(u"Age"_qs, {}, {}), QString());
    EXPECT_EQ(decorer(u"Situation"_qs, u"Marié(e)"_qs, u"Jean"_qs), u"Marié"_qs);
    EXPECT_EQ(decorer(u"Situation"_qs, u"Divorcé(e)"_qs, u"Sophie"_qs), u"Divorcée"_qs);
    EXPECT_EQ(decorer(u"Situation"_qs, u"Veuf(ve)"_qs, u"Sophie"_qs), u"Veuf(ve)"_qs);
    EXPECT_EQ(decorer(u"Mob"_qs, u"06"_qs, {}), u"Mobile : 06"_qs);
}

TEST(RenduCV, SectionsEtDisposition)
{
    // Blanks only is empty, and so are languages that are only line breaks.
    ValeursCV cv = cvRempli();
    cv.fixer(u"Etudes"_qs, u"   "_qs);
    cv.cocher(u"LangueCourant"_qs, 0, 0);
    cv.fixer(u"LanguesPlus"_qs, u"\r\n"_qs);
    EXPECT_EQ(sansPolitique(RenduCV::composer(modeleSections(), cv, false)),
              u"<html><head></head><body>N|[FFo][X<b>Ex</b>][C<b>Co</b>][DDi]</body></html>"_qs);
    // "Sénior": career and skills before education and training.
    cv = cvRempli();
    cv.cocher(u"CheckDisposition"_qs, 1, 1);
    EXPECT_EQ(sansPolitique(RenduCV::composer(modeleSections(), cv, false)),
              u"<html><head></head><body>N|[X<b>Ex</b>][C<b>Co</b>][E<b>Et</b>][FFo][L"
              "Anglais courant<br>][DDi]</body></html>"_qs);
    // Missing markers leave the page as it is rather than doubling a block.
    cv.fixer(u"Competences"_qs, QString());
    EXPECT_EQ(sansPolitique(RenduCV::composer(u"P01a P03b P07 P04 #Competences#"_qs, cv, false)), u"a b   <b></b>"_qs);
}

TEST(RenduCV, CouleursEtMarqueursSurToutLaPage)
{
    ValeursCV cv = ValeursCV::parDefaut();
    cv.fixer(u"Couleur"_qs, u"#FF0000"_qs);
    cv.fixer(u"Police"_qs, u"Verdana"_qs);
    // A CV text goes through the colours and the markers like the model, not through the font;
    // the colour literals match case included.
    cv.fixer(u"Divers"_qs, u"Arial #FF6600 #ff6600 P05"_qs);
    EXPECT_EQ(sansPolitique(RenduCV::composer(u"Arial #Divers#"_qs, cv, false)), u"Verdana Arial #FF0000 #ff6600 "_qs);
    // "#Prénom#" with its accent takes the first name as typed; an accented box name loses its "é".
    cv.fixer(u"Prénom"_qs, u"Zoé"_qs);
    cv.fixer(u"Souligné"_qs, u"1"_qs);
    EXPECT_EQ(sansPolitique(RenduCV::composer(u"#Prénom#/#Prenom#/#Souligne#"_qs, cv, false)), u"Zoé/Zoé/1"_qs);
}

TEST(RenduCV, AnglaisApresLesCouleursAvantLesMarqueurs)
{
    ValeursCV cv = ValeursCV::parDefaut();
    cv.fixer(u"LangueCV"_qs, u"1"_qs);
    cv.fixer(u"Age"_qs, u"35"_qs);
    // "DiP01vers" becomes "Divers" only once the markers are gone, after the translation.
    EXPECT_EQ(sansPolitique(RenduCV::composer(u"<h2>Divers</h2>DiP01vers #Age#"_qs, cv, false)),
              u"<h2> Other</h2>Divers (35 )"_qs);
    cv.fixer(u"LangueCV"_qs, u"0"_qs);
    EXPECT_EQ(sansPolitique(RenduCV::composer(u"<h2>Divers</h2>"_qs, cv, false)), u"<h2>Divers</h2>"_qs);
}

TEST(RenduCV, AucunTexteDuCVNeDevientUnScript)
{
    ValeursCV cv = ValeursCV::parDefaut();
    cv.fixer(u"Nom"_qs, u"</title><head><script>alert(1)</script>"_qs);
    cv.fixer(u"Divers"_qs, u"<img src=x onerror=alert(2)>"_qs);
    const QString page = RenduCV::composer(
        u"<!DOCTYPE html>\r\n<HTML lang=fr>\r\n<Head class=x>\r\n<title>#Nom#</title></head><body>#Divers#</body></HTML>\r\n"_qs,
        cv, false);
    // The policy is the first thing in the head, before every text of the CV; the texts stay as typed.
    EXPECT_TRUE(page.startsWith(u"<!DOCTYPE html>\r\n<HTML lang=fr>\r\n<Head class=x>"_qs + RenduCV::PolitiqueSecurite +
                                u"\r\n<title></title><head><script>alert(1)</script></title>"_qs))
        << page.toStdString();
    EXPECT_EQ(page.count(RenduCV::PolitiqueSecurite), 1);
    EXPECT_TRUE(RenduCV::PolitiqueSecurite.contains(u"script-src 'none'"_qs));
    // Without a head the policy still comes first.
    EXPECT_TRUE(RenduCV::composer(u"<p>#Nom#</p>"_qs, cv, false).startsWith(RenduCV::PolitiqueSecurite));
    EXPECT_TRUE(RenduCV::composer(u"<header>#Nom#</header>"_qs, cv, false).startsWith(RenduCV::PolitiqueSecurite));
}

TEST(RenduCV, RenduDansLeDossierDeDonnees)
{
    DossierTemporaire d;
    QDir().mkpath(d.chemin(u"Modeles"_qs));
    ValeursCV cv = ValeursCV::parDefaut();
    cv.fixer(u"NomCV"_qs, u"Lebrun Helene"_qs);
    cv.fixer(u"Nom"_qs, u"LEBRUN"_qs);

    // No model: nothing is written.
    EXPECT_EQ(RenduCV::rendre(d.donnees(), cv).issue, RenduCV::Issue::ModeleAbsent);
    EXPECT_FALSE(QFileInfo::exists(RenduCV::cheminPage(d.donnees())));
    Outils::ecrireOctets(d.chemin(u"secret.htm"_qs), "#Nom#");
    cv.fixer(u"Modèle"_qs, u"../secret.htm"_qs);
    EXPECT_EQ(RenduCV::rendre(d.donnees(), cv).issue, RenduCV::Issue::ModeleAbsent);

    // A model in Windows-1252, lines ended by CR LF or a lone CR.
    cv.fixer(u"Modèle"_qs, u"Basic.htm"_qs);
    Outils::ecrireOctets(d.chemin(u"Modeles/Basic.htm"_qs), "<p>Pr\xE9nom #Nom#</p>\r\n#Photographie#\rfin");
    Outils::ecrireOctets(d.chemin(u"Modeles/Photo.jpg"_qs), "ancienne");
    auto r = RenduCV::rendre(d.donnees(), cv);
    ASSERT_EQ(r.issue, RenduCV::Issue::Rendu);
    const QByteArray attendu = RenduCV::PolitiqueSecurite.toLatin1() + "<p>Pr\xE9nom LEBRUN</p>\r\n\r\nfin\r\n\r\n";
    EXPECT_EQ(Outils::lireOctets(r.cheminPage), attendu);
    EXPECT_EQ(Outils::lireOctets(d.chemin(u"Modeles/Photo.jpg"_qs)), "ancienne"); // no photograph: left as it was

    // The CV's photograph is copied for the page.
    Outils::ecrireOctets(FichierCV::cheminPhoto(d.donnees(), u"Lebrun Helene"_qs), "portrait");
    r = RenduCV::rendre(d.donnees(), cv);
    EXPECT_TRUE(Outils::lireOctets(r.cheminPage).contains("SRC='Photo.jpg'"));
    EXPECT_EQ(Outils::lireOctets(d.chemin(u"Modeles/Photo.jpg"_qs)), "portrait");

    // A CV named "Photo" keeps its photograph.
    cv.fixer(u"NomCV"_qs, u"Photo"_qs);
    r = RenduCV::rendre(d.donnees(), cv);
    EXPECT_TRUE(Outils::lireOctets(r.cheminPage).contains("SRC='Photo.jpg'"));
    EXPECT_EQ(Outils::lireOctets(d.chemin(u"Modeles/Photo.jpg"_qs)), "portrait");

    // A page that cannot be written leaves the previous one whole.
    const QByteArray avant = Outils::lireOctets(RenduCV::cheminPage(d.donnees()));
    cv.fixer(u"Nom"_qs, u"AUTRE"_qs);
    FichiersTexte::simulerEchecEcriture(true);
    r = RenduCV::rendre(d.donnees(), cv);
    FichiersTexte::simulerEchecEcriture(false);
    EXPECT_EQ(r.issue, RenduCV::Issue::EcritureImpossible);
    EXPECT_EQ(Outils::lireOctets(RenduCV::cheminPage(d.donnees())), avant);
}

TEST(RenduCV, LesModelesLivres)
{
    const QDir modeles(QStringLiteral(KERVAL_DONNEES_SOURCE "/Modeles"));
    const QStringList fichiers = modeles.entryList({u"*.htm"_qs}, QDir::Files);
    ASSERT_GE(fichiers.size(), 3);
    EXPECT_TRUE(fichiers.contains(u"Basic.htm"_qs));
    EXPECT_TRUE(modeles.exists(u"Photo.jpg"_qs));
    for (const QString& f : fichiers) {
        SCOPED_TRACE(f.toStdString());
        const QByteArray octets = Outils::lireOctets(modeles.filePath(f));
        const QString t = FichiersTexte::decoder(octets);
        // Windows-1252, CR LF.
        EXPECT_EQ(FichiersTexte::encoder(t), octets);
        EXPECT_EQ(octets.count("\r\n"), octets.count('\n'));
        qsizetype p = -1;
        for (const char* m : {"P01", "P02", "P03", "P04", "P05", "P06", "P07"}) {
            EXPECT_EQ(t.count(QLatin1String(m)), 1) << m;
            EXPECT_GT(t.indexOf(QLatin1String(m)), p) << m;
            p = t.indexOf(QLatin1String(m));
        }
        for (const char* l : {"#FF6600", "#808080", "#c0c0c0", "#FFE6D5", "Arial", "#Nom#", "#Prenom#", "#Experiences#",
                              "#Etudes#", "#Formations#", "#Competences#", "#Langues#", "#Divers#", "#Photographie#",
                              "#Fonction#", "#Tel#", "#Email#", "Etudes et dipl&ocirc;mes", "Autres formations",
                              "Exp&eacute;rience professionnelle", "Domaines de comp&eacute;tences", "Langues", "Divers"})
            EXPECT_TRUE(t.contains(QLatin1String(l))) << l;

        // A filled CV in English loses every French heading; an empty one keeps only its frame.
        ValeursCV cv = cvRempli();
        cv.fixer(u"LangueCV"_qs, u"1"_qs);
        const QString anglais = RenduCV::composer(t, cv, true);
        for (const char* l : {"Degrees", "Vocational training", "Professional experience", "Skills", "Languages knowledge",
                              "English fluent"})
            EXPECT_TRUE(anglais.contains(QLatin1String(l))) << l;
        const QString vide = RenduCV::composer(t, ValeursCV::parDefaut(), false);
        for (const char* l : {"P0", "#Nom#", "Exp&eacute;rience", "Langues", "Divers<"})
            EXPECT_FALSE(vide.contains(QLatin1String(l))) << l;
    }
}

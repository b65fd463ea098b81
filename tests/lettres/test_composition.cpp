#include <gtest/gtest.h>

#include <QString>
#include <ostream>

static void PrintTo(const QString& t, std::ostream* os) { *os << '"' << t.toStdString() << '"'; }

#include "letters/composition.h"
#include "shell/services/fichiers_texte.h"
#include "support/outils.h"

#include <QSet>

using namespace Composition;
using FichierLettre::ValeursLettre;

namespace {
const QString CRLF = QStringLiteral("\r\n");

// A text of the case files: each line of the file is one line of the text, ended by CR LF.
QString texteCas(QString t)
{
    t.replace(CRLF, u"\n"_qs);
    t.replace(u'\n', CRLF);
    return t;
}

Propositions table(const QStringList& lignes) { return lirePropositions(lignes); }
} // namespace

TEST(Composition, CasDeReference)
{
    const QStringList cas = Outils::dossiersCas(u"lettre"_qs);
    ASSERT_FALSE(cas.isEmpty());
    for (const QString& dossier : cas) {
        SCOPED_TRACE(dossier.toStdString());
        const auto champs = Outils::lireValeurs(Outils::lireCas(dossier, u"champs.txt"_qs));
        ValeursLettre l;
        for (auto it = champs.begin(); it != champs.end(); ++it)
            if (FichierLettre::boites().contains(it.key()))
                l.fixer(it.key(), it.value());
        for (int i = 0; i < FichierLettre::NombreParagraphes; ++i)
            l.corps[i] = champs.value(u"Corps"_qs + QString::number(i));
        l.modele = champs.value(u"Modele"_qs) == u"courriel" ? std::array<int, 2>{0, 1} : std::array<int, 2>{1, 0};
        l.candidature =
            champs.value(u"Candidature"_qs) == u"spontanee" ? std::array<int, 2>{1, 0} : std::array<int, 2>{0, 1};
        const Resultat r = composerLettre(l);
        EXPECT_EQ(r.texte, texteCas(Outils::lireCas(dossier, u"attendu.txt"_qs)));
        const auto attendu = Outils::lireValeurs(Outils::lireCas(dossier, u"attendu_champs.txt"_qs));
        EXPECT_EQ(r.domaine, attendu.value(u"Domaine"_qs));
        EXPECT_EQ(r.objet.has_value(), attendu.contains(u"Objet"_qs));
        EXPECT_EQ(r.objet.value_or(QString()), attendu.value(u"Objet"_qs));
        EXPECT_EQ(r.cadreObjetVisible, !l.imprime());
    }
}

TEST(Composition, MarquesDeGenre)
{
    EXPECT_EQ(resoudreGenrePrenom(u"motivé(e) et sérieu(x)(se)"_qs, u"Sophie"_qs), u"motivée et sérieuse"_qs);
    EXPECT_EQ(resoudreGenrePrenom(u"motivé(e) et sérieu(x)(se)"_qs, u"Marc"_qs), u"motivé et sérieux"_qs);
    // Marks are exact and case-sensitive; every occurrence is resolved.
    EXPECT_EQ(resoudreGenre(u"(E) (e)(e) (X)"_qs, true), u"(E) ee (X)"_qs);
    // "(e)" goes first: "(se)" is still whole when its turn comes.
    EXPECT_EQ(resoudreGenre(u"heureu(x)(se)"_qs, false), u"heureux"_qs);
}

// propositions.txt is a list the user edits by hand, with any editor of this system.
TEST(Composition, PropositionsAuxFinsDeLigneDeLinux)
{
    DossierTemporaire d;
    const QString chemin = d.chemin(u"propositions.txt"_qs);
    const QStringList attendues = {u"1 Intro"_qs, u"2 Adéquation"_qs, u"3 Motivé(e)"_qs, u"4 Disponible"_qs};
    const QList<QByteArray> fichiers = {
        "1 Intro\n2 Ad\xe9quation\n3 Motiv\xe9(e)\n4 Disponible\n",     // LF only
        "1 Intro\r\n2 Ad\xe9quation\r\n3 Motiv\xe9(e)\r\n4 Disponible", // CR LF, no final line end
        "1 Intro\n2 Ad\xe9quation\r\n3 Motiv\xe9(e)\r4 Disponible\r\n",  // mixed
    };
    for (const QByteArray& octets : fichiers) {
        Outils::ecrireOctets(chemin, octets);
        const Propositions p = chargerPropositions(chemin);
        for (int k = 0; k < attendues.size(); ++k)
            EXPECT_EQ(p[k], attendues[k]) << octets.toStdString();
        EXPECT_TRUE(p[4].isEmpty());
        // Each line is a phrase of its own paragraph.
        EXPECT_EQ(suivante(p, QString(), 1), u"Adéquation"_qs);
        EXPECT_EQ(precedente(p, QString(), 3), u"Disponible"_qs);
    }
    // An empty line still takes its entry: the line numbers stay those of the file.
    Outils::ecrireOctets(chemin, "1 A\n\n1 B\n");
    const Propositions p = chargerPropositions(chemin);
    EXPECT_EQ(p[1], QString());
    EXPECT_EQ(p[2], u"1 B"_qs);
}

TEST(Composition, LecturePropositions)
{
    DossierTemporaire d;
    // 31 lines fill the table; a longer file gives its first 31.
    QStringList lignes;
    for (int k = 0; k < 40; ++k)
        lignes << QString::number(k % 5 + 1) + u" phrase "_qs + QString::number(k);
    const Propositions p = table(lignes);
    EXPECT_EQ(p[30], u"1 phrase 30"_qs);
    // Three lines leave the rest empty; Windows-1252 and UTF-8 files both read.
    const QString chemin = d.chemin(u"propositions.txt"_qs);
    Outils::ecrireOctets(chemin, "1 Je suis motiv\xe9(e).\r\n2 Deux\r\n3 Trois\r\n");
    Propositions q = chargerPropositions(chemin);
    EXPECT_EQ(q[0], u"1 Je suis motivé(e)."_qs);
    EXPECT_EQ(q[2], u"3 Trois"_qs);
    for (int k = 3; k < NombrePropositions; ++k)
        EXPECT_TRUE(q[k].isEmpty());
    Outils::ecrireOctets(chemin, "1 R\xc3\xa9sum\xc3\xa9 \xe2\x9c\x93\r\n");
    EXPECT_EQ(chargerPropositions(chemin)[0], u"1 Résumé ✓"_qs);
    // A missing file: an empty table.
    for (const QString& e : chargerPropositions(d.chemin(u"absent.txt"_qs)))
        EXPECT_TRUE(e.isEmpty());
    // "1 2 ans d'expérience" reads as number 12: no paragraph of its own.
    EXPECT_EQ(numero(u"1 2 ans d'expérience"_qs), 12);
    EXPECT_FALSE(appartient(u"1 2 ans d'expérience"_qs, 0));
    EXPECT_TRUE(appartient(u"5-Salutations"_qs, 4));
    EXPECT_EQ(phrase(u"5-Salutations"_qs), u"Salutations"_qs);
    EXPECT_EQ(cle(u"5-Salutations distinguées"_qs), u"Salutation"_qs);
    EXPECT_EQ(phrase(u"5"_qs), QString());
}

TEST(Composition, PrecedentEtSuivant)
{
    const Propositions p = table({u"1 Premier A"_qs, u"1 Premier B"_qs, u"2 Second A"_qs, u"1 Premier C"_qs,
                                  u"1 Premier D"_qs, u"2 Second B"_qs});
    // "Suivant" follows runs of consecutive lines; after the end of a run it comes back to the
    // paragraph's first phrase among entries 1 to 30 (entry 0 is never given).
    EXPECT_EQ(suivante(p, u"Premier A"_qs, 0), u"Premier B"_qs);
    EXPECT_EQ(suivante(p, u"Premier B"_qs, 0), u"Premier C"_qs); // B ends its run; entry 1 lies before 2..30
    EXPECT_EQ(suivante(p, u"Premier C"_qs, 0), u"Premier D"_qs);
    EXPECT_EQ(suivante(p, u"Premier D"_qs, 0), u"Premier C"_qs);
    EXPECT_EQ(suivante(p, QString(), 0), u"Premier B"_qs);
    EXPECT_EQ(suivante(p, u"Second A"_qs, 1), u"Second A"_qs); // the only phrase of its run
    EXPECT_EQ(suivante(p, u"Second B"_qs, 1), u"Second A"_qs);
    // "Précédent": the phrase before within the run; none before the first; the last when empty.
    EXPECT_EQ(precedente(p, u"Premier B"_qs, 0), u"Premier A"_qs);
    EXPECT_EQ(precedente(p, u"Premier A"_qs, 0), u"Premier A"_qs);
    EXPECT_EQ(precedente(p, u"Premier C"_qs, 0), u"Premier C"_qs); // its line before is another paragraph
    EXPECT_EQ(precedente(p, QString(), 0), u"Premier D"_qs);
    EXPECT_EQ(precedente(p, QString(), 1), u"Second B"_qs);
    // A box recognised by its first ten characters only.
    const Propositions longues = table({u"1 Une longue phrase"_qs, u"1 Une autre phrase"_qs, u"1 Une dernière"_qs});
    EXPECT_EQ(suivante(longues, u"Une longueXXX modifiée"_qs, 0), u"Une autre phrase"_qs);
    EXPECT_EQ(precedente(longues, u"Une autre phrase en plus"_qs, 0), u"Une longue phrase"_qs);
    // A box edited by hand, or whose marks were resolved inside its first ten characters, is not
    // recognised: "Précédent" keeps it, "Suivant" goes to the first phrase among entries 2 to 30.
    const Propositions g = table({u"3 Motivé(e) à fond"_qs, u"3 Autre phrase"_qs, u"3 Encore une"_qs});
    EXPECT_EQ(precedente(g, u"Motivée à fond"_qs, 2), u"Motivée à fond"_qs);
    EXPECT_EQ(suivante(g, u"Motivée à fond"_qs, 2), u"Encore une"_qs);
    // A paragraph without phrases: both end, "Suivant" with an empty box.
    EXPECT_EQ(suivante(g, u"Motivée à fond"_qs, 4), QString());
    EXPECT_EQ(suivante(g, QString(), 4), QString());
    EXPECT_EQ(precedente(g, QString(), 4), QString());
    // Entry 30 is never given by "Précédent" on an empty box.
    QStringList trente(30, u"9 rien"_qs);
    trente << u"4 Tout au bout"_qs;
    const Propositions b = table(trente);
    EXPECT_EQ(precedente(b, QString(), 3), QString());
    EXPECT_EQ(suivante(b, QString(), 3), u"Tout au bout"_qs);
    // An empty table never selects an empty entry.
    EXPECT_EQ(suivante(Propositions{}, u"x"_qs, 0), QString());
    EXPECT_EQ(precedente(Propositions{}, QString(), 0), QString());
}

TEST(Composition, PremieresPhrases)
{
    const Propositions p = table({u"2 Adéquation(e)"_qs, u"x sans numéro"_qs, u"1 Intro A"_qs, u"1 Intro B"_qs,
                                  u"5 Politesse"_qs});
    std::array<QString, 5> corps{QString(), QString(), u"déjà là"_qs, QString(), QString()};
    premieresPhrases(p, corps);
    EXPECT_EQ(corps, (std::array<QString, 5>{u"Intro A"_qs, u"Adéquation(e)"_qs, u"déjà là"_qs, QString(),
                                             u"Politesse"_qs}));
}

TEST(Composition, PropositionsLivrees)
{
    // The shipped phrases: Windows-1252, at most 31 lines, each of a paragraph 1 to 5 with its
    // runs in order, and no two phrases of a paragraph sharing the key that recognises them.
    const QString chemin = QStringLiteral(KERVAL_DONNEES_SOURCE) + u"/propositions.txt"_qs;
    const QByteArray octets = Outils::lireOctets(chemin);
    ASSERT_FALSE(octets.isEmpty());
    const auto lignes = FichiersTexte::lireLignes(chemin);
    ASSERT_TRUE(lignes.has_value());
    EXPECT_LE(lignes->size(), NombrePropositions);
    EXPECT_EQ(FichiersTexte::encoder(FichiersTexte::decoder(octets)), octets);
    EXPECT_TRUE(octets.contains("\xe9")); // "é" as one Windows-1252 byte
    QSet<QString> cles;
    double dernier = 0;
    for (const QString& l : *lignes) {
        const double n = numero(l);
        EXPECT_TRUE(n >= 1 && n <= 5 && n == int(n)) << l.toStdString();
        EXPECT_GE(n, dernier) << l.toStdString();
        dernier = n;
        EXPECT_FALSE(cles.contains(QString::number(n) + cle(l))) << l.toStdString();
        cles.insert(QString::number(n) + cle(l));
        // Still recognised once its marks are resolved in the box, for either gender.
        for (bool feminin : {true, false})
            EXPECT_EQ(resoudreGenre(phrase(l), feminin).left(10), cle(l)) << l.toStdString();
    }
    // Every paragraph has at least two phrases to step through.
    const Propositions p = lirePropositions(*lignes);
    for (int i = 0; i < 5; ++i) {
        const QString premiere = suivante(p, QString(), i);
        EXPECT_FALSE(premiere.isEmpty());
        EXPECT_NE(suivante(p, premiere, i), premiere);
    }
}

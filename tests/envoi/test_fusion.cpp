// The merge of a template with an application: the golden cases, and the reading of the
// template's lines.

#include <gtest/gtest.h>

#include "letters/fusion.h"
#include "outils.h"
#include "shell/services/fonctionnel.h"
#include "shell/services/sauts_ligne.h"

namespace {
// A text of the case files: each line of the file is one line of the text, ended by CR LF.
QString texteCas(const QString& t) { return SautsLigne::versCRLF(t); }
} // namespace

TEST(Fusion, CasDeReference)
{
    const QStringList cas = Outils::dossiersCas(u"fusion"_qs);
    ASSERT_FALSE(cas.isEmpty());
    for (const QString& dossier : cas) {
        SCOPED_TRACE(dossier.toStdString());
        const Fusion::Modele modele = Fusion::lireModeleTexte(texteCas(Outils::lireCas(dossier, u"modele.txt"_qs)));
        const auto champs = Outils::lireValeurs(Outils::lireCas(dossier, u"candidature.txt"_qs));
        const auto avant = Outils::lireValeurs(Outils::lireCas(dossier, u"avant.txt"_qs));
        const auto date = Fonctionnel::LireDate(Outils::lireCas(dossier, u"aujourdhui.txt"_qs).trimmed());
        ASSERT_TRUE(date);

        const Fusion::Envoi r = Fusion::fusionner(
            {avant.value(u"Texte"_qs), avant.value(u"Objet"_qs), avant.value(u"Email"_qs)}, modele, champs, *date);

        EXPECT_EQ(r.texte, texteCas(Outils::lireCas(dossier, u"attendu.txt"_qs)));
        const auto attendu = Outils::lireValeurs(Outils::lireCas(dossier, u"attendu_champs.txt"_qs));
        EXPECT_EQ(r.objet, attendu.value(u"Objet"_qs));
        EXPECT_EQ(r.email, attendu.value(u"Email"_qs));
    }
}

TEST(Fusion, LignesDuModeleReconnuesParLeurDebut)
{
    // Each line is tested by its first characters, in file order: the last one of a kind wins;
    // only "Nom=" is the sender's name (not "NomLettre"), a blank subject is no subject, and
    // the value is everything after the first "=".
    const Fusion::Modele m = Fusion::lireModele({
        u"Text1=Premier"_qs,
        u"NomLettre=Jean Dupont (IR)"_qs,
        u"Objet=   "_qs,
        u"Text1=Ligne 1<N>a=b"_qs,
        u"Email=jean@exemple.fr"_qs,
        u"0:Corps=Objet=caché"_qs,
        u"Prénom=Jean"_qs,
        u"Nom=DUPONT"_qs,
        u"Pays=France"_qs,
    });
    ASSERT_TRUE(m.texte);
    EXPECT_EQ(*m.texte, u"Ligne 1\r\na=b"_qs);
    EXPECT_EQ(m.email.value_or(u"-"_qs), u"jean@exemple.fr"_qs);
    EXPECT_FALSE(m.objet);
    EXPECT_EQ(m.prenom, u"Jean"_qs);
    EXPECT_EQ(m.nom, u"DUPONT"_qs);

    // An untrimmed subject is kept as written.
    EXPECT_EQ(Fusion::lireModele({u"Objet= Candidature "_qs}).objet.value_or(u"-"_qs), u" Candidature "_qs);
}

TEST(Fusion, UnModeleSansTexteGardeLaLettreEtLeSujet)
{
    const Fusion::Envoi avant{u"Ma lettre #Societe#"_qs, u"Sujet"_qs, u"a@b.fr"_qs};
    const Fusion::Envoi r =
        Fusion::fusionner(avant, Fusion::lireModele({u"Nom=Durand"_qs}), {{u"Societe"_qs, u"ACME"_qs}}, QDate(2024, 3, 15));
    EXPECT_EQ(r.texte, u"Ma lettre ACME"_qs);
    EXPECT_EQ(r.objet, u"Sujet"_qs);
    EXPECT_EQ(r.email, u" Durand<a@b.fr>"_qs);
}

TEST(Fusion, Salutation)
{
    EXPECT_EQ(Fusion::salutation({}, u" Mme "_qs), u"Madame, Monsieur"_qs);
    EXPECT_EQ(Fusion::salutation(u"Sophie Martin"_qs, {}), u"Madame"_qs);
    EXPECT_EQ(Fusion::salutation(u"Pierre Martin"_qs, {}), u"Monsieur"_qs);
    // A first name alone has no blank: the advertisement decides.
    EXPECT_EQ(Fusion::salutation(u"Sophie"_qs, {}), u"Monsieur"_qs);
    EXPECT_EQ(Fusion::salutation(u"Martin"_qs, u"contacter Mlle"_qs), u"Monsieur"_qs); // no blank after
    EXPECT_EQ(Fusion::salutation(u"Martin"_qs, u"contacter Mle Roux"_qs), u"Madame"_qs);
    EXPECT_EQ(Fusion::salutation(u"Martin"_qs, u"contacter MME Roux"_qs), u"Monsieur"_qs);   // case-sensitive
}

TEST(Fusion, UnChampQuiContientUnMarqueurNeLeRemplitPasDeuxFois)
{
    // The replacement text is not scanned again by the same field's replacement.
    const ChampsCandidature champs{{u"Societe"_qs, u"#Societe# SA"_qs}, {u"Reference"_qs, u"R1"_qs}};
    const Fusion::Envoi r = Fusion::fusionner({}, Fusion::lireModele({u"Text1=#Societe#"_qs}), champs, QDate(2024, 1, 1));
    EXPECT_EQ(r.texte, u"#Societe# SA"_qs);
}

// The merge of a template with an application: the golden cases, the reading of the
// template's lines, and the letter the sending window shows.

#include <gtest/gtest.h>

#include "fenetre_envoi.h"
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

TEST(Fusion, LaFenetreDEnvoiNeDevoilePasLesRemarques)
{
    // The application's title holds a placeholder: the letter shows the title as typed, and
    // the private remarks stay in the register.
    FenetreEnvoi t;
    t.modeleType(u"Lettre"_qs);
    ChampsCandidature c = FenetreEnvoi::candidatureType();
    c.insert(u"Intitule"_qs, u"TECHNICIEN #Remarques#"_qs);
    c.insert(u"Remarques"_qs, u"NOTE PRIVEE: salaire trop bas"_qs);
    t.candidature(c);
    const FormPostuler& f = t.envoi();
    EXPECT_EQ(f.texte(), u"Madame Sophie Martin,\r\n\r\nVotre annonce de TECHNICIEN #Remarques# parue le 01/03/2024 "
                         "m'intéresse.\r\nCordialement,"_qs);
}

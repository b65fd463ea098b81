#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include "registre_test.h"
#include "register/web/liste_sites.h"
#include "register/window/logique_arbre.h"
#include "register/window/logique_fiche.h"

using namespace ArbreCandidatures;

namespace {

struct Registre : RegistreTest {
    void ajouter(const QString& intitule, const QString& societe, const QString& statut, const QString& date,
                 const QString& origine = {})
    {
        ChampsCandidature f = FicheCandidature::FicheVide();
        f[u"Intitule"_qs] = intitule;
        f[u"Societe"_qs] = societe;
        f[u"Statut"_qs] = statut;
        f[u"DateDiffusion"_qs] = date;
        f[u"Origine"_qs] = origine;
        ASSERT_TRUE(FicheCandidature::Enregistrer(b(), f));
    }
    QList<Groupe> arbre(Tri tri)
    {
        const std::optional<QList<Ligne>> lignes = Lire(b(), tri);
        EXPECT_TRUE(lignes);
        return Grouper(lignes.value_or(QList<Ligne>()), tri);
    }
};

QStringList textes(const QList<Groupe>& groupes)
{
    QStringList t;
    for (const Groupe& g : groupes) {
        EXPECT_EQ(g.cle, g.texte);
        t << g.texte;
    }
    return t;
}

} // namespace

TEST(Arbre, GroupesDesQuatreTris)
{
    Registre r;
    r.ajouter(u"Comptable"_qs, u"L'Oréal"_qs, u"NON EMISE"_qs, u"01/03/2024"_qs, u"APEC"_qs);
    r.ajouter(u"Vendeur"_qs, u"3M"_qs, u"EMISE - SANS REPONSE"_qs, u"10/03/2024"_qs, u"INDEED"_qs);
    r.ajouter(u"Chauffeur"_qs, u"B52 Transports"_qs, u"ENTRETIEN D' EMBAUCHE"_qs, u""_qs, u"APEC"_qs);
    r.ajouter(u"Magasinier"_qs, u"L'Oréal"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs, u"10/03/2024"_qs);
    // Dates are stored for this one; the table reads it back without one.
    ASSERT_TRUE(r.b().executer(u"update Candidatures set Datediffussion = null where Intitule = ?"_qs,
                                        {u"Chauffeur"_qs}));

    const QList<Groupe> statuts = r.arbre(Tri::Statuts);
    EXPECT_EQ(textes(statuts), QStringList({u"Candidatures non émises"_qs, u"Candidatures entretien d' embauche"_qs,
                                            u"Candidatures émises - sans reponse"_qs,
                                            u"Candidatures émises - en attente de reponse"_qs}));
    ASSERT_EQ(statuts[0].feuilles.size(), 1);
    EXPECT_EQ(statuts[0].feuilles[0].cle, u"s1"_qs);
    EXPECT_EQ(statuts[0].feuilles[0].texte, u"01/03/2024 Comptable, L'Oréal"_qs);

    const QList<Groupe> societes = r.arbre(Tri::Societes);
    EXPECT_EQ(textes(societes), QStringList({u"Valeur 3M"_qs, u"B52 Transports"_qs, u"L'Oréal"_qs}));
    ASSERT_EQ(societes[2].feuilles.size(), 2);
    EXPECT_EQ(societes[2].feuilles[1].num, 4);

    const QList<Groupe> dates = r.arbre(Tri::Dates);
    EXPECT_EQ(textes(dates), QStringList({u"Date : 10/03/2024"_qs, u"Date : 01/03/2024"_qs, u"Date : "_qs}));
    EXPECT_EQ(dates[0].feuilles.size(), 2);
    EXPECT_EQ(dates[2].feuilles[0].texte, u" Chauffeur, B52 Transports"_qs);

    EXPECT_EQ(textes(r.arbre(Tri::Origine)),
              QStringList({u"Origine : "_qs, u"Origine : APEC"_qs, u"Origine : INDEED"_qs}));

    r.base->fermer();
    EXPECT_FALSE(Lire(r.b(), Tri::Statuts));
}

TEST(Arbre, UnTexteRevuRejointSonGroupe)
{
    // Rows out of order (as a case-blind sort may leave them) make no second node.
    const QList<Ligne> lignes = {
        {1, u"A"_qs, u"ACME"_qs, {}, {}, {}},
        {2, u"B"_qs, u"Acme"_qs, {}, {}, {}},
        {3, u"C"_qs, u"ACME"_qs, {}, {}, {}},
        {4, u"D"_qs, u""_qs, {}, {}, {}},
    };
    const QList<Groupe> g = Grouper(lignes, Tri::Societes);
    EXPECT_EQ(textes(g), QStringList({u"ACME"_qs, u"Acme"_qs, u""_qs}));
    ASSERT_EQ(g[0].feuilles.size(), 2);
    EXPECT_EQ(g[0].feuilles[1].num, 3);
    // A row without a company still has its leaf.
    EXPECT_EQ(g[2].feuilles[0].texte, u" D, "_qs);
    EXPECT_TRUE(Grouper({}, Tri::Dates).isEmpty());
}

TEST(Arbre, SeulesLesClesDeFeuilleOuvrent)
{
    EXPECT_EQ(NumeroDeCle(u"s12"_qs), 12);
    EXPECT_EQ(NumeroDeCle(u"s40000"_qs), 40000); // above 32767 like any other
    EXPECT_EQ(NumeroDeCle(CleFeuille(7)), 7);
    for (const QString& cle : {u"s"_qs, u"S12"_qs, u"s1a"_qs, u"s-3"_qs, u"s 3"_qs, u"Valeur 3M"_qs, u""_qs})
        EXPECT_FALSE(NumeroDeCle(cle)) << cle.toStdString();
}

TEST(ListeSites, LignesIntegreesBienFormees)
{
    const QStringList& lignes = ListeSites::lignesIntegrees();
    ASSERT_EQ(lignes.size(), 200);
    static const QRegularExpression forme(u"^[A-Z0-9' ]{2,21} {1,3}http://[a-z0-9.\\-]+\\.[a-z]{2,}(/\\S*)?$"_qs);
    QSet<QString> etiquettes;
    for (const QString& l : lignes) {
        EXPECT_TRUE(forme.match(l).hasMatch()) << l.toStdString();
        EXPECT_LE(l.size(), 76);
        etiquettes.insert(l.section(u"  "_qs, 0, 0));
    }
    EXPECT_EQ(etiquettes.size(), 200);
    EXPECT_EQ(ListeSites::adresseDeLigne(u"APEC  http://www.apec.fr"_qs), u"http://www.apec.fr"_qs);
    EXPECT_EQ(ListeSites::adresseDeLigne(u"MON SITE  www.exemple.fr/"_qs), QString());
    EXPECT_TRUE(ListeSites::adressePageOffres().startsWith(u"http"_qs));
}

// Listesites.txt is edited by hand too: LF, CR LF and a lone CR all end a board's line.
TEST(ListeSites, FinsDeLigneDeToutSysteme)
{
    DossierTemporaire dossier;
    const QString chemin = dossier.chemin(u"Listesites.txt"_qs);
    const QStringList attendues = {u"APEC  http://www.apec.fr"_qs, u"CADREMPLOI  http://www.cadremploi.fr"_qs,
                                   u"INDEED  http://www.indeed.fr"_qs};
    const QList<QByteArray> fichiers = {
        "APEC  http://www.apec.fr\nCADREMPLOI  http://www.cadremploi.fr\nINDEED  http://www.indeed.fr\n",
        "APEC  http://www.apec.fr\r\nCADREMPLOI  http://www.cadremploi.fr\r\nINDEED  http://www.indeed.fr\r\n",
        "APEC  http://www.apec.fr\r\nCADREMPLOI  http://www.cadremploi.fr\nINDEED  http://www.indeed.fr\r",
        "APEC  http://www.apec.fr\n\r\nCADREMPLOI  http://www.cadremploi.fr\r\rINDEED  http://www.indeed.fr",
    };
    for (const QByteArray& octets : fichiers) {
        Outils::ecrireOctets(chemin, octets);
        EXPECT_EQ(ListeSites::charger(dossier.donnees()), attendues) << octets.toStdString();
        EXPECT_EQ(ListeSites::adresseDeLigne(ListeSites::lire(chemin).value(2)), u"http://www.indeed.fr"_qs);
        EXPECT_EQ(Outils::lireOctets(chemin), octets); // read, never rewritten
    }
}

TEST(ListeSites, EcritUneFoisPuisRelitLeFichier)
{
    DossierTemporaire dossier;
    const QString chemin = dossier.chemin(u"Listesites.txt"_qs);
    EXPECT_EQ(ListeSites::charger(dossier.donnees()), ListeSites::lignesIntegrees());
    const QByteArray ecrit = Outils::lireOctets(chemin);
    EXPECT_TRUE(ecrit.endsWith("\r\n"));
    EXPECT_EQ(ecrit.count("\r\n"), 200);

    // The user's own file is read as it is, never rewritten.
    const QByteArray modifie = "MON SITE   http://www.exemple.fr\r\n\r\nune note sans barre\r\n"
                               "AUTRE\thttp://autre.fr/emplois\nSITE UNIX  http://unix.fr\r\n";
    Outils::ecrireOctets(chemin, modifie);
    EXPECT_EQ(ListeSites::charger(dossier.donnees()),
              QStringList({u"MON SITE   http://www.exemple.fr"_qs, u"AUTRE\thttp://autre.fr/emplois"_qs,
                           u"SITE UNIX  http://unix.fr"_qs}));
    EXPECT_EQ(Outils::lireOctets(chemin), modifie);

    Outils::ecrireOctets(chemin, {});
    EXPECT_TRUE(ListeSites::charger(dossier.donnees()).isEmpty());
    EXPECT_TRUE(Outils::lireOctets(chemin).isEmpty());
}

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <limits>
#include <sys/stat.h>

#include "support/outils.h"
#include "support/registres.h"
#include "register/store/base_candidatures.h"
#include "register/store/candidature.h"
#include "register/store/date_stockee.h"

using Stockage::BaseDonnees;
using Stockage::JeuEnregistrements;

namespace {

const QDate aujourdhui(2024, 3, 15);

// A data folder holding a fresh empty register.
struct Registre {
    DossierTemporaire dossier;
    QString chemin = dossier.chemin(u"Kerval.mdb"_qs);
    Registre() { EXPECT_TRUE(BaseCandidatures::creerVide(chemin)); }
};

// Adds one application with a status and the given sending and interview dates.
int ajouter(BaseDonnees& base, const QString& statut, const QVariant& envoi, const QVariant& rdv)
{
    auto jeu = base.ouvrirJeu(u"select * from Candidatures"_qs);
    EXPECT_TRUE(jeu && jeu->ajouterNouveau());
    jeu->fixer(u"Intitule"_qs, u"Poste"_qs);
    jeu->fixer(u"Statut"_qs, statut);
    jeu->fixer(u"DateEnvoi"_qs, envoi);
    jeu->fixer(u"DateRDV"_qs, rdv);
    EXPECT_TRUE(jeu->mettreAJour()) << jeu->derniereErreur().toStdString();
    return jeu->valeur(u"Num"_qs).toInt();
}

QString statutDe(BaseDonnees& base, int num)
{
    auto jeu = base.ouvrirJeu(u"select Statut from Candidatures where Num = ?"_qs, {num});
    return jeu && !jeu->estVide() ? jeu->texte(u"Statut"_qs) : u"<absent>"_qs;
}

} // namespace

TEST(BaseCandidatures, CreerVideFaitUnRegistreVideEtNeRemplaceRien)
{
    Registre r;
    auto base = BaseCandidatures::ouvrir(r.chemin);
    ASSERT_TRUE(base);
    EXPECT_EQ(base->nombreCandidatures(), 0);
    auto jeu = base->base().ouvrirJeu(u"select * from Candidatures"_qs);
    ASSERT_TRUE(jeu);
    QStringList attendues;
    for (const Candidatures::Colonne& c : Candidatures::colonnes())
        attendues << c.colonne;
    EXPECT_EQ(jeu->colonnes(), attendues);
    EXPECT_TRUE(jeu->estVide());
    EXPECT_TRUE(jeu->finFichier());
    jeu->dernier(); // an empty set has no last row either
    EXPECT_TRUE(jeu->finFichier());
    EXPECT_TRUE(jeu->valeur(u"Num"_qs).isNull());
    base.reset();

    // A second creation over the file, or over any other file, leaves it alone.
    const QByteArray avant = Outils::lireOctets(r.chemin);
    EXPECT_FALSE(BaseCandidatures::creerVide(r.chemin));
    EXPECT_EQ(Outils::lireOctets(r.chemin), avant);
    const QString texte = r.dossier.chemin(u"notes.txt"_qs);
    Outils::ecrireOctets(texte, "mes notes");
    EXPECT_FALSE(BaseCandidatures::creerVide(texte));
    EXPECT_EQ(Outils::lireOctets(texte), QByteArray("mes notes"));
    // Nothing of the attempts is left behind.
    EXPECT_EQ(QDir(r.dossier.donnees()).entryList(QDir::Files, QDir::Name),
              QStringList({u"Kerval.mdb"_qs, u"notes.txt"_qs}));
    EXPECT_FALSE(BaseCandidatures::creerVideDepuis(r.dossier.chemin(u"autre.mdb"_qs), u"create tabel x"_qs));
    EXPECT_FALSE(QFileInfo::exists(r.dossier.chemin(u"autre.mdb"_qs)));
}

TEST(BaseCandidatures, ChaqueGenreDeColonneFaitLAllerRetour)
{
    Registre r;
    const QString longTexte = QString(u"L'annonce complète\r\n"_qs).repeated(5000);
    {
        auto base = BaseCandidatures::ouvrir(r.chemin);
        ASSERT_TRUE(base);
        auto jeu = base->base().ouvrirJeu(u"select * from Candidatures"_qs);
        ASSERT_TRUE(jeu->ajouterNouveau());
        for (const Candidatures::Colonne& c : Candidatures::colonnes()) {
            if (c.genre == Candidatures::Genre::Texte)
                jeu->fixer(c.colonne, u"L'Oréal « "_qs + c.colonne + u" » \"; drop table Candidatures; --"_qs);
            else if (c.genre == Candidatures::Genre::TexteLong)
                jeu->fixer(c.colonne, longTexte);
        }
        jeu->fixer(u"Datediffussion"_qs, QDate(2024, 2, 29));
        jeu->fixer(u"DateLimite"_qs, QVariant());
        jeu->fixer(u"DateRDV"_qs, QDate(1999, 12, 31));
        // DateEnvoi left unset stays Null.
        ASSERT_TRUE(jeu->mettreAJour()) << jeu->derniereErreur().toStdString();
        EXPECT_EQ(jeu->valeur(u"Num"_qs).toInt(), 1);
    }
    auto base = BaseCandidatures::ouvrir(r.chemin);
    ASSERT_TRUE(base);
    auto jeu = base->base().ouvrirJeu(u"select * from Candidatures where Societe = ?"_qs,
                                      {u"L'Oréal « Societe » \"; drop table Candidatures; --"_qs});
    ASSERT_TRUE(jeu);
    ASSERT_EQ(jeu->nombreEnregistrements(), 1);
    for (const Candidatures::Colonne& c : Candidatures::colonnes()) {
        if (c.genre == Candidatures::Genre::Texte)
            EXPECT_EQ(jeu->texte(c.colonne), u"L'Oréal « "_qs + c.colonne + u" » \"; drop table Candidatures; --"_qs);
        else if (c.genre == Candidatures::Genre::TexteLong)
            EXPECT_EQ(jeu->texte(c.colonne), longTexte) << c.colonne.toStdString();
    }
    EXPECT_EQ(jeu->date(u"datediffussion"_qs), QDate(2024, 2, 29));
    EXPECT_EQ(jeu->texte(u"Datediffussion"_qs), u"2024-02-29"_qs);
    EXPECT_TRUE(jeu->valeur(u"DateLimite"_qs).isNull());
    EXPECT_FALSE(jeu->date(u"DateLimite"_qs).has_value());
    EXPECT_EQ(jeu->date(u"DateRDV"_qs), QDate(1999, 12, 31));
    EXPECT_TRUE(jeu->valeur(u"DateEnvoi"_qs).isNull());
    EXPECT_EQ(base->nombreCandidatures(), 1);
}

TEST(BaseCandidatures, NumeroteSansReutiliserEtModifieLaLigneCourante)
{
    Registre r;
    auto base = BaseCandidatures::ouvrir(r.chemin);
    ASSERT_TRUE(base);
    BaseDonnees& b = base->base();
    EXPECT_EQ(ajouter(b, u"NON EMISE"_qs, {}, {}), 1);
    EXPECT_EQ(ajouter(b, u"NON EMISE"_qs, {}, {}), 2);
    EXPECT_EQ(ajouter(b, u"NON EMISE"_qs, {}, {}), 3);
    ASSERT_TRUE(b.executer(u"delete from candidatures where num = ?"_qs, {3}));
    EXPECT_EQ(b.lignesModifiees(), 1);
    // The number of a deleted application is never given again.
    EXPECT_EQ(ajouter(b, u"NON EMISE"_qs, {}, {}), 4);

    auto jeu = b.ouvrirJeu(u"select * from Candidatures order by Num"_qs);
    ASSERT_EQ(jeu->nombreEnregistrements(), 3);
    QList<int> vus;
    for (jeu->premier(); !jeu->finFichier(); jeu->suivant())
        vus << jeu->valeur(u"NUM"_qs).toInt();
    EXPECT_EQ(vus, QList<int>({1, 2, 4}));
    EXPECT_TRUE(jeu->valeur(u"Num"_qs).isNull()); // past the end
    jeu->dernier();
    EXPECT_EQ(jeu->valeur(u"Num"_qs).toInt(), 4);
    jeu->premier();
    jeu->suivant();
    ASSERT_TRUE(jeu->modifier());
    jeu->fixer(u"societe"_qs, u"L'Oréal"_qs);
    jeu->fixer(u"DateEnvoi"_qs, QDate(2024, 1, 5));
    EXPECT_EQ(jeu->texte(u"Societe"_qs), u"L'Oréal"_qs); // the edit shows before it is stored
    ASSERT_TRUE(jeu->mettreAJour());
    EXPECT_EQ(jeu->valeur(u"Num"_qs).toInt(), 2);

    // Only row 2 changed, and only the columns that were set.
    auto relu = b.ouvrirJeu(u"select Num, Societe, DateEnvoi, Intitule from Candidatures where Societe = ?"_qs,
                            {u"L'Oréal"_qs});
    ASSERT_EQ(relu->nombreEnregistrements(), 1);
    EXPECT_EQ(relu->valeur(u"Num"_qs).toInt(), 2);
    EXPECT_EQ(relu->texte(u"DateEnvoi"_qs), u"2024-01-05"_qs);
    EXPECT_EQ(relu->texte(u"Intitule"_qs), u"Poste"_qs);
    // A set that is not whole rows of one table cannot be edited.
    EXPECT_FALSE(relu->modifier());

    // Moving away from an edit abandons it: nothing is written to any row.
    jeu->premier();
    ASSERT_TRUE(jeu->modifier());
    jeu->fixer(u"Societe"_qs, u"Abandonnée"_qs);
    jeu->dernier();
    jeu->suivant();
    EXPECT_FALSE(jeu->enModification());
    EXPECT_FALSE(jeu->mettreAJour());
    EXPECT_FALSE(b.valeurUnique(u"select count(*) from Candidatures where Societe = ?"_qs, {u"Abandonnée"_qs})->toInt());
    jeu->premier();
    jeu->suivant();

    // An edit of a row deleted meanwhile fails and writes nothing; a bad date is refused.
    ASSERT_TRUE(b.executer(u"delete from candidatures where num = ?"_qs, {2}));
    ASSERT_TRUE(jeu->modifier());
    jeu->fixer(u"Societe"_qs, u"Fantôme"_qs);
    EXPECT_FALSE(jeu->mettreAJour());
    jeu->dernier();
    ASSERT_TRUE(jeu->modifier());
    jeu->fixer(u"DateRDV"_qs, u"2024-02-31"_qs);
    EXPECT_FALSE(jeu->mettreAJour());
    EXPECT_EQ(base->nombreCandidatures(), 2);
    EXPECT_FALSE(b.ouvrirJeu(u"select * from Candidatures where Societe = ?"_qs, {u"Fantôme"_qs})->nombreEnregistrements());
}

TEST(BaseCandidatures, PoigneesSimultaneesSurLeMemeFichier)
{
    Registre r;
    auto principale = BaseCandidatures::ouvrir(r.chemin);
    auto registre = BaseCandidatures::ouvrir(r.chemin);
    ASSERT_TRUE(principale && registre);
    ajouter(principale->base(), u"NON EMISE"_qs, {}, {});
    ajouter(principale->base(), u"NON EMISE"_qs, {}, {});
    // A record set left open in the middle of its rows holds no lock: the other handle writes.
    auto jeu = registre->base().ouvrirJeu(u"select * from Candidatures"_qs);
    ASSERT_EQ(jeu->nombreEnregistrements(), 2);
    EXPECT_TRUE(principale->base().executer(u"delete from candidatures where num = ?"_qs, {1}));
    EXPECT_EQ(registre->nombreCandidatures(), 1);
    registre->fermer();
    EXPECT_FALSE(registre->base().estOuverte());
    EXPECT_EQ(registre->nombreCandidatures(), -1);
    EXPECT_FALSE(registre->vieillirStatuts(aujourdhui));
}

TEST(BaseCandidatures, VieillissementAuxBornesDesJours)
{
    Registre r;
    auto base = BaseCandidatures::ouvrir(r.chemin);
    ASSERT_TRUE(base);
    BaseDonnees& b = base->base();
    const QString attente = u"EMISE - EN ATTENTE DE REPONSE"_qs;
    const QString aEffectuer = u"ENTRETIEN A EFFECTUER"_qs;
    const QString effectue = u"ENTRETIEN EFFECTUE - ATTENTE REPONSE"_qs;
    const QString sansReponse = u"EMISE - SANS REPONSE"_qs;
    const QString apresEntretien = u"SANS REPONSE APRES ENTRETIEN"_qs;
    const auto jours = [](int n) { return QVariant(aujourdhui.addDays(-n)); };

    struct Cas {
        QString statut;
        QVariant envoi, rdv;
        QString attendu;
    };
    const QList<Cas> cas = {
        {attente, jours(29), {}, attente},
        {attente, jours(30), {}, attente},
        {attente, jours(31), {}, sansReponse},
        {attente, {}, {}, attente},                  // never sent: no date to age from
        {u"NON EMISE"_qs, jours(90), {}, u"NON EMISE"_qs},
        {aEffectuer, {}, jours(0), aEffectuer},      // interview today
        {aEffectuer, {}, jours(1), effectue},        // yesterday
        {aEffectuer, {}, jours(30), effectue},
        {aEffectuer, {}, jours(31), apresEntretien}, // both steps in one start
        {aEffectuer, {}, jours(40), apresEntretien},
        {aEffectuer, {}, {}, aEffectuer},
        {effectue, {}, jours(30), effectue},
        {effectue, {}, jours(31), apresEntretien},
        {u"REPONSE - REFUS NET"_qs, jours(60), jours(60), u"REPONSE - REFUS NET"_qs},
    };
    QList<int> nums;
    for (const Cas& c : cas)
        nums << ajouter(b, c.statut, c.envoi, c.rdv);

    ASSERT_TRUE(base->vieillirStatuts(aujourdhui));
    for (int i = 0; i < cas.size(); ++i)
        EXPECT_EQ(statutDe(b, nums[i]), cas[i].attendu) << "cas " << i;

    // A second start the same day changes nothing more; the next day ages the 29- and 30-day rows.
    ASSERT_TRUE(base->vieillirStatuts(aujourdhui));
    EXPECT_EQ(statutDe(b, nums[1]), attente);
    ASSERT_TRUE(base->vieillirStatuts(aujourdhui.addDays(1)));
    EXPECT_EQ(statutDe(b, nums[0]), attente);
    EXPECT_EQ(statutDe(b, nums[1]), sansReponse);
    EXPECT_EQ(statutDe(b, nums[5]), effectue);
    EXPECT_EQ(statutDe(b, nums[7]), apresEntretien);
}

TEST(BaseCandidatures, LesDatesDUnRegistreVenuDAilleursSeLisentEtVieillissent)
{
    // The forms a spreadsheet or an older copy leaves, each of them the 12th of March 2025.
    for (const QString& forme :
         {u"2025-03-12"_qs, u" 2025-03-12 "_qs, u"2025-03-12 00:00:00"_qs, u"2025-03-12T08:30:00Z"_qs,
          u"2025-03-12T08:30:00.000+01:00"_qs, u"20250312"_qs, u"2025/03/12"_qs, u"2025.3.12"_qs, u"12/03/2025"_qs,
          u"12/3/2025"_qs, u"12-03-2025"_qs, u"12.03.2025"_qs, u"12/03/25"_qs, u"12/03/2025 00:00"_qs,
          u"\t12/03/2025\u00A0"_qs})
        EXPECT_EQ(Stockage::lireDateStockee(forme), QDate(2025, 3, 12)) << forme.toStdString();
    EXPECT_EQ(Stockage::lireDateStockee(u"01/02/99"_qs), QDate(1999, 2, 1));
    // None of these names a day.
    for (const QString& texte :
         {u""_qs, u"  "_qs, u"mars 2025"_qs, u"31/02/2025"_qs, u"2025-13-01"_qs, u"2025-02-30"_qs, u"45728"_qs,
          u"12/03"_qs, u"12/03/2025 midi"_qs, u"2025-03-12x"_qs, u"12/03-2025"_qs, u"0000-01-01"_qs, u"2025312"_qs,
          u"\u0661\u0662/\u0660\u0663/\u0662\u0660\u0662\u0665"_qs})
        EXPECT_FALSE(Stockage::lireDateStockee(texte)) << texte.toStdString();

    // Such a register read through the engine: its dates show, and start-up ages them.
    DossierTemporaire dossier;
    const QString chemin = dossier.chemin(u"Kerval.mdb"_qs);
    ASSERT_TRUE(BaseCandidatures::creerVideDepuis(chemin, Registres::schemaEtranger()));
    auto base = BaseCandidatures::ouvrir(chemin);
    ASSERT_TRUE(base);
    BaseDonnees& b = base->base();
    const int envoyee = ajouter(b, u"EMISE - EN ATTENTE DE REPONSE"_qs, u"12/01/2024"_qs, {});
    const int recente = ajouter(b, u"EMISE - EN ATTENTE DE REPONSE"_qs, u"2024-03-01 09:00:00"_qs, {});
    const int entretien = ajouter(b, u"ENTRETIEN A EFFECTUER"_qs, {}, u" 20240310"_qs);
    const int illisible = ajouter(b, u"EMISE - EN ATTENTE DE REPONSE"_qs, u"janvier 2024"_qs, {});
    auto jeu = b.ouvrirJeu(u"select * from Candidatures order by Num"_qs);
    ASSERT_TRUE(jeu);
    EXPECT_EQ(jeu->date(u"DateEnvoi"_qs), QDate(2024, 1, 12));
    jeu->suivant();
    EXPECT_EQ(jeu->date(u"DateEnvoi"_qs), QDate(2024, 3, 1));
    jeu->suivant();
    EXPECT_EQ(jeu->date(u"DateRDV"_qs), QDate(2024, 3, 10));
    jeu->suivant();
    EXPECT_FALSE(jeu->date(u"DateEnvoi"_qs));
    EXPECT_EQ(b.valeurUnique(u"select DATEISO(DateEnvoi) from Candidatures where Num = ?"_qs, {envoyee}),
              QVariant(u"2024-01-12"_qs));
    ASSERT_TRUE(base->vieillirStatuts(aujourdhui));
    EXPECT_EQ(statutDe(b, envoyee), u"EMISE - SANS REPONSE"_qs);
    EXPECT_EQ(statutDe(b, recente), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    EXPECT_EQ(statutDe(b, entretien), u"ENTRETIEN EFFECTUE - ATTENTE REPONSE"_qs);
    EXPECT_EQ(statutDe(b, illisible), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    // The dates stay as they were written.
    EXPECT_EQ(b.valeurUnique(u"select DateEnvoi from Candidatures where Num = ?"_qs, {envoyee}),
              QVariant(u"12/01/2024"_qs));
}

TEST(BaseCandidatures, FichierQuiNEstPasUnRegistreLaisseIntact)
{
    DossierTemporaire dossier;
    const QString chemin = dossier.chemin(u"Kerval.mdb"_qs);
    QByteArray pageAbimee("SQLite format 3", 16);
    pageAbimee += QByteArray(4080, '\xff');
    const QList<QByteArray> contenus = {
        QByteArray(),
        QByteArray("Ceci n'est pas une base.\r\n"),
        QByteArray(4096, '\0'),
        pageAbimee,
    };
    for (const QByteArray& contenu : contenus) {
        Outils::ecrireOctets(chemin, contenu);
        EXPECT_FALSE(BaseCandidatures::ouvrir(chemin));
        EXPECT_FALSE(BaseDonnees::ouvrir(chemin));
        EXPECT_EQ(Outils::lireOctets(chemin), contenu);
        EXPECT_EQ(QDir(dossier.donnees()).entryList(QDir::Files), QStringList(u"Kerval.mdb"_qs));
    }
    QFile::remove(chemin);

    // A missing file is not created; a folder of that name is refused.
    EXPECT_FALSE(BaseCandidatures::ouvrir(chemin));
    EXPECT_FALSE(QFileInfo::exists(chemin));
    ASSERT_TRUE(QDir().mkpath(chemin));
    EXPECT_FALSE(BaseCandidatures::ouvrir(chemin));
    EXPECT_TRUE(QDir(chemin).isEmpty());
    QDir(chemin).removeRecursively();
    // Nor is a pipe of that name read (that would wait for a writer for ever).
    ASSERT_EQ(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
    EXPECT_FALSE(BaseCandidatures::ouvrir(chemin));
    QFile::remove(chemin);

    // A sound SQLite file without the table is a database but not a register.
    ASSERT_TRUE(BaseCandidatures::creerVideDepuis(chemin, u"create table Autre (x integer);"_qs));
    const QByteArray autre = Outils::lireOctets(chemin);
    EXPECT_TRUE(BaseDonnees::ouvrir(chemin));
    EXPECT_FALSE(BaseCandidatures::ouvrir(chemin));
    EXPECT_EQ(Outils::lireOctets(chemin), autre);
}

TEST(BaseCandidatures, RegistreVerrouilleParUnAutre)
{
    Registre r;
    {
        auto base = BaseCandidatures::ouvrir(r.chemin);
        ajouter(base->base(), u"EMISE - EN ATTENTE DE REPONSE"_qs, QDate(2023, 1, 1), {});
    }
    auto autre = BaseDonnees::ouvrir(r.chemin);
    ASSERT_TRUE(autre);
    ASSERT_TRUE(autre->executer(u"begin exclusive"_qs));
    // Waits for the lock, then gives up without a crash or a write. The file is only busy.
    Stockage::Etat etat = Stockage::Etat::Ouverte;
    auto base = BaseCandidatures::ouvrir(r.chemin, &etat);
    if (base)
        EXPECT_FALSE(base->vieillirStatuts(aujourdhui));
    else
        EXPECT_EQ(etat, Stockage::Etat::Occupee);
    ASSERT_TRUE(autre->executer(u"rollback"_qs));
    autre.reset();
    base = BaseCandidatures::ouvrir(r.chemin);
    ASSERT_TRUE(base);
    EXPECT_EQ(statutDe(base->base(), 1), u"EMISE - EN ATTENTE DE REPONSE"_qs);

    // A reader in the middle of its own transaction lets the ageing write but not commit: the
    // ageing gives up whole, and the handle is left outside any transaction, so that what it
    // writes next is stored for everyone.
    autre = BaseDonnees::ouvrir(r.chemin);
    ASSERT_TRUE(autre->executer(u"begin"_qs));
    ASSERT_TRUE(autre->valeurUnique(u"select count(*) from Candidatures"_qs));
    EXPECT_FALSE(base->vieillirStatuts(aujourdhui));
    ASSERT_TRUE(autre->executer(u"rollback"_qs));
    EXPECT_EQ(statutDe(*autre, 1), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    ajouter(base->base(), u"NON EMISE"_qs, {}, {});
    EXPECT_EQ(autre->valeurUnique(u"select count(*) from Candidatures"_qs)->toInt(), 2);
    EXPECT_TRUE(base->vieillirStatuts(aujourdhui));
    EXPECT_EQ(statutDe(*autre, 1), u"EMISE - SANS REPONSE"_qs);
}

TEST(BaseCandidatures, RegistreAbimeAuMilieuNiOuvertNiEcrit)
{
    DossierTemporaire dossier;
    const QString chemin = dossier.chemin(u"Kerval.mdb"_qs);
    const QByteArray abime = Registres::creerAbime(chemin);
    ASSERT_FALSE(abime.isEmpty());
    // The header and the first page are sound: only the check of every page finds the damage.
    Stockage::Etat etat = Stockage::Etat::Ouverte;
    EXPECT_FALSE(BaseCandidatures::ouvrir(chemin, &etat));
    EXPECT_EQ(etat, Stockage::Etat::Endommagee);
    EXPECT_FALSE(BaseDonnees::ouvrir(chemin, &etat));
    EXPECT_EQ(etat, Stockage::Etat::Endommagee);
    EXPECT_EQ(Outils::lireOctets(chemin), abime);
    EXPECT_EQ(QDir(dossier.donnees()).entryList(QDir::Files), QStringList(u"Kerval.mdb"_qs));

    // A register found sound earlier in the run and damaged since is checked again.
    const QString autre = dossier.chemin(u"Autre.mdb"_qs);
    ASSERT_TRUE(BaseCandidatures::creerVide(autre));
    {
        auto base = BaseCandidatures::ouvrir(autre);
        ASSERT_TRUE(base);
        ajouter(base->base(), u"NON EMISE"_qs, {}, {});
    }
    ASSERT_TRUE(BaseCandidatures::ouvrir(autre));
    QFile f(autre);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(4096); // the table's first page
    f.write(QByteArray(4096, '\xa5'));
    f.close();
    EXPECT_FALSE(BaseCandidatures::ouvrir(autre, &etat));
    EXPECT_EQ(etat, Stockage::Etat::Endommagee);

    // Missing, foreign: said as such.
    EXPECT_FALSE(BaseCandidatures::ouvrir(dossier.chemin(u"Absent.mdb"_qs), &etat));
    EXPECT_EQ(etat, Stockage::Etat::Absente);
    Outils::ecrireOctets(dossier.chemin(u"Texte.mdb"_qs), "Ceci n'est pas un registre.");
    EXPECT_FALSE(BaseCandidatures::ouvrir(dossier.chemin(u"Texte.mdb"_qs), &etat));
    EXPECT_EQ(etat, Stockage::Etat::Illisible);
}

TEST(BaseCandidatures, RegistreEnLectureSeuleLuMaisJamaisEcrit)
{
    Registre r;
    {
        auto base = BaseCandidatures::ouvrir(r.chemin);
        ajouter(base->base(), u"EMISE - EN ATTENTE DE REPONSE"_qs, QDate(2023, 1, 1), {});
        ajouter(base->base(), u"NON EMISE"_qs, {}, {});
    }
    const QByteArray avant = Outils::lireOctets(r.chemin);
    Registres::FichierProtege protege(r.chemin);
    ASSERT_TRUE(protege.actif());

    Stockage::Etat etat = Stockage::Etat::Ouverte;
    auto base = BaseCandidatures::ouvrir(r.chemin, &etat);
    ASSERT_TRUE(base) << "a register that can be read is opened for reading";
    EXPECT_EQ(etat, Stockage::Etat::LectureSeule);
    EXPECT_TRUE(base->lectureSeule());
    EXPECT_EQ(base->nombreCandidatures(), 2);
    EXPECT_EQ(statutDe(base->base(), 1), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    // Nothing is written: no ageing, no new row, no journal beside the file.
    EXPECT_FALSE(base->vieillirStatuts(aujourdhui));
    auto jeu = base->base().ouvrirJeu(u"select * from Candidatures"_qs);
    ASSERT_TRUE(jeu && jeu->ajouterNouveau());
    jeu->fixer(u"Intitule"_qs, u"Poste"_qs);
    EXPECT_FALSE(jeu->mettreAJour());
    EXPECT_FALSE(base->base().executer(u"delete from candidatures "_qs));
    base.reset();
    EXPECT_EQ(Outils::lireOctets(r.chemin), avant);
    EXPECT_EQ(QDir(r.dossier.donnees()).entryList(QDir::Files), QStringList(u"Kerval.mdb"_qs));
}

// A write that fails says why, as the system told the engine, through the record set's edit as
// through a statement; a write that succeeds afterwards clears it.
TEST(BaseCandidatures, UnEchecDEcritureDitSaCause)
{
    Registre r;
    auto ecrireGrand = [](BaseDonnees& base) {
        auto jeu = base.ouvrirJeu(u"select * from Candidatures"_qs);
        EXPECT_TRUE(jeu && jeu->ajouterNouveau());
        jeu->fixer(u"Description"_qs, QString(100000, u'x'));
        return jeu->mettreAJour();
    };
    {
        // The file may grow no more than it is: the engine finds the disk full.
        auto base = BaseCandidatures::ouvrir(r.chemin);
        ASSERT_TRUE(base);
        const int pages = base->base().valeurUnique(u"PRAGMA page_count"_qs)->toInt();
        ASSERT_TRUE(base->base().executer(u"PRAGMA max_page_count = %1"_qs.arg(pages)));
        EXPECT_FALSE(ecrireGrand(base->base()));
        EXPECT_EQ(base->base().causeEchec(), Stockage::Cause::DisquePlein);
        EXPECT_TRUE(base->base().executer(u"update Candidatures set Statut = 'NON EMISE'"_qs));
        EXPECT_EQ(base->base().causeEchec(), Stockage::Cause::Inconnue);
    }
    {
        // Held by another program that is writing.
        auto autre = BaseDonnees::ouvrir(r.chemin);
        ASSERT_TRUE(autre && autre->executer(u"begin immediate"_qs));
        auto base = BaseCandidatures::ouvrir(r.chemin);
        ASSERT_TRUE(base);
        EXPECT_FALSE(base->base().executer(u"delete from candidatures "_qs));
        EXPECT_EQ(base->base().causeEchec(), Stockage::Cause::Occupee);
        autre->executer(u"rollback"_qs);
    }
    {
        // A file that may not be written (for root too): no right to write.
        Registres::FichierProtege protege(r.chemin);
        ASSERT_TRUE(protege.actif());
        auto base = BaseCandidatures::ouvrir(r.chemin);
        ASSERT_TRUE(base && base->lectureSeule());
        EXPECT_FALSE(ecrireGrand(base->base()));
        EXPECT_EQ(base->base().causeEchec(), Stockage::Cause::Permission);
        EXPECT_FALSE(base->base().executer(u"delete from candidatures "_qs));
        EXPECT_EQ(base->base().causeEchec(), Stockage::Cause::Permission);
    }
    {
        // Every number given: the largest one taken, the engine has none for a new row. That is
        // no full disk, and the user is told which.
        auto base = BaseCandidatures::ouvrir(r.chemin);
        ASSERT_TRUE(base);
        ASSERT_TRUE(base->base().executer(u"insert into Candidatures (Num, Intitule) values (?, 'Dernier')"_qs,
                                          {std::numeric_limits<qint64>::max()}));
        EXPECT_FALSE(ecrireGrand(base->base()));
        EXPECT_EQ(base->base().causeEchec(), Stockage::Cause::NumerosEpuises);
        EXPECT_EQ(BaseCandidatures::messageEchecEnregistrement(Stockage::Cause::NumerosEpuises, false),
                  u"Le registre des candidatures ne peut pas être enregistré : le registre a donné tous ses numéros "
                  "de candidature : le plus grand numéro possible est déjà pris, et une nouvelle candidature ne peut "
                  "plus en recevoir. Les candidatures déjà enregistrées restent intactes. Les informations saisies "
                  "restent affichées."_qs);
        // The applications stored still take their changes.
        EXPECT_TRUE(base->base().executer(u"update Candidatures set Statut = 'NON EMISE'"_qs));
    }
    EXPECT_EQ(Stockage::causeOuverture(Stockage::Etat::Absente), Stockage::Cause::Absente);
    EXPECT_EQ(Stockage::causeOuverture(Stockage::Etat::Endommagee), Stockage::Cause::Endommagee);
}

#include "register/capture/analyseur_annonce.h"
#include "shell/services/fonctionnel.h"
#include "support/outils.h"

#include <QSet>
#include <gtest/gtest.h>

using Annonce::AnalyserAnnonce;

namespace {

// The day the golden cases take for today unless their folder says otherwise.
const QDate JourDesCas(2025, 3, 15);

QString crlf(QString texte)
{
    texte.replace(u"\r\n"_qs, u"\n"_qs);
    texte.replace(u"\n"_qs, u"\r\n"_qs);
    return texte;
}

// A field as the case files write it, between brackets so that blanks show.
std::string montrer(const QString& v)
{
    QString m = v;
    m.replace(u"\r\n"_qs, u"<N>"_qs);
    return (u'[' + m + u']').toStdString();
}

ChampsCandidature analyser(const QString& texte, const ChampsCandidature& avant = {},
                           const QString& adresse = u"about:blank"_qs)
{
    return AnalyserAnnonce(texte, avant, adresse, JourDesCas);
}

} // namespace

// Every folder of tests/cas/annonce (and of $KERVAL_CAS/annonce): annonce.txt analysed with the
// fields of avant.txt, the address of adresse.txt and the day of aujourdhui.txt gives attendu.txt.
TEST(AnalyseurAnnonce, CasEnregistres)
{
    const QStringList dossiers = Outils::dossiersCas(u"annonce"_qs);
    ASSERT_FALSE(dossiers.isEmpty());
    for (const QString& dossier : dossiers) {
        SCOPED_TRACE(dossier.toStdString());
        const QString texte = crlf(Outils::lireCas(dossier, u"annonce.txt"_qs));
        const ChampsCandidature avant = Outils::lireValeurs(Outils::lireCas(dossier, u"avant.txt"_qs));
        const QString adresse = Outils::lireCas(dossier, u"adresse.txt"_qs, u"about:blank"_qs).trimmed();
        const QString jour = Outils::lireCas(dossier, u"aujourdhui.txt"_qs).trimmed();
        const QDate aujourdhui = jour.isEmpty() ? JourDesCas : Fonctionnel::LireDate(jour).value_or(QDate());
        ASSERT_TRUE(aujourdhui.isValid()) << jour.toStdString();
        const QMap<QString, QString> attendu = Outils::lireValeurs(Outils::lireCas(dossier, u"attendu.txt"_qs));
        ASSERT_FALSE(attendu.isEmpty());

        const ChampsCandidature obtenu = AnalyserAnnonce(texte, avant, adresse, aujourdhui);
        QSet<QString> vus;
        for (const QString& champ : Annonce::ChampsAnalyses()) {
            EXPECT_EQ(montrer(obtenu.value(champ)), montrer(attendu.value(champ))) << champ.toStdString();
            vus.insert(champ);
        }
        for (auto it = attendu.cbegin(); it != attendu.cend(); ++it)
            if (!vus.contains(it.key()))
                EXPECT_EQ(montrer(obtenu.value(it.key())), montrer(it.value())) << it.key().toStdString();
        // What the analyser never writes comes back as it was.
        for (auto it = avant.cbegin(); it != avant.cend(); ++it)
            if (!vus.contains(it.key()) && !attendu.contains(it.key()))
                EXPECT_EQ(obtenu.value(it.key()), it.value()) << it.key().toStdString();
    }
}

TEST(AnalyseurAnnonce, LesTextesDegeneresPassentSansFaute)
{
    const QStringList textes = {
        QString(), u"Vendeur"_qs, u"          "_qs, u"\r\n\r\n\r\n\r\n\r\n"_qs, u"@"_qs, u"@x.fr"_qs,
        u"ecrire a jean.dupont@acme."_qs, u"H/F"_qs, u"."_qs, u" - - - "_qs, u"TEL"_qs, u"REFERENCE DE"_qs,
        u"RUE 75002"_qs, u"GROUPE"_qs, u"A GROUPE"_qs, u"X EST"_qs, u"CONTACT M"_qs,
    };
    for (const QString& t : textes) {
        SCOPED_TRACE(montrer(t));
        const ChampsCandidature r = analyser(t);
        for (const QString& champ : Annonce::ChampsAnalyses())
            if (champ != u"Description"_qs && champ != u"Email"_qs && champ != u"Societe"_qs
                && champ != u"NomContact"_qs && champ != u"Origine"_qs)
                EXPECT_EQ(montrer(r.value(champ)), "[]") << champ.toStdString();
    }
    EXPECT_EQ(analyser(QString()).value(u"Description"_qs), QString());
    EXPECT_EQ(analyser(u"\r\n\r\n\r\n\r\n\r\n"_qs).value(u"Description"_qs), u"\r\n\r\n\r\n"_qs);
    // "@" first: the address is what follows it; "@" last: no address.
    const ChampsCandidature premier = analyser(u"@acme.fr ecrit"_qs);
    EXPECT_EQ(premier.value(u"Email"_qs), u"@acme.fr"_qs);
    EXPECT_EQ(premier.value(u"Societe"_qs), u"ACME"_qs);
    EXPECT_EQ(premier.value(u"NomContact"_qs), u" "_qs);
    const ChampsCandidature dernier = analyser(u"ecrire a jean@"_qs, {{u"Societe"_qs, u"X"_qs}});
    EXPECT_EQ(dernier.value(u"Email"_qs), QString());
    EXPECT_EQ(dernier.value(u"Societe"_qs), u"X"_qs);
}

TEST(AnalyseurAnnonce, UnTexteDUnMegaOctetEstAnalyseEntier)
{
    QString ligne = u"Ingénieur commercial H/F - Société ACME - Lieu : Paris - Tél : 01 23 45 67 89 - "_qs
                    u"Référence : AB1234 - 12 rue de la Paix 75002 PARIS - contact@acme.fr\r\n"_qs;
    QString texte;
    while (texte.size() < 1024 * 1024)
        texte += ligne;
    const ChampsCandidature r = analyser(texte);
    EXPECT_EQ(r.value(u"Intitule"_qs), u"Ingenieur Commercial "_qs);
    EXPECT_EQ(r.value(u"Societe"_qs), u"ACME"_qs);
    EXPECT_EQ(r.value(u"Lieu"_qs), u"Paris "_qs);
    EXPECT_EQ(r.value(u"Telephone"_qs), u"01 23 45 67 89 "_qs);
    EXPECT_EQ(r.value(u"CP"_qs), u"75002"_qs);
    EXPECT_EQ(r.value(u"Description"_qs).size(), texte.size());
    // One line without any line end, a million characters long.
    QString mur = QString(u"ab "_qs).repeated(350000);
    const ChampsCandidature m = analyser(u"SOCIETE CLIENT "_qs + mur + u"@"_qs + mur);
    EXPECT_EQ(m.value(u"Email"_qs), QString());
}

// The analysis can be run again on the same application: the fields it fills only when empty keep
// what the first run found, the others follow their own rules.
TEST(AnalyseurAnnonce, UneSecondeAnalyseGardeCeQueLaPremiereATrouve)
{
    const QString premier = u"Vendeur H/F\r\nLieu : Lyon\r\nSalaire : 2000 euros\r\nRef : AB12345678\r\nx y"_qs;
    const ChampsCandidature r1 = analyser(premier);
    EXPECT_EQ(r1.value(u"Lieu"_qs), u"Lyon "_qs);
    EXPECT_EQ(r1.value(u"Reference"_qs), u"AB12345678 "_qs);
    const ChampsCandidature r2 =
        analyser(u"Caissier H/F\r\nLieu : Nantes\r\nRef : ZZ99\r\nx y"_qs, r1);
    EXPECT_EQ(r2.value(u"Intitule"_qs), u"Vendeur "_qs);
    EXPECT_EQ(r2.value(u"Lieu"_qs), u"Lyon "_qs);
    EXPECT_EQ(r2.value(u"Salaire"_qs), u"2000 Euros "_qs);
    EXPECT_EQ(r2.value(u"Reference"_qs), u"ZZ99 "_qs);
    EXPECT_EQ(r2.value(u"Description"_qs), u"Caissier H/F\r\nLieu : Nantes\r\nRef : ZZ99\r\nx y"_qs);
}

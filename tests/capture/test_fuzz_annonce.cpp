// Random and mutated advertisements. The analyser finds where its company and telephone
// collections end without walking the words again at every key word, and collects the contact and
// the reference only at their last key word: a plain word-by-word model of those blocks, run on
// texts dense in key words, must give the same fields.
#include "register/capture/analyseur_annonce.h"
#include "register/capture/vocabulaire_annonce.h"
#include "shell/services/fonctionnel.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using Fonctionnel::Valeur;

namespace {

const QDate Jour(2025, 3, 15);

struct Modele {
    QString societe, nomContact, telephone, reference;
};

bool rejeteSociete(const QString& s)
{
    for (const QString& r : Annonce::RejetsSociete())
        if (s.contains(r))
            return true;
    return false;
}

// The company, contact, telephone and reference blocks read literally, word after word, then the
// second chance for the company and the completion from the source.
Modele modele(const QString& normalise, const QString& origine)
{
    QStringList m = (u' ' + normalise).split(u' ');
    const qsizetype n = m.size() - 1;
    Modele r;
    for (qsizetype i = 1; i <= n - 1; ++i) {
        if (m[i].size() > 12 && m[i].indexOf(u'/') >= 5)
            m[i] = m[i].left(m[i].indexOf(u'/'));
        const QString w = m[i], avant = m[i - 1];
        if (r.societe.isEmpty() && (w == u"SOCIETE"_qs || w == u"ENTREPRISE"_qs || (avant == u"CANDIDATURE"_qs && w == u"A"_qs))) {
            for (qsizetype k = 1; i + k <= n; ++k) {
                const QString x = m[i + k];
                if (x == u"."_qs && r.societe.size() >= 3)
                    break;
                if (x != u"."_qs)
                    r.societe += x + u' ';
            }
            if (rejeteSociete(r.societe))
                r.societe.clear();
        }
        if (w == u"CONTACT"_qs || w == u"MR"_qs || w == u"MONSIEUR"_qs || w == u"MLE"_qs || w == u"M"_qs || w == u"MME"_qs
            || w == u"MLLE"_qs || (avant == u"TRANSMISE"_qs && w == u"A"_qs)) {
            r.nomContact.clear();
            for (qsizetype k = 1;; ++k) {
                if (i + k >= n - 1)
                    break;
                const QString x = m[i + k];
                if (Valeur(x) != 0 || (x == u"."_qs && r.nomContact.size() >= 3))
                    break;
                if (x != u"."_qs)
                    r.nomContact += x + u' ';
            }
            r.nomContact = Fonctionnel::NormaliserTexte(r.nomContact) + u' ';
            for (const char* rejet : {"CLIENT", " DU ", " D ", " UNE ", " LES ", " POUR ", " DE "})
                if (r.nomContact.contains(QLatin1String(rejet)))
                    r.nomContact.clear();
            r.nomContact = Fonctionnel::FormaterNomPropre(r.nomContact);
        }
        if (r.telephone.isEmpty()) {
            if (w == u"PH"_qs || w == u"TEL"_qs || w == u"TELEPHONE"_qs)
                for (qsizetype k = 1;; ++k) {
                    if (i + k >= n)
                        break;
                    const QString x = m[i + k];
                    if ((x == u"."_qs && r.telephone.size() >= 3) || x == u"OU"_qs)
                        break;
                    if (x != u"."_qs)
                        r.telephone += x + u' ';
                }
            if (i > 6 && Valeur(m[i - 4]) > 0 && Valeur(m[i - 3]) > 0 && Valeur(m[i - 2]) > 0
                && Valeur(m[i - 1]) > 0 && Valeur(m[i]) > 0)
                r.telephone = m.mid(i - 4, 5).join(u' ');
            if (Valeur(Fonctionnel::NormaliserTexte(r.telephone)) == 0)
                r.telephone.clear();
        }
        if (w.right(9) == u"REFERENCE"_qs || (avant == u"D"_qs && w == u"OFFRE"_qs) || w == u"REF"_qs) {
            qsizetype k = m[i + 1] == u"DE"_qs ? 4 : 1;
            r.reference.clear();
            while (!((k == 2 && r.reference.size() > 8) || i + k >= n
                     || (r.reference.size() > 3 && m[i + k] == u"."_qs))) {
                if (m[i + k] != u"."_qs)
                    r.reference += m[i + k] + u' ';
                ++k;
            }
        }
    }
    if (r.societe.isEmpty())
        for (qsizetype i = 1; i <= n - 1; ++i) {
            if (m[i] == u"EST"_qs && m[i - 1] != u"N"_qs)
                r.societe = m[i - 1];
            if (m[i] == u"GROUPE"_qs)
                r.societe = u"GROUPE "_qs + m[i + 1] + (i + 2 <= n ? u' ' + m[i + 2] : QString());
        }
    if (rejeteSociete(r.societe))
        r.societe.clear();
    if (r.societe.isEmpty() && !r.nomContact.isEmpty())
        r.societe = r.nomContact;
    if (r.societe.isEmpty())
        r.societe = origine;
    return r;
}

// Key words of those blocks and what ends or rejects their collections.
const QStringList Vocabulaire = {
    u"SOCIETE"_qs, u"ENTREPRISE"_qs, u"CANDIDATURE"_qs, u"A"_qs, u"CLIENT"_qs, u"CLIENTES"_qs, u"CONTACTS"_qs,
    u"DU"_qs, u"LE"_qs, u"L"_qs, u"VOTRE"_qs, u"DES"_qs, u"UNE"_qs, u"POUR"_qs, u"DE"_qs, u"D"_qs,
    u"CONTACT"_qs, u"MME"_qs, u"M"_qs, u"TRANSMISE"_qs, u"TEL"_qs, u"PH"_qs, u"TELEPHONE"_qs, u"OU"_qs,
    u"0"_qs, u"00"_qs, u"01"_qs, u"5"_qs, u"0A"_qs, u"0/5"_qs, u"123"_qs, u"REF"_qs, u"REFERENCE"_qs,
    u"PREFERENCE"_qs, u"OFFRE"_qs, u"EST"_qs, u"N"_qs, u"GROUPE"_qs, u"X"_qs, u"AB"_qs, u"ACME"_qs,
    u"LONGUEUR/MOTS"_qs, u"ABCDEFGH/IJKLMNOP"_qs, u"\r\n"_qs, u"\r\n"_qs, u"."_qs,
};

QString texteAuHasard(QRandomGenerator& g)
{
    const int mots = int(g.bounded(0, 120));
    QString t;
    for (int k = 0; k < mots; ++k) {
        t += Vocabulaire.at(int(g.bounded(qsizetype(Vocabulaire.size()))));
        t += u' ';
    }
    return t;
}

// Characters that the analyser's steps react to, and others it must survive.
QString bruitAuHasard(QRandomGenerator& g)
{
    static const QStringList morceaux = {
        u"@"_qs, u"H/F"_qs, u":"_qs, u"\r\n"_qs, u"\r"_qs, u"\n"_qs, u" "_qs, u"  "_qs, u"."_qs, u" - "_qs,
        u"-"_qs, u"/"_qs, u"é"_qs, u"ß"_qs, u"\U0001F600"_qs, u"\t"_qs, u","_qs, u"0"_qs, u"75002"_qs,
        u"2025"_qs, u"12/03/2025"_qs, u"RUE"_qs, u"BP"_qs, u"CEDEX"_qs, u"Offre suivante >>"_qs,
        u"Pour postuler à cette offre"_qs, u"Vendeur"_qs, u"www"_qs, u"x"_qs, u"é."_qs, QString(QChar(0)),
        u"\u00a0"_qs, u"SOCIETE"_qs, u"TEL"_qs, u"REF"_qs, u"CONTACT"_qs, u"LIEU"_qs, u"SALAIRE"_qs,
        u"DUREE ENVISAGEE"_qs, u"GROUPE"_qs, u"EST"_qs,
    };
    const int n = int(g.bounded(0, 400));
    QString t;
    for (int k = 0; k < n; ++k)
        t += morceaux.at(int(g.bounded(qsizetype(morceaux.size()))));
    return t;
}

QString muter(QString t, QRandomGenerator& g)
{
    const int n = int(g.bounded(1, 8));
    for (int k = 0; k < n && !t.isEmpty(); ++k) {
        const qsizetype p = g.bounded(t.size());
        const qsizetype l = g.bounded(qsizetype(1), std::min<qsizetype>(40, t.size() - p) + 1);
        switch (g.bounded(3)) {
        case 0: t.remove(p, l); break;
        case 1: t.insert(p, t.mid(g.bounded(t.size()), l)); break;
        default: t.insert(p, bruitAuHasard(g).left(l)); break;
        }
    }
    return t;
}

const QString AnnonceType =
    u"Accueil > Offres > Commerce\r\nPubliée le 12/03/2025 - Réf. : 25-ABC-123\r\n"_qs
    u"Attaché commercial H/F\r\nSociété : ACME Distribution\r\nLieu de travail : Lyon (69)\r\n"_qs
    u"Contrat : CDI - Salaire : 30 K€ brut annuel\r\nContact : Mme Claire Durand - Tél : 04 72 00 11 22\r\n"_qs
    u"Envoyez votre CV à recrutement@acme-distribution.fr\r\nACME, 12 rue de la République BP 45 69002 LYON CEDEX 02\r\n"_qs
    u"Durée envisagée : 6 mois\r\nOffre suivante >>\r\n"_qs;

// Seconds of random runs: a few in the suite, more when KERVAL_FUZZ_SECONDES asks for it.
double dureeFuzz(double parDefaut)
{
    bool ok = false;
    const double s = qEnvironmentVariable("KERVAL_FUZZ_SECONDES").toDouble(&ok);
    return ok && s > 0 ? s : parDefaut;
}

} // namespace

TEST(FuzzAnnonce, LesBlocsRapidesDonnentCeQueDonneLaLectureMotAMot)
{
    QRandomGenerator g(20250315);
    QElapsedTimer montre;
    montre.start();
    const ChampsCandidature avant = {{u"Origine"_qs, u"ORIG"_qs}};
    int essais = 0;
    while (essais < 300 || montre.elapsed() < dureeFuzz(1.5) * 1000) {
        const QString texte = texteAuHasard(g);
        const ChampsCandidature r = Annonce::AnalyserAnnonce(texte, avant, u"about:blank"_qs, Jour);
        const Modele m = modele(Fonctionnel::NormaliserTexte(texte), u"ORIG"_qs);
        ASSERT_EQ(r.value(u"Societe"_qs).toStdString(), m.societe.toStdString()) << texte.toStdString();
        ASSERT_EQ(r.value(u"NomContact"_qs).toStdString(), m.nomContact.toStdString()) << texte.toStdString();
        ASSERT_EQ(r.value(u"Telephone"_qs).toStdString(), m.telephone.toStdString()) << texte.toStdString();
        ASSERT_EQ(r.value(u"Reference"_qs).toStdString(), m.reference.toStdString()) << texte.toStdString();
        ++essais;
    }
    RecordProperty("essais", essais);
}

TEST(FuzzAnnonce, DesAnnoncesAuHasardOuAbimeesRespectentLeContrat)
{
    QRandomGenerator g(1105);
    QElapsedTimer montre;
    montre.start();
    // Fields the analyser writes only when they are empty.
    const QStringList siVides = {u"Email"_qs, u"Nature"_qs, u"Intitule"_qs, u"Lieu"_qs, u"Salaire"_qs,
                                 u"DateDiffusion"_qs, u"Telephone"_qs, u"Duree"_qs, u"CP"_qs,
                                 u"Ville"_qs, u"www"_qs, u"Origine"_qs};
    int essais = 0;
    while (essais < 300 || montre.elapsed() < dureeFuzz(1.5) * 1000) {
        const QString texte = (essais % 2) ? muter(AnnonceType, g) : bruitAuHasard(g);
        ChampsCandidature avant;
        if (essais % 3 == 0)
            for (const QString& c : siVides)
                avant.insert(c, u"déjà"_qs);
        avant.insert(u"Statut"_qs, u"NON EMISE"_qs);
        const QString adresse = (essais % 5 == 0) ? u"https://www.jobdirect.fr/offre/1"_qs : u"about:blank"_qs;
        const ChampsCandidature r = Annonce::AnalyserAnnonce(texte, avant, adresse, Jour);
        ASSERT_EQ(r.value(u"Statut"_qs), u"NON EMISE"_qs);
        for (const QString& c : siVides)
            if (!avant.value(c).isEmpty())
                ASSERT_EQ(r.value(c).toStdString(), avant.value(c).toStdString()) << c.toStdString();
        ASSERT_LE(r.value(u"Description"_qs).size(), texte.size());
        const QString cp = r.value(u"CP"_qs);
        ASSERT_TRUE(cp.isEmpty() || cp == u"déjà"_qs || Fonctionnel::EstCodePostal(cp)) << cp.toStdString();
        const QString email = r.value(u"Email"_qs);
        ASSERT_TRUE(email.isEmpty() || email == u"déjà"_qs || (email.contains(u'@') && email.contains(u'.')));
        ++essais;
    }
    RecordProperty("essais", essais);
}

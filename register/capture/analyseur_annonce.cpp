#include "register/capture/analyseur_annonce.h"

#include "register/capture/raccourcir_texte.h"
#include "register/capture/vocabulaire_annonce.h"
#include "shell/services/fonctionnel.h"

#include <QLocale>
#include <QSet>
#include <algorithm>
#include <vector>

namespace Annonce {

const QStringList& ChampsAnalyses()
{
    static const QStringList liste = {
        u"Description"_qs, u"Email"_qs, u"Societe"_qs, u"NomContact"_qs, u"Nature"_qs, u"Intitule"_qs,
        u"Lieu"_qs,        u"Salaire"_qs, u"DateDiffusion"_qs, u"Telephone"_qs, u"Duree"_qs,
        u"Reference"_qs,   u"CP"_qs,    u"Ville"_qs,   u"Adresse"_qs, u"www"_qs, u"Origine"_qs,
    };
    return liste;
}

namespace {

// The fields one analysis works on.
struct Fiche {
    QString description, email, societe, nomContact, nature, intitule, lieu, salaire, dateDiffusion,
        telephone, duree, reference, cp, ville, adresse, www, origine;

    QString* champ(qsizetype rang)
    {
        QString* const champs[] = {&description, &email,     &societe, &nomContact, &nature, &intitule,
                                   &lieu,        &salaire,   &dateDiffusion,       &telephone, &duree,
                                   &reference,   &cp,        &ville,   &adresse,    &www,    &origine};
        return champs[rang];
    }
};

inline bool estPoint(const QString& mot) { return mot.size() == 1 && mot.at(0) == u'.'; }

inline bool egal(const QString& mot, QLatin1String texte) { return mot == texte; }

bool estMetier(const QString& mot)
{
    static const QSet<QString> metiers(ListeMetiers().cbegin(), ListeMetiers().cend());
    if (metiers.contains(mot))
        return true;
    return mot.endsWith(u'S') && metiers.contains(mot.chopped(1));
}

bool estRejeteSociete(const QString& societe)
{
    for (const QString& rejet : RejetsSociete())
        if (societe.contains(rejet))
            return true;
    return false;
}

// The common collecting rule: from entry `debut` up to entry `derniere` at most, append the form of
// each word and a blank; a "." ends it once the field holds 3 characters, otherwise it is skipped.
template <typename Arret, typename Saute, typename Forme>
void collecter(const QStringList& mots, qsizetype debut, qsizetype derniere, QString& champ, Arret arret,
               Saute saute, Forme forme)
{
    for (qsizetype j = debut; j <= derniere; ++j) {
        const QString& w = mots.at(j);
        const bool point = estPoint(w);
        if ((point && champ.size() >= 3) || arret(w))
            break;
        if (!point && !saute(w)) {
            champ += forme(w);
            champ += u' ';
        }
    }
}

const auto jamais = [](const QString&) { return false; };
const auto tel = [](const QString& w) { return w; };
const auto nomPropre = [](const QString& w) { return Fonctionnel::FormaterNomPropre(w); };

// Where the collections of the company and telephone blocks end, found without walking the words:
// for every entry, the next "." / word other than "." / "OU" / word that decides the telephone's
// numeric value at or after it (n + 1 when none), and running counts of the words that reject a
// company name.
struct IndexMots {
    qsizetype n = 0;
    std::vector<qsizetype> point, mot, ou, decisif;
    std::vector<qsizetype> rejetDansMot, rejetMotEntier; // counts over entries [0, j)

    explicit IndexMots(const QStringList& mots)
    {
        n = mots.size() - 1;
        const size_t taille = size_t(n + 2);
        point.assign(taille, n + 1);
        mot.assign(taille, n + 1);
        ou.assign(taille, n + 1);
        decisif.assign(taille, n + 1);
        for (qsizetype j = n; j >= 0; --j) {
            const QString& w = mots.at(j);
            const bool p = estPoint(w);
            point[size_t(j)] = p ? j : point[size_t(j + 1)];
            mot[size_t(j)] = p ? mot[size_t(j + 1)] : j;
            ou[size_t(j)] = egal(w, QLatin1String("OU")) ? j : ou[size_t(j + 1)];
            const bool zeros = std::all_of(w.cbegin(), w.cend(), [](QChar c) { return c == u'0'; });
            decisif[size_t(j)] = (!p && !zeros) ? j : decisif[size_t(j + 1)];
        }
        static const QSet<QString> motsRejet = {u"DU"_qs,  u"LE"_qs,  u"VOTRE"_qs, u"VOS"_qs,
                                                u"UNE"_qs, u"LES"_qs, u"DES"_qs,   u"L"_qs};
        rejetDansMot.assign(taille, 0);
        rejetMotEntier.assign(taille, 0);
        for (qsizetype j = 0; j <= n; ++j) {
            const QString& w = mots.at(j);
            const bool dans = w.contains(QLatin1String("CLIENT")) || w.contains(QLatin1String("CONTACT"));
            rejetDansMot[size_t(j + 1)] = rejetDansMot[size_t(j)] + (dans ? 1 : 0);
            rejetMotEntier[size_t(j + 1)] = rejetMotEntier[size_t(j)] + (motsRejet.contains(w) ? 1 : 0);
        }
    }
};

// The entry at which a collection from `debut` into an empty field, appending every word other than
// ".", meets a "." with 3 characters or more collected; n + 1 when it never does.
qsizetype finParPoint(const IndexMots& index, const QStringList& mots, qsizetype debut)
{
    const qsizetype n = index.n;
    // Each word appended counts its length and a blank: one word of 2 characters makes the 3, and
    // at most three words do (a very long run of blanks leaves empty words of 1 each).
    qsizetype assez = index.mot[size_t(debut)];
    for (qsizetype taille = 0; assez <= n; assez = index.mot[size_t(assez + 1)]) {
        taille += mots.at(assez).size() + 1;
        if (taille >= 3)
            break;
    }
    if (assez > n)
        return n + 1;
    return index.point[size_t(assez + 1)];
}

// Company block from entry `debut`: true when the collected name would hold none of the rejecting
// texts (the collection appends every word other than "." up to its end).
bool societeAcceptee(const IndexMots& index, const QStringList& mots, qsizetype debut)
{
    const qsizetype premier = index.mot[size_t(debut)];
    if (premier > index.n)
        return false; // nothing collected
    const qsizetype fin = finParPoint(index, mots, debut);
    const qsizetype dans = index.rejetDansMot[size_t(fin)] - index.rejetDansMot[size_t(premier)];
    // A rejecting whole word needs a blank before it: never the first word collected.
    const qsizetype entiers = index.rejetMotEntier[size_t(fin)] - index.rejetMotEntier[size_t(premier + 1)];
    return dans == 0 && entiers == 0;
}

// Telephone block after a key word at entry i: true when the collected text would begin with a
// number other than 0 (and so be kept).
bool telephoneAccepte(const IndexMots& index, const QStringList& mots, qsizetype i)
{
    const qsizetype n = index.n;
    const qsizetype debut = i + 1;
    const qsizetype fin = std::min({index.ou[size_t(debut)], finParPoint(index, mots, debut), n});
    const qsizetype d = index.decisif[size_t(debut)];
    if (d >= fin)
        return false;
    for (const QChar c : mots.at(d))
        if (c != u'0')
            return c >= u'1' && c <= u'9';
    return false;
}

// Position (from 0) in `texte` where the unaccented upper-case form of `cherche` first occurs in that
// of `texte`, -1 when it does not.
qsizetype chercherSansAccents(const QString& texte, const QString& cherche)
{
    const QString aiguille = Fonctionnel::MajusculesSansAccents(cherche);
    const QString meule = Fonctionnel::MajusculesSansAccents(texte);
    if (meule.size() == texte.size())
        return meule.indexOf(aiguille);
    // Upper-casing lengthened some characters (ß gives SS): map the positions back to the text.
    QString forme;
    std::vector<qsizetype> depart;
    for (qsizetype i = 0; i < texte.size();) {
        const qsizetype l =
            (texte.at(i).isHighSurrogate() && i + 1 < texte.size() && texte.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const QString f = Fonctionnel::MajusculesSansAccents(texte.mid(i, l));
        for (qsizetype j = 0; j < f.size(); ++j)
            depart.push_back(i);
        forme += f;
        i += l;
    }
    const qsizetype p = forme.indexOf(aiguille);
    return p < 0 ? -1 : depart[size_t(p)];
}

// The text without its characters of no width (U+200B to U+200D, the word joiner, the byte-order
// mark): a page puts them where a line may break or words must hold together, and, unseen, they
// would stay inside a value found (an e-mail address the mail client then refuses).
QString sansCaracteresInvisibles(QString texte)
{
    texte.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x200B && u <= 0x200D) || u == 0x2060 || u == 0xFEFF;
    });
    return texte;
}

// Header: an "H/F" beyond character 100 drops what stands before the nearest line end or ":" before
// it (at most down to character 10).
QString couperEntete(const QString& texte)
{
    const qsizetype hf = texte.indexOf(QLatin1String("H/F"));
    if (hf < 0 || hf + 1 <= 100)
        return texte;
    qsizetype p = hf + 1; // from 1
    auto finDeLigne = [&](qsizetype q) {
        return texte.at(q - 1) == u'\r' && q < texte.size() && texte.at(q) == u'\n';
    };
    while (!finDeLigne(p) && texte.at(p - 1) != u':' && p > 10)
        --p;
    return texte.mid(p - 1);
}

// Footer: the text ends before the first end phrase found beyond character 100.
QString couperPied(QString texte)
{
    if (TermFin().isEmpty())
        return texte;
    for (const QString& ligne : TermFin().split(QLatin1String("\r\n"))) {
        if (Fonctionnel::Valeur(ligne) != 1)
            continue;
        const QString phrase = ligne.mid(1);
        const qsizetype p = texte.indexOf(phrase);
        if (p >= 0 && p + 1 > 100)
            texte.truncate(p);
    }
    return texte;
}

// The e-mail address around the first "@", and the company and contact it names.
void lireCourriel(const QString& texte, Fiche& f)
{
    const qsizetype a = texte.indexOf(u'@');
    if (a < 0 || !f.email.isEmpty())
        return;
    // Characters of ANSI code 44 or below (blank, comma, line ends, quotes, brackets...) end the
    // address; every character beyond ASCII has a code above 44.
    auto continue_ = [&](qsizetype q) { return texte.at(q).unicode() > 44; };
    qsizetype gauche = a, droite = a + 1;
    while (gauche > 0 && continue_(gauche - 1))
        --gauche;
    while (droite < texte.size() && continue_(droite))
        ++droite;
    f.email = texte.mid(gauche, droite - gauche);
    if (!f.email.contains(u'.')) {
        f.email.clear();
        return;
    }
    const QLocale locale;
    const qsizetype arobase = f.email.indexOf(u'@');
    QString domaine = f.email.mid(arobase + 1);
    const qsizetype point = domaine.indexOf(u'.');
    if (point >= 0)
        domaine.truncate(point);
    f.societe = locale.toUpper(domaine);
    if (ListeWebmails().contains(locale.toLower(f.societe)))
        f.societe.clear();
    QString local = f.email.left(arobase);
    if (local.contains(u'.'))
        f.nomContact = Fonctionnel::FormaterNomPropre(local.replace(u'.', u' '));
    else
        f.nomContact = u" "_qs;
}

// The web address and the source site, from the page shown.
void lireAdressePage(const QString& adresse, Fiche& f)
{
    if (adresse == QLatin1String("about:blank") || !f.www.isEmpty())
        return;
    f.www = adresse;
    if (!f.origine.isEmpty())
        return;
    QString hote = adresse.mid(adresse.indexOf(u'.') + 1);
    const qsizetype barre = hote.indexOf(u'/');
    if (barre >= 0)
        hote.truncate(barre);
    for (const QLatin1String morceau :
         {QLatin1String("www"), QLatin1String(".fr"), QLatin1String(".com"), QLatin1String(".net")})
        hote.remove(morceau);
    hote = Fonctionnel::NormaliserTexte(hote);
    for (const QString& mot : MotsHote())
        hote.remove(mot);
    f.origine = hote;
}

class Analyse {
public:
    Analyse(Fiche& fiche, const QString& texteNormalise, int annee)
        : f(fiche), annee_(annee)
    {
        mots = (u' ' + texteNormalise).split(u' ');
        originaux = mots; // the words as written, before any long word is cut
        n = mots.size() - 1;
        valeurs.assign(size_t(n + 1), 0.0);
    }

    void passe()
    {
        const IndexMots index(originaux);
        qsizetype dernierContact = -1, derniereReference = -1;
        for (qsizetype i = 1; i <= n - 1; ++i) {
            motsLongs(i);
            valeurs[size_t(i)] = Fonctionnel::Valeur(mots.at(i));
            const QString& w = mots.at(i);
            const QString& avant = mots.at(i - 1);
            intitule(i);
            if (f.societe.isEmpty()
                && (egal(w, QLatin1String("SOCIETE")) || egal(w, QLatin1String("ENTREPRISE"))
                    || (egal(avant, QLatin1String("CANDIDATURE")) && egal(w, QLatin1String("A"))))
                && societeAcceptee(index, mots, i + 1)) {
                collecter(mots, i + 1, n, f.societe, jamais, jamais, tel);
                if (estRejeteSociete(f.societe))
                    f.societe.clear();
            }
            if (f.lieu.isEmpty()
                && (egal(w, QLatin1String("LIEU")) || egal(w, QLatin1String("LOCALISATION"))
                    || (egal(avant, QLatin1String("BASE")) && egal(w, QLatin1String("A")))))
                collecter(
                    mots, i + 1, n, f.lieu, [](const QString& m) { return egal(m, QLatin1String("LOCALISER")); },
                    [](const QString& m) { return egal(m, QLatin1String("DE")) || egal(m, QLatin1String("TRAVAIL")); },
                    nomPropre);
            if (f.salaire.isEmpty()
                && (egal(w, QLatin1String("SALAIRE")) || egal(w, QLatin1String("SALARY"))
                    || egal(w, QLatin1String("REMUNERATION")) || egal(w, QLatin1String("TAUX"))))
                collecter(mots, i + 1, n, f.salaire, jamais,
                          [](const QString& m) { return egal(m, QLatin1String("INDICATIF")); }, nomPropre);
            if (f.dateDiffusion.isEmpty() && Fonctionnel::Valeur(w.right(4)) == annee_
                && Fonctionnel::EstDateValide(w))
                f.dateDiffusion = w;
            if (estContact(w, avant))
                dernierContact = i;
            telephone(i, index);
            if (f.duree.isEmpty() && egal(avant, QLatin1String("DUREE")) && egal(w, QLatin1String("ENVISAGEE")))
                collecter(mots, i + 1, n, f.duree, jamais, jamais, tel);
            if (w.endsWith(QLatin1String("REFERENCE")) || (egal(avant, QLatin1String("D")) && egal(w, QLatin1String("OFFRE")))
                || egal(w, QLatin1String("REF")))
                derniereReference = i;
            adresse(i);
        }
        // Contact and reference are emptied and collected again at each of their key words, and no
        // other block reads them: only the last key word decides, so only it is collected.
        if (dernierContact >= 0)
            contact(dernierContact);
        if (derniereReference >= 0)
            reference(derniereReference);
    }

    // Second chance for the company: the word before "EST", or "GROUPE" and the two words after it.
    void societeParEstOuGroupe()
    {
        if (!f.societe.isEmpty() && f.societe != QLatin1String("N.C."))
            return;
        // A line end is never a word of the name: "EST" at the start of a line and "GROUPE" at the end
        // of one give nothing, and the name after "GROUPE" stops at the line end.
        for (qsizetype i = 1; i <= n - 1; ++i) {
            const QString& w = mots.at(i);
            const QString& avant = mots.at(i - 1);
            if (egal(w, QLatin1String("EST")) && !egal(avant, QLatin1String("N")) && !estPoint(avant))
                f.societe = avant;
            if (egal(w, QLatin1String("GROUPE")) && !estPoint(mots.at(i + 1))) {
                f.societe = u"GROUPE "_qs + mots.at(i + 1);
                if (i + 2 <= n && !estPoint(mots.at(i + 2)))
                    f.societe += u' ' + mots.at(i + 2);
            }
        }
    }

private:
    // Long words cut at their first "/": COMMERCIAL/VENDEUR becomes COMMERCIAL.
    void motsLongs(qsizetype i)
    {
        QString& w = mots[i];
        if (w.size() <= 12)
            return;
        const qsizetype barre = w.indexOf(u'/');
        if (barre >= 5)
            w.truncate(barre);
    }

    // The title: a job name (or its plural) and the words after it up to "H/F" or the line end.
    void intitule(qsizetype i)
    {
        const QString& w = mots.at(i);
        if (!f.intitule.isEmpty() || w.size() <= 3 || !estMetier(w))
            return;
        collecter(
            mots, i, n, f.intitule, [](const QString& m) { return m.startsWith(QLatin1String("H/F")); }, jamais,
            nomPropre);
        f.intitule.replace(QLatin1String(" Ere "), QLatin1String(" "));
        f.intitule.replace(QLatin1String(" D "), QLatin1String(" d'"));
        f.intitule.replace(QLatin1String(" E "), QLatin1String(" "));
        f.intitule.remove(QLatin1String("H/f"));
        // A title that fits keeps its trailing blank; a longer one is cut at a blank.
        if (f.intitule.size() > 40)
            f.intitule = RaccourcirTexte(f.intitule);
    }

    static bool estContact(const QString& w, const QString& avant)
    {
        static const QSet<QString> cles = {u"CONTACT"_qs, u"MR"_qs, u"MONSIEUR"_qs, u"MLE"_qs,
                                           u"M"_qs,       u"MME"_qs, u"MLLE"_qs};
        return cles.contains(w) || (egal(avant, QLatin1String("TRANSMISE")) && egal(w, QLatin1String("A")));
    }

    // The contact name after the key word at entry i, up to a number or the line end, never the last
    // two words of the text.
    void contact(qsizetype i)
    {
        QString nom;
        for (qsizetype j = i + 1; j < n - 1; ++j) {
            const QString& w = originaux.at(j);
            const bool point = estPoint(w);
            if (Fonctionnel::Valeur(w) != 0 || (point && nom.size() >= 3))
                break;
            if (!point) {
                nom += w;
                nom += u' ';
            }
        }
        nom = Fonctionnel::NormaliserTexte(nom) + u' ';
        for (const QLatin1String rejet : {QLatin1String("CLIENT"), QLatin1String(" DU "), QLatin1String(" D "),
                                          QLatin1String(" UNE "), QLatin1String(" LES "), QLatin1String(" POUR "),
                                          QLatin1String(" DE ")})
            if (nom.contains(rejet)) {
                nom.clear();
                break;
            }
        f.nomContact = Fonctionnel::FormaterNomPropre(nom);
    }

    void telephone(qsizetype i, const IndexMots& index)
    {
        if (!f.telephone.isEmpty())
            return;
        const QString& w = mots.at(i);
        if ((egal(w, QLatin1String("PH")) || egal(w, QLatin1String("TEL")) || egal(w, QLatin1String("TELEPHONE")))
            && telephoneAccepte(index, mots, i))
            collecter(mots, i + 1, n - 1, f.telephone, [](const QString& m) { return egal(m, QLatin1String("OU")); },
                      jamais, tel);
        // Five numbers in a row.
        if (i > 6
            && std::all_of(valeurs.cbegin() + (i - 4), valeurs.cbegin() + (i + 1), [](double v) { return v > 0; }))
            f.telephone = QStringList(mots.cbegin() + (i - 4), mots.cbegin() + (i + 1)).join(u' ');
        if (!f.telephone.isEmpty() && Fonctionnel::Valeur(Fonctionnel::NormaliserTexte(f.telephone)) == 0)
            f.telephone.clear();
    }

    // The reference after the key word at entry i (after "REFERENCE DE L OFFRE", the code).
    void reference(qsizetype i)
    {
        qsizetype k = egal(originaux.at(i + 1), QLatin1String("DE")) ? 4 : 1;
        QString ref;
        for (;; ++k) {
            if (i + k >= n || (k == 2 && ref.size() > 8))
                break;
            const QString& w = originaux.at(i + k);
            const bool point = estPoint(w);
            if (ref.size() > 3 && point)
                break;
            if (!point) {
                ref += w;
                ref += u' ';
            }
        }
        f.reference = ref;
    }

    // The postal address: a five-digit code with a street word among the seven words before it.
    void adresse(qsizetype i)
    {
        const QString& w = mots.at(i);
        if (valeurs[size_t(i)] <= 0 || !f.cp.isEmpty() || !Fonctionnel::EstCodePostal(w))
            return;
        bool rue = false;
        for (qsizetype j = i - 1; j >= std::max<qsizetype>(1, i - 7) && !rue; --j)
            rue = ListeRues().contains(u' ' + mots.at(j) + u' ');
        if (!rue)
            return;
        f.cp = w;
        // The town stops at the line end: a code at the end of its line leaves the town empty, and
        // "SUR", "LES" or "CEDEX" at the end of the line is its last word.
        f.ville = estPoint(mots.at(i + 1)) ? QString() : mots.at(i + 1);
        if (!f.ville.isEmpty() && i + 2 <= n) {
            const QString& suite = mots.at(i + 2);
            if (egal(suite, QLatin1String("SUR")) || egal(suite, QLatin1String("LES"))
                || egal(suite, QLatin1String("CEDEX"))) {
                f.ville += u' ' + suite;
                if (i + 3 <= n && !estPoint(mots.at(i + 3)))
                    f.ville += u' ' + mots.at(i + 3);
            }
        }
        // Walk back from the code, putting the words in front of what Adresse holds.
        qsizetype longueur = f.adresse.size();
        QStringList devant; // in reverse order
        for (qsizetype k = 1; i - k >= 1; ++k) {
            const QString& m = mots.at(i - k);
            const bool point = estPoint(m);
            if (longueur > 10 && (valeurs[size_t(i - k + 1)] > 0 || point))
                break;
            if (!point) {
                devant << m;
                longueur += m.size() + 1;
            }
        }
        QString debut;
        debut.reserve(longueur);
        for (auto it = devant.crbegin(); it != devant.crend(); ++it) {
            debut += *it;
            debut += u' ';
        }
        f.adresse = debut + f.adresse;
        const qsizetype bp = f.adresse.indexOf(QLatin1String(" BP "));
        if (bp >= 0 && Fonctionnel::Valeur(f.adresse) == 0)
            f.adresse = f.adresse.mid(bp + 1);
        else
            f.adresse = Fonctionnel::FormaterNomPropre(f.adresse);
    }

    Fiche& f;
    const int annee_;
    QStringList mots;      // the word table; entry 0 is empty
    QStringList originaux; // the same before long words are cut
    std::vector<double> valeurs; // numeric value of each entry once it has been the current word
    qsizetype n = 0;
};

} // namespace

ChampsCandidature AnalyserAnnonce(const QString& texte, const ChampsCandidature& champs,
                                  const QString& adresseNavigateur, const QDate& aujourdhui)
{
    Fiche f;
    const QStringList& noms = ChampsAnalyses();
    for (qsizetype r = 0; r < noms.size(); ++r)
        *f.champ(r) = champs.value(noms.at(r));

    // Header and footer, then the description with its blank lines collapsed.
    QString t = couperPied(couperEntete(sansCaracteresInvisibles(texte)));
    f.description = t;
    f.description.replace(QLatin1String("\r\n\r\n"), QLatin1String("\r\n"));

    lireCourriel(t, f);

    // The words: " - " ends a line, then the matching form.
    t.replace(QLatin1String(" - "), QLatin1String("\r\n"));
    t = Fonctionnel::NormaliserTexte(t);

    // The contract kind: the last row of the list with a piece found in the text.
    if (f.nature.isEmpty())
        for (const QString& ligne : ListeContrats())
            for (const QString& morceau : ligne.split(u','))
                if (t.contains(morceau))
                    f.nature = ligne;

    Analyse analyse(f, t, aujourdhui.year());
    analyse.passe();
    analyse.societeParEstOuGroupe();

    lireAdressePage(adresseNavigateur, f);

    // Company, contact and source completed from one another.
    if (estRejeteSociete(f.societe))
        f.societe.clear();
    if (f.societe.isEmpty() && !f.nomContact.isEmpty())
        f.societe = f.nomContact;
    if (!f.societe.isEmpty() && f.origine.isEmpty())
        f.origine = f.societe;
    if (f.origine == HoteNumerique())
        f.origine = NomSiteHoteNumerique();
    if (f.societe.isEmpty())
        f.societe = f.origine;

    // The description starts at the title when it holds no "H/F".
    if (!f.description.contains(QLatin1String("H/F"))) {
        const qsizetype p = chercherSansAccents(f.description, f.intitule);
        if (p + 1 > 10)
            f.description = f.description.mid(p);
    }

    ChampsCandidature resultat = champs;
    for (qsizetype r = 0; r < noms.size(); ++r)
        resultat.insert(noms.at(r), *f.champ(r));
    return resultat;
}

} // namespace Annonce

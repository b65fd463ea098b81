#include "shell/services/fonctionnel.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace Fonctionnel {

namespace {
// Only a few languages case letters differently from the Unicode default (dotted and dotless i);
// elsewhere the plain Unicode upper case is the locale's and much faster.
bool casseParticuliere(const QLocale& l)
{
    const QLocale::Language langue = l.language();
    return langue == QLocale::Turkish || langue == QLocale::Azerbaijani || langue == QLocale::Lithuanian;
}
} // namespace

QString MajusculesSansAccents(const QString& texte)
{
    const QLocale locale;
    QString t = casseParticuliere(locale) ? locale.toUpper(texte) : texte.toUpper();
    // The seven accented capitals, as upper-casing "é", "è", "ê", "à", "ï", "û" and "ô" gives them.
    for (QChar& c : t) {
        switch (c.unicode()) {
        case u'É': case u'È': case u'Ê': c = u'E'; break;
        case u'À': c = u'A'; break;
        case u'Ï': c = u'I'; break;
        case u'Û': c = u'U'; break;
        case u'Ô': c = u'O'; break;
        default: break;
        }
    }
    return t;
}

namespace {
inline bool estGarde(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'/' || u == u' ';
}

// A run of n blanks after ten passes that each turn every pair of blanks into one.
inline qsizetype blancsApresDixPasses(qsizetype n)
{
    for (int passe = 0; passe < 10 && n > 1; ++passe)
        n = (n + 1) / 2;
    return n;
}
} // namespace

QString NormaliserTexte(const QString& texte)
{
    const QString t = MajusculesSansAccents(texte);
    // A carriage return writes four characters at most: the result never exceeds four times the text.
    QString resultat(t.size() * 4, Qt::Uninitialized);
    QChar* sortie = resultat.data();
    QChar* const debut = sortie;
    qsizetype blancs = 0; // the run of blanks not yet written
    auto ecrire = [&](QChar c) {
        if (c == u' ') {
            ++blancs;
            return;
        }
        // Leading blanks are trimmed; a run between words is what ten halving passes leave of it.
        if (blancs && sortie != debut)
            for (qsizetype n = blancsApresDixPasses(blancs); n > 0; --n)
                *sortie++ = u' ';
        blancs = 0;
        *sortie++ = c;
    };
    for (const QChar c : t) {
        if (estGarde(c)) {
            ecrire(c);
        } else {
            ecrire(u' ');
            if (c == u'\r') {
                ecrire(u' ');
                ecrire(u'.');
                ecrire(u' ');
            }
        }
    }
    resultat.truncate(sortie - debut); // trailing blanks are never written
    return resultat;
}

QString SansBlancs(const QString& texte)
{
    qsizetype debut = 0, fin = texte.size();
    while (debut < fin && texte.at(debut) == u' ')
        ++debut;
    while (fin > debut && texte.at(fin - 1) == u' ')
        --fin;
    return texte.mid(debut, fin - debut);
}

QString FormaterNomPropre(const QString& texte)
{
    QString r = texte;
    for (qsizetype i = 0; i < r.size(); ++i) {
        const QChar c = r.at(i);
        if (c.isSurrogate())
            continue;
        const bool majuscule = (i == 0) || texte.at(i - 1) == u' ';
        r[i] = majuscule ? c.toUpper() : c.toLower();
    }
    return r;
}

bool EstPrenomFeminin(const QString& prenom)
{
    const QString n = MajusculesSansAccents(prenom);
    if (n.endsWith(u'C') || n.endsWith(u'N') || n.endsWith(u'R'))
        return false;
    static const char* const terminaisons[] = {"A",   "ES",  "OE",  "AH",  "EE",  "IE",  "TTE",
                                               "LLE", "AIS", "NCE", "NNY", "INE", "NNE", "ILDE"};
    bool feminine = false;
    for (const char* t : terminaisons)
        if (n.endsWith(QLatin1String(t)))
            feminine = true;
    if (feminine && !n.startsWith(QLatin1String("JEAN")))
        return true;
    return n.startsWith(QLatin1String("MARIE"));
}

int NumeroMois(const QString& mot)
{
    static const QString table = QStringLiteral("JAN FEV MAR AVR MAI JUI JUI AOU SEP OCT NOV DEC");
    const qsizetype p = table.indexOf(MajusculesSansAccents(mot.left(3))) + 1;
    if (p == 0)
        return 0;
    return int(std::rint(double(p - 1) / 4.0 + 1.0));
}

namespace {

// Day, month and year as digits with one separator ("/", "." or "-"), as typed.
struct Nombres {
    int premier = 0, second = 0, dernier = 0;
    int longueurPremier = 0, longueurDernier = 0;
};

std::optional<Nombres> decouperDate(const QString& texte)
{
    static const QRegularExpression forme(QStringLiteral("^\\s*(\\d{1,4})\\s*([/.\\-])\\s*(\\d{1,2})\\s*\\2\\s*(\\d{1,4})\\s*$"));
    const QRegularExpressionMatch m = forme.match(texte);
    if (!m.hasMatch())
        return std::nullopt;
    Nombres n;
    bool ok1 = false, ok2 = false, ok3 = false;
    n.premier = m.captured(1).toInt(&ok1);
    n.second = m.captured(3).toInt(&ok2);
    n.dernier = m.captured(4).toInt(&ok3);
    if (!ok1 || !ok2 || !ok3) // digits of another script
        return std::nullopt;
    n.longueurPremier = int(m.captured(1).size());
    n.longueurDernier = int(m.captured(4).size());
    return n;
}

// The date of those numbers: the day and the month in the order given, or the year first when
// the first number has more than two digits.
std::optional<QDate> composerDate(const Nombres& n, bool moisDAbord)
{
    int jour, mois, annee, longueurAnnee;
    if (n.longueurPremier > 2) { // year first, as in 2024-03-15
        annee = n.premier; mois = n.second; jour = n.dernier; longueurAnnee = n.longueurPremier;
    } else {
        if (moisDAbord) { mois = n.premier; jour = n.second; }
        else { jour = n.premier; mois = n.second; }
        annee = n.dernier; longueurAnnee = n.longueurDernier;
    }
    if (longueurAnnee == 3)
        return std::nullopt;
    if (longueurAnnee <= 2) // typed with two digits
        annee += annee < 30 ? 2000 : 1900;
    const QDate d(annee, mois, jour);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<QDate> lireChiffres(const QString& texte, bool moisDAbord)
{
    const std::optional<Nombres> n = decouperDate(texte);
    return n ? composerDate(*n, moisDAbord) : std::nullopt;
}

// How this program writes dates: the user's short date format when it has a four-digit year and
// reads back to the same day (fr_FR, en_GB, ISO forms...); otherwise (C and POSIX, whose short
// date names the month, en_US and de_DE, whose year has two digits) dd/MM/yyyy. The reader takes
// the day and the month in the order of that format.
struct FormeDate {
    QString format;
    bool moisDAbord = false;
    bool formatCourt = false; // the locale's own short format
};

bool moisAvantJour(const QString& format)
{
    const qsizetype pj = format.indexOf(u'd'), pm = format.indexOf(u'M');
    return pm >= 0 && pj >= 0 && pm < pj;
}

const FormeDate& formeDate()
{
    // Recomputed only when the locale changes.
    thread_local QString nomConnu;
    thread_local QString courtConnu;
    thread_local FormeDate forme;
    const QLocale locale;
    const QString court = locale.dateFormat(QLocale::ShortFormat);
    if (!forme.format.isEmpty() && court == courtConnu && locale.name() == nomConnu)
        return forme;
    nomConnu = locale.name();
    courtConnu = court;
    bool utilisable = court.contains(QLatin1String("yyyy"));
    const bool moisDAbord = moisAvantJour(court);
    for (const QDate& d : {QDate(1925, 1, 31), QDate(2024, 2, 29), QDate(2026, 12, 9), QDate(2069, 7, 4)})
        utilisable = utilisable && lireChiffres(locale.toString(d, court), moisDAbord) == d;
    forme = utilisable ? FormeDate{court, moisDAbord, true} : FormeDate{QStringLiteral("dd/MM/yyyy"), false, false};
    return forme;
}

} // namespace

std::optional<QDate> LireDate(const QString& texte) { return lireChiffres(texte, formeDate().moisDAbord); }

bool EstDateEntiere(const QString& texte)
{
    const std::optional<Nombres> n = decouperDate(texte);
    return n && (n->longueurPremier > 2 ? n->longueurPremier == 4 && n->longueurDernier == 2 : n->longueurDernier == 4)
           && LireDate(texte).has_value();
}

bool EstDateValide(const QString& texte)
{
    return texte.isEmpty() || LireDate(texte).has_value();
}

QString EcrireDate(const QDate& date)
{
    const FormeDate& forme = formeDate();
    // The fallback is written in plain digits whatever the locale's own digits.
    return forme.formatCourt ? QLocale().toString(date, forme.format) : date.toString(forme.format);
}

bool EstCodePostal(const QString& texte)
{
    if (texte.size() != 5)
        return false;
    for (const QChar c : texte)
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    return true;
}

QString TraduireCVAnglais(const QString& page)
{
    static const char16_t* const table[][2] = {
        {u"Objectifs", u"Job objectives"},
        {u"Domaines de comp&eacute;tences", u"Skills"},
        {u"Exp&eacute;rience professionnelle", u"Professional experience"},
        {u"Langues", u"Languages knowledge"},
        {u"Divers", u" Other"},
        {u"Autres formations", u"Vocational training"},
        {u"Etudes et dipl&ocirc;mes", u"Degrees"},
        {u"DIPLOMES", u"Degrees"},
        {u"professionnel", u"professional"},
        {u"scolaire", u"basic"},
        {u"courant", u"fluent"},
        {u"Anglais", u"English"},
        {u"Français", u"French"},
        {u"Allemand", u"German"},
        {u"Espagnol", u"Spanish"},
        {u"Possède un véhicule", u"Have a vehicle"},
        {u"Permis de conduire", u"Driving licence"},
        {u"Née le", u"Born in"},
        {u"Né le", u"Born in"},
        {u"Née en", u"Born in"},
        {u"Né en", u"Born in"},
        {u" ans", u" "},
        {u"enfants", u"children"},
        {u"enfant", u"child"},
        {u"Célibataire", u"Single"},
        {u"Marié", u"Maried"},
        {u"Téléphone ", u"Phone "},
        {u"à ", u"to "},
    };
    QString t = page;
    for (const auto& ligne : table)
        t.replace(QString::fromUtf16(ligne[0]), QString::fromUtf16(ligne[1]));
    return t;
}

double Valeur(const QString& texte)
{
    QString nombre;
    bool signeLu = false, pointLu = false, chiffreLu = false;
    for (const QChar c : texte) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (!signeLu && !chiffreLu && !pointLu && (c == u'+' || c == u'-')) {
            signeLu = true;
            nombre += c;
        } else if (c >= u'0' && c <= u'9') {
            chiffreLu = true;
            nombre += c;
        } else if (c == u'.' && !pointLu) {
            pointLu = true;
            nombre += c;
        } else {
            break;
        }
        signeLu = true;
    }
    if (!chiffreLu)
        return 0;
    if (nombre.endsWith(u'.'))
        nombre.chop(1);
    return nombre.toDouble();
}

} // namespace Fonctionnel

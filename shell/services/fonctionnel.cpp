#include "shell/services/fonctionnel.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace Fonctionnel {

QString MajusculesSansAccents(const QString& texte)
{
    const QLocale locale;
    QString t = locale.toUpper(texte);
    static const char16_t* const accentuees[] = {u"é", u"è", u"ê", u"à", u"ï", u"û", u"ô"};
    static const char16_t simples[] = {u'E', u'E', u'E', u'A', u'I', u'U', u'O'};
    for (int i = 0; i < 7; ++i)
        t.replace(locale.toUpper(QString::fromUtf16(accentuees[i])), QString(QChar(simples[i])));
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
    QString filtre;
    filtre.reserve(t.size() + t.size() / 8);
    for (const QChar c : t) {
        if (estGarde(c)) {
            filtre += c;
        } else {
            filtre += u' ';
            if (c == u'\r')
                filtre += QLatin1String(" . ");
        }
    }
    QString resultat;
    resultat.reserve(filtre.size());
    const qsizetype n = filtre.size();
    for (qsizetype i = 0; i < n;) {
        if (filtre.at(i) != u' ') {
            resultat += filtre.at(i++);
            continue;
        }
        qsizetype j = i;
        while (j < n && filtre.at(j) == u' ')
            ++j;
        resultat += QString(blancsApresDixPasses(j - i), u' ');
        i = j;
    }
    qsizetype debut = 0, fin = resultat.size();
    while (debut < fin && resultat.at(debut) == u' ')
        ++debut;
    while (fin > debut && resultat.at(fin - 1) == u' ')
        --fin;
    return resultat.mid(debut, fin - debut);
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

std::optional<QDate> LireDate(const QString& texte)
{
    static const QRegularExpression forme(QStringLiteral("^\\s*(\\d{1,4})\\s*([/.\\-])\\s*(\\d{1,2})\\s*\\2\\s*(\\d{1,4})\\s*$"));
    const QRegularExpressionMatch m = forme.match(texte);
    if (!m.hasMatch())
        return std::nullopt;
    int a = m.captured(1).toInt(), b = m.captured(3).toInt(), c = m.captured(4).toInt();
    const int longueurPremier = int(m.captured(1).size());
    int jour, mois, annee, longueurAnnee;
    if (longueurPremier > 2) { // year first, as in 2024-03-15
        annee = a; mois = b; jour = c; longueurAnnee = longueurPremier;
    } else {
        // Day, month and year in the order of the user's short date format.
        const QString format = QLocale().dateFormat(QLocale::ShortFormat);
        const qsizetype pj = format.indexOf(u'd'), pm = format.indexOf(u'M');
        if (pm >= 0 && pj >= 0 && pm < pj) { mois = a; jour = b; }
        else { jour = a; mois = b; }
        annee = c; longueurAnnee = int(m.captured(4).size());
    }
    if (longueurAnnee == 3)
        return std::nullopt;
    if (longueurAnnee <= 2)
        annee += annee < 30 ? 2000 : 1900;
    const QDate d(annee, mois, jour);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

bool EstDateValide(const QString& texte)
{
    return texte.isEmpty() || LireDate(texte).has_value();
}

QString EcrireDate(const QDate& date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
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

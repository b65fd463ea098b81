#include "cveditor/identite.h"

#include "shell/services/fonctionnel.h"

#include <QLocale>
#include <cmath>

namespace Identite {

const QStringList& boites()
{
    static const QStringList b{QStringLiteral("Nom"),     u"Prénom"_qs,           QStringLiteral("Adresse1"),
                               QStringLiteral("Adresse2"), QStringLiteral("CP"),  QStringLiteral("Ville"),
                               QStringLiteral("Pays"),    QStringLiteral("Tel"),  QStringLiteral("Mob"),
                               QStringLiteral("Email"),   QStringLiteral("DateNaissance"),
                               QStringLiteral("LieuNaissance"), QStringLiteral("Age"),
                               QStringLiteral("NbEnfants"), QStringLiteral("Situation")};
    return b;
}

const QStringList& situations()
{
    static const QStringList s{u"Célibataire"_qs, u"Marié(e)"_qs, u"Divorcé(e)"_qs, QStringLiteral("Veuf(ve)"),
                               QStringLiteral("Union libre")};
    return s;
}

namespace {
using Fonctionnel::SansBlancs;

QString retirer(QString t, std::initializer_list<const char16_t*> mots)
{
    for (const char16_t* m : mots)
        t.remove(QString::fromUtf16(m));
    return t;
}

// The e-mail address of a line: the characters around its first "@" up to the nearest blanks,
// without ":" and lower-cased. Label words ("E-mail", "Courriel"…) stand apart from it.
QString adresseEmail(const QString& ligne)
{
    const qsizetype a = ligne.indexOf(u'@');
    qsizetype d = a, f = a + 1;
    while (d > 0 && ligne.at(d - 1) != u' ')
        --d;
    while (f < ligne.size() && ligne.at(f) != u' ')
        ++f;
    QString adresse = QLocale().toUpper(ligne.mid(d, f - d));
    adresse.remove(u':');
    return QLocale().toLower(SansBlancs(adresse));
}
} // namespace

QString ageApresDate(const QString& age, const QString& dateNaissance, const QDate& aujourdhui)
{
    const double a = Fonctionnel::Valeur(age);
    if (a >= 15 && a <= 80)
        return age;
    // Only a date typed whole: one still being typed reads as another year.
    if (!Fonctionnel::EstDateEntiere(dateNaissance))
        return age;
    const auto date = Fonctionnel::LireDate(dateNaissance);
    if (!date || !aujourdhui.isValid())
        return age;
    const qint64 jours = date->daysTo(aujourdhui);
    return QString::number(qint64(std::floor(double(jours) / 365.0)));
}

Analyse analyser(const QString& identite, const Boites& avant, const QDate& aujourdhui)
{
    Analyse r;
    r.boites = avant;
    for (const QString& b : boites())
        if (!r.boites.contains(b))
            r.boites.insert(b, QString());
    const QString t = SansBlancs(identite);
    if (t.isEmpty()) {
        r.boites.insert(QStringLiteral("Identite"), identite);
        return r;
    }
    r.faite = true;
    Boites& b = r.boites;

    QString edite = retirer(t, {u"Nom", u"Prénom", u"prénom", u"Domiciliation", u"Adresse", u","});
    edite.replace(u':', u' ');
    edite.replace(QLatin1String("  "), QLatin1String(" ")); // one pass: three blanks leave two
    b.insert(QStringLiteral("Identite"), edite);

    static const QString rues =
        QStringLiteral(" RUE AVENUE QUAI ZA AV R BOULEVARD BD BLV BVD BV ALLEE ESPLANADE PLACE BP ROUTE TSA ");
    const QString cleNom = QStringLiteral("Nom"), clePrenom = u"Prénom"_qs, cleAdresse1 = QStringLiteral("Adresse1"),
                  cleAge = QStringLiteral("Age"), cleDate = QStringLiteral("DateNaissance");

    QStringList lignes = edite.split(QLatin1String("\r\n"));
    const qsizetype n = lignes.size() - 1;
    for (qsizetype i = 0; i <= n; ++i) {
        lignes[i] = SansBlancs(lignes.at(i));
        QString ligne = lignes.at(i);
        const double valeur = Fonctionnel::Valeur(ligne);

        // Name: first two lines, "first-name last-name".
        if (i <= 1 && !ligne.isEmpty() && ligne.contains(u' ') && b.value(cleNom).isEmpty() && valeur == 0) {
            const qsizetype blanc = ligne.indexOf(u' ');
            b.insert(clePrenom, ligne.left(blanc));
            b.insert(cleNom, SansBlancs(ligne.mid(blanc + 1)));
            if (Fonctionnel::Valeur(b.value(cleNom)) > 0) {
                b.insert(cleNom, QString());
                b.insert(clePrenom, QString());
            }
        }

        // Street: a number under 300 and a few words; the next line, when it has no number, goes on.
        if (ligne.size() > 7 && valeur > 0 && valeur < 300) {
            b.insert(cleAdresse1, ligne);
            if (i < n && Fonctionnel::Valeur(lignes.at(i + 1)) == 0)
                b.insert(QStringLiteral("Adresse2"), lignes.at(i + 1));
        }

        // Words: a street word, "… <age> ANS", "NE|NEE LE <date> …".
        if (b.value(cleAdresse1).isEmpty() || b.value(cleAge).isEmpty()) {
            const QString normal = Fonctionnel::NormaliserTexte(ligne);
            const QStringList mots = normal.isEmpty() ? QStringList() : normal.split(u' ');
            const qsizetype m = mots.size() - 1;
            for (qsizetype j = 0; j <= m; ++j) {
                const QString& mot = mots.at(j);
                if (rues.contains(u' ' + mot + u' ')) {
                    b.insert(cleAdresse1, ligne);
                    break;
                }
                if (mot == u"ANS" && j > 1)
                    b.insert(cleAge, mots.at(j - 1));
                if (j < m - 2 && (mot == u"NE" || mot == u"NEE") && mots.at(j + 1) == u"LE") {
                    b.insert(cleDate, mots.at(j + 2));
                    b.insert(cleAge, ageApresDate(b.value(cleAge), b.value(cleDate), aujourdhui));
                }
            }
        }

        // Postcode and town.
        if (valeur > 1000 && valeur < 99000) {
            b.insert(QStringLiteral("CP"), SansBlancs(ligne.left(6)));
            b.insert(QStringLiteral("Ville"), SansBlancs(ligne.mid(6)));
        }

        // Telephones: the labels go, the blanks around them stay.
        const QString u = Fonctionnel::MajusculesSansAccents(ligne);
        const QString debut = u.left(3);
        if (debut == u"TEL" || debut == u"DOM" || valeur > 99900)
            b.insert(QStringLiteral("Tel"), retirer(u, {u"TELEPHONE", u"DOMICILE", u"DOM", u"TEL", u":", u"PHONE"}));
        if (debut == u"MOB" || debut == u"POR")
            b.insert(QStringLiteral("Mob"), retirer(u, {u"MOBILE", u"PORTABLE", u"MOB"}));

        // E-mail.
        if (ligne.contains(u'@')) {
            const qsizetype blanc = ligne.indexOf(u' ');
            if (blanc >= 0 && blanc < ligne.indexOf(u'@')) {
                ligne = ligne.mid(blanc + 1);
                lignes[i] = ligne;
            }
            b.insert(QStringLiteral("Email"), adresseEmail(ligne));
        }
    }
    return r;
}

QString rangerEnQuittant(const QString& boite, const QString& texte)
{
    const QLocale locale;
    if (boite == u"Nom")
        return locale.toUpper(texte);
    if (boite == u"Prénom")
        return texte.size() > 1 ? Fonctionnel::FormaterNomPropre(texte) : texte;
    if (boite == u"Adresse1" || boite == u"Pays")
        return Fonctionnel::FormaterNomPropre(texte);
    if (boite == u"Ville" || boite == u"LieuNaissance") {
        if (texte.size() <= 1)
            return texte;
        const QString premier = locale.toUpper(texte.left(1));
        if (premier == texte.left(1))
            return texte;
        return premier + texte.mid(1);
    }
    return texte;
}

} // namespace Identite

#include "register/reports/rapport_html.h"

#include <QStringEncoder>

#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"

namespace RapportHtml {

namespace {

bool dansLaPageDeCode(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return true;
    if (c > 0xFFFF)
        return false;
    QStringEncoder encodeur("windows-1252");
    const QString caractere{QChar(char16_t(c))};
    const QByteArray octets = encodeur.encode(caractere);
    return !encodeur.hasError() && octets.size() == 1;
}

QString champ(const ChampsCandidature& c, const QString& nom) { return Echapper(c.value(nom)); }

QString pied(const QDate& aujourdhui)
{
    return QStringLiteral("</table><hr></font><FONT face='Arial' SIZE=1> Edité le ") + Fonctionnel::EcrireDate(aujourdhui)
        + QStringLiteral(" depuis Kerval</FONT></html>");
}

// The start of an advertisement for its cell: each CR LF a "<br>", cut at 200 characters of
// that form. A break that would not fit whole is left out, so the cut never leaves half a tag.
QString debutAnnonce(const QString& description)
{
    constexpr qsizetype limite = 200;
    QString resultat;
    qsizetype longueur = 0;
    for (qsizetype i = 0; i < description.size();) {
        if (description[i] == u'\r' && i + 1 < description.size() && description[i + 1] == u'\n') {
            if (longueur + 4 > limite)
                break;
            resultat += QStringLiteral("<br>");
            longueur += 4;
            i += 2;
            continue;
        }
        // A character outside the basic plane is two units: it is kept or cut whole.
        const qsizetype unites =
            description[i].isHighSurrogate() && i + 1 < description.size() && description[i + 1].isLowSurrogate() ? 2 : 1;
        if (longueur + unites > limite)
            break;
        resultat += Echapper(description.mid(i, unites));
        longueur += unites;
        i += unites;
    }
    return resultat;
}

const QString cellule = QStringLiteral("<td valign=top><FONT SIZE=2>");
const QString Debut = QStringLiteral("<html>");
// The heading line stands in a table of one cell, without spacing: LibreOffice's web-page import
// sets a page's first paragraph apart on a first page that it prints blank, and prints a table in
// its place. The small print after the heading then goes on round the rule and the table.
const QString DebutEntete = QStringLiteral("<table cellspacing=0 cellpadding=0><tr><td>");
const QString FinEntete = QStringLiteral("</font></td></tr></table><font face='Arial' size=1><hr><table>");

// The page names the character set its file is written in, the one the text files take for
// these very lines, so that a browser or a word processor set to another one still reads
// "Société" and "Référence" right.
QStringList declarerJeuDeCaracteres(QStringList lignes)
{
    const QString jeu = FichiersTexte::jeuDeCaracteres(lignes.join(QStringLiteral("\r\n")));
    lignes.first().insert(Debut.size(),
                          QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") + jeu
                              + QStringLiteral("\">"));
    return lignes;
}

QStringList liste(const QList<ChampsCandidature>& candidatures, const QDate& aujourdhui)
{
    QStringList lignes;
    lignes << Debut + QStringLiteral("<title>Liste des candidatures</title>") + DebutEntete
                  + QStringLiteral("<font face='Arial' size=5><b>Liste des candidatures</b></font><font face='Arial' size=1>&nbsp;&nbsp;en date du ")
                  + Fonctionnel::EcrireDate(aujourdhui) + FinEntete;
    lignes << QStringLiteral("<tr BGCOLOR=#EEEEEE><td><b>Statut</td><td><b>Date de diffusion</td><td><b>Société</td><td><b>Intitulé</td><td><b>Origine</td><td><b>Référence</td></tr> ");
    for (const ChampsCandidature& c : candidatures) {
        lignes << cellule + champ(c, u"Statut"_qs) + u"</td>"_qs + cellule + champ(c, u"DateDiffusion"_qs) + u"</td>"_qs + cellule
                + champ(c, u"Societe"_qs) + u"</td>"_qs + cellule + champ(c, u"Intitule"_qs)
                + u"</td><td><font size=1>"_qs + champ(c, u"Origine"_qs) + u"</font></td><td><font size=2>"_qs
                + champ(c, u"Reference"_qs) + u"</font></td></tr>"_qs;
    }
    lignes << pied(aujourdhui);
    return lignes;
}

QStringList activite(const QList<ChampsCandidature>& candidatures, const QDate& aujourdhui, const QString& prenom,
                     const QString& nom)
{
    QStringList lignes;
    lignes << Debut + QStringLiteral("<title>Activité de recherche d'emploi</title>") + DebutEntete
                  + QStringLiteral("<font face='Arial' size=5><b>Activité de recherche d'emploi</b> - ") + Echapper(prenom)
                  + u' ' + Echapper(nom)
                  + QStringLiteral("</font><font face='Arial' size=1>&nbsp;&nbsp;sur les 30 derniers jours") + FinEntete;
    lignes << QStringLiteral("<tr BGCOLOR=#EEEEEE><td><b>Date</td><td><b>Action</td><td><b>Etat de la candidature</td><td><b>Société</td><td><b>Intitulé du poste</td><td><b>Origine de l'annonce</td><td><b>Référence de l'annonce</td><td><b>Remarques</td></tr> ");
    const QDate debut = aujourdhui.addDays(-30);
    for (const ChampsCandidature& c : candidatures) {
        const std::optional<QDate> envoi = Fonctionnel::LireDate(c.value(u"DateEnvoi"_qs));
        if (!envoi || *envoi <= debut)
            continue;
        lignes << cellule + champ(c, u"DateEnvoi"_qs) + u"</td>"_qs + cellule + u"Envoi de la candidature</td>"_qs + cellule
                + champ(c, u"Statut"_qs) + u"</td>"_qs + cellule + champ(c, u"Societe"_qs) + u"</td>"_qs + cellule
                + champ(c, u"Intitule"_qs) + u"</td><td valign=top><font size=1>"_qs + champ(c, u"Origine"_qs)
                + u"</font></td><td valign=top><font size=2>"_qs + champ(c, u"Reference"_qs)
                + u"</font></td><td><font size=2>"_qs + champ(c, u"Remarques"_qs)
                + u"<br><font size=1>Début de l'annonce : "_qs + debutAnnonce(c.value(u"Description"_qs))
                + u"<hr></font></td></tr>"_qs;
        const std::optional<QDate> rdv = Fonctionnel::LireDate(c.value(u"DateRDV"_qs));
        const std::optional<QDate> diffusion = Fonctionnel::LireDate(c.value(u"DateDiffusion"_qs));
        if (rdv && diffusion && *rdv >= *diffusion) {
            lignes << cellule + champ(c, u"DateRDV"_qs) + u"</td>"_qs + cellule + u"Entretien</td>"_qs + cellule + u"-</td>"_qs
                    + cellule + u"-</td>"_qs + cellule
                    + u"-</td><td><font size=1>-</font></td><td><font size=2>-</font></td><td><font size=2>-</font></td></tr>"_qs;
        }
    }
    lignes << pied(aujourdhui);
    return lignes;
}

} // namespace

QString Echapper(const QString& texte)
{
    QString resultat;
    resultat.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        switch (c.unicode()) {
        case u'&': resultat += QStringLiteral("&amp;"); continue;
        case u'<': resultat += QStringLiteral("&lt;"); continue;
        case u'>': resultat += QStringLiteral("&gt;"); continue;
        case u'"': resultat += QStringLiteral("&quot;"); continue;
        case u'\'': resultat += QStringLiteral("&#39;"); continue;
        default: break;
        }
        char32_t point = c.unicode();
        if (c.isHighSurrogate() && i + 1 < texte.size() && texte[i + 1].isLowSurrogate()) {
            point = QChar::surrogateToUcs4(c, texte[i + 1]);
            ++i;
        }
        if (dansLaPageDeCode(point) && !QChar::isSurrogate(point))
            resultat += c;
        else
            resultat += QStringLiteral("&#%1;").arg(quint32(QChar::isSurrogate(point) ? 0xFFFD : point));
    }
    return resultat;
}

QStringList Lignes(qint16 genre, const QList<ChampsCandidature>& candidatures, const QDate& aujourdhui,
                   const QString& prenom, const QString& nom)
{
    if (candidatures.isEmpty())
        return {};
    if (genre == ListeCandidatures)
        return declarerJeuDeCaracteres(liste(candidatures, aujourdhui));
    if (genre == ActiviteRecherche)
        return declarerJeuDeCaracteres(activite(candidatures, aujourdhui, prenom, nom));
    return {};
}

} // namespace RapportHtml

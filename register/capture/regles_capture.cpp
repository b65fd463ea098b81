#include "register/capture/regles_capture.h"

#include "register/capture/vocabulaire_annonce.h"
#include "shell/services/fonctionnel.h"

namespace Capture {

namespace {
bool minusculeAscii(QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); }
bool majusculeAscii(QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); }
} // namespace

QString SeparerMotsColles(const QString& texte)
{
    // Built in one pass rather than by insertions: each character of the text lands at the
    // position it has in the grown text, and only positions up to the first length minus one
    // are looked at. An inserted blank never starts a pair of its own.
    const qsizetype longueur = texte.size();
    QString resultat;
    resultat.reserve(longueur + longueur / 8);
    for (qsizetype j = 0; j < longueur; ++j) {
        const QChar c = texte.at(j);
        resultat.append(c);
        const qsizetype position = resultat.size(); // from 1
        if (position <= longueur - 1 && j + 1 < longueur && minusculeAscii(c) && majusculeAscii(texte.at(j + 1)))
            resultat.append(QLatin1Char(' '));
    }
    return resultat;
}

ScorePage NoterPage(const QString& texte, const QString& adresse)
{
    const QString t = Fonctionnel::NormaliserTexte(u" "_qs + texte.left(32000) + u" "_qs);
    ScorePage s;
    for (const QString& mot : Annonce::MotsValid())
        if (t.contains(mot))
            s.score += 1;
    for (const QString& metier : Annonce::ListeMetiers())
        if (t.contains(u" "_qs + metier + u" "_qs))
            ++s.metiers;
    if (adresse.contains(Annonce::DomaineMoteurRecherche()))
        s.score = 0;
    if (s.metiers > 9)
        s.score /= 2;
    return s;
}

Jauge JaugePage(const ScorePage& s)
{
    if (s.score < 5)
        return {1, false};
    double score = s.score;
    if (score > 10 && score < 16)
        score += 2;
    double largeur = score * 50;
    if (s.metiers > 9)
        largeur /= 2;
    return {qRound(largeur), true};
}

std::optional<QString> AdressePageSuivante(const QString& html, const QString& adresseWeb, const QString& cp)
{
    if (!adresseWeb.contains(Annonce::DomaineSiteSuivi()) || !cp.isEmpty())
        return std::nullopt;
    const qsizetype m = html.indexOf(u"ForwardToCoordEntreprise"_qs); // from 0
    // The link starts within the hundred characters before the marker: the text is read from
    // the hundredth character before it (a marker nearer the start gives no link).
    if (m < 100)
        return std::nullopt;
    QString s = html.mid(m - 100); // position m - 100 counted from 1
    const qsizetype mes = s.indexOf(u"/Mes"_qs);
    if (mes < 0)
        return std::nullopt;
    s = s.mid(mes);
    const qsizetype guillemet = s.indexOf(QLatin1Char('"'));
    if (guillemet < 0)
        return std::nullopt;
    const qsizetype fr = adresseWeb.indexOf(u"fr/"_qs);
    if (fr < 0)
        return std::nullopt;
    return adresseWeb.left(fr + 2) + s.left(guillemet);
}

} // namespace Capture

#pragma once
// The pure rules of capturing an advertisement from a page: words glued by the page layout, the
// score telling how much a page looks like an advertisement and the gauge that shows it, and the
// address of the follow-up page that one job board keeps the employer's details on.

#include <QString>
#include <optional>

namespace Capture {

// Puts a blank between a lower-case letter "a"-"z" directly followed by an upper-case letter
// "A"-"Z" (plain ASCII letters). The positions looked at are those of the text before any
// insertion, on the text as it grows, so the last pairs of a text with many glued words are left.
QString SeparerMotsColles(const QString& texte);

// The score of a page: the advertisement words found in its text, halved when more than nine
// job names stand in it (a list of offers rather than one), 0 on a search engine's page.
struct ScorePage {
    double score = 0; // may hold a half
    int metiers = 0;  // job names found, each row of the list counted once
};
// Reads at most the first 32000 characters of the text.
ScorePage NoterPage(const QString& texte, const QString& adresse);

// What the register shows for a score: the gauge's width in twips, and whether the browser
// frame goes down to uncover the capture bar.
struct Jauge {
    int largeur = 1;
    bool barreVisible = false;
};
Jauge JaugePage(const ScorePage& score);

// The follow-up page of the job board that keeps the employer's address on a second page: built
// from the link after the marker "ForwardToCoordEntreprise" in the HTML and the host of the
// address box. Nothing when the address is not that board's, the postal code is already known,
// or the link cannot be read from the page.
std::optional<QString> AdressePageSuivante(const QString& html, const QString& adresseWeb, const QString& cp);

} // namespace Capture

#pragma once
// The fixed vocabularies of the register window's advertisement analyser and page score.
// They are data of the program, never read from a file.

#include <QString>
#include <QStringList>

namespace Annonce {

// End-of-advertisement phrases, one a line, each line starting with "1" (a line is in use when its
// numeric value is 1), every line ended by CR LF, the last one too.
const QString& TermFin();
// The 12 contract kinds, also the drop-down of the field Nature; the whole row is what Nature stores.
const QStringList& ListeContrats();
// The 345 job names in upper case, in list order, duplicates and odd rows included.
const QStringList& ListeMetiers();
// The 26 words and phrases that mark a page as a job advertisement.
const QStringList& MotsValid();
// A blank, six webmail domain labels in lower case separated by single blanks, a blank.
const QString& ListeWebmails();
// A blank, the street words separated by single blanks, a blank.
const QString& ListeRues();
// The host words removed from the source name, in this order, each with its trailing blank.
const QStringList& MotsHote();
// The texts that reject a collected company name (substrings, blanks as written).
const QStringList& RejetsSociete();
// The job board met on a numeric host: the last three numbers of its address as the matching form
// leaves them, and the board's name put into Origine in their place.
const QString& HoteNumerique();
const QString& NomSiteHoteNumerique();
// The domain label of the search engine whose pages score 0.
const QString& DomaineMoteurRecherche();
// The domain label of the job board whose advertisements have a follow-up page.
const QString& DomaineSiteSuivi();

} // namespace Annonce

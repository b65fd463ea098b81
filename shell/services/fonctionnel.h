#pragma once
// Shared text procedures: comparisons without accents, proper names, first-name gender,
// months, dates, postal codes and the English form of the CV page. Pure functions.

#include <QDate>
#include <QString>
#include <optional>

namespace Fonctionnel {

// Upper case (user's locale), then É È Ê À Ï Û Ô replaced by their plain letters.
QString MajusculesSansAccents(const QString& texte);
// The matching form: upper case, unaccented, only A-Z 0-9 "/" and blank, single blanks, trimmed;
// each carriage return becomes " . ".
QString NormaliserTexte(const QString& texte);
// The text without the blanks (only U+0020, as the stored texts are trimmed) at both ends.
QString SansBlancs(const QString& texte);
// Each blank-separated word with its first letter upper case and the rest lower case.
QString FormaterNomPropre(const QString& texte);
// Whether a first name is taken as feminine.
bool EstPrenomFeminin(const QString& prenom);
// 1 to 12 when the word's first three letters name a month in the month table, else 0.
int NumeroMois(const QString& mot);
// Dates are written in the user's short date format when it has a four-digit year and reads back
// to the same day, else as dd/MM/yyyy (C, POSIX, en_US, de_DE...). They are read as day, month
// and year in the order of that format, with "/", "." or "-" between them (a two-digit year
// typed by the user is taken between 1930 and 2029), or year first (2024-03-15). What EcrireDate
// writes, LireDate reads back to the same day, in every locale.
// True when the text is empty or reads as a date.
bool EstDateValide(const QString& texte);
// The date a text reads as, if any.
std::optional<QDate> LireDate(const QString& texte);
// A date typed whole: LireDate reads it, its year has four digits and, written year first, its
// day two. While a date is typed key by key, "12/03/1" or "12/03/19" already reads, as another year.
bool EstDateEntiere(const QString& texte);
// A date as this program writes it.
QString EcrireDate(const QDate& date);
// True when the text is exactly five digits.
bool EstCodePostal(const QString& texte);
// The rendered CV page with its French headings and words in English.
QString TraduireCVAnglais(const QString& page);

// The numeric value of a text: its leading number after skipping blanks, tabs and line feeds
// wherever they stand, optional sign, at most one "."; 0 when the text does not begin with one.
double Valeur(const QString& texte);

} // namespace Fonctionnel

#pragma once
// The printed reports of the register as HTML lines (each to be ended by CR LF in the file):
// kind 0 the list of every application, kind 1 the job-search activity of the last 30 days.
// Every value taken from the register or the identity is escaped, so it shows as text. The first
// line names the character set the lines are written in.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "register/store/candidature.h"

namespace RapportHtml {

constexpr qint16 ListeCandidatures = 0;
constexpr qint16 ActiviteRecherche = 1;

// A text as HTML text: "&", "<", ">", '"' and "'" as entities, and every character that
// Windows-1252 cannot write as a numeric reference, so the file stays in that code page.
QString Echapper(const QString& texte);

// The report's lines for the applications in register order (fields named as in the register
// window, dates as texts in the short date format, "" when empty). No application, or a kind
// other than 0 and 1: no line at all.
QStringList Lignes(qint16 genre, const QList<ChampsCandidature>& candidatures, const QDate& aujourdhui,
                   const QString& prenom, const QString& nom);

} // namespace RapportHtml

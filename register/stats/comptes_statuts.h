#pragma once
// The statistics window's counts: one row for each status the register stores (the eleven of
// its status list, in their order, then the one the start-up ageing writes) and one for any
// other text typed into the status, so that every application is counted once; and how a count
// shows (its text and the width of its bar).

#include <QList>
#include <QString>
#include <QStringList>

namespace ComptesStatuts {

// "NON EMISE" (row 0) ... "EMBAUCHE" (row 10), "SANS REPONSE APRES ENTRETIEN" (row 11).
const QStringList& statutsComptes();
// The caption of the last row, which counts the applications whose status is none of those.
inline const QString AutresStatuts = QStringLiteral("AUTRES STATUTS");

// The count as text, without a leading blank; "" when the count is unknown (negative).
QString texteNombre(qint64 nombre);
// The bars of the counts, in twips: 100 an application plus 1, scaled down when the largest
// count would not fit in the room given, so that it then takes the whole room plus 1; 1 for an
// unknown count.
QList<int> largeursBarres(const QList<qint64>& nombres, int place);

} // namespace ComptesStatuts

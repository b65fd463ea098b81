#pragma once
// The statistics window's counts: the ten status texts it counts (its own list, not the
// register's), and how a count shows (its text and the width of its bar).

#include <QString>
#include <QStringList>

namespace ComptesStatuts {

// "NON EMISE" (row 0) ... "EMBAUCHE" (row 9).
const QStringList& statutsComptes();

// The count as text, without a leading blank; "" when the count is unknown (negative).
QString texteNombre(int nombre);
// The bar of a count, in twips: 100 an application plus 1, at most 4000; 1 for an unknown count.
int largeurBarre(int nombre);

} // namespace ComptesStatuts

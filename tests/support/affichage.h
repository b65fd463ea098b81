#pragma once
// What a user cannot read on a window as it shows: the check every window's layout test applies.

#include <QList>
#include <QStringList>

class QWidget;

namespace Affichage {
// Each fault of the window as it shows now, named: a control on show that is not inside its
// parent, a caption that does not fit its control's contents or that a neighbour covers, a box
// whose text does not show whole. Empty when everything is whole and in its frame. The controls
// named as running past their parent do so by design (a panel that scrolls in it, a browser
// whose border it hides, a mark parked out of sight): their contents are still checked.
QStringList defauts(QWidget* fenetre, const QList<const QWidget*>& debordants = {});
} // namespace Affichage

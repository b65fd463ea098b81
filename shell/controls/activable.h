#pragma once
// Makes a clickable label or picture usable from the keyboard: Tab reaches it (a click does not
// take the focus, so no box's leaving handler runs on a click), a frame shows that it has the
// focus, and Space or Enter runs what its click runs.
//     Activable::rendre(Action[3], [this] { Action_Click(3); });

#include <QWidget>
#include <functional>

namespace Activable {

void rendre(QWidget* controle, std::function<void()> action);

// True for the keys that run a focused control: Space, Enter and the keypad's Enter, alone.
bool estToucheAction(const QEvent* e);

// Shows the focus frame around a control while it has the keyboard focus.
void suivreFocus(QWidget* controle);

} // namespace Activable

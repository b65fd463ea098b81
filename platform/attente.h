#pragma once
// Waits that sleep in small steps, pumping pending events or not, as the animations and
// page waits are designed. Tests set an acceleration so that designed waits take no real time.

namespace Attente {

// Sleeps ms milliseconds, processing pending events between steps of a few milliseconds.
void dormir(int ms);
// Sleeps ms milliseconds without processing events.
void dormirSansPomper(int ms);
// Processes pending events once (the DoEvents of an animation loop).
void pomper();
// Wakes the event dispatcher. A wait started while a queued event is being delivered (a page's
// end of loading, a deferred click) is otherwise not woken for the events queued before it, so
// that those (a page's answer among them) would wait until the wait is over.
void reveiller();
// True while a wait of this helper pumps events (the program's code that waits resumes after it).
bool enCours();

// Factor applied to every designed wait: 1 for real time, 0 for none (tests).
void fixerAcceleration(double facteur);
double acceleration();

} // namespace Attente

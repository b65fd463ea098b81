#pragma once
// What the start-up and the tip balloon do, step by step, for whoever watches (the tests):
// each step and each opacity set goes to the observer when one is installed.

#include <QString>
#include <functional>

class QWidget;

namespace Traces {

// Reports a step ("Dossier CV", "Repertoire", "Glissement", ...).
void etape(const QString& texte);
// Makes the window translucent at that opacity (0 changes nothing) and reports
// "Opacite <window's object name> <opacite>".
void opacite(QWidget* fenetre, int valeur);
// Installs the observer; an empty function removes it.
void observer(std::function<void(const QString&)> observateur);

} // namespace Traces

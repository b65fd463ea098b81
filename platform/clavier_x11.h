#pragma once
#include <memory>
#include "platform/plateforme.h"

// Simulated keystrokes through XTest where the display is X11; nothing elsewhere.
std::unique_ptr<Clavier> creerClavierX11();

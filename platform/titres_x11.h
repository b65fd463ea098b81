#pragma once
#include <memory>
#include <QStringList>
#include "platform/plateforme.h"

// Titles of the top-level windows of an X11 display, topmost first; empty elsewhere.
std::unique_ptr<TitresFenetres> creerTitresX11();

// Finds the X11 window whose title contains the text and asks the window manager to
// activate it; false when there is none or no X11 display.
bool activerFenetreX11(const QString& titre);

// True when the desktop composes translucent windows over what lies beneath them (a Wayland
// session, or an X11 display with a compositing manager); false elsewhere, where a translucent
// window shows opaque.
bool compositionActive();

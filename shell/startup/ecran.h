#pragma once
// The screen's size in twips, as the start-up check and the main window's placement read it.

#include <QSize>
#include <optional>

namespace Ecran {

// The primary screen's size in twips (15 per pixel).
QSize tailleTwips();
// Tests give a screen size in pixels; nothing gives the real screen back.
void simuler(std::optional<QSize> pixels);

} // namespace Ecran

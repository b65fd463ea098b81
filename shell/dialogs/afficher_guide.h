#pragma once
// Asking for a tip balloon.

#include <QString>

namespace Fonctionnel {

// Writes the text into the main window's InfoGuide, waits about a second (pumping events), then
// runs the tip balloon's show and unloads it. A tip asked for while another one is on show only
// updates InfoGuide.
void AfficherGuide(const QString& texte);

} // namespace Fonctionnel

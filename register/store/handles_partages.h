#pragma once
// The shared register handles of the main window, the printed report and the statistics
// window. The register window keeps its own three of the same names.
// Close them (fermerHandlesPartages) when done: they are open only while a window works.

#include <memory>

#include "register/store/base_candidatures.h"
#include "register/store/base_donnees.h"

namespace Systeme {

Stockage::EspaceTravail& EspaceTravail();
std::unique_ptr<::BaseCandidatures>& BaseCandidatures();
std::unique_ptr<Stockage::JeuEnregistrements>& JeuCandidatures();
// Closes the record set, then the database, then the workspace.
void fermerHandlesPartages();

} // namespace Systeme

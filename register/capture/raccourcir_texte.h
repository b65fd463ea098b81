#pragma once
// The register's rule that fits a text into a column of at most 40 characters.

#include <QString>

#include "shell/services/fonctionnel.h"

namespace Annonce {

// A text of at most 40 characters is only trimmed of blanks. A longer one is cut at the last blank
// at or before position 35 (after its third character when positions 4 to 35 hold none), trimmed,
// and then loses one trailing " DE", then " DU", then " EN", then " ET" (compared in upper case,
// each only while the text is longer than 5 characters); the result is trimmed again.
QString RaccourcirTexte(const QString& texte);

using Fonctionnel::SansBlancs;

} // namespace Annonce

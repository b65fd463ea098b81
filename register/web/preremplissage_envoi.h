#pragma once
// The sending window's fields as the register reads and writes them (the recipient Email, the
// letter text Texte, the attachment PJ), by their names, without depending on that window's
// module. Nothing is loaded: a window that is not loaded has no field to read.

#include <QString>
#include <optional>

namespace FenetreEnvoi {

inline const QString NomConception = u"FormPostuler"_qs;

// True when the sending window is loaded and shown.
bool visible();
// The text of one of its fields (CR LF line ends turned into "\n"); nothing when the window is
// not loaded or has no such field.
std::optional<QString> texte(const QString& champ);
// Writes one of its fields; false when there is no such field.
bool fixerTexte(const QString& champ, const QString& valeur);

} // namespace FenetreEnvoi

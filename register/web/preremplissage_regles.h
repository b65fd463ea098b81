#pragma once
// Which part of the current identity goes into a field of a web form, recognised by fragments of
// the field's name (or of its id when it has no name). Pure: texts in, texts out.

#include <QString>
#include <optional>

#include "platform/navigateur.h"

namespace Preremplissage {

// The values a form may receive: the identity of the current CV and the cover letter shown in
// the sending window (empty when that window is not shown).
struct Identite {
    QString nom;
    QString prenom;
    QString adresse1;
    QString cp;
    QString ville;
    QString tel;
    QString email;
    QString fonction;
    QString lettre;
};

// The key a field is recognised by: its name upper-cased, or its id upper-cased when the name
// is missing or empty.
QString CleChamp(const std::optional<QString>& nom, const std::optional<QString>& id);

// True when no part of the identity is known (the letter aside).
bool SansIdentite(const Identite& identite);

// The value for a key: the last rule of the table that holds decides. Nothing for an empty key,
// a password field (a key holding "PASS"), a key no rule knows, or a value that is empty: what
// the field holds is never erased.
std::optional<QString> ValeurPourCle(const QString& cle, const Identite& identite);

// The same for an element of a page; nothing also for an element that holds no value (a
// paragraph with an id).
std::optional<QString> ValeurPourElement(const ElementPage& element, const Identite& identite);

// Only the first thousand elements after the first one are filled.
constexpr int DernierePosition = 1000;

} // namespace Preremplissage

#pragma once
// Fills the fields of the web form shown in a browser from the current identity: "Préremplir les
// champs" of the register's web panel. Nothing is submitted: the user checks the page and sends it.

#include <QString>

#include "register/web/preremplissage_regles.h"

class Navigateur;

namespace Preremplissage {

// The identity of the current CV (the main window's hidden identity fields; empty when the main
// window is not loaded) and the letter of the sending window when it is shown.
Identite IdentiteCourante();

// Writes into every field of the page that a rule recognises; returns the number of fields
// written. A page without fields, or without an answer, is left as it is.
int Preremplir(Navigateur& navigateur, const Identite& identite);

inline const QString MessageSansIdentite =
    QStringLiteral("Aucune identité n'est connue pour préremplir les champs : rédigez ou ouvrez d'abord un CV.");

// The label's click: the current identity into the page. With no identity at all, the user is
// told so and the page is left as it is.
void Label2_Click(Navigateur& navigateur);

} // namespace Preremplissage

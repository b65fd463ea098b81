#pragma once
// Choosing a status in the register window: the dates and notes it fills.

#include <QDate>

#include "register/store/candidature.h"

namespace StatutsCandidature {

// Chooses the status of that index of the status list, with today's date. Nothing happens,
// and false is returned, when the status is already the one shown (or the index is not in the
// list). Otherwise, in this order: Statut takes the status; any status but the first fills an
// empty DateEnvoi with today; a reply or later (index above 2) gives empty Remarques
// "Réponse le <today>" and a line end; an interview or later (index above 4) fills an empty
// DateRDV with today and adds a line end, "Prise de rendez-vous le <today>" and a line end to
// Remarques. Dates in the short format, line ends CR LF. The caller saves when Num is filled.
bool ChoisirStatut(ChampsCandidature& champs, int index, const QDate& aujourdhui);

} // namespace StatutsCandidature

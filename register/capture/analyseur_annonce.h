#pragma once
// The advertisement analyser: from the free text of a job advertisement to the detail fields of an
// application. Pure: no widget, no file, no clock.

#include "register/store/candidature.h"

#include <QDate>
#include <QString>

namespace Annonce {

// The fields the analyser may write.
const QStringList& ChampsAnalyses();

// Analyses the text of an advertisement (CR LF line ends, any length) into the fields of an
// application and returns them. `champs` holds what the register window's detail fields show
// (a missing name counts as an empty field); `adresseNavigateur` is the address of the page shown
// in the register's browser ("about:blank" when none); `aujourdhui` gives the current year.
//
// Written fields: Description always (the text without its characters of no width, header and
// footer, blank lines collapsed, possibly starting at the title); Email, Nature, Intitule, Lieu, Salaire,
// DateDiffusion, Telephone, Duree, CP, www and Origine only when empty; Ville together with an
// empty CP (the town of the postal code found); Societe, NomContact, Reference and Adresse by
// their own rules. Every other field is returned as given.
// The analyser shows nothing and asks nothing: the window writes the returned fields back into
// its boxes (Description with its CR LF turned into the widget's line ends), and the caller
// decides whether to save.
ChampsCandidature AnalyserAnnonce(const QString& texte, const ChampsCandidature& champs,
                                  const QString& adresseNavigateur, const QDate& aujourdhui);

} // namespace Annonce

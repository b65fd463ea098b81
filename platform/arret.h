#pragma once
// The end of the program asked by the session (SIGTERM at a log-out, SIGINT, SIGHUP). From the
// moment it is asked nothing waits for the user any more: a message asked meanwhile is not shown
// but kept, so that the user reads it at the next start, and a question counts as cancelled
// (only OK confirms, so nothing is done that was not confirmed).

#include <QString>
#include <functional>

namespace Arret {

bool demande();
// Set by the stop.
void fixerDemande(bool demande);

// Where the messages kept during the end go (the start-up keeps them in the data folder for the
// next start); each one also goes to the standard error.
void fixerDestination(std::function<void(const QString&)> destination);
void retenir(const QString& texte);

} // namespace Arret

#pragma once
// Recording a sending straight into the register, without the register window: used when that
// window no longer shows the application that was sent (the user chose another one or closed
// it while the e-mail client was open).

#include <QDate>
#include <QString>
#include <QtGlobal>

namespace Stockage {
class BaseDonnees;
}

namespace EnvoiRegistre {

// The application numbered num gets the status of an application sent and waiting for an
// answer ("EMISE - EN ATTENTE DE REPONSE"), the sending date, the attached CV and the letter,
// written as the register window's save writes them; its other columns stay as they are.
// False when there is no such row or it cannot be written.
bool noter(Stockage::BaseDonnees& base, qint64 num, const QDate& date, const QString& cv, const QString& lettre);

} // namespace EnvoiRegistre

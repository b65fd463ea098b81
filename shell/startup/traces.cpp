#include "shell/startup/traces.h"

#include <QWidget>

#include "shell/services/systeme.h"

namespace {
std::function<void(const QString&)> observateur_;
}

namespace Traces {

void etape(const QString& texte)
{
    if (observateur_)
        observateur_(texte);
}

void opacite(QWidget* fenetre, int valeur)
{
    Systeme::RendreTransparent(fenetre, valeur);
    if (observateur_ && fenetre)
        observateur_(QStringLiteral("Opacite %1 %2").arg(fenetre->objectName()).arg(valeur));
}

void observer(std::function<void(const QString&)> observateur) { observateur_ = std::move(observateur); }

} // namespace Traces

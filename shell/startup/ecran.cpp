#include "shell/startup/ecran.h"

#include <QGuiApplication>
#include <QScreen>

#include "shell/services/twips.h"

namespace {
std::optional<QSize> simule_;
}

namespace Ecran {

QSize tailleTwips()
{
    QSize pixels = simule_.value_or(QSize());
    if (!simule_) {
        if (QScreen* ecran = QGuiApplication::primaryScreen())
            pixels = ecran->geometry().size();
    }
    return {Twips::depuisPixels(pixels.width()), Twips::depuisPixels(pixels.height())};
}

void simuler(std::optional<QSize> pixels) { simule_ = pixels; }

} // namespace Ecran

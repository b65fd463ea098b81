#include "platform/arret.h"

#include <cstdio>

namespace {
bool demande_ = false;
std::function<void(const QString&)> destination_;
} // namespace

namespace Arret {

bool demande() { return demande_; }
void fixerDemande(bool demande) { demande_ = demande; }
void fixerDestination(std::function<void(const QString&)> destination) { destination_ = std::move(destination); }

void retenir(const QString& texte)
{
    std::fprintf(stderr, "Kerval : %s\n", texte.toLocal8Bit().constData());
    std::fflush(stderr);
    if (destination_)
        destination_(texte);
}

} // namespace Arret

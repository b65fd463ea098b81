#include "platform/plateforme.h"

#include "platform/fakes/fausse_plateforme.h"

Plateforme& Plateforme::instance()
{
    static Plateforme p;
    return p;
}

// Until the real services are installed, quiet stand-ins answer (no dialog pops up in a test
// that forgot to install its own).
Plateforme::Plateforme()
    : dialogues_(std::make_unique<FaussesDialogues>()),
      coquille_(std::make_unique<FausseCoquille>()),
      titres_(std::make_unique<FaussesTitres>()),
      clavier_(std::make_unique<FauxClavier>()),
      pressePapiers_(std::make_unique<FauxPressePapiers>()),
      horloge_(std::make_unique<FausseHorloge>())
{
}

#include "platform/plateforme.h"

#include "platform/arret.h"
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

bool MsgBox(const QString& texte, bool okAnnuler)
{
    if (Arret::demande()) {
        if (!okAnnuler)
            Arret::retenir(texte);
        return false;
    }
    Dialogues& d = Plateforme::instance().dialogues();
    if (!okAnnuler && SansInterrompre::actif()) {
        d.avis(texte);
        return true;
    }
    return d.message(texte, okAnnuler);
}

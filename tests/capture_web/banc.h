#pragma once
// A register window on a fresh register in a temporary data folder, with the platform's fakes
// and the fake browser (or the real one); its timers stopped so that tests drive it by hand.
// Optionally the main window too, and a stand-in sending window with its fields.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "platform/fakes/fausse_plateforme.h"
#include "platform/fakes/faux_navigateur.h"
#include "register/capture/capture_annonce.h"
#include "register/web/cadre_web.h"
#include "register/window/formcand.h"
#include "shell/services/registre_fenetres.h"
#include "support/outils.h"

struct Banc {
    DossierTemporaire dossier;
    FaussePlateforme plateforme;
    FormCand* f = nullptr;

    explicit Banc(bool avecPrincipale = false, bool vraiNavigateur = false);
    ~Banc();

    FauxNavigateur& nav() const { return *static_cast<FauxNavigateur*>(f->CadreWeb->WebBrowser1); }
    CaptureAnnonce& capture() const { return *f->Capture; }
    int nombreLignes() const;
    QString colonne(qint64 num, const QString& nom) const;
    QStringList messages();
};

// The sending window as the register sees it: a window of that name with its fields.
struct FausseFenetreEnvoi : QWidget, Fenetre {
    QLineEdit* Email;
    QPlainTextEdit* Texte;
    QLineEdit* PJ;
    FausseFenetreEnvoi();
    QString nomConception() const override { return u"FormPostuler"_qs; }
    QWidget* widget() override { return this; }
    static FausseFenetreEnvoi* charger(bool visible);
};

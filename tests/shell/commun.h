#pragma once
// Shared helpers of the shell's tests: a clean window registry, stand-in windows, registers.

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QProcessEnvironment>
#include <QWidget>
#include <gtest/gtest.h>

#include "outils.h"
#include "platform/fakes/fausse_plateforme.h"
#include "register/store/base_candidatures.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/services/registre_fenetres.h"
#include "shell/startup/ecran.h"
#include "shell/startup/traces.h"

// A loaded window of a given design name (a working window the shell only asks about).
class FenetreNommee : public QWidget, public Fenetre {
public:
    explicit FenetreNommee(const QString& nom) : nom_(nom) {}
    QString nomConception() const override { return nom_; }
    QWidget* widget() override { return this; }

    static FenetreNommee* charger(const QString& nom, bool visible = true)
    {
        auto* f = new FenetreNommee(nom);
        RegistreFenetres::instance().enregistrer(f);
        if (visible)
            f->show();
        return f;
    }

private:
    QString nom_;
};

// Every test starts from no loaded window, fresh fakes, no links, a 1280 x 1024 screen.
class TestCoquille : public ::testing::Test {
protected:
    void SetUp() override
    {
        faux = FaussePlateforme::installer();
        Ecran::simuler(QSize(1280, 1024));
        oublierLiens();
    }
    void TearDown() override
    {
        RegistreFenetres::instance().toutDecharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Traces::observer({});
        Ecran::simuler(std::nullopt);
        oublierLiens();
    }
    static void oublierLiens()
    {
        LiensFenetres::chargerAccueil = {};
        LiensFenetres::chargerBarre = {};
        LiensFenetres::arreterGlissementAccueil = {};
        LiensFenetres::releverOmbreAccueil = {};
        LiensFenetres::ouvrirRegistre = {};
        LiensFenetres::chargerFichierCV = {};
        LiensFenetres::chargerFichierLettre = {};
        LiensFenetres::nouvelleLettre = {};
        LiensFenetres::fixerLangueCV = {};
        LiensFenetres::ancrageAPropos = {};
    }
    FaussePlateforme faux{};
};

struct LigneRegistre {
    QString societe;
    QString statut;
    QString dateEnvoi; // ISO or empty
    QString dateRdv;   // ISO or empty
};

// An empty register at the path, holding the rows.
void creerRegistre(const QString& chemin, const QList<LigneRegistre>& lignes = {});
// The status of a company's application, read from the file.
QString statutDe(const QString& chemin, const QString& societe);
// A file of the given bytes (folders made as needed).
void ecrireFichier(const QString& chemin, const QByteArray& octets);
// The environment of the built program started as a user starts it, on an offscreen screen of
// the given size (its description written into the folder) and with the data under appData.
QProcessEnvironment environnementKerval(const QString& appData, int largeur = 1280, int hauteur = 1024);
// Every entry under a folder, hidden ones too, with its size, time and bytes, in name order:
// what a program that touched nothing leaves unchanged.
QStringList etatDossier(const QString& dossier);

class QPlainTextEdit;
class QTimer;
class Principale;
class FormCand;

using Outils::demarrerCommeLExecutable;
// The register's only application, opened with a click in the register window's tree.
FormCand& ouvrirCandidature();
// Types at the end of a text box, right after its window's autosave has ticked: the next tick is
// a whole delay away.
void taperApresLeTic(QTimer* autosauvegarde, QPlainTextEdit* zone, const QString& texte);
// A data folder holding one application (Soudeur at Acier, with its remarks) and the letter
// template "Relance" (with its letter); the application's remarks and the template's letter as
// stored there.
void creerCandidatureEtModele(const DossierTemporaire& dossier, const QString& remarques, const QString& lettre);
QString remarquesEnregistrees(const DossierTemporaire& dossier);
QString lettreEnregistree(const DossierTemporaire& dossier);

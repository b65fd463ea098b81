#pragma once
// The home screen's tests: a data folder with CVs and templates, the main window, the links
// of the home screen installed, the other windows' links recording what they were asked.

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

#include "outils.h"
#include "platform/fakes/fausse_plateforme.h"
#include "shell/home/assistant.h"
#include "shell/home/assistant_texte.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/registre_fenetres.h"

// A loaded window known only by its design name.
class FenetreNommee : public QWidget, public Fenetre {
public:
    explicit FenetreNommee(const QString& nom) : nom_(nom) { marquerFenetreSuperieure(this); }
    QString nomConception() const override { return nom_; }
    QWidget* widget() override { return this; }
    static FenetreNommee* charger(const QString& nom)
    {
        auto* f = new FenetreNommee(nom);
        RegistreFenetres::instance().enregistrer(f);
        f->show();
        return f;
    }

private:
    QString nom_;
};

class TestAccueil : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    FaussePlateforme faux{};
    QStringList appels; // what the other windows' links were asked, in order

    void SetUp() override
    {
        faux = FaussePlateforme::installer();
        QDir(dossier.donnees()).mkpath(u"CV"_qs);
        QDir(dossier.donnees()).mkpath(u"Lettres"_qs);
        dossier.entrer();
        oublierLiens();
        installerLiensAccueil();
        LiensFenetres::chargerFichierCV = [this](const QString& c) { appels << u"CV "_qs + relatif(c); };
        LiensFenetres::chargerFichierLettre = [this](const QString& c) { appels << u"Lettre "_qs + relatif(c); };
        LiensFenetres::nouvelleLettre = [this] { appels << u"NouvelleLettre"_qs; };
    }
    void TearDown() override
    {
        RegistreFenetres::instance().toutDecharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        oublierLiens();
    }
    static void oublierLiens()
    {
        LiensFenetres::chargerAccueil = {};
        LiensFenetres::chargerBarre = {};
        LiensFenetres::arreterGlissementAccueil = {};
        LiensFenetres::releverOmbreAccueil = {};
        LiensFenetres::actualiserCompteursAccueil = {};
        LiensFenetres::ouvrirRegistre = {};
        LiensFenetres::chargerFichierCV = {};
        LiensFenetres::chargerFichierLettre = {};
        LiensFenetres::nouvelleLettre = {};
        LiensFenetres::fixerLangueCV = {};
        LiensFenetres::ancrageAPropos = {};
        LiensFenetres::relancerGlissementAccueil = {};
    }
    QString relatif(const QString& chemin) const { return QDir(dossier.donnees()).relativeFilePath(chemin); }
    void fichier(const QString& relatif)
    {
        QFile f(dossier.chemin(relatif));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Nom=X\r\n");
    }
    // The main window at a width in twips, then the home screen.
    Principale& principale(int largeur = 18000)
    {
        Principale& p = Forme<Principale>();
        p.resize(largeur / 15, 9000 / 15);
        return p;
    }
    AssistantTexte& accueil() { return Forme<AssistantTexte>(); }
    static bool barreChargee() { return RegistreFenetres::instance().estChargee<Assistant>(); }
    // The bar's top when it stands on the home screen's label.
    static double hautDe(const AssistantTexte& a, int label)
    {
        auto* p = RegistreFenetres::instance().siChargee<Principale>();
        return a.Label1[size_t(label)]->Top() + 1200 + (p ? p->geometry().y() * 15 : 0);
    }
    static void pomper()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

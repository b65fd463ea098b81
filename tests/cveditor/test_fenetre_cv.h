#pragma once
// The CV editor under test: a temporary data folder holding the shipped page models, the main
// window loaded, fakes for the desktop's services and for the preview browser.

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <gtest/gtest.h>

#include "cveditor/formrediger_cv.h"
#include "outils.h"
#include "platform/fakes/fausse_plateforme.h"
#include "platform/fakes/faux_navigateur.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/registre_fenetres.h"
#include "shell/startup/ecran.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class TestFenetreCV : public ::testing::Test {
protected:
    void SetUp() override
    {
        faux = FaussePlateforme::installer();
        FauxNavigateur::installer();
        Ecran::simuler(QSize(1280, 1024));
        dossier.entrer();
        QDir().mkpath(u"Modeles"_qs);
        QDir().mkpath(u"CV"_qs);
        const QDir livres(QStringLiteral(KERVAL_DONNEES_SOURCE) + u"/Modeles"_qs);
        for (const QString& f : livres.entryList(QDir::Files))
            QFile::copy(livres.filePath(f), dossier.chemin(u"Modeles/"_qs + f));
        installerLiensEditeurCV();
        principale = &Forme<Principale>();
        principale->show();
    }
    void TearDown() override
    {
        RegistreFenetres::instance().toutDecharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        FauxNavigateur::desinstaller();
        Ecran::simuler(std::nullopt);
        LiensFenetres::chargerFichierCV = {};
        LiensFenetres::fixerLangueCV = {};
    }

    FormRedigerCV& cv() { return Forme<FormRedigerCV>(); }
    FauxNavigateur& apercu() { return *dynamic_cast<FauxNavigateur*>(cv().WebBrowser1); }
    // The renderings shown since the window loaded (navigations to the page file).
    int rendus() { return int(apercu().navigations.filter(u"CVtemp.html"_qs).size()); }
    QString page() { return FichiersTexte::lire(dossier.chemin(u"Modeles/CVtemp.html"_qs)).value_or(QString()); }
    QString fichierCV(const QString& nom) { return dossier.chemin(u"CV/"_qs + nom + u".dat"_qs); }
    // What the user does: focus in a box, then out of it.
    static void quitter(QWidget* boite)
    {
        QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(boite, &sortie);
    }

    DossierTemporaire dossier;
    FaussePlateforme faux{};
    Principale* principale = nullptr;
};

#pragma once
// The letter editor under test: a temporary data folder with a phrase file, the main window
// loaded, fake desktop services.

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <gtest/gtest.h>

#include "letters/formlettre.h"
#include "outils.h"
#include "platform/fakes/fausse_plateforme.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/registre_fenetres.h"
#include "shell/startup/ecran.h"

class TestFenetreLettre : public ::testing::Test {
protected:
    void SetUp() override
    {
        faux = FaussePlateforme::installer();
        Ecran::simuler(QSize(1280, 1024));
        dossier.entrer();
        QDir().mkpath(u"CV"_qs);
        QDir().mkpath(u"Lettres"_qs);
        FichiersTexte::ecrireLignes(dossier.chemin(u"propositions.txt"_qs),
                                    {u"1 Votre annonce a retenu mon attention."_qs,
                                     u"1 Suite à votre annonce #Reference#, je postule."_qs,
                                     u"2 Fort(e) d'une expérience dans #Domaine#."_qs,
                                     u"3 Je suis motivé(e) et sérieu(x)(se)."_qs,
                                     u"3 Rejoindre #Societe# me plairait."_qs,
                                     u"4 Je reste à votre disposition."_qs,
                                     u"5 Salutations distinguées."_qs});
        installerLiensLettres();
        principale = &Forme<Principale>();
        principale->show();
    }
    void TearDown() override
    {
        RegistreFenetres::instance().toutDecharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Ecran::simuler(std::nullopt);
        LiensFenetres::chargerFichierLettre = {};
        LiensFenetres::nouvelleLettre = {};
        LiensFenetres::cederEditeurLettre = {};
    }

    FormLettre& lettre() { return Forme<FormLettre>(); }
    QString fichierLettre(const QString& nom) { return dossier.chemin(u"Lettres/"_qs + nom + u".dat"_qs); }
    QStringList lettres() { return QDir(dossier.chemin(u"Lettres"_qs)).entryList(QDir::Files); }
    static void quitter(QWidget* boite)
    {
        QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(boite, &sortie);
    }

    DossierTemporaire dossier;
    FaussePlateforme faux{};
    Principale* principale = nullptr;
};

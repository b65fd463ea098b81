#pragma once
// Shared helpers of the statistics and report tests: a data folder holding a real register,
// the temporary folder inside it, fresh fakes and no window loaded.

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QVariantMap>
#include <gtest/gtest.h>

#include "outils.h"
#include "platform/fakes/fausse_plateforme.h"
#include "register/store/base_candidatures.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/services/registre_fenetres.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class TestRegistre : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    FaussePlateforme faux{};
    QByteArray ancienTemp;

    void SetUp() override
    {
        faux = FaussePlateforme::installer();
        dossier.entrer();
        ancienTemp = qgetenv("temp");
        QDir(dossier.appData()).mkpath(u"Temp"_qs);
        qputenv("temp", QDir(dossier.appData()).filePath(u"Temp"_qs).toLocal8Bit());
        LiensFenetres::arreterGlissementAccueil = {};
        LiensFenetres::relancerGlissementAccueil = {};
    }
    void TearDown() override
    {
        RegistreFenetres::instance().toutDecharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        LiensFenetres::arreterGlissementAccueil = {};
        LiensFenetres::relancerGlissementAccueil = {};
        if (ancienTemp.isNull())
            qunsetenv("temp");
        else
            qputenv("temp", ancienTemp);
    }

    QString cheminRegistre() const { return dossier.chemin(u"Kerval.mdb"_qs); }
    void creerRegistre() { ASSERT_TRUE(BaseCandidatures::creerVide(cheminRegistre())); }
    // Adds one application; columns by name, dates as QDate, absent columns take their defaults.
    void ajouter(const QVariantMap& colonnes)
    {
        auto base = BaseCandidatures::ouvrir(cheminRegistre());
        ASSERT_TRUE(base);
        auto jeu = base->base().ouvrirJeu(u"select * from Candidatures"_qs);
        ASSERT_TRUE(jeu && jeu->ajouterNouveau());
        for (auto it = colonnes.begin(); it != colonnes.end(); ++it)
            ASSERT_TRUE(jeu->fixer(it.key(), it.value())) << it.key().toStdString();
        ASSERT_TRUE(jeu->mettreAJour()) << jeu->derniereErreur().toStdString();
    }
    void aujourdhui(const QDate& d) { faux.horloge->instant = QDateTime(d, QTime(10, 0)); }
};

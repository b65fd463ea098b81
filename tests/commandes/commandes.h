#pragma once
// The desktop's commands under test: a temporary data folder with its CV, Lettres and Modeles
// folders (the shipped page models), the main window loaded, the CV editor's links, fakes for
// the desktop's services and the preview browser, and a documents folder of its own.

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
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

using Variable = VariableTemporaire;

class TestCommandes : public ::testing::Test {
protected:
    void SetUp() override
    {
        faux = FaussePlateforme::installer();
        FauxNavigateur::installer();
        Ecran::simuler(QSize(1280, 1024));
        dossier.entrer();
        for (const char* d : {"CV", "Lettres", "Modeles"})
            QDir().mkpath(QString::fromLatin1(d));
        const QDir livres(QStringLiteral(KERVAL_DONNEES_SOURCE) + QStringLiteral("/Modeles"));
        for (const QString& f : livres.entryList(QDir::Files))
            QFile::copy(livres.filePath(f), dossier.chemin(QStringLiteral("Modeles/") + f));
        QFile::copy(QStringLiteral(KERVAL_DONNEES_SOURCE) + QStringLiteral("/DocWord.doc"),
                    dossier.chemin(QStringLiteral("DocWord.doc")));
        QDir(profil.path()).mkpath(QStringLiteral("Documents"));
        installerLiensEditeurCV();
        LiensFenetres::chargerFichierLettre = [this](const QString& c) { lettresChargees << c; };
        LiensFenetres::chargerAccueil = [this] { ++accueils; };
    }
    void TearDown() override
    {
        RegistreFenetres::instance().toutDecharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        FauxNavigateur::desinstaller();
        FichiersTexte::simulerEchecEcriture(false);
        Ecran::simuler(std::nullopt);
        LiensFenetres::chargerFichierCV = {};
        LiensFenetres::fixerLangueCV = {};
        LiensFenetres::chargerFichierLettre = {};
        LiensFenetres::chargerAccueil = {};
    }

    Principale& principale()
    {
        Principale& p = Forme<Principale>();
        p.show();
        return p;
    }
    // The main window, its desktop built, the pointer on icon i.
    Principale& surIcone(int i)
    {
        Principale& p = principale();
        p.InitMenu();
        p.IndexIcone = i;
        return p;
    }
    FormRedigerCV& cv() { return Forme<FormRedigerCV>(); }
    FauxNavigateur& apercu() { return *dynamic_cast<FauxNavigateur*>(cv().WebBrowser1); }
    QString page() const
    {
        return FichiersTexte::lire(chemin(QStringLiteral("Modeles/CVtemp.html"))).value_or(QString());
    }
    int rendus() { return int(apercu().navigations.filter(QStringLiteral("CVtemp.html")).size()); }

    QString chemin(const QString& relatif) const { return dossier.chemin(relatif); }
    bool existe(const QString& relatif) const { return QFileInfo::exists(chemin(relatif)); }
    QByteArray octets(const QString& relatif) const { return Outils::lireOctets(chemin(relatif)); }
    void ecrire(const QString& relatif, const QByteArray& contenu) const { Outils::ecrireOctets(chemin(relatif), contenu); }
    // A CV file as stored: "name=value" lines ended by CR LF.
    void ecrireCV(const QString& nom, const QStringList& lignes) const
    {
        FichiersTexte::ecrire(chemin(QStringLiteral("CV/") + nom + QStringLiteral(".dat")),
                              lignes.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    }
    // A picture file outside the data folder.
    QString image(const QString& nom, int largeur, int hauteur, const char* format = "PNG") const
    {
        QImage i(largeur, hauteur, QImage::Format_RGB32);
        i.fill(Qt::darkCyan);
        const QString c = QDir(ailleurs.path()).filePath(nom);
        i.save(c, format);
        return c;
    }
    QString documents() const { return QDir(profil.path()).filePath(QStringLiteral("Documents/")); }

    DossierTemporaire dossier;
    QTemporaryDir ailleurs; // the user's own files
    QTemporaryDir profil;   // userprofile
    Variable varProfil{"userprofile", profil.path()};
    Variable varWindows{"ALLUSERSPROFILE", QStringLiteral("C:/ProgramData")};
    FaussePlateforme faux{};
    QStringList lettresChargees;
    int accueils = 0;
};

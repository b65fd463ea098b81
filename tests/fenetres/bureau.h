#pragma once
// The whole desktop as a user finds it after start-up: the main window with its home screen and
// every module's links, a data folder holding what ships with the program, the platform's fakes
// and a fake preview browser. The tests drive it with real pointer and key events.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

#include "outils.h"
#include "platform/attente.h"
#include "platform/fakes/fausse_plateforme.h"
#include "platform/fakes/faux_navigateur.h"
#include "register/store/base_candidatures.h"
#include "shell/controls/bouton_kvl.h"
#include "shell/home/assistant_texte.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/liens_modules.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/registre_fenetres.h"
#include "shell/startup/ecran.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_BEGIN_NAMESPACE
inline void PrintTo(const QSize& t, std::ostream* os) { *os << t.width() << "x" << t.height(); }
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << ", " << p.y() << ")"; }
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << r.width() << "x" << r.height() << " at (" << r.x() << ", " << r.y() << ")";
}
QT_END_NAMESPACE

class TestBureau : public ::testing::Test {
protected:
    // The embedded browsers of this desktop rather than the fake ones.
    virtual bool vraisNavigateurs() const { return false; }

    void SetUp() override
    {
        faux = FaussePlateforme::installer();
        if (vraisNavigateurs())
            FauxNavigateur::desinstaller();
        else
            FauxNavigateur::installer();
        Ecran::simuler(QSize(1280, 1024));
        ancienProfil_ = qgetenv("userprofile");
        ancienTousProfils_ = qgetenv("ALLUSERSPROFILE");
        QDir(dossier.appData()).mkpath(u"profil/Documents"_qs);
        qputenv("userprofile", QDir(dossier.appData()).filePath(u"profil"_qs).toUtf8());
        qputenv("ALLUSERSPROFILE", "C:/ProgramData");
        dossier.entrer();
        for (const char* d : {"CV", "Lettres", "Modeles"})
            QDir().mkpath(QString::fromLatin1(d));
        const QDir livres(QStringLiteral(KERVAL_DONNEES_SOURCE));
        for (const QString& f : QDir(livres.filePath(u"Modeles"_qs)).entryList(QDir::Files))
            QFile::copy(livres.filePath(u"Modeles/"_qs + f), dossier.chemin(u"Modeles/"_qs + f));
        for (const char* f : {"propositions.txt", "DocWord.doc", "Fondr.jpg"})
            QFile::copy(livres.filePath(QString::fromLatin1(f)), dossier.chemin(QString::fromLatin1(f)));
        ASSERT_TRUE(BaseCandidatures::creerVide(dossier.chemin(u"Kerval.mdb"_qs)));

        installerLiensModules();
        principale = &Forme<Principale>();
        principale->show();
        principale->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(principale));
        LiensFenetres::appeler(LiensFenetres::chargerAccueil);
        pomper();
    }
    void TearDown() override
    {
        RegistreFenetres::instance().toutDecharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        FauxNavigateur::desinstaller();
        Ecran::simuler(std::nullopt);
        qputenv("userprofile", ancienProfil_);
        qputenv("ALLUSERSPROFILE", ancienTousProfils_);
    }

public:
    // Lets queued events, timers due now and deferred deletions run.
    static void pomper()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

protected:
    QMdiArea* espace() const { return principale->Espace; }
    QMdiSubWindow* active() const { return espace()->activeSubWindow(); }
    // The workspace frame of a window, or null.
    static QMdiSubWindow* cadre(QWidget* w) { return w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr; }
    // The design name of the active window of the workspace.
    QString nomActive() const
    {
        auto* f = active() ? dynamic_cast<Fenetre*>(active()->widget()) : nullptr;
        return f ? f->nomConception() : u"(aucune)"_qs;
    }

    // A click as the user gives it, in the middle of the control (or at a point of it).
    static void cliquer(QWidget* w, QPoint ou = {})
    {
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, ou.isNull() ? w->rect().center() : ou);
        pomper();
    }
    // A double-click as the desktop delivers it: press, release, press, release, through the
    // window, to the control under the pointer.
    static void doubleCliquer(QWidget* w)
    {
        QWidget* fenetre = w->window();
        QTest::mouseDClick(fenetre->windowHandle(), Qt::LeftButton, {}, w->mapTo(fenetre, w->rect().center()));
        pomper();
    }
    // A click where the pointer lands at the control's centre, after moving there: the window
    // finds what lies under the pointer, as for the user.
    static void cliquerAuCentre(QWidget* w)
    {
        QWidget* fenetre = w->window();
        QTest::mouseMove(fenetre->windowHandle(), w->mapTo(fenetre, w->rect().center()));
        QTest::mouseClick(fenetre->windowHandle(), Qt::LeftButton, {}, w->mapTo(fenetre, w->rect().center()));
        pomper();
    }
    // A click on the program's button: the pointer lands on its caption, which takes the mouse.
    static void cliquer(BoutonKVL* b) { cliquer(b->Label1); }
    // Chooses the entry of that caption in the pop-up menu on show.
    static void choisirDansMenu(const QString& libelle)
    {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "no pop-up menu on show";
        for (QAction* a : menu->actions())
            if (a->text() == libelle) {
                QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(a).center());
                pomper();
                return;
            }
        FAIL() << "no entry " << libelle.toStdString();
    }

    DossierTemporaire dossier;
    FaussePlateforme faux{};
    Principale* principale = nullptr;

private:
    QByteArray ancienProfil_;
    QByteArray ancienTousProfils_;
};

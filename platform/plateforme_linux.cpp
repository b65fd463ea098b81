#include "platform/plateforme.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>

#include "platform/applications_bureau.h"
#include "platform/arret.h"
#include "platform/attente.h"
#include "platform/titres_x11.h"
#include "platform/clavier_x11.h"

namespace {

// A modal dialog stands over the window that was active when it opened; once it has closed, that
// window has the activation again (and with it the focus in the box the user was in), as the
// desktop's window manager would give it, also where none does.
class RetourActivation {
public:
    RetourActivation() : fenetre_(QApplication::activeWindow()) {}
    ~RetourActivation()
    {
        if (fenetre_ && fenetre_->isVisible() && QApplication::activeWindow() != fenetre_)
            fenetre_->activateWindow();
    }
    QWidget* fenetre() const { return fenetre_; }

private:
    QPointer<QWidget> fenetre_;
};

// A message that does not interrupt is shown without the activation. Where the platform gives a
// new window the activation all the same, the activation that comes with its showing goes back at
// once to the window the user was in; once the box has been drawn, it is the user's to activate.
class SansActivation final : public QObject {
public:
    SansActivation(QWidget* boite, QWidget* retour) : QObject(boite), retour_(retour) { boite->installEventFilter(this); }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        if (e->type() == QEvent::WindowActivate && retour_ && retour_->isVisible()) {
            retour_->activateWindow();
        } else if (e->type() == QEvent::Paint) {
            objet->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> retour_;
};

// A message box never exceeds the screen: a text too long for it scrolls inside the box, whose
// buttons stay in reach. The box sizes itself to its text whenever it lays out again; the limit
// is applied after it each time.
class BoiteMessage final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    bool event(QEvent* e) override
    {
        const bool traite = QMessageBox::event(e);
        if ((e->type() == QEvent::Show || e->type() == QEvent::LayoutRequest) && !ajustement_) {
            ajustement_ = true;
            tenirDansLEcran();
            ajustement_ = false;
        }
        return traite;
    }

private:
    void tenirDansLEcran()
    {
        QScreen* ecran = screen();
        if (!ecran || !isVisible())
            return;
        const QRect dispo = ecran->availableGeometry();
        // What the desktop adds around the box (title bar, borders), with room for it before it
        // is known.
        const int cadreHaut = qMax(frameGeometry().height() - height(), 48);
        const int cadreLarge = qMax(frameGeometry().width() - width(), 16);
        const int hauteurMax = dispo.height() - cadreHaut;
        const int largeurMax = dispo.width() - cadreLarge;
        if (!defilement_ && (height() > hauteurMax || width() > largeurMax)) {
            auto* etiquette = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            if (!etiquette || !layout())
                return;
            largeur_ = qMin(width(), largeurMax);
            defilement_ = new QScrollArea(this);
            defilement_->setObjectName(QStringLiteral("kerval_defilement"));
            defilement_->setFrameShape(QFrame::NoFrame);
            defilement_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            defilement_->setWidgetResizable(true);
            delete layout()->replaceWidget(etiquette, defilement_);
            defilement_->setWidget(etiquette);
        }
        if (defilement_) {
            // The box lays out again as if the text were short: the width chosen for the text
            // and the screen's height are kept, the text wrapped in it.
            if (auto* etiquette = qobject_cast<QLabel*>(defilement_->widget()))
                etiquette->setWordWrap(true);
            setFixedSize(largeur_, hauteurMax);
            QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
        }
        // Wholly on the screen.
        const QRect cadre = frameGeometry();
        QPoint coin = cadre.topLeft();
        coin.setX(qBound(dispo.left(), coin.x(), qMax(dispo.left(), dispo.right() + 1 - cadre.width())));
        coin.setY(qBound(dispo.top(), coin.y(), qMax(dispo.top(), dispo.bottom() + 1 - cadre.height())));
        if (coin != cadre.topLeft())
            move(pos() + (coin - cadre.topLeft()));
    }

    QScrollArea* defilement_ = nullptr;
    int largeur_ = 0;
    bool ajustement_ = false;
};

class DialoguesLinux final : public Dialogues {
public:
    bool message(const QString& texte, bool okAnnuler) override
    {
        if (Arret::demande())
            return false;
        RetourActivation retour;
        // The box belongs to the active window, which may be destroyed while the box waits
        // (the program stopped meanwhile): the box then goes with it, and counts as cancelled.
        QPointer<QMessageBox> boite =
            new BoiteMessage(QMessageBox::NoIcon, QStringLiteral("Kerval"), texte,
                            okAnnuler ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok, retour.fenetre());
        boite->setDefaultButton(QMessageBox::Ok);
        const int reponse = boite->exec();
        // A box that the end of the session closed was not answered.
        const bool ok = boite && reponse == QMessageBox::Ok && !Arret::demande();
        delete boite.data();
        return ok;
    }
    void avis(const QString& texte) override
    {
        // Over the window the user works in (not over a box, which goes sooner).
        QWidget* actif = QApplication::activeWindow();
        QWidget* proprietaire = actif;
        while (proprietaire && qobject_cast<QDialog*>(proprietaire) && proprietaire->parentWidget())
            proprietaire = proprietaire->parentWidget()->window();
        auto* boite = new BoiteMessage(QMessageBox::NoIcon, QStringLiteral("Kerval"), texte, QMessageBox::Ok,
                                      proprietaire);
        boite->setAttribute(Qt::WA_DeleteOnClose);
        boite->setAttribute(Qt::WA_ShowWithoutActivating);
        boite->setWindowModality(Qt::NonModal);
        new SansActivation(boite, actif);
        boite->show();
    }
    QString ouvrirFichier(const QString& titre, const QString& dossier, const QString& filtre) override
    {
        if (Arret::demande())
            return {};
        RetourActivation retour;
        return QFileDialog::getOpenFileName(retour.fenetre(), titre, dossier, filtre);
    }
    QString enregistrerSous(const QString& titre, const QString& dossier, const QString& filtre,
                            const QString& nomPropose) override
    {
        if (Arret::demande())
            return {};
        RetourActivation retour;
        return QFileDialog::getSaveFileName(retour.fenetre(), titre, QDir(dossier).filePath(nomPropose), filtre);
    }
    std::optional<QColor> choisirCouleur(const QColor& initiale) override
    {
        if (Arret::demande())
            return std::nullopt;
        RetourActivation retour;
        const QColor c = QColorDialog::getColor(initiale, retour.fenetre());
        if (!c.isValid())
            return std::nullopt;
        return c;
    }
};

class CoquilleLinux final : public Coquille {
public:
    QString programmeAssocie(const QString& fichier) override { return ApplicationsBureau::programme(fichier); }
    bool lancer(const QString& programme, const QStringList& arguments, bool) override
    {
        // The desktop's program for a file is started as its desktop entry says (an "env …"
        // prefix, a sandbox, the place of the file among its arguments).
        if (const std::optional<bool> ouvert = ApplicationsBureau::ouvrir(programme, arguments))
            return *ouvert;
        return QProcess::startDetached(programme, arguments);
    }
    bool ouvrirExplorateur(const QString& cible) override
    {
        // xdg-open hands the target to the desktop's program and ends, its status telling whether
        // it could. A desktop without an opener of its own has it run a program in its stead and
        // wait for it: one still running after a while has the target, and is left running.
        auto* ouverture = new QProcess;
        ouverture->setStandardInputFile(QProcess::nullDevice());
        ouverture->setStandardOutputFile(QProcess::nullDevice());
        ouverture->setStandardErrorFile(QProcess::nullDevice());
        ouverture->start(QStringLiteral("xdg-open"), {cible});
        if (!ouverture->waitForStarted(10000)) {
            delete ouverture;
            return false;
        }
        QElapsedTimer chrono;
        chrono.start();
        while (ouverture->state() != QProcess::NotRunning && chrono.elapsed() < 3000) {
            if (ouverture->waitForFinished(20))
                break;
            Attente::pomper();
        }
        if (ouverture->state() != QProcess::NotRunning) {
            // Never killed, not even when Kerval ends first.
            QObject::connect(ouverture, &QProcess::finished, ouverture, &QObject::deleteLater);
            return true;
        }
        const bool ouvert = ouverture->exitStatus() == QProcess::NormalExit && ouverture->exitCode() == 0;
        delete ouverture;
        return ouvert;
    }
};

class PressePapiersQt final : public PressePapiers {
public:
    QString texte() override { return QGuiApplication::clipboard()->text(); }
    void fixerTexte(const QString& t) override { QGuiApplication::clipboard()->setText(t); }
    QImage image() override { return QGuiApplication::clipboard()->image(); }
    void fixerImage(const QImage& i) override { QGuiApplication::clipboard()->setImage(i); }
    void vider() override { QGuiApplication::clipboard()->clear(); }
};

class HorlogeSysteme final : public Horloge {
public:
    QDate aujourdhui() override { return QDate::currentDate(); }
    QDateTime maintenant() override { return QDateTime::currentDateTime(); }
};

} // namespace

std::unique_ptr<Dialogues> creerDialoguesLinux() { return std::make_unique<DialoguesLinux>(); }
std::unique_ptr<Coquille> creerCoquilleLinux() { return std::make_unique<CoquilleLinux>(); }

void Plateforme::installerLinux()
{
    Plateforme& p = instance();
    p.fixerDialogues(creerDialoguesLinux());
    p.fixerCoquille(creerCoquilleLinux());
    p.fixerTitresFenetres(creerTitresX11());
    p.fixerClavier(creerClavierX11());
    p.fixerPressePapiers(std::make_unique<PressePapiersQt>());
    p.fixerHorloge(std::make_unique<HorlogeSysteme>());
}

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
#include <QMessageBox>
#include <QPointer>
#include <QProcess>

#include "platform/applications_bureau.h"
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

class DialoguesLinux final : public Dialogues {
public:
    bool message(const QString& texte, bool okAnnuler) override
    {
        RetourActivation retour;
        // The box belongs to the active window, which may be destroyed while the box waits
        // (the program stopped meanwhile): the box then goes with it, and counts as cancelled.
        QPointer<QMessageBox> boite =
            new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Kerval"), texte,
                            okAnnuler ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok, retour.fenetre());
        boite->setDefaultButton(QMessageBox::Ok);
        const int reponse = boite->exec();
        const bool ok = boite && reponse == QMessageBox::Ok;
        delete boite.data();
        return ok;
    }
    QString ouvrirFichier(const QString& titre, const QString& dossier, const QString& filtre) override
    {
        RetourActivation retour;
        return QFileDialog::getOpenFileName(retour.fenetre(), titre, dossier, filtre);
    }
    QString enregistrerSous(const QString& titre, const QString& dossier, const QString& filtre,
                            const QString& nomPropose) override
    {
        RetourActivation retour;
        return QFileDialog::getSaveFileName(retour.fenetre(), titre, QDir(dossier).filePath(nomPropose), filtre);
    }
    std::optional<QColor> choisirCouleur(const QColor& initiale) override
    {
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

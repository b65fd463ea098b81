#include "platform/plateforme.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

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
        QMessageBox boite(QMessageBox::NoIcon, QStringLiteral("Kerval"), texte,
                          okAnnuler ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok, retour.fenetre());
        boite.setDefaultButton(QMessageBox::Ok);
        return boite.exec() == QMessageBox::Ok;
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

// The program that the desktop associates with a file: xdg-mime's default for the file's
// type, and the Exec line of that .desktop file.
QString programmeDeBureau(const QString& fichierDesktop)
{
    QStringList dossiers = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& d : dossiers) {
        const QString chemin = QDir(d).filePath(fichierDesktop);
        if (!QFileInfo::exists(chemin))
            continue;
        QSettings desktop(chemin, QSettings::IniFormat);
        desktop.beginGroup(QStringLiteral("Desktop Entry"));
        QString exec = desktop.value(QStringLiteral("Exec")).toString();
        if (exec.isEmpty())
            exec = desktop.value(QStringLiteral("TryExec")).toString();
        const QStringList morceaux = QProcess::splitCommand(exec);
        if (morceaux.isEmpty())
            continue;
        const QString programme = QStandardPaths::findExecutable(morceaux.first());
        if (!programme.isEmpty())
            return programme;
    }
    return {};
}

class CoquilleLinux final : public Coquille {
public:
    QString programmeAssocie(const QString& fichier) override
    {
        if (!QFileInfo::exists(fichier))
            return {};
        const QString type = QMimeDatabase().mimeTypeForFile(fichier).name();
        QProcess requete;
        requete.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
        if (!requete.waitForFinished(5000) || requete.exitCode() != 0)
            return {};
        const QString desktop = QString::fromLocal8Bit(requete.readAllStandardOutput()).trimmed();
        if (desktop.isEmpty())
            return {};
        return programmeDeBureau(desktop);
    }
    bool lancer(const QString& programme, const QStringList& arguments, bool) override
    {
        return QProcess::startDetached(programme, arguments);
    }
    bool ouvrirExplorateur(const QString& cible) override
    {
        return QProcess::startDetached(QStringLiteral("xdg-open"), {cible});
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

void Plateforme::installerLinux()
{
    Plateforme& p = instance();
    p.fixerDialogues(creerDialoguesLinux());
    p.fixerCoquille(std::make_unique<CoquilleLinux>());
    p.fixerTitresFenetres(creerTitresX11());
    p.fixerClavier(creerClavierX11());
    p.fixerPressePapiers(std::make_unique<PressePapiersQt>());
    p.fixerHorloge(std::make_unique<HorlogeSysteme>());
}

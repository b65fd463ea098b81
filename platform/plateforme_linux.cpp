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
#include <QPointer>
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include "platform/titres_x11.h"
#include "platform/clavier_x11.h"

namespace {

class DialoguesLinux final : public Dialogues {
public:
    bool message(const QString& texte, bool okAnnuler) override
    {
        // The box belongs to the active window, which may be destroyed while the box waits
        // (the program stopped meanwhile): the box then goes with it, and counts as cancelled.
        QPointer<QMessageBox> boite =
            new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Kerval"), texte,
                            okAnnuler ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok,
                            QApplication::activeWindow());
        boite->setDefaultButton(QMessageBox::Ok);
        const int reponse = boite->exec();
        const bool ok = boite && reponse == QMessageBox::Ok;
        delete boite.data();
        return ok;
    }
    QString ouvrirFichier(const QString& titre, const QString& dossier, const QString& filtre) override
    {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), titre, dossier, filtre);
    }
    QString enregistrerSous(const QString& titre, const QString& dossier, const QString& filtre,
                            const QString& nomPropose) override
    {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), titre,
                                            QDir(dossier).filePath(nomPropose), filtre);
    }
    std::optional<QColor> choisirCouleur(const QColor& initiale) override
    {
        const QColor c = QColorDialog::getColor(initiale, QApplication::activeWindow());
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

void Plateforme::installerLinux()
{
    Plateforme& p = instance();
    p.fixerDialogues(std::make_unique<DialoguesLinux>());
    p.fixerCoquille(std::make_unique<CoquilleLinux>());
    p.fixerTitresFenetres(creerTitresX11());
    p.fixerClavier(creerClavierX11());
    p.fixerPressePapiers(std::make_unique<PressePapiersQt>());
    p.fixerHorloge(std::make_unique<HorlogeSysteme>());
}

#include "platform/environnement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Environnement {

QString variable(const char* nom) { return qEnvironmentVariable(nom); }

static QString ouSinon(const char* nom, const QString& defaut)
{
    const QString v = variable(nom);
    return v.isEmpty() ? defaut : v;
}

QString dossierApplication()
{
    return ouSinon("AppData", QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString dossierDonnees() { return QDir(dossierApplication()).filePath(QStringLiteral("Kerval")); }

QString profilUtilisateur() { return ouSinon("userprofile", QDir::homePath()); }

QString dossierPersonnel() { return ouSinon("homepath", QDir::homePath()); }

QString dossierTemporaire() { return ouSinon("temp", QDir::tempPath()); }

QString dossierDonneesLivrees()
{
    // Installed, the data lie beside the program (bin/../share/kerval), whatever prefix the
    // install was given.
    if (QCoreApplication::instance()) {
        const QString voisin = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/kerval"));
        if (QFileInfo(QDir(voisin).filePath(QStringLiteral("Kerval.sql"))).isFile())
            return voisin;
    }
    const QString installe = QStringLiteral(KERVAL_DONNEES_INSTALLEES);
    if (QFileInfo(installe).isDir())
        return installe;
    return QStringLiteral(KERVAL_DONNEES_SOURCE);
}

} // namespace Environnement

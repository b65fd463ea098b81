#include "platform/environnement.h"

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
    const QString installe = QStringLiteral(KERVAL_DONNEES_INSTALLEES);
    if (QFileInfo(installe).isDir())
        return installe;
    return QStringLiteral(KERVAL_DONNEES_SOURCE);
}

} // namespace Environnement

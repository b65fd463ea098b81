#include "outils.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

DossierTemporaire::DossierTemporaire()
{
    ancienAppData_ = qgetenv("AppData");
    ancienDossier_ = QDir::currentPath();
    qputenv("AppData", racine_.path().toUtf8());
    QDir(racine_.path()).mkpath(QStringLiteral("Kerval"));
}

DossierTemporaire::~DossierTemporaire()
{
    QDir::setCurrent(ancienDossier_);
    if (ancienAppData_.isEmpty())
        qunsetenv("AppData");
    else
        qputenv("AppData", ancienAppData_);
}

void DossierTemporaire::entrer() const { QDir::setCurrent(donnees()); }

namespace Outils {

QByteArray lireOctets(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void ecrireOctets(const QString& chemin, const QByteArray& octets)
{
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << chemin.toStdString();
    f.write(octets);
}

QStringList dossiersCas(const QString& algorithme)
{
    QStringList dossiers;
    QStringList racines{QStringLiteral(KERVAL_CAS_SOURCE)};
    const QString supplementaires = qEnvironmentVariable("KERVAL_CAS");
    if (!supplementaires.isEmpty())
        racines << supplementaires;
    for (const QString& racine : racines) {
        const QDir d(QDir(racine).filePath(algorithme));
        for (const QString& cas : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            dossiers << d.filePath(cas);
    }
    return dossiers;
}

QString lireCas(const QString& dossier, const QString& fichier, const QString& defaut)
{
    const QString chemin = QDir(dossier).filePath(fichier);
    if (!QFileInfo::exists(chemin))
        return defaut;
    return QString::fromUtf8(lireOctets(chemin));
}

QMap<QString, QString> lireValeurs(const QString& texte)
{
    QMap<QString, QString> valeurs;
    QString t = texte;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const QString& ligne : t.split(u'\n')) {
        const qsizetype egal = ligne.indexOf(u'=');
        if (egal < 0)
            continue;
        QString v = ligne.mid(egal + 1);
        v.replace(QLatin1String("<N>"), QLatin1String("\r\n"));
        valeurs.insert(ligne.left(egal), v);
    }
    return valeurs;
}

} // namespace Outils

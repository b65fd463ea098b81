#pragma once
// Test helpers: a temporary data folder, golden-case folders, small file helpers.

#include <QByteArray>
#include <QDir>
#include <QLocale>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary AppData holding the data folder Kerval; AppData and the current directory point
// there while it lives, and are put back afterwards.
class DossierTemporaire {
public:
    DossierTemporaire();
    ~DossierTemporaire();
    QString appData() const { return racine_.path(); }
    QString donnees() const { return QDir(racine_.path()).filePath(QStringLiteral("Kerval")); }
    QString chemin(const QString& relatif) const { return QDir(donnees()).filePath(relatif); }
    // Makes the data folder the current directory.
    void entrer() const;

private:
    QTemporaryDir racine_;
    QByteArray ancienAppData_;
    QString ancienDossier_;
};

// The program's locale for the time of a test (the shared main sets fr_FR); put back afterwards.
class LocaleTemporaire {
public:
    explicit LocaleTemporaire(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleTemporaire() { QLocale::setDefault(ancienne_); }
    LocaleTemporaire(const LocaleTemporaire&) = delete;
    LocaleTemporaire& operator=(const LocaleTemporaire&) = delete;

private:
    QLocale ancienne_;
};

namespace Outils {
QByteArray lireOctets(const QString& chemin);
void ecrireOctets(const QString& chemin, const QByteArray& octets);
// Golden cases of an algorithm: the folders under tests/cas/<algorithme>/ and, when
// KERVAL_CAS is set, under $KERVAL_CAS/<algorithme>/.
QStringList dossiersCas(const QString& algorithme);
// A case file as UTF-8 text, or the default when the file is missing.
QString lireCas(const QString& dossier, const QString& fichier, const QString& defaut = {});
// "Nom=valeur" lines ("<N>" a CR LF) as a map; lines with no "=" are skipped.
QMap<QString, QString> lireValeurs(const QString& texte);
} // namespace Outils

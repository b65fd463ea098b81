#pragma once
// Test helpers: a temporary data folder, golden-case folders, small file helpers.

#include <QByteArray>
#include <QDir>
#include <QLocale>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

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

// Sets an environment variable for the life of the object (a null value unsets it), and puts it
// back as it was afterwards.
class VariableTemporaire {
public:
    VariableTemporaire(const char* nom, const QByteArray& valeur);
    VariableTemporaire(const char* nom, const QString& valeur) : VariableTemporaire(nom, valeur.toLocal8Bit()) {}
    ~VariableTemporaire();
    VariableTemporaire(const VariableTemporaire&) = delete;
    VariableTemporaire& operator=(const VariableTemporaire&) = delete;

private:
    const char* nom_;
    QByteArray avant_;
    bool existait_;
};

class QWidget;
class Principale;

class QProcess;

namespace Outils {
// Lets the program run until the condition holds; false when the generous limit passes first (a
// test waits for conditions, never for a duration).
bool attendre(const std::function<bool()>& condition, int limiteMs = 60000);
// What a user types into a control: accented letters one by one, a line break as Return.
void taper(QWidget* w, const QString& texte);
// Sends the signal to the child while it runs. A child that has ended has no process number any
// more (0), and a signal to 0 would go to this test's whole process group: the test runner and
// every test program running beside it.
void signaler(const QProcess& enfant, int signal);
// Clicks the entry of that caption in the pop-up menu that shows (waited for); false when no menu
// shows or it has no enabled entry of that caption.
bool choisirDansMenu(const QString& libelle);
// Runs the tests the filter names again in a child process of this test program, under the C.UTF-8
// locale and with the system's locale (KERVAL_LOCALE_SYSTEME), plus the variables given; checks
// that the child ran one test and passed.
void relancerSousCUtf8(const QString& filtre, const QMap<QString, QString>& variables = {});
// Runs the test the filter names in a child process of this test program, with the variables set;
// once the child prints "pret", ends it as a session that ends does (SIGTERM), and checks that it
// ended by itself with code 0 and that its test passed.
void arreterEnfantPret(const QString& filtre, const QMap<QString, QString>& variables);
// The program's start-up as the executable runs it: the desktop's own services, every module's
// windows, the splash; returns the main window once the splash has gone.
QPointer<Principale> demarrerCommeLExecutable();
// In that child: says "pret" and runs the event loop until the signal ends the program, which
// must end it by itself with code 0, its main window gone.
void attendreLArret(const QPointer<Principale>& principale);
// Runs the tests the filter names again in a child process of this test program whose temporary
// folder (and so every data folder it makes) is a file system of its own of that size, in a mount
// namespace, with the variable set to 1; checks that the child ran one test and passed. The test
// is skipped where the system gives a child no such file system.
void relancerSurPetitDisque(const QString& filtre, const QString& variable, int megaoctets);
// Fills the disk that holds the file: every byte left goes into it.
void remplirDisque(const QString& fichier);
// A folder made under racine whose path, links resolved, is `octets` bytes long; its last name
// is `dernier` (blanks when empty).
QString dossierProfond(const QString& racine, qsizetype octets, const QString& dernier = {});
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

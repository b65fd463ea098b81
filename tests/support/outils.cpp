#include "outils.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <csignal>
#include <iostream>

#include "platform/plateforme.h"
#include "shell/mainwindow/liens_modules.h"
#include "shell/mainwindow/principale.h"
#include "shell/startup/depart.h"
#include "shell/startup/ecran.h"

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

VariableTemporaire::VariableTemporaire(const char* nom, const QByteArray& valeur)
    : nom_(nom), avant_(qgetenv(nom)), existait_(qEnvironmentVariableIsSet(nom))
{
    if (valeur.isNull())
        qunsetenv(nom);
    else
        qputenv(nom, valeur);
}

VariableTemporaire::~VariableTemporaire()
{
    if (existait_)
        qputenv(nom_, avant_);
    else
        qunsetenv(nom_);
}

namespace Outils {

bool attendre(const std::function<bool()>& condition, int limiteMs)
{
    QElapsedTimer chrono;
    chrono.start();
    while (!condition()) {
        if (chrono.elapsed() > limiteMs)
            return condition();
        QTest::qWait(10);
    }
    return true;
}

bool choisirDansMenu(const QString& libelle)
{
    if (!attendre([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; }, 10000))
        return false;
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    for (QAction* a : menu->actions())
        if (a->text() == libelle && a->isEnabled()) {
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(a).center());
            QCoreApplication::processEvents();
            return true;
        }
    return false;
}

void taper(QWidget* w, const QString& texte)
{
    for (const QChar c : texte) {
        if (c == u'\n')
            QTest::keyClick(w, Qt::Key_Return);
        else if (c.unicode() < 128)
            QTest::keyClick(w, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void relancerSousCUtf8(const QString& filtre, const QMap<QString, QString>& variables)
{
    QProcess enfant;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("KERVAL_LOCALE_SYSTEME"), QStringLiteral("1"));
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        env.insert(it.key(), it.value());
    enfant.setProcessEnvironment(env);
    enfant.setProcessChannelMode(QProcess::MergedChannels);
    enfant.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + filtre});
    ASSERT_TRUE(enfant.waitForFinished(120000)) << filtre.toStdString();
    const QString sortie = QString::fromUtf8(enfant.readAll());
    EXPECT_EQ(enfant.exitStatus(), QProcess::NormalExit) << sortie.toStdString();
    EXPECT_EQ(enfant.exitCode(), 0) << sortie.toStdString();
    EXPECT_TRUE(sortie.contains(QStringLiteral("[  PASSED  ] 1 test"))) << sortie.toStdString();
}

void arreterEnfantPret(const QString& filtre, const QMap<QString, QString>& variables)
{
    QProcess enfant;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        env.insert(it.key(), it.value());
    enfant.setProcessEnvironment(env);
    enfant.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    enfant.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + filtre});
    ASSERT_TRUE(enfant.waitForStarted(10000));
    QByteArray sortie;
    while (!sortie.contains("pret\n") && enfant.waitForReadyRead(120000))
        sortie += enfant.readAllStandardOutput();
    ASSERT_TRUE(sortie.contains("pret\n")) << sortie.toStdString();

    signaler(enfant, SIGTERM);
    ASSERT_TRUE(enfant.waitForFinished(60000));
    sortie += enfant.readAllStandardOutput();
    EXPECT_EQ(enfant.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(enfant.exitCode(), 0) << sortie.toStdString();
    EXPECT_TRUE(sortie.contains("[  PASSED  ] 1 test")) << sortie.toStdString();
}

void signaler(const QProcess& enfant, int signal)
{
    if (const auto pid = pid_t(enfant.processId()); pid > 0 && enfant.state() != QProcess::NotRunning)
        ::kill(pid, signal);
}

QPointer<Principale> demarrerCommeLExecutable()
{
    Plateforme::installerLinux();
    Ecran::simuler(QSize(1280, 1024));
    installerLiensModules();
    Depart::demarrer();
    QPointer<Principale> principale = RegistreFenetres::instance().siChargee<Principale>();
    EXPECT_FALSE(principale.isNull());
    EXPECT_TRUE(attendre([] { return !RegistreFenetres::instance().estChargee<Depart>(); }));
    return principale;
}

void attendreLArret(const QPointer<Principale>& principale)
{
    std::cout << "pret" << std::endl;
    QTimer::singleShot(120000, qApp, [] { QCoreApplication::exit(3); }); // no signal came
    EXPECT_EQ(QApplication::exec(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(principale.isNull());
}

void relancerSurPetitDisque(const QString& filtre, const QString& variable, int megaoctets)
{
    QTemporaryDir point;
    ASSERT_TRUE(point.isValid());
    QProcess enfant;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(variable, QStringLiteral("1"));
    env.insert(QStringLiteral("TMPDIR"), point.path());
    enfant.setProcessEnvironment(env);
    enfant.setProcessChannelMode(QProcess::MergedChannels);
    enfant.start(QStringLiteral("unshare"),
                 {QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"),
                  QStringLiteral("mount -t tmpfs -o size=%1m tmpfs \"$TMPDIR\" || exit 77; exec \"$0\" \"$1\"")
                      .arg(megaoctets),
                  QCoreApplication::applicationFilePath(), QStringLiteral("--gtest_filter=") + filtre});
    if (!enfant.waitForStarted(10000))
        GTEST_SKIP() << "unshare is missing";
    ASSERT_TRUE(enfant.waitForFinished(300000)) << filtre.toStdString();
    const QString sortie = QString::fromUtf8(enfant.readAll());
    if (!sortie.contains(QStringLiteral("[ RUN      ]")))
        GTEST_SKIP() << "no file system of its own for a child here: " << sortie.toStdString();
    EXPECT_EQ(enfant.exitStatus(), QProcess::NormalExit) << sortie.toStdString();
    EXPECT_EQ(enfant.exitCode(), 0) << sortie.toStdString();
    EXPECT_TRUE(sortie.contains(QStringLiteral("[  PASSED  ] 1 test"))) << sortie.toStdString();
}

void remplirDisque(const QString& fichier)
{
    QFile bourre(fichier);
    ASSERT_TRUE(bourre.open(QIODevice::WriteOnly)) << fichier.toStdString();
    for (qint64 bloc = 1 << 16; bloc > 0; bloc /= 2)
        while (bourre.write(QByteArray(int(bloc), 'x')) == bloc && bourre.flush())
            ;
}

QString dossierProfond(const QString& racine, qsizetype octets, const QString& dernier)
{
    QString chemin = QFileInfo(racine).canonicalFilePath();
    const qsizetype fin = dernier.isEmpty() ? 0 : 1 + QFile::encodeName(dernier).size();
    // Names of at most 200 letters, the last one long enough to end at the length asked.
    while (QFile::encodeName(chemin).size() + fin < octets) {
        const qsizetype reste = octets - fin - QFile::encodeName(chemin).size() - 1;
        chemin += u'/' + QString(qMax<qsizetype>(1, qMin<qsizetype>(200, reste == 201 ? 150 : reste)), u'd');
    }
    if (!dernier.isEmpty())
        chemin += u'/' + dernier;
    EXPECT_EQ(QFile::encodeName(chemin).size(), octets);
    EXPECT_TRUE(QDir().mkpath(chemin)) << chemin.toStdString();
    return chemin;
}

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

#include "platform/programme_externe.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <unistd.h>

#include "platform/arret.h"
#include "platform/attente.h"

namespace {

// How long the group has to end after being asked, and then after being killed.
constexpr int DelaiFinDemandee = 1500;
constexpr int DelaiFinForcee = 2000;

// True while a process of the group runs. A process that has ended but that its parent has not
// collected yet (a zombie) no longer runs: it writes nothing any more.
bool groupeEnVie(pid_t groupe)
{
    if (::kill(-groupe, 0) != 0 && errno == ESRCH)
        return false;
    const QStringList processus = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& nom : processus) {
        bool numero = false;
        nom.toInt(&numero);
        if (!numero)
            continue;
        QFile stat(QStringLiteral("/proc/") + nom + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (command) state ppid pgrp ...": the command may hold blanks and brackets.
        const QByteArray ligne = stat.readAll();
        const qsizetype fin = ligne.lastIndexOf(')');
        if (fin < 0)
            continue;
        const QList<QByteArray> champs = ligne.mid(fin + 2).split(' ');
        if (champs.size() < 3)
            continue;
        if (champs[2].toLongLong() == groupe && champs[0] != "Z" && champs[0] != "X")
            return true;
    }
    return false;
}

// Waits up to delaiMs for the group to end, collecting the program itself when it ends.
bool attendreFinGroupe(QProcess& processus, pid_t groupe, int delaiMs)
{
    QElapsedTimer chrono;
    chrono.start();
    for (;;) {
        if (processus.state() != QProcess::NotRunning)
            processus.waitForFinished(10);
        if (!groupeEnVie(groupe))
            return true;
        if (chrono.elapsed() > delaiMs)
            return false;
        QThread::msleep(10);
    }
}

} // namespace

ProgrammeExterne::ProgrammeExterne()
{
    // A group of its own: the programs it starts stay in it, whoever their parent becomes.
    processus_.setChildProcessModifier([] { ::setpgid(0, 0); });
}

ProgrammeExterne::~ProgrammeExterne()
{
    if (processus_.state() != QProcess::NotRunning)
        terminer();
}

bool ProgrammeExterne::demarrer(const QString& programme, const QStringList& arguments, int delaiMs)
{
    processus_.start(programme, arguments);
    if (!processus_.waitForStarted(delaiMs))
        return false;
    groupe_ = processus_.processId();
    return true;
}

ProgrammeExterne::Fin ProgrammeExterne::attendre(int delaiMs, int graceMs)
{
    QElapsedTimer chrono;
    chrono.start();
    qint64 arret = -1; // when the end of the session was first seen
    while (processus_.state() != QProcess::NotRunning) {
        if (processus_.waitForFinished(20))
            break;
        Attente::pomper();
        if (Arret::demande() && arret < 0)
            arret = chrono.elapsed();
        if (arret >= 0 && chrono.elapsed() - arret >= graceMs)
            return Fin::Arret;
        if (delaiMs >= 0 && chrono.elapsed() > delaiMs)
            return Fin::Delai;
    }
    return Fin::Terminee;
}

void ProgrammeExterne::terminer()
{
    const auto groupe = pid_t(groupe_);
    if (groupe <= 0) {
        processus_.kill();
        processus_.waitForFinished(DelaiFinForcee);
        return;
    }
    ::kill(-groupe, SIGTERM);
    if (!attendreFinGroupe(processus_, groupe, DelaiFinDemandee)) {
        ::kill(-groupe, SIGKILL);
        attendreFinGroupe(processus_, groupe, DelaiFinForcee);
    }
    if (processus_.state() != QProcess::NotRunning) // no group of its own after all
        processus_.kill();
    processus_.waitForFinished(DelaiFinForcee);
    groupe_ = 0;
}

#include "platform/attente.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {
double facteur_ = 1.0;
int pompes_ = 0; // pumps under way, one inside another
}

namespace Attente {

void fixerAcceleration(double facteur) { facteur_ = facteur < 0 ? 0 : facteur; }
double acceleration() { return facteur_; }

void reveiller()
{
    if (auto* repartiteur = QAbstractEventDispatcher::instance())
        repartiteur->wakeUp();
}

bool enCours() { return pompes_ > 0; }

void pomper()
{
    if (!QCoreApplication::instance())
        return;
    reveiller();
    ++pompes_;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --pompes_;
}

void dormir(int ms)
{
    const qint64 duree = qint64(ms * facteur_);
    QElapsedTimer chrono;
    chrono.start();
    pomper();
    while (chrono.elapsed() < duree) {
        const qint64 reste = duree - chrono.elapsed();
        QThread::msleep(static_cast<unsigned long>(qMin<qint64>(reste, 5)));
        pomper();
    }
}

void dormirSansPomper(int ms)
{
    const qint64 duree = qint64(ms * facteur_);
    if (duree > 0)
        QThread::msleep(static_cast<unsigned long>(duree));
}

} // namespace Attente

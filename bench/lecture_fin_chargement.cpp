// The wait for a page's text read at the end of its load, as the register window's capture does
// in its document-complete handler: the browser hidden (the register's web panel at load) or
// shown, the handler run at once or put off until the load's notice is over. Only the read is
// timed, not the load.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/navigateur_web.h"

namespace {

QTemporaryDir* dossier = nullptr;

QString page()
{
    const QString chemin = dossier->filePath(u"annonce.html"_qs);
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly))
        f.write("<html><body><h1>Attache commercial H/F</h1><p>ACME Distribution - Lyon</p></body></html>");
    return chemin;
}

// One load of the page; the read's duration, or a negative one when the page never finished.
double lire(NavigateurWeb& nav, const QString& chemin, bool differe)
{
    QEventLoop boucle;
    double ms = -1;
    auto lecture = [&] {
        QElapsedTimer chrono;
        chrono.start();
        benchmark::DoNotOptimize(nav.innerText());
        ms = double(chrono.nsecsElapsed()) / 1e6;
        boucle.quit();
    };
    auto lien = QObject::connect(&nav, &Navigateur::DocumentComplete, &boucle, [&](const QString&, bool principal) {
        if (!principal)
            return;
        if (differe)
            QMetaObject::invokeMethod(&boucle, lecture, Qt::QueuedConnection);
        else
            lecture();
    });
    QTimer::singleShot(20000, &boucle, &QEventLoop::quit);
    nav.Navigate(chemin);
    boucle.exec();
    QObject::disconnect(lien);
    return ms;
}

void LectureEnFinDeChargement(benchmark::State& etat, bool visible, bool differe)
{
    NavigateurWeb nav;
    nav.resize(800, 600);
    if (visible)
        nav.show();
    const QString chemin = page();
    for (auto _ : etat) {
        const double ms = lire(nav, chemin, differe);
        if (ms < 0) {
            etat.SkipWithError("the page did not finish loading");
            break;
        }
        etat.SetIterationTime(ms / 1000.0);
    }
}

} // namespace

BENCHMARK_CAPTURE(LectureEnFinDeChargement, cache_direct, false, false)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LectureEnFinDeChargement, cache_differe, false, true)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LectureEnFinDeChargement, visible_direct, true, false)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    dossier = new QTemporaryDir();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    delete dossier;
    return 0;
}

// The main window's load against the register: open the file (which checks every page of it),
// count the applications, age the statuses, close. The check alone is measured too.
#include "commun.h"
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "register/store/base_candidatures.h"
#include "registre_exemple.h"

namespace {

using RegistreExemple::aujourdhui;

void BM_ChargementPrincipale(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const int n = int(etat.range(0));
    const QString modele = RegistreExemple::creer(dossier.path(), n);
    const QString chemin = dossier.filePath(QStringLiteral("Kerval.mdb"));
    int nombre = 0;
    for (auto _ : etat) {
        etat.PauseTiming();
        QFile::remove(chemin);
        QFile::copy(modele, chemin);
        etat.ResumeTiming();
        auto base = BaseCandidatures::ouvrir(chemin);
        nombre = base->nombreCandidatures();
        base->vieillirStatuts(aujourdhui);
        base.reset();
    }
    if (nombre != n)
        etat.SkipWithError("wrong count");
    etat.SetComplexityN(n);
}
BENCHMARK(BM_ChargementPrincipale)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

// A later start: the same register opened again, nothing left to age. A new process knows
// nothing of the file, so the check runs again: the file's time is moved at each pass, which
// makes this process take it for a file it has not seen.
void BM_ChargementSuivant(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const int n = int(etat.range(0));
    const QString chemin = RegistreExemple::creer(dossier.path(), n);
    BaseCandidatures::ouvrir(chemin)->vieillirStatuts(aujourdhui);
    QDateTime temps = QDateTime::currentDateTime().addDays(-1);
    for (auto _ : etat) {
        etat.PauseTiming();
        {
            QFile f(chemin);
            temps = temps.addSecs(1);
            if (!f.open(QIODevice::ReadWrite) || !f.setFileTime(temps, QFileDevice::FileModificationTime))
                etat.SkipWithError("file time");
        }
        etat.ResumeTiming();
        auto base = BaseCandidatures::ouvrir(chemin);
        benchmark::DoNotOptimize(base->nombreCandidatures());
        base->vieillirStatuts(aujourdhui);
    }
    etat.SetComplexityN(n);
}
BENCHMARK(BM_ChargementSuivant)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

// The page check that every open runs, alone, on a register already open.
void BM_VerificationRegistre(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const int n = int(etat.range(0));
    const QString chemin = RegistreExemple::creer(dossier.path(), n);
    auto base = BaseCandidatures::ouvrir(chemin);
    for (auto _ : etat) {
        const auto verdict = base->base().valeurUnique(QStringLiteral("PRAGMA quick_check(1)"));
        if (!verdict || verdict->toString() != u"ok")
            etat.SkipWithError("check failed");
    }
    etat.counters["Mo"] = double(QFileInfo(chemin).size()) / (1024.0 * 1024.0);
    etat.SetComplexityN(n);
}
BENCHMARK(BM_VerificationRegistre)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

int main(int argc, char** argv) { return executerBancs(argc, argv); }

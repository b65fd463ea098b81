// The main window's load against the register: open the file, count the applications,
// age the statuses, close.
#include "commun.h"
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

// A later start: the same register opened again, nothing left to age.
void BM_ChargementSuivant(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const int n = int(etat.range(0));
    const QString chemin = RegistreExemple::creer(dossier.path(), n);
    BaseCandidatures::ouvrir(chemin)->vieillirStatuts(aujourdhui);
    for (auto _ : etat) {
        auto base = BaseCandidatures::ouvrir(chemin);
        benchmark::DoNotOptimize(base->nombreCandidatures());
        base->vieillirStatuts(aujourdhui);
    }
    etat.SetComplexityN(n);
}
BENCHMARK(BM_ChargementSuivant)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

int main(int argc, char** argv) { return executerBancs(argc, argv); }

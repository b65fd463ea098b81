// The main window's load against the register: open the file, count the applications,
// age the statuses, close.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "register/store/base_candidatures.h"
#include "register/store/candidature.h"

namespace {

const QDate aujourdhui(2024, 3, 15);

// A register of n applications spread over the statuses and the last two years.
QString registreModele(QTemporaryDir& dossier, int n)
{
    const QString chemin = dossier.filePath(QStringLiteral("modele-%1.mdb").arg(n));
    if (QFile::exists(chemin))
        return chemin;
    BaseCandidatures::creerVide(chemin);
    auto base = BaseCandidatures::ouvrir(chemin);
    Stockage::BaseDonnees& b = base->base();
    const QString description = QStringLiteral("Nous recherchons un(e) technicien(ne) de maintenance. ").repeated(6);
    b.debuter();
    for (int i = 0; i < n; ++i) {
        const QDate envoi = aujourdhui.addDays(-(i * 7919 % 730));
        b.executer(QStringLiteral("insert into Candidatures (Intitule, Description, Societe, Statut, Datediffussion, "
                                  "DateEnvoi, DateRDV, Origine) values (?, ?, ?, ?, ?, ?, ?, ?)"),
                   {QStringLiteral("Technicien %1").arg(i), description, QStringLiteral("Société %1").arg(i % 997),
                    Candidatures::statuts().at(i % 11), envoi.addDays(-3), envoi, envoi.addDays(10),
                    QStringLiteral("Site %1").arg(i % 40)});
    }
    b.valider();
    return chemin;
}

void BM_ChargementPrincipale(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const int n = int(etat.range(0));
    const QString modele = registreModele(dossier, n);
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
    const QString chemin = registreModele(dossier, n);
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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

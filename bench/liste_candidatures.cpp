// The register window's tree rebuild (read the rows in the sort's order and group them) and
// one save of the application shown.
#include "commun.h"
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "register/store/base_candidatures.h"
#include "registre_exemple.h"
#include "register/window/logique_arbre.h"
#include "register/window/logique_fiche.h"

namespace {

using RegistreExemple::aujourdhui;

void BM_InitListe(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const int n = int(etat.range(0));
    const auto tri = ArbreCandidatures::Tri(etat.range(1));
    const QString chemin = RegistreExemple::creer(dossier.path(), n);
    for (auto _ : etat) {
        auto base = BaseCandidatures::ouvrir(chemin);
        auto lignes = ArbreCandidatures::Lire(base->base(), tri);
        auto groupes = ArbreCandidatures::Grouper(*lignes, tri);
        benchmark::DoNotOptimize(groupes.size());
    }
    etat.SetComplexityN(n);
}
BENCHMARK(BM_InitListe)
    ->ArgsProduct({{1000, 20000}, {0, 1, 2, 3}})
    ->ArgNames({"n", "tri"})
    ->Unit(benchmark::kMillisecond);

void BM_Valider(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const int n = int(etat.range(0));
    const QString chemin = RegistreExemple::creer(dossier.path(), n);
    auto base = BaseCandidatures::ouvrir(chemin);
    std::optional<ChampsCandidature> fiche = FicheCandidature::Charger(base->base(), n / 2);
    int i = 0;
    for (auto _ : etat) {
        auto b = BaseCandidatures::ouvrir(chemin);
        (*fiche)[QStringLiteral("Remarques")] = QStringLiteral("Relance %1").arg(++i);
        FicheCandidature::ValeursParDefaut(*fiche, aujourdhui);
        if (!FicheCandidature::ControlerSaisie(*fiche, false).accepte || !FicheCandidature::Enregistrer(b->base(), *fiche))
            etat.SkipWithError("save refused");
    }
}
BENCHMARK(BM_Valider)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return executerBancs(argc, argv); }

// The register window's tree rebuild (read the rows in the sort's order and group them) and
// one save of the application shown.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "register/store/base_candidatures.h"
#include "register/store/candidature.h"
#include "register/window/logique_arbre.h"
#include "register/window/logique_fiche.h"

namespace {

const QDate aujourdhui(2024, 3, 15);

QString registre(QTemporaryDir& dossier, int n)
{
    const QString chemin = dossier.filePath(QStringLiteral("Kerval-%1.mdb").arg(n));
    if (QFile::exists(chemin))
        return chemin;
    BaseCandidatures::creerVide(chemin);
    auto base = BaseCandidatures::ouvrir(chemin);
    Stockage::BaseDonnees& b = base->base();
    const QString description = QStringLiteral("Nous recherchons un(e) technicien(ne) de maintenance. ").repeated(6);
    b.debuter();
    for (int i = 0; i < n; ++i)
        b.executer(QStringLiteral("insert into Candidatures (Intitule, Description, Societe, Statut, Datediffussion, "
                                  "Origine, Remarques) values (?, ?, ?, ?, ?, ?, ?)"),
                   {QStringLiteral("Technicien %1").arg(i), description, QStringLiteral("Société %1").arg(i % 997),
                    Candidatures::statuts().at(i % 11), aujourdhui.addDays(-(i * 7919 % 730)),
                    QStringLiteral("Site %1").arg(i % 40), QStringLiteral("Relancer\r\n")});
    b.valider();
    return chemin;
}

void BM_InitListe(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const int n = int(etat.range(0));
    const auto tri = ArbreCandidatures::Tri(etat.range(1));
    const QString chemin = registre(dossier, n);
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
    const QString chemin = registre(dossier, n);
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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

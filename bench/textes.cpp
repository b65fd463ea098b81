// Text procedures on whole advertisements and pages: NormaliserTexte and TraduireCVAnglais.
#include "commun.h"
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLocale>

#include "shell/services/fonctionnel.h"

namespace {

QString texteFrancais(int octets)
{
    static const QString morceau = QStringLiteral(
        "<p>Exp&eacute;rience professionnelle : Née le 3 mai 1980 à Lyon (25 ans), Marié, 2 enfants.\r\n"
        "Développeur (H/F) - Société Générale d'Études, CDI à Paris ; Anglais courant, Allemand scolaire.</p>\r\n");
    QString t;
    t.reserve(octets + morceau.size());
    while (t.size() < octets)
        t += morceau;
    t.truncate(octets);
    return t;
}

void Normaliser(benchmark::State& etat)
{
    const QString t = texteFrancais(int(etat.range(0)));
    for (auto _ : etat)
        benchmark::DoNotOptimize(Fonctionnel::NormaliserTexte(t));
    etat.SetBytesProcessed(etat.iterations() * etat.range(0));
}

void Traduire(benchmark::State& etat)
{
    const QString t = texteFrancais(int(etat.range(0)));
    for (auto _ : etat)
        benchmark::DoNotOptimize(Fonctionnel::TraduireCVAnglais(t));
    etat.SetBytesProcessed(etat.iterations() * etat.range(0));
}

} // namespace

BENCHMARK(Normaliser)->Arg(10 * 1024)->Arg(100 * 1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(Traduire)->Arg(10 * 1024)->Arg(100 * 1024)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return executerBancs(argc, argv); }

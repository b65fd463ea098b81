// Cost of the score of a loaded page (its first 32000 characters against the advertisement words
// and the job names) and of separating glued words in a 200 KB page text.
#include "commun.h"
#include "register/capture/regles_capture.h"

namespace {

QString pageTexte(qsizetype taille)
{
    const QString motif = u"Offre d'emploi : AgentCommercial H/F - CDI - Lieu : Lyon - Salaire à négocier. "
                          u"Profil recherché : expérience de 3 ans, déplacements fréquents. Postuler\r\n"_qs;
    QString t;
    while (t.size() < taille)
        t += motif;
    t.truncate(taille);
    return t;
}

void NoterPage(benchmark::State& etat)
{
    const QString texte = pageTexte(etat.range(0));
    for (auto _ : etat)
        benchmark::DoNotOptimize(Capture::NoterPage(texte, u"http://www.offres.fr/1"_qs));
}
BENCHMARK(NoterPage)->Arg(2000)->Arg(32000)->Arg(200000)->Unit(benchmark::kMicrosecond);

void SeparerMotsColles(benchmark::State& etat)
{
    const QString texte = pageTexte(etat.range(0));
    for (auto _ : etat)
        benchmark::DoNotOptimize(Capture::SeparerMotsColles(texte));
}
BENCHMARK(SeparerMotsColles)->Arg(200000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return executerBancs(argc, argv); }

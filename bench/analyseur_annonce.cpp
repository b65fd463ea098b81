// Cost of one analysis of an advertisement of 2 KB, 20 KB and 200 KB: a realistic advertisement
// repeated, and a single line dense in key words whose collections would each run to its end.
#include "commun.h"
#include "register/capture/analyseur_annonce.h"

#include <QCoreApplication>
#include <QLocale>
#include <benchmark/benchmark.h>

namespace {

const QString Corps =
    u"Attaché commercial H/F\r\nACME Distribution - Lyon (69)\r\nPubliée le 12/03/2025 - Réf. : AC-2025-118\r\n"
    u"Contrat : CDI\r\n\r\nL'entreprise\r\nACME Distribution est le spécialiste de la fourniture de bureau.\r\n"
    u"Rattaché au directeur des ventes, vous développez un portefeuille de clients.\r\n"
    u"Lieu de travail : Lyon 7e\r\nSalaire : 30 à 35 K€ brut annuel\r\nContact : Mme Claire Durand\r\n"
    u"Tél : 04 72 00 11 22\r\nAdresse : ACME Distribution, 12 rue de Gerland 69007 LYON\r\n"
    u"Envoyez votre CV à claire.durand@acme-distribution.fr\r\n\r\n"_qs;

const QString LigneDense = u"Société cliente du secteur - tél : voir site - réf : la suite - contact : du lundi "_qs;

QString annonce(const QString& motif, qsizetype taille, bool sansFinDeLigne)
{
    QString t = u"Accueil > Offres > Commerce\r\n"_qs;
    while (t.size() < taille)
        t += motif;
    t.truncate(taille);
    if (sansFinDeLigne)
        t.replace(u" - "_qs, u" "_qs);
    return t;
}

void analyser(benchmark::State& etat, const QString& texte)
{
    const ChampsCandidature vides;
    const QDate jour(2025, 3, 15);
    for (auto _ : etat) {
        ChampsCandidature r = Annonce::AnalyserAnnonce(texte, vides, u"https://www.jobdirect.fr/offre/1"_qs, jour);
        benchmark::DoNotOptimize(r);
    }
    etat.SetBytesProcessed(int64_t(etat.iterations()) * texte.size() * 2);
    etat.counters["Ko"] = double(texte.size()) / 1024.0;
}

void BM_AnnonceReelle(benchmark::State& etat) { analyser(etat, annonce(Corps, etat.range(0), false)); }
void BM_LigneDenseEnMotsCles(benchmark::State& etat) { analyser(etat, annonce(LigneDense, etat.range(0), true)); }

BENCHMARK(BM_AnnonceReelle)->Arg(2 * 1024)->Arg(20 * 1024)->Arg(200 * 1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LigneDenseEnMotsCles)->Arg(2 * 1024)->Arg(20 * 1024)->Arg(200 * 1024)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return executerBancs(argc, argv); }

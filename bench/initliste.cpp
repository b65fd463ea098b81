// The register window's tree rebuild on registers of 1 000 and 20 000 applications, and one save.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/attente.h"
#include "platform/fakes/fausse_plateforme.h"
#include "platform/fakes/faux_navigateur.h"
#include "register/store/base_candidatures.h"
#include "register/window/formcand.h"
#include "register/window/logique_arbre.h"

namespace {

const QStringList Statuts = Candidatures::statuts();
const QStringList Societes{u"Société"_qs, u"école"_qs, u"Électricité"_qs, u"ZODIAC"_qs, u"abc"_qs, u"Éa"_qs};

// A data folder holding a register of n applications, spread over companies, dates, statuses
// and sources; the register window is loaded on it.
struct Registre {
    QTemporaryDir dossier;
    FormCand* f = nullptr;

    explicit Registre(int n)
    {
        QDir::setCurrent(dossier.path());
        BaseCandidatures::creerVide(u"Kerval.mdb"_qs);
        auto base = BaseCandidatures::ouvrir(u"Kerval.mdb"_qs);
        base->base().debuter();
        for (int i = 0; i < n; ++i) {
            base->base().executer(
                u"insert into Candidatures (Intitule, Societe, Statut, Origine, Datediffussion, Description) "
                "values (?, ?, ?, ?, ?, ?)"_qs,
                {u"Poste numéro %1"_qs.arg(i), Societes[i % Societes.size()] + u" %1"_qs.arg(i % 400), Statuts[i % Statuts.size()],
                 u"Site %1"_qs.arg(i % 30), QDate(2023, 1, 1).addDays(i % 700).toString(Qt::ISODate),
                 QString(600, u'x')});
        }
        base->base().valider();
        base->fermer();
        f = &Forme<FormCand>();
        f->Timer1->stop();
        f->Timer2->stop();
    }
    ~Registre() { RegistreFenetres::instance().decharger(FormCand::NomConception); }
};

// The rebuild in the sort of the load ("Statuts") and in the companies' French order.
void InitListe(benchmark::State& etat)
{
    Registre r(int(etat.range(0)));
    const int tri = int(etat.range(1));
    r.f->Tri[tri]->setChecked(true);
    for (auto _ : etat)
        r.f->InitListe();
    etat.SetComplexityN(etat.range(0));
}
BENCHMARK(InitListe)
    ->ArgsProduct({{1000, 20000}, {2}})
    ->ArgNames({"n", "statuts"})
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(InitListe)
    ->ArgsProduct({{1000, 20000}, {0}})
    ->ArgNames({"n", "societes"})
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The same rebuild without the tree widget: reading the rows and grouping them.
void LireEtGrouper(benchmark::State& etat)
{
    Registre r(int(etat.range(0)));
    auto base = BaseCandidatures::ouvrir(u"Kerval.mdb"_qs);
    for (auto _ : etat) {
        auto lignes = ArbreCandidatures::Lire(base->base(), ArbreCandidatures::Tri::Statuts);
        benchmark::DoNotOptimize(ArbreCandidatures::Grouper(*lignes, ArbreCandidatures::Tri::Statuts));
    }
}
BENCHMARK(LireEtGrouper)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

// One "Valider" of a stored application, tree rebuild included.
void Valider(benchmark::State& etat)
{
    Registre r(int(etat.range(0)));
    r.f->AfficherCandidature(1);
    int i = 0;
    for (auto _ : etat) {
        r.f->Salaire->setText(QString::number(++i));
        r.f->Valider();
    }
}
BENCHMARK(Valider)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication app(argc, argv);
    Attente::fixerAcceleration(0);
    FaussePlateforme::installer();
    FauxNavigateur::installer();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

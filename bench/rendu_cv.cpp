// One rendering of a full CV through the Basic page model (read the model, compose, write
// CVtemp.html), and the identity reader on a 50-line block.
#include "commun.h"
#include <benchmark/benchmark.h>

#include "cveditor/identite.h"
#include "cveditor/rendu_cv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

namespace {
FichierCV::ValeursCV cvComplet()
{
    FichierCV::ValeursCV cv = FichierCV::ValeursCV::parDefaut();
    const QString crlf = QStringLiteral("\r\n");
    auto f = [&](const char16_t* b, const QString& t) { cv.fixer(QString::fromUtf16(b), t); };
    f(u"Nom", u"LEBRUN"_qs);
    f(u"Prénom", u"Sophie"_qs);
    f(u"NomCV", u"Lebrun Sophie"_qs);
    f(u"Adresse1", u"12 Rue De La Paix"_qs);
    f(u"Adresse2", u"Bâtiment B"_qs);
    f(u"CP", u"75002"_qs);
    f(u"Ville", u"Paris"_qs);
    f(u"Pays", u"France"_qs);
    f(u"Tel", u"01 23 45 67 89"_qs);
    f(u"Mob", u"06 12 34 56 78"_qs);
    f(u"Email", u"sophie.lebrun@exemple.fr"_qs);
    f(u"Fonction", u"Responsable logistique"_qs);
    f(u"Objectifs", u"Piloter une plateforme de distribution régionale."_qs);
    f(u"DateNaissance", u"12/05/1980"_qs);
    f(u"LieuNaissance", u"Lyon"_qs);
    f(u"Age", u"44"_qs);
    f(u"NbEnfants", u"2"_qs);
    f(u"Situation", u"Marié(e)"_qs);
    QString exp;
    for (int i = 0; i < 8; ++i)
        exp += QStringLiteral("%1 - %2 : Responsable d'entrepôt, Transports Durand, Villepinte").arg(2000 + 2 * i).arg(2002 + 2 * i) +
               crlf + u"- Encadrement de 25 préparateurs"_qs + crlf + u"- Réduction des délais de livraison de 20 %"_qs + crlf;
    f(u"Experiences", exp);
    f(u"Etudes", u"2003 : Master Logistique<N>- Mention bien<N>2001 : Licence Économie<N>1998 : Baccalauréat ES"_qs.replace(u"<N>"_qs, crlf));
    f(u"Formations", u"2015 : CACES 3<N>2012 : Management d'équipe"_qs.replace(u"<N>"_qs, crlf));
    f(u"Competences", u"Logistique :<N>- Gestion de stocks, WMS<N>Management :<N>- Animation d'équipe"_qs.replace(u"<N>"_qs, crlf));
    f(u"LanguesPlus", u"Séjour de six mois à Manchester."_qs);
    f(u"Divers", u"Course à pied<N>Permis de conduire B"_qs.replace(u"<N>"_qs, crlf));
    cv.cocher(u"LangueCourant"_qs, 0, 1);
    cv.cocher(u"LangueScolaire"_qs, 2, 1);
    return cv;
}

void Rendu(benchmark::State& etat)
{
    QTemporaryDir dossier;
    QDir(dossier.path()).mkpath(QStringLiteral("Modeles"));
    QFile::copy(QStringLiteral(KERVAL_DONNEES_SOURCE "/Modeles/Basic.htm"), dossier.filePath(QStringLiteral("Modeles/Basic.htm")));
    QFile::copy(QStringLiteral(KERVAL_DONNEES_SOURCE "/Modeles/Photo.jpg"),
                dossier.filePath(QStringLiteral("Modeles/Lebrun Sophie.jpg")));
    const FichierCV::ValeursCV cv = cvComplet();
    for (auto _ : etat) {
        const RenduCV::Rendu r = RenduCV::rendre(dossier.path(), cv);
        if (r.issue != RenduCV::Issue::Rendu)
            etat.SkipWithError("rendu impossible");
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(Rendu)->Unit(benchmark::kMillisecond);

void Composition(benchmark::State& etat)
{
    const QString modele = *RenduCV::lireModele(QStringLiteral(KERVAL_DONNEES_SOURCE "/Modeles/Basic.htm"));
    const FichierCV::ValeursCV cv = cvComplet();
    for (auto _ : etat)
        benchmark::DoNotOptimize(RenduCV::composer(modele, cv, true));
}
BENCHMARK(Composition)->Unit(benchmark::kMicrosecond);

void IdentiteCinquanteLignes(benchmark::State& etat)
{
    QStringList lignes{u"Sophie Lebrun"_qs, u"12 rue de la Paix"_qs, u"Bâtiment B"_qs, u"75002 Paris"_qs,
                       u"Tél : 01 23 45 67 89"_qs, u"Portable : 06 12 34 56 78"_qs, u"Courriel : sophie.lebrun@exemple.fr"_qs,
                       u"Née le 12/05/1980 à Lyon"_qs, u"Agée de 44 ans"_qs, u"Mariée, 2 enfants"_qs};
    while (lignes.size() < 50)
        lignes << lignes.at(lignes.size() % 10);
    const QString bloc = lignes.join(u"\r\n"_qs);
    const QDate aujourdhui(2024, 6, 15);
    for (auto _ : etat)
        benchmark::DoNotOptimize(Identite::analyser(bloc, {}, aujourdhui));
}
BENCHMARK(IdentiteCinquanteLignes)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv) { return executerBancs(argc, argv); }

#include "register/stats/comptes_statuts.h"

#include <algorithm>
#include <cmath>

#include "register/store/candidature.h"

namespace ComptesStatuts {

const QStringList& statutsComptes()
{
    static const QStringList statuts = Candidatures::statuts() + QStringList{Candidatures::sansReponseApresEntretien()};
    return statuts;
}

QString texteNombre(qint64 nombre) { return nombre < 0 ? QString() : QString::number(nombre); }

QList<int> largeursBarres(const QList<qint64>& nombres, int place)
{
    constexpr double ParCandidature = 100;
    const qint64 plusGrand = nombres.isEmpty() ? 0 : *std::max_element(nombres.begin(), nombres.end());
    const double echelle = plusGrand * ParCandidature > place ? double(place) / double(plusGrand) : ParCandidature;
    QList<int> largeurs;
    for (const qint64 n : nombres)
        largeurs << (n < 0 ? 1 : int(std::lround(double(n) * echelle)) + 1);
    return largeurs;
}

} // namespace ComptesStatuts

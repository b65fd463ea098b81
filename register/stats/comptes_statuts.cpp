#include "register/stats/comptes_statuts.h"

#include <algorithm>

namespace ComptesStatuts {

const QStringList& statutsComptes()
{
    static const QStringList statuts{
        QStringLiteral("NON EMISE"),
        QStringLiteral("EMISE - EN ATTENTE DE REPONSE"),
        QStringLiteral("REPONSE - REFUS NET"),
        QStringLiteral("REPONSE - REFUS MAIS CONSERVEE"),
        QStringLiteral("REPONSE - ENTRETIEN"),
        QStringLiteral("ENTRETIEN - ATTENTE REPONSE"),
        QStringLiteral("ENTRETIEN - REFUS MAIS CONSERVEE"),
        QStringLiteral("ENTRETIEN - SECOND ENTRETIEN"),
        QStringLiteral("ENTRETIEN - EMBAUCHE"),
        QStringLiteral("EMBAUCHE"),
    };
    return statuts;
}

QString texteNombre(int nombre) { return nombre < 0 ? QString() : QString::number(nombre); }

int largeurBarre(int nombre)
{
    if (nombre < 0)
        return 1;
    // Compared in 64 bits: a huge count must not wrap round to a short bar.
    return int(std::min<qint64>(qint64(nombre) * 100 + 1, 4000));
}

} // namespace ComptesStatuts

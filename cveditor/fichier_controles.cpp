#include "cveditor/fichier_controles.h"

#include "shell/services/fichiers_texte.h"

#include <limits>

namespace FichierControles {

QString echapperSauts(const QString& texte)
{
    if (!texte.contains(u'\r'))
        return texte;
    QString r;
    r.reserve(texte.size() + 16);
    const qsizetype n = texte.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texte.at(i);
        if (c == u'\r') {
            r += QLatin1String("<N>");
            if (i + 1 < n && texte.at(i + 1) == u'\n')
                ++i;
        } else {
            r += c;
        }
    }
    return r;
}

QString restaurerSauts(const QString& texte)
{
    if (!texte.contains(QLatin1String("<N>")))
        return texte;
    QString r = texte;
    r.replace(QLatin1String("<N>"), QLatin1String("\r\n"));
    return r;
}

QString ligne(const Entree& e)
{
    if (e.indexee)
        return QString::number(e.index) + u':' + e.nom + u'=' + echapperSauts(e.valeur);
    return e.nom + u'=' + echapperSauts(e.valeur);
}

QString composer(const Entrees& entrees)
{
    QString texte;
    for (const Entree& e : entrees) {
        texte += ligne(e);
        texte += QLatin1String("\r\n");
    }
    return texte;
}

namespace {
// The leading decimal number of the text before the ":" (0 when there is none); -1 when it
// does not fit an index.
int indexDe(const QString& avant)
{
    qsizetype i = 0;
    long long v = 0;
    bool trop = false;
    while (i < avant.size() && avant.at(i) >= u'0' && avant.at(i) <= u'9') {
        v = v * 10 + (avant.at(i).unicode() - u'0');
        if (v > std::numeric_limits<int>::max())
            trop = true, v = 0;
        ++i;
    }
    return trop ? -1 : int(v);
}
} // namespace

std::optional<Entree> lireLigne(const QString& l)
{
    if (l.isEmpty())
        return std::nullopt;
    const QChar premier = l.at(0);
    if (premier >= u'0' && premier <= u'9') {
        const qsizetype deuxPoints = l.indexOf(u':');
        if (deuxPoints < 0)
            return std::nullopt;
        const qsizetype egal = l.indexOf(u'=', deuxPoints + 1);
        if (egal < 0)
            return std::nullopt;
        return Entree::indexe(indexDe(l.left(deuxPoints)), l.mid(deuxPoints + 1, egal - deuxPoints - 1),
                              l.mid(egal + 1));
    }
    const qsizetype egal = l.indexOf(u'=');
    if (egal < 0)
        return std::nullopt;
    return Entree::plaine(l.left(egal), restaurerSauts(l.mid(egal + 1)));
}

Entrees lire(const QString& texte)
{
    Entrees entrees;
    for (const QString& l : FichiersTexte::decouperLignes(texte))
        if (auto e = lireLigne(l))
            entrees << *e;
    return entrees;
}

bool enregistrer(const QString& chemin, const Entrees& entrees)
{
    return FichiersTexte::ecrire(chemin, composer(entrees));
}

std::optional<Entrees> charger(const QString& chemin)
{
    const auto texte = FichiersTexte::lire(chemin);
    if (!texte)
        return std::nullopt;
    return lire(*texte);
}

} // namespace FichierControles

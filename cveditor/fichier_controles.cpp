#include "cveditor/fichier_controles.h"

#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"

#include <QFileInfo>

#include <cerrno>
#include <cmath>
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
// The numeric value of the text before the ":" (blanks between digits skipped, as for any
// number read from a text), rounded to a whole index as the controls take it; -1 when it does
// not fit an index.
int indexDe(const QString& avant)
{
    const double v = std::nearbyint(Fonctionnel::Valeur(avant));
    if (!std::isfinite(v) || v < 0 || v > std::numeric_limits<int>::max())
        return -1;
    return int(v);
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
    return enregistrerOctets(chemin, FichiersTexte::encoder(composer(entrees)));
}

bool enregistrerOctets(const QString& chemin, const QByteArray& octets)
{
    // The new text replaces the file in one step, which would also go through a file that the
    // user made read-only: such a file is kept as it is and the save fails.
    const QFileInfo existant(chemin);
    if (existant.exists() && (!existant.permission(QFile::WriteOwner) || !existant.isWritable())) {
        errno = EACCES;
        return false;
    }
    return FichiersTexte::ecrireOctets(chemin, octets);
}

std::optional<Entrees> charger(const QString& chemin)
{
    const auto texte = FichiersTexte::lire(chemin);
    if (!texte)
        return std::nullopt;
    return lire(*texte);
}

} // namespace FichierControles

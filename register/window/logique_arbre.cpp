#include "register/window/logique_arbre.h"

#include <QHash>
#include <QLocale>

#include "shell/services/fonctionnel.h"

namespace ArbreCandidatures {

QString Requete(Tri tri)
{
    // Only the columns the tree shows are read; Num breaks ties so that the order is stable.
    static const QString colonnes = u"select Num, Datediffussion, Intitule, Societe, Statut, Origine from Candidatures "_qs;
    switch (tri) {
    // Texts in French order, letter case and accents aside (the connection's FRANCAIS order).
    case Tri::Societes: return colonnes + u"order by +Societe collate FRANCAIS, Num"_qs;
    // Dates by their day, in whatever form the register holds them (DATEISO).
    case Tri::Dates: return colonnes + u"order by DATEISO(Datediffussion) desc, Num"_qs;
    case Tri::Statuts: return colonnes + u"order by +Statut collate FRANCAIS desc, Num"_qs;
    case Tri::Origine: return colonnes + u"order by +Origine collate FRANCAIS, Num"_qs;
    }
    return colonnes;
}

static QString texteDate(const std::optional<QDate>& d) { return d ? Fonctionnel::EcrireDate(*d) : QString(); }

QString TexteGroupe(const Ligne& ligne, Tri tri)
{
    QString texte;
    switch (tri) {
    case Tri::Societes: texte = ligne.societe; break;
    case Tri::Dates: texte = u"Date : "_qs + texteDate(ligne.dateDiffusion); break;
    case Tri::Statuts:
        texte = u"Candidatures "_qs + QLocale().toLower(ligne.statut).replace(u"emise"_qs, u"émises"_qs);
        break;
    case Tri::Origine: texte = u"Origine : "_qs + ligne.origine; break;
    }
    if (Fonctionnel::Valeur(texte) > 0)
        texte.prepend(u"Valeur "_qs);
    return texte;
}

QString TexteFeuille(const Ligne& ligne)
{
    return texteDate(ligne.dateDiffusion) + u' ' + ligne.intitule + u", "_qs + ligne.societe;
}

QString CleFeuille(qint64 num) { return u's' + QString::number(num); }

std::optional<qint64> NumeroDeCle(const QString& cle)
{
    if (cle.size() < 2 || cle.at(0) != u's')
        return std::nullopt;
    for (qsizetype i = 1; i < cle.size(); ++i)
        if (cle.at(i) < u'0' || cle.at(i) > u'9')
            return std::nullopt;
    bool ok = false;
    const qint64 n = cle.mid(1).toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

QList<Groupe> Grouper(const QList<Ligne>& lignes, Tri tri)
{
    QList<Groupe> groupes;
    QHash<QString, qsizetype> index;
    QString precedent;
    qsizetype courant = -1;
    for (const Ligne& l : lignes) {
        const QString texte = TexteGroupe(l, tri);
        if (courant < 0 || texte != precedent) {
            precedent = texte;
            const auto trouve = index.constFind(texte);
            if (trouve != index.cend()) {
                courant = *trouve;
            } else {
                courant = groupes.size();
                index.insert(texte, courant);
                groupes.append({texte, texte, {}});
            }
        }
        groupes[courant].feuilles.append({l.num, CleFeuille(l.num), TexteFeuille(l)});
    }
    return groupes;
}

std::optional<QList<Ligne>> Lire(Stockage::BaseDonnees& base, Tri tri)
{
    auto jeu = base.ouvrirJeu(Requete(tri));
    if (!jeu)
        return std::nullopt;
    QList<Ligne> lignes;
    lignes.reserve(jeu->nombreEnregistrements());
    for (jeu->premier(); !jeu->finFichier(); jeu->suivant())
        lignes.append({jeu->valeur(u"Num"_qs).toLongLong(), jeu->texte(u"Intitule"_qs), jeu->texte(u"Societe"_qs),
                       jeu->texte(u"Statut"_qs), jeu->texte(u"Origine"_qs), jeu->date(u"Datediffussion"_qs)});
    return lignes;
}

} // namespace ArbreCandidatures

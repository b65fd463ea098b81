#include "shell/home/menus_accueil.h"

#include <cmath>

namespace MenusAccueil {

namespace {

// A count as the counters line writes it: a leading blank where the sign would go.
QString nombreSigne(int n) { return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n); }

struct Entree {
    const char16_t* libelle;
    Commande commande;
};

constexpr Entree TableCommandes[] = {
    {u"Rédiger un Curriculum Vitae", Commande::ChoixCV},
    {u"Réaliser un nouveau CV", Commande::NouveauCV},
    {u"Rattacher un CV existant", Commande::RattacherCV},
    {u"Rédiger un modèle de lettre", Commande::ChoixLettre},
    {u"Réaliser un nouveau modèle de lettre", Commande::NouvelleLettre},
    {u"Gérer les candidatures", Commande::ChoixCand},
    {u"Gestion manuelle des candidatures", Commande::GestionManuelle},
    {u"Recherche des offres sur Internet", Commande::RechercheOffres},
    {u"Justificatif de recherche d'emploi", Commande::Justificatif},
    {u"Statistiques, calendrier et alertes", Commande::Statistiques},
    {u"Retour", Commande::Retour},
};

} // namespace

Libelles menuPrincipal()
{
    Libelles l;
    l[1] = u"Vous souhaitez..."_qs;
    l[2] = u"Rédiger un Curriculum Vitae"_qs;
    l[3] = u"Rédiger, modifier ou rattacher un CV"_qs;
    l[5] = u"Rédiger un modèle de lettre"_qs;
    l[4] = u"Rédiger ou modifier un modèle générique"_qs;
    l[6] = u"Gérer les candidatures"_qs;
    l[7] = u"Postuler aux offres et suivre les réponses"_qs;
    l[8] = u"Statistiques, calendrier et alertes"_qs;
    l[9] = u"Dates d'entretiens, statistiques sur les réponses"_qs;
    return l;
}

QString compteurs(int fichiersCV, int fichiersLettres, const QString& nbCand)
{
    return u"Nombre de CV : "_qs + nombreSigne(std::min(fichiersCV, 5)) + u"\r\n"_qs + u"Nombre de lettres : "_qs +
           nombreSigne(fichiersLettres) + u"\r\n"_qs + u"Nombre de candidatures : "_qs + nbCand;
}

std::optional<QString> nomFichier(const QString& infobulle)
{
    if (!infobulle.contains(u".dat"_qs))
        return std::nullopt;
    QString nom = infobulle;
    return nom.remove(u".dat"_qs);
}

std::optional<QString> genreModele(const QString& infobulle)
{
    // Each code found overrides the one before.
    std::optional<QString> genre;
    if (infobulle.contains(u"(IS)"_qs))
        genre = u"Modèle à imprimer, candidature spontanée"_qs;
    if (infobulle.contains(u"(IR)"_qs))
        genre = u"Modèle à imprimer, réponse à une annonce"_qs;
    if (infobulle.contains(u"(ES)"_qs))
        genre = u"Modèle mail, candidature spontanée"_qs;
    if (infobulle.contains(u"(ER)"_qs))
        genre = u"Modèle mail, réponse à une annonce"_qs;
    return genre;
}

namespace {
// A template's name and kind into a label pair; both empty when the file is no template.
void modele(Libelles& l, int iNom, int iGenre, const QString& infobulle)
{
    const auto nom = nomFichier(infobulle);
    if (!nom) {
        l[iNom].clear();
        l[iGenre].clear();
        return;
    }
    l[iNom] = *nom;
    if (const auto genre = genreModele(infobulle))
        l[iGenre] = *genre;
}
} // namespace

Libelles sousMenu(SousMenu menu, const Libelles& actuels, const QString& icone0, const QString& icone5,
                  const QString& icone6)
{
    Libelles l = actuels;
    switch (menu) {
    case SousMenu::CV:
        l[2] = u"Réaliser un nouveau CV"_qs;
        l[3] = u"Rédiger un CV à l'aide de l'assistant Kerval"_qs;
        l[5] = u"Rattacher un CV existant"_qs;
        l[4] = u"Qui a été réalisé par ailleurs"_qs;
        if (const auto nom = nomFichier(icone0)) {
            l[6] = *nom;
            l[7] = u"Consulter / Modifier"_qs;
        } else {
            l[6].clear();
            l[7].clear();
        }
        break;
    case SousMenu::Lettre:
        l[2] = u"Réaliser un nouveau modèle de lettre"_qs;
        l[3] = u"A l'aide de suggestions de textes"_qs;
        modele(l, 5, 4, icone5);
        modele(l, 6, 7, icone6);
        break;
    case SousMenu::Candidatures:
        l[2] = u"Gestion manuelle des candidatures"_qs;
        l[3] = u"Et des contacts sociétés"_qs;
        l[5] = u"Recherche des offres sur Internet"_qs;
        l[4] = u"Sur les sites spécialisés"_qs;
        l[6] = u"Justificatif de recherche d'emploi"_qs;
        l[7] = u"A l'attention des services sociaux"_qs;
        break;
    }
    l[8] = u"Retour"_qs;
    l[9] = u"Retour au menu principal"_qs;
    return l;
}

Commande commande(const QString& libelle)
{
    for (const Entree& e : TableCommandes)
        if (libelle == QStringView(e.libelle))
            return e.commande;
    return Commande::Aucune;
}

int libelleAligne(double hautBarre, const std::array<double, 10>& hauts, double hautPrincipale)
{
    for (int i = 2; i <= 8; ++i) {
        const double d = std::round(std::abs(hautBarre - (hauts[i] + 1200 + hautPrincipale)));
        if (d < 400)
            return i;
    }
    return -1;
}

OuvertureParNom ouvertureParNom(const QString& libelle, const QString& icone0, const QString& icone5,
                                const QString& icone6)
{
    const QString fichier = libelle + u".dat"_qs;
    OuvertureParNom o;
    if (icone0 == fichier)
        o.cv = u"CV/"_qs + fichier;
    if (icone5 == fichier)
        o.lettre5 = u"Lettres/"_qs + fichier;
    if (icone6 == fichier)
        o.lettre6 = u"Lettres/"_qs + fichier;
    return o;
}

double pasGlissement(double haut, double cible)
{
    haut = (4 * haut + cible) / 5;
    if (std::abs(cible - haut) < 10)
        haut = cible;
    return haut;
}

} // namespace MenusAccueil

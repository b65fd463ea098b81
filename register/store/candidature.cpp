#include "register/store/candidature.h"

namespace Candidatures {

const QList<Colonne>& colonnes()
{
    static const QList<Colonne> liste = {
        {u"Num"_qs, u"Num"_qs, Genre::Compteur},
        {u"Intitule"_qs, u"Intitule"_qs, Genre::Texte},
        {u"Description"_qs, u"Description"_qs, Genre::TexteLong},
        {u"Nature"_qs, u"Nature"_qs, Genre::Texte},
        {u"Lieu"_qs, u"Lieu"_qs, Genre::Texte},
        {u"Duree"_qs, u"Duree"_qs, Genre::Texte},
        {u"Salaire"_qs, u"Salaire"_qs, Genre::Texte},
        {u"Societe"_qs, u"Societe"_qs, Genre::Texte},
        {u"NomContact"_qs, u"NomContact"_qs, Genre::Texte},
        {u"Telephone"_qs, u"Telephone"_qs, Genre::Texte},
        {u"courriel"_qs, u"Email"_qs, Genre::Texte},
        {u"Origine"_qs, u"Origine"_qs, Genre::Texte},
        {u"Datediffussion"_qs, u"DateDiffusion"_qs, Genre::Date},
        {u"DateLimite"_qs, u"DateLimite"_qs, Genre::Date},
        {u"DateRDV"_qs, u"DateRDV"_qs, Genre::Date},
        {u"DateEnvoi"_qs, u"DateEnvoi"_qs, Genre::Date},
        {u"www"_qs, u"www"_qs, Genre::Texte},
        {u"Reference"_qs, u"Reference"_qs, Genre::Texte},
        {u"Statut"_qs, u"Statut"_qs, Genre::Texte},
        {u"CV"_qs, u"CV"_qs, Genre::Texte},
        {u"Lettre"_qs, u"Lettre"_qs, Genre::TexteLong},
        {u"Remarques"_qs, u"Remarques"_qs, Genre::TexteLong},
        {u"Adresse"_qs, u"Adresse"_qs, Genre::Texte},
        {u"CP"_qs, u"CP"_qs, Genre::Texte},
        {u"Ville"_qs, u"Ville"_qs, Genre::Texte},
    };
    return liste;
}

const QStringList& champs()
{
    static const QStringList liste = [] {
        QStringList l;
        for (const Colonne& c : colonnes())
            l << c.champ;
        return l;
    }();
    return liste;
}

const QStringList& statuts()
{
    static const QStringList liste = {
        u"NON EMISE"_qs,
        u"EMISE - EN ATTENTE DE REPONSE"_qs,
        u"EMISE - SANS REPONSE"_qs,
        u"REPONSE - REFUS NET"_qs,
        u"REPONSE - REFUS MAIS CONSERVEE"_qs,
        u"ENTRETIEN A EFFECTUER"_qs,
        u"ENTRETIEN EFFECTUE - ATTENTE REPONSE"_qs,
        u"ENTRETIEN EFFECTUE - REFUS MAIS CONSERVEE"_qs,
        u"ENTRETIEN EFFECTUE - SECOND ENTRETIEN"_qs,
        u"ENTRETIEN D' EMBAUCHE"_qs,
        u"EMBAUCHE"_qs,
    };
    return liste;
}

QString sansReponseApresEntretien() { return u"SANS REPONSE APRES ENTRETIEN"_qs; }

} // namespace Candidatures

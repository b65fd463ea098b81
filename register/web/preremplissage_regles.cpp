#include "register/web/preremplissage_regles.h"

#include <array>

namespace Preremplissage {

namespace {

enum class Source { Email, Nom, Prenom, Adresse1, CP, Ville, Fonction, Tel, Lettre };

struct Regle {
    const char16_t* texte;
    bool entier; // the whole key, rather than a fragment of it
    Source source;
};

// Tried in this order; a later rule that holds overwrites an earlier one.
constexpr std::array<Regle, 28> Regles = {{
    {u"MAI", false, Source::Email},       {u"LOG", false, Source::Email},
    {u"IDENT", false, Source::Email},     {u"LAST", false, Source::Nom},
    {u"NOM", false, Source::Nom},         {u"SURN", false, Source::Nom},
    {u"PRE", false, Source::Prenom},      {u"FIRST", false, Source::Prenom},
    {u"ADR", false, Source::Adresse1},    {u"CP", false, Source::CP},
    {u"POSTAL", false, Source::CP},       {u"VPA", false, Source::Ville},
    {u"LOC", false, Source::Ville},       {u"VILLE", false, Source::Ville},
    {u"CITY", false, Source::Ville},      {u"L", true, Source::Ville},
    {u"CLE", false, Source::Fonction},    {u"MOT", false, Source::Fonction},
    {u"KEY", false, Source::Fonction},    {u"R", true, Source::Fonction},
    {u"EXP", false, Source::Email},       {u"RCH", false, Source::Fonction},
    {u"TEL", false, Source::Tel},         {u"MES", false, Source::Lettre},
    {u"COM", false, Source::Lettre},      {u"REM", false, Source::Lettre},
    {u"LET", false, Source::Lettre},      {u"NOTE", false, Source::Lettre},
}};

const QString& valeur(Source source, const Identite& i)
{
    switch (source) {
    case Source::Email: return i.email;
    case Source::Nom: return i.nom;
    case Source::Prenom: return i.prenom;
    case Source::Adresse1: return i.adresse1;
    case Source::CP: return i.cp;
    case Source::Ville: return i.ville;
    case Source::Fonction: return i.fonction;
    case Source::Tel: return i.tel;
    case Source::Lettre: return i.lettre;
    }
    return i.lettre;
}

} // namespace

bool SansIdentite(const Identite& i)
{
    for (const QString* partie : {&i.nom, &i.prenom, &i.adresse1, &i.cp, &i.ville, &i.tel, &i.email, &i.fonction})
        if (!partie->isEmpty())
            return false;
    return true;
}

QString CleChamp(const std::optional<QString>& nom, const std::optional<QString>& id)
{
    QString cle = nom.value_or(QString()).toUpper();
    if (cle.isEmpty())
        cle = id.value_or(QString()).toUpper();
    return cle;
}

std::optional<QString> ValeurPourCle(const QString& cle, const Identite& identite)
{
    if (cle.isEmpty() || cle.contains(u"PASS"_qs))
        return std::nullopt;
    std::optional<QString> resultat;
    for (const Regle& r : Regles) {
        const QString texte = QString::fromUtf16(r.texte);
        if (r.entier ? cle == texte : cle.contains(texte))
            resultat = valeur(r.source, identite);
    }
    if (resultat && resultat->isEmpty())
        return std::nullopt;
    return resultat;
}

std::optional<QString> ValeurPourElement(const ElementPage& element, const Identite& identite)
{
    if (!element.valeur)
        return std::nullopt;
    return ValeurPourCle(CleChamp(element.nom, element.id), identite);
}

} // namespace Preremplissage

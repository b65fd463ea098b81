#include "register/window/logique_fiche.h"

#include <QHash>

#include "register/capture/raccourcir_texte.h"
#include "shell/services/fonctionnel.h"

namespace FicheCandidature {

namespace {

QString raccourcir(const QString& texte) { return Annonce::RaccourcirTexte(texte); }

// The first n characters of a text, never keeping half of a character written as a pair.
QString debut(const QString& texte, qsizetype n)
{
    if (texte.size() <= n)
        return texte;
    if (n > 0 && texte.at(n - 1).isHighSurrogate())
        --n;
    return texte.left(n);
}

// A text that the engine stores as a text, never as Null.
QString texteNonNul(const QString& texte) { return texte.isNull() ? u""_qs : texte; }

// A stored value that shows as an empty field, and so is empty indeed: Null, blanks, no bytes.
bool estVide(const QVariant& valeur)
{
    if (valeur.isNull())
        return true;
    if (valeur.typeId() == QMetaType::QByteArray)
        return valeur.toByteArray().isEmpty();
    return valeur.toString().trimmed().isEmpty();
}

enum class Ecriture { Raccourci, Entier, Lieu, Adresse, Date };

Ecriture ecritureDe(const QString& colonne)
{
    static const QStringList raccourcies = {u"Intitule"_qs, u"Nature"_qs,  u"Salaire"_qs,   u"Societe"_qs,
                                            u"NomContact"_qs, u"Telephone"_qs, u"courriel"_qs, u"Origine"_qs,
                                            u"Reference"_qs, u"Adresse"_qs, u"Ville"_qs};
    if (raccourcies.contains(colonne))
        return Ecriture::Raccourci;
    if (colonne == u"Lieu")
        return Ecriture::Lieu;
    if (colonne == u"www")
        return Ecriture::Adresse;
    return Ecriture::Entier;
}

} // namespace

QString messageAnnonceNonIdentifiee()
{
    return u"Kerval n'a pas réussi à identifier correctement l'annonce. Pour faciliter la capture, "
           u"sélectionnez en premier lieu le texte relatif à l'annonce puis cliquez sur 'Capturer la sélection'"_qs;
}
QString messageIntituleObligatoire() { return u"L'intitulé est obligatoire"_qs; }
QString messageDateIncorrecte() { return u"La date est incorrecte"_qs; }
QString questionSupprimerCandidature() { return u"Confirmez-vous la suppression de cette candidature ?"_qs; }
QString questionSupprimerToutes() { return u"Confirmez-vous la suppression de toutes les candidatures ?"_qs; }

ChampsCandidature FicheVide()
{
    ChampsCandidature champs;
    for (const QString& nom : Candidatures::champs())
        champs.insert(nom, u""_qs);
    return champs;
}

void ValeursParDefaut(ChampsCandidature& champs, const QDate& aujourdhui)
{
    if (champs.value(u"DateDiffusion"_qs).isEmpty())
        champs[u"DateDiffusion"_qs] = Fonctionnel::EcrireDate(aujourdhui);
    if (champs.value(u"Statut"_qs).isEmpty())
        champs[u"Statut"_qs] = Candidatures::statuts().first();
    if (champs.value(u"Societe"_qs).isEmpty())
        champs[u"Societe"_qs] = u"N.C."_qs;
    if (champs.value(u"Duree"_qs).isEmpty() && champs.value(u"Nature"_qs) == u"CDI,CONTRAT A DUREE INDETERMINEE")
        champs[u"Duree"_qs] = u"Indéterminée"_qs;
}

Controle ControlerSaisie(const ChampsCandidature& champs, bool panneauWebVisible)
{
    if (champs.value(u"Intitule"_qs).isEmpty())
        return {false, panneauWebVisible ? messageAnnonceNonIdentifiee() : messageIntituleObligatoire(), {}};
    for (const QString& nom : {u"DateDiffusion"_qs, u"DateLimite"_qs, u"DateEnvoi"_qs, u"DateRDV"_qs})
        if (!Fonctionnel::EstDateValide(champs.value(nom)))
            return {false, messageDateIncorrecte(), nom};
    return {};
}

QList<QPair<QString, QVariant>> ValeursColonnes(const ChampsCandidature& champs)
{
    QList<QPair<QString, QVariant>> valeurs;
    for (const Candidatures::Colonne& c : Candidatures::colonnes()) {
        if (c.genre == Candidatures::Genre::Compteur)
            continue;
        const QString texte = champs.value(c.champ);
        if (c.genre == Candidatures::Genre::Date) {
            const std::optional<QDate> d = texte.isEmpty() ? std::nullopt : Fonctionnel::LireDate(texte);
            valeurs.append({c.colonne, d ? QVariant(*d) : QVariant()});
            continue;
        }
        QString ecrit;
        switch (ecritureDe(c.colonne)) {
        case Ecriture::Raccourci: ecrit = raccourcir(texte); break;
        case Ecriture::Lieu: ecrit = debut(texte, 50); break;
        case Ecriture::Adresse: ecrit = debut(texte, 250); break;
        default: ecrit = texte; break;
        }
        valeurs.append({c.colonne, texteNonNul(ecrit)});
    }
    return valeurs;
}

const QStringList& champsEmpreinte()
{
    static const QStringList liste = {
        u"Ville"_qs,   u"CP"_qs,      u"Adresse"_qs, u"DateRDV"_qs,       u"Reference"_qs,
        u"Remarques"_qs, u"Statut"_qs,  u"DateEnvoi"_qs, u"www"_qs,       u"DateDiffusion"_qs,
        u"Origine"_qs, u"Email"_qs,   u"Telephone"_qs, u"NomContact"_qs,  u"Societe"_qs,
        u"Salaire"_qs, u"Lieu"_qs,    u"Duree"_qs,   u"Nature"_qs,        u"Intitule"_qs,
    };
    return liste;
}

QString Empreinte(const ChampsCandidature& champs)
{
    QString empreinte;
    for (const QString& nom : champsEmpreinte())
        empreinte += champs.value(nom);
    return empreinte;
}

const QStringList& ordreChargement()
{
    static const QStringList liste = {
        u"Intitule"_qs, u"Description"_qs, u"Reference"_qs, u"Nature"_qs,     u"Adresse"_qs,
        u"CP"_qs,       u"Ville"_qs,       u"Lieu"_qs,      u"Duree"_qs,      u"Salaire"_qs,
        u"Societe"_qs,  u"NomContact"_qs,  u"Telephone"_qs, u"Email"_qs,      u"Origine"_qs,
        u"www"_qs,      u"Statut"_qs,      u"CV"_qs,        u"Lettre"_qs,     u"Remarques"_qs,
        u"Num"_qs,      u"DateDiffusion"_qs, u"DateLimite"_qs, u"DateEnvoi"_qs, u"DateRDV"_qs,
    };
    return liste;
}

bool AnnonceCollee(const QString& description, const QString& dernierTexteAnalyse)
{
    return description != dernierTexteAnalyse && dernierTexteAnalyse.size() + 50 < description.size();
}

std::optional<qint64> Numero(const ChampsCandidature& champs)
{
    bool ok = false;
    const qint64 n = champs.value(u"Num"_qs).trimmed().toLongLong(&ok);
    if (!ok || n <= 0)
        return std::nullopt;
    return n;
}

bool Enregistrer(Stockage::BaseDonnees& base, ChampsCandidature& champs, const ChampsCandidature* avant,
                 const ChampsCandidature* saisie)
{
    std::unique_ptr<Stockage::JeuEnregistrements> jeu;
    bool existe = false;
    if (const std::optional<qint64> num = Numero(champs)) {
        jeu = base.ouvrirJeu(u"select * from Candidatures where Num = ?"_qs, {*num});
        if (!jeu)
            return false;
        existe = !jeu->estVide();
    }
    // A shown application whose row was deleted meanwhile is stored again as a new row, so
    // that nothing typed is lost.
    if (!existe) {
        jeu = base.ouvrirJeu(u"select * from Candidatures where Num is null"_qs);
        if (!jeu || !jeu->ajouterNouveau())
            return false;
    } else if (!jeu->modifier()) {
        return false;
    }
    // The row the window shows: only what changed in it is written.
    const bool suivi = existe && avant && Numero(*avant) == Numero(champs);
    QHash<QString, QString> champDe;
    for (const Candidatures::Colonne& c : Candidatures::colonnes())
        champDe.insert(c.colonne, c.champ);
    for (const auto& [colonne, valeur] : ValeursColonnes(champs)) {
        if (suivi) {
            const QString champ = champDe.value(colonne);
            if (champs.value(champ) == avant->value(champ))
                continue;
            // A default fills a field that showed nothing: it stands in for an empty value only.
            if (saisie && saisie->value(champ) == avant->value(champ) && !estVide(jeu->valeur(colonne)))
                continue;
        }
        if (!jeu->fixer(colonne, valeur))
            return false;
    }
    if (!jeu->mettreAJour())
        return false;
    champs[u"Num"_qs] = QString::number(jeu->valeur(u"Num"_qs).toLongLong());
    return true;
}

std::optional<ChampsCandidature> Charger(Stockage::BaseDonnees& base, qint64 num)
{
    auto jeu = base.ouvrirJeu(u"select * from Candidatures where Num = ?"_qs, {num});
    if (!jeu || jeu->estVide())
        return std::nullopt;
    ChampsCandidature champs;
    for (const Candidatures::Colonne& c : Candidatures::colonnes()) {
        if (c.genre == Candidatures::Genre::Date) {
            const std::optional<QDate> d = jeu->date(c.colonne);
            champs.insert(c.champ, d ? Fonctionnel::EcrireDate(*d) : u""_qs);
        } else if (c.genre == Candidatures::Genre::Compteur) {
            champs.insert(c.champ, QString::number(jeu->valeur(c.colonne).toLongLong()));
        } else {
            champs.insert(c.champ, texteNonNul(jeu->texte(c.colonne)));
        }
    }
    return champs;
}

bool Supprimer(Stockage::BaseDonnees& base, qint64 num)
{
    return base.executer(u"delete from Candidatures where Num = ?"_qs, {num});
}

bool SupprimerToutes(Stockage::BaseDonnees& base) { return base.executer(u"delete from candidatures "_qs); }

} // namespace FicheCandidature

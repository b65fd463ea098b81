#include "letters/fusion.h"

#include "cveditor/fichier_controles.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"

namespace Fusion {

namespace {

// Everything after the first "=" (the whole line when it has none).
QString valeur(const QString& ligne) { return ligne.mid(ligne.indexOf(u'=') + 1); }

bool commenceParVoyelle(const QString& texte)
{
    return !texte.isEmpty() && QStringView(u"AEIOU").contains(texte.front());
}

} // namespace

Modele lireModele(const QStringList& lignes)
{
    Modele m;
    for (const QString& ligne : lignes) {
        if (ligne.startsWith(u"Text1"))
            m.texte = FichierControles::restaurerSauts(valeur(ligne));
        if (ligne.startsWith(u"Email"))
            m.email = valeur(ligne);
        if (ligne.startsWith(u"Nom="))
            m.nom = valeur(ligne);
        if (ligne.startsWith(u"Préno"))
            m.prenom = valeur(ligne);
        if (ligne.startsWith(u"Objet") && !Fonctionnel::SansBlancs(valeur(ligne)).isEmpty())
            m.objet = valeur(ligne);
    }
    return m;
}

Modele lireModeleTexte(const QString& texte) { return lireModele(FichiersTexte::decouperLignes(texte)); }

QString salutation(const QString& nomContact, const QString& description)
{
    if (nomContact.isEmpty())
        return u"Madame, Monsieur"_qs;
    const qsizetype blanc = nomContact.indexOf(u' ');
    const bool prenomFeminin = blanc >= 0 && Fonctionnel::EstPrenomFeminin(nomContact.left(blanc));
    const bool titreFeminin = description.contains(u" Mme ") || description.contains(u" Mlle ") ||
                              description.contains(u" Mle ");
    return prenomFeminin || titreFeminin ? u"Madame"_qs : u"Monsieur"_qs;
}

Envoi fusionner(const Envoi& avant, const Modele& modele, const ChampsCandidature& champs,
                const QDate& aujourdhui, const QStringList& ordre)
{
    Envoi r = avant;
    if (modele.texte)
        r.texte = *modele.texte;
    if (modele.email)
        r.email = *modele.email;
    if (modele.objet)
        r.objet = *modele.objet;

    // An e-mail template begins with line breaks: at most three of them go.
    for (int i = 0; i < 3; ++i)
        if (r.texte.startsWith(u"\r\n"))
            r.texte.remove(0, 2);

    auto nomPropre = [](const QString& t) { return Fonctionnel::FormaterNomPropre(Fonctionnel::NormaliserTexte(t)); };
    r.email = nomPropre(modele.prenom) + u' ' + nomPropre(modele.nom) + u'<' + r.email + u'>';

    // Every field's placeholder, in the window's order, then the fields the order leaves out.
    QStringList noms;
    for (const QString& nom : ordre)
        if (champs.contains(nom) && !noms.contains(nom))
            noms << nom;
    for (auto it = champs.cbegin(); it != champs.cend(); ++it)
        if (!noms.contains(it.key()))
            noms << it.key();
    for (const QString& nom : noms) {
        const QString marque = u'#' + nom + u'#';
        if (r.texte.contains(marque))
            r.texte.replace(marque, champs.value(nom));
    }

    // "de ASSISTANT" -> "d'ASSISTANT"; "de OUEST EMPLOIS" -> "de l'OUEST EMPLOIS" (as typed).
    const QString intitule = champs.value(u"Intitule"_qs);
    if (commenceParVoyelle(intitule))
        r.texte.replace(u"de "_qs + intitule, u"d'"_qs + intitule);
    const QString origine = champs.value(u"Origine"_qs);
    if (commenceParVoyelle(origine))
        r.texte.replace(u"de "_qs + origine, u"de l'"_qs + origine);

    const QString reference = champs.value(u"Reference"_qs);
    r.texte.replace(u"#Reference#"_qs, reference);
    r.objet.replace(u"#Reference#"_qs, reference);
    r.texte.replace(u"#Date#"_qs, Fonctionnel::EcrireDate(aujourdhui));
    r.texte.replace(u"#FonctionContact#"_qs, QString());
    r.texte.replace(u"#Adresse#"_qs, QString());
    r.texte.replace(u"#Titre#"_qs,
                    salutation(champs.value(u"NomContact"_qs), champs.value(u"Description"_qs)));
    r.texte.replace(u"#CP# #Ville#"_qs, QString());
    return r;
}

} // namespace Fusion

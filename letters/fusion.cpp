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

// The letter while it is merged: the template's own text, cut around the values put in. A
// placeholder is looked for in the template's text only, so that a value that holds "#Field#"
// (a title typed "TECHNICIEN #Remarques#") goes into the letter as it is, never replaced in turn.
struct Morceau {
    QString texte;
    bool valeur = false; // put in by the merge
};
struct Lettre {
    QList<Morceau> morceaux;

    // Every placeholder of the template's text, in one pass each.
    void remplacer(const QString& marque, const QString& par)
    {
        QList<Morceau> r;
        for (const Morceau& m : std::as_const(morceaux)) {
            if (m.valeur || !m.texte.contains(marque)) {
                r << m;
                continue;
            }
            qsizetype debut = 0, i = 0;
            while ((i = m.texte.indexOf(marque, debut)) >= 0) {
                r << Morceau{m.texte.mid(debut, i - debut), false} << Morceau{par, true};
                debut = i + marque.size();
            }
            r << Morceau{m.texte.mid(debut), false};
        }
        morceaux = r;
    }

    // Whether the letter goes on with `suite` from character `pos` of piece `k`.
    bool suiviDe(qsizetype k, qsizetype pos, QStringView suite) const
    {
        for (; k < morceaux.size() && !suite.isEmpty(); ++k, pos = 0) {
            const QStringView reste = QStringView(morceaux[k].texte).mid(pos);
            const qsizetype n = qMin(reste.size(), suite.size());
            if (reste.left(n) != suite.left(n))
                return false;
            suite = suite.mid(n);
        }
        return suite.isEmpty();
    }

    // The template's "de " before `mot` (its own text or a value) becomes `elision`.
    void elider(const QString& mot, const QString& elision)
    {
        const QString de = u"de "_qs;
        for (qsizetype k = 0; k < morceaux.size(); ++k) {
            if (morceaux[k].valeur)
                continue;
            QString& t = morceaux[k].texte;
            for (qsizetype i = 0; (i = t.indexOf(de, i)) >= 0;) {
                if (suiviDe(k, i + de.size(), mot)) {
                    t.replace(i, de.size(), elision);
                    i += elision.size();
                } else {
                    i += de.size();
                }
            }
        }
    }

    QString texte() const
    {
        QString t;
        for (const Morceau& m : morceaux)
            t += m.texte;
        return t;
    }
};

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

    // Every field's placeholder, in the window's order, then the fields the order leaves out;
    // then the fixed placeholders.
    QStringList noms;
    for (const QString& nom : ordre)
        if (champs.contains(nom) && !noms.contains(nom))
            noms << nom;
    for (auto it = champs.cbegin(); it != champs.cend(); ++it)
        if (!noms.contains(it.key()))
            noms << it.key();
    Lettre lettre{{Morceau{r.texte, false}}};
    for (const QString& nom : noms)
        lettre.remplacer(u'#' + nom + u'#', champs.value(nom));

    // "de ASSISTANT" -> "d'ASSISTANT"; "de OUEST EMPLOIS" -> "de l'OUEST EMPLOIS" (as typed).
    const QString intitule = champs.value(u"Intitule"_qs);
    if (commenceParVoyelle(intitule))
        lettre.elider(intitule, u"d'"_qs);
    const QString origine = champs.value(u"Origine"_qs);
    if (commenceParVoyelle(origine))
        lettre.elider(origine, u"de l'"_qs);

    const QString reference = champs.value(u"Reference"_qs);
    lettre.remplacer(u"#Reference#"_qs, reference);
    r.objet.replace(u"#Reference#"_qs, reference);
    lettre.remplacer(u"#Date#"_qs, Fonctionnel::EcrireDate(aujourdhui));
    lettre.remplacer(u"#FonctionContact#"_qs, QString());
    lettre.remplacer(u"#Adresse#"_qs, QString());
    lettre.remplacer(u"#Titre#"_qs, salutation(champs.value(u"NomContact"_qs), champs.value(u"Description"_qs)));
    lettre.remplacer(u"#CP# #Ville#"_qs, QString());
    r.texte = lettre.texte();
    return r;
}

} // namespace Fusion

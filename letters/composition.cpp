#include "letters/composition.h"

#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"

#include <QLocale>

namespace Composition {

namespace {
const QString CRLF = QStringLiteral("\r\n");
const QString Marge = QString(80, u' '); // pushes the recipient block and the date to the right
inline constexpr int DerniereCle = NombrePropositions - 1; // 30
} // namespace

Propositions lirePropositions(const QStringList& lignes)
{
    Propositions p;
    for (qsizetype k = 0; k < lignes.size() && k < NombrePropositions; ++k)
        p[k] = lignes.at(k);
    return p;
}

Propositions chargerPropositions(const QString& chemin)
{
    // A list the user may edit by hand, with any line ends.
    const auto lignes = FichiersTexte::lireLignesEditees(chemin);
    return lignes ? lirePropositions(*lignes) : Propositions{};
}

double numero(const QString& entree) { return Fonctionnel::Valeur(entree); }

bool appartient(const QString& entree, int paragraphe) { return numero(entree) == paragraphe + 1; }

QString phrase(const QString& entree) { return entree.mid(2); }

QString cle(const QString& entree) { return entree.mid(2, 10); }

QString precedente(const Propositions& p, const QString& boite, int paragraphe)
{
    if (!boite.isEmpty()) {
        const QString debut = boite.left(10);
        for (int k = 1; k <= DerniereCle; ++k)
            if (cle(p[k]) == debut && appartient(p[k - 1], paragraphe))
                return phrase(p[k - 1]);
        return boite; // the paragraph's first phrase, or a box the table does not know
    }
    for (int k = DerniereCle - 1; k >= 0; --k)
        if (!p[k].isEmpty() && appartient(p[k], paragraphe))
            return phrase(p[k]);
    return boite;
}

QString suivante(const Propositions& p, const QString& boite, int paragraphe)
{
    QString b = boite;
    bool reprise = false;
    for (int k = 0; k < DerniereCle; ++k) {
        if ((b.isEmpty() || cle(p[k]) == b.left(10)) && appartient(p[k + 1], paragraphe))
            return phrase(p[k + 1]);
        if (k == DerniereCle - 1) {
            // Past the last phrase: start again from the paragraph's first one, once; a table
            // without a phrase of the paragraph leaves the box empty.
            if (reprise)
                break;
            reprise = true;
            b.clear();
            k = 0;
        }
    }
    return QString();
}

void premieresPhrases(const Propositions& p, std::array<QString, FichierLettre::NombreParagraphes>& corps)
{
    for (int k = 0; k < DerniereCle; ++k) {
        const double n = numero(p[k]);
        for (int i = 0; i < FichierLettre::NombreParagraphes; ++i)
            if (n == i + 1 && corps[i].isEmpty())
                corps[i] = phrase(p[k]);
    }
}

QString resoudreGenre(const QString& texte, bool feminin)
{
    QString t = texte;
    t.replace(QLatin1String("(e)"), feminin ? QStringLiteral("e") : QString());
    t.replace(QLatin1String("(x)"), feminin ? QString() : QStringLiteral("x"));
    t.replace(QLatin1String("(se)"), feminin ? QStringLiteral("se") : QString());
    return t;
}

QString resoudreGenrePrenom(const QString& texte, const QString& prenom)
{
    return resoudreGenre(texte, Fonctionnel::EstPrenomFeminin(prenom));
}

Resultat composerLettre(const FichierLettre::ValeursLettre& c)
{
    auto champ = [&](const char* nom) { return c.texte(QString::fromUtf8(nom)); };
    const bool spontanee = c.spontanee();
    Resultat r;
    QString t;
    if (c.imprime()) {
        t += champ("Prénom") + u' ' + champ("Nom") + CRLF;
        t += champ("Adresse1") + CRLF;
        if (!champ("Adresse2").isEmpty())
            t += champ("Adresse2") + CRLF;
        t += champ("CP") + u' ' + champ("Ville") + u' ' + champ("Pays") + CRLF;
        if (!champ("Tel").isEmpty())
            t += u"Tel : "_qs + champ("Tel") + CRLF;
        if (!champ("Mob").isEmpty())
            t += u"mob : "_qs + champ("Mob") + CRLF;
        if (!champ("Email").isEmpty())
            t += u"Courriel : "_qs + champ("Email") + CRLF + CRLF;
        for (const char* destinataire : {"#Titre# #NomContact#", "#FonctionContact#", "#Societe#", "#Adresse#",
                                         "#CP# #Ville#"})
            t += Marge + QLatin1String(destinataire) + CRLF;
        t += CRLF;
        // A letter is dated the day it is merged for an application, not the day its template
        // was written: the date stays a placeholder here. The place is the sender's own town,
        // written out, never the application's "#Ville#".
        t += Marge + u"Le #Date# à "_qs + Fonctionnel::FormaterNomPropre(champ("Ville")) + CRLF;
        t += CRLF;
        t += spontanee ? u"Objet : Candidature spontanée"_qs
                       : u"Objet : En réponse à votre annonce référence #Reference#"_qs;
        t += CRLF;
        r.cadreObjetVisible = false;
    } else {
        t += CRLF;
        r.cadreObjetVisible = true;
        r.objet = spontanee ? u"Candidature spontanée"_qs : u"En réponse à votre annonce référence #Reference#"_qs;
    }
    t += CRLF;
    t += u"#Titre# #NomContact#,"_qs + CRLF + CRLF;
    for (const QString& paragraphe : c.corps)
        t += paragraphe + CRLF;

    r.domaine = QLocale().toLower(champ("Domaine"));
    const QChar initiale = r.domaine.isEmpty() ? u'a' : r.domaine.at(0);
    const bool elision = QStringView(u"aeiou").contains(initiale);
    t.replace(QLatin1String("#Domaine#"), elision ? u"l'"_qs + r.domaine : r.domaine);
    t.replace(QLatin1String("#LastSociete#"), champ("LastSociete"));
    t.replace(QLatin1String("#Competences#"), champ("Competences"));
    t.replace(QLatin1String("#competences#"), champ("Competences"));
    t.replace(QLatin1String("#Fonction#"), champ("Fonction"));
    t.replace(QLatin1String("#fonction#"), champ("Fonction"));
    t.replace(QLatin1String("#Poste#"), champ("Poste"));
    r.texte = resoudreGenrePrenom(t, champ("Prénom"));
    return r;
}

} // namespace Composition

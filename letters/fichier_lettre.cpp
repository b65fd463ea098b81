#include "letters/fichier_lettre.h"

#include "shell/services/fonctionnel.h"

#include <QDir>
#include <QFileInfo>

namespace FichierLettre {

namespace {
const QString Candidature = QStringLiteral("Check_candidature");
const QString Modele = QStringLiteral("Check_Modele");
const QString Corps = QStringLiteral("Corps");

QList<Cle> construireCles()
{
    QList<Cle> c;
    for (const char* n : {"CadreObjet", "Objet", "Text1", "NomLettre", "Poste", "LastSociete"})
        c.append({QString::fromLatin1(n)});
    c.append({Candidature, 1});
    c.append({Candidature, 0});
    c.append({Modele, 1});
    c.append({Modele, 0});
    for (const char* n : {"ListeCV", "Competences", "Domaine", "Fonction"})
        c.append({QString::fromLatin1(n)});
    for (int k = NombreParagraphes - 1; k >= 0; --k) {
        c.append({Corps});    // the plain line of paragraph k
        c.append({Corps, k}); // then its indexed line
    }
    for (const QString& n : {u"Email"_qs, u"Mob"_qs, u"Tel"_qs, u"Pays"_qs, u"Ville"_qs, u"CP"_qs, u"Adresse2"_qs,
                             u"Prénom"_qs, u"Adresse1"_qs, u"Nom"_qs})
        c.append({n});
    return c;
}

bool estGroupe(const QString& nom) { return nom == Candidature || nom == Modele || nom == Corps; }
} // namespace

const QList<Cle>& cles()
{
    static const QList<Cle> c = construireCles();
    return c;
}

const QStringList& boites()
{
    static const QStringList b = [] {
        QStringList l;
        for (const Cle& c : cles())
            if (!c.indexee() && !estGroupe(c.nom))
                l << c.nom;
        return l;
    }();
    return b;
}

bool ValeursLettre::cocherPaire(std::array<int, 2>& paire, int index, int valeur)
{
    if (index < 0 || index > 1 || (valeur != 0 && valeur != 1))
        return false;
    if (paire[index] != valeur) {
        paire[index] = valeur;
        paire[1 - index] = 1 - valeur;
    }
    return true;
}

QString codeTypeLettre(bool imprime, bool spontanee)
{
    QString code = QStringLiteral(" (");
    code += imprime ? u'I' : u'E';
    code += spontanee ? u'S' : u'R';
    code += u')';
    return code;
}

QString nomGenere(const QString& prenom, const QString& nom, bool imprime, bool spontanee)
{
    using namespace Fonctionnel;
    return FormaterNomPropre(NormaliserTexte(prenom)) + u' ' + FormaterNomPropre(NormaliserTexte(nom))
        + codeTypeLettre(imprime, spontanee);
}

QString nomEnregistrement(const ValeursLettre& l)
{
    const QString tape = l.texte(QStringLiteral("NomLettre"));
    if (!tape.isEmpty())
        return tape;
    return nomGenere(l.texte(u"Prénom"_qs), l.texte(QStringLiteral("Nom")), l.imprime(), l.spontanee());
}

QString nomGenereLibre(const QString& prenom, const QString& nom, bool imprime, bool spontanee,
                       const std::function<bool(const QString&)>& existe)
{
    const QString nom0 = nomGenere(prenom, nom, imprime, spontanee);
    if (!existe || !existe(nom0))
        return nom0;
    const QString suffixe = codeTypeLettre(imprime, spontanee);
    const QString base = nom0.left(nom0.size() - suffixe.size());
    for (int k = 2;; ++k) {
        const QString candidat = base + u' ' + QString::number(k) + suffixe;
        if (!existe(candidat))
            return candidat;
    }
}

bool nomValide(const QString& n)
{
    return !n.isEmpty() && !n.contains(u'/') && !n.contains(QChar(0)) && n != u"." && n != u"..";
}

QString nomDepuisChemin(const QString& chemin)
{
    QString fichier = QFileInfo(chemin).fileName();
    if (fichier.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive))
        fichier.chop(4);
    return fichier;
}

FichierControles::Entrees entrees(const ValeursLettre& l)
{
    using FichierControles::Entree;
    FichierControles::Entrees e;
    const QList<Cle>& k = cles();
    for (qsizetype i = 0; i < k.size(); ++i) {
        const Cle& c = k.at(i);
        if (c.nom == Corps) {
            // A paragraph's plain line comes just before its indexed line and carries the same text.
            const int p = c.indexee() ? c.index : k.at(i + 1).index;
            e << (c.indexee() ? Entree::indexe(p, c.nom, l.corps[p]) : Entree::plaine(c.nom, l.corps[p]));
        } else if (c.nom == Candidature) {
            e << Entree::indexe(c.index, c.nom, QString::number(l.candidature[c.index]));
        } else if (c.nom == Modele) {
            e << Entree::indexe(c.index, c.nom, QString::number(l.modele[c.index]));
        } else {
            e << Entree::plaine(c.nom, l.texte(c.nom));
        }
    }
    return e;
}

QString composer(const ValeursLettre& l) { return FichierControles::composer(entrees(l)); }

ValeursLettre depuisEntrees(const FichierControles::Entrees& entrees, ValeursLettre l)
{
    static const QStringList& b = boites();
    for (const FichierControles::Entree& e : entrees) {
        if (!e.indexee) {
            // "Corps=" and the pairs name groups, not single boxes: their plain lines set nothing.
            if (b.contains(e.nom))
                l.fixer(e.nom, e.valeur);
            continue;
        }
        if (e.nom == Corps) {
            if (e.index >= 0 && e.index < NombreParagraphes)
                l.corps[e.index] = FichierControles::restaurerSauts(e.valeur);
            continue;
        }
        if (e.nom != Candidature && e.nom != Modele)
            continue;
        bool ok = false;
        const int v = e.valeur.trimmed().toInt(&ok);
        if (ok)
            ValeursLettre::cocherPaire(e.nom == Modele ? l.modele : l.candidature, e.index, v);
    }
    return l;
}

ValeursLettre lire(const QString& texte) { return depuisEntrees(FichierControles::lire(texte)); }

QString dossier(const QString& dossierDonnees) { return dossierDonnees + QStringLiteral("/Lettres"); }

QString cheminFichier(const QString& dossierDonnees, const QString& nomLettre)
{
    return dossier(dossierDonnees) + u'/' + nomLettre + QStringLiteral(".dat");
}

bool enregistrer(const QString& dossierDonnees, const QString& nomLettre, const ValeursLettre& l)
{
    if (!nomValide(nomLettre))
        return false;
    QDir().mkpath(dossier(dossierDonnees));
    return FichierControles::enregistrer(cheminFichier(dossierDonnees, nomLettre), entrees(l));
}

std::optional<ValeursLettre> charger(const QString& chemin)
{
    if (!QFileInfo(chemin).isFile())
        return std::nullopt;
    const auto e = FichierControles::charger(chemin);
    if (!e)
        return std::nullopt;
    return depuisEntrees(*e);
}

QString messageEchec(const QString& nomLettre)
{
    return u"Pb lors de l'enregistrement du modèle de lettre : "_qs + nomLettre;
}

} // namespace FichierLettre

#include "cveditor/fichier_cv.h"

#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace FichierCV {

namespace {
QList<Cle> construireCles()
{
    QList<Cle> c;
    auto plaine = [&](const char16_t* nom) { c.append(Cle{QString::fromUtf16(nom), -1}); };
    for (const char16_t* n : {u"LangueCV", u"Identite", u"ListeSituations", u"Langues", u"Nom", u"Adresse1",
                              u"Prénom", u"Adresse2", u"CP", u"Ville", u"Pays", u"Tel", u"Mob", u"Email",
                              u"Fonction", u"Etudes", u"Formations", u"Experiences", u"LanguesPlus",
                              u"Objectifs", u"Divers", u"Competences"})
        plaine(n);
    for (int k = 8; k >= 0; --k) {
        c.append(Cle{QStringLiteral("LangueCourant"), k});
        c.append(Cle{QStringLiteral("LangueProf"), k});
        c.append(Cle{QStringLiteral("LangueScolaire"), k});
    }
    for (const char16_t* n : {u"DateNaissance", u"LieuNaissance", u"Age"})
        plaine(n);
    for (int k = 0; k <= 8; ++k)
        c.append(Cle{QStringLiteral("LangueBilingue"), k});
    for (const char16_t* n : {u"NbEnfants", u"Situation", u"NomCV", u"List1", u"ListeModeles", u"NomModele",
                              u"Police"})
        plaine(n);
    c.append(Cle{QStringLiteral("CheckDisposition"), 1});
    c.append(Cle{QStringLiteral("CheckDisposition"), 0});
    for (int k = 3; k >= 0; --k)
        c.append(Cle{QStringLiteral("CheckParagraphe"), k});
    for (const char16_t* n : {u"FramePolice", u"Modèle", u"Souligné", u"Gras", u"Indentation", u"Saut",
                              u"Couleur", u"CouleurClaire"})
        plaine(n);
    return c;
}
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
            if (!c.indexee())
                l << c.nom;
        return l;
    }();
    return b;
}

int tailleGroupe(const QString& groupe)
{
    if (groupe == u"LangueScolaire" || groupe == u"LangueProf" || groupe == u"LangueCourant" ||
        groupe == u"LangueBilingue")
        return 9;
    if (groupe == u"CheckParagraphe")
        return 4;
    if (groupe == u"CheckDisposition")
        return 2;
    return 0;
}

bool estCle(const QString& nom, int index)
{
    if (index < 0)
        return boites().contains(nom);
    return index < tailleGroupe(nom);
}

bool estCle(const FichierControles::Entree& e)
{
    return e.indexee ? e.index >= 0 && estCle(e.nom, e.index) : estCle(e.nom);
}

const QStringList& langues()
{
    static const QStringList l{QStringLiteral("Anglais"), QStringLiteral("Allemand"), QStringLiteral("Espagnol"),
                               QStringLiteral("Italien"), QStringLiteral("Russe"),    QStringLiteral("Chinois"),
                               QStringLiteral("Arabe"),   QStringLiteral("Polonais"), u"Suédois"_qs};
    return l;
}

const QStringList& groupesLangue()
{
    static const QStringList g{QStringLiteral("LangueScolaire"), QStringLiteral("LangueProf"),
                               QStringLiteral("LangueCourant"), QStringLiteral("LangueBilingue")};
    return g;
}

void ValeursCV::recouvrir(const ValeursCV& autres)
{
    for (auto it = autres.textes.cbegin(); it != autres.textes.cend(); ++it)
        textes.insert(it.key(), it.value());
    for (auto g = autres.cases.cbegin(); g != autres.cases.cend(); ++g)
        for (auto m = g.value().cbegin(); m != g.value().cend(); ++m)
            cases[g.key()].insert(m.key(), m.value());
}

ValeursCV ValeursCV::parDefaut()
{
    ValeursCV cv;
    for (const QString& b : boites())
        cv.textes.insert(b, QString());
    for (const Cle& c : cles())
        if (c.indexee())
            cv.cocher(c.nom, c.index, 0);
    cv.fixer(QStringLiteral("LangueCV"), QStringLiteral("0"));
    cv.fixer(QStringLiteral("NomModele"), QStringLiteral("Basic"));
    cv.fixer(QStringLiteral("Police"), QStringLiteral("Arial"));
    cv.fixer(u"Modèle"_qs, QStringLiteral("Basic.htm"));
    cv.fixer(u"Souligné"_qs, QStringLiteral("0"));
    cv.fixer(QStringLiteral("Gras"), QStringLiteral("1"));
    cv.fixer(QStringLiteral("Indentation"), QStringLiteral("1"));
    cv.fixer(QStringLiteral("Saut"), QStringLiteral("0"));
    cv.fixer(QStringLiteral("Couleur"), QStringLiteral("#FF6600"));
    cv.fixer(QStringLiteral("CouleurClaire"), QStringLiteral("#FFE6D5"));
    cv.cocher(QStringLiteral("CheckParagraphe"), 0, 1);
    cv.cocher(QStringLiteral("CheckParagraphe"), 2, 1);
    cv.cocher(QStringLiteral("CheckDisposition"), 0, 1);
    return cv;
}

FichierControles::Entrees entrees(const ValeursCV& cv)
{
    FichierControles::Entrees e;
    e.reserve(cles().size());
    for (const Cle& c : cles()) {
        if (c.indexee())
            e << FichierControles::Entree::indexe(c.index, c.nom, QString::number(cv.valeur(c.nom, c.index)));
        else
            e << FichierControles::Entree::plaine(c.nom, cv.texte(c.nom));
    }
    return e;
}

QString composer(const ValeursCV& cv) { return FichierControles::composer(entrees(cv)); }

ValeursCV depuisEntrees(const FichierControles::Entrees& entrees)
{
    ValeursCV cv;
    for (const FichierControles::Entree& e : entrees) {
        if (!estCle(e))
            continue;
        if (!e.indexee) {
            cv.fixer(e.nom, e.valeur);
            continue;
        }
        bool ok = false;
        const int v = e.valeur.trimmed().toInt(&ok);
        if (ok && v >= 0 && v <= 2)
            cv.cocher(e.nom, e.index, v);
    }
    return cv;
}

ValeursCV lire(const QString& texte) { return depuisEntrees(FichierControles::lire(texte)); }

QString nomFichier(const QString& nomCV, const QString& nom, const QString& prenom)
{
    QString n = nomCV;
    if (n.isEmpty())
        n = nom + u' ' + prenom;
    n = Fonctionnel::NormaliserTexte(n);
    // The normalised text keeps "/", which no file name may hold: it goes as the other signs
    // go, for a blank, and the blanks stay single ("14/03/1985" gives "14 03 1985").
    n.replace(u'/', u' ');
    n = n.simplified();
    // Room is left in the folder's limit on a name for a copy's number and the save's own
    // temporary file beside it.
    if (n.size() > LongueurNomMax)
        n = n.left(LongueurNomMax).trimmed();
    return Fonctionnel::FormaterNomPropre(n);
}

QString nomAutoSauvegarde(const QString& nomCV, const QString& nom, const QString& prenom,
                          const std::function<bool(const QString&)>& existe)
{
    if (!nomCV.isEmpty())
        return nomCV;
    QString n = (nom + u' ' + prenom).trimmed();
    auto pris = [&](const QString& candidat) { return existe && existe(nomFichier(candidat, {}, {})); };
    for (int i = 0; i < 3 && pris(n); ++i)
        n = QStringLiteral("Copie de ") + n;
    // The three copies are taken as well: a number keeps every existing CV whole.
    return nomLibre(n, pris);
}

QString nomLibre(const QString& nom, const std::function<bool(const QString&)>& existe)
{
    if (!existe || !existe(nom))
        return nom;
    for (int k = 2;; ++k) {
        const QString candidat = nom + u' ' + QString::number(k);
        if (!existe(candidat))
            return candidat;
    }
}

QString nomDepuisChemin(const QString& chemin)
{
    const QString fichier = QFileInfo(chemin).fileName();
    return fichier.left(qMax<qsizetype>(0, fichier.size() - 4));
}

QString titrePanneau(const QString& nomCV) { return u"Zones d'informations ("_qs + nomCV + u')'; }

std::optional<CochesLangue> cochesLangue(const QString& langueCV)
{
    bool ok = false;
    const double v = langueCV.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) // "inf" or "nan" is no number of the box
        return std::nullopt;
    return CochesLangue{v == 1, v == 0};
}

QString causeEchec(int erreur)
{
    switch (erreur) {
    case ENOSPC: return u"Il n'y a plus de place sur le disque."_qs;
    case EDQUOT: return u"Votre quota d'espace disque est atteint."_qs;
    case EFBIG: return u"Le fichier dépasserait la taille permise."_qs;
    case EACCES:
    case EPERM: return u"Le fichier du CV ou le dossier CV est protégé en écriture."_qs;
    case EROFS: return u"Le disque est en lecture seule."_qs;
    case EIO: return u"Le disque a signalé une erreur d'écriture."_qs;
    case EINVAL: return u"Ce nom ne peut pas servir de nom de fichier (il contient « / »)."_qs;
    default: return u"Le système a répondu : "_qs + qt_error_string(erreur) + u'.';
    }
}

QString messageEchec(const QString& nomCV, int erreur)
{
    return QStringLiteral("Pb lors de l'enregistrement du CV : ") + nomCV + u'\n' + causeEchec(erreur) +
           u"\nLe CV reste affiché tel quel ; il sera enregistré à sa prochaine modification, une fois le "
           "problème réglé."_qs;
}

QString messageEchecFermeture(const QString& nomCV, int erreur)
{
    return QStringLiteral("Pb lors de l'enregistrement du CV : ") + nomCV + u'\n' + causeEchec(erreur) +
           u"\nLes dernières modifications du CV sont perdues."_qs;
}

QString commandeRechargement(const QString& fichier, bool memeCV)
{
    return memeCV ? u"L'ouvrir de nouveau"_qs : u"Ouvrir le fichier "_qs + fichier;
}

QString questionAbandon(const QString& commande)
{
    return u"Le CV affiché n'a pas pu être enregistré. "_qs + commande +
           u" fera perdre vos dernières modifications. Continuer ?"_qs;
}

QString questionSansNom(const QString& commande)
{
    return u"Ce CV n'a pas de nom : il ne peut donc pas être enregistré.\n"_qs + commande +
           u" le fera perdre. Cliquez sur OK pour continuer sans l'enregistrer, ou sur Annuler pour "
           "revenir au CV et saisir un nom dans la zone « Nom »."_qs;
}

bool contenuSaisi(const ValeursCV& cv)
{
    // The presentation, the lists' choices and what is made from the rest are no content.
    static const QStringList horsContenu{
        u"LangueCV"_qs, u"ListeSituations"_qs, u"Langues"_qs,    u"NomCV"_qs,         u"List1"_qs,
        u"ListeModeles"_qs, u"NomModele"_qs,   u"Police"_qs,     u"FramePolice"_qs,   u"Modèle"_qs,
        u"Souligné"_qs,  u"Gras"_qs,           u"Indentation"_qs, u"Saut"_qs,         u"Couleur"_qs,
        u"CouleurClaire"_qs};
    for (const QString& b : boites())
        if (!horsContenu.contains(b) && !cv.texte(b).trimmed().isEmpty())
            return true;
    for (const QString& g : groupesLangue())
        for (int k = 0; k < tailleGroupe(g); ++k)
            if (cv.valeur(g, k) != 0)
                return true;
    return false;
}

QString messageGardeSansNom(const QString& chemin)
{
    return u"Le CV que vous rédigiez n'avait pas de nom : il n'a pas pu être enregistré sous son nom à "
           "l'arrêt de Kerval. Tout ce que vous y aviez saisi a été gardé dans le fichier « "_qs +
           QFileInfo(chemin).fileName() + u" » du dossier CV ("_qs + chemin +
           u"). Il est sur le bureau de Kerval : ouvrez-le pour le reprendre, puis donnez-lui un nom avec "
           "la commande « Renommer »."_qs;
}

QString messagePerteSansNom(int erreur)
{
    return u"Le CV que vous rédigiez n'avait pas de nom, et il n'a pas pu être gardé à l'arrêt de Kerval. "_qs +
           causeEchec(erreur) + u"\nCe que vous y aviez saisi est perdu."_qs;
}

QString cheminFichier(const QString& dossierDonnees, const QString& nomCV)
{
    return dossierDonnees + QStringLiteral("/CV/") + nomCV + QStringLiteral(".dat");
}

QString cheminPhoto(const QString& dossierDonnees, const QString& nomCV)
{
    return dossierDonnees + QStringLiteral("/Modeles/") + nomCV + QStringLiteral(".jpg");
}

QString cheminImageModele(const QString& dossierDonnees, const QString& nomModele)
{
    return dossierDonnees + QStringLiteral("/Modeles/") + nomModele + QStringLiteral(".jpg");
}

bool enregistrer(const QString& dossierDonnees, const QString& nomCV, const ValeursCV& cv)
{
    if (nomCV.isEmpty() || nomCV.contains(u'/')) {
        errno = EINVAL;
        return false;
    }
    // A file the editor could not open again is not written.
    const QByteArray octets = FichiersTexte::encoder(composer(cv));
    if (octets.size() > TailleMax) {
        errno = EFBIG;
        return false;
    }
    QDir().mkpath(dossierDonnees + QStringLiteral("/CV"));
    return FichierControles::enregistrerOctets(cheminFichier(dossierDonnees, nomCV), octets);
}

bool estTropGrand(const QString& chemin) { return QFileInfo(chemin).size() > TailleMax; }

std::optional<ValeursCV> charger(const QString& chemin)
{
    if (estTropGrand(chemin))
        return ValeursCV();
    const auto e = FichierControles::charger(chemin);
    if (!e)
        return std::nullopt;
    return depuisEntrees(*e);
}

Ouverture ouvrir(const QString& chemin)
{
    if (estTropGrand(chemin))
        return {Ouverture::TropGrand, {}};
    const auto e = FichierControles::charger(chemin);
    if (!e)
        return {Ouverture::Illisible, {}};
    if (std::none_of(e->cbegin(), e->cend(), [](const FichierControles::Entree& l) { return estCle(l); }))
        return {Ouverture::PasUnCV, {}};
    Ouverture o{Ouverture::Ouvert, ValeursCV::parDefaut()};
    o.cv.recouvrir(depuisEntrees(*e));
    return o;
}

QString messageOuverture(Ouverture::Etat etat, const QString& fichier)
{
    if (etat == Ouverture::PasUnCV)
        return u"Le fichier %1 n'est pas un CV de Kerval : il n'a pas été ouvert."_qs.arg(fichier);
    if (etat == Ouverture::TropGrand)
        return u"Le fichier %1 est trop volumineux pour un CV (plus de %2 Mo) : il n'a pas été ouvert."_qs.arg(fichier).arg(
            TailleMax / (1024 * 1024));
    return u"Le fichier %1 n'a pas pu être lu : il n'a pas été ouvert."_qs.arg(fichier);
}

} // namespace FichierCV

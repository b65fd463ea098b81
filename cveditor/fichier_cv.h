#pragma once
// The CV file: CV/<name>.dat in the data folder, a control dump of the CV editor's 82 keys
// from LangueCV to CouleurClaire. The CV has no structure apart from the editor's boxes; here
// it is held as their values (ValeursCV), so that the file, the rendering and the tests share it.

#include "cveditor/fichier_controles.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace FichierCV {

// One key of the file: a plain box (index -1) or member `index` of an indexed group.
struct Cle {
    QString nom;
    int index = -1;
    bool indexee() const { return index >= 0; }
};
// The 82 keys, in the order of the file.
const QList<Cle>& cles();
// The plain boxes alone, in the same order (the placeholders are replaced in this order).
const QStringList& boites();
// The indexed groups and their number of members.
int tailleGroupe(const QString& groupe); // 0 when the name is not a group of the CV
// Whether the file may set this key (a known box, or a known group with the index in range).
bool estCle(const QString& nom, int index = -1);
// The same for a line read from a file (an indexed line with an unusable index is no key).
bool estCle(const FichierControles::Entree& entree);

// The language rows 0 to 8 of the grid, and the four level groups in the order of a row.
const QStringList& langues();
const QStringList& groupesLangue(); // LangueScolaire, LangueProf, LangueCourant, LangueBilingue

// The values of a CV's boxes. Texts hold CR LF line breaks; check boxes hold 0 or 1.
struct ValeursCV {
    QMap<QString, QString> textes;
    QMap<QString, QMap<int, int>> cases;

    QString texte(const QString& boite) const { return textes.value(boite); }
    void fixer(const QString& boite, const QString& texte) { textes.insert(boite, texte); }
    int valeur(const QString& groupe, int index) const { return cases.value(groupe).value(index, 0); }
    bool coche(const QString& groupe, int index) const { return valeur(groupe, index) == 1; }
    void cocher(const QString& groupe, int index, int valeur) { cases[groupe].insert(index, valeur); }
    // Every value of `autres` replaces the same one here.
    void recouvrir(const ValeursCV& autres);

    // A new CV: empty boxes with the starting presentation (Basic, Arial, orange, bold
    // headings, indented details, "Débutant").
    static ValeursCV parDefaut();
};

// The file's entries for a CV, in key order (boxes that the CV lacks give empty lines).
FichierControles::Entrees entrees(const ValeursCV& cv);
// The file text.
QString composer(const ValeursCV& cv);
// What a file text sets: the keys that a CV has, read by the reading rule; unknown names,
// indexes out of range and check-box values other than 0, 1 or 2 are left out.
ValeursCV lire(const QString& texte);
ValeursCV depuisEntrees(const FichierControles::Entrees& entrees);

// The name of a new CV file from the editor's NomCV, Nom and Prénom: NomCV when it is not
// empty, else Nom & " " & Prénom; then only A-Z, digits and single blanks, words capitalised,
// at most LongueurNomMax characters: always a name the CV folder accepts. Empty when nothing of
// the three is left: the save must refuse ("Vous devez donner un nom..."). A CV loaded from a
// file keeps that file's name as it is.
QString nomFichier(const QString& nomCV, const QString& nom, const QString& prenom);
inline constexpr qsizetype LongueurNomMax = 200;
// The NomCV that the auto-save gives a new CV (NomCV empty, Nom filled): Nom & " " & Prénom
// trimmed, prefixed with "Copie de " up to three times while that CV file exists. When the three
// copies exist too, a number is added (" 2", " 3"…) so that no existing CV is overwritten.
// `existe` is asked with a normalised name (as nomFichier gives it), without folder and ".dat".
// Returns nomCV unchanged when it is not empty.
QString nomAutoSauvegarde(const QString& nomCV, const QString& nom, const QString& prenom,
                          const std::function<bool(const QString& nomNormalise)>& existe);
// A name no other CV file has: the name itself when `existe` says it is free, else the name
// followed by " 2", " 3"... (the first that is free). `existe` is asked with names as given.
QString nomLibre(const QString& nom, const std::function<bool(const QString& nom)>& existe);
// The NomCV of a loaded file: its file name less the last four characters (".dat").
QString nomDepuisChemin(const QString& chemin);
// The heading of the entry panel once a CV is loaded.
QString titrePanneau(const QString& nomCV);

// Language menu ticks after a load: {anglais, francais} when LangueCV holds a number
// (English exactly when it is 1, French exactly when it is 0); nothing when it holds none.
struct CochesLangue {
    bool anglais = false;
    bool francais = false;
};
std::optional<CochesLangue> cochesLangue(const QString& langueCV);

// Messages of the save.
inline const QString MessageSansNom = QStringLiteral("Vous devez donner un nom au CV avant de l'enregistrer");
// What the system's error number (errno) means for the user, as one French sentence.
QString causeEchec(int erreur);
// "Pb lors de l'enregistrement du CV : " & name, then the cause, and that the CV stays shown.
QString messageEchec(const QString& nomCV, int erreur);
// The same when the editor closes: the last changes are lost.
QString messageEchecFermeture(const QString& nomCV, int erreur);
// What gives a CV's place to a file (the same CV read again, or another one), as the questions
// below name it.
QString commandeRechargement(const QString& fichier, bool memeCV);
// The question asked before a command replaces a CV that could not be saved (`commande`:
// "Rédiger un nouveau CV"): OK goes on and loses the last changes.
QString questionAbandon(const QString& commande);
// The same for a CV that holds what the user typed but has no name to be saved under.
QString questionSansNom(const QString& commande);
// Whether the CV holds anything the user typed or ticked, beyond its presentation.
bool contenuSaisi(const ValeursCV& cv);
// A CV without a name, kept as the session ends (nothing can be asked then) in a file of its
// own: the name of that file before any number makes it free, and what the next start says.
inline const QString NomSansNom = QStringLiteral("CV sans nom");
QString messageGardeSansNom(const QString& chemin);
QString messagePerteSansNom(int erreur);

// Paths in the data folder.
QString cheminFichier(const QString& dossierDonnees, const QString& nomCV);       // CV/<name>.dat
QString cheminPhoto(const QString& dossierDonnees, const QString& nomCV);         // Modeles/<name>.jpg
QString cheminImageModele(const QString& dossierDonnees, const QString& nomModele); // Modeles/<model>.jpg

// The largest CV file, far beyond any CV typed or pasted (a whole book in one section is a few
// megabytes): a larger file is damaged, or something else, and the editor writes none.
inline constexpr qint64 TailleMax = 16 * 1024 * 1024;

// File functions. enregistrer writes CV/<nomCV>.dat atomically (creating CV/ when missing) and
// is false when the name is empty or holds "/" (errno EINVAL), the file would pass TailleMax
// (EFBIG) or the write failed (errno as the system gave it): the previous file is then whole.
// charger gives what the file sets (no value when it passes TailleMax), or nothing when it
// cannot be opened. Every reader of a CV file (the editor, the main window's identity) holds to
// TailleMax.
bool enregistrer(const QString& dossierDonnees, const QString& nomCV, const ValeursCV& cv);
std::optional<ValeursCV> charger(const QString& chemin);

// A CV file opened in the editor: a new CV's values (ValeursCV::parDefaut), then those the file
// sets, so that a file that lacks a key never keeps another CV's value. A file in which no line
// is a key of a CV is not a CV; one larger than TailleMax is not read.
struct Ouverture {
    enum Etat { Ouvert, Illisible, PasUnCV, TropGrand };
    Etat etat = Illisible;
    ValeursCV cv; // Ouvert only
};
Ouverture ouvrir(const QString& chemin);
// Why a file was not opened, for the user ("Le fichier <name> n'est pas un CV de Kerval...").
QString messageOuverture(Ouverture::Etat etat, const QString& fichier);
// Whether a file passes TailleMax, and is so no CV file to read.
bool estTropGrand(const QString& chemin);

} // namespace FichierCV

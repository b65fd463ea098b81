#pragma once
// The home screen's menus as texts: the captions of the main menu and of the three sub-menus,
// the counters line, the names and kinds of the desktop's files, and which command a caption
// carries. The captions are the commands: the highlight bar compares them character for
// character, so both sides read them from here.

#include <QString>
#include <array>
#include <optional>

namespace MenusAccueil {

// Ten labels, indexed as the window's Label1 group.
using Libelles = std::array<QString, 10>;

// The main menu as designed; label 0 (the counters) is written by the load.
Libelles menuPrincipal();

// "Nombre de CV :  3" CR LF "Nombre de lettres :  2" CR LF "Nombre de candidatures : " + nbCand.
// The desktop shows at most five CVs, so more files count as five.
QString compteurs(int fichiersCV, int fichiersLettres, const QString& nbCand);

// The name a desktop file shows in a sub-menu: its file name without ".dat"; none when the name
// holds no ".dat" (an empty slot, an attached document).
std::optional<QString> nomFichier(const QString& infobulle);
// The kind of a letter template, read from the kind code in its name; none without a code.
std::optional<QString> genreModele(const QString& infobulle);

enum class SousMenu { CV, Lettre, Candidatures };
// The sub-menu's captions written over the current ones (the main menu's, as only the main
// menu leads to a sub-menu). infobulles: the file names of desktop icons 0, 5 and 6.
Libelles sousMenu(SousMenu menu, const Libelles& actuels, const QString& icone0, const QString& icone5,
                  const QString& icone6);

enum class Commande {
    Aucune,
    ChoixCV,
    NouveauCV,
    RattacherCV,
    ChoixLettre,
    NouvelleLettre,
    ChoixCand,
    GestionManuelle,
    RechercheOffres,
    Justificatif,
    Statistiques,
    Retour,
};
// The command a caption carries; Aucune for a subtitle, a file name or an empty caption.
Commande commande(const QString& libelle);

// The label the bar stands on: the lowest index from 2 to 8 whose screen top lies within 400
// twips of the bar's top; -1 for none. hauts: the tops of labels 0 to 9 in the home screen.
int libelleAligne(double hautBarre, const std::array<double, 10>& hauts, double hautPrincipale);

// The CV and templates a caption opens by name: the files of desktop icons 0, 5 and 6 equal
// to the caption followed by ".dat". Paths relative to the data folder.
struct OuvertureParNom {
    std::optional<QString> cv;
    std::optional<QString> lettre5;
    std::optional<QString> lettre6;
};
OuvertureParNom ouvertureParNom(const QString& libelle, const QString& icone0, const QString& icone5,
                                const QString& icone6);

// Where the bar glides on one tick: a fifth of the way to the target, on it once closer than 10.
double pasGlissement(double haut, double cible);

} // namespace MenusAccueil

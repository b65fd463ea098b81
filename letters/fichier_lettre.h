#pragma once
// The letter-template file: Lettres/<name>.dat in the data folder, a control dump of the letter
// editor's 34 keys from CadreObjet to Nom. Besides the check-box pairs, the five body
// paragraphs (the group Corps) also have indexed lines, which carry their text.
//
// The template is held here as the values of the editor's controls (ValeursLettre), so that
// the window, the merge and the tests share one reading and one writing of the file.

#include "cveditor/fichier_controles.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace FichierLettre {

// One key of the file, in the order the editor writes its controls: a plain box (index -1)
// or member `index` of a group ("Check_candidature", "Check_Modele", "Corps").
struct Cle {
    QString nom;
    int index = -1;
    bool indexee() const { return index >= 0; }
};
// The 34 keys in file order (a paragraph appears twice: its plain line, then its indexed line).
const QList<Cle>& cles();
// The plain text boxes of the file, in file order (CadreObjet and ListeCV are panel titles).
const QStringList& boites();

inline constexpr int NombreParagraphes = 5;

// The values of a template. Texts hold CR LF line breaks; each pair of check boxes holds 0 or 1.
struct ValeursLettre {
    QMap<QString, QString> textes;                 // box name -> text (missing = empty)
    std::array<QString, NombreParagraphes> corps;  // 0 introduction ... 4 politeness
    std::array<int, 2> candidature{0, 1};          // (0) "Candidature spontanée", (1) "Réponse à une annonce"
    std::array<int, 2> modele{1, 0};               // (0) "Modèle à imprimer", (1) "Modèle à envoyer par courriel"

    QString texte(const QString& boite) const { return textes.value(boite); }
    void fixer(const QString& boite, const QString& texte) { textes.insert(boite, texte); }
    bool imprime() const { return modele[0] == 1; }
    bool spontanee() const { return candidature[0] == 1; }
    // Sets box `index` of a pair as the window does: when its value changes, the other box
    // takes the opposite value, so the pair stays exclusive. Values other than 0 and 1 are refused.
    static bool cocherPaire(std::array<int, 2>& paire, int index, int valeur);
};

// The kind suffix of a generated name: " (IS)", " (IR)", " (ES)" or " (ER)"
// (I printed / E e-mail, S spontaneous / R answer to an advertisement).
QString codeTypeLettre(bool imprime, bool spontanee);
// The generated name: first name and last name, each normalised and capitalised, joined by a
// blank, then the kind suffix ("jean", "LEBRUN", printed answer -> "Jean Lebrun (IR)").
QString nomGenere(const QString& prenom, const QString& nom, bool imprime, bool spontanee);
// The name a save uses: NomLettre as typed when it is not empty, else the generated name.
QString nomEnregistrement(const ValeursLettre& lettre);
// The generated name for a new template, never that of another existing template: when the file
// of that name exists, a number goes before the kind suffix ("Jean Lebrun 2 (IR)"), so the
// suffix still ends the name. `existe` is asked with a template name.
QString nomGenereLibre(const QString& prenom, const QString& nom, bool imprime, bool spontanee,
                       const std::function<bool(const QString& nomLettre)>& existe);
// Whether a name can be the file name of a template (not empty, no "/" nor NUL, not "." or "..").
bool nomValide(const QString& nomLettre);
// The template name of a file path: its file name less ".dat".
QString nomDepuisChemin(const QString& chemin);

// The file's entries, in key order.
FichierControles::Entrees entrees(const ValeursLettre& lettre);
QString composer(const ValeursLettre& lettre);
// What a file text sets, applied line by line in file order as the window applies them:
// unknown names, indexes out of range and refused values are left out.
ValeursLettre depuisEntrees(const FichierControles::Entrees& entrees, ValeursLettre depart = {});
ValeursLettre lire(const QString& texte);

// Paths in the data folder.
QString dossier(const QString& dossierDonnees);                                // Lettres
QString cheminFichier(const QString& dossierDonnees, const QString& nomLettre); // Lettres/<name>.dat

// Writes Lettres/<nomLettre>.dat atomically (creating Lettres/ when missing); false when the
// name is not valid or the write failed, and the previous file is then whole.
bool enregistrer(const QString& dossierDonnees, const QString& nomLettre, const ValeursLettre& lettre);
// What the file sets, or nothing when it cannot be opened.
std::optional<ValeursLettre> charger(const QString& chemin);

inline const QString MessageNonAccessible = QStringLiteral("fichier non accessible");
QString messageEchec(const QString& nomLettre); // "Pb lors de l'enregistrement du modèle de lettre : " & name

} // namespace FichierLettre

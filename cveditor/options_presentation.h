#pragma once
// The CV's presentation rules: colour texts and their light tint, the swatches, the fonts,
// the paragraph and layout options, the page-model list and the language grid.

#include "cveditor/fichier_cv.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

namespace OptionsPresentation {

// "#" and six upper-case hexadecimal digits, red first.
QString texteCouleur(const QColor& couleur);
// The same from a colour number 0xBBGGRR (blue in the high byte, as the colour boxes hold it).
QString texteCouleurBGR(quint32 bgr);
// Light tint: each component c becomes (255 − c) / 1.15 + c, rounded.
QColor teinteClaire(const QColor& couleur);

// What a chosen colour writes: Couleur, then CouleurClaire (its tint).
struct Couleurs {
    QString couleur;
    QString claire;
};
Couleurs couleursDe(const QColor& couleur);
// From the colour dialog: nothing for black or no colour (the dialog never gives black).
std::optional<Couleurs> couleursDepuisDialogue(const QColor& couleur);
// The twenty swatches, index = row × 5 + column.
constexpr int NombreNuances = 20;
QColor nuance(int index); // invalid colour outside 0..19
// The border colour of the swatch frames, and the hover colour of the font labels.
inline const QColor BordureNuance = QColor(0x60, 0x80, 0xEE);
inline const QColor SurvolPolice = QColor(224, 238, 255);

// The six font labels, in order.
const QStringList& polices();

// Paragraph options: the box that CheckParagraphe(index) writes ("Gras", "Souligné",
// "Indentation", "Saut"); empty outside 0..3.
QString boiteParagraphe(int index);
// Captions of the paragraph panel.
QString legendeParagraphe(int index);
QString legendeDisposition(int index);

// Layout pair: the value the other box of CheckDisposition takes when one is clicked,
// |1 − the clicked box's value| (a greyed box, 2, gives 1 like an unticked one).
inline int autreDisposition(int valeurCliquee) { return valeurCliquee > 1 ? valeurCliquee - 1 : 1 - valeurCliquee; }

// The page-model list from the names of the files of Modeles: the names ending with ".htm"
// (case-sensitive), without it, sorted by name without regard to case.
QStringList listeModeles(const QStringList& fichiers);
// A model chosen in the list: NomModele and Modèle.
inline QString fichierModele(const QString& nomModele) { return nomModele + QStringLiteral(".htm"); }

// Language grid: a click on the box of level `groupe` in row `ligne` (whatever state the click
// left it in) unticks the three other boxes of the row. The clicked box keeps its value.
void appliquerClicLangue(FichierCV::ValeursCV& cv, int ligne, const QString& groupe);

} // namespace OptionsPresentation

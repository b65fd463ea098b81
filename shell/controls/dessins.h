#pragma once
// The program's own artwork, drawn with QPainter when first asked for and kept afterwards:
// the button's colour stages and end caps, the panels' gradients, the splash picture, the
// banner, the logo, the desktop icons and the tip balloon.

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <QFont>

namespace Dessins {

// A font of the family at a size in points ("Arial" is drawn by the metric-compatible free font).
QFont police(const QString& famille, double points, bool gras = false);

// The four colour stages of a button body: 1 x 20-pixel vertical strips.
enum class Etape { Bleu, Bleuo, BleuOO, Orange };
const QImage& etapeBouton(Etape etape);
// The button's end caps, 2 x 20 pixels: a rounded border on the panel background, white inside.
const QImage& bordGauche();
const QImage& bordDroit();

// A vertical strip of height pixels going linearly from haut (first pixel) to bas (last pixel).
QImage degrade(int largeur, int hauteur, QColor haut, QColor bas);
// CadreBleu's background (2 x 125), NouveauCadre's header (3 x 22) and background (2 x 125).
const QImage& fondCadreBleu();
const QImage& enteteNouveauCadre();
const QImage& fondNouveauCadre();

// The splash picture, wider than the splash so that it can slide to the left.
QPixmap imageDepart(QSize taille);
// The banner strip of the main window and its logo.
QPixmap banniere(QSize taille);
QPixmap logo();
// The logo's emblem alone, square, of that many pixels a side: the program's icon.
QImage embleme(int taille);
// The two pictures stacked behind "Retour au menu principal": at rest (Image4, the upper one) and
// lit (Image5, seen when the pointer on the label hides Image4).
QPixmap fondRetour(QSize taille, bool allume);

// Desktop icons.
enum class Icone { CV, CVWord, CVPDF, Lettre, Nouveau, Candidature, CandidatureSel };
QPixmap icone(Icone genre, QSize taille);

// The tip balloon's background.
QPixmap ballon(QSize taille);

} // namespace Dessins

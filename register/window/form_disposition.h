#pragma once
// Positions of the register window's controls in twips. A control keeps its designed position in
// twips (so that glides and computed sizes stay exact) and is moved to the nearest pixel.

#include <QWidget>

namespace Disposition {

void placer(QWidget* w, int gauche, int haut, int largeur, int hauteur);
int gauche(const QWidget* w);
int haut(const QWidget* w);
int largeur(const QWidget* w);
int hauteur(const QWidget* w);
void fixerGauche(QWidget* w, int twips);
void fixerHaut(QWidget* w, int twips);
void fixerLargeur(QWidget* w, int twips);
void fixerHauteur(QWidget* w, int twips);

} // namespace Disposition

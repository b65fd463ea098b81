#pragma once
// Positions of the register window's controls in twips. A control keeps its designed position in
// twips (so that glides and computed sizes stay exact) and is moved to the nearest pixel.

#include <QList>
#include <QWidget>

class QListWidget;

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

// Lays controls out in a row from a left edge, each as wide as what it shows and the next one
// `ecart` twips after it; their tops and heights stay.
void enLigne(const QList<QWidget*>& controles, int gauche, int ecart);
// Sizes a drop-down list to show every item whole, without scrolling either way.
void ajusterAuContenu(QListWidget* liste);

} // namespace Disposition

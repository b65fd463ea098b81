#include "register/window/form_disposition.h"

#include <QListWidget>
#include <QVariant>
#include <algorithm>
#include <cmath>

#include "shell/services/twips.h"

namespace Disposition {

namespace {
const char* const Gauche = "twipsGauche";
const char* const Haut = "twipsHaut";
const char* const Largeur = "twipsLargeur";
const char* const Hauteur = "twipsHauteur";

int lire(const QWidget* w, const char* nom, int pixels)
{
    const QVariant v = w->property(nom);
    return v.isValid() ? v.toInt() : Twips::depuisPixels(pixels);
}

void appliquer(QWidget* w)
{
    // A size below zero is shown as an empty control; the designed value is kept.
    w->setGeometry(Twips::versPixels(double(gauche(w))), Twips::versPixels(double(haut(w))),
                   std::max(0, Twips::versPixels(double(largeur(w)))),
                   std::max(0, Twips::versPixels(double(hauteur(w)))));
}
} // namespace

void placer(QWidget* w, int g, int h, int l, int ht)
{
    w->setProperty(Gauche, g);
    w->setProperty(Haut, h);
    w->setProperty(Largeur, l);
    w->setProperty(Hauteur, ht);
    appliquer(w);
}

int gauche(const QWidget* w) { return lire(w, Gauche, w->x()); }
int haut(const QWidget* w) { return lire(w, Haut, w->y()); }
int largeur(const QWidget* w) { return lire(w, Largeur, w->width()); }
int hauteur(const QWidget* w) { return lire(w, Hauteur, w->height()); }

void fixerGauche(QWidget* w, int t) { placer(w, t, haut(w), largeur(w), hauteur(w)); }
void fixerHaut(QWidget* w, int t) { placer(w, gauche(w), t, largeur(w), hauteur(w)); }
void fixerLargeur(QWidget* w, int t) { placer(w, gauche(w), haut(w), t, hauteur(w)); }
void fixerHauteur(QWidget* w, int t) { placer(w, gauche(w), haut(w), largeur(w), t); }

namespace {
// Pixels to twips, rounded up so that the control is never narrower than what it shows.
int twipsAuMoins(int pixels) { return int(std::ceil(pixels * Twips::ParPixel)); }
} // namespace

void enLigne(const QList<QWidget*>& controles, int g, int ecart)
{
    for (QWidget* w : controles) {
        if (!w)
            continue;
        w->ensurePolished(); // the style sheet's font counts
        const int l = twipsAuMoins(w->sizeHint().width());
        placer(w, g, haut(w), l, hauteur(w));
        g += l + ecart;
    }
}

void ajusterAuContenu(QListWidget* liste)
{
    liste->ensurePolished();
    int lignes = 0;
    for (int i = 0; i < liste->count(); ++i)
        lignes += liste->sizeHintForRow(i);
    const int cadre = 2 * liste->frameWidth();
    // A little room after the longest item, as a list shows it.
    const int marge = liste->fontMetrics().averageCharWidth() * 2;
    placer(liste, gauche(liste), haut(liste), twipsAuMoins(liste->sizeHintForColumn(0) + cadre + marge),
           twipsAuMoins(lignes + cadre));
}

} // namespace Disposition

#pragma once
// Layouts are designed in twips: 15 twips per pixel here.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

namespace Twips {

constexpr int ParPixel = 15;

constexpr int versPixels(int twips) { return twips / ParPixel; }
constexpr int depuisPixels(int pixels) { return pixels * ParPixel; }
inline int versPixels(double twips) { return int(std::lround(twips / ParPixel)); }

inline QPoint point(int gauche, int haut) { return {versPixels(gauche), versPixels(haut)}; }
inline QSize taille(int largeur, int hauteur) { return {versPixels(largeur), versPixels(hauteur)}; }
inline QRect rect(int gauche, int haut, int largeur, int hauteur)
{
    return {point(gauche, haut), taille(largeur, hauteur)};
}

} // namespace Twips

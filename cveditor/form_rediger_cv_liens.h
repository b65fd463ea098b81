#pragma once
// What the CV window asks of the other windows (the main window's menus, identity and desktop,
// the home screen, the help pop-up), in one place.

#include <QPoint>
#include <QString>
#include <optional>

class FormRedigerCV;

namespace LiensCV {

// --- the main window and the shell ---
// True when the desktop shows no CV file yet.
bool bureauSansCV();
void afficherGuide(const QString& texte);
// The home screen's glide stops and the highlight bar goes.
void arreterAccueil();
// Pops up one of the main window's menus at a point of the screen.
void menuPrincipal(const QString& nom, const QPoint& global);
void activerConsulterWord(bool actif);
void collerPhoto();
void rattacherPhoto();
// The main window's identity box of that name, when it has one, takes the text.
void identiteCourante(const QString& nom, const QString& valeur);
// Ticks the main window's CV-language entries, each by its own value.
void cocherLangue(bool anglais, bool francais);
// Rebuilds the desktop's icons from the CV folder.
void rafraichirBureau();

struct BulleAide {
    int haut = 0, gauche = 0; // twips
    QString titre;
    std::optional<QString> info; // nothing: the pop-up keeps the text it holds
    bool demiHauteur = false;
    int hauteurFenetre = 0; // the CV window's height, twips
};
void afficherAide(const BulleAide& bulle);

} // namespace LiensCV

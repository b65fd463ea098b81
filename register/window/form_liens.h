#pragma once
// What the register window asks of the other windows: the main window's pop-up menu, its
// applications icon, its size and the offers start page, the home screen's animation and the
// sending window. One place, so that the register window stays testable on its own.

#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

namespace FormCandLiens {

// Lets the main window open the register window (its applications icon).
void installer();

// The main window's outer size in twips; an invalid size when it is not loaded.
QSize taillePrincipale();
// Pops up the main window's menu of one application, "Postuler" enabled or not.
void afficherMenuItemCand(const QPoint& global, bool postulerActif);
// The main window's applications icon: the empty-register picture or the register picture.
void iconeCandidatures(bool vide);
// The main window's application count, which the home screen shows, after the register's rows
// were counted anew.
void nombreCandidatures(qsizetype nombre);
// The offers start page address (the main window's hidden label AdresseWeb).
QString adresseOffres();
// Stops the home screen's glide and closes the highlight bar.
void arreterAccueil();
// Shows the sending window with the letter text (and the CV to attach, when given), its send
// button visible or not.
void ouvrirEnvoi(const QString& lettre, bool boutonEnvoiVisible, const std::optional<QString>& cv = std::nullopt);
// Set by the sending window's module: shows it with the letter text, the CV and its send button.
inline std::function<void(const QString& lettre, bool boutonEnvoiVisible, const std::optional<QString>& cv)>
    ouvrirFenetreEnvoi;

} // namespace FormCandLiens

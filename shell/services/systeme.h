#pragma once
// Shared window and shell procedures: other programs' window titles, translucency, whether one
// of our windows is shown, the documents folder, opening a document or a web address, colours.

#include <QString>
#include <QtGlobal>

class QWidget;

namespace Systeme {

// The title of the topmost window whose title contains "http", or empty.
QString TitreFenetreNavigateur();
// True when some window's title names a word processor ("WINWORD", "OpenOffice", "LibreOffice").
bool TraitementTexteOuvert();
// Makes the window translucent and sets its opacity (0 to 255; 0 changes nothing).
void RendreTransparent(QWidget* fenetre, int opacite);
void FixerOpacite(QWidget* fenetre, int opacite);
// The window's opacity read back as a byte, 255 when it was never made translucent.
int Opacite(const QWidget* fenetre);
// True when a loaded window of that design name is shown; never loads a window.
bool FormeVisible(const QString& nom);
// Shows one of our windows in front of the others with the activation: a child window through
// its workspace (raising or activating its inner widget alone leaves it where it is), a top-level
// window itself.
void AuPremierPlan(QWidget* fenetre);
// True when ALLUSERSPROFILE contains "ProgramData".
bool EstVistaOuPlus();
// The user's documents folder, ending with a slash: userprofile + "Documents/" or "Mes documents/"
// (matched without regard to case), else the desktop's documents folder.
QString DossierDocuments();
// Opens a path or web address with its program. False when the program could not be started.
bool OuvrirDocument(const QString& cible);

// Attaches a CV document: the chosen file is copied into the CV folder (replacing a file of the
// same name) and the desktop is rebuilt, also when nothing was chosen.
void RattacherCV();
// Deletes the CV file of a desktop slot (0 to 4) after confirmation; the CV editor comes back
// empty and the desktop is rebuilt. The photograph and the word-processor copy stay.
void SupprimerCV(qint16 index);

// Components of a window colour laid out 0xBBGGRR.
constexpr int ComposanteRouge(quint32 couleur) { return int(couleur & 0xFF); }
constexpr int ComposanteVerte(quint32 couleur) { return int((couleur & 0xFF00) / 256); }
constexpr int ComposanteBleue(quint32 couleur) { return int((couleur & 0xFF0000) / 65536); }

} // namespace Systeme

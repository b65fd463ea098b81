#pragma once
// The CV page: an HTML page model of Modeles filled with a CV's values. The model's sections run
// from a marker "P01".."P06" to the next ("P07" ends the last); empty sections are cut, the
// placeholders "#Box#" get the boxes' texts (dated paragraphs for Etudes, Experiences and
// Competences, decorations for the identity), the "Sénior" layout puts career and skills first,
// then the photograph, the colours and font literals, English, and the markers go.
//
// Texts are inserted as typed (a "<b>" typed in a CV still makes bold), but the page carries a
// content security policy that forbids every script, so no CV text can run as script in the
// preview, in a browser or in the printed page. Characters outside Windows-1252 are written as
// character references, so the page stays in the models' code page and shows them all.

#include "cveditor/fichier_cv.h"

#include <QString>
#include <optional>

namespace RenduCV {

// The policy the page carries, first thing in its head.
extern const QString PolitiqueSecurite;

// The languages text from the grid rows (school, professional, fluent, bilingual in a row),
// one "<language> <level>" line each (CR LF ended), then CR LF and LanguesPlus when it is filled.
QString composerLangues(const FichierCV::ValeursCV& cv);

struct MiseEnForme {
    bool gras = true;
    bool souligne = false;
    bool indentation = true;
    bool saut = false;
    static MiseEnForme depuis(const FichierCV::ValeursCV& cv); // the boxes Gras, Souligné, Indentation, Saut
};
// A section text as dated paragraphs: heading lines (the first, after an empty line, ending with
// ":", starting with "DE ", a number or a month) bold/underlined, the others indented: each indented
// line is DebutDetail, the line, FinDetail.
extern const QString DebutDetail;
extern const QString FinDetail;
QString formaterParagraphes(const QString& texte, const MiseEnForme& forme);
// An identity box's text as the page shows it ("Né le …", "Téléphone : …", "(35 ans)", "2 enfants"…).
QString decorer(const QString& boite, const QString& texte, const QString& prenom);

// The whole page from the model text (lines joined by CR LF) and the CV's values. `photo` tells
// whether the CV's photograph exists (the page then shows "Photo.jpg"). The languages text is
// composed from the grid, whatever the CV's Langues holds. Pure: reads and writes no file.
QString composer(const QString& modele, const FichierCV::ValeursCV& cv, bool photo);

// File side. The model file as the rendering reads it (each line followed by CR LF).
std::optional<QString> lireModele(const QString& chemin);
QString cheminModele(const QString& dossierDonnees, const QString& fichierModele); // Modeles/<file>
QString cheminPage(const QString& dossierDonnees);                                  // Modeles/CVtemp.html

enum class Issue {
    Rendu,              // the page is written
    ModeleAbsent,       // no such model (or a name that is not a plain file name): nothing written
    EcritureImpossible, // the page could not be written: the previous one is whole
};
struct Rendu {
    Issue issue = Issue::ModeleAbsent;
    QString cheminPage; // the page written (Issue::Rendu)
    QString langues;    // the languages text composed from the grid, for the box Langues
};
// One rendering in the data folder: reads Modeles/<Modèle>, copies the CV's photograph
// Modeles/<NomCV>.jpg to Modeles/Photo.jpg when it exists, composes, writes Modeles/CVtemp.html.
Rendu rendre(const QString& dossierDonnees, const FichierCV::ValeursCV& cv);

} // namespace RenduCV

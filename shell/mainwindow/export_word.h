#pragma once
// The word-processor copy of a CV: the rendered page is converted to a Word 97 document by the
// office suite (LibreOffice) run without a window, with a profile of its own, its pictures
// inlined in the page so that the document carries them. The copy replaces the earlier one only
// once the conversion has written it. Then it opens in the desktop's program for Word documents,
// or else in LibreOffice's word processor.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ExportWord {

// The page's local pictures (<IMG SRC=...> naming a file beside the page) written into the page
// as data: addresses; a picture that cannot be read keeps its address. lire gives a picture's
// bytes from its address as written in the page.
QString incorporerImages(const QString& html, const std::function<std::optional<QByteArray>(const QString&)>& lire);

// The page declared as UTF-8: its own charset declarations removed, <meta charset="utf-8"> first
// thing in its head (or at the start of a page without one). The caller writes it in UTF-8.
QString declarerUtf8(const QString& html);

// The page as the word processor is to lay it out on pages as the printed page runs: the dated
// lines of a section as paragraphs of their own, the detail lines indented, each heading line kept
// with its first detail line, and no block kept in one piece (the word processor would keep a whole
// section's lines together and move them to the next page, away from their heading).
QString pourTraitementTexte(const QString& html);

// The office suite's converter: "soffice", else "libreoffice", on the PATH; empty when none.
QString programme();

// The converter's arguments for a page, a private profile folder and an output folder.
QStringList arguments(const QString& page, const QString& profil, const QString& dossierSortie);

// True when the office suite marks the document as open (its lock file beside it).
bool enCoursUtilisation(const QString& document);

enum class Issue { Fait, ProgrammeAbsent, PageAbsente, EchecConversion, EcritureImpossible };
struct Resultat {
    Issue issue = Issue::Fait;
    QString message; // what the user is told, empty when done
};

// Converts the page into the document. The longest wait for the converter, in milliseconds.
Resultat convertir(const QString& page, const QString& document, int delaiMs = 120000);

// The program that shows a document in the office suite's word processor ("lowriter", else
// "soffice", else "libreoffice", on the PATH); empty when none can show a window: a "-nogui" build
// converts documents but never shows one (started on a document, it would run unseen and keep the
// document locked).
QString programmeTraitementTexte();

// What opens Word documents here, as the conversion dialog names it: the desktop's program for the
// sample document's type, else "LibreOffice (<its word processor>)" when one on the PATH can show
// a window; empty when none.
QString nomLecteur(const QString& exemple);

// The Word copy of the CV of that name: the documents folder, the name, ".doc". Empty for a CV
// that has no name yet, which has no copy.
QString copieDuCV(const QString& nomCV);

// Opens the Word copy in that program, without a shell. What the user is told when it could not
// be (saying where the copy lies), empty when it opened.
QString ouvrir(const QString& document);

} // namespace ExportWord

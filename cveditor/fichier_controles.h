#pragma once
// The control-dump text format of CVs and letter templates: one line per control, in the
// window's control order. A plain line is "name=text" with every CR LF of the text written
// "<N>"; a member of an indexed group adds "index:name=value". No header, no blank lines.
//
// The composing and reading functions are pure; enregistrer/charger are the only ones that
// touch a file (Windows-1252 CR LF, UTF-8 when a character needs it, atomic save).

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace FichierControles {

struct Entree {
    bool indexee = false; // an "index:name=value" line
    int index = 0;        // indexed lines only; -1 when the index is not a usable number
    QString nom;
    QString valeur;       // plain lines: "<N>" already turned back into CR LF; indexed: as stored

    static Entree plaine(const QString& nom, const QString& valeur) { return {false, 0, nom, valeur}; }
    static Entree indexe(int index, const QString& nom, const QString& valeur) { return {true, index, nom, valeur}; }
    bool operator==(const Entree&) const = default;
};
using Entrees = QList<Entree>;

// CR LF (and a lone CR, which every reader takes as a line end) written "<N>".
QString echapperSauts(const QString& texte);
// Every "<N>" back to CR LF.
QString restaurerSauts(const QString& texte);

// One line, without its line end.
QString ligne(const Entree& entree);
// The whole file text: each entry's line followed by CR LF.
QString composer(const Entrees& entrees);

// Reads one line by the reading rule; nothing for an empty line or a line that cannot be split
// (a plain line without "=", an indexed line without ":" or without "=" after it).
std::optional<Entree> lireLigne(const QString& ligne);
// Reads a whole text (lines end at CR LF or a lone CR), skipping what cannot be read.
// Names are returned as they stand: a reader ignores those its window lacks.
Entrees lire(const QString& texte);

// File functions. enregistrer rewrites the file atomically: false when it could not, or when the
// file is read-only, and the previous file is then whole. charger gives nothing when the file cannot be opened.
// errno tells why a save failed.
bool enregistrer(const QString& chemin, const Entrees& entrees);
// The same with the file's bytes already encoded.
bool enregistrerOctets(const QString& chemin, const QByteArray& octets);
std::optional<Entrees> charger(const QString& chemin);

} // namespace FichierControles

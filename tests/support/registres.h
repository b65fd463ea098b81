#pragma once
// Registers as users may have them: one damaged in the middle of the file, one that cannot be
// written, one written by another tool.

#include <QByteArray>
#include <QString>

namespace Registres {

// A register of 210 applications with long descriptions (about 107 pages of 4096 bytes): the
// first 60 sent on 2024-01-01 and waiting for an answer (the start-up of 15/03/2024 ages them),
// the others "NON EMISE". Page 54, which holds applications that are not aged, is then
// overwritten with garbage. Gives the file's bytes after the damage.
QByteArray creerAbime(const QString& chemin);

// The table Candidatures as a spreadsheet export or an older copy may have it: the same columns,
// any value in any of them (dates in whatever form, bytes that are no text).
QString schemaEtranger();

// Makes a file or a folder impossible to write, for root too (it is also made immutable then),
// and puts it back as it was afterwards. actif() is false when the system refused.
class FichierProtege {
public:
    explicit FichierProtege(const QString& chemin);
    ~FichierProtege();
    FichierProtege(const FichierProtege&) = delete;
    FichierProtege& operator=(const FichierProtege&) = delete;
    bool actif() const { return actif_; }

private:
    QString chemin_;
    int permissions_ = 0;
    bool actif_ = false;
    bool immuable_ = false;
};

} // namespace Registres

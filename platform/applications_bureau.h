#pragma once
// The desktop's own choice of program for a file, read and started the way the desktops do it
// (desktop entries, field codes, "env …" prefixes, sandboxed applications) through GIO.

#include <QString>
#include <QStringList>
#include <optional>

namespace ApplicationsBureau {

// The full path of the program the desktop opens this file with; empty when none.
QString programme(const QString& fichier);

// Opens the files with the desktop's program for the first file's type, when that program is the
// one named. True when it started, false when it failed to; nothing when the program named is not
// the desktop's for these files (the caller then starts it itself).
std::optional<bool> ouvrir(const QString& programme, const QStringList& fichiers);

} // namespace ApplicationsBureau

#include "shell/mainwindow/liste_fichiers.h"

#include <QDir>

void ListeFichiers::Refresh()
{
    noms_.clear();
    if (Path.isEmpty())
        return;
    QDir dossier(Path);
    const QString motif = Pattern == QLatin1String("*.*") ? QStringLiteral("*") : Pattern;
    noms_ = dossier.entryList({motif}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

#include "shell/mainwindow/liste_fichiers.h"

#include <QDir>

void ListeFichiers::Refresh()
{
    noms_.clear();
    if (Path.isEmpty())
        return;
    QDir dossier(Path);
    // Several patterns are separated by ";" ("*.doc;*.pdf").
    QStringList motifs;
    for (const QString& m : Pattern.split(u';', Qt::SkipEmptyParts))
        motifs << (m == QLatin1String("*.*") ? QStringLiteral("*") : m);
    noms_ = dossier.entryList(motifs, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

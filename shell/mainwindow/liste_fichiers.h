#pragma once
// File1, the hidden folder listing of the main window: the files of a folder (no folders, no
// hidden files) sorted by name, refreshed on demand.

#include <QString>
#include <QStringList>

class ListeFichiers {
public:
    QString Path;
    QString Pattern = QStringLiteral("*.*"); // several patterns separated by ";"

    void Refresh();
    int ListCount() const { return int(noms_.size()); }
    // The name (with its extension) of file i, empty out of range.
    QString List(int i) const { return i >= 0 && i < noms_.size() ? noms_.at(i) : QString(); }
    const QStringList& noms() const { return noms_; }
    // The files of the folder that the listing leaves out because their names are not written
    // in UTF-8 (copied from another system): no path of the program can name them. Each as the
    // user may recognise it, read in the Windows code page (else with replacement marks).
    const QStringList& illisibles() const { return illisibles_; }
    // What the user is told of those files of a folder.
    static QString messageIllisibles(const QString& dossier, const QStringList& noms);

private:
    QStringList noms_;
    QStringList illisibles_;
};

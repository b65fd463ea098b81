// Writes the program's icon, its logo's emblem, at the sizes desktops ask for, into an icon
// theme's folders: <folder>/hicolor/<n>x<n>/apps/<name>.png.
#include <QDir>
#include <QCoreApplication>
#include <QTextStream>

#include "shell/controls/dessins.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "usage: kerval_icones <folder> <name>\n";
        return 2;
    }
    const QDir dossier(arguments[1]);
    for (const int taille : {16, 24, 32, 48, 64, 128, 256}) {
        const QString sousDossier = QStringLiteral("hicolor/%1x%1/apps").arg(taille);
        const QString fichier = dossier.filePath(sousDossier + QLatin1Char('/') + arguments[2] + QStringLiteral(".png"));
        if (!dossier.mkpath(sousDossier) || !Dessins::embleme(taille).save(fichier)) {
            QTextStream(stderr) << "cannot write " << fichier << '\n';
            return 1;
        }
    }
    return 0;
}

#include <QApplication>
#include <QLocale>
#include <QMainWindow>

#include "platform/plateforme.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kerval"));
    Plateforme::installerLinux();
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Kerval"));
    fenetre.resize(1024, 768);
    fenetre.show();
    return app.exec();
}

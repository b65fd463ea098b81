#include "shell/dialogs/aide.h"

#include "shell/mainwindow/liens_fenetres.h"
#include "shell/services/twips.h"

Aide::Aide()
{
    setObjectName(NomConception);
    setWindowTitle(QStringLiteral("Aide"));
    marquerBulle(this);
    resize(Twips::taille(3600, 3000));

    CadreAide = new NouveauCadre(QRect(0, 0, 3600, 3000), this);
    CadreAide->setObjectName(QStringLiteral("CadreAide"));

    Label2 = new QLabel(QStringLiteral("i"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont signe = Dessins::police(QStringLiteral("Times New Roman"), 11, true);
    signe.setItalic(true);
    Label2->setFont(signe);
    Label2->setStyleSheet(QStringLiteral("color: white;"));
    Label2->setGeometry(Twips::rect(120, 30, 240, 285));

    Titre = new QLabel(QStringLiteral("Aide"), this);
    Titre->setObjectName(QStringLiteral("Titre"));
    Titre->setFont(Dessins::police(QStringLiteral("Arial"), 8.25, true));
    Titre->setStyleSheet(QStringLiteral("color: white;"));
    Titre->setGeometry(Twips::rect(420, 45, 3000, 255));

    Info = new QLabel(QStringLiteral("Zones d'informations"), this);
    Info->setObjectName(QStringLiteral("Info"));
    Info->setFont(Dessins::police(QStringLiteral("Arial"), 8.25));
    Info->setWordWrap(true);
    Info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Info->setStyleSheet(QStringLiteral("color: #24345C;"));
    Info->setGeometry(Twips::rect(150, 420, 3300, 2400));
}

void Aide::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    CadreAide->setGeometry(rect());
    const int l = Twips::depuisPixels(width()), h = Twips::depuisPixels(height());
    Info->setGeometry(Twips::rect(150, 420, qMax(0, l - 300), qMax(0, h - 600)));
}

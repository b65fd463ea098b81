#include "shell/dialogs/apropos.h"

#include <QGuiApplication>
#include <QScreen>

#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/twips.h"

APropos::APropos()
{
    setObjectName(NomConception);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose);
    marquerFenetreSuperieure(this);
    setWindowTitle(QStringLiteral("A propos de Kerval"));
    setFixedSize(Twips::taille(Largeur, Hauteur));
    setStyleSheet(QStringLiteral("APropos { background: white; }"));
    setAutoFillBackground(true);

    CadreBleu1 = new CadreBleu(QString(), QRect(120, 120, Largeur - 240, Hauteur - 840), this);
    CadreBleu1->setObjectName(QStringLiteral("CadreBleu1"));

    Shape1 = new QWidget(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setStyleSheet(QStringLiteral("background: #FF6600;"));
    Shape1->setGeometry(Twips::rect(360, 1140, Largeur - 720, 30));

    const QStringList textes{
        QStringLiteral("Kerval"),
        QStringLiteral("Logiciel gratuit : vous pouvez l'utiliser et le partager librement."),
        QStringLiteral("Version %1 du 8 décembre 2026").arg(QStringLiteral("0.1")),
        QStringLiteral("Conception et réalisation : l'équipe Kerval"),
        QStringLiteral("Avec Qt, SQLite et les polices Liberation."),
    };
    const int hauts[] = {300, 1320, 1800, 2280, 2640};
    for (int i = 0; i < 5; ++i) {
        Label1[i] = new QLabel(textes[i], this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setWordWrap(true);
        Label1[i]->setFont(Dessins::police(QStringLiteral("Arial"), i == 0 ? 26 : 8.25, i == 0));
        Label1[i]->setStyleSheet(i == 0 ? QStringLiteral("color: #E05A00;") : QStringLiteral("color: #24345C;"));
        Label1[i]->setGeometry(Twips::rect(360, hauts[i], Largeur - 720, i == 0 ? 840 : 420));
    }

    BoutonKVL1 = new BoutonKVL(QStringLiteral("Ok"), QRect((Largeur - 1215) / 2, Hauteur - 570, 1215, 300), this);
    BoutonKVL1->setObjectName(QStringLiteral("BoutonKVL1"));
    connect(BoutonKVL1, &BoutonKVL::Click, this, &APropos::BoutonKVL1_Click);
}

void APropos::Form_Load()
{
    std::optional<QPoint> ancrage;
    if (LiensFenetres::ancrageAPropos)
        ancrage = LiensFenetres::ancrageAPropos();
    if (ancrage) {
        move(Twips::point(ancrage->x() - 2310, ancrage->y() + 2100));
        return;
    }
    QRect zone;
    if (auto* p = RegistreFenetres::instance().siChargee<Principale>())
        zone = p->geometry();
    else if (QScreen* ecran = QGuiApplication::primaryScreen())
        zone = ecran->availableGeometry();
    move(zone.center() - rect().center());
}

void APropos::BoutonKVL1_Click() { RegistreFenetres::instance().decharger(NomConception); }

#include "shell/dialogs/guide.h"

#include <QPainter>
#include <QPointer>
#include <cstdio>
#include <unistd.h>

#include "platform/arret.h"
#include "platform/attente.h"
#include "shell/controls/dessins.h"
#include "shell/dialogs/afficher_guide.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"
#include "shell/startup/traces.h"

Guide::Guide()
{
    setObjectName(NomConception);
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    marquerFenetreSuperieure(this);
    resize(Twips::taille(Largeur, Hauteur));
    // The balloon's outline, also where no compositor blends the corners.
    setMask(Dessins::ballon(size()).mask());

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setFont(Dessins::police(QStringLiteral("Arial"), TaillePolice));
    Label1->setStyleSheet(QStringLiteral("color: #24345C;"));
    Label1->setGeometry(Twips::rect(660, 240, Largeur - 960, Hauteur * 8 / 10 - 420));
}

void Guide::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, Dessins::ballon(size()));
}

void Guide::Form_Load()
{
    hide();
    // The end of the session shows no tip.
    if (Arret::demande())
        return;
    if (!Systeme::FormeVisible(QStringLiteral("FormLettre")) && !Systeme::FormeVisible(QStringLiteral("FormRédigerCV")) &&
        !Systeme::FormeVisible(QStringLiteral("FormCand")))
        return;

    Principale& principale = Forme<Principale>();
    const QString texte = principale.InfoGuide->text();
    Label1->setText(texte);
    if (texte.size() > 100) {
        QFont f = Label1->font();
        f.setPointSizeF(TaillePoliceLongue);
        Label1->setFont(f);
    }
    const int haut = (principale.hauteurTwips() - Hauteur) / 2;
    int gauche = (principale.largeurTwips() - Largeur) / 2;
    if (principale.largeurTwips() <= 20000) {
        gauche += 1500;
        if (texte.contains(QLatin1String("lettre")))
            gauche += 500;
    }
    if (texte.contains(QLatin1String("description")))
        gauche = 10600;
    move(Twips::point(gauche, haut));

    // The main window or the caller may unload the balloon while a wait pumps events. When the
    // main window went with it, the program ends there: the windows that asked for the tip are
    // gone too, and nothing of them may run after the show. At the end of the session the show
    // stops where it is: the session does not wait for a tip.
    QPointer<Guide> moi(this);
    auto finir = [] {
        if (finProgramme) {
            finProgramme();
        } else {
            std::fflush(nullptr);
            ::_exit(0);
        }
    };
    auto encore = [&] {
        if (moi)
            return !Arret::demande();
        if (!Systeme::FormeVisible(Principale::NomConception))
            finir();
        return false;
    };
    for (int k = 1; k <= 241; k += 20) {
        repaint();
        Attente::pomper();
        Attente::dormir(40);
        if (!encore())
            return;
        Traces::opacite(this, k);
        if (!encore())
            return;
        show();
    }
    for (int pas = 0; pas < 180; ++pas) {
        if (!Systeme::FormeVisible(Principale::NomConception)) {
            finir();
            return;
        }
        Attente::dormir(30);
        if (!encore())
            return;
    }
    for (int k = 250; k >= 10; k -= 20) {
        Attente::pomper();
        Attente::dormir(40);
        if (!encore())
            return;
        Traces::opacite(this, k);
    }
}

namespace Fonctionnel {

void AfficherGuide(const QString& texte)
{
    Forme<Principale>().InfoGuide->setText(texte);
    for (int i = 0; i < 10 && !Arret::demande(); ++i)
        Attente::dormir(100);
    if (Arret::demande())
        return;
    RegistreFenetres& r = RegistreFenetres::instance();
    if (r.estChargee<Guide>())
        return; // a tip is on show: it keeps its text
    Forme<Guide>();
    r.decharger(Guide::NomConception);
}

} // namespace Fonctionnel

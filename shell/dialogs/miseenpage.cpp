#include "shell/dialogs/miseenpage.h"

#include "cveditor/formrediger_cv.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/twips.h"

void placerDialogue(QWidget* dialogue)
{
    Principale* p = RegistreFenetres::instance().siChargee<Principale>();
    if (!p)
        return;
    QWidget* fenetre = dialogue->parentWidget() && dialogue->parentWidget()->inherits("QMdiSubWindow")
                           ? dialogue->parentWidget()
                           : dialogue;
    const int hauteur = Twips::depuisPixels(fenetre->height());
    const int largeur = Twips::depuisPixels(fenetre->width());
    fenetre->move(Twips::point(qMax(0, (p->largeurTwips() - largeur) / 2),
                               qMax(0, (p->hauteurTwips() - hauteur) / 2 - 1000)));
}

MiseEnPage::MiseEnPage()
{
    setObjectName(NomConception);
    setWindowTitle(QStringLiteral("Mise en page"));
    setFixedSize(Twips::taille(Largeur, Hauteur));
    setStyleSheet(QStringLiteral("MiseEnPage { background: white; }"));
    setAutoFillBackground(true);

    CadreBleu1 = new CadreBleu(QStringLiteral("Mise en page"), QRect(120, 120, Largeur - 240, Hauteur - 840), this);
    CadreBleu1->setObjectName(QStringLiteral("CadreBleu1"));
    const QStringList textes{
        QStringLiteral("Pour supprimer les indications d'entête et de pied de page, lancer la prévisualisation "
                       "(Prévisualiser) puis sélectionner 'Mise en page'"),
        QStringLiteral("Pour activer l'impression des filigranes et couleurs de fond, ouvrir le panneau de "
                       "configuration puis, dans les paramètres Internet, aller dans l'onglet 'Avancé', et cocher "
                       "la case 'Imprimer les couleurs et les images d'arrière plan'.")};
    const int hauts[] = {480, 1320};
    for (int i = 0; i < 2; ++i) {
        Label1[i] = new QLabel(textes[i], this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setWordWrap(true);
        Label1[i]->setFont(Dessins::police(QStringLiteral("Arial"), 8.25));
        Label1[i]->setStyleSheet(QStringLiteral("color: #24345C;"));
        Label1[i]->setGeometry(Twips::rect(360, hauts[i], Largeur - 720, i == 0 ? 720 : 1200));
    }
    const int bas = Hauteur - 570;
    BoutonKVL1 = new BoutonKVL(QStringLiteral("Lancer les \"Propriétés d'Internet\""), QRect(240, bas, 2700, 300), this);
    BoutonKVL2 = new BoutonKVL(QStringLiteral("Lancer la prévisualisation"), QRect(3060, bas, 2100, 300), this);
    BoutonKVL3 = new BoutonKVL(QStringLiteral("Fermer"), QRect(5280, bas, 1080, 300), this);
    BoutonKVL1->setObjectName(QStringLiteral("BoutonKVL1"));
    BoutonKVL2->setObjectName(QStringLiteral("BoutonKVL2"));
    BoutonKVL3->setObjectName(QStringLiteral("BoutonKVL3"));
    connect(BoutonKVL1, &BoutonKVL::Click, this, &MiseEnPage::BoutonKVL1_Click);
    connect(BoutonKVL2, &BoutonKVL::Click, this, &MiseEnPage::BoutonKVL2_Click);
    connect(BoutonKVL3, &BoutonKVL::Click, this, &MiseEnPage::BoutonKVL3_Click);
}

void MiseEnPage::Form_Load() { placerDialogue(this); }

// The printing settings live in the preview browser's page set-up here.
void MiseEnPage::BoutonKVL1_Click() { Forme<FormRedigerCV>().WebBrowser1->miseEnPage(); }
void MiseEnPage::BoutonKVL2_Click() { Forme<FormRedigerCV>().WebBrowser1->apercuAvantImpression(); }
void MiseEnPage::BoutonKVL3_Click() { RegistreFenetres::instance().decharger(NomConception); }

#pragma once
// Principale: the main window. A workspace (QMdiArea) holds the working windows under a banner
// strip that carries the icon desktop: five CV slots (icons 0-4), five letter-template slots
// (5-9) and the register (10). The window also holds the pop-up menus used across the program,
// hidden fields that other windows share, and the public operations below.
//
// Other windows use:
//   - the identity of the current CV: Nom, Prenom, Adresse1, CP, Ville, Tel, Email, Fonction
//     (hidden fields; multi-line values hold "\n");
//   - InfoGuide (the next tip's text), NbCand (the application count, counted at start-up and
//     again whenever the register window rebuilds its tree), AdresseWeb (the offers start page),
//     File1 (the folder listing; after InitMenu it lists "Lettres"),
//     IndexIcone (the desktop slot under the pointer or the open menu, -1 for none),
//     ImageMenu[i]->toolTip() (the slot's file name) and ImageMenu[i]->genre() (its picture);
//   - InitMenu() after a file is saved, copied, renamed, attached or deleted; RetourMenu();
//   - the pop-up menus (MenuCV, MenuLettre, MenuCandidature, MenuItemCand, MenuPhoto,
//     MenuImprimer, MenuLangues, MenuConvertirWord) with PopupMenu(), and their entries.
// Every window loaded through the registry after this one goes into its workspace, unless it
// is marked top-level (marquerFenetreSuperieure).

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QSet>
#include <QTimer>
#include <array>

#include "shell/controls/dessins.h"
#include "shell/mainwindow/liste_fichiers.h"
#include "shell/services/registre_fenetres.h"

// One icon of the desktop: its picture kind, its tooltip (its file's name) and its place in twips.
class IconeBureau : public QLabel {
    Q_OBJECT
public:
    IconeBureau(int index, QWidget* parent);
    int index() const { return index_; }
    Dessins::Icone genre() const { return genre_; }
    void fixerGenre(Dessins::Icone genre);
    // Geometry in twips, as designed.
    int gauche() const { return gauche_; }
    int haut() const { return haut_; }
    int largeur() const { return largeur_; }
    int hauteur() const { return hauteur_; }
    void placer(int gauche, int haut, int largeur, int hauteur);
    void fixerHaut(int haut) { placer(gauche_, haut, largeur_, hauteur_); }
    void fixerTaille(int largeur, int hauteur) { placer(gauche_, haut_, largeur, hauteur); }

signals:
    void survol(int index);
    void appui(int index);
    void clic(int index);
    // The second press of a double-click (the pending single click is off), then its release.
    void doubleAppui(int index);
    void doubleClic(int index);

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    int index_;
    Dessins::Icone genre_ = Dessins::Icone::Nouveau;
    int gauche_ = 0, haut_ = 210, largeur_ = 0, hauteur_ = 0;
    bool doubleClicEnCours_ = false;
};

class Principale : public QMainWindow, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = QStringLiteral("Principale");

    // The size of the template picture ImageCV, which every file icon takes (twips).
    static constexpr int LargeurIcone = 450;
    static constexpr int HauteurIcone = 480;
    // The banner strip's height (twips).
    static constexpr int HauteurBandeau = 1200;

    Principale();
    ~Principale() override;
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    void Form_Load() override { MDIForm_Load(); }

    // Public operations.
    void RetourMenu();
    void InitMenu();
    void CollerPhoto_Click();
    void RattacherPhoto_Click();
    void ConvertirWord();
    void ConvertirODF();
    // Shows one of the pop-up menus at a point of the screen, or at the pointer.
    void PopupMenu(QMenu* menu, const QPoint& global);
    void PopupMenu(QMenu* menu);
    // The same at a point given in another window's coordinates (pixels of that widget).
    void PopupMenu(QMenu* menu, const QWidget* fenetre, const QPoint& local);

    // The window's size in twips.
    int largeurTwips() const;
    int hauteurTwips() const;

    // Shared hidden fields.
    QLineEdit* Nom;
    QLineEdit* Prenom;
    QLineEdit* Adresse1;
    QLineEdit* CP;
    QLineEdit* Ville;
    QLineEdit* Tel;
    QLineEdit* Email;
    QLineEdit* Fonction;
    QLineEdit* InfoGuide;
    QLabel* NbCand;
    QLabel* AdresseWeb;
    ListeFichiers File1;
    int IndexIcone = -1;

    // The workspace of the child windows.
    QMdiArea* Espace;

    // The banner and the desktop.
    QWidget* Toolbar1;
    QWidget* Frame1;
    QLabel* Image1; // banner picture
    QLabel* Logo;
    QLabel* Image4; // behind "Retour au menu principal", at rest
    QLabel* Image5; // behind it, lit
    QLabel* Label2; // "Retour au menu principal"
    std::array<QLabel*, 3> Label1;
    QLabel* Label3;
    QLabel* Image6;
    QLabel* Image7;
    QLabel* Information;
    std::array<IconeBureau*, 11> ImageMenu;

    // Pop-up menus and their entries (object names are the entry names).
    QMenu* MenuCV;
    QAction *MenuNouveauCV, *MenuRattacherCV, *MenuOuvrirCV, *MenuSupprimerCV, *Renommer, *MenuDupliquerCV,
        *MenuConvertirCV, *MenuOuvrirWord, *MenuImprimerCV, *MenuEnvoyerAmi, *MenuEnvoyerRecruteur;
    QMenu* MenuLettre;
    QAction *MenuRedigerLettre, *MenuOuvrirLettre, *MenuDuppliquerLettre, *RenommerLettre, *MenuSupprimerLettre;
    QMenu* MenuCandidature;
    QAction *MenuOuvrirCand, *MenuRechercherOffres, *MenuImprimerListe, *MenuJustificatif, *MenuSupprimer;
    QMenu* MenuItemCand;
    QAction *MenuConsulterInternet, *MenuConsulterOrigine, *MenuPostuler, *MenuImprimerCand, *MenuSupprimerCand;
    QMenu* MenuPhoto;
    QAction *RattacherPhoto, *CollerPhoto, *SupprimerPhoto;
    QMenu* MenuImprimer;
    QAction *PrevisualiserCV, *ImprimerCV, *MessageTrames;
    QMenu* MenuLangues;
    QAction *MenuFrancais, *MenuAnglais;
    QMenu* MenuConvertirWord;
    QAction *MenuConvFWord, *ConsulterWord;
    QList<QMenu*> menus() const;

    // Event handlers.
    void MDIForm_Load();
    void MDIForm_Resize();
    void MDIForm_Activate();
    // False when a child window stays (its user keeps it open): the main window stays too.
    bool MDIForm_Unload();
    void Logo_Click();
    void ImageMenu_Click(int index);
    void ImageMenu_DblClick(int index);
    void ImageMenu_MouseMove(int index);
    void ImageMenu_MouseDown(int index);
    void Image1_MouseMove();
    void Information_MouseMove();
    void Label2_MouseMove();
    void Label2_MouseUp();

    // Enables the entries of an icon's menu by the icon's kind; the menu to pop up.
    QMenu* preparerMenu(int index);

    // Menu handlers. The file commands, photograph, output and applications commands come with
    // their own modules and do nothing until then.
    void MenuNouveauCV_Click();
    void MenuRattacherCV_Click();
    void MenuOuvrirCV_Click();
    void MenuSupprimerCV_Click();
    void Renommer_Click();
    void MenuDupliquerCV_Click();
    void MenuConvertirCV_Click();
    void MenuOuvrirWord_Click();
    void MenuImprimerCV_Click();
    void MenuRedigerLettre_Click();
    void MenuOuvrirLettre_Click();
    void MenuDuppliquerLettre_Click();
    void RenommerLettre_Click();
    void MenuSupprimerLettre_Click();
    void MenuOuvrirCand_Click();
    void MenuRechercherOffres_Click();
    void MenuImprimerListe_Click();
    void MenuJustificatif_Click();
    void MenuSupprimer_Click();
    void MenuConsulterInternet_Click();
    void MenuConsulterOrigine_Click();
    void MenuPostuler_Click();
    void MenuSupprimerCand_Click();
    void SupprimerPhoto_Click();
    void PrevisualiserCV_Click();
    void ImprimerCV_Click();
    void MessageTrames_Click();
    void MenuFrancais_Click();
    void MenuAnglais_Click();
    void MenuConvFWord_Click();
    void ConsulterWord_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void LireFichierCV(const QString& chemin);
    void construireBandeau();
    void construireMenus();
    void placerFenetre(Fenetre* fenetre);
    QLineEdit* champCache(const QString& nom);
    // What the user is to be told of the files of File1's folder that the desktop cannot show,
    // each told once; empty when there is nothing new.
    QString illisiblesADire();

    QTimer* minuterieClic_;
    QSet<QString> illisiblesDits_; // folder/name of the files already told of
    int iconeCliquee_ = -1;
    bool dechargee_ = false;
};

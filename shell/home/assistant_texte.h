#pragma once
// AssistantTexte: the home screen. A child window of the main window's workspace, below the
// banner, showing the menu as ten large labels in one column, a small map of the menu tree
// with its marker, and a shadow strip along its top edge. The highlight bar (Assistant) floats
// over the column; this window's glide timer Timer1 moves it to the label under the mouse.
//
// The captions are the commands (menus_accueil.h). The main menu is the freshly loaded window;
// ChoixCV, ChoixLettre and ChoixCand rewrite the labels as a sub-menu; the way back is a reload.
//
// Timer1 is shared: other windows stop the glide by setting its interval to 0 and restart it
// with 20. While it runs, its tick touches the bar, which loads it again after it was closed.

#include <QPixmap>
#include <QWidget>
#include <array>

#include "shell/home/controle_twips.h"
#include "shell/home/menus_accueil.h"
#include "shell/services/registre_fenetres.h"

class AssistantTexte : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = u"AssistantTexte"_qs;
    // The design width the control positions are given for (twips).
    static constexpr double LargeurConception = 18000;
    // The glide timer's running interval (ms).
    static constexpr int IntervalleGlissement = 20;

    AssistantTexte();
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    void Form_Load() override;

    // Public operations: rebuild the labels as a sub-menu.
    void ChoixCV();
    void ChoixLettre();
    void ChoixCand();

    // Event handlers.
    void Label1_MouseMove(int index);
    void Form_MouseMove();
    void Retour_Click();
    void Timer1_Timer();

    // The window's size and place in twips (of the frame it sits in, in the workspace).
    double Width() const;
    double Height() const;

    // Controls.
    std::array<ControleTwips*, 10> Label1{};
    ControleTwips* Retour;
    std::array<ControleTwips*, 5> Shape2{};
    ControleTwips* Petit;
    ControleTwips* Shape1;
    ControleTwips* ImageOmbre;
    ControleTwips* Image2;
    ControleTwips* Gras;
    std::array<LigneTwips, 12> Line{};
    MinuterieIntervalle* Timer1;

    // Window state.
    double PositionCible = 0;
    int DernierIndex = 0;
    int HautMiniature = 0;

    // The captions of the ten labels (CR LF inside a caption, as the algorithms write them).
    MenusAccueil::Libelles libelles() const;
    QString libelle(int index) const;
    void fixerLibelle(int index, const QString& texte);
    // Writes the counters (label 0): the files of the CV folder (at most five, as the desktop
    // shows them), of the Lettres folder, and the main window's application count.
    void afficherCompteurs();
    // Lifts the shadow strip by 5 twips when its top is above the limit (the main window's
    // banner and icons do it as the mouse passes over them).
    void releverOmbre(int limite);
    // Whether another window of the workspace stands in front of this one (a working window the
    // user left open over the home screen). The glide then stays stopped and the bar away: it
    // would come up over that window, at a caption hidden behind it.
    bool recouverte() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    // A menu label shows its caption whole: in a smaller size when it is narrower than the design.
    void ajusterPolice(int index);
    void construire();
    // Slides the menu column in; false when the window went meanwhile.
    bool glisserColonne();
    void sousMenu(MenusAccueil::SousMenu menu, int boite);
    void redimensionner(double largeur, double hauteur);
    double hautPrincipale() const;

    QPixmap fond_;
    QPixmap fondAjuste_; // the picture at the window's size
};

// Sets the links through which the main window and the working windows reach the home screen
// and the bar.
void installerLiensAccueil();

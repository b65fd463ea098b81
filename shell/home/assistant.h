#pragma once
// Assistant: the highlight bar. A borderless, translucent top-level window floating over the
// home screen's menu column; the home screen's glide timer moves it to the label under the
// mouse. A click carries out the label it is aligned with (its caption is the command) and
// closes the bar; the home screen's next tick brings a new one, beside label 2.
// It is a tool window of the main window, above it and not above the other programs. It never
// takes the focus: it has lost it, and closes, when the main window or the program loses the
// focus or when the user presses anywhere else; checking every second, also once the CV editor
// is shown.

#include <QList>
#include <functional>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include "shell/services/registre_fenetres.h"

class Assistant : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = u"Assistant"_qs;
    static constexpr int Largeur = 7680; // twips
    static constexpr int Hauteur = 1725;
    // The opacity the fade-in ends at (out of 255).
    static constexpr int OpaciteFinale = 81;

    Assistant();
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    // Placed beside the home screen's label 2, then faded in.
    void Form_Load() override;

    // Event handlers.
    void Form_MouseDown();
    // Carries out the aligned label; the bar is gone afterwards.
    void Form_MouseUp();
    void Form_LostFocus();
    void Timer1_Timer();

    // The command of a caption, then the files it names, then the bar closes. Does not need the
    // bar: the command may close it first.
    static void executer(const QString& libelle);

    // Place and size in screen twips.
    double Left() const { return gauche_; }
    double Top() const { return haut_; }
    double Width() const { return largeur_; }
    double Height() const { return hauteur_; }
    void setLeft(double gauche);
    void setTop(double haut);

    // The caption of the label the bar stands on, empty for none.
    QString libelleAligne() const;
    // The opacities of the fade-in, in order.
    const QList<int>& etapesFondu() const { return fondu_; }

    QTimer* Timer1;

protected:
    void paintEvent(QPaintEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void placer();
    // Closes this bar once the current handler is over.
    void fermerPlusTard();
    // Form_LostFocus, once the current handler is over.
    void perdreFocus();
    // Runs the action on this bar once the current handler is over, if it is still the bar.
    void apresLeGestionnaire(std::function<void(Assistant&)> action);

    double gauche_ = 0, haut_ = 0, largeur_ = Largeur, hauteur_ = Hauteur;
    QList<int> fondu_;
    // What of the main window lies beneath the bar, where the desktop composes no translucency.
    void releverDessous();
    QPixmap dessous_;
    bool releveEnAttente_ = false;
};

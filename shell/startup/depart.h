#pragma once
// Depart: the splash. Its load does the whole start-up: the screen check, the data folder made
// ready and made the current directory, the fade-in over the shadow while the picture slides,
// the main window shown, the home screen and the highlight bar loaded; then the shadow and the
// splash close.

#include <QLabel>
#include <QWidget>

#include "shell/services/registre_fenetres.h"

class Depart : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = QStringLiteral("Depart");

    // The program's entry: SIGTERM handled as closing the main window; a second copy on the data
    // folder shows the first one and ends; then the splash's load.
    static void demarrer();

    Depart();
    ~Depart() override;
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    void Form_Load() override;

    // The sliding picture and its left in twips (0 at design, 8120 to the left at the end).
    QLabel* Image1;
    QLabel* Legende;
    int gaucheImage1() const { return gaucheImage1_; }

private:
    void deplacerImage1(int deltaTwips);
    int gaucheImage1_ = 0;
};

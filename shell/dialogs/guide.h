#pragma once
// Guide: the tip balloon. A translucent top-level window that fades in over the main window,
// shows one short text for about five seconds and fades out. Windows ask for it with
// Fonctionnel::AfficherGuide(texte) (afficher_guide.h); it shows only while one of the working
// windows (letter editor, CV editor, register) is shown.

#include <QLabel>
#include <QWidget>
#include <functional>

#include "shell/services/registre_fenetres.h"

class Guide : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = QStringLiteral("Guide");
    // The balloon's size in twips.
    static constexpr int Largeur = 6000;
    static constexpr int Hauteur = 2700;
    // The tip's design size, and the size of a tip longer than 100 characters (points).
    static constexpr double TaillePolice = 11;
    static constexpr double TaillePoliceLongue = 10;

    Guide();
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    // The whole show: placement, fade-in, hold, fade-out; returns when the balloon has faded out.
    void Form_Load() override;

    QLabel* Label1;

    // Ends the program when the main window went away during the hold; tests replace it.
    static inline std::function<void()> finProgramme;

protected:
    void paintEvent(QPaintEvent* e) override;
};

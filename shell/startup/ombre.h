#pragma once
// Ombre: the splash's shadow, a black borderless window kept behind the splash, 30 twips
// beyond each of its edges, faded in with it.

#include <QWidget>

#include "shell/services/registre_fenetres.h"

class Ombre : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = QStringLiteral("Ombre");
    Ombre();
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    // Hidden, sent behind every other window, made translucent at opacity 1.
    void Form_Load() override;
};

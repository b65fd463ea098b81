#pragma once
// Aide: the help panel, a child window of the main window that the CV editor fills and places
// (Titre, Info).

#include <QLabel>
#include <QWidget>

#include "shell/controls/bouton_kvl.h"
#include "shell/services/registre_fenetres.h"

class Aide : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = QStringLiteral("Aide");
    Aide();
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    void Form_Load() override {}

    NouveauCadre* CadreAide;
    QLabel* Titre;
    QLabel* Info;
    QLabel* Label2; // the information sign

protected:
    void resizeEvent(QResizeEvent* e) override;
};

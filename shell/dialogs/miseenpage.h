#pragma once
// MiseEnPage: the page set-up advice for printing the CV, a child window of the main window.
// It opens the preview browser's page set-up and its print preview.

#include <QLabel>
#include <QWidget>
#include <array>

#include "shell/controls/bouton_kvl.h"
#include "shell/services/registre_fenetres.h"

class MiseEnPage : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = QStringLiteral("MiseEnPage");
    static constexpr int Largeur = 6600; // twips
    static constexpr int Hauteur = 3900;

    MiseEnPage();
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    // Centred across the main window, 1000 twips above its middle.
    void Form_Load() override;

    void BoutonKVL1_Click();
    void BoutonKVL2_Click();
    void BoutonKVL3_Click();

    CadreBleu* CadreBleu1;
    std::array<QLabel*, 2> Label1;
    BoutonKVL *BoutonKVL1, *BoutonKVL2, *BoutonKVL3;
};

// Places a child dialog of the main window: centred across it, 1000 twips above its middle.
void placerDialogue(QWidget* dialogue);

#pragma once
// APropos: the about box, a top-level window opened from the main window's logo. It stays until
// its "Ok" button closes it, also after the main window has closed.

#include <QLabel>
#include <QWidget>
#include <array>

#include "shell/controls/bouton_kvl.h"
#include "shell/services/registre_fenetres.h"

class APropos : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = QStringLiteral("APropos");
    static constexpr int Largeur = 6000; // twips
    static constexpr int Hauteur = 4350;

    APropos();
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    // Placed by the home screen (its rule Shape1 and its heading Label1(1)); centred on the main
    // window when the home screen does not give its place.
    void Form_Load() override;
    void BoutonKVL1_Click();

    CadreBleu* CadreBleu1;
    BoutonKVL* BoutonKVL1;
    QWidget* Shape1;
    std::array<QLabel*, 5> Label1;
};

#pragma once
// FormConvert: the conversion of the CV into a word-processor document, a child window of the
// main window. It tells which program opens ".doc" files and when the last copy was made, and
// starts the conversion.

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>

#include "shell/controls/bouton_kvl.h"
#include "shell/services/registre_fenetres.h"

// A label that reports clicks and double-clicks.
class EtiquetteCliquable : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clic();
    void doubleClic();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};

class FormConvert : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = QStringLiteral("FormConvert");
    static constexpr int Largeur = 7200; // twips
    static constexpr int Hauteur = 5400;

    FormConvert();
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    // Placed like MiseEnPage; computes the Word copy's path and the texts once.
    void Form_Load() override;

    void BoutonKVL1_Click(); // Fermer
    void BoutonKVL2_Click(); // Convertir
    void BoutonKVL3_Click(); // Ouvrir (the rendered page)
    void Info_DblClick();
    void Label2_Click();

    QString FichierWord; // the Word copy of the CV
    CadreBleu* CadreBleu1;
    std::array<QLabel*, 5> Label1; // the fixed texts
    QLineEdit* Text1;             // the program associated with ".doc" files
    EtiquetteCliquable* Info;     // the last copy and its date
    EtiquetteCliquable* Label2;   // opens the documents folder
    BoutonKVL *BoutonKVL1, *BoutonKVL2, *BoutonKVL3;
};

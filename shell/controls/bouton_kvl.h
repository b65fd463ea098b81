#pragma once
// BoutonKVL: the program's push button. Its body is drawn from colour strips; it lights up in
// orange under the pointer and fades back to blue in three 200 ms steps; a symbol may stand left
// of its caption ("Ok" a green tick, "Annuler" a red cross, "Nouve..." a new-page mark).
//
// Usage in a window:
//     auto* b = new BoutonKVL(u"Valider"_qs, QRect(120, 3000, 1215, 300), this); // twips
//     connect(b, &BoutonKVL::Click, this, &MaFenetre::BoutonKVL1_Click);
//     b->setLibelle(u"Envoyer"_qs);   // the caption and its orange copy; the symbol stays
// The caption and symbol rules run when the stored layout is read (the constructor above, or
// UserControl_ReadProperties); the geometry rules run on every resize. Sizes are in twips
// (15 per pixel); the button is at least 60 twips wide.
//
// Click is raised from inside the mouse-up handling: while the handler runs, the button shows its
// orange caption and the hourglass. The handler may close the button's window: the button then
// returns at once without touching itself. Tab reaches the button (a click leaves the focus where
// it is) and Space or Enter presses it as the mouse does.

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QVariantMap>
#include <QWidget>

#include "shell/controls/dessins.h"

namespace Webdings {
// The character the symbol font draws for a letter, as a Unicode symbol ("a" a tick, "r" a cross,
// "4" a right-pointing triangle...); other characters are given back as they are.
QString versUnicode(const QString& texte);
} // namespace Webdings

class BoutonKVL : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Libelle READ Libelle WRITE setLibelle NOTIFY libelleModifie)

public:
    using Etape = Dessins::Etape;

    explicit BoutonKVL(QWidget* parent = nullptr);
    // A button placed at a rectangle given in twips (left, top, width, height), whose stored caption
    // is libelle.
    BoutonKVL(const QString& libelle, const QRect& twips, QWidget* parent);

    // Moves and sizes the button (twips) and lays it out at once, shown or not.
    void placer(const QRect& twips);

    // The caption (Label1's); setting it changes Label1 and its orange copy Label3 only.
    QString Libelle() const { return libelle_; }
    void setLibelle(const QString& libelle);

    // Reading the stored layout: caption under "Libelle" (empty by default), then the symbol rules.
    void UserControl_ReadProperties(const QVariantMap& proprietes);
    // Writing it: the caption under "Libelle"; the empty caption is the default and is not written.
    QVariantMap UserControl_WriteProperties() const;

    // The fade clock's tick: Bleuo -> Bleu, BleuOO -> Bleuo, Orange -> BleuOO, one step per tick.
    void Timer1_Timer();

    // State, as the parts hold it.
    Etape etape() const { return etape_; }            // the current picture of the body (Image3)
    int hautLibelle() const { return hautLabel1_; }   // Label1's top in twips: 45, 60 pressed, 90 symbol
    bool modeSymbole() const { return modeSymbole_; } // a one-character caption drawn as a symbol
    QString symbole() const { return symbole_; }      // Label2's caption ("a", "r", "2" or empty)
    QColor couleurSymbole() const { return couleurSymbole_; }
    bool symboleVisible() const;
    bool enClic() const { return enClic_; } // the orange copy shows while Click is handled

    // Its pieces: Label1 the caption (the only one that reacts to the mouse), Label3 its orange copy,
    // Label2 the symbol, Timer1 the fade clock.
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QTimer* Timer1;

signals:
    void Click();
    void Mousemouve();
    void libelleModifie();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void UserControl_Resize();
    void Label1_MouseMove();
    void Label1_MouseDown();
    void Label1_MouseUp();
    void fixerEtape(Etape e);
    void placerLibelle();
    void afficherLibelle();
    // The width in twips: the one the window gave, until the button is sized to other pixels.
    int largeurTwips() const;

    QString libelle_;
    int largeurTwips_ = 1200;
    Etape etape_ = Etape::Bleu;
    int hautLabel1_ = 45;
    int hautLabel1Design_ = 225;
    bool modeSymbole_ = false;
    bool enClic_ = false;
    bool redimensionnement_ = false;
    QString symbole_;
    QColor couleurSymbole_{68, 100, 140};
};

// CadreBleu: a framed panel with a green title. Other controls are laid over it by their window.
//     auto* c = new CadreBleu(u"Coordonnées"_qs, QRect(120, 120, 4500, 2400), this); // twips
// At least 100 twips wide and 80 high.
class CadreBleu : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY texteModifie)
public:
    explicit CadreBleu(QWidget* parent = nullptr);
    // A panel placed at a rectangle given in twips.
    CadreBleu(const QString& titre, const QRect& twips, QWidget* parent);

    // Moves and sizes the panel (twips) and lays it out at once, shown or not.
    void placer(const QRect& twips);

    QString Text() const;
    void setText(const QString& titre);
    // Stored layout: the title under "Text", empty by default.
    void UserControl_ReadProperties(const QVariantMap& proprietes);
    QVariantMap UserControl_WriteProperties() const;

    QLabel* Libelle; // the title

signals:
    void texteModifie();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void UserControl_Resize();
};

// NouveauCadre: a framed panel with a blue header strip; it only lays itself out.
// At least 75 twips wide and 15 high.
class NouveauCadre : public QWidget {
    Q_OBJECT
public:
    explicit NouveauCadre(QWidget* parent = nullptr);
    // A panel placed at a rectangle given in twips.
    NouveauCadre(const QRect& twips, QWidget* parent);

    // Moves and sizes the panel (twips) and lays it out at once, shown or not.
    void placer(const QRect& twips);

    // The background picture's place below the header, in twips.
    QRect rectFond() const;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void UserControl_Resize();
    int hauteurFond_ = 1650; // twips; kept when the panel is too short for a new one
};

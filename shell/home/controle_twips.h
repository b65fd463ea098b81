#pragma once
// A control of the home screen placed in twips, as designed: its Left and Top are kept as
// floating values (the slide-in and the centring move them by fractions), the widget follows
// at the nearest pixel. Moving the mouse over it or clicking it raises a signal.

#include <QLabel>

class ControleTwips : public QLabel {
    Q_OBJECT
public:
    ControleTwips(QWidget* parent, const QString& nom, double gauche, double haut, double largeur, double hauteur);

    double Left() const { return gauche_; }
    double Top() const { return haut_; }
    double Width() const { return largeur_; }
    double Height() const { return hauteur_; }
    void setLeft(double gauche);
    void setTop(double haut);
    void setWidth(double largeur);
    void setHeight(double hauteur);

signals:
    void survol();
    void clic();

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void placer();
    double gauche_, haut_, largeur_, hauteur_;
};

// A line of the mini-map, in twips; drawn by the window.
struct LigneTwips {
    double X1, Y1, X2, Y2;
};

// A timer as the windows share it: an interval of 0 stops it, any other interval runs it.
class MinuterieIntervalle : public QObject {
    Q_OBJECT
public:
    explicit MinuterieIntervalle(QObject* parent);
    int Interval() const { return intervalle_; }
    void setInterval(int ms);
    bool actif() const;

signals:
    void Timer();

private:
    class QTimer* minuterie_;
    int intervalle_ = 0;
};

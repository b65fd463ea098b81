#include "shell/home/controle_twips.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QTimer>
#include <cmath>

#include "shell/services/twips.h"

ControleTwips::ControleTwips(QWidget* parent, const QString& nom, double gauche, double haut, double largeur,
                             double hauteur)
    : QLabel(parent), gauche_(gauche), haut_(haut), largeur_(largeur), hauteur_(hauteur)
{
    setObjectName(nom);
    setMouseTracking(true);
    placer();
}

void ControleTwips::setLeft(double gauche)
{
    gauche_ = gauche;
    placer();
}
void ControleTwips::setTop(double haut)
{
    haut_ = haut;
    placer();
}
void ControleTwips::setWidth(double largeur)
{
    largeur_ = largeur;
    placer();
}
void ControleTwips::setHeight(double hauteur)
{
    hauteur_ = hauteur;
    placer();
}

void ControleTwips::placer()
{
    const int x = Twips::versPixels(gauche_);
    const int y = Twips::versPixels(haut_);
    setGeometry(x, y, std::max(1, Twips::versPixels(gauche_ + largeur_) - x),
                std::max(1, Twips::versPixels(haut_ + hauteur_) - y));
}

void ControleTwips::mouseMoveEvent(QMouseEvent* e)
{
    // A control that answers the mouse keeps the move; the others leave it to the window.
    if (isSignalConnected(QMetaMethod::fromSignal(&ControleTwips::survol))) {
        emit survol();
        e->accept();
        return;
    }
    QLabel::mouseMoveEvent(e);
}

void ControleTwips::mouseReleaseEvent(QMouseEvent* e)
{
    QLabel::mouseReleaseEvent(e);
    if (rect().contains(e->position().toPoint()))
        emit clic();
}

MinuterieIntervalle::MinuterieIntervalle(QObject* parent) : QObject(parent), minuterie_(new QTimer(this))
{
    connect(minuterie_, &QTimer::timeout, this, &MinuterieIntervalle::Timer);
}

void MinuterieIntervalle::setInterval(int ms)
{
    ms = std::max(0, ms);
    // The same interval again leaves a running timer's count as it is.
    if (ms == intervalle_ && (ms == 0 || minuterie_->isActive()))
        return;
    intervalle_ = ms;
    if (intervalle_ == 0)
        minuterie_->stop();
    else
        minuterie_->start(intervalle_);
}

bool MinuterieIntervalle::actif() const { return minuterie_->isActive(); }

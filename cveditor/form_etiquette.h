#pragma once
// A label or picture that reports clicks and pointer moves, as the CV window's captions,
// pictures and swatches do.

#include <QLabel>
#include <QMouseEvent>

class Etiquette : public QLabel {
    Q_OBJECT
public:
    explicit Etiquette(const QString& texte = {}, QWidget* parent = nullptr) : QLabel(texte, parent)
    {
        setMouseTracking(true);
    }

signals:
    void clic();
    void survol(QPoint position);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QLabel::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            emit clic();
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        QLabel::mouseMoveEvent(e);
        emit survol(e->position().toPoint());
    }
};

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
    // The move is this control's own: it does not go on to the panel under it (whose own move
    // handler, in the CV editor, closes the help pop-up that this move may just have opened).
    void mouseMoveEvent(QMouseEvent* e) override
    {
        QLabel::mouseMoveEvent(e);
        e->accept();
        emit survol(e->position().toPoint());
    }
};

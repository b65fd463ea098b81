#pragma once
// A box's leaving handler runs only when the user moves the focus out of it: never when code sets
// its text, nor when another window or a pop-up takes the focus, nor when code hides the box (or
// the panel that holds it) and the focus moves on by itself.

#include <QEvent>
#include <QFocusEvent>
#include <QMap>
#include <QObject>
#include <QWidget>
#include <functional>

class PertesFocus : public QObject {
public:
    explicit PertesFocus(QObject* parent) : QObject(parent) {}

    void relier(QWidget* boite, std::function<void()> gestionnaire)
    {
        boite->installEventFilter(this);
        gestionnaires_.insert(boite, std::move(gestionnaire));
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::FocusOut) {
            const auto raison = static_cast<QFocusEvent*>(evenement)->reason();
            const auto* boite = qobject_cast<QWidget*>(objet);
            const bool cachee = boite && !boite->isVisible();
            if (raison != Qt::ActiveWindowFocusReason && raison != Qt::PopupFocusReason && !cachee) {
                const auto it = gestionnaires_.constFind(objet);
                if (it != gestionnaires_.cend()) {
                    const auto gestionnaire = it.value(); // the handler may rewire the boxes
                    gestionnaire();
                }
            }
        }
        return false;
    }

private:
    QMap<QObject*, std::function<void()>> gestionnaires_;
};

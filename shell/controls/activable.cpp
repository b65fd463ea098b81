#include "shell/controls/activable.h"

#include <QEvent>
#include <QFocusFrame>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

namespace {

// The focus frame of one control: shown while it has the focus.
class SuiviFocus : public QObject {
public:
    explicit SuiviFocus(QWidget* controle) : QObject(controle), controle_(controle) {}

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        if (objet == controle_ && e->type() == QEvent::FocusIn) {
            // A label that shows nothing (an empty slot of a list) is passed by, on in the
            // direction Tab was going (forward when the focus came otherwise, as when its window
            // opens).
            const auto raison = static_cast<QFocusEvent*>(e)->reason();
            const auto* libelle = qobject_cast<QLabel*>(controle_);
            if (libelle && libelle->text().isEmpty() && libelle->pixmap().isNull() && raison != Qt::MouseFocusReason) {
                const bool retour = raison == Qt::BacktabFocusReason;
                QWidget* c = controle_;
                QTimer::singleShot(0, c, [c, retour] {
                    if (!c->hasFocus())
                        return;
                    QKeyEvent tab(QEvent::KeyPress, retour ? Qt::Key_Backtab : Qt::Key_Tab,
                                  retour ? Qt::ShiftModifier : Qt::NoModifier);
                    QCoreApplication::sendEvent(c, &tab);
                });
                return false;
            }
            if (!cadre_ && controle_->parentWidget())
                cadre_ = new QFocusFrame(controle_->parentWidget());
            if (cadre_)
                cadre_->setWidget(controle_);
        } else if (objet == controle_ && e->type() == QEvent::FocusOut && cadre_) {
            cadre_->setWidget(nullptr);
            cadre_->hide();
        }
        return false;
    }

private:
    QWidget* controle_;
    QPointer<QFocusFrame> cadre_;
};

class Action : public QObject {
public:
    Action(QWidget* controle, std::function<void()> action) : QObject(controle), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (!Activable::estToucheAction(e))
            return false;
        e->accept();
        // The action may close the control's window: nothing of this object is touched after it.
        const auto action = action_;
        action();
        return true;
    }

private:
    std::function<void()> action_;
};

} // namespace

namespace Activable {

bool estToucheAction(const QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    const auto* k = static_cast<const QKeyEvent*>(e);
    const Qt::KeyboardModifiers autres = k->modifiers() & ~Qt::KeypadModifier;
    return autres == Qt::NoModifier &&
           (k->key() == Qt::Key_Space || k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter);
}

void suivreFocus(QWidget* controle)
{
    controle->installEventFilter(new SuiviFocus(controle));
}

void rendre(QWidget* controle, std::function<void()> action)
{
    controle->setFocusPolicy(Qt::TabFocus);
    suivreFocus(controle);
    controle->installEventFilter(new Action(controle, std::move(action)));
}

} // namespace Activable

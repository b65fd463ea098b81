#include "shell/services/registre_fenetres.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

// Watches the program's top-level windows: one that goes while it has the activation may leave
// the program without an active window (where no window manager gives the activation back, the
// keys then reach no box), so once it is gone and no window of ours is active, the activation is
// handed back.
class GardienActivation : public QObject {
public:
    explicit GardienActivation(std::function<void()>* retour) : retour_(retour) {}

    // The window is about to go: when it has the activation, it is handed back once it has gone.
    void surDepart(const QObject* fenetre)
    {
        if (!fenetre || fenetre != QApplication::activeWindow())
            return;
        // The desktop may tell that the window lost the activation only later: a window still
        // said active but no longer shown counts as gone.
        QTimer::singleShot(0, this, [this] {
            const QWidget* actif = QApplication::activeWindow();
            if (*retour_ && (!actif || !actif->isVisible()))
                (*retour_)();
        });
    }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        if (e->type() == QEvent::Close || e->type() == QEvent::Hide)
            surDepart(objet);
        return false;
    }

private:
    std::function<void()>* retour_;
};

RegistreFenetres& RegistreFenetres::instance()
{
    static RegistreFenetres r;
    return r;
}

void RegistreFenetres::nettoyer() const
{
    entrees_.removeIf([](const Entree& e) { return e.widget.isNull(); });
}

QWidget* RegistreFenetres::trouver(const QString& nom) const
{
    Fenetre* f = trouverFenetre(nom);
    return f ? f->widget() : nullptr;
}

Fenetre* RegistreFenetres::trouverFenetre(const QString& nom) const
{
    nettoyer();
    for (const Entree& e : entrees_)
        if (e.nom == nom)
            return e.fenetre;
    return nullptr;
}

QList<Fenetre*> RegistreFenetres::fenetres() const
{
    nettoyer();
    QList<Fenetre*> l;
    for (const Entree& e : entrees_)
        l << e.fenetre;
    return l;
}

void RegistreFenetres::enregistrer(Fenetre* f)
{
    nettoyer();
    entrees_.append({f->nomConception(), f, QPointer<QWidget>(f->widget())});
    surveillerActivation(f->widget());
}

void RegistreFenetres::surveillerActivation(QWidget* fenetre)
{
    // Every window is watched, as it may stay top-level; a child window of the workspace never is
    // the active window itself (its workspace hands the activation back among its windows).
    if (!fenetre)
        return;
    if (!gardien_)
        gardien_ = new GardienActivation(&retourActivation_);
    fenetre->installEventFilter(gardien_);
}

void RegistreFenetres::decharger(const QString& nom)
{
    nettoyer();
    for (int i = 0; i < entrees_.size(); ++i) {
        if (entrees_[i].nom == nom) {
            QPointer<QWidget> w = entrees_[i].widget;
            entrees_.removeAt(i);
            if (w && gardien_)
                gardien_->surDepart(w.data());
            if (w) {
                // A child window sits in a frame of the workspace: destroy the frame too.
                QWidget* cadre = w->parentWidget();
                if (cadre && cadre->inherits("QMdiSubWindow"))
                    delete cadre;
                else
                    delete w.data();
            }
            return;
        }
    }
}

void RegistreFenetres::toutDecharger()
{
    nettoyer();
    while (!entrees_.isEmpty())
        decharger(entrees_.last().nom);
}

#include "shell/services/registre_fenetres.h"

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
}

void RegistreFenetres::decharger(const QString& nom)
{
    nettoyer();
    for (int i = 0; i < entrees_.size(); ++i) {
        if (entrees_[i].nom == nom) {
            QPointer<QWidget> w = entrees_[i].widget;
            entrees_.removeAt(i);
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

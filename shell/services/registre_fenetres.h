#pragma once
// Every window of the program exists at most once. Touching a window through the registry
// loads it first (constructs it and runs its load handler); unloading destroys it.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class GardienActivation;

// What a window of the program offers the registry.
class Fenetre {
public:
    virtual ~Fenetre() = default;
    // The window's design name ("Principale", "FormRédigerCV", ...).
    virtual QString nomConception() const = 0;
    // The load handler, run once right after the window is registered.
    virtual void Form_Load() {}
    virtual QWidget* widget() = 0;
};

class RegistreFenetres {
public:
    static RegistreFenetres& instance();

    // The loaded window of that design name, or null; never loads.
    QWidget* trouver(const QString& nom) const;
    Fenetre* trouverFenetre(const QString& nom) const;
    // Loaded windows in load order.
    QList<Fenetre*> fenetres() const;

    // The window of type T (which has a static NomConception), loaded on first touch.
    template <class T>
    T& fenetre()
    {
        if (Fenetre* f = trouverFenetre(T::NomConception))
            return *static_cast<T*>(f);
        T* nouvelle = new T();
        enregistrer(nouvelle);
        if (placement_)
            placement_(nouvelle);
        nouvelle->Form_Load();
        return *nouvelle;
    }
    template <class T>
    T* siChargee() const
    {
        return static_cast<T*>(trouverFenetre(T::NomConception));
    }
    template <class T>
    bool estChargee() const
    {
        return trouverFenetre(T::NomConception) != nullptr;
    }

    // Registers a window constructed elsewhere (the main window at start-up).
    void enregistrer(Fenetre* f);
    // Unloads: the window is destroyed and leaves the registry.
    void decharger(const QString& nom);
    void toutDecharger();

    // Where a newly loaded window is placed before its load handler runs (the main window
    // puts its child windows into its workspace).
    void fixerPlacement(std::function<void(Fenetre*)> placement) { placement_ = std::move(placement); }
    // What gives the activation back when a top-level window of the program closes or hides
    // while it has it (the main window activates itself).
    void fixerRetourActivation(std::function<void()> retour) { retourActivation_ = std::move(retour); }

private:
    struct Entree {
        QString nom;
        Fenetre* fenetre;
        QPointer<QWidget> widget;
    };
    void nettoyer() const;
    void surveillerActivation(QWidget* fenetre);
    mutable QList<Entree> entrees_;
    std::function<void(Fenetre*)> placement_;
    std::function<void()> retourActivation_;
    GardienActivation* gardien_ = nullptr;
};

// Shorthand: the window of type T, loaded on first touch.
template <class T>
T& Forme()
{
    return RegistreFenetres::instance().fenetre<T>();
}

#pragma once
// How the shell reaches windows that come with their own modules (the home screen, the highlight
// bar, the editors, the register window). Each link is set by its window's module when it is
// built in; an unset link does nothing. Unloading needs no link: the registry unloads by name.

#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

struct LiensFenetres {
    // Loads the home screen AssistantTexte (shown, sized, its glide running).
    static inline std::function<void()> chargerAccueil;
    // Loads the highlight bar Assistant.
    static inline std::function<void()> chargerBarre;
    // Stops the home screen's glide (its timer's interval becomes 0).
    static inline std::function<void()> arreterGlissementAccueil;
    // Restarts the home screen's glide (its timer's interval becomes 20).
    static inline std::function<void()> relancerGlissementAccueil;
    // Rewrites the counters of a loaded home screen from the desktop's folders.
    static inline std::function<void()> actualiserCompteursAccueil;
    // Lifts the home screen's shadow strip ImageOmbre by 5 twips when its top is above the limit.
    static inline std::function<void(int limite)> releverOmbreAccueil;
    // Loads the register window FormCand and brings it to the front.
    static inline std::function<void()> ouvrirRegistre;
    // FormRédigerCV.ChargerFichierCV, FormLettre.ChargerFichierLettre, FormLettre.NouvelleLettre.
    static inline std::function<void(const QString& chemin)> chargerFichierCV;
    static inline std::function<void(const QString& chemin)> chargerFichierLettre;
    static inline std::function<void()> nouvelleLettre;
    // FormLettre.CederPlace on a loaded letter editor: true when nothing typed is left unsaved
    // or the user lets it go (true when no editor is loaded, or the link is unset).
    static inline std::function<bool(const QString& commande)> cederEditeurLettre;
    // The CV editor's language field LangueCV ("0" French, "1" English).
    static inline std::function<void(const QString& langue)> fixerLangueCV;
    // Shows the CV conversion dialog FormConvert (not modal).
    static inline std::function<void()> afficherConversion;
    // Where the about box anchors, in twips: the home screen's Shape1 left and Label1(1) top.
    static inline std::function<std::optional<QPoint>()> ancrageAPropos;

    template <class F, class... A>
    static void appeler(const F& lien, A&&... arguments)
    {
        if (lien)
            lien(std::forward<A>(arguments)...);
    }
};

// A window of the program that stays top-level (splash, shadow, highlight bar, tip balloon,
// statistics, about box) is marked so before it is loaded through the registry; every other
// window goes into the main window's workspace.
inline void marquerFenetreSuperieure(QWidget* fenetre)
{
    fenetre->setProperty("kervalFenetreSuperieure", true);
}
inline bool estFenetreSuperieure(const QWidget* fenetre)
{
    return fenetre->property("kervalFenetreSuperieure").toBool();
}

// A pop-up of the workspace (the help panel) is marked so before it is loaded: it shows without
// a frame and never takes the activation from the window under it.
inline void marquerBulle(QWidget* fenetre) { fenetre->setProperty("kervalBulle", true); }
inline bool estBulle(const QWidget* fenetre) { return fenetre->property("kervalBulle").toBool(); }

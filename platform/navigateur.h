#pragma once
// The embedded web browser that windows show pages in: the CV preview, the register's web panel,
// the sending window. Page queries are answered by the page asynchronously; these calls wait for
// the answer (pumping events, within a time limit) so that callers read as plain statements.

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QPrinter;

// One element of a page, as its element collection lists it in document order.
struct ElementPage {
    QString balise;                // tag name, upper case ("INPUT", "P")
    std::optional<QString> nom;    // the name attribute; nothing when the element has none
    std::optional<QString> id;     // the id attribute; nothing when the element has none
    std::optional<QString> valeur; // the value property; nothing for an element without one (a paragraph)
};

// Ready states of a page, as callers compare them.
namespace EtatPage {
constexpr int NonInitialise = 0;
constexpr int Chargement = 1;
constexpr int Complet = 4;
} // namespace EtatPage

class Navigateur : public QWidget {
    Q_OBJECT
public:
    explicit Navigateur(QWidget* parent = nullptr) : QWidget(parent) {}

    // A web address, a local file path or "about:blank". A path that names an existing file is
    // shown as that file; other texts are read the way an address bar reads them.
    virtual void Navigate(const QString& adresse) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    // The address shown; "about:blank" while nothing has been shown.
    virtual QString LocationURL() = 0;
    // EtatPage::Complet once the last page asked for has finished loading (or failed to).
    virtual int ReadyState() = 0;

    // The page's body text (CR LF line ends) and HTML; empty when the page has no body or does not
    // answer in time.
    virtual QString innerText() = 0;
    virtual QString innerHTML() = 0;
    // The page's elements in document order (position 0 first).
    virtual QList<ElementPage> elements() = 0;
    // The element at a position; nothing past the last one, without a page, or without an answer.
    virtual std::optional<ElementPage> element(int position) = 0;
    // The first element holding that name.
    virtual std::optional<ElementPage> elementNomme(const QString& nom) = 0;
    // Writes an element's value; false when there is no such element or it has no value.
    virtual bool fixerValeur(int position, const QString& valeur) = 0;
    virtual bool fixerValeurNommee(const QString& nom, const QString& valeur) = 0;
    // The text selected in the page (CR LF line ends), empty when nothing is.
    virtual QString selection() = 0;
    // The browser's own editing actions: select the whole page, copy the selection.
    virtual void toutSelectionner() = 0;
    virtual void copier() = 0;

    // Printing: the print dialog, then the page; the print preview dialog; the page set-up
    // dialog whose choices the next prints use.
    virtual void imprimer() = 0;
    virtual void apercuAvantImpression() = 0;
    virtual void miseEnPage() = 0;
    // Prints the page on a printer already set up; false on failure. A PDF file is written by the
    // browser itself and keeps the page's text and fonts; a printer gets the page drawn.
    virtual bool imprimerSur(QPrinter& imprimante) = 0;

    // Lets the page's own scripts run (on by default). Pages still answer queries when off.
    virtual void fixerScriptsPage(bool actifs) = 0;
    // Lets the page lead the browser to other pages: a link followed, a refresh or a script that
    // sends it elsewhere, a form sent, a new window the user opens by a click (on by default). Off,
    // the browser shows only the pages asked for through Navigate, GoBack, GoForward and Refresh.
    // A page never opens a new window by itself.
    virtual void fixerNavigationParLaPage(bool permise) = 0;
    // Lets a local page read other local files: its pictures, style sheets and frames, and what its
    // scripts ask for (off by default). Off, a page opened from the disk shows none of the user's
    // files and cannot hand them to a capture; its links still lead to other pages.
    virtual void fixerFichiersLocaux(bool permis) = 0;
    // The longest wait for the page's answer to a query, in milliseconds.
    void fixerDelaiReponse(int ms) { delaiReponse_ = ms; }
    int delaiReponse() const { return delaiReponse_; }

    // Creates the browser of this desktop (or the one tests installed) as a child of parent.
    static Navigateur* creer(QWidget* parent = nullptr);
    using Fabrique = std::function<Navigateur*(QWidget*)>;
    // Replaces the way browsers are created; an empty function puts back the real one.
    static void fixerFabrique(Fabrique fabrique);
    // Readies a top-level window for the browsers that will come into it, before it first shows.
    // The desktop's window of a window that gets its first browser later is made anew for the
    // browser's drawing, and the program then loses the activation and the state of the pointer
    // (a button held, every later move going to the control pressed).
    static void preparerFenetre(QWidget* fenetre);

signals:
    // A page or one of its frames has finished loading; principal is false for a frame.
    void DocumentComplete(const QString& adresse, bool principal);

protected:
    int delaiReponse_ = 5000;
};

// The address of a local file as the browser shows it.
QString adresseFichier(const QString& chemin);

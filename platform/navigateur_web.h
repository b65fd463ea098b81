#pragma once
// The browser of this desktop: a web view whose queries run in a JavaScript world of their own,
// apart from the page's scripts, so that they work while the page's scripts are switched off.

#include <QPointer>
#include <QVariant>
#include <QUrl>
#include <memory>
#include <optional>

#include "platform/navigateur.h"

class QPrinter;
class QWebEngineView;
class PageKerval;

class NavigateurWeb final : public Navigateur {
    Q_OBJECT
public:
    explicit NavigateurWeb(QWidget* parent = nullptr);
    ~NavigateurWeb() override;

    void Navigate(const QString& adresse) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    QString LocationURL() override;
    int ReadyState() override;

    QString innerText() override;
    QString innerHTML() override;
    QList<ElementPage> elements() override;
    std::optional<ElementPage> element(int position) override;
    std::optional<ElementPage> elementNomme(const QString& nom) override;
    bool fixerValeur(int position, const QString& valeur) override;
    bool fixerValeurNommee(const QString& nom, const QString& valeur) override;
    QString selection() override;
    void toutSelectionner() override;
    void copier() override;

    void imprimer() override;
    void apercuAvantImpression() override;
    void miseEnPage() override;
    bool imprimerSur(QPrinter& imprimante) override;

    void fixerScriptsPage(bool actifs) override;

    QWebEngineView* vue() const { return vue_; }

private:
    // Runs the script in the queries' world and waits for its answer; nothing on timeout.
    std::optional<QVariant> interroger(const QString& script);
    void signalerCadre(const QString& adresse);
    void noterDemande(const QUrl& url, bool contenuDonne = false);

    QWebEngineView* vue_;
    PageKerval* page_;
    std::unique_ptr<QPrinter> imprimante_;
    int etat_ = EtatPage::NonInitialise;
    // The page asked for last and the one before it, and whether a load started since the last.
    QUrl demandee_;
    QUrl precedente_;
    bool demarreeDepuisDemande_ = false;
    // Set when the end of a replaced page was taken as the end of the page asked for: the
    // address shown until the next request or load.
    std::optional<QUrl> finRemplacee_;
    // The address of the local page last given to the engine whole (empty for an address).
    QUrl contenuDonne_;
    QString jeton_; // marks the frame-load notices of our own script

    friend class PageKerval;
};

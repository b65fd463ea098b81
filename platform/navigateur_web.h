#pragma once
// The browser of this desktop: a web view whose queries run in a JavaScript world of their own,
// apart from the page's scripts, so that they work while the page's scripts are switched off.

#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <memory>
#include <optional>

#include "platform/navigateur.h"

class QPrinter;
class QWebEngineView;
class PageKerval;
class GardeFichiersLocaux;

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
    void fixerNavigationParLaPage(bool permise) override;
    void fixerFichiersLocaux(bool permis) override;

    QWebEngineView* vue() const { return vue_; }

private:
    // Runs the script in the queries' world and waits for its answer; nothing on timeout.
    std::optional<QVariant> interroger(const QString& script);
    void signalerCadre(const QString& adresse);
    // A page asked for: an address, or a local page given whole with the charset its bytes show.
    struct Demande {
        QUrl adresse;
        std::optional<QByteArray> octets;
    };
    void demander(Demande demande);
    void demanderEnAttente();
    void debutChargement();
    void finChargement(bool reussi);
    // The program asks for a page: what was waited for before is forgotten.
    void oublierRefusees();
    // The page drawn on the printer (or into the print preview), as the engine renders it.
    bool dessinerSur(QPrinter& imprimante);
    // The page written as a PDF file by the engine, text and fonts kept.
    bool ecrirePdf(const QPrinter& imprimante);

    QWebEngineView* vue_;
    GardeFichiersLocaux* garde_;
    PageKerval* page_;
    std::unique_ptr<QPrinter> imprimante_;
    int etat_ = EtatPage::NonInitialise;
    bool enCours_ = false; // a load has started and not yet finished
    // The page asked for while another load was on its way, asked for once that one ends.
    std::optional<Demande> enAttente_;
    QUrl demandee_; // the page last given to the engine
    QUrl echouee_;  // set when that page could not be reached: the address shown
    QTimer limiteAttente_; // a load that never ends does not hold the page back for long
    QString jeton_; // marks the frame-load notices of our own script
    bool navigationParLaPage_ = true;
    // The pages the page asked for and was refused, whose loads are yet to start, then to end.
    QList<QUrl> refusees_;
    QList<QUrl> ignorees_;

    friend class PageKerval;
};

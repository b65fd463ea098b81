#pragma once
// A browser for window tests: pages are given as texts and element lists, navigation and the
// print commands are recorded, and every load raises the document-complete signal.

#include <QMap>
#include <QPointer>
#include <QStringList>

#include "platform/navigateur.h"

struct FaussePage {
    QString texte;                // body text
    QString html;                 // body HTML
    QList<ElementPage> elements;  // in document order
    QString selection;
};

class FauxNavigateur final : public Navigateur {
    Q_OBJECT
public:
    explicit FauxNavigateur(QWidget* parent = nullptr);

    // Pages by address. An address without a page that names a local file shows that file
    // (its text as HTML, tags stripped as body text); any other gives an empty page.
    QMap<QString, FaussePage> pages;
    QStringList navigations;       // every address asked for, as given
    int rafraichissements = 0;
    int impressions = 0;
    int apercus = 0;
    int misesEnPage = 0;
    int copies = 0;
    int selectionsCompletes = 0;
    bool scriptsPage = true;
    bool navigationParLaPage = true;
    bool fichiersLocaux = false;
    // When set, loads complete on the next turn of the event loop instead of at once.
    bool differe = false;
    // When set, loads never complete (a page that keeps loading).
    bool bloque = false;

    // The page shown (scripted or read from its file).
    FaussePage& pageCourante() { return courante_; }

    void Navigate(const QString& adresse) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    QString LocationURL() override;
    int ReadyState() override { return etat_; }

    QString innerText() override { return courante_.texte; }
    QString innerHTML() override { return courante_.html; }
    QList<ElementPage> elements() override { return courante_.elements; }
    std::optional<ElementPage> element(int position) override;
    std::optional<ElementPage> elementNomme(const QString& nom) override;
    bool fixerValeur(int position, const QString& valeur) override;
    bool fixerValeurNommee(const QString& nom, const QString& valeur) override;
    QString selection() override { return courante_.selection; }
    void toutSelectionner() override;
    void copier() override;

    void imprimer() override { ++impressions; }
    void apercuAvantImpression() override { ++apercus; }
    void miseEnPage() override { ++misesEnPage; }
    bool imprimerSur(QPrinter&) override
    {
        ++impressions;
        return true;
    }
    void fixerScriptsPage(bool actifs) override { scriptsPage = actifs; }
    void fixerNavigationParLaPage(bool permise) override { navigationParLaPage = permise; }
    void fixerFichiersLocaux(bool permis) override { fichiersLocaux = permis; }

    // Makes every browser created from now on a fake; the fakes created are listed.
    static void installer();
    static QList<QPointer<FauxNavigateur>>& crees();
    // Puts back the real browser.
    static void desinstaller();

private:
    void charger(const QString& adresse);
    void terminer();

    QStringList historique_;
    int position_ = -1;
    QString adresse_;
    FaussePage courante_;
    int etat_ = EtatPage::NonInitialise;
    int enCours_ = 0; // loads asked for and not yet completed
};

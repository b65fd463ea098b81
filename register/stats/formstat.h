#pragma once
// FormStat: the statistics window, a read-only summary of the register computed once when it
// loads: today's date, a calendar of this month and the next with today highlighted and the
// days of coming interviews in bold, the count of applications for each status of the register
// with a bar each, and the list of coming interviews. A top-level tool window without a close
// box, closed by its "Ok" button. While it is open the home screen's glide stays stopped.

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>
#include <array>

#include "register/stats/calendrier_stat.h"
#include "shell/controls/bouton_kvl.h"
#include "shell/services/registre_fenetres.h"

class FormStat : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = QStringLiteral("FormStat");
    static constexpr int Largeur = 12120; // twips
    static constexpr int Hauteur = 6120;
    // The register's statuses, one row each; a last row, shown only when it counts something,
    // takes every other status.
    static constexpr int NombreStatuts = 12;
    static constexpr int NombreLignes = NombreStatuts + 1;

    FormStat();
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    void Form_Load() override;
    void BoutonKVL1_Click();

    // The width of a count's bar in twips, as it was set.
    int largeurGraph(int i) const { return largeursGraph_[size_t(i)]; }

    // Controls, named as designed.
    std::array<QLabel*, CalendrierStat::NombreCellules> Jour{};
    std::array<QLabel*, 4> Label1{}; // 2 and 3 are the weekday headers
    QLabel* MoisCal1;
    QLabel* MoisCal2;
    QLabel* DateJour;
    QListWidget* ListeStatuts;
    std::array<QLabel*, NombreLignes> Statut{};
    std::array<QLabel*, NombreLignes> Nb{};
    std::array<QWidget*, NombreLignes> Graph{};
    QPlainTextEdit* RDV;
    BoutonKVL* BoutonKVL1;

private:
    void fixerGraph(int i, int largeurTwips);
    void afficherAutres(bool visible);
    // The counts and the coming interviews from the register; false when it cannot be read.
    bool lireRegistre(QList<CalendrierStat::RendezVous>& rendezVous);
    std::array<int, NombreLignes> largeursGraph_{};
};

// Shows the statistics window, loading (and so computing) it when it is not loaded yet.
void OuvrirStatistiques();

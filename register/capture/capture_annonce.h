#pragma once
// Capturing the advertisement shown in the register's web panel: the capture bar over the browser
// ("Capturer l'annonce", "Préremplir les champs", the gauge telling how much the page looks like
// an advertisement), the capture of the selection or of the whole page into a new application,
// the flash of its node in the tree, the score of every page loaded, and the "Analyser" picture
// that analyses the description again.

#include <QObject>
#include <QString>

class FormCand;
class QFrame;
class QLabel;

class CaptureAnnonce : public QObject {
    Q_OBJECT
public:
    explicit CaptureAnnonce(FormCand& fenetre);

    // Analyses the description again and fills the defaults; no save.
    void Analyser_Click();
    // Captures the text selected in the page, or the whole page when nothing is selected.
    void CaptureSel_Click();
    // Captures the whole page shown (with the follow-up page of one job board).
    void CapturerPage();
    // Flashes the tree node of the application shown, from orange to white.
    void MettreEnEvidence();
    // After every page load: the page's score, the gauge and the capture bar, and the sending
    // window's details into the page's form.
    void WebBrowser1_DocumentComplete();

    // The longest wait for the follow-up page, in milliseconds.
    int delaiPageSuivante = 30000;

    QLabel* CaptureSel = nullptr; // "Capturer l'annonce"
    QLabel* Label2 = nullptr;     // "Préremplir les champs"
    QFrame* Niveau = nullptr;     // the gauge; its width in twips is the score
    QLabel* Analyser = nullptr;   // beside the description

    // The message shown when the page gives no title.
    static QString messageAnnonceIntrouvable();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void glisserCadre(int arrivee);
    FormCand& f_;
};

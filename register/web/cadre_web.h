#pragma once
// The register window's web panel: an address box with back, forward, go and home pictures,
// the drop-down list of job boards, the embedded browser in its frame, and the label that
// brings an address seen in an outside browser into the panel.

#include <QFrame>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class Navigateur;

class CadreWeb : public QFrame {
    Q_OBJECT
public:
    explicit CadreWeb(QWidget* parent);
    ~CadreWeb() override;

    // Lays the panel out for its width and height in twips.
    void disposer(int largeur, int hauteur);
    // Fills the job-board list from Listesites.txt, writing the built-in list first when the
    // file does not exist.
    void ChargerListeSites();

    void Go_Click();
    void AdresseWeb_KeyDown(int touche);
    void Precedent_Click();
    void Suivant_Click();
    void Image4_Click();
    void Image5_Click();
    void Image6_Click();
    void AdresseWeb_LostFocus();
    void List1_Click();
    void Label3_Click();
    // Rewrites Listesites.txt from the page "listesites.htm" beside the offers start page (the
    // list shown is not reloaded). False when the page did not load within the time limit or
    // the file could not be written; the file is then left as it was.
    bool ActualiserListeSites(int delaiMs = 30000);

    // The browser's navigation and its current address ("about:blank" when blank).
    void Naviguer(const QString& adresse);
    QString LocationURL() const;

    QString DerniereAdresseRapatriee;

    QLineEdit* AdresseWeb = nullptr;
    QLabel* Precedent = nullptr;
    QLabel* Suivant = nullptr;
    QLabel* Go = nullptr;
    QLabel* Image4 = nullptr;
    QLabel* Image5 = nullptr;
    QLabel* Image6 = nullptr;
    QFrame* FrameWeb = nullptr;
    Navigateur* WebBrowser1 = nullptr;
    QListWidget* List1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label3 = nullptr;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QLabel* image(const QString& nom, const QString& symbole, const QString& bulle);
};

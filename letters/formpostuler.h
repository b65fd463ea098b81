#pragma once
// The sending window: one application of the register sent by e-mail or marked as sent.
// At its load it lists up to five letter templates and merges the first one with the
// application that the register window shows, lists the desktop's CVs, and takes the
// recipient and the subject from the application. A one-second timer shows five check marks
// (sender, recipient, letter, subject, attachment); they only inform, never block the send.

#include <QList>
#include <QString>
#include <QWidget>
#include <array>

#include "letters/envoi.h"
#include "shell/mainwindow/liste_fichiers.h"
#include "shell/services/registre_fenetres.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QTimer;
class BoutonKVL;
class CadreBleu;
class Navigateur;

class FormPostuler : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = u"FormPostuler"_qs;

    FormPostuler();
    ~FormPostuler() override;

    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    void Form_Load() override;

    // Shows the window for the application that the register window shows. A window loaded for
    // another application is loaded afresh for this one; loaded for this one, it keeps what the
    // user typed. An application never stored cannot be told from another: always afresh.
    // nouvelle, when given, tells whether the window was loaded just now.
    static FormPostuler& Ouvrir(bool* nouvelle = nullptr);
    // The number of the application the window was loaded for, empty for one never stored.
    QString numeroCandidature() const { return numero_; }

    // Merges a template file with the application shown by the register window.
    void ChargerModele(const QString& chemin);

    // One sending: the application it is for and the message as it stood when it was asked.
    struct EnvoiCandidature {
        QString num; // the application's number, empty for one never stored
        QString destinataire;
        QString objet;
        QString texte; // CR LF line ends
        QString pj;
    };
    // Hands the message to the e-mail client and waits for the hand-over, while the program's
    // events run; the current directory is put back afterwards.
    static Envoi::Messagerie::Resultat EnvoyerParMAPI(const QString& destinataire, const QString& objet, QString corps,
                                               const QString& piecesJointes);
    // Records the sending of the window's application and saves it. True when the register
    // holds the sending afterwards.
    bool MarquerEnvoyee();
    // Records a sending in its own application, and only in it, whatever the register window
    // shows by now: through the register window's fields and save when it still shows that
    // application, else straight into the register. Touches no window that has gone.
    static bool Noter(const EnvoiCandidature& envoi);

    // Handlers
    void Modele_Click(int index);
    void ImageLettre_Click(int index) { Modele_Click(index); }
    void CV_Click(int index);
    void Parcourir_Click();
    void File2_Click(const QString& nom);
    void File2_LostFocus();
    void EmailDest_Change();
    void Messagerie_Click(int index);
    void BoutonKVL1_Click();
    void BoutonKVL2_Click();
    void Timer1_Timer();

    // The five checks in the marks' order (sender, recipient, letter, subject, attachment):
    // true where the mark shows "Ok".
    static std::array<bool, 5> Verifications(const QString& email, const QString& emailDest, const QString& texte,
                                             const QString& objet, const QString& pj);

    // The letter with CR LF line ends, as the other windows exchange it.
    QString texte() const;
    void fixerTexte(const QString& texte);

    // Controls, named as designed.
    QList<QLabel*> Modele;        // 0..4
    QList<QLabel*> ImageLettre;   // 0..4
    ListeFichiers File1;          // the Lettres folder
    QList<QLabel*> CV;            // 0..4
    QLineEdit* PJ = nullptr;
    QListWidget* File2 = nullptr; // CV documents of the documents folder, hidden until "Parcourir"
    ListeFichiers File2Liste;
    QLabel* Parcourir = nullptr;
    QLineEdit* EmailDest = nullptr;
    QLineEdit* Email = nullptr;
    QLineEdit* Objet = nullptr;
    QPlainTextEdit* Texte = nullptr;
    QList<QRadioButton*> Messagerie; // 0 "Marquer comme envoyée", 1 "Envoi par Email"
    BoutonKVL* BoutonKVL1 = nullptr; // "Postuler"
    BoutonKVL* BoutonKVL2 = nullptr; // "Postuler en ligne"
    QLabel* DejaEnvoyee = nullptr;   // "Candidature déjà envoyée", under BoutonKVL1: seen when it is hidden
    QList<QLabel*> Ok;               // 0..4
    QTimer* Timer1 = nullptr;
    Navigateur* WebBrowser1 = nullptr;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void construire();
    QLabel* etiquette(const QString& texte, const QRect& twips);
    void auPremierPlan();
    void listerDocuments();
    // The sending as the window shows it now.
    EnvoiCandidature envoiActuel() const;

    QString numero_; // the application the window was loaded for
};

// Lets the register window open the sending window.
void installerLiensEnvoi();

#pragma once
// The sending window over a register window that shows a stored application, in a temporary
// data folder with a real register, the platform's fakes and a recording messagerie.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "letters/envoi.h"
#include "letters/formpostuler.h"
#include "platform/fakes/fausse_plateforme.h"
#include "register/window/formcand.h"
#include "shell/mainwindow/principale.h"
#include "support/outils.h"

// Records each message and answers with the next scripted result (Remis when none is left).
// Like some clients, it moves the current directory, when it answers.
class FausseMessagerie final : public Envoi::Messagerie {
public:
    QList<Envoi::Message> messages;
    std::deque<Resultat> resultats;
    bool lever = false; // the hand-over raises a failure instead of answering
    // What the user does while the client's window is open, step by step: each step runs in
    // the event loop in which the hand-over waits, as the real one does, and what it posted
    // (deferred deletions included) runs before the next step and before the client answers.
    // Used by the next hand-over.
    std::deque<std::function<void()>> pendant;
    bool enAttente = false; // true while the client's window is open
    Resultat envoyer(const Envoi::Message& message) override;
};

struct FenetreEnvoi {
    DossierTemporaire dossier;
    FaussePlateforme plateforme;
    FausseMessagerie* messagerie = nullptr;
    Principale* principale = nullptr;
    FormCand* cand = nullptr;

    // avecPrincipale: the main window is loaded first, so that the register and the sending
    // window are child windows of its workspace, the links between them installed.
    explicit FenetreEnvoi(bool avecPrincipale = false);
    ~FenetreEnvoi();

    // A template file Lettres/<nom>.dat holding those lines.
    void modele(const QString& nom, const QStringList& lignes) const;
    // A template with a subject, a sender and a letter that uses the register's fields.
    void modeleType(const QString& nom, const QString& objet = {}) const;
    // Stores an application through the register window and leaves it shown; its number.
    qint64 candidature(const ChampsCandidature& champs);
    // The usual application: title, company, contact, e-mail, reference.
    static ChampsCandidature candidatureType();
    // The sending window, loaded (its load runs on first touch).
    FormPostuler& envoi();
    // A column of a stored row, "<NULL>" for Null.
    QString colonne(qint64 num, const QString& nom) const;
    // The texts of the message boxes shown so far, and forgets them.
    QStringList messages();
    // The user's profile folder (userprofile), with its Documents folder.
    QString documents() const;

    // What the user does, with the mouse.
    // A click on an application's leaf in the register's tree (the right button pops its menu up).
    void cliquerFeuille(qint64 num, Qt::MouseButton bouton = Qt::LeftButton) const;
    // The register's "Postuler" picture.
    void cliquerPostuler() const;
    // "Postuler" in the main window's menu of the application, after a right click on its leaf.
    void postulerParLeMenu(qint64 num) const;
    // The send button of the sending window.
    static void cliquerEnvoyer(const FormPostuler& f);
    // The close button in the title bar of a child window's frame.
    static void fermerCadre(QWidget* fenetre);
    // The sending window when it is loaded, else null; its timer stopped.
    static FormPostuler* envoiCharge();

private:
    QByteArray ancienProfil_;
    QByteArray ancienTousProfils_;
};

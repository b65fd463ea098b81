#pragma once
// The sending window over a register window that shows a stored application, in a temporary
// data folder with a real register, the platform's fakes and a recording messagerie.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>

#include "letters/envoi.h"
#include "letters/formpostuler.h"
#include "platform/fakes/fausse_plateforme.h"
#include "register/window/formcand.h"
#include "support/outils.h"

// Records each message and answers with the next scripted result (Remis when none is left).
// Like some clients, it moves the current directory while it works.
class FausseMessagerie final : public Envoi::Messagerie {
public:
    QList<Envoi::Message> messages;
    std::deque<Resultat> resultats;
    bool lever = false; // the hand-over raises a failure instead of answering
    Resultat envoyer(const Envoi::Message& message) override;
};

struct FenetreEnvoi {
    DossierTemporaire dossier;
    FaussePlateforme plateforme;
    FausseMessagerie* messagerie = nullptr;
    FormCand* cand = nullptr;

    FenetreEnvoi();
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

private:
    QByteArray ancienProfil_;
    QByteArray ancienTousProfils_;
};

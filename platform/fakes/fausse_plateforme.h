#pragma once
// Recording and scripted versions of the platform services, for tests.

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <deque>

#include "platform/plateforme.h"

// Message boxes answered by script: each message takes the next scripted answer
// (true = OK), and OK when the script is empty. A message that does not interrupt is recorded
// among them, marked.
class FaussesDialogues final : public Dialogues {
public:
    struct Message {
        QString texte;
        bool okAnnuler;
        bool avis = false;
    };
    QList<Message> messages;
    std::deque<bool> reponses;
    std::deque<QString> fichiersChoisis;        // answers of the open and save-as dialogs
    std::deque<std::optional<QColor>> couleurs; // answers of the colour dialog
    QStringList titresDialogues;                // titles of the file dialogs shown

    bool message(const QString& texte, bool okAnnuler) override;
    void avis(const QString& texte) override { messages.append({texte, false, true}); }
    QString ouvrirFichier(const QString& titre, const QString& dossier, const QString& filtre) override;
    QString enregistrerSous(const QString& titre, const QString& dossier, const QString& filtre,
                            const QString& nomPropose) override;
    std::optional<QColor> choisirCouleur(const QColor& initiale) override;
    QStringList textes() const;
};

class FausseCoquille final : public Coquille {
public:
    struct Lancement {
        QString programme;
        QStringList arguments;
        bool agrandi;
    };
    QMap<QString, QString> associations; // file suffix ("doc") -> program path
    QList<Lancement> lancements;
    QStringList explorations;
    bool echec = false; // starting fails

    QString programmeAssocie(const QString& fichier) override;
    bool lancer(const QString& programme, const QStringList& arguments, bool agrandi) override;
    bool ouvrirExplorateur(const QString& cible) override;
};

class FaussesTitres final : public TitresFenetres {
public:
    QStringList liste; // topmost first
    QStringList titres() override { return liste; }
};

class FauxClavier final : public Clavier {
public:
    QStringList touches;
    QStringList activations;
    QStringList fenetresPresentes; // titles that activerFenetre finds
    void envoyerTouches(const QString& t) override { touches << t; }
    bool activerFenetre(const QString& titre) override;
};

class FauxPressePapiers final : public PressePapiers {
public:
    QString texte_;
    QImage image_;
    QString texte() override { return texte_; }
    void fixerTexte(const QString& t) override { texte_ = t; image_ = QImage(); }
    QImage image() override { return image_; }
    void fixerImage(const QImage& i) override { image_ = i; texte_.clear(); }
    void vider() override { texte_.clear(); image_ = QImage(); }
};

class FausseHorloge final : public Horloge {
public:
    QDateTime instant = QDateTime(QDate(2024, 3, 15), QTime(10, 0));
    QDate aujourdhui() override { return instant.date(); }
    QDateTime maintenant() override { return instant; }
};

// Installs a fresh set of fakes and gives access to them.
struct FaussePlateforme {
    FaussesDialogues* dialogues;
    FausseCoquille* coquille;
    FaussesTitres* titres;
    FauxClavier* clavier;
    FauxPressePapiers* pressePapiers;
    FausseHorloge* horloge;

    static FaussePlateforme installer();
};

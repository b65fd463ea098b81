#pragma once
// The services of the desktop that the program calls on, behind small interfaces.
// The program reaches them through Plateforme::instance(); tests install fakes.

#include <QColor>
#include <QDate>
#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

// Message boxes and the common dialogs. Every message box has the title "Kerval" and no icon.
class Dialogues {
public:
    virtual ~Dialogues() = default;
    // OK only (okAnnuler false) or OK and Cancel; true only when OK was chosen.
    virtual bool message(const QString& texte, bool okAnnuler = false) = 0;
    // A message (OK only) that does not interrupt: it stands over the program's windows while the
    // keyboard stays where the user types, and the program goes on at once.
    virtual void avis(const QString& texte) = 0;
    // Open and save-as dialogs: the chosen path, or empty when cancelled.
    virtual QString ouvrirFichier(const QString& titre, const QString& dossier, const QString& filtre) = 0;
    virtual QString enregistrerSous(const QString& titre, const QString& dossier, const QString& filtre,
                                    const QString& nomPropose) = 0;
    // Colour dialog: the chosen colour, or nothing when cancelled.
    virtual std::optional<QColor> choisirCouleur(const QColor& initiale) = 0;
};

// Opening documents and starting programs (no shell in between).
class Coquille {
public:
    virtual ~Coquille() = default;
    // The full path of the program associated with a file, empty when none.
    virtual QString programmeAssocie(const QString& fichier) = 0;
    // Starts a program with its arguments, not waiting for it. False when it could not start.
    virtual bool lancer(const QString& programme, const QStringList& arguments, bool agrandi) = 0;
    // Hands a path or a web address to the desktop's opener (the file explorer's stand-in).
    virtual bool ouvrirExplorateur(const QString& cible) = 0;
};

// Titles of the other top-level windows, topmost first.
class TitresFenetres {
public:
    virtual ~TitresFenetres() = default;
    virtual QStringList titres() = 0;
};

// Simulated keystrokes sent to the focused window, or to the window whose title contains a text.
class Clavier {
public:
    virtual ~Clavier() = default;
    // Keys in the classic notation: "^p" is Ctrl+P, "^v" Ctrl+V, "{ENTER}" Enter, "%" Alt.
    virtual void envoyerTouches(const QString& touches) = 0;
    // Brings forward the window whose title contains the text; false when there is none.
    virtual bool activerFenetre(const QString& titre) = 0;
};

// The clipboard, text and picture.
class PressePapiers {
public:
    virtual ~PressePapiers() = default;
    virtual QString texte() = 0;
    virtual void fixerTexte(const QString& texte) = 0;
    virtual QImage image() = 0;
    virtual void fixerImage(const QImage& image) = 0;
    virtual void vider() = 0;
};

// Today's date and the time of day.
class Horloge {
public:
    virtual ~Horloge() = default;
    virtual QDate aujourdhui() = 0;
    virtual QDateTime maintenant() = 0;
};

class Plateforme {
public:
    static Plateforme& instance();

    // Installs the real services of this desktop.
    static void installerLinux();

    Dialogues& dialogues() { return *dialogues_; }
    Coquille& coquille() { return *coquille_; }
    TitresFenetres& titresFenetres() { return *titres_; }
    Clavier& clavier() { return *clavier_; }
    PressePapiers& pressePapiers() { return *pressePapiers_; }
    Horloge& horloge() { return *horloge_; }

    void fixerDialogues(std::unique_ptr<Dialogues> d) { dialogues_ = std::move(d); }
    void fixerCoquille(std::unique_ptr<Coquille> c) { coquille_ = std::move(c); }
    void fixerTitresFenetres(std::unique_ptr<TitresFenetres> t) { titres_ = std::move(t); }
    void fixerClavier(std::unique_ptr<Clavier> c) { clavier_ = std::move(c); }
    void fixerPressePapiers(std::unique_ptr<PressePapiers> p) { pressePapiers_ = std::move(p); }
    void fixerHorloge(std::unique_ptr<Horloge> h) { horloge_ = std::move(h); }

private:
    Plateforme();
    std::unique_ptr<Dialogues> dialogues_;
    std::unique_ptr<Coquille> coquille_;
    std::unique_ptr<TitresFenetres> titres_;
    std::unique_ptr<Clavier> clavier_;
    std::unique_ptr<PressePapiers> pressePapiers_;
    std::unique_ptr<Horloge> horloge_;
};

// The desktop's own message boxes and file and colour dialogs (the dialog service that
// Plateforme::installerLinux installs).
std::unique_ptr<Dialogues> creerDialoguesLinux();
// The desktop's opening of documents and starting of programs (the service it installs too).
std::unique_ptr<Coquille> creerCoquilleLinux();

// While one lives, what is said with OK only does not interrupt the user (Dialogues::avis): work
// that the user did not ask for at that moment, an autosave's tick, says what it has to say
// without taking the keys the user is typing.
class SansInterrompre {
public:
    SansInterrompre() { ++niveau_; }
    ~SansInterrompre() { --niveau_; }
    SansInterrompre(const SansInterrompre&) = delete;
    SansInterrompre& operator=(const SansInterrompre&) = delete;
    static bool actif() { return niveau_ > 0; }

private:
    static inline int niveau_ = 0;
};

// Shorthand used by the windows: one message box through the dialog service. Once the session
// has asked the program to end, nothing waits for the user: the message is kept for the next
// start and a question counts as cancelled.
bool MsgBox(const QString& texte, bool okAnnuler = false);

#pragma once
// The register window: the tree of applications on the left, the detail fields of the
// application shown in four groups beside its large description, the status and contract
// drop-downs, the commands and the web panel over the detail fields.

#include <QDate>
#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>

#include "register/store/base_donnees.h"
#include "register/store/candidature.h"
#include "shell/services/registre_fenetres.h"

class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class CadreWeb;
class CaptureAnnonce;
class CadreBleu;
class BaseCandidatures;

class FormCand : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = u"FormCand"_qs;

    FormCand();
    ~FormCand() override;

    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    void Form_Load() override;
    void Form_Activate();
    void Form_Resize();
    void placerLegendeDescription();

    // --- The record ---------------------------------------------------------------------
    // Saves the application shown (a new row when Num is empty), then rebuilds the tree.
    void Valider();
    // Loads an application into the detail fields.
    void AfficherCandidature(qint64 num);
    // Empties the detail fields for a new application.
    void ViderFiche();
    // Fills empty fields with their defaults (publication date, status, company, duration).
    void ValeursParDefaut();
    // True when the fields may be saved; otherwise shows why and returns false.
    bool ControlerSaisie();
    void ToutSupprimer_Click();
    // Autosave: saves a stored application whose snapshot fields changed.
    void Timer2_Timer();

    // --- The tree and the commands -------------------------------------------------------
    void InitListe();
    void Tri_Click(int index);
    void Liste_MouseDown(Qt::MouseButton bouton);
    void Liste_NodeClick(QTreeWidgetItem* noeud);
    void Image1_Click();
    void ListeContrats_Click();
    void Nature_LostFocus();
    void Image2_Click();
    void ListeStatuts_Click();
    void Statut_LostFocus();
    void Action_Click(int index);
    void Image3_Click(int index) { Action_Click(index); }
    void PicturePostuler_Click();
    void Image8_Click() { PicturePostuler_Click(); }
    // Shows the application's web page in the web panel.
    void www_Click();

    // --- The web panel, the watchers and the hover effects ---------------------------------
    // Paste watcher, then outside-browser watcher while the web panel is shown.
    void Timer1_Timer();
    void Rechercher_Click(int index);
    void Rechercher_MouseMove(int index);
    void Action_MouseMove(int index);
    void Image3_MouseMove(int index) { Action_MouseMove(index); }
    // Analyses an advertisement text into the detail fields (empty fields first).
    void AnalyserAnnonce(const QString& texte);

    // --- Fields, by their names ---------------------------------------------------------------
    // The text of a detail field (CR LF line ends), empty for an unknown name.
    QString champ(const QString& nom) const;
    void fixerChamp(const QString& nom, const QString& texte);
    // Every detail field, Num included.
    ChampsCandidature fiche() const;
    // Writes the given fields; the others keep their text.
    void remplirFiche(const ChampsCandidature& champs);
    // The snapshot of the fields an autosave watches.
    QString Empreinte() const;
    // The selected sort order, 0 to 3.
    int triChoisi() const;
    // The tree node of that key ("s12", "Candidatures non émises"), or null.
    QTreeWidgetItem* noeud(const QString& cle) const;
    static QString cleNoeud(const QTreeWidgetItem* noeud);

    // State
    QString EmpreinteSaisie;
    QString EmpreinteFiche;
    QString DernierTexteAnalyse;
    bool ClicDroit = false;

    // Controls, named as designed.
    QFrame* CadreListe = nullptr;
    QTreeWidget* Liste = nullptr;
    QList<QRadioButton*> Tri;              // 0 "Sociétés" .. 3 "Origine"
    QMap<int, QLabel*> Action;             // 0 "Nouvelle", 1 "Supprimer", 3 "Valider", 4 "Internet"
    QMap<int, QLabel*> Image3;             // the pictures beside the commands
    QLabel* ImageBouton = nullptr;         // the highlight under the commands
    QLabel* ToutSupprimer = nullptr;
    QFrame* FrameRecherche = nullptr;
    QList<QLabel*> Rechercher;
    QFrame* CadreDetail = nullptr;
    CadreBleu* GroupeSuivi = nullptr;      // the last of the four groups, which follows the height
    QLineEdit* Intitule = nullptr;
    QLineEdit* Nature = nullptr;
    QLineEdit* Duree = nullptr;
    QLineEdit* Lieu = nullptr;
    QLineEdit* Salaire = nullptr;
    QLineEdit* Societe = nullptr;
    QLineEdit* Adresse = nullptr;
    QLineEdit* CP = nullptr;
    QLineEdit* Ville = nullptr;
    QLineEdit* NomContact = nullptr;
    QLineEdit* Telephone = nullptr;
    QLineEdit* Email = nullptr;
    QLineEdit* Origine = nullptr;
    QLineEdit* Reference = nullptr;
    QLineEdit* DateDiffusion = nullptr;
    QLineEdit* DateLimite = nullptr;
    QLineEdit* www = nullptr;
    QLineEdit* Statut = nullptr;
    QLineEdit* DateEnvoi = nullptr;
    QLineEdit* CV = nullptr;
    QLineEdit* DateRDV = nullptr;
    QPlainTextEdit* Lettre = nullptr;
    QPlainTextEdit* Remarques = nullptr;
    QPlainTextEdit* Description = nullptr;
    QLineEdit* Num = nullptr;              // hidden: the number of the application shown
    QFrame* Shape1_15 = nullptr;           // frame around Remarques
    QFrame* Shape1_16 = nullptr;           // frame around Description
    QListWidget* ListeContrats = nullptr;
    QListWidget* ListeStatuts = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* PicturePostuler = nullptr;
    QLabel* Image8 = nullptr;
    QLabel* LegendeDescription = nullptr;  // "Description du poste"
    ::CadreWeb* CadreWeb = nullptr;
    CaptureAnnonce* Capture = nullptr;     // the capture bar, the page score, "Analyser"
    QTimer* Timer1 = nullptr;              // 500 ms: paste and outside-browser watchers
    QTimer* Timer2 = nullptr;              // 3 s: autosave

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    bool event(QEvent* evenement) override;
    // The autosave's save at once: nothing typed within its delay is lost, and a save that
    // fails then is always said.
    void closeEvent(QCloseEvent* evenement) override;

private:
    void construire();
    void construireListe();
    void construireDetail();
    QLineEdit* ligne(QWidget* parent, const QString& nom, int gauche, int haut, int largeur);
    QPlainTextEdit* zone(QWidget* parent, const QString& nom, int gauche, int haut, int largeur, int hauteur,
                         QFrame** forme);
    QLabel* etiquette(QWidget* parent, const QString& texte, int gauche, int haut, int largeur);
    QLabel* image(QWidget* parent, const QString& nom, const QString& symbole, int gauche, int haut);
    QWidget* champWidget(const QString& nom) const;
    bool listeAuClavier(bool contrats, QKeyEvent* touche);
    QTreeWidgetItem* creerNoeud(const QString& cle, const QString& texte, bool groupe) const;
    // A stored application whose snapshot fields changed since its last load or save (the
    // snapshot EmpreinteSaisie is taken anew).
    bool saisieEnAttente();
    // Tells the user why the register cannot be written: the autosave once until a save succeeds
    // again, an explicit save and a closing window at every failure.
    void signalerEchec();
    // Why the last load, save or delete could not write the register, and the engine's words.
    Stockage::Cause causeEchec() const;
    QString texteEchec() const;
    static QDate aujourdhui();
    // Opens the register afresh for a load, a save or a delete; the tree rebuild closes it.
    Stockage::BaseDonnees* ouvrirBase();

    QMap<QString, QWidget*> champs_;
    QHash<QString, QTreeWidgetItem*> groupes_;
    QHash<QString, QTreeWidgetItem*> feuilles_;
    bool echecSignale_ = false;
    // The fields as the shown application was loaded or last saved: a save writes what changed.
    ChampsCandidature ficheChargee_;
    bool dansValider_ = false;
    bool autosauvegarde_ = false; // the save under way is the autosave's
    bool fermeture_ = false; // the window is closing: a failed save loses what was typed
    Stockage::Cause causeOuverture_ = Stockage::Cause::Inconnue;
    std::unique_ptr<BaseCandidatures> base_;
    std::optional<QPoint> pointClic_; // where the last press on the tree was, on the screen
};

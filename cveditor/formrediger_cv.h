#pragma once
// The CV editor: the entry panel on the left (identity, sections, language grid, photograph,
// presentation options), the live preview of the rendered page on the right. The window's
// controls are the CV: saving dumps them, loading writes them back.

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QHash>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "shell/services/pertes_focus.h"
#include "cveditor/fichier_cv.h"
#include "cveditor/form_etiquette.h"
#include "cveditor/options_presentation.h"
#include "shell/controls/bouton_kvl.h"
#include "platform/navigateur.h"
#include "shell/services/registre_fenetres.h"

class FormRedigerCV : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = u"FormRédigerCV"_qs;

    explicit FormRedigerCV(QWidget* parent = nullptr);
    ~FormRedigerCV() override;
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    void Form_Load() override;

    // Public operations, called by other windows.
    void ChargerFichierCV(const QString& chemin);
    void VisualisationCV();
    // Before another CV takes the window's place (a new CV, a file renamed or opened): the CV
    // shown is saved when it changed since its last save; when it cannot be, or when what is
    // typed has no name to be saved under, the user is asked first whether `commande` ("Rédiger
    // un nouveau CV") may lose it. False when the user keeps the CV on screen.
    bool CederPlace(const QString& commande);

    // --- controls, named as designed ---
    // identity
    QPlainTextEdit* Identite;
    QLineEdit *Nom, *Prenom, *Adresse1, *Adresse2, *CP, *Ville, *Pays, *Tel, *Mob, *Email;
    QLineEdit *DateNaissance, *LieuNaissance, *Age, *NbEnfants, *Situation;
    QListWidget* ListeSituations;
    QFrame* FrameIdentite;
    Etiquette *SaiseDetaillee, *Image8;
    // sections
    QLineEdit* Fonction;
    QPlainTextEdit *Etudes, *Formations, *Experiences, *LanguesPlus, *Objectifs, *Divers, *Competences;
    QPlainTextEdit* Langues; // hidden: composed from the grid
    std::array<QCheckBox*, 9> LangueScolaire{}, LangueProf{}, LangueCourant{}, LangueBilingue{};
    std::array<QLabel*, 9> Label32{};
    QLabel* Label34;
    // captions: Label1(0 to 28, not 19); help icons Image6(12 to 17, 20)
    QMap<int, Etiquette*> Label1;
    QMap<int, Etiquette*> Image6;
    // photograph
    Etiquette* Photo;
    Etiquette* Label2;
    Etiquette* CopierPhoto19; // CopierPhoto(19) "Parcourir..."
    // the CV's name and language, the presentation options
    QLineEdit *NomCV, *LangueCV, *NomModele, *Police, *Modele, *Souligne, *Gras, *Indentation, *Saut;
    QLineEdit *Couleur, *CouleurClaire;
    QListWidget *ListeModeles, *List1;
    CadreBleu* FramePolice; // titled panel: its title is a text of the CV file
    std::array<Etiquette*, 6> PoliceT{};
    QFrame* FrameParagraphe;
    std::array<QCheckBox*, 4> CheckParagraphe{};
    std::array<QCheckBox*, 2> CheckDisposition{};
    QFrame* CadreCouleur;
    std::array<Etiquette*, 20> Coul{};
    std::array<QFrame*, 20> Shape5{};
    BoutonKVL *BoutonKVL1, *BoutonKVL3;
    Etiquette *Image2, *Image3;
    // layout
    NouveauCadre *FrameZones, *FrameCV;
    QFrame *Frame2, *Frame1, *FrameWeb, *CadreOrange;
    QLabel* Label5;
    std::array<Etiquette*, 5> ImageMenu{};
    Etiquette *Genere, *SauvegarderCV;
    Navigateur* WebBrowser1;

    // --- handlers ---
    void SauvegarderCV_Click();
    void Form_Activate();
    void Form_Resize();
    void BoutonKVL1_Click();
    void List1_Scroll();
    void ImageMenu_Click(int index);
    void ImageMenu_MouseMove(int index);
    void Image6_MouseMove(int index);
    void Frame1_MouseMove();
    void Photo_Click();
    void Label1_Click(int index);
    void CopierPhoto_Click(int index);
    void Section_LostFocus(QWidget* section);
    void Genere_Click() { VisualisationCV(); }
    void Langue_Clic(int rangee, QCheckBox* boite);
    // identity
    void Identite_LostFocus();
    void SaiseDetaillee_Click();
    void Nom_LostFocus();
    void Prenom_LostFocus();
    void Adresse1_LostFocus();
    void Pays_LostFocus();
    void Ville_LostFocus();
    void LieuNaissance_LostFocus();
    void DateNaissance_Change();
    void Image8_Click();
    void ListeSituations_Click();
    void ListeSituations_LostFocus();
    // presentation
    void CheckParagraphe_Click(int index);
    void CheckDisposition_Click(int index);
    void BoutonKVL3_Click();
    void Coul_Click(int index);
    void Image2_Click();
    void NomModele_Click();
    void ListeModeles_Click();
    void Image3_Click();
    void Police_Click();
    void PoliceT_Click(int index);
    void PoliceT_MouseMove(int index);
    void MasquerOptions();

    // The controls that hold text, by design name ("Prénom", "Modèle"), in control order.
    QString texteControle(const QString& nom) const;
    bool fixerTexteControle(const QString& nom, const QString& valeur);
    // A member of an indexed group of check boxes ("LangueProf", "CheckDisposition").
    QCheckBox* membre(const QString& groupe, int index) const;

    // The CV as the window holds it, for the file and the rendering.
    FichierCV::ValeursCV valeurs() const;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    // The CV shown is saved as the window goes, when it changed since its last save; a failure
    // then is said. What the user typed without a name to save it under is lost only once the
    // user says so (Cancel keeps the window), or kept in a file of its own at the session's end.
    void closeEvent(QCloseEvent* e) override;
    // Tab and Shift+Tab follow the panel's reading order (ordonnerTabulation).
    bool focusNextPrevChild(bool suivant) override;

private:
    void construire();
    void construireIdentite();
    void construireSections();
    void construireLangues();
    void construirePhoto();
    // Fits the photograph into its box above its caption.
    void cadrerPhoto();
    static constexpr int HautPhoto = 380; // twips
    void construireOptions();
    void construireApercu();
    void relier();
    void ordonnerTabulation();
    bool atteintParTab(QWidget* w) const;
    void montrerAuFocus(QWidget* w);
    void surPerteFocus(QWidget* boite, std::function<void()> gestionnaire);
    void appliquerCouleurs(const OptionsPresentation::Couleurs& couleurs);
    // The save; `demandee` for the save command, which answers every failure.
    void sauvegarder(bool demandee);
    // The name of the file a save writes: the CV's own, or a free one from NomCV, Nom and
    // Prénom; empty when the CV has no name at all.
    QString nomAEcrire() const;
    // Writes the CV shown as CV/<nom>.dat; the system's error number when that failed, else 0.
    int ecrire(const QString& nom);
    // A new CV takes the name the auto-save gives it from its last name.
    void nommerNouveauCV();
    // A CV whose first save failed has no name yet: the name that save gave goes.
    void reprendreNomProvisoire();
    // Saves the CV shown when it differs from its last save and has, or can be given, a name as
    // the auto-save gives one; the error number of a failed write, SansNom when what the user
    // typed has no name to be saved under, else 0.
    int enregistrerEnAttente();
    static constexpr int SansNom = -1;
    // At the session's end: a CV without a name goes to a file of its own, and the next start
    // says which.
    void garderSansNom();
    void placerPopups();
    // The entry panel keeps every control whole and inside it, in either layout.
    void ajusterPanneau();
    void disposerIdentite();
    void placerOutils();
    // Below this width (twips) the editor takes the compact layout.
    static constexpr int LargeurCompacte = 16000;
    bool compacte_ = false; // the compact layout has run
    bool compacteParLargeur_ = false; // ... because the window was narrow
    // The full layout as built: where the entry panel, its frames and their controls stand. A
    // window narrowed into the compact layout goes back to it once widened again.
    QHash<QWidget*, QRect> dispositionPleine_;
    void retrouverDispositionPleine();
    QWidget* principale() const;
    QWidget* cadre();

    PertesFocus* pertesFocus_ = new PertesFocus(this); // the boxes' leaving handlers
    QMap<QString, QWidget*> zones_;  // text-bearing controls by design name
    QStringList ordre_;               // their control order
    QList<QWidget*> ordreTab_;        // the controls in Tab's order
    QMap<QString, QCheckBox*> groupes_; // "k:Nom" -> member
    int policeSurvolee_ = -1;
    // The name, as on disk, of the CV file this window writes: the file it loaded or last wrote.
    // Empty for a CV that has no file yet.
    QString nomFichierEcrit_;
    bool nonEnregistre_ = false; // the last save failed: the screen holds changes no file has
    bool echecSignale_ = false;  // that failure was told; a save that succeeds ends it
    QString enregistre_;         // the CV as its file holds it since the last save or load
    QString nomDonne_;           // the NomCV this editor gave a CV that has no file yet
    bool nomProvisoire_ = false; // that name's save failed: the next one names the CV afresh
    friend class TestFenetreCV;
    bool enRedimension_ = false;
};

// Before a command puts another CV in the editor's place (a new CV, a CV file renamed or
// deleted): the CV the loaded editor shows is saved when it changed or, when it cannot be, given
// up once the user accepts to lose it (`commande` names what loses it: "Rédiger un nouveau CV").
// False when the user keeps it.
bool cederEditeurCV(const QString& commande);
// The editor comes back as a new, empty CV; the one loaded goes as the user closes it.
void rechargerEditeurCV();

// Lets the other windows reach the CV editor (open a CV file, set the CV's language).
void installerLiensEditeurCV();

#pragma once
// FormLettre: the cover-letter template editor. On the left the sender's identity, a few words
// about the applicant and the five body paragraphs chosen among the proposed phrases; on the
// right the letter text Text1, rebuilt from them. The window's controls are the template: the
// one-second autosave dumps them to Lettres/<name>.dat, loading writes them back.

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QHash>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "shell/services/pertes_focus.h"
#include "cveditor/form_etiquette.h"
#include "letters/composition.h"
#include "letters/fichier_lettre.h"
#include "shell/controls/bouton_kvl.h"
#include "shell/services/registre_fenetres.h"

class FormLettre : public QWidget, public Fenetre {
    Q_OBJECT
public:
    static inline const QString NomConception = u"FormLettre"_qs;

    explicit FormLettre(QWidget* parent = nullptr);
    ~FormLettre() override;
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    void Form_Load() override;

    // Public operations, in their designed order.
    void InitLettre(const QString& fichier);
    void ChargerFichierLettre(const QString& NomFic);
    void NouvelleLettre();
    // Before another template takes this one's place, or its file is renamed: what was typed
    // within the autosave's second is saved; when that fails, the user is asked whether the
    // command may drop it. False when the user keeps it on screen.
    bool CederPlace(const QString& commande);

    // --- controls, named as designed ---
    QLineEdit *Nom, *Prenom, *Adresse1, *Adresse2, *CP, *Ville, *Pays, *Tel, *Mob, *Email;
    QLineEdit *Domaine, *LastSociete, *Competences, *Fonction, *Poste;
    std::array<QPlainTextEdit*, 5> Corps{};
    std::array<BoutonKVL*, 5> BoutonKVL1{}; // "Précédent"
    std::array<BoutonKVL*, 5> BoutonKVL2{}; // "Suivant"
    std::array<QCheckBox*, 2> Check_Modele{};
    std::array<QCheckBox*, 2> Check_candidature{};
    CadreBleu* CadreObjet;
    QLineEdit* Objet;
    QPlainTextEdit* Text1;
    QLineEdit* NomLettre;
    CadreBleu* ListeCV;
    std::array<Etiquette*, 5> NomCV{};
    Etiquette *Image1, *Picture2, *Picture1;
    QPushButton* Command1;
    QTimer* Timer1;
    NouveauCadre* Zones;
    QFrame* Shape2;

    // --- window state ---
    Composition::Propositions Propositions;
    bool Chargement = false;
    QString TexteEnregistre;

    // --- handlers ---
    void Form_Activate();
    void Form_Resize();
    void Check_Modele_Click(int index);
    void Check_candidature_Click(int index);
    void Email_LostFocus();
    void Prenom_LostFocus();
    void Picture2_Click();
    void Command1_Click();
    void Image1_Click();
    void Nom_LostFocus();
    void NomCV_Click(int index);
    void NomCV_MouseMove(int index);
    void BoutonKVL1_Click(int index);
    void BoutonKVL2_Click(int index);
    void Timer1_Timer();
    void ComposerLettre();

    // The text boxes and panel titles by design name ("Prénom"), and the template they hold.
    QString texteControle(const QString& nom) const;
    bool fixerTexteControle(const QString& nom, const QString& valeur);
    QString texteCorps(int index) const;
    void fixerCorps(int index, const QString& texte);
    FichierLettre::ValeursLettre valeurs() const;
    void appliquer(const FichierLettre::ValeursLettre& lettre);

    static inline const QString TexteGuide =
        u"Veuillez choisir les formules voulues dans la partie de gauche, la lettre s'adaptera ensuite aux "
        "annonces auxquelles vous postulerez."_qs;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void construire();
    void relier();
    // True when the template file was written.
    bool EnregistrerLettre();
    // The autosave's condition: a sender's last name, and a letter text other than the one last
    // loaded or saved.
    bool lettreEnAttente() const;
    void surPerteFocus(QWidget* boite, std::function<void()> gestionnaire);
    QWidget* cadre();

    PertesFocus* pertesFocus_ = new PertesFocus(this); // the boxes' leaving handlers
    QMap<QString, QWidget*> zones_;
    QString echecSignale_; // the name whose failed save was last reported
    bool enRedimension_ = false;
    // The panel's controls from the first paragraph down, at their designed tops (twips), and
    // the bottom of what the panel holds: a panel too short for it gets them closer together.
    QHash<QWidget*, int> hautsCorps_;
    int hautCorps_ = 0, basZones_ = 0;
};

// Lets the shell reach the letter editor (open a template, start a new one).
void installerLiensLettres();

#include "letters/formpostuler.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>

#include "letters/envoi_registre.h"
#include "letters/fusion.h"
#include "platform/attente.h"
#include "platform/navigateur.h"
#include "platform/plateforme.h"
#include "register/store/base_candidatures.h"
#include "register/web/cadre_web.h"
#include "register/window/form_liens.h"
#include "register/window/formcand.h"
#include "register/window/logique_fiche.h"
#include "shell/controls/bouton_kvl.h"
#include "shell/controls/dessins.h"
#include "shell/controls/activable.h"
#include "shell/controls/zone_texte.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"
#include "shell/services/sauts_ligne.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

namespace {

constexpr int Largeur = 10320;
constexpr int Hauteur = 7260;

const QString MessageSansModele =
    u"Aucun modèle de lettre n'a été créé. Vous devrez rédiger le courrier d'accompagnement."_qs;

QString dansDossierDonnees(const QString& relatif) { return QDir::current().filePath(relatif); }

void placer(QWidget* w, const QRect& twips) { w->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height())); }

QWidget* cadreDe(QWidget* w)
{
    QWidget* p = w->parentWidget();
    return p && p->inherits("QMdiSubWindow") ? p : w;
}

// Brings a window of the workspace (or a top-level one) to the front.
void premierPlan(QWidget* w)
{
    QWidget* cadre = cadreDe(w);
    if (auto* sous = qobject_cast<QMdiSubWindow*>(cadre)) {
        if (QMdiArea* espace = sous->mdiArea())
            espace->setActiveSubWindow(sous);
    }
    cadre->show();
    w->show();
    cadre->raise();
}

} // namespace

FormPostuler::FormPostuler()
{
    setObjectName(NomConception);
    setWindowTitle(u"Postuler"_qs);
    construire();
}

FormPostuler::~FormPostuler() = default;

QLabel* FormPostuler::etiquette(const QString& texte, const QRect& twips)
{
    auto* l = new QLabel(texte, this);
    placer(l, twips);
    return l;
}

void FormPostuler::construire()
{
    resize(Twips::taille(Largeur, Hauteur));
    setAutoFillBackground(true);

    // Left: the templates, the CV to attach, the checks.
    new CadreBleu(u"Modèles de lettres"_qs, QRect(120, 120, 3420, 1980), this);
    for (int i = 0; i < 5; ++i) {
        auto* image = new QLabel(this);
        image->setObjectName(u"ImageLettre%1"_qs.arg(i));
        image->setPixmap(Dessins::icone(Dessins::Icone::Lettre, Twips::taille(240, 240)));
        placer(image, QRect(300, 480 + i * 300, 240, 240));
        image->setCursor(Qt::PointingHandCursor);
        image->installEventFilter(this);
        ImageLettre << image;
        QLabel* m = etiquette(QString(), QRect(660, 480 + i * 300, 2760, 255));
        m->setObjectName(u"Modele%1"_qs.arg(i));
        m->setCursor(Qt::PointingHandCursor);
        m->installEventFilter(this);
        Modele << m;
    }

    new CadreBleu(u"Sélection du CV"_qs, QRect(120, 2220, 3420, 2520), this);
    for (int i = 0; i < 5; ++i) {
        QLabel* c = etiquette(QString(), QRect(300, 2580 + i * 300, 3120, 255));
        c->setObjectName(u"CV%1"_qs.arg(i));
        c->setCursor(Qt::PointingHandCursor);
        c->installEventFilter(this);
        CV << c;
    }
    PJ = new QLineEdit(this);
    PJ->setObjectName(u"PJ"_qs);
    placer(PJ, QRect(300, 4080, 3120, 300));
    Parcourir = etiquette(u"Parcourir"_qs, QRect(300, 4440, 1200, 255));
    Parcourir->setObjectName(u"Parcourir"_qs);
    Parcourir->setStyleSheet(u"color: #0000C0; text-decoration: underline"_qs);
    Parcourir->setCursor(Qt::PointingHandCursor);
    Parcourir->installEventFilter(this);
    File2 = new QListWidget(this);
    File2->setObjectName(u"File2"_qs);
    placer(File2, QRect(300, 2520, 3120, 1500));
    File2->hide();
    File2->installEventFilter(this);
    File2Liste.Pattern = u"*.doc;*.docx;*.pdf;*.odt"_qs;
    connect(File2, &QListWidget::itemClicked, this, [this](QListWidgetItem* e) { File2_Click(e->text()); });
    connect(File2, &QListWidget::itemActivated, this, [this](QListWidgetItem* e) { File2_Click(e->text()); });
    // From the keyboard: Tab reaches the template and CV names and "Parcourir", Space chooses.
    for (int i = 0; i < 5; ++i) {
        Activable::rendre(Modele[i], [this, i] { Modele_Click(i); });
        Activable::rendre(CV[i], [this, i] { CV_Click(i); });
    }
    Activable::rendre(Parcourir, [this] { Parcourir_Click(); });

    new CadreBleu(u"Vérifications avant envoi"_qs, QRect(120, 4860, 3420, 2220), this);
    static const QStringList controles = {u"Email expéditeur"_qs, u"Email destinataire"_qs,
                                          u"Contenu du message"_qs, u"Objet du message"_qs,
                                          u"Sélection du CV"_qs};
    for (int i = 0; i < 5; ++i) {
        QLabel* ok = etiquette(u"Ok"_qs, QRect(300, 5220 + i * 330, 480, 255));
        ok->setObjectName(u"Ok%1"_qs.arg(i));
        QFont gras = ok->font();
        gras.setBold(true);
        ok->setFont(gras);
        Ok << ok;
        etiquette(controles.at(i), QRect(900, 5220 + i * 330, 2520, 255));
    }

    // Right: the sender, the recipient, the subject, the letter, the send.
    // Each box under its caption, one 645-twip row apiece.
    auto boite = [this](const QString& titre, const QString& nom, int rang) {
        etiquette(titre, QRect(3720, 120 + rang * 645, 3000, 255));
        auto* b = new QLineEdit(this);
        b->setObjectName(nom);
        placer(b, QRect(3720, 375 + rang * 645, 6480, 300));
        return b;
    };
    Email = boite(u"Email expéditeur"_qs, u"Email"_qs, 0);
    EmailDest = boite(u"Email destinataire"_qs, u"EmailDest"_qs, 1);
    Objet = boite(u"Objet du message"_qs, u"Objet"_qs, 2);
    etiquette(u"Contenu du message"_qs, QRect(3720, 2055, 3000, 255));
    Texte = new ZoneTexte(this);
    Texte->setObjectName(u"Texte"_qs);
    placer(Texte, QRect(3720, 2310, 6480, 3840));

    for (const QString& libelle : {u"Marquer comme envoyée"_qs, u"Envoi par Email"_qs}) {
        auto* option = new QRadioButton(libelle, this);
        option->setObjectName(u"Messagerie%1"_qs.arg(Messagerie.size()));
        placer(option, QRect(3720, 6300 + int(Messagerie.size()) * 330, 2880, 285));
        Messagerie << option;
    }
    // Selected at design: no click.
    Messagerie[1]->setChecked(true);
    for (int i = 0; i < 2; ++i)
        connect(Messagerie[i], &QRadioButton::toggled, this, [this, i](bool coche) {
            if (coche)
                Messagerie_Click(i);
        });

    DejaEnvoyee = etiquette(u"Candidature déjà envoyée"_qs, QRect(6720, 6345, 2520, 270));
    DejaEnvoyee->setObjectName(u"DejaEnvoyee"_qs);
    DejaEnvoyee->setAlignment(Qt::AlignCenter);
    BoutonKVL1 = new BoutonKVL(u"Postuler"_qs, QRect(6720, 6330, 2520, 420), this);
    BoutonKVL1->setObjectName(u"BoutonKVL1"_qs);
    BoutonKVL1->raise(); // over the label, which shows whenever the button is hidden
    connect(BoutonKVL1, &BoutonKVL::Click, this, &FormPostuler::BoutonKVL1_Click);
    BoutonKVL2 = new BoutonKVL(u"Postuler en ligne"_qs, QRect(6720, 6780, 2520, 420), this);
    BoutonKVL2->setObjectName(u"BoutonKVL2"_qs);
    connect(BoutonKVL2, &BoutonKVL::Click, this, &FormPostuler::BoutonKVL2_Click);

    connect(EmailDest, &QLineEdit::textChanged, this, [this] { EmailDest_Change(); });

    WebBrowser1 = Navigateur::creer(this);
    WebBrowser1->setObjectName(u"WebBrowser1"_qs);
    WebBrowser1->setGeometry(0, 0, 0, 0);
    WebBrowser1->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &FormPostuler::Timer1_Timer);
}

bool FormPostuler::eventFilter(QObject* objet, QEvent* e)
{
    // A click acts once the button is up (a window it opens must not find the button still held).
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        for (int i = 0; i < 5; ++i) {
            if (objet == Modele.value(i))
                Modele_Click(i);
            else if (objet == ImageLettre.value(i))
                ImageLettre_Click(i);
            else if (objet == CV.value(i))
                CV_Click(i);
        }
        if (objet == Parcourir)
            Parcourir_Click();
    } else if (objet == File2 && e->type() == QEvent::FocusOut) {
        File2_LostFocus();
    }
    return QWidget::eventFilter(objet, e);
}

QString FormPostuler::texte() const { return SautsLigne::versCRLF(Texte->toPlainText()); }

void FormPostuler::fixerTexte(const QString& t)
{
    if (texte() != SautsLigne::versCRLF(t))
        Texte->setPlainText(SautsLigne::versWidget(t));
}

void FormPostuler::auPremierPlan() { premierPlan(this); }

// ------------------------------------------------------------------------------------------
// Load

void FormPostuler::Form_Load()
{
    FormCand& candidature = Forme<FormCand>();
    numero_ = candidature.champ(u"Num"_qs);

    // Centred on the main window across, on the register window down.
    QWidget* cadre = cadreDe(this);
    const int hauteurCand = Twips::depuisPixels(cadreDe(&candidature)->height());
    const Principale* principale = RegistreFenetres::instance().siChargee<Principale>();
    const int largeurPrincipale = principale ? principale->largeurTwips() : Largeur;
    const int propreLargeur = Twips::depuisPixels(cadre->width());
    const int propreHauteur = Twips::depuisPixels(cadre->height());
    cadre->move(Twips::point(std::max(0, (largeurPrincipale - propreLargeur) / 2),
                             std::max(0, (hauteurCand - propreHauteur) / 2)));

    WebBrowser1->Navigate(u"about:blank"_qs);

    // Up to five templates; the icons of absent ones go.
    File1.Path = dansDossierDonnees(u"Lettres"_qs);
    File1.Refresh();
    for (int i = 0; i < 5; ++i) {
        QString nom = File1.List(i);
        Modele[i]->setText(nom.replace(u".dat"_qs, QString()));
        ImageLettre[i]->setVisible(i < File1.ListCount());
    }
    ChargerModele(dansDossierDonnees(u"Lettres/"_qs + File1.List(0)));

    for (int i = 0; i < 5; ++i)
        CV[i]->setText(principale ? principale->ImageMenu[size_t(i)]->toolTip() : QString());

    // At load the subject is always the default one, whatever the template said.
    EmailDest->setText(candidature.champ(u"Email"_qs));
    Objet->setText(u"Réponse à l'annonce ref "_qs + candidature.champ(u"Reference"_qs));
    auPremierPlan();

    if (EmailDest->text().isEmpty() && !candidature.champ(u"www"_qs).isEmpty()) {
        Messagerie[1]->setEnabled(false);
        Messagerie[0]->setChecked(true);
    }
    if (!EmailDest->text().isEmpty())
        BoutonKVL2->hide();

    File2Liste.Path = Systeme::DossierDocuments();
    listerDocuments();

    Timer1->start();
    Timer1_Timer();
}

// ------------------------------------------------------------------------------------------
// The merge

void FormPostuler::ChargerModele(const QString& chemin)
{
    if (!QFileInfo(chemin).isFile()) {
        MsgBox(MessageSansModele);
        return;
    }
    // An unreadable file merges nothing from the template; the fields are still filled.
    const Fusion::Modele modele = Fusion::lireModele(FichiersTexte::lireLignes(chemin).value_or(QStringList()));
    auPremierPlan();
    const FormCand& candidature = Forme<FormCand>();
    const Fusion::Envoi resultat =
        Fusion::fusionner({texte(), Objet->text(), Email->text()}, modele, candidature.fiche(),
                          Plateforme::instance().horloge().aujourdhui());
    fixerTexte(resultat.texte);
    Objet->setText(resultat.objet);
    Email->setText(resultat.email);
}

void FormPostuler::Modele_Click(int index)
{
    const QString nom = Modele.value(index) ? Modele[index]->text() : QString();
    if (!nom.isEmpty())
        ChargerModele(dansDossierDonnees(u"Lettres/"_qs + nom + u".dat"_qs));
}

// ------------------------------------------------------------------------------------------
// The CV to attach

void FormPostuler::CV_Click(int index)
{
    const QString c = CV.value(index) ? CV[index]->text() : QString();
    if (c.isEmpty())
        return; // an empty desktop slot
    if (c.contains(u".doc") || c.contains(u".rtf") || c.contains(u".pdf")) {
        PJ->setText(dansDossierDonnees(u"CV/"_qs + c));
        return;
    }
    // A CV file: its word-processor copy, in the documents folder where the export writes it.
    QString copie = c;
    copie.replace(u".dat"_qs, u".doc"_qs);
    const QString chemin = Systeme::DossierDocuments() + copie;
    if (QFileInfo(chemin).isFile()) {
        PJ->setText(chemin);
        return;
    }
    if (MsgBox(u"Ce CV n'a pas été converti au format .doc. Souhaitez-vous le convertir maintenant ?"_qs, true)) {
        LiensFenetres::appeler(LiensFenetres::chargerFichierCV, dansDossierDonnees(u"CV/"_qs + c));
        LiensFenetres::appeler(LiensFenetres::afficherConversion);
    }
}

void FormPostuler::listerDocuments()
{
    File2Liste.Refresh();
    File2->clear();
    File2->addItems(File2Liste.noms());
}

void FormPostuler::Parcourir_Click()
{
    // Listed afresh: a CV converted since the window opened is there too.
    listerDocuments();
    if (File2->count() > 0) {
        File2->show();
        File2->raise();
        File2->setFocus();
    } else {
        MsgBox(u"Vous n'avez pas converti votre CV au format word (ou pdf, ou rtf ou odt)"_qs);
    }
}

void FormPostuler::File2_Click(const QString& nom)
{
    PJ->setText(QDir(File2Liste.Path).filePath(nom));
    File2->hide();
}

void FormPostuler::File2_LostFocus() { File2->hide(); }

// ------------------------------------------------------------------------------------------
// Recipient, mode, web page

void FormPostuler::EmailDest_Change()
{
    if (!EmailDest->text().contains(u'@'))
        return;
    BoutonKVL2->hide();
    Messagerie[1]->setEnabled(true);
    Messagerie[1]->setChecked(true);
}

void FormPostuler::Messagerie_Click(int index)
{
    BoutonKVL1->setLibelle(index == 0 ? u"Marquer comme envoyée"_qs : u"Envoyer la candidature"_qs);
}

void FormPostuler::BoutonKVL2_Click()
{
    FormCand& candidature = Forme<FormCand>();
    premierPlan(&candidature);
    candidature.CadreWeb->show();
    candidature.CadreWeb->raise();
    const QString adresse = candidature.www->text();
    if (candidature.CadreWeb->AdresseWeb->text() != adresse) {
        candidature.CadreWeb->AdresseWeb->setText(adresse);
        Attente::pomper();
        setCursor(Qt::WaitCursor);
        candidature.CadreWeb->Naviguer(adresse);
        unsetCursor();
    }
}

// ------------------------------------------------------------------------------------------
// Checks

std::array<bool, 5> FormPostuler::Verifications(const QString& email, const QString& emailDest, const QString& texte,
                                                const QString& objet, const QString& pj)
{
    auto adresse = [](const QString& t) { return !t.isEmpty() && t.contains(u'@') && t.contains(u'.'); };
    auto rempli = [](const QString& t) { return !t.isEmpty() && !t.contains(u'#'); };
    // A list of several attachments is not one file: it shows "X".
    return {adresse(email), adresse(emailDest), rempli(texte), rempli(objet), !pj.isEmpty() && QFileInfo(pj).isFile()};
}

void FormPostuler::Timer1_Timer()
{
    const std::array<bool, 5> ok = Verifications(Email->text(), EmailDest->text(), texte(), Objet->text(), PJ->text());
    for (int i = 0; i < 5; ++i) {
        Ok[i]->setText(ok[size_t(i)] ? u"Ok"_qs : u"X"_qs);
        Ok[i]->setStyleSheet(ok[size_t(i)] ? u"color: #00C000"_qs : u"color: #FF0000"_qs);
    }
}

// ------------------------------------------------------------------------------------------
// The send

namespace {
// True while a hand-over to the e-mail client runs. It belongs to no window: the user may close
// the sending window meanwhile, or open it again.
bool envoiEnCours = false;
} // namespace

Envoi::Messagerie::Resultat FormPostuler::EnvoyerParMAPI(const QString& destinataire, const QString& objet, QString corps,
                                                  const QString& piecesJointes)
{
    // The client may move the current directory, from which every path of the program is built.
    // It is put back also when the hand-over fails with an exception.
    struct RetourDossier {
        QString dossier = QDir::currentPath();
        ~RetourDossier() { QDir::setCurrent(dossier); }
    } retour;
    return Envoi::Messagerie::instance().envoyer(Envoi::preparer(destinataire, objet, corps, piecesJointes));
}

FormPostuler::EnvoiCandidature FormPostuler::envoiActuel() const
{
    // A window loaded for an application never stored sends the one the register shows now,
    // which may have been stored since.
    QString num = numero_;
    if (num.isEmpty())
        if (const FormCand* candidature = RegistreFenetres::instance().siChargee<FormCand>())
            num = candidature->champ(u"Num"_qs);
    return {num, EmailDest->text(), Objet->text(), texte(), PJ->text()};
}

bool FormPostuler::MarquerEnvoyee() { return Noter(envoiActuel()); }

bool FormPostuler::Noter(const EnvoiCandidature& envoi)
{
    const QDate aujourdhui = Plateforme::instance().horloge().aujourdhui();
    QPointer<FormCand> candidature = RegistreFenetres::instance().siChargee<FormCand>();

    if (candidature && candidature->champ(u"Num"_qs) == envoi.num) {
        // The register window shows the application: the sending goes into its fields and its
        // save, as any other change of the application would.
        candidature->fixerChamp(u"Statut"_qs, candidature->ListeStatuts->item(1)->text());
        candidature->fixerChamp(u"DateEnvoi"_qs, Fonctionnel::EcrireDate(aujourdhui));
        candidature->fixerChamp(u"CV"_qs, envoi.pj);
        candidature->fixerChamp(u"Lettre"_qs, envoi.texte);
        candidature->Valider();
        // Its messages let events run: the window may have gone since.
        if (!candidature)
            return false;
        // The save may have been refused or failed: the register is read back.
        bool numero = false;
        const qint64 num = candidature->champ(u"Num"_qs).toLongLong(&numero);
        if (!numero)
            return false;
        const std::unique_ptr<BaseCandidatures> base = BaseCandidatures::ouvrir(BaseCandidatures::cheminParDefaut());
        const std::optional<ChampsCandidature> stockee =
            base ? FicheCandidature::Charger(base->base(), num) : std::nullopt;
        if (!stockee || !candidature)
            return false;
        for (const QString& nom : {u"Statut"_qs, u"DateEnvoi"_qs, u"CV"_qs, u"Lettre"_qs})
            if (stockee->value(nom) != candidature->champ(nom))
                return false;
        return true;
    }

    // The register window shows another application, or is closed: the register is written
    // without it. An application never stored has nothing to be found by.
    bool numero = false;
    const qint64 num = envoi.num.toLongLong(&numero);
    if (!numero)
        return false;
    {
        const std::unique_ptr<BaseCandidatures> base = BaseCandidatures::ouvrir(BaseCandidatures::cheminParDefaut());
        if (!base || !EnvoiRegistre::noter(base->base(), num, aujourdhui, envoi.pj, envoi.texte))
            return false;
    }
    // The tree lists the application under its new status; the detail fields stay as they are.
    if (candidature)
        candidature->InitListe();
    return true;
}

void FormPostuler::BoutonKVL1_Click()
{
    // The client's window lets events run: a second click meanwhile, here or in a sending window
    // opened since, is not a second sending.
    if (envoiEnCours)
        return;
    const QScopedValueRollback<bool> garde(envoiEnCours, true);
    // The sending is bound to the window's application and to the message as it stands now.
    const EnvoiCandidature envoi = envoiActuel();
    const bool parEmail = Messagerie[1]->isChecked();
    // Once the client has been given the message, this window may be gone.
    const QPointer<FormPostuler> moi(this);
    try {
        if (parEmail) {
            const Envoi::Messagerie::Resultat r = EnvoyerParMAPI(envoi.destinataire, envoi.objet, envoi.texte, envoi.pj);
            if (r == Envoi::Messagerie::Resultat::Remis) {
                const bool note = Noter(envoi);
                // This window, or the one opened since on the same application.
                FormPostuler* fenetre = RegistreFenetres::instance().siChargee<FormPostuler>();
                if (fenetre && (fenetre == moi || (!envoi.num.isEmpty() && fenetre->numero_ == envoi.num))) {
                    if (note)
                        fenetre->BoutonKVL1->hide();
                    else // sent, but not recorded: the marking stays at hand, not a second e-mail
                        fenetre->Messagerie[0]->setChecked(true);
                }
                if (note)
                    MsgBox(u"Candidature envoyée"_qs);
                else
                    MsgBox(u"Candidature envoyée, mais le registre des candidatures n'a pas pu l'enregistrer comme "
                           "envoyée. Une fois le problème réglé, choisissez « Marquer comme envoyée »."_qs);
                return;
            }
            if (r == Envoi::Messagerie::Resultat::SansClient)
                MsgBox(u"Aucune messagerie n'est configurée sur cet ordinateur : la candidature n'a pas pu être "
                       "confiée à un logiciel de courrier. Vous devez effectuer l'envoi manuellement via votre "
                       "messagerie et noter la candidature comme envoyée"_qs);
            else
                MsgBox(u"Problème lors de l'envoi automatique. Vous devez effectuer l'envoi manuellement via votre "
                       "messagerie et noter la candidature comme envoyée"_qs);
            return;
        }
        if (Noter(envoi))
            MsgBox(u"La candidature a été marquée comme envoyée aujourd'hui. L'envoi doit être effectué par vous "
                   "même via votre propre messagerie ou par voie postale"_qs);
        else
            MsgBox(u"La candidature n'a pas pu être marquée comme envoyée : le registre des candidatures ne l'a "
                   "pas enregistrée."_qs);
    } catch (...) {
        MsgBox(u"Kerval ne parvient pas à se connecter à Internet"_qs);
    }
}

// ------------------------------------------------------------------------------------------
// Links

FormPostuler& FormPostuler::Ouvrir(bool* nouvelle)
{
    const QString num = Forme<FormCand>().champ(u"Num"_qs);
    RegistreFenetres& registre = RegistreFenetres::instance();
    if (const FormPostuler* f = registre.siChargee<FormPostuler>(); f && (num.isEmpty() || f->numero_ != num))
        registre.decharger(NomConception);
    if (nouvelle)
        *nouvelle = !registre.estChargee<FormPostuler>();
    return Forme<FormPostuler>();
}

void installerLiensEnvoi()
{
    FormCandLiens::ouvrirFenetreEnvoi = [](const QString& lettre, bool boutonEnvoiVisible,
                                           const std::optional<QString>& cv) {
        bool nouvelle = false;
        FormPostuler& f = FormPostuler::Ouvrir(&nouvelle);
        premierPlan(&f);
        // The application's stored letter and CV go into a window loaded for it just now; one
        // opened again for the same application keeps what the user typed there. An application
        // that has no letter yet (never sent) keeps the letter its load merged from the first
        // template, which would otherwise be lost before the user saw it.
        if (nouvelle) {
            if (!lettre.isEmpty())
                f.fixerTexte(lettre);
            if (cv && !cv->isEmpty())
                f.PJ->setText(*cv);
        }
        f.BoutonKVL1->setVisible(boutonEnvoiVisible);
        premierPlan(&f);
    };
}

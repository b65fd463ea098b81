#include "register/capture/capture_annonce.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTreeWidget>

#include "platform/attente.h"
#include "platform/navigateur.h"
#include "platform/plateforme.h"
#include "register/capture/regles_capture.h"
#include "register/web/cadre_web.h"
#include "register/web/preremplissage.h"
#include "register/web/preremplissage_envoi.h"
#include "register/window/form_disposition.h"
#include "register/window/formcand.h"

using namespace Disposition;

namespace {

constexpr int HautNavigateur = 330;   // the browser frame covers the capture bar
constexpr int HautBarreCapture = 660; // lowered, it uncovers it

QLabel* commande(QWidget* parent, const QString& nom, const QString& texte, QObject* filtre)
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    l->setCursor(Qt::PointingHandCursor);
    l->setStyleSheet(u"color: #c05000; font-weight: bold; text-decoration: underline;"_qs);
    l->installEventFilter(filtre);
    return l;
}

} // namespace

CaptureAnnonce::CaptureAnnonce(FormCand& fenetre) : QObject(&fenetre), f_(fenetre)
{
    setObjectName(u"CaptureAnnonce"_qs);
    CadreWeb* web = f_.CadreWeb;
    CaptureSel = commande(web, u"CaptureSel"_qs, u"Capturer l'annonce"_qs, this);
    placer(CaptureSel, 120, 375, 2100, 240);
    Label2 = commande(web, u"Label2"_qs, u"Préremplir les champs"_qs, this);
    placer(Label2, 2400, 375, 2300, 240);
    Niveau = new QFrame(web);
    Niveau->setObjectName(u"Niveau"_qs);
    Niveau->setStyleSheet(u"background: #ff9900; border: 1px solid #c05000;"_qs);
    Niveau->setToolTip(u"Vraisemblance d'une annonce dans la page affichée"_qs);
    placer(Niveau, 4900, 420, 1, 150);
    // Under the browser frame, which uncovers them when it slides down.
    for (QWidget* w : {static_cast<QWidget*>(CaptureSel), static_cast<QWidget*>(Label2),
                       static_cast<QWidget*>(Niveau)})
        w->lower();

    Analyser = commande(f_.CadreDetail, u"Analyser"_qs, u"⟳ Analyser"_qs, this);
    Analyser->setToolTip(u"Analyser à nouveau la description"_qs);
    // Between the description's caption and "Postuler": the window lines the three up.
    placer(Analyser, 5160 + 1650, 405, 850, 270);

    connect(web->WebBrowser1, &Navigateur::DocumentComplete, this,
            [this](const QString&, bool) { WebBrowser1_DocumentComplete(); });
}

QString CaptureAnnonce::messageAnnonceIntrouvable()
{
    return u"Kerval a des difficultés pour identifier l'annonce dans la page affichée. Pour cette offre, "
           "veuillez d'abord sélectionner le texte relatif à l'annonce puis cliquer à nouveau sur 'Capturer'"_qs;
}

bool CaptureAnnonce::eventFilter(QObject* objet, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        if (objet == CaptureSel)
            CaptureSel_Click();
        else if (objet == Label2)
            Preremplissage::Label2_Click(*f_.CadreWeb->WebBrowser1);
        else if (objet == Analyser)
            Analyser_Click();
    }
    return QObject::eventFilter(objet, e);
}

void CaptureAnnonce::Analyser_Click()
{
    f_.AnalyserAnnonce(f_.champ(u"Description"_qs));
    f_.ValeursParDefaut();
}

void CaptureAnnonce::CaptureSel_Click()
{
    // The browser holding the user's selection gives it directly: the clipboard is left alone.
    QPointer<FormCand> garde(&f_);
    Navigateur* nav = f_.CadreWeb->WebBrowser1;
    const QString selection = nav->selection();
    Attente::pomper();
    if (!garde)
        return;
    // A capture always makes a new application.
    f_.Num->clear();
    if (selection.isEmpty()) {
        CapturerPage();
        return;
    }
    f_.ViderFiche();
    f_.AnalyserAnnonce(selection);
    f_.Valider();
    MettreEnEvidence();
}

void CaptureAnnonce::CapturerPage()
{
    QPointer<FormCand> garde(&f_);
    Navigateur* nav = f_.CadreWeb->WebBrowser1;
    f_.ViderFiche();
    const QString html = nav->innerHTML();
    const QString texte = Capture::SeparerMotsColles(nav->innerText());
    f_.AnalyserAnnonce(texte);
    f_.DernierTexteAnalyse = f_.champ(u"Description"_qs);
    if (f_.champ(u"Intitule"_qs).isEmpty()) {
        MsgBox(messageAnnonceIntrouvable());
        return;
    }
    f_.Valider();

    // One job board keeps the employer's address on a second page: read it too, then come back.
    const std::optional<QString> suivante =
        Capture::AdressePageSuivante(html, f_.CadreWeb->AdresseWeb->text(), f_.champ(u"CP"_qs));
    if (suivante) {
        nav->Navigate(*suivante);
        QElapsedTimer chrono;
        chrono.start();
        bool chargee = true;
        while (nav->ReadyState() != EtatPage::Complet) {
            if (chrono.elapsed() > delaiPageSuivante) {
                chargee = false;
                break;
            }
            Attente::dormir(50);
            if (!garde)
                return;
        }
        Attente::dormir(100);
        if (!garde)
            return;
        if (chargee) {
            f_.fixerChamp(u"Description"_qs, f_.champ(u"Description"_qs) + u"\r\n"_qs + nav->innerText());
            f_.fixerChamp(u"Reference"_qs, {});
            f_.AnalyserAnnonce(f_.champ(u"Description"_qs));
            f_.Valider();
        }
        nav->GoBack();
    }
    MettreEnEvidence();
}

void CaptureAnnonce::MettreEnEvidence()
{
    QPointer<FormCand> garde(&f_);
    struct Etape {
        QColor couleur;
        int ms;
    };
    static const Etape etapes[] = {
        {{255, 170, 16}, 1000}, {{255, 187, 34}, 100},  {{255, 204, 68}, 100},
        {{255, 221, 102}, 100}, {{255, 238, 136}, 100}, {{255, 238, 170}, 100},
        {{255, 238, 204}, 100}, {{255, 238, 221}, 100}, {{255, 240, 238}, 100},
    };
    const QString cle = u"s"_qs + f_.Num->text();
    if (f_.Num->text().isEmpty() || !f_.noeud(cle))
        return;
    // The node is looked up again at every step: a save during the flash rebuilds the tree.
    for (const Etape& e : etapes) {
        if (QTreeWidgetItem* n = f_.noeud(cle))
            n->setBackground(0, e.couleur);
        Attente::dormir(e.ms);
        if (!garde)
            return;
    }
    if (QTreeWidgetItem* n = f_.noeud(cle))
        n->setBackground(0, QColor(255, 255, 255));
}

void CaptureAnnonce::glisserCadre(int arrivee)
{
    QPointer<FormCand> garde(&f_);
    QFrame* cadre = f_.CadreWeb->FrameWeb;
    const int pas = arrivee > haut(cadre) ? 15 : -15;
    while (pas > 0 ? haut(cadre) < arrivee : haut(cadre) > arrivee) {
        fixerHaut(cadre, haut(cadre) + pas);
        Attente::dormir(20);
        if (!garde)
            return;
    }
    fixerHaut(cadre, arrivee);
}

void CaptureAnnonce::WebBrowser1_DocumentComplete()
{
    QPointer<FormCand> garde(&f_);
    QPointer<Navigateur> nav = f_.CadreWeb->WebBrowser1;
    const QString adresse = nav->LocationURL();
    // Reading the page waits for its answer with events running: the window may close meanwhile.
    const QString texte = nav->innerText();
    if (!garde || !nav)
        return;
    const Capture::Jauge jauge = Capture::JaugePage(Capture::NoterPage(texte, adresse));

    f_.CadreWeb->AdresseWeb->setText(adresse);
    Attente::pomper();
    Attente::dormir(500);
    if (!garde)
        return;
    if (jauge.barreVisible) {
        glisserCadre(HautBarreCapture);
    } else {
        fixerLargeur(Niveau, 1);
        glisserCadre(HautNavigateur);
    }
    if (!garde)
        return;
    if (jauge.barreVisible)
        fixerLargeur(Niveau, jauge.largeur);

    // The sending window's details into the page's form, each field on its own.
    if (FenetreEnvoi::visible()) {
        if (const auto email = FenetreEnvoi::texte(u"Email"_qs)) {
            nav->fixerValeurNommee(u"EmailCV"_qs, *email);
            if (nav)
                nav->fixerValeurNommee(u"expediteur"_qs, *email);
        }
        if (const auto lettre = FenetreEnvoi::texte(u"Texte"_qs); lettre && nav)
            nav->fixerValeurNommee(u"message"_qs, *lettre);
    }
    if (garde)
        f_.unsetCursor();
}

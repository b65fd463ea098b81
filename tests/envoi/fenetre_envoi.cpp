#include "fenetre_envoi.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <utility>
#include <stdexcept>
#include <gtest/gtest.h>

#include "cveditor/fichier_controles.h"
#include "platform/fakes/faux_navigateur.h"
#include "register/store/base_candidatures.h"
#include "register/window/form_liens.h"
#include "shell/controls/bouton_kvl.h"
#include "shell/startup/ecran.h"
#include "shell/services/fichiers_texte.h"

Envoi::Messagerie::Resultat FausseMessagerie::envoyer(const Envoi::Message& message)
{
    messages << message;
    if (!pendant.empty()) {
        std::deque<std::function<void()>> etapes = std::exchange(pendant, {});
        QEventLoop attente;
        std::function<void()> suivante = [&] {
            if (etapes.empty()) {
                attente.quit(); // the client answers
                return;
            }
            const std::function<void()> etape = etapes.front();
            etapes.pop_front();
            etape();
            QTimer::singleShot(20, &attente, suivante);
        };
        QTimer::singleShot(0, &attente, suivante);
        enAttente = true;
        attente.exec();
        enAttente = false;
    }
    QDir::setCurrent(QDir::tempPath());
    if (lever)
        throw std::runtime_error("messagerie");
    if (resultats.empty())
        return Resultat::Remis;
    const Resultat r = resultats.front();
    resultats.pop_front();
    return r;
}

FenetreEnvoi::FenetreEnvoi(bool avecPrincipale)
    : plateforme(FaussePlateforme::installer()), ancienProfil_(qgetenv("userprofile")),
      ancienTousProfils_(qgetenv("ALLUSERSPROFILE"))
{
    dossier.entrer();
    FauxNavigateur::installer();
    QDir(dossier.donnees()).mkpath(u"Lettres"_qs);
    QDir(dossier.donnees()).mkpath(u"CV"_qs);
    QDir(dossier.appData()).mkpath(u"profil/Documents"_qs);
    qputenv("userprofile", QDir(dossier.appData()).filePath(u"profil"_qs).toUtf8());
    qputenv("ALLUSERSPROFILE", "C:/ProgramData");
    EXPECT_TRUE(BaseCandidatures::creerVide(dossier.chemin(u"Kerval.mdb"_qs)));
    auto m = std::make_unique<FausseMessagerie>();
    messagerie = m.get();
    Envoi::Messagerie::installer(std::move(m));
    if (avecPrincipale) {
        Ecran::simuler(QSize(1280, 1024));
        installerLiensEnvoi();
        principale = &Forme<Principale>();
        principale->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(principale));
    }
    cand = &Forme<FormCand>();
    cand->Timer1->stop();
    cand->Timer2->stop();
}

FenetreEnvoi::~FenetreEnvoi()
{
    RegistreFenetres::instance().decharger(FormPostuler::NomConception);
    RegistreFenetres::instance().decharger(FormCand::NomConception);
    RegistreFenetres::instance().toutDecharger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Ecran::simuler(std::nullopt);
    FormCandLiens::ouvrirFenetreEnvoi = nullptr;
    qputenv("userprofile", ancienProfil_);
    qputenv("ALLUSERSPROFILE", ancienTousProfils_);
}

void FenetreEnvoi::modele(const QString& nom, const QStringList& lignes) const
{
    EXPECT_TRUE(FichiersTexte::ecrireLignes(dossier.chemin(u"Lettres/"_qs + nom + u".dat"_qs), lignes));
}

void FenetreEnvoi::modeleType(const QString& nom, const QString& objet) const
{
    modele(nom, {u"CadreObjet="_qs, u"Objet="_qs + objet,
                 u"Text1=<N><N>#Titre# #NomContact#,<N><N>Votre annonce de #Intitule# parue le #DateDiffusion# "
                 "m'intéresse.<N>Cordialement,"_qs,
                 u"NomLettre="_qs + nom, u"1:Check_Modele=1"_qs, u"0:Corps=Texte"_qs, u"Email=helene@exemple.fr"_qs,
                 u"Prénom=Hélène"_qs, u"Nom=lebrun"_qs});
}

ChampsCandidature FenetreEnvoi::candidatureType()
{
    return {{u"Intitule"_qs, u"ASSISTANT COMMERCIAL"_qs}, {u"Societe"_qs, u"DURAND SA"_qs},
            {u"NomContact"_qs, u"Sophie Martin"_qs},      {u"Email"_qs, u"rh@durand.fr"_qs},
            {u"Reference"_qs, u"R-42"_qs},                {u"DateDiffusion"_qs, u"01/03/2024"_qs},
            {u"www"_qs, u"http://emplois.exemple.fr/42"_qs}};
}

qint64 FenetreEnvoi::candidature(const ChampsCandidature& champs)
{
    cand->ViderFiche();
    cand->remplirFiche(champs);
    cand->Valider();
    return cand->Num->text().toLongLong();
}

FormPostuler& FenetreEnvoi::envoi()
{
    FormPostuler& f = Forme<FormPostuler>();
    f.Timer1->stop();
    return f;
}

QString FenetreEnvoi::colonne(qint64 num, const QString& nom) const
{
    auto base = BaseCandidatures::ouvrir(dossier.chemin(u"Kerval.mdb"_qs));
    if (!base)
        return u"<pas de registre>"_qs;
    auto jeu = base->base().ouvrirJeu(u"select * from Candidatures where Num = ?"_qs, {num});
    if (!jeu || jeu->estVide())
        return u"<absent>"_qs;
    const QVariant v = jeu->valeur(nom);
    return v.isNull() ? u"<NULL>"_qs : v.toString();
}

QStringList FenetreEnvoi::messages()
{
    QStringList t = plateforme.dialogues->textes();
    plateforme.dialogues->messages.clear();
    return t;
}

QString FenetreEnvoi::documents() const { return QDir(dossier.appData()).filePath(u"profil/Documents"_qs); }

void FenetreEnvoi::cliquerFeuille(qint64 num, Qt::MouseButton bouton) const
{
    QTreeWidgetItem* feuille = cand->noeud(u"s"_qs + QString::number(num));
    ASSERT_TRUE(feuille) << num;
    cand->Liste->scrollToItem(feuille);
    QTest::mouseClick(cand->Liste->viewport(), bouton, {}, cand->Liste->visualItemRect(feuille).center());
}

void FenetreEnvoi::cliquerPostuler() const
{
    ASSERT_TRUE(cand->PicturePostuler->isVisible());
    QTest::mouseClick(cand->PicturePostuler, Qt::LeftButton, {}, cand->PicturePostuler->rect().center());
}

void FenetreEnvoi::postulerParLeMenu(qint64 num) const
{
    ASSERT_TRUE(principale);
    cliquerFeuille(num, Qt::RightButton);
    QMenu* menu = principale->MenuItemCand;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    ASSERT_TRUE(principale->MenuPostuler->isEnabled());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(principale->MenuPostuler).center());
}

void FenetreEnvoi::cliquerEnvoyer(const FormPostuler& f)
{
    ASSERT_TRUE(f.BoutonKVL1->isVisible());
    QLabel* libelle = f.BoutonKVL1->Label1;
    QTest::mouseClick(libelle, Qt::LeftButton, {}, libelle->rect().center());
}

void FenetreEnvoi::fermerCadre(QWidget* fenetre)
{
    auto* sous = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget());
    ASSERT_TRUE(sous);
    QStyleOptionTitleBar titre;
    titre.initFrom(sous);
    titre.subControls = QStyle::SC_All;
    titre.titleBarFlags = sous->windowFlags();
    titre.titleBarState = int(sous->windowState());
    titre.text = sous->windowTitle();
    titre.state |= QStyle::State_Active;
    titre.rect = QRect(0, 0, sous->width(), sous->style()->pixelMetric(QStyle::PM_TitleBarHeight, &titre, sous));
    const QRect croix =
        sous->style()->subControlRect(QStyle::CC_TitleBar, &titre, QStyle::SC_TitleBarCloseButton, sous);
    ASSERT_TRUE(croix.isValid());
    QTest::mouseMove(sous, croix.center());
    QTest::mouseClick(sous, Qt::LeftButton, {}, croix.center());
}

FormPostuler* FenetreEnvoi::envoiCharge()
{
    FormPostuler* f = RegistreFenetres::instance().siChargee<FormPostuler>();
    if (f)
        f->Timer1->stop();
    return f;
}

// The typical request, walked through the real windows as a user does it: from the home screen
// to the job search, an advertisement on a job board selected and captured into a new
// application, the sending window filled from it, the CV's Word copy attached, the message
// handed to the e-mail client; then, a month later, the program started again ages it.
// Real windows, real embedded browser, real register and files in a temporary data folder, the
// desktop's own message boxes; stand-ins only for the e-mail client (and the file opener).
// Also run by a child process under LANG=C.UTF-8.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUuid>
#include <QWebEngineView>
#include <functional>
#include <memory>
#include <optional>

#include "lecture_registre.h"
#include "letters/formpostuler.h"
#include "platform/navigateur.h"
#include "platform/plateforme.h"
#include "register/capture/capture_annonce.h"
#include "register/web/cadre_web.h"
#include "register/window/form_disposition.h"
#include "register/window/formcand.h"
#include "shell/controls/bouton_kvl.h"
#include "shell/controls/dessins.h"
#include "shell/home/assistant.h"
#include "shell/home/assistant_texte.h"
#include "shell/mainwindow/liens_modules.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"
#include "shell/services/registre_fenetres.h"
#include "shell/startup/depart.h"
#include "support/outils.h"

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// A user's screen of 1280 x 1024 rather than the bare offscreen screen of 800 x 600, below what
// the program needs. Set before the application starts; the child processes inherit it.
const QString ConfigurationEcran = [] {
    const QByteArray plateforme = qgetenv("QT_QPA_PLATFORM");
    if (!plateforme.isEmpty() && plateforme != "offscreen")
        return QString();
    const QString chemin = QDir::tempPath() + u"/kerval-parcours-ecran-"_qs + QString::number(QCoreApplication::applicationPid()) + u".json"_qs;
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(R"({"screens": [{"name": "ecran", "x": 0, "y": 0, "width": 1280, "height": 1024,
              "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + chemin).toUtf8());
    return chemin;
}();
struct NettoyageEcran {
    ~NettoyageEcran()
    {
        if (!ConfigurationEcran.isEmpty())
            QFile::remove(ConfigurationEcran);
    }
} nettoyageEcran;

const QString EnAttente = u"EMISE - EN ATTENTE DE REPONSE"_qs;
const QString SansReponse = u"EMISE - SANS REPONSE"_qs;
const QString Destinataire = u"recrutement@legoff-transports.fr"_qs;

using Outils::attendre;

// The desktop's message boxes, answered as the user answers them: OK clicked with the mouse.
// Every text shown is kept, in order.
class Reponses : public QObject {
public:
    QStringList textes;
    Reponses()
    {
        minuterie_.setInterval(20);
        connect(&minuterie_, &QTimer::timeout, this, [this] {
            auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!boite || !boite->isVisible() || boite == derniere_)
                return;
            QAbstractButton* ok = boite->button(QMessageBox::Ok);
            if (!ok)
                return;
            derniere_ = boite;
            textes << boite->text();
            QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
        });
        minuterie_.start();
    }
    QStringList prendre() { return std::exchange(textes, {}); }

private:
    QTimer minuterie_;
    QPointer<QMessageBox> derniere_;
};

// A row of the register, read through a connection of its own, read-only.
QVariantMap ligneRegistre(const QString& registre, qint64 num)
{
    QVariantMap valeurs;
    const QString nom = u"parcours-"_qs + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase base = QSqlDatabase::addDatabase(u"QSQLITE"_qs, nom);
        base.setDatabaseName(registre);
        base.setConnectOptions(u"QSQLITE_OPEN_READONLY"_qs);
        if (base.open()) {
            QSqlQuery q(base);
            q.prepare(u"select * from Candidatures where Num = ?"_qs);
            q.addBindValue(num);
            if (q.exec() && q.next())
                for (int i = 0; i < q.record().count(); ++i)
                    valeurs.insert(q.record().fieldName(i), q.value(i));
        }
        base.close();
    }
    QSqlDatabase::removeDatabase(nom);
    return valeurs;
}

QString texte(const QVariantMap& ligne, const QString& colonne)
{
    const QVariant v = ligne.value(colonne);
    return v.isNull() ? u"<NULL>"_qs : v.toString();
}

// A small program standing in for another one: the script's text after its first line.
void script(const QString& chemin, const QString& corps)
{
    Outils::ecrireOctets(chemin, (u"#!/bin/sh\n"_qs + corps).toUtf8());
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The arguments a stand-in recorded, one after the other (each ended by a NUL).
QStringList argumentsNotes(const QString& chemin)
{
    QStringList a = QString::fromUtf8(Outils::lireOctets(chemin)).split(QChar(0));
    if (!a.isEmpty() && a.last().isEmpty())
        a.removeLast();
    return a;
}

class Parcours : public ::testing::Test {
protected:
    DossierTemporaire dossier;
    QTemporaryDir outils; // the stand-ins' folder, first on PATH, and what they record
    Reponses reponses;
    Principale* principale = nullptr;
    QString registre;
    QString documents;
    QString copieWord;
    QString modeleLettre;

    void SetUp() override
    {
        ASSERT_TRUE(outils.isValid());
        anciens_ = {{"PATH", qgetenv("PATH")},
                     {"userprofile", qgetenv("userprofile")},
                     {"ALLUSERSPROFILE", qgetenv("ALLUSERSPROFILE")},
                     {"QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")}};
        registre = dossier.chemin(u"Kerval.mdb"_qs);

        // The e-mail client: xdg-email records its arguments and answers "handed over" after
        // a moment, as when the client's window opens. The file opener only records.
        script(outils.filePath(u"xdg-email"_qs),
               QStringLiteral("for a in \"$@\"; do printf '%s\\0' \"$a\"; done > '%1.part'\n"
                              "sleep 0.3\nmv '%1.part' '%1'\nexit 0\n")
                   .arg(outils.filePath(u"xdg-email.args"_qs)));
        script(outils.filePath(u"xdg-open"_qs),
               QStringLiteral("printf '%s\\n' \"$@\" >> '%1'\nexit 0\n").arg(outils.filePath(u"xdg-open.args"_qs)));
        qputenv("PATH", (outils.path() + u':' + qEnvironmentVariable("PATH")).toUtf8());
        // No page of this journey lies on the Internet: every host name fails at once, so that
        // the offers start page gives its error page without a network wait.
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --host-resolver-rules=\"MAP * ~NOTFOUND\"");

        // What the user has before this request: a CV, its Word copy in the documents folder,
        // a letter template. The data folder is laid down around them at start-up.
        QDir(dossier.appData()).mkpath(u"profil/Documents"_qs);
        qputenv("userprofile", QDir(dossier.appData()).filePath(u"profil"_qs).toUtf8());
        qputenv("ALLUSERSPROFILE", "C:\\ProgramData");
        documents = QDir(dossier.appData()).filePath(u"profil/Documents"_qs);
        copieWord = documents + u"/Lefort Anne.doc"_qs;
        Outils::ecrireOctets(copieWord, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "Anne Lefort, CV");
        QDir(dossier.donnees()).mkpath(u"CV"_qs);
        QDir(dossier.donnees()).mkpath(u"Lettres"_qs);
        ASSERT_TRUE(FichiersTexte::ecrireLignes(dossier.chemin(u"CV/Lefort Anne.dat"_qs),
                                                {u"LangueCV=Français"_qs, u"NomCV=Lefort Anne"_qs, u"Nom=Lefort"_qs,
                                                 u"Prénom=Anne"_qs, u"Adresse1=3 rue des Lilas"_qs, u"CP=29200"_qs,
                                                 u"Ville=Brest"_qs, u"Tel=06 11 22 33 44"_qs,
                                                 u"Email=anne.lefort@exemple.fr"_qs,
                                                 u"Fonction=Magasinière cariste"_qs}));
        modeleLettre = dossier.chemin(u"Lettres/Anne Lefort (ER).dat"_qs);
        ASSERT_TRUE(FichiersTexte::ecrireLignes(
            modeleLettre,
            {u"CadreObjet="_qs, u"Objet=Candidature au poste de #Intitule#"_qs,
             u"Text1=<N><N>#Titre# #NomContact#,<N><N>Votre annonce de #Intitule# (référence #Reference#) a retenu "
             "toute mon attention. Titulaire du CACES 3, je souhaite rejoindre #Societe#.<N><N>Je vous prie "
             "d'agréer mes salutations distinguées.<N>Anne Lefort"_qs,
             u"NomLettre=Anne Lefort (ER)"_qs, u"1:Check_Modele=1"_qs, u"0:Corps=Texte"_qs,
             u"Email=anne.lefort@exemple.fr"_qs, u"Prénom=Anne"_qs, u"Nom=Lefort"_qs}));

        for (const QString& f : {dossier.chemin(u"CV/Lefort Anne.dat"_qs), modeleLettre, copieWord})
            fichiersDeLUtilisateur_.insert(f, Outils::lireOctets(f));

        // The program as its main starts it: the desktop's services, every module's links, the
        // splash's load doing the whole start-up.
        Plateforme::installerLinux();
        Navigateur::fixerFabrique({});
        installerLiensModules();
        Forme<Depart>();
        principale = RegistreFenetres::instance().siChargee<Principale>();
        ASSERT_TRUE(principale);
    }

    void TearDown() override
    {
        RegistreFenetres::instance().toutDecharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (auto i = anciens_.cbegin(); i != anciens_.cend(); ++i)
            qputenv(i.key(), i.value());
    }

    // --- What the user does -----------------------------------------------------------------

    static void cliquer(QWidget* w, Qt::MouseButton bouton = Qt::LeftButton, QPoint ou = {})
    {
        QTest::mouseClick(w, bouton, {}, ou.isNull() ? w->rect().center() : ou);
        QCoreApplication::processEvents();
    }
    static void cliquer(BoutonKVL* b) { cliquer(b->Label1); }
    static void taper(QWidget* w, const QString& t) { Outils::taper(w, t); }

    // The home screen's entry of that caption: the pointer over its label, the highlight bar
    // gliding to it, a click on the bar.
    void choisirSurLAccueil(const QString& libelle)
    {
        auto* accueil = RegistreFenetres::instance().siChargee<AssistantTexte>();
        ASSERT_TRUE(accueil);
        int index = -1;
        for (int i = 2; i < 10; ++i)
            if (accueil->libelle(i) == libelle)
                index = i;
        ASSERT_GE(index, 0) << libelle.toStdString() << " not on the home screen";
        QWidget* label = accueil->Label1[size_t(index)];
        QTest::mouseMove(label, QPoint(20, label->height() / 2));
        QTest::mouseMove(label, label->rect().center());
        ASSERT_TRUE(attendre([&] {
            auto* barre = RegistreFenetres::instance().siChargee<Assistant>();
            return barre && barre->isVisible() && barre->libelleAligne() == libelle;
        })) << "the bar never came over " << libelle.toStdString();
        Assistant* barre = RegistreFenetres::instance().siChargee<Assistant>();
        cliquer(barre);
    }

    FormCand& registreOuvert() const
    {
        auto* f = RegistreFenetres::instance().siChargee<FormCand>();
        EXPECT_TRUE(f);
        return *f;
    }
    // Where an element of the page lies in the browser's view (the first one the selector finds).
    static std::optional<QRect> rectangle(Navigateur* nav, const QString& selecteur)
    {
        auto* vue = nav->findChild<QWebEngineView*>();
        if (!vue)
            return std::nullopt;
        struct Reponse {
            std::optional<QRect> r;
            bool repondu = false;
        };
        auto reponse = std::make_shared<Reponse>(); // the answer may come after the wait gave up
        vue->page()->runJavaScript(
            u"(function(){var e=document.querySelector('%1');if(!e)return null;var r=e.getBoundingClientRect();"
            "return [r.left,r.top,r.width,r.height];})()"_qs.arg(selecteur),
            [reponse](const QVariant& v) {
                const QVariantList l = v.toList();
                if (l.size() == 4)
                    reponse->r =
                        QRect(int(l[0].toDouble()), int(l[1].toDouble()), int(l[2].toDouble()), int(l[3].toDouble()));
                reponse->repondu = true;
            });
        attendre([&] { return reponse->repondu; });
        return reponse->r;
    }
    static QWidget* pageDuNavigateur(Navigateur* nav)
    {
        auto* vue = nav->findChild<QWebEngineView*>();
        return vue && vue->focusProxy() ? vue->focusProxy() : vue;
    }
    QString nomActive() const
    {
        QMdiSubWindow* s = principale->Espace->activeSubWindow();
        auto* f = s ? dynamic_cast<Fenetre*>(s->widget()) : nullptr;
        return f ? f->nomConception() : u"(aucune)"_qs;
    }

    // The journey itself, step by step; the checks of each step follow it.
    void parcourir();
    // The real program started on the same data folder, its clock 31 days ahead, until its
    // start-up has aged the application; then stopped as the desktop stops it.
    void demarrerUnMoisPlusTard();
    qint64 cand_ = 0; // the application of the journey

    // The user's CV, template and Word copy as they were before the journey.
    QMap<QString, QByteArray> fichiersDeLUtilisateur_;

private:
    QMap<const char*, QByteArray> anciens_;
};

void Parcours::parcourir()
{
    const QDate aujourdhui = QDate::currentDate();

    // --- Start-up: the main window, the home screen and its bar; the user's files kept -------
    ASSERT_TRUE(attendre([&] { return principale->isVisible(); }));
    EXPECT_TRUE(reponses.prendre().isEmpty());
    for (const char* d : {"CV", "Lettres", "Cand", "Modeles"})
        EXPECT_TRUE(QFileInfo(dossier.chemin(QString::fromLatin1(d))).isDir()) << d;
    ASSERT_EQ(nombreLignes(registre), 0);
    EXPECT_EQ(principale->ImageMenu[0]->toolTip(), u"Lefort Anne.dat"_qs);
    EXPECT_EQ(principale->Email->text(), u"anne.lefort@exemple.fr"_qs);
    EXPECT_EQ(principale->ImageMenu[10]->genre(), Dessins::Icone::Nouveau); // no application yet
    ASSERT_TRUE(RegistreFenetres::instance().estChargee<AssistantTexte>());

    // --- "Gérer les candidatures", then "Recherche des offres sur Internet" -------------------
    choisirSurLAccueil(u"Gérer les candidatures"_qs);
    auto* accueil = RegistreFenetres::instance().siChargee<AssistantTexte>();
    ASSERT_TRUE(accueil);
    ASSERT_EQ(accueil->libelle(5), u"Recherche des offres sur Internet"_qs);
    choisirSurLAccueil(u"Recherche des offres sur Internet"_qs);

    FormCand& cand = registreOuvert();
    ASSERT_TRUE(cand.isVisible());
    EXPECT_EQ(nomActive(), FormCand::NomConception);
    EXPECT_TRUE(cand.CadreWeb->isVisible());
    // The register is empty: the tip says how to record an advertisement.
    EXPECT_TRUE(principale->InfoGuide->text().startsWith(u"Positionnez-vous sur une annonce"_qs))
        << principale->InfoGuide->text().toStdString();
    Navigateur* nav = cand.CadreWeb->WebBrowser1;
    // The offers start page, which cannot be reached here: its load ends all the same, and the
    // address box shows its address.
    const QString depart = principale->AdresseWeb->text();
    EXPECT_EQ(nav->LocationURL(), depart);
    EXPECT_TRUE(attendre([&] {
        return nav->ReadyState() == EtatPage::Complet && cand.CadreWeb->AdresseWeb->text() == depart;
    })) << cand.CadreWeb->AdresseWeb->text().toStdString();
    EXPECT_TRUE(reponses.prendre().isEmpty());

    // --- The job board's page, its address typed into the address box ------------------------
    const QString page = QDir(QStringLiteral(KERVAL_SOURCE)).filePath(u"tests/parcours/annonce.html"_qs);
    const QString adresse = QUrl::fromLocalFile(page).toString();
    QLineEdit* barreAdresse = cand.CadreWeb->AdresseWeb;
    cliquer(barreAdresse);
    QTest::keyClick(barreAdresse, Qt::Key_A, Qt::ControlModifier);
    taper(barreAdresse, adresse);
    QTest::keyClick(barreAdresse, Qt::Key_Return);
    ASSERT_TRUE(attendre([&] {
        return nav->ReadyState() == EtatPage::Complet && nav->LocationURL() == adresse &&
               barreAdresse->text() == adresse && Disposition::haut(cand.CadreWeb->FrameWeb) == 660;
    })) << nav->LocationURL().toStdString() << " " << Disposition::haut(cand.CadreWeb->FrameWeb);
    // It looks like an advertisement: the capture bar is uncovered, the gauge shows it.
    EXPECT_TRUE(cand.Capture->CaptureSel->isVisible());
    EXPECT_GT(Disposition::largeur(cand.Capture->Niveau), 1);
    EXPECT_TRUE(nav->innerText().contains(u"Magasinier cariste H/F"_qs));

    // --- The advertisement selected with the mouse, from its title to its last line, then
    //     captured ---------------------------------------------------------------------------
    QWidget* vue = pageDuNavigateur(nav);
    ASSERT_TRUE(vue);
    const std::optional<QRect> debut = rectangle(nav, u"h1"_qs);
    const std::optional<QRect> fin = rectangle(nav, u"#annonce p:last-child"_qs);
    ASSERT_TRUE(debut && fin);
    const QPoint depuis(debut->left() + 2, debut->center().y());
    const QPoint jusque(fin->right() - 2, fin->bottom() - 4);
    QTest::mouseMove(vue, depuis);
    QTest::mousePress(vue, Qt::LeftButton, {}, depuis);
    for (int i = 1; i <= 10; ++i)
        QTest::mouseMove(vue, depuis + (jusque - depuis) * i / 10);
    QTest::mouseRelease(vue, Qt::LeftButton, {}, jusque);
    ASSERT_TRUE(attendre([&] { return nav->selection().contains(u"recrutement@legoff-transports.fr"_qs); }))
        << nav->selection().toStdString();
    EXPECT_TRUE(nav->selection().startsWith(u"Magasinier cariste H/F"_qs)) << nav->selection().toStdString();
    EXPECT_FALSE(nav->selection().contains(u"Emplois Ouest"_qs));

    // The flash of the new node, one look at each colour.
    QList<QColor> couleurs;
    QTimer espion;
    QObject::connect(&espion, &QTimer::timeout, [&] {
        if (QTreeWidgetItem* n = cand.noeud(u"s"_qs + cand.Num->text())) {
            const QColor c = n->background(0).color();
            if (couleurs.isEmpty() || couleurs.last() != c)
                couleurs << c;
        }
    });
    espion.start(0);
    cliquer(cand.Capture->CaptureSel);
    ASSERT_TRUE(attendre([&] { return nombreLignes(registre) == 1 && !cand.Num->text().isEmpty(); }));
    espion.stop();
    EXPECT_TRUE(reponses.prendre().isEmpty());

    const qint64 num = cand.Num->text().toLongLong();
    ASSERT_GT(num, 0);
    cand_ = num;
    QVariantMap ligne = ligneRegistre(registre, num);
    EXPECT_EQ(texte(ligne, u"Intitule"_qs), u"Magasinier Cariste"_qs);
    EXPECT_EQ(texte(ligne, u"courriel"_qs), Destinataire);
    EXPECT_EQ(texte(ligne, u"Statut"_qs), u"NON EMISE"_qs);
    EXPECT_EQ(texte(ligne, u"DateEnvoi"_qs), u"<NULL>"_qs);
    EXPECT_EQ(texte(ligne, u"Datediffussion"_qs), aujourdhui.toString(Qt::ISODate));
    EXPECT_EQ(texte(ligne, u"www"_qs), adresse);
    EXPECT_TRUE(texte(ligne, u"Description"_qs).contains(u"Candidature par courriel"_qs));
    EXPECT_FALSE(texte(ligne, u"Description"_qs).contains(u"Mentions légales"_qs));
    // The advertisement's details, in the register and as the window shows them.
    const QMap<QString, QString> annonce = {
        {u"Intitule"_qs, u"Magasinier Cariste"_qs},
        {u"Societe"_qs, u"LEGOFF-TRANSPORTS"_qs},
        {u"NomContact"_qs, u"Nathalie Kerherve"_qs},
        {u"Telephone"_qs, u"02 98 44 55 66"_qs},
        {u"Reference"_qs, u"MAG 7731"_qs},
        {u"Nature"_qs, u"CDI,CONTRAT A DUREE INDETERMINEE"_qs},
        {u"Lieu"_qs, u"Brest"_qs},
        {u"Salaire"_qs, u"1 900 Euros Brut Mensuel"_qs},
        {u"Adresse"_qs, u"14 Rue De Siam"_qs},
        {u"CP"_qs, u"29200"_qs},
        {u"Ville"_qs, u"BREST"_qs},
    };
    for (auto i = annonce.cbegin(); i != annonce.cend(); ++i) {
        EXPECT_EQ(texte(ligne, i.key()).trimmed(), i.value()) << i.key().toStdString();
        EXPECT_EQ(cand.champ(i.key()).trimmed(), i.value()) << i.key().toStdString();
    }
    EXPECT_EQ(cand.champ(u"Description"_qs).trimmed(), texte(ligne, u"Description"_qs).trimmed());
    EXPECT_TRUE(cand.champ(u"Description"_qs).contains(u"Référence : MAG-7731\r\nContrat : CDI\r\n"_qs));
    EXPECT_EQ(cand.champ(u"Statut"_qs), u"NON EMISE"_qs);
    EXPECT_EQ(cand.champ(u"Email"_qs), Destinataire);
    EXPECT_EQ(cand.champ(u"DateDiffusion"_qs), Fonctionnel::EcrireDate(aujourdhui));
    // Flashed in the tree: orange first, white at the end.
    QTreeWidgetItem* feuille = cand.noeud(u"s"_qs + QString::number(num));
    ASSERT_TRUE(feuille);
    ASSERT_FALSE(couleurs.isEmpty());
    EXPECT_EQ(couleurs.first(), QColor(255, 170, 16));
    EXPECT_EQ(feuille->background(0).color(), QColor(255, 255, 255));
    ASSERT_TRUE(feuille->parent());
    EXPECT_EQ(feuille->parent()->text(0), u"Candidatures non émises"_qs);
    EXPECT_TRUE(feuille->text(0).contains(texte(ligne, u"Intitule"_qs)));
    // The desktop's register icon shows a register that holds applications now.
    EXPECT_EQ(principale->ImageMenu[10]->genre(), Dessins::Icone::Candidature);

    // --- The application opened from the tree, then "Postuler" in its menu ---------------------
    cand.Liste->scrollToItem(feuille);
    cliquer(cand.Liste->viewport(), Qt::LeftButton, cand.Liste->visualItemRect(feuille).center());
    EXPECT_EQ(cand.Num->text(), QString::number(num));
    EXPECT_FALSE(cand.CadreWeb->isVisible()); // the detail fields in front again
    EXPECT_TRUE(cand.PicturePostuler->isVisible());
    feuille = cand.noeud(u"s"_qs + QString::number(num));
    ASSERT_TRUE(feuille);
    cliquer(cand.Liste->viewport(), Qt::RightButton, cand.Liste->visualItemRect(feuille).center());
    QMenu* menu = principale->MenuItemCand;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    ASSERT_TRUE(principale->MenuPostuler->isEnabled());
    cliquer(menu, Qt::LeftButton, menu->actionGeometry(principale->MenuPostuler).center());

    // The sending window: recipient and subject from the application, the first template merged.
    auto* envoi = RegistreFenetres::instance().siChargee<FormPostuler>();
    ASSERT_TRUE(envoi);
    ASSERT_TRUE(envoi->isVisible());
    EXPECT_EQ(nomActive(), FormPostuler::NomConception);
    EXPECT_TRUE(reponses.prendre().isEmpty());
    ligne = ligneRegistre(registre, num);
    const QString reference = texte(ligne, u"Reference"_qs);
    EXPECT_EQ(envoi->Modele[0]->text(), u"Anne Lefort (ER)"_qs);
    EXPECT_TRUE(envoi->Modele[1]->text().isEmpty());
    EXPECT_EQ(envoi->CV[0]->text(), u"Lefort Anne.dat"_qs);
    EXPECT_EQ(envoi->EmailDest->text(), Destinataire);
    EXPECT_EQ(envoi->Objet->text(), u"Réponse à l'annonce ref "_qs + reference);
    EXPECT_EQ(envoi->Email->text(), u"Anne Lefort<anne.lefort@exemple.fr>"_qs);
    // The contact's first name is a woman's: "Madame".
    const QString lettreAttendue =
        u"Madame Nathalie Kerherve,\r\n\r\nVotre annonce de Magasinier Cariste (référence MAG 7731) a retenu toute "
        "mon attention. Titulaire du CACES 3, je souhaite rejoindre LEGOFF-TRANSPORTS.\r\n\r\nJe vous prie "
        "d'agréer mes salutations distinguées.\r\nAnne Lefort"_qs;
    EXPECT_EQ(envoi->texte(), lettreAttendue);
    EXPECT_TRUE(envoi->Messagerie[1]->isChecked()); // "Envoi par Email"
    EXPECT_TRUE(envoi->BoutonKVL2->isHidden());      // the recipient is known: no "Postuler en ligne"

    // --- The CV's Word copy, chosen in the documents folder through "Parcourir" ------------------
    cliquer(envoi->Parcourir);
    ASSERT_TRUE(envoi->File2->isVisible());
    const QList<QListWidgetItem*> copies = envoi->File2->findItems(u"Lefort Anne.doc"_qs, Qt::MatchExactly);
    ASSERT_EQ(copies.size(), 1);
    cliquer(envoi->File2->viewport(), Qt::LeftButton, envoi->File2->visualItemRect(copies.first()).center());
    EXPECT_FALSE(envoi->File2->isVisible());
    EXPECT_EQ(envoi->PJ->text(), copieWord);
    // The checks before sending: all five ready.
    EXPECT_TRUE(attendre([&] {
        for (QLabel* ok : envoi->Ok)
            if (ok->text() != u"Ok"_qs)
                return false;
        return true;
    })) << envoi->Ok[0]->text().toStdString() << envoi->Ok[1]->text().toStdString() << envoi->Ok[2]->text().toStdString()
        << envoi->Ok[3]->text().toStdString() << envoi->Ok[4]->text().toStdString();
    const QString lettre = envoi->texte();
    const QString objet = envoi->Objet->text();

    // --- Sent: the e-mail client is handed the message --------------------------------------------
    cliquer(envoi->BoutonKVL1);
    ASSERT_TRUE(attendre([&] { return !reponses.textes.isEmpty(); }));
    EXPECT_EQ(reponses.prendre(), QStringList{u"Candidature envoyée"_qs});
    QString corps = lettre;
    corps.replace(u"\r\n"_qs, u"\n"_qs);
    EXPECT_EQ(argumentsNotes(outils.filePath(u"xdg-email.args"_qs)),
              (QStringList{u"--utf8"_qs, u"--to"_qs, Destinataire, u"--subject"_qs, objet, u"--body"_qs, corps,
                           u"--attach"_qs, copieWord}));
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(), QFileInfo(dossier.donnees()).canonicalFilePath());

    // The application is sent, waiting for an answer, with today's date, its CV and letter.
    ligne = ligneRegistre(registre, num);
    EXPECT_EQ(texte(ligne, u"Statut"_qs), EnAttente);
    EXPECT_EQ(texte(ligne, u"DateEnvoi"_qs), aujourdhui.toString(Qt::ISODate));
    EXPECT_EQ(texte(ligne, u"CV"_qs), copieWord);
    EXPECT_EQ(texte(ligne, u"Lettre"_qs), lettre);
    EXPECT_EQ(nombreLignes(registre), 1);
    EXPECT_EQ(cand.champ(u"Statut"_qs), EnAttente);
    EXPECT_EQ(cand.champ(u"DateEnvoi"_qs), Fonctionnel::EcrireDate(aujourdhui));
    EXPECT_EQ(cand.champ(u"CV"_qs), copieWord);
    EXPECT_EQ(cand.champ(u"Lettre"_qs), lettre);
    EXPECT_TRUE(envoi->BoutonKVL1->isHidden());
    EXPECT_TRUE(envoi->DejaEnvoyee->isVisible());
    feuille = cand.noeud(u"s"_qs + QString::number(num));
    ASSERT_TRUE(feuille && feuille->parent());
    EXPECT_EQ(feuille->parent()->text(0), u"Candidatures émises - en attente de reponse"_qs);

    // --- The user closes the program -------------------------------------------------------------
    principale->close();
    ASSERT_TRUE(attendre([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return RegistreFenetres::instance().fenetres().isEmpty();
    }));
    EXPECT_TRUE(reponses.prendre().isEmpty());

    // --- Thirty-one days later the program starts again and ages the application -----------------
    demarrerUnMoisPlusTard();
    ligne = ligneRegistre(registre, num);
    EXPECT_EQ(texte(ligne, u"Statut"_qs), SansReponse);
    EXPECT_EQ(texte(ligne, u"DateEnvoi"_qs), aujourdhui.toString(Qt::ISODate));
    EXPECT_EQ(texte(ligne, u"CV"_qs), copieWord);
    EXPECT_EQ(texte(ligne, u"Lettre"_qs), lettre);

    // The user's own files are as they were; nothing was handed to the desktop's file opener.
    for (auto i = fichiersDeLUtilisateur_.cbegin(); i != fichiersDeLUtilisateur_.cend(); ++i)
        EXPECT_EQ(Outils::lireOctets(i.key()), i.value()) << i.key().toStdString();
    EXPECT_FALSE(QFileInfo::exists(outils.filePath(u"xdg-open.args"_qs)));
}

void Parcours::demarrerUnMoisPlusTard()
{
    // libfaketime, as the Debian package lays it down.
    QString faketime;
    for (const QString& dossier : {u"/usr/lib/x86_64-linux-gnu/faketime"_qs, u"/usr/lib/aarch64-linux-gnu/faketime"_qs,
                                   u"/usr/lib/faketime"_qs, u"/usr/local/lib/faketime"_qs})
        if (QFileInfo::exists(dossier + u"/libfaketimeMT.so.1"_qs))
            faketime = dossier + u"/libfaketimeMT.so.1"_qs;
    ASSERT_FALSE(faketime.isEmpty()) << "libfaketime is missing (scripts/installer-dependances installs it)";
    const QString ecran = outils.filePath(u"ecran.json"_qs);
    Outils::ecrireOctets(ecran, R"({"screens": [{"name": "ecran", "x": 0, "y": 0, "width": 1280, "height": 1024,
                                "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    QProcess kerval;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"AppData"_qs, dossier.appData());
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen:configfile="_qs + ecran);
    env.insert(u"QTWEBENGINE_DISABLE_SANDBOX"_qs, u"1"_qs);
    kerval.setProcessChannelMode(QProcess::MergedChannels);
    // The whole program sees a clock 31 days ahead; its timers keep the real pace.
    env.insert(u"LD_PRELOAD"_qs, faketime);
    env.insert(u"FAKETIME"_qs, u"+31d"_qs);
    env.insert(u"FAKETIME_DONT_FAKE_MONOTONIC"_qs, u"1"_qs);
    kerval.setProcessEnvironment(env);
    kerval.start(QStringLiteral(KERVAL_EXECUTABLE), {});
    ASSERT_TRUE(kerval.waitForStarted(10000));
    QElapsedTimer chrono;
    chrono.start();
    while (texte(ligneRegistre(registre, cand_), u"Statut"_qs) != SansReponse &&
           kerval.state() == QProcess::Running && chrono.elapsed() < 30000)
        kerval.waitForFinished(100);
    ASSERT_EQ(kerval.state(), QProcess::Running) << kerval.readAll().toStdString();
    kerval.terminate(); // SIGTERM: handled as closing the main window
    ASSERT_TRUE(kerval.waitForFinished(20000));
    EXPECT_EQ(kerval.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(kerval.exitCode(), 0) << kerval.readAll().toStdString();
}

} // namespace

TEST_F(Parcours, DeLAnnonceALaCandidatureEnvoyeePuisSansReponse)
{
    if (!qEnvironmentVariableIsEmpty("KERVAL_LOCALE_SYSTEME"))
        EXPECT_EQ(QLocale().name(), u"C"_qs); // the child run, under LANG=C.UTF-8
    parcourir();
}

// The same journey in a child process under LANG=C.UTF-8, whose dates are not French ones.
TEST(ParcoursLocales, SousLangCUtf8)
{
    if (!qEnvironmentVariableIsEmpty("KERVAL_LOCALE_SYSTEME"))
        GTEST_SKIP() << "already the child run";
    Outils::relancerSousCUtf8(u"Parcours.DeLAnnonceALaCandidatureEnvoyeePuisSansReponse"_qs);
}

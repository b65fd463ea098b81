// The shorter request, walked by a user through the real windows: from the home screen, a new CV
// typed box by box; each leaving shows the page again in the real preview browser; the CV file
// and its desktop icon once a name is known; the Word copy in the documents folder. The program
// starts as its executable does, with the desktop's own services; only the office suite is a
// stand-in. Run once more in a child process under LANG=C.UTF-8.
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <cmath>
#include <functional>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include "lecture_registre.h"
#include "cveditor/formrediger_cv.h"
#include "outils.h"
#include "platform/attente.h"
#include "platform/fakes/faux_navigateur.h"
#include "platform/plateforme.h"
#include "shell/controls/bouton_kvl.h"
#include "shell/dialogs/formconvert.h"
#include "shell/home/assistant.h"
#include "shell/home/assistant_texte.h"
#include "shell/mainwindow/liens_modules.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/registre_fenetres.h"
#include "shell/startup/depart.h"
#include "shell/startup/ecran.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// The desktop this program runs on: the office suite's stand-in, and its word processor as the
// desktop's program for Word documents, as a distribution's LibreOffice declares it. GLib reads
// the desktop's folders once per process, so they are set before any test runs.
class BureauDEssai : public ::testing::Environment {
public:
    static inline QString racine;
    static QString bin() { return racine + u"/bin"_qs; }
    static QString soffice() { return bin() + u"/soffice"_qs; }
    static QString appels() { return racine + u"/appels"_qs; }
    static QString pageRecue() { return racine + u"/page-recue.html"_qs; }

    void SetUp() override
    {
        dossier_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dossier_->isValid());
        racine = dossier_->path();
        const QDir r(racine);
        for (const char* d : {"bin", "donnees/applications", "config", "systeme", "configsysteme"})
            r.mkpath(QString::fromLatin1(d));
        // Every call is one line, its arguments separated by the unit separator. A conversion
        // takes a moment, writes "<page>.doc" (an OLE header, then the page) into the output
        // folder and says so; opening a document keeps the program a moment, as its window would.
        Outils::ecrireOctets(soffice(), R"(#!/bin/sh
ici=$(dirname "$0")/..
{ printf 'soffice'; for a in "$@"; do printf '\037%s' "$a"; done; printf '\n'; } >> "$ici/appels"
sortie=''; conversion=''; precedent=''; page=''
for a in "$@"; do
  case "$precedent" in
    --outdir) sortie="$a" ;;
    --convert-to) conversion="$a" ;;
  esac
  precedent="$a"; page="$a"
done
if [ -n "$conversion" ]; then
  sleep 1
  nom=$(basename "$page"); nom="${nom%.*}"
  /bin/cp "$page" "$ici/page-recue.html"
  { printf '\320\317\021\340\241\261\032\341'; /bin/cat "$page"; } > "$sortie/$nom.doc"
  echo "convert $page -> $sortie/$nom.doc using filter : MS Word 97"
  exit 0
fi
sleep 1
exit 0
)");
        QFile::setPermissions(soffice(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Outils::ecrireOctets(r.filePath(u"donnees/applications/libreoffice-writer.desktop"_qs),
                             "[Desktop Entry]\nType=Application\nName=LibreOffice Writer\n"
                             "MimeType=application/msword;application/vnd.oasis.opendocument.text;\n"
                             "Exec=" + soffice().toUtf8() + " --writer %U\n");
        Outils::ecrireOctets(r.filePath(u"config/mimeapps.list"_qs),
                             "[Default Applications]\napplication/msword=libreoffice-writer.desktop\n");
        qputenv("XDG_DATA_HOME", r.filePath(u"donnees"_qs).toUtf8());
        qputenv("XDG_CONFIG_HOME", r.filePath(u"config"_qs).toUtf8());
        // The shared folders stay, for the types of files.
        qputenv("XDG_DATA_DIRS", (r.filePath(u"systeme"_qs) + u":/usr/local/share:/usr/share"_qs).toUtf8());
        qputenv("XDG_CONFIG_DIRS", r.filePath(u"configsysteme"_qs).toUtf8());
    }
    void TearDown() override { dossier_.reset(); }

private:
    std::unique_ptr<QTemporaryDir> dossier_;
};

[[maybe_unused]] ::testing::Environment* const bureau = ::testing::AddGlobalTestEnvironment(new BureauDEssai);

using Variable = VariableTemporaire;

// The desktop's message boxes, answered as a user does, by a click on their OK button; what they
// said is kept. A box the journey does not expect would otherwise hold it for ever.
class ReponsesAuxBoites : public QObject {
public:
    QStringList textes;
    ReponsesAuxBoites()
    {
        minuterie_.setInterval(50);
        QObject::connect(&minuterie_, &QTimer::timeout, this, [this] {
            auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!boite || !boite->isVisible() || boite == derniere_)
                return;
            derniere_ = boite;
            textes << boite->text();
            if (QAbstractButton* ok = boite->button(QMessageBox::Ok))
                QTest::mouseClick(ok, Qt::LeftButton);
        });
        minuterie_.start();
    }

private:
    QTimer minuterie_;
    QPointer<QMessageBox> derniere_;
};

using Outils::taper;

void pomper()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

using Outils::attendre;

std::string nomFocus()
{
    QWidget* f = QApplication::focusWidget();
    return f ? f->objectName().toStdString() + " (" + f->metaObject()->className() + ")" : std::string("none");
}

class ParcoursCV : public ::testing::Test {
protected:
    void SetUp() override
    {
        // As the executable does: the desktop's own services, the module links, the splash.
        FauxNavigateur::desinstaller();
        Plateforme::installerLinux();
        // The offscreen screen of the test run is smaller than the program asks for; the
        // journey is walked on the screen a user has.
        const QScreen* ecran = QGuiApplication::primaryScreen();
        if (!ecran || ecran->geometry().width() < 1024 || ecran->geometry().height() < 768)
            Ecran::simuler(QSize(1280, 1024));
        QDir().mkpath(documents());
        if (documentsXdg())
            Outils::ecrireOctets(BureauDEssai::racine + u"/config/user-dirs.dirs"_qs,
                                 "XDG_DOCUMENTS_DIR=\"" + documents().chopped(1).toUtf8() + "\"\n");
        Outils::ecrireOctets(BureauDEssai::appels(), {});
        QFile::remove(BureauDEssai::pageRecue());
        installerLiensModules();
        Depart::demarrer();
        pomper();
        principale = RegistreFenetres::instance().siChargee<Principale>();
        ASSERT_NE(principale, nullptr);
    }
    void TearDown() override
    {
        RegistreFenetres::instance().toutDecharger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Ecran::simuler(std::nullopt);
    }

    QString chemin(const QString& relatif) const { return dossier.chemin(relatif); }
    QString page() const { return FichiersTexte::lire(chemin(u"Modeles/CVtemp.html"_qs)).value_or(QString()); }

    // The calls the office suite's stand-in received, each as its list of arguments.
    static QList<QStringList> appelsSoffice()
    {
        QList<QStringList> appels;
        const QString t = QString::fromUtf8(Outils::lireOctets(BureauDEssai::appels()));
        for (const QString& ligne : t.split(u'\n', Qt::SkipEmptyParts))
            appels << ligne.split(QChar(0x1F)).mid(1);
        return appels;
    }

    AssistantTexte* accueil() const { return RegistreFenetres::instance().siChargee<AssistantTexte>(); }
    static Assistant* barre() { return RegistreFenetres::instance().siChargee<Assistant>(); }

    // On the home screen: the pointer over a menu entry, the bar glides to it, a click on the bar.
    void choisirALAccueil(int index, const QString& libelle)
    {
        AssistantTexte* a = accueil();
        ASSERT_NE(a, nullptr);
        ASSERT_EQ(a->libelle(index), libelle);
        QWidget* entree = a->Label1[size_t(index)];
        QTest::mouseMove(entree, entree->rect().center());
        pomper();
        // The bar comes back on the glide timer's next tick and goes to the entry.
        ASSERT_TRUE(attendre(
            [&] { return barre() && barre()->isVisible() && std::abs(barre()->Top() - a->PositionCible) < 1; }, 10000));
        ASSERT_EQ(barre()->libelleAligne(), libelle);
        Assistant* b = barre();
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
        pomper();
    }

    // The pointer into a box with a click.
    static void cliquerDans(QWidget* boite)
    {
        auto* texte = qobject_cast<QPlainTextEdit*>(boite);
        QWidget* cible = texte ? texte->viewport() : boite;
        QTest::mouseClick(cible, Qt::LeftButton, Qt::NoModifier, cible->rect().center());
        pomper();
    }

    // Leaves the box that has the focus with Tab; the preview shows the page once more, and it
    // holds each of the texts, in the file and in the browser.
    void quitterEtVoir(const QStringList& textes)
    {
        QWidget* boite = QApplication::focusWidget();
        ASSERT_NE(boite, nullptr);
        const int avant = complets;
        const QString pageAvant = page();
        QTest::keyClick(boite, Qt::Key_Tab);
        pomper();
        EXPECT_NE(QApplication::focusWidget(), boite) << nomFocus();
        ASSERT_TRUE(attendre([&] { return complets > avant; }, 20000))
            << "shown: " << cv->WebBrowser1->LocationURL().left(200).toStdString() << ", state "
            << cv->WebBrowser1->ReadyState() << ", page written: " << (page() != pageAvant) << ", focus "
            << nomFocus() << ", identity frame hidden: " << cv->FrameIdentite->isHidden();
        ASSERT_TRUE(attendre([&] { return cv->WebBrowser1->ReadyState() == EtatPage::Complet; }));
        EXPECT_TRUE(derniereAdresse.endsWith(u"/Modeles/CVtemp.html"_qs)) << derniereAdresse.toStdString();
        const QString p = page();
        EXPECT_NE(p, pageAvant);
        const QString vu = cv->WebBrowser1->innerText();
        for (const QString& t : textes) {
            EXPECT_TRUE(p.contains(t)) << t.toStdString();
            EXPECT_TRUE(vu.contains(t)) << t.toStdString() << "\nshown: " << vu.toStdString();
        }
    }

    // Chooses the entry of that caption in the pop-up menu on show, with the mouse.
    static void choisirDansMenu(const QString& libelle)
    {
        ASSERT_TRUE(attendre([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; }, 5000));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* a : menu->actions())
            if (a->text() == libelle) {
                ASSERT_TRUE(a->isEnabled()) << libelle.toStdString();
                QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(a).center());
                pomper();
                return;
            }
        FAIL() << "no entry " << libelle.toStdString();
    }

    // Counts the rendered pages the editor's preview reports loaded to their end.
    void suivreApercu()
    {
        complets = 0;
        QObject::connect(cv->WebBrowser1, &Navigateur::DocumentComplete, cv, [this](const QString& adresse, bool principal) {
            if (principal && adresse.endsWith(u"CVtemp.html"_qs)) {
                ++complets;
                derniereAdresse = adresse;
            }
        });
    }

    // The register as the start-up laid it down: its number of applications, read apart.
    int candidatures() const { return nombreLignes(chemin(u"Kerval.mdb"_qs)); }

    void parcours();

    // The documents folder: under userprofile, as on the system the program was designed for;
    // or, as a Linux desktop has it, the XDG documents folder, userprofile being unset.
    static bool documentsXdg() { return !qEnvironmentVariableIsEmpty("KERVAL_PARCOURS_DOCUMENTS_XDG"); }
    QString documents() const
    {
        return QDir(dossier.appData()).filePath(documentsXdg() ? u"Mes fichiers/"_qs : u"profil/Documents/"_qs);
    }

    DossierTemporaire dossier;
    Variable profil{"userprofile",
                    documentsXdg() ? QByteArray() : QDir(dossier.appData()).filePath(u"profil"_qs).toUtf8()};
    Variable tousProfils{"ALLUSERSPROFILE", documentsXdg() ? QByteArray() : QByteArray("C:\\ProgramData")};
    Variable chemins{"PATH", BureauDEssai::bin().toUtf8() + ':' + qgetenv("PATH")};
    ReponsesAuxBoites boites;
    Principale* principale = nullptr;
    FormRedigerCV* cv = nullptr;
    int complets = 0; // pages of the preview loaded to their end
    QString derniereAdresse;
};

const QString Identite = u"Mélanie LEBRUN\n12 rue des Écoles\nBâtiment C\n35000 Rennes\nTél : 02 99 12 34 56\n"
                         "melanie.lebrun@exemple.fr\nNée le 14/03/1985 à Brest"_qs;

void ParcoursCV::parcours()
{
    if (!qEnvironmentVariableIsEmpty("KERVAL_LOCALE_SYSTEME"))
        EXPECT_EQ(QLocale().name(), u"C"_qs);
    // The home screen in front, its bar on the first entry.
    ASSERT_NE(accueil(), nullptr);
    EXPECT_EQ(principale->ImageMenu[0]->genre(), Dessins::Icone::Nouveau);
    EXPECT_TRUE(principale->ImageMenu[0]->toolTip().isEmpty());
    EXPECT_EQ(accueil()->libelle(0), u"Nombre de CV :  0\r\nNombre de lettres :  0\r\nNombre de candidatures : "_qs +
                                         principale->NbCand->text());
    EXPECT_EQ(candidatures(), 0);

    choisirALAccueil(2, u"Rédiger un Curriculum Vitae"_qs);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(attendre([&] { return accueil()->libelle(2) == u"Réaliser un nouveau CV"_qs; }, 5000)) << accueil()->libelle(2).toStdString();
    EXPECT_EQ(accueil()->libelle(5), u"Rattacher un CV existant"_qs);

    choisirALAccueil(2, u"Réaliser un nouveau CV"_qs);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(attendre([&] { return bool((cv = RegistreFenetres::instance().siChargee<FormRedigerCV>()) && cv->isVisible()); }, 20000));
    pomper();
    // The editor is the active window of the workspace; the home screen's bar is gone, its
    // glide stopped; the preview is blank and the free-text identity waits for the user.
    ASSERT_NE(principale->Espace->activeSubWindow(), nullptr);
    EXPECT_EQ(principale->Espace->activeSubWindow()->widget(), cv);
    ASSERT_TRUE(attendre([&] { return bool(barre() == nullptr); }, 5000));
    EXPECT_EQ(accueil()->Timer1->Interval(), 0);
    EXPECT_FALSE(cv->FrameIdentite->isHidden());
    EXPECT_EQ(cv->WebBrowser1->LocationURL(), u"about:blank"_qs);
    ASSERT_EQ(QApplication::activeWindow(), principale);
    suivreApercu();

    // The identity block, typed into its box; leaving it reads it into the detailed boxes.
    ASSERT_EQ(QApplication::focusWidget(), cv->Identite) << nomFocus();
    taper(cv->Identite, Identite);
    quitterEtVoir({u"LEBRUN"_qs, u"Mélanie"_qs, u"12 rue des Écoles"_qs, u"Rennes"_qs, u"melanie.lebrun@exemple.fr"_qs});
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(cv->FrameIdentite->isHidden());
    EXPECT_EQ(cv->Nom->text(), u"LEBRUN"_qs);
    EXPECT_EQ(cv->Prenom->text(), u"Mélanie"_qs);
    EXPECT_EQ(cv->Adresse1->text(), u"12 rue des Écoles"_qs);
    EXPECT_EQ(cv->Adresse2->text(), u"Bâtiment C"_qs);
    EXPECT_EQ(cv->CP->text(), u"35000"_qs);
    EXPECT_EQ(cv->Ville->text(), u"Rennes"_qs);
    EXPECT_EQ(cv->Tel->text().trimmed(), u"02 99 12 34 56"_qs);
    EXPECT_EQ(cv->Email->text(), u"melanie.lebrun@exemple.fr"_qs);
    EXPECT_EQ(cv->DateNaissance->text(), u"14/03/1985"_qs);
    const int age = int(QDate(1985, 3, 14).daysTo(QDate::currentDate()) / 365);
    EXPECT_EQ(cv->Age->text(), QString::number(age));
    EXPECT_TRUE(page().contains(u"Née le 14/03/1985"_qs));

    // A name is known: the CV has its file, and the desktop its icon.
    const QString fichier = chemin(u"CV/Lebrun Melanie.dat"_qs);
    EXPECT_TRUE(QFileInfo::exists(fichier)) << QDir(chemin(u"CV"_qs)).entryList(QDir::Files).join(u", "_qs).toStdString();
    EXPECT_EQ(cv->NomCV->text(), u"Lebrun Melanie"_qs);
    EXPECT_EQ(principale->ImageMenu[0]->toolTip(), u"Lebrun Melanie.dat"_qs);
    EXPECT_EQ(principale->ImageMenu[0]->genre(), Dessins::Icone::CV);
    EXPECT_TRUE(principale->ImageMenu[0]->isVisible());
    EXPECT_EQ(principale->ImageMenu[1]->genre(), Dessins::Icone::Nouveau);

    // The sections, each typed and left; each leaving shows the page again and saves the CV.
    struct Section {
        QWidget* boite;
        QString texte;
        QStringList vus;
    };
    const QList<Section> sections{
        {cv->Fonction, u"Technicienne de maintenance"_qs, {u"Technicienne de maintenance"_qs}},
        {cv->Etudes, u"2005 : BTS Électrotechnique\n2008 : Licence professionnelle"_qs,
         {u"2005 : BTS Électrotechnique"_qs, u"2008 : Licence professionnelle"_qs}},
        {cv->Experiences, u"2008 - 2015 : Agent de maîtrise\n- Maintenance préventive des lignes\n2015 : Chef d'équipe"_qs,
         {u"Agent de maîtrise"_qs, u"Maintenance préventive des lignes"_qs, u"Chef d'équipe"_qs}},
        {cv->Competences, u"Électricité, automatismes, gestion d'équipe"_qs, {u"Électricité, automatismes"_qs}},
        {cv->Divers, u"Randonnée, théâtre"_qs, {u"Randonnée, théâtre"_qs}},
    };
    for (const Section& s : sections) {
        SCOPED_TRACE(s.boite->objectName().toStdString());
        cliquerDans(s.boite);
        ASSERT_EQ(QApplication::focusWidget(), s.boite) << nomFocus();
        taper(s.boite, s.texte);
        quitterEtVoir(s.vus);
        ASSERT_FALSE(HasFatalFailure());
    }
    // A level of the language grid, clicked: the page again, the languages with it.
    {
        const int avant = complets;
        QTest::mouseClick(cv->LangueCourant[0], Qt::LeftButton, Qt::NoModifier, QPoint(4, cv->LangueCourant[0]->height() / 2));
        pomper();
        EXPECT_TRUE(cv->LangueCourant[0]->isChecked());
        ASSERT_TRUE(attendre([&] { return bool(complets > avant); }, 20000));
        EXPECT_TRUE(page().contains(u"Anglais courant"_qs));
    }

    // The file, as stored: Windows-1252 text, CR LF, the keys with their accents, the texts of
    // several lines on one line.
    const QByteArray octets = Outils::lireOctets(fichier);
    auto cp1252 = [](const QString& t) {
        QStringEncoder e("windows-1252");
        return QByteArray(e(t));
    };
    for (const QString& ligne :
         {u"Prénom=Mélanie"_qs, u"Nom=LEBRUN"_qs, u"Adresse1=12 rue des Écoles"_qs, u"Adresse2=Bâtiment C"_qs,
          u"CP=35000"_qs, u"Ville=Rennes"_qs, u"Email=melanie.lebrun@exemple.fr"_qs, u"DateNaissance=14/03/1985"_qs,
          u"Fonction=Technicienne de maintenance"_qs,
          u"Etudes=2005 : BTS Électrotechnique<N>2008 : Licence professionnelle"_qs,
          u"Experiences=2008 - 2015 : Agent de maîtrise<N>- Maintenance préventive des lignes<N>2015 : Chef d'équipe"_qs,
          u"Competences=Électricité, automatismes, gestion d'équipe"_qs, u"Divers=Randonnée, théâtre"_qs,
          u"0:LangueCourant=1"_qs, u"NomCV=Lebrun Melanie"_qs, u"Modèle=Basic.htm"_qs, u"Souligné=0"_qs})
        EXPECT_TRUE(octets.contains("\r\n" + cp1252(ligne) + "\r\n") || octets.startsWith(cp1252(ligne) + "\r\n"))
            << ligne.toStdString();
    EXPECT_TRUE(octets.startsWith("LangueCV=0\r\n"));
    EXPECT_TRUE(octets.endsWith("\r\n"));
    EXPECT_EQ(octets.count("\r\n"), 82);
    EXPECT_EQ(octets.count('\n'), 82);
    EXPECT_EQ(QDir(chemin(u"CV"_qs)).entryList(QDir::Files), QStringList{u"Lebrun Melanie.dat"_qs});

    // The Word copy: the toolbar's Word menu, "Conversion du format", then "Convertir".
    const QString copie = documents() + u"Lebrun Melanie.doc"_qs;
    QTest::mouseClick(cv->ImageMenu[4], Qt::LeftButton, Qt::NoModifier, cv->ImageMenu[4]->rect().center());
    pomper();
    EXPECT_FALSE(principale->ConsulterWord->isEnabled()); // no copy yet
    choisirDansMenu(u"Conversion du format"_qs);
    ASSERT_FALSE(HasFatalFailure());
    FormConvert* conversion = RegistreFenetres::instance().siChargee<FormConvert>();
    ASSERT_NE(conversion, nullptr);
    EXPECT_TRUE(conversion->isVisible());
    EXPECT_EQ(conversion->FichierWord, copie);
    EXPECT_EQ(conversion->Info->text(), u"Aucun fichier trouvé."_qs);
    EXPECT_EQ(conversion->Text1->text(), BureauDEssai::soffice()); // the desktop's program for ".doc"
    QTest::mouseClick(conversion->BoutonKVL2->Label1, Qt::LeftButton);
    pomper();
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<FormConvert>());

    // The office suite converted the page as shown, pictures inlined, in a profile of its own,
    // without a window; the copy is the document it wrote; then the copy was opened in it.
    ASSERT_TRUE(QFileInfo::exists(copie)) << QDir(documents()).entryList(QDir::Files).join(u", "_qs).toStdString();
    const QByteArray recue = Outils::lireOctets(BureauDEssai::pageRecue());
    EXPECT_EQ(Outils::lireOctets(copie), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + recue);
    const QString vue = FichiersTexte::decoder(recue);
    for (const QString& t : {u"LEBRUN"_qs, u"Mélanie"_qs, u"BTS Électrotechnique"_qs, u"Randonnée, théâtre"_qs,
                             u"Anglais courant"_qs})
        EXPECT_TRUE(vue.contains(t)) << t.toStdString();
    ASSERT_TRUE(attendre([&] { return appelsSoffice().size() == 2; }, 10000)) << appelsSoffice().size();
    const QList<QStringList> appels = appelsSoffice();
    const QStringList& c = appels[0];
    ASSERT_FALSE(c.isEmpty());
    EXPECT_TRUE(c[0].startsWith(u"-env:UserInstallation=file:///"_qs)) << c.join(u' ').toStdString();
    EXPECT_TRUE(c.contains(u"--headless"_qs));
    EXPECT_EQ(c.mid(c.indexOf(u"--convert-to"_qs), 2), (QStringList{u"--convert-to"_qs, u"doc:MS Word 97"_qs}));
    EXPECT_FALSE(c.last().startsWith(chemin(u""_qs))) << "the page of the data folder is not handed over itself";
    const QString adresseCopie = QUrl::fromLocalFile(copie).toString(QUrl::FullyEncoded);
    EXPECT_EQ(appels[1].first(), u"--writer"_qs);
    EXPECT_TRUE(appels[1].contains(adresseCopie) || appels[1].contains(copie)) << appels[1].join(u' ').toStdString();

    // The editor is still the one in front; its Word menu now offers the copy, which opens.
    pomper();
    EXPECT_EQ(principale->Espace->activeSubWindow()->widget(), cv);
    QTest::mouseClick(cv->ImageMenu[4], Qt::LeftButton, Qt::NoModifier, cv->ImageMenu[4]->rect().center());
    pomper();
    choisirDansMenu(u"Dernière version"_qs);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(attendre([&] { return appelsSoffice().size() == 3; }, 10000)) << appelsSoffice().size();
    EXPECT_TRUE(appelsSoffice()[2].contains(adresseCopie) || appelsSoffice()[2].contains(copie));

    // Back to the home screen with "Retour au menu principal": the editor is gone, the home
    // screen counts the CV and its sub-menu names it; choosing it there opens it again, as
    // stored, and shows its page.
    const QByteArray stocke = Outils::lireOctets(fichier);
    QTest::mouseClick(principale->Label2, Qt::LeftButton);
    pomper();
    ASSERT_TRUE(attendre([&] { return !RegistreFenetres::instance().estChargee<FormRedigerCV>(); }));
    cv = nullptr;
    ASSERT_NE(accueil(), nullptr);
    EXPECT_TRUE(accueil()->libelle(0).startsWith(u"Nombre de CV :  1"_qs)) << accueil()->libelle(0).toStdString();
    choisirALAccueil(2, u"Rédiger un Curriculum Vitae"_qs);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(attendre([&] { return accueil()->libelle(6) == u"Lebrun Melanie"_qs; }, 5000)) << accueil()->libelle(6).toStdString();
    EXPECT_EQ(accueil()->libelle(7), u"Consulter / Modifier"_qs);
    choisirALAccueil(6, u"Lebrun Melanie"_qs);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(attendre([&] { return (cv = RegistreFenetres::instance().siChargee<FormRedigerCV>()) && cv->isVisible(); }));
    suivreApercu();
    ASSERT_TRUE(attendre([&] { return complets > 0 && cv->WebBrowser1->ReadyState() == EtatPage::Complet; }))
        << "shown: " << cv->WebBrowser1->LocationURL().left(200).toStdString();
    EXPECT_EQ(cv->WebBrowser1->LocationURL(), QUrl::fromLocalFile(chemin(u"Modeles/CVtemp.html"_qs)).toString());
    EXPECT_TRUE(cv->WebBrowser1->innerText().contains(u"BTS Électrotechnique"_qs));
    EXPECT_EQ(cv->Prenom->text(), u"Mélanie"_qs);
    EXPECT_EQ(cv->Etudes->toPlainText(), u"2005 : BTS Électrotechnique\n2008 : Licence professionnelle"_qs);
    EXPECT_TRUE(cv->LangueCourant[0]->isChecked());
    EXPECT_EQ(cv->Label5->text(), u"Zones d'informations (Lebrun Melanie)"_qs);
    EXPECT_EQ(principale->Prenom->text(), u"Mélanie"_qs); // the current identity
    EXPECT_EQ(principale->Fonction->text(), u"Technicienne de maintenance"_qs);
    // Saved again by the rendering, into the same file, unchanged.
    EXPECT_EQ(FichiersTexte::decoder(Outils::lireOctets(fichier)).split(u"\r\n"_qs),
              FichiersTexte::decoder(stocke).split(u"\r\n"_qs));
    EXPECT_EQ(QDir(chemin(u"CV"_qs)).entryList(QDir::Files), QStringList{u"Lebrun Melanie.dat"_qs});

    // The register is not the CV's business.
    EXPECT_EQ(candidatures(), 0);

    // Nothing went wrong that the user was told about.
    EXPECT_TRUE(boites.textes.isEmpty()) << boites.textes.join(u" | "_qs).toStdString();
}

} // namespace

TEST_F(ParcoursCV, DeLAccueilALaCopieWord) { parcours(); }

// The same journey in a child process under the C.UTF-8 locale, with the locale of the system.
TEST(ParcoursCVLocale, SousLangCUtf8)
{
    if (!qEnvironmentVariableIsEmpty("KERVAL_LOCALE_SYSTEME"))
        GTEST_SKIP() << "this is the child run";
    // There the documents folder is the desktop's own.
    Outils::relancerSousCUtf8(u"ParcoursCV.*"_qs, {{u"KERVAL_PARCOURS_DOCUMENTS_XDG"_qs, u"1"_qs}});
}

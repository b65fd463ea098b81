// The CV editor left while the text just typed is still in the box that has the focus: whatever
// ends it (its own Ctrl+F4, the main window closing, "Retour au menu principal", a new CV, the
// session's end), the CV shown is saved first when it changed since its last save, and a CV that
// cannot be saved is given up only once the user has said so.
#include "test_fenetre_cv.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

#include "cveditor/fichier_cv.h"
#include "platform/plateforme.h"
#include "register/store/base_candidatures.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/services/systeme.h"
#include "shell/startup/messages_differes.h"

namespace {

const QString Ajout = u"\n2010 : Chef d'équipe"_qs;

// Paul Martin's CV as the editor wrote it.
void ecrireMartin(const QString& donnees)
{
    FichierCV::ValeursCV m = FichierCV::ValeursCV::parDefaut();
    m.fixer(u"Nom"_qs, u"MARTIN"_qs);
    m.fixer(u"Prénom"_qs, u"Paul"_qs);
    m.fixer(u"Fonction"_qs, u"Électricien"_qs);
    m.fixer(u"Experiences"_qs, u"2001 : Électricien\r\n- Rennes"_qs);
    m.fixer(u"NomCV"_qs, u"Martin Paul"_qs);
    ASSERT_TRUE(FichierCV::enregistrer(donnees, u"Martin Paul"_qs, m));
}

QString sectionDe(const QString& chemin, const QString& section)
{
    const auto lu = FichierCV::charger(chemin);
    return lu ? lu->texte(section) : u"<illisible>"_qs;
}

// The user's typing at the end of a section: a click into it, then keys; the focus stays there.
void taperALaFin(QPlainTextEdit* zone, const QString& texte)
{
    QTest::mouseClick(zone->viewport(), Qt::LeftButton, {}, zone->viewport()->rect().center());
    ASSERT_TRUE(zone->hasFocus());
    QTest::keyClick(zone->viewport(), Qt::Key_End, Qt::ControlModifier);
    Outils::taper(zone->viewport(), texte);
    ASSERT_TRUE(zone->hasFocus());
}

class FermetureCV : public TestFenetreCV {
protected:
    void SetUp() override
    {
        TestFenetreCV::SetUp();
        principale->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == principale; }, 10000));
        ecrireMartin(dossier.donnees());
    }

    QString cheminMartin() { return fichierCV(u"Martin Paul"_qs); }
    QPointer<FormRedigerCV> ouvrirMartin()
    {
        cv().ChargerFichierCV(cheminMartin());
        principale->InitMenu();
        return &cv();
    }
    QString parcoursEnregistre() { return sectionDe(cheminMartin(), u"Experiences"_qs); }
    // The file's identity on disk: every save puts a new file in its place.
    ino_t inode(const QString& chemin)
    {
        struct stat s {};
        return ::stat(QFile::encodeName(chemin).constData(), &s) == 0 ? s.st_ino : 0;
    }
    static bool editeurCharge() { return RegistreFenetres::instance().estChargee<FormRedigerCV>(); }
    QStringList messages()
    {
        const QStringList t = faux.dialogues->textes();
        faux.dialogues->messages.clear();
        return t;
    }
    // A click on a desktop icon, then on an entry of the menu it pops up.
    void choisirSurIcone(int icone, QAction* entree)
    {
        QTest::mouseClick(principale->ImageMenu[size_t(icone)], Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 10000));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(entree->isEnabled()) << entree->text().toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entree).center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The menu gone, the desktop gives the activation back to the main window.
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 10000));
        principale->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == principale; }, 10000));
    }
    void protegerMartin(bool protege)
    {
        const auto lecture = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
        ASSERT_TRUE(QFile::setPermissions(cheminMartin(), protege ? lecture : lecture | QFile::WriteOwner | QFile::WriteUser));
    }
};

} // namespace

TEST_F(FermetureCV, CeQuiVientDEtreTapeEstEnregistreQuelleQueSoitLaFermeture)
{
    // Ctrl+F4 on the editor.
    QPointer<FormRedigerCV> f = ouvrirMartin();
    taperALaFin(f->Experiences, Ajout);
    QTest::keyClick(f->Experiences->viewport(), Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(editeurCharge());
    QString attendu = u"2001 : Électricien\r\n- Rennes\r\n2010 : Chef d'équipe"_qs;
    EXPECT_EQ(parcoursEnregistre(), attendu);

    // "Retour au menu principal".
    f = ouvrirMartin();
    taperALaFin(f->Experiences, u" (CDI)"_qs);
    QTest::mouseClick(principale->Label2, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(editeurCharge());
    attendu += u" (CDI)"_qs;
    EXPECT_EQ(parcoursEnregistre(), attendu);

    // A new CV from the desktop's empty slot: Martin's goes first, without a question.
    f = ouvrirMartin();
    taperALaFin(f->Competences, u"Habilitation électrique"_qs);
    ASSERT_EQ(principale->ImageMenu[1]->toolTip(), QString());
    choisirSurIcone(1, principale->MenuNouveauCV);
    EXPECT_TRUE(f.isNull());
    EXPECT_TRUE(cv().Nom->text().isEmpty());
    EXPECT_EQ(sectionDe(cheminMartin(), u"Competences"_qs), u"Habilitation électrique"_qs);

    // Another CV opened by a double click on its desktop icon: Martin's goes to its file first.
    FichiersTexte::ecrire(fichierCV(u"Tanguy Jean"_qs), u"Nom=TANGUY\r\nPrénom=Jean\r\n"_qs);
    f = ouvrirMartin();
    taperALaFin(f->Experiences, u" - Vitré"_qs);
    ASSERT_EQ(principale->ImageMenu[1]->toolTip(), u"Tanguy Jean.dat"_qs);
    QWidget* icone = principale->ImageMenu[1];
    QTest::mouseDClick(principale->windowHandle(), Qt::LeftButton, {}, icone->mapTo(principale, icone->rect().center()));
    ASSERT_TRUE(Outils::attendre([this] { return cv().NomCV->text() == u"Tanguy Jean"_qs; }));
    attendu += u" - Vitré"_qs;
    EXPECT_EQ(parcoursEnregistre(), attendu);

    // The main window closed as the desktop asks it to, right after the typing.
    f = ouvrirMartin();
    taperALaFin(f->Experiences, u"\n2015 : Conducteur de travaux"_qs);
    EXPECT_TRUE(principale->windowHandle()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());
    EXPECT_FALSE(principale->isVisible());
    attendu += u"\r\n2015 : Conducteur de travaux"_qs;
    EXPECT_EQ(parcoursEnregistre(), attendu);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(FermetureCV, UnCVInchangeNEstPasReecritEtUnCVSansNomNEstPasCree)
{
    // Opened, clicked into, left as it was: the file stays the one the opening wrote.
    QPointer<FormRedigerCV> f = ouvrirMartin();
    const ino_t avant = inode(cheminMartin());
    const QByteArray octets = Outils::lireOctets(cheminMartin());
    taperALaFin(f->Experiences, QString());
    QTest::keyClick(f->Experiences->viewport(), Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(editeurCharge());
    EXPECT_EQ(inode(cheminMartin()), avant);
    EXPECT_EQ(Outils::lireOctets(cheminMartin()), octets);

    // A new CV typed into without a last name cannot be saved: closing it asks first. Cancel
    // keeps it on screen to be named, whether the editor or the main window is closed.
    f = &cv();
    taperALaFin(f->Experiences, u"2020 : Stage"_qs);
    const QString question = u"Ce CV n'a pas de nom : il ne peut donc pas être enregistré.\nFermer l'éditeur de CV le "
                             "fera perdre. Cliquez sur OK pour continuer sans l'enregistrer, ou sur Annuler pour "
                             "revenir au CV et saisir un nom dans la zone « Nom »."_qs;
    faux.dialogues->reponses = {false};
    QTest::keyClick(f->Experiences->viewport(), Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(messages(), QStringList{question});
    ASSERT_FALSE(f.isNull());
    EXPECT_TRUE(f->isVisible());
    faux.dialogues->reponses = {false};
    EXPECT_FALSE(principale->windowHandle()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(messages(), QStringList{question});
    ASSERT_FALSE(f.isNull());
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(principale->isVisible());
    // "Retour au menu principal" too: the CV stays in front, the home screen does not come back.
    int accueils = 0;
    const auto chargerAccueil = std::exchange(LiensFenetres::chargerAccueil, [&accueils] { ++accueils; });
    faux.dialogues->reponses = {false};
    QTest::mouseClick(principale->Label2, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    LiensFenetres::chargerAccueil = chargerAccueil;
    EXPECT_EQ(messages(), QStringList{question});
    ASSERT_FALSE(f.isNull());
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(accueils, 0);
    // So does a new CV put in its place from the desktop.
    faux.dialogues->reponses = {false};
    choisirSurIcone(1, principale->MenuNouveauCV);
    EXPECT_EQ(messages(), QStringList{FichierCV::questionSansNom(u"Rédiger un nouveau CV"_qs)});
    ASSERT_FALSE(f.isNull());
    EXPECT_EQ(f->Experiences->toPlainText(), u"2020 : Stage"_qs);
    // OK lets it go: nothing is written.
    taperALaFin(f->Experiences, QString());
    QTest::keyClick(f->Experiences->viewport(), Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(messages(), QStringList{question});
    EXPECT_FALSE(editeurCharge());
    EXPECT_EQ(QDir(dossier.chemin(u"CV"_qs)).entryList(QDir::Files), QStringList{u"Martin Paul.dat"_qs});

    // Its last name typed, the focus still in the box: it takes the name the auto-save gives.
    f = &cv();
    QTest::mouseClick(f->Nom, Qt::LeftButton);
    Outils::taper(f->Nom, u"DURAND"_qs);
    taperALaFin(f->Experiences, u"2020 : Stage"_qs);
    EXPECT_TRUE(principale->windowHandle()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());
    EXPECT_EQ(sectionDe(fichierCV(u"Durand"_qs), u"Experiences"_qs), u"2020 : Stage"_qs);
    EXPECT_EQ(sectionDe(fichierCV(u"Durand"_qs), u"NomCV"_qs), u"Durand"_qs);
    EXPECT_TRUE(messages().isEmpty());
}

// Whatever the identity holds, a new CV goes to a file the CV folder accepts; and until one
// save of it succeeds, its name follows what the user typed last.
TEST_F(FermetureCV, UnNouveauCVPrendUnNomQueLeDossierAccepte)
{
    // The identity block pasted, then Tab: the name read holds a birth date and its "/".
    QPointer<FormRedigerCV> f = &cv();
    QTest::mouseClick(f->Identite->viewport(), Qt::LeftButton);
    ASSERT_TRUE(f->Identite->hasFocus());
    QGuiApplication::clipboard()->setText(u"Karim HADDAD - né le 14/03/1985"_qs);
    QTest::keyClick(f->Identite, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(f->Identite, Qt::Key_Tab);
    ASSERT_FALSE(f->Identite->hasFocus());
    EXPECT_EQ(f->Nom->text(), u"HADDAD - né le 14/03/1985"_qs);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(f->NomCV->text(), u"Haddad Ne Le 14 03 1985 Karim"_qs);
    EXPECT_EQ(sectionDe(fichierCV(u"Haddad Ne Le 14 03 1985 Karim"_qs), u"Prénom"_qs), u"Karim"_qs);

    // The first save of a new CV fails (the CV folder is a file): the last name corrected
    // since names the file the next save writes.
    rechargerEditeurCV();
    f = &cv();
    const QString cvs = dossier.chemin(u"CV"_qs);
    ASSERT_TRUE(QDir(cvs).removeRecursively());
    QFile bouchon(cvs);
    ASSERT_TRUE(bouchon.open(QIODevice::WriteOnly));
    bouchon.close();
    QTest::mouseClick(f->SaiseDetaillee, Qt::LeftButton);
    ASSERT_TRUE(f->FrameIdentite->isHidden());
    QTest::mouseClick(f->Nom, Qt::LeftButton);
    Outils::taper(f->Nom, u"DUPOND"_qs);
    QTest::mouseClick(f->Prenom, Qt::LeftButton);
    Outils::taper(f->Prenom, u"Jean"_qs);
    QTest::mouseClick(f->Fonction, Qt::LeftButton);
    const QStringList dits = messages();
    ASSERT_EQ(dits.size(), 1);
    EXPECT_TRUE(dits[0].startsWith(u"Pb lors de l'enregistrement du CV : Dupond Jean\n"_qs)) << dits[0].toStdString();
    ASSERT_TRUE(QFile::remove(cvs));
    ASSERT_TRUE(QDir().mkpath(cvs));
    QTest::mouseClick(f->Nom, Qt::LeftButton);
    QTest::keyClick(f->Nom, Qt::Key_A, Qt::ControlModifier);
    Outils::taper(f->Nom, u"DUPONT"_qs);
    QTest::mouseClick(f->Prenom, Qt::LeftButton);
    QTest::mouseClick(f->Fonction, Qt::LeftButton);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(f->NomCV->text(), u"Dupont Jean"_qs);
    EXPECT_EQ(QDir(cvs).entryList(QDir::Files), QStringList{u"Dupont Jean.dat"_qs});
    EXPECT_EQ(sectionDe(fichierCV(u"Dupont Jean"_qs), u"Nom"_qs), u"DUPONT"_qs);
}

TEST_F(FermetureCV, UnCVSupprimePendantQuOnLeTapeNeRevientPas)
{
    QPointer<FormRedigerCV> f = ouvrirMartin();
    taperALaFin(f->Experiences, Ajout);
    faux.dialogues->reponses = {true};
    choisirSurIcone(0, principale->MenuSupprimerCV);
    EXPECT_EQ(messages(), QStringList{u"Confirmez-vous la suppression du CV : Martin Paul.dat ?"_qs});
    EXPECT_TRUE(f.isNull());
    EXPECT_TRUE(cv().Nom->text().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(cheminMartin()));
    EXPECT_TRUE(principale->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(QDir(dossier.chemin(u"CV"_qs)).entryList(QDir::Files).isEmpty());
}

TEST_F(FermetureCV, UnEchecALaFermetureEstDitEtLaFenetreSeFermeQuandMeme)
{
    QPointer<FormRedigerCV> f = ouvrirMartin();
    protegerMartin(true);
    const QByteArray octets = Outils::lireOctets(cheminMartin());
    taperALaFin(f->Experiences, Ajout);
    EXPECT_TRUE(principale->windowHandle()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());
    EXPECT_FALSE(principale->isVisible());
    const QStringList dits = messages();
    ASSERT_EQ(dits.size(), 1);
    EXPECT_TRUE(dits[0].startsWith(u"Pb lors de l'enregistrement du CV : Martin Paul\n"_qs)) << dits[0].toStdString();
    EXPECT_TRUE(dits[0].contains(u"protégé en écriture"_qs)) << dits[0].toStdString();
    EXPECT_TRUE(dits[0].endsWith(u"Les dernières modifications du CV sont perdues."_qs));
    EXPECT_EQ(Outils::lireOctets(cheminMartin()), octets);
    protegerMartin(false);
}

// The save that follows the user out of a box fails: its message comes up as the user goes on
// typing in the next box, and the key typed then stays in that box.
TEST_F(FermetureCV, UneToucheTapeeQuandLEnregistrementEchoueVaDansLaBoite)
{
    Plateforme::instance().fixerDialogues(creerDialoguesLinux());
    QPointer<FormRedigerCV> f = ouvrirMartin();
    protegerMartin(true);
    taperALaFin(f->Experiences, Ajout);
    // The keys go where the desktop sends them: to the window that has the keyboard.
    auto clavier = [](const QString& texte) {
        for (const QChar c : texte)
            QTest::keyClick(QGuiApplication::focusWindow(), c.toLatin1());
    };
    const auto boiteOuverte = [] {
        const QWidgetList fenetres = QApplication::topLevelWidgets();
        for (QWidget* w : fenetres)
            if (auto* boite = qobject_cast<QMessageBox*>(w); boite && boite->isVisible())
                return boite;
        return static_cast<QMessageBox*>(nullptr);
    };
    bool tape = false;
    QTimer guet;
    QObject::connect(&guet, &QTimer::timeout, [&] {
        QMessageBox* boite = boiteOuverte();
        if (!boite || !boite->text().startsWith(u"Pb lors de l'enregistrement du CV"_qs))
            return;
        if (!tape) {
            clavier(u"1"_qs);
            tape = true;
        } else {
            QTest::mouseClick(boite->button(QMessageBox::Ok), Qt::LeftButton);
        }
    });
    guet.start(10);
    QTest::mouseClick(f->Fonction, Qt::LeftButton, {}, QPoint(f->Fonction->width() - 4, f->Fonction->height() / 2));
    ASSERT_TRUE(Outils::attendre([&] { return tape && !boiteOuverte(); }));
    guet.stop();
    EXPECT_EQ(f->Fonction->text(), u"Électricien1"_qs);
    protegerMartin(false);
}

TEST_F(FermetureCV, NouveauCVEtRenommerDemandentAvantDePerdreUnCVNonEnregistre)
{
    QPointer<FormRedigerCV> f = ouvrirMartin();
    protegerMartin(true);
    // The change is rendered as the user leaves the box, and its save fails.
    taperALaFin(f->Experiences, Ajout);
    QTest::mouseClick(f->Fonction, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 1);
    const QString attendu = u"2001 : Électricien\n- Rennes\n2010 : Chef d'équipe"_qs;
    ASSERT_EQ(f->Experiences->toPlainText(), attendu);

    // "Rédiger un nouveau CV": Cancel keeps the CV on screen.
    const QString nouveau = u"Le CV affiché n'a pas pu être enregistré. Rédiger un nouveau CV fera perdre vos "
                            "dernières modifications. Continuer ?"_qs;
    faux.dialogues->reponses = {false};
    choisirSurIcone(1, principale->MenuNouveauCV);
    ASSERT_EQ(faux.dialogues->messages.size(), 1);
    EXPECT_EQ(faux.dialogues->messages[0].texte, nouveau);
    EXPECT_TRUE(faux.dialogues->messages[0].okAnnuler);
    messages();
    ASSERT_FALSE(f.isNull());
    EXPECT_EQ(f->Experiences->toPlainText(), attendu);

    // "Renommer": asked once the new name is chosen; Cancel renames nothing.
    const QString renommer = u"Le CV affiché n'a pas pu être enregistré. Renommer le fichier Martin Paul.dat fera "
                             "perdre vos dernières modifications. Continuer ?"_qs;
    faux.dialogues->fichiersChoisis.push_back(dossier.chemin(u"CV/Martin"_qs));
    faux.dialogues->reponses = {false};
    choisirSurIcone(0, principale->Renommer);
    EXPECT_EQ(messages(), QStringList{renommer});
    EXPECT_TRUE(QFileInfo::exists(cheminMartin()));
    EXPECT_FALSE(QFileInfo::exists(fichierCV(u"Martin"_qs)));
    ASSERT_FALSE(f.isNull());
    EXPECT_EQ(f->Experiences->toPlainText(), attendu);

    // OK renames it and gives a new CV, with nothing more to say.
    faux.dialogues->fichiersChoisis.push_back(dossier.chemin(u"CV/Martin"_qs));
    faux.dialogues->reponses = {true};
    choisirSurIcone(0, principale->Renommer);
    EXPECT_EQ(messages(), QStringList{renommer});
    EXPECT_TRUE(f.isNull());
    EXPECT_TRUE(cv().Nom->text().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(cheminMartin()));
    EXPECT_EQ(sectionDe(fichierCV(u"Martin"_qs), u"Experiences"_qs), u"2001 : Électricien\r\n- Rennes"_qs);

    // Mended before the command: the CV is saved, and nothing is asked.
    QFile::setPermissions(fichierCV(u"Martin"_qs), QFile::ReadOwner | QFile::WriteOwner);
    cv().ChargerFichierCV(fichierCV(u"Martin"_qs));
    principale->InitMenu();
    f = &cv();
    const auto lecture = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(fichierCV(u"Martin"_qs), lecture));
    taperALaFin(f->Experiences, Ajout);
    QTest::mouseClick(f->Fonction, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 1);
    ASSERT_TRUE(QFile::setPermissions(fichierCV(u"Martin"_qs), lecture | QFile::WriteOwner));
    choisirSurIcone(1, principale->MenuNouveauCV);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(f.isNull());
    EXPECT_EQ(sectionDe(fichierCV(u"Martin"_qs), u"Experiences"_qs), u"2001 : Électricien\r\n- Rennes\r\n2010 : Chef d'équipe"_qs);
}

// Run only in the child process started by the next test.
TEST(FermetureCVEnfant, Enfant)
{
    const QByteArray cas = qgetenv("KERVAL_ARRET_CV");
    if (cas.isEmpty())
        GTEST_SKIP() << "run by a child process";
    QPointer<Principale> principale = Outils::demarrerCommeLExecutable();
    ASSERT_FALSE(principale.isNull());
    principale->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(principale));

    // A new CV typed into, without a name.
    if (cas == "sansnom") {
        taperALaFin(Forme<FormRedigerCV>().Experiences, u"2020 : Stage"_qs);
        Outils::attendreLArret(principale);
        return;
    }

    // The CV opened by a double click on its desktop icon, then typed into.
    ASSERT_EQ(principale->ImageMenu[0]->toolTip(), u"Martin Paul.dat"_qs);
    QWidget* icone = principale->ImageMenu[0];
    QTest::mouseDClick(principale->windowHandle(), Qt::LeftButton, {}, icone->mapTo(principale, icone->rect().center()));
    ASSERT_TRUE(Outils::attendre([] {
        auto* f = RegistreFenetres::instance().siChargee<FormRedigerCV>();
        return f && f->NomCV->text() == u"Martin Paul"_qs;
    }));
    FormRedigerCV& f = *RegistreFenetres::instance().siChargee<FormRedigerCV>();
    taperALaFin(f.Experiences, Ajout);

    Outils::attendreLArret(principale);
}

TEST(FermetureCVEnfant, UnSignalDArretEnregistreLeCVQuiVientDEtreTape)
{
    DossierTemporaire dossier;
    ASSERT_TRUE(QDir().mkpath(dossier.chemin(u"CV"_qs)));
    ecrireMartin(dossier.donnees());

    Outils::arreterEnfantPret(u"FermetureCVEnfant.Enfant"_qs,
                              {{u"KERVAL_ARRET_CV"_qs, u"1"_qs}, {u"AppData"_qs, dossier.appData()}});
    EXPECT_EQ(sectionDe(dossier.chemin(u"CV/Martin Paul.dat"_qs), u"Experiences"_qs),
              u"2001 : Électricien\r\n- Rennes\r\n2010 : Chef d'équipe"_qs);

    // A CV without a name, which nothing may ask about then, goes to a file of its own beside
    // the one of the same name already there, and the next start says which.
    const QString occupe = dossier.chemin(u"CV/Cv Sans Nom.dat"_qs);
    ASSERT_TRUE(FichiersTexte::ecrire(occupe, u"Nom=AUTRE\r\n"_qs));
    Outils::arreterEnfantPret(u"FermetureCVEnfant.Enfant"_qs,
                              {{u"KERVAL_ARRET_CV"_qs, u"sansnom"_qs}, {u"AppData"_qs, dossier.appData()}});
    EXPECT_EQ(sectionDe(dossier.chemin(u"CV/Cv Sans Nom 2.dat"_qs), u"Experiences"_qs), u"2020 : Stage"_qs);
    EXPECT_EQ(sectionDe(occupe, u"Nom"_qs), u"AUTRE"_qs);
    const QString dit = MessagesDifferes::lire(dossier.donnees());
    EXPECT_TRUE(dit.contains(u"« Cv Sans Nom 2.dat » du dossier CV"_qs)) << dit.toStdString();
}

// The letter editor left within its one-second autosave: the letter just typed is saved as the
// window goes, and a template that cannot be saved is said again when the user leaves it.
#include "fenetre_lettre.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "registres.h"

namespace {

class FermetureLettre : public TestFenetreLettre {
protected:
    QPointer<FormLettre> f;

    void SetUp() override
    {
        TestFenetreLettre::SetUp();
        ecrireModele(u"Relance"_qs, u"Madame, Monsieur,"_qs);
        principale->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(principale));
        f = &lettre();
        // The autosave's tick never comes between the typing and the closing here.
        f->Timer1->stop();
        f->ChargerFichierLettre(fichierLettre(u"Relance"_qs));
        ASSERT_EQ(f->Text1->toPlainText(), u"Madame, Monsieur,"_qs);
    }
    void ecrireModele(const QString& nom, const QString& texte)
    {
        FichierLettre::ValeursLettre l;
        l.fixer(u"Nom"_qs, u"LEBRUN"_qs);
        l.fixer(u"Prénom"_qs, u"Jean"_qs);
        l.fixer(u"NomLettre"_qs, nom);
        l.fixer(u"Text1"_qs, texte);
        ASSERT_TRUE(FichierLettre::enregistrer(dossier.donnees(), nom, l));
    }
    // The user's typing at the end of the letter.
    void taperLettre(const QString& texte)
    {
        QWidget* zone = f->Text1->viewport();
        QTest::mouseClick(zone, Qt::LeftButton, {}, zone->rect().center());
        QTest::keyClick(zone, Qt::Key_End, Qt::ControlModifier);
        Outils::taper(zone, texte);
    }
    QString texteEnregistre(const QString& nom)
    {
        const auto l = FichierLettre::charger(fichierLettre(nom));
        return l ? l->texte(u"Text1"_qs) : u"<absent>"_qs;
    }
    bool editeurFerme() const { return f.isNull() && !RegistreFenetres::instance().estChargee<FormLettre>(); }
    // A double click on a desktop icon, through the main window's own window as the desktop sends it.
    void doubleClic(int i)
    {
        QWidget* icone = principale->ImageMenu[size_t(i)];
        QTest::mouseDClick(principale->windowHandle(), Qt::LeftButton, {}, icone->mapTo(principale, icone->rect().center()));
    }
    QStringList messages()
    {
        const QStringList t = faux.dialogues->textes();
        faux.dialogues->messages.clear();
        return t;
    }
};

QString messagePerte(const QString& nom)
{
    return u"Le modèle de lettre « %1 » n'a pas pu être enregistré : les dernières modifications de la lettre sont "
           "perdues. Vérifiez qu'il reste de la place sur le disque et que le dossier Lettres peut être modifié."_qs
        .arg(nom);
}

} // namespace

TEST_F(FermetureLettre, LaLettreTapeeEstEnregistreeALaFermeture)
{
    // Ctrl+F4 on the editor's window.
    taperLettre(u"\nVotre annonce a retenu mon attention."_qs);
    QTest::keyClick(f->Text1->viewport(), Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editeurFerme());
    EXPECT_EQ(texteEnregistre(u"Relance"_qs), u"Madame, Monsieur,\r\nVotre annonce a retenu mon attention."_qs);

    // The main window closed: the program ends.
    f = &lettre();
    f->Timer1->stop();
    f->ChargerFichierLettre(fichierLettre(u"Relance"_qs));
    taperLettre(u" Cordialement"_qs);
    EXPECT_TRUE(principale->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editeurFerme());
    EXPECT_EQ(texteEnregistre(u"Relance"_qs),
              u"Madame, Monsieur,\r\nVotre annonce a retenu mon attention. Cordialement"_qs);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(FermetureLettre, UnModeleQuiNePeutEtreEnregistreEstReditALaFermeture)
{
    Registres::FichierProtege protege(dossier.chemin(u"Lettres"_qs));
    ASSERT_TRUE(protege.actif());
    // The autosave says it once, then keeps trying without a word.
    taperLettre(u"\nPremier ajout"_qs);
    f->Timer1_Timer();
    EXPECT_EQ(messages(), QStringList{FichierLettre::messageEchec(u"Relance"_qs)});
    taperLettre(u"\nSecond ajout"_qs);
    f->Timer1_Timer();
    EXPECT_TRUE(messages().isEmpty());

    // Leaving the editor: the text is about to be lost, which is said.
    QTest::mouseClick(principale->Label2, Qt::LeftButton); // "Retour au menu principal"
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editeurFerme());
    EXPECT_EQ(messages(), QStringList{messagePerte(u"Relance"_qs)});
    EXPECT_EQ(texteEnregistre(u"Relance"_qs), u"Madame, Monsieur,"_qs);

    // A template whose text is unchanged since its load has nothing to lose: closing says nothing.
    f = &lettre();
    f->Timer1->stop();
    f->ChargerFichierLettre(fichierLettre(u"Relance"_qs));
    EXPECT_TRUE(principale->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editeurFerme());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(FermetureLettre, UnModeleQuiNePeutEtreEnregistreNeDitQuUnMessageEnSeFermant)
{
    // The desktop's own message boxes, which let the timers tick while they are open, and the
    // autosave running.
    Plateforme::instance().fixerDialogues(creerDialoguesLinux());
    Registres::FichierProtege protege(dossier.chemin(u"Lettres"_qs));
    ASSERT_TRUE(protege.actif());
    f->Timer1->start();
    taperLettre(u"\nUn ajout"_qs);

    // Closed with the letter unsaved: its box is on screen. Each box is answered with OK once the
    // autosave, still running under it, has had its say, or can no longer have one.
    QPointer<QTimer> autosauvegarde = f->Timer1;
    QStringList vues;
    QList<QPointer<QMessageBox>> boites;
    QTimer guet;
    QObject::connect(&guet, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible() && !boites.contains(b)) {
                boites << b;
                vues << b->text();
            }
        auto* dessus = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        const bool autosauvegardeFinie = !autosauvegarde || !autosauvegarde->isActive();
        if (dessus && (autosauvegardeFinie || boites.size() > 1))
            QTest::mouseClick(dessus->button(QMessageBox::Ok), Qt::LeftButton);
    });
    guet.start(10);
    QTest::keyClick(f->Text1->viewport(), Qt::Key_F4, Qt::ControlModifier);
    guet.stop();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editeurFerme());
    EXPECT_EQ(vues, QStringList{messagePerte(u"Relance"_qs)});
    EXPECT_EQ(texteEnregistre(u"Relance"_qs), u"Madame, Monsieur,"_qs);
}

// Another template opened from the desktop, a new one begun, or the shown one renamed, within the
// autosave's second after the user typed: what was typed goes to the template's own file first.
TEST_F(FermetureLettre, CeQuiVientDEtreTapeSuitLeModeleQuandUnAutrePrendSaPlace)
{
    ecrireModele(u"Suivi"_qs, u"Bonjour,"_qs);
    principale->InitMenu();
    ASSERT_EQ(principale->ImageMenu[5]->toolTip(), u"Relance.dat"_qs);
    ASSERT_EQ(principale->ImageMenu[6]->toolTip(), u"Suivi.dat"_qs);

    // A double click on another template's icon.
    taperLettre(u"\nPremier ajout"_qs);
    doubleClic(6);
    EXPECT_EQ(texteEnregistre(u"Relance"_qs), u"Madame, Monsieur,\r\nPremier ajout"_qs);
    ASSERT_EQ(f->NomLettre->text(), u"Suivi"_qs);

    // A double click on the desktop's free slot: a new template.
    principale->InitMenu();
    taperLettre(u"\nSecond ajout"_qs);
    doubleClic(7);
    EXPECT_EQ(texteEnregistre(u"Suivi"_qs), u"Bonjour,\r\nSecond ajout"_qs);
    EXPECT_TRUE(f->NomLettre->text().isEmpty());

    // The shown template renamed from its icon's menu: the text goes along, the old name stays gone.
    f->ChargerFichierLettre(fichierLettre(u"Relance"_qs));
    principale->InitMenu();
    taperLettre(u" Merci."_qs);
    principale->IndexIcone = 5;
    faux.dialogues->fichiersChoisis.push_back(dossier.chemin(u"Lettres/Relance mai"_qs));
    principale->PopupMenu(principale->MenuLettre, principale->mapToGlobal(QPoint(40, 40)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(principale->MenuLettre));
    QTest::mouseClick(principale->MenuLettre, Qt::LeftButton, {},
                      principale->MenuLettre->actionGeometry(principale->RenommerLettre).center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(lettres(), (QStringList{u"Relance mai.dat"_qs, u"Suivi.dat"_qs}));
    EXPECT_EQ(texteEnregistre(u"Relance mai"_qs), u"Madame, Monsieur,\r\nPremier ajout Merci."_qs);
    EXPECT_TRUE(messages().isEmpty());
}

// When that save fails, the user is asked before the text goes; Cancel keeps it on screen.
TEST_F(FermetureLettre, UnModeleQuiNePeutEtreEnregistreNeCedeSaPlaceQuApresAccord)
{
    ecrireModele(u"Suivi"_qs, u"Bonjour,"_qs);
    principale->InitMenu();
    std::optional<Registres::FichierProtege> protege(std::in_place, dossier.chemin(u"Lettres"_qs));
    ASSERT_TRUE(protege->actif());
    taperLettre(u"\nUn ajout"_qs);
    const QString question = u"Le modèle de lettre « Relance » n'a pas pu être enregistré. Ouvrir le modèle de lettre "
                             "Suivi.dat fera perdre vos dernières modifications de la lettre. Continuer ?"_qs;
    faux.dialogues->reponses = {false};
    doubleClic(6);
    EXPECT_EQ(messages(), QStringList{question});
    EXPECT_EQ(f->NomLettre->text(), u"Relance"_qs);
    EXPECT_EQ(f->Text1->toPlainText(), u"Madame, Monsieur,\nUn ajout"_qs);

    faux.dialogues->reponses = {true};
    doubleClic(6);
    EXPECT_EQ(messages(), QStringList{question});
    EXPECT_EQ(f->NomLettre->text(), u"Suivi"_qs);
    protege.reset();
    EXPECT_EQ(texteEnregistre(u"Relance"_qs), u"Madame, Monsieur,"_qs);
}

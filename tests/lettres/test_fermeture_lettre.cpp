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

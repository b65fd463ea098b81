// The keyboard: Tab and Shift+Tab leave every multi-line box as a click elsewhere does, no tab
// character lands in a box or a file, and each window's main use can be done from the keyboard
// alone. Keys go to the focused control as the user types them.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>

#include "bureau.h"
#include "cveditor/formrediger_cv.h"
#include "letters/envoi.h"
#include "letters/formlettre.h"
#include "letters/formpostuler.h"
#include "register/window/formcand.h"
#include "shell/services/fichiers_texte.h"

namespace {

using Outils::taper;

QWidget* focus() { return QApplication::focusWidget(); }
std::string nomFocus()
{
    if (!focus())
        return "none";
    const auto* l = qobject_cast<QLabel*>(focus());
    return focus()->objectName().toStdString() + " (" + focus()->metaObject()->className() + ") " +
           (l ? l->text().toStdString() : std::string()) + (focus()->isVisible() ? " visible" : " hidden");
}

// One key to the control that has the focus.
void touche(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    ASSERT_NE(focus(), nullptr);
    QTest::keyClick(focus(), k, m);
    TestBureau::pomper();
}

// Tab until the focus reaches the control, at most n times; false when it never does.
bool tabJusqua(QWidget* cible, int n = 120)
{
    for (int i = 0; i < n && focus() != cible; ++i) {
        if (!focus())
            return false;
        QTest::keyClick(focus(), Qt::Key_Tab);
        TestBureau::pomper();
    }
    return focus() == cible;
}

// A recording mail client that hands every message over.
class MessagerieNotee final : public Envoi::Messagerie {
public:
    QList<Envoi::Message>* messages;
    explicit MessagerieNotee(QList<Envoi::Message>* m) : messages(m) {}
    Resultat envoyer(const Envoi::Message& message) override
    {
        *messages << message;
        return Resultat::Remis;
    }
};

class TestClavier : public TestBureau {
protected:
    FormRedigerCV* ouvrirCV()
    {
        doubleCliquer(principale->ImageMenu[0]);
        return RegistreFenetres::instance().siChargee<FormRedigerCV>();
    }
    int rendus(FormRedigerCV* cv) const
    {
        auto* n = dynamic_cast<FauxNavigateur*>(cv->WebBrowser1);
        return n ? int(n->navigations.filter(u"CVtemp.html"_qs).size()) : -1;
    }
    // Into the box with a click, some text typed, then out of it with the key; the focus left the
    // box, and the box holds what was typed and no tab.
    static void sortirAvec(QPlainTextEdit* b, const QString& texte, Qt::KeyboardModifiers m)
    {
        SCOPED_TRACE(b->objectName().toStdString());
        cliquer(b->viewport());
        ASSERT_EQ(focus(), b);
        QTest::keyClick(b, Qt::Key_End, Qt::ControlModifier);
        const QString avant = b->toPlainText();
        taper(b, texte);
        QTest::keyClick(b, Qt::Key_Tab, m);
        pomper();
        EXPECT_NE(focus(), b);
        EXPECT_NE(focus(), nullptr);
        EXPECT_FALSE(b->toPlainText().contains(u'\t'));
        EXPECT_EQ(b->toPlainText(), avant + texte);
    }
    static bool sansTabulation(const QString& chemin)
    {
        const auto t = FichiersTexte::lire(chemin);
        return t && !t->contains(u'\t');
    }
};

} // namespace

TEST_F(TestClavier, TabQuitteChaqueZoneDuCVEtLaRend)
{
    FormRedigerCV* cv = ouvrirCV();
    ASSERT_NE(cv, nullptr);
    // A name, so that every rendering saves the CV.
    cliquer(cv->SaiseDetaillee);
    cliquer(cv->Nom);
    taper(cv->Nom, u"LEBRUN"_qs);
    QList<QPlainTextEdit*> zones = {cv->Objectifs, cv->Etudes,      cv->Formations, cv->Experiences,
                                    cv->Competences, cv->LanguesPlus, cv->Divers};
    for (QPlainTextEdit* b : zones) {
        const int avant = rendus(cv);
        sortirAvec(b, u"2009 : BTS"_qs, Qt::NoModifier);
        EXPECT_EQ(rendus(cv), avant + 1) << b->objectName().toStdString(); // the leaving handler ran
        const int encore = rendus(cv);
        sortirAvec(b, u" logistique"_qs, Qt::ShiftModifier);
        EXPECT_EQ(rendus(cv), encore + 1) << b->objectName().toStdString();
        // With Ctrl, the key is not typed into the text either.
        cliquer(b->viewport());
        QTest::keyClick(b, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_FALSE(b->toPlainText().contains(u'\t')) << b->objectName().toStdString();
    }
    const QString fichier = dossier.chemin(u"CV/Lebrun.dat"_qs);
    ASSERT_TRUE(QFileInfo::exists(fichier));
    EXPECT_TRUE(sansTabulation(fichier));
    EXPECT_TRUE(FichiersTexte::lire(fichier)->contains(u"Divers=2009 : BTS logistique"_qs));
}

TEST_F(TestClavier, TabQuitteLesZonesDesAutresFenetres)
{
    // The letter editor: the five paragraphs and the letter.
    doubleCliquer(principale->ImageMenu[5]);
    auto* lettre = RegistreFenetres::instance().siChargee<FormLettre>();
    ASSERT_NE(lettre, nullptr);
    for (QPlainTextEdit* b : lettre->Corps) {
        sortirAvec(b, u" Merci."_qs, Qt::NoModifier);
        sortirAvec(b, u" Bien."_qs, Qt::ShiftModifier);
    }
    sortirAvec(lettre->Text1, u"Madame,"_qs, Qt::NoModifier);

    // The register: the letter, the remarks and the description.
    doubleCliquer(principale->ImageMenu[10]);
    auto* registre = RegistreFenetres::instance().siChargee<FormCand>();
    ASSERT_NE(registre, nullptr);
    for (QPlainTextEdit* b : {registre->Lettre, registre->Remarques, registre->Description}) {
        sortirAvec(b, u"Relance"_qs, Qt::NoModifier);
        sortirAvec(b, u" faite"_qs, Qt::ShiftModifier);
    }

    // The sending window: the letter.
    auto& envoi = Forme<FormPostuler>();
    pomper();
    sortirAvec(envoi.Texte, u"Madame,"_qs, Qt::NoModifier);
    sortirAvec(envoi.Texte, u" Monsieur,"_qs, Qt::ShiftModifier);
}

TEST_F(TestClavier, UnCVAuClavierSeulement)
{
    FormRedigerCV* cv = ouvrirCV();
    ASSERT_NE(cv, nullptr);
    // The focus is in the free-text identity box from the start.
    ASSERT_EQ(focus(), cv->Identite) << nomFocus();
    taper(focus(), u"Marie MARTIN\n12 rue des Lilas\n35000 Rennes\nmarie.martin@exemple.fr"_qs);
    touche(Qt::Key_Tab);
    // Read into the detailed boxes, which Tab now reaches from the first one.
    EXPECT_TRUE(cv->FrameIdentite->isHidden());
    EXPECT_EQ(focus(), cv->Nom) << nomFocus();
    EXPECT_EQ(cv->Nom->text(), u"MARTIN"_qs);

    // Down the panel; every control the focus reaches is in sight, the panel scrolling to it.
    auto enVue = [cv](QWidget* w) {
        const QRect r(w->mapTo(cv->Frame2, QPoint(0, 0)), w->size());
        return cv->Frame2->rect().contains(r);
    };
    QStringList horsDeVue;
    for (int i = 0; i < 60 && focus() != cv->Fonction; ++i) {
        touche(Qt::Key_Tab);
        if (cv->Frame1->isAncestorOf(focus()) && !enVue(focus()))
            horsDeVue << focus()->objectName();
    }
    ASSERT_EQ(focus(), cv->Fonction);
    taper(focus(), u"Assistante logistique"_qs);
    touche(Qt::Key_Tab);
    ASSERT_EQ(focus(), cv->Objectifs);
    taper(focus(), u"Un poste en entrepôt"_qs);
    touche(Qt::Key_Tab);
    ASSERT_EQ(focus(), cv->Etudes);
    taper(focus(), u"2009 : BTS\n2012 : Licence"_qs);
    for (QWidget* suivante : std::initializer_list<QWidget*>{cv->Formations, cv->Experiences, cv->Competences}) {
        touche(Qt::Key_Tab);
        ASSERT_EQ(focus(), suivante);
        if (!enVue(focus()))
            horsDeVue << focus()->objectName();
    }
    taper(focus(), u"Gestion des stocks"_qs);
    // The language grid, row by row: English at the professional level.
    touche(Qt::Key_Tab);
    ASSERT_EQ(focus(), cv->LangueScolaire[0]);
    touche(Qt::Key_Tab);
    ASSERT_EQ(focus(), cv->LangueProf[0]);
    touche(Qt::Key_Space);
    EXPECT_TRUE(cv->LangueProf[0]->isChecked());
    EXPECT_TRUE(enVue(cv->LangueProf[0]));
    ASSERT_TRUE(tabJusqua(cv->Divers, 40));
    EXPECT_TRUE(enVue(cv->Divers));
    taper(focus(), u"Randonnée"_qs);
    touche(Qt::Key_Tab);
    EXPECT_TRUE(horsDeVue.isEmpty()) << horsDeVue.join(u", "_qs).toStdString();

    // Saved under the CV's name, as typed, without a tab.
    const QString fichier = dossier.chemin(u"CV/Martin Marie.dat"_qs);
    ASSERT_TRUE(QFileInfo::exists(fichier)) << QDir(dossier.chemin(u"CV"_qs)).entryList().join(u","_qs).toStdString();
    const QString t = *FichiersTexte::lire(fichier);
    EXPECT_TRUE(sansTabulation(fichier));
    EXPECT_TRUE(t.contains(u"Etudes=2009 : BTS<N>2012 : Licence"_qs));
    EXPECT_TRUE(t.contains(u"Divers=Randonnée"_qs));
    EXPECT_TRUE(t.contains(u"0:LangueProf=1"_qs));

    // Shift+Tab goes back up, and the toolbar's "Enregistrer" is reached and pressed from the
    // keyboard too.
    ASSERT_TRUE(tabJusqua(cv->SauvegarderCV, 20));
    touche(Qt::Key_Space);
    EXPECT_TRUE(faux.dialogues->textes().isEmpty()) << faux.dialogues->textes().join(u" | "_qs).toStdString();
}

TEST_F(TestClavier, UnModeleDeLettreAuClavierSeulement)
{
    doubleCliquer(principale->ImageMenu[5]);
    auto* lettre = RegistreFenetres::instance().siChargee<FormLettre>();
    ASSERT_NE(lettre, nullptr);
    ASSERT_EQ(focus(), lettre->Nom);
    taper(focus(), u"DUPONT"_qs);
    touche(Qt::Key_Tab);
    ASSERT_EQ(focus(), lettre->Prenom);
    taper(focus(), u"hélène"_qs);
    touche(Qt::Key_Tab);
    EXPECT_EQ(lettre->Prenom->text(), u"Hélène"_qs); // its leaving handler ran
    ASSERT_TRUE(tabJusqua(lettre->Email, 10));
    taper(focus(), u"helene@exemple.fr"_qs);
    // The next phrase of the introduction, with the button's keys.
    ASSERT_TRUE(tabJusqua(lettre->BoutonKVL2[0], 15));
    const QString premiere = lettre->Corps[0]->toPlainText();
    touche(Qt::Key_Space);
    EXPECT_NE(lettre->Corps[0]->toPlainText(), premiere);
    EXPECT_EQ(focus(), lettre->BoutonKVL2[0]);
    // An e-mail template.
    ASSERT_TRUE(tabJusqua(lettre->Check_Modele[1], 30));
    touche(Qt::Key_Space);
    EXPECT_TRUE(lettre->Check_Modele[1]->isChecked());
    EXPECT_FALSE(lettre->Check_Modele[0]->isChecked());
    ASSERT_TRUE(tabJusqua(lettre->NomLettre, 10));
    taper(focus(), u"Relance"_qs);
    touche(Qt::Key_Tab);
    EXPECT_EQ(focus(), lettre->Picture2) << nomFocus(); // "recompose", beside the name
    touche(Qt::Key_Tab);
    EXPECT_EQ(focus(), lettre->Objet) << nomFocus();
    taper(focus(), u"Candidature"_qs);
    touche(Qt::Key_Tab);
    EXPECT_EQ(focus(), lettre->Text1);
    // The autosave writes it.
    const QString fichier = dossier.chemin(u"Lettres/Relance.dat"_qs);
    ASSERT_TRUE(Outils::attendre([&] {
        const auto t = FichiersTexte::lire(fichier);
        return t && t->contains(u"Nom=DUPONT"_qs);
    }));
    EXPECT_TRUE(sansTabulation(fichier));
}

TEST_F(TestClavier, UneCandidatureAuClavierPuisSonEnvoi)
{
    QList<Envoi::Message> messages;
    Envoi::Messagerie::installer(std::make_unique<MessagerieNotee>(&messages));
    doubleCliquer(principale->ImageMenu[10]);
    auto* registre = RegistreFenetres::instance().siChargee<FormCand>();
    ASSERT_NE(registre, nullptr);
    registre->Timer1->stop();
    registre->Timer2->stop();
    cliquer(registre->Intitule);

    // "Nouvelle", then the fields, then the status from its list, then "Valider".
    ASSERT_TRUE(tabJusqua(registre->Action.value(0)));
    touche(Qt::Key_Return);
    ASSERT_TRUE(tabJusqua(registre->Intitule));
    taper(focus(), u"Magasinier"_qs);
    touche(Qt::Key_Tab);
    ASSERT_EQ(focus(), registre->Nature) << nomFocus();
    touche(Qt::Key_F4);
    EXPECT_TRUE(registre->ListeContrats->isVisible());
    touche(Qt::Key_Down);
    touche(Qt::Key_Down);
    touche(Qt::Key_Return);
    EXPECT_EQ(registre->Nature->text(), registre->ListeContrats->item(1)->text());
    EXPECT_FALSE(registre->ListeContrats->isVisible());
    EXPECT_EQ(focus(), registre->Nature);
    ASSERT_TRUE(tabJusqua(registre->Societe, 10));
    taper(focus(), u"Durand SA"_qs);
    ASSERT_TRUE(tabJusqua(registre->Email, 10));
    taper(focus(), u"rh@durand.fr"_qs);
    ASSERT_TRUE(tabJusqua(registre->Action.value(3)));
    touche(Qt::Key_Space);
    ASSERT_FALSE(registre->Num->text().isEmpty());
    const QString num = registre->Num->text();

    // The stored application is opened again from the tree with the keyboard.
    cliquer(registre->Action.value(0)); // "Nouvelle": the fields empty
    ASSERT_TRUE(registre->Intitule->text().isEmpty());
    ASSERT_TRUE(tabJusqua(registre->Liste));
    registre->Liste->setCurrentItem(registre->Liste->topLevelItem(0));
    touche(Qt::Key_Down);
    touche(Qt::Key_Return);
    EXPECT_EQ(registre->Num->text(), num);
    EXPECT_FALSE(registre->Intitule->text().isEmpty());

    // Its status from the keyboard: the list opens on the status shown, Down, Enter.
    ASSERT_TRUE(tabJusqua(registre->Statut));
    touche(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(registre->ListeStatuts->isVisible());
    touche(Qt::Key_Escape);
    EXPECT_FALSE(registre->ListeStatuts->isVisible());

    // "Postuler", then the sending window from the keyboard.
    ASSERT_TRUE(tabJusqua(registre->PicturePostuler));
    touche(Qt::Key_Space);
    auto* envoi = RegistreFenetres::instance().siChargee<FormPostuler>();
    ASSERT_NE(envoi, nullptr);
    EXPECT_EQ(nomActive(), FormPostuler::NomConception);
    EXPECT_EQ(envoi->EmailDest->text(), u"rh@durand.fr"_qs);
    // The focus does not start on a slot of the template list that shows nothing.
    QTest::qWait(20);
    const auto* depart = qobject_cast<QLabel*>(focus());
    EXPECT_FALSE(depart && depart->text().isEmpty()) << nomFocus();
    cliquer(envoi->Email);
    taper(focus(), u"marie@exemple.fr"_qs);
    ASSERT_TRUE(tabJusqua(envoi->Texte, 10));
    taper(focus(), u"Madame, Monsieur,\nMa candidature."_qs);
    touche(Qt::Key_Tab);
    ASSERT_TRUE(tabJusqua(envoi->BoutonKVL1, 5));
    touche(Qt::Key_Space);
    ASSERT_EQ(messages.size(), 1) << faux.dialogues->textes().join(u" | "_qs).toStdString();
    EXPECT_EQ(messages.first().destinataire, u"rh@durand.fr"_qs);
    EXPECT_TRUE(messages.first().corps.contains(u"Ma candidature."_qs));
    EXPECT_FALSE(messages.first().corps.contains(u'\t'));
    Envoi::Messagerie::installer(std::make_unique<Envoi::MessagerieXdg>());
}

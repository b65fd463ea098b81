// The CV editor's presentation options and identity boxes as the user drives them: the toolbar
// and its panels, the swatches and the colour dialog, the paragraph and layout boxes, the page
// models and fonts, the language grid, and the boxes tidied when the focus leaves them.
#include "test_fenetre_cv.h"

#include <QApplication>
#include <QTest>

namespace {

void cliquer(QWidget* w, QPoint point = {})
{
    QTest::mouseClick(w, Qt::LeftButton, {}, point.isNull() ? w->rect().center() : point);
}

// A check box clicked on its square.
void cocher(QCheckBox* b) { cliquer(b, QPoint(b->height() / 2, b->height() / 2)); }

// Types into a box that has the focus, its text replaced.
void remplacer(QWidget* boite, const QString& texte)
{
    QTest::keyClick(boite, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(boite, Qt::Key_Delete);
    QTest::keyClicks(boite, texte);
}

} // namespace

class TestOptionsCV : public TestFenetreCV {
protected:
    // Focus moves only in the active window.
    bool activer()
    {
        principale->activateWindow();
        return QTest::qWaitForWindowActive(principale);
    }
    // A click in the box gives it the focus, the text typed, a click elsewhere leaves it.
    void saisir(QWidget* boite, const QString& texte, QWidget* ailleurs)
    {
        cliquer(boite);
        ASSERT_EQ(QApplication::focusWidget(), boite);
        remplacer(boite, texte);
        cliquer(ailleurs);
        ASSERT_NE(QApplication::focusWidget(), boite);
    }
};

TEST_F(TestOptionsCV, NuancesEtBoiteDeCouleurs)
{
    FormRedigerCV& f = cv();
    f.Nom->setText(u"MARTIN"_qs);
    f.Etudes->setPlainText(u"2001 : Bac"_qs);
    // Each swatch, reached through the toolbar's colour picture: its colour and the tint.
    const char16_t* attendu[20][2] = {
        {u"#000000", u"#DEDEDE"}, {u"#404040", u"#E6E6E6"}, {u"#808080", u"#EEEEEE"}, {u"#C0C0C0", u"#F7F7F7"},
        {u"#E0E0E0", u"#FBFBFB"}, {u"#C00000", u"#F7DEDE"}, {u"#FF0000", u"#FFDEDE"}, {u"#C0C000", u"#F7F7DE"},
        {u"#808000", u"#EEEEDE"}, {u"#FF80FF", u"#FFEEFF"}, {u"#C04000", u"#F7E6DE"}, {u"#FF8000", u"#FFEEDE"},
        {u"#008080", u"#DEEEEE"}, {u"#0000FF", u"#DEDEFF"}, {u"#FF00FF", u"#FFDEFF"}, {u"#008000", u"#DEEEDE"},
        {u"#00C000", u"#DEF7DE"}, {u"#00C0C0", u"#DEF7F7"}, {u"#0000C0", u"#DEDEF7"}, {u"#C000C0", u"#F7DEF7"}};
    for (int i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        cliquer(f.ImageMenu[1]);
        ASSERT_FALSE(f.CadreCouleur->isHidden());
        const QString couleur = QString::fromUtf16(attendu[i][0]), claire = QString::fromUtf16(attendu[i][1]);
        // The swatch shows the colour it gives.
        EXPECT_EQ(f.Coul[i]->grab().toImage().pixelColor(f.Coul[i]->rect().center()).name().toUpper(), couleur);
        const int n = rendus();
        cliquer(f.Coul[i]);
        EXPECT_EQ(f.Couleur->text(), couleur);
        EXPECT_EQ(f.CouleurClaire->text(), claire);
        EXPECT_TRUE(f.CadreCouleur->isHidden());
        // One rendering, which already has the tint.
        EXPECT_EQ(rendus(), n + 1);
        EXPECT_TRUE(page().contains(claire));
    }

    // The colour dialog: black changes nothing; the starting orange gets its computed tint; a
    // colour whose number is short is padded before its pairs are swapped.
    cliquer(f.ImageMenu[1]);
    faux.dialogues->couleurs = {QColor(0, 0, 0), QColor(0xFF, 0x66, 0x00), QColor(1, 0, 0)};
    const QString avant = f.Couleur->text();
    cliquer(f.BoutonKVL3->Label1);
    EXPECT_EQ(f.Couleur->text(), avant);
    EXPECT_TRUE(f.CadreCouleur->isHidden());
    cliquer(f.ImageMenu[1]);
    cliquer(f.BoutonKVL3->Label1);
    EXPECT_EQ(f.Couleur->text(), u"#FF6600"_qs);
    EXPECT_EQ(f.CouleurClaire->text(), u"#FFEBDE"_qs);
    EXPECT_TRUE(f.CouleurClaire->styleSheet().contains(u"#FFEBDE"_qs, Qt::CaseInsensitive));
    cliquer(f.ImageMenu[1]);
    cliquer(f.BoutonKVL3->Label1);
    EXPECT_EQ(f.Couleur->text(), u"#010000"_qs);
}

TEST_F(TestOptionsCV, ParagraphesEtDisposition)
{
    FormRedigerCV& f = cv();
    f.Nom->setText(u"MARTIN"_qs);
    f.Experiences->setPlainText(u"2005 : Vente\n- Caisse"_qs);
    f.Etudes->setPlainText(u"2001 : Bac"_qs);
    cliquer(f.ImageMenu[0]);
    ASSERT_FALSE(f.FrameParagraphe->isHidden());
    const QStringList legendes = {u"Mise en gras des entêtes"_qs, u"Souligner les entêtes"_qs,
                                  u"Indentation des détails de paragraphes"_qs, u"Saut de ligne avant la période"_qs};
    const QStringList boites = {u"Gras"_qs, u"Souligné"_qs, u"Indentation"_qs, u"Saut"_qs};
    const QStringList depart = {u"1"_qs, u"0"_qs, u"1"_qs, u"0"_qs};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(f.CheckParagraphe[k]->text(), legendes[k]);
        EXPECT_EQ(f.texteControle(boites[k]), depart[k]);
        const int n = rendus();
        cocher(f.CheckParagraphe[k]);
        EXPECT_EQ(f.texteControle(boites[k]), depart[k] == u"1" ? u"0"_qs : u"1"_qs);
        EXPECT_EQ(rendus(), n + 1);
        if (k == 1)
            EXPECT_TRUE(page().contains(u"<b><u>2005 : Vente</b></u><br>"_qs));
        cocher(f.CheckParagraphe[k]);
        EXPECT_EQ(f.texteControle(boites[k]), depart[k]);
    }

    // The layout pair: exactly one of the two is ticked, the career first for "Sénior".
    EXPECT_EQ(f.CheckDisposition[0]->text(), u"Débutant"_qs);
    EXPECT_EQ(f.CheckDisposition[1]->text(), u"Sénior"_qs);
    cocher(f.CheckDisposition[1]);
    EXPECT_TRUE(f.CheckDisposition[1]->isChecked());
    EXPECT_FALSE(f.CheckDisposition[0]->isChecked());
    EXPECT_LT(page().indexOf(u"2005 : Vente"_qs), page().indexOf(u"2001 : Bac"_qs));
    cocher(f.CheckDisposition[0]);
    EXPECT_TRUE(f.CheckDisposition[0]->isChecked());
    EXPECT_FALSE(f.CheckDisposition[1]->isChecked());
    EXPECT_GT(page().indexOf(u"2005 : Vente"_qs), page().indexOf(u"2001 : Bac"_qs));
    // Unticking the ticked one ticks the other.
    cocher(f.CheckDisposition[0]);
    EXPECT_TRUE(f.CheckDisposition[1]->isChecked());
}

TEST_F(TestOptionsCV, ModelesEtPolices)
{
    // Only ".htm" names, case-sensitive: the rendered page and an upper-case extension stay out;
    // listed by name without regard to case.
    QFile::copy(dossier.chemin(u"Modeles/Basic.htm"_qs), dossier.chemin(u"Modeles/atelier.htm"_qs));
    QFile::copy(dossier.chemin(u"Modeles/Basic.htm"_qs), dossier.chemin(u"Modeles/Vieux.HTM"_qs));
    Outils::ecrireOctets(dossier.chemin(u"Modeles/CVtemp.html"_qs), "<html></html>");
    FormRedigerCV& f = cv();
    f.Nom->setText(u"MARTIN"_qs);
    QStringList modeles;
    for (int i = 0; i < f.ListeModeles->count(); ++i)
        modeles << f.ListeModeles->item(i)->text();
    EXPECT_EQ(modeles, (QStringList{u"atelier"_qs, u"Basic"_qs, u"Classique"_qs, u"Moderne"_qs}));

    // The model and font rows come into sight once the entry panel is scrolled to its end
    // (the scroll list takes the focus on a click, then End).
    cliquer(f.List1->viewport());
    QTest::keyClick(f.List1, Qt::Key_End);
    ASSERT_TRUE(f.Frame2->rect().contains(QRect(f.Police->mapTo(f.Frame2, QPoint(0, 0)), f.Police->size())));
    // A click on the model's name drops the list; a click on an entry takes it and renders it.
    cliquer(f.NomModele);
    ASSERT_FALSE(f.ListeModeles->isHidden());
    QListWidgetItem* moderne = f.ListeModeles->findItems(u"Moderne"_qs, Qt::MatchExactly).value(0);
    ASSERT_TRUE(moderne);
    cliquer(f.ListeModeles->viewport(), f.ListeModeles->visualItemRect(moderne).center());
    EXPECT_EQ(f.NomModele->text(), u"Moderne"_qs);
    EXPECT_EQ(f.Modele->text(), u"Moderne.htm"_qs);
    EXPECT_TRUE(f.ListeModeles->isHidden());
    EXPECT_TRUE(page().contains(u"td.bandeau"_qs));

    // Fonts: each label in its own font, the hover mark following the pointer, a choice putting
    // the font in place of Arial.
    cliquer(f.Police);
    ASSERT_FALSE(f.FramePolice->isHidden());
    ASSERT_TRUE(f.ListeModeles->isHidden());
    const QStringList polices = {u"Arial"_qs,  u"Times New Roman"_qs, u"Verdana"_qs,
                                 u"MS Sans Serif"_qs, u"Impact"_qs, u"Lucida Handwriting"_qs};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(f.PoliceT[k]->text(), polices[k]);
        EXPECT_EQ(f.PoliceT[k]->font().family(), polices[k]);
    }
    QTest::mouseMove(f.PoliceT[2], QPoint(5, 5));
    QTest::mouseMove(f.PoliceT[2], QPoint(9, 6));
    // The hovered label light blue, the others white (seen at their right edge, past the text).
    auto fond = [](QWidget* w) { return w->grab().toImage().pixelColor(w->width() - 3, w->height() / 2); };
    EXPECT_EQ(fond(f.PoliceT[2]), QColor(224, 238, 255));
    EXPECT_EQ(fond(f.PoliceT[0]), QColor(Qt::white));
    cliquer(f.PoliceT[2]);
    EXPECT_EQ(f.Police->text(), u"Verdana"_qs);
    EXPECT_TRUE(f.FramePolice->isHidden());
    EXPECT_TRUE(page().contains(u"Verdana"_qs));
    EXPECT_FALSE(page().contains(u"Arial"_qs));

    // Opening a panel hides the others.
    cliquer(f.ImageMenu[1]);
    EXPECT_FALSE(f.CadreCouleur->isHidden());
    cliquer(f.NomModele);
    EXPECT_TRUE(f.CadreCouleur->isHidden());
    EXPECT_FALSE(f.ListeModeles->isHidden());
}

TEST_F(TestOptionsCV, GrilleDesLangues)
{
    FormRedigerCV& f = cv();
    cocher(f.LangueBilingue[2]);
    cocher(f.LangueProf[3]);
    const int n = rendus();
    // Row 2 (Espagnol) from bilingual to fluent in one click; row 3 left alone.
    cocher(f.LangueCourant[2]);
    EXPECT_TRUE(f.LangueCourant[2]->isChecked());
    EXPECT_FALSE(f.LangueBilingue[2]->isChecked());
    EXPECT_TRUE(f.LangueProf[3]->isChecked());
    EXPECT_EQ(rendus(), n + 1);
    EXPECT_EQ(f.texteControle(u"Langues"_qs), u"Espagnol courant\r\nItalien professionnel\r\n"_qs);
    // A click on the ticked box leaves the row without a level.
    cocher(f.LangueCourant[2]);
    for (QCheckBox* b : {f.LangueScolaire[2], f.LangueProf[2], f.LangueCourant[2], f.LangueBilingue[2]})
        EXPECT_FALSE(b->isChecked());
}

TEST_F(TestOptionsCV, IdentiteColleeEtBoitesRangeesEnLesQuittant)
{
    if (!activer())
        GTEST_SKIP() << "no window activation on this platform";
    FormRedigerCV& f = cv();
    // A pasted block, read when the focus leaves the box.
    cliquer(f.Identite);
    ASSERT_EQ(QApplication::focusWidget(), f.Identite);
    f.Identite->setPlainText(u"Paul Exemple\n12 rue de la Paix\nBatiment B\n75001 Paris\nTel : 01 23 45 67 89\n"
                             "paul.exemple@exemple.fr"_qs);
    cliquer(f.Fonction);
    EXPECT_EQ(f.Prenom->text(), u"Paul"_qs);
    EXPECT_EQ(f.Nom->text(), u"Exemple"_qs);
    EXPECT_EQ(f.Adresse1->text(), u"12 rue de la Paix"_qs);
    EXPECT_EQ(f.Adresse2->text(), u"Batiment B"_qs);
    EXPECT_EQ(f.CP->text(), u"75001"_qs);
    EXPECT_EQ(f.Ville->text(), u"Paris"_qs);
    EXPECT_EQ(f.Tel->text(), u"  01 23 45 67 89"_qs);
    EXPECT_EQ(f.Email->text(), u"paul.exemple@exemple.fr"_qs);
    EXPECT_TRUE(f.FrameIdentite->isHidden());
    EXPECT_GE(rendus(), 1);

    // Each box tidied as the focus leaves it.
    saisir(f.Nom, u"exemple"_qs, f.Pays);
    EXPECT_EQ(f.Nom->text(), u"EXEMPLE"_qs);
    saisir(f.Ville, u"paris"_qs, f.Pays);
    EXPECT_EQ(f.Ville->text(), u"Paris"_qs);
    saisir(f.Ville, u"p"_qs, f.Pays);
    EXPECT_EQ(f.Ville->text(), u"p"_qs);
    saisir(f.Pays, u"france"_qs, f.Nom);
    EXPECT_EQ(f.Pays->text(), u"France"_qs);
    saisir(f.Adresse1, u"12 rue de la paix"_qs, f.Nom);
    EXPECT_EQ(f.Adresse1->text(), u"12 Rue De La Paix"_qs);
    saisir(f.Adresse2, u"bat b"_qs, f.Nom);
    EXPECT_EQ(f.Adresse2->text(), u"bat b"_qs);
    saisir(f.LieuNaissance, u"lyon"_qs, f.Nom);
    EXPECT_EQ(f.LieuNaissance->text(), u"Lyon"_qs);
    // A first name of one character is left as it is, and nothing renders; a longer one is
    // capitalised and renders.
    int n = rendus();
    saisir(f.Prenom, u"j"_qs, f.Nom);
    EXPECT_EQ(f.Prenom->text(), u"j"_qs);
    EXPECT_EQ(rendus(), n);
    saisir(f.Prenom, u"jean-paul marc"_qs, f.Nom);
    EXPECT_EQ(f.Prenom->text(), u"Jean-paul Marc"_qs);
    EXPECT_EQ(rendus(), n + 1);
    // The age follows the birth date (the fake clock says 15/03/2024), once it is typed whole:
    // "12/03/1" on the way reads as 2001.
    saisir(f.Age, {}, f.Nom);
    saisir(f.DateNaissance, u"12/03/1992"_qs, f.Nom);
    EXPECT_EQ(f.Age->text(), u"32"_qs);
    f.Age->clear();
    f.DateNaissance->setText(u"12/05/1980"_qs);
    EXPECT_EQ(f.Age->text(), u"43"_qs);
    // The family status from its list.
    cliquer(f.Image8);
    ASSERT_FALSE(f.ListeSituations->isHidden());
    QListWidgetItem* marie = f.ListeSituations->item(1);
    cliquer(f.ListeSituations->viewport(), f.ListeSituations->visualItemRect(marie).center());
    EXPECT_EQ(f.Situation->text(), u"Marié(e)"_qs);
    EXPECT_TRUE(f.ListeSituations->isHidden());
}

TEST_F(TestOptionsCV, BlocDIdentiteVideOuFaitDeSautsDeLigne)
{
    if (!activer())
        GTEST_SKIP() << "no window activation on this platform";
    // Blanks only: nothing changes and the panel stays.
    FormRedigerCV& f = cv();
    cliquer(f.Identite);
    QTest::keyClicks(f.Identite, u"   "_qs);
    cliquer(f.Fonction);
    EXPECT_FALSE(f.FrameIdentite->isHidden());
    EXPECT_EQ(rendus(), 0);

    // Line breaks are no blanks: the block is read, the panel hides and the page renders.
    RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
    FormRedigerCV& g = cv();
    cliquer(g.Identite);
    QTest::keyClick(g.Identite, Qt::Key_Return);
    QTest::keyClick(g.Identite, Qt::Key_Return);
    cliquer(g.Fonction);
    EXPECT_TRUE(g.FrameIdentite->isHidden());
    EXPECT_EQ(rendus(), 1);
    EXPECT_EQ(g.texteControle(u"Identite"_qs), u"\r\n"_qs + u"\r\n"_qs);
    EXPECT_EQ(g.Nom->text(), QString());
}

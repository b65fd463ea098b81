// What the CV editor shows on screen: its entry panel's rows side by side without overlap, every
// control of the panel whole and within reach on half a screen as at full width, and every shipped
// page model within the width of the preview.
#include "test_fenetre_cv.h"

#include "affichage.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "platform/navigateur_web.h"

#include "shell/services/twips.h"

namespace {

// The controls of the entry panel that show, but not the free-text identity panel, which lies
// over the detailed boxes until the first rendering.
QList<QWidget*> rangees(FormRedigerCV& f)
{
    QList<QWidget*> r;
    for (QWidget* w : f.Frame1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != f.FrameIdentite && w->isVisibleTo(f.Frame1))
            r << w;
    return r;
}

QString nom(const QWidget* w)
{
    if (!w->objectName().isEmpty())
        return w->objectName();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    return QString::fromLatin1(w->metaObject()->className());
}

} // namespace

TEST_F(TestFenetreCV, LesRangeesDuPanneauNeSeChevauchentPas)
{
    FormRedigerCV& f = cv();
    f.SaiseDetaillee_Click();
    const QList<QWidget*> r = rangees(f);
    ASSERT_GT(r.size(), 40);
    for (int i = 0; i < r.size(); ++i)
        for (int j = i + 1; j < r.size(); ++j)
            EXPECT_FALSE(r[i]->geometry().intersects(r[j]->geometry()))
                << nom(r[i]).toStdString() << " " << nom(r[j]).toStdString();

    // Scrolled to its end from the keyboard, the panel shows its last row whole.
    f.List1->setFocus();
    QTest::keyClick(f.List1, Qt::Key_End);
    const QRect bouton(f.BoutonKVL1->mapTo(f.Frame2, QPoint(0, 0)), f.BoutonKVL1->size());
    EXPECT_TRUE(f.Frame2->rect().contains(bouton)) << bouton.y() << " " << f.Frame2->height();
}

namespace {

int droite(const QWidget* w) { return w->x() + w->width(); }

// Whether a control of the entry panel shows whole in the view that shows the panel.
bool enVue(FormRedigerCV& f, QWidget* w)
{
    return f.Frame2->rect().contains(QRect(w->mapTo(f.Frame2, QPoint(0, 0)), w->size()));
}

// The panel as a user needs it: every control inside it, shown whole, apart from the others and
// under the pointer once scrolled into sight; the view shows the panel's whole width; the
// frames around it and the preview after it side by side, the preview wide enough to read.
void verifierPanneau(FormRedigerCV& f)
{
    for (QWidget* w : f.Frame1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(f.Frame1->rect().contains(w->geometry())) << nom(w).toStdString();
    EXPECT_GE(f.Frame1->x(), 0);
    EXPECT_LE(droite(f.Frame1), f.Frame2->width());
    for (QWidget* w : std::initializer_list<QWidget*>{f.Frame2, f.List1, f.Label5})
        EXPECT_TRUE(f.FrameZones->rect().contains(w->geometry())) << nom(w).toStdString();
    EXPECT_GE(f.List1->width(), f.List1->verticalScrollBar()->sizeHint().width());
    EXPECT_LE(droite(f.FrameZones), f.FrameCV->x());
    EXPECT_LE(droite(f.FrameCV), f.width());
    EXPECT_GE(f.WebBrowser1->width(), 300);
    // Every control and caption of the window whole and in its frame (the panel scrolls in its
    // view, the browser's border lies under its frame, the toolbar's hover mark waits out of sight).
    const QStringList defauts = Affichage::defauts(&f, {f.Frame1, f.WebBrowser1, f.CadreOrange});
    EXPECT_TRUE(defauts.isEmpty()) << defauts.join(u'\n').toStdString();
    // The photograph keeps its own proportions, 3 by 4, whatever the layout.
    EXPECT_NEAR(double(f.Photo->width()) / f.Photo->height(), 0.75, 0.02);
    // The preview's toolbar: each picture whole, inside its frame, above the preview.
    QList<QWidget*> outils{f.Genere, f.SauvegarderCV};
    for (Etiquette* e : f.ImageMenu)
        outils << e;
    for (QWidget* o : outils) {
        EXPECT_TRUE(f.FrameCV->rect().contains(o->geometry())) << nom(o).toStdString();
        EXPECT_LE(o->sizeHint().width(), o->width()) << nom(o).toStdString();
        EXPECT_LE(o->y() + o->height(), f.FrameWeb->y()) << nom(o).toStdString();
        for (QWidget* autre : outils)
            EXPECT_TRUE(o == autre || !o->geometry().intersects(autre->geometry())) << nom(o).toStdString();
    }
    // The short boxes show a postal code, a date, an age, a font's name whole: with the cursor
    // after the text, its first character still shows at the box's left.
    for (auto [boite, texte] : {std::pair{f.CP, u"75011"_qs}, std::pair{f.DateNaissance, u"12/03/1988"_qs},
                                std::pair{f.Age, u"38"_qs}, std::pair{f.Police, u"Lucida Handwriting"_qs}}) {
        boite->setText(texte);
        boite->end(false);
        boite->grab(); // the box scrolls its text as it paints
        EXPECT_EQ(boite->cursorPositionAt(QPoint(4, boite->height() / 2)), 0) << boite->objectName().toStdString();
    }

    const QList<QWidget*> r = rangees(f);
    for (QWidget* w : r) {
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
            if (l->wordWrap())
                EXPECT_LE(l->heightForWidth(l->width()), l->height()) << nom(w).toStdString();
            else
                EXPECT_LE(l->sizeHint().width(), l->width()) << nom(w).toStdString();
        }
        if (auto* c = qobject_cast<QCheckBox*>(w))
            EXPECT_LE(c->sizeHint().width(), c->width());
    }
    for (int i = 0; i < r.size(); ++i)
        for (int j = i + 1; j < r.size(); ++j)
            EXPECT_FALSE(r[i]->geometry().intersects(r[j]->geometry()))
                << nom(r[i]).toStdString() << " " << nom(r[j]).toStdString();
    // The language grid's four columns, left to right, under their heading.
    for (int k = 0; k < 9; ++k) {
        const QList<QCheckBox*> rangee{f.LangueScolaire[k], f.LangueProf[k], f.LangueCourant[k], f.LangueBilingue[k]};
        for (int c = 0; c < 4; ++c) {
            EXPECT_GE(rangee[c]->x(), f.Label34->x());
            EXPECT_LE(droite(rangee[c]), droite(f.Label34));
            if (c > 0)
                EXPECT_GE(rangee[c]->x(), droite(rangee[c - 1]));
        }
    }

    // Each control, scrolled into sight from the keyboard, is what the pointer finds there.
    for (QWidget* w : r) {
        QTest::keyClick(f.List1, Qt::Key_Home);
        for (int i = 0; i < 220 && !enVue(f, w); ++i)
            QTest::keyClick(f.List1, Qt::Key_Down);
        EXPECT_TRUE(enVue(f, w)) << nom(w).toStdString();
        QWidget* fenetre = w->window();
        QWidget* dessous = fenetre->childAt(fenetre->mapFromGlobal(w->mapToGlobal(w->rect().center())));
        EXPECT_TRUE(dessous == w || w->isAncestorOf(dessous))
            << nom(w).toStdString() << " under " << (dessous ? nom(dessous).toStdString() : "nothing");
    }
    QTest::keyClick(f.List1, Qt::Key_Home);
}

} // namespace

TEST_F(TestFenetreCV, LePanneauMontreChaqueControleEnDemiEcranCommeEnPleineLargeur)
{
    principale->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(principale));
    // A CV with its portrait, 600 x 800.
    FichiersTexte::ecrire(fichierCV(u"Martin Paul"_qs), u"Nom=MARTIN\r\nPrénom=Paul\r\nCP=75011\r\n"_qs);
    QImage portrait(600, 800, QImage::Format_RGB32);
    portrait.fill(QColor(0x80, 0x60, 0x40));
    ASSERT_TRUE(portrait.save(dossier.chemin(u"Modeles/Martin Paul.jpg"_qs), "JPG"));
    struct Cas {
        int ouverture, puis; // the main window's width, in pixels, as the editor opens, then
        bool miseEnForme;    // "Mise en forme" clicked once more
    };
    // Half of a 1920-pixel screen, where the editor opens compact; the full width; one then the
    // other; and the compact layout asked for once more.
    for (const Cas cas : {Cas{960, 960, false}, Cas{1440, 1440, false}, Cas{960, 1920, false},
                          Cas{1920, 960, false}, Cas{960, 960, true}}) {
        SCOPED_TRACE(std::to_string(cas.ouverture) + " then " + std::to_string(cas.puis) +
                     (cas.miseEnForme ? " and Mise en forme" : ""));
        RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
        principale->resize(cas.ouverture, 1053);
        FormRedigerCV& f = cv();
        EXPECT_EQ(f.Nom->width() < Twips::versPixels(3450), cas.ouverture == 960) << "compact at 960 only";
        if (cas.puis != cas.ouverture)
            principale->resize(cas.puis, 1053);
        QCoreApplication::processEvents();
        // Narrowed to half a screen while open, it becomes compact as well; widened, it takes
        // back its full layout.
        EXPECT_EQ(f.Nom->width() < Twips::versPixels(3450), cas.puis == 960);
        {
            SCOPED_TRACE("the free-text identity on show");
            for (QWidget* w : f.FrameIdentite->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                EXPECT_TRUE(f.FrameIdentite->rect().contains(w->geometry())) << nom(w).toStdString();
            EXPECT_TRUE(enVue(f, f.SaiseDetaillee));
        }
        // The detailed boxes, then the whole panel.
        QTest::mouseClick(f.SaiseDetaillee, Qt::LeftButton, {}, f.SaiseDetaillee->rect().center());
        ASSERT_TRUE(f.FrameIdentite->isHidden());
        f.ChargerFichierCV(fichierCV(u"Martin Paul"_qs));
        ASSERT_FALSE(f.Photo->pixmap().isNull());
        if (cas.miseEnForme) {
            const int largeur = f.Nom->width();
            QTest::mouseClick(f.BoutonKVL1->Label1, Qt::LeftButton, {}, f.BoutonKVL1->Label1->rect().center());
            ASSERT_LT(f.Nom->width(), largeur);
        }
        verifierPanneau(f);

        // Tab goes down the whole panel, each control it reaches in sight.
        QTest::mouseClick(f.Nom, Qt::LeftButton, {}, f.Nom->rect().center());
        ASSERT_EQ(QApplication::focusWidget(), f.Nom);
        QStringList horsDeVue;
        int atteints = 0;
        for (int i = 0; i < 80 && QApplication::focusWidget() != f.BoutonKVL1; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            ++atteints;
            if (w && f.Frame1->isAncestorOf(w) && !enVue(f, w))
                horsDeVue << nom(w);
        }
        EXPECT_EQ(QApplication::focusWidget(), f.BoutonKVL1) << atteints;
        EXPECT_TRUE(horsDeVue.isEmpty()) << horsDeVue.join(u' ').toStdString();
    }
}

namespace {

// The page's width beside the width the preview gives it, in CSS pixels, read from the page.
std::optional<std::pair<int, int>> largeurs(NavigateurWeb& nav)
{
    std::optional<std::pair<int, int>> r;
    bool fini = false;
    nav.vue()->page()->runJavaScript(
        u"[document.documentElement.scrollWidth, document.documentElement.clientWidth]"_qs,
        QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
            const QVariantList l = v.toList();
            if (l.size() == 2)
                r = std::make_pair(l[0].toInt(), l[1].toInt());
            fini = true;
        });
    for (int i = 0; i < 200 && !fini; ++i)
        QTest::qWait(25);
    return r;
}

} // namespace

TEST_F(TestFenetreCV, ChaqueModeleTientDansLaLargeurDeLApercu)
{
    FauxNavigateur::desinstaller();
    QStringList modeles;
    for (const QString& f : QDir(dossier.chemin(u"Modeles"_qs)).entryList({u"*.htm"_qs}, QDir::Files))
        modeles << f.chopped(4);
    ASSERT_GE(modeles.size(), 3);

    // A wide screen, and the smallest one the program asks for (the editor then starts compact).
    for (const QSize ecran : {QSize(1280, 1024), QSize(1024, 768)}) {
        RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
        principale->resize(ecran.width(), ecran.height() - 27);
        FormRedigerCV& f = cv();
        auto* nav = qobject_cast<NavigateurWeb*>(f.WebBrowser1);
        ASSERT_TRUE(nav);
        f.Nom->setText(u"EXEMPLE-DURAND"_qs);
        f.Prenom->setText(u"Marie-Christine"_qs);
        f.Email->setText(u"marie-christine.exemple-durand@fournisseur-exemple.fr"_qs);
        f.Adresse1->setText(u"12 boulevard de la République"_qs);
        f.Fonction->setText(u"Responsable logistique et approvisionnements"_qs);
        f.Experiences->setPlainText(u"2015 - 2024 : Responsable d'entrepôt\n- Gestion des stocks"_qs);
        f.Competences->setPlainText(u"Gestion de projet, SAP, Excel"_qs);
        for (const QString& modele : modeles) {
            SCOPED_TRACE((modele + u" "_qs + QString::number(ecran.width())).toStdString());
            // The model chosen as a user does: a click on its name, then on the entry.
            QTest::mouseClick(f.NomModele, Qt::LeftButton);
            ASSERT_FALSE(f.ListeModeles->isHidden());
            const auto trouves = f.ListeModeles->findItems(modele, Qt::MatchExactly);
            ASSERT_EQ(trouves.size(), 1);
            // The page of an earlier change has finished loading first, so that the load waited
            // for below is the one of this model; a model already shown loads nothing new.
            auto rendue = [nav] { return nav->ReadyState() == EtatPage::Complet && !nav->vue()->page()->isLoading(); };
            for (int i = 0; i < 800 && !rendue(); ++i)
                QTest::qWait(25);
            ASSERT_TRUE(rendue());
            const bool autreModele = f.Modele->text() != modele + u".htm"_qs;
            QSignalSpy complet(nav, &Navigateur::DocumentComplete);
            const QRect ligne = f.ListeModeles->visualItemRect(trouves[0]);
            QTest::mouseClick(f.ListeModeles->viewport(), Qt::LeftButton, {}, ligne.center());
            ASSERT_EQ(f.Modele->text(), modele + u".htm"_qs);
            if (autreModele)
                ASSERT_TRUE(complet.wait(20000));
            const auto l = largeurs(*nav);
            ASSERT_TRUE(l);
            EXPECT_GT(l->second, 300);
            EXPECT_LE(l->first, l->second) << "page " << l->first << " px, preview " << l->second << " px";
        }
    }
}

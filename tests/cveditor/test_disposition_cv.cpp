// What the CV editor shows on screen: its entry panel's rows side by side without overlap, and
// every shipped page model within the width of the preview.
#include "test_fenetre_cv.h"

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

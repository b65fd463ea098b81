// The tip balloon: when it shows, where, at what size, its opacity steps, and the end of the
// program when the main window goes away during a tip.
#include "commun.h"
#include "shell/dialogs/afficher_guide.h"
#include "shell/dialogs/guide.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

namespace {

struct Vue {
    bool montre = false;
    QPoint place; // twips
    QSize taille; // twips
    double points = 0;
    QString texte;
};

class Ballon : public TestCoquille {
protected:
    DossierTemporaire dossier;
    QList<int> opacites;
    Vue vue;

    void SetUp() override
    {
        TestCoquille::SetUp();
        dossier.entrer();
    }
    Principale& principale(int largeurPixels)
    {
        Principale& p = Forme<Principale>();
        p.setGeometry(0, 0, largeurPixels, 900);
        p.show();
        return p;
    }
    void afficher(const QString& texte)
    {
        opacites.clear();
        vue = {};
        Traces::observer([this](const QString& t) {
            if (!t.startsWith(u"Opacite Guide "_qs))
                return;
            opacites << t.mid(14).toInt();
            if (auto* g = RegistreFenetres::instance().siChargee<Guide>(); g && !vue.montre && opacites.size() == 1) {
                vue.montre = true;
                vue.place = {Twips::depuisPixels(g->x()), Twips::depuisPixels(g->y())};
                vue.taille = {Twips::depuisPixels(g->width()), Twips::depuisPixels(g->height())};
                vue.points = g->Label1->font().pointSizeF();
                vue.texte = g->Label1->text();
            }
        });
        Fonctionnel::AfficherGuide(texte);
        Traces::observer({});
    }
};

// A place in twips as the screen holds it: whole pixels.
int pixels(int twips) { return Twips::depuisPixels(Twips::versPixels(twips)); }

} // namespace

TEST_F(Ballon, RienSansFenetreDeTravail)
{
    principale(1280);
    afficher(u"Un conseil"_qs);
    EXPECT_TRUE(opacites.isEmpty());
    EXPECT_FALSE(vue.montre);
    EXPECT_EQ(Forme<Principale>().InfoGuide->text(), u"Un conseil"_qs);
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Guide>());
    // A hidden working window does not count either.
    FenetreNommee::charger(u"FormCand"_qs, false);
    afficher(u"Un autre"_qs);
    EXPECT_TRUE(opacites.isEmpty());
}

TEST_F(Ballon, OpaciteMonteEtDescendSansAtteindre255)
{
    principale(1280);
    for (const char* fenetre : {"FormLettre", "FormRédigerCV", "FormCand"}) {
        auto* f = FenetreNommee::charger(QString::fromUtf8(fenetre));
        afficher(u"Un conseil"_qs);
        QList<int> attendues;
        for (int k = 1; k <= 241; k += 20)
            attendues << k;
        for (int k = 250; k >= 10; k -= 20)
            attendues << k;
        EXPECT_EQ(opacites, attendues) << fenetre;
        EXPECT_FALSE(RegistreFenetres::instance().estChargee<Guide>());
        RegistreFenetres::instance().decharger(f->nomConception());
    }
}

TEST_F(Ballon, PlaceEtTaille)
{
    FenetreNommee::charger(u"FormCand"_qs);
    Principale& p = principale(1280); // 19200 twips
    const int haut = (p.hauteurTwips() - Guide::Hauteur) / 2;
    const int centre = (19200 - Guide::Largeur) / 2;

    afficher(u"Un conseil"_qs);
    ASSERT_TRUE(vue.montre);
    EXPECT_EQ(vue.taille, QSize(Guide::Largeur, Guide::Hauteur));
    EXPECT_EQ(vue.place, QPoint(pixels(centre + 1500), pixels(haut)));
    EXPECT_EQ(vue.texte, u"Un conseil"_qs);

    afficher(u"Votre lettre est prête"_qs);
    EXPECT_EQ(vue.place.x(), pixels(centre + 2000));
    afficher(u"La Lettre"_qs); // case-sensitive
    EXPECT_EQ(vue.place.x(), pixels(centre + 1500));
    afficher(u"Collez l'annonce dans la description, même une lettre"_qs);
    EXPECT_EQ(vue.place.x(), pixels(10600));

    p.setGeometry(0, 0, 1400, 900); // 21000 twips: centred
    afficher(u"Votre lettre est prête"_qs);
    EXPECT_EQ(vue.place.x(), pixels((21000 - Guide::Largeur) / 2));
}

TEST_F(Ballon, PoliceDesLongsConseils)
{
    FenetreNommee::charger(u"FormCand"_qs);
    principale(1280);
    afficher(QString(100, u'x'));
    EXPECT_EQ(vue.points, Guide::TaillePolice);
    afficher(QString(101, u'x'));
    EXPECT_EQ(vue.points, Guide::TaillePoliceLongue);
}

TEST_F(Ballon, FinDuProgrammeQuandLaFenetrePrincipaleDisparait)
{
    FenetreNommee::charger(u"FormCand"_qs);
    Principale& p = principale(1280);
    int fins = 0;
    Guide::finProgramme = [&] { ++fins; };
    // The main window closes while the tip fades in.
    Traces::observer([&](const QString& t) {
        if (t == u"Opacite Guide 241"_qs)
            p.hide();
    });
    Fonctionnel::AfficherGuide(u"Un conseil"_qs);
    Traces::observer({});
    Guide::finProgramme = {};
    EXPECT_EQ(fins, 1);
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Guide>());
}

TEST_F(Ballon, LaFenetrePrincipaleSeFermePendantLeConseil)
{
    FenetreNommee::charger(u"FormCand"_qs);
    Principale& p = principale(1280);
    int fins = 0;
    Guide::finProgramme = [&] { ++fins; };
    Traces::observer([&](const QString& t) {
        if (t == u"Opacite Guide 1"_qs)
            p.close(); // unloads the balloon while its show runs
    });
    Fonctionnel::AfficherGuide(u"Un conseil"_qs);
    Traces::observer({});
    Guide::finProgramme = {};
    EXPECT_EQ(fins, 0);
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Guide>());
}

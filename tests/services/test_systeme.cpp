#include <gtest/gtest.h>

#include <QWidget>

#include "outils.h"
#include "platform/fakes/fausse_plateforme.h"
#include "shell/services/registre_fenetres.h"
#include "shell/services/systeme.h"

namespace {

class FenetreEssai : public QWidget, public Fenetre {
public:
    static inline const QString NomConception = u"FormCand"_qs;
    static inline int chargements = 0;
    QString nomConception() const override { return NomConception; }
    QWidget* widget() override { return this; }
    void Form_Load() override { ++chargements; }
};

class SystemeTest : public ::testing::Test {
protected:
    void SetUp() override { f = FaussePlateforme::installer(); }
    void TearDown() override { RegistreFenetres::instance().toutDecharger(); }
    FaussePlateforme f;
};

} // namespace

TEST_F(SystemeTest, TitreFenetreNavigateurCherchePetitesLettresDansLOrdre)
{
    f.titres->liste = {u"Bureau"_qs, u"HTTP EN MAJUSCULES"_qs, u"Offre - https://emploi.example - Navigateur"_qs,
                       u"http://second.example"_qs};
    EXPECT_EQ(Systeme::TitreFenetreNavigateur(), u"Offre - https://emploi.example - Navigateur"_qs);
    f.titres->liste = {u"HTTP"_qs, u"Sans adresse"_qs};
    EXPECT_EQ(Systeme::TitreFenetreNavigateur(), QString());
}

TEST_F(SystemeTest, TitresCoupesA254Caracteres)
{
    f.titres->liste = {QString(254, u'x') + u"http"_qs, QString(250, u'y') + u"http"_qs + QString(10, u'z')};
    const QString t = Systeme::TitreFenetreNavigateur();
    EXPECT_EQ(t.size(), 254);
    EXPECT_TRUE(t.startsWith(u"yyyy"_qs));
}

TEST_F(SystemeTest, TraitementTexteOuvertRechercheExacte)
{
    f.titres->liste = {u"document1 - winword"_qs, u"libreoffice writer"_qs};
    EXPECT_FALSE(Systeme::TraitementTexteOuvert());
    f.titres->liste << u"CV.doc - LibreOffice Writer"_qs;
    EXPECT_TRUE(Systeme::TraitementTexteOuvert());
    f.titres->liste = {u"Lettre - OpenOffice.org Writer"_qs};
    EXPECT_TRUE(Systeme::TraitementTexteOuvert());
    f.titres->liste = {u"Microsoft Word - WINWORD"_qs};
    EXPECT_TRUE(Systeme::TraitementTexteOuvert());
    f.titres->liste.clear();
    EXPECT_FALSE(Systeme::TraitementTexteOuvert());
}

TEST_F(SystemeTest, OpaciteZeroNeChangeRien)
{
    QWidget w;
    Systeme::RendreTransparent(&w, 100);
    EXPECT_EQ(Systeme::Opacite(&w), 100);
    Systeme::RendreTransparent(&w, 0);
    EXPECT_EQ(Systeme::Opacite(&w), 100);
    Systeme::RendreTransparent(&w, 255);
    EXPECT_EQ(Systeme::Opacite(&w), 255);
    Systeme::FixerOpacite(&w, 300);
    EXPECT_EQ(Systeme::Opacite(&w), 255);
    Systeme::RendreTransparent(nullptr, 10); // quietly nothing
}

TEST_F(SystemeTest, FormeVisibleNeChargeJamais)
{
    FenetreEssai::chargements = 0;
    EXPECT_FALSE(Systeme::FormeVisible(u"FormCand"_qs));
    EXPECT_EQ(FenetreEssai::chargements, 0);
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<FenetreEssai>());

    FenetreEssai& fen = Forme<FenetreEssai>();
    EXPECT_EQ(FenetreEssai::chargements, 1);
    EXPECT_EQ(&Forme<FenetreEssai>(), &fen); // at most once
    EXPECT_EQ(FenetreEssai::chargements, 1);
    EXPECT_FALSE(Systeme::FormeVisible(u"FormCand"_qs)); // loaded, not shown
    fen.show();
    EXPECT_TRUE(Systeme::FormeVisible(u"FormCand"_qs));
    EXPECT_FALSE(Systeme::FormeVisible(u"formcand"_qs));

    RegistreFenetres::instance().decharger(u"FormCand"_qs);
    EXPECT_FALSE(Systeme::FormeVisible(u"FormCand"_qs));
    EXPECT_EQ(RegistreFenetres::instance().trouver(u"FormCand"_qs), nullptr);
}

TEST_F(SystemeTest, UneFenetreDetruiteQuitteLeRegistre)
{
    auto* fen = &Forme<FenetreEssai>();
    delete fen;
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<FenetreEssai>());
    EXPECT_TRUE(RegistreFenetres::instance().fenetres().isEmpty());
}

TEST_F(SystemeTest, EstVistaOuPlusEtDossierDocuments)
{
    const QByteArray ancien = qgetenv("ALLUSERSPROFILE"), ancienProfil = qgetenv("userprofile");
    qunsetenv("ALLUSERSPROFILE");
    EXPECT_FALSE(Systeme::EstVistaOuPlus());
    qputenv("ALLUSERSPROFILE", "C:/Documents and Settings/All Users");
    EXPECT_FALSE(Systeme::EstVistaOuPlus());
    qputenv("ALLUSERSPROFILE", "C:/programdata");
    EXPECT_FALSE(Systeme::EstVistaOuPlus());
    qputenv("ALLUSERSPROFILE", "C:/ProgramData");
    EXPECT_TRUE(Systeme::EstVistaOuPlus());

    QTemporaryDir profil;
    qputenv("userprofile", profil.path().toUtf8());
    EXPECT_EQ(Systeme::DossierDocuments(), profil.path() + u"/Documents/"_qs);
    QDir(profil.path()).mkdir(u"mes DOCUMENTS"_qs);
    qunsetenv("ALLUSERSPROFILE");
    EXPECT_EQ(Systeme::DossierDocuments(), profil.path() + u"/mes DOCUMENTS/"_qs);

    qputenv("ALLUSERSPROFILE", ancien);
    if (ancienProfil.isEmpty())
        qunsetenv("userprofile");
    else
        qputenv("userprofile", ancienProfil);
}

TEST_F(SystemeTest, OuvrirDocument)
{
    Systeme::OuvrirDocument(u"hTtP://emploi.example/offre"_qs);
    ASSERT_EQ(f.coquille->explorations.size(), 1);
    EXPECT_EQ(f.coquille->explorations[0], u"hTtP://emploi.example/offre"_qs);

    f.coquille->associations[u"doc"_qs] = u"/usr/bin/lowriter"_qs;
    Systeme::OuvrirDocument(u"/home/u/Documents/Lebrun Jean.doc"_qs);
    ASSERT_EQ(f.coquille->lancements.size(), 1);
    EXPECT_EQ(f.coquille->lancements[0].programme, u"/usr/bin/lowriter"_qs);
    EXPECT_EQ(f.coquille->lancements[0].arguments, QStringList{u"/home/u/Documents/Lebrun Jean.doc"_qs});
    EXPECT_TRUE(f.coquille->lancements[0].agrandi);

    f.coquille->associations[u"xyz"_qs] = u"/lib/bibliotheque.dll"_qs;
    Systeme::OuvrirDocument(u"fichier.xyz"_qs);
    Systeme::OuvrirDocument(u"sans-programme.abc"_qs);
    EXPECT_EQ(f.coquille->lancements.size(), 1);
    EXPECT_EQ(f.coquille->explorations, (QStringList{u"hTtP://emploi.example/offre"_qs, u"fichier.xyz"_qs,
                                                     u"sans-programme.abc"_qs}));
    f.coquille->echec = true;
    EXPECT_FALSE(Systeme::OuvrirDocument(u"http://x"_qs));
}

TEST(SystemeCouleurs, Composantes)
{
    static_assert(Systeme::ComposanteRouge(0x123456) == 0x56);
    static_assert(Systeme::ComposanteVerte(0x123456) == 0x34);
    static_assert(Systeme::ComposanteBleue(0x123456) == 0x12);
    EXPECT_EQ(Systeme::ComposanteBleue(0xFF00FFFF), 0);
}

// A picture of the main window with the home screen and its bar, for a look by eye, not run
// by default:
//   KERVAL_CAPTURES=<folder> test_accueil --gtest_also_run_disabled_tests --gtest_filter='*Captures*'
#include <QPainter>

#include "commun.h"

namespace {

QString dossierCaptures() { return qEnvironmentVariable("KERVAL_CAPTURES"); }

// The main window with the bar drawn over it at its place and opacity.
void capturer(Principale& p, const QString& nom)
{
    QPixmap image = p.grab();
    if (auto* b = RegistreFenetres::instance().siChargee<Assistant>()) {
        QPainter peintre(&image);
        peintre.setOpacity(b->windowOpacity());
        peintre.drawPixmap(b->geometry().topLeft() - p.geometry().topLeft(), b->grab());
    }
    QDir().mkpath(dossierCaptures());
    image.save(QDir(dossierCaptures()).filePath(nom + u".png"_qs));
}

} // namespace

class DISABLED_Captures : public TestAccueil {};

TEST_F(DISABLED_Captures, AccueilEtBarre)
{
    if (dossierCaptures().isEmpty())
        GTEST_SKIP();
    const QString donnees = QString::fromUtf8(KERVAL_CAS_SOURCE) + u"/../../data/Fondr.jpg"_qs;
    QFile::copy(donnees, dossier.chemin(u"Fondr.jpg"_qs));
    fichier(u"CV/Commercial.dat"_qs);
    fichier(u"Lettres/Relance (ER).dat"_qs);
    Principale& p = principale(18000);
    p.move(0, 0);
    p.show();
    AssistantTexte& a = accueil();
    a.Timer1_Timer();
    a.Label1_MouseMove(5);
    for (int i = 0; i < 30; ++i)
        a.Timer1_Timer();
    pomper();
    capturer(p, u"accueil_menu"_qs);
    Forme<Assistant>().setTop(hautDe(a, 5) - 2000);
    Assistant::executer(u"Rédiger un modèle de lettre"_qs);
    a.Label1_MouseMove(6);
    for (int i = 0; i < 40; ++i)
        a.Timer1_Timer();
    pomper();
    capturer(p, u"accueil_lettres"_qs);
}

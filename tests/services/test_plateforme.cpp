#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "outils.h"
#include "platform/attente.h"
#include "platform/environnement.h"
#include "platform/fakes/fausse_plateforme.h"

TEST(Plateforme, DialoguesScriptes)
{
    auto f = FaussePlateforme::installer();
    f.dialogues->reponses = {false};
    EXPECT_FALSE(MsgBox(u"Supprimer ?"_qs, true));
    EXPECT_TRUE(MsgBox(u"Enregistré."_qs)); // no script left: OK
    ASSERT_EQ(f.dialogues->messages.size(), 2);
    EXPECT_TRUE(f.dialogues->messages[0].okAnnuler);
    EXPECT_EQ(f.dialogues->textes(), (QStringList{u"Supprimer ?"_qs, u"Enregistré."_qs}));
    EXPECT_EQ(Plateforme::instance().horloge().aujourdhui(), QDate(2024, 3, 15));
}

TEST(Plateforme, AttentePompeLesEvenementsMemeAcceleree)
{
    bool tic = false;
    QTimer::singleShot(0, [&] { tic = true; });
    Attente::dormir(500);
    EXPECT_TRUE(tic);

    Attente::fixerAcceleration(0.01);
    QElapsedTimer chrono;
    chrono.start();
    Attente::dormir(2000);
    EXPECT_GE(chrono.elapsed(), 15);
    Attente::fixerAcceleration(0);

    // A pump inside the delivery of a queued event (the highlight bar's click runs so) also
    // delivers the events queued behind that one.
    bool suivant = false, vuDansLaPompe = false, fini = false;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            Attente::pomper();
            vuDansLaPompe = suivant;
            fini = true;
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(qApp, [&] { suivant = true; }, Qt::QueuedConnection);
    for (int i = 0; i < 100 && !fini; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(fini);
    EXPECT_TRUE(vuDansLaPompe);
}

TEST(Plateforme, DossiersDeLEnvironnement)
{
    DossierTemporaire d;
    EXPECT_EQ(Environnement::dossierDonnees(), d.donnees());
    qputenv("temp", "/tmp/essai-kerval");
    EXPECT_EQ(Environnement::dossierTemporaire(), u"/tmp/essai-kerval"_qs);
    qunsetenv("temp");
    EXPECT_FALSE(Environnement::dossierTemporaire().isEmpty());
    EXPECT_TRUE(QDir(Environnement::dossierDonneesLivrees()).exists());
}

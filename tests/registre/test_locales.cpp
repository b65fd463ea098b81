// The register window outside a French locale: a save, a status choice and an autosave keep
// their dates, as the user types and clicks. Also run by a child process under LANG=C.UTF-8.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>

#include "fenetre_registre.h"

namespace {

void cliquer(QWidget* w, QPoint point = {})
{
    QTest::mouseClick(w, Qt::LeftButton, {}, point.isNull() ? w->rect().center() : point);
}

// Types a new application's title and saves it, then gives it the status "sent, waiting".
void enregistrerEtEnvoyer(FenetreRegistre& r)
{
    FormCand& f = *r.f;
    f.show();
    cliquer(f.Intitule);
    QTest::keyClicks(f.Intitule, u"Magasinier"_qs);
    cliquer(f.Action.value(3)); // "Valider"
    EXPECT_TRUE(r.messages().isEmpty());
    const qint64 num = f.Num->text().toLongLong();
    ASSERT_GT(num, 0);
    EXPECT_EQ(r.colonne(num, u"Datediffussion"_qs), u"2024-03-15"_qs); // the fake clock's day
    EXPECT_EQ(f.DateDiffusion->text(), u"15/03/2024"_qs);

    cliquer(f.Image2); // the status list
    ASSERT_FALSE(f.ListeStatuts->isHidden());
    QListWidgetItem* envoyee = f.ListeStatuts->item(1);
    cliquer(f.ListeStatuts->viewport(), f.ListeStatuts->visualItemRect(envoyee).center());
    EXPECT_TRUE(r.messages().isEmpty());
    EXPECT_EQ(r.colonne(num, u"Statut"_qs), u"EMISE - EN ATTENTE DE REPONSE"_qs);
    EXPECT_EQ(r.colonne(num, u"DateEnvoi"_qs), u"2024-03-15"_qs);
}

} // namespace

TEST(Locales, SousCUneCandidatureSEnregistreEtPrendUnStatut)
{
    const LocaleTemporaire locale(QLocale::c());
    FenetreRegistre r;
    enregistrerEtEnvoyer(r);
}

TEST(Locales, UneSauvegardeAutomatiqueGardeLesAnneesHorsDuSiecle)
{
    // en_US and de_DE write the year with two digits: 2030 and 1925 would come back a century off.
    for (const QLocale& l : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany)}) {
        const LocaleTemporaire locale(l);
        FenetreRegistre r;
        FormCand& f = *r.f;
        f.show();
        const qint64 num = r.inserer({{u"Intitule"_qs, u"Cariste"_qs},
                                      {u"Societe"_qs, u"Entrepot"_qs},
                                      {u"Statut"_qs, u"ENTRETIEN A EFFECTUER"_qs},
                                      {u"Datediffussion"_qs, u"2030-01-15"_qs},
                                      {u"DateLimite"_qs, u"1925-06-01"_qs},
                                      {u"DateRDV"_qs, u"2069-07-04"_qs},
                                      {u"DateEnvoi"_qs, u"2024-02-29"_qs}});
        f.InitListe();
        QTreeWidgetItem* feuille = f.Liste->topLevelItem(0)->child(0);
        cliquer(f.Liste->viewport(), f.Liste->visualItemRect(feuille).center());
        ASSERT_EQ(f.Num->text().toLongLong(), num);
        cliquer(f.Remarques->viewport());
        QTest::keyClicks(f.Remarques->viewport(), u"Rappeler"_qs);
        f.Timer2_Timer(); // the autosave
        EXPECT_TRUE(r.messages().isEmpty()) << l.name().toStdString();
        EXPECT_EQ(r.colonne(num, u"Remarques"_qs), u"Rappeler"_qs) << l.name().toStdString();
        EXPECT_EQ(r.colonne(num, u"Datediffussion"_qs), u"2030-01-15"_qs) << l.name().toStdString();
        EXPECT_EQ(r.colonne(num, u"DateLimite"_qs), u"1925-06-01"_qs) << l.name().toStdString();
        EXPECT_EQ(r.colonne(num, u"DateRDV"_qs), u"2069-07-04"_qs) << l.name().toStdString();
        EXPECT_EQ(r.colonne(num, u"DateEnvoi"_qs), u"2024-02-29"_qs) << l.name().toStdString();
    }
}

// Run only by the next test, in a child process that keeps the system's locale.
TEST(Locales, DansUnProcessusSousLaLocaleDuSysteme)
{
    if (qEnvironmentVariableIsEmpty("KERVAL_LOCALE_SYSTEME"))
        GTEST_SKIP() << "run by a child process";
    EXPECT_EQ(QLocale().name(), qEnvironmentVariable("KERVAL_LOCALE_ATTENDUE"));
    FenetreRegistre r;
    enregistrerEtEnvoyer(r);
}

TEST(Locales, UnProcessusSousLangCUtf8)
{
    for (const char* lang : {"C.UTF-8", "POSIX"}) {
        QProcess enfant;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LANG"_qs, QString::fromLatin1(lang));
        env.insert(u"LC_ALL"_qs, QString::fromLatin1(lang));
        env.insert(u"KERVAL_LOCALE_SYSTEME"_qs, u"1"_qs);
        env.insert(u"KERVAL_LOCALE_ATTENDUE"_qs, u"C"_qs);
        enfant.setProcessEnvironment(env);
        enfant.setProcessChannelMode(QProcess::MergedChannels);
        enfant.start(QCoreApplication::applicationFilePath(),
                     {u"--gtest_filter=Locales.DansUnProcessusSousLaLocaleDuSysteme"_qs});
        ASSERT_TRUE(enfant.waitForFinished(60000)) << lang;
        const QString sortie = QString::fromUtf8(enfant.readAll());
        EXPECT_EQ(enfant.exitCode(), 0) << lang << "\n" << sortie.toStdString();
        EXPECT_TRUE(sortie.contains(u"[  PASSED  ] 1 test"_qs)) << lang << "\n" << sortie.toStdString();
    }
}

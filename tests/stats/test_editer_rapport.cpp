#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>
#include <QMenu>
#include <QTest>

#include "commun.h"
#include "platform/attente.h"
#include "register/reports/editer_rapport.h"
#include "register/store/handles_partages.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"

namespace {

class ImpressionRapport : public TestRegistre {
protected:
    // No runtime folder of the session unless a test gives one.
    VariableTemporaire session{"XDG_RUNTIME_DIR", QByteArray()};
    QString temporaire() const { return QString::fromLocal8Bit(qgetenv("temp")); }
    QString rapport() const { return Fonctionnel::CheminRapport(); }
    QList<QByteArray> lignes() const
    {
        QList<QByteArray> l = Outils::lireOctets(rapport()).split('\n');
        if (!l.isEmpty() && l.last().isEmpty())
            l.removeLast();
        return l;
    }
};

} // namespace

TEST_F(ImpressionRapport, ListeEcriteOuverteEtImprimee)
{
    creerRegistre();
    aujourdhui(QDate(2024, 3, 15));
    ajouter({{u"Statut"_qs, u"NON EMISE"_qs}, {u"Societe"_qs, u"<b>"_qs}, {u"Intitule"_qs, u"Ingénieur ∑"_qs},
             {u"Datediffussion"_qs, QDate(2024, 3, 1)}});
    ajouter({{u"Statut"_qs, u"EMBAUCHE"_qs}, {u"Societe"_qs, u"Société €"_qs}});
    ajouter({{u"Statut"_qs, u"NON EMISE"_qs}});
    faux.coquille->associations.insert(u"html"_qs, u"/usr/bin/visionneuse"_qs);
    Outils::ecrireOctets(rapport(), "ancien contenu bien plus long que le nouveau ......................");

    Fonctionnel::EditerRapport(0);

    // 2 head lines, 3 rows, 1 closing line, each ended by CR LF, in Windows-1252.
    const QList<QByteArray> l = lignes();
    ASSERT_EQ(l.size(), 6);
    for (const QByteArray& ligne : l)
        EXPECT_TRUE(ligne.endsWith('\r'));
    EXPECT_TRUE(l[1].contains("<td><b>Soci\xE9t\xE9</td>"));
    EXPECT_TRUE(l[2].contains("<FONT SIZE=2>01/03/2024</td><td valign=top><FONT SIZE=2>&lt;b&gt;</td>"));
    EXPECT_TRUE(l[2].contains("Ing\xE9nieur &#8721;</td>"));
    EXPECT_TRUE(l[3].contains("<FONT SIZE=2>EMBAUCHE</td><td valign=top><FONT SIZE=2></td><td valign=top><FONT SIZE=2>Soci\xE9t\xE9 \x80</td>"));
    EXPECT_EQ(l[5], QByteArray("</table><hr></font><FONT face='Arial' SIZE=1> Edit\xE9 le 15/03/2024 depuis Kerval</FONT></html>\r"));
    EXPECT_FALSE(Outils::lireOctets(rapport()).contains("ancien"));

    // Opened with its program, maximised, then Ctrl+P.
    ASSERT_EQ(faux.coquille->lancements.size(), 1);
    EXPECT_EQ(faux.coquille->lancements[0].arguments, QStringList{rapport()});
    EXPECT_EQ(faux.clavier->touches, QStringList{u"^p"_qs});
    EXPECT_FALSE(Systeme::BaseCandidatures());
}

// The shared temporary folder holds a link planted under the report's name, pointing at a file of
// the user's, and another user's file of that name: the report touches neither; it goes into a
// folder of the user's own, as a file only the user may read.
TEST_F(ImpressionRapport, DansUnDossierPriveJamaisAuTraversDUnLien)
{
    creerRegistre();
    ajouter({{u"Statut"_qs, u"NON EMISE"_qs}, {u"Societe"_qs, u"ACME"_qs}});
    faux.coquille->associations.insert(u"html"_qs, u"/usr/bin/visionneuse"_qs);
    QFile::setPermissions(temporaire(), QFileDevice::Permissions(0x7777)); // open to all, as /tmp is
    auto droits = [](const QString& chemin) {
        struct stat s {};
        return ::lstat(QFile::encodeName(chemin).constData(), &s) == 0 ? int(s.st_mode & 07777) : -1;
    };
    auto verifierRapport = [&](const QString& parent) {
        const QString chemin = faux.coquille->lancements.last().arguments.value(0);
        const QFileInfo info(chemin);
        EXPECT_EQ(info.fileName(), u"ImpKerval.html"_qs);
        EXPECT_EQ(QFileInfo(info.absolutePath()).absolutePath(), QFileInfo(parent).absoluteFilePath());
        EXPECT_FALSE(info.isSymLink());
        EXPECT_EQ(droits(chemin), 0600);
        EXPECT_EQ(droits(info.absolutePath()), 0700);
        EXPECT_TRUE(Outils::lireOctets(chemin).startsWith("<html>"));
    };

    // A link to a file of the user's.
    const QString victime = dossier.chemin(u"victime.txt"_qs);
    Outils::ecrireOctets(victime, "à garder");
    const QString plante = QDir(temporaire()).filePath(u"ImpKerval.html"_qs);
    ASSERT_TRUE(QFile::link(victime, plante));
    Fonctionnel::EditerRapport(0);
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
    EXPECT_EQ(Outils::lireOctets(victime), QByteArray("à garder"));
    EXPECT_EQ(QFileInfo(plante).symLinkTarget(), victime);
    ASSERT_EQ(faux.coquille->lancements.size(), 1);
    verifierRapport(temporaire());

    // Another user's file under that name.
    QFile::remove(plante);
    Outils::ecrireOctets(plante, "à un autre");
    ASSERT_EQ(::chown(QFile::encodeName(plante).constData(), 65534, 65534), 0);
    Fonctionnel::EditerRapport(1);
    EXPECT_EQ(Outils::lireOctets(plante), QByteArray("à un autre"));
    ASSERT_EQ(faux.coquille->lancements.size(), 2);
    verifierRapport(temporaire());

    // The session's runtime folder, closed to others, is used when there is one; one that others
    // may enter is not.
    const QString runtime = dossier.chemin(u"runtime"_qs);
    QDir().mkpath(runtime);
    VariableTemporaire partage{"XDG_RUNTIME_DIR", temporaire()};
    Fonctionnel::EditerRapport(0);
    verifierRapport(temporaire());
    EXPECT_FALSE(QFileInfo::exists(QDir(temporaire()).filePath(u"kerval"_qs)));
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    VariableTemporaire prive{"XDG_RUNTIME_DIR", runtime};
    Fonctionnel::EditerRapport(0);
    verifierRapport(runtime);
    EXPECT_EQ(faux.coquille->lancements.last().arguments, QStringList{runtime + u"/kerval/ImpKerval.html"_qs});
    EXPECT_EQ(faux.clavier->touches.size(), 4);
}

// Run only by the next test, as one session of the user that prints, in the temporary folder the
// sessions share.
TEST_F(ImpressionRapport, UneSessionImprime)
{
    const QByteArray partage = qgetenv("KERVAL_TEMP_PARTAGE");
    if (partage.isEmpty())
        GTEST_SKIP() << "run by a child process";
    qputenv("temp", partage);
    creerRegistre();
    ajouter({{u"Statut"_qs, u"NON EMISE"_qs}, {u"Societe"_qs, u"ACME"_qs}});
    faux.coquille->associations.insert(u"html"_qs, u"/usr/bin/visionneuse"_qs);
    Fonctionnel::EditerRapport(qint16(qEnvironmentVariableIntValue("KERVAL_GENRE")));
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
    EXPECT_EQ(faux.coquille->lancements.size(), 1);
}

// Session after session, the report goes into the same private folder of the user's: no copy of
// the job-search list piles up in the temporary folder. A viewer still reading the last report
// keeps it whole.
TEST_F(ImpressionRapport, LesSessionsReprennentLeMemeDossier)
{
    QFile::setPermissions(temporaire(), QFileDevice::Permissions(0x7777)); // open to all, as /tmp is
    auto session = [&](int genre) {
        Outils::relancerSousCUtf8(u"ImpressionRapport.UneSessionImprime"_qs,
                                  {{u"KERVAL_TEMP_PARTAGE"_qs, temporaire()}, {u"KERVAL_GENRE"_qs, QString::number(genre)}});
    };
    auto dossiers = [&] { return QDir(temporaire()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };

    session(0);
    const QStringList apresLaPremiere = dossiers();
    ASSERT_EQ(apresLaPremiere.size(), 1);
    const QString rapport = QDir(temporaire()).filePath(apresLaPremiere[0] + u"/ImpKerval.html"_qs);
    QFile visionneuse(rapport);
    ASSERT_TRUE(visionneuse.open(QIODevice::ReadOnly));
    const QByteArray liste = Outils::lireOctets(rapport);
    ASSERT_TRUE(liste.contains("Liste des candidatures"));

    session(1);
    EXPECT_EQ(dossiers(), apresLaPremiere);
    EXPECT_EQ(QFileInfo(rapport).dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u"ImpKerval.html"_qs});
    EXPECT_TRUE(Outils::lireOctets(rapport).contains("Activit\xE9 de recherche d'emploi"));
    EXPECT_EQ(visionneuse.readAll(), liste);
}

TEST_F(ImpressionRapport, RegistreVideOuGenreInconnu)
{
    creerRegistre();
    Outils::ecrireOctets(rapport(), "ancien");
    faux.coquille->associations.insert(u"html"_qs, u"/usr/bin/visionneuse"_qs);
    Fonctionnel::EditerRapport(1);
    // The file is emptied, and still opened with its program and printed.
    EXPECT_TRUE(QFile::exists(rapport()));
    EXPECT_TRUE(Outils::lireOctets(rapport()).isEmpty());
    ASSERT_EQ(faux.coquille->lancements.size(), 1);
    EXPECT_EQ(faux.coquille->lancements[0].programme, u"/usr/bin/visionneuse"_qs);
    EXPECT_EQ(faux.clavier->touches, QStringList{u"^p"_qs});

    ajouter({{u"Statut"_qs, u"NON EMISE"_qs}});
    Fonctionnel::EditerRapport(7);
    EXPECT_TRUE(Outils::lireOctets(rapport()).isEmpty());
    EXPECT_EQ(faux.clavier->touches.size(), 2);
}

TEST_F(ImpressionRapport, EchecsSignalesSansImprimer)
{
    // No register: reported, nothing written, opened or printed.
    Outils::ecrireOctets(rapport(), "ancien");
    Fonctionnel::EditerRapport(0);
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList{u"Le registre des candidatures (Kerval.mdb) n'a pas pu être lu : rien n'a été imprimé."_qs});
    EXPECT_EQ(Outils::lireOctets(rapport()), QByteArray("ancien"));
    EXPECT_TRUE(faux.coquille->explorations.isEmpty());
    EXPECT_TRUE(faux.clavier->touches.isEmpty());
    EXPECT_FALSE(Systeme::BaseCandidatures());

    // The file cannot be written (a folder holds its name): nothing is opened.
    creerRegistre();
    ajouter({{u"Statut"_qs, u"NON EMISE"_qs}});
    faux.dialogues->messages.clear();
    QFile::remove(rapport());
    QDir().mkpath(rapport() + u"/occupe"_qs);
    Fonctionnel::EditerRapport(0);
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList{u"Le fichier à imprimer n'a pas pu être écrit :\n"_qs + QDir::toNativeSeparators(rapport())});
    EXPECT_EQ(QFileInfo(rapport()).dir().entryList(QDir::Files | QDir::Hidden), QStringList()); // nothing left behind
    EXPECT_TRUE(faux.coquille->explorations.isEmpty());
    EXPECT_TRUE(faux.clavier->touches.isEmpty());
    QDir(rapport()).removeRecursively();

    // No program could open it: Ctrl+P would land in whatever window is active, so none is sent.
    faux.dialogues->messages.clear();
    faux.coquille->associations.insert(u"html"_qs, u"/usr/bin/visionneuse"_qs);
    faux.coquille->echec = true;
    Fonctionnel::EditerRapport(0);
    EXPECT_EQ(lignes().size(), 4);
    ASSERT_EQ(faux.dialogues->messages.size(), 1);
    EXPECT_TRUE(faux.dialogues->messages[0].texte.startsWith(u"Aucun programme n'a pu ouvrir le fichier à imprimer"_qs));
    EXPECT_TRUE(faux.clavier->touches.isEmpty());
}

TEST_F(ImpressionRapport, CommandesDuMenuEtIdentiteDuCV)
{
    creerRegistre();
    aujourdhui(QDate(2024, 3, 31));
    ajouter({{u"Statut"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs}, {u"Societe"_qs, u"ACME"_qs},
             {u"DateEnvoi"_qs, QDate(2024, 3, 2)}, {u"Datediffussion"_qs, QDate(2024, 3, 1)}});
    QDir(dossier.donnees()).mkpath(u"CV"_qs);
    QDir(dossier.donnees()).mkpath(u"Lettres"_qs);
    Principale& p = Forme<Principale>();
    faux.coquille->associations.insert(u"html"_qs, u"/usr/bin/visionneuse"_qs);
    p.Prenom->setText(u"Zoé"_qs);
    p.Nom->setText(u"<MARTIN>"_qs);

    p.MenuJustificatif_Click();
    QList<QByteArray> l = lignes();
    ASSERT_EQ(l.size(), 4);
    EXPECT_TRUE(l[0].contains("</b> - Zo\xE9 &lt;MARTIN&gt;</font>"));

    p.MenuImprimerListe_Click();
    EXPECT_TRUE(lignes().value(0).contains("<b>Liste des candidatures</b>"));
    EXPECT_EQ(faux.clavier->touches, (QStringList{u"^p"_qs, u"^p"_qs}));
}

// A desktop with no program for HTML pages: the opener would start and fail on its own, the main
// window would go to the back and Ctrl+P would go to whatever window is in front.
TEST_F(ImpressionRapport, SansProgrammePourLesPagesHtml)
{
    creerRegistre();
    ajouter({{u"Statut"_qs, u"NON EMISE"_qs}, {u"Societe"_qs, u"ACME"_qs}});
    QDir(dossier.donnees()).mkpath(u"CV"_qs);
    QDir(dossier.donnees()).mkpath(u"Lettres"_qs);
    Principale& p = Forme<Principale>();
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    auto choisir = [&p](QAction* entree) {
        p.PopupMenu(p.MenuCandidature, p.mapToGlobal(QPoint(40, 40)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(p.MenuCandidature));
        QTest::mouseClick(p.MenuCandidature, Qt::LeftButton, {}, p.MenuCandidature->actionGeometry(entree).center());
    };

    choisir(p.MenuImprimerListe);
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList{u"Aucun programme n'est associé aux pages HTML sur cet ordinateur : le fichier à imprimer "
                          "n'a pas pu être ouvert :\n"_qs + QDir::toNativeSeparators(rapport())});
    EXPECT_EQ(lignes().size(), 4); // written all the same, for the user to open
    EXPECT_TRUE(faux.coquille->explorations.isEmpty());
    EXPECT_TRUE(faux.coquille->lancements.isEmpty());
    EXPECT_TRUE(faux.clavier->touches.isEmpty());

    // A program that does not start is told too, for the activity report as for the list.
    faux.dialogues->messages.clear();
    faux.coquille->associations.insert(u"html"_qs, u"/usr/bin/visionneuse"_qs);
    faux.coquille->echec = true;
    choisir(p.MenuJustificatif);
    ASSERT_EQ(faux.dialogues->messages.size(), 1);
    EXPECT_TRUE(faux.dialogues->messages[0].texte.startsWith(u"Aucun programme n'a pu ouvrir le fichier à imprimer"_qs));
    EXPECT_EQ(faux.coquille->lancements.size(), 1);
    EXPECT_TRUE(faux.coquille->explorations.isEmpty());
    EXPECT_TRUE(faux.clavier->touches.isEmpty());

    faux.coquille->echec = false;
    choisir(p.MenuImprimerListe);
    EXPECT_EQ(faux.coquille->lancements.size(), 2);
    EXPECT_EQ(faux.clavier->touches, QStringList{u"^p"_qs});
}

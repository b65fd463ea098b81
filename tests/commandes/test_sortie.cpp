// The CV output commands: printing, page set-up, the Word copy and its conversion dialog.
#include <QApplication>
#include <QProcess>
#include <QTest>

#include "commandes.h"
#include "cveditor/rendu_cv.h"
#include "shell/dialogs/formconvert.h"
#include "shell/dialogs/miseenpage.h"
#include "shell/mainwindow/export_word.h"

class Sortie : public TestCommandes {
protected:
    void SetUp() override
    {
        TestCommandes::SetUp();
        ecrireCV(u"Lefort Anne"_qs, {u"Nom=LEFORT"_qs, u"Prénom=Anne"_qs});
        principale();
        cv().ChargerFichierCV(chemin(u"CV/Lefort Anne.dat"_qs));
    }
    // A stand-in for the office suite on the PATH: it keeps its arguments, writes the converted
    // file as told and answers with the exit status given; with a wait, it first sleeps that many
    // seconds. A suite that shows windows has its window-system plugin beside its program, as a
    // full install has; without it, it is a "-nogui" one.
    void convertisseur(const QString& nom, int statut = 0, bool fenetres = false, int attente = 0)
    {
        const QDir dossier(programmes.path());
        QString script = dossier.filePath(nom);
        if (fenetres) {
            dossier.mkpath(u"program"_qs);
            Outils::ecrireOctets(dossier.filePath(u"program/libvclplug_gen.so"_qs), "");
            script = dossier.filePath(u"program/"_qs + nom);
            QFile::link(script, dossier.filePath(nom));
        }
        Outils::ecrireOctets(script, QStringLiteral(
            "#!/bin/sh\n"
            "if [ %3 -gt 0 ]; then exec /bin/sleep %3; fi\n"
            "printf '%s\\n' \"$@\" > \"%1/arguments\"\n"
            "sortie=''; precedent=''\n"
            "for a in \"$@\"; do\n"
            "  if [ \"$precedent\" = '--outdir' ]; then sortie=\"$a\"; fi\n"
            "  precedent=\"$a\"\n"
            "done\n"
            "if [ %2 -eq 0 ]; then printf 'DOCUMENT WORD' > \"$sortie/CV.doc\"; fi\n"
            "exit %2\n").arg(programmes.path()).arg(statut).arg(attente).toUtf8());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QStringList argumentsRecus() const
    {
        return QString::fromUtf8(Outils::lireOctets(QDir(programmes.path()).filePath(u"arguments"_qs)))
            .split(u'\n', Qt::SkipEmptyParts);
    }
    QString copie() const { return documents() + u"Lefort Anne.doc"_qs; }

    QTemporaryDir programmes;
    Variable chemins{"PATH", programmes.path()};
};

TEST_F(Sortie, ImpressionApercuEtMiseEnPagePassentParLApercu)
{
    Principale& p = principale();
    p.ImprimerCV_Click();
    p.MenuImprimerCV_Click();
    p.PrevisualiserCV_Click();
    EXPECT_EQ(apercu().impressions, 2);
    EXPECT_EQ(apercu().apercus, 1);

    p.MessageTrames_Click();
    MiseEnPage& m = Forme<MiseEnPage>();
    EXPECT_TRUE(m.isVisible());
    EXPECT_EQ(m.windowTitle(), u"Mise en page"_qs);
    m.BoutonKVL1_Click();
    m.BoutonKVL2_Click();
    EXPECT_EQ(apercu().misesEnPage, 1);
    EXPECT_EQ(apercu().apercus, 2);
    m.BoutonKVL3_Click();
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<MiseEnPage>());
}

TEST_F(Sortie, ConversionManqueeGardeLaCopiePrecedente)
{
    Outils::ecrireOctets(copie(), "ANCIENNE COPIE");
    // No office suite.
    principale().ConvertirWord();
    // One that fails.
    convertisseur(u"libreoffice"_qs, 1);
    principale().ConvertirWord();
    // One that works, but the copy cannot be written.
    convertisseur(u"soffice"_qs);
    FichiersTexte::simulerEchecEcriture(true);
    principale().ConvertirWord();
    FichiersTexte::simulerEchecEcriture(false);

    EXPECT_EQ(faux.dialogues->textes(),
              QStringList({u"LibreOffice est introuvable sur ce poste : la conversion du CV au format Word est "
                           "impossible. Installez LibreOffice puis recommencez."_qs,
                           u"La conversion du CV au format Word a échoué."_qs,
                           u"Le fichier Lefort Anne.doc n'a pas pu être écrit. Conversion impossible"_qs}));
    EXPECT_EQ(Outils::lireOctets(copie()), QByteArray("ANCIENNE COPIE"));
    EXPECT_TRUE(faux.coquille->lancements.isEmpty());
    EXPECT_TRUE(faux.coquille->explorations.isEmpty());
}

TEST_F(Sortie, ConversionSansFinAbandonnee)
{
    convertisseur(u"soffice"_qs, 0, false, 600);
    const ExportWord::Resultat r = ExportWord::convertir(chemin(u"Modeles/CVtemp.html"_qs), copie(), 300);
    EXPECT_EQ(r.issue, ExportWord::Issue::EchecConversion);
    EXPECT_EQ(r.message, u"La conversion du CV au format Word a échoué."_qs);
    EXPECT_FALSE(QFileInfo::exists(copie()));
}

// A desktop without a program for Word documents, LibreOffice on the PATH: the dialog names it
// and the copy opens in it, after "Convertir" and from the dialog's last copy.
TEST_F(Sortie, SansProgrammeDuBureauLaCopieSOuvreDansLibreOffice)
{
    convertisseur(u"soffice"_qs, 0, true);
    const QString soffice = QDir(programmes.path()).filePath(u"soffice"_qs);
    principale().MenuConvertirCV_Click();
    FormConvert* f = &Forme<FormConvert>();
    EXPECT_EQ(f->Text1->text(), u"LibreOffice ("_qs + soffice + u")"_qs);
    QTest::mouseClick(f->BoutonKVL2->Label1, Qt::LeftButton);
    EXPECT_TRUE(faux.dialogues->messages.isEmpty()) << faux.dialogues->textes().join(u'|').toStdString();
    EXPECT_EQ(Outils::lireOctets(copie()), QByteArray("DOCUMENT WORD"));
    ASSERT_EQ(faux.coquille->lancements.size(), 1);
    EXPECT_EQ(faux.coquille->lancements[0].programme, soffice);
    EXPECT_EQ(faux.coquille->lancements[0].arguments, QStringList{copie()});

    principale().MenuConvertirCV_Click();
    f = &Forme<FormConvert>();
    QTest::mouseDClick(f->Info, Qt::LeftButton);
    ASSERT_EQ(faux.coquille->lancements.size(), 2);
    EXPECT_EQ(faux.coquille->lancements[1].arguments, QStringList{copie()});
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

// Nothing here shows Word documents (the LibreOffice on the PATH converts but has no window): the
// user is told where the copy lies.
TEST_F(Sortie, SansProgrammePourLaCopieLUtilisateurApprendOuElleEst)
{
    convertisseur(u"soffice"_qs);
    principale().MenuConvertirCV_Click();
    FormConvert& f = Forme<FormConvert>();
    EXPECT_TRUE(f.Text1->text().isEmpty());
    QTest::mouseClick(f.BoutonKVL2->Label1, Qt::LeftButton);
    const QString ou = u"Aucun programme de ce poste ne sait ouvrir les documents Word. Le CV converti se trouve "
                       "dans le fichier "_qs + copie();
    EXPECT_EQ(faux.dialogues->textes(), QStringList{u"Le CV a été converti au format Word. "_qs + ou});
    EXPECT_EQ(Outils::lireOctets(copie()), QByteArray("DOCUMENT WORD"));

    principale().ConsulterWord_Click();
    EXPECT_EQ(faux.dialogues->textes().mid(1), QStringList{ou});
    EXPECT_TRUE(faux.coquille->lancements.isEmpty());
    EXPECT_TRUE(faux.coquille->explorations.isEmpty());
}

TEST_F(Sortie, CopieOuverteDansLeTraitementDeTexte)
{
    convertisseur(u"soffice"_qs);
    Outils::ecrireOctets(copie(), "OUVERTE");
    Outils::ecrireOctets(documents() + u".~lock.Lefort Anne.doc#"_qs, "verrou");
    principale().ConvertirWord();
    EXPECT_EQ(faux.dialogues->textes(), QStringList{u"Le fichier est en cours d'utilisation. Conversion impossible"_qs});
    EXPECT_EQ(Outils::lireOctets(copie()), QByteArray("OUVERTE"));
    EXPECT_TRUE(argumentsRecus().isEmpty());

    // With the editor hidden, the user learns what to do.
    cv().hide();
    principale().ConvertirWord();
    EXPECT_EQ(faux.dialogues->textes().mid(1),
              QStringList{u"Aucun CV n'est affiché : ouvrez ou rédigez d'abord le CV à convertir au format Word."_qs});
    EXPECT_TRUE(argumentsRecus().isEmpty());
}

// "Rédiger un nouveau CV" leaves the page of the CV shown before in its file: "Convertir" then says
// what to do first and writes nothing; a CV shown without a name neither; once named, it is
// converted under its name.
TEST_F(Sortie, SeulUnCVAfficheEtNommeEstConverti)
{
    convertisseur(u"soffice"_qs);
    faux.coquille->associations.insert(u"doc"_qs, u"/usr/bin/traitement"_qs);
    Principale& p = principale();
    p.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
    p.InitMenu();
    ASSERT_EQ(p.ImageMenu[1]->genre(), Dessins::Icone::Nouveau);
    const auto convertir = [this] {
        QWidget* word = cv().ImageMenu[4];
        QTest::mouseClick(word, Qt::LeftButton, Qt::NoModifier, word->rect().center());
        ASSERT_TRUE(Outils::choisirDansMenu(u"Conversion du format"_qs));
        auto* f = RegistreFenetres::instance().siChargee<FormConvert>();
        ASSERT_NE(f, nullptr);
        QTest::mouseClick(f->BoutonKVL2->Label1, Qt::LeftButton);
    };
    const auto sortirDe = [](QWidget* boite) {
        QTest::keyClick(boite, Qt::Key_Tab);
        QCoreApplication::processEvents();
    };

    QTest::mouseClick(p.ImageMenu[1], Qt::LeftButton, Qt::NoModifier, p.ImageMenu[1]->rect().center());
    ASSERT_TRUE(Outils::choisirDansMenu(u"Rédiger un nouveau CV"_qs));
    ASSERT_TRUE(cv().NomCV->text().isEmpty());
    ASSERT_TRUE(page().contains(u"LEFORT"_qs));
    convertir();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(faux.dialogues->textes(), QStringList{u"Ce CV n'est pas encore affiché : saisissez-le ou ouvrez-le "
                                                    "d'abord, puis convertissez-le au format Word."_qs});
    EXPECT_TRUE(argumentsRecus().isEmpty());
    EXPECT_TRUE(QDir(documents()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // An address typed into the identity box: the CV shows, without a name.
    ASSERT_EQ(QApplication::focusWidget(), cv().Identite);
    Outils::taper(cv().Identite, u"12 rue des Lilas"_qs);
    sortirDe(cv().Identite);
    ASSERT_TRUE(page().contains(u"12 rue des Lilas"_qs));
    ASSERT_TRUE(cv().NomCV->text().isEmpty());
    convertir();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(faux.dialogues->textes().mid(1), QStringList{u"Ce CV n'a pas encore de nom : saisissez d'abord votre "
                                                           "nom dans le CV, puis convertissez-le au format Word."_qs});
    EXPECT_TRUE(argumentsRecus().isEmpty());

    // Named: converted under its name, and opened.
    for (QLineEdit* boite : {cv().Nom, cv().Prenom}) {
        QTest::mouseClick(boite, Qt::LeftButton, Qt::NoModifier, boite->rect().center());
        Outils::taper(boite, boite == cv().Nom ? u"Durand"_qs : u"Paul"_qs);
    }
    sortirDe(cv().Prenom);
    ASSERT_FALSE(cv().NomCV->text().isEmpty());
    convertir();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(faux.dialogues->messages.size(), 2) << faux.dialogues->textes().join(u'|').toStdString();
    EXPECT_EQ(Outils::lireOctets(documents() + cv().NomCV->text() + u".doc"_qs), QByteArray("DOCUMENT WORD"));
    EXPECT_EQ(faux.coquille->lancements.size(), 1);
}

TEST_F(Sortie, DialogueDeConversion)
{
    Principale& p = principale();
    p.MenuConvertirCV_Click();
    FormConvert& f = Forme<FormConvert>();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.windowTitle(), u"Conversion du format du CV"_qs);
    EXPECT_EQ(f.FichierWord, copie());
    EXPECT_EQ(f.Info->text(), u"Aucun fichier trouvé."_qs);
    EXPECT_TRUE(f.Text1->text().isEmpty()); // no program for ".doc"
    // Double-clicking asks for the copy, which does not exist yet.
    QTest::mouseDClick(f.Info, Qt::LeftButton);
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList{u"Le fichier "_qs + copie() +
                          u" n'existe pas : le CV n'a pas encore été converti au format Word."_qs});
    faux.dialogues->messages.clear();
    f.Label2_Click();
    EXPECT_EQ(faux.coquille->explorations, QStringList{documents()});
    f.BoutonKVL3_Click();
    EXPECT_EQ(faux.coquille->explorations.last(), chemin(u"Modeles/CVtemp.html"_qs));
    f.BoutonKVL1_Click();
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<FormConvert>());

    // A copy made, a word processor open, a program for ".doc".
    Outils::ecrireOctets(copie(), "DOC");
    faux.coquille->associations.insert(u"doc"_qs, u"/usr/bin/lowriter"_qs);
    faux.titres->liste = {u"CV.odt - LibreOffice Writer"_qs};
    p.MenuConvFWord_Click();
    FormConvert& g = Forme<FormConvert>();
    EXPECT_EQ(g.Text1->text(), u"/usr/bin/lowriter"_qs);
    const QDateTime quand = QFileInfo(copie()).lastModified();
    EXPECT_EQ(g.Info->text(), u"Lefort Anne.doc     "_qs + quand.toString(u"dd/MM/yyyy HH:mm:ss"_qs));
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList{u"Il est recommandé de fermer Microsoft Word ou Open Office pour faciliter la conversion"_qs});

    // "Convertir": the advice, the export (here without an office suite), then the dialog closes.
    g.BoutonKVL2_Click();
    EXPECT_EQ(faux.dialogues->textes().mid(1),
              QStringList({u"Il est préférable de fermer tous les documents Word afin de faciliter la conversion"_qs,
                           u"LibreOffice est introuvable sur ce poste : la conversion du CV au format Word est "
                           "impossible. Installez LibreOffice puis recommencez."_qs}));
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<FormConvert>());
}

// The link to the documents folder, through xdg-open as the desktop runs it: the folder opens, or,
// where the desktop cannot open a folder, the user learns where it is.
TEST_F(Sortie, LeLienVersLeDossierDocumentsDitOuIlEstQuandIlNeSOuvrePas)
{
    Plateforme::instance().fixerCoquille(creerCoquilleLinux());
    const QString trace = QDir(programmes.path()).filePath(u"xdg-open.args"_qs);
    const auto xdgOpen = [&](int statut) {
        const QString script = QDir(programmes.path()).filePath(u"xdg-open"_qs);
        Outils::ecrireOctets(script, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\nexit %2\n")
                                         .arg(trace)
                                         .arg(statut)
                                         .toUtf8());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    principale().MenuConvertirCV_Click();
    FormConvert& f = Forme<FormConvert>();

    xdgOpen(0);
    QTest::mouseClick(f.Label2, Qt::LeftButton);
    EXPECT_EQ(QString::fromUtf8(Outils::lireOctets(trace)), documents() + u'\n');
    EXPECT_TRUE(faux.dialogues->messages.isEmpty()) << faux.dialogues->textes().join(u'|').toStdString();

    // No program for folders: "no method available for opening", status 3.
    xdgOpen(3);
    QTest::mouseClick(f.Label2, Qt::LeftButton);
    EXPECT_EQ(faux.dialogues->textes(),
              QStringList{u"Le dossier \"Documents\" n'a pas pu être ouvert. Les CV convertis au format .doc sont "
                          "placés dans le dossier "_qs + QDir::cleanPath(documents())});
    EXPECT_TRUE(RegistreFenetres::instance().estChargee<FormConvert>());
}

TEST(ExportWordPage, ImagesLocalesIncorporees)
{
    const QMap<QString, QByteArray> fichiers{{u"Photo.jpg"_qs, QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(20, 'x')},
                                              {u"texte.jpg"_qs, "pas une image"}};
    auto lire = [&](const QString& a) -> std::optional<QByteArray> {
        if (!fichiers.contains(a))
            return std::nullopt;
        return fichiers.value(a);
    };
    const QString page = u"<P><IMG SRC='Photo.jpg' WIDTH=100><img src=\"absente.png\"><IMG src=texte.jpg>"
                         "<img src='data:image/png;base64,AA=='></P>"_qs;
    const QString r = ExportWord::incorporerImages(page, lire);
    EXPECT_TRUE(r.startsWith(u"<P><IMG SRC='data:image/jpeg;base64,"_qs)) << r.toStdString();
    EXPECT_TRUE(r.contains(u"' WIDTH=100><img src=\"absente.png\"><IMG src=texte.jpg>"
                           "<img src='data:image/png;base64,AA=='></P>"_qs));
}

TEST(ExportWordPage, DeclareeEnUtf8)
{
    // Every declaration of the page gives way to one UTF-8 declaration first in its head.
    EXPECT_EQ(ExportWord::declarerUtf8(
                  u"<html><HEAD lang=fr><meta http-equiv=\"x\"><META HTTP-EQUIV=\"Content-Type\" "
                  "CONTENT=\"text/html; charset=windows-1252\"><meta charset='iso-8859-1'><title>É</title></HEAD>"
                  "<body><meta charset=utf-16>é</body></html>"_qs),
              u"<html><HEAD lang=fr><meta charset=\"utf-8\"><meta http-equiv=\"x\"><title>É</title></HEAD>"
              "<body>é</body></html>"_qs);
    EXPECT_EQ(ExportWord::declarerUtf8(u"<html lang=fr><body>é</body></html>"_qs),
              u"<html lang=fr><meta charset=\"utf-8\"><body>é</body></html>"_qs);
    EXPECT_EQ(ExportWord::declarerUtf8(u"<p>é</p>"_qs), u"<meta charset=\"utf-8\"><p>é</p>"_qs);
    // A head-like word is not a head.
    EXPECT_EQ(ExportWord::declarerUtf8(u"<header>é</header>"_qs), u"<meta charset=\"utf-8\"><header>é</header>"_qs);
}

TEST(ExportWordPage, LignesDateesEnParagraphesQuiCoulentDePageEnPage)
{
    // Underlined dated lines, a blank line before the second: each a paragraph that stays with its
    // first detail line, each detail line an indented paragraph; nothing kept in one block.
    RenduCV::MiseEnForme forme;
    forme.gras = false;
    forme.souligne = true;
    forme.saut = true;
    const QString corps = RenduCV::formaterParagraphes(u"2020 : A\r\n- a1\r\n- a2\r\n2019 : B\r\n- b1"_qs, forme);
    const QString titre = u"<p style=\"margin-top: 0cm; margin-bottom: 0cm; page-break-after: avoid\">"_qs;
    const QString detail = u"<p style=\"margin-top: 0cm; margin-bottom: 0cm; margin-left: 40px\">"_qs;
    EXPECT_EQ(ExportWord::pourTraitementTexte(u"<style>.s { margin: 0; page-break-inside: avoid }</style>"
                                              "<div class=s style='break-inside:avoid'>"_qs +
                                              corps + u"</div>"_qs),
              u"<style>.s { margin: 0; }</style><div class=s style=''>"_qs + titre + u"<u>2020 : A</u></p>"_qs + detail +
                  u"a1</p>"_qs + detail + u"a2</p><br>"_qs + titre + u"<u>2019 : B</u></p>"_qs + detail +
                  u"b1</p></div>"_qs);
}

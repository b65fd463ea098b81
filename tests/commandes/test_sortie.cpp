// The CV output commands: printing, page set-up, the Word copy and its conversion dialog.
#include <QProcess>

#include "commandes.h"
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
    // A stand-in for the office suite on the PATH: it writes the converted file as told, keeps
    // its arguments, and answers with the exit status given.
    void convertisseur(const QString& nom, int statut = 0)
    {
        const QString script = QDir(programmes.path()).filePath(nom);
        Outils::ecrireOctets(script, QStringLiteral(
            "#!/bin/sh\n"
            "printf '%s\\n' \"$@\" > \"%1/arguments\"\n"
            "sortie=''; precedent=''\n"
            "for a in \"$@\"; do\n"
            "  if [ \"$precedent\" = '--outdir' ]; then sortie=\"$a\"; fi\n"
            "  precedent=\"$a\"; dernier=\"$a\"\n"
            "done\n"
            "/bin/cp \"$dernier\" \"%1/page.html\"\n"
            "if [ %2 -eq 0 ]; then printf 'DOCUMENT WORD' > \"$sortie/CV.doc\"; fi\n"
            "exit %2\n").arg(programmes.path()).arg(statut).toUtf8());
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

TEST_F(Sortie, ConversionEcritLaCopieEtLOuvre)
{
    convertisseur(u"soffice"_qs);
    faux.coquille->associations.insert(u"doc"_qs, u"/usr/bin/traitement"_qs);
    Outils::ecrireOctets(chemin(u"Modeles/Lefort Anne.jpg"_qs), Outils::lireOctets(image(u"p.png"_qs, 8, 8)));
    cv().VisualisationCV();
    ASSERT_TRUE(page().contains(u"SRC='Photo.jpg'"_qs));
    principale().ConvertirWord();

    EXPECT_TRUE(faux.dialogues->messages.isEmpty()) << faux.dialogues->textes().join(u'|').toStdString();
    EXPECT_EQ(Outils::lireOctets(copie()), QByteArray("DOCUMENT WORD"));
    ASSERT_EQ(faux.coquille->lancements.size(), 1);
    EXPECT_EQ(faux.coquille->lancements[0].arguments, QStringList{copie()});
    // A private profile, no window, Word 97 out of the page as Writer reads it.
    const QStringList a = argumentsRecus();
    ASSERT_FALSE(a.isEmpty());
    EXPECT_TRUE(a[0].startsWith(u"-env:UserInstallation=file:///"_qs));
    EXPECT_TRUE(a.contains(u"--headless"_qs));
    EXPECT_TRUE(a.contains(u"--infilter=HTML (StarWriter)"_qs));
    EXPECT_EQ(a.mid(a.indexOf(u"--convert-to"_qs), 2), QStringList({u"--convert-to"_qs, u"doc:MS Word 97"_qs}));
    // The page handed over carries its picture.
    const QString remise = QString::fromUtf8(Outils::lireOctets(QDir(programmes.path()).filePath(u"page.html"_qs)));
    EXPECT_FALSE(remise.contains(u"SRC='Photo.jpg'"_qs));
    EXPECT_TRUE(remise.contains(u"SRC='data:image/png;base64,"_qs));
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

TEST_F(Sortie, CopieOuverteDansLeTraitementDeTexte)
{
    convertisseur(u"soffice"_qs);
    Outils::ecrireOctets(copie(), "OUVERTE");
    Outils::ecrireOctets(documents() + u".~lock.Lefort Anne.doc#"_qs, "verrou");
    principale().ConvertirWord();
    EXPECT_EQ(faux.dialogues->textes(), QStringList{u"Le fichier est en cours d'utilisation. Conversion impossible"_qs});
    EXPECT_EQ(Outils::lireOctets(copie()), QByteArray("OUVERTE"));
    EXPECT_TRUE(argumentsRecus().isEmpty());

    // With the editor hidden nothing happens at all.
    cv().hide();
    principale().ConvertirWord();
    EXPECT_EQ(faux.dialogues->messages.size(), 1);
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
    f.Info_DblClick();
    EXPECT_EQ(faux.coquille->explorations, QStringList{copie()});
    f.Label2_Click();
    EXPECT_EQ(faux.coquille->explorations.last(), documents());
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
              QStringList{u"Il est recommandé de ferme Microsoft Word ou Open Office pour faciliter la conversion"_qs});

    // "Convertir": the advice, the export (here without an office suite), then the dialog closes.
    g.BoutonKVL2_Click();
    EXPECT_EQ(faux.dialogues->textes().mid(1),
              QStringList({u"Il est préferable de fermer tous les documents Word afin de faciliter la conversion"_qs,
                           u"LibreOffice est introuvable sur ce poste : la conversion du CV au format Word est "
                           "impossible. Installez LibreOffice puis recommencez."_qs}));
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<FormConvert>());
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

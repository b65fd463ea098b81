// The CV editor driven through its handlers: loading, editing, saving, options, layout (its help
// pop-ups under the pointer are tested with the desktop, in tests/fenetres).
#include "test_fenetre_cv.h"

#include <QApplication>
#include <QImage>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>
#include <cerrno>

#include "cveditor/fichier_cv.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

namespace {

// A CV file as stored: one "name=value" line each, CR LF ended, Windows-1252.
void ecrireCV(const QString& chemin, const QStringList& lignes)
{
    FichiersTexte::ecrire(chemin, lignes.join(u"\r\n"_qs) + u"\r\n"_qs);
}

} // namespace

TEST_F(TestFenetreCV, ChargementCocheLaLangueEtRendUneFois)
{
    ecrireCV(fichierCV(u"Lebrun Helene"_qs),
             {u"LangueCV=1"_qs, u"Nom=LEBRUN"_qs, u"Prénom=Hélène"_qs, u"Ville=Lyon"_qs,
              u"Experiences=2005 : Vente<N>- Caisse"_qs, u"3:LangueProf=1"_qs, u"NomCV=Autre nom"_qs,
              u"Fonction=Vendeuse"_qs});
    principale->MenuFrancais->setChecked(true);
    cv().ChargerFichierCV(fichierCV(u"Lebrun Helene"_qs));

    EXPECT_EQ(rendus(), 1);
    EXPECT_TRUE(principale->MenuAnglais->isChecked());
    EXPECT_FALSE(principale->MenuFrancais->isChecked());
    EXPECT_EQ(cv().NomCV->text(), u"Lebrun Helene"_qs);
    EXPECT_EQ(cv().Label5->text(), u"Zones d'informations (Lebrun Helene)"_qs);
    EXPECT_EQ(cv().Experiences->toPlainText(), u"2005 : Vente\n- Caisse"_qs);
    EXPECT_TRUE(cv().LangueProf[3]->isChecked());
    EXPECT_TRUE(cv().FrameIdentite->isHidden());
    // The loaded CV is the current identity.
    EXPECT_EQ(principale->Nom->text(), u"LEBRUN"_qs);
    EXPECT_EQ(principale->Prenom->text(), u"Hélène"_qs);
    EXPECT_EQ(principale->Fonction->text(), u"Vendeuse"_qs);
    // English page, saved again under its own name.
    EXPECT_TRUE(page().contains(u"Vendeuse"_qs));
    EXPECT_TRUE(QFileInfo::exists(fichierCV(u"Lebrun Helene"_qs)));

    // A file whose language is not a number leaves the ticks as they are.
    ecrireCV(fichierCV(u"Sans Langue"_qs), {u"LangueCV=x"_qs, u"Nom=SANS"_qs});
    cv().ChargerFichierCV(fichierCV(u"Sans Langue"_qs));
    EXPECT_TRUE(principale->MenuAnglais->isChecked());
    EXPECT_FALSE(principale->MenuFrancais->isChecked());
    // A number that is neither French nor English ticks neither.
    ecrireCV(fichierCV(u"Autre Langue"_qs), {u"LangueCV=2"_qs, u"Nom=AUTRE"_qs});
    cv().ChargerFichierCV(fichierCV(u"Autre Langue"_qs));
    EXPECT_FALSE(principale->MenuAnglais->isChecked());
    EXPECT_FALSE(principale->MenuFrancais->isChecked());
}

TEST_F(TestFenetreCV, ChaqueSaisieRendEtLeCVNommeSEnregistre)
{
    FormRedigerCV& f = cv();
    EXPECT_EQ(rendus(), 0);
    EXPECT_EQ(apercu().navigations.value(0), u"about:blank"_qs);
    EXPECT_FALSE(f.FrameIdentite->isHidden());

    f.Experiences->setPlainText(u"2005 : Vente\n- Caisse"_qs);
    quitter(f.Experiences);
    EXPECT_EQ(rendus(), 1);
    EXPECT_TRUE(f.FrameIdentite->isHidden());
    EXPECT_TRUE(page().contains(u"<b>2005 : Vente</b><br>"_qs)) << page().toStdString();
    EXPECT_TRUE(QDir(dossier.chemin(u"CV"_qs)).entryList(QDir::Files).isEmpty()); // no name yet

    f.Nom->setText(u"lebrun"_qs);
    quitter(f.Nom);
    EXPECT_EQ(f.Nom->text(), u"LEBRUN"_qs);
    EXPECT_EQ(rendus(), 1); // leaving Nom does not render
    f.Prenom->setText(u"hélène"_qs);
    quitter(f.Prenom);
    EXPECT_EQ(f.Prenom->text(), u"Hélène"_qs);
    EXPECT_EQ(rendus(), 2);
    EXPECT_EQ(f.NomCV->text(), u"Lebrun Helene"_qs);
    ASSERT_TRUE(QFileInfo::exists(fichierCV(u"Lebrun Helene"_qs)));
    const auto lu = FichierCV::charger(fichierCV(u"Lebrun Helene"_qs));
    ASSERT_TRUE(lu);
    EXPECT_EQ(lu->texte(u"Experiences"_qs), u"2005 : Vente\r\n- Caisse"_qs);
    EXPECT_EQ(lu->texte(u"Prénom"_qs), u"Hélène"_qs);
    // The desktop shows the new CV.
    EXPECT_EQ(principale->ImageMenu[0]->toolTip(), u"Lebrun Helene.dat"_qs);

    // An emptied section is not rendered on leaving; a filled one is.
    f.Competences->setPlainText(QString());
    quitter(f.Competences);
    EXPECT_EQ(rendus(), 2);
    f.Competences->setPlainText(u"Encaissement"_qs);
    quitter(f.Competences);
    EXPECT_EQ(rendus(), 3);

    // A second new CV of the same person becomes a copy, never overwriting the first.
    RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
    FormRedigerCV& g = cv();
    g.Nom->setText(u"LEBRUN"_qs);
    g.Prenom->setText(u"Helene"_qs);
    quitter(g.Prenom);
    EXPECT_EQ(g.NomCV->text(), u"Copie De Lebrun Helene"_qs);
    EXPECT_TRUE(QFileInfo::exists(fichierCV(u"Copie De Lebrun Helene"_qs)));
}

TEST_F(TestFenetreCV, EnregistrementRefuseSansNomOuEnEchec)
{
    cv().SauvegarderCV_Click();
    EXPECT_EQ(faux.dialogues->textes(), QStringList{u"Vous devez donner un nom au CV avant de l'enregistrer"_qs});

    cv().Nom->setText(u"DUPONT"_qs);
    cv().SauvegarderCV_Click();
    const QByteArray avant = Outils::lireOctets(fichierCV(u"Dupont"_qs));
    ASSERT_FALSE(avant.isEmpty());
    cv().Divers->setPlainText(u"Voile"_qs);
    FichiersTexte::simulerEchecEcriture(true);
    cv().SauvegarderCV_Click();
    FichiersTexte::simulerEchecEcriture(false);
    EXPECT_EQ(faux.dialogues->textes().last(), FichierCV::messageEchec(u"Dupont"_qs, EIO));
    EXPECT_EQ(Outils::lireOctets(fichierCV(u"Dupont"_qs)), avant);
}

TEST_F(TestFenetreCV, RouvrirRestaureToutEtLaPhoto)
{
    FormRedigerCV& f = cv();
    f.Nom->setText(u"KOWALSKI"_qs);
    f.Prenom->setText(u"Łukasz"_qs);
    f.Adresse1->setText(u"12 rue de la Paix"_qs);
    f.Divers->setPlainText(u"Voile 😀\nÉchecs"_qs);
    f.Experiences->setPlainText(u"2010 : Chef de rayon\n- Équipe de 5"_qs);
    f.LangueCourant[0]->click();
    f.LangueBilingue[7]->click();
    f.CheckParagraphe[1]->click();
    f.CheckDisposition[1]->click();
    f.Coul_Click(13);
    f.PoliceT_Click(1);
    f.ListeModeles->setCurrentRow(f.ListeModeles->count() - 1);
    f.ListeModeles_Click();
    quitter(f.Experiences);
    const QString nom = f.NomCV->text();
    ASSERT_EQ(nom, u"Kowalski Ukasz"_qs);
    const FichierCV::ValeursCV avant = f.valeurs();
    QImage image(30, 40, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(dossier.chemin(u"Modeles/"_qs + nom + u".jpg"_qs)));

    RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
    FormRedigerCV& g = cv();
    g.ChargerFichierCV(fichierCV(nom));
    const FichierCV::ValeursCV apres = g.valeurs();
    for (const QString& b : FichierCV::boites())
        EXPECT_EQ(apres.texte(b), avant.texte(b)) << b.toStdString();
    for (const FichierCV::Cle& c : FichierCV::cles())
        if (c.indexee())
            EXPECT_EQ(apres.valeur(c.nom, c.index), avant.valeur(c.nom, c.index)) << c.nom.toStdString() << c.index;
    EXPECT_EQ(g.Prenom->text(), u"Łukasz"_qs);
    EXPECT_EQ(g.Couleur->text(), u"#0000FF"_qs);
    EXPECT_EQ(g.Police->text(), u"Times New Roman"_qs);
    EXPECT_TRUE(g.CheckDisposition[1]->isChecked());
    EXPECT_FALSE(g.CheckDisposition[0]->isChecked());
    ASSERT_FALSE(g.Photo->pixmap().isNull());
    EXPECT_EQ(g.Photo->pixmap().size(), QSize(30, 40));
    EXPECT_TRUE(page().contains(u"Photo.jpg"_qs));
}

TEST_F(TestFenetreCV, TexteDuCVSansScriptDansLApercu)
{
    FormRedigerCV& f = cv();
    EXPECT_FALSE(apercu().scriptsPage);
    f.Divers->setPlainText(u"<script>document.title='pirate'</script>Voile"_qs);
    quitter(f.Divers);
    EXPECT_TRUE(page().contains(u"Content-Security-Policy"_qs));
}

TEST_F(TestFenetreCV, MiseEnFormeCompacte)
{
    FormRedigerCV& f = cv();
    const int largeur = f.Nom->width();
    const int largeurCadre = f.Frame1->width(), apercu = f.WebBrowser1->width();
    f.BoutonKVL1_Click();
    EXPECT_NEAR(f.Nom->width(), largeur / 1.9, 1.5);
    // The panel gives up room, which the preview takes.
    EXPECT_LT(f.Frame1->width(), largeurCadre);
    EXPECT_GT(f.WebBrowser1->width(), apercu);
    f.BoutonKVL1_Click();
    EXPECT_NEAR(f.Nom->width(), largeur / 1.9 / 1.9, 2);

    // A narrow main window gives a compact editor at load; a wide one does not.
    RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
    principale->resize(Twips::taille(16000, 12000));
    EXPECT_NEAR(cv().Nom->width(), largeur / 1.9, 1.5);
    RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
    principale->resize(Twips::taille(19000, 12000));
    EXPECT_EQ(cv().Nom->width(), largeur);
}

TEST_F(TestFenetreCV, FichiersAbimesSansPlantage)
{
    QByteArray binaire;
    for (int i = 0; i < 4096; ++i)
        binaire.append(char((i * 7919) % 256));
    Outils::ecrireOctets(fichierCV(u"Binaire"_qs), binaire);
    Outils::ecrireOctets(fichierCV(u"Sans Egal"_qs), "ligne sans egal\r\nautre\r\n9\r\n");
    Outils::ecrireOctets(fichierCV(u"Enorme"_qs), "Nom=ENORME\r\nDivers=" + QByteArray(FichierCV::TailleMax, 'x'));
    Outils::ecrireOctets(fichierCV(u"Longue"_qs), "Nom=LONG\r\nDivers=" + QByteArray(2 * 1024 * 1024, 'x') + "\r\n");
    Outils::ecrireOctets(fichierCV(u"Inconnus"_qs),
                         "Inconnu=abc\r\n99:LangueProf=1\r\n2:CheckDisposition=1\r\n1:LangueProf=7\r\n"
                         "0:Inconnu=1\r\nNom=BON\r\n4:LangueCourant=1\r\n");
    // Nothing a CV holds, or too big for one, or unreadable: not opened, the editor as it was,
    // and the user told which.
    for (const QString& nom : {u"Binaire"_qs, u"Sans Egal"_qs, u"Enorme"_qs, u"Absent"_qs}) {
        cv().ChargerFichierCV(fichierCV(nom));
        EXPECT_EQ(cv().NomCV->text(), QString());
        const auto etat = nom == u"Absent" ? FichierCV::Ouverture::Illisible
            : nom == u"Enorme"             ? FichierCV::Ouverture::TropGrand
                                           : FichierCV::Ouverture::PasUnCV;
        EXPECT_EQ(faux.dialogues->textes().value(0), FichierCV::messageOuverture(etat, nom + u".dat"_qs));
        faux.dialogues->messages.clear();
    }
    EXPECT_EQ(FichierCV::messageOuverture(FichierCV::Ouverture::TropGrand, u"Enorme.dat"_qs),
              u"Le fichier Enorme.dat est trop volumineux pour un CV (plus de 16 Mo) : il n'a pas été ouvert."_qs);
    EXPECT_EQ(rendus(), 0);
    EXPECT_EQ(Outils::lireOctets(fichierCV(u"Binaire"_qs)), binaire);

    // A text longer than any typed, with no blank: read whole, and the box shows it at once.
    cv().ChargerFichierCV(fichierCV(u"Longue"_qs));
    EXPECT_EQ(cv().Nom->text(), u"LONG"_qs);
    EXPECT_EQ(cv().Divers->toPlainText().size(), 2 * 1024 * 1024);

    // What could be read is there.
    cv().ChargerFichierCV(fichierCV(u"Inconnus"_qs));
    EXPECT_EQ(cv().NomCV->text(), u"Inconnus"_qs);
    EXPECT_EQ(cv().Nom->text(), u"BON"_qs);
    EXPECT_EQ(cv().Divers->toPlainText(), QString());
    EXPECT_TRUE(cv().LangueCourant[4]->isChecked());
    EXPECT_FALSE(cv().LangueProf[1]->isChecked());
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(TestFenetreCV, LApercuPrenantLeFocusFermeLesPanneaux)
{
    FormRedigerCV& f = cv();
    f.activateWindow();
    f.ImageMenu_Click(1);
    ASSERT_FALSE(f.CadreCouleur->isHidden());
    f.WebBrowser1->setFocusPolicy(Qt::StrongFocus);
    f.WebBrowser1->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    if (QApplication::focusWidget() != f.WebBrowser1)
        GTEST_SKIP() << "no focus on this platform";
    EXPECT_TRUE(f.CadreCouleur->isHidden());
}

TEST_F(TestFenetreCV, ConseilAuPremierCVEtMenuWord)
{
    // No CV on the desktop: the tip shows at load.
    cv();
    EXPECT_TRUE(principale->InfoGuide->text().startsWith(u"Veuillez saisir les informations voulues"_qs));

    // With a CV on the desktop, nothing is said.
    principale->InfoGuide->clear();
    RegistreFenetres::instance().decharger(FormRedigerCV::NomConception);
    ecrireCV(fichierCV(u"Martin Paul"_qs), {u"Nom=MARTIN"_qs});
    principale->InitMenu();
    cv();
    EXPECT_EQ(principale->InfoGuide->text(), QString());

    // "Dernière version" is offered only when the word-processor copy exists.
    const QByteArray profil = qgetenv("userprofile"), tous = qgetenv("ALLUSERSPROFILE");
    qputenv("userprofile", dossier.appData().toUtf8());
    qputenv("ALLUSERSPROFILE", "C:\\ProgramData");
    cv().NomCV->setText(u"Martin Paul"_qs);
    cv().ImageMenu_Click(4);
    EXPECT_FALSE(principale->ConsulterWord->isEnabled());
    principale->MenuConvertirWord->hide();
    Outils::ecrireOctets(Systeme::DossierDocuments() + u"Martin Paul.doc"_qs, "doc");
    cv().ImageMenu_Click(4);
    EXPECT_TRUE(principale->ConsulterWord->isEnabled());
    EXPECT_TRUE(principale->MenuConvertirWord->isVisible());
    principale->MenuConvertirWord->hide();
    qputenv("userprofile", profil);
    qputenv("ALLUSERSPROFILE", tous);
}

TEST_F(TestFenetreCV, DefilementActivationEtRenduSuspendu)
{
    FormRedigerCV& f = cv();
    // Each item of the scroll list moves the entry panel by a hundredth of its height.
    f.List1->verticalScrollBar()->setValue(10);
    EXPECT_NEAR(f.Frame1->y(), -f.Frame1->height() * 0.10, 1);
    f.List1->verticalScrollBar()->setValue(0);
    EXPECT_EQ(f.Frame1->y(), 0);

    // Activating the editor stops the home screen's glide and closes the highlight bar.
    int arrets = 0;
    LiensFenetres::arreterGlissementAccueil = [&] { ++arrets; };
    auto* autre = principale->Espace->addSubWindow(new QWidget());
    autre->show();
    principale->Espace->setActiveSubWindow(autre);
    principale->Espace->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(f.parentWidget()));
    EXPECT_GE(arrets, 1);
    LiensFenetres::arreterGlissementAccueil = {};

    // While Génère is hidden nothing renders, and the identity panel stays.
    f.Genere->hide();
    f.Experiences->setPlainText(u"2005 : Vente"_qs);
    quitter(f.Experiences);
    f.Genere_Click();
    EXPECT_EQ(rendus(), 0);
    EXPECT_FALSE(f.FrameIdentite->isHidden());
}

// Start-up: its steps in their order, the data folder, the fade and slide, the main window.
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "affichage.h"
#include "commun.h"
#include "registres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/systeme.h"
#include "shell/startup/depart.h"
#include "shell/startup/dossier_donnees.h"

namespace {

class Demarrage : public TestCoquille {
protected:
    QStringList traces;
    void demarrer()
    {
        Traces::observer([this](const QString& t) { traces << t; });
        Forme<Depart>();
        Traces::observer({});
    }
    QList<int> opacites(const QString& fenetre) const
    {
        QList<int> l;
        const QString debut = u"Opacite "_qs + fenetre + u' ';
        for (const QString& t : traces)
            if (t.startsWith(debut))
                l << t.mid(debut.size()).toInt();
        return l;
    }
    QStringList etapes() const
    {
        QStringList l;
        for (const QString& t : traces)
            if (!t.startsWith(u"Opacite"_qs))
                l << t;
        return l;
    }
};

} // namespace

TEST_F(Demarrage, EtapesDansLOrdre)
{
    DossierTemporaire dossier;
    bool agrandieALAccueil = false, departEncoreLa = false;
    int gaucheImage = 0;
    QString repertoireALAccueil;
    LiensFenetres::chargerAccueil = [&] {
        if (auto* p = RegistreFenetres::instance().siChargee<Principale>())
            agrandieALAccueil = p->isMaximized() && p->isVisible();
        if (auto* d = RegistreFenetres::instance().siChargee<Depart>()) {
            departEncoreLa = true;
            gaucheImage = d->gaucheImage1();
        }
        repertoireALAccueil = QDir::currentPath();
    };
    int barres = 0;
    LiensFenetres::chargerBarre = [&] { ++barres; };

    demarrer();

    EXPECT_EQ(etapes(), (QStringList{u"Dossier CV"_qs, u"Dossier Lettres"_qs, u"Dossier Cand"_qs, u"Repertoire"_qs,
                                     u"Glissement -8120"_qs, u"Principale"_qs, u"Agrandie"_qs, u"Accueil"_qs,
                                     u"Fin"_qs}));
    QList<int> depart;
    for (int k = 1; k <= 251; k += 10)
        depart << k;
    EXPECT_EQ(opacites(u"Depart"_qs), depart);
    // The shadow's load sets 1; then 18 calls from k / 5, the first of them 0 (no change).
    QList<int> ombre{1};
    for (int k = 1; k <= 171; k += 10)
        ombre << int(std::nearbyint(k / 5.0));
    EXPECT_EQ(opacites(u"Ombre"_qs), ombre);
    EXPECT_EQ(ombre.size(), 19);
    EXPECT_EQ(ombre.at(1), 0);
    EXPECT_EQ(ombre.last(), 34);

    EXPECT_TRUE(agrandieALAccueil);
    EXPECT_TRUE(departEncoreLa);
    EXPECT_EQ(gaucheImage, -8120);
    EXPECT_EQ(barres, 1);
    EXPECT_EQ(QFileInfo(repertoireALAccueil).canonicalFilePath(), QFileInfo(dossier.donnees()).canonicalFilePath());
    for (const char* nom : {"CV", "Lettres", "Cand"})
        EXPECT_TRUE(QFileInfo(dossier.chemin(QString::fromUtf8(nom))).isDir()) << nom;

    // Afterwards only the main window is left of the start-up's windows.
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Depart>());
    EXPECT_EQ(RegistreFenetres::instance().trouver(u"Ombre"_qs), nullptr);
    EXPECT_TRUE(Systeme::FormeVisible(u"Principale"_qs));
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
}

TEST_F(Demarrage, EcranTropPetitDonneUnMessageEtContinue)
{
    DossierTemporaire dossier;
    Ecran::simuler(QSize(800, 600));
    demarrer();
    ASSERT_EQ(faux.dialogues->messages.size(), 1);
    EXPECT_EQ(faux.dialogues->messages.first().texte,
              u"La définition de votre écran est insuffisante pour exécuter correctement Kerval. "
              "Le minimum requis est de 1024x768."_qs);
    EXPECT_FALSE(faux.dialogues->messages.first().okAnnuler);
    EXPECT_EQ(etapes().first(), u"Message"_qs);
    EXPECT_EQ(etapes().last(), u"Fin"_qs);

    // 1024 x 768 is enough; so is any screen at least 15000 x 11000 twips.
    RegistreFenetres::instance().toutDecharger();
    faux.dialogues->messages.clear();
    traces.clear();
    Ecran::simuler(QSize(1024, 768));
    demarrer();
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
    RegistreFenetres::instance().toutDecharger();
    Ecran::simuler(QSize(1000, 768)); // 15000 twips wide exactly
    demarrer();
    EXPECT_TRUE(faux.dialogues->messages.isEmpty());
    Ecran::simuler(QSize(1024, 733)); // 10995 twips high
    RegistreFenetres::instance().toutDecharger();
    demarrer();
    EXPECT_EQ(faux.dialogues->messages.size(), 1);
}

TEST_F(Demarrage, SecondDemarrageNeCreeRien)
{
    DossierTemporaire dossier;
    demarrer();
    RegistreFenetres::instance().toutDecharger();
    const QByteArray registre = Outils::lireOctets(dossier.chemin(u"Kerval.mdb"_qs));
    traces.clear();
    demarrer();
    EXPECT_FALSE(etapes().contains(u"Dossier CV"_qs));
    EXPECT_TRUE(etapes().contains(u"Repertoire"_qs));
    EXPECT_TRUE(faux.dialogues->messages.isEmpty()) << faux.dialogues->textes().join(u"|"_qs).toStdString();
    EXPECT_FALSE(registre.isEmpty());
}

TEST_F(Demarrage, DossierDeDonneesPoseSansRienEcraser)
{
    DossierTemporaire dossier;
    const QString donnees = dossier.donnees();
    // A user's own phrases and a register that is not one stay as they are.
    ecrireFichier(donnees + u"/propositions.txt"_qs, "1 Ma phrase\r\n");
    ecrireFichier(donnees + u"/Kerval.mdb"_qs, "pas une base");
    const auto bilan = DossierDonnees::preparer(donnees, QStringLiteral(KERVAL_DONNEES_SOURCE));
    EXPECT_TRUE(bilan.echecs.isEmpty()) << bilan.echecs.join(u',').toStdString();
    EXPECT_EQ(Outils::lireOctets(donnees + u"/propositions.txt"_qs), QByteArray("1 Ma phrase\r\n"));
    EXPECT_EQ(Outils::lireOctets(donnees + u"/Kerval.mdb"_qs), QByteArray("pas une base"));
    for (const char* nom : {"DocWord.doc", "Fondr.jpg"})
        EXPECT_TRUE(QFileInfo(donnees + u'/' + QString::fromUtf8(nom)).isFile()) << nom;
    EXPECT_TRUE(QFileInfo(donnees + u"/Modeles"_qs).isDir());
    EXPECT_TRUE(QFileInfo(donnees + u"/Visualisation"_qs).isDir());
    EXPECT_FALSE(QFileInfo::exists(donnees + u"/Visualisation/.gitkeep"_qs));
    EXPECT_FALSE(bilan.poses.contains(u"propositions.txt"_qs));
    EXPECT_FALSE(bilan.poses.contains(u"Kerval.mdb"_qs));

    // A missing data folder is laid down whole, with an empty register that opens.
    const QString neuf = dossier.appData() + u"/Ailleurs/Kerval"_qs;
    const auto tout = DossierDonnees::preparer(neuf, QStringLiteral(KERVAL_DONNEES_SOURCE));
    EXPECT_TRUE(tout.echecs.isEmpty());
    auto base = BaseCandidatures::ouvrir(neuf + u"/Kerval.mdb"_qs);
    ASSERT_TRUE(base);
    EXPECT_EQ(base->nombreCandidatures(), 0);
    EXPECT_EQ(Outils::lireOctets(neuf + u"/propositions.txt"_qs),
              Outils::lireOctets(QStringLiteral(KERVAL_DONNEES_SOURCE) + u"/propositions.txt"_qs));
    // A later start lays down nothing more.
    const auto encore = DossierDonnees::preparer(neuf, QStringLiteral(KERVAL_DONNEES_SOURCE));
    EXPECT_TRUE(encore.poses.isEmpty()) << encore.poses.join(u',').toStdString();
    EXPECT_TRUE(encore.echecs.isEmpty());
}

TEST_F(Demarrage, UnPremierDemarrageInterrompuSeTermineAuSuivant)
{
    // What a first start killed while it laid down the data folder leaves: Modeles made but
    // not filled, Visualisation and the phrases not there yet, the register half made under
    // its temporary name.
    DossierTemporaire dossier;
    const QString donnees = dossier.donnees();
    const QString livrees = QStringLiteral(KERVAL_DONNEES_SOURCE);
    QDir().mkpath(donnees + u"/Modeles"_qs);
    ecrireFichier(donnees + u"/Kerval-a1B2c3.tmp"_qs, QByteArray("SQLite format 3\0", 16));
    ecrireFichier(donnees + u"/Kerval-a1B2c3.tmp-journal"_qs, "journal");
    for (const char* nom : {"DocWord.doc", "Fondr.jpg"})
        QFile::copy(livrees + u'/' + QString::fromUtf8(nom), donnees + u'/' + QString::fromUtf8(nom));
    // The user's own files, among them one named like a temporary file but not one, stay.
    ecrireFichier(donnees + u"/Modeles/Mon modèle.htm"_qs, "<html>mien</html>");
    ecrireFichier(donnees + u"/Modeles/Basic.htm"_qs, "<html>retouché</html>");
    ecrireFichier(donnees + u"/Kerval-notes.tmp"_qs, "notes");

    demarrer();
    EXPECT_TRUE(faux.dialogues->messages.isEmpty()) << faux.dialogues->textes().join(u'|').toStdString();
    EXPECT_TRUE(Systeme::FormeVisible(u"Principale"_qs));
    for (const QString& nom : QDir(livrees + u"/Modeles"_qs).entryList(QDir::Files))
        if (nom != u"Basic.htm"_qs)
            EXPECT_EQ(Outils::lireOctets(donnees + u"/Modeles/"_qs + nom), Outils::lireOctets(livrees + u"/Modeles/"_qs + nom))
                << nom.toStdString();
    EXPECT_TRUE(QFileInfo(donnees + u"/Modeles/Photo.jpg"_qs).isFile());
    EXPECT_TRUE(QFileInfo(donnees + u"/Visualisation"_qs).isDir());
    EXPECT_EQ(Outils::lireOctets(donnees + u"/propositions.txt"_qs), Outils::lireOctets(livrees + u"/propositions.txt"_qs));
    EXPECT_EQ(Outils::lireOctets(donnees + u"/Modeles/Basic.htm"_qs), QByteArray("<html>retouché</html>"));
    EXPECT_EQ(Outils::lireOctets(donnees + u"/Modeles/Mon modèle.htm"_qs), QByteArray("<html>mien</html>"));
    EXPECT_EQ(Outils::lireOctets(donnees + u"/Kerval-notes.tmp"_qs), QByteArray("notes"));
    EXPECT_FALSE(QFileInfo::exists(donnees + u"/Kerval-a1B2c3.tmp"_qs));
    EXPECT_FALSE(QFileInfo::exists(donnees + u"/Kerval-a1B2c3.tmp-journal"_qs));
    auto base = BaseCandidatures::ouvrir(donnees + u"/Kerval.mdb"_qs);
    ASSERT_TRUE(base);
    EXPECT_EQ(base->nombreCandidatures(), 0);
}

TEST_F(Demarrage, SansDossierDeDonneesLeProgrammeLeDitEtSArrete)
{
    DossierTemporaire dossier;
    const QString depart = QDir::currentPath();
    // A plain file where the folder should be.
    QDir(dossier.donnees()).removeRecursively();
    ecrireFichier(dossier.donnees(), "un fichier");
    demarrer();
    ASSERT_EQ(faux.dialogues->textes(), QStringList{DossierDonnees::messageDossierImpossible(dossier.donnees())});
    EXPECT_TRUE(faux.dialogues->textes().first().contains(u"un fichier porte déjà son nom"_qs));
    EXPECT_TRUE(QString(faux.dialogues->textes().first()).remove(QChar(0x200B)).contains(dossier.donnees()));
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Principale>());
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Depart>());
    EXPECT_EQ(QDir::currentPath(), depart);
    EXPECT_EQ(Outils::lireOctets(dossier.donnees()), QByteArray("un fichier"));
    EXPECT_FALSE(etapes().contains(u"Repertoire"_qs));

    // A folder where the user may not write.
    QFile::remove(dossier.donnees());
    faux.dialogues->messages.clear();
    {
        Registres::FichierProtege protege(dossier.appData());
        ASSERT_TRUE(protege.actif());
        demarrer();
    }
    ASSERT_EQ(faux.dialogues->textes(), QStringList{DossierDonnees::messageDossierImpossible(dossier.donnees())});
    EXPECT_TRUE(faux.dialogues->textes().first().contains(u"le droit d'écrire"_qs));
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Principale>());
    EXPECT_EQ(QDir::currentPath(), depart);
    EXPECT_FALSE(QFileInfo::exists(dossier.donnees()));
}

TEST_F(Demarrage, UnDossierTropProfondPourLeRegistreLeDitEtGardeLesCV)
{
    DossierTemporaire dossier;
    const qsizetype limite = BaseCandidatures::longueurDossierMax();
    // Up to the engine's limit the register is made, and it opens and takes a row.
    const QString auBord = Outils::dossierProfond(dossier.appData(), limite, u"Kerval"_qs);
    const auto bilan = DossierDonnees::preparer(auBord, QStringLiteral(KERVAL_DONNEES_SOURCE));
    EXPECT_FALSE(bilan.registreImpossible);
    {
        auto base = BaseCandidatures::ouvrir(auBord + u"/Kerval.mdb"_qs);
        ASSERT_TRUE(base);
        EXPECT_TRUE(base->base().executer(u"insert into Candidatures (Intitule) values ('Poste')"_qs));
    }

    // One letter more and the engine would open nothing there: start-up says so, and why.
    std::optional<VariableTemporaire> appData;
    appData.emplace("AppData", Outils::dossierProfond(dossier.appData(), limite + 1 - 7));
    const QString donnees = qEnvironmentVariable("AppData") + u"/Kerval"_qs;
    demarrer();
    ASSERT_EQ(faux.dialogues->textes(),
              QStringList{DossierDonnees::messageRegistreImpossible(donnees, Stockage::Cause::CheminTropLong)});
    const QString message = faux.dialogues->textes().first();
    EXPECT_TRUE(message.startsWith(u"Kerval ne peut pas créer le registre de vos candidatures (Kerval.mdb)"_qs));
    // The path as it is, with room to break its lines: the message box shows it whole.
    EXPECT_TRUE(QString(message).remove(QChar(0x200B)).contains(donnees));
    {
        QMessageBox boite(QMessageBox::NoIcon, u"Kerval"_qs, message, QMessageBox::Ok);
        boite.show();
        const QStringList defauts = Affichage::defauts(&boite);
        EXPECT_TRUE(defauts.isEmpty()) << defauts.join(u'\n').toStdString();
    }
    EXPECT_TRUE(message.contains(u"trop long pour le registre : il compte %1 caractères, et le registre n'en permet "
                                 "pas plus de %2"_qs.arg(limite + 1).arg(limite)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(u"Vos CV et vos lettres restent utilisables"_qs));
    // The program goes on, with the CVs' folders, and leaves nothing half made.
    EXPECT_TRUE(etapes().contains(u"Registre impossible"_qs));
    EXPECT_EQ(etapes().last(), u"Fin"_qs);
    EXPECT_TRUE(Systeme::FormeVisible(u"Principale"_qs));
    EXPECT_TRUE(QFileInfo(donnees + u"/CV"_qs).isDir());
    EXPECT_EQ(QDir(donnees).entryList({u"Kerval*"_qs}, QDir::Files | QDir::Hidden), QStringList());
    // A save of an application there is told the same cause.
    Stockage::Etat etat = Stockage::Etat::Ouverte;
    EXPECT_FALSE(BaseCandidatures::ouvrir(donnees + u"/Kerval.mdb"_qs, &etat));
    EXPECT_EQ(etat, Stockage::Etat::CheminTropLong);

    // A register brought into a folder deeper still cannot be opened there: said so, not as damaged.
    RegistreFenetres::instance().toutDecharger();
    faux.dialogues->messages.clear();
    const QString profond = Outils::dossierProfond(dossier.appData(), 500, u"Kerval"_qs);
    appData.emplace("AppData", QFileInfo(profond).path());
    ASSERT_TRUE(QFile::copy(auBord + u"/Kerval.mdb"_qs, profond + u"/Kerval.mdb"_qs));
    const QByteArray apporte = Outils::lireOctets(profond + u"/Kerval.mdb"_qs);
    demarrer();
    ASSERT_EQ(faux.dialogues->textes(),
              QStringList{DossierDonnees::messageRegistreImpossible(profond, Stockage::Cause::CheminTropLong)});
    EXPECT_TRUE(faux.dialogues->textes().first().startsWith(u"Kerval ne peut pas ouvrir le registre"_qs));
    EXPECT_TRUE(faux.dialogues->textes().first().contains(u"il compte 500 caractères"_qs));
    EXPECT_EQ(Outils::lireOctets(profond + u"/Kerval.mdb"_qs), apporte);
}

TEST_F(Demarrage, FermerLaFenetrePrincipalePendantLeDemarrage)
{
    DossierTemporaire dossier;
    LiensFenetres::chargerAccueil = [] {
        if (auto* p = RegistreFenetres::instance().siChargee<Principale>())
            p->close();
    };
    demarrer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(RegistreFenetres::instance().estChargee<Depart>());
    EXPECT_EQ(RegistreFenetres::instance().trouver(u"Ombre"_qs), nullptr);
    EXPECT_FALSE(etapes().contains(u"Fin"_qs));
}

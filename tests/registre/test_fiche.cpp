// Saving, loading and deleting an application through the register window's handlers, on a
// real register file.
#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <QLabel>
#include <QRadioButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "fenetre_registre.h"
#include "register/web/cadre_web.h"

namespace {

const QString Aujourdhui = u"15/03/2024"_qs; // the fake clock's day
const QString CDI = u"CDI,CONTRAT A DUREE INDETERMINEE"_qs;

TEST(Enregistrement, UneNouvelleCandidatureRecoitSesValeursParDefautEtSonNumero)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    const qint64 num = r.nouvelle({{u"Intitule"_qs, u"Technicien réseau"_qs}, {u"Nature"_qs, CDI}});
    ASSERT_GT(num, 0);
    EXPECT_TRUE(r.messages().isEmpty());
    EXPECT_EQ(f.Statut->text(), u"NON EMISE"_qs);
    EXPECT_EQ(f.Societe->text(), u"N.C."_qs);
    EXPECT_EQ(f.DateDiffusion->text(), Aujourdhui);
    EXPECT_EQ(f.Duree->text(), u"Indéterminée"_qs);
    EXPECT_EQ(r.colonne(num, u"Statut"_qs), u"NON EMISE"_qs);
    EXPECT_EQ(r.colonne(num, u"Datediffussion"_qs), u"2024-03-15"_qs);
    EXPECT_EQ(r.colonne(num, u"Duree"_qs), u"Indéterminée"_qs);
    // Empty dates are Null; empty texts are empty texts.
    for (const QString& date : {u"DateLimite"_qs, u"DateRDV"_qs, u"DateEnvoi"_qs})
        EXPECT_EQ(r.colonne(num, date), u"<NULL>"_qs) << date.toStdString();
    EXPECT_EQ(r.colonne(num, u"Remarques"_qs), u""_qs);

    // The short contract name alone gives no duration.
    r.nouvelle({{u"Intitule"_qs, u"Soudeur"_qs}, {u"Nature"_qs, u"CDI"_qs}});
    EXPECT_EQ(f.Duree->text(), u""_qs);
    EXPECT_EQ(r.nombreLignes(), 2);
    EXPECT_EQ(f.Liste->topLevelItemCount(), 1);
    EXPECT_EQ(f.Liste->topLevelItem(0)->childCount(), 2);
}

TEST(Enregistrement, LesRefusDisentPourquoiEtNEcriventRien)
{
    FenetreRegistre r;
    FormCand& f = *r.f;

    f.Action_Click(3);
    EXPECT_EQ(r.messages(), QStringList{u"L'intitulé est obligatoire"_qs});
    // The defaults are filled in all the same.
    EXPECT_EQ(f.Statut->text(), u"NON EMISE"_qs);
    EXPECT_EQ(f.Societe->text(), u"N.C."_qs);
    EXPECT_EQ(f.DateDiffusion->text(), Aujourdhui);

    f.CadreWeb->show();
    f.Action_Click(3);
    const QStringList longMessage = r.messages();
    ASSERT_EQ(longMessage.size(), 1);
    EXPECT_TRUE(longMessage[0].startsWith(u"Kerval n'a pas réussi à identifier correctement l'annonce."_qs));
    f.CadreWeb->hide();

    f.Intitule->setText(u"Comptable"_qs);
    for (QLineEdit* champ : {f.DateDiffusion, f.DateLimite, f.DateEnvoi, f.DateRDV}) {
        const QString avant = champ->text();
        champ->setText(u"31/02/2024"_qs);
        f.Action_Click(3);
        EXPECT_EQ(r.messages(), QStringList{u"La date est incorrecte"_qs}) << champ->objectName().toStdString();
        EXPECT_EQ(f.focusWidget(), champ) << champ->objectName().toStdString();
        champ->setText(avant);
    }
    EXPECT_EQ(r.nombreLignes(), 0);
    EXPECT_TRUE(f.Num->text().isEmpty());
}

TEST(Enregistrement, LesColonnesCourtesSontRaccourcies)
{
    FenetreRegistre r;
    const QString intitule = u"Responsable des achats et de la logistique de la région"_qs; // 56
    const QString description = QString(300, u'd');
    const qint64 num = r.nouvelle({{u"Intitule"_qs, intitule},
                                   {u"Lieu"_qs, QString(60, u'L')},
                                   {u"www"_qs, u"http://"_qs + QString(293, u'w')},
                                   {u"Description"_qs, description},
                                   {u"Societe"_qs, u"  Société Générale d'Équipement   "_qs}});
    EXPECT_EQ(r.colonne(num, u"Intitule"_qs), u"Responsable des achats et de la"_qs);
    EXPECT_EQ(r.colonne(num, u"Lieu"_qs).size(), 50);
    EXPECT_EQ(r.colonne(num, u"www"_qs).size(), 250);
    EXPECT_EQ(r.colonne(num, u"Description"_qs), description);
    EXPECT_EQ(r.colonne(num, u"Societe"_qs), u"Société Générale d'Équipement"_qs);
}

TEST(Enregistrement, LaSauvegardeAutomatiqueSuitLEmpreinteEtPasLaDescription)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    // A new application is not autosaved.
    f.Intitule->setText(u"Magasinier"_qs);
    f.Timer2_Timer();
    EXPECT_EQ(r.nombreLignes(), 0);

    const qint64 num = r.nouvelle({{u"Intitule"_qs, u"Magasinier"_qs}, {u"Ville"_qs, u"Brest"_qs}});
    // A save takes the snapshot of what it wrote, defaults included, whoever asked for it; a
    // change made after it is still saved.
    EXPECT_EQ(f.EmpreinteFiche, f.Empreinte());
    f.Salaire->setText(u"1 800 €"_qs);
    f.Timer2_Timer();
    EXPECT_EQ(r.colonne(num, u"Salaire"_qs), u"1 800 €"_qs);

    f.AfficherCandidature(num);
    f.Description->setPlainText(u"Annonce complète"_qs);
    f.Timer2_Timer();
    EXPECT_EQ(r.colonne(num, u"Description"_qs), u""_qs);

    f.Remarques->setPlainText(u"Relancer lundi\nPuis mardi"_qs);
    f.Timer2_Timer();
    EXPECT_EQ(r.colonne(num, u"Remarques"_qs), u"Relancer lundi\r\nPuis mardi"_qs);
    EXPECT_EQ(r.colonne(num, u"Description"_qs), u"Annonce complète"_qs); // saved along

    // Text moved from the end of one snapshot field to the start of the next: no save.
    f.Ville->setText(u"Bre"_qs);
    f.CP->setText(u"st"_qs + f.CP->text());
    f.Timer2_Timer();
    EXPECT_EQ(r.colonne(num, u"Ville"_qs), u"Brest"_qs);

    // A refused autosave says so once, not at every tick.
    f.AfficherCandidature(num);
    f.DateRDV->setText(u"32/13/2024"_qs);
    f.Timer2_Timer();
    f.Timer2_Timer();
    EXPECT_EQ(r.messages(), QStringList{u"La date est incorrecte"_qs});
}

// Message boxes that, like real ones, let the timers tick while they are open.
class DialoguesOuverts final : public Dialogues {
public:
    std::function<void()> pendant;
    QStringList textes;
    bool message(const QString& texte, bool) override
    {
        textes << texte;
        if (pendant)
            pendant();
        return true;
    }
    void avis(const QString& texte) override { textes << texte; }
    QString ouvrirFichier(const QString&, const QString&, const QString&) override { return {}; }
    QString enregistrerSous(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QColor> choisirCouleur(const QColor&) override { return std::nullopt; }
};

TEST(Enregistrement, LAutosauvegardeAttendQueLeMessageDUnRefusSoitFerme)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    r.nouvelle({{u"Intitule"_qs, u"Vendeur"_qs}});
    auto dialogues = std::make_unique<DialoguesOuverts>();
    DialoguesOuverts* d = dialogues.get();
    d->pendant = [&f] { f.Timer2_Timer(); };
    Plateforme::instance().fixerDialogues(std::move(dialogues));
    // The "Valider" command's refusal: its box stays open while the autosave ticks.
    f.DateRDV->setText(u"30/02/2024"_qs);
    f.Valider();
    EXPECT_EQ(d->textes, QStringList{u"La date est incorrecte"_qs});
}

TEST(Chargement, UneCandidatureSeChargeAvecSesDatesEtSonImageDEnvoi)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    const qint64 envoyee = r.inserer({{u"Intitule"_qs, u"Infirmier"_qs},
                                      {u"Statut"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs},
                                      {u"DateEnvoi"_qs, u"2024-02-01"_qs},
                                      {u"Datediffussion"_qs, QVariant()},
                                      {u"Description"_qs, u"Texte de l'annonce\r\nSalaire : 2\u00A0100\u00A0€"_qs},
                                      {u"courriel"_qs, u"rh@exemple.fr"_qs}});
    f.AfficherCandidature(envoyee);
    EXPECT_EQ(f.Num->text(), QString::number(envoyee));
    EXPECT_EQ(f.DateEnvoi->text(), u"01/02/2024"_qs);
    EXPECT_EQ(f.DateDiffusion->text(), u""_qs);
    EXPECT_EQ(f.Email->text(), u"rh@exemple.fr"_qs);
    EXPECT_EQ(f.DernierTexteAnalyse, u"Texte de l'annonce\r\nSalaire : 2\u00A0100\u00A0€"_qs);
    EXPECT_TRUE(f.PicturePostuler->isHidden());
    EXPECT_EQ(f.EmpreinteSaisie, f.EmpreinteFiche);
    // Loading alone never runs the analyser.
    f.Timer1_Timer();
    EXPECT_EQ(f.champ(u"Description"_qs), f.DernierTexteAnalyse);

    const qint64 nonEmise = r.inserer({{u"Intitule"_qs, u"Aide-soignant"_qs}, {u"Statut"_qs, u"NON EMISE"_qs}});
    f.AfficherCandidature(nonEmise);
    EXPECT_FALSE(f.PicturePostuler->isHidden());
    EXPECT_EQ(f.DateEnvoi->text(), u""_qs);
}

TEST(Chargement, UnNumeroAuDelaDe32767SOuvreDepuisLArbre)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    r.inserer({{u"Num"_qs, 40000}, {u"Intitule"_qs, u"Cariste"_qs}, {u"Statut"_qs, u"NON EMISE"_qs}});
    f.InitListe();
    QTreeWidgetItem* feuille = f.noeud(u"s40000"_qs);
    ASSERT_TRUE(feuille);
    f.Liste_NodeClick(feuille);
    EXPECT_EQ(f.Num->text(), u"40000"_qs);
    EXPECT_EQ(f.Intitule->text(), u"Cariste"_qs);
    // And saves back into the same row.
    f.Salaire->setText(u"2 100 €"_qs);
    f.Timer2_Timer();
    EXPECT_EQ(r.colonne(40000, u"Salaire"_qs), u"2 100 €"_qs);
    EXPECT_EQ(r.nombreLignes(), 1);
}

TEST(Suppression, SupprimerRetireLaCandidatureEtVideLaFiche)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    const qint64 garde = r.nouvelle({{u"Intitule"_qs, u"Gardée"_qs}});
    const qint64 num = r.nouvelle({{u"Intitule"_qs, u"Supprimée"_qs}, {u"Description"_qs, u"texte"_qs}});
    f.DernierTexteAnalyse = u"dernière analyse"_qs;
    f.CadreWeb->AdresseWeb->setText(u"http://exemple.fr"_qs);

    // Cancel changes nothing.
    r.plateforme.dialogues->reponses = {false};
    f.Action_Click(1);
    EXPECT_EQ(r.nombreLignes(), 2);
    EXPECT_EQ(f.Num->text(), QString::number(num));

    f.Action_Click(1);
    EXPECT_EQ(r.messages().last(), u"Confirmez-vous la suppression de cette candidature ?"_qs);
    EXPECT_EQ(r.colonne(num, u"Intitule"_qs), u"<absent>"_qs);
    EXPECT_EQ(r.colonne(garde, u"Intitule"_qs), u"Gardée"_qs);
    EXPECT_FALSE(f.noeud(u"s%1"_qs.arg(num)));
    EXPECT_TRUE(f.noeud(u"s%1"_qs.arg(garde)));
    for (const QString& nom : Candidatures::champs())
        EXPECT_EQ(f.champ(nom), u""_qs) << nom.toStdString();
    EXPECT_EQ(f.CadreWeb->AdresseWeb->text(), u""_qs);
    EXPECT_EQ(f.DernierTexteAnalyse, u"dernière analyse"_qs);

    // With nothing shown the question is asked and nothing else happens.
    f.Action_Click(1);
    EXPECT_EQ(r.messages(), QStringList{u"Confirmez-vous la suppression de cette candidature ?"_qs});
    EXPECT_EQ(r.nombreLignes(), 1);
}

TEST(Suppression, ToutSupprimerVideLeRegistreEtGardeLaFiche)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    r.nouvelle({{u"Intitule"_qs, u"Un"_qs}});
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    // "Nouvelle", a title typed, "Valider", and at once "Tout supprimer".
    QTest::mouseClick(f.Action.value(0), Qt::LeftButton);
    QTest::mouseClick(f.Intitule, Qt::LeftButton);
    QTest::keyClicks(f.Intitule, u"Deux"_qs);
    QTest::mouseClick(f.Action.value(3), Qt::LeftButton);
    ASSERT_EQ(r.nombreLignes(), 2);
    r.plateforme.dialogues->reponses = {false};
    QTest::mouseClick(f.ToutSupprimer, Qt::LeftButton);
    EXPECT_EQ(r.nombreLignes(), 2);

    QTest::mouseClick(f.ToutSupprimer, Qt::LeftButton);
    EXPECT_EQ(r.messages().last(), u"Confirmez-vous la suppression de toutes les candidatures ?"_qs);
    EXPECT_EQ(r.nombreLignes(), 0);
    EXPECT_EQ(f.Liste->topLevelItemCount(), 0);
    EXPECT_EQ(f.Intitule->text(), u"Deux"_qs);
    EXPECT_FALSE(f.Num->text().isEmpty());

    // The autosave's ticks find nothing changed since the save: the register stays empty.
    QSignalSpy tic(f.Timer2, &QTimer::timeout);
    f.Timer2->start(20);
    ASSERT_TRUE(Outils::attendre([&] { return tic.size() >= 2; }));
    f.Timer2->stop();
    EXPECT_EQ(r.nombreLignes(), 0);

    // The application still shown comes back when it is saved, or changed and autosaved.
    QTest::mouseClick(f.Action.value(3), Qt::LeftButton);
    EXPECT_EQ(r.nombreLignes(), 1);
    QTest::mouseClick(f.ToutSupprimer, Qt::LeftButton);
    ASSERT_EQ(r.nombreLignes(), 0);
    QTest::mouseClick(f.Remarques->viewport(), Qt::LeftButton);
    QTest::keyClicks(f.Remarques->viewport(), u"Relancer"_qs);
    tic.clear();
    f.Timer2->start(20);
    ASSERT_TRUE(Outils::attendre([&] { return tic.size() >= 1; }));
    f.Timer2->stop();
    EXPECT_EQ(r.nombreLignes(), 1);
    EXPECT_EQ(r.colonne(f.Num->text().toLongLong(), u"Remarques"_qs), u"Relancer"_qs);
}

TEST(RegistreIllisible, LArbreEstVideEtChaqueSauvegardeDemandeePrevientSansRienPerdre)
{
    for (const bool endommage : {false, true}) {
        FenetreRegistre r(true);
        FormCand& f = *r.f;
        if (endommage) {
            QFile fichier(r.cheminBase());
            ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
            fichier.write("SQLite format 3\0 ceci n'est pas un registre", 44);
            fichier.close();
            f.InitListe();
        }
        EXPECT_EQ(f.Liste->topLevelItemCount(), 0);
        EXPECT_FALSE(f.Liste->isHidden());
        f.Intitule->setText(u"Chef de projet"_qs);
        f.Remarques->setPlainText(u"À ne pas perdre"_qs);
        f.Action_Click(3);
        f.Action_Click(3);
        // Each "Valider" answers.
        const QStringList messages = r.messages();
        ASSERT_EQ(messages.size(), 2) << endommage;
        EXPECT_TRUE(messages[0].contains(u"ne peut pas être enregistré"_qs));
        EXPECT_EQ(messages[1], messages[0]);
        EXPECT_EQ(f.Intitule->text(), u"Chef de projet"_qs);
        EXPECT_EQ(f.champ(u"Remarques"_qs), u"À ne pas perdre"_qs);
        EXPECT_TRUE(f.Num->text().isEmpty());
    }
}

TEST(Apostrophes, UneApostropheDansLeStatutLaSocieteOuLaReferenceFonctionnePartout)
{
    FenetreRegistre r;
    FormCand& f = *r.f;
    const qint64 num = r.nouvelle({{u"Intitule"_qs, u"Chargé d'affaires"_qs},
                                   {u"Societe"_qs, u"L'Atelier d'en face"_qs},
                                   {u"Reference"_qs, u"REF'2024"_qs},
                                   {u"Origine"_qs, u"Site 'emploi'"_qs}});
    f.ListeStatuts->setCurrentRow(9); // "ENTRETIEN D' EMBAUCHE"
    f.ListeStatuts_Click();
    EXPECT_EQ(r.colonne(num, u"Statut"_qs), u"ENTRETIEN D' EMBAUCHE"_qs);
    EXPECT_EQ(r.colonne(num, u"Societe"_qs), u"L'Atelier d'en face"_qs);
    for (int tri = 0; tri < 4; ++tri) {
        f.Tri[tri]->setChecked(true);
        f.Tri_Click(tri);
        ASSERT_EQ(f.Liste->topLevelItemCount(), 1) << tri;
    }
    EXPECT_EQ(r.arbre(), (QStringList{u"Origine : Site 'emploi'"_qs, u"  15/03/2024 Chargé d'affaires, L'Atelier d'en face"_qs}));
    f.ViderFiche();
    f.Liste_NodeClick(f.noeud(u"s%1"_qs.arg(num)));
    EXPECT_EQ(f.Reference->text(), u"REF'2024"_qs);
}

} // namespace

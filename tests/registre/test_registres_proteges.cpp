// The register window on a register that must not change: damaged in the middle of the file,
// one that can only be read, or one written by another tool, whose values the window cannot all
// show. The user types and clicks as usual.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QRadioButton>
#include <QTreeWidget>
#include <limits>

#include "fenetre_registre.h"
#include "register/store/base_candidatures.h"
#include "registres.h"

namespace {

void cliquer(QWidget* w, QPoint point = {})
{
    QTest::mouseClick(w, Qt::LeftButton, {}, point.isNull() ? w->rect().center() : point);
}

// The register window loaded again on what the data folder now holds.
FormCand& rouvrir(FenetreRegistre& r)
{
    RegistreFenetres::instance().decharger(FormCand::NomConception);
    r.f = &Forme<FormCand>();
    r.f->Timer1->stop();
    r.f->Timer2->stop();
    r.f->show();
    return *r.f;
}

const QString EchecAbime = u"Le registre des candidatures ne peut pas être enregistré : le fichier Kerval.mdb est "
                           "endommagé ou illisible. Les informations saisies restent affichées."_qs;
// The file cannot be written (for root too): the candidates stored are whole, and the user hears so.
const QString EchecProtege = u"Le registre des candidatures ne peut pas être enregistré : Kerval n'a pas le droit "
                             "d'écrire dans le fichier Kerval.mdb ou dans son dossier. Les candidatures déjà "
                             "enregistrées restent intactes. Les informations saisies restent affichées."_qs;

// A stored value as the engine holds it: its kind and its bytes.
QString brut(FenetreRegistre& r, qint64 num, const QString& colonne)
{
    auto base = BaseCandidatures::ouvrir(r.cheminBase());
    if (!base)
        return u"<absent>"_qs;
    const auto v = base->base().valeurUnique(
        u"select typeof(%1) || ' ' || coalesce(hex(%1), '') from Candidatures where Num = ?"_qs.arg(colonne), {num});
    return v ? v->toString() : u"<absent>"_qs;
}

QString hex(const QByteArray& octets) { return QString::fromLatin1(octets.toHex().toUpper()); }

// Opens an application of the tree with a click.
void ouvrirCandidature(FormCand& f, qint64 num)
{
    QTreeWidgetItem* feuille = f.noeud(u"s%1"_qs.arg(num));
    ASSERT_TRUE(feuille);
    f.Liste->scrollToItem(feuille);
    cliquer(f.Liste->viewport(), f.Liste->visualItemRect(feuille).center());
    ASSERT_EQ(f.Num->text(), QString::number(num));
}

void taperDans(QLineEdit* champ, const QString& texte)
{
    cliquer(champ);
    QTest::keyClick(champ, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(champ, texte);
}

} // namespace

TEST(RegistresProteges, UnRegistreAbimeNEstJamaisEcrit)
{
    FenetreRegistre r(true);
    const QByteArray abime = Registres::creerAbime(r.cheminBase());
    FormCand& f = rouvrir(r);
    EXPECT_EQ(f.Liste->topLevelItemCount(), 0);
    EXPECT_TRUE(r.messages().isEmpty()); // the start-up has said it already

    cliquer(f.Intitule);
    QTest::keyClicks(f.Intitule, u"Electricien"_qs);
    cliquer(f.Action.value(3)); // "Valider"
    EXPECT_EQ(r.messages(), QStringList{EchecAbime});
    EXPECT_EQ(f.Intitule->text(), u"Electricien"_qs);
    EXPECT_TRUE(f.Num->text().isEmpty());
    EXPECT_EQ(Outils::lireOctets(r.cheminBase()), abime);
    EXPECT_EQ(QDir(r.dossier.donnees()).entryList({u"Kerval*"_qs}, QDir::Files), QStringList(u"Kerval.mdb"_qs));
}

TEST(RegistresProteges, UnRegistreEnLectureSeuleMontreSesCandidaturesEtLeDitUneFois)
{
    FenetreRegistre r;
    r.inserer({{u"Intitule"_qs, u"Soudeur"_qs}, {u"Societe"_qs, u"Acier"_qs}, {u"Statut"_qs, u"NON EMISE"_qs}});
    r.inserer({{u"Intitule"_qs, u"Chaudronnier"_qs}, {u"Societe"_qs, u"Acier"_qs}, {u"Statut"_qs, u"NON EMISE"_qs}});
    const QByteArray avant = Outils::lireOctets(r.cheminBase());
    Registres::FichierProtege protege(r.cheminBase());
    ASSERT_TRUE(protege.actif());
    r.messages();

    FormCand& f = rouvrir(r);
    EXPECT_EQ(r.messages(), QStringList{BaseCandidatures::messageLectureSeule()});
    ASSERT_EQ(f.Liste->topLevelItemCount(), 1);
    QTreeWidgetItem* groupe = f.Liste->topLevelItem(0);
    ASSERT_EQ(groupe->childCount(), 2);

    // An application opens; a change is refused with a message naming the cause, and stays on screen.
    QTreeWidgetItem* feuille = groupe->child(0);
    cliquer(f.Liste->viewport(), f.Liste->visualItemRect(feuille).center());
    ASSERT_FALSE(f.Num->text().isEmpty());
    const QString intitule = f.Intitule->text();
    EXPECT_FALSE(intitule.isEmpty());
    cliquer(f.Remarques->viewport());
    QTest::keyClicks(f.Remarques->viewport(), u"Relancer lundi"_qs);
    ASSERT_EQ(f.Remarques->toPlainText(), u"Relancer lundi"_qs);
    cliquer(f.Action.value(3));
    EXPECT_EQ(r.messages(), QStringList{EchecProtege});
    EXPECT_EQ(f.Remarques->toPlainText(), u"Relancer lundi"_qs);
    EXPECT_EQ(f.Intitule->text(), intitule);
    // The autosave tries again quietly.
    f.Timer2_Timer();
    EXPECT_TRUE(r.messages().isEmpty());
    EXPECT_EQ(Outils::lireOctets(r.cheminBase()), avant);
    EXPECT_EQ(QDir(r.dossier.donnees()).entryList({u"Kerval*"_qs}, QDir::Files), QStringList(u"Kerval.mdb"_qs));
}

TEST(RegistresEtrangers, LesDatesUsuellesSeLisentEtUneSauvegardeNEcraseQueCeQuiAChange)
{
    FenetreRegistre r(true);
    ASSERT_TRUE(BaseCandidatures::creerVideDepuis(r.cheminBase(), Registres::schemaEtranger()));
    const qint64 num = r.inserer({{u"Intitule"_qs, u"Magasinier"_qs},
                                  {u"Societe"_qs, u"Acier"_qs},
                                  {u"Statut"_qs, u"NON EMISE"_qs},
                                  {u"Datediffussion"_qs, u"12/03/2025"_qs},
                                  {u"DateLimite"_qs, u"20250315"_qs},
                                  {u"DateRDV"_qs, u" 2025-03-20"_qs},
                                  {u"DateEnvoi"_qs, u"mars 2025"_qs}});
    const qint64 autre = r.inserer({{u"Intitule"_qs, u"Cariste"_qs}, {u"Societe"_qs, u"Bois"_qs},
                                    {u"Datediffussion"_qs, u"2025-03-01"_qs}});
    const qint64 derniere = r.inserer({{u"Intitule"_qs, u"Soudeur"_qs}, {u"Societe"_qs, u"Acier"_qs},
                                       {u"Datediffussion"_qs, u"20250320 "_qs}});
    // Notes kept as bytes that are no text, a description that is no UTF-8.
    const QByteArray notes("\x00\xff\xfe notes", 9), description("Caf\xe9 cr\xe8me");
    {
        auto base = BaseCandidatures::ouvrir(r.cheminBase());
        ASSERT_TRUE(base && base->base().executer(
                                u"update Candidatures set Remarques = ?, Description = cast(? as text) where Num = ?"_qs,
                                {notes, description, num}));
    }
    FormCand& f = rouvrir(r);

    // The tree sorted by dates reads them all, in the order of the days.
    cliquer(f.Tri[1], QPoint(8, f.Tri[1]->height() / 2));
    QStringList groupes;
    for (int i = 0; i < f.Liste->topLevelItemCount(); ++i)
        groupes << f.Liste->topLevelItem(i)->text(0);
    EXPECT_EQ(groupes, (QStringList{u"Date : 20/03/2025"_qs, u"Date : 12/03/2025"_qs, u"Date : 01/03/2025"_qs}));
    EXPECT_EQ(f.noeud(u"s%1"_qs.arg(autre))->parent()->text(0), u"Date : 01/03/2025"_qs);
    EXPECT_EQ(f.noeud(u"s%1"_qs.arg(derniere))->parent()->text(0), u"Date : 20/03/2025"_qs);

    ouvrirCandidature(f, num);
    EXPECT_EQ(f.DateDiffusion->text(), u"12/03/2025"_qs);
    EXPECT_EQ(f.DateLimite->text(), u"15/03/2025"_qs);
    EXPECT_EQ(f.DateRDV->text(), u"20/03/2025"_qs);
    EXPECT_EQ(f.DateEnvoi->text(), u""_qs); // no date the program reads

    // The user adds the town: only the town is written, what the window could not show stays.
    taperDans(f.Ville, u"Lyon"_qs);
    cliquer(f.Action.value(3)); // "Valider"
    EXPECT_TRUE(r.messages().isEmpty());
    EXPECT_EQ(r.colonne(num, u"Ville"_qs), u"Lyon"_qs);
    EXPECT_EQ(r.colonne(num, u"DateEnvoi"_qs), u"mars 2025"_qs);
    EXPECT_EQ(r.colonne(num, u"Datediffussion"_qs), u"12/03/2025"_qs);
    EXPECT_EQ(r.colonne(num, u"DateLimite"_qs), u"20250315"_qs);
    EXPECT_EQ(brut(r, num, u"Remarques"_qs), u"blob "_qs + hex(notes));
    EXPECT_EQ(brut(r, num, u"Description"_qs), u"text "_qs + hex(description));
    // The autosave that follows a save writes nothing more.
    f.Timer2_Timer();
    EXPECT_EQ(brut(r, num, u"Remarques"_qs), u"blob "_qs + hex(notes));

    // What the user changes is written, in the program's own form.
    taperDans(f.DateEnvoi, u"21/03/2025"_qs);
    taperDans(f.DateDiffusion, u"13/03/2025"_qs);
    cliquer(f.Action.value(3));
    EXPECT_TRUE(r.messages().isEmpty());
    EXPECT_EQ(r.colonne(num, u"DateEnvoi"_qs), u"2025-03-21"_qs);
    EXPECT_EQ(r.colonne(num, u"Datediffussion"_qs), u"2025-03-13"_qs);
    EXPECT_EQ(r.colonne(num, u"DateLimite"_qs), u"20250315"_qs);
    EXPECT_EQ(brut(r, num, u"Remarques"_qs), u"blob "_qs + hex(notes));
}

TEST(RegistresEtrangers, UnDefautNeRemplacePasUneValeurQueLaFenetreNeMontrePas)
{
    FenetreRegistre r(true);
    ASSERT_TRUE(BaseCandidatures::creerVideDepuis(r.cheminBase(), Registres::schemaEtranger()));
    // A publication date the program cannot read, and no status at all.
    const qint64 num = r.inserer({{u"Intitule"_qs, u"Vendeur"_qs}, {u"Societe"_qs, u"Mode"_qs},
                                  {u"Datediffussion"_qs, u"semaine 11"_qs}, {u"Statut"_qs, QVariant()}});
    FormCand& f = rouvrir(r);
    ouvrirCandidature(f, num);
    EXPECT_EQ(f.DateDiffusion->text(), u""_qs);
    cliquer(f.Remarques->viewport());
    QTest::keyClicks(f.Remarques->viewport(), u"Relancer"_qs);
    cliquer(f.Action.value(3));
    EXPECT_TRUE(r.messages().isEmpty());
    // The defaults fill the fields; the status that was none is stored, the date is kept.
    EXPECT_EQ(f.DateDiffusion->text(), u"15/03/2024"_qs);
    EXPECT_EQ(r.colonne(num, u"Statut"_qs), u"NON EMISE"_qs);
    EXPECT_EQ(r.colonne(num, u"Datediffussion"_qs), u"semaine 11"_qs);
    EXPECT_EQ(r.colonne(num, u"Remarques"_qs), u"Relancer"_qs);
}

TEST(RegistresEtrangers, QuandLesNumerosSontEpuisesLeMessageLeDit)
{
    FenetreRegistre r;
    // A row numbered by another tool with the largest number there is.
    r.inserer({{u"Num"_qs, std::numeric_limits<qint64>::max()}, {u"Intitule"_qs, u"Dernier"_qs},
               {u"Statut"_qs, u"NON EMISE"_qs}});
    FormCand& f = rouvrir(r);
    r.messages();
    cliquer(f.Action.value(0)); // "Nouvelle"
    taperDans(f.Intitule, u"Electricien"_qs);
    cliquer(f.Action.value(3));
    EXPECT_EQ(r.messages(),
              QStringList{BaseCandidatures::messageEchecEnregistrement(Stockage::Cause::NumerosEpuises, false)});
    EXPECT_EQ(f.Intitule->text(), u"Electricien"_qs);
    EXPECT_TRUE(f.Num->text().isEmpty());
    EXPECT_EQ(r.nombreLignes(), 1);
}

TEST(RegistresProteges, UnDossierTropProfondPourLeRegistreLeDitALaSauvegarde)
{
    FenetreRegistre r(true);
    // The data folder so deep that the engine opens no file in it.
    const QString profond = Outils::dossierProfond(r.dossier.appData(), 500, u"Kerval"_qs);
    QDir::setCurrent(profond);
    FormCand& f = rouvrir(r);
    r.messages();
    taperDans(f.Intitule, u"Electricien"_qs);
    cliquer(f.Action.value(3)); // "Valider"
    EXPECT_EQ(r.messages(),
              QStringList{u"Le registre des candidatures ne peut pas être enregistré : le chemin de son dossier est trop "
                          "long pour le moteur de base de données. Les informations saisies restent affichées."_qs});
    EXPECT_EQ(f.Intitule->text(), u"Electricien"_qs);
    EXPECT_TRUE(QDir(profond).entryList({u"Kerval*"_qs}, QDir::Files | QDir::Hidden).isEmpty());
}

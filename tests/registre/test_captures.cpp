// Pictures of the register window for a look by eye, not run by default:
//   KERVAL_CAPTURES=<folder> test_registre --gtest_also_run_disabled_tests --gtest_filter='*Captures*'
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QTreeWidget>

#include "fenetre_registre.h"
#include "platform/attente.h"
#include "platform/fakes/faux_navigateur.h"
#include "platform/navigateur.h"
#include "register/web/cadre_web.h"

namespace {

QString dossierCaptures() { return qEnvironmentVariable("KERVAL_CAPTURES"); }

void capturer(QWidget* w, const QString& nom)
{
    QDir().mkpath(dossierCaptures());
    w->grab().save(QDir(dossierCaptures()).filePath(nom + u".png"_qs));
}

void remplirRegistre(FenetreRegistre& r)
{
    const QStringList societes = {u"Brico Ouest"_qs, u"3M France"_qs, u"L'Atelier Breton"_qs, u"Transports Le Gall"_qs,
                                  u"Clinique Saint-Yves"_qs, u"Mairie de Quimper"_qs, u"Agri Conseil"_qs};
    const QStringList postes = {u"Magasinier cariste"_qs, u"Technicien de maintenance"_qs, u"Comptable fournisseurs"_qs,
                                u"Chauffeur livreur"_qs, u"Aide-soignant de nuit"_qs, u"Assistant administratif"_qs};
    const QStringList origines = {u"Site régional"_qs, u"Presse locale"_qs, u"Candidature spontanée"_qs, u"Salon"_qs};
    const QStringList statuts = Candidatures::statuts();
    for (int i = 0; i < 36; ++i) {
        const int s = (i * 7) % 11;
        r.inserer({{u"Intitule"_qs, postes[i % postes.size()]},
                   {u"Societe"_qs, societes[(i * 3) % societes.size()]},
                   {u"Statut"_qs, statuts[s < 6 ? s : s % 3]},
                   {u"Origine"_qs, origines[i % origines.size()]},
                   {u"Datediffussion"_qs, QDate(2024, 3, 15).addDays(-(i * 5) % 40).toString(Qt::ISODate)},
                   {u"Lieu"_qs, u"Quimper (29)"_qs},
                   {u"Description"_qs, u"Annonce numéro %1.\r\nPoste à pourvoir rapidement."_qs.arg(i + 1)}});
    }
}

TEST(DISABLED_Captures, RegistreDansChaqueTri)
{
    if (dossierCaptures().isEmpty())
        GTEST_SKIP();
    FenetreRegistre r;
    remplirRegistre(r);
    FormCand& f = *r.f;
    f.show();
    f.resize(1010, 650);
    const QStringList noms = {u"societes"_qs, u"dates"_qs, u"statuts"_qs, u"origine"_qs};
    for (int tri = 0; tri < 4; ++tri) {
        f.Tri[tri]->setChecked(true);
        f.Tri_Click(tri);
        QTreeWidgetItem* premier = f.Liste->topLevelItem(0);
        f.Liste_NodeClick(premier->child(0));
        f.Liste->setCurrentItem(premier->child(0));
        capturer(&f, u"registre-"_qs + noms[tri]);
    }
}

TEST(DISABLED_Captures, PanneauWebSurUnePageLocale)
{
    if (dossierCaptures().isEmpty())
        GTEST_SKIP();
    FenetreRegistre r(false, true);
    remplirRegistre(r);
    const QString chemin = r.dossier.chemin(u"offre.html"_qs);
    Outils::ecrireOctets(chemin, QStringLiteral(
        "<html><body style='font-family:Arial'><h2>Technicien de maintenance H/F</h2>"
        "<p><b>Société :</b> Brico Ouest &mdash; <b>Lieu :</b> Quimper (29)</p>"
        "<p><b>Contrat :</b> CDI &mdash; <b>Salaire :</b> 2 100 &euro; brut mensuel</p>"
        "<p>Vous assurez l'entretien préventif et curatif des équipements du site.</p>"
        "<p>Référence : TM-2024-12</p></body></html>").toUtf8());
    FormCand& f = *r.f;
    f.InitListe();
    f.show();
    f.resize(1010, 650);
    f.Action_Click(4);
    f.CadreWeb->AdresseWeb->setText(chemin);
    f.CadreWeb->Go_Click();
    QElapsedTimer chrono;
    chrono.start();
    while (f.CadreWeb->WebBrowser1->ReadyState() != 4 && chrono.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const qint64 fin = chrono.elapsed() + 1500;
    while (chrono.elapsed() < fin)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    r.plateforme.titres->liste = {u"https://emploi.exemple.fr/offre/42 Offre - Navigateur"_qs};
    f.Timer1_Timer();
    capturer(&f, u"panneau-web"_qs);
    f.CadreWeb->Image6_Click();
    capturer(&f, u"panneau-web-sites"_qs);
}

} // namespace

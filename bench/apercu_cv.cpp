// From a keystroke in the CV editor's career box, and the box being left, to the preview's
// document-complete signal: rendering, page file, the browser's load. A full CV, the real browser.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>

#include "cveditor/formrediger_cv.h"
#include "platform/attente.h"
#include "platform/plateforme.h"

namespace {

QTemporaryDir* donnees = nullptr;

void preparerDonnees()
{
    donnees = new QTemporaryDir();
    qputenv("AppData", donnees->path().toUtf8());
    QDir racine(donnees->path());
    racine.mkpath(u"Kerval/Modeles"_qs);
    racine.mkpath(u"Kerval/CV"_qs);
    QDir::setCurrent(racine.filePath(u"Kerval"_qs));
    const QDir livres(QStringLiteral(KERVAL_DONNEES_SOURCE) + u"/Modeles"_qs);
    for (const QString& f : livres.entryList(QDir::Files))
        QFile::copy(livres.filePath(f), QDir::current().filePath(u"Modeles/"_qs + f));
}

void remplir(FormRedigerCV& f)
{
    f.Nom->setText(u"LEBRUN"_qs);
    f.Prenom->setText(u"Hélène"_qs);
    f.Adresse1->setText(u"12 rue de la Paix"_qs);
    f.CP->setText(u"69003"_qs);
    f.Ville->setText(u"Lyon"_qs);
    f.Tel->setText(u"04 78 00 00 00"_qs);
    f.Email->setText(u"helene.lebrun@exemple.fr"_qs);
    f.Fonction->setText(u"Responsable de magasin"_qs);
    f.Objectifs->setPlainText(u"Encadrer une équipe de vente dans la distribution spécialisée"_qs);
    f.Etudes->setPlainText(u"2001 : BTS Management des unités commerciales\n- Lycée La Martinière, Lyon\n"
                           "1999 : Baccalauréat STT"_qs);
    f.Formations->setPlainText(u"2012 : Formation au management d'équipe (5 jours)"_qs);
    QString parcours;
    for (int annee = 2020; annee >= 2002; annee -= 2)
        parcours += QStringLiteral("%1 - %2 : Chef de rayon, Magasin de Lyon %3\n- Gestion des stocks et des "
                                   "commandes\n- Encadrement de 6 vendeurs\n\n")
                        .arg(annee).arg(annee + 2).arg(annee % 7);
    f.Experiences->setPlainText(parcours.trimmed());
    f.Competences->setPlainText(u"Vente : accueil, conseil, encaissement\nGestion : stocks, inventaires"_qs);
    f.Divers->setPlainText(u"Voile, course à pied, bénévole aux Restos du cœur"_qs);
    f.LangueCourant[0]->setChecked(true);
    f.LangueScolaire[2]->setChecked(true);
}

bool attendreChargement(Navigateur* n, int ms)
{
    QEventLoop boucle;
    bool complet = false;
    auto lien = QObject::connect(n, &Navigateur::DocumentComplete, &boucle, [&](const QString&, bool principal) {
        if (principal) {
            complet = true;
            boucle.quit();
        }
    });
    QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
    boucle.exec();
    QObject::disconnect(lien);
    return complet;
}

// One letter typed into the career box, then the box left: its leaving handler renders.
void taperPuisQuitter(FormRedigerCV& f, int n)
{
    f.Experiences->setFocus();
    QKeyEvent appui(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(QChar(u'a' + n % 26)));
    QCoreApplication::sendEvent(f.Experiences, &appui);
    QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(f.Experiences, &sortie);
}

void ToucheJusquAuChargement(benchmark::State& etat)
{
    FormRedigerCV& f = Forme<FormRedigerCV>();
    remplir(f);
    f.VisualisationCV();
    attendreChargement(f.WebBrowser1, 20000);
    int n = 0;
    for (auto _ : etat) {
        taperPuisQuitter(f, n++);
        if (!attendreChargement(f.WebBrowser1, 20000))
            etat.SkipWithError("the preview did not finish loading");
    }
}

// The window's own share: the handlers up to the navigation request (rendering, page file,
// CV file), the browser's load left out.
void ToucheSansChargement(benchmark::State& etat)
{
    FormRedigerCV& f = Forme<FormRedigerCV>();
    remplir(f);
    int n = 0;
    for (auto _ : etat) {
        taperPuisQuitter(f, n++);
    }
    attendreChargement(f.WebBrowser1, 20000);
}

} // namespace

BENCHMARK(ToucheSansChargement)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ToucheJusquAuChargement)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

int main(int argc, char** argv)
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    Attente::fixerAcceleration(0);
    preparerDonnees();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    RegistreFenetres::instance().toutDecharger();
    return 0;
}

#include "commun.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "letters/fichier_lettre.h"
#include "platform/plateforme.h"
#include "register/store/base_donnees.h"
#include "register/window/formcand.h"
#include "register/window/logique_fiche.h"
#include "shell/mainwindow/liens_modules.h"
#include "shell/mainwindow/principale.h"
#include "shell/startup/depart.h"

void creerRegistre(const QString& chemin, const QList<LigneRegistre>& lignes)
{
    ASSERT_TRUE(BaseCandidatures::creerVide(chemin)) << chemin.toStdString();
    auto base = Stockage::BaseDonnees::ouvrir(chemin);
    ASSERT_TRUE(base);
    auto date = [](const QString& iso) { return iso.isEmpty() ? QVariant() : QVariant(iso); };
    for (const LigneRegistre& l : lignes)
        ASSERT_TRUE(base->executer(
            QStringLiteral("insert into Candidatures (Societe, Statut, DateEnvoi, DateRDV) values (?, ?, ?, ?)"),
            {l.societe, l.statut, date(l.dateEnvoi), date(l.dateRdv)}));
    base->fermer();
}

QString statutDe(const QString& chemin, const QString& societe)
{
    auto base = Stockage::BaseDonnees::ouvrir(chemin);
    if (!base)
        return QStringLiteral("<registre illisible>");
    const auto v = base->valeurUnique(QStringLiteral("select Statut from Candidatures where Societe = ?"), {societe});
    base->fermer();
    return v ? v->toString() : QStringLiteral("<absente>");
}

void ecrireFichier(const QString& chemin, const QByteArray& octets) { Outils::ecrireOctets(chemin, octets); }

QProcessEnvironment environnementKerval(const QString& appData, int largeur, int hauteur)
{
    const QString config = appData + u"/ecran.json"_qs;
    ecrireFichier(config, QStringLiteral(R"({"screens": [{"name": "ecran", "x": 0, "y": 0, "width": %1, "height": %2,
                                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                              .arg(largeur)
                              .arg(hauteur)
                              .toUtf8());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"AppData"_qs, appData);
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen:configfile="_qs + config);
    env.insert(u"QTWEBENGINE_DISABLE_SANDBOX"_qs, u"1"_qs);
    return env;
}

QStringList etatDossier(const QString& dossier)
{
    QStringList etat;
    QDirIterator it(dossier, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo i = it.fileInfo();
        etat << QStringLiteral("%1 %2 %3 %4")
                    .arg(QDir(dossier).relativeFilePath(i.filePath()))
                    .arg(i.size())
                    .arg(i.lastModified().toMSecsSinceEpoch())
                    .arg(qHash(i.isFile() ? Outils::lireOctets(i.filePath()) : QByteArray()));
    }
    etat.sort();
    return etat;
}

FormCand& ouvrirCandidature()
{
    FormCand& registre = Forme<FormCand>();
    EXPECT_TRUE(Outils::attendre([&] { return registre.Liste->topLevelItemCount() == 1; }));
    if (QTreeWidgetItem* feuille = registre.Liste->topLevelItem(0) ? registre.Liste->topLevelItem(0)->child(0) : nullptr)
        QTest::mouseClick(registre.Liste->viewport(), Qt::LeftButton, {}, registre.Liste->visualItemRect(feuille).center());
    else
        ADD_FAILURE() << "no application in the tree";
    return registre;
}

void taperApresLeTic(QTimer* autosauvegarde, QPlainTextEdit* zone, const QString& texte)
{
    QSignalSpy tic(autosauvegarde, &QTimer::timeout);
    ASSERT_TRUE(tic.wait(60000));
    QTest::mouseClick(zone->viewport(), Qt::LeftButton, {}, zone->viewport()->rect().center());
    QTest::keyClick(zone->viewport(), Qt::Key_End, Qt::ControlModifier);
    Outils::taper(zone->viewport(), texte);
}

void creerCandidatureEtModele(const DossierTemporaire& dossier, const QString& remarques, const QString& lettre)
{
    ASSERT_TRUE(BaseCandidatures::creerVide(dossier.chemin(u"Kerval.mdb"_qs)));
    {
        auto base = BaseCandidatures::ouvrir(dossier.chemin(u"Kerval.mdb"_qs));
        ASSERT_TRUE(base);
        ChampsCandidature c = FicheCandidature::FicheVide();
        c[u"Intitule"_qs] = u"Soudeur"_qs;
        c[u"Societe"_qs] = u"Acier"_qs;
        c[u"Statut"_qs] = u"NON EMISE"_qs;
        c[u"Remarques"_qs] = remarques;
        ASSERT_TRUE(FicheCandidature::Enregistrer(base->base(), c));
    }
    FichierLettre::ValeursLettre l;
    l.fixer(u"Nom"_qs, u"LEBRUN"_qs);
    l.fixer(u"NomLettre"_qs, u"Relance"_qs);
    l.fixer(u"Text1"_qs, lettre);
    ASSERT_TRUE(FichierLettre::enregistrer(dossier.donnees(), u"Relance"_qs, l));
}

QString remarquesEnregistrees(const DossierTemporaire& dossier)
{
    auto base = BaseCandidatures::ouvrir(dossier.chemin(u"Kerval.mdb"_qs));
    const auto c = base ? FicheCandidature::Charger(base->base(), 1) : std::nullopt;
    return c ? c->value(u"Remarques"_qs) : u"<absente>"_qs;
}

QString lettreEnregistree(const DossierTemporaire& dossier)
{
    const auto modele = FichierLettre::charger(FichierLettre::cheminFichier(dossier.donnees(), u"Relance"_qs));
    return modele ? modele->texte(u"Text1"_qs) : u"<absent>"_qs;
}

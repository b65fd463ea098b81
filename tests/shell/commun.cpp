#include "commun.h"

#include <QDirIterator>
#include <QFileInfo>

#include "register/store/base_donnees.h"

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

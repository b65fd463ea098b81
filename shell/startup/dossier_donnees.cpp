#include "shell/startup/dossier_donnees.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "register/store/base_candidatures.h"
#include "shell/services/fichiers_texte.h"

namespace DossierDonnees {

namespace {

bool existe(const QString& chemin)
{
    // A dangling link or a special file counts as the user's too: never replaced.
    return QFileInfo(chemin).exists() || QFileInfo(chemin).isSymLink();
}

// Lays down in the target folder every file and folder of the source that it lacks.
void completerDossier(const QString& source, const QString& cible, const QString& nom, Bilan& bilan)
{
    if (!QFileInfo(cible).isDir()) {
        if (existe(cible)) // a file of the user's under that name
            return;
        if (!QDir().mkpath(cible)) {
            bilan.echecs << nom;
            return;
        }
        bilan.poses << nom;
    }
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    const QDir racine(source);
    while (it.hasNext()) {
        const QString chemin = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.fileName() == QLatin1String(".gitkeep"))
            continue;
        const QString relatif = racine.relativeFilePath(chemin);
        const QString destination = QDir(cible).filePath(relatif);
        if (existe(destination))
            continue;
        const bool ok = info.isDir() ? QDir().mkpath(destination) : FichiersTexte::copier(chemin, destination);
        (ok ? bilan.poses : bilan.echecs) << nom + u'/' + relatif;
    }
}

} // namespace

Bilan preparer(const QString& dossier, const QString& livrees)
{
    Bilan bilan;
    if (dossier.isEmpty() || (!QFileInfo(dossier).isDir() && !QDir().mkpath(dossier))) {
        bilan.echecs << QStringLiteral(".");
        return bilan;
    }
    const QDir d(dossier), source(livrees);

    // The register is built under a temporary name and then moved into place: what a start
    // killed meanwhile left behind is only that temporary file and its journal.
    static const QRegularExpression temporaire(QStringLiteral("^Kerval-[A-Za-z0-9]{6}\\.tmp(-journal|-wal|-shm)?$"));
    for (const QString& nom : d.entryList({QStringLiteral("Kerval-*.tmp*")}, QDir::Files | QDir::Hidden))
        if (temporaire.match(nom).hasMatch() && QFile::remove(d.filePath(nom)))
            bilan.retires << nom;
    // So do the hidden temporary files of the saves of CVs, templates and pages.
    for (const QString& sousDossier : {QString(), QStringLiteral("CV"), QStringLiteral("Lettres"), QStringLiteral("Modeles")})
        for (const QString& nom : FichiersTexte::retirerTemporaires(d.filePath(sousDossier)))
            bilan.retires << (sousDossier.isEmpty() ? nom : sousDossier + u'/' + nom);

    const QString registre = d.filePath(QStringLiteral("Kerval.mdb"));
    if (!existe(registre)) {
        Stockage::Cause cause = Stockage::Cause::Inconnue;
        if (BaseCandidatures::creerVide(registre, &cause)) {
            bilan.poses << QStringLiteral("Kerval.mdb");
        } else {
            bilan.echecs << QStringLiteral("Kerval.mdb");
            bilan.registreImpossible = cause;
        }
    } else if (Stockage::BaseDonnees::longueurChemin(registre) > Stockage::BaseDonnees::longueurCheminMax()) {
        // A register brought into a folder too deep for the engine.
        bilan.registreImpossible = Stockage::Cause::CheminTropLong;
    }

    for (const QString& nom : {QStringLiteral("Modeles"), QStringLiteral("Visualisation")})
        completerDossier(source.filePath(nom), d.filePath(nom), nom, bilan);

    for (const QString& nom :
         {QStringLiteral("propositions.txt"), QStringLiteral("DocWord.doc"), QStringLiteral("Fondr.jpg")}) {
        const QString cible = d.filePath(nom);
        if (existe(cible))
            continue;
        (FichiersTexte::copier(source.filePath(nom), cible) ? bilan.poses : bilan.echecs) << nom;
    }
    return bilan;
}

namespace {

// A path as a message shows it: a line may break after each of its separators, and inside a
// name longer than a line, so that a long path wraps within the message box instead of running
// past its edge. The breaks take no room.
QString cheminCoupable(const QString& chemin)
{
    constexpr QChar coupure(0x200B); // zero-width space
    constexpr qsizetype ParLigne = 40;
    const QString natif = QDir::toNativeSeparators(chemin);
    QString r;
    qsizetype depuisCoupure = 0;
    for (const QChar c : natif) {
        r += c;
        ++depuisCoupure;
        if (c == QDir::separator() || depuisCoupure >= ParLigne) {
            r += coupure;
            depuisCoupure = 0;
        }
    }
    return r;
}

} // namespace

QString messageDossierImpossible(const QString& dossier)
{
    const QFileInfo info(dossier);
    const QString chemin = cheminCoupable(info.absoluteFilePath());
    if (info.exists() && !info.isDir())
        return QStringLiteral("Kerval ne peut pas créer son dossier de données, car un fichier porte déjà son nom :\n%1\n\n"
                              "Renommez ou déplacez ce fichier, puis relancez Kerval. Kerval va s'arrêter.")
            .arg(chemin);
    return QStringLiteral("Kerval ne peut pas créer ni ouvrir son dossier de données :\n%1\n\nVérifiez que vous avez "
                          "le droit d'écrire dans le dossier %2, puis relancez Kerval. Kerval va s'arrêter.")
        .arg(chemin, cheminCoupable(info.absolutePath()));
}

QString messageRegistreImpossible(const QString& dossier, Stockage::Cause cause)
{
    const QString chemin = cheminCoupable(QFileInfo(dossier).absoluteFilePath());
    const bool present = existe(QDir(dossier).filePath(QStringLiteral("Kerval.mdb")));
    QString m = present ? QStringLiteral("Kerval ne peut pas ouvrir le registre de vos candidatures (Kerval.mdb) dans "
                                         "son dossier de données :\n%1\n\n")
                        : QStringLiteral("Kerval ne peut pas créer le registre de vos candidatures (Kerval.mdb) dans "
                                         "son dossier de données :\n%1\n\n");
    m = m.arg(chemin);
    if (cause == Stockage::Cause::CheminTropLong) {
        // The engine counts bytes: an accented letter takes two.
        const qsizetype limite = present
            ? Stockage::BaseDonnees::longueurCheminMax() - QStringLiteral("/Kerval.mdb").size()
            : BaseCandidatures::longueurDossierMax();
        m += QStringLiteral("Le chemin de ce dossier est trop long pour le registre : il compte %1 caractères, et le "
                            "registre n'en permet pas plus de %2 (une lettre accentuée compte pour deux).\n\n")
                 .arg(Stockage::BaseDonnees::longueurChemin(dossier))
                 .arg(limite);
    } else {
        m += QStringLiteral("Cause : %1.\n\n").arg(BaseCandidatures::raison(cause));
    }
    m += QStringLiteral("Vos CV et vos lettres restent utilisables, mais aucune candidature ne pourra être "
                        "enregistrée. ");
    m += cause == Stockage::Cause::CheminTropLong
        ? QStringLiteral("Placez le dossier de données dans un dossier au chemin plus court (celui que désigne la "
                         "variable d'environnement AppData), puis relancez Kerval.")
        : QStringLiteral("Réglez ce problème, puis relancez Kerval.");
    return m;
}

} // namespace DossierDonnees

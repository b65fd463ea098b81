// The CV and letter-template file commands of the desktop menus. They act on the file of the
// icon under the menu (IndexIcone), in the CV or Lettres folder of the data folder.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "cveditor/formrediger_cv.h"
#include "platform/plateforme.h"
#include "shell/mainwindow/commandes_fichiers.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/systeme.h"

namespace {

const QString TitreRenommage = QStringLiteral("Saisie d'un nouveau nom");

QString dossier(const char* nom) { return QDir::current().filePath(QString::fromLatin1(nom)); }

// The file name of the icon under the menu, empty for none.
QString nomIcone(const Principale& p, int premier, int dernier)
{
    if (p.IndexIcone < premier || p.IndexIcone > dernier)
        return {};
    return p.ImageMenu[p.IndexIcone]->toolTip();
}

// The copy "Copie de <name>" beside the file, replacing an earlier copy.
void dupliquer(const QString& dossierFichier, const QString& nom)
{
    if (nom.isEmpty())
        return;
    const QDir d(dossierFichier);
    if (!FichiersTexte::copier(d.filePath(nom), d.filePath(QStringLiteral("Copie de ") + nom)))
        MsgBox(QStringLiteral("Le fichier %1 n'a pas pu être dupliqué.").arg(nom));
}

// The file of the icon under the menu is gone: the status line stops naming it, and the next move
// over any icon, the same slot included, says what that icon now holds.
void oublierIcone(Principale& p)
{
    p.Information->clear();
    p.IndexIcone = -1;
}

void ouvrirDocument(const QString& chemin)
{
    if (!Systeme::OuvrirDocument(chemin))
        MsgBox(QStringLiteral("Le document %1 n'a pas pu être ouvert.").arg(QFileInfo(chemin).fileName()));
}
} // namespace

void Principale::MenuNouveauCV_Click()
{
    if (cederEditeurCV(QStringLiteral("Rédiger un nouveau CV")))
        rechargerEditeurCV();
}

void Principale::MenuRattacherCV_Click()
{
    if (ImageMenu[0]->genre() == Dessins::Icone::Nouveau)
        MsgBox(QStringLiteral(
            "INFORMATION : Pour profiter pleinement de toutes les fonctionnalités de Kerval, génération "
            "automatique des courriers et préremplissage automatique des formulaires, il est préférable de "
            "rédiger un nouveau CV à l'aide de l'assistant, éventuellement en effectuant des Copier/Coller du CV "
            "que vous possédez déjà."));
    Systeme::RattacherCV();
}

void Principale::MenuOuvrirCV_Click()
{
    const QString nom = nomIcone(*this, 0, 4);
    if (nom.isEmpty())
        return;
    const QString chemin = QDir(dossier("CV")).filePath(nom);
    if (nom.contains(QLatin1String(".dat")))
        LiensFenetres::appeler(LiensFenetres::chargerFichierCV, chemin);
    else
        ouvrirDocument(chemin);
}

void Principale::MenuSupprimerCV_Click()
{
    const QString nom = nomIcone(*this, 0, 4);
    Systeme::SupprimerCV(qint16(IndexIcone));
    if (!nom.isEmpty() && !QFileInfo::exists(QDir(dossier("CV")).filePath(nom)))
        oublierIcone(*this);
}

void Principale::Renommer_Click()
{
    const QString ancien = nomIcone(*this, 0, 4);
    if (ancien.isEmpty())
        return;
    const QString choisi =
        Plateforme::instance().dialogues().enregistrerSous(TitreRenommage, dossier("CV"), QStringLiteral("*.*"), {});
    if (choisi.isEmpty())
        return;
    // The editor, which comes back empty, first saves the CV it shows, whichever file is renamed.
    if (!cederEditeurCV(QStringLiteral("Renommer le fichier ") + ancien))
        return;
    const QDir cv(dossier("CV"));
    QList<CommandesFichiers::Renommage> renommages{
        {cv.filePath(ancien), CommandesFichiers::nouveauNomCV(choisi, ancien)}};
    if (ancien.right(4).toUpper() != QLatin1String("DOCX")) {
        // The photograph follows its CV; it always stays in the Modeles folder.
        const QDir modeles(dossier("Modeles"));
        const QString photo = modeles.filePath(ancien.left(ancien.size() - 4) + QStringLiteral(".jpg"));
        if (QFileInfo(photo).isFile())
            renommages.append(
                {photo, modeles.filePath(QFileInfo(CommandesFichiers::baseChoisieCV(choisi, ancien)).fileName() +
                                         QStringLiteral(".jpg"))});
    }
    const QString echec = CommandesFichiers::renommerTout(renommages);
    if (!echec.isEmpty()) {
        MsgBox(echec);
        return;
    }
    rechargerEditeurCV();
    InitMenu();
    Information->clear();
}

void Principale::MenuDupliquerCV_Click()
{
    dupliquer(dossier("CV"), nomIcone(*this, 0, 4));
    InitMenu();
}

void Principale::MenuOuvrirWord_Click()
{
    QString nom = nomIcone(*this, 0, 4);
    if (nom.isEmpty())
        return;
    nom.replace(QLatin1String(".dat"), QLatin1String(".doc"));
    ouvrirDocument(Systeme::DossierDocuments() + nom);
}

void Principale::MenuOuvrirLettre_Click()
{
    const QString nom = nomIcone(*this, 5, 9);
    if (!nom.isEmpty())
        LiensFenetres::appeler(LiensFenetres::chargerFichierLettre, QDir(dossier("Lettres")).filePath(nom));
}

void Principale::MenuDuppliquerLettre_Click()
{
    dupliquer(dossier("Lettres"), nomIcone(*this, 5, 9));
    InitMenu();
}

void Principale::RenommerLettre_Click()
{
    const QString ancien = nomIcone(*this, 5, 9);
    if (ancien.isEmpty())
        return;
    const QString choisi = Plateforme::instance().dialogues().enregistrerSous(TitreRenommage, dossier("Lettres"),
                                                                              QStringLiteral("*.*"), {});
    if (choisi.isEmpty())
        return;
    // The open editor's last second of typing goes into the file before it gets its new name.
    if (LiensFenetres::cederEditeurLettre && !LiensFenetres::cederEditeurLettre(QStringLiteral("Renommer le fichier ") + ancien))
        return;
    const QString nouveau = CommandesFichiers::nouveauNomLettre(choisi, ancien);
    const QString echec =
        CommandesFichiers::renommerTout({{QDir(dossier("Lettres")).filePath(ancien), nouveau}});
    if (!echec.isEmpty()) {
        MsgBox(echec);
        return;
    }
    // An open letter editor must not keep the old name (its autosave would bring the old file
    // back): it comes back on the renamed template. A closed one stays closed.
    RegistreFenetres& registre = RegistreFenetres::instance();
    if (registre.trouverFenetre(QStringLiteral("FormLettre"))) {
        registre.decharger(QStringLiteral("FormLettre"));
        LiensFenetres::appeler(LiensFenetres::chargerFichierLettre, nouveau);
    }
    InitMenu();
    Information->clear();
}

void Principale::MenuSupprimerLettre_Click()
{
    const QString nom = nomIcone(*this, 5, 9);
    if (nom.isEmpty())
        return;
    if (!MsgBox(QStringLiteral("Confirmez-vous la suppression du modèle de lettre ") + nom + QStringLiteral(" ?"),
                true))
        return;
    if (!QFile::remove(QDir(dossier("Lettres")).filePath(nom))) {
        MsgBox(QStringLiteral("Le modèle de lettre %1 n'a pas pu être supprimé.").arg(nom));
        InitMenu();
        return;
    }
    oublierIcone(*this);
    // The desktop first: the home screen, loaded afresh, counts what it lists.
    InitMenu();
    if (!Systeme::FormeVisible(QStringLiteral("FormLettre"))) {
        RegistreFenetres::instance().decharger(QStringLiteral("AssistantTexte"));
        LiensFenetres::appeler(LiensFenetres::chargerAccueil);
    }
}

// The CV file procedures shared by the desktop menu and the highlight bar.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "cveditor/formrediger_cv.h"
#include "platform/environnement.h"
#include "platform/plateforme.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/systeme.h"

namespace Systeme {

namespace {
void rafraichirBureau()
{
    if (Principale* p = RegistreFenetres::instance().siChargee<Principale>())
        p->InitMenu();
}
} // namespace

void RattacherCV()
{
    const QString choisi = Plateforme::instance().dialogues().ouvrirFichier(
        QStringLiteral("Sélection d'un CV"), Environnement::dossierPersonnel(),
        QStringLiteral("Fichiers CV (*.Doc,*.docx,*.rtf,*.pdf,*.sxw) (*.doc *.rtf *.docx *.pdf *.sxw *.odt);;"
                       "Tous (*.*) (*.*)"));
    if (!choisi.isEmpty()) {
        const QString nom = QFileInfo(choisi).fileName();
        QDir().mkpath(QDir::current().filePath(QStringLiteral("CV")));
        const QString cible = QDir::current().filePath(QStringLiteral("CV/") + nom);
        if (!FichiersTexte::copier(choisi, cible))
            MsgBox(QStringLiteral("Le CV %1 n'a pas pu être copié dans le dossier des CV.").arg(nom));
    }
    rafraichirBureau();
}

void SupprimerCV(qint16 index)
{
    Principale* p = RegistreFenetres::instance().siChargee<Principale>();
    ListeFichiers locale;
    ListeFichiers& liste = p ? p->File1 : locale;
    liste.Path = QDir::current().filePath(QStringLiteral("CV"));
    liste.Refresh();
    const QString nom = liste.List(index);
    if (nom.isEmpty())
        return;
    const QString chemin = QDir(liste.Path).filePath(nom);
    if (!MsgBox(QStringLiteral("Confirmez-vous la suppression du CV : ") + nom + QStringLiteral(" ?"), true))
        return;
    // The editor, which comes back empty, first saves the CV it shows: never after the deletion,
    // which that save would undo.
    if (!cederEditeurCV(QStringLiteral("Supprimer le CV ") + nom))
        return;
    if (!QFile::remove(chemin)) {
        MsgBox(QStringLiteral("Le CV %1 n'a pas pu être supprimé.").arg(nom));
        rafraichirBureau();
        return;
    }
    rechargerEditeurCV();
    rafraichirBureau();
}

} // namespace Systeme

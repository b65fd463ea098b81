#include "register/reports/editer_rapport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/attente.h"
#include "platform/dossier_prive.h"
#include "platform/environnement.h"
#include "platform/plateforme.h"
#include "register/reports/rapport_html.h"
#include "register/store/handles_partages.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"
#include "shell/services/registre_fenetres.h"
#include "shell/services/systeme.h"

namespace Fonctionnel {

namespace {

// Every application of the shared record set, in the order the table yields them, as the
// register window shows its fields (dates in the short format, "" for Null).
QList<ChampsCandidature> lireCandidatures(Stockage::JeuEnregistrements& jeu)
{
    QList<ChampsCandidature> candidatures;
    for (jeu.premier(); !jeu.finFichier(); jeu.suivant()) {
        ChampsCandidature champs;
        for (const Candidatures::Colonne& c : Candidatures::colonnes()) {
            if (c.genre == Candidatures::Genre::Date) {
                const std::optional<QDate> d = jeu.date(c.colonne);
                champs.insert(c.champ, d ? EcrireDate(*d) : QString());
            } else {
                champs.insert(c.champ, jeu.texte(c.colonne));
            }
        }
        candidatures << champs;
    }
    return candidatures;
}

// The report as a new file that only this user may read: written whole into a new file of the
// folder, which then takes the report's name. Whatever held that name before (a link too) is
// replaced, never written through.
bool ecrireRapport(const QString& chemin, const QStringList& lignes)
{
    QString texte;
    for (const QString& l : lignes)
        texte += l + QStringLiteral("\r\n");
    const QByteArray octets = FichiersTexte::encoder(texte);
    const QFileInfo info(chemin);
    QByteArray nouveau = QFile::encodeName(info.dir().filePath(u'.' + info.fileName() + QStringLiteral(".XXXXXX")));
    const int fd = ::mkostemp(nouveau.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0600) == 0 && FichiersTexte::toutEcrire(fd, octets.constData(), octets.size());
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(nouveau.constData(), QFile::encodeName(chemin).constData()) == 0;
    if (!ok)
        ::unlink(nouveau.constData());
    return ok;
}

} // namespace

QString DossierRapport() { return DossierPrive::chemin(); }

QString CheminRapport()
{
    const QString dossier = DossierRapport();
    return dossier.isEmpty() ? QString() : QDir(dossier).filePath(QStringLiteral("ImpKerval.html"));
}

void EditerRapport(qint16 genre)
{
    const QString chemin = CheminRapport();

    Systeme::BaseCandidatures() = ::BaseCandidatures::ouvrir(::BaseCandidatures::cheminParDefaut());
    if (Systeme::BaseCandidatures())
        Systeme::JeuCandidatures() = Systeme::BaseCandidatures()->base().ouvrirJeu(QStringLiteral("select * from Candidatures"));
    if (!Systeme::JeuCandidatures()) {
        Systeme::fermerHandlesPartages();
        MsgBox(QStringLiteral("Le registre des candidatures (Kerval.mdb) n'a pas pu être lu : rien n'a été imprimé."));
        return;
    }
    const QList<ChampsCandidature> candidatures = lireCandidatures(*Systeme::JeuCandidatures());
    Systeme::fermerHandlesPartages();

    QString prenom, nom;
    if (auto* principale = RegistreFenetres::instance().siChargee<Principale>()) {
        prenom = principale->Prenom->text();
        nom = principale->Nom->text();
    }
    const QDate aujourdhui = Plateforme::instance().horloge().aujourdhui();
    const QStringList lignes = RapportHtml::Lignes(genre, candidatures, aujourdhui, prenom, nom);
    if (chemin.isEmpty() || !ecrireRapport(chemin, lignes)) {
        MsgBox(QStringLiteral("Le fichier à imprimer n'a pas pu être écrit :\n%1")
                   .arg(QDir::toNativeSeparators(chemin.isEmpty() ? Environnement::dossierTemporaire() : chemin)));
        return;
    }

    // The program of HTML pages is found first: the desktop's opener starts even when it has none
    // to hand the file to, and Ctrl+P would then go to whatever window is in front.
    Coquille& coquille = Plateforme::instance().coquille();
    const QString programme = coquille.programmeAssocie(chemin);
    if (programme.isEmpty()) {
        MsgBox(QStringLiteral("Aucun programme n'est associé aux pages HTML sur cet ordinateur : le fichier à "
                              "imprimer n'a pas pu être ouvert :\n%1")
                   .arg(QDir::toNativeSeparators(chemin)));
        return;
    }
    if (!coquille.lancer(programme, {chemin}, true)) {
        MsgBox(QStringLiteral("Aucun programme n'a pu ouvrir le fichier à imprimer :\n%1").arg(QDir::toNativeSeparators(chemin)));
        return;
    }
    // The viewer takes a moment to come up; this wait lets no other handler run meanwhile.
    Attente::dormirSansPomper(1000);
    if (auto* principale = RegistreFenetres::instance().siChargee<Principale>())
        principale->lower();
    Plateforme::instance().clavier().envoyerTouches(QStringLiteral("^p"));
}

} // namespace Fonctionnel

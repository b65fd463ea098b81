#include "register/reports/editer_rapport.h"

#include <QDir>

#include "platform/attente.h"
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

} // namespace

QString CheminRapport() { return QDir(Environnement::dossierTemporaire()).filePath(QStringLiteral("ImpKerval.html")); }

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
    if (!FichiersTexte::ecrireLignes(chemin, lignes)) {
        MsgBox(QStringLiteral("Le fichier à imprimer n'a pas pu être écrit :\n%1").arg(QDir::toNativeSeparators(chemin)));
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

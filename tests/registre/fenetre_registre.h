#pragma once
// A register window loaded on a fresh register in a temporary data folder, with the fakes of
// the platform; its timers are stopped so that the tests tick them by hand.

#include <QMap>
#include <QString>
#include <QVariant>
#include <memory>

#include "platform/fakes/fausse_plateforme.h"
#include "register/window/formcand.h"
#include "support/outils.h"

struct FenetreRegistre {
    DossierTemporaire dossier;
    FaussePlateforme plateforme;
    FormCand* f = nullptr;

    // sansBase: no Kerval.mdb in the data folder; vraiNavigateur: the real embedded browser
    // rather than the fake one.
    explicit FenetreRegistre(bool sansBase = false, bool vraiNavigateur = false);
    ~FenetreRegistre();

    QString cheminBase() const { return dossier.chemin(u"Kerval.mdb"_qs); }
    // Types a new application and stores it with "Valider"; its number.
    qint64 nouvelle(const ChampsCandidature& champs);
    // The texts of the tree, one line a node: groups as they are, leaves indented by two blanks.
    QStringList arbre() const;
    // A column of one stored row, "<NULL>" for Null, "<absent>" when there is no such row.
    QString colonne(qint64 num, const QString& nom) const;
    int nombreLignes() const;
    // Adds a row straight into the register (columns by name; a null QVariant is Null).
    qint64 inserer(const QMap<QString, QVariant>& colonnes) const;
    // The texts of the message boxes shown so far, and forgets them.
    QStringList messages();
};

#pragma once
// A register file filled with n applications for the benchmarks: statuses in turn, sending
// dates spread over the two years before 15/03/2024, interviews ten days after sending,
// 997 companies and 40 sources; advertisements of about 600 characters, so that 100 000
// applications make a file of about 80 MB.

#include <QDir>
#include <QFile>
#include <QString>

#include "register/store/base_candidatures.h"
#include "register/store/candidature.h"

namespace RegistreExemple {

inline const QDate aujourdhui(2024, 3, 15);

inline QString creer(const QString& dossier, int n)
{
    const QString chemin = QDir(dossier).filePath(QStringLiteral("modele-%1.mdb").arg(n));
    if (QFile::exists(chemin))
        return chemin;
    BaseCandidatures::creerVide(chemin);
    auto base = BaseCandidatures::ouvrir(chemin);
    Stockage::BaseDonnees& b = base->base();
    const QString description = QStringLiteral("Nous recherchons un(e) technicien(ne) de maintenance. ").repeated(11);
    b.debuter();
    for (int i = 0; i < n; ++i) {
        const QDate envoi = aujourdhui.addDays(-(i * 7919 % 730));
        b.executer(QStringLiteral("insert into Candidatures (Intitule, Description, Societe, Statut, Datediffussion, "
                                  "DateEnvoi, DateRDV, Origine, Remarques) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {QStringLiteral("Technicien %1").arg(i), description, QStringLiteral("Société %1").arg(i % 997),
                    Candidatures::statuts().at(i % 11), envoi.addDays(-3), envoi, envoi.addDays(10),
                    QStringLiteral("Site %1").arg(i % 40), QStringLiteral("Relancer\r\n")});
    }
    b.valider();
    return chemin;
}

} // namespace RegistreExemple

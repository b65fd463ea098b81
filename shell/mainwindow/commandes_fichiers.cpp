#include "shell/mainwindow/commandes_fichiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "shell/services/fichiers_texte.h"

namespace CommandesFichiers {

QString baseChoisieCV(const QString& choisi, const QString& ancienNom)
{
    if (ancienNom.right(4).toUpper() == QLatin1String("DOCX"))
        return choisi;
    QString base = choisi;
    for (const char* ext : {".dat", ".doc", ".pdf"})
        base.remove(QLatin1String(ext), Qt::CaseSensitive);
    return base;
}

QString nouveauNomCV(const QString& choisi, const QString& ancienNom)
{
    if (ancienNom.right(4).toUpper() == QLatin1String("DOCX"))
        return choisi + ancienNom.right(5);
    return baseChoisieCV(choisi, ancienNom) + ancienNom.right(4);
}

QString nouveauNomLettre(const QString& choisi, const QString& ancienNom) { return choisi + ancienNom.right(4); }

QString renommerTout(const QList<Renommage>& renommages)
{
    for (const Renommage& r : renommages) {
        if (!QFileInfo(r.de).isFile())
            return QStringLiteral("Le fichier %1 est introuvable. Renommage impossible.")
                .arg(QFileInfo(r.de).fileName());
        if (QFileInfo(r.vers).absoluteFilePath() != QFileInfo(r.de).absoluteFilePath() &&
            QFileInfo::exists(r.vers))
            return QStringLiteral("Le fichier %1 existe déjà. Renommage impossible.").arg(QFileInfo(r.vers).fileName());
        if (QFileInfo(r.vers).fileName().isEmpty() || !QFileInfo(QFileInfo(r.vers).absolutePath()).isDir())
            return QStringLiteral("Le nom %1 ne convient pas. Renommage impossible.").arg(r.vers);
    }
    QList<Renommage> faits;
    for (const Renommage& r : renommages) {
        if (QFileInfo(r.vers).absoluteFilePath() == QFileInfo(r.de).absoluteFilePath())
            continue;
        if (!QFile::rename(r.de, r.vers)) {
            for (auto it = faits.crbegin(); it != faits.crend(); ++it)
                QFile::rename(it->vers, it->de);
            return QStringLiteral("Le fichier %1 n'a pas pu être renommé.").arg(QFileInfo(r.de).fileName());
        }
        faits.append(r);
    }
    return {};
}

} // namespace CommandesFichiers

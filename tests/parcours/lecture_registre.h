#pragma once
// The register read apart from the program, through a connection of the test's own, read-only.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QUuid>

// The number of applications the register holds, -1 when it cannot be read.
inline int nombreLignes(const QString& registre)
{
    int n = -1;
    const QString nom = QStringLiteral("parcours-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nom);
        base.setDatabaseName(registre);
        base.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (base.open()) {
            QSqlQuery q(QStringLiteral("select count(*) from Candidatures"), base);
            if (q.next())
                n = q.value(0).toInt();
        }
        base.close();
    }
    QSqlDatabase::removeDatabase(nom);
    return n;
}

#include "registres.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "outils.h"
#include "register/store/base_candidatures.h"

namespace Registres {

QByteArray creerAbime(const QString& chemin)
{
    EXPECT_TRUE(BaseCandidatures::creerVide(chemin));
    {
        auto base = BaseCandidatures::ouvrir(chemin);
        EXPECT_TRUE(base);
        if (!base)
            return {};
        Stockage::BaseDonnees& b = base->base();
        b.debuter();
        for (int i = 0; i < 210; ++i)
            b.executer(QStringLiteral("insert into Candidatures (Intitule, Description, Societe, Statut, DateEnvoi) "
                                      "values (?, ?, ?, ?, ?)"),
                       {QStringLiteral("Poste %1").arg(i), QStringLiteral("Annonce %1 ").arg(i) + QString(1500, u'x'),
                        QStringLiteral("Société %1").arg(i),
                        i < 60 ? QStringLiteral("EMISE - EN ATTENTE DE REPONSE") : QStringLiteral("NON EMISE"),
                        i < 60 ? QVariant(QStringLiteral("2024-01-01")) : QVariant()});
        EXPECT_TRUE(b.valider());
        EXPECT_GE(b.valeurUnique(QStringLiteral("PRAGMA page_count")).value_or(0).toInt(), 107);
    }
    // File times step by a few milliseconds on some systems: the damage comes after that.
    QThread::msleep(20);
    QFile f(chemin);
    EXPECT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(53 * 4096);
    f.write(QByteArray(4096, '\xa5'));
    f.close();
    return Outils::lireOctets(chemin);
}

QString schemaEtranger()
{
    return QStringLiteral("create table Candidatures (Num integer primary key autoincrement, Intitule text, "
                          "Description text, Nature text, Lieu text, Duree text, Salaire text, Societe text, "
                          "NomContact text, Telephone text, courriel text, Origine text, Datediffussion text, "
                          "DateLimite text, DateRDV text, DateEnvoi text, www text, Reference text, Statut text, "
                          "CV text, Lettre text, Remarques text, Adresse text, CP text, Ville text);");
}

FichierProtege::FichierProtege(const QString& chemin) : chemin_(chemin), permissions_(int(QFile::permissions(chemin)))
{
    QFileDevice::Permissions lecture = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (QFileInfo(chemin).isDir())
        lecture |= QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    actif_ = QFile::setPermissions(chemin, lecture);
    if (actif_ && ::geteuid() == 0) {
        // Root writes through the permissions: the file is made immutable as well.
        const int fd = ::open(QFile::encodeName(chemin).constData(), O_RDONLY);
        int attributs = 0;
        immuable_ = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &attributs) == 0
            && (attributs |= FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &attributs) == 0);
        if (fd >= 0)
            ::close(fd);
        actif_ = immuable_;
    }
}

FichierProtege::~FichierProtege()
{
    if (immuable_) {
        const int fd = ::open(QFile::encodeName(chemin_).constData(), O_RDONLY);
        int attributs = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &attributs) == 0) {
            attributs &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &attributs);
        }
        if (fd >= 0)
            ::close(fd);
    }
    QFile::setPermissions(chemin_, QFileDevice::Permissions(permissions_));
}

} // namespace Registres

// The hand-over to the e-mail client: the message built from the sending window's boxes, the
// arguments of xdg-email, and the reading of its exit status (through a stand-in program, so
// that no mail client is started).

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>
#include <gtest/gtest.h>

#include "letters/envoi.h"
#include "outils.h"

using Envoi::Messagerie;

TEST(Messagerie, PiecesJointesSepareesParPointVirgule)
{
    QTemporaryDir dossier;
    const QString a = QDir(dossier.path()).filePath(u"CV Jean.doc"_qs);
    const QString b = QDir(dossier.path()).filePath(u"Lettre.pdf"_qs);
    Outils::ecrireOctets(a, "a");
    Outils::ecrireOctets(b, "b");

    // The body loses one line break at each end, no more.
    const Envoi::Message m = Envoi::preparer(u"rh@acme.fr"_qs, u"Objet"_qs, u"\r\n\r\nMadame,\r\n\r\n"_qs, a + u"; "_qs + b);
    EXPECT_EQ(m.corps, u"\r\nMadame,\r\n"_qs);
    EXPECT_EQ(m.piecesJointes, (QStringList{a, b}));
    // The name is looked up at the untrimmed path: behind "; " no file is found.
    EXPECT_EQ(m.nomsPieces, (QStringList{u"CV Jean.doc"_qs, QString()}));
    EXPECT_TRUE(Envoi::preparer({}, {}, {}, {}).piecesJointes.isEmpty());
    // Empty elements name no attachment: xdg-email would refuse "--attach" with an empty value.
    const Envoi::Message vides = Envoi::preparer({}, {}, {}, a + u"; ;;"_qs);
    EXPECT_EQ(vides.piecesJointes, QStringList{a});
    EXPECT_EQ(vides.nomsPieces, QStringList{u"CV Jean.doc"_qs});
    EXPECT_EQ(Envoi::argumentsXdgEmail(vides), (QStringList{u"--utf8"_qs, u"--attach"_qs, a}));
}

TEST(Messagerie, ArgumentsDeXdgEmail)
{
    Envoi::Message m;
    m.destinataire = u" --attach /etc/passwd "_qs;
    m.objet = u"Réponse à l'annonce ref 12"_qs;
    m.corps = u"Madame,\r\n\r\n-- fin"_qs;
    m.piecesJointes = {u"/tmp/CV.doc"_qs};
    // The address always goes behind --to, as one argument: it is never read as an option.
    EXPECT_EQ(Envoi::argumentsXdgEmail(m),
              (QStringList{u"--utf8"_qs, u"--to"_qs, u"--attach /etc/passwd"_qs, u"--subject"_qs,
                           u"Réponse à l'annonce ref 12"_qs, u"--body"_qs, u"Madame,\n\n-- fin"_qs, u"--attach"_qs,
                           u"/tmp/CV.doc"_qs}));
    // xdg-email refuses empty values: empty boxes are left out.
    EXPECT_EQ(Envoi::argumentsXdgEmail({}), QStringList{u"--utf8"_qs});
}

namespace {

// A stand-in for xdg-email: writes its arguments one per line, and its current directory,
// then exits with the status given.
QString programme(const QTemporaryDir& dossier, int statut)
{
    const QString chemin = QDir(dossier.path()).filePath(u"faux-xdg-email-%1"_qs.arg(statut));
    const QString trace = QDir(dossier.path()).filePath(u"trace"_qs);
    Outils::ecrireOctets(chemin, QStringLiteral("#!/bin/sh\ncd /\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\n"
                                                "exit %2\n")
                                     .arg(trace)
                                     .arg(statut)
                                     .toUtf8());
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return chemin;
}

} // namespace

TEST(Messagerie, StatutDeSortieDuClient)
{
    QTemporaryDir dossier;
    Envoi::Message m;
    m.destinataire = u"rh@acme.fr"_qs;
    m.objet = u"Candidature é"_qs;

    EXPECT_EQ(Envoi::MessagerieXdg(programme(dossier, 0)).envoyer(m), Messagerie::Resultat::Remis);
    EXPECT_EQ(QString::fromUtf8(Outils::lireOctets(QDir(dossier.path()).filePath(u"trace"_qs))),
              u"--utf8\n--to\nrh@acme.fr\n--subject\nCandidature é\n"_qs);
    EXPECT_EQ(Envoi::MessagerieXdg(programme(dossier, 3)).envoyer(m), Messagerie::Resultat::SansClient);
    EXPECT_EQ(Envoi::MessagerieXdg(programme(dossier, 2)).envoyer(m), Messagerie::Resultat::Echec);
    EXPECT_EQ(Envoi::MessagerieXdg(programme(dossier, 4)).envoyer(m), Messagerie::Resultat::Echec);
    // Without xdg-email at all no client can be reached.
    EXPECT_EQ(Envoi::MessagerieXdg(QDir(dossier.path()).filePath(u"absent"_qs)).envoyer(m),
              Messagerie::Resultat::SansClient);
}

// The client's window stays open while the program quits (its last window closed): quitting
// ends every event loop at once, the hand-over's too. The client is still waited for, so that
// its answer is the one reported, and it is not killed on the way.
TEST(Messagerie, LeProgrammeQuitteAvantLaReponseDuClient)
{
    QTemporaryDir dossier;
    const QString trace = QDir(dossier.path()).filePath(u"trace"_qs);
    const QString chemin = QDir(dossier.path()).filePath(u"client-lent"_qs);
    Outils::ecrireOctets(chemin, QStringLiteral("#!/bin/sh\nsleep 1\necho fini > '%1'\nexit 0\n").arg(trace).toUtf8());
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Envoi::Message m;
    m.destinataire = u"rh@acme.fr"_qs;

    std::optional<Messagerie::Resultat> resultat;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(200, [] { QCoreApplication::quit(); });
        resultat = Envoi::MessagerieXdg(chemin).envoyer(m);
    });
    QCoreApplication::exec();

    ASSERT_TRUE(resultat.has_value());
    EXPECT_EQ(*resultat, Messagerie::Resultat::Remis);
    EXPECT_EQ(Outils::lireOctets(trace), QByteArray("fini\n"));
}

// The printed report as its reader sees it: the real LibreOffice, which reads a page that names no
// character set in the session's own, UTF-8 here, and would show "Soci??" for "Société", and
// which lays out the page as the browser does, its heading with the user's name first on the
// first page.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "commun.h"
#include "register/reports/editer_rapport.h"
#include "shell/mainwindow/export_word.h"
#include "shell/mainwindow/principale.h"

namespace {

class RapportLu : public TestRegistre {
protected:
    VariableTemporaire session{"XDG_RUNTIME_DIR", QByteArray()};

    // Applications whose texts hold accents, the euro sign and characters that Windows-1252 lacks.
    void remplirRegistre()
    {
        creerRegistre();
        aujourdhui(QDate(2024, 3, 15));
        ajouter({{u"Statut"_qs, u"EMISE - EN ATTENTE DE REPONSE"_qs}, {u"Societe"_qs, u"Société Générale €"_qs},
                 {u"Intitule"_qs, u"Ingénieur ∑ 😀"_qs}, {u"Reference"_qs, u"Réf. 12"_qs},
                 {u"Description"_qs, u"Poste à pourvoir, rémunération à négocier."_qs},
                 {u"Datediffussion"_qs, QDate(2024, 3, 1)}, {u"DateEnvoi"_qs, QDate(2024, 3, 4)}});
        faux.coquille->associations.insert(u"html"_qs, u"/usr/bin/visionneuse"_qs);
        QDir(dossier.donnees()).mkpath(u"CV"_qs);
        QDir(dossier.donnees()).mkpath(u"Lettres"_qs);
        Principale& p = Forme<Principale>();
        p.Prenom->setText(u"Zoé"_qs);
        p.Nom->setText(u"MARTIN"_qs);
    }
};

// What each report shows: its heading, the small print beside it, then the rest.
const QList<std::pair<qint16, QStringList>> Rapports = {
    {0, {u"Liste des candidatures"_qs, u"en date du 15/03/2024"_qs, u"Société"_qs, u"Intitulé"_qs, u"Référence"_qs, u"Société Générale €"_qs,
         u"Ingénieur ∑ 😀"_qs, u"Réf. 12"_qs, u"Edité le 15/03/2024"_qs}},
    {1, {u"Activité de recherche d'emploi - Zoé MARTIN"_qs, u"sur les 30 derniers jours"_qs,
         u"Société"_qs, u"Intitulé du poste"_qs, u"Référence de l'annonce"_qs,
         u"Envoi de la candidature"_qs, u"Société Générale €"_qs, u"Ingénieur ∑ 😀"_qs,
         u"Début de l'annonce : Poste à pourvoir, rémunération à négocier."_qs}},
};

} // namespace

TEST_F(RapportLu, LibreOfficeLitLeRapportTelQuEcrit)
{
    if (ExportWord::programme().isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    remplirRegistre();
    QTemporaryDir lus;
    ASSERT_TRUE(lus.isValid());
    QStringList copies;
    for (const auto& rapport : Rapports) {
        Fonctionnel::EditerRapport(rapport.first);
        copies << lus.filePath(u"rapport%1.html"_qs.arg(rapport.first));
        ASSERT_TRUE(QFile::copy(Fonctionnel::CheminRapport(), copies.last()));
    }
    // Read back as UTF-8 text in a UTF-8 session, with a profile of its own and the user's
    // settings left alone.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"LANG"_qs, u"C.UTF-8"_qs);
    env.insert(u"LC_ALL"_qs, u"C.UTF-8"_qs);
    env.insert(u"HOME"_qs, lus.path());
    env.insert(u"XDG_CONFIG_HOME"_qs, lus.filePath(u".config"_qs));
    // As text, and as pages (its default import, then PDF), each in a profile of its own.
    QProcess p, pages;
    for (auto [processus, filtre] : {std::pair{&p, u"txt:Text (encoded):UTF8"_qs}, std::pair{&pages, u"pdf"_qs}}) {
        processus->setProcessEnvironment(env);
        processus->setProcessChannelMode(QProcess::MergedChannels);
        processus->start(ExportWord::programme(),
                         QStringList{u"-env:UserInstallation="_qs +
                                         QUrl::fromLocalFile(lus.filePath(u"profil-"_qs + filtre.left(3))).toString(),
                                     u"--headless"_qs, u"--norestore"_qs, u"--convert-to"_qs, filtre, u"--outdir"_qs,
                                     lus.path()} +
                             copies);
        ASSERT_TRUE(processus->waitForStarted(30000));
    }
    ASSERT_TRUE(p.waitForFinished(180000)) << p.readAll().toStdString();
    ASSERT_TRUE(pages.waitForFinished(180000)) << pages.readAll().toStdString();
    const auto normale = [](QString t) { return t.replace(QChar::Nbsp, u' ').simplified(); };
    for (int i = 0; i < Rapports.size(); ++i) {
        SCOPED_TRACE(Rapports[i].first);
        const QString texte = QString::fromUtf8(Outils::lireOctets(lus.filePath(u"rapport%1.txt"_qs.arg(Rapports[i].first))));
        ASSERT_FALSE(texte.isEmpty()) << p.readAll().toStdString();
        for (const QString& t : Rapports[i].second)
            EXPECT_TRUE(normale(texte).contains(t)) << t.toStdString() << "\n" << texte.toStdString();
        EXPECT_FALSE(texte.contains(u'?')) << texte.toStdString();

        // One page, which opens on the heading and holds the table.
        const QString pdf = lus.filePath(u"rapport%1.pdf"_qs.arg(Rapports[i].first));
        QProcess lecture;
        lecture.start(u"pdftotext"_qs, {u"-enc"_qs, u"UTF-8"_qs, pdf, u"-"_qs});
        ASSERT_TRUE(lecture.waitForFinished(60000)) << pages.readAll().toStdString();
        const QString page = QString::fromUtf8(lecture.readAllStandardOutput());
        EXPECT_EQ(page.count(u'\f'), 1) << page.toStdString();
        EXPECT_TRUE(normale(page).startsWith(Rapports[i].second.first())) << page.toStdString();
        for (const QString& t : Rapports[i].second.mid(1, 2))
            EXPECT_TRUE(normale(page).contains(t)) << t.toStdString() << "\n" << page.toStdString();
    }
}

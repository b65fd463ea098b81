#include "shell/mainwindow/export_word.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "cveditor/rendu_cv.h"
#include "platform/plateforme.h"
#include "platform/programme_externe.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/systeme.h"

namespace ExportWord {

namespace {
const QString MessageAbsent = QStringLiteral(
    "LibreOffice est introuvable sur ce poste : la conversion du CV au format Word est impossible. "
    "Installez LibreOffice puis recommencez.");
const QString MessageEchec = QStringLiteral("La conversion du CV au format Word a échoué.");

// The office suite's window systems are plugins beside its program (libvclplug_gen, _gtk3, _kf5…);
// a "-nogui" build has none.
bool peutAfficher(const QString& programme)
{
    const QFileInfo reel(QFileInfo(programme).canonicalFilePath());
    return !reel.absoluteDir().entryList({QStringLiteral("libvclplug_*")}, QDir::Files).isEmpty();
}
} // namespace

QString incorporerImages(const QString& html, const std::function<std::optional<QByteArray>(const QString&)>& lire)
{
    static constexpr const char* motif = R"re((<img\b[^>]*?\bsrc\s*=\s*)(?:'([^']*)'|"([^"]*)"|([^\s>'"]+)))re";
    static const QRegularExpression image(QString::fromLatin1(motif), QRegularExpression::CaseInsensitiveOption);
    QString resultat;
    qsizetype depuis = 0;
    auto it = image.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int groupe = m.hasCaptured(2) ? 2 : m.hasCaptured(3) ? 3 : 4;
        const QString adresse = m.captured(groupe);
        if (adresse.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
            continue;
        const std::optional<QByteArray> octets = lire(adresse);
        if (!octets || octets->isEmpty())
            continue;
        const QString type = QMimeDatabase().mimeTypeForData(*octets).name();
        if (!type.startsWith(QLatin1String("image/")))
            continue;
        resultat += html.mid(depuis, m.capturedStart(groupe) - depuis);
        resultat += QStringLiteral("data:") + type + QStringLiteral(";base64,") +
                    QString::fromLatin1(octets->toBase64());
        depuis = m.capturedEnd(groupe);
    }
    resultat += html.mid(depuis);
    return resultat;
}

QString declarerUtf8(const QString& html)
{
    // Every declaration goes, wherever it stands: <meta charset=…> as well as
    // <meta http-equiv="Content-Type" content="…; charset=…">.
    constexpr auto casse = QRegularExpression::CaseInsensitiveOption;
    static const QRegularExpression declaration(QStringLiteral(R"(<meta\b[^>]*\bcharset\s*=[^>]*>)"), casse);
    static const QRegularExpression tete(QStringLiteral(R"(<head\b[^>]*>)"), casse);
    static const QRegularExpression racine(QStringLiteral(R"(<html\b[^>]*>)"), casse);
    QString page = html;
    page.remove(declaration);
    // Ours first thing in the head, where readers look for it.
    QRegularExpressionMatch m = tete.match(page);
    if (!m.hasMatch())
        m = racine.match(page);
    page.insert(m.hasMatch() ? m.capturedEnd() : 0, QStringLiteral("<meta charset=\"utf-8\">"));
    return page;
}

QString pourTraitementTexte(const QString& html)
{
    constexpr auto casse = QRegularExpression::CaseInsensitiveOption;
    // The word processor reads a paragraph's own margins, not the padding of an inline element
    // shown as a block: each detail line becomes a paragraph indented as the page shows it.
    static const QString detail =
        QStringLiteral("<p style=\"margin-top: 0cm; margin-bottom: 0cm; margin-left: 40px\">\\1</p>");
    static const QString titre =
        QStringLiteral("<p style=\"margin-top: 0cm; margin-bottom: 0cm; page-break-after: avoid\">\\1</p>");
    // A heading line (bold, underlined, both or neither) right before a detail line, after a tag
    // that ends the line before it: a paragraph that stays on the page of its first detail line.
    static const QRegularExpression entete(
        QStringLiteral(R"((?<=>)(?<!<b>)(?<!<u>)((?:<b><u>|<b>|<u>)?[^<>]*(?:</b></u>|</b>|</u>)?)<br>(?=)") +
        QRegularExpression::escape(RenduCV::DebutDetail) + u')');
    static const QRegularExpression lignes(QRegularExpression::escape(RenduCV::DebutDetail) + QStringLiteral("(.*?)") +
                                               QRegularExpression::escape(RenduCV::FinDetail),
                                           QRegularExpression::DotMatchesEverythingOption);
    // A block the page keeps in one piece makes its paragraphs unsplittable there: a section's
    // lines, a single paragraph with line breaks when they are not indented, would move whole to
    // the next page, away from its heading. Sections run across pages; a heading keeps with what
    // follows it.
    static const QRegularExpression enUnBloc(
        QStringLiteral(R"((?:page-)?break-inside\s*:\s*avoid(?:-page)?\s*(?:!\s*important\s*)?;?)"), casse);
    QString page = html;
    page.replace(entete, titre);
    page.replace(lignes, detail);
    page.remove(enUnBloc);
    return page;
}

QString programme()
{
    for (const char* nom : {"soffice", "libreoffice"}) {
        const QString p = QStandardPaths::findExecutable(QString::fromLatin1(nom));
        if (!p.isEmpty())
            return p;
    }
    return {};
}

QString programmeTraitementTexte()
{
    for (const char* nom : {"lowriter", "soffice", "libreoffice"}) {
        const QString p = QStandardPaths::findExecutable(QString::fromLatin1(nom));
        if (!p.isEmpty() && peutAfficher(p))
            return p;
    }
    return {};
}

namespace {

// The program that opens a Word document: the desktop's for its type, else LibreOffice's word
// processor on the PATH; libreOffice tells which of the two.
struct Lecteur {
    QString programme;
    bool libreOffice = false;
};

Lecteur lecteur(const QString& document)
{
    const QString associe = Plateforme::instance().coquille().programmeAssocie(document);
    if (!associe.isEmpty())
        return {associe, false};
    const QString libreOffice = programmeTraitementTexte();
    return {libreOffice, !libreOffice.isEmpty()};
}

} // namespace

QString nomLecteur(const QString& exemple)
{
    const Lecteur l = lecteur(exemple);
    return l.libreOffice ? QStringLiteral("LibreOffice (%1)").arg(l.programme) : l.programme;
}

QString copieDuCV(const QString& nomCV)
{
    if (nomCV.isEmpty())
        return {};
    return Systeme::DossierDocuments() + nomCV + QStringLiteral(".doc");
}

QString ouvrir(const QString& document)
{
    if (document.isEmpty())
        return QStringLiteral("Ce CV n'a pas encore de nom : il n'a pas encore été converti au format Word.");
    if (!QFileInfo(document).isFile())
        return QStringLiteral("Le fichier %1 n'existe pas : le CV n'a pas encore été converti au format Word.")
            .arg(document);
    const Lecteur l = lecteur(document);
    if (l.programme.isEmpty())
        return QStringLiteral("Aucun programme de ce poste ne sait ouvrir les documents Word. "
                              "Le CV converti se trouve dans le fichier %1")
            .arg(document);
    if (!Plateforme::instance().coquille().lancer(l.programme, {document}, true))
        return QStringLiteral("Le document %1 n'a pas pu être ouvert.").arg(document);
    return {};
}

QStringList arguments(const QString& page, const QString& profil, const QString& dossierSortie)
{
    return {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profil).toString(),
            QStringLiteral("--headless"),
            QStringLiteral("--norestore"),
            QStringLiteral("--infilter=HTML (StarWriter)"),
            QStringLiteral("--convert-to"),
            QStringLiteral("doc:MS Word 97"),
            QStringLiteral("--outdir"),
            dossierSortie,
            page};
}

bool enCoursUtilisation(const QString& document)
{
    const QFileInfo info(document);
    return QFileInfo::exists(info.dir().filePath(QStringLiteral(".~lock.") + info.fileName() + u'#'));
}

Resultat convertir(const QString& page, const QString& document, int delaiMs)
{
    const QString converti = programme();
    if (converti.isEmpty())
        return {Issue::ProgrammeAbsent, MessageAbsent};
    const auto html = FichiersTexte::lire(page);
    if (!html)
        return {Issue::PageAbsente, QStringLiteral("Le CV n'est pas encore affiché : la conversion est impossible.")};

    QTemporaryDir travail(QDir(QDir::tempPath()).filePath(QStringLiteral("kerval-word-XXXXXX")));
    if (!travail.isValid())
        return {Issue::EchecConversion, MessageEchec};
    const QDir dossierPage = QFileInfo(page).absoluteDir();
    const QString autonome = incorporerImages(*html, [&](const QString& adresse) -> std::optional<QByteArray> {
        // Only files beside the page, as the renderer writes them.
        if (adresse.contains(u'/') || adresse.contains(u'\\') || adresse.contains(u':'))
            return std::nullopt;
        return FichiersTexte::lireOctets(dossierPage.filePath(adresse));
    });
    const QString source = QDir(travail.path()).filePath(QStringLiteral("CV.html"));
    const QString sortie = QDir(travail.path()).filePath(QStringLiteral("sortie"));
    const QString profil = QDir(travail.path()).filePath(QStringLiteral("profil"));
    // A working file of our own, thrown away afterwards. UTF-8, and the page says so: LibreOffice
    // takes a page in an 8-bit code page that opens with a long picture address for UTF-16.
    QFile fichierSource(source);
    if (!fichierSource.open(QIODevice::WriteOnly) ||
        fichierSource.write(declarerUtf8(pourTraitementTexte(autonome)).toUtf8()) < 0 || !fichierSource.flush() ||
        !QDir().mkpath(sortie) || !QDir().mkpath(profil))
        return {Issue::EchecConversion, MessageEchec};
    fichierSource.close();

    // The office suite leaves a program of its own running beside the one started here: the
    // conversion is ended as a whole, before its working folder goes.
    ProgrammeExterne convertisseur;
    QProcess& processus = convertisseur.processus();
    processus.setProcessChannelMode(QProcess::MergedChannels);
    // Its own temporary files too, which an ended conversion leaves behind.
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.insert(QStringLiteral("TMPDIR"), travail.path());
    processus.setProcessEnvironment(environnement);
    if (!convertisseur.demarrer(converti, arguments(source, profil, sortie), 10000))
        return {Issue::ProgrammeAbsent, MessageAbsent};
    // The conversion takes a few seconds: the windows keep answering meanwhile. The end of the
    // session does not wait for it.
    if (convertisseur.attendre(delaiMs, 0) != ProgrammeExterne::Fin::Terminee) {
        convertisseur.terminer();
        return {Issue::EchecConversion, MessageEchec};
    }
    const QString produit = QDir(sortie).filePath(QStringLiteral("CV.doc"));
    const std::optional<QByteArray> lu =
        processus.exitStatus() == QProcess::NormalExit && processus.exitCode() == 0 ? FichiersTexte::lireOctets(produit)
                                                                                      : std::nullopt;
    if (!lu || lu->isEmpty())
        return {Issue::EchecConversion, MessageEchec};
    const QByteArray& octets = *lu;
    QDir().mkpath(QFileInfo(document).absolutePath());
    if (octets.isEmpty() || !FichiersTexte::ecrireOctets(document, octets))
        return {Issue::EcritureImpossible,
                QStringLiteral("Le fichier %1 n'a pas pu être écrit. Conversion impossible")
                    .arg(QFileInfo(document).fileName())};
    return {};
}

} // namespace ExportWord

// The CV photograph commands. The photograph is the file Modeles/<CV name>.jpg of the data
// folder; each command changes it and the CV editor's picture, then the CV is rendered again.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include "cveditor/formrediger_cv.h"
#include "platform/environnement.h"
#include "platform/plateforme.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fichiers_texte.h"
#include "shell/services/twips.h"

namespace {

// The editor shows the photograph this wide (twips); its height keeps the picture's proportions.
constexpr int LargeurPhoto = 1890;

// The photograph file of a CV name; empty for a name that would lead out of the Modeles folder.
QString cheminPhoto(const QString& nomCV)
{
    if (nomCV.contains(u'/') || nomCV.contains(u'\\') || nomCV == QLatin1String(".."))
        return {};
    return QDir::current().filePath(QStringLiteral("Modeles/") + nomCV + QStringLiteral(".jpg"));
}

// A pasted picture as JPEG, transparent parts on white (JPEG has no transparency).
QByteArray enJpeg(const QImage& image)
{
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter peintre(&opaque);
        peintre.drawImage(0, 0, image);
    }
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    if (!opaque.save(&tampon, "JPG", 92))
        return {};
    return octets;
}

} // namespace

void Principale::RattacherPhoto_Click()
{
    const QString choisi = Plateforme::instance().dialogues().ouvrirFichier(
        QStringLiteral("Sélection d'une photographie"),
        QDir(Environnement::dossierPersonnel()).filePath(QStringLiteral("Pictures")),
        QStringLiteral("Fichiers Images (*.jpg,*.gif,*.png) (*.jpg *.gif *.png)"));
    if (choisi.isEmpty())
        return;
    FormRedigerCV& cv = Forme<FormRedigerCV>();
    // The chosen file must be a picture: a file that cannot be shown leaves the photograph as it was.
    // Read once: the picture shown and the copy kept are the same bytes.
    bool refuse = false;
    const std::optional<QByteArray> octets = FichiersTexte::lireOctets(choisi, &refuse);
    if (refuse)
        return;
    const QImage image = octets ? QImage::fromData(*octets) : QImage();
    if (image.isNull() || image.width() <= 0) {
        MsgBox(QStringLiteral("Le fichier %1 n'est pas une image lisible. La photographie n'a pas été changée.")
                   .arg(QFileInfo(choisi).fileName()));
        return;
    }
    const QString photo = cheminPhoto(cv.NomCV->text());
    if (photo.isEmpty() || !FichiersTexte::ecrireOctets(photo, *octets)) {
        MsgBox(QStringLiteral("La photographie n'a pas pu être enregistrée. La photographie n'a pas été changée."));
        return;
    }
    cv.Photo->setPixmap(QPixmap::fromImage(image));
    cv.Photo->resize(Twips::versPixels(LargeurPhoto),
                     Twips::versPixels(double(LargeurPhoto) * image.height() / image.width()));
    cv.WebBrowser1->Refresh();
    cv.VisualisationCV();
}

void Principale::CollerPhoto_Click()
{
    const QImage image = Plateforme::instance().pressePapiers().image();
    if (image.isNull())
        return;
    FormRedigerCV& cv = Forme<FormRedigerCV>();
    cv.Photo->setPixmap(QPixmap::fromImage(image));
    // A photograph that cannot be written is left as it was; the paste shows no message.
    const QString photo = cheminPhoto(cv.NomCV->text());
    const QByteArray jpeg = enJpeg(image);
    if (!photo.isEmpty() && !jpeg.isEmpty())
        FichiersTexte::ecrireOctets(photo, jpeg);
    cv.VisualisationCV();
}

void Principale::SupprimerPhoto_Click()
{
    FormRedigerCV& cv = Forme<FormRedigerCV>();
    const QString photo = cheminPhoto(cv.NomCV->text());
    if (!photo.isEmpty())
        QFile::remove(photo);
    QFile::remove(QDir::current().filePath(QStringLiteral("Modeles/Photo.jpg")));
    cv.Photo->clear();
    cv.VisualisationCV();
}

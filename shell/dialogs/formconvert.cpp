#include "shell/dialogs/formconvert.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>

#include "cveditor/formrediger_cv.h"
#include "cveditor/rendu_cv.h"
#include "platform/plateforme.h"
#include "shell/dialogs/miseenpage.h"
#include "shell/mainwindow/export_word.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/fonctionnel.h"
#include "shell/services/systeme.h"
#include "shell/services/twips.h"

void EtiquetteCliquable::mouseReleaseEvent(QMouseEvent* e)
{
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clic();
}

void EtiquetteCliquable::mouseDoubleClickEvent(QMouseEvent* e)
{
    QLabel::mouseDoubleClickEvent(e);
    emit doubleClic();
}

FormConvert::FormConvert()
{
    setObjectName(NomConception);
    setWindowTitle(QStringLiteral("Conversion du format du CV"));
    setFixedSize(Twips::taille(Largeur, Hauteur));
    setStyleSheet(QStringLiteral("FormConvert { background: white; }"));
    setAutoFillBackground(true);

    CadreBleu1 = new CadreBleu(QStringLiteral("Conversion du CV au format MS Word (.doc)"),
                               QRect(120, 120, Largeur - 240, Hauteur - 840), this);
    CadreBleu1->setObjectName(QStringLiteral("CadreBleu1"));

    const QFont police = Dessins::police(QStringLiteral("Arial"), 8.25);
    auto etiquette = [&](QLabel* l, const QString& nom, const QRect& place, bool gras = false) {
        l->setObjectName(nom);
        l->setWordWrap(true);
        l->setFont(Dessins::police(QStringLiteral("Arial"), 8.25, gras));
        l->setStyleSheet(QStringLiteral("color: #24345C;"));
        l->setGeometry(Twips::rect(place.x(), place.y(), place.width(), place.height()));
    };
    const QStringList textes{
        QStringLiteral("Conversion du CV au format MS Word (.doc)"),
        QStringLiteral("Application associée au format .doc détectée sur votre poste"),
        QStringLiteral("Dernière version connue de ce CV au format MSWord"),
        QStringLiteral("Ouverture du CV au format HTML"),
        QStringLiteral("Remarque : Certains modèles de CV peuvent ne pas être entièrement compatibles avec votre "
                       "traitement de texte, il sera peut-être nécessaire d'effectuer des rectifications manuelles "
                       "dans le document généré.")};
    const QList<QRect> places{{360, 420, 6480, 255},  {360, 840, 6480, 255},  {360, 1560, 6480, 255},
                              {360, 2460, 4200, 255}, {360, 3420, 6480, 780}};
    for (int i = 0; i < 5; ++i) {
        Label1[i] = new QLabel(textes[i], this);
        etiquette(Label1[i], QStringLiteral("Label1_%1").arg(i), places[i], i == 0);
    }
    Label1[0]->hide(); // the panel's title says it

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFont(police);
    Text1->setGeometry(Twips::rect(360, 1110, 6480, 300));

    Info = new EtiquetteCliquable(QStringLiteral("Aucun fichier trouvé."), this);
    etiquette(Info, QStringLiteral("Info"), {360, 1830, 6480, 255});
    Info->setCursor(Qt::PointingHandCursor);
    Info->setToolTip(QStringLiteral("Double-cliquer pour ouvrir le document"));
    connect(Info, &EtiquetteCliquable::doubleClic, this, &FormConvert::Info_DblClick);

    Label2 = new EtiquetteCliquable(
        QStringLiteral("Les CV convertis au format .doc sont placés dans votre dossier \"Documents\""), this);
    etiquette(Label2, QStringLiteral("Label2"), {360, 2100, 6480, 255});
    Label2->setStyleSheet(QStringLiteral("color: #0000C0; text-decoration: underline;"));
    Label2->setCursor(Qt::PointingHandCursor);
    connect(Label2, &EtiquetteCliquable::clic, this, &FormConvert::Label2_Click);

    BoutonKVL3 = new BoutonKVL(QStringLiteral("Ouvrir"), QRect(4680, 2430, 1215, 300), this);
    const int bas = Hauteur - 570;
    BoutonKVL2 = new BoutonKVL(QStringLiteral("Convertir"), QRect(Largeur - 2760, bas, 1215, 300), this);
    BoutonKVL1 = new BoutonKVL(QStringLiteral("Fermer"), QRect(Largeur - 1440, bas, 1215, 300), this);
    BoutonKVL1->setObjectName(QStringLiteral("BoutonKVL1"));
    BoutonKVL2->setObjectName(QStringLiteral("BoutonKVL2"));
    BoutonKVL3->setObjectName(QStringLiteral("BoutonKVL3"));
    connect(BoutonKVL1, &BoutonKVL::Click, this, &FormConvert::BoutonKVL1_Click);
    connect(BoutonKVL2, &BoutonKVL::Click, this, &FormConvert::BoutonKVL2_Click);
    connect(BoutonKVL3, &BoutonKVL::Click, this, &FormConvert::BoutonKVL3_Click);
}

void FormConvert::Form_Load()
{
    placerDialogue(this);
    FichierWord = ExportWord::copieDuCV(Forme<FormRedigerCV>().NomCV->text());
    Text1->setText(ExportWord::nomLecteur(QDir::current().filePath(QStringLiteral("DocWord.doc"))));
    if (Systeme::TraitementTexteOuvert())
        MsgBox(QStringLiteral("Il est recommandé de fermer Microsoft Word ou Open Office pour faciliter la conversion"));
    const QFileInfo copie(FichierWord);
    if (!FichierWord.isEmpty() && copie.isFile())
        Info->setText(copie.fileName() + QStringLiteral("     ") +
                      Fonctionnel::EcrireDate(copie.lastModified().date()) + u' ' +
                      copie.lastModified().time().toString(QStringLiteral("HH:mm:ss")));
}

void FormConvert::BoutonKVL1_Click() { RegistreFenetres::instance().decharger(NomConception); }

void FormConvert::BoutonKVL2_Click()
{
    if (Systeme::TraitementTexteOuvert())
        MsgBox(QStringLiteral("Il est préférable de fermer tous les documents Word afin de faciliter la conversion"));
    if (Principale* p = RegistreFenetres::instance().siChargee<Principale>())
        p->ConvertirWord();
    RegistreFenetres::instance().decharger(NomConception);
}

void FormConvert::BoutonKVL3_Click()
{
    Systeme::OuvrirDocument(RenduCV::cheminPage(QDir::currentPath()));
}

void FormConvert::Info_DblClick()
{
    const QString message = ExportWord::ouvrir(FichierWord);
    if (!message.isEmpty())
        MsgBox(message);
}

void FormConvert::Label2_Click()
{
    // A desktop that cannot show a folder still lets the user find it.
    const QString dossier = Systeme::DossierDocuments();
    if (!Plateforme::instance().coquille().ouvrirExplorateur(dossier))
        MsgBox(QStringLiteral("Le dossier \"Documents\" n'a pas pu être ouvert. Les CV convertis au format .doc sont "
                              "placés dans le dossier %1")
                   .arg(QDir::toNativeSeparators(QDir::cleanPath(dossier))));
}

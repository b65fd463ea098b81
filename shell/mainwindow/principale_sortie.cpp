// The CV output commands: word-processor copy, printing, page set-up.
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "cveditor/formrediger_cv.h"
#include "cveditor/rendu_cv.h"
#include "platform/plateforme.h"
#include "shell/dialogs/formconvert.h"
#include "shell/dialogs/miseenpage.h"
#include "shell/mainwindow/export_word.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/systeme.h"

namespace {

// The word-processor copy of the CV open in the editor: documents folder, CV name, ".doc"; empty
// while the CV has no name.
QString copieWord() { return ExportWord::copieDuCV(Forme<FormRedigerCV>().NomCV->text()); }

QString pageCV() { return RenduCV::cheminPage(QDir::currentPath()); }

// What the user must do first before the CV can be converted, empty when it can: the editor
// shows the page of a CV (a new CV shows none until something is typed in it, while the page
// file still holds the CV shown before), and that CV has a name.
QString avantConversion()
{
    if (!Systeme::FormeVisible(FormRedigerCV::NomConception))
        return QStringLiteral("Aucun CV n'est affiché : ouvrez ou rédigez d'abord le CV à convertir au format Word.");
    FormRedigerCV& cv = Forme<FormRedigerCV>();
    if (cv.WebBrowser1->LocationURL() != QUrl::fromLocalFile(pageCV()).toString())
        return QStringLiteral("Ce CV n'est pas encore affiché : saisissez-le ou ouvrez-le d'abord, puis "
                              "convertissez-le au format Word.");
    if (cv.NomCV->text().isEmpty())
        return QStringLiteral("Ce CV n'a pas encore de nom : saisissez d'abord votre nom dans le CV, puis "
                              "convertissez-le au format Word.");
    return {};
}

void montrer(QWidget& fenetre) { Systeme::AuPremierPlan(&fenetre); }

} // namespace

void Principale::MenuConvertirCV_Click() { montrer(Forme<FormConvert>()); }
void Principale::MenuConvFWord_Click() { montrer(Forme<FormConvert>()); }
void Principale::MenuImprimerCV_Click() { Forme<FormRedigerCV>().WebBrowser1->imprimer(); }
void Principale::ImprimerCV_Click() { Forme<FormRedigerCV>().WebBrowser1->imprimer(); }
void Principale::PrevisualiserCV_Click() { Forme<FormRedigerCV>().WebBrowser1->apercuAvantImpression(); }
void Principale::MessageTrames_Click() { montrer(Forme<MiseEnPage>()); }

void Principale::ConsulterWord_Click()
{
    const QString message = ExportWord::ouvrir(copieWord());
    if (!message.isEmpty())
        MsgBox(message);
}

void Principale::ConvertirWord()
{
    if (const QString manque = avantConversion(); !manque.isEmpty()) {
        MsgBox(manque);
        return;
    }
    const QString cible = copieWord();
    // A copy open in the word processor is not replaced under its feet.
    if (QFileInfo::exists(cible) &&
        (ExportWord::enCoursUtilisation(cible) || !QFileInfo(QFileInfo(cible).absolutePath()).isWritable())) {
        MsgBox(QStringLiteral("Le fichier est en cours d'utilisation. Conversion impossible"));
        return;
    }
    const ExportWord::Resultat r = ExportWord::convertir(pageCV(), cible);
    if (r.issue != ExportWord::Issue::Fait) {
        MsgBox(r.message);
        return;
    }
    const QString message = ExportWord::ouvrir(cible);
    if (!message.isEmpty())
        MsgBox(QStringLiteral("Le CV a été converti au format Word. ") + message);
}

void Principale::ConvertirODF()
{
    if (!Systeme::FormeVisible(FormRedigerCV::NomConception))
        return;
    const QString programme = ExportWord::programmeTraitementTexte();
    if (programme.isEmpty()) {
        MsgBox(QStringLiteral("LibreOffice est introuvable sur ce poste : le CV ne peut pas y être ouvert."));
        return;
    }
    // The rendered page opens in the word processor; nothing is saved.
    const QString page = pageCV();
    QStringList arguments;
    if (!QFileInfo(programme).fileName().contains(QLatin1String("writer")))
        arguments << QStringLiteral("--writer");
    arguments << page;
    Plateforme::instance().coquille().lancer(programme, arguments, false);
}

// The CV output commands: word-processor copy, printing, page set-up.
#include <QDir>
#include <QFileInfo>

#include "cveditor/formrediger_cv.h"
#include "platform/plateforme.h"
#include "shell/dialogs/formconvert.h"
#include "shell/dialogs/miseenpage.h"
#include "shell/mainwindow/export_word.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/systeme.h"

namespace {

// The word-processor copy of the CV open in the editor: documents folder, CV name, ".doc".
QString copieWord() { return Systeme::DossierDocuments() + Forme<FormRedigerCV>().NomCV->text() + QStringLiteral(".doc"); }

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
    if (!Systeme::FormeVisible(FormRedigerCV::NomConception))
        return;
    const QString cible = copieWord();
    // A copy open in the word processor is not replaced under its feet.
    if (QFileInfo::exists(cible) &&
        (ExportWord::enCoursUtilisation(cible) || !QFileInfo(QFileInfo(cible).absolutePath()).isWritable())) {
        MsgBox(QStringLiteral("Le fichier est en cours d'utilisation. Conversion impossible"));
        return;
    }
    const ExportWord::Resultat r =
        ExportWord::convertir(QDir::current().filePath(QStringLiteral("Modeles/CVtemp.html")), cible);
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
    const QString page = QDir::current().filePath(QStringLiteral("Modeles/CVtemp.html"));
    QStringList arguments;
    if (!QFileInfo(programme).fileName().contains(QLatin1String("writer")))
        arguments << QStringLiteral("--writer");
    arguments << page;
    Plateforme::instance().coquille().lancer(programme, arguments, false);
}

#include "shell/services/systeme.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>
#include <QWidget>
#include <cmath>

#include "platform/plateforme.h"
#include "shell/services/registre_fenetres.h"

namespace Systeme {

namespace {
constexpr int LongueurTitreMax = 254;

// Walks the top-level windows topmost first; the first title that passes the test ends the walk.
template <class Test>
QString parcourirTitres(Test test)
{
    const QStringList titres = Plateforme::instance().titresFenetres().titres();
    for (const QString& complet : titres) {
        const QString titre = complet.left(LongueurTitreMax);
        if (!titre.isEmpty() && test(titre))
            return titre;
    }
    return {};
}
} // namespace

QString TitreFenetreNavigateur()
{
    return parcourirTitres([](const QString& t) { return t.contains(QLatin1String("http")); });
}

bool TraitementTexteOuvert()
{
    return !parcourirTitres([](const QString& t) {
                return t.contains(QLatin1String("WINWORD")) || t.contains(QLatin1String("OpenOffice")) ||
                       t.contains(QLatin1String("LibreOffice"));
            }).isEmpty();
}

void RendreTransparent(QWidget* fenetre, int opacite)
{
    if (!fenetre)
        return;
    fenetre->setProperty("kervalTranslucide", true);
    FixerOpacite(fenetre, opacite);
}

void FixerOpacite(QWidget* fenetre, int opacite)
{
    if (!fenetre || opacite < 1 || opacite > 255)
        return;
    fenetre->setWindowOpacity(opacite / 255.0);
}

int Opacite(const QWidget* fenetre)
{
    if (!fenetre)
        return 255;
    return int(std::lround(fenetre->windowOpacity() * 255.0));
}

bool FormeVisible(const QString& nom)
{
    for (Fenetre* f : RegistreFenetres::instance().fenetres())
        if (f->nomConception() == nom)
            return f->widget() && f->widget()->isVisible();
    return false;
}

void AuPremierPlan(QWidget* fenetre)
{
    if (!fenetre)
        return;
    fenetre->show();
    if (auto* cadre = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget())) {
        cadre->show();
        if (QMdiArea* espace = cadre->mdiArea())
            espace->setActiveSubWindow(cadre);
        cadre->raise();
    } else {
        fenetre->raise();
    }
    fenetre->window()->activateWindow();
}

bool EstVistaOuPlus()
{
    return qEnvironmentVariable("ALLUSERSPROFILE").contains(QLatin1String("ProgramData"));
}

QString DossierDocuments()
{
    const QString profil = qEnvironmentVariable("userprofile");
    if (profil.isEmpty()) {
        QString d = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (d.isEmpty())
            d = QDir::homePath();
        return QDir::cleanPath(d) + u'/';
    }
    const QString voulu = EstVistaOuPlus() ? QStringLiteral("Documents") : QStringLiteral("Mes documents");
    // An existing folder of that name in another letter case is the same folder.
    const QDir dossierProfil(profil);
    for (const QString& present : dossierProfil.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (present.compare(voulu, Qt::CaseInsensitive) == 0)
            return QDir::cleanPath(dossierProfil.filePath(present)) + u'/';
    return QDir::cleanPath(dossierProfil.filePath(voulu)) + u'/';
}

bool OuvrirDocument(const QString& cible)
{
    Coquille& coquille = Plateforme::instance().coquille();
    if (cible.left(4).toUpper() == QLatin1String("HTTP"))
        return coquille.ouvrirExplorateur(cible);
    const QString programme = coquille.programmeAssocie(cible);
    if (!programme.isEmpty() && !programme.endsWith(QLatin1String("dll")))
        return coquille.lancer(programme, {cible}, true);
    return coquille.ouvrirExplorateur(cible);
}

} // namespace Systeme

#include "platform/fakes/faux_navigateur.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

#include "shell/services/fichiers_texte.h"

FauxNavigateur::FauxNavigateur(QWidget* parent) : Navigateur(parent) {}

void FauxNavigateur::Navigate(const QString& adresse)
{
    navigations << adresse;
    historique_ = historique_.mid(0, position_ + 1);
    historique_ << adresse;
    position_ = int(historique_.size()) - 1;
    charger(adresse);
}

void FauxNavigateur::GoBack()
{
    if (position_ > 0)
        charger(historique_[--position_]);
}

void FauxNavigateur::GoForward()
{
    if (position_ + 1 < historique_.size())
        charger(historique_[++position_]);
}

void FauxNavigateur::Refresh()
{
    ++rafraichissements;
    if (position_ >= 0)
        charger(historique_[position_]);
}

QString FauxNavigateur::LocationURL()
{
    if (adresse_.isEmpty())
        return QStringLiteral("about:blank");
    const QFileInfo f(adresse_);
    if (f.isAbsolute() && f.exists())
        return adresseFichier(adresse_);
    return adresse_;
}

void FauxNavigateur::charger(const QString& adresse)
{
    adresse_ = adresse;
    if (pages.contains(adresse)) {
        courante_ = pages.value(adresse);
    } else {
        courante_ = FaussePage();
        const QFileInfo f(adresse);
        if (f.isAbsolute() && f.isFile()) {
            courante_.html = FichiersTexte::lire(adresse).value_or(QString());
            QString texte = courante_.html;
            texte.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
            courante_.texte = texte;
        }
    }
    etat_ = EtatPage::Chargement;
    ++enCours_;
    if (bloque)
        return;
    if (differe)
        QTimer::singleShot(0, this, &FauxNavigateur::terminer);
    else
        terminer();
}

void FauxNavigateur::terminer()
{
    if (enCours_ == 0)
        return;
    if (--enCours_ == 0)
        etat_ = EtatPage::Complet;
    emit DocumentComplete(LocationURL(), true);
}

std::optional<ElementPage> FauxNavigateur::element(int position)
{
    if (position < 0 || position >= courante_.elements.size())
        return std::nullopt;
    return courante_.elements[position];
}

std::optional<ElementPage> FauxNavigateur::elementNomme(const QString& nom)
{
    for (const ElementPage& e : courante_.elements)
        if (e.nom == nom)
            return e;
    return std::nullopt;
}

bool FauxNavigateur::fixerValeur(int position, const QString& valeur)
{
    if (position < 0 || position >= courante_.elements.size() || !courante_.elements[position].valeur)
        return false;
    courante_.elements[position].valeur = valeur;
    return true;
}

bool FauxNavigateur::fixerValeurNommee(const QString& nom, const QString& valeur)
{
    for (int i = 0; i < courante_.elements.size(); ++i)
        if (courante_.elements[i].nom == nom)
            return fixerValeur(i, valeur);
    return false;
}

void FauxNavigateur::toutSelectionner()
{
    ++selectionsCompletes;
    courante_.selection = courante_.texte;
}

void FauxNavigateur::copier() { ++copies; }

QList<QPointer<FauxNavigateur>>& FauxNavigateur::crees()
{
    static QList<QPointer<FauxNavigateur>> liste;
    return liste;
}

void FauxNavigateur::installer()
{
    Navigateur::fixerFabrique([](QWidget* parent) -> Navigateur* {
        auto* n = new FauxNavigateur(parent);
        crees() << n;
        return n;
    });
}

void FauxNavigateur::desinstaller()
{
    Navigateur::fixerFabrique({});
    crees().clear();
}

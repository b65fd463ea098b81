#include "platform/fakes/fausse_plateforme.h"

#include <QFileInfo>

bool FaussesDialogues::message(const QString& texte, bool okAnnuler)
{
    messages.append({texte, okAnnuler});
    if (reponses.empty())
        return true;
    const bool r = reponses.front();
    reponses.pop_front();
    return r;
}

QString FaussesDialogues::ouvrirFichier(const QString& titre, const QString&, const QString&)
{
    titresDialogues << titre;
    if (fichiersChoisis.empty())
        return {};
    const QString f = fichiersChoisis.front();
    fichiersChoisis.pop_front();
    return f;
}

QString FaussesDialogues::enregistrerSous(const QString& titre, const QString&, const QString&, const QString&)
{
    return ouvrirFichier(titre, {}, {});
}

std::optional<QColor> FaussesDialogues::choisirCouleur(const QColor&)
{
    if (couleurs.empty())
        return std::nullopt;
    const auto c = couleurs.front();
    couleurs.pop_front();
    return c;
}

QStringList FaussesDialogues::textes() const
{
    QStringList t;
    for (const auto& m : messages)
        t << m.texte;
    return t;
}

QString FausseCoquille::programmeAssocie(const QString& fichier)
{
    return associations.value(QFileInfo(fichier).suffix().toLower());
}

bool FausseCoquille::lancer(const QString& programme, const QStringList& arguments, bool agrandi)
{
    lancements.append({programme, arguments, agrandi});
    return !echec;
}

bool FausseCoquille::ouvrirExplorateur(const QString& cible)
{
    explorations << cible;
    return !echec;
}

bool FauxClavier::activerFenetre(const QString& titre)
{
    activations << titre;
    for (const QString& f : fenetresPresentes)
        if (f.contains(titre))
            return true;
    return false;
}

FaussePlateforme FaussePlateforme::installer()
{
    FaussePlateforme f;
    auto d = std::make_unique<FaussesDialogues>();
    auto c = std::make_unique<FausseCoquille>();
    auto t = std::make_unique<FaussesTitres>();
    auto k = std::make_unique<FauxClavier>();
    auto p = std::make_unique<FauxPressePapiers>();
    auto h = std::make_unique<FausseHorloge>();
    f.dialogues = d.get();
    f.coquille = c.get();
    f.titres = t.get();
    f.clavier = k.get();
    f.pressePapiers = p.get();
    f.horloge = h.get();
    Plateforme& pl = Plateforme::instance();
    pl.fixerDialogues(std::move(d));
    pl.fixerCoquille(std::move(c));
    pl.fixerTitresFenetres(std::move(t));
    pl.fixerClavier(std::move(k));
    pl.fixerPressePapiers(std::move(p));
    pl.fixerHorloge(std::move(h));
    return f;
}

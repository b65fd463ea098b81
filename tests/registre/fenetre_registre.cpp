#include "fenetre_registre.h"

#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "platform/fakes/faux_navigateur.h"
#include "register/store/base_candidatures.h"

FenetreRegistre::FenetreRegistre(bool sansBase, bool vraiNavigateur) : plateforme(FaussePlateforme::installer())
{
    dossier.entrer();
    if (vraiNavigateur)
        FauxNavigateur::desinstaller();
    else
        FauxNavigateur::installer();
    if (!sansBase)
        EXPECT_TRUE(BaseCandidatures::creerVide(cheminBase()));
    f = &Forme<FormCand>();
    f->Timer1->stop();
    f->Timer2->stop();
}

FenetreRegistre::~FenetreRegistre() { RegistreFenetres::instance().decharger(FormCand::NomConception); }

qint64 FenetreRegistre::nouvelle(const ChampsCandidature& champs)
{
    f->Action_Click(0);
    f->remplirFiche(champs);
    f->Action_Click(3);
    return f->Num->text().toLongLong();
}

QStringList FenetreRegistre::arbre() const
{
    QStringList lignes;
    for (int i = 0; i < f->Liste->topLevelItemCount(); ++i) {
        QTreeWidgetItem* g = f->Liste->topLevelItem(i);
        lignes << g->text(0);
        for (int j = 0; j < g->childCount(); ++j)
            lignes << u"  "_qs + g->child(j)->text(0);
    }
    return lignes;
}

QString FenetreRegistre::colonne(qint64 num, const QString& nom) const
{
    auto base = BaseCandidatures::ouvrir(cheminBase());
    if (!base)
        return u"<absent>"_qs;
    auto jeu = base->base().ouvrirJeu(u"select * from Candidatures where Num = ?"_qs, {num});
    if (!jeu || jeu->estVide())
        return u"<absent>"_qs;
    const QVariant v = jeu->valeur(nom);
    return v.isNull() ? u"<NULL>"_qs : v.toString();
}

int FenetreRegistre::nombreLignes() const
{
    auto base = BaseCandidatures::ouvrir(cheminBase());
    return base ? base->nombreCandidatures() : -1;
}

qint64 FenetreRegistre::inserer(const QMap<QString, QVariant>& colonnes) const
{
    auto base = BaseCandidatures::ouvrir(cheminBase());
    EXPECT_TRUE(base);
    if (!base)
        return 0;
    QStringList noms;
    QStringList marques;
    QVariantList valeurs;
    for (auto it = colonnes.cbegin(); it != colonnes.cend(); ++it) {
        noms << it.key();
        marques << u"?"_qs;
        valeurs << it.value();
    }
    EXPECT_TRUE(base->base().executer(
        u"insert into Candidatures (%1) values (%2)"_qs.arg(noms.join(u", "_qs), marques.join(u", "_qs)), valeurs))
        << base->base().derniereErreur().toStdString();
    return base->base().valeurUnique(u"select max(Num) from Candidatures"_qs).value_or(QVariant()).toLongLong();
}

QStringList FenetreRegistre::messages()
{
    QStringList textes = plateforme.dialogues->textes();
    plateforme.dialogues->messages.clear();
    return textes;
}

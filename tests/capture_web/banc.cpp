#include "banc.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "register/store/base_candidatures.h"
#include "shell/mainwindow/principale.h"
#include "shell/startup/ecran.h"

Banc::Banc(bool avecPrincipale, bool vraiNavigateur) : plateforme(FaussePlateforme::installer())
{
    QDir(dossier.donnees()).mkpath(u"CV"_qs);
    QDir(dossier.donnees()).mkpath(u"Lettres"_qs);
    dossier.entrer();
    if (vraiNavigateur)
        FauxNavigateur::desinstaller();
    else
        FauxNavigateur::installer();
    EXPECT_TRUE(BaseCandidatures::creerVide(dossier.chemin(u"Kerval.mdb"_qs)));
    if (avecPrincipale) {
        Ecran::simuler(QSize(1280, 1024));
        Forme<Principale>();
    }
    f = &Forme<FormCand>();
    f->Timer1->stop();
    f->Timer2->stop();
}

Banc::~Banc()
{
    RegistreFenetres::instance().toutDecharger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Ecran::simuler(std::nullopt);
    FauxNavigateur::installer();
}

int Banc::nombreLignes() const
{
    auto base = BaseCandidatures::ouvrir(dossier.chemin(u"Kerval.mdb"_qs));
    return base ? base->nombreCandidatures() : -1;
}

QString Banc::colonne(qint64 num, const QString& nom) const
{
    auto base = BaseCandidatures::ouvrir(dossier.chemin(u"Kerval.mdb"_qs));
    if (!base)
        return u"<absent>"_qs;
    auto jeu = base->base().ouvrirJeu(u"select * from Candidatures where Num = ?"_qs, {num});
    if (!jeu || jeu->estVide())
        return u"<absent>"_qs;
    return jeu->valeur(nom).toString();
}

QStringList Banc::messages()
{
    QStringList textes = plateforme.dialogues->textes();
    plateforme.dialogues->messages.clear();
    return textes;
}

FausseFenetreEnvoi::FausseFenetreEnvoi()
{
    Email = new QLineEdit(this);
    Email->setObjectName(u"Email"_qs);
    Texte = new QPlainTextEdit(this);
    Texte->setObjectName(u"Texte"_qs);
    PJ = new QLineEdit(this);
    PJ->setObjectName(u"PJ"_qs);
}

FausseFenetreEnvoi* FausseFenetreEnvoi::charger(bool visible)
{
    auto* f = new FausseFenetreEnvoi;
    RegistreFenetres::instance().enregistrer(f);
    if (visible)
        f->show();
    return f;
}

#include "fenetre_envoi.h"

#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <stdexcept>
#include <gtest/gtest.h>

#include "cveditor/fichier_controles.h"
#include "platform/fakes/faux_navigateur.h"
#include "register/store/base_candidatures.h"
#include "shell/services/fichiers_texte.h"

Envoi::Messagerie::Resultat FausseMessagerie::envoyer(const Envoi::Message& message)
{
    messages << message;
    QDir::setCurrent(QDir::tempPath());
    if (lever)
        throw std::runtime_error("messagerie");
    if (resultats.empty())
        return Resultat::Remis;
    const Resultat r = resultats.front();
    resultats.pop_front();
    return r;
}

FenetreEnvoi::FenetreEnvoi()
    : plateforme(FaussePlateforme::installer()), ancienProfil_(qgetenv("userprofile")),
      ancienTousProfils_(qgetenv("ALLUSERSPROFILE"))
{
    dossier.entrer();
    FauxNavigateur::installer();
    QDir(dossier.donnees()).mkpath(u"Lettres"_qs);
    QDir(dossier.donnees()).mkpath(u"CV"_qs);
    QDir(dossier.appData()).mkpath(u"profil/Documents"_qs);
    qputenv("userprofile", QDir(dossier.appData()).filePath(u"profil"_qs).toUtf8());
    qputenv("ALLUSERSPROFILE", "C:/ProgramData");
    EXPECT_TRUE(BaseCandidatures::creerVide(dossier.chemin(u"Kerval.mdb"_qs)));
    auto m = std::make_unique<FausseMessagerie>();
    messagerie = m.get();
    Envoi::Messagerie::installer(std::move(m));
    cand = &Forme<FormCand>();
    cand->Timer1->stop();
    cand->Timer2->stop();
}

FenetreEnvoi::~FenetreEnvoi()
{
    RegistreFenetres::instance().decharger(FormPostuler::NomConception);
    RegistreFenetres::instance().decharger(FormCand::NomConception);
    qputenv("userprofile", ancienProfil_);
    qputenv("ALLUSERSPROFILE", ancienTousProfils_);
}

void FenetreEnvoi::modele(const QString& nom, const QStringList& lignes) const
{
    EXPECT_TRUE(FichiersTexte::ecrireLignes(dossier.chemin(u"Lettres/"_qs + nom + u".dat"_qs), lignes));
}

void FenetreEnvoi::modeleType(const QString& nom, const QString& objet) const
{
    modele(nom, {u"CadreObjet="_qs, u"Objet="_qs + objet,
                 u"Text1=<N><N>#Titre# #NomContact#,<N><N>Votre annonce de #Intitule# parue le #DateDiffusion# "
                 "m'intéresse.<N>Cordialement,"_qs,
                 u"NomLettre="_qs + nom, u"1:Check_Modele=1"_qs, u"0:Corps=Texte"_qs, u"Email=helene@exemple.fr"_qs,
                 u"Prénom=Hélène"_qs, u"Nom=lebrun"_qs});
}

ChampsCandidature FenetreEnvoi::candidatureType()
{
    return {{u"Intitule"_qs, u"ASSISTANT COMMERCIAL"_qs}, {u"Societe"_qs, u"DURAND SA"_qs},
            {u"NomContact"_qs, u"Sophie Martin"_qs},      {u"Email"_qs, u"rh@durand.fr"_qs},
            {u"Reference"_qs, u"R-42"_qs},                {u"DateDiffusion"_qs, u"01/03/2024"_qs},
            {u"www"_qs, u"http://emplois.exemple.fr/42"_qs}};
}

qint64 FenetreEnvoi::candidature(const ChampsCandidature& champs)
{
    cand->ViderFiche();
    cand->remplirFiche(champs);
    cand->Valider();
    return cand->Num->text().toLongLong();
}

FormPostuler& FenetreEnvoi::envoi()
{
    FormPostuler& f = Forme<FormPostuler>();
    f.Timer1->stop();
    return f;
}

QString FenetreEnvoi::colonne(qint64 num, const QString& nom) const
{
    auto base = BaseCandidatures::ouvrir(dossier.chemin(u"Kerval.mdb"_qs));
    if (!base)
        return u"<pas de registre>"_qs;
    auto jeu = base->base().ouvrirJeu(u"select * from Candidatures where Num = ?"_qs, {num});
    if (!jeu || jeu->estVide())
        return u"<absent>"_qs;
    const QVariant v = jeu->valeur(nom);
    return v.isNull() ? u"<NULL>"_qs : v.toString();
}

QStringList FenetreEnvoi::messages()
{
    QStringList t = plateforme.dialogues->textes();
    plateforme.dialogues->messages.clear();
    return t;
}

QString FenetreEnvoi::documents() const { return QDir(dossier.appData()).filePath(u"profil/Documents"_qs); }

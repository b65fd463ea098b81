#include "register/capture/vocabulaire_annonce.h"

namespace Annonce {

// Chosen values, used everywhere the analyser and the capture need them:
// - the second end phrase "1sur Jobdirect et Reso" (22 characters: the sharing line under an
//   advertisement, naming the job board Jobdirect and the professional network Reso);
// - the webmail labels: gmail, hotmail, outlook, yahoo, orange, free;
// - the search engine: google;
// - the job board with a follow-up page: jobdirect;
// - the numeric host: Jobdirect's address 203.0.113.45, whose last three numbers normalise to
//   "0 113 45", shown as the source "JOBDIRECT".

const QString& TermFin()
{
    static const QString texte = u"1Offre suivante >>\r\n"
                                 u"1sur Jobdirect et Reso\r\n"
                                 u"1Joindre un CV de taille\r\n"
                                 u"1Déposez votre CV WORD\r\n"
                                 u"1Offres en relation\r\n"
                                 u"1Pour postuler à cette offre\r\n"
                                 u"1Réduire la fenêtre\r\n"_qs;
    return texte;
}

const QStringList& ListeContrats()
{
    static const QStringList liste = {
        u"CDI,CONTRAT A DUREE INDETERMINEE"_qs,
        u"CDD,CONTRAT A DUREE DETERMINEE"_qs,
        u"CNE,CONTRAT NOUVELLE EMBAUCHE"_qs,
        u"INTERIM"_qs,
        u"PRESTATION"_qs,
        u"FREELANCE"_qs,
        u"SAISONNIER"_qs,
        u"CONTRAT JEUNE"_qs,
        u"CONTRAT ACCOMPAGNEMENT"_qs,
        u"CONTRAT AVENIR"_qs,
        u"INTERMITENT"_qs,
        u"EMPLOI NON SALARIE"_qs,
    };
    return liste;
}

const QStringList& ListeMetiers()
{
    static const QStringList liste = {
        u"ACCESSOIRISTE"_qs, u"ACCOMPAGNATEUR"_qs, u"ACHETEUR"_qs, u"ACTUAIRE"_qs, u"ACUPUNCTEUR"_qs,
        u"ADMINISTRATEUR"_qs, u"ADJOINT"_qs, u"AFFRETEUR"_qs, u"AGENT"_qs, u"AGRICULTEUR"_qs, u"AGRONOME"_qs,
        u"AIGUILLEUR"_qs, u"AJUSTEUR"_qs, u"ALLERGOLOGUE"_qs, u"AMBULANCIER"_qs, u"ANALYSTE"_qs,
        u"ANIMATEUR"_qs, u"APPARITEUR"_qs, u"APPRENTI"_qs, u"APPROVISIONNEUR"_qs, u"ARBITRAGISTE"_qs,
        u"ARCHEOLOGUE"_qs, u"ARCHITECTE"_qs, u"ARMATEUR"_qs, u"ARTISAN"_qs, u"ASSISTANT"_qs,
        u"ASSISTANTE"_qs, u"ASTRONOME"_qs, u"ATTACHE"_qs, u"AUDIT"_qs, u"AUDITEUR"_qs, u"AUTOMATICIEN"_qs,
        u"AUXILLIAIRE"_qs, u"AVOCAT"_qs, u"AVOUE"_qs, u"BATELIER"_qs, u"BIBLIOTHECAIRE"_qs, u"BIJOUTIER"_qs,
        u"BILLETISTE"_qs, u"BIOLOGISTE"_qs, u"BOTANISTE"_qs, u"BOUCHER"_qs, u"BOUEUX"_qs, u"BOULANGER"_qs,
        u"BURALISTE"_qs, u"BUSINESS"_qs, u"CAISSIER"_qs, u"CALLIGRAPHE"_qs, u"CALORIFUGEUR"_qs,
        u"CAMBISTE"_qs, u"CAMERAMAN"_qs, u"CAMIONNEUR"_qs, u"CAPITAINE"_qs, u"CARDIOLOGUE"_qs, u"CARISTE"_qs,
        u"CARRELEUR"_qs, u"CAVISTE"_qs, u"CHAIRMAN"_qs, u"CHANTEUR"_qs, u"CHARCUTIER"_qs, u"CHARGE E"_qs,
        u"CHARGEUR"_qs, u"CHARPENTIER"_qs, u"CHASSEUR"_qs, u"CHAUDRONNIER"_qs, u"CHAUFFAGISTE"_qs,
        u"CHAUFFEUR"_qs, u"CHAUFFEUR"_qs, u"CHAUSSEUR"_qs, u"CHEF"_qs, u"CHERCHEUR"_qs, u"CHIMISTE"_qs,
        u"CHIRURGIEN"_qs, u"COACH"_qs, u"COGNITICIEN"_qs, u"COIFFEUR"_qs, u"COMEDIEN"_qs, u"COMMANDANT"_qs,
        u"COMMERCIAL"_qs, u"COMMISSAIRE"_qs, u"COMMISSIONNAIRE"_qs, u"COMPTABLE"_qs, u"CONCEPTEUR"_qs,
        u"CONCILIATEUR"_qs, u"CONDITIONNEUR"_qs, u"CONDUCTEUR"_qs, u"CONSEILLE"_qs, u"CONSEILLER"_qs,
        u"CONSOLIDEUR"_qs, u"CONSULTANT"_qs, u"CONTEUR"_qs, u"CONTREMAÎTRE"_qs, u"CONTROLEUR"_qs,
        u"CONTRÔLEUR"_qs, u"CONVOYEUR"_qs, u"COORDINATEUR"_qs, u"CORDISTE"_qs, u"CORDONNIER"_qs,
        u"COURTIER"_qs, u"COUTURIER"_qs, u"COUVREUR"_qs, u"COUVREUR"_qs, u"CREMIER"_qs, u"CRITIQUE"_qs,
        u"CRS"_qs, u"CUISINIER"_qs, u"CUISINISTE"_qs, u"DELEGUE"_qs, u"DEMENAGEUR"_qs, u"DEMINEUR"_qs,
        u"DEMONSTRATEUR"_qs, u"DEONTOLOGUE"_qs, u"DEPANNEUR"_qs, u"DERMATOLOGUE"_qs, u"DESSINATEUR"_qs,
        u"DETAILLANT"_qs, u"DETECTIVE"_qs, u"DEVELOPPEUR"_qs, u"DIPLOMATE"_qs, u"DIRECTEUR"_qs,
        u"DISQUAIRE"_qs, u"DISTRIBUTEUR"_qs, u"DOCKER"_qs, u"DOCUMENTALISTE"_qs, u"DROGISTE"_qs,
        u"EBENISTE"_qs, u"ECLAIRAGISTE"_qs, u"ECLUSIER"_qs, u"ECONOMISTE"_qs, u"ECRIVAIN"_qs, u"EDITEUR"_qs,
        u"EDUCATEUR"_qs, u"ELAGUEUR"_qs, u"ELECTRICIEN"_qs, u"ELECTRONICIEN"_qs, u"ELECTROPLASTE"_qs,
        u"ELEVEUR"_qs, u"EMPLOYE"_qs, u"ENSEIGNANT"_qs, u"ENTREPOSEUR"_qs, u"EPICIER"_qs, u"ERGIATRE"_qs,
        u"ERGONOME"_qs, u"ERGOTHERAPEUTE"_qs, u"ERODEUR"_qs, u"ESCALIETEUR"_qs, u"ESTIMATEUR"_qs,
        u"ESTHETICIENNE"_qs, u"ESTHETICIEN"_qs, u"ETALAGISTE"_qs, u"ETANCHEUR"_qs, u"ETHOLOGUE"_qs,
        u"EXPERT"_qs, u"EXPERT"_qs, u"EXPLOITANT"_qs, u"FERRONNIER"_qs, u"FIGURANT"_qs, u"FISCALISTE"_qs,
        u"FLEURISTE"_qs, u"FONDEUR"_qs, u"FORFAITISTE"_qs, u"FORMATEUR"_qs, u"FRAISEUR"_qs, u"FRIGORISTE"_qs,
        u"FROMAGER"_qs, u"FRONT"_qs, u"GARAGISTE"_qs, u"GARÇON"_qs, u"GARDE"_qs, u"GARDIEN"_qs,
        u"GASTROENTEROLOGUE"_qs, u"GENDARME"_qs, u"GEOLOGUE"_qs, u"GEOMETRE"_qs, u"GERANT"_qs,
        u"GESTIONNAIRE"_qs, u"GREFFIER"_qs, u"GROSSISTE"_qs, u"GROUPEUR"_qs, u"GYNECOLOGUE"_qs,
        u"HEMATOLOGUE"_qs, u"HOMEOPATHE"_qs, u"HÔTELIER"_qs, u"HOTESSE"_qs, u"HOTLINER"_qs, u"HUISSIER"_qs,
        u"IMPRIMEUR"_qs, u"INFIRMIER"_qs, u"INFOGRAPHISTE"_qs, u"INFORMATEUR"_qs, u"INFORMATICIEN"_qs,
        u"INGENIEUR"_qs, u"INHALOTHERAPEUTE"_qs, u"INSTALLATEUR"_qs, u"INSPECTEUR"_qs, u"INTEGRATEUR"_qs,
        u"JARDINIER"_qs, u"JOURNALISTE"_qs, u"JUGE"_qs, u"JURISTE"_qs, u"KINESITHERAPEUTE"_qs,
        u"LABORANTIN"_qs, u"LAITIER"_qs, u"LIBRAIRE"_qs, u"LINGUISTE"_qs, u"LIVREUR"_qs, u"LOGISTICIEN"_qs,
        u"LOGOPEDE"_qs, u"LUTHIER"_qs, u"MACHINISTE"_qs, u"MAÇON"_qs, u"MAGASINIER"_qs, u"MAGISTRAT"_qs,
        u"MAITRE"_qs, u"MANAGER"_qs, u"MANDATAIRE"_qs, u"MANEUVRE"_qs, u"MANUTENTIONNAIRE"_qs,
        u"MARCHAND"_qs, u"MARIN"_qs, u"MARKETER"_qs, u"MASSEUR"_qs, u"MATHEMATICIEN"_qs, u"MECANICIEN"_qs,
        u"MEDECIN"_qs, u"MENAGERE"_qs, u"MENUISIER"_qs, u"METEOROLOGUE"_qs, u"METTEUR"_qs,
        u"MIDDLE OFFICE"_qs, u"MILITAIRE"_qs, u"MODISTE"_qs, u"MONITEUR"_qs, u"MONTEUR"_qs,
        u"NATUROPATHE"_qs, u"NAVIGATEUR"_qs, u"NEGOCIATEUR"_qs, u"NEUROLOGUE,"_qs, u"NOTAIRE"_qs,
        u"NUTRITIONNISTE"_qs, u"OPERATEUR"_qs, u"OPHTALMOLOGUE"_qs, u"OPTICIEN"_qs, u"ORGANISATEUR"_qs,
        u"ORTHOPHONISTE"_qs, u"OSTEOPATHE"_qs, u"OUVRIER"_qs, u"PANSEUSE"_qs, u"PARQUETTEUR"_qs,
        u"PATISSIER"_qs, u"PDG"_qs, u"PEAGISTE"_qs, u"PEDIATRE"_qs, u"PEDICURE"_qs, u"PEINTRE"_qs,
        u"PESEUR"_qs, u"PHARMACIEN"_qs, u"PHARMACOLOGUE"_qs, u"PHOTOGRAPHE"_qs, u"PHYSICIEN"_qs,
        u"PILOTE"_qs, u"PLAFONNEUR"_qs, u"PLAQUISTE"_qs, u"PLATRIER"_qs, u"PLATRIER"_qs, u"PLATRIER"_qs,
        u"PLOMBIER"_qs, u"POISSONNIER"_qs, u"POLICIER"_qs, u"POMPIER"_qs, u"POMPISTE"_qs, u"POSTDOC,"_qs,
        u"POTIER"_qs, u"PREPARATEUR"_qs, u"PRESTATAIRE"_qs, u"PROCUREUR"_qs, u"PRODUCTEUR"_qs,
        u"PROFESSEUR"_qs, u"PROGRAMMEUR"_qs, u"PROMOTEUR"_qs, u"PROSPECTEUR"_qs, u"PROVISEUR"_qs,
        u"PROVISEUR"_qs, u"PSYCHANALYSTE"_qs, u"PSYCHIATRE"_qs, u"PSYCHOLOGUE"_qs, u"PSYCHOMOTRICIEN"_qs,
        u"QUALITICIEN"_qs, u"RAFFINEUR"_qs, u"REBOUTEUX"_qs, u"REDACTEUR"_qs, u"REEDUCATEUR"_qs,
        u"REFERENT"_qs, u"REGISSEUR"_qs, u"REGLEUR"_qs, u"REGULATEUR"_qs, u"REPARATEUR"_qs,
        u"RESPONSABLE"_qs, u"ROUGHMAN"_qs, u"ROUTIER"_qs, u"SAGE"_qs, u"SCAPHANDRIER"_qs, u"SECRETAIRE"_qs,
        u"SERVEUR"_qs, u"SEXOLOGUE"_qs, u"SHERIF"_qs, u"SISMOLOGUE"_qs, u"SOIGNANT"_qs, u"SOIGNANTE"_qs,
        u"SOCIOLOGUE"_qs, u"SOMMELIER"_qs, u"SONORISATEUR"_qs, u"SOUDEUR"_qs, u"SPECIALISTE"_qs,
        u"STAFFEUR"_qs, u"STAGIAIRE"_qs, u"STEWARD"_qs, u"SUBSTITUT"_qs, u"SUPPORT"_qs, u"TAILLEUR"_qs,
        u"TAILLEUR,"_qs, u"TAXIDERMISTE"_qs, u"TECHNICIEN"_qs, u"TECHNOLOGUE"_qs, u"TELE"_qs,
        u"TELEPROSPECTEUR"_qs, u"TESTEUR"_qs, u"TOILETTEUR"_qs, u"TOURNEUR"_qs, u"TRADER"_qs,
        u"TRADUCTEUR"_qs, u"TRAITEUR"_qs, u"TRANSPORTEUR"_qs, u"TRESORIER"_qs, u"TUTEUR"_qs,
        u"URGENTISTE"_qs, u"UROLOGUE"_qs, u"VENDEUR"_qs, u"VENEROLOGUE"_qs, u"VETERINAIRE"_qs, u"VIGILE"_qs,
        u"VITRIER"_qs, u"WEBMARKETER"_qs, u"WEBMESTRE"_qs, u"WEBMASTER"_qs,
    };
    return liste;
}

const QStringList& MotsValid()
{
    static const QStringList liste = {
        u"OFFRE"_qs, u"REFERENCE"_qs, u"DATE"_qs, u"SOCIETE"_qs, u"CONTRAT"_qs, u"LIEU"_qs,
        u"SALAIRE"_qs, u"EXPERIENCE"_qs, u"POSTULER"_qs, u"RECHERCHER"_qs, u"PROFIL"_qs,
        u"QUALIFICATION"_qs, u"DUREE"_qs, u"DEPLACEMENTS"_qs, u"SECTEUR"_qs, u"CV"_qs, u"LETTRE"_qs,
        u"IMPRIMER CETTE OFFRE"_qs, u"ENVOYER CETTE OFFRE"_qs, u"CDI"_qs, u"CDD"_qs, u"CNE"_qs,
        u"POSTE"_qs, u"REGION"_qs, u"REF"_qs, u"STATUT"_qs,
    };
    return liste;
}

const QString& ListeWebmails()
{
    static const QString texte = u" gmail hotmail outlook yahoo orange free "_qs;
    return texte;
}

const QString& ListeRues()
{
    static const QString texte =
        u" RUE AVENUE QUAI ZA ZI AV R BOULEVARD BD BLV BVD BV ALLEE ESPLANADE PLACE BP ROUTE TSA "_qs;
    return texte;
}

const QStringList& MotsHote()
{
    static const QStringList liste = {u"EMPLOI "_qs, u"RECRUT "_qs, u"RECRUTEMENT "_qs, u"OFFRES "_qs};
    return liste;
}

const QStringList& RejetsSociete()
{
    static const QStringList liste = {u" DU "_qs,    u"CLIENT"_qs, u"CONTACT"_qs, u" LE "_qs,  u" VOTRE "_qs,
                                      u" VOS "_qs,   u" UNE "_qs,  u" LES "_qs,   u" DES "_qs, u" L "_qs};
    return liste;
}

const QString& HoteNumerique()
{
    static const QString texte = u"0 113 45"_qs;
    return texte;
}

const QString& NomSiteHoteNumerique()
{
    static const QString texte = u"JOBDIRECT"_qs;
    return texte;
}

const QString& DomaineMoteurRecherche()
{
    static const QString texte = u"google"_qs;
    return texte;
}

const QString& DomaineSiteSuivi()
{
    static const QString texte = u"jobdirect"_qs;
    return texte;
}

} // namespace Annonce

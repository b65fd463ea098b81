#include "register/web/liste_sites.h"

#include <QDir>
#include <QFileInfo>

#include "shell/services/fichiers_texte.h"

namespace ListeSites {

QString adressePageOffres()
{
    // The offers search of the public employment service: every region, every trade.
    return u"https://candidat.francetravail.fr/offres/recherche"_qs;
}

QString nomFichier() { return u"Listesites.txt"_qs; }

const QStringList& lignesIntegrees()
{
    // Public services first, then the general boards, the regional ones, the trades, the
    // agencies and the large employers' own pages.
    static const QStringList lignes = {
        u"FRANCE TRAVAIL  http://www.francetravail.fr"_qs,
        u"APEC  http://www.apec.fr"_qs,
        u"INDEED  http://fr.indeed.com"_qs,
        u"CADREMPLOI  http://www.cadremploi.fr"_qs,
        u"HELLOWORK  http://www.hellowork.com"_qs,
        u"MONSTER  http://www.monster.fr"_qs,
        u"KELJOB  http://www.keljob.com"_qs,
        u"METEOJOB  http://www.meteojob.com"_qs,
        u"JOBIJOBA  http://www.jobijoba.com"_qs,
        u"LINKEDIN  http://www.linkedin.com/jobs"_qs,
        u"WELCOME TO THE JUNGLE  http://www.welcometothejungle.com"_qs,
        u"JOBTEASER  http://www.jobteaser.com"_qs,
        u"QAPA  http://www.qapa.fr"_qs,
        u"OPTIONCARRIERE  http://www.optioncarriere.com"_qs,
        u"CAREERJET  http://www.careerjet.fr"_qs,
        u"JOOBLE  http://fr.jooble.org"_qs,
        u"TALENT  http://fr.talent.com"_qs,
        u"GLASSDOOR  http://www.glassdoor.fr"_qs,
        u"JOBRAPIDO  http://fr.jobrapido.com"_qs,
        u"ADZUNA  http://www.adzuna.fr"_qs,
        u"LEBONCOIN EMPLOI  http://www.leboncoin.fr/offres_d_emploi"_qs,
        u"VIADEO  http://www.viadeo.com"_qs,
        u"CHOOSEMYCOMPANY  http://www.choosemycompany.com"_qs,
        u"PARISJOB  http://www.parisjob.com"_qs,
        u"OUESTJOB  http://www.ouestjob.com"_qs,
        u"CENTREJOB  http://www.centrejob.com"_qs,
        u"NORDJOB  http://www.nordjob.com"_qs,
        u"ESTJOB  http://www.estjob.com"_qs,
        u"SUDOUESTJOB  http://www.sudouestjob.com"_qs,
        u"RHONEALPESJOB  http://www.rhonealpesjob.com"_qs,
        u"PACAJOB  http://www.pacajob.com"_qs,
        u"DOMTOMJOB  http://www.domtomjob.com"_qs,
        u"OUEST FRANCE EMPLOI  http://www.ouestfrance-emploi.com"_qs,
        u"LE MONDE EMPLOI  http://emploi.lemonde.fr"_qs,
        u"PLACE EMPLOI PUBLIC  http://www.place-emploi-public.gouv.fr"_qs,
        u"FONCTION PUBLIQUE  http://www.fonction-publique.gouv.fr"_qs,
        u"EMPLOI TERRITORIAL  http://www.emploi-territorial.fr"_qs,
        u"CNFPT  http://www.cnfpt.fr"_qs,
        u"LA GAZETTE EMPLOI  http://www.lagazettedescommunes.com/emploi"_qs,
        u"FHF EMPLOI  http://emploi.fhf.fr"_qs,
        u"APHP RECRUTE  http://recrutement.aphp.fr"_qs,
        u"SERVICE PUBLIC  http://www.service-public.fr"_qs,
        u"1JEUNE1SOLUTION  http://www.1jeune1solution.gouv.fr"_qs,
        u"MISSIONS LOCALES  http://www.unml.info"_qs,
        u"CIDJ  http://www.cidj.com"_qs,
        u"ONISEP  http://www.onisep.fr"_qs,
        u"EURES  http://eures.europa.eu"_qs,
        u"EPSO  http://epso.europa.eu"_qs,
        u"EURAXESS  http://euraxess.ec.europa.eu"_qs,
        u"VIE BUSINESS FRANCE  http://mon-vie-via.businessfrance.fr"_qs,
        u"FRANCE VOLONTAIRES  http://www.france-volontaires.org"_qs,
        u"SERVICE CIVIQUE  http://www.service-civique.gouv.fr"_qs,
        u"FRANCE BENEVOLAT  http://www.francebenevolat.org"_qs,
        u"PVTISTES  http://pvtistes.net"_qs,
        u"LA BONNE ALTERNANCE  http://labonnealternance.apprentissage.beta.gouv.fr"_qs,
        u"PORTAIL ALTERNANCE  http://www.alternance.emploi.gouv.fr"_qs,
        u"L ETUDIANT  http://jobs-stages.letudiant.fr"_qs,
        u"STUDENTJOB  http://www.studentjob.fr"_qs,
        u"STUDYRAMA EMPLOI  http://www.studyrama-emploi.com"_qs,
        u"DIPLOMEO  http://diplomeo.com"_qs,
        u"WIZBII  http://www.wizbii.com"_qs,
        u"AFPA  http://www.afpa.fr"_qs,
        u"CNAM  http://www.cnam.fr"_qs,
        u"MON COMPTE FORMATION  http://www.moncompteformation.gouv.fr"_qs,
        u"INTERCARIFOREF  http://www.intercariforef.org"_qs,
        u"AGEFIPH  http://www.agefiph.fr"_qs,
        u"HANDICAP EMPLOI  http://emploi.handicap.fr"_qs,
        u"ARMEE DE TERRE  http://www.sengager.fr"_qs,
        u"MARINE NATIONALE  http://www.etremarin.fr"_qs,
        u"ARMEE DE L AIR  http://devenir-aviateur.fr"_qs,
        u"GENDARMERIE  http://www.lagendarmerierecrute.fr"_qs,
        u"POLICE NATIONALE  http://www.devenirpolicier.fr"_qs,
        u"POMPIERS  http://www.pompiers.fr"_qs,
        u"DOUANE  http://www.douane.gouv.fr"_qs,
        u"EDUCATION NATIONALE  http://www.education.gouv.fr"_qs,
        u"DEVENIR ENSEIGNANT  http://www.devenirenseignant.gouv.fr"_qs,
        u"CNRS  http://www.cnrs.fr"_qs,
        u"INSERM  http://www.inserm.fr"_qs,
        u"CEA  http://www.cea.fr"_qs,
        u"INRAE  http://www.inrae.fr"_qs,
        u"ABG DOCTORANTS  http://www.abg.asso.fr"_qs,
        u"ADECCO  http://www.adecco.fr"_qs,
        u"MANPOWER  http://www.manpower.fr"_qs,
        u"RANDSTAD  http://www.randstad.fr"_qs,
        u"CRIT INTERIM  http://www.groupe-crit.com"_qs,
        u"SYNERGIE  http://www.synergie.fr"_qs,
        u"START PEOPLE  http://www.startpeople.fr"_qs,
        u"PROMAN  http://www.proman-emploi.fr"_qs,
        u"SAMSIC EMPLOI  http://www.samsic-emploi.fr"_qs,
        u"PARTNAIRE  http://www.partnaire.fr"_qs,
        u"ACTUAL  http://www.groupeactual.eu"_qs,
        u"ADEQUAT  http://www.groupeadequat.fr"_qs,
        u"SUPPLAY  http://www.supplay.fr"_qs,
        u"DOMINO RH  http://www.domino-rh.com"_qs,
        u"ARTUS INTERIM  http://www.artus-interim.com"_qs,
        u"LEADER INTERIM  http://www.leaderinterim.com"_qs,
        u"EXPECTRA  http://www.expectra.fr"_qs,
        u"KELLY SERVICES  http://www.kellyservices.fr"_qs,
        u"MISTERTEMP  http://www.mistertemp.com"_qs,
        u"GOJOB  http://www.gojob.com"_qs,
        u"STAFFMATCH  http://www.staffmatch.com"_qs,
        u"SIDE  http://www.side.co"_qs,
        u"BRIGAD  http://www.brigad.co"_qs,
        u"EXTRACADABRA  http://www.extracadabra.com"_qs,
        u"STAFFME  http://www.staffme.fr"_qs,
        u"MICHAEL PAGE  http://www.michaelpage.fr"_qs,
        u"PAGE PERSONNEL  http://www.pagepersonnel.fr"_qs,
        u"HAYS  http://www.hays.fr"_qs,
        u"ROBERT HALF  http://www.roberthalf.fr"_qs,
        u"SPRING  http://www.spring-france.com"_qs,
        u"FREE WORK  http://www.free-work.com"_qs,
        u"LESJEUDIS  http://www.lesjeudis.com"_qs,
        u"CHOOSE YOUR BOSS  http://www.chooseyourboss.com"_qs,
        u"TURNOVER IT  http://www.turnover-it.com"_qs,
        u"MALT  http://www.malt.fr"_qs,
        u"CODEUR  http://www.codeur.com"_qs,
        u"CREME DE LA CREME  http://www.cremedelacreme.io"_qs,
        u"COMET  http://www.comet.co"_qs,
        u"UPWORK  http://www.upwork.com"_qs,
        u"FIVERR  http://www.fiverr.com"_qs,
        u"EFINANCIALCAREERS  http://www.efinancialcareers.fr"_qs,
        u"VILLAGE JUSTICE  http://www.village-justice.com"_qs,
        u"CARRIERES JURIDIQUES  http://www.carrieres-juridiques.com"_qs,
        u"FASHIONJOBS  http://fr.fashionjobs.com"_qs,
        u"PROFILCULTURE  http://www.profilculture.com"_qs,
        u"EMPLOI ENVIRONNEMENT  http://www.emploi-environnement.com"_qs,
        u"APECITA  http://www.apecita.com"_qs,
        u"ANEFA  http://www.anefa.org"_qs,
        u"WWOOF  http://wwoof.fr"_qs,
        u"STAFFSANTE  http://www.staffsante.fr"_qs,
        u"INFIRMIERS  http://www.infirmiers.com"_qs,
        u"ACTUSOINS  http://www.actusoins.com"_qs,
        u"RESEAU PRO SANTE  http://www.reseauprosante.fr"_qs,
        u"L HOTELLERIE EMPLOI  http://www.lhotellerie-restauration.fr/emploi"_qs,
        u"HOSCO  http://www.hosco.com"_qs,
        u"JOBS THAT MAKE SENSE  http://jobs.makesense.org"_qs,
        u"COORDINATION SUD  http://www.coordinationsud.org"_qs,
        u"SUPERPROF  http://www.superprof.fr"_qs,
        u"ACADOMIA  http://www.acadomia.fr"_qs,
        u"COMPLETUDE  http://www.completude.com"_qs,
        u"YOOPIES  http://yoopies.fr"_qs,
        u"NOUNOU TOP  http://www.nounou-top.fr"_qs,
        u"O2 SERVICES  http://www.o2.fr"_qs,
        u"SHIVA  http://www.shiva.fr"_qs,
        u"PAJEMPLOI  http://www.pajemploi.urssaf.fr"_qs,
        u"CESU  http://www.cesu.urssaf.fr"_qs,
        u"AFT TRANSPORT  http://www.aft-dev.com"_qs,
        u"SNCF RECRUTE  http://www.emploi.sncf.com"_qs,
        u"RATP  http://www.ratp.fr"_qs,
        u"LA POSTE RECRUTE  http://www.laposterecrute.fr"_qs,
        u"AIR FRANCE  http://recrutement.airfrance.com"_qs,
        u"EDF  http://www.edf.fr"_qs,
        u"ENGIE  http://www.engie.com"_qs,
        u"ORANGE  http://orange.jobs"_qs,
        u"TOTALENERGIES  http://www.totalenergies.com"_qs,
        u"THALES  http://www.thalesgroup.com"_qs,
        u"AIRBUS  http://www.airbus.com"_qs,
        u"SAFRAN  http://www.safran-group.com"_qs,
        u"RENAULT  http://www.renaultgroup.com"_qs,
        u"STELLANTIS  http://www.stellantis.com"_qs,
        u"MICHELIN  http://recrutement.michelin.fr"_qs,
        u"L OREAL  http://www.loreal.fr"_qs,
        u"DANONE  http://www.danone.fr"_qs,
        u"CARREFOUR  http://www.carrefour.com"_qs,
        u"AUCHAN RECRUTE  http://www.auchan-recrute.fr"_qs,
        u"LECLERC  http://www.recrutement.leclerc"_qs,
        u"INTERMARCHE  http://www.intermarche.com"_qs,
        u"LIDL  http://www.lidl.fr"_qs,
        u"DECATHLON  http://www.decathlon.fr"_qs,
        u"IKEA  http://www.ikea.com/fr"_qs,
        u"LEROY MERLIN  http://www.leroymerlin.fr"_qs,
        u"FNAC DARTY  http://www.fnacdarty.com"_qs,
        u"SODEXO  http://www.sodexo.fr"_qs,
        u"ACCOR  http://www.accor.com"_qs,
        u"BNP PARIBAS  http://group.bnpparibas"_qs,
        u"SOCIETE GENERALE  http://www.societegenerale.com"_qs,
        u"CREDIT AGRICOLE  http://www.credit-agricole.com"_qs,
        u"AXA  http://www.axa.fr"_qs,
        u"BOUYGUES  http://www.bouygues.com"_qs,
        u"VINCI  http://www.vinci.com"_qs,
        u"EIFFAGE  http://www.eiffage.com"_qs,
        u"CAPGEMINI  http://www.capgemini.com"_qs,
        u"SOPRA STERIA  http://www.soprasteria.fr"_qs,
        u"ATOS  http://atos.net"_qs,
        u"DASSAULT SYSTEMES  http://www.3ds.com"_qs,
        u"ALTEN  http://www.alten.fr"_qs,
        u"AKKODIS  http://www.akkodis.com"_qs,
        u"ASSYSTEM  http://www.assystem.com"_qs,
        u"VEOLIA  http://www.veolia.fr"_qs,
        u"SUEZ  http://www.suez.com"_qs,
        u"SAINT GOBAIN  http://www.saint-gobain.com"_qs,
        u"SCHNEIDER ELECTRIC  http://www.se.com/fr"_qs,
        u"LVMH  http://www.lvmh.fr"_qs,
        u"HERMES  http://www.hermes.com"_qs,
        u"KERING  http://www.kering.com"_qs,
        u"POLE EMPLOI  http://www.pole-emploi.fr"_qs,
        u"CREDIT MUTUEL  http://www.creditmutuel.fr"_qs,
        u"VILLE DE PARIS  http://www.paris.fr/recrutement"_qs,
        u"DISNEYLAND PARIS  http://www.disneylandparis.com"_qs,
        u"BPIFRANCE  http://www.bpifrance.fr"_qs,
    };
    return lignes;
}

bool ecrireSiAbsent(const QString& chemin)
{
    const QFileInfo info(chemin);
    if (info.exists() || info.isSymLink())
        return false;
    return FichiersTexte::ecrireLignes(chemin, lignesIntegrees());
}

QStringList lire(const QString& chemin)
{
    QStringList liste;
    // A file edited on this system may end its lines with a bare line feed.
    const std::optional<QStringList> lignes = FichiersTexte::lireLignesEditees(chemin);
    if (!lignes)
        return liste;
    for (const QString& ligne : *lignes)
        if (ligne.contains(u'/'))
            liste << ligne;
    return liste;
}

QStringList charger(const QString& dossier)
{
    const QString chemin = QDir(dossier).filePath(nomFichier());
    ecrireSiAbsent(chemin);
    return lire(chemin);
}

QString adresseDeLigne(const QString& ligne)
{
    const qsizetype debut = ligne.indexOf(u"http"_qs);
    return debut < 0 ? QString() : ligne.mid(debut);
}

} // namespace ListeSites

#include "register/stats/formstat.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/plateforme.h"
#include "register/stats/comptes_statuts.h"
#include "register/store/handles_partages.h"
#include "shell/controls/zone_texte.h"
#include "shell/mainwindow/liens_fenetres.h"
#include "shell/mainwindow/principale.h"
#include "shell/services/twips.h"

namespace {

constexpr int LargeurCellule = 480; // twips
constexpr int HauteurCellule = 255;
constexpr int GaucheGrilles = 360;
constexpr int HautGrilles[2] = {1125, 3345};
// The counts' rows: the status, its count, its bar; the bars keep inside their panel.
constexpr QRect PanneauComptes(4080, 480, 7920, 3600);
constexpr int HautLigneStatut = 870;
constexpr int PasStatut = 240;
constexpr int GaucheStatut = 4200, LargeurStatut = 4080;
constexpr int GaucheNombre = GaucheStatut + LargeurStatut, LargeurNombre = 660;
constexpr int GaucheBarres = 9030;
constexpr int FinBarres = PanneauComptes.x() + PanneauComptes.width() - 120;
constexpr int PlaceBarres = FinBarres - GaucheBarres - 1;

const QColor GrisJour(0x80, 0x80, 0x80);
const QColor RougeDimanche(0xFF, 0x00, 0x00);
const QColor FondAujourdhui(0xFF, 0xC0, 0x80);
const QColor BleuTexte(0x24, 0x34, 0x5C);

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, const QRect& twips, bool gras = false)
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    l->setFont(Dessins::police(QStringLiteral("Arial"), 8.25, gras));
    l->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, BleuTexte);
    l->setPalette(p);
    return l;
}

void colorer(QLabel* l, const QColor& texte, const QColor& fond)
{
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, texte);
    p.setColor(QPalette::Window, fond);
    l->setPalette(p);
}

bool estDimanche(int cellule) { return cellule % 7 == 6; }

} // namespace

FormStat::FormStat()
{
    setObjectName(NomConception);
    // A tool window with a title and no close box: only "Ok" closes it.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_DeleteOnClose);
    marquerFenetreSuperieure(this);
    setWindowTitle(QStringLiteral("Statistiques"));
    setFixedSize(Twips::taille(Largeur, Hauteur));
    QPalette fond = palette();
    fond.setColor(QPalette::Window, Qt::white);
    setPalette(fond);
    setAutoFillBackground(true);

    // Three framed panels: the calendar, the counts, the interviews to come.
    new CadreBleu(QString(), QRect(120, 480, 3840, 5100), this);
    new CadreBleu(QString(), PanneauComptes, this);
    new CadreBleu(QString(), QRect(4080, 4200, 7920, 1380), this);

    DateJour = etiquette(this, QStringLiteral("DateJour"), QString(), QRect(240, 120, 6000, 300), true);
    MoisCal1 = etiquette(this, QStringLiteral("MoisCal1"), QString(), QRect(GaucheGrilles, 600, 3360, 255), true);
    MoisCal2 = etiquette(this, QStringLiteral("MoisCal2"), QString(), QRect(GaucheGrilles, 2820, 3360, 255), true);
    for (int g = 0; g < 2; ++g) {
        Label1[size_t(2 + g)] = etiquette(this, QStringLiteral("Label1_%1").arg(2 + g), QStringLiteral(" L  M  M  J   V   S   D"),
                                          QRect(GaucheGrilles, HautGrilles[g] - HauteurCellule, 3360, HauteurCellule), true);
        Label1[size_t(2 + g)]->hide(); // replaced by the aligned day initials below
    }
    // The weekday initials, one above each column.
    const QString initiales = QStringLiteral("LMMJVSD");
    for (int g = 0; g < 2; ++g)
        for (int colonne = 0; colonne < 7; ++colonne) {
            QLabel* l = etiquette(this, QStringLiteral("Initiale_%1_%2").arg(g).arg(colonne), initiales.mid(colonne, 1),
                                  QRect(GaucheGrilles + colonne * LargeurCellule, HautGrilles[g] - HauteurCellule,
                                        LargeurCellule, HauteurCellule),
                                  true);
            l->setAlignment(Qt::AlignCenter);
        }

    for (int i = 0; i < CalendrierStat::NombreCellules; ++i) {
        const int grille = i / CalendrierStat::CellulesParGrille, dans = i % CalendrierStat::CellulesParGrille;
        QLabel* l = etiquette(this, QStringLiteral("Jour_%1").arg(i), QStringLiteral("00"),
                              QRect(GaucheGrilles + (dans % 7) * LargeurCellule, HautGrilles[grille] + (dans / 7) * HauteurCellule,
                                    LargeurCellule, HauteurCellule));
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        colorer(l, estDimanche(i) ? RougeDimanche : GrisJour, Qt::white);
        Jour[size_t(i)] = l;
    }

    etiquette(this, QStringLiteral("Titre1"), QStringLiteral("Statistiques sur les candidatures"), QRect(4200, 570, 6000, 300), true);
    ListeStatuts = new QListWidget(this);
    ListeStatuts->setObjectName(QStringLiteral("ListeStatuts"));
    ListeStatuts->addItems(ComptesStatuts::statutsComptes());
    ListeStatuts->hide();
    for (int i = 0; i < NombreLignes; ++i) {
        const int haut = HautLigneStatut + i * PasStatut;
        Statut[size_t(i)] = etiquette(this, QStringLiteral("Statut_%1").arg(i), QString(),
                                      QRect(GaucheStatut, haut, LargeurStatut, PasStatut));
        Nb[size_t(i)] = etiquette(this, QStringLiteral("Nb_%1").arg(i), QString(),
                                  QRect(GaucheNombre, haut, LargeurNombre, PasStatut), true);
        Nb[size_t(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* barre = new QWidget(this);
        barre->setObjectName(QStringLiteral("Graph_%1").arg(i));
        QPalette p = barre->palette();
        p.setColor(QPalette::Window, QColor(0xFF, 0x66, 0x00));
        barre->setPalette(p);
        barre->setAutoFillBackground(true);
        Graph[size_t(i)] = barre;
        fixerGraph(i, 615);
    }

    Statut[NombreStatuts]->setText(ComptesStatuts::AutresStatuts);

    etiquette(this, QStringLiteral("Titre2"), QStringLiteral("Actions  futures à mener"), QRect(4200, 4260, 6000, 255), true);
    RDV = new ZoneTexte(this);
    RDV->setObjectName(QStringLiteral("RDV"));
    RDV->setReadOnly(true);
    RDV->setFont(Dessins::police(QStringLiteral("Arial"), 8.25));
    RDV->setGeometry(Twips::rect(4200, 4560, 7680, 960));

    BoutonKVL1 = new BoutonKVL(QStringLiteral("Ok"), QRect(Largeur - 1215 - 240, Hauteur - 450, 1215, 300), this);
    BoutonKVL1->setObjectName(QStringLiteral("BoutonKVL1"));
    connect(BoutonKVL1, &BoutonKVL::Click, this, &FormStat::BoutonKVL1_Click);
}

void FormStat::fixerGraph(int i, int largeurTwips)
{
    largeursGraph_[size_t(i)] = largeurTwips;
    const int haut = HautLigneStatut + i * PasStatut;
    // At least one pixel, so that an empty count still shows where its bar starts.
    Graph[size_t(i)]->setGeometry(Twips::versPixels(GaucheBarres), Twips::versPixels(haut + 45),
                                  std::max(1, Twips::versPixels(largeurTwips)), Twips::versPixels(150));
}

bool FormStat::lireRegistre(QList<CalendrierStat::RendezVous>& rendezVous)
{
    Systeme::BaseCandidatures() = ::BaseCandidatures::ouvrir(::BaseCandidatures::cheminParDefaut());
    if (!Systeme::BaseCandidatures())
        return false;
    Stockage::BaseDonnees& base = Systeme::BaseCandidatures()->base();
    bool lu = true;
    auto compter = [&](const QString& condition, const QVariantList& valeurs) -> qint64 {
        Systeme::JeuCandidatures() =
            base.ouvrirJeu(QStringLiteral("select count(*) as toto from Candidatures") + condition, valeurs);
        Stockage::JeuEnregistrements* jeu = Systeme::JeuCandidatures().get();
        if (!jeu || jeu->estVide()) {
            lu = false;
            return -1;
        }
        jeu->premier();
        return jeu->valeur(QStringLiteral("toto")).toLongLong();
    };
    // Each status compares as the register compares it (the start-up ageing picks its rows so);
    // the statuses are distinct that way, so no application is counted twice.
    QList<qint64> nombres;
    qint64 comptes = 0;
    for (int i = 0; i < NombreStatuts; ++i) {
        Statut[size_t(i)]->setText(ListeStatuts->item(i)->text());
        nombres << compter(QStringLiteral(" where statut = ?"), {Statut[size_t(i)]->text()});
        comptes += nombres.last();
    }
    const qint64 total = compter(QString(), {});
    nombres << (lu ? total - comptes : -1);
    const QList<int> largeurs = ComptesStatuts::largeursBarres(nombres, PlaceBarres);
    for (int i = 0; i < NombreLignes; ++i) {
        fixerGraph(i, largeurs[i]);
        Nb[size_t(i)]->setText(ComptesStatuts::texteNombre(nombres[i]));
    }
    afficherAutres(nombres.last() > 0);

    Systeme::JeuCandidatures() = base.ouvrirJeu(QStringLiteral("select * from Candidatures "));
    if (Stockage::JeuEnregistrements* jeu = Systeme::JeuCandidatures().get()) {
        for (jeu->premier(); !jeu->finFichier(); jeu->suivant())
            rendezVous << CalendrierStat::RendezVous{jeu->texte(QStringLiteral("Societe")), jeu->date(QStringLiteral("DateRDV"))};
    } else {
        lu = false;
    }
    return lu;
}

void FormStat::afficherAutres(bool visible)
{
    for (QWidget* w : {static_cast<QWidget*>(Statut[NombreStatuts]), static_cast<QWidget*>(Nb[NombreStatuts]), Graph[NombreStatuts]})
        w->setVisible(visible);
}

void FormStat::Form_Load()
{
    LiensFenetres::appeler(LiensFenetres::arreterGlissementAccueil);
    for (QLabel* l : Jour)
        l->clear();

    QList<CalendrierStat::RendezVous> rendezVous;
    for (int i = 0; i < NombreLignes; ++i) {
        if (i < NombreStatuts)
            Statut[size_t(i)]->setText(ListeStatuts->item(i)->text());
        Nb[size_t(i)]->clear();
        fixerGraph(i, 1);
    }
    afficherAutres(false);
    const bool lu = lireRegistre(rendezVous);
    Systeme::fermerHandlesPartages();

    const QDate aujourdhui = Plateforme::instance().horloge().aujourdhui();
    const CalendrierStat::Calendrier c = CalendrierStat::Calculer(aujourdhui, rendezVous);
    for (int i = 0; i < CalendrierStat::NombreCellules; ++i) {
        Jour[size_t(i)]->setText(c.jours[size_t(i)]);
        if (c.gras[size_t(i)]) {
            QFont f = Jour[size_t(i)]->font();
            f.setBold(true);
            Jour[size_t(i)]->setFont(f);
            colorer(Jour[size_t(i)], Qt::black, Jour[size_t(i)]->palette().color(QPalette::Window));
        }
    }
    if (c.celluleAujourdhui >= 0) {
        QLabel* l = Jour[size_t(c.celluleAujourdhui)];
        colorer(l, l->palette().color(QPalette::WindowText), FondAujourdhui);
    }
    MoisCal1->setText(c.moisCal1);
    MoisCal2->setText(c.moisCal2);
    DateJour->setText(c.dateJour);
    QString lignes = c.rdv;
    lignes.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    RDV->setPlainText(lignes);

    // Placed over the main window when it is there, else in the middle of the screen.
    QRect zone;
    if (auto* p = RegistreFenetres::instance().siChargee<Principale>())
        zone = p->geometry();
    else if (QScreen* ecran = QGuiApplication::primaryScreen())
        zone = ecran->availableGeometry();
    move(zone.center() - rect().center());

    if (!lu)
        MsgBox(QStringLiteral("Le registre des candidatures (Kerval.mdb) n'a pas pu être lu : les statistiques sont incomplètes."));
}

void FormStat::BoutonKVL1_Click()
{
    LiensFenetres::appeler(LiensFenetres::relancerGlissementAccueil);
    RegistreFenetres::instance().decharger(NomConception);
}

void OuvrirStatistiques()
{
    FormStat& f = Forme<FormStat>();
    f.show();
    f.raise();
    f.activateWindow();
}

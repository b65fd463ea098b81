#include "cveditor/rendu_cv.h"

#include "shell/services/fichiers_texte.h"
#include "shell/services/fonctionnel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QStringEncoder>

namespace RenduCV {

using FichierCV::ValeursCV;

const QString PolitiqueSecurite = QStringLiteral(
    "<meta http-equiv=\"Content-Security-Policy\" content=\"script-src 'none'; object-src 'none'; "
    "frame-src 'none'; base-uri 'none'; form-action 'none'\">");

const QString DebutDetail = QStringLiteral("<span style='display:block; padding-left:40px'>");
const QString FinDetail = QStringLiteral("<br></span>");

namespace {
const QString CRLF = QStringLiteral("\r\n");

using Fonctionnel::SansBlancs;

// An option box holding exactly the number 1.
bool estUn(const QString& t)
{
    bool ok = false;
    const double v = t.trimmed().toDouble(&ok);
    return ok && v == 1;
}

// Keeps the page up to and including the first `a`, then goes on from the first `b` after it.
void couper(QString& page, QLatin1String a, QLatin1String b)
{
    const qsizetype pa = page.indexOf(a);
    if (pa < 0)
        return;
    const qsizetype fin = pa + a.size();
    const qsizetype pb = page.indexOf(b, fin);
    if (pb < 0)
        return;
    page.remove(fin, pb - fin);
}

// Where the policy goes: just inside the head, else the html element, else after a doctype.
qsizetype placePolitique(const QString& page)
{
    for (QLatin1String balise : {QLatin1String("<head"), QLatin1String("<html")}) {
        qsizetype p = 0;
        while ((p = page.indexOf(balise, p, Qt::CaseInsensitive)) >= 0) {
            const qsizetype apres = p + balise.size();
            if (apres < page.size() && (page.at(apres) == u'>' || page.at(apres).isSpace())) {
                const qsizetype fin = page.indexOf(u'>', apres);
                if (fin >= 0)
                    return fin + 1;
            }
            p = apres;
        }
    }
    if (page.startsWith(QLatin1String("<!"))) {
        const qsizetype fin = page.indexOf(u'>');
        if (fin >= 0)
            return fin + 1;
    }
    return 0;
}

// Characters that Windows-1252 lacks, as character references.
QString enCodePage(const QString& page)
{
    QStringEncoder e("windows-1252");
    if (!e.isValid())
        return page;
    const QByteArray tout = e.encode(page);
    Q_UNUSED(tout);
    if (!e.hasError())
        return page;
    QString r;
    r.reserve(page.size() + 64);
    QHash<char16_t, bool> dejaVus; // character -> has no Windows-1252 byte
    const qsizetype n = page.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = page.at(i);
        if (c.unicode() < 0x80) {
            r += c;
            continue;
        }
        char32_t code = c.unicode();
        qsizetype largeur = 1;
        if (c.isHighSurrogate() && i + 1 < n && page.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, page.at(i + 1));
            largeur = 2;
        }
        const QString morceau = page.mid(i, largeur);
        // A page holds few different characters: each is put to the code page once.
        bool sansEquivalent = c.isSurrogate();
        if (!sansEquivalent) {
            auto connu = dejaVus.constFind(c.unicode());
            if (connu == dejaVus.cend()) {
                QStringEncoder un("windows-1252");
                const QByteArray octets = un.encode(morceau);
                Q_UNUSED(octets);
                connu = dejaVus.insert(c.unicode(), un.hasError());
            }
            sansEquivalent = *connu;
        }
        if (sansEquivalent)
            r += QStringLiteral("&#") + QString::number(quint32(code)) + u';';
        else
            r += morceau;
        i += largeur - 1;
    }
    return r;
}
} // namespace

MiseEnForme MiseEnForme::depuis(const ValeursCV& cv)
{
    return {estUn(cv.texte(QStringLiteral("Gras"))), estUn(cv.texte(u"Souligné"_qs)),
            estUn(cv.texte(QStringLiteral("Indentation"))), estUn(cv.texte(QStringLiteral("Saut")))};
}

QString composerLangues(const ValeursCV& cv)
{
    static const char* const niveaux[] = {" scolaire", " professionnel", " courant", " bilingue"};
    QString s;
    const QStringList& langues = FichierCV::langues();
    const QStringList& groupes = FichierCV::groupesLangue();
    for (int k = 0; k < langues.size(); ++k)
        for (int n = 0; n < groupes.size(); ++n)
            if (cv.coche(groupes.at(n), k))
                s += langues.at(k) + QLatin1String(niveaux[n]) + CRLF;
    const QString plus = cv.texte(QStringLiteral("LanguesPlus"));
    if (!SansBlancs(plus).isEmpty())
        return s + CRLF + plus;
    return s;
}

QString formaterParagraphes(const QString& texte, const MiseEnForme& forme)
{
    QString t = texte;
    t.replace(u'\t', u' ');
    t = SansBlancs(t);
    if (t.endsWith(CRLF))
        t.chop(2);
    if (t.startsWith(CRLF))
        t.remove(0, 2);
    // A text with nothing left has no line at all, not one empty heading.
    if (t.isEmpty())
        return {};
    const QStringList lignes = t.split(CRLF);
    const QLocale locale;
    QString r;
    QString precedente;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        QString ligne = lignes.at(i);
        if (ligne.size() >= 2 && ligne.at(1) == u' ')
            ligne.remove(0, 2);
        const bool entete = i == 0 || SansBlancs(precedente).isEmpty() || SansBlancs(ligne).endsWith(u':') ||
                            locale.toUpper(ligne.left(3)) == QLatin1String("DE ") ||
                            Fonctionnel::Valeur(ligne) > 0 || Fonctionnel::NumeroMois(ligne) > 0;
        if (entete) {
            if (i != 0 && forme.saut)
                r += QLatin1String("<br>");
            if (forme.gras && forme.souligne)
                r += QLatin1String("<b><u>") + ligne + QLatin1String("</b></u><br>");
            else if (forme.gras)
                r += QLatin1String("<b>") + ligne + QLatin1String("</b><br>");
            else if (forme.souligne)
                r += QLatin1String("<u>") + ligne + QLatin1String("</u><br>");
            else
                r += ligne + QLatin1String("<br>");
        } else if (forme.indentation) {
            r += DebutDetail + ligne + FinDetail;
        } else {
            r += ligne + QLatin1String("<br>");
        }
        precedente = ligne;
    }
    if (r.endsWith(QLatin1String("<br>")))
        r.chop(4);
    return r;
}

QString decorer(const QString& boite, const QString& v, const QString& prenom)
{
    if (boite == u"DateNaissance") {
        if (v.isEmpty())
            return v;
        return (Fonctionnel::EstPrenomFeminin(prenom) ? u"Née le "_qs : u"Né le "_qs) + v;
    }
    if (boite == u"Situation") {
        if (v == u"Marié(e)")
            return Fonctionnel::EstPrenomFeminin(prenom) ? u"Mariée"_qs : u"Marié"_qs;
        if (v == u"Divorcé(e)")
            return Fonctionnel::EstPrenomFeminin(prenom) ? u"Divorcée"_qs : u"Divorcé"_qs;
        return v;
    }
    if (v.isEmpty())
        return v;
    if (boite == u"LieuNaissance")
        return u"à "_qs + v;
    if (boite == u"Tel")
        return u"Téléphone : "_qs + v;
    if (boite == u"Mob")
        return QStringLiteral("Mobile : ") + v;
    if (boite == u"Age")
        return u'(' + v + QStringLiteral(" ans)");
    if (boite == u"NbEnfants") {
        if (Fonctionnel::Valeur(v) > 0) {
            QString r = v + QStringLiteral(" enfant");
            if (Fonctionnel::Valeur(r) > 1)
                r += u's';
            return r;
        }
    }
    return v;
}

QString composer(const QString& modele, const ValeursCV& cvRecu, bool photo)
{
    ValeursCV cv = cvRecu;
    cv.fixer(QStringLiteral("Langues"), composerLangues(cv));

    QString page = modele;
    // The policy is laid down before any CV text enters the page.
    page.insert(placePolitique(page), PolitiqueSecurite);

    const QString police = cv.texte(QStringLiteral("Police"));
    if (!police.isEmpty() && police != u"Arial")
        page.replace(QLatin1String("Arial"), police);

    if (page.contains(QLatin1String("P03")) && page.contains(QLatin1String("P07"))) {
        struct Coupe {
            const char* boite;
            const char* a;
            const char* b;
        };
        static const Coupe coupes[] = {{"Formations", "P02", "P03"}, {"Langues", "P05", "P06"},
                                       {"Divers", "P06", "P07"},     {"Competences", "P04", "P05"},
                                       {"Experiences", "P03", "P04"}, {"Etudes", "P01", "P02"}};
        for (const Coupe& c : coupes) {
            QString texte = cv.texte(QLatin1String(c.boite));
            if (qstrcmp(c.boite, "Langues") == 0)
                texte.remove(CRLF);
            if (SansBlancs(texte).isEmpty())
                couper(page, QLatin1String(c.a), QLatin1String(c.b));
        }
    }

    const MiseEnForme forme = MiseEnForme::depuis(cv);
    const QString prenom = cv.texte(u"Prénom"_qs);
    for (const QString& boite : FichierCV::boites()) {
        QString cle = boite;
        cle.replace(u'é', u'e');
        cle = u'#' + cle + u'#';
        if (!page.contains(cle))
            continue;
        const QString texte = cv.texte(boite);
        if (boite == u"Experiences" || boite == u"Etudes" || boite == u"Competences") {
            page.replace(u'#' + boite + u'#', formaterParagraphes(texte, forme));
        } else {
            QString v = decorer(boite, texte, prenom);
            v.replace(CRLF, QLatin1String("<br>"));
            page.replace(cle, v);
        }
    }

    if (page.contains(QLatin1String("P01")) && cv.coche(QStringLiteral("CheckDisposition"), 1)) {
        const qsizetype p1 = page.indexOf(QLatin1String("P01"));
        const qsizetype p3 = page.indexOf(QLatin1String("P03"), p1);
        const qsizetype p5 = p3 < 0 ? -1 : page.indexOf(QLatin1String("P05"), p3);
        if (p3 >= 0 && p5 >= 0)
            page = page.left(p1) + page.mid(p3, p5 - p3) + page.mid(p1, p3 - p1) + page.mid(p5);
    }

    page.replace(QLatin1String("#Photographie#"),
                 photo ? QStringLiteral("<IMG STYLE='border: 1.00pt solid #FF6600; padding: 0.05cm' "
                                        "SRC='Photo.jpg' WIDTH=100>")
                       : QString());
    page.replace(u"#Prénom#"_qs, prenom);

    const QString couleur = cv.texte(QStringLiteral("Couleur"));
    const QString claire = cv.texte(QStringLiteral("CouleurClaire"));
    page.replace(QLatin1String("#FF6600"), couleur);
    page.replace(QLatin1String("#808080"), couleur);
    page.replace(QLatin1String("#c0c0c0"), claire);
    page.replace(QLatin1String("#FFE6D5"), claire);

    if (estUn(cv.texte(QStringLiteral("LangueCV"))))
        page = Fonctionnel::TraduireCVAnglais(page);

    for (const char* m : {"P01", "P02", "P03", "P04", "P05", "P06", "P07"})
        page.remove(QLatin1String(m));
    return enCodePage(page);
}

std::optional<QString> lireModele(const QString& chemin)
{
    const auto lignes = FichiersTexte::lireLignes(chemin);
    if (!lignes)
        return std::nullopt;
    QString page;
    for (const QString& l : *lignes) {
        page += l;
        page += CRLF;
    }
    return page;
}

QString cheminModele(const QString& dossierDonnees, const QString& fichierModele)
{
    return dossierDonnees + QStringLiteral("/Modeles/") + fichierModele;
}

QString cheminPage(const QString& dossierDonnees) { return dossierDonnees + QStringLiteral("/Modeles/CVtemp.html"); }

Rendu rendre(const QString& dossierDonnees, const ValeursCV& cv)
{
    Rendu r;
    r.langues = composerLangues(cv);
    const QString fichier = cv.texte(u"Modèle"_qs);
    // The model is a file of Modeles, never a path elsewhere.
    if (fichier.isEmpty() || fichier.contains(u'/') || fichier.contains(u'\\') || fichier == u"." || fichier == u"..")
        return r;
    const QString chemin = cheminModele(dossierDonnees, fichier);
    const auto modele = lireModele(chemin);
    if (!modele)
        return r;

    const QString nomCV = cv.texte(QStringLiteral("NomCV"));
    const QString photo = FichierCV::cheminPhoto(dossierDonnees, nomCV);
    const QString copie = dossierDonnees + QStringLiteral("/Modeles/Photo.jpg");
    bool avecPhoto = false;
    if (nomCV.contains(u'/')) {
        // no photograph of its own
    } else if (QFileInfo(photo).absoluteFilePath() == QFileInfo(copie).absoluteFilePath()) {
        // A CV named "Photo" already is its own copy: deleting it first would lose it.
        avecPhoto = FichiersTexte::lisible(photo);
    } else if (const std::optional<QByteArray> octets = FichiersTexte::lireOctets(photo)) {
        avecPhoto = true;
        QFile::remove(copie);
        FichiersTexte::ecrireOctets(copie, *octets);
    }

    const QString page = composer(*modele, cv, avecPhoto);
    if (!FichiersTexte::ecrire(cheminPage(dossierDonnees), page + CRLF)) {
        r.issue = Issue::EcritureImpossible;
        return r;
    }
    r.issue = Issue::Rendu;
    r.cheminPage = cheminPage(dossierDonnees);
    return r;
}

} // namespace RenduCV

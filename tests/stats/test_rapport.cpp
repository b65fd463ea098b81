#include <QDir>
#include <gtest/gtest.h>

#include "outils.h"
#include "register/reports/rapport_html.h"
#include "shell/services/fonctionnel.h"

namespace {

// The applications of a case: blocks of "Champ=valeur" lines, separated by "--" lines.
QList<ChampsCandidature> lireRegistre(const QString& texte)
{
    QList<ChampsCandidature> candidatures;
    QString t = texte;
    t.replace(u"\r\n"_qs, u"\n"_qs);
    if (t.trimmed().isEmpty())
        return candidatures;
    for (const QString& bloc : t.split(u"\n--\n"_qs))
        candidatures << Outils::lireValeurs(bloc);
    return candidatures;
}

// The expected file's text with every line ended by CR LF (the case file may hold LF).
QString texteAttendu(const QString& texte)
{
    QString t = texte;
    t.replace(u"\r\n"_qs, u"\n"_qs);
    t.replace(u"\n"_qs, u"\r\n"_qs);
    return t;
}

} // namespace

// Every golden case: cas.txt (Genre, Aujourdhui, Prenom, Nom), registre.txt (the applications
// in register order) and attendu.html (the report's lines).
TEST(RapportHtml, CasDeReference)
{
    const QStringList cas = Outils::dossiersCas(u"rapport"_qs);
    ASSERT_GE(cas.size(), 5);
    for (const QString& dossier : cas) {
        SCOPED_TRACE(dossier.toStdString());
        const QMap<QString, QString> v = Outils::lireValeurs(Outils::lireCas(dossier, u"cas.txt"_qs));
        const std::optional<QDate> aujourdhui = Fonctionnel::LireDate(v.value(u"Aujourdhui"_qs));
        ASSERT_TRUE(aujourdhui);
        const QStringList obtenu =
            RapportHtml::Lignes(qint16(v.value(u"Genre"_qs).toInt()), lireRegistre(Outils::lireCas(dossier, u"registre.txt"_qs)),
                                *aujourdhui, v.value(u"Prenom"_qs), v.value(u"Nom"_qs));
        const QString texte = obtenu.isEmpty() ? QString() : obtenu.join(u"\r\n"_qs) + u"\r\n"_qs;
        EXPECT_EQ(texte.toStdString(), texteAttendu(Outils::lireCas(dossier, u"attendu.html"_qs)).toStdString());
    }
}

TEST(RapportHtml, EchapperLaisseLeTexteLisible)
{
    EXPECT_EQ(RapportHtml::Echapper(u"<b>R&D</b> \"l'été\""_qs), u"&lt;b&gt;R&amp;D&lt;/b&gt; &quot;l&#39;été&quot;"_qs);
    // Characters of Windows-1252 stay as they are; the others become numeric references.
    EXPECT_EQ(RapportHtml::Echapper(u"€ Œ ÿ"_qs), u"€ Œ ÿ"_qs);
    EXPECT_EQ(RapportHtml::Echapper(u"∑ ę"_qs), u"&#8721; &#281;"_qs);
    EXPECT_EQ(RapportHtml::Echapper(QString::fromUtf8("\xF0\x9F\x98\x80")), u"&#128512;"_qs); // one reference for a pair
    EXPECT_EQ(RapportHtml::Echapper(QString(QChar(0xD800))), u"&#65533;"_qs); // a lone half
}

// What a page shown in the register's web panel may do by itself, with the real browser: it opens
// no window as it loads (a click of the user still does), and a page from the disk reads no other
// file of the user's, which a capture would then put into the register.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "banc.h"
#include "platform/navigateur_web.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Outils::attendre;

// The register window shown with its web panel, on the real browser.
struct Panneau {
    Banc b{false, true};
    CadreWeb& web = *b.f->CadreWeb;
    NavigateurWeb& nav = *qobject_cast<NavigateurWeb*>(web.WebBrowser1);

    Panneau()
    {
        b.f->resize(1000, 760);
        b.f->show();
        web.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(b.f));
    }

    // The address typed into the address box, as the user does, then Enter; true once that page
    // is shown.
    bool taperAdresse(const QString& adresse, const QString& attendue)
    {
        QTest::mouseClick(web.AdresseWeb, Qt::LeftButton);
        web.AdresseWeb->selectAll();
        QTest::keyClick(web.AdresseWeb, Qt::Key_Delete);
        Outils::taper(web.AdresseWeb, adresse);
        QTest::keyClick(web.AdresseWeb, Qt::Key_Return);
        return attendre([&] { return nav.LocationURL() == attendue && nav.ReadyState() == EtatPage::Complet; });
    }

    QVariant evaluer(const QString& script)
    {
        auto reponse = std::make_shared<std::optional<QVariant>>();
        nav.vue()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                         [reponse](const QVariant& v) { *reponse = v; });
        EXPECT_TRUE(attendre([&] { return reponse->has_value(); })) << script.toStdString();
        return reponse->value_or(QVariant());
    }

    // A click of the user in the middle of the page's element of that id.
    void cliquer(const QString& id)
    {
        const QVariantList c = evaluer(u"(function(){var r=document.getElementById('%1').getBoundingClientRect();"
                                       "return [r.left + r.width / 2, r.top + r.height / 2];})()"_qs.arg(id))
                                   .toList();
        ASSERT_EQ(c.size(), 2) << id.toStdString();
        QTest::mouseClick(nav.vue()->focusProxy(), Qt::LeftButton, {}, QPoint(c[0].toInt(), c[1].toInt()));
    }
};

} // namespace

TEST(PagesDuPanneau, UneFenetreOuverteAuChargementNeRemplacePasLAnnonce)
{
    Panneau p;
    QTemporaryDir pages;
    const QString autre = pages.filePath(u"autre.html"_qs);
    Outils::ecrireOctets(autre, "<html><body><p>Autre page</p></body></html>");
    // The page tells whether the engine gave it the window it asked for.
    const QString annonce = pages.filePath(u"annonce.html"_qs);
    Outils::ecrireOctets(annonce,
                         "<html><head><title>Annonce</title></head><body><p>Comptable H/F - CDI - Rennes</p>"
                         "<p><button id='voir' style='font-size: 30px' onclick=\"window.open('autre.html')\">Voir</button></p>"
                         "<script>var w = window.open('autre.html'); document.title = w ? 'ouverte' : 'refusee';</script>"
                         "</body></html>");
    ASSERT_TRUE(p.taperAdresse(adresseFichier(annonce), adresseFichier(annonce))) << p.nav.LocationURL().toStdString();
    EXPECT_EQ(p.nav.vue()->page()->title(), u"refusee"_qs);
    EXPECT_EQ(p.nav.LocationURL(), adresseFichier(annonce));
    EXPECT_TRUE(p.nav.innerText().contains(u"Comptable H/F"_qs));

    // The user's click opens it, in the panel: from the moment the panel shows its address, the
    // panel says that page is loading, never that the page before it is complete.
    QList<int> etatsALaNouvelleAdresse;
    QObject lien;
    QObject::connect(p.nav.vue()->page(), &QWebEnginePage::urlChanged, &lien, [&](const QUrl&) {
        if (p.nav.LocationURL() == adresseFichier(autre))
            etatsALaNouvelleAdresse << p.nav.ReadyState();
    });
    p.cliquer(u"voir"_qs);
    EXPECT_TRUE(attendre([&] { return p.nav.LocationURL() == adresseFichier(autre) && p.nav.ReadyState() == EtatPage::Complet; }))
        << p.nav.LocationURL().toStdString();
    EXPECT_EQ(p.nav.innerText().trimmed(), u"Autre page"_qs);
    EXPECT_EQ(p.web.AdresseWeb->text(), adresseFichier(autre));
    ASSERT_FALSE(etatsALaNouvelleAdresse.isEmpty());
    EXPECT_EQ(etatsALaNouvelleAdresse.first(), EtatPage::Chargement);
}

// A page from the disk, typed as an address or as a path, asks for a file of the user's by fetch,
// by XMLHttpRequest and in a frame, and writes what it got into its own text.
TEST(PagesDuPanneau, UnePageDuDisqueNeLitPasLesFichiersDeLUtilisateur)
{
    Panneau p;
    QTemporaryDir utilisateur, telechargements;
    const QString secret = utilisateur.filePath(u"motsdepasse.txt"_qs);
    Outils::ecrireOctets(secret, "SECRET-7731");
    const QString piege = telechargements.filePath(u"offre.html"_qs);
    Outils::ecrireOctets(piege, (u"<html><body><h1>Offre : comptable H/F</h1>"
                                 "<p>Référence : 4521 - Contrat : CDI - Lieu : Rennes - Salaire : 32 000 euros - "
                                 "Poste : comptable confirmé, secteur bancaire, profil expérimenté</p>"
                                 "<p id='fetch'></p><p id='xhr'></p><p id='cadre'></p>"
                                 "<script>var cible = %1;"
                                 "function dire(id, t) { document.getElementById(id).textContent = id + ' : ' + t; }"
                                 "fetch(cible).then(function (r) { return r.text(); })"
                                 "  .then(function (t) { dire('fetch', t); }, function () { dire('fetch', 'refusé'); });"
                                 "var x = new XMLHttpRequest();"
                                 "x.onload = function () { dire('xhr', x.responseText); };"
                                 "x.onerror = function () { dire('xhr', 'refusé'); };"
                                 "try { x.open('GET', cible); x.send(); } catch (e) { dire('xhr', 'refusé'); }"
                                 "var f = document.createElement('iframe');"
                                 "f.onload = function () { try { dire('cadre', f.contentDocument.body.innerText); }"
                                 "  catch (e) { dire('cadre', 'refusé'); } };"
                                 "f.src = cible; document.body.appendChild(f);"
                                 "</script></body></html>"_qs)
                                    .arg(u'\'' + adresseFichier(secret) + u'\'')
                                    .toUtf8());
    auto reponses = [&]() -> QStringList {
        const QString texte = p.nav.innerText();
        QStringList r;
        for (const QString& ligne : texte.split(u"\r\n"_qs))
            if (ligne.startsWith(u"fetch : "_qs) || ligne.startsWith(u"xhr : "_qs) || ligne.startsWith(u"cadre : "_qs))
                r << ligne;
        return r;
    };
    for (const QString& tape : {adresseFichier(piege), piege}) {
        SCOPED_TRACE(tape.toStdString());
        QStringList cadresFinis;
        QObject lien;
        QObject::connect(&p.nav, &Navigateur::DocumentComplete, &lien, [&](const QString& adresse, bool principal) {
            if (!principal)
                cadresFinis << adresse;
        });
        ASSERT_TRUE(p.taperAdresse(tape, adresseFichier(piege)));
        ASSERT_TRUE(attendre([&] { return reponses().size() == 3; })) << p.nav.innerText().toStdString();
        EXPECT_EQ(reponses().join(u" | "_qs), u"fetch : refusé | xhr : refusé | cadre : refusé"_qs);
        EXPECT_TRUE(cadresFinis.filter(u"motsdepasse"_qs).isEmpty()) << cadresFinis.join(u' ').toStdString();
    }

    // Captured, the page gives the register its advertisement and nothing of the file.
    QLabel* capturer = p.b.capture().CaptureSel;
    ASSERT_TRUE(attendre([&] { return p.web.FrameWeb->y() > capturer->geometry().bottom(); }));
    QTest::mouseClick(capturer, Qt::LeftButton, Qt::NoModifier, capturer->rect().center());
    ASSERT_EQ(p.b.nombreLignes(), 1) << p.b.messages().join(u" | "_qs).toStdString();
    const QString description = p.b.colonne(p.b.f->Num->text().toLongLong(), u"Description"_qs);
    EXPECT_TRUE(description.contains(u"comptable"_qs)) << description.toStdString();
    EXPECT_FALSE(description.contains(u"SECRET"_qs)) << description.toStdString();
}

// The browser's engine speaks French whatever the session's language: the languages it asks a
// site for, its page for a site that cannot be reached, its menu on a right click. Run here and
// once more under LANG=C.UTF-8.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "outils.h"
#include "platform/navigateur_web.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Outils::attendre;

// A site on this machine that answers every request with a small page, and keeps the languages
// each request asked for ("<aucune>" when it named none).
class SiteLocal {
public:
    SiteLocal()
    {
        serveur_.listen(QHostAddress::LocalHost);
        QObject::connect(&serveur_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = serveur_.nextPendingConnection()) {
                auto recu = std::make_shared<QByteArray>();
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, recu] {
                    *recu += s->readAll();
                    if (!recu->contains("\r\n\r\n"))
                        return;
                    QByteArray langues = "<aucune>";
                    for (const QByteArray& ligne : recu->split('\n'))
                        if (ligne.toLower().startsWith("accept-language:"))
                            langues = ligne.mid(ligne.indexOf(':') + 1).trimmed();
                    if (recu->startsWith("GET /offres "))
                        languesDemandees << QString::fromLatin1(langues);
                    s->write("HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n\r\n"
                             "<html><body><p style='font-size: 40px'>Offres d'emploi</p></body></html>");
                    s->disconnectFromHost();
                });
            }
        });
    }
    QString adresse() const { return u"http://127.0.0.1:%1/offres"_qs.arg(serveur_.serverPort()); }
    // The site closes: its address can no longer be reached.
    void fermer() { serveur_.close(); }

    QStringList languesDemandees;

private:
    QTcpServer serveur_;
};

QVariant evaluer(NavigateurWeb& nav, const QString& script)
{
    auto reponse = std::make_shared<std::optional<QVariant>>();
    nav.vue()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                     [reponse](const QVariant& v) { *reponse = v; });
    EXPECT_TRUE(attendre([&] { return reponse->has_value(); })) << script.toStdString();
    return reponse->value_or(QVariant());
}

bool charger(NavigateurWeb& nav, const QString& adresse)
{
    bool fini = false;
    QObject lien;
    QObject::connect(&nav, &Navigateur::DocumentComplete, &lien, [&](const QString&, bool principal) {
        fini = fini || principal;
    });
    nav.Navigate(adresse);
    return attendre([&] { return fini; });
}

// The entries of the menu a right click in the middle of the page opens, without its separators.
QStringList menuDuClicDroit(NavigateurWeb& nav)
{
    QTest::mouseClick(nav.vue()->focusProxy(), Qt::RightButton, {}, QPoint(100, 30));
    QMenu* menu = nullptr;
    if (!attendre([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr; }))
        return {u"<pas de menu>"_qs};
    QStringList entrees;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            entrees << a->text();
    menu->close();
    return entrees;
}

} // namespace

TEST(MoteurEnFrancais, LanguesDemandeesPageDErreurEtMenu)
{
    SiteLocal site;
    NavigateurWeb nav;
    nav.resize(800, 600);
    nav.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&nav));

    // A job board learns that the user reads French.
    const QString adresse = site.adresse();
    ASSERT_TRUE(charger(nav, adresse));
    ASSERT_TRUE(nav.innerText().contains(u"Offres d'emploi"_qs)) << nav.innerText().toStdString();
    ASSERT_EQ(site.languesDemandees.size(), 1);
    EXPECT_TRUE(site.languesDemandees[0].startsWith(u"fr"_qs)) << site.languesDemandees[0].toStdString();
    EXPECT_TRUE(evaluer(nav, u"navigator.language"_qs).toString().startsWith(u"fr"_qs));

    // The menu of the page.
    EXPECT_EQ(menuDuClicDroit(nav), (QStringList{u"Page précédente"_qs, u"Page suivante"_qs, u"Actualiser"_qs,
                                                 u"Enregistrer la page"_qs, u"Afficher le code source de la page"_qs}));

    // The site gone, the engine's own page says so.
    site.fermer();
    ASSERT_TRUE(charger(nav, adresse));
    const QString erreur = evaluer(nav, u"document.body ? document.body.innerText : ''"_qs).toString();
    EXPECT_TRUE(erreur.contains(u"Ce site est inaccessible"_qs)) << erreur.toStdString();
}

TEST(MoteurEnFrancaisLocale, SousLangCUtf8)
{
    if (!qEnvironmentVariableIsEmpty("KERVAL_LOCALE_SYSTEME"))
        GTEST_SKIP() << "this is the child run";
    Outils::relancerSousCUtf8(u"MoteurEnFrancais.*"_qs);
}

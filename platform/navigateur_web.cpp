#include "platform/navigateur_web.h"

#include "platform/attente.h"
#include "platform/plateforme.h"
#include "shell/services/fichiers_texte.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QQuickWidget>
#include <QTimer>
#include <QTranslator>
#include <QUuid>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace {

constexpr quint32 MondeRequetes = QWebEngineScript::ApplicationWorld;

// A text as a JavaScript string literal: JSON-escaped, never spliced in raw.
QString litteral(const QString& texte)
{
    QString json = QString::fromUtf8(QJsonDocument(QJsonArray{texte}).toJson(QJsonDocument::Compact));
    json = json.mid(1, json.size() - 2); // drop the array's brackets
    json.replace(QChar(0x2028), QStringLiteral("\\u2028"));
    json.replace(QChar(0x2029), QStringLiteral("\\u2029"));
    return json;
}

// Describes one element as [tag, name, id, value], null for what it lacks.
const QString DecrireElement = QStringLiteral(
    "function(e){return [String(e.tagName||''),"
    "e.hasAttribute&&e.hasAttribute('name')?String(e.getAttribute('name')):null,"
    "e.hasAttribute&&e.hasAttribute('id')?String(e.getAttribute('id')):null,"
    "('value' in e)&&e.value!==undefined&&e.value!==null?String(e.value):null];}");

std::optional<QString> texteOuRien(const QVariant& v)
{
    if (!v.isValid() || v.isNull() || v.typeId() == QMetaType::Nullptr)
        return std::nullopt;
    return v.toString();
}

std::optional<ElementPage> lireElement(const QVariant& v)
{
    const QVariantList champs = v.toList();
    if (champs.size() != 4)
        return std::nullopt;
    ElementPage e;
    e.balise = champs[0].toString().toUpper();
    e.nom = texteOuRien(champs[1]);
    e.id = texteOuRien(champs[2]);
    e.valeur = texteOuRien(champs[3]);
    return e;
}

// A page's text with CR LF line ends, as the program's texts have them (the page gives LF).
QString lignesCRLF(QString texte)
{
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    texte.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return texte;
}

// Pages given whole stay under the size the browser takes that way.
constexpr qint64 TailleContenuMax = 1500 * 1024;

// The charset of a page's bytes: UTF-8 with a mark or when valid UTF-8 holds a multi-byte
// sequence, else Windows-1252.
QString codage(const QByteArray& octets)
{
    if (octets.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("utf-8");
    auto d = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texte = d.decode(octets);
    if (d.hasError())
        return QStringLiteral("windows-1252");
    for (const QChar c : texte)
        if (c.unicode() >= 0x80)
            return QStringLiteral("utf-8");
    return QStringLiteral("windows-1252");
}

// Waits in a loop of its own until it is told to stop. Started while a queued event is being
// delivered (a page's end of loading, a deferred click), such a loop is not woken for the events
// queued before it, the engine's pending work among them: the page's answer would come only
// once the loop had given up.
void attendreDans(QEventLoop& boucle)
{
    Attente::reveiller();
    boucle.exec();
}

// The engine's menu in French: Qt ships no French texts for it.
class MenuMoteurEnFrancais final : public QTranslator {
public:
    QString translate(const char* contexte, const char* texte, const char*, int) const override
    {
        if (qstrcmp(contexte, "RenderViewContextMenuQt") != 0)
            return {};
        static const QHash<QByteArray, QString> francais = {
            {"Back", u"Page précédente"_qs},
            {"Forward", u"Page suivante"_qs},
            {"Reload", u"Actualiser"_qs},
            {"Cut", u"Couper"_qs},
            {"Copy", u"Copier"_qs},
            {"Paste", u"Coller"_qs},
            {"Undo", u"Annuler"_qs},
            {"Redo", u"Rétablir"_qs},
            {"Select all", u"Tout sélectionner"_qs},
            {"Paste and match style", u"Coller sans la mise en forme"_qs},
            {"Open link in new window", u"Ouvrir le lien dans une nouvelle fenêtre"_qs},
            {"Open link in new tab", u"Ouvrir le lien dans un nouvel onglet"_qs},
            {"Copy link address", u"Copier l'adresse du lien"_qs},
            {"Save link", u"Enregistrer le lien"_qs},
            {"Copy image", u"Copier l'image"_qs},
            {"Copy image address", u"Copier l'adresse de l'image"_qs},
            {"Save image", u"Enregistrer l'image"_qs},
            {"Copy media address", u"Copier l'adresse du média"_qs},
            {"Show controls", u"Afficher les commandes"_qs},
            {"Loop", u"Lire en boucle"_qs},
            {"Save media", u"Enregistrer le média"_qs},
            {"Inspect", u"Inspecter"_qs},
            {"Exit full screen", u"Quitter le plein écran"_qs},
            {"Save page", u"Enregistrer la page"_qs},
            {"View page source", u"Afficher le code source de la page"_qs},
        };
        return francais.value(QByteArray(texte));
    }
    bool isEmpty() const override { return false; }
};

// The engine of every browser, in French whatever the session's language: its own pages (a page
// that cannot be reached), its menu, and the languages it asks the sites for. The first browser
// starts it.
QWebEngineProfile* profilFrancais()
{
    static QWebEngineProfile* const profil = [] {
        // The engine reads its language from its command line as it starts. The variable is put
        // back afterwards: the programs started later (a mail client built on the same engine)
        // keep the session's language.
        const char* const variable = "QTWEBENGINE_CHROMIUM_FLAGS";
        const bool existait = qEnvironmentVariableIsSet(variable);
        const QByteArray avant = qgetenv(variable);
        qputenv(variable, avant + " --lang=fr");
        QWebEngineProfile* p = QWebEngineProfile::defaultProfile();
        if (existait)
            qputenv(variable, avant);
        else
            qunsetenv(variable);
        p->setHttpAcceptLanguage(u"fr-FR,fr;q=0.9"_qs);
        static MenuMoteurEnFrancais menu;
        QCoreApplication::installTranslator(&menu);
        return p;
    }();
    return profil;
}

} // namespace

// What a page asks of the local files beyond the pages shown: a local page reads no other file of
// the user's (by a script, in a frame, as a picture) unless the browser allows it. The engine
// lets a page from the disk read every file of the disk; pages from the web get none.
class GardeFichiersLocaux final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& demande) override
    {
        if (!permis && demande.requestUrl().isLocalFile() &&
            demande.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
            demande.block(true);
    }
    bool permis = false;
};

// The page: its console carries the frame-load notices of our script; pop-ups open in place.
class PageKerval final : public QWebEnginePage {
public:
    PageKerval(QWebEngineProfile* profil, NavigateurWeb* navigateur)
        : QWebEnginePage(profil, navigateur), navigateur_(navigateur)
    {
    }

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override
    {
        const QString marque = navigateur_->jeton_ + QLatin1Char(' ');
        if (message.startsWith(marque))
            navigateur_->signalerCadre(message.mid(marque.size()));
    }
    // A link meant for a new window, clicked by the user, opens in this one, where the page may
    // lead elsewhere.
    QWebEnginePage* createWindow(WebWindowType) override;
    // Without the page's own navigation, the page shown stays until the program asks for another:
    // only the program's requests (an address given, the history, a reload) go through.
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool principal) override
    {
        if (!principal)
            return QWebEnginePage::acceptNavigationRequest(url, type, principal);
        const bool acceptee = navigateur_->navigationParLaPage_
                                  ? QWebEnginePage::acceptNavigationRequest(url, type, principal)
                                  : type == NavigationTypeTyped || type == NavigationTypeBackForward ||
                                        type == NavigationTypeReload;
        if (!acceptee)
            navigateur_->refusees_ << url;
        return acceptee;
    }
    void javaScriptAlert(const QUrl&, const QString&) override {}
    bool javaScriptConfirm(const QUrl&, const QString&) override { return false; }
    bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override { return false; }

private:
    NavigateurWeb* navigateur_;
};

namespace {
// Catches the address of a window a page asks for, and shows it in the browser of the page that
// asked, as an address given to that browser: from the request on, the browser says it is loading
// that page, never the page before under the new address.
class PageRelais final : public QWebEnginePage {
public:
    PageRelais(QWebEngineProfile* profil, QWebEnginePage* page, NavigateurWeb* navigateur)
        : QWebEnginePage(profil, page), navigateur_(navigateur)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool principal) override
    {
        if (principal && navigateur_) {
            // A page of the disk is read as the program's own pages are, with the charset its
            // bytes show.
            const bool fichier = url.isLocalFile() && !url.hasQuery() && !url.hasFragment();
            navigateur_->Navigate(fichier ? url.toLocalFile() : url.toString(QUrl::FullyEncoded));
            deleteLater();
        }
        return false;
    }

private:
    QPointer<NavigateurWeb> navigateur_;
};
} // namespace

QWebEnginePage* PageKerval::createWindow(WebWindowType)
{
    if (!navigateur_->navigationParLaPage_)
        return nullptr;
    return new PageRelais(profile(), this, navigateur_);
}

NavigateurWeb::NavigateurWeb(QWidget* parent)
    : Navigateur(parent), vue_(new QWebEngineView(this)), garde_(new GardeFichiersLocaux(this)),
      jeton_(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    page_ = new PageKerval(profilFrancais(), this);
    vue_->setPage(page_);
    // Pages that declare no charset are read as the program writes its own: Windows-1252.
    page_->settings()->setDefaultTextEncoding(QStringLiteral("windows-1252"));
    // Only a click of the user opens a new window: a page that opens one by itself (as it loads,
    // from a timer) would take the place of the advertisement shown.
    page_->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    page_->setUrlRequestInterceptor(garde_);
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(vue_);

    // Frames tell their end of loading through the console, from the queries' world.
    QWebEngineScript cadres;
    cadres.setName(QStringLiteral("kerval-cadres"));
    cadres.setWorldId(MondeRequetes);
    cadres.setRunsOnSubFrames(true);
    cadres.setInjectionPoint(QWebEngineScript::DocumentCreation);
    cadres.setSourceCode(QStringLiteral(
        "if (window.top !== window) window.addEventListener('load', function () {"
        " console.log(%1 + ' ' + location.href); });").arg(litteral(jeton_)));
    page_->scripts().insert(cadres);

    connect(page_, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        const QUrl url = info.url();
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
            if (refusees_.removeOne(url))
                ignorees_ << url;
            else
                debutChargement();
            return;
        }
        // A page refused starts a load of its own, which ends at once on the page shown: the
        // browser stays as it was. A page refused that took the place of the page asked for
        // (a link clicked while that page was loading) ends the load of the page asked for.
        const bool reussi = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus;
        if (!reussi && ignorees_.removeOne(url))
            return;
        refusees_.removeOne(url);
        finChargement(reussi);
    });
    limiteAttente_.setSingleShot(true);
    limiteAttente_.setInterval(3000);
    connect(&limiteAttente_, &QTimer::timeout, this, [this] {
        if (!enAttente_)
            return;
        page_->triggerAction(QWebEnginePage::Stop);
        enCours_ = false;
        demanderEnAttente();
    });
}

void NavigateurWeb::debutChargement()
{
    etat_ = EtatPage::Chargement;
    enCours_ = true;
    echouee_.clear();
}

void NavigateurWeb::finChargement(bool reussi)
{
    enCours_ = false;
    if (enAttente_) {
        // The page that ended, stopped, is not the last one asked for: that one goes next,
        // and the browser stays loading until it ends.
        demanderEnAttente();
        return;
    }
    // A page that cannot be reached leaves the engine on the page before it: the browser
    // shows the address asked for, as the address box has it.
    if (!reussi && page_->url() != demandee_)
        echouee_ = demandee_;
    etat_ = EtatPage::Complet;
    emit DocumentComplete(LocationURL(), true);
}

void NavigateurWeb::oublierRefusees()
{
    refusees_.clear();
    ignorees_.clear();
}

void NavigateurWeb::demander(Demande demande)
{
    // Asked for while another load is on its way, the engine merges the two: a page given whole
    // shows under a data address of its own and Refresh no longer reads its file, a page that
    // cannot be reached reports neither its end nor its address. The load on its way is stopped
    // and the page asked for goes once its end has come.
    if (enCours_) {
        const bool arreter = !enAttente_;
        enAttente_ = std::move(demande);
        limiteAttente_.start();
        if (arreter)
            page_->triggerAction(QWebEnginePage::Stop);
        return;
    }
    enAttente_.reset();
    limiteAttente_.stop();
    oublierRefusees();
    demandee_ = demande.adresse;
    echouee_.clear();
    if (demande.octets)
        page_->setContent(*demande.octets, QStringLiteral("text/html;charset=") + codage(*demande.octets),
                          demande.adresse);
    else
        page_->setUrl(demande.adresse);
}

void NavigateurWeb::demanderEnAttente()
{
    if (!enAttente_)
        return;
    Demande d = std::move(*enAttente_);
    enAttente_.reset();
    demander(std::move(d));
}

NavigateurWeb::~NavigateurWeb()
{
    // The page goes before the view that shows it.
    vue_->setPage(nullptr);
    delete page_;
}

void NavigateurWeb::signalerCadre(const QString& adresse) { emit DocumentComplete(adresse, false); }

void NavigateurWeb::Navigate(const QString& adresse)
{
    QUrl url;
    const QString a = adresse.trimmed();
    const QFileInfo fichier(a);
    etat_ = EtatPage::Chargement;
    if (a.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0) {
        url = QUrl(QStringLiteral("about:blank"));
    } else if (fichier.isAbsolute() && fichier.exists()) {
        url = QUrl::fromLocalFile(a);
        // The program's own pages declare no charset and are Windows-1252, or UTF-8 when a
        // text needs it: the page is given with the charset its bytes show, as the program's
        // text files are read.
        const QString suffixe = fichier.suffix().toLower();
        // The browser is never handed a file that the program would not read itself (a FIFO
        // would hang its loading): the user is told which file, and the page stays blank.
        if (!fichier.isDir() && !FichiersTexte::lisible(a))
            url = QUrl(QStringLiteral("about:blank"));
        else if ((suffixe == u"htm" || suffixe == u"html") && fichier.size() < TailleContenuMax) {
            if (const std::optional<QByteArray> octets = FichiersTexte::lireOctets(a)) {
                demander({url, *octets});
                return;
            }
        }
    } else {
        url = QUrl::fromUserInput(a);
    }
    demander({url, std::nullopt});
}

void NavigateurWeb::GoBack()
{
    oublierRefusees();
    page_->triggerAction(QWebEnginePage::Back);
}

void NavigateurWeb::GoForward()
{
    oublierRefusees();
    page_->triggerAction(QWebEnginePage::Forward);
}

void NavigateurWeb::Refresh()
{
    // A local page is read again from its file, which may have changed since.
    const QUrl url = page_->url();
    if (url.isLocalFile() && QFileInfo::exists(url.toLocalFile())) {
        Navigate(url.toLocalFile());
        return;
    }
    etat_ = EtatPage::Chargement;
    oublierRefusees();
    page_->triggerAction(QWebEnginePage::Reload);
}

QString NavigateurWeb::LocationURL()
{
    // The page asked for is the page shown, from the request on, as for an address the engine
    // took at once.
    const QUrl url = enAttente_ ? enAttente_->adresse : !echouee_.isEmpty() ? echouee_ : page_->url();
    if (url.isEmpty())
        return QStringLiteral("about:blank");
    return url.toString();
}

int NavigateurWeb::ReadyState() { return etat_; }

std::optional<QVariant> NavigateurWeb::interroger(const QString& script)
{
    struct Attente {
        bool repondu = false;
        QVariant reponse;
        QEventLoop* boucle = nullptr;
    };
    auto attente = std::make_shared<Attente>();
    QEventLoop boucle;
    attente->boucle = &boucle;
    page_->runJavaScript(script, MondeRequetes, [attente](const QVariant& v) {
        attente->repondu = true;
        attente->reponse = v;
        if (attente->boucle)
            attente->boucle->quit();
    });
    if (!attente->repondu) {
        QPointer<NavigateurWeb> vivant(this);
        QTimer limite;
        limite.setSingleShot(true);
        connect(&limite, &QTimer::timeout, &boucle, &QEventLoop::quit);
        limite.start(delaiReponse_);
        attendreDans(boucle);
        if (!vivant)
            return std::nullopt;
    }
    attente->boucle = nullptr;
    if (!attente->repondu)
        return std::nullopt;
    return attente->reponse;
}

QString NavigateurWeb::innerText()
{
    const auto r = interroger(QStringLiteral("document.body ? document.body.innerText : null"));
    return r ? lignesCRLF(texteOuRien(*r).value_or(QString())) : QString();
}

QString NavigateurWeb::innerHTML()
{
    const auto r = interroger(QStringLiteral("document.body ? document.body.innerHTML : null"));
    return r ? texteOuRien(*r).value_or(QString()) : QString();
}

QList<ElementPage> NavigateurWeb::elements()
{
    const auto r = interroger(QStringLiteral(
        "(function(){var d=%1;var t=[];var a=document.getElementsByTagName('*');"
        "for(var i=0;i<a.length;i++)t.push(d(a[i]));return t;})()").arg(DecrireElement));
    QList<ElementPage> liste;
    if (!r)
        return liste;
    for (const QVariant& v : r->toList())
        if (auto e = lireElement(v))
            liste << *e;
    return liste;
}

std::optional<ElementPage> NavigateurWeb::element(int position)
{
    if (position < 0)
        return std::nullopt;
    const auto r = interroger(QStringLiteral(
        "(function(){var d=%1;var a=document.getElementsByTagName('*');var e=a[%2];return e?d(e):null;})()")
                                  .arg(DecrireElement).arg(position));
    return r ? lireElement(*r) : std::nullopt;
}

std::optional<ElementPage> NavigateurWeb::elementNomme(const QString& nom)
{
    const auto r = interroger(QStringLiteral(
        "(function(){var d=%1;var n=%2;var a=document.getElementsByTagName('*');"
        "for(var i=0;i<a.length;i++){var e=a[i];if(e.getAttribute&&e.getAttribute('name')===n)return d(e);}"
        "return null;})()").arg(DecrireElement, litteral(nom)));
    return r ? lireElement(*r) : std::nullopt;
}

bool NavigateurWeb::fixerValeur(int position, const QString& valeur)
{
    if (position < 0)
        return false;
    const auto r = interroger(QStringLiteral(
        "(function(){var a=document.getElementsByTagName('*');var e=a[%1];"
        "if(!e||!('value' in e))return false;e.value=%2;return true;})()")
                                  .arg(position).arg(litteral(valeur)));
    return r && r->toBool();
}

bool NavigateurWeb::fixerValeurNommee(const QString& nom, const QString& valeur)
{
    const auto r = interroger(QStringLiteral(
        "(function(){var n=%1;var a=document.getElementsByTagName('*');"
        "for(var i=0;i<a.length;i++){var e=a[i];if(e.getAttribute&&e.getAttribute('name')===n){"
        "if(!('value' in e))return false;e.value=%2;return true;}}return false;})()")
                                  .arg(litteral(nom), litteral(valeur)));
    return r && r->toBool();
}

QString NavigateurWeb::selection() { return lignesCRLF(page_->selectedText()); }

void NavigateurWeb::toutSelectionner() { page_->triggerAction(QWebEnginePage::SelectAll); }
void NavigateurWeb::copier() { page_->triggerAction(QWebEnginePage::Copy); }

namespace {

// The longest wait for the engine to finish a print, in milliseconds.
constexpr int DelaiImpression = 120000;

// The end of a print the engine carries out on its own, waited for pumping events.
class FinImpression {
public:
    void terminer(bool reussi)
    {
        reussi_ = reussi;
        fini_ = true;
        boucle_.quit();
    }
    // False when the print failed or did not end in time.
    bool attendre()
    {
        if (!fini_) {
            QTimer limite;
            limite.setSingleShot(true);
            QObject::connect(&limite, &QTimer::timeout, &boucle_, &QEventLoop::quit);
            limite.start(DelaiImpression);
            attendreDans(boucle_);
        }
        return fini_ && reussi_;
    }

private:
    QEventLoop boucle_;
    bool fini_ = false;
    bool reussi_ = false;
};

bool fichierPdf(const QPrinter& imprimante)
{
    return imprimante.outputFormat() == QPrinter::PdfFormat && !imprimante.outputFileName().isEmpty();
}

} // namespace

bool NavigateurWeb::dessinerSur(QPrinter& imprimante)
{
    QPointer<NavigateurWeb> vivant(this);
    FinImpression fin;
    auto lien = connect(vue_, &QWebEngineView::printFinished, vue_, [&fin](bool ok) { fin.terminer(ok); });
    vue_->print(&imprimante);
    const bool reussi = fin.attendre();
    if (vivant)
        disconnect(lien);
    return reussi;
}

bool NavigateurWeb::ecrirePdf(const QPrinter& imprimante)
{
    const QString fichier = imprimante.outputFileName();
    QPointer<NavigateurWeb> vivant(this);
    FinImpression fin;
    auto lien = connect(page_, &QWebEnginePage::pdfPrintingFinished, page_,
                        [&fin, fichier](const QString& chemin, bool ok) {
                            if (chemin == fichier)
                                fin.terminer(ok);
                        });
    page_->printToPdf(fichier, imprimante.pageLayout(), imprimante.pageRanges());
    const bool reussi = fin.attendre();
    if (vivant)
        disconnect(lien);
    return reussi;
}

bool NavigateurWeb::imprimerSur(QPrinter& imprimante)
{
    return fichierPdf(imprimante) ? ecrirePdf(imprimante) : dessinerSur(imprimante);
}

void NavigateurWeb::imprimer()
{
    if (!imprimante_)
        imprimante_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialogue(imprimante_.get(), this);
    if (dialogue.exec() != QDialog::Accepted || imprimerSur(*imprimante_))
        return;
    if (fichierPdf(*imprimante_))
        MsgBox(QStringLiteral("La page n'a pas pu être enregistrée dans le fichier « %1 ».")
                   .arg(imprimante_->outputFileName()));
    else
        MsgBox(QStringLiteral("L'impression de la page a échoué."));
}

void NavigateurWeb::apercuAvantImpression()
{
    if (!imprimante_)
        imprimante_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The preview draws the page whatever the printer last chosen (a PDF file among them).
    QPrintPreviewDialog apercu(imprimante_.get(), this);
    connect(&apercu, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { dessinerSur(*p); });
    apercu.exec();
}

void NavigateurWeb::miseEnPage()
{
    if (!imprimante_)
        imprimante_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageSetupDialog dialogue(imprimante_.get(), this);
    dialogue.exec();
}

void NavigateurWeb::fixerScriptsPage(bool actifs)
{
    page_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, actifs);
}

void NavigateurWeb::fixerNavigationParLaPage(bool permise)
{
    navigationParLaPage_ = permise;
    // A link followed or a form sent, even refused, would cancel a page the program has just
    // asked for: the page's clicks and sendings do nothing of their own.
    const QString nom = QStringLiteral("kerval-sans-navigation");
    for (const QWebEngineScript& script : page_->scripts().find(nom))
        page_->scripts().remove(script);
    if (permise)
        return;
    QWebEngineScript script;
    script.setName(nom);
    script.setWorldId(MondeRequetes);
    script.setRunsOnSubFrames(true);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setSourceCode(QStringLiteral(
        "['click', 'auxclick', 'submit'].forEach(function (genre) {"
        " window.addEventListener(genre, function (e) { e.preventDefault(); }, true); });"));
    page_->scripts().insert(script);
}

void NavigateurWeb::fixerFichiersLocaux(bool permis) { garde_->permis = permis; }

// --- creation ---

namespace {
Navigateur::Fabrique& fabrique()
{
    static Navigateur::Fabrique f;
    return f;
}
} // namespace

Navigateur* Navigateur::creer(QWidget* parent)
{
    if (fabrique())
        return fabrique()(parent);
    return new NavigateurWeb(parent);
}

void Navigateur::fixerFabrique(Fabrique f) { fabrique() = std::move(f); }

void Navigateur::preparerFenetre(QWidget* fenetre)
{
    // Browsers installed by tests draw as ordinary widgets: nothing to ready.
    if (!fenetre || fabrique())
        return;
    // The browser draws through the same kind of widget; one that never shows makes the window
    // drawn that way from the start.
    auto* surface = new QQuickWidget(fenetre);
    surface->setObjectName(QStringLiteral("PreparationNavigateurs"));
    surface->setAttribute(Qt::WA_TransparentForMouseEvents);
    surface->setFocusPolicy(Qt::NoFocus);
    surface->hide();
}

QString adresseFichier(const QString& chemin) { return QUrl::fromLocalFile(chemin).toString(); }

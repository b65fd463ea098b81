#include "platform/applications_bureau.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <cstring>
#include <memory>

// GLib names a structure member "signals", which Qt defines as a word of its own.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace ApplicationsBureau {

namespace {

struct LiberationObjet {
    void operator()(gpointer p) const { g_object_unref(p); }
};
using Application = std::unique_ptr<GAppInfo, LiberationObjet>;

Application applicationDe(const QString& fichier)
{
    if (!QFileInfo(fichier).isFile())
        return nullptr;
    const QByteArray type = QMimeDatabase().mimeTypeForFile(fichier).name().toUtf8();
    return Application(g_app_info_get_default_for_type(type.constData(), FALSE));
}

// The program the entry's command line runs, as GLib splits it when it starts it (quotes kept
// together); past an "env" that only sets variables, the program it runs.
QString cheminDe(GAppInfo* application)
{
    const char* commande = application ? g_app_info_get_commandline(application) : nullptr;
    if (!commande || !*commande)
        return {};
    gchar** mots = nullptr;
    if (!g_shell_parse_argv(commande, nullptr, &mots, nullptr))
        return {};
    int i = 0;
    if (mots[0] && QFileInfo(QString::fromLocal8Bit(mots[0])).fileName() == u"env") {
        ++i;
        while (mots[i] && (mots[i][0] == '-' || std::strchr(mots[i], '=')))
            ++i;
    }
    const QString programme = mots[i] ? QString::fromLocal8Bit(mots[i]) : QString();
    g_strfreev(mots);
    if (programme.isEmpty() || programme.startsWith(u'%'))
        return {};
    return QStandardPaths::findExecutable(programme);
}

} // namespace

QString programme(const QString& fichier) { return cheminDe(applicationDe(fichier).get()); }

std::optional<bool> ouvrir(const QString& programme, const QStringList& fichiers)
{
    if (fichiers.isEmpty() || programme.isEmpty())
        return std::nullopt;
    const Application application = applicationDe(fichiers.first());
    if (!application || cheminDe(application.get()) != programme)
        return std::nullopt;
    for (const QString& f : fichiers)
        if (!QFileInfo(f).isFile())
            return std::nullopt;

    GList* liste = nullptr;
    for (const QString& f : fichiers)
        liste = g_list_append(liste, g_file_new_for_path(QFile::encodeName(QFileInfo(f).absoluteFilePath()).constData()));
    GError* erreur = nullptr;
    const gboolean lance = g_app_info_launch(application.get(), liste, nullptr, &erreur);
    g_list_free_full(liste, g_object_unref);
    if (erreur)
        g_error_free(erreur);
    return lance != FALSE;
}

} // namespace ApplicationsBureau

#include "platform/applications_bureau.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
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

QString cheminDe(GAppInfo* application)
{
    const char* executable = application ? g_app_info_get_executable(application) : nullptr;
    if (!executable || !*executable)
        return {};
    return QStandardPaths::findExecutable(QString::fromLocal8Bit(executable));
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

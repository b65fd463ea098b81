#include "platform/titres_x11.h"

#include <QGuiApplication>

#ifdef KERVAL_AVEC_XCB
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>
#include <xcb/xcb_icccm.h>
#include <cstdlib>
#include <vector>
#endif

namespace {

constexpr int LongueurTitreMax = 254;

#ifdef KERVAL_AVEC_XCB

struct ConnexionX {
    xcb_connection_t* c = nullptr;
    xcb_ewmh_connection_t ewmh{};
    bool ewmhPret = false;
    xcb_window_t racine = 0;
    int numeroEcran = 0;

    ConnexionX()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return;
        int ecran = 0;
        c = xcb_connect(nullptr, &ecran);
        if (!c || xcb_connection_has_error(c)) {
            if (c)
                xcb_disconnect(c);
            c = nullptr;
            return;
        }
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
        for (int i = 0; i < ecran && it.rem; ++i)
            xcb_screen_next(&it);
        racine = it.data ? it.data->root : 0;
        numeroEcran = ecran;
        xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(c, &ewmh);
        ewmhPret = cookies && xcb_ewmh_init_atoms_replies(&ewmh, cookies, nullptr);
    }
    ~ConnexionX()
    {
        if (ewmhPret)
            xcb_ewmh_connection_wipe(&ewmh);
        if (c)
            xcb_disconnect(c);
    }

    QString titre(xcb_window_t w)
    {
        QString t;
        if (ewmhPret) {
            xcb_ewmh_get_utf8_strings_reply_t r;
            if (xcb_ewmh_get_wm_name_reply(&ewmh, xcb_ewmh_get_wm_name(&ewmh, w), &r, nullptr)) {
                t = QString::fromUtf8(r.strings, int(r.strings_len));
                xcb_ewmh_get_utf8_strings_reply_wipe(&r);
            }
        }
        if (t.isEmpty()) {
            xcb_icccm_get_text_property_reply_t r;
            if (xcb_icccm_get_wm_name_reply(c, xcb_icccm_get_wm_name(c, w), &r, nullptr)) {
                t = QString::fromLatin1(r.name, int(r.name_len));
                xcb_icccm_get_text_property_reply_wipe(&r);
            }
        }
        return t.left(LongueurTitreMax);
    }

    // Top-level windows, topmost first: the window manager's stacking list, else the root's children.
    std::vector<xcb_window_t> fenetres()
    {
        std::vector<xcb_window_t> liste;
        if (ewmhPret) {
            xcb_ewmh_get_windows_reply_t r;
            if (xcb_ewmh_get_client_list_stacking_reply(&ewmh, xcb_ewmh_get_client_list_stacking(&ewmh, 0), &r,
                                                        nullptr)) {
                for (uint32_t i = r.windows_len; i > 0; --i)
                    liste.push_back(r.windows[i - 1]);
                xcb_ewmh_get_windows_reply_wipe(&r);
                if (!liste.empty())
                    return liste;
            }
        }
        xcb_query_tree_reply_t* arbre = xcb_query_tree_reply(c, xcb_query_tree(c, racine), nullptr);
        if (!arbre)
            return liste;
        xcb_window_t* enfants = xcb_query_tree_children(arbre);
        for (int i = xcb_query_tree_children_length(arbre); i > 0; --i)
            liste.push_back(enfants[i - 1]);
        std::free(arbre);
        return liste;
    }

    // The title of a top-level window, or of its first titled child (a window manager's frame).
    QString titreOuEnfant(xcb_window_t w)
    {
        QString t = titre(w);
        if (!t.isEmpty())
            return t;
        xcb_query_tree_reply_t* arbre = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        if (!arbre)
            return t;
        xcb_window_t* enfants = xcb_query_tree_children(arbre);
        for (int i = 0; i < xcb_query_tree_children_length(arbre) && t.isEmpty(); ++i)
            t = titre(enfants[i]);
        std::free(arbre);
        return t;
    }
};

class TitresX11 final : public TitresFenetres {
public:
    QStringList titres() override
    {
        ConnexionX x;
        QStringList liste;
        if (!x.c)
            return liste;
        for (xcb_window_t w : x.fenetres()) {
            const QString t = x.titreOuEnfant(w);
            if (!t.isEmpty())
                liste << t;
        }
        return liste;
    }
};

#else

class TitresX11 final : public TitresFenetres {
public:
    QStringList titres() override { return {}; }
};

#endif

} // namespace

std::unique_ptr<TitresFenetres> creerTitresX11() { return std::make_unique<TitresX11>(); }

bool activerFenetreX11(const QString& texte)
{
#ifdef KERVAL_AVEC_XCB
    ConnexionX x;
    if (!x.c || !x.ewmhPret)
        return false;
    for (xcb_window_t w : x.fenetres()) {
        if (x.titreOuEnfant(w).contains(texte)) {
            xcb_ewmh_request_change_active_window(&x.ewmh, 0, w, XCB_EWMH_CLIENT_SOURCE_TYPE_NORMAL,
                                                  XCB_CURRENT_TIME, XCB_WINDOW_NONE);
            xcb_flush(x.c);
            return true;
        }
    }
#else
    Q_UNUSED(texte);
#endif
    return false;
}

bool compositionActive()
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return true;
#ifdef KERVAL_AVEC_XCB
    ConnexionX x;
    if (!x.c || !x.ewmhPret)
        return false;
    xcb_window_t gestionnaire = XCB_WINDOW_NONE;
    return xcb_ewmh_get_wm_cm_owner_reply(&x.ewmh, xcb_ewmh_get_wm_cm_owner(&x.ewmh, x.numeroEcran), &gestionnaire,
                                          nullptr) &&
           gestionnaire != XCB_WINDOW_NONE;
#else
    return false;
#endif
}

#include "platform/clavier_x11.h"

#include <QGuiApplication>

#include "platform/titres_x11.h"

#ifdef KERVAL_AVEC_XTEST
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#endif

namespace {

#ifdef KERVAL_AVEC_XTEST

// A key with its modifiers, from the classic notation: "^" Ctrl, "%" Alt, "+" Shift,
// "{ENTER}" and the like for named keys, any other character for itself.
struct Touche {
    KeySym symbole;
    bool ctrl, alt, maj;
};

KeySym symboleNomme(const QString& nom)
{
    static const QMap<QString, KeySym> noms = {
        {QStringLiteral("ENTER"), XK_Return}, {QStringLiteral("TAB"), XK_Tab},
        {QStringLiteral("ESC"), XK_Escape},   {QStringLiteral("HOME"), XK_Home},
        {QStringLiteral("END"), XK_End},      {QStringLiteral("DOWN"), XK_Down},
        {QStringLiteral("UP"), XK_Up},        {QStringLiteral("LEFT"), XK_Left},
        {QStringLiteral("RIGHT"), XK_Right},  {QStringLiteral("BACKSPACE"), XK_BackSpace},
        {QStringLiteral("DEL"), XK_Delete},   {QStringLiteral("F4"), XK_F4},
    };
    return noms.value(nom.toUpper(), NoSymbol);
}

QList<Touche> lireTouches(const QString& texte)
{
    QList<Touche> touches;
    bool ctrl = false, alt = false, maj = false;
    for (int i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (c == u'^') { ctrl = true; continue; }
        if (c == u'%') { alt = true; continue; }
        if (c == u'+') { maj = true; continue; }
        KeySym s = NoSymbol;
        if (c == u'{') {
            const int fin = texte.indexOf(u'}', i + 1);
            if (fin < 0)
                break;
            s = symboleNomme(texte.mid(i + 1, fin - i - 1));
            i = fin;
        } else {
            s = XStringToKeysym(QString(c).toLatin1().constData());
            if (s == NoSymbol && c.unicode() < 0x100)
                s = c.unicode();
        }
        if (s != NoSymbol)
            touches.append({s, ctrl, alt, maj});
        ctrl = alt = maj = false;
    }
    return touches;
}

class ClavierX11 final : public Clavier {
public:
    void envoyerTouches(const QString& texte) override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return;
        Display* d = XOpenDisplay(nullptr);
        if (!d)
            return;
        int evenement, erreur, majeur, mineur;
        if (XTestQueryExtension(d, &evenement, &erreur, &majeur, &mineur)) {
            for (const Touche& t : lireTouches(texte)) {
                const KeyCode code = XKeysymToKeycode(d, t.symbole);
                if (!code)
                    continue;
                auto modif = [&](bool actif, KeySym s, bool bas) {
                    if (actif)
                        XTestFakeKeyEvent(d, XKeysymToKeycode(d, s), bas, CurrentTime);
                };
                modif(t.ctrl, XK_Control_L, true);
                modif(t.alt, XK_Alt_L, true);
                modif(t.maj, XK_Shift_L, true);
                XTestFakeKeyEvent(d, code, True, CurrentTime);
                XTestFakeKeyEvent(d, code, False, CurrentTime);
                modif(t.maj, XK_Shift_L, false);
                modif(t.alt, XK_Alt_L, false);
                modif(t.ctrl, XK_Control_L, false);
            }
            XFlush(d);
        }
        XCloseDisplay(d);
    }
    bool activerFenetre(const QString& titre) override { return activerFenetreX11(titre); }
};

#else

class ClavierX11 final : public Clavier {
public:
    void envoyerTouches(const QString&) override {}
    bool activerFenetre(const QString& titre) override { return activerFenetreX11(titre); }
};

#endif

} // namespace

std::unique_ptr<Clavier> creerClavierX11() { return std::make_unique<ClavierX11>(); }

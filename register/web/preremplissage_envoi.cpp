#include "register/web/preremplissage_envoi.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "shell/services/registre_fenetres.h"
#include "shell/services/systeme.h"

namespace FenetreEnvoi {

namespace {
QWidget* controle(const QString& champ)
{
    QWidget* fenetre = RegistreFenetres::instance().trouver(NomConception);
    return fenetre ? fenetre->findChild<QWidget*>(champ) : nullptr;
}
} // namespace

bool visible() { return Systeme::FormeVisible(NomConception); }

std::optional<QString> texte(const QString& champ)
{
    QWidget* w = controle(champ);
    if (auto* l = qobject_cast<QLineEdit*>(w))
        return l->text();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        return p->toPlainText();
    if (auto* t = qobject_cast<QTextEdit*>(w))
        return t->toPlainText();
    return std::nullopt;
}

bool fixerTexte(const QString& champ, const QString& valeur)
{
    QString v = valeur;
    v.replace(u"\r\n"_qs, u"\n"_qs);
    QWidget* w = controle(champ);
    if (auto* l = qobject_cast<QLineEdit*>(w))
        l->setText(v);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        p->setPlainText(v);
    else if (auto* t = qobject_cast<QTextEdit*>(w))
        t->setPlainText(v);
    else
        return false;
    return true;
}

} // namespace FenetreEnvoi

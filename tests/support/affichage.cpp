#include "affichage.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QWebEngineView>

namespace {

QString nom(const QWidget* w)
{
    QString n = w->objectName();
    if (auto* l = qobject_cast<const QLabel*>(w); l && n.isEmpty())
        n = u'"' + l->text() + u'"';
    if (auto* b = qobject_cast<const QAbstractButton*>(w); b && n.isEmpty())
        n = u'"' + b->text() + u'"';
    if (n.isEmpty())
        n = QString::fromLatin1(w->metaObject()->className());
    if (const QWidget* p = w->parentWidget(); p && !p->objectName().isEmpty())
        n = p->objectName() + u'/' + n;
    return n;
}

QString taille(QSize s) { return QStringLiteral("%1x%2").arg(s.width()).arg(s.height()); }

// Where a label draws its text, in its own coordinates; empty for a picture or rich text.
QRect texteEtiquette(QLabel* l, QSize* besoin)
{
    if (l->text().isEmpty() || !l->pixmap().isNull() ||
        (l->textFormat() != Qt::PlainText && Qt::mightBeRichText(l->text())))
        return {};
    const int m = l->margin();
    const QRect zone = l->contentsRect().adjusted(m, m, -m, -m);
    const QFontMetrics fm = l->fontMetrics();
    const QSize s = l->wordWrap()
                        ? fm.boundingRect(QRect(0, 0, zone.width(), 100000), Qt::TextWordWrap, l->text()).size()
                        : fm.size(0, l->text());
    *besoin = s;
    return QStyle::alignedRect(l->layoutDirection(), l->alignment(), s.boundedTo(zone.size()), zone);
}

// Whether a box shows its whole text: with the cursor after the text, the first character still
// stands at the box's left.
bool boiteEntiere(QLineEdit* b)
{
    if (b->text().isEmpty() || b->echoMode() != QLineEdit::Normal)
        return true;
    const int position = b->cursorPosition();
    b->end(false);
    b->grab(); // the box scrolls its text as it paints
    const bool entiere = b->cursorPositionAt(QPoint(b->contentsRect().left() + 4, b->height() / 2)) == 0;
    b->setCursorPosition(position);
    b->grab();
    return entiere;
}

// A control whose parts are its own business: checked as one piece, not walked into.
bool opaque(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QWebEngineView*>(w) ||
           w->inherits("QWebEngineView");
}

void visiter(QWidget* parent, QWidget* fenetre, const QList<const QWidget*>& debordants, QStringList& defauts)
{
    QList<QWidget*> enfants;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && w->isVisibleTo(fenetre) &&
                                                 !qobject_cast<QFocusFrame*>(w))
            enfants << w;
    for (int i = 0; i < enfants.size(); ++i) {
        QWidget* w = enfants[i];
        w->ensurePolished();
        const QRect g = w->geometry();
        const QRect dedans = parent->rect();
        if (!debordants.contains(w) && !dedans.contains(g)) {
            defauts << QStringLiteral("%1 hors de son cadre (%2 à %3,%4 dans %5)")
                           .arg(nom(w), taille(g.size()))
                           .arg(g.x())
                           .arg(g.y())
                           .arg(taille(dedans.size()));
        }

        if (auto* l = qobject_cast<QLabel*>(w)) {
            QSize besoin;
            const QRect texte = texteEtiquette(l, &besoin);
            if (texte.isValid()) {
                const int m = l->margin();
                const QSize place = l->contentsRect().adjusted(m, m, -m, -m).size();
                if (besoin.width() > place.width() || besoin.height() > place.height())
                    defauts << QStringLiteral("%1 coupé : %2 pour %3").arg(nom(l), taille(besoin), taille(place));
                // No neighbour over the text; under it, only what draws no text of its own
                // (a frame, a highlight).
                const QRect surParent = texte.translated(l->pos());
                for (int j = 0; j < enfants.size(); ++j) {
                    QWidget* autre = enfants[j];
                    if (j == i || !autre->geometry().intersects(surParent))
                        continue;
                    if (auto* e = qobject_cast<QLabel*>(autre); e && e->text().isEmpty() && e->pixmap().isNull() &&
                                                                e->styleSheet().isEmpty() && !e->autoFillBackground())
                        continue; // draws nothing
                    if (j < i) {
                        // Drawn first: only its own text or box would mix with this text.
                        QSize s;
                        auto* e = qobject_cast<QLabel*>(autre);
                        const QRect sienne = e ? texteEtiquette(e, &s).translated(e->pos()) : QRect();
                        if (e ? !sienne.isValid() || !sienne.intersects(surParent) : !opaque(autre))
                            continue;
                    }
                    defauts << nom(l) + u" recouvert par "_qs + nom(autre);
                }
            }
        } else if (auto* b = qobject_cast<QPushButton*>(w); b && !b->text().isEmpty()) {
            if (b->fontMetrics().horizontalAdvance(b->text()) > b->contentsRect().width())
                defauts << nom(b) + u" coupé"_qs;
        } else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            if (b->sizeHint().width() > b->width())
                defauts << QStringLiteral("%1 coupé : %2 pour %3").arg(nom(b)).arg(b->sizeHint().width()).arg(b->width());
        } else if (auto* e = qobject_cast<QLineEdit*>(w); e && !boiteEntiere(e)) {
            defauts << nom(e) + u" ne montre pas « "_qs + e->text() + u" » en entier"_qs;
        }

        if (!opaque(w) && !qobject_cast<QMdiArea*>(w))
            visiter(w, fenetre, debordants, defauts);
    }
}

} // namespace

QStringList Affichage::defauts(QWidget* fenetre, const QList<const QWidget*>& debordants)
{
    QStringList d;
    visiter(fenetre, fenetre, debordants, d);
    return d;
}

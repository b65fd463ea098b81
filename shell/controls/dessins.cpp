#include "shell/controls/dessins.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace Dessins {

namespace {

QColor melange(QColor a, QColor b, int i, int n)
{
    if (n <= 1)
        return a;
    auto m = [&](int x, int y) { return int(std::lround(x + double(y - x) * i / (n - 1))); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()));
}

const QColor Bordure(0x52, 0x7B, 0xCB);
const QColor FondBord(0xD6, 0xE2, 0xF4);

struct Bandes {
    QColor hautDebut, hautFin, basDebut, basFin;
};

QImage bande(const Bandes& b)
{
    // Border, white, seven pixels darkening downwards, nine pixels lightening, white, border.
    QImage img(1, 20, QImage::Format_RGB32);
    img.setPixelColor(0, 0, Bordure);
    img.setPixelColor(0, 1, Qt::white);
    for (int i = 0; i < 7; ++i)
        img.setPixelColor(0, 2 + i, melange(b.hautDebut, b.hautFin, i, 7));
    for (int i = 0; i < 9; ++i)
        img.setPixelColor(0, 9 + i, melange(b.basDebut, b.basFin, i, 9));
    img.setPixelColor(0, 18, Qt::white);
    img.setPixelColor(0, 19, Bordure);
    return img;
}

QImage bord(bool gauche)
{
    QImage img(2, 20, QImage::Format_RGB32);
    const int exterieur = gauche ? 0 : 1;
    const int interieur = gauche ? 1 : 0;
    for (int y = 0; y < 20; ++y) {
        const bool coin = y == 0 || y == 19;
        img.setPixelColor(exterieur, y, coin ? FondBord : Bordure);
        img.setPixelColor(interieur, y, coin ? Bordure : Qt::white);
    }
    return img;
}

void feuille(QPainter& p, const QRectF& r, QColor bordure, QColor fond)
{
    const qreal pli = r.width() * 0.3;
    QPainterPath chemin;
    chemin.moveTo(r.topLeft());
    chemin.lineTo(r.right() - pli, r.top());
    chemin.lineTo(r.right(), r.top() + pli);
    chemin.lineTo(r.bottomRight());
    chemin.lineTo(r.bottomLeft());
    chemin.closeSubpath();
    p.setPen(QPen(bordure, 1));
    p.setBrush(fond);
    p.drawPath(chemin);
    QPainterPath coin;
    coin.moveTo(r.right() - pli, r.top());
    coin.lineTo(r.right() - pli, r.top() + pli);
    coin.lineTo(r.right(), r.top() + pli);
    p.setBrush(bordure.lighter(160));
    p.drawPath(coin);
}

} // namespace

QFont police(const QString& famille, double points, bool gras)
{
    QFont f(famille);
    f.setPointSizeF(points);
    f.setBold(gras);
    return f;
}

const QImage& etapeBouton(Etape etape)
{
    static const QImage bleu = bande({QColor(0xDC, 0xEA, 0xF0), QColor(0xC8, 0xDB, 0xEE), QColor(0x92, 0xB2, 0xDD),
                                      QColor(0xB9, 0xD4, 0xF1)});
    static const QImage bleuo = bande({QColor(0xED, 0xF1, 0xEE), QColor(0xD9, 0xDF, 0xE6), QColor(0xA4, 0xAB, 0xBE),
                                       QColor(0xD5, 0xDB, 0xE1)});
    static const QImage bleuoo = bande({QColor(0xF7, 0xF4, 0xE7), QColor(0xEE, 0xE4, 0xD9), QColor(0xC9, 0xAB, 0x96),
                                        QColor(0xE7, 0xDB, 0xCD)});
    static const QImage orange = bande({QColor(0xFF, 0xF5, 0xD5), QColor(0xFB, 0xE6, 0xCF), QColor(0xDF, 0xA8, 0x72),
                                        QColor(0xF1, 0xD0, 0xA9)});
    switch (etape) {
    case Etape::Bleu:
        return bleu;
    case Etape::Bleuo:
        return bleuo;
    case Etape::BleuOO:
        return bleuoo;
    case Etape::Orange:
        break;
    }
    return orange;
}

const QImage& bordGauche()
{
    static const QImage img = bord(true);
    return img;
}

const QImage& bordDroit()
{
    static const QImage img = bord(false);
    return img;
}

QImage degrade(int largeur, int hauteur, QColor haut, QColor bas)
{
    QImage img(largeur, hauteur, QImage::Format_RGB32);
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur; ++x)
            img.setPixelColor(x, y, melange(haut, bas, y, hauteur));
    return img;
}

const QImage& fondCadreBleu()
{
    static const QImage img = degrade(2, 125, QColor(0xF4, 0xF8, 0xFD), QColor(0xD9, 0xE5, 0xF5));
    return img;
}

const QImage& enteteNouveauCadre()
{
    static const QImage img = degrade(3, 22, QColor(0x8C, 0xAC, 0xE6), QColor(0x3F, 0x66, 0xB5));
    return img;
}

const QImage& fondNouveauCadre()
{
    static const QImage img = degrade(2, 125, QColor(0xFA, 0xFC, 0xFF), QColor(0xE1, 0xEA, 0xF7));
    return img;
}

QPixmap imageDepart(QSize taille)
{
    QPixmap pix(taille);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fond(0, 0, taille.width(), taille.height());
    fond.setColorAt(0, QColor(0x1E, 0x3C, 0x78));
    fond.setColorAt(0.5, QColor(0x35, 0x63, 0xB5));
    fond.setColorAt(1, QColor(0xF2, 0x8C, 0x28));
    p.fillRect(pix.rect(), fond);
    // A procession of pages crossing the picture: CVs and letters on their way.
    const int pas = 70;
    for (int x = 10, n = 0; x < taille.width(); x += pas, ++n) {
        const int y = taille.height() - 120 + int(18 * std::sin(n * 0.9));
        const QColor teinte = n % 3 == 0 ? QColor(0xFF, 0xE6, 0xD5) : QColor(0xF4, 0xF8, 0xFD);
        feuille(p, QRectF(x, y, 36, 46), QColor(0x52, 0x7B, 0xCB), teinte);
        p.setPen(QPen(QColor(0x92, 0xB2, 0xDD), 2));
        for (int l = 0; l < 4; ++l)
            p.drawLine(QPointF(x + 6, y + 14 + l * 7), QPointF(x + 28, y + 14 + l * 7));
    }
    p.setPen(QColor(255, 255, 255, 40));
    for (int x = -taille.height(); x < taille.width(); x += 24)
        p.drawLine(x, 0, x + taille.height(), taille.height());
    return pix;
}

QPixmap banniere(QSize taille)
{
    QPixmap pix(taille);
    QPainter p(&pix);
    QLinearGradient fond(0, 0, 0, taille.height());
    fond.setColorAt(0, QColor(0xF4, 0xF8, 0xFD));
    fond.setColorAt(0.55, QColor(0xC8, 0xDB, 0xEE));
    fond.setColorAt(1, QColor(0x92, 0xB2, 0xDD));
    p.fillRect(pix.rect(), fond);
    p.setPen(QColor(0x52, 0x7B, 0xCB));
    p.drawLine(0, taille.height() - 1, taille.width(), taille.height() - 1);
    p.setPen(QColor(0xFF, 0x66, 0x00));
    p.drawLine(0, taille.height() - 2, taille.width(), taille.height() - 2);
    return pix;
}

namespace {

// The logo's emblem, an orange disc with a white K, in a square of 48 units.
void dessinerEmbleme(QPainter& p)
{
    QRadialGradient disque(24, 24, 24);
    disque.setColorAt(0, QColor(0xFF, 0xB0, 0x60));
    disque.setColorAt(1, QColor(0xE0, 0x5A, 0x00));
    p.setBrush(disque);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(24, 24), 22, 22);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 12), QPointF(16, 36));
    p.drawLine(QPointF(17, 25), QPointF(31, 12));
    p.drawLine(QPointF(20, 22), QPointF(32, 36));
}

} // namespace

QImage embleme(int taille)
{
    QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(taille / 48.0, taille / 48.0);
    dessinerEmbleme(p);
    return image;
}

QPixmap logo()
{
    QPixmap pix(150, 60);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(4, 6);
    dessinerEmbleme(p);
    p.resetTransform();
    p.setPen(QColor(0x24, 0x34, 0x5C));
    p.setFont(police(QStringLiteral("Arial"), 17, true));
    p.drawText(QRectF(54, 8, 96, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kerval"));
    p.setPen(QColor(0x52, 0x7B, 0xCB));
    p.setFont(police(QStringLiteral("Arial"), 7));
    p.drawText(QRectF(55, 36, 96, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Emploi & candidatures"));
    return pix;
}

QPixmap fondRetour(QSize taille, bool allume)
{
    QPixmap pix(taille);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, taille.height());
    if (allume) {
        g.setColorAt(0, QColor(0xFF, 0xF5, 0xD5));
        g.setColorAt(1, QColor(0xDF, 0xA8, 0x72));
    } else {
        g.setColorAt(0, QColor(0xDC, 0xEA, 0xF0));
        g.setColorAt(1, QColor(0x92, 0xB2, 0xDD));
    }
    p.setBrush(g);
    p.setPen(QColor(0x52, 0x7B, 0xCB));
    p.drawRoundedRect(QRectF(0.5, 0.5, taille.width() - 1, taille.height() - 1), 6, 6);
    return pix;
}

QPixmap icone(Icone genre, QSize taille)
{
    QPixmap pix(taille);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = taille.width(), h = taille.height();
    const QRectF page(w * 0.12, h * 0.05, w * 0.72, h * 0.88);
    auto lignes = [&](QColor c) {
        p.setPen(QPen(c, qMax(1.0, h / 22)));
        for (int l = 0; l < 4; ++l) {
            const qreal y = page.top() + page.height() * (0.38 + 0.14 * l);
            p.drawLine(QPointF(page.left() + w * 0.1, y), QPointF(page.right() - w * 0.1, y));
        }
    };
    auto pastille = [&](QColor c, const QString& texte) {
        const QRectF r(w * 0.02, h * 0.55, w * 0.7, h * 0.36);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRoundedRect(r, 2, 2);
        p.setPen(Qt::white);
        p.setFont(police(QStringLiteral("Arial"), qMax(4.0, h * 0.22), true));
        p.drawText(r, Qt::AlignCenter, texte);
    };
    switch (genre) {
    case Icone::CV:
        feuille(p, page, QColor(0x52, 0x7B, 0xCB), QColor(0xF4, 0xF8, 0xFD));
        p.setBrush(QColor(0xFF, 0x66, 0x00));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(page.left() + w * 0.1, page.top() + h * 0.1, w * 0.2, w * 0.2));
        lignes(QColor(0x92, 0xB2, 0xDD));
        break;
    case Icone::CVWord:
        feuille(p, page, QColor(0x2B, 0x57, 0x9A), QColor(0xF4, 0xF8, 0xFD));
        lignes(QColor(0x92, 0xB2, 0xDD));
        pastille(QColor(0x2B, 0x57, 0x9A), QStringLiteral("W"));
        break;
    case Icone::CVPDF:
        feuille(p, page, QColor(0xB0, 0x1E, 0x1E), QColor(0xFD, 0xF4, 0xF4));
        lignes(QColor(0xE0, 0xA0, 0xA0));
        pastille(QColor(0xC0, 0x28, 0x28), QStringLiteral("PDF"));
        break;
    case Icone::Lettre: {
        const QRectF env(w * 0.05, h * 0.25, w * 0.9, h * 0.55);
        p.setPen(QPen(QColor(0x52, 0x7B, 0xCB), 1));
        p.setBrush(QColor(0xFF, 0xE6, 0xD5));
        p.drawRect(env);
        p.drawLine(env.topLeft(), QPointF(env.center().x(), env.center().y() + h * 0.05));
        p.drawLine(env.topRight(), QPointF(env.center().x(), env.center().y() + h * 0.05));
        break;
    }
    case Icone::Nouveau:
        p.setPen(QPen(QColor(0x92, 0xB2, 0xDD), 1, Qt::DashLine));
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawRoundedRect(page, 2, 2);
        p.setPen(QPen(QColor(0x30, 0xA0, 0x30), qMax(2.0, w / 9), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(w / 2, h * 0.3), QPointF(w / 2, h * 0.7));
        p.drawLine(QPointF(w * 0.3, h / 2), QPointF(w * 0.7, h / 2));
        break;
    case Icone::Candidature:
    case Icone::CandidatureSel: {
        const bool sel = genre == Icone::CandidatureSel;
        const QColor c = sel ? QColor(0xFF, 0x66, 0x00) : QColor(0x52, 0x7B, 0xCB);
        p.setPen(QPen(c.darker(130), 1));
        p.setBrush(sel ? QColor(0xFF, 0xD0, 0xA0) : QColor(0xC8, 0xDB, 0xEE));
        p.drawRoundedRect(QRectF(w * 0.05, h * 0.3, w * 0.9, h * 0.62), 2, 2);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(w * 0.05, h * 0.2, w * 0.4, h * 0.16), 2, 2);
        p.setPen(QPen(Qt::white, qMax(1.0, h / 16)));
        for (int l = 0; l < 3; ++l)
            p.drawLine(QPointF(w * 0.2, h * (0.48 + 0.13 * l)), QPointF(w * 0.8, h * (0.48 + 0.13 * l)));
        break;
    }
    }
    return pix;
}

QPixmap ballon(QSize taille)
{
    QPixmap pix(taille);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = taille.width(), h = taille.height();
    const QRectF corps(2, 2, w - 4, h * 0.8);
    QPainterPath chemin;
    chemin.addRoundedRect(corps, 18, 18);
    QPainterPath pointe;
    pointe.moveTo(w * 0.22, corps.bottom() - 4);
    pointe.lineTo(w * 0.14, h - 2);
    pointe.lineTo(w * 0.36, corps.bottom() - 4);
    pointe.closeSubpath();
    chemin = chemin.united(pointe);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0xFF, 0xFD, 0xF2));
    g.setColorAt(1, QColor(0xFB, 0xE6, 0xCF));
    p.setBrush(g);
    p.setPen(QPen(QColor(0xE0, 0x7A, 0x20), 2));
    p.drawPath(chemin);
    // An information mark in the corner.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x52, 0x7B, 0xCB));
    p.drawEllipse(QRectF(14, 12, 22, 22));
    p.setPen(Qt::white);
    p.setFont(police(QStringLiteral("Times New Roman"), 12, true));
    p.drawText(QRectF(14, 12, 22, 22), Qt::AlignCenter, QStringLiteral("i"));
    return pix;
}

} // namespace Dessins

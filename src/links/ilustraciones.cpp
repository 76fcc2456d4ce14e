#include "links/ilustraciones.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace zv::ilustraciones {

namespace {

// One palette for every picture.
const QColor kFondoArriba(36, 84, 140);
const QColor kFondoAbajo(18, 44, 82);
const QColor kPapel(250, 248, 240);
const QColor kTinta(40, 52, 70);
const QColor kAcento(236, 168, 46);
const QColor kVerde(92, 170, 96);

void fondo(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kFondoArriba);
    g.setColorAt(1, kFondoAbajo);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, 8, 8);
}

// A sheet of paper with written lines and a pencil.
void general(QPainter& p, const QRectF& c) {
    const QRectF hoja(c.center().x() - 40, c.center().y() - 55, 80, 105);
    p.setPen(QPen(kTinta, 1.5));
    p.setBrush(kPapel);
    p.drawRect(hoja);
    p.setPen(QPen(kTinta.lighter(180), 2));
    for (int i = 0; i < 7; ++i) {
        const qreal y = hoja.top() + 18 + i * 12;
        const qreal largo = i % 3 == 2 ? 40 : 60;
        p.drawLine(QPointF(hoja.left() + 10, y), QPointF(hoja.left() + 10 + largo, y));
    }
    p.save();
    p.translate(hoja.right() - 6, hoja.bottom() - 12);
    p.rotate(-45);
    p.setPen(QPen(kTinta, 1.5));
    p.setBrush(kAcento);
    p.drawRect(QRectF(0, -5, 60, 10));
    p.setBrush(kPapel);
    QPolygonF punta({QPointF(0, -5), QPointF(-12, 0), QPointF(0, 5)});
    p.drawPolygon(punta);
    p.restore();
}

// A calendar page with a period marked on it.
void duracion(QPainter& p, const QRectF& c) {
    const QRectF hoja(c.center().x() - 48, c.center().y() - 50, 96, 96);
    p.setPen(QPen(kTinta, 1.5));
    p.setBrush(kPapel);
    p.drawRect(hoja);
    p.setBrush(kAcento);
    p.drawRect(QRectF(hoja.left(), hoja.top(), hoja.width(), 18));
    for (int i = 0; i < 3; ++i) {
        const qreal x = hoja.left() + 22 + i * 26;
        p.setBrush(kPapel);
        p.drawEllipse(QPointF(x, hoja.top()), 4, 4);
    }
    const qreal celda = hoja.width() / 6;
    for (int fila = 0; fila < 4; ++fila) {
        for (int col = 0; col < 6; ++col) {
            const QRectF r(hoja.left() + col * celda + 3, hoja.top() + 24 + fila * 18, celda - 6,
                           12);
            const int n = fila * 6 + col;
            p.setPen(Qt::NoPen);
            p.setBrush(n >= 8 && n <= 15 ? kVerde : kTinta.lighter(200));
            p.drawRect(r);
        }
    }
}

// A target hit by an arrow.
void alcancePagina(QPainter& p, const QRectF& c) {
    const QPointF centro = c.center();
    const QColor anillos[] = {kPapel, QColor(200, 60, 60), kPapel, QColor(200, 60, 60)};
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(kTinta, 1));
        p.setBrush(anillos[i]);
        const qreal r = 50 - i * 12;
        p.drawEllipse(centro, r, r);
    }
    p.setPen(QPen(kAcento, 4, Qt::SolidLine, Qt::RoundCap));
    const QPointF cola(centro.x() + 45, centro.y() - 60);
    p.drawLine(cola, centro);
    p.setPen(QPen(kAcento, 3));
    p.drawLine(cola, cola + QPointF(10, 2));
    p.drawLine(cola, cola + QPointF(-2, -10));
}

// A path climbing through three steps to a flag.
void estrategia(QPainter& p, const QRectF& c) {
    const QPointF a(c.center().x() - 45, c.center().y() + 45);
    const QPointF b(c.center().x() - 5, c.center().y() + 5);
    const QPointF d(c.center().x() + 35, c.center().y() - 35);
    QPainterPath camino(a);
    camino.cubicTo(a + QPointF(30, 0), b + QPointF(-20, 20), b);
    camino.cubicTo(b + QPointF(20, -20), d + QPointF(-30, 10), d);
    p.setPen(QPen(kPapel, 3, Qt::DashLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(camino);
    for (const QPointF& q : {a, b, d}) {
        p.setPen(QPen(kTinta, 1.5));
        p.setBrush(q == d ? kAcento : kVerde);
        p.drawEllipse(q, 8, 8);
    }
    p.setPen(QPen(kPapel, 2));
    p.drawLine(d, d + QPointF(0, -40));
    p.setBrush(kAcento);
    p.setPen(QPen(kTinta, 1));
    p.drawPolygon(QPolygonF({d + QPointF(0, -40), d + QPointF(26, -32), d + QPointF(0, -24)}));
}

} // namespace

QPixmap pagina(Pagina pag, const QSize& tamano) {
    QPixmap px(tamano);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, tamano.width(), tamano.height());
    fondo(p, r.adjusted(1, 1, -1, -1));
    switch (pag) {
    case Pagina::General:
        general(p, r);
        break;
    case Pagina::Duracion:
        duracion(p, r);
        break;
    case Pagina::Alcance:
        alcancePagina(p, r);
        break;
    case Pagina::Estrategia:
        estrategia(p, r);
        break;
    }
    return px;
}

QIcon alcance(Alcance a) {
    QPixmap px(48, 48);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    fondo(p, QRectF(1, 1, 46, 46));
    p.setPen(QPen(kTinta, 1.5));
    switch (a) {
    case Alcance::Productos: {
        // A box.
        p.setBrush(kAcento);
        p.drawPolygon(
            QPolygonF({QPointF(10, 18), QPointF(24, 11), QPointF(38, 18), QPointF(24, 25)}));
        p.setBrush(kAcento.darker(120));
        p.drawPolygon(
            QPolygonF({QPointF(10, 18), QPointF(24, 25), QPointF(24, 39), QPointF(10, 32)}));
        p.setBrush(kAcento.darker(150));
        p.drawPolygon(
            QPolygonF({QPointF(38, 18), QPointF(24, 25), QPointF(24, 39), QPointF(38, 32)}));
        break;
    }
    case Alcance::Servicios: {
        // A gear.
        p.setBrush(kPapel);
        QPainterPath rueda;
        for (int i = 0; i < 8; ++i) {
            const qreal ang = qDegreesToRadians(i * 45.0);
            const QPointF c(24 + 13 * qCos(ang), 24 + 13 * qSin(ang));
            rueda.addEllipse(c, 4.5, 4.5);
        }
        rueda.addEllipse(QPointF(24, 24), 12, 12);
        p.drawPath(rueda.simplified());
        p.setBrush(kFondoAbajo);
        p.drawEllipse(QPointF(24, 24), 5, 5);
        break;
    }
    case Alcance::Ramos: {
        // A factory.
        p.setBrush(kPapel);
        p.drawPolygon(QPolygonF({QPointF(8, 38), QPointF(8, 24), QPointF(17, 18), QPointF(17, 24),
                                 QPointF(26, 18), QPointF(26, 24), QPointF(35, 18), QPointF(35, 10),
                                 QPointF(40, 10), QPointF(40, 38)}));
        p.setBrush(kAcento);
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(11 + i * 9, 28, 5, 5));
        break;
    }
    }
    return QIcon(px);
}

} // namespace zv::ilustraciones

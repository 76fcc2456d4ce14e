#include "ui/iconos.h"

#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

using namespace Qt::StringLiterals;

namespace zv::iconos {

namespace {

// Every picture is drawn on a 48-unit square. Outlines are 4 units wide and centred on even
// units, fills start and end on even units: at 24 and 48 pixels every edge falls on a pixel
// boundary.
constexpr qreal kLado = 48;

struct Paleta {
    QColor tinta;   // outlines and dark parts
    QColor papel;   // paper and light surfaces
    QColor blanco;  // signs drawn over colour
    QColor azul;    // the main colour of the family
    QColor celeste; // its light companion
    QColor ambar;   // the accent
    QColor rojo;    // deleting, cancelling, dates
    QColor verde;   // adding, confirming, going on
};

Paleta paleta(bool apagada) {
    if (apagada) // a disabled button: the same picture in greys
        return {QColor(0x8e, 0x8e, 0x8e), QColor(0xf2, 0xf2, 0xf2), QColor(0xfa, 0xfa, 0xfa),
                QColor(0xb0, 0xb0, 0xb0), QColor(0xd8, 0xd8, 0xd8), QColor(0xc6, 0xc6, 0xc6),
                QColor(0xa6, 0xa6, 0xa6), QColor(0xaa, 0xaa, 0xaa)};
    return {QColor(0x1f, 0x3a, 0x5f), QColor(0xf4, 0xf8, 0xfd), QColor(0xff, 0xff, 0xff),
            QColor(0x2f, 0x74, 0xc0), QColor(0xb9, 0xd5, 0xf0), QColor(0xf2, 0xa5, 0x16),
            QColor(0xd6, 0x40, 0x3a), QColor(0x2e, 0x9a, 0x58)};
}

void trazo(QPainter& g, const QColor& c, qreal ancho = 4, Qt::PenCapStyle cap = Qt::SquareCap,
           Qt::PenJoinStyle join = Qt::MiterJoin) {
    g.setPen(QPen(c, ancho, Qt::SolidLine, cap, join));
}

void relleno(QPainter& g, const QColor& c) {
    g.setBrush(c);
}

void sinTrazo(QPainter& g) {
    g.setPen(Qt::NoPen);
}

// A filled shape with the family's outline.
void figura(QPainter& g, const QPainterPath& p, const QColor& fondo, const QColor& borde,
            qreal ancho = 4) {
    trazo(g, borde, ancho, Qt::SquareCap, Qt::RoundJoin);
    relleno(g, fondo);
    g.drawPath(p);
}

QPainterPath rect(qreal x1, qreal y1, qreal x2, qreal y2, qreal radio = 0) {
    QPainterPath p;
    if (radio > 0)
        p.addRoundedRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)), radio, radio);
    else
        p.addRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
    return p;
}

QPainterPath poligono(std::initializer_list<QPointF> puntos) {
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(puntos)));
    p.closeSubpath();
    return p;
}

void linea(QPainter& g, const QColor& c, qreal ancho, QPointF a, QPointF b,
           Qt::PenCapStyle cap = Qt::RoundCap) {
    trazo(g, c, ancho, cap, Qt::RoundJoin);
    g.drawLine(a, b);
}

// A straight arrow from a to b, with its head at b.
void flecha(QPainter& g, const QColor& c, qreal ancho, QPointF a, QPointF b, qreal cabeza) {
    const QPointF d = b - a;
    const qreal largo = std::hypot(d.x(), d.y());
    const QPointF u = d / largo, n(-u.y(), u.x());
    linea(g, c, ancho, a, b - u * cabeza * 0.6, Qt::RoundCap);
    sinTrazo(g);
    relleno(g, c);
    g.drawPolygon(QPolygonF{b + u * 1.0, b - u * cabeza + n * cabeza * 0.8,
                            b - u * cabeza - n * cabeza * 0.8});
}

// An arc around c from one angle (degrees, counter-clockwise from three o'clock) sweeping
// counter-clockwise, with an arrow head at its end.
void flechaCurva(QPainter& g, const QColor& c, QPointF centro, qreal radio, qreal desde,
                 qreal barrido) {
    QPainterPath arco;
    const QRectF caja(centro - QPointF(radio, radio), QSizeF(2 * radio, 2 * radio));
    arco.arcMoveTo(caja, desde);
    arco.arcTo(caja, desde, barrido);
    trazo(g, c, 5, Qt::FlatCap);
    g.setBrush(Qt::NoBrush);
    g.drawPath(arco);
    const qreal a = qDegreesToRadians(desde + barrido);
    const QPointF radial(std::cos(a), -std::sin(a));
    const QPointF tangente(-std::sin(a), -std::cos(a)); // the way a growing angle moves
    const QPointF fin = centro + radial * radio;
    sinTrazo(g);
    relleno(g, c);
    g.drawPolygon(QPolygonF{fin + tangente * 8, fin + radial * 7 - tangente * 1,
                            fin - radial * 7 - tangente * 1});
}

// A bust: head and shoulders inside the box (x, y, side 32).
void persona(QPainter& g, const Paleta& p, qreal x, qreal y, const QColor& color) {
    QPainterPath cuerpo;
    cuerpo.moveTo(x + 2, y + 36);
    cuerpo.lineTo(x + 2, y + 30);
    cuerpo.cubicTo(x + 2, y + 20, x + 30, y + 20, x + 30, y + 30);
    cuerpo.lineTo(x + 30, y + 36);
    cuerpo.closeSubpath();
    figura(g, cuerpo, color, p.tinta, 3);
    QPainterPath cabeza;
    cabeza.addEllipse(QPointF(x + 16, y + 10), 8, 8);
    figura(g, cabeza, color, p.tinta, 3);
}

// A tower of offices in the box (x1, y1)-(x2, 44) with rows of windows.
void edificio(QPainter& g, const Paleta& p, qreal x1, qreal y1, qreal x2, const QColor& frente) {
    figura(g, rect(x1, y1, x2, 44), frente, p.tinta);
    sinTrazo(g);
    relleno(g, p.azul);
    // Windows of 4 units with 4 between them, centred inside the outline.
    const qreal interior = x2 - x1 - 4;
    const int columnas = int(interior / 8);
    const qreal margen = (interior - (8 * columnas - 4)) / 2;
    for (qreal fila = y1 + 6; fila + 4 <= 36; fila += 8)
        for (int c = 0; c < columnas; ++c)
            g.drawRect(QRectF(x1 + 2 + margen + c * 8, fila, 4, 4));
    relleno(g, p.tinta);
    g.drawRect(QRectF((x1 + x2) / 2 - 4, 36, 8, 8));
}

// Three bars getting longer or shorter from the top, beside an arrow.
void orden(QPainter& g, const Paleta& p, bool ascendente) {
    flecha(g, p.azul, 4, QPointF(12, ascendente ? 42 : 6), QPointF(12, ascendente ? 6 : 42), 9);
    sinTrazo(g);
    relleno(g, p.tinta);
    const qreal largos[] = {10, 16, 22};
    for (int i = 0; i < 3; ++i) {
        const qreal largo = largos[ascendente ? i : 2 - i];
        g.drawRoundedRect(QRectF(22, 8 + i * 12, largo, 6), 1, 1);
    }
}

// A thick arrow pointing up, turned to point elsewhere.
void flechaGruesa(QPainter& g, const Paleta& p, qreal giro) {
    g.save();
    g.translate(24, 24);
    g.rotate(giro);
    g.translate(-24, -24);
    figura(g, poligono({{24, 4}, {43, 23}, {32, 23}, {32, 44}, {16, 44}, {16, 23}, {5, 23}}),
           p.azul, p.tinta, 3);
    g.restore();
}

// A round sign with a mark over it.
void disco(QPainter& g, const Paleta& p, const QColor& color) {
    QPainterPath c;
    c.addEllipse(QPointF(24, 24), 20, 20);
    figura(g, c, color, p.tinta, 3);
}

using Dibujo = void (*)(QPainter&, const Paleta&);

void dNuevo(QPainter& g, const Paleta& p) {
    figura(g, poligono({{8, 4}, {28, 4}, {38, 14}, {38, 44}, {8, 44}}), p.papel, p.tinta);
    trazo(g, p.tinta, 4, Qt::SquareCap, Qt::MiterJoin);
    g.setBrush(Qt::NoBrush);
    g.drawPolyline(QPolygonF{{28, 4}, {28, 14}, {38, 14}});
    QPainterPath badge;
    badge.addEllipse(QPointF(34, 34), 11, 11);
    figura(g, badge, p.verde, p.blanco, 2);
    linea(g, p.blanco, 4, {28, 34}, {40, 34}, Qt::FlatCap);
    linea(g, p.blanco, 4, {34, 28}, {34, 40}, Qt::FlatCap);
}

void dGuardar(QPainter& g, const Paleta& p) {
    figura(g, poligono({{6, 6}, {36, 6}, {42, 12}, {42, 42}, {6, 42}}), p.azul, p.tinta);
    sinTrazo(g);
    relleno(g, p.celeste);
    g.drawRect(QRectF(14, 8, 18, 10));
    relleno(g, p.tinta);
    g.drawRect(QRectF(26, 10, 4, 6));
    relleno(g, p.blanco);
    g.drawRect(QRectF(12, 26, 24, 14));
    linea(g, p.celeste, 2, {16, 31}, {32, 31}, Qt::FlatCap);
    linea(g, p.celeste, 2, {16, 35}, {32, 35}, Qt::FlatCap);
}

void dActualizar(QPainter& g, const Paleta& p) {
    flechaCurva(g, p.azul, {24, 24}, 16, 20, 140);
    flechaCurva(g, p.verde, {24, 24}, 16, 200, 140);
}

void dEliminar(QPainter& g, const Paleta& p) {
    trazo(g, p.tinta, 3, Qt::SquareCap, Qt::MiterJoin);
    g.setBrush(Qt::NoBrush);
    g.drawRect(QRectF(18, 4, 12, 6));
    figura(g, poligono({{12, 16}, {36, 16}, {33, 44}, {15, 44}}), p.rojo, p.tinta);
    for (const qreal x : {21.0, 27.0})
        linea(g, p.blanco, 2, {x, 22}, {x, 38}, Qt::FlatCap);
    sinTrazo(g);
    relleno(g, p.tinta);
    g.drawRoundedRect(QRectF(6, 10, 36, 6), 1, 1);
}

void dBuscar(QPainter& g, const Paleta& p) {
    linea(g, p.tinta, 8, {30, 30}, {42, 42}, Qt::RoundCap);
    QPainterPath lente;
    lente.addEllipse(QPointF(20, 20), 14, 14);
    figura(g, lente, p.celeste, p.tinta);
    trazo(g, p.blanco, 3, Qt::RoundCap);
    g.setBrush(Qt::NoBrush);
    g.drawArc(QRectF(11, 11, 18, 18), 100 * 16, 70 * 16);
}

void dOrdenAsc(QPainter& g, const Paleta& p) {
    orden(g, p, true);
}
void dOrdenDes(QPainter& g, const Paleta& p) {
    orden(g, p, false);
}

void dAyuda(QPainter& g, const Paleta& p) {
    disco(g, p, p.azul);
    QPainterPath signo;
    signo.arcMoveTo(QRectF(17, 10, 14, 14), 180);
    signo.arcTo(QRectF(17, 10, 14, 14), 180, -250);
    signo.lineTo(24, 29);
    trazo(g, p.blanco, 5, Qt::RoundCap, Qt::RoundJoin);
    g.setBrush(Qt::NoBrush);
    g.drawPath(signo);
    sinTrazo(g);
    relleno(g, p.blanco);
    g.drawEllipse(QPointF(24, 36), 3.2, 3.2);
}

void dCerrar(QPainter& g, const Paleta& p) {
    figura(g, rect(4, 8, 44, 40), p.papel, p.tinta);
    sinTrazo(g);
    relleno(g, p.tinta);
    g.drawRect(QRectF(4, 8, 40, 8));
    linea(g, p.rojo, 5, {17, 21}, {31, 35});
    linea(g, p.rojo, 5, {31, 21}, {17, 35});
}

void dSalir(QPainter& g, const Paleta& p) {
    figura(g, rect(6, 4, 26, 44), p.papel, p.tinta);
    figura(g, poligono({{6, 4}, {20, 10}, {20, 44}, {6, 44}}), p.ambar, p.tinta);
    sinTrazo(g);
    relleno(g, p.tinta);
    g.drawEllipse(QPointF(16, 26), 2, 2);
    flecha(g, p.verde, 5, {24, 24}, {45, 24}, 9);
}

void dImprimir(QPainter& g, const Paleta& p) {
    figura(g, rect(14, 4, 34, 18), p.blanco, p.tinta);
    figura(g, rect(4, 16, 44, 36, 3), p.azul, p.tinta);
    figura(g, rect(14, 28, 34, 44), p.blanco, p.tinta);
    linea(g, p.celeste, 2, {18, 33}, {30, 33}, Qt::FlatCap);
    linea(g, p.celeste, 2, {18, 39}, {30, 39}, Qt::FlatCap);
    sinTrazo(g);
    relleno(g, p.verde);
    g.drawEllipse(QPointF(38, 23), 2.5, 2.5);
}

void dActividad(QPainter& g, const Paleta& p) {
    figura(g, rect(8, 6, 40, 44, 3), p.ambar, p.tinta);
    sinTrazo(g);
    relleno(g, p.blanco);
    g.drawRect(QRectF(12, 12, 24, 28));
    relleno(g, p.tinta);
    g.drawRoundedRect(QRectF(18, 2, 12, 8), 2, 2);
    for (const qreal y : {20.0, 31.0}) {
        trazo(g, p.verde, 3, Qt::RoundCap, Qt::RoundJoin);
        g.setBrush(Qt::NoBrush);
        g.drawPolyline(QPolygonF{{15, y}, {18, y + 3}, {23, y - 3}});
        linea(g, p.tinta, 3, {26, y}, {33, y}, Qt::FlatCap);
    }
}

void dContacto(QPainter& g, const Paleta& p) {
    persona(g, p, 8, 6, p.azul);
}

void dContactos(QPainter& g, const Paleta& p) {
    g.save();
    g.translate(16, 2);
    g.scale(0.85, 0.85);
    persona(g, p, 0, 0, p.celeste);
    g.restore();
    persona(g, p, 2, 10, p.azul);
}

void dEmpresa(QPainter& g, const Paleta& p) {
    edificio(g, p, 10, 4, 38, p.celeste);
}

void dEmpresas(QPainter& g, const Paleta& p) {
    edificio(g, p, 24, 14, 44, p.papel);
    edificio(g, p, 4, 4, 24, p.celeste);
}

void dAgenda(QPainter& g, const Paleta& p) {
    figura(g, rect(6, 8, 42, 44, 2), p.blanco, p.tinta);
    sinTrazo(g);
    relleno(g, p.rojo);
    g.drawRect(QRectF(8, 10, 32, 8));
    for (const qreal x : {16.0, 32.0})
        linea(g, p.tinta, 4, {x, 4}, {x, 12}, Qt::RoundCap);
    sinTrazo(g);
    for (int fila = 0; fila < 3; ++fila)
        for (int col = 0; col < 5; ++col) {
            relleno(g, fila == 1 && col == 3 ? p.ambar : p.azul);
            g.drawRect(QRectF(10 + col * 6, 22 + fila * 6, 4, 4));
        }
}

void dProducto(QPainter& g, const Paleta& p) {
    figura(g, rect(8, 16, 40, 44), p.ambar, p.tinta);
    figura(g, rect(4, 8, 44, 18), p.ambar, p.tinta);
    sinTrazo(g);
    relleno(g, p.papel);
    g.drawRect(QRectF(20, 10, 8, 32));
    relleno(g, p.tinta);
    g.drawRect(QRectF(20, 16, 8, 2));
}

void dServicio(QPainter& g, const Paleta& p) {
    g.save();
    g.translate(24, 24);
    g.rotate(45);
    QPainterPath cabeza;
    cabeza.addEllipse(QPointF(0, -11), 11, 11);
    QPainterPath boca;
    boca.addRect(QRectF(-4, -24, 8, 13));
    QPainterPath mango;
    mango.addRoundedRect(QRectF(-4.5, -4, 9, 26), 4.5, 4.5);
    figura(g, cabeza.subtracted(boca).united(mango).simplified(), p.azul, p.tinta, 3);
    sinTrazo(g);
    relleno(g, p.celeste);
    g.drawEllipse(QPointF(0, 16), 2, 2);
    g.restore();
}

void dPlanes(QPainter& g, const Paleta& p) {
    sinTrazo(g);
    relleno(g, p.azul);
    g.drawRect(QRectF(12, 30, 8, 12));
    g.drawRect(QRectF(22, 22, 8, 20));
    g.drawRect(QRectF(32, 14, 8, 28));
    trazo(g, p.tinta, 4, Qt::SquareCap, Qt::MiterJoin);
    g.setBrush(Qt::NoBrush);
    g.drawPolyline(QPolygonF{{6, 4}, {6, 42}, {44, 42}});
    flecha(g, p.verde, 4, {10, 26}, {36, 6}, 8);
}

void dRamos(QPainter& g, const Paleta& p) {
    const QRectF caja(5, 5, 38, 38);
    struct Porcion {
        qreal desde, barrido;
        QColor color;
    };
    for (const Porcion& s :
         {Porcion{90, 130, p.azul}, Porcion{220, 90, p.celeste}, Porcion{310, 140, p.ambar}}) {
        trazo(g, p.tinta, 3, Qt::SquareCap, Qt::RoundJoin);
        relleno(g, s.color);
        g.drawPie(caja, int(s.desde * 16), int(s.barrido * 16));
    }
}

void dSubir(QPainter& g, const Paleta& p) {
    flechaGruesa(g, p, 0);
}
void dBajar(QPainter& g, const Paleta& p) {
    flechaGruesa(g, p, 180);
}
void dAtras(QPainter& g, const Paleta& p) {
    flechaGruesa(g, p, -90);
}
void dSiguiente(QPainter& g, const Paleta& p) {
    flechaGruesa(g, p, 90);
}

void dCancelar(QPainter& g, const Paleta& p) {
    disco(g, p, p.rojo);
    linea(g, p.blanco, 5, {16, 16}, {32, 32});
    linea(g, p.blanco, 5, {32, 16}, {16, 32});
}

void dFinalizar(QPainter& g, const Paleta& p) {
    disco(g, p, p.verde);
    trazo(g, p.blanco, 5, Qt::RoundCap, Qt::RoundJoin);
    g.setBrush(Qt::NoBrush);
    g.drawPolyline(QPolygonF{{14, 25}, {21, 32}, {34, 17}});
}

// The program: a briefcase that carries the agenda.
void dAplicacion(QPainter& g, const Paleta& p) {
    trazo(g, p.tinta, 4, Qt::SquareCap, Qt::RoundJoin);
    g.setBrush(Qt::NoBrush);
    g.drawRoundedRect(QRectF(16, 4, 16, 10), 3, 3);
    figura(g, rect(4, 12, 44, 42, 5), p.azul, p.tinta);
    linea(g, p.tinta, 3, {4, 25}, {44, 25}, Qt::FlatCap);
    figura(g, rect(18, 20, 30, 36, 2), p.blanco, p.tinta, 3);
    sinTrazo(g);
    relleno(g, p.rojo);
    g.drawRect(QRectF(19.5, 21.5, 9, 4));
    relleno(g, p.ambar);
    g.drawRect(QRectF(21, 28, 6, 5));
}

void dNeutro(QPainter& g, const Paleta&) {
    figura(g, rect(8, 8, 40, 40, 6), QColor(0xe8, 0xe8, 0xe8), QColor(0x80, 0x80, 0x80));
    sinTrazo(g);
    relleno(g, QColor(0x80, 0x80, 0x80));
    g.drawEllipse(QPointF(24, 24), 5, 5);
}

const QList<QPair<QString, Dibujo>>& dibujos() {
    static const QList<QPair<QString, Dibujo>> l = {
        {u"nuevo"_s, dNuevo},         {u"guardar"_s, dGuardar},      {u"actualizar"_s, dActualizar},
        {u"eliminar"_s, dEliminar},   {u"buscar"_s, dBuscar},        {u"orden_asc"_s, dOrdenAsc},
        {u"orden_des"_s, dOrdenDes},  {u"ordenar_asc"_s, dOrdenAsc}, {u"ordenar_des"_s, dOrdenDes},
        {u"ayuda"_s, dAyuda},         {u"cerrar"_s, dCerrar},        {u"salir"_s, dSalir},
        {u"imprimir"_s, dImprimir},   {u"actividad"_s, dActividad},  {u"contacto"_s, dContacto},
        {u"contactos"_s, dContactos}, {u"empresa"_s, dEmpresa},      {u"empresas"_s, dEmpresas},
        {u"agenda"_s, dAgenda},       {u"producto"_s, dProducto},    {u"servicio"_s, dServicio},
        {u"planes"_s, dPlanes},       {u"ramos"_s, dRamos},          {u"subir"_s, dSubir},
        {u"bajar"_s, dBajar},         {u"atras"_s, dAtras},          {u"siguiente"_s, dSiguiente},
        {u"cancelar"_s, dCancelar},   {u"finalizar"_s, dFinalizar},
    };
    return l;
}

// Draws a picture at whatever size it is asked for, and keeps what it drew.
class MotorIcono : public QIconEngine {
public:
    explicit MotorIcono(Dibujo d) : dibujo_(d) {}

    void paint(QPainter* painter, const QRect& r, QIcon::Mode mode, QIcon::State) override {
        const qreal escala = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap pm = dibujar((QSizeF(r.size()) * escala).toSize(), mode == QIcon::Disabled);
        pm.setDevicePixelRatio(escala);
        painter->drawPixmap(r, pm);
    }

    // Sizes in device pixels: the icon asks for twice the pixels on a double-density screen.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        return dibujar(size, mode == QIcon::Disabled);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    }

    QIconEngine* clone() const override { return new MotorIcono(*this); }
    QString key() const override { return u"zelvora"_s; }
    bool isNull() override { return false; }

private:
    MotorIcono(const MotorIcono& otro) : QIconEngine(otro), dibujo_(otro.dibujo_) {}

    QPixmap dibujar(const QSize& px, bool apagada) {
        if (px.isEmpty()) return {};
        const quint64 clave = (quint64(px.width()) << 32) | (quint64(px.height()) << 1) | apagada;
        if (const auto it = hechos_.constFind(clave); it != hechos_.constEnd()) return *it;
        QImage img(px, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter g(&img);
            g.setRenderHint(QPainter::Antialiasing);
            const qreal lado = std::min(px.width(), px.height());
            g.translate((px.width() - lado) / 2, (px.height() - lado) / 2);
            g.scale(lado / kLado, lado / kLado);
            dibujo_(g, paleta(apagada));
        }
        const QPixmap pm = QPixmap::fromImage(img);
        hechos_.insert(clave, pm);
        return pm;
    }

    Dibujo dibujo_;
    QHash<quint64, QPixmap> hechos_;
};

QIcon crear(Dibujo d) {
    // Pixmaps need the graphical application.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {};
    return QIcon(new MotorIcono(d));
}

} // namespace

QIcon icono(const QString& clave) {
    static QHash<QString, QIcon> hechos;
    if (const auto it = hechos.constFind(clave); it != hechos.constEnd()) return *it;
    Dibujo d = dNeutro;
    for (const auto& [k, dibujo] : dibujos())
        if (k == clave) d = dibujo;
    const QIcon i = crear(d);
    if (!i.isNull()) hechos.insert(clave, i);
    return i;
}

QIcon aplicacion() {
    static QIcon hecho;
    if (hecho.isNull()) hecho = crear(dAplicacion);
    return hecho;
}

void pintarAplicacion(QPainter& g, qreal lado) {
    g.save();
    g.setRenderHint(QPainter::Antialiasing);
    g.scale(lado / kLado, lado / kLado);
    dAplicacion(g, paleta(false));
    g.restore();
}

QStringList claves() {
    QStringList l;
    for (const auto& par : dibujos())
        l << par.first;
    return l;
}

} // namespace zv::iconos

// Writes the program's icon for the desktop's icon theme: a PNG picture at each usual size
// (<carpeta>/<n>x<n>/apps/<nombre>.png) and, when built with Qt SVG, the scalable picture
// (<carpeta>/scalable/apps/<nombre>.svg) drawn with the same strokes as the program's own icon.
// Usage: zelvora_iconos CARPETA NOMBRE
#include "ui/iconos.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#ifdef ZV_ICONO_SVG
#include <QSvgGenerator>
#endif

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: zelvora_iconos CARPETA NOMBRE\n");
        return 2;
    }
    const QString carpeta = args[1];
    const QString nombre = args[2];
    for (const int lado : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = u"%1/%2x%2/apps"_s.arg(carpeta).arg(lado);
        QImage img(lado, lado, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter g(&img);
            zv::iconos::pintarAplicacion(g, lado);
        }
        if (!QDir().mkpath(dir) || !img.save(dir + u'/' + nombre + u".png"_s)) {
            std::fprintf(stderr, "no se pudo escribir %s\n", qPrintable(dir));
            return 1;
        }
    }
#ifdef ZV_ICONO_SVG
    const QString dir = carpeta + u"/scalable/apps"_s;
    if (!QDir().mkpath(dir)) return 1;
    QSvgGenerator svg;
    svg.setFileName(dir + u'/' + nombre + u".svg"_s);
    svg.setSize(QSize(48, 48));
    svg.setViewBox(QRectF(0, 0, 48, 48));
    svg.setTitle(u"Zelvora"_s);
    QPainter g;
    if (!g.begin(&svg)) return 1;
    zv::iconos::pintarAplicacion(g, 48);
    g.end();
#endif
    return 0;
}

// The icon set: every toolbar key has a picture of its own, at every size and state asked.
#include "support/entorno.h"
#include "ui/iconos.h"

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

QImage imagen(const QIcon& i, int lado, QIcon::Mode modo = QIcon::Normal) {
    return i.pixmap(QSize(lado, lado), modo).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class PruebaIconos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cadaClaveDeLasBarrasTieneSuPropioDibujo() {
        const QStringList claves = {u"nuevo"_s,     u"guardar"_s,   u"actualizar"_s, u"eliminar"_s,
                                    u"buscar"_s,    u"orden_asc"_s, u"orden_des"_s,  u"ayuda"_s,
                                    u"cerrar"_s,    u"salir"_s,     u"imprimir"_s,   u"actividad"_s,
                                    u"contacto"_s,  u"contactos"_s, u"empresa"_s,    u"empresas"_s,
                                    u"agenda"_s,    u"producto"_s,  u"servicio"_s,   u"planes"_s,
                                    u"ramos"_s,     u"subir"_s,     u"bajar"_s,      u"atras"_s,
                                    u"siguiente"_s, u"cancelar"_s,  u"finalizar"_s};
        const QImage neutro = imagen(iconos::icono(u"no-existe"_s), 24);
        QVERIFY(!neutro.isNull());
        QCOMPARE(imagen(iconos::icono(u"otra-que-no-existe"_s), 24), neutro);
        QHash<QString, QString> vistas; // picture -> key
        for (const QString& k : claves) {
            QVERIFY2(iconos::claves().contains(k), qPrintable(k));
            const QImage img = imagen(iconos::icono(k), 24);
            QCOMPARE(img.size(), QSize(24, 24));
            QVERIFY2(img != neutro, qPrintable(k));
            const QString firma = QString::fromLatin1(
                QByteArray(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes())
                    .toBase64());
            QVERIFY2(!vistas.contains(firma), qPrintable(k + u" = "_s + vistas.value(firma)));
            vistas.insert(firma, k);
        }
        // The sort keys of other screens wear the same pictures.
        QCOMPARE(imagen(iconos::icono(u"ordenar_asc"_s), 24),
                 imagen(iconos::icono(u"orden_asc"_s), 24));
        QCOMPARE(imagen(iconos::icono(u"ordenar_des"_s), 24),
                 imagen(iconos::icono(u"orden_des"_s), 24));
        QVERIFY(!iconos::aplicacion().isNull());
        QVERIFY(imagen(iconos::aplicacion(), 48) != imagen(iconos::icono(u"no-existe"_s), 48));
    }

    void seDibujaNitidoACadaTamanoYGrisSiEstaInactivo() {
        const QIcon i = iconos::icono(u"guardar"_s);
        QCOMPARE(i.cacheKey(), iconos::icono(u"guardar"_s).cacheKey());
        for (const int lado : {16, 24, 48, 256}) {
            const QImage img = imagen(i, lado);
            QCOMPARE(img.size(), QSize(lado, lado));
            QCOMPARE(qAlpha(img.pixel(lado / 2, lado / 2)), 255); // drawn to the middle
            QCOMPARE(qAlpha(img.pixel(0, lado - 1)), 0);          // with its margin
        }
        // On a screen of double density the picture is drawn at twice the pixels.
        const QPixmap doble = i.pixmap(QSize(24, 24), 2.0);
        QCOMPARE(doble.size(), QSize(48, 48));
        QCOMPARE(doble.devicePixelRatio(), 2.0);
        QImage dobleImg = doble.toImage().convertToFormat(QImage::Format_ARGB32);
        dobleImg.setDevicePixelRatio(1);
        QCOMPARE(dobleImg, imagen(i, 48));

        const QImage apagado = imagen(i, 24, QIcon::Disabled);
        QVERIFY(apagado != imagen(i, 24));
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                const QRgb c = apagado.pixel(x, y);
                QVERIFY(qAbs(qRed(c) - qGreen(c)) <= 1 && qAbs(qGreen(c) - qBlue(c)) <= 1);
            }
    }
};

ZV_PRUEBA_MAIN(PruebaIconos)
#include "prueba_iconos.moc"

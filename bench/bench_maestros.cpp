// The companies screen over many companies: opening it (until its first screen is painted, and
// until every row has arrived), and a contained-text search on one field chosen from its
// drop-down, against the engine stepping the same statement.
#include "bench.h"
#include "data/basedatos.h"
#include "data/demodatos.h"
#include "data/dialecto.h"
#include "data/origenregistros.h"
#include "masterdata/frmmantficha.h"
#include "ui/grilla.h"
#include "ui/plataforma.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

// Answers the search's questions as a user would: a contained-text search for one text.
class PlataformaBanco : public zv::Plataforma {
public:
    explicit PlataformaBanco(QString texto) : texto_(std::move(texto)) {}
    zv::Respuesta mensaje(const QString&, zv::Botones, zv::Icono, const QString&) override {
        ++mensajes;
        return zv::Respuesta::No;
    }
    QString entrada(const QString&, const QString&, const QString&) override { return texto_; }
    void mostrarModal(QWidget*, const std::function<void()>&) override {}
    void mostrar(QWidget* w) override { w->show(); }
    void establecerPuntero(zv::Puntero p) override { puntero_ = p; }
    zv::Puntero puntero() const override { return puntero_; }
    void copiar(QMimeData* datos) override { delete datos; }
    const QMimeData* portapapeles() override { return nullptr; }
    void abrirAyuda(const QString&) override {}
    bool iniciarPrograma(const QString&, const QStringList&) override { return false; }
    bool dialogoImprimir(QPrinter&, int) override { return false; }
    QString archivoParaGuardar(const QString&, const QString&, const QString&) override {
        return {};
    }
    int mensajes = 0;

private:
    QString texto_;
    zv::Puntero puntero_ = zv::Puntero::Normal;
};

void empresas(const zv::bench::Opciones& op) {
    const int n = op.entero(u"empresas"_s, 100000);
    const QString texto = op.valores.value(u"texto"_s, u"ra"_s);
    zv::TamanoDemo tam;
    tam.empresas = n;
    tam.contactos = 50;
    tam.entradasAgenda = 50;
    zv::BaseDatos& bd = zv::bench::baseGenerada(tam);
    const zv::DisenoFicha& d = zv::disenoEmpresas();

    // Opening: the load step and the first screen painted, as the user sees it.
    const double crudoApertura = zv::bench::medirCrudo(bd, d.sqlCompleto);
    zv::FrmMantFicha* abierta = nullptr;
    auto cerrar = [&] {
        delete abierta;
        abierta = nullptr;
    };
    const double primera = zv::bench::medir(cerrar, [&] {
        abierta = new zv::FrmMantFicha(d);
        abierta->show();
        zv::bench::esperarPintado(abierta->grilla()->viewport());
    });
    cerrar();
    zv::bench::informar(u"Abrir frmMantEmpresas, primera pantalla, %1 empresas"_s.arg(n), primera);
    // Until every row has arrived.
    const double apertura = zv::bench::medir(cerrar, [&] {
        abierta = new zv::FrmMantFicha(d);
        abierta->show();
        zv::OrigenRegistros* o = abierta->grilla()->modelo()->origen();
        while (o->recibiendo())
            QApplication::processEvents();
        abierta->grilla()->viewport()->repaint();
    });
    cerrar();
    zv::bench::informar(u"Abrir frmMantEmpresas, todas las filas, %1 empresas"_s.arg(n), apertura,
                        crudoApertura);

    // A contained-text search on the trade name, from the Buscar drop-down.
    PlataformaBanco plataforma(texto);
    zv::establecerPlataforma(&plataforma);
    auto* w = new zv::FrmMantFicha(d);
    w->show();
    QApplication::processEvents();
    const zv::FilaBusqueda& fila = *d.busqueda.fila(u"nombre"_s);
    const QString sentencia = zv::sql::empalmar(fila.contienePrefijo, texto, fila.contieneSufijo);
    long long filas = 0;
    const double crudo = zv::bench::medirCrudo(bd, sentencia, &filas);
    // A write before each run, so that the same search is not skipped as unchanged.
    auto escribir = [&] {
        bd.ejecutar(u"UPDATE ORIGENES SET OriDescripcion = OriDescripcion WHERE OriId = "
                    u"(SELECT min(OriId) FROM ORIGENES)"_s);
    };
    const double nuestro = zv::bench::medir(escribir, [&] {
        w->itemPulsado(u"buscar"_s, u"nombre"_s);
        w->grilla()->modelo()->origen()->recibirTodas();
        w->grilla()->viewport()->repaint();
    });
    zv::bench::informar(
        u"Buscar '%1' en el nombre, %2 empresas (%3 halladas)"_s.arg(texto).arg(n).arg(filas),
        nuestro, crudo);
    delete w;
    zv::establecerPlataforma(nullptr);
}

} // namespace

ZV_BENCH("maestros",
         "Abrir frmMantEmpresas y buscar dentro del nombre con 100.000 empresas (--empresas N, "
         "--texto T)",
         empresas);

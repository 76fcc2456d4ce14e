#include "bench.h"

#include "app/modprincipal.h"
#include "data/basedatos.h"
#include "data/demodatos.h"
#include "data/esquema.h"
#include "data/regional.h"
#include "data/reloj.h"
#include "ui/ventanas.h"

#include "data/crudo.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace zv::bench {

namespace {

struct Entrada {
    QString descripcion;
    Funcion f;
};

std::map<QString, Entrada>& registros() {
    static std::map<QString, Entrada> r;
    return r;
}

std::vector<std::unique_ptr<QTemporaryDir>> carpetas;
std::vector<std::unique_ptr<BaseDatos>> bases;
QString elServidor;

} // namespace

int Opciones::entero(const QString& nombre, int porDefecto) const {
    bool ok = false;
    const int v = valores.value(nombre).toInt(&ok);
    return ok ? v : porDefecto;
}

std::vector<int> Opciones::tamanos(const QString& nombre) const {
    const int pedido = entero(nombre, 0);
    if (pedido > 0) return {pedido};
    return {10000, 100000};
}

Registro::Registro(const char* nombre, const char* descripcion, Funcion f) {
    registros()[QString::fromUtf8(nombre)] = {QString::fromUtf8(descripcion), std::move(f)};
}

double medir(const std::function<void()>& f, int veces) {
    return medir({}, f, veces);
}

double medir(const std::function<void()>& antes, const std::function<void()>& f, int veces) {
    if (antes) antes();
    f(); // warm-up: statements prepared, pages in the cache
    std::vector<double> t;
    for (int i = 0; i < veces; ++i) {
        if (antes) antes();
        QElapsedTimer r;
        r.start();
        f();
        t.push_back(double(r.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

namespace {
class Pintado : public QObject {
public:
    bool hecho = false;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) hecho = true;
        return QObject::eventFilter(o, e);
    }
};
} // namespace

bool esperarPintado(QWidget* w, int ms) {
    Pintado p;
    w->installEventFilter(&p);
    QElapsedTimer r;
    r.start();
    while (!p.hecho && r.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents);
    w->removeEventFilter(&p);
    return p.hecho;
}

void informar(const QString& que, double nuestro, double crudo) {
    std::printf("%-58s %10.2f ms   motor %10.2f ms   razón %5.2fx\n", que.toUtf8().constData(),
                nuestro, crudo, crudo > 0 ? nuestro / crudo : 0.0);
    std::fflush(stdout);
}

void informar(const QString& que, double ms) {
    std::printf("%-58s %10.2f ms\n", que.toUtf8().constData(), ms);
    std::fflush(stdout);
}

const QString& servidor() {
    return elServidor;
}

BaseDatos& baseGenerada(const TamanoDemo& tam) {
    if (elServidor.isEmpty()) {
        carpetas.push_back(std::make_unique<QTemporaryDir>());
        bases.push_back(std::make_unique<BaseDatos>(carpetas.back()->path() + u"/bd2000.mdb"_s));
    } else {
        // One database on the server: the previous size's rows go first.
        bases.clear();
        bases.push_back(std::make_unique<BaseDatos>(elServidor));
        QStringList tablas;
        for (const Tabla& t : esquema::tablas())
            tablas << QLatin1String(t.nombre);
        crudo::ejecutar(*bases.back(),
                        u"TRUNCATE %1 RESTART IDENTITY CASCADE"_s.arg(tablas.join(u", "_s)));
    }
    generarDatosDemo(*bases.back(), tam, reloj().hoy());
    // The server plans by what its tables hold.
    if (!elServidor.isEmpty()) crudo::ejecutar(*bases.back(), u"ANALYZE"_s);
    BaseDatos::establecerPrincipal(bases.back().get());
    return *bases.back();
}

double medirCrudo(BaseDatos& bd, const QString& jet, long long* filas) {
    const auto consulta = crudo::preparar(bd, bd.traducir(jet).sql);
    long long n = 0;
    const double ms = medir([&] { n = consulta->recorrer(); });
    if (filas) *filas = n;
    return ms;
}

} // namespace zv::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zv::Regional::establecer(QLocale(QLocale::Spanish, QLocale::Spain));
    zv::registrarTodasLasVentanas();
    const QStringList args = app.arguments().mid(1);
    zv::bench::Opciones op;
    QStringList nombres;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i].startsWith(u"--"_s)) {
            op.valores[args[i].mid(2)] = i + 1 < args.size() ? args[i + 1] : QString();
            ++i;
        } else {
            nombres << args[i];
        }
    }
    zv::bench::elServidor = op.valores.value(u"servidor"_s);
    auto& r = zv::bench::registros();
    if (nombres.isEmpty() || op.valores.contains(u"help"_s)) {
        std::printf("uso: zelvora_bench [NOMBRE...|todos] [--opcion valor ...]\n\n"
                    "  --servidor AJUSTES  mide sobre una base de datos de un servidor PostgreSQL\n"
                    "                      (se vacía), frente a libpq con la misma sentencia;\n"
                    "                      una de usar y tirar: tests/support/servidor-pruebas.sh\n"
                    "                      iniciar CARPETA build/src/zelvora, y luego\n"
                    "                      --servidor \"host=CARPETA user=zelvora "
                    "dbname=zv_plantilla\"\n\n");
        for (const auto& [n, e] : r)
            std::printf("  %-22s %s\n", n.toUtf8().constData(), e.descripcion.toUtf8().constData());
        return nombres.isEmpty() ? 0 : 0;
    }
    if (nombres.contains(u"todos"_s)) {
        nombres.clear();
        for (const auto& [n, e] : r)
            nombres << n;
    }
    for (const QString& n : nombres) {
        auto it = r.find(n);
        if (it == r.end()) {
            std::fprintf(stderr, "No existe la medición «%s».\n", n.toUtf8().constData());
            return 2;
        }
        std::printf("== %s: %s\n", n.toUtf8().constData(),
                    it->second.descripcion.toUtf8().constData());
        it->second.f(op);
    }
    return 0;
}

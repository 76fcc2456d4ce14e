#pragma once
// A small benchmark harness. Each benchmark registers itself with ZV_BENCH and receives the
// command-line options (--empresas 100000 ...). Timings are medians of several runs and are
// reported next to the raw engine doing the same work, as a ratio.
#include <QHash>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace zv {
class BaseDatos;
struct TamanoDemo;
} // namespace zv

namespace zv::bench {

struct Opciones {
    QHash<QString, QString> valores;
    int entero(const QString& nombre, int porDefecto) const;
    // The sizes to measure: the one the option gives, or else 10,000 and then 100,000.
    std::vector<int> tamanos(const QString& nombre) const;
};

using Funcion = std::function<void(const Opciones&)>;

struct Registro {
    Registro(const char* nombre, const char* descripcion, Funcion f);
};

// Median wall time of f in milliseconds over `veces` runs (after one warm-up run).
double medir(const std::function<void()>& f, int veces = 5);
// The same, with `antes` run before each run of f, untimed.
double medir(const std::function<void()>& antes, const std::function<void()>& f, int veces = 5);
// Runs the event loop until `w` has been painted (as a window shown for the first time is);
// false when it was not within `ms`.
bool esperarPintado(QWidget* w, int ms = 5000);
// Prints one line: what, our time, the raw engine's time and their ratio.
void informar(const QString& que, double nuestro, double crudo);
void informar(const QString& que, double ms);
// A new database filled by the sample-data generator, installed as the program's database,
// which it returns: a file in a temporary folder that lives until the program ends, or, when
// the command line names a server database (--servidor "host=... dbname=..."), that database
// emptied and filled again (it must be a Zelvora database or empty: everything in it goes).
BaseDatos& baseGenerada(const TamanoDemo& tam);
// The server database the measurements run on; empty for a file.
const QString& servidor();
// medir() of the raw engine stepping a Jet statement translated and prepared beforehand
// (data/crudo.h), so that only the engine is timed. `filas`, when given, receives the number of
// rows.
double medirCrudo(BaseDatos& bd, const QString& jet, long long* filas = nullptr);

} // namespace zv::bench

#define ZV_BENCH_CONCAT2(a, b) a##b
#define ZV_BENCH_CONCAT(a, b) ZV_BENCH_CONCAT2(a, b)
#define ZV_BENCH(nombre, descripcion, funcion)                                                     \
    static zv::bench::Registro ZV_BENCH_CONCAT(registro_, __LINE__)(nombre, descripcion, funcion)

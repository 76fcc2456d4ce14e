#include "data/copia.h"

#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/esquema.h"
#include "data/motor.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zv::copia {

namespace {

// A reading of the original that sees one moment from its first statement to its last.
class Lectura {
public:
    explicit Lectura(BaseDatos& bd) : bd_(bd) {
        // Inside the caller's own transaction the reading is already one.
        if (bd_.enTransaccion()) return;
        bd_.motor().ejecutarDirecto(bd_.motor().comenzarLectura());
        propia_ = true;
    }
    ~Lectura() {
        if (propia_) bd_.motor().ejecutarDirecto(u"ROLLBACK"_s, true);
    }
    Lectura(const Lectura&) = delete;
    Lectura& operator=(const Lectura&) = delete;

private:
    BaseDatos& bd_;
    bool propia_ = false;
};

QString campos(const Tabla& t) {
    QStringList l;
    for (const Campo& c : t.campos)
        l << QLatin1String(c.nombre);
    return l.join(u", "_s);
}

const Campo* clave(const Tabla& t) {
    for (const Campo& c : t.campos)
        if (c.tipo == TipoCampo::Contador) return &c;
    return nullptr;
}

} // namespace

Cuenta copiar(BaseDatos& origen, BaseDatos& destino,
              const std::function<bool(qint64, qint64)>& progreso) {
    const std::vector<Tabla>& tablas = esquema::tablas();
    for (const Tabla& t : tablas) {
        const qint64 n =
            destino.escalar(u"SELECT count(*) FROM %1"_s.arg(QLatin1String(t.nombre))).toLongLong();
        if (n > 0) {
            throw DbError(u"La base de datos de destino ya tiene datos (%1 en la tabla %2): solo "
                          u"se copia en una base de datos vacía, y esta no se modificó."_s.arg(n)
                              .arg(QLatin1String(t.nombre)),
                          {}, Fallo::Uso);
        }
    }

    Lectura lectura(origen);
    std::vector<qint64> cuantas;
    qint64 total = 0;
    for (const Tabla& t : tablas) {
        cuantas.push_back(
            origen.escalar(u"SELECT count(*) FROM %1"_s.arg(QLatin1String(t.nombre))).toLongLong());
        total += cuantas.back();
    }
    auto seguir = [&](qint64 hechas) {
        if (progreso && !progreso(hechas, total))
            throw DbError(u"Se canceló la copia de la base de datos: no se copió nada."_s, {},
                          Fallo::Uso);
    };

    Cuenta cuenta;
    qint64 hechas = 0;
    Transaccion escritura(destino);
    for (size_t k = 0; k < tablas.size(); ++k) {
        const Tabla& t = tablas[k];
        const QString nombre = QLatin1String(t.nombre);
        const Campo* c = clave(t);
        // Rows in the order they were added, so that a copy lists them as the original did.
        Sentencia lee = origen.prepararJet(u"SELECT %1 FROM %2 ORDER BY %3"_s.arg(
            campos(t), nombre, c ? QLatin1String(c->nombre) : origen.dialecto().identidad()));
        QStringList marcas;
        for (size_t i = 0; i < t.campos.size(); ++i)
            marcas << u"?"_s;
        Sentencia escribe = destino.prepararJet(
            u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(nombre, campos(t), marcas.join(u", "_s)));
        const int n = int(t.campos.size());
        qint64 filas = 0;
        qint64 mayor = 0;
        while (lee.paso()) {
            for (int i = 0; i < n; ++i)
                escribe.vincular(i + 1, lee.valor(i));
            while (escribe.paso()) {
            }
            escribe.reiniciar();
            if (c) mayor = std::max(mayor, lee.entero(0));
            ++filas;
            if (++hechas % 1000 == 0) seguir(hechas);
        }
        if (c) {
            const qint64 ultimo = std::max(mayor, origen.motor().contador(nombre));
            if (ultimo > 0) destino.motor().fijarContador(nombre, ultimo);
        }
        cuenta.emplace_back(nombre, filas);
        seguir(hechas);
    }
    escritura.confirmar();
    return cuenta;
}

Cuenta copiarEnArchivoNuevo(BaseDatos& origen, const QString& archivo,
                            const std::function<bool(qint64, qint64)>& progreso) {
    if (QFileInfo::exists(archivo))
        throw DbError(u"Ya existe el archivo «%1»: la copia se hace siempre en un archivo "
                      u"nuevo."_s.arg(archivo),
                      {}, Fallo::NoSePuedeAbrir);
    try {
        BaseDatos destino(archivo, BaseDatos::Modo::CrearSiFalta);
        return copiar(origen, destino, progreso);
    } catch (...) {
        QFile::remove(archivo);
        QFile::remove(archivo + u"-wal"_s);
        QFile::remove(archivo + u"-shm"_s);
        throw;
    }
}

} // namespace zv::copia

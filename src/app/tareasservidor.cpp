#include "app/tareasservidor.h"

#include "data/basedatos.h"
#include "data/copia.h"
#include "data/dberror.h"
#include "data/destino.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

const QString kCopiar = u"copy-to"_s;

void decir(std::FILE* f, const QString& texto) {
    std::fprintf(f, "%s\n", texto.toLocal8Bit().constData());
    std::fflush(f);
}

} // namespace

void agregarOpcionesServidor(QCommandLineParser& cl) {
    cl.addOption(QCommandLineOption(kCopiar,
                                    u"Copia todos los datos en otra base de datos vacía: un "
                                    u"servidor (postgresql://usuario@servidor/base) o un archivo "
                                    u"nuevo."_s,
                                    u"destino"_s));
}

bool esTareaServidor(const char* argumento) {
    return qstrcmp(argumento, "--copy-to") == 0;
}

std::optional<int> ejecutarTareaServidor(const QCommandLineParser& cl, const QString& origen) {
    if (!cl.isSet(kCopiar)) return std::nullopt;
    QString destino = cl.value(kCopiar);
    const bool aServidor = destino::esServidor(destino);
    if (!aServidor) destino = QFileInfo(destino).absoluteFilePath();
    const QString de = destino::visible(origen);
    const QString a = destino::visible(destino);
    if (!aServidor && destino == origen) {
        decir(stderr, u"No se puede copiar la base de datos «%1» en sí misma."_s.arg(de));
        return 1;
    }
    // A new file that the copy made is removed when the copy fails.
    const bool archivoNuevo = !aServidor && !QFileInfo::exists(destino);
    try {
        BaseDatos bdOrigen(origen, BaseDatos::Modo::AbrirExistente);
        copia::Cuenta cuenta;
        {
            BaseDatos bdDestino(destino, BaseDatos::Modo::CrearSiFalta);
            cuenta = copia::copiar(bdOrigen, bdDestino);
        }
        decir(stdout, u"Se copió la base de datos «%1» en «%2»:"_s.arg(de, a));
        for (const auto& [tabla, filas] : cuenta)
            decir(stdout,
                  u"  %1: %2 %3"_s.arg(tabla).arg(filas).arg(filas == 1 ? u"fila"_s : u"filas"_s));
        return 0;
    } catch (const Error& e) {
        if (archivoNuevo) {
            QFile::remove(destino);
            QFile::remove(destino + u"-wal"_s);
            QFile::remove(destino + u"-shm"_s);
        }
        decir(stderr, u"No se copió la base de datos «%1» en «%2»."_s.arg(de, a));
        decir(stderr, e.descripcion());
        return 1;
    }
}

} // namespace zv

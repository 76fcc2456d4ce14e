#include "app/puesto.h"

#include "app/frmpuesto.h"
#include "data/aplicacion.h"
#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/destino.h"
#include "data/registro.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace zv::puesto {

namespace {

const QString kClave = uR"(Software\Tessaro\Zelvora)"_s;
const QString kValor = u"BaseDatos"_s;

} // namespace

QString baseRecordada() {
    const auto v = registro().leer(Raiz::CurrentUser, kClave, kValor);
    if (!v || v->tipo != ValorRegistro::Texto) return {};
    const QString d = v->texto.trimmed();
    return destino::esServidor(d) ? d : QDir::fromNativeSeparators(d);
}

bool llevaContrasena(const QString& destino) {
    return destino::esServidor(destino) && destino::visible(destino) != destino.trimmed();
}

void comprobarSinContrasena(const QString& destino) {
    if (llevaContrasena(destino)) {
        throw Error(u"Zelvora no guarda contraseñas: quite la contraseña de la dirección y "
                    u"escríbala en el archivo de contraseñas de PostgreSQL de este usuario "
                    u"(~/.pgpass; en Windows, %APPDATA%\\postgresql\\pgpass.conf). No se guardó "
                    u"nada."_s);
    }
}

void recordarBase(const QString& destino) {
    const QString d = destino.trimmed();
    comprobarSinContrasena(d);
    AlmacenRegistro& r = registro();
    int rc = r.crearClave(Raiz::CurrentUser, kClave);
    if (rc == codigo::kExito) {
        if (d.isEmpty()) {
            rc = r.borrarValor(Raiz::CurrentUser, kClave, kValor);
            if (rc == codigo::kNoEncontrado) rc = codigo::kExito;
        } else {
            const QString valor = destino::esServidor(d) ? d : QDir::toNativeSeparators(d);
            rc = r.escribir(Raiz::CurrentUser, kClave, kValor, ValorRegistro::deTexto(valor));
        }
    }
    if (rc != codigo::kExito) {
        throw Error(
            u"No se pudo guardar en el registro la base de datos de este puesto."_s,
            u"%1\\%2\\%3: código %4"_s.arg(nombreRaiz(Raiz::CurrentUser), kClave, kValor).arg(rc));
    }
}

QString baseAlArrancar(const QString& habitual) {
    const QString recordada = baseRecordada();
    return recordada.isEmpty() ? habitual : recordada;
}

void probar(const QString& destino) {
    if (!destino::esServidor(destino) && !QFileInfo(destino).isFile())
        throw Error(u"El archivo «%1» no existe."_s.arg(QDir::toNativeSeparators(destino)));
    BaseDatos prueba(destino, BaseDatos::Modo::AbrirExistente);
}

std::unique_ptr<BaseDatos> abrirAlArrancar(QString& ruta, bool configurada) {
    for (;;) {
        try {
            return std::make_unique<BaseDatos>(ruta);
        } catch (const Error& e) {
            if (!configurada) throw;
            std::fprintf(stderr, "%s\n", e.descripcion().toLocal8Bit().constData());
            // The Spanish reason, the question, and the technical detail last.
            QString texto = e.resumen() + u"\n\n¿Desea elegir la base de datos que abre este "
                                          u"puesto?"_s;
            if (!e.detalle().isEmpty()) texto += u"\n\n"_s + e.detalle();
            if (plataforma().mensaje(texto, Botones::SiNo, Icono::Critico, aplicacion::kTitulo) !=
                Respuesta::Si)
                return nullptr;
            QString elegida;
            auto* f = new FrmPuesto(FrmPuesto::Momento::AlArrancar);
            QObject::connect(f, &FrmPuesto::guardada, f,
                             [&elegida](const QString& d) { elegida = d; });
            Ventanas::mostrarModal(f);
            if (elegida.isEmpty()) return nullptr;
            ruta = elegida;
        }
    }
}

} // namespace zv::puesto

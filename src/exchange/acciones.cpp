#include "exchange/acciones.h"

#include "data/aplicacion.h"
#include "data/basedatos.h"
#include "data/reloj.h"
#include "exchange/frmimportar.h"
#include "exchange/progreso.h"
#include "intercambio/copias.h"
#include "intercambio/exportacion.h"
#include "ui/barraherramientas.h"
#include "ui/errores.h"
#include "ui/plataforma.h"
#include "ui/ventana.h"
#include "ui/ventanas.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace zv {

using namespace intercambio;

namespace {

constexpr qint64 kMuchosRegistros = 2000; // an export this long shows its progress

QString documentos() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString nombreEnTitulo(Destino d) {
    switch (d) {
    case Destino::Empresas:
        return u"empresas"_s;
    case Destino::Contactos:
        return u"contactos"_s;
    case Destino::Agenda:
        return u"la agenda"_s;
    }
    return {};
}

void informar(const QString& texto, const QString& titulo) {
    plataforma().mensaje(texto, Botones::Ok, Icono::Informacion, aplicacion::titulo(titulo));
}

// The main window reads the database again (after a restore).
void releerPrincipal() {
    if (auto* v = qobject_cast<Ventana*>(Ventanas::abierta(u"frmPrincipal"_s))) v->activar();
}

} // namespace

void agregarMenusIntercambio(QMenu* archivo) {
    archivo->addSeparator();
    QMenu* imp = agregarSubmenu(archivo, u"mnuArchivoImportar"_s, u"Importar"_s);
    QMenu* exp = agregarSubmenu(archivo, u"mnuArchivoExportar"_s, u"Exportar"_s);
    const struct {
        const char* sufijo;
        QString caption;
        Destino destino;
    } destinos[] = {{"Empresas", u"Empresas..."_s, Destino::Empresas},
                    {"Contactos", u"Contactos..."_s, Destino::Contactos},
                    {"Agenda", u"Agenda..."_s, Destino::Agenda}};
    for (const auto& d : destinos) {
        const Destino destino = d.destino;
        agregarItemMenu(imp, u"mnuArchivoImportar"_s + QLatin1String(d.sufijo), d.caption,
                        [destino] { protegido([&] { acciones::importar(destino); }); });
        agregarItemMenu(exp, u"mnuArchivoExportar"_s + QLatin1String(d.sufijo), d.caption,
                        [destino] { protegido([&] { acciones::exportar(destino); }); });
    }
    agregarItemMenu(archivo, u"mnuArchivoCopiaSeguridad"_s, u"Copia de seguridad..."_s,
                    [] { protegido([] { acciones::copiaDeSeguridad(); }); });
    agregarItemMenu(archivo, u"mnuArchivoRestaurarCopia"_s, u"Restaurar copia..."_s,
                    [] { protegido([] { acciones::restaurarCopia(); }); });
}

void acciones::importar(Destino destino) {
    const QString archivo = plataforma().archivoParaAbrir(
        u"Importar "_s + nombreEnTitulo(destino), documentos(),
        destino == Destino::Agenda
            ? u"Calendarios iCalendar (*.ics);;Todos los archivos (*)"_s
            : u"Archivos CSV o vCard (*.csv *.txt *.vcf);;Todos los archivos (*)"_s);
    if (archivo.isEmpty()) return;
    std::unique_ptr<Importacion> imp;
    {
        RelojDeArena reloj;
        imp = std::make_unique<Importacion>(BaseDatos::principal(), destino, archivo);
    }
    auto* w = Ventanas::obtener<FrmImportar>(u"frmImportar"_s);
    if (!w) return;
    try {
        RelojDeArena reloj;
        w->preparar(std::move(imp));
    } catch (...) {
        w->close();
        throw;
    }
    Ventanas::mostrarModal(w);
}

void acciones::exportar(Destino destino) {
    const bool agenda = destino == Destino::Agenda;
    const QString sugerido = documentos() + (destino == Destino::Empresas    ? u"/Empresas.csv"_s
                                             : destino == Destino::Contactos ? u"/Contactos.csv"_s
                                                                             : u"/Agenda.ics"_s);
    QString archivo = plataforma().archivoParaGuardar(
        u"Exportar "_s + nombreEnTitulo(destino), sugerido,
        agenda ? u"Calendarios iCalendar (*.ics)"_s
               : u"Valores separados por punto y coma (*.csv);;Tarjetas vCard (*.vcf)"_s);
    if (archivo.isEmpty()) return;
    // A name typed without an extension takes the first format offered.
    if (QFileInfo(archivo).suffix().isEmpty()) archivo += agenda ? u".ics"_s : u".csv"_s;
    BaseDatos& bd = BaseDatos::principal();
    const qint64 cuantos =
        bd.escalar(destino == Destino::Empresas    ? u"SELECT COUNT(*) FROM EMPRESAS"_s
                   : destino == Destino::Contactos ? u"SELECT COUNT(*) FROM CONTACTOS"_s
                                                   : u"SELECT COUNT(*) FROM CALENDARIO"_s)
            .toLongLong();
    std::unique_ptr<VentanaProgreso> progreso;
    std::unique_ptr<RelojDeArena> reloj;
    if (cuantos > kMuchosRegistros)
        progreso = std::make_unique<VentanaProgreso>(
            u" - Exportando"_s,
            u"Exportando %1 a «%2»..."_s.arg(sustantivo(destino), QFileInfo(archivo).fileName()));
    else
        reloj = std::make_unique<RelojDeArena>();
    try {
        const ResultadoExportacion r = intercambio::exportar(
            bd, destino, archivo, progreso ? progreso->funcion() : Progreso{});
        progreso.reset();
        reloj.reset();
        informar(r.informe(), u" - Exportar"_s);
    } catch (const Cancelado&) {
        progreso.reset();
        informar(u"Se canceló la exportación: no se escribió ningún archivo."_s, u" - Exportar"_s);
    }
}

void acciones::copiaDeSeguridad() {
    BaseDatos& bd = BaseDatos::principal();
    const QFileInfo base(bd.ruta());
    const QString sugerido = documentos() + u'/' + base.completeBaseName() + u' ' +
                             reloj().hoy().toString(u"yyyy-MM-dd"_s) + u".mdb"_s;
    QString archivo = plataforma().archivoParaGuardar(u"Copia de seguridad"_s, sugerido,
                                                      u"Bases de datos de Zelvora (*.mdb)"_s);
    if (archivo.isEmpty()) return;
    if (QFileInfo(archivo).suffix().isEmpty()) archivo += u".mdb"_s;
    auto progreso = std::make_unique<VentanaProgreso>(
        u" - Copia de seguridad"_s,
        u"Copiando la base de datos en «%1»..."_s.arg(QFileInfo(archivo).fileName()));
    try {
        copiarBase(bd, archivo, progreso->funcion());
        progreso.reset();
        informar(
            u"Se guardó la copia de seguridad en «%1»."_s.arg(QDir::toNativeSeparators(archivo)),
            u" - Copia de seguridad"_s);
    } catch (const Cancelado&) {
        progreso.reset();
        informar(u"Se canceló la copia de seguridad: no se escribió ningún archivo."_s,
                 u" - Copia de seguridad"_s);
    }
}

void acciones::restaurarCopia() {
    const QString base = BaseDatos::principal().ruta();
    const QString copia = plataforma().archivoParaAbrir(
        u"Restaurar copia"_s, QFileInfo(base).absolutePath(),
        u"Bases de datos de Zelvora (*.mdb);;Todos los archivos (*)"_s);
    if (copia.isEmpty()) return;
    const QString titulo = aplicacion::titulo(u" - Restaurar copia"_s);
    if (plataforma().mensaje(
            u"La base de datos en uso se reemplazará por la copia «%1». La base de datos actual "
            u"se guardará junto a ella con otro nombre. ¿Desea continuar?"_s.arg(
                QDir::toNativeSeparators(copia)),
            Botones::SiNo, Icono::Pregunta, titulo) != Respuesta::Si)
        return;
    // The open screens hold rows of the database that is going away.
    if (!Ventanas::cerrarTodasSalvo(Ventanas::abierta(u"frmPrincipal"_s))) return;
    QString anterior;
    {
        RelojDeArena reloj;
        anterior = intercambio::restaurarCopia(copia, base);
    }
    releerPrincipal();
    informar(u"Se restauró la copia «%1». La base de datos que había se guardó como «%2»."_s.arg(
                 QDir::toNativeSeparators(copia), QDir::toNativeSeparators(anterior)),
             u" - Restaurar copia"_s);
}

void registrarVentanasIntercambio() {
    Ventanas::registrar(u"frmImportar"_s, [] { return new FrmImportar; });
}

} // namespace zv

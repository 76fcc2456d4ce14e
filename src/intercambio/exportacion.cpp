#include "intercambio/exportacion.h"

#include "data/aplicacion.h"
#include "data/archivoseguro.h"
#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/regional.h"
#include "data/reloj.h"
#include "formatos/csv.h"
#include "formatos/icalendario.h"
#include "formatos/vcard.h"
#include "intercambio/agenda.h"

#include <QFileInfo>
#include <QIODevice>
#include <optional>

using namespace Qt::StringLiterals;

namespace zv::intercambio {

namespace {

constexpr int kCadaCuantas = 512; // records between two progress reports

// The columns of a statement by name (letter case aside).
class Columnas {
public:
    explicit Columnas(const Sentencia& s) {
        for (int c = 0; c < s.columnas(); ++c)
            indices_.insert(s.nombreColumna(c).toLower(), c);
    }
    int operator[](const QString& nombre) const { return indices_.value(nombre.toLower(), -1); }

private:
    QHash<QString, int> indices_;
};

QString texto(const Sentencia& s, int c) {
    return c < 0 ? QString() : s.valor(c).toString(); // nothing reads as the empty text
}

// A company or contact as the files carry it.
struct Ficha {
    qint64 id = 0;
    QHash<QString, QString> valores;
    QList<QPair<QString, QString>> empresas; // a contact's companies and departments
};

// Reads the companies or contacts in key order, with their catalogs' descriptions and (for
// contacts) the companies they work at, merged from a second statement in the same order.
class LectorFichas {
public:
    LectorFichas(BaseDatos& bd, Destino d)
        : d_(d),
          filas_(bd.prepararJet(
              d == Destino::Empresas
                  ? u"SELECT EMPRESAS.*, RAMOS.RamDescripcion, ORIGENES.OriDescripcion FROM "
                    u"(EMPRESAS LEFT JOIN RAMOS ON EMPRESAS.RamId = RAMOS.RamId) LEFT JOIN "
                    u"ORIGENES ON EMPRESAS.OriId = ORIGENES.OriId ORDER BY EMPRESAS.EmpId"_s
                  : u"SELECT CONTACTOS.*, ORIGENES.OriDescripcion FROM CONTACTOS LEFT JOIN "
                    u"ORIGENES ON CONTACTOS.OriId = ORIGENES.OriId ORDER BY CONTACTOS.ConId"_s)),
          cols_(filas_) {
        total_ = bd.escalar(d == Destino::Empresas ? u"SELECT COUNT(*) FROM EMPRESAS"_s
                                                   : u"SELECT COUNT(*) FROM CONTACTOS"_s)
                     .toLongLong();
        if (d == Destino::Contactos) {
            vinculos_.emplace(bd.prepararJet(
                u"SELECT EMPRESAS_CONTACTOS.ConId, EMPRESAS.EmpNombreFantasia, "
                u"EMPRESAS.EmpRazonSocial, EMPRESAS_CONTACTOS.EmpConDepartamento FROM "
                u"EMPRESAS_CONTACTOS INNER JOIN EMPRESAS ON EMPRESAS_CONTACTOS.EmpId = "
                u"EMPRESAS.EmpId ORDER BY EMPRESAS_CONTACTOS.ConId, EMPRESAS.EmpId"_s));
            hayVinculo_ = vinculos_->paso();
        }
    }

    qint64 total() const { return total_; }

    bool leer(Ficha& f) {
        if (!filas_.paso()) return false;
        f = Ficha{};
        const QString clave = d_ == Destino::Empresas ? u"EmpId"_s : u"ConId"_s;
        f.id = filas_.valor(cols_[clave]).toLongLong();
        for (const CampoArchivo& c : camposDe(d_)) {
            if (c.clave == kRamo)
                f.valores[c.clave] = texto(filas_, cols_[u"RamDescripcion"_s]);
            else if (c.clave == kOrigen)
                f.valores[c.clave] = texto(filas_, cols_[u"OriDescripcion"_s]);
            else if (c.clave != kEmpresa && c.clave != kDepartamento)
                f.valores[c.clave] = texto(filas_, cols_[c.clave]);
        }
        while (hayVinculo_ && vinculos_->valor(0).toLongLong() < f.id)
            hayVinculo_ = vinculos_->paso();
        while (hayVinculo_ && vinculos_->valor(0).toLongLong() == f.id) {
            QString nombre = texto(*vinculos_, 1).trimmed();
            if (nombre.isEmpty()) nombre = texto(*vinculos_, 2).trimmed();
            if (!nombre.isEmpty()) f.empresas.append({nombre, texto(*vinculos_, 3)});
            hayVinculo_ = vinculos_->paso();
        }
        return true;
    }

private:
    Destino d_;
    Sentencia filas_;
    Columnas cols_;
    std::optional<Sentencia> vinculos_;
    bool hayVinculo_ = false;
    qint64 total_ = 0;
};

void avanzar(const Progreso& progreso, qint64 hechos, qint64 total) {
    if (progreso && hechos % kCadaCuantas == 0 && !progreso(hechos, total)) throw Cancelado();
}

void fichasCsv(BaseDatos& bd, Destino d, QIODevice& destino, const Progreso& progreso,
               ResultadoExportacion& r) {
    LectorFichas lector(bd, d);
    formatos::EscritorCsv csv(destino);
    QStringList linea;
    for (const CampoArchivo& c : camposDe(d))
        linea << c.encabezado;
    csv.escribir(linea);
    Ficha f;
    while (lector.leer(f)) {
        linea.clear();
        for (const CampoArchivo& c : camposDe(d)) {
            if (c.clave == kEmpresa || c.clave == kDepartamento) {
                QStringList partes;
                bool alguna = false;
                for (const auto& [empresa, departamento] : std::as_const(f.empresas)) {
                    partes << (c.clave == kEmpresa ? empresa : departamento);
                    alguna = alguna || !partes.last().isEmpty();
                }
                // Several companies go one to a line of the same cell.
                linea << (alguna ? partes.join(u'\n') : QString());
            } else {
                linea << f.valores.value(c.clave);
            }
        }
        csv.escribir(linea);
        avanzar(progreso, ++r.escritos, lector.total());
    }
}

void fichasVcard(BaseDatos& bd, Destino d, QIODevice& destino, const Progreso& progreso,
                 ResultadoExportacion& r) {
    LectorFichas lector(bd, d);
    formatos::EscritorVcard v(destino);
    const bool empresa = d == Destino::Empresas;
    const QString p = empresa ? u"Emp"_s : u"Con"_s;
    const QString tipo = empresa ? u"work,"_s : QString();
    Ficha f;
    while (lector.leer(f)) {
        const auto val = [&f](const QString& k) { return f.valores.value(k); };
        v.empezar();
        if (empresa) {
            v.literal(u"KIND"_s, u"org"_s);
            const QString nombre = val(u"EmpNombreFantasia"_s);
            // A company without a trade name is shown by its legal name and says so.
            if (nombre.isEmpty())
                v.literal(u"FN;X-ZELVORA-NOMBRE=vacio"_s,
                          formatos::escaparTexto(val(u"EmpRazonSocial"_s)));
            else
                v.literal(u"FN"_s, formatos::escaparTexto(nombre));
            v.partes(u"ORG"_s, {val(u"EmpRazonSocial"_s)});
        } else {
            v.literal(u"FN"_s, formatos::escaparTexto(
                                   (val(u"ConNombre"_s) + u' ' + val(u"ConApellido"_s)).trimmed()));
            v.partes(u"N"_s, {val(u"ConApellido"_s), val(u"ConNombre"_s), {}, {}, {}});
            for (const auto& [nombre, departamento] : std::as_const(f.empresas))
                v.partes(u"ORG"_s, departamento.isEmpty() ? QStringList{nombre}
                                                          : QStringList{nombre, departamento});
            v.texto(u"TITLE"_s, val(u"ConTitulo"_s));
        }
        v.texto(u"TEL;VALUE=text;TYPE=\"%1voice\";PREF=1"_s.arg(tipo), val(p + u"Telefono1"_s));
        // The second telephone says so, for a card whose first one is empty.
        v.texto(u"TEL;VALUE=text;TYPE=\"%1voice\";X-ZELVORA-CAMPO=2"_s.arg(tipo),
                val(p + u"Telefono2"_s));
        v.texto(u"TEL;VALUE=text;TYPE=\"%1fax\""_s.arg(tipo), val(p + u"Fax"_s));
        v.texto(empresa ? u"EMAIL;TYPE=work"_s : u"EMAIL"_s, val(p + u"Email"_s));
        v.texto(u"URL"_s, val(empresa ? u"EmpURL"_s : u"ConUrl"_s));
        v.partes(empresa ? u"ADR;TYPE=work"_s : u"ADR"_s,
                 {{},
                  {},
                  val(empresa ? u"EmpDireccion"_s : u"ConDomicilio"_s),
                  val(p + u"Ciudad"_s),
                  val(p + u"ProvinciaEstado"_s),
                  val(p + u"CodigoPostal"_s),
                  val(p + u"Pais"_s)});
        v.texto(u"NOTE"_s, val(p + u"Notas"_s));
        // What vCard has no property for, as extensions other programs keep or leave aside.
        if (empresa) {
            v.texto(u"X-ZELVORA-RUC"_s, val(u"EmpRuc"_s));
            v.texto(u"X-ZELVORA-RAMO"_s, val(kRamo));
        } else {
            v.texto(u"X-ZELVORA-INTERNO"_s, val(u"ConInterno"_s));
        }
        v.texto(u"X-ZELVORA-ZONA"_s, val(p + u"Zona"_s));
        v.texto(u"X-ZELVORA-ORIGEN"_s, val(kOrigen));
        v.terminar();
        avanzar(progreso, ++r.escritos, lector.total());
    }
    v.vaciar();
}

// A date or time as the engine gives it: a date or time, or its ISO text ("2026-03-15",
// "09:30:00"), read digit by digit.
int digitosDe(const QString& s, int desde, int cuantos) {
    int v = 0;
    for (int i = desde; i < desde + cuantos; ++i) {
        const int d = s[i].unicode() - u'0';
        if (d < 0 || d > 9) return -1;
        v = v * 10 + d;
    }
    return v;
}

std::optional<QDate> fechaDe(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDate) return v.toDate();
    const QString s = v.toString();
    if (s.size() != 10) return std::nullopt;
    const QDate d(digitosDe(s, 0, 4), digitosDe(s, 5, 2), digitosDe(s, 8, 2));
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

std::optional<QTime> horaDe(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QTime) return v.toTime();
    const QString s = v.toString();
    if (s.size() != 8) return std::nullopt;
    const QTime t(digitosDe(s, 0, 2), digitosDe(s, 3, 2), digitosDe(s, 6, 2));
    return t.isValid() ? std::optional<QTime>(t) : std::nullopt;
}

// A participant's calendar address: the e-mail address, or the record in this program.
QString direccion(const QString& correo, const QString& tipo, qint64 id) {
    return correo.trimmed().isEmpty() ? u"urn:x-zelvora:"_s + tipo + u':' + QString::number(id)
                                      : u"mailto:"_s + correo.trimmed();
}

void agendaIcal(BaseDatos& bd, QIODevice& destino, const Progreso& progreso,
                const OpcionesExportacion& op, ResultadoExportacion& r) {
    asignarUids(bd);
    const qint64 total = bd.escalar(u"SELECT COUNT(*) FROM CALENDARIO"_s).toLongLong();
    Sentencia s = bd.prepararJet(
        u"SELECT CALENDARIO.CalId, CALENDARIO.ActId, CalFecha, CalHoraInicio, CalHoraFinal, "
        u"CalFormaAviso, CalAvisoHora, CalEstado, CalNotas, CalResultados, CalFueAvisado, "
        u"ActDescripcion, CalUid FROM (CALENDARIO LEFT JOIN ACTIVIDADES ON CALENDARIO.ActId = "
        u"ACTIVIDADES.ActId) LEFT JOIN CALENDARIOUID ON CALENDARIO.CalId = CALENDARIOUID.CalId "
        u"ORDER BY CALENDARIO.CalId"_s);
    // Participants, in the entries' order, merged as the entries go by.
    Sentencia contactos = bd.prepararJet(
        u"SELECT CALENDARIO_CONTACTOS.CalId, CONTACTOS.ConId, ConNombre, ConApellido, ConEmail "
        u"FROM CALENDARIO_CONTACTOS INNER JOIN CONTACTOS ON CALENDARIO_CONTACTOS.ConId = "
        u"CONTACTOS.ConId ORDER BY CALENDARIO_CONTACTOS.CalId, CONTACTOS.ConId"_s);
    Sentencia empresas = bd.prepararJet(
        u"SELECT CALENDARIO_EMPRESAS.CalId, EMPRESAS.EmpId, EmpNombreFantasia, EmpRazonSocial, "
        u"EmpEmail FROM CALENDARIO_EMPRESAS INNER JOIN EMPRESAS ON CALENDARIO_EMPRESAS.EmpId = "
        u"EMPRESAS.EmpId ORDER BY CALENDARIO_EMPRESAS.CalId, EMPRESAS.EmpId"_s);
    bool hayContacto = contactos.paso();
    bool hayEmpresa = empresas.paso();

    formatos::EscritorIcal ical(destino, op.zona, reloj().ahora(),
                                u"-//%1//%2 %3//ES"_s.arg(aplicacion::kCompania,
                                                          aplicacion::kTitulo,
                                                          aplicacion::version()));
    formatos::EventoSalidaIcal e;
    e.extensiones = {{u"X-ZELVORA-AVISO-DIAS"_s, {}},
                     {u"X-ZELVORA-AVISADO"_s, {}},
                     {u"X-ZELVORA-AVISO-HORA"_s, {}}};
    qint64 vistos = 0;
    QVariantList guardados(9);
    while (s.paso()) {
        const qint64 id = s.valor(0).toLongLong();
        for (int c = 1; c <= 9; ++c)
            guardados[c - 1] = s.valor(c);
        const auto fecha = fechaDe(guardados[1]);
        e.participantes.clear();
        while (hayContacto && contactos.valor(0).toLongLong() < id)
            hayContacto = contactos.paso();
        while (hayContacto && contactos.valor(0).toLongLong() == id) {
            const qint64 con = contactos.valor(1).toLongLong();
            e.participantes.append({(texto(contactos, 2) + u' ' + texto(contactos, 3)).trimmed(),
                                    direccion(texto(contactos, 4), u"contacto"_s, con), false});
            hayContacto = contactos.paso();
        }
        while (hayEmpresa && empresas.valor(0).toLongLong() < id)
            hayEmpresa = empresas.paso();
        while (hayEmpresa && empresas.valor(0).toLongLong() == id) {
            QString nombre = texto(empresas, 2).trimmed();
            if (nombre.isEmpty()) nombre = texto(empresas, 3).trimmed();
            e.participantes.append(
                {nombre,
                 direccion(texto(empresas, 4), u"empresa"_s, empresas.valor(1).toLongLong()),
                 true});
            hayEmpresa = empresas.paso();
        }
        avanzar(progreso, ++vistos, total);
        if (!fecha) {
            ++r.omitidos; // no calendar holds an event without a day
            continue;
        }
        e.uid = texto(s, 12);
        if (e.uid.isEmpty()) e.uid = uidDeEntrada(id, huellaDeEntrada(guardados));
        e.fecha = *fecha;
        e.inicio = horaDe(guardados[2]);
        e.fin = horaDe(guardados[3]);
        e.resumen = texto(s, 11);
        e.descripcion = descripcionDeEntrada(guardados[7].toString(), guardados[6].toString(),
                                             guardados[8].toString());
        const int dias = guardados[4].toInt();
        const auto avisoHora = horaDe(guardados[5]);
        const bool avisado = s.valor(10).toLongLong() != 0;
        // The reminder, while it has not been acknowledged: lead days before, at its time.
        e.aviso.reset();
        if (!avisado && e.inicio)
            e.aviso =
                formatos::MomentoLocal{e.fecha.addDays(-dias), avisoHora.value_or(QTime(0, 0))};
        e.extensiones[0].second = QString::number(dias);
        e.extensiones[1].second = avisado ? u"TRUE"_s : u"FALSE"_s;
        // The time as stored ("09:30:00"), which is what the import reads back.
        if (!avisoHora)
            e.extensiones[2].second.clear();
        else if (guardados[5].metaType().id() == QMetaType::QString)
            e.extensiones[2].second = guardados[5].toString();
        else
            e.extensiones[2].second = Regional::horaIso(*avisoHora);
        ical.escribir(e);
        ++r.escritos;
    }
    ical.terminar();
}

} // namespace

QString ResultadoExportacion::informe() const {
    QString s;
    switch (destino) {
    case Destino::Empresas:
        s = u"Se exportaron %1 empresas a «%2»."_s;
        break;
    case Destino::Contactos:
        s = u"Se exportaron %1 contactos a «%2»."_s;
        break;
    case Destino::Agenda:
        s = u"Se exportaron %1 entradas de la agenda a «%2»."_s;
        break;
    }
    s = s.arg(escritos).arg(QFileInfo(archivo).fileName());
    if (omitidos)
        s += u"\nNo se exportaron %1 entradas sin fecha: los calendarios no las admiten."_s.arg(
            omitidos);
    return s;
}

ResultadoExportacion exportar(BaseDatos& bd, Destino destino, const QString& archivo,
                              const Progreso& progreso, const OpcionesExportacion& op) {
    const Formato formato = formatoDeArchivo(archivo, destino);
    ResultadoExportacion r;
    r.destino = destino;
    r.archivo = archivo;
    escribirArchivo(archivo, u"la exportación"_s, [&](QIODevice& f) {
        if (destino == Destino::Agenda)
            agendaIcal(bd, f, progreso, op, r);
        else if (formato == Formato::Csv)
            fichasCsv(bd, destino, f, progreso, r);
        else
            fichasVcard(bd, destino, f, progreso, r);
    });
    return r;
}

} // namespace zv::intercambio

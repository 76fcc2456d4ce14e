#include "intercambio/agenda.h"

#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/regional.h"
#include "data/reloj.h"
#include "formatos/icalendario.h"
#include "intercambio/archivos.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <optional>

using namespace Qt::StringLiterals;

namespace zv::intercambio {

using formatos::ErrorFormato;
using formatos::EventoIcal;

namespace {

constexpr int kDetallesMaximos = 1000;
constexpr int kAvisoMaximo = 9999; // the agenda's screens take a lead of 0 to 9999 days
const QString kImportado = QStringLiteral("Importado");
const QString kEstadoNuevo = QStringLiteral("Comenzado"); // what a new entry starts as
const QString kEstado = QStringLiteral("Estado: ");
const QString kResultados = QStringLiteral("Resultados: ");

QVariant valorOnulo(const QString& s) {
    return s.isEmpty() ? QVariant() : QVariant(s);
}

QVariant hora(const std::optional<QTime>& t) {
    return t ? QVariant(*t) : QVariant();
}

// An entry as the agenda stores it.
struct Entrada {
    qint64 actId = 0;
    QDate fecha;
    std::optional<QTime> inicio, fin;
    int formaAviso = 0;
    std::optional<QTime> avisoHora;
    QString estado, notas, resultados;
    bool avisado = true;
    bool importada = false; // under "Importado": no activity has the event's summary

    // Values in the order of huellaDeEntrada(), as the engine stores them.
    QVariantList valores() const {
        return {actId,
                Regional::fechaIso(fecha),
                inicio ? QVariant(Regional::horaIso(*inicio)) : QVariant(),
                fin ? QVariant(Regional::horaIso(*fin)) : QVariant(),
                formaAviso,
                avisoHora ? QVariant(Regional::horaIso(*avisoHora)) : QVariant(),
                valorOnulo(estado),
                valorOnulo(notas),
                valorOnulo(resultados)};
    }
};

// Two lists of stored values are the same entry: text compared as stored, nothing and the
// empty text alike.
bool iguales(const QVariantList& a, const QVariantList& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].toString() != b[i].toString()) return false;
    return true;
}

// Notes, state and results from an event's description, undoing descripcionDeEntrada(): a
// description that ends with "Estado: ..." (and perhaps "Resultados: ...") gives them back.
void separarDescripcion(const QString& d, Entrada& e) {
    e.notas = d;
    e.estado = kEstadoNuevo;
    // Calendars may drop the blank after a label at the end of a line.
    const QString estado = kEstado.trimmed();
    const QString resultados = kResultados.trimmed();
    const qsizetype pos = d.startsWith(estado) ? 0 : d.lastIndexOf(u"\n\n"_s + estado);
    if (pos < 0) return;
    const QString cola = d.mid(pos == 0 ? 0 : pos + 2);
    const qsizetype finLinea = cola.indexOf(u'\n');
    QString resto;
    if (finLinea >= 0) {
        resto = cola.mid(finLinea + 1);
        if (!resto.startsWith(resultados)) return; // not this program's ending
        resto = resto.mid(resultados.size());
        if (resto.startsWith(u' ')) resto.remove(0, 1);
    }
    QString valor = cola.left(finLinea < 0 ? cola.size() : finLinea).mid(estado.size());
    if (valor.startsWith(u' ')) valor.remove(0, 1);
    e.notas = d.left(pos);
    e.estado = valor;
    e.resultados = resto;
}

class AlmacenAgenda {
public:
    // `soloLeer`: a preview, which adds nothing (not even the activity "Importado").
    AlmacenAgenda(BaseDatos& bd, bool soloLeer) : bd_(bd), soloLeer_(soloLeer) {}

    enum class Hecho { Agregada, Actualizada, YaEstaba };

    // The entry an event gives: its activity found by the event's summary.
    Entrada entradaDe(const EventoIcal& e, const QDateTime& ahora) {
        Entrada en;
        separarDescripcion(e.descripcion, en);
        const QString resumen = e.resumen.trimmed();
        en.actId = actividad(resumen);
        if (en.actId == 0) {
            en.importada = true;
            // Under "Importado": the summary opens the notes, so that nothing is lost.
            en.actId = importado();
            if (!resumen.isEmpty())
                en.notas = en.notas.isEmpty() ? resumen : resumen + u"\n\n"_s + en.notas;
        }
        en.fecha = e.fecha;
        en.inicio = e.inicio;
        en.fin = e.fin;
        if (e.aviso) {
            en.formaAviso =
                int(std::clamp<qint64>(e.aviso->date().daysTo(e.fecha), 0, kAvisoMaximo));
            en.avisoHora = e.aviso->time();
        } else {
            bool ok = false;
            const int dias = e.extension(u"X-ZELVORA-AVISO-DIAS"_s).toInt(&ok);
            en.formaAviso = ok ? std::clamp(dias, 0, kAvisoMaximo) : 0;
            const auto h = Regional::desdeIsoHora(e.extension(u"X-ZELVORA-AVISO-HORA"_s));
            en.avisoHora = h ? std::optional<QTime>(*h) : e.inicio;
        }
        const QString avisado = e.extension(u"X-ZELVORA-AVISADO"_s).toUpper();
        if (avisado == u"TRUE"_s || avisado == u"FALSE"_s)
            en.avisado = avisado == u"TRUE"_s;
        else // an alarm gone by is not given again, as the calendar would not give it either
            en.avisado = !e.aviso || *e.aviso < ahora;
        return en;
    }

    Hecho guardar(const EventoIcal& e, const Entrada& en) {
        const QVariantList nuevos = en.valores();
        // The occurrences of a repeating event share its UID: each is told by its day.
        const QString uid = e.uid.isEmpty() || e.recurrencia.isNull()
                                ? e.uid
                                : e.uid + u'/' + e.recurrencia.toString(u"yyyyMMdd"_s);
        if (!uid.isEmpty()) {
            Sentencia s = bd_.prepararJet(u"SELECT CalId FROM CALENDARIOUID WHERE CalUid = ?"_s);
            s.vincular(1, uid);
            const qint64 id = s.paso() ? s.valor(0).toLongLong() : 0;
            s.reiniciar();
            const QVariantList guardados = id ? valoresGuardados(id) : QVariantList();
            if (!guardados.isEmpty()) {
                if (iguales(guardados, nuevos)) return Hecho::YaEstaba;
                actualizar(id, en);
                participantes(id, e);
                return Hecho::Actualizada;
            }
        }
        static const QRegularExpression propio(u"^zelvora-(\\d+)-([0-9a-f]{8})@zelvora$"_s);
        const auto m = propio.match(e.uid);
        if (m.hasMatch()) {
            const qint64 id = m.captured(1).toLongLong();
            const QVariantList guardados = valoresGuardados(id);
            if (!guardados.isEmpty()) {
                if (iguales(guardados, nuevos)) return Hecho::YaEstaba;
                if (huellaDeEntrada(guardados) == m.captured(2).toUInt(nullptr, 16)) {
                    actualizar(id, en);
                    participantes(id, e);
                    return Hecho::Actualizada;
                }
            }
        }
        // Any entry of that day and activity holding exactly this is the same one.
        Sentencia s = bd_.prepararJet(
            u"SELECT CalId, ActId, CalFecha, CalHoraInicio, CalHoraFinal, CalFormaAviso, "
            u"CalAvisoHora, CalEstado, CalNotas, CalResultados FROM CALENDARIO WHERE CalFecha = ? "
            u"AND ActId = ?"_s);
        s.vincular({en.fecha, en.actId});
        while (s.paso()) {
            QVariantList v;
            for (int c = 1; c < 10; ++c)
                v << s.valor(c);
            if (iguales(v, nuevos)) return Hecho::YaEstaba;
        }
        s.reiniciar();
        QVariantList p = nuevos;
        p[1] = en.fecha;
        p << en.avisado;
        bd_.ejecutar(u"INSERT INTO CALENDARIO (ActId, CalFecha, CalHoraInicio, CalHoraFinal, "
                     u"CalFormaAviso, CalAvisoHora, CalEstado, CalNotas, CalResultados, "
                     u"CalFueAvisado) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                     p);
        const qint64 nueva = bd_.ultimoId();
        participantes(nueva, e);
        if (!uid.isEmpty())
            bd_.ejecutar(u"INSERT INTO CALENDARIOUID (CalId, CalUid) VALUES (?, ?)"_s,
                         {nueva, uid});
        return Hecho::Agregada;
    }

private:
    QVariantList valoresGuardados(qint64 id) {
        Sentencia s = bd_.prepararJet(
            u"SELECT ActId, CalFecha, CalHoraInicio, CalHoraFinal, CalFormaAviso, CalAvisoHora, "
            u"CalEstado, CalNotas, CalResultados FROM CALENDARIO WHERE CalId = ?"_s);
        s.vincular(1, id);
        QVariantList v;
        if (s.paso())
            for (int c = 0; c < 9; ++c)
                v << s.valor(c);
        return v;
    }

    void actualizar(qint64 id, const Entrada& en) {
        bd_.ejecutar(u"UPDATE CALENDARIO SET ActId = ?, CalFecha = ?, CalHoraInicio = ?, "
                     u"CalHoraFinal = ?, CalFormaAviso = ?, CalAvisoHora = ?, CalEstado = ?, "
                     u"CalNotas = ?, CalResultados = ?, CalFueAvisado = ? WHERE CalId = ?"_s,
                     {en.actId, en.fecha, hora(en.inicio), hora(en.fin), en.formaAviso,
                      hora(en.avisoHora), valorOnulo(en.estado), valorOnulo(en.notas),
                      valorOnulo(en.resultados), en.avisado, id});
    }

    // The activity whose description is the summary; 0 when there is none.
    qint64 actividad(const QString& resumen) {
        if (resumen.isEmpty()) return 0;
        const QString k = resumen.toCaseFolded();
        if (auto it = actividades_.constFind(k); it != actividades_.constEnd()) return *it;
        const qint64 id = bd_.escalar(u"SELECT ActId FROM ACTIVIDADES WHERE ActDescripcion = ? "
                                      u"ORDER BY ActId"_s,
                                      {resumen})
                              .toLongLong();
        actividades_.insert(k, id);
        return id;
    }

    qint64 importado() {
        if (importado_) return importado_;
        importado_ = actividad(kImportado);
        if (!importado_ && !soloLeer_) {
            bd_.ejecutar(u"INSERT INTO ACTIVIDADES (ActDescripcion) VALUES (?)"_s, {kImportado});
            importado_ = bd_.ultimoId();
            actividades_.insert(kImportado.toCaseFolded(), importado_);
        }
        return importado_;
    }

    // The participants the event names, linked when each is one stored record.
    void participantes(qint64 calId, const EventoIcal& e) {
        for (const formatos::ParticipanteIcal& p : e.participantes) {
            const QString nombre = p.nombre.trimmed();
            if (nombre.isEmpty()) continue;
            const qint64 id = p.grupo ? empresa(nombre) : contacto(nombre);
            if (!id) continue;
            const QString tabla = p.grupo ? u"CALENDARIO_EMPRESAS"_s : u"CALENDARIO_CONTACTOS"_s;
            const QString campo = p.grupo ? u"EmpId"_s : u"ConId"_s;
            if (bd_.escalar(
                       u"SELECT COUNT(*) FROM %1 WHERE CalId = ? AND %2 = ?"_s.arg(tabla, campo),
                       {calId, id})
                    .toLongLong() == 0)
                bd_.ejecutar(u"INSERT INTO %1 (CalId, %2) VALUES (?, ?)"_s.arg(tabla, campo),
                             {calId, id});
        }
    }

    // A contact by first name and surname, the name split at each of its blanks in turn.
    qint64 contacto(const QString& nombre) {
        if (auto it = contactos_.constFind(nombre.toCaseFolded()); it != contactos_.constEnd())
            return *it;
        const QStringList partes = nombre.split(u' ', Qt::SkipEmptyParts);
        qint64 hallado = 0;
        int cuantos = 0;
        for (qsizetype i = 1; i < partes.size() && cuantos < 2; ++i) {
            Sentencia s = bd_.prepararJet(
                u"SELECT ConId FROM CONTACTOS WHERE ConNombre = ? AND ConApellido = ?"_s);
            s.vincular({partes.mid(0, i).join(u' '), partes.mid(i).join(u' ')});
            while (s.paso() && cuantos < 2) {
                hallado = s.valor(0).toLongLong();
                ++cuantos;
            }
        }
        if (partes.size() == 1) cuantos = 0; // one word names no one for certain
        const qint64 id = cuantos == 1 ? hallado : 0;
        contactos_.insert(nombre.toCaseFolded(), id);
        return id;
    }

    qint64 empresa(const QString& nombre) {
        if (auto it = empresas_.constFind(nombre.toCaseFolded()); it != empresas_.constEnd())
            return *it;
        qint64 id = 0;
        for (const QString& campo : {u"EmpNombreFantasia"_s, u"EmpRazonSocial"_s}) {
            Sentencia s = bd_.prepararJet(u"SELECT EmpId FROM EMPRESAS WHERE %1 = ?"_s.arg(campo));
            s.vincular(1, nombre);
            int cuantos = 0;
            qint64 hallado = 0;
            while (s.paso() && cuantos < 2) {
                hallado = s.valor(0).toLongLong();
                ++cuantos;
            }
            if (cuantos) {
                id = cuantos == 1 ? hallado : 0;
                break;
            }
        }
        empresas_.insert(nombre.toCaseFolded(), id);
        return id;
    }

    BaseDatos& bd_;
    bool soloLeer_;
    QHash<QString, qint64> actividades_;
    QHash<QString, qint64> contactos_;
    QHash<QString, qint64> empresas_;
    qint64 importado_ = 0;
};

formatos::OpcionesLecturaIcal opcionesDeLectura(const OpcionesImportacion& op) {
    formatos::OpcionesLecturaIcal o;
    o.zona = op.zona;
    o.desde = reloj().hoy();
    o.hasta = o.desde.addMonths(12);
    return o;
}

} // namespace

QString descripcionDeEntrada(const QString& notas, const QString& estado,
                             const QString& resultados) {
    QString d = notas;
    if (!d.isEmpty()) d += u"\n\n"_s;
    d += kEstado + QString(estado).replace(u'\n', u' ');
    if (!resultados.isEmpty()) d += u'\n' + kResultados + resultados;
    return d;
}

void asignarUids(BaseDatos& bd) {
    const quint64 m = QRandomGenerator::system()->generate64() & 0xFFFFFFFFFFFFull;
    const QString marca = u"%1"_s.arg(m, 12, 16, QChar(u'0'));
    Transaccion t(bd);
    bd.ejecutar(u"INSERT INTO CALENDARIOUID (CalId, CalUid) SELECT CalId, 'zelvora-' || CalId || "
                u"'-%1@zelvora' FROM CALENDARIO WHERE NOT EXISTS (SELECT CalId FROM "
                u"CALENDARIOUID WHERE CALENDARIOUID.CalId = CALENDARIO.CalId)"_s.arg(marca));
    t.confirmar();
}

QString uidDeEntrada(qint64 calId, quint32 huella) {
    // "zelvora-123-1a2b3c4d@zelvora", written character by character.
    char16_t b[48];
    char16_t* p = b;
    for (const char16_t c : u"zelvora-")
        if (c) *p++ = c;
    char16_t digitos[20];
    int n = 0;
    for (quint64 v = quint64(std::max<qint64>(calId, 0)); n == 0 || v; v /= 10)
        digitos[n++] = char16_t(u'0' + v % 10);
    while (n)
        *p++ = digitos[--n];
    *p++ = u'-';
    for (int i = 7; i >= 0; --i)
        *p++ = u"0123456789abcdef"[(huella >> (i * 4)) & 0xF];
    for (const char16_t c : u"@zelvora")
        if (c) *p++ = c;
    return QString(reinterpret_cast<const QChar*>(b), p - b);
}

quint32 huellaDeEntrada(const QVariantList& valores) {
    // FNV-1a over the values as text, each closed by a mark (nothing has its own mark): the
    // same on every run and every platform.
    quint32 h = 2166136261u;
    auto unidad = [&h](char16_t u) {
        h ^= u;
        h *= 16777619u;
    };
    for (const QVariant& v : valores) {
        if (v.metaType().id() == QMetaType::QString) {
            for (const QChar c : *static_cast<const QString*>(v.constData()))
                unidad(c.unicode());
        } else if (v.metaType().id() == QMetaType::LongLong ||
                   v.metaType().id() == QMetaType::Int) {
            // A whole number as its decimal digits, as its text would be.
            const qint64 x = v.toLongLong();
            if (x < 0) unidad(u'-');
            char16_t d[20];
            int n = 0;
            for (quint64 r = x < 0 ? quint64(-x) : quint64(x); n == 0 || r; r /= 10)
                d[n++] = char16_t(u'0' + r % 10);
            while (n)
                unidad(d[--n]);
        } else if (!v.isNull()) {
            for (const QChar c : v.toString())
                unidad(c.unicode());
        }
        unidad(v.isNull() ? 0x01 : 0x1F);
    }
    return h;
}

Resultado importarAgenda(BaseDatos& bd, const QString& archivo, const OpcionesImportacion& op,
                         const Progreso& progreso, bool* cancelada) {
    Resultado r;
    r.destino = Destino::Agenda;
    QFile f(archivo);
    abrirParaLeer(f);
    const QDateTime ahora = reloj().ahora();
    try {
        formatos::LectorIcal lector(f, opcionesDeLectura(op));
        Transaccion t(bd);
        AlmacenAgenda almacen(bd, false);
        EventoIcal e;
        qint64 leidos = 0;
        while (lector.leer(e)) {
            if (progreso && ++leidos % 64 == 0 &&
                !progreso(lector.lineas().leidos(), lector.lineas().total())) {
                if (cancelada) *cancelada = true;
                return r;
            }
            if (!e.problema.isEmpty()) {
                ++r.rechazados;
                if (r.rechazos.size() < kDetallesMaximos) r.rechazos.append({e.linea, e.problema});
                continue;
            }
            switch (almacen.guardar(e, almacen.entradaDe(e, ahora))) {
            case AlmacenAgenda::Hecho::Agregada:
                ++r.agregados;
                break;
            case AlmacenAgenda::Hecho::Actualizada:
                ++r.actualizados;
                break;
            case AlmacenAgenda::Hecho::YaEstaba:
                ++r.sinCambios;
                break;
            }
        }
        if (progreso && !progreso(lector.lineas().total(), lector.lineas().total())) {
            if (cancelada) *cancelada = true;
            return r;
        }
        t.confirmar();
    } catch (const ErrorFormato& e) {
        throw errorDeImportacion(archivo, e);
    }
    return r;
}

QList<FilaImportada> vistaPreviaAgenda(BaseDatos& bd, const QString& archivo,
                                       const OpcionesImportacion& op, int cuantas) {
    QList<FilaImportada> filas;
    QFile f(archivo);
    abrirParaLeer(f);
    try {
        formatos::LectorIcal lector(f, opcionesDeLectura(op));
        AlmacenAgenda almacen(bd, true);
        const QDateTime ahora = reloj().ahora();
        EventoIcal e;
        while (filas.size() < cuantas && lector.leer(e)) {
            FilaImportada fila;
            fila.linea = e.linea;
            fila.problema = e.problema;
            if (e.problema.isEmpty()) {
                const Entrada en = almacen.entradaDe(e, ahora);
                fila.valores[u"Fecha"_s] = Regional::fechaCorta(en.fecha);
                fila.valores[u"Inicio"_s] = en.inicio ? Regional::horaLarga(*en.inicio) : QString();
                fila.valores[u"Fin"_s] = en.fin ? Regional::horaLarga(*en.fin) : QString();
                fila.valores[u"Actividad"_s] = en.importada ? kImportado : e.resumen.trimmed();
                fila.valores[u"Notas"_s] = en.notas;
            }
            filas << fila;
        }
    } catch (const ErrorFormato& e) {
        throw errorDeImportacion(archivo, e);
    }
    return filas;
}

} // namespace zv::intercambio

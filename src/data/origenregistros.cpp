#include "data/origenregistros.h"

#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/dialecto.h"
#include "data/motor.h"
#include "data/regional.h"
#include "data/reloj.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cstring>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

const QString kModificado = u"Otra ventana modificó este registro después de que se leyó. Vuelva "
                            u"a leer los datos (Actualizar) y repita sus cambios."_s;

// How long one part of the rows read from the event loop may take.
constexpr qint64 kPlazoParteNs = 12'000'000;
// How often rows read from the event loop are handed on: each time costs the views a new layout.
constexpr qint64 kIntervaloAnuncioMs = 100;

bool esPalabraReservada(const QString& s) {
    static const QStringList reservadas = {
        u"AND"_s,     u"OR"_s,   u"NOT"_s,    u"IS"_s,      u"NULL"_s,  u"LIKE"_s, u"IN"_s,
        u"BETWEEN"_s, u"TRUE"_s, u"FALSE"_s,  u"COLLATE"_s, u"CASE"_s,  u"WHEN"_s, u"THEN"_s,
        u"ELSE"_s,    u"END"_s,  u"ESCAPE"_s, u"GLOB"_s,    u"SELECT"_s};
    for (const QString& r : reservadas)
        if (s.compare(r, Qt::CaseInsensitive) == 0) return true;
    return false;
}

// A typed value as the engine stores it in a field of the given kind. Text that does not read
// as the kind is passed as it is, so that the engine refuses it with its own error.
QVariant paraMotor(TipoCampo t, const QVariant& v) {
    if (!v.isValid() || v.isNull()) return {};
    const int id = v.metaType().id();
    if (id == QMetaType::QString && v.toString().isEmpty()) return {};
    switch (t) {
    case TipoCampo::Fecha:
        if (id == QMetaType::QDate) return Regional::fechaIso(v.toDate());
        if (id == QMetaType::QDateTime) return Regional::fechaIso(v.toDateTime().date());
        if (id == QMetaType::QString) {
            if (auto f = Regional::leerFecha(v.toString())) return Regional::fechaIso(*f);
        }
        return v.toString();
    case TipoCampo::Hora:
        if (id == QMetaType::QTime) return Regional::horaIso(v.toTime());
        if (id == QMetaType::QDateTime) return Regional::horaIso(v.toDateTime().time());
        if (id == QMetaType::QString) {
            if (auto h = Regional::leerHora(v.toString())) return Regional::horaIso(*h);
        }
        return v.toString();
    case TipoCampo::Entero:
    case TipoCampo::Contador:
        if (id == QMetaType::QString) {
            const QString s = v.toString().trimmed();
            bool ok = false;
            const qint64 n = s.toLongLong(&ok);
            if (ok) return n;
            if (auto d = Regional::leerNumero(s)) {
                if (*d == double(qint64(*d))) return qint64(*d);
            }
            return v.toString();
        }
        if (id == QMetaType::Double || id == QMetaType::Float) {
            const double d = v.toDouble();
            if (d == double(qint64(d))) return qint64(d);
            return d;
        }
        if (id == QMetaType::Bool) return v.toBool() ? 1 : 0;
        return v.toLongLong();
    case TipoCampo::Moneda:
        if (id == QMetaType::QString) {
            if (auto d = Regional::leerNumero(v.toString())) return *d;
            return v.toString();
        }
        return v.toDouble();
    case TipoCampo::SiNo: {
        if (id == QMetaType::Bool) return v.toBool() ? 1 : 0;
        if (id == QMetaType::QString) {
            const QString s = v.toString().trimmed().toLower();
            if (s == u"sí"_s || s == u"si"_s || s == u"verdadero"_s || s == u"true"_s ||
                s == u"-1"_s || s == u"1"_s)
                return 1;
            if (s == u"no"_s || s == u"falso"_s || s == u"false"_s || s == u"0"_s) return 0;
            return v.toString();
        }
        return v.toLongLong() != 0 ? 1 : 0;
    }
    case TipoCampo::Texto:
    case TipoCampo::Libre:
        if (id == QMetaType::QDate) return Regional::fechaCorta(v.toDate());
        if (id == QMetaType::QTime) return Regional::horaLarga(v.toTime());
        return v.toString();
    }
    return v;
}

} // namespace

OrigenRegistros::OrigenRegistros(const QString& nombre, QObject* parent, BaseDatos* bd)
    : QObject(parent), bd_(bd) {
    setObjectName(nombre);
}

OrigenRegistros::~OrigenRegistros() {
    dejarLectura();
}

BaseDatos& OrigenRegistros::bd() const {
    return bd_ ? *bd_ : BaseDatos::principal();
}

void OrigenRegistros::establecerSql(const QString& sql) {
    sql_ = sql;
}

// ---------------------------------------------------------------------------------------------
// Reading

void OrigenRegistros::leer(Datos& d) {
    BaseDatos& base = bd();
    const sql::Traduccion& tr = base.traducir(sql_, true);
    Sentencia s = base.preparar(tr.sql);
    const int total = s.columnas();
    d.ocultas = int(tr.tablasConRowid.size());
    d.tablasOcultas = tr.tablasConRowid;
    for (int c = d.ocultas; c < total; ++c) {
        Columna col{s.columna(c)};
        if (!col.tabla.isEmpty())
            for (int j = 0; j < d.tablasOcultas.size(); ++j)
                if (d.tablasOcultas[j].compare(col.tabla, Qt::CaseInsensitive) == 0) col.oculta = j;
        d.cols.push_back(col);
    }
    // A table whose counter key is among the columns can be edited through it as well.
    for (Columna& col : d.cols) {
        if (col.tabla.isEmpty()) continue;
        for (int k = 0; k < int(d.cols.size()); ++k) {
            const Columna& otra = d.cols[k];
            if (otra.tabla == col.tabla && otra.tipo == TipoCampo::Contador && otra.conocido) {
                col.clave = k;
                break;
            }
        }
    }
    d.almacen = BloqueFilas(total);
    d.almacen.reservar(std::max<size_t>(filas_.size(), 64));
    // The first part now; the rest from the event loop.
    bool mas = true;
    while (int(d.filas.size()) < primeraParte_ && (mas = s.paso()))
        d.filas.push_back(d.almacen.agregar(s));
    if (mas) d.lectura = std::make_unique<Sentencia>(std::move(s));
}

// The rows held are what the statement would give now.
bool OrigenRegistros::filasVigentes() {
    if (!abierto_ || !vigentes_ || sqlLeida_ != sql_ || bdLeida_ != &bd()) return false;
    return bdLeida_->versionDatos() == version_ && reloj().hoy() == dia_;
}

void OrigenRegistros::refrescar() {
    guardarPendiente();
    if (filasVigentes()) {
        // Nothing the rows show can have changed: only the first row becomes current again.
        actual_ = filas_.empty() ? -1 : 0;
        edicion_ = Edicion::Ninguna;
        limpiarPendiente();
        sinCoincidencia_ = false;
        ultimoAgregado_ = -1;
        Q_EMIT filasCambiadas();
        Q_EMIT actualCambiado();
        return;
    }
    BaseDatos& base = bd();
    Datos d;
    d.version = base.versionDatos(); // before reading: a change during the read counts
    d.dia = reloj().hoy();
    leer(d); // throws with the previous rows kept
    dejarLectura();
    porAnunciar_.clear();
    Q_EMIT antesDeCambiarFilas();
    cols_ = std::move(d.cols);
    ocultas_ = d.ocultas;
    tablasOcultas_ = d.tablasOcultas;
    almacen_ = std::move(d.almacen);
    filas_ = std::move(d.filas);
    vigentes_ = true;
    sqlLeida_ = sql_;
    bdLeida_ = &base;
    version_ = d.version;
    dia_ = d.dia;
    lectura_ = std::move(d.lectura);
    if (lectura_) {
        bdLectura_ = &base;
        base.anotarLectura(this);
        if (!temporizador_) {
            temporizador_ = new QTimer(this);
            temporizador_->setSingleShot(true);
            temporizador_->setInterval(0);
            connect(temporizador_, &QTimer::timeout, this, [this] {
                if (!lectura_) return;
                recibir(porParte_ > 0 ? porParte_ : -1, porParte_ > 0 ? 0 : kPlazoParteNs);
                if (lectura_) temporizador_->start();
            });
        }
        temporizador_->start();
        anunciado_.start();
    }
    abierto_ = true;
    actual_ = filas_.empty() ? -1 : 0;
    edicion_ = Edicion::Ninguna;
    limpiarPendiente();
    sinCoincidencia_ = false;
    ultimoAgregado_ = -1;
    Q_EMIT filasCambiadas();
    Q_EMIT actualCambiado();
}

void OrigenRegistros::cerrar() {
    guardarPendiente();
    dejarLectura();
    porAnunciar_.clear();
    vigentes_ = false;
    Q_EMIT antesDeCambiarFilas();
    almacen_.vaciar();
    filas_.clear();
    actual_ = -1;
    abierto_ = false;
    Q_EMIT filasCambiadas();
    Q_EMIT actualCambiado();
}

void OrigenRegistros::recibir(int maximo, qint64 plazoNs) {
    bool fin = false;
    QString fallo;
    QElapsedTimer cronometro;
    cronometro.start();
    int leidas = 0;
    try {
        while (maximo < 0 || leidas < maximo) {
            if (!lectura_->paso()) {
                fin = true;
                break;
            }
            porAnunciar_.push_back(almacen_.agregar(*lectura_));
            ++leidas;
            if (plazoNs > 0 && leidas % 64 == 0 && cronometro.nsecsElapsed() > plazoNs) break;
        }
    } catch (const Error& e) {
        fin = true;
        fallo = e.descripcion();
    } catch (const std::exception& e) {
        fin = true;
        fallo = QString::fromUtf8(e.what());
    }
    if (fin) dejarLectura();
    if (fin || plazoNs == 0 || anunciado_.elapsed() >= kIntervaloAnuncioMs) anunciar();
    if (!fallo.isEmpty()) {
        // The rows read stay; a re-query reads them all again.
        vigentes_ = false;
        falloLectura_ = u"No se pudieron leer todos los registros.\n"_s + fallo;
        Q_EMIT lecturaInterrumpida();
    }
}

void OrigenRegistros::anunciar() {
    if (porAnunciar_.empty()) return;
    const std::vector<int> nuevas = std::exchange(porAnunciar_, {});
    const int desde = int(filas_.size());
    const int hasta = desde + int(nuevas.size()) - 1;
    Q_EMIT antesDeRecibirFilas(desde, hasta);
    filas_.insert(filas_.end(), nuevas.begin(), nuevas.end());
    Q_EMIT filasRecibidas(desde, hasta);
    anunciado_.start();
}

void OrigenRegistros::recibirTodas() {
    if (lectura_) recibir(-1, 0);
}

void OrigenRegistros::terminarLectura() {
    recibirTodas();
}

void OrigenRegistros::soltarLectura() {
    // The connection is closing: it has already forgotten this read.
    bdLectura_ = nullptr;
    if (temporizador_) temporizador_->stop();
    lectura_.reset();
    vigentes_ = false;
    anunciar();
}

void OrigenRegistros::dejarLectura() {
    if (temporizador_) temporizador_->stop();
    if (bdLectura_) bdLectura_->quitarLectura(this);
    bdLectura_ = nullptr;
    lectura_.reset();
}

void OrigenRegistros::asegurar(int fila) const {
    // Only rows at the end are missing; reading them all at once costs the least.
    if (lectura_ && fila >= int(filas_.size())) const_cast<OrigenRegistros*>(this)->recibirTodas();
}

int OrigenRegistros::cantidad() const {
    if (lectura_) const_cast<OrigenRegistros*>(this)->recibirTodas();
    return int(filas_.size());
}

bool OrigenRegistros::eof() const {
    asegurar(actual_);
    return filas_.empty() || actual_ >= int(filas_.size());
}

void OrigenRegistros::establecerPartes(int primera, int porParte) {
    primeraParte_ = std::max(primera, 1);
    porParte_ = std::max(porParte, 0);
}

QString OrigenRegistros::tomarFalloDeLectura() {
    return std::exchange(falloLectura_, QString());
}

// ---------------------------------------------------------------------------------------------
// Columns and values

QString OrigenRegistros::nombreColumna(int c) const {
    return c >= 0 && c < columnas() ? cols_[c].nombre : QString();
}

int OrigenRegistros::indiceCampo(const QString& nombre) const {
    return buscarColumna(cols_, nombre);
}

TipoCampo OrigenRegistros::tipoColumna(int c) const {
    return c >= 0 && c < columnas() ? cols_[c].tipo : TipoCampo::Texto;
}

bool OrigenRegistros::columnaEditable(int c) const {
    if (c < 0 || c >= columnas()) return false;
    const Columna& col = cols_[c];
    return col.conocido && col.tipo != TipoCampo::Contador && (col.oculta >= 0 || col.clave >= 0);
}

QString OrigenRegistros::tablaDeColumna(int c) const {
    return c >= 0 && c < columnas() ? cols_[c].tabla : QString();
}

int OrigenRegistros::posicion() const {
    return actual_ >= 0 && actual_ < int(filas_.size()) ? actual_ : -1;
}

QVariant OrigenRegistros::valorCrudo(int fila, int col) const {
    asegurar(fila);
    if (fila < 0 || fila >= recibidas() || col < 0 || col >= columnas()) return {};
    return almacen_.valor(filas_[size_t(fila)], ocultas_ + col);
}

QVariant OrigenRegistros::valor(int fila, int col) const {
    asegurar(fila);
    if (fila < 0 || fila >= recibidas() || col < 0 || col >= columnas()) return {};
    if (edicion_ == Edicion::Editando && fila == actual_ && asignado_[size_t(col)])
        return pendiente_[size_t(col)];
    return cols_[size_t(col)].tipar(almacen_.valor(filas_[size_t(fila)], ocultas_ + col));
}

void OrigenRegistros::sinActual() const {
    throw DbError(u"No hay ningún registro actual."_s, u"no current record"_s, Fallo::Uso);
}

void OrigenRegistros::exigirColumna(int col) const {
    if (col < 0 || col >= columnas())
        throw DbError(u"El campo indicado no existe en la consulta."_s, {}, Fallo::Uso);
}

int OrigenRegistros::exigirCampo(const QString& nombre) const {
    const int c = indiceCampo(nombre);
    if (c < 0)
        throw DbError(u"El campo '%1' no existe en la consulta."_s.arg(nombre), sql_, Fallo::Uso);
    return c;
}

QVariant OrigenRegistros::campo(const QString& nombre) const {
    return campo(exigirCampo(nombre));
}

QVariant OrigenRegistros::campo(int col) const {
    exigirColumna(col);
    if (edicion_ == Edicion::Agregando)
        return asignado_[size_t(col)] ? pendiente_[size_t(col)] : QVariant();
    if (!hayActual()) sinActual();
    return valor(actual_, col);
}

// ---------------------------------------------------------------------------------------------
// Moving

void OrigenRegistros::mover(int nuevo) {
    guardarPendiente();
    actual_ = nuevo;
    Q_EMIT actualCambiado();
}

void OrigenRegistros::primero() {
    if (!filas_.empty()) mover(0);
}

void OrigenRegistros::ultimo() {
    if (!filas_.empty()) mover(cantidad() - 1);
}

void OrigenRegistros::siguiente() {
    asegurar(actual_ + 1);
    if (actual_ < recibidas()) mover(actual_ + 1);
}

void OrigenRegistros::anterior() {
    if (actual_ >= 0) mover(actual_ - 1);
}

void OrigenRegistros::irA(int fila) {
    asegurar(fila);
    if (fila < 0 || fila >= recibidas()) return;
    if (fila == actual_ && edicion_ != Edicion::Agregando) return;
    mover(fila);
}

bool OrigenRegistros::buscarPrimero(const QString& criterio) {
    guardarPendiente();
    // Field names of the criteria become parameters bound to each row's values.
    const std::vector<sql::Token> t = sql::tokenizar(criterio);
    QString expr;
    std::vector<int> usadas;
    for (int i = 0; i < int(t.size()); ++i) {
        const sql::Token& k = t[i];
        if (k.tipo == sql::Tok::Ident || k.tipo == sql::Tok::IdentCitado) {
            int j = i + 1;
            while (j < int(t.size()) && t[j].tipo == sql::Tok::Espacio)
                ++j;
            const bool esFuncion = j < int(t.size()) && t[j].texto == u"("_s;
            QString nombre =
                k.tipo == sql::Tok::IdentCitado ? k.texto.mid(1, k.texto.size() - 2) : k.texto;
            int fin = i;
            if (j + 1 < int(t.size()) && t[j].texto == u"."_s &&
                (t[j + 1].tipo == sql::Tok::Ident || t[j + 1].tipo == sql::Tok::IdentCitado)) {
                nombre += u'.' + t[j + 1].texto;
                fin = j + 1;
            }
            if (!esFuncion && !esPalabraReservada(nombre)) {
                const int c = indiceCampo(nombre);
                if (c >= 0) {
                    usadas.push_back(c);
                    expr += u"?%1"_s.arg(usadas.size());
                    i = fin;
                    continue;
                }
            }
        }
        expr += k.texto;
    }
    BaseDatos& base = bd();
    Sentencia s = base.preparar(base.traducir(u"SELECT ("_s + expr + u")"_s).sql);
    // The rows read so far first: the rest only when none of them meets it.
    for (int fila = 0;; ++fila) {
        asegurar(fila);
        if (fila >= recibidas()) break;
        for (size_t k = 0; k < usadas.size(); ++k)
            s.vincular(int(k) + 1, valorCrudo(fila, usadas[k]));
        const bool hay = s.paso();
        const bool cumple = hay && !s.esNulo(0) && s.valor(0).toDouble() != 0.0;
        s.reiniciar();
        if (cumple) {
            sinCoincidencia_ = false;
            if (fila != actual_) mover(fila);
            return true;
        }
    }
    sinCoincidencia_ = true;
    return false;
}

// ---------------------------------------------------------------------------------------------
// Editing

void OrigenRegistros::limpiarPendiente() {
    pendiente_.assign(cols_.size(), QVariant());
    asignado_.assign(cols_.size(), false);
}

void OrigenRegistros::agregarNuevo() {
    guardarPendiente();
    if (!abierto_) refrescar();
    edicion_ = Edicion::Agregando;
    limpiarPendiente();
    Q_EMIT pendienteCambiado();
    Q_EMIT actualCambiado();
}

void OrigenRegistros::editar() {
    if (edicion_ != Edicion::Ninguna) return;
    if (!hayActual()) sinActual();
    edicion_ = Edicion::Editando;
    limpiarPendiente();
}

void OrigenRegistros::asignar(const QString& nombre, const QVariant& v) {
    asignar(exigirCampo(nombre), v);
}

void OrigenRegistros::asignar(int col, const QVariant& v) {
    exigirColumna(col);
    if (edicion_ == Edicion::Ninguna) editar();
    const Columna& c = cols_[size_t(col)];
    if (c.conocido && c.tipo == TipoCampo::Contador) {
        throw DbError(u"El campo %1 es un código que asigna la base de datos y no se puede "
                      u"modificar."_s.arg(c.nombre),
                      {}, Fallo::ValorInvalido);
    }
    if (edicion_ == Edicion::Editando && !columnaEditable(col)) {
        throw DbError(u"El campo %1 no se puede modificar en esta consulta."_s.arg(c.nombre), sql_,
                      Fallo::Uso);
    }
    pendiente_[size_t(col)] = v;
    asignado_[size_t(col)] = true;
    Q_EMIT pendienteCambiado();
}

void OrigenRegistros::agregarYGuardar(const std::function<void()>& llenar) {
    agregarNuevo();
    try {
        llenar();
        actualizar();
    } catch (...) {
        cancelarActualizacion();
        throw;
    }
}

void OrigenRegistros::cancelarActualizacion() {
    Q_EMIT edicionDescartada();
    if (edicion_ == Edicion::Ninguna) return;
    const bool agregando = edicion_ == Edicion::Agregando;
    edicion_ = Edicion::Ninguna;
    limpiarPendiente();
    Q_EMIT pendienteCambiado();
    if (agregando)
        Q_EMIT actualCambiado();
    else if (hayActual())
        Q_EMIT filaActualizada(actual_);
}

OrigenRegistros::Ubicacion OrigenRegistros::ubicacion(int fila, int col) const {
    const Columna& c = cols_[size_t(col)];
    const int almacenada = filas_[size_t(fila)];
    // The table's key first: it never changes, while the engine's row identity may change when
    // another window or seat updates the row.
    if (c.clave >= 0) {
        const QVariant v = almacen_.valor(almacenada, ocultas_ + c.clave);
        if (!v.isNull()) return {cols_[size_t(c.clave)].origen, v};
    }
    if (c.oculta >= 0) {
        const QVariant v = almacen_.valor(almacenada, c.oculta);
        if (!v.isNull()) return {bd().dialecto().identidad(), v, c.oculta};
    }
    return {};
}

OrigenRegistros::Ubicacion OrigenRegistros::ubicacionDeTabla(int fila, const QString& tabla) const {
    for (int c = 0; c < columnas(); ++c) {
        if (cols_[size_t(c)].tabla.compare(tabla, Qt::CaseInsensitive) != 0) continue;
        const Ubicacion u = ubicacion(fila, c);
        if (u.valida()) return u;
    }
    return {};
}

// Reads again from the engine the fields of a table in a row, from where the row is.
void OrigenRegistros::releer(int fila, const QString& tabla, const Ubicacion& donde) {
    const int almacenada = filas_[size_t(fila)];
    QStringList campos;
    std::vector<int> indices;
    for (int c = 0; c < columnas(); ++c) {
        if (cols_[size_t(c)].tabla.compare(tabla, Qt::CaseInsensitive) != 0) continue;
        campos << cols_[size_t(c)].origen;
        indices.push_back(c);
    }
    if (campos.isEmpty() || !donde.valida()) return;
    Sentencia s = bd().prepararJet(
        u"SELECT %1 FROM %2 WHERE %3 = ?"_s.arg(campos.join(u", "_s), tabla, donde.campo));
    s.vincular(1, donde.valor);
    if (!s.paso()) return;
    for (size_t k = 0; k < indices.size(); ++k)
        almacen_.escribir(almacenada, ocultas_ + indices[k], s.valor(int(k)));
    if (donde.campo != bd().dialecto().identidad()) return;
    for (int j = 0; j < tablasOcultas_.size(); ++j)
        if (tablasOcultas_[j].compare(tabla, Qt::CaseInsensitive) == 0)
            almacen_.escribir(almacenada, j, donde.valor);
}

void OrigenRegistros::actualizar() {
    if (edicion_ == Edicion::Ninguna) {
        throw DbError(u"No hay ningún registro nuevo o modificado para guardar."_s,
                      u"update without AddNew or Edit"_s, Fallo::Uso);
    }
    BaseDatos& base = bd();
    if (edicion_ == Edicion::Agregando) {
        QString tabla;
        QStringList campos;
        QVariantList valores;
        for (int c = 0; c < columnas(); ++c) {
            if (!asignado_[size_t(c)]) continue;
            const Columna& col = cols_[size_t(c)];
            if (col.tabla.isEmpty())
                throw DbError(
                    u"El campo %1 no se puede guardar: es un valor calculado."_s.arg(col.nombre),
                    sql_, Fallo::Uso);
            if (tabla.isEmpty())
                tabla = col.tabla;
            else if (tabla.compare(col.tabla, Qt::CaseInsensitive) != 0)
                throw DbError(u"No se puede agregar un registro con campos de varias tablas."_s,
                              sql_, Fallo::Uso);
            campos << col.origen;
            valores << paraMotor(col.tipo, pendiente_[size_t(c)]);
        }
        if (tabla.isEmpty()) {
            if (tablasOcultas_.size() == 1)
                tabla = esquema::tabla(tablasOcultas_[0])
                            ? QString::fromLatin1(esquema::tabla(tablasOcultas_[0])->nombre)
                            : tablasOcultas_[0];
            else
                throw DbError(u"No se sabe en qué tabla agregar el registro."_s, sql_, Fallo::Uso);
        }
        QStringList marcas;
        for (int i = 0; i < campos.size(); ++i)
            marcas << u"?"_s;
        const QString identidad = base.dialecto().identidad();
        const QString insert =
            (campos.isEmpty() ? u"INSERT INTO %1 DEFAULT VALUES"_s.arg(tabla)
                              : u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
                                    tabla, campos.join(u", "_s), marcas.join(u", "_s))) +
            u" RETURNING "_s + identidad;
        Ubicacion nueva{identidad, {}};
        {
            Sentencia s = base.prepararJet(insert);
            s.vincular(valores);
            while (s.paso())
                nueva.valor = s.valor(0);
        }
        // The new row joins the list at its end and becomes the current row.
        // The rows held no longer follow the statement (the new one sits at the end).
        vigentes_ = false;
        const int fila = cantidad();
        const int almacenada = almacen_.agregarVacia();
        Q_EMIT antesDeAgregarFila(fila);
        filas_.push_back(almacenada);
        edicion_ = Edicion::Ninguna;
        limpiarPendiente();
        releer(fila, tabla, nueva);
        ultimoAgregado_ = fila;
        actual_ = fila;
        Q_EMIT filaAgregada(fila);
        Q_EMIT pendienteCambiado();
        Q_EMIT actualCambiado();
        return;
    }

    // Editing: one UPDATE per table whose fields changed, each guarded against a change made
    // by another window since the row was read.
    if (!hayActual()) sinActual();
    const int fila = actual_;
    QStringList tablas;
    for (int c = 0; c < columnas(); ++c)
        if (asignado_[size_t(c)] && !tablas.contains(cols_[size_t(c)].tabla, Qt::CaseInsensitive))
            tablas << cols_[size_t(c)].tabla;
    Transaccion t(base);
    const DialectoMotor& dialecto = base.dialecto();
    std::vector<std::pair<QString, Ubicacion>> ubicaciones;
    for (const QString& tabla : tablas) {
        QStringList sets, condiciones;
        QVariantList valores, originales;
        Ubicacion donde = ubicacionDeTabla(fila, tabla);
        for (int c = 0; c < columnas(); ++c) {
            const Columna& col = cols_[size_t(c)];
            if (col.tabla.compare(tabla, Qt::CaseInsensitive) != 0) continue;
            const QVariant original = valorCrudo(fila, c);
            condiciones << dialecto.igualONulos(col.origen, u"?"_s,
                                                original.metaType().id() == QMetaType::QString);
            originales << original;
            if (!asignado_[size_t(c)]) continue;
            sets << u"%1 = ?"_s.arg(col.origen);
            valores << paraMotor(col.tipo, pendiente_[size_t(c)]);
        }
        if (sets.isEmpty()) continue;
        if (!donde.valida())
            throw DbError(u"Los datos de %1 no se pueden modificar en esta consulta."_s.arg(tabla),
                          sql_, Fallo::Uso);
        Sentencia s = base.prepararJet(u"UPDATE %1 SET %2 WHERE %3 = ? AND %4 RETURNING %5"_s.arg(
            tabla, sets.join(u", "_s), donde.campo, condiciones.join(u" AND "_s),
            dialecto.identidad()));
        s.vincular(valores + QVariantList{donde.valor} + originales);
        bool cambiada = false;
        QVariant identidad;
        while (s.paso()) {
            cambiada = true;
            identidad = s.valor(0);
        }
        if (!cambiada) {
            const bool existe =
                !base.escalar(u"SELECT 1 FROM %1 WHERE %2 = ?"_s.arg(tabla, donde.campo),
                              {donde.valor})
                     .isNull();
            // A row found by an identity that changes with every update cannot tell a row
            // another window changed from one it deleted.
            const bool sabido =
                existe || donde.campo != dialecto.identidad() || dialecto.identidadEstable();
            throw Error(
                existe   ? kModificado
                : sabido ? u"El registro ya no existe: otra ventana lo eliminó."_s
                         : u"Otra ventana modificó o eliminó este registro después de que se "
                           u"leyó. Vuelva a leer los datos (Actualizar) y repita sus cambios."_s);
        }
        // An engine whose row identity changes with each update gives the new one.
        if (donde.campo == dialecto.identidad()) donde.valor = identidad;
        ubicaciones.emplace_back(tabla, donde);
    }
    vigentes_ = false;
    for (const auto& [tabla, donde] : ubicaciones)
        releer(fila, tabla, donde);
    t.confirmar();
    edicion_ = Edicion::Ninguna;
    limpiarPendiente();
    Q_EMIT pendienteCambiado();
    Q_EMIT filaActualizada(fila);
}

void OrigenRegistros::agregarEscritor(QObject* dueno, std::function<void()> escribir,
                                      std::function<bool()> sucio) {
    Q_ASSERT(dueno);
    escritores_.push_back({dueno, std::move(escribir), std::move(sucio)});
}

bool OrigenRegistros::editando() const {
    if (hayPendiente()) return true;
    for (const Escritor& e : escritores_)
        if (e.dueno && e.sucio && e.sucio()) return true;
    return false;
}

void OrigenRegistros::guardarPendiente() {
    if (guardando_) return;
    guardando_ = true;
    std::erase_if(escritores_, [](const Escritor& e) { return e.dueno.isNull(); });
    // A copy: a writer may register another one, or delete an owner.
    const std::vector<Escritor> escritores = escritores_;
    try {
        for (const Escritor& e : escritores)
            if (!e.dueno.isNull()) e.escribir();
    } catch (...) {
        guardando_ = false;
        throw;
    }
    guardando_ = false;
    if (edicion_ != Edicion::Ninguna) actualizar();
}

void OrigenRegistros::eliminar() {
    if (edicion_ == Edicion::Agregando) cancelarActualizacion();
    if (!hayActual()) sinActual();
    if (edicion_ == Edicion::Editando) cancelarActualizacion();
    const int fila = actual_;
    // The table whose row goes: the one every column of the statement comes from.
    QString tabla;
    int columnaTabla = -1;
    for (int c = 0; c < columnas(); ++c) {
        const Columna& col = cols_[size_t(c)];
        if (col.tabla.isEmpty()) continue;
        if (tabla.isEmpty()) {
            tabla = col.tabla;
            columnaTabla = c;
        } else if (tabla.compare(col.tabla, Qt::CaseInsensitive) != 0) {
            throw DbError(u"No se puede eliminar en una consulta de varias tablas."_s, sql_,
                          Fallo::Uso);
        }
    }
    if (columnaTabla < 0)
        throw DbError(u"No se puede eliminar en esta consulta."_s, sql_, Fallo::Uso);
    const Ubicacion donde = ubicacion(fila, columnaTabla);
    if (!donde.valida())
        throw DbError(u"No se puede eliminar en esta consulta."_s, sql_, Fallo::Uso);
    BaseDatos& base = bd();
    try {
        // Its own transaction (or savepoint): a refused deletion leaves the connection as it
        // was, so the counting below can run even inside the caller's transaction.
        Transaccion t(base);
        const int borradas =
            base.ejecutar(u"DELETE FROM %1 WHERE %2 = ?"_s.arg(tabla, donde.campo), {donde.valor});
        // Gone already is gone; but an identity that changes with every update may no longer
        // find a row another window changed, which must not look deleted.
        if (borradas == 0 && donde.campo == base.dialecto().identidad() &&
            !base.dialecto().identidadEstable()) {
            throw Error(u"Otra ventana modificó o eliminó este registro después de que se leyó. "
                        u"Vuelva a leer los datos (Actualizar)."_s);
        }
        t.confirmar();
    } catch (const DbError& e) {
        if (!e.esDeRelacion()) throw;
        QStringList usos;
        for (const auto& [hija, campo] : esquema::referenciasRestrictivas(tabla)) {
            // The child's field holds the value of the field it refers to: "EMPRESAS(EmpId)".
            QString referido;
            for (const Campo& c : hija->campos)
                if (campo.compare(QLatin1String(c.nombre), Qt::CaseInsensitive) == 0 &&
                    c.referencia)
                    referido = QString::fromLatin1(c.referencia).section(u'(', 1).chopped(1);
            const QVariant clave =
                base.escalar(u"SELECT %1 FROM %2 WHERE %3 = ?"_s.arg(referido, tabla, donde.campo),
                             {donde.valor});
            const qint64 n = base.escalar(u"SELECT count(*) FROM %1 WHERE %2 = ?"_s.arg(
                                              QLatin1String(hija->nombre), campo),
                                          {clave})
                                 .toLongLong();
            // A link row is named after what sits at its other end: a product linked to two
            // companies is still used by "2 empresas", not by "2 vínculos".
            const Tabla* quien = hija;
            if (QLatin1String(hija->nombre).contains(u'_')) {
                for (const Campo& c : hija->campos) {
                    if (!c.referencia ||
                        campo.compare(QLatin1String(c.nombre), Qt::CaseInsensitive) == 0)
                        continue;
                    const QString otra = QString::fromLatin1(c.referencia).section(u'(', 0, 0);
                    if (const Tabla* t = esquema::tabla(otra)) quien = t;
                }
            }
            if (n > 0)
                usos << u"%1 %2"_s.arg(n).arg(QString::fromUtf8(n == 1 ? quien->sustantivoSingular
                                                                       : quien->sustantivoPlural));
        }
        if (usos.isEmpty()) throw;
        QString lista = usos.join(u", "_s);
        if (usos.size() > 1) {
            const int ultimaComa = lista.lastIndexOf(u", "_s);
            lista = lista.left(ultimaComa) + u" y "_s + lista.mid(ultimaComa + 2);
        }
        // A refusal the user can act on: the engine's technical detail adds nothing to it.
        throw Error(u"No se puede eliminar este registro porque todavía lo usan %1."_s.arg(lista));
    }
    vigentes_ = false;
    Q_EMIT antesDeEliminarFila(fila);
    filas_.erase(filas_.begin() + fila);
    if (actual_ >= cantidad()) actual_ = cantidad() - 1;
    if (ultimoAgregado_ == fila) ultimoAgregado_ = -1;
    Q_EMIT filaEliminada(fila);
    Q_EMIT actualCambiado();
}

} // namespace zv

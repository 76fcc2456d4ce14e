#include "data/basedatos.h"

#include "data/columnaorigen.h"
#include "data/copia.h"
#include "data/dberror.h"
#include "data/destino.h"
#include "data/motor.h"
#include "data/postgres/motorpostgres.h"
#include "data/sqlite/motorsqlite.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zv {

namespace {
BaseDatos* principal_ = nullptr;
constexpr int kMaxSentenciasLibres = 96;
constexpr int kMaxTraducciones = 512;

std::unique_ptr<Motor> abrirMotor(const QString& destino, BaseDatos::Modo modo) {
    const bool crear = modo == BaseDatos::Modo::CrearSiFalta;
    if (destino::esServidor(destino)) return motorpostgres::abrir(destino, crear);
    return motorsqlite::abrir(destino, crear);
}

// Whether a statement only reads: it begins with SELECT or VALUES. Anything else may write.
bool soloLee(const QString& nativo) {
    qsizetype i = 0;
    while (i < nativo.size() && (nativo[i].isSpace() || nativo[i] == u'('))
        ++i;
    const QStringView resto = QStringView(nativo).mid(i);
    return resto.startsWith(u"SELECT", Qt::CaseInsensitive) ||
           resto.startsWith(u"VALUES", Qt::CaseInsensitive);
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Sentencia

Sentencia::Sentencia(BaseDatos* bd, std::unique_ptr<SentenciaMotor> st, QString clave)
    : bd_(bd), st_(std::move(st)), clave_(std::move(clave)) {}

Sentencia::Sentencia(Sentencia&& o) noexcept
    : bd_(o.bd_), st_(std::move(o.st_)), clave_(std::move(o.clave_)), enCurso_(o.enCurso_) {}

Sentencia::~Sentencia() {
    if (st_) bd_->devolver(std::move(st_), clave_);
}

void Sentencia::vincular(int i, const QVariant& v) {
    st_->vincular(i, v);
}

void Sentencia::vincular(const QVariantList& valores) {
    for (int i = 0; i < valores.size(); ++i)
        st_->vincular(i + 1, valores[i]);
}

bool Sentencia::paso() {
    if (!enCurso_) {
        enCurso_ = true;
        // A write never runs while a read of the same connection is half-done.
        if (!bd_->lecturas_.empty() && !soloLee(clave_)) bd_->terminarLecturas();
    }
    if (st_->paso()) return true;
    bd_->cambios_ = st_->cambios();
    if (bd_->cambios_ > 0) ++bd_->escrituras_;
    return false;
}

void Sentencia::reiniciar() {
    st_->reiniciar();
    enCurso_ = false;
}

int Sentencia::columnas() const {
    return st_->columnas();
}

QString Sentencia::nombreColumna(int c) const {
    return st_->nombreColumna(c);
}

bool Sentencia::esNulo(int c) const {
    return st_->tipo(c) == TipoValor::Nulo;
}

QVariant Sentencia::valor(int c) const {
    switch (st_->tipo(c)) {
    case TipoValor::Entero:
        return QVariant(st_->entero(c));
    case TipoValor::Real:
        return QVariant(st_->real(c));
    case TipoValor::Texto: {
        const std::string_view b = st_->bytes(c);
        return QVariant(QString::fromUtf8(b.data(), qsizetype(b.size())));
    }
    case TipoValor::Blob: {
        const std::string_view b = st_->bytes(c);
        return QVariant(QByteArray(b.data(), qsizetype(b.size())));
    }
    case TipoValor::Nulo:
        break;
    }
    return {};
}

ColumnaOrigen Sentencia::columna(int c) const {
    return st_->columna(c);
}

TipoValor Sentencia::tipo(int c) const {
    return st_->tipo(c);
}

qint64 Sentencia::entero(int c) const {
    return st_->entero(c);
}

double Sentencia::real(int c) const {
    return st_->real(c);
}

std::string_view Sentencia::bytes(int c) const {
    return st_->bytes(c);
}

// ---------------------------------------------------------------------------------------------
// BaseDatos

BaseDatos::BaseDatos(const QString& destino, Modo modo)
    : motor_(abrirMotor(destino, modo)), ruta_(destino) {}

BaseDatos::~BaseDatos() {
    if (principal_ == this) principal_ = nullptr;
    for (auto& [quien, aviso] : std::exchange(alCerrar_, {}))
        aviso();
    // Reads still half-done give their statements back while the connection is whole.
    const std::vector<LecturaEnCurso*> lecturas = std::move(lecturas_);
    lecturas_.clear();
    for (LecturaEnCurso* l : lecturas)
        l->soltarLectura();
    qDeleteAll(libres_);
    libres_.clear();
}

BaseDatos& BaseDatos::principal() {
    if (!principal_) throw Error(u"No hay ninguna base de datos abierta."_s);
    return *principal_;
}

BaseDatos* BaseDatos::principalSiHay() {
    return principal_;
}

void BaseDatos::establecerPrincipal(BaseDatos* bd) {
    principal_ = bd;
}

bool BaseDatos::recienCreada() const {
    return motor_->creada();
}

const DialectoMotor& BaseDatos::dialecto() const {
    return motor_->dialecto();
}

const sql::Traduccion& BaseDatos::traducir(const QString& jet, bool conRowids) {
    auto& cache = conRowids ? traduccionesRowid_ : traducciones_;
    auto it = cache.constFind(jet);
    if (it != cache.constEnd()) return *it;
    if (cache.size() >= kMaxTraducciones) cache.clear();
    return *cache.insert(jet, sql::traducir(jet, motor_->dialecto(), conRowids));
}

Sentencia BaseDatos::preparar(const QString& nativo) {
    auto it = libres_.find(nativo);
    if (it != libres_.end()) {
        std::unique_ptr<SentenciaMotor> st(it.value());
        libres_.erase(it);
        return Sentencia(this, std::move(st), nativo);
    }
    return Sentencia(this, motor_->preparar(nativo), nativo);
}

void BaseDatos::devolver(std::unique_ptr<SentenciaMotor> st, const QString& clave) {
    st->reiniciar(true);
    if (libres_.contains(clave) || libres_.size() >= kMaxSentenciasLibres) return;
    libres_.insert(clave, st.release());
}

int BaseDatos::ejecutar(const QString& jet, const QVariantList& parametros) {
    Sentencia s = preparar(traducir(jet).sql);
    s.vincular(parametros);
    while (s.paso()) {
    }
    return cambios_;
}

QVariant BaseDatos::escalar(const QString& jet, const QVariantList& parametros) {
    Sentencia s = preparar(traducir(jet).sql);
    s.vincular(parametros);
    if (!s.paso()) return {};
    return s.valor(0);
}

quint64 BaseDatos::versionDatos() {
    // Own writes and others' commits kept apart, so that neither can hide the other.
    return (motor_->versionAjena() << 32) ^ escrituras_;
}

bool BaseDatos::reclamar(int clase, qint64 clave) {
    return motor_->reclamar(clase, clave);
}

void BaseDatos::soltar(int clase, qint64 clave) {
    motor_->soltar(clase, clave);
}

void BaseDatos::alCerrar(const void* quien, std::function<void()> aviso) {
    olvidarCierre(quien);
    alCerrar_.emplace_back(quien, std::move(aviso));
}

void BaseDatos::olvidarCierre(const void* quien) {
    std::erase_if(alCerrar_, [quien](const auto& a) { return a.first == quien; });
}

void BaseDatos::anotarLectura(LecturaEnCurso* l) {
    if (std::find(lecturas_.begin(), lecturas_.end(), l) == lecturas_.end()) lecturas_.push_back(l);
}

void BaseDatos::quitarLectura(LecturaEnCurso* l) {
    lecturas_.erase(std::remove(lecturas_.begin(), lecturas_.end(), l), lecturas_.end());
}

void BaseDatos::terminarLecturas() {
    while (!lecturas_.empty()) {
        LecturaEnCurso* l = lecturas_.back();
        lecturas_.pop_back();
        l->terminarLectura();
    }
}

qint64 BaseDatos::ultimoId() const {
    return motor_->ultimoId();
}

void BaseDatos::respaldarEn(const QString& archivo,
                            const std::function<bool(int hechas, int total)>& progreso) {
    if (motor_->respaldarEn(archivo, progreso)) return;
    // An engine without a copy of its own: the rows, one by one, read as of one moment.
    copia::copiarEnArchivoNuevo(*this, archivo, [&progreso](qint64 hechas, qint64 total) {
        if (!progreso) return true;
        // Told in thousandths, so that a large copy fits the counters.
        return total <= 0 ? progreso(0, 0) : progreso(int(hechas * 1000 / total), 1000);
    });
}

// ---------------------------------------------------------------------------------------------
// Transaccion

Transaccion::Transaccion(BaseDatos& bd) : bd_(bd) {
    bd_.terminarLecturas();
    escrituras_ = bd_.escrituras_;
    if (bd_.savepoints_ > 0) nombre_ = u"t%1"_s.arg(bd_.savepoints_);
    bd_.motor_->ejecutarDirecto(nombre_.isEmpty() ? bd_.motor_->dialecto().comenzar()
                                                  : u"SAVEPOINT "_s + nombre_);
    ++bd_.savepoints_;
}

void Transaccion::confirmar() {
    if (hecha_) return;
    bd_.terminarLecturas();
    ++bd_.escrituras_;
    bd_.motor_->ejecutarDirecto(nombre_.isEmpty() ? u"COMMIT"_s
                                                  : u"RELEASE SAVEPOINT "_s + nombre_);
    hecha_ = true;
    --bd_.savepoints_;
}

Transaccion::~Transaccion() {
    if (hecha_) return;
    bd_.terminarLecturas();
    // What was written inside goes away: what was read since no longer holds.
    if (bd_.escrituras_ != escrituras_) ++bd_.escrituras_;
    --bd_.savepoints_;
    if (nombre_.isEmpty()) {
        bd_.motor_->ejecutarDirecto(u"ROLLBACK"_s, true);
    } else {
        bd_.motor_->ejecutarDirecto(u"ROLLBACK TO SAVEPOINT "_s + nombre_, true);
        bd_.motor_->ejecutarDirecto(u"RELEASE SAVEPOINT "_s + nombre_, true);
    }
}

} // namespace zv

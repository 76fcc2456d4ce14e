#include "data/consultaagrupada.h"

#include "data/basedatos.h"
#include "data/bloquefilas.h"
#include "data/columnaorigen.h"
#include "data/dberror.h"
#include "data/dialecto.h"
#include "data/funciones.h"
#include "data/motor.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

// ---------------------------------------------------------------------------------------------
// Taking a command apart

[[noreturn]] void noSeEntiende(const QString& que, const QString& texto) {
    throw Error(u"No se puede interpretar la consulta agrupada: %1."_s.arg(que), texto);
}

QString sinCitar(const sql::Token& t) {
    const QString& s = t.texto;
    if (t.tipo == sql::Tok::Cadena) return s.mid(1, s.size() - 2).replace(u"''"_s, u"'"_s);
    if (t.tipo == sql::Tok::IdentCitado) return s.mid(1, s.size() - 2);
    return s;
}

class Lector {
public:
    explicit Lector(const QString& texto) : texto_(texto), t_(sql::tokenizar(texto)) {
        int p = 0;
        for (const sql::Token& k : t_) {
            pos_.push_back(p);
            p += int(k.texto.size());
            if (!k.cerrado) {
                noSeEntiende(k.tipo == sql::Tok::Cadena ? u"falta cerrar un apóstrofo"_s
                                                        : u"falta cerrar «%1»"_s.arg(k.texto),
                             texto_);
            }
        }
        pos_.push_back(p);
    }

    // The next token that is not white space, without taking it; nullptr at the end.
    const sql::Token* ver() {
        saltar();
        return i_ < int(t_.size()) ? &t_[i_] : nullptr;
    }
    const sql::Token* tomar() {
        const sql::Token* k = ver();
        if (k) ++i_;
        return k;
    }
    bool esPalabra(const char16_t* palabra) {
        const sql::Token* k = ver();
        return k && k->tipo == sql::Tok::Ident &&
               k->texto.compare(QString::fromUtf16(palabra), Qt::CaseInsensitive) == 0;
    }
    bool esSimbolo(const char16_t* s) {
        const sql::Token* k = ver();
        return k && k->tipo == sql::Tok::Simbolo && k->texto == QString::fromUtf16(s);
    }
    void palabra(const char16_t* palabra, const QString& donde) {
        if (!esPalabra(palabra))
            noSeEntiende(u"se esperaba «%1» %2"_s.arg(QString::fromUtf16(palabra), donde), texto_);
        ++i_;
    }
    void simbolo(const char16_t* s, const QString& donde) {
        if (!esSimbolo(s))
            noSeEntiende(u"se esperaba «%1» %2"_s.arg(QString::fromUtf16(s), donde), texto_);
        ++i_;
    }
    // A name: plain, between brackets or between apostrophes.
    QString nombre(const QString& que) {
        const sql::Token* k = ver();
        if (!k || (k->tipo != sql::Tok::Ident && k->tipo != sql::Tok::IdentCitado &&
                   k->tipo != sql::Tok::Cadena))
            noSeEntiende(u"falta %1"_s.arg(que), texto_);
        ++i_;
        const QString n = sinCitar(*k).trimmed();
        if (n.isEmpty()) noSeEntiende(u"%1 está vacío"_s.arg(que), texto_);
        return n;
    }
    // A field: a name, or Table.Field written as two plain names.
    QString campo(const QString& que) {
        QString n = nombre(que);
        if (esSimbolo(u".")) {
            ++i_;
            n += u'.' + nombre(que);
        }
        return n;
    }
    // The child query: everything up to the brace that closes the one just taken.
    QString hastaLlaveDeCierre() {
        const int inicio = pos_[i_];
        int profundidad = 0;
        for (; i_ < int(t_.size()); ++i_) {
            const sql::Token& k = t_[i_];
            if (k.tipo != sql::Tok::Simbolo) continue;
            if (k.texto == u"{")
                ++profundidad;
            else if (k.texto == u"}" && profundidad-- == 0) {
                const QString dentro = texto_.mid(inicio, pos_[i_] - inicio);
                ++i_;
                return dentro;
            }
        }
        noSeEntiende(u"falta la llave de cierre «}» de la consulta entre llaves"_s, texto_);
    }

private:
    void saltar() {
        while (i_ < int(t_.size()) &&
               (t_[i_].tipo == sql::Tok::Espacio || t_[i_].tipo == sql::Tok::Comentario))
            ++i_;
    }

    const QString& texto_;
    std::vector<sql::Token> t_;
    std::vector<int> pos_;
    int i_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Fetching only what the parent rows need

QString citar(const QString& nombre) {
    static const QRegularExpression simple(u"^[A-Za-z_][A-Za-z0-9_]*$"_s);
    if (simple.match(nombre).hasMatch()) return nombre;
    return u'"' + QString(nombre).replace(u'"', u"\"\""_s) + u'"';
}

QString expresion(const QString& campo) {
    const int punto = campo.lastIndexOf(u'.');
    if (punto <= 0) return citar(campo);
    return citar(campo.left(punto)) + u'.' + citar(campo.mid(punto + 1));
}

QString parteSimple(const QString& campo) {
    return campo.mid(campo.lastIndexOf(u'.') + 1);
}
QString calificador(const QString& campo) {
    const int punto = campo.lastIndexOf(u'.');
    return punto > 0 ? campo.left(punto) : QString();
}

bool mismoCampo(const QString& a, const QString& b) {
    if (parteSimple(a).compare(parteSimple(b), Qt::CaseInsensitive) != 0) return false;
    const QString ca = calificador(a), cb = calificador(b);
    return ca.isEmpty() || cb.isEmpty() || ca.compare(cb, Qt::CaseInsensitive) == 0;
}

// The child query with its column list cut down to the fields needed, when that gives the same
// rows: a plain SELECT of columns and stars, without DISTINCT, grouping or compound parts.
std::optional<QString> proyectar(const QString& jet, const QStringList& necesarios) {
    using sql::Tok;
    const std::vector<sql::Token> t = sql::tokenizar(jet);
    auto es = [](const sql::Token& k, const char16_t* p) {
        return k.tipo == Tok::Ident &&
               k.texto.compare(QString::fromUtf16(p), Qt::CaseInsensitive) == 0;
    };
    int sel = 0;
    while (sel < int(t.size()) && t[sel].tipo == Tok::Espacio)
        ++sel;
    if (sel >= int(t.size()) || !es(t[sel], u"SELECT")) return std::nullopt;
    int from = -1, profundidad = 0;
    for (int i = sel + 1; i < int(t.size()); ++i) {
        const sql::Token& k = t[i];
        if (k.tipo == Tok::Simbolo && k.texto == u"(")
            ++profundidad;
        else if (k.tipo == Tok::Simbolo && k.texto == u")")
            --profundidad;
        else if (profundidad == 0 && k.tipo == Tok::Ident) {
            if (es(k, u"UNION") || es(k, u"INTERSECT") || es(k, u"EXCEPT") || es(k, u"GROUP") ||
                es(k, u"HAVING") || es(k, u"WINDOW") || es(k, u"DISTINCT"))
                return std::nullopt;
            if (es(k, u"FROM") && from < 0) from = i;
        }
    }
    if (from < 0) return std::nullopt;

    // The column list: stars, Table.*, Field or Table.Field, nothing else.
    std::vector<std::vector<const sql::Token*>> items(1);
    for (int i = sel + 1; i < from; ++i) {
        if (t[i].tipo == Tok::Espacio) continue;
        if (t[i].tipo == Tok::Simbolo && t[i].texto == u",")
            items.emplace_back();
        else
            items.back().push_back(&t[i]);
    }
    bool hayEstrella = false;
    QStringList explicitos;
    auto esNombre = [](const sql::Token* k) {
        return k->tipo == Tok::Ident || k->tipo == Tok::IdentCitado;
    };
    auto esPunto = [](const sql::Token* k) { return k->tipo == Tok::Simbolo && k->texto == u"."; };
    for (const auto& it : items) {
        if (it.size() == 1 && it[0]->tipo == Tok::Simbolo && it[0]->texto == u"*") {
            hayEstrella = true;
        } else if (it.size() == 3 && esNombre(it[0]) && esPunto(it[1]) &&
                   it[2]->tipo == Tok::Simbolo && it[2]->texto == u"*") {
            hayEstrella = true;
        } else if (it.size() == 1 && esNombre(it[0])) {
            explicitos << sinCitar(*it[0]);
        } else if (it.size() == 3 && esNombre(it[0]) && esPunto(it[1]) && esNombre(it[2])) {
            explicitos << sinCitar(*it[0]) + u'.' + sinCitar(*it[2]);
        } else {
            return std::nullopt;
        }
    }
    QStringList lista;
    for (const QString& n : necesarios) {
        QString elegido;
        for (const QString& e : std::as_const(explicitos)) {
            if (mismoCampo(e, n)) {
                elegido = calificador(n).isEmpty() ? e : n;
                break;
            }
        }
        if (elegido.isEmpty()) {
            if (!hayEstrella) return std::nullopt; // the full query says what is wrong
            elegido = n;
        }
        lista << expresion(elegido);
    }
    QString salida;
    for (int i = 0; i <= sel; ++i)
        salida += t[i].texto;
    salida += u' ' + lista.join(u", "_s) + u' ';
    for (int i = from; i < int(t.size()); ++i)
        salida += t[i].texto;
    return salida;
}

// ---------------------------------------------------------------------------------------------
// Grouping in one pass

struct HashTexto {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
using MapaTexto = std::unordered_map<std::string, quint32, HashTexto, std::equal_to<>>;
using Clave = std::array<quint32, 4>;
struct HashClave {
    size_t operator()(const Clave& k) const {
        quint64 h = 0xcbf29ce484222325ull;
        for (quint32 v : k)
            h = (h ^ v) * 0x100000001b3ull;
        return size_t(h ^ (h >> 29));
    }
};

// Gives each row the number of its group: equal values share a number, texts compared as the
// engine's collation compares them. Each distinct raw text is folded once.
class Agrupador {
public:
    explicit Agrupador(int campos) : crudos_(size_t(campos)) {}

    int grupo(const Sentencia& st, const std::vector<int>& columnas, bool& nuevo) {
        Clave k{};
        for (size_t i = 0; i < columnas.size(); ++i)
            k[i] = idValor(st, columnas[i], i);
        const auto [it, insertado] = grupos_.try_emplace(k, int(grupos_.size()));
        nuevo = insertado;
        return it->second;
    }

private:
    quint32 idValor(const Sentencia& st, int c, size_t campo) {
        switch (st.tipo(c)) {
        case TipoValor::Nulo:
            return 0;
        case TipoValor::Entero: {
            const qint64 v = st.entero(c);
            return id('i', &v, sizeof v);
        }
        case TipoValor::Real: {
            const double r = st.real(c);
            if (r == std::floor(r) && std::fabs(r) < 9.0e18) {
                const qint64 v = qint64(r); // 2.0 groups with 2, as the engine compares them
                return id('i', &v, sizeof v);
            }
            return id('r', &r, sizeof r);
        }
        case TipoValor::Texto: {
            const std::string_view b = st.bytes(c);
            const char* p = b.data();
            const int n = int(b.size());
            MapaTexto& vistos = crudos_[campo];
            const auto it = vistos.find(std::string_view(p, size_t(n)));
            if (it != vistos.end()) return it->second;
            const quint32 v = idTexto(p, n);
            vistos.emplace(std::string(p, size_t(n)), v);
            return v;
        }
        case TipoValor::Blob:
            break;
        }
        const std::string_view b = st.bytes(c);
        return id('b', b.data(), b.size());
    }

    quint32 id(char tipo, const void* p, size_t n) {
        clave_.assign(1, tipo);
        clave_.append(static_cast<const char*>(p), n);
        const auto [it, insertado] = valores_.try_emplace(clave_, quint32(valores_.size() + 1));
        return it->second;
    }

    quint32 idTexto(const char* p, int n) {
        bool ascii = true;
        for (int i = 0; i < n && ascii; ++i)
            ascii = static_cast<unsigned char>(p[i]) < 0x80;
        if (ascii) {
            std::string s(p, size_t(n));
            for (char& ch : s)
                if (ch >= 'A' && ch <= 'Z') ch = char(ch + 32);
            return id('t', s.data(), s.size());
        }
        const QByteArray plegado = sql::claveTexto(QString::fromUtf8(p, n)).toUtf8();
        return id('t', plegado.constData(), size_t(plegado.size()));
    }

    std::vector<MapaTexto> crudos_;
    MapaTexto valores_;
    std::unordered_map<Clave, int, HashClave> grupos_;
    std::string clave_;
};

struct Acumulado {
    qint64 cuenta = 0;
    qint64 entero = 0;
    double real = 0;
    bool esReal = false;
};

void acumular(Acumulado& a, Agregado agregado, const Sentencia& st, int c) {
    const TipoValor tipo = st.tipo(c);
    if (tipo == TipoValor::Nulo) return;
    ++a.cuenta;
    if (agregado != Agregado::Suma) return;
    if (tipo == TipoValor::Entero && !a.esReal) {
        const qint64 v = st.entero(c);
        if (!__builtin_add_overflow(a.entero, v, &a.entero)) return;
        a.esReal = true; // past 64 bits: go on in floating point
        a.real = double(a.entero) + double(v);
        return;
    }
    if (!a.esReal) {
        a.esReal = true;
        a.real = double(a.entero);
    }
    a.real += st.real(c);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// ComandoAgrupado

ComandoAgrupado ComandoAgrupado::analizar(const QString& texto) {
    if (texto.trimmed().isEmpty()) noSeEntiende(u"el comando está vacío"_s, texto);
    Lector l(texto);
    ComandoAgrupado c;
    l.palabra(u"SHAPE", u"al comienzo"_s);
    l.simbolo(u"{", u"después de SHAPE"_s);
    c.consultaHija = l.hastaLlaveDeCierre().trimmed();
    if (c.consultaHija.isEmpty()) noSeEntiende(u"la consulta entre llaves está vacía"_s, texto);
    l.palabra(u"AS", u"después de la consulta entre llaves"_s);
    c.nombreHijo = l.nombre(u"el nombre de la consulta entre llaves"_s);
    l.palabra(u"COMPUTE", u"después del nombre de la consulta entre llaves"_s);
    const QString calculado = l.nombre(u"el nombre después de COMPUTE"_s);
    if (calculado.compare(c.nombreHijo, Qt::CaseInsensitive) != 0)
        noSeEntiende(u"COMPUTE nombra «%1» en lugar de «%2»"_s.arg(calculado, c.nombreHijo), texto);
    if (l.esSimbolo(u",")) {
        l.tomar();
        if (l.esPalabra(u"COUNT"))
            c.agregado = Agregado::Cuenta;
        else if (l.esPalabra(u"SUM"))
            c.agregado = Agregado::Suma;
        else
            noSeEntiende(u"solo se admiten los cálculos COUNT y SUM"_s, texto);
        l.tomar();
        l.simbolo(u"(", u"después de COUNT o SUM"_s);
        const QString de = l.nombre(u"el nombre de la consulta dentro del cálculo"_s);
        if (de.compare(c.nombreHijo, Qt::CaseInsensitive) != 0)
            noSeEntiende(u"el cálculo se refiere a «%1» en lugar de «%2»"_s.arg(de, c.nombreHijo),
                         texto);
        l.simbolo(u".", u"después de «%1» dentro del cálculo"_s.arg(de));
        c.campoAgregado = l.campo(u"el campo del cálculo"_s);
        l.simbolo(u")", u"al final del cálculo"_s);
        l.palabra(u"AS", u"después del cálculo"_s);
        c.alias = l.nombre(u"el nombre del cálculo"_s);
    }
    l.palabra(u"BY", u"antes de los campos que agrupan"_s);
    do {
        c.campos << l.campo(u"un campo después de BY"_s);
        if (!l.esSimbolo(u",")) break;
        l.tomar();
    } while (true);
    if (c.campos.size() > 4)
        noSeEntiende(u"se admiten de uno a cuatro campos después de BY"_s, texto);
    if (l.esSimbolo(u";")) l.tomar();
    if (const sql::Token* resto = l.ver())
        noSeEntiende(u"sobra «%1» al final"_s.arg(resto->texto), texto);
    return c;
}

// ---------------------------------------------------------------------------------------------
// ConexionAgrupada

ConexionAgrupada::ConexionAgrupada(const QString& cadena) {
    QString fuente;
    for (const QString& parte : cadena.split(u';')) {
        const QString p = parte.trimmed();
        if (p.isEmpty()) continue;
        const int igual = p.indexOf(u'=');
        if (igual <= 0) {
            throw Error(
                u"La cadena de conexión no es válida: «%1» no tiene la forma nombre=valor."_s.arg(
                    p),
                cadena);
        }
        if (p.left(igual).simplified().compare(u"Data Source"_s, Qt::CaseInsensitive) == 0) {
            fuente = p.mid(igual + 1).trimmed();
            if (fuente.size() >= 2 && fuente.front() == u'"' && fuente.back() == u'"')
                fuente = fuente.mid(1, fuente.size() - 2);
        }
    }
    if (fuente.isEmpty())
        throw Error(u"La cadena de conexión no indica la base de datos (Data Source)."_s, cadena);

    BaseDatos* principal = BaseDatos::principalSiHay();
    const bool soloNombre = !fuente.contains(u'/') && !fuente.contains(u'\\');
    QString ruta = fuente;
    if (principal) {
        const QFileInfo actual(principal->ruta());
        if (soloNombre && (fuente.compare(u"bd2000.mdb"_s, Qt::CaseInsensitive) == 0 ||
                           fuente.compare(actual.fileName(), Qt::CaseInsensitive) == 0)) {
            bd_ = principal;
            return;
        }
        if (QFileInfo(fuente).isRelative()) ruta = QDir(actual.absolutePath()).filePath(fuente);
        if (QFileInfo(ruta).absoluteFilePath() == actual.absoluteFilePath()) {
            bd_ = principal;
            return;
        }
    } else if (soloNombre && fuente.compare(u"bd2000.mdb"_s, Qt::CaseInsensitive) == 0) {
        throw Error(u"No hay ninguna base de datos abierta."_s, cadena);
    }
    propia_ = std::make_unique<BaseDatos>(ruta, BaseDatos::Modo::AbrirExistente);
    bd_ = propia_.get();
}

ConexionAgrupada::~ConexionAgrupada() = default;

// ---------------------------------------------------------------------------------------------
// ConsultaAgrupada

struct ConsultaAgrupada::Datos {
    ComandoAgrupado comando;
    QStringList nombres;          // parent fields
    std::vector<QVariant> padres; // cantidad * nombres.size()
    int filas = 0;

    bool hijos = false;
    std::vector<ColumnaOrigen> cols;
    BloqueFilas hijas; // every child row, in the child query's order
    std::vector<std::vector<int>> grupos;

    void leer(BaseDatos& bd, const QString& jet);
    const std::vector<int>& hijasDe(int fila) const;
    QVariant valorHija(int fila, int hija, int columna) const;
};

void ConsultaAgrupada::Datos::leer(BaseDatos& bd, const QString& jet) {
    Sentencia s = bd.prepararJet(jet);
    const int total = s.columnas();
    cols.clear();
    for (int c = 0; c < total; ++c) {
        cols.push_back(s.columna(c));
    }
    auto columna = [&](const QString& nombre) {
        const int c = buscarColumna(cols, nombre);
        if (c < 0) {
            throw Error(
                u"El campo '%1' del comando agrupado no existe en su consulta."_s.arg(nombre),
                comando.consultaHija);
        }
        return c;
    };
    std::vector<int> por;
    for (const QString& f : std::as_const(comando.campos))
        por.push_back(columna(f));
    const bool conAgregado = comando.agregado != Agregado::Ninguno;
    const int agregado = conAgregado ? columna(comando.campoAgregado) : -1;
    const int ancho = int(nombres.size());

    Agrupador agrupador(int(por.size()));
    std::vector<Acumulado> acumulados;
    hijas = BloqueFilas(total);
    while (s.paso()) {
        bool nuevo = false;
        const int g = agrupador.grupo(s, por, nuevo);
        if (nuevo) {
            for (int c : por)
                padres.push_back(cols[c].tipar(s.valor(c)));
            if (conAgregado) padres.emplace_back();
            acumulados.emplace_back();
            if (hijos) grupos.emplace_back();
        }
        if (conAgregado) acumular(acumulados[size_t(g)], comando.agregado, s, agregado);
        if (hijos) grupos[size_t(g)].push_back(hijas.agregar(s));
    }
    filas = int(acumulados.size());
    if (!conAgregado) return;
    const bool moneda = cols[agregado].conocido && cols[agregado].tipo == TipoCampo::Moneda;
    for (int f = 0; f < filas; ++f) {
        const Acumulado& a = acumulados[size_t(f)];
        QVariant& v = padres[size_t(f * ancho + ancho - 1)];
        if (comando.agregado == Agregado::Cuenta)
            v = a.cuenta;
        else if (a.cuenta == 0)
            v = QVariant();
        else if (a.esReal || moneda)
            v = a.esReal ? a.real : double(a.entero);
        else
            v = a.entero;
    }
}

const std::vector<int>& ConsultaAgrupada::Datos::hijasDe(int fila) const {
    if (!hijos)
        throw Error(u"La consulta agrupada se abrió sin sus registros hijos."_s,
                    comando.consultaHija);
    if (fila < 0 || fila >= filas)
        throw Error(u"La consulta agrupada no tiene la fila %1."_s.arg(fila + 1),
                    comando.consultaHija);
    return grupos[size_t(fila)];
}

QVariant ConsultaAgrupada::Datos::valorHija(int fila, int hija, int columna) const {
    const std::vector<int>& h = hijasDe(fila);
    if (hija < 0 || hija >= int(h.size()) || columna < 0 || columna >= int(cols.size())) return {};
    return cols[size_t(columna)].tipar(hijas.valor(h[size_t(hija)], columna));
}

ConsultaAgrupada::ConsultaAgrupada(BaseDatos& bd, const QString& texto, Hijos hijos)
    : d_(std::make_unique<Datos>()) {
    d_->comando = ComandoAgrupado::analizar(texto);
    const ComandoAgrupado& c = d_->comando;
    d_->nombres = c.campos;
    if (c.agregado != Agregado::Ninguno) d_->nombres << c.alias;
    d_->hijos = hijos == Hijos::Leer;

    QString jet = c.consultaHija;
    if (!d_->hijos) {
        // The whole query is checked first: a column list cut down to the fields needed must not
        // hide a fault of the columns left out, which reading every row would report.
        bd.prepararJet(jet);
        QStringList necesarios = c.campos;
        if (c.agregado != Agregado::Ninguno) necesarios << c.campoAgregado;
        if (const auto p = proyectar(jet, necesarios)) {
            // A field the engine cannot place (an ambiguous plain name, a table written under
            // an alias) is found the long way, among all the columns.
            try {
                bd.prepararJet(*p);
                jet = *p;
            } catch (const DbError&) {
            }
        }
    }
    d_->leer(bd, jet);
}

ConsultaAgrupada ConsultaAgrupada::abrir(const QString& cadenaConexion, const QString& comando,
                                         Hijos hijos) {
    ComandoAgrupado::analizar(comando); // a command that cannot be parsed opens nothing
    ConexionAgrupada conexion(cadenaConexion);
    return ConsultaAgrupada(conexion.bd(), comando, hijos);
}

ConsultaAgrupada::~ConsultaAgrupada() = default;
ConsultaAgrupada::ConsultaAgrupada(ConsultaAgrupada&&) noexcept = default;
ConsultaAgrupada& ConsultaAgrupada::operator=(ConsultaAgrupada&&) noexcept = default;

const ComandoAgrupado& ConsultaAgrupada::comando() const {
    return d_->comando;
}

int ConsultaAgrupada::cantidad() const {
    return d_->filas;
}

int ConsultaAgrupada::campos() const {
    return int(d_->nombres.size());
}

QString ConsultaAgrupada::nombreCampo(int campo) const {
    return d_->nombres.value(campo);
}

int ConsultaAgrupada::indiceCampo(const QString& nombre) const {
    const QStringList& n = d_->nombres;
    const int porCampos = int(d_->comando.campos.size());
    for (int i = 0; i < porCampos; ++i)
        if (n[i].compare(nombre, Qt::CaseInsensitive) == 0) return i;
    if (n.size() > porCampos && n.last().compare(nombre, Qt::CaseInsensitive) == 0)
        return porCampos;
    for (int i = 0; i < porCampos; ++i)
        if (mismoCampo(n[i], nombre)) return i;
    return -1;
}

QVariant ConsultaAgrupada::valor(int fila, int campo) const {
    const int ancho = campos();
    if (fila < 0 || fila >= d_->filas || campo < 0 || campo >= ancho) return {};
    return d_->padres[size_t(fila * ancho + campo)];
}

QVariant ConsultaAgrupada::valor(int fila, const QString& nombre) const {
    const int c = indiceCampo(nombre);
    if (c < 0) {
        throw Error(
            u"El campo '%1' no existe en el resultado de la consulta agrupada."_s.arg(nombre),
            d_->comando.consultaHija);
    }
    return valor(fila, c);
}

bool ConsultaAgrupada::hijosLeidos() const {
    return d_->hijos;
}

int ConsultaAgrupada::columnasHijas() const {
    return d_->hijos ? int(d_->cols.size()) : 0;
}

QString ConsultaAgrupada::nombreColumnaHija(int columna) const {
    return d_->hijos && columna >= 0 && columna < columnasHijas() ? d_->cols[size_t(columna)].nombre
                                                                  : QString();
}

QString ConsultaAgrupada::tablaColumnaHija(int columna) const {
    return d_->hijos && columna >= 0 && columna < columnasHijas() ? d_->cols[size_t(columna)].tabla
                                                                  : QString();
}

int ConsultaAgrupada::indiceCampoHijo(const QString& nombre) const {
    return d_->hijos ? buscarColumna(d_->cols, nombre) : -1;
}

int ConsultaAgrupada::cantidadHijas(int fila) const {
    return int(d_->hijasDe(fila).size());
}

QVariant ConsultaAgrupada::valorHija(int fila, int hija, int columna) const {
    return d_->valorHija(fila, hija, columna);
}

QVariant ConsultaAgrupada::valorHija(int fila, int hija, const QString& nombre) const {
    const int c = indiceCampoHijo(nombre);
    if (c < 0 && d_->hijos) {
        throw Error(
            u"El campo '%1' no existe en los registros de la consulta agrupada."_s.arg(nombre),
            d_->comando.consultaHija);
    }
    return d_->valorHija(fila, hija, c);
}

} // namespace zv

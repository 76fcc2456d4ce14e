#include "data/funciones.h"
#include "data/dialecto.h"
#include "data/regional.h"
#include "data/sqlite/motorsqlite.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace zv::motorsqlite {

namespace {

int colacion(void*, int n1, const void* p1, int n2, const void* p2) {
    return sql::compararUtf8(n1, static_cast<const unsigned char*>(p1), n2,
                             static_cast<const unsigned char*>(p2));
}

// ---------------------------------------------------------------------------------------------
// Functions.

QString texto(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(p, sqlite3_value_bytes(v));
}

void devolverTexto(sqlite3_context* ctx, const QString& s) {
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

bool algunoNulo(int argc, sqlite3_value** argv) {
    for (int k = 0; k < argc; ++k)
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL) return true;
    return false;
}

// INSTR(start, text, sought): 1-based position of sought in text from start, 0 when absent;
// letter case is ignored as in every text comparison of the engine.
void fInstr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (algunoNulo(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 inicio = sqlite3_value_int64(argv[0]);
    if (inicio < 1) {
        sqlite3_result_error(ctx, "INSTR: la posición inicial debe ser 1 o mayor", -1);
        return;
    }
    const auto* h = sqlite3_value_text(argv[1]);
    const int nh = sqlite3_value_bytes(argv[1]);
    const auto* a = sqlite3_value_text(argv[2]);
    const int na = sqlite3_value_bytes(argv[2]);
    bool ascii = true;
    for (int k = 0; k < nh && ascii; ++k)
        ascii = h[k] < 0x80;
    for (int k = 0; k < na && ascii; ++k)
        ascii = a[k] < 0x80;
    if (ascii) {
        auto bajar = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
        if (na == 0) {
            sqlite3_result_int64(ctx, inicio <= nh + 1 ? inicio : 0);
            return;
        }
        for (qint64 k = inicio - 1; k + na <= nh; ++k) {
            int j = 0;
            while (j < na && bajar(h[k + j]) == bajar(a[j]))
                ++j;
            if (j == na) {
                sqlite3_result_int64(ctx, k + 1);
                return;
            }
        }
        sqlite3_result_int64(ctx, 0);
        return;
    }
    const QString sh = texto(argv[1]);
    const QString sa = texto(argv[2]);
    const qsizetype pos = sh.indexOf(sa, inicio - 1, Qt::CaseInsensitive);
    sqlite3_result_int64(ctx, pos < 0 ? 0 : pos + 1);
}

// CSTR: the regional text of a date, a time or a number.
QString cstr(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return Regional::numero(sqlite3_value_double(v));
    default: {
        const QString s = texto(v);
        if (s.size() == 10) {
            if (auto d = Regional::desdeIsoFecha(s)) return Regional::fechaCorta(*d);
        } else if (s.size() == 8) {
            if (auto t = Regional::desdeIsoHora(s)) return Regional::horaLarga(*t);
        } else if (s.size() == 19 && s.at(10) == u' ') {
            auto d = Regional::desdeIsoFecha(s.left(10));
            auto t = Regional::desdeIsoHora(s.mid(11));
            if (d && t) return Regional::fechaCorta(*d) + u' ' + Regional::horaLarga(*t);
        }
        return s;
    }
    }
}

void fCstr(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    devolverTexto(ctx, cstr(argv[0]));
}

void fFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (argc < 2 || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        devolverTexto(ctx, cstr(argv[0]));
        return;
    }
    QVariant valor;
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
        valor = sqlite3_value_int64(argv[0]);
        break;
    case SQLITE_FLOAT:
        valor = sqlite3_value_double(argv[0]);
        break;
    default:
        valor = texto(argv[0]);
        break;
    }
    devolverTexto(ctx, Regional::formatear(valor, texto(argv[1])));
}

std::optional<QDate> fechaDe(sqlite3_value* v) {
    if (sqlite3_value_type(v) != SQLITE_TEXT) return std::nullopt;
    return Regional::desdeIsoFecha(texto(v).left(10));
}

template <int Parte> void fParteFecha(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto d = fechaDe(argv[0]);
    if (!d) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(ctx, Parte == 0 ? d->day() : Parte == 1 ? d->month() : d->year());
}

void fUcase(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    devolverTexto(ctx, texto(argv[0]).toUpper());
}

void fLcase(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    devolverTexto(ctx, texto(argv[0]).toLower());
}

void fLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, texto(argv[0]).size());
}

} // namespace

void registrarFunciones(sqlite3* db) {
    sqlite3_create_collation(db, sql::kColacion, SQLITE_UTF8, nullptr, colacion);
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "INSTR", 3, det, nullptr, fInstr, nullptr, nullptr);
    sqlite3_create_function(db, "CSTR", 1, SQLITE_UTF8, nullptr, fCstr, nullptr, nullptr);
    sqlite3_create_function(db, "FORMAT", 1, SQLITE_UTF8, nullptr, fFormat, nullptr, nullptr);
    sqlite3_create_function(db, "FORMAT", 2, SQLITE_UTF8, nullptr, fFormat, nullptr, nullptr);
    sqlite3_create_function(db, "DAY", 1, det, nullptr, fParteFecha<0>, nullptr, nullptr);
    sqlite3_create_function(db, "MONTH", 1, det, nullptr, fParteFecha<1>, nullptr, nullptr);
    sqlite3_create_function(db, "YEAR", 1, det, nullptr, fParteFecha<2>, nullptr, nullptr);
    sqlite3_create_function(db, "UCASE", 1, det, nullptr, fUcase, nullptr, nullptr);
    sqlite3_create_function(db, "LCASE", 1, det, nullptr, fLcase, nullptr, nullptr);
    sqlite3_create_function(db, "LEN", 1, det, nullptr, fLen, nullptr, nullptr);
}

} // namespace zv::motorsqlite

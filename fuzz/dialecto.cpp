// The Jet dialect: any text is taken apart into tokens that give it back unchanged, and a
// statement that translates keeps its words and symbols; only its date literals become texts,
// and its text literals gain the program's collation.
#include "data/dialecto.h"
#include "apoyo.h"
#include "data/dberror.h"

using namespace Qt::StringLiterals;
using namespace zv;
using sql::Tok;

namespace {

// The tokens without blanks and comments; `junto` tells whether one came right after the one
// before it, with nothing in between.
struct Pieza {
    sql::Token k;
    bool junto;
};

std::vector<Pieza> sinBlancos(const QString& s) {
    std::vector<Pieza> out;
    bool junto = false;
    for (sql::Token& k : sql::tokenizar(s)) {
        if (k.tipo == Tok::Espacio || k.tipo == Tok::Comentario) {
            junto = false;
            continue;
        }
        out.push_back({std::move(k), junto});
        junto = true;
    }
    return out;
}

bool esPalabra(const sql::Token& k, const QString& p) {
    return k.tipo == Tok::Ident && k.texto.compare(p, Qt::CaseInsensitive) == 0;
}

QString describir(const std::vector<Pieza>& t) {
    QStringList l;
    for (const Pieza& p : t)
        l << u"%1:%2"_s.arg(int(p.k.tipo)).arg(p.k.texto);
    return l.join(u" | "_s);
}

void comprobarTraduccion(const QString& jet, const QString& traducida) {
    std::vector<Pieza> entrada = sinBlancos(jet);
    const std::vector<Pieza> salida = sinBlancos(traducida);
    // A bare table name stands for the whole table.
    if (entrada.size() == 1 && !esPalabra(entrada[0].k, u"SELECT"_s) &&
        (entrada[0].k.tipo == Tok::Ident || entrada[0].k.tipo == Tok::IdentCitado))
        entrada = sinBlancos(u"SELECT * FROM "_s + entrada[0].k.texto);
    const auto detalle = [&] { return jet + u"\n=> "_s + traducida + u"\n"_s + describir(salida); };
    size_t j = 0;
    auto siguiente = [&]() -> const sql::Token& {
        ZV_EXIGIR(j < salida.size(), detalle());
        return salida[j++].k;
    };
    auto colacion = [&] {
        ZV_EXIGIR(esPalabra(siguiente(), u"COLLATE"_s), detalle());
        ZV_EXIGIR(esPalabra(siguiente(), QLatin1String(sql::kColacion)), detalle());
    };
    for (size_t i = 0; i < entrada.size(); ++i) {
        const sql::Token& k = entrada[i].k;
        const sql::Token& o = siguiente();
        if (k.tipo == Tok::Fecha) {
            ZV_EXIGIR(o.tipo == Tok::Cadena && o.cerrado, detalle());
            colacion();
            continue;
        }
        ZV_EXIGIR(o.tipo == k.tipo && o.texto == k.texto && o.cerrado == k.cerrado, detalle());
        // A parameter is numbered: "?" and "?N" both come out as "?N".
        if (k.tipo == Tok::Simbolo && k.texto == u"?") {
            ZV_EXIGIR(siguiente().tipo == Tok::Numero, detalle());
            if (i + 1 < entrada.size() && entrada[i + 1].junto &&
                entrada[i + 1].k.tipo == Tok::Numero && entrada[i + 1].k.texto.toInt() > 0)
                ++i;
            continue;
        }
        const bool yaTiene = i + 1 < entrada.size() && esPalabra(entrada[i + 1].k, u"COLLATE"_s);
        if (k.tipo == Tok::Cadena && k.cerrado && !yaTiene) colacion();
    }
    ZV_EXIGIR(j == salida.size(), detalle());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::preparar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    const QString s = fuzz::texto(datos, n);
    QString junto;
    for (const sql::Token& k : sql::tokenizar(s)) {
        ZV_EXIGIR(!k.texto.isEmpty(), s);
        junto += k.texto;
    }
    ZV_EXIGIR(junto == s, s + u"\n=> "_s + junto);

    try {
        comprobarTraduccion(s, sql::traducir(s).sql);
    } catch (const Error&) {
    }
    try {
        const sql::Traduccion t = sql::traducir(s, true);
        ZV_EXIGIR(t.tablasConRowid.size() == t.aliasConRowid.size(), s);
        ZV_EXIGIR(t.tablasConRowid.isEmpty() || t.esSelect, s);
    } catch (const Error&) {
    }
    return 0;
}

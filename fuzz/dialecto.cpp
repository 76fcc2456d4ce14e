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

std::vector<sql::Token> sinBlancos(const QString& s) {
    std::vector<sql::Token> out;
    for (sql::Token& k : sql::tokenizar(s))
        if (k.tipo != Tok::Espacio && k.tipo != Tok::Comentario) out.push_back(std::move(k));
    return out;
}

bool esPalabra(const sql::Token& k, const QString& p) {
    return k.tipo == Tok::Ident && k.texto.compare(p, Qt::CaseInsensitive) == 0;
}

QString describir(const std::vector<sql::Token>& t) {
    QStringList l;
    for (const sql::Token& k : t)
        l << u"%1:%2"_s.arg(int(k.tipo)).arg(k.texto);
    return l.join(u" | "_s);
}

void comprobarTraduccion(const QString& jet, const QString& traducida) {
    std::vector<sql::Token> entrada = sinBlancos(jet);
    const std::vector<sql::Token> salida = sinBlancos(traducida);
    // A bare table name stands for the whole table.
    if (entrada.size() == 1 && !esPalabra(entrada[0], u"SELECT"_s) &&
        (entrada[0].tipo == Tok::Ident || entrada[0].tipo == Tok::IdentCitado))
        entrada = sinBlancos(u"SELECT * FROM "_s + entrada[0].texto);
    const auto detalle = [&] { return jet + u"\n=> "_s + traducida + u"\n"_s + describir(salida); };
    size_t j = 0;
    auto siguiente = [&]() -> const sql::Token& {
        ZV_EXIGIR(j < salida.size(), detalle());
        return salida[j++];
    };
    auto colacion = [&] {
        ZV_EXIGIR(esPalabra(siguiente(), u"COLLATE"_s), detalle());
        ZV_EXIGIR(esPalabra(siguiente(), QLatin1String(sql::kColacion)), detalle());
    };
    for (size_t i = 0; i < entrada.size(); ++i) {
        const sql::Token& k = entrada[i];
        const sql::Token& o = siguiente();
        if (k.tipo == Tok::Fecha) {
            ZV_EXIGIR(o.tipo == Tok::Cadena && o.cerrado, detalle());
            colacion();
            continue;
        }
        ZV_EXIGIR(o.tipo == k.tipo && o.texto == k.texto && o.cerrado == k.cerrado, detalle());
        const bool yaTiene = i + 1 < entrada.size() && esPalabra(entrada[i + 1], u"COLLATE"_s);
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

// Splicing user text: whatever the text, the statement keeps the shape it has with a harmless
// text in the same place. The text goes into the literal the prefix leaves open (a text between
// quotes, a date between #) or stands as one number; it never adds, removes or merges words,
// symbols, literals or comments around it.
#include "apoyo.h"
#include "data/dberror.h"
#include "data/dialecto.h"

using namespace Qt::StringLiterals;
using namespace zv;
using sql::Tok;

namespace {

// The shape of a statement: its tokens without blanks; literals count by kind, the rest by text.
QStringList forma(const QString& s) {
    QStringList out;
    for (const sql::Token& k : sql::tokenizar(s)) {
        switch (k.tipo) {
        case Tok::Espacio:
            break;
        case Tok::Cadena:
        case Tok::Fecha:
        case Tok::Numero:
        case Tok::Comentario:
            out << u"<%1%2>"_s.arg(int(k.tipo)).arg(k.cerrado ? u""_s : u" abierto"_s);
            break;
        default:
            out << u"%1:%2"_s.arg(int(k.tipo)).arg(k.texto);
            break;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::preparar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    const QStringList p = fuzz::partes(fuzz::texto(datos, n), 3);
    const QString& prefijo = p[0];
    const QString& texto = p[1];
    const QString& sufijo = p[2];

    // Where the text goes, as the statement is read.
    const std::vector<sql::Token> t = sql::tokenizar(prefijo);
    const sql::Token* abierto =
        !t.empty() && (!t.back().cerrado || t.back().tipo == Tok::Comentario) ? &t.back() : nullptr;
    QString inocuo = u"0"_s;
    if (abierto && abierto->tipo == Tok::Cadena)
        inocuo = u"x"_s;
    else if (abierto && abierto->tipo == Tok::Fecha)
        inocuo = u"1/1/2000"_s;
    else if (texto.trimmed().startsWith(u'-'))
        inocuo = u"-0"_s;

    QString resultado;
    try {
        resultado = sql::empalmar(prefijo, texto, sufijo);
    } catch (const Error&) {
        return 0;
    }
    // Inside a quoted name or a comment nothing may be spliced.
    ZV_EXIGIR(!abierto || abierto->tipo == Tok::Cadena || abierto->tipo == Tok::Fecha, resultado);
    const QString modelo = sql::empalmar(prefijo, inocuo, sufijo);
    const auto detalle = [&] {
        return u"prefijo «%1» texto «%2» sufijo «%3»\n=> %4\nmodelo %5\n%6\n%7"_s.arg(
            prefijo, texto, sufijo, resultado, modelo, forma(resultado).join(u' '),
            forma(modelo).join(u' '));
    };
    ZV_EXIGIR(forma(resultado) == forma(modelo), detalle());
    // The prefix and the suffix are kept as written.
    ZV_EXIGIR(resultado.startsWith(prefijo) && resultado.endsWith(sufijo), detalle());
    // And so is the text: its quotes doubled between quotes, as it is elsewhere.
    if (abierto && abierto->tipo == Tok::Cadena) {
        const QString dentro =
            resultado.mid(prefijo.size(), resultado.size() - prefijo.size() - sufijo.size());
        ZV_EXIGIR(QString(dentro).replace(u"''"_s, u"'"_s) == texto, detalle());
    }
    return 0;
}

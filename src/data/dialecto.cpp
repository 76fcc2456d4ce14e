#include "data/dialecto.h"

#include "data/dberror.h"
#include "data/motor.h"
#include "data/regional.h"
#include "data/sqlite/motorsqlite.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zv::sql {

namespace {

bool esInicioIdent(QChar c) {
    return c.isLetter() || c == u'_' || c == u'$';
}
bool esIdent(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

} // namespace

std::vector<Token> tokenizar(const QString& s) {
    std::vector<Token> out;
    const int n = int(s.size());
    int i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        const int inicio = i;
        if (c.isSpace()) {
            while (i < n && s.at(i).isSpace())
                ++i;
            out.push_back({Tok::Espacio, s.mid(inicio, i - inicio)});
        } else if (c == u'-' && i + 1 < n && s.at(i + 1) == u'-') {
            while (i < n && s.at(i) != u'\n')
                ++i;
            out.push_back({Tok::Comentario, s.mid(inicio, i - inicio)});
        } else if (c == u'/' && i + 1 < n && s.at(i + 1) == u'*') {
            const qsizetype fin = s.indexOf(u"*/"_s, i + 2);
            const bool cerrado = fin >= 0;
            i = cerrado ? int(fin) + 2 : n;
            out.push_back({Tok::Comentario, s.mid(inicio, i - inicio), cerrado});
        } else if (c == u'\'') {
            ++i;
            bool cerrado = false;
            while (i < n) {
                if (s.at(i) == u'\'') {
                    if (i + 1 < n && s.at(i + 1) == u'\'') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    cerrado = true;
                    break;
                }
                ++i;
            }
            out.push_back({Tok::Cadena, s.mid(inicio, i - inicio), cerrado});
        } else if (c == u'#') {
            ++i;
            while (i < n && s.at(i) != u'#')
                ++i;
            const bool cerrado = i < n;
            if (cerrado) ++i;
            out.push_back({Tok::Fecha, s.mid(inicio, i - inicio), cerrado});
        } else if (c == u'[' || c == u'"' || c == u'`') {
            const QChar fin = c == u'[' ? u']' : c;
            ++i;
            while (i < n && s.at(i) != fin)
                ++i;
            const bool cerrado = i < n;
            if (cerrado) ++i;
            out.push_back({Tok::IdentCitado, s.mid(inicio, i - inicio), cerrado});
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && s.at(i + 1).isDigit())) {
            while (i < n && (s.at(i).isDigit() || s.at(i) == u'.'))
                ++i;
            if (i < n && (s.at(i) == u'e' || s.at(i) == u'E')) {
                int j = i + 1;
                if (j < n && (s.at(j) == u'+' || s.at(j) == u'-')) ++j;
                if (j < n && s.at(j).isDigit()) {
                    i = j;
                    while (i < n && s.at(i).isDigit())
                        ++i;
                }
            }
            out.push_back({Tok::Numero, s.mid(inicio, i - inicio)});
        } else if (esInicioIdent(c)) {
            while (i < n && esIdent(s.at(i)))
                ++i;
            out.push_back({Tok::Ident, s.mid(inicio, i - inicio)});
        } else {
            // two-character operators
            if (i + 1 < n) {
                const QString dos = s.mid(i, 2);
                if (dos == u"<>"_s || dos == u"<="_s || dos == u">="_s || dos == u"!="_s ||
                    dos == u"||"_s || dos == u"=="_s) {
                    i += 2;
                    out.push_back({Tok::Simbolo, dos});
                    continue;
                }
            }
            ++i;
            out.push_back({Tok::Simbolo, QString(c)});
        }
    }
    return out;
}

namespace {

bool es(const Token& t, const char16_t* palabra) {
    return t.tipo == Tok::Ident &&
           t.texto.compare(QString::fromUtf16(palabra), Qt::CaseInsensitive) == 0;
}

QString literalFecha(const Token& t, const DialectoMotor& salida) {
    const QString dentro = t.texto.mid(1, t.texto.size() - (t.cerrado ? 2 : 1));
    if (!t.cerrado) {
        throw DbError(u"Error de sintaxis en la fecha %1."_s.arg(t.texto),
                      u"unterminated date literal"_s, Fallo::Sintaxis);
    }
    // "#3/15/2026#" or "#3/15/2026 10:30:00#"
    QString parteFecha = dentro.trimmed();
    QString parteHora;
    const int espacio = parteFecha.indexOf(u' ');
    if (espacio > 0) {
        parteHora = parteFecha.mid(espacio + 1).trimmed();
        parteFecha = parteFecha.left(espacio);
    }
    auto fecha = Regional::leerFechaMDY(parteFecha);
    if (!fecha) {
        throw DbError(u"Error de sintaxis en la fecha %1: no es una fecha válida."_s.arg(t.texto),
                      u"invalid date literal"_s, Fallo::Sintaxis);
    }
    QString iso = Regional::fechaIso(*fecha);
    if (!parteHora.isEmpty()) {
        auto hora = Regional::leerHora(parteHora);
        if (!hora) {
            throw DbError(u"Error de sintaxis en la fecha %1: la hora no es válida."_s.arg(t.texto),
                          u"invalid time in date literal"_s, Fallo::Sintaxis);
        }
        iso += u' ' + Regional::horaIso(*hora);
    }
    return salida.literalFecha(iso);
}

// Index of the next token that is not white space or a comment, from i on; -1 at the end.
int siguiente(const std::vector<Token>& t, int i) {
    while (i < int(t.size()) && (t[i].tipo == Tok::Espacio || t[i].tipo == Tok::Comentario))
        ++i;
    return i < int(t.size()) ? i : -1;
}

QString sinCitar(const QString& nombre) {
    if (nombre.size() >= 2 &&
        (nombre.front() == u'[' || nombre.front() == u'"' || nombre.front() == u'`'))
        return nombre.mid(1, nombre.size() - 2);
    return nombre;
}

// For a simple "SELECT list FROM t1 [a1], t2 [a2] [WHERE ...]" finds the FROM list.
// Returns false when the statement is anything more complex.
bool tablasDelFrom(const std::vector<Token>& t, int& posSelect, QStringList& tablas,
                   QStringList& alias) {
    posSelect = siguiente(t, 0);
    if (posSelect < 0 || !es(t[posSelect], u"SELECT")) return false;
    int profundidad = 0;
    int posFrom = -1;
    for (int i = posSelect + 1; i < int(t.size()); ++i) {
        const Token& k = t[i];
        if (k.tipo == Tok::Simbolo && k.texto == u"(")
            ++profundidad;
        else if (k.tipo == Tok::Simbolo && k.texto == u")")
            --profundidad;
        else if (profundidad == 0 && k.tipo == Tok::Ident) {
            if (es(k, u"DISTINCT") || es(k, u"UNION") || es(k, u"GROUP") || es(k, u"JOIN") ||
                es(k, u"INTERSECT") || es(k, u"EXCEPT"))
                return false;
            if (es(k, u"FROM") && posFrom < 0) posFrom = i;
        } else if (profundidad > 0 && es(k, u"SELECT")) {
            return false;
        }
    }
    if (posFrom < 0) return false;
    int i = siguiente(t, posFrom + 1);
    while (i >= 0) {
        if (t[i].tipo != Tok::Ident && t[i].tipo != Tok::IdentCitado) return false;
        const QString tabla = sinCitar(t[i].texto);
        QString a = tabla;
        i = siguiente(t, i + 1);
        if (i >= 0 && es(t[i], u"AS")) i = siguiente(t, i + 1);
        if (i >= 0 && (t[i].tipo == Tok::Ident || t[i].tipo == Tok::IdentCitado) &&
            !es(t[i], u"WHERE") && !es(t[i], u"ORDER") && !es(t[i], u"LIMIT") &&
            !es(t[i], u"HAVING")) {
            a = sinCitar(t[i].texto);
            i = siguiente(t, i + 1);
        }
        for (const QString& ya : tablas)
            if (ya.compare(tabla, Qt::CaseInsensitive) == 0) return false; // self-join
        tablas << tabla;
        alias << a;
        if (i < 0) break;
        if (t[i].tipo == Tok::Simbolo && t[i].texto == u",") {
            i = siguiente(t, i + 1);
            continue;
        }
        if (t[i].tipo == Tok::Simbolo && t[i].texto == u";") break;
        if (es(t[i], u"WHERE") || es(t[i], u"ORDER") || es(t[i], u"LIMIT")) break;
        return false;
    }
    return !tablas.isEmpty();
}

// The number of arguments of the call whose "(" is at t[abre]; -1 when it is not closed.
int argumentos(const std::vector<Token>& t, int abre) {
    int profundidad = 0;
    int comas = 0;
    bool algo = false;
    for (int i = abre; i < int(t.size()); ++i) {
        const Token& k = t[i];
        if (k.tipo == Tok::Simbolo && k.texto == u"(") {
            if (profundidad++ > 0) algo = true;
        } else if (k.tipo == Tok::Simbolo && k.texto == u")") {
            if (--profundidad == 0) return algo ? comas + 1 : 0;
            algo = true;
        } else if (profundidad == 1 && k.tipo == Tok::Simbolo && k.texto == u",") {
            ++comas;
        } else if (k.tipo != Tok::Espacio) {
            algo = true;
        }
    }
    return -1;
}

} // namespace

Traduccion traducir(const QString& jet, bool conRowids) {
    return traducir(jet, motorsqlite::dialecto(), conRowids);
}

Traduccion traducir(const QString& jet, const DialectoMotor& salida, bool conRowids) {
    std::vector<Token> t = tokenizar(jet);
    Traduccion r;
    const int primero = siguiente(t, 0);
    // A bare table name is a record source over the whole table.
    if (primero >= 0 && (t[primero].tipo == Tok::Ident || t[primero].tipo == Tok::IdentCitado) &&
        siguiente(t, primero + 1) < 0 && !es(t[primero], u"SELECT")) {
        t = tokenizar(u"SELECT * FROM "_s + t[primero].texto);
    }
    const int inicio = siguiente(t, 0);
    r.esSelect = inicio >= 0 && es(t[inicio], u"SELECT");

    QString salidaSql;
    salidaSql.reserve(jet.size() + 64);
    int posSelect = -1;
    QStringList tablas, alias;
    const bool inyectar = conRowids && r.esSelect && tablasDelFrom(t, posSelect, tablas, alias);
    const QString trasCadena = salida.trasCadena();
    int parametros = 0; // the highest parameter number written so far
    // What the engine writes after a literal or a parameter must not run into a word or number
    // written right after it: Jet reads #1/1/2026#AND and 'x'OR as two words.
    auto separar = [&](int i) {
        if (i + 1 >= int(t.size()) || salidaSql.isEmpty() || !esIdent(salidaSql.back())) return;
        const QChar c = t[i + 1].texto.front();
        if (esIdent(c) || c == u'.') salidaSql += u' ';
    };
    for (int i = 0; i < int(t.size()); ++i) {
        const Token& k = t[i];
        switch (k.tipo) {
        case Tok::Fecha:
            salidaSql += literalFecha(k, salida);
            separar(i);
            break;
        case Tok::Cadena: {
            salidaSql += k.texto;
            const int sig = siguiente(t, i + 1);
            if (k.cerrado && !(sig >= 0 && es(t[sig], u"COLLATE"))) {
                salidaSql += trasCadena;
                separar(i);
            }
            break;
        }
        case Tok::Ident: {
            const int sig = siguiente(t, i + 1);
            if (sig >= 0 && t[sig].tipo == Tok::Simbolo && t[sig].texto == u"(") {
                const int n = argumentos(t, sig);
                salidaSql += n >= 0 ? salida.funcion(k.texto, n) : k.texto;
            } else {
                salidaSql += k.texto;
            }
            break;
        }
        case Tok::Simbolo:
            if (k.texto == u"?") {
                // "?N" names its parameter; a bare "?" takes the next number.
                int n = 0;
                if (i + 1 < int(t.size()) && t[i + 1].tipo == Tok::Numero) {
                    bool ok = false;
                    n = t[i + 1].texto.toInt(&ok);
                    if (ok && n > 0)
                        ++i;
                    else
                        n = 0;
                }
                if (n == 0) n = parametros + 1;
                parametros = std::max(parametros, n);
                salidaSql += salida.parametro(n);
                separar(i); // "?0" is not parameter 10, nor "?.5" parameter 1.5
                break;
            }
            salidaSql += k.texto;
            break;
        default:
            salidaSql += k.texto;
            break;
        }
        if (inyectar && i == posSelect) {
            QStringList ocultas;
            for (int j = 0; j < alias.size(); ++j)
                ocultas << u" \"%1\".%2 AS \"~rowid%3\""_s.arg(alias[j], salida.identidad()).arg(j);
            salidaSql += ocultas.join(u',') + u',';
            r.tablasConRowid = tablas;
            r.aliasConRowid = alias;
        }
    }
    r.sql = salidaSql;
    return r;
}

QString duplicarComillas(const QString& texto) {
    QString s = texto;
    s.replace(u'\'', u"''"_s);
    return s;
}

QString literal(const QString& texto) {
    return u'\'' + duplicarComillas(texto) + u'\'';
}

namespace {

// A character that would run into a number written next to it: "x" and "5" make "x5", "1" and
// "5" make "15", "-" and "-1" start a comment.
bool seJuntaConNumero(QChar c) {
    return esIdent(c) || c == u'.' || c == u'-';
}

} // namespace

QString empalmar(const QString& prefijo, const QString& texto, const QString& sufijo) {
    // The prefix is read as the statement will be: a quote inside a quoted name or a comment
    // opens nothing.
    const std::vector<Token> t = tokenizar(prefijo);
    // A comment at the end runs on into whatever follows it, like an open quote.
    const Token* abierto =
        !t.empty() && (!t.back().cerrado || t.back().tipo == Tok::Comentario) ? &t.back() : nullptr;
    if (abierto && abierto->tipo == Tok::Cadena) return prefijo + duplicarComillas(texto) + sufijo;
    if (abierto && abierto->tipo == Tok::Fecha) {
        static const QRegularExpression fecha(u"^[0-9]{1,4}[/\\-][0-9]{1,2}[/\\-][0-9]{1,4}$"_s);
        if (!fecha.match(texto.trimmed()).hasMatch() || !Regional::leerFechaMDY(texto))
            throw Error(u"«%1» no es una fecha válida."_s.arg(texto));
        return prefijo + texto.trimmed() + sufijo;
    }
    static const QRegularExpression numero(u"^-?[0-9]+(\\.[0-9]+)?$"_s);
    if (abierto || !numero.match(texto.trimmed()).hasMatch())
        throw Error(u"«%1» no es un número válido."_s.arg(texto));
    QString n = texto.trimmed();
    if (!prefijo.isEmpty() && seJuntaConNumero(prefijo.back())) n.prepend(u' ');
    if (!sufijo.isEmpty() && seJuntaConNumero(sufijo.front())) n.append(u' ');
    return prefijo + n + sufijo;
}

} // namespace zv::sql

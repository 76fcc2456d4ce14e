#include "data/dialecto.h"

#include "data/dberror.h"
#include "data/esquema.h"
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

// True when a name stands for a text field of the schema: "EmpCiudad", "EMPRESAS.EmpCiudad", or
// a field so named under a table's alias.
bool esCampoDeTexto(const QString& tabla, const QString& campo) {
    auto deTexto = [&campo](const Tabla& t) {
        for (const Campo& c : t.campos)
            if (campo.compare(QLatin1String(c.nombre), Qt::CaseInsensitive) == 0)
                return c.tipo == TipoCampo::Texto || c.tipo == TipoCampo::Libre;
        return false;
    };
    if (const Tabla* t = tabla.isEmpty() ? nullptr : esquema::tabla(tabla)) return deTexto(*t);
    for (const Tabla& t : esquema::tablas())
        if (deTexto(t)) return true;
    return false;
}

// The outermost ORDER BY of a SELECT, taken apart.
struct Orden {
    struct Termino {
        int inicio = 0;       // its first token
        int finExpresion = 0; // where ASC, DESC or NULLS begin
        int fin = 0;          // the token after it
        bool texto = false;   // it names a text field of the schema
        QString tabla;        // the table or alias before the field, as written
        QString campo;        // the field it names alone, if that is all it is
        bool descendente = false;
        bool nulos = false; // it says where null values go
    };
    int inicio = -1; // the first token of the first term; -1 when there is no ORDER BY
    int fin = 0;     // the token after the order (LIMIT, OFFSET, ';'), or where one would go
    std::vector<Termino> terminos;
    bool distinto = false;  // SELECT DISTINCT
    bool compuesto = false; // UNION, INTERSECT, EXCEPT
    bool agregado = false;  // an aggregate or GROUP BY: one row stands for many
};

Orden ordenDe(const std::vector<Token>& t) {
    Orden o;
    const int n = int(t.size());
    o.fin = n;
    int profundidad = 0;
    int posSelect = -1;
    bool enLista = false; // between the outermost SELECT and its FROM
    int ultimoOrden = -1;
    for (int i = 0; i < n; ++i) {
        const Token& k = t[i];
        if (k.tipo == Tok::Simbolo && k.texto == u"(") {
            ++profundidad;
            continue;
        }
        if (k.tipo == Tok::Simbolo && k.texto == u")") {
            --profundidad;
            continue;
        }
        if (profundidad != 0) continue;
        if (k.tipo == Tok::Ident) {
            if (posSelect < 0 && es(k, u"SELECT")) {
                posSelect = i;
                enLista = true;
                const int sig = siguiente(t, i + 1);
                o.distinto = sig >= 0 && es(t[sig], u"DISTINCT");
            } else if (es(k, u"FROM")) {
                enLista = false;
            } else if (es(k, u"UNION") || es(k, u"INTERSECT") || es(k, u"EXCEPT")) {
                o.compuesto = true;
            } else if (es(k, u"GROUP") || es(k, u"HAVING")) {
                o.agregado = true;
            } else if (enLista &&
                       (es(k, u"COUNT") || es(k, u"SUM") || es(k, u"MIN") || es(k, u"MAX") ||
                        es(k, u"AVG") || es(k, u"TOTAL") || es(k, u"GROUP_CONCAT") ||
                        es(k, u"STRING_AGG") || es(k, u"ARRAY_AGG"))) {
                const int sig = siguiente(t, i + 1);
                if (sig >= 0 && t[sig].texto == u"(") o.agregado = true;
            } else if (es(k, u"ORDER")) {
                const int sig = siguiente(t, i + 1);
                if (sig >= 0 && es(t[sig], u"BY")) ultimoOrden = siguiente(t, sig + 1);
            }
        }
    }
    // Where the order ends: the first LIMIT, OFFSET or ';' after it, outside parentheses.
    profundidad = 0;
    for (int i = std::max(ultimoOrden, posSelect < 0 ? 0 : posSelect); i >= 0 && i < n; ++i) {
        const Token& k = t[i];
        if (k.tipo == Tok::Simbolo && k.texto == u"(") ++profundidad;
        if (k.tipo == Tok::Simbolo && k.texto == u")") --profundidad;
        if (profundidad == 0 && (es(k, u"LIMIT") || es(k, u"OFFSET") || es(k, u"FETCH") ||
                                 (k.tipo == Tok::Simbolo && k.texto == u";"))) {
            o.fin = i;
            break;
        }
    }
    if (ultimoOrden < 0 || ultimoOrden >= o.fin) return o;
    o.inicio = ultimoOrden;
    // The terms, between commas outside parentheses.
    int desde = ultimoOrden;
    profundidad = 0;
    for (int i = ultimoOrden; i <= o.fin; ++i) {
        if (i < o.fin) {
            const Token& k = t[i];
            if (k.tipo == Tok::Simbolo && k.texto == u"(") ++profundidad;
            if (k.tipo == Tok::Simbolo && k.texto == u")") --profundidad;
            if (!(profundidad == 0 && k.tipo == Tok::Simbolo && k.texto == u",")) continue;
        }
        Orden::Termino tr;
        tr.inicio = desde;
        tr.fin = i;
        // ASC, DESC and NULLS FIRST/LAST at its end.
        std::vector<int> palabras;
        for (int j = desde; j < i; ++j)
            if (t[j].tipo != Tok::Espacio) palabras.push_back(j);
        int cola = int(palabras.size());
        if (cola >= 2 && es(t[palabras[cola - 2]], u"NULLS")) {
            tr.nulos = true;
            cola -= 2;
        }
        if (cola >= 1 &&
            (es(t[palabras[cola - 1]], u"ASC") || es(t[palabras[cola - 1]], u"DESC"))) {
            tr.descendente = es(t[palabras[cola - 1]], u"DESC");
            --cola;
        }
        tr.finExpresion = cola < int(palabras.size()) ? palabras[cola] : i;
        // A field named alone, or after its table.
        auto nombre = [&](int j) {
            return t[j].tipo == Tok::Ident || t[j].tipo == Tok::IdentCitado;
        };
        if (cola == 1 && nombre(palabras[0])) {
            tr.campo = sinCitar(t[palabras[0]].texto);
        } else if (cola == 3 && nombre(palabras[0]) && t[palabras[1]].texto == u"." &&
                   nombre(palabras[2])) {
            tr.tabla = sinCitar(t[palabras[0]].texto);
            tr.campo = sinCitar(t[palabras[2]].texto);
        }
        if (!tr.campo.isEmpty()) tr.texto = esCampoDeTexto(tr.tabla, tr.campo);
        if (cola > 0) o.terminos.push_back(tr);
        desde = i + 1;
    }
    if (o.terminos.empty()) o.inicio = -1;
    return o;
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
    const int n = int(t.size());
    const int inicio = siguiente(t, 0);
    r.esSelect = inicio >= 0 && es(t[inicio], u"SELECT");

    int posSelect = -1;
    QStringList tablas, alias;
    const bool simple = r.esSelect && tablasDelFrom(t, posSelect, tablas, alias);
    const bool inyectar = conRowids && simple;
    if (inyectar) {
        r.tablasConRowid = tablas;
        r.aliasConRowid = alias;
    }
    const QString trasCadena = salida.trasCadena();
    const QString como = salida.como();
    // Subqueries in FROM without a name, where the engine needs one: the ")" that closes them.
    std::vector<int> sinAlias;
    if (!salida.aliasSubconsulta(1).isEmpty()) {
        for (int i = 0; i < n; ++i) {
            if (!(t[i].tipo == Tok::Simbolo && t[i].texto == u"(")) continue;
            int ant = i - 1;
            while (ant >= 0 && t[ant].tipo == Tok::Espacio)
                --ant;
            const int sig = siguiente(t, i + 1);
            if (ant < 0 || !(es(t[ant], u"FROM") || es(t[ant], u"JOIN")) || sig < 0 ||
                !es(t[sig], u"SELECT"))
                continue;
            int profundidad = 0;
            int cierre = -1;
            for (int j = i; j < n && cierre < 0; ++j) {
                if (t[j].tipo == Tok::Simbolo && t[j].texto == u"(") ++profundidad;
                if (t[j].tipo == Tok::Simbolo && t[j].texto == u")" && --profundidad == 0)
                    cierre = j;
            }
            if (cierre < 0) continue;
            const int tras = siguiente(t, cierre + 1);
            const bool nombrada =
                tras >= 0 &&
                (t[tras].tipo == Tok::IdentCitado ||
                 (t[tras].tipo == Tok::Ident &&
                  !(es(t[tras], u"WHERE") || es(t[tras], u"ORDER") || es(t[tras], u"GROUP") ||
                    es(t[tras], u"HAVING") || es(t[tras], u"LIMIT") || es(t[tras], u"UNION") ||
                    es(t[tras], u"JOIN") || es(t[tras], u"INNER") || es(t[tras], u"LEFT") ||
                    es(t[tras], u"RIGHT") || es(t[tras], u"CROSS") || es(t[tras], u"ON") ||
                    es(t[tras], u"EXCEPT") || es(t[tras], u"INTERSECT"))));
            if (!nombrada) sinAlias.push_back(cierre);
        }
    }
    int parametros = 0;      // the highest parameter number written so far
    bool patronComo = false; // the next term is the pattern of a rewritten LIKE

    // Writes tokens [a, b) in the engine's words.
    auto escribir = [&](int a, int b) {
        QString out;
        // What the engine writes after a literal or a parameter must not run into a word or number
        // written right after it: Jet reads #1/1/2026#AND and 'x'OR as two words.
        auto separar = [&](int i) {
            if (i + 1 >= n || out.isEmpty() || !esIdent(out.back())) return;
            const QChar c = t[i + 1].texto.front();
            if (esIdent(c) || c == u'.') out += u' ';
        };
        for (int i = a; i < b; ++i) {
            const Token& k = t[i];
            const bool esPatron = patronComo && k.tipo != Tok::Espacio;
            if (esPatron) patronComo = false;
            switch (k.tipo) {
            case Tok::Fecha:
                out += literalFecha(k, salida);
                separar(i);
                break;
            case Tok::Cadena: {
                out += k.texto;
                const int sig = siguiente(t, i + 1);
                if (k.cerrado && !esPatron && !(sig >= 0 && es(t[sig], u"COLLATE")))
                    out += trasCadena;
                if (esPatron && !(sig >= 0 && es(t[sig], u"ESCAPE")))
                    out += salida.trasPatronComo();
                if (k.cerrado && !(sig >= 0 && es(t[sig], u"COLLATE"))) separar(i);
                break;
            }
            case Tok::IdentCitado: {
                // A collation's name stays as written: it is the engine's own.
                int ant = i - 1;
                while (ant >= 0 && t[ant].tipo == Tok::Espacio)
                    --ant;
                const bool colacion = ant >= 0 && es(t[ant], u"COLLATE");
                out += k.cerrado && !colacion ? salida.nombreCitado(k.texto, sinCitar(k.texto))
                                              : k.texto;
                break;
            }
            case Tok::Ident: {
                const int sig = siguiente(t, i + 1);
                if (sig >= 0 && t[sig].tipo == Tok::Simbolo && t[sig].texto == u"(") {
                    const int args = argumentos(t, sig);
                    out += args >= 0 ? salida.funcion(k.texto, args) : k.texto;
                } else if (!como.isEmpty() && es(k, u"NOT") && sig >= 0 && es(t[sig], u"LIKE")) {
                    out += salida.antesDeComo() + u' ' + k.texto;
                } else if (!como.isEmpty() && es(k, u"LIKE")) {
                    const int ant = [&] {
                        int j = i - 1;
                        while (j >= 0 && t[j].tipo == Tok::Espacio)
                            --j;
                        return j;
                    }();
                    if (!(ant >= 0 && es(t[ant], u"NOT"))) out += salida.antesDeComo() + u' ';
                    out += como;
                    patronComo = true;
                } else {
                    out += k.texto;
                }
                break;
            }
            case Tok::Simbolo:
                if (k.texto == u"?") {
                    // "?N" names its parameter; a bare "?" takes the next number.
                    int p = 0;
                    if (i + 1 < n && t[i + 1].tipo == Tok::Numero) {
                        bool ok = false;
                        p = t[i + 1].texto.toInt(&ok);
                        if (ok && p > 0)
                            ++i;
                        else
                            p = 0;
                    }
                    if (p == 0) p = parametros + 1;
                    parametros = std::max(parametros, p);
                    out += salida.parametro(p);
                    if (esPatron) {
                        const int sig = siguiente(t, i + 1);
                        if (!(sig >= 0 && es(t[sig], u"ESCAPE"))) out += salida.trasPatronComo();
                    }
                    separar(i); // "?0" is not parameter 10, nor "?.5" parameter 1.5
                    break;
                }
                out += k.texto;
                break;
            default:
                out += k.texto;
                break;
            }
            for (size_t j = 0; j < sinAlias.size(); ++j)
                if (sinAlias[j] == i) out += u" AS "_s + salida.aliasSubconsulta(int(j) + 1);
            if (inyectar && i == posSelect) {
                QStringList ocultas;
                for (int j = 0; j < alias.size(); ++j)
                    ocultas << u" %1.%2 AS \"~rowid%3\""_s
                                   .arg(salida.nombre(alias[j]), salida.identidad())
                                   .arg(j);
                out += ocultas.join(u',') + u',';
            }
        }
        return out;
    };

    if (!salida.ordenPropio() || !r.esSelect) {
        r.sql = escribir(0, n);
        return r;
    }

    // The engine writes the outermost order its own way; simple statements also get the
    // columns that keep equal rows in the order they were added.
    const Orden orden = ordenDe(t);
    // The file reads a join from its first link table (the tables that join two others: their
    // name joins two names), then looks the others up: rows come in that table's order.
    QStringList desempates;
    if (simple && !orden.agregado) {
        for (bool vinculos : {true, false}) {
            for (int j = 0; j < tablas.size(); ++j) {
                if (tablas[j].contains(u'_') != vinculos) continue;
                const QString d = salida.desempate(tablas[j], alias[j]);
                if (!d.isEmpty()) desempates << d;
            }
        }
    }
    // A join without links is read from its first table; when an index of it starts with the
    // fields of the order, the file reads through it, and equal rows come in the order of the
    // index's further fields, then of the rows, backwards for a descending order.
    QStringList porIndice;
    if (simple && !orden.agregado && orden.inicio >= 0) {
        const Tabla* primera = esquema::tabla(tablas[0]);
        bool sirve = primera != nullptr;
        for (const QString& tb : tablas)
            if (tb.contains(u'_')) sirve = false;
        const bool desc = orden.terminos.front().descendente;
        QStringList campos;
        for (const Orden::Termino& tr : orden.terminos) {
            bool deLaPrimera = false;
            if (primera && !tr.campo.isEmpty() &&
                (tr.tabla.isEmpty() || tr.tabla.compare(tablas[0], Qt::CaseInsensitive) == 0 ||
                 tr.tabla.compare(alias[0], Qt::CaseInsensitive) == 0))
                esquema::tipo(tablas[0], tr.campo, &deLaPrimera);
            if (!deLaPrimera || tr.descendente != desc || tr.nulos) sirve = false;
            campos << tr.campo;
        }
        for (const esquema::Indice& ix : esquema::indices()) {
            if (!sirve || ix.tabla.compare(tablas[0], Qt::CaseInsensitive) != 0) continue;
            QStringList cols = ix.columnas.split(u',');
            for (QString& c : cols)
                c = c.trimmed();
            if (cols.size() <= campos.size()) continue;
            bool prefijo = true;
            for (int k = 0; k < campos.size(); ++k)
                if (cols[k].compare(campos[k], Qt::CaseInsensitive) != 0) prefijo = false;
            if (!prefijo) continue;
            for (int k = int(campos.size()); k < cols.size(); ++k)
                porIndice << salida.terminoOrden(salida.nombre(alias[0]) + u'.' + cols[k],
                                                 desc ? u"DESC"_s : QString(),
                                                 esCampoDeTexto(tablas[0], cols[k]), desc, false,
                                                 !orden.distinto && !orden.compuesto);
            if (desc)
                for (QString& d : desempates)
                    d.replace(u", "_s, u" DESC, "_s).append(u" DESC"_s);
            break;
        }
    }
    if (orden.inicio < 0 && desempates.isEmpty()) {
        r.sql = escribir(0, n);
        return r;
    }
    QString sql;
    if (orden.inicio < 0) {
        sql = escribir(0, orden.fin).trimmed();
        sql += u" ORDER BY "_s + desempates.join(u", "_s);
        if (orden.fin < n) sql += u' ';
    } else {
        sql = escribir(0, orden.inicio);
        QStringList terminos;
        for (const Orden::Termino& tr : orden.terminos) {
            const QString expr = escribir(tr.inicio, tr.finExpresion).trimmed();
            const QString sufijo = escribir(tr.finExpresion, tr.fin).trimmed();
            terminos << salida.terminoOrden(expr, sufijo, tr.texto, tr.descendente, tr.nulos,
                                            !orden.distinto && !orden.compuesto);
        }
        terminos += porIndice;
        terminos += desempates;
        sql += terminos.join(u", "_s);
        if (orden.fin < n) sql += u' ';
    }
    // What follows the order (LIMIT, a closing semicolon) as written.
    int resto = orden.fin;
    while (resto < n && t[resto].tipo == Tok::Espacio)
        ++resto;
    sql += escribir(resto, n);
    r.sql = sql;
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

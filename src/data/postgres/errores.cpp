// The server's failures in the user's words. The kind of failure comes from the SQLSTATE; the
// description names fields in the schema's spelling ("CalFueAvisado", not "calfueavisado").
#include "data/dialecto.h"
#include "data/esquema.h"
#include "data/postgres/motorpostgres.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zv::motorpostgres {

namespace {

// A field or table as the schema spells it; as given when the schema does not know it.
QString comoEnEsquema(const QString& nombre) {
    if (const Tabla* t = esquema::tabla(nombre)) return QLatin1String(t->nombre);
    for (const Tabla& t : esquema::tablas())
        for (const Campo& c : t.campos)
            if (nombre.compare(QLatin1String(c.nombre), Qt::CaseInsensitive) == 0)
                return QLatin1String(c.nombre);
    return nombre;
}

// A name the server gives in small letters, as the statement or the schema wrote it.
QString comoSeEscribio(const QString& nombre, const QString& sql) {
    const QString enEsquema = comoEnEsquema(nombre);
    if (enEsquema != nombre) return enEsquema;
    for (const sql::Token& t : sql::tokenizar(sql))
        if (t.tipo == sql::Tok::Ident && t.texto.compare(nombre, Qt::CaseInsensitive) == 0)
            return t.texto;
    return nombre;
}

QString capturar(const QString& texto, const char16_t* patron, int grupo = 1) {
    const QRegularExpression re(QString::fromUtf16(patron));
    const auto m = re.match(texto);
    return m.hasMatch() ? m.captured(grupo) : QString();
}

// What a type admits, for "solo admite ...".
QString loQueAdmite(const QString& tipo) {
    if (tipo.contains(u"int"_s)) return u"números enteros"_s;
    if (tipo == u"numeric"_s || tipo.contains(u"double"_s) || tipo == u"real"_s)
        return u"números o importes"_s;
    if (tipo == u"boolean"_s) return u"Sí o No"_s;
    return {};
}

Fallo falloDe(const QString& e) {
    const QString clase = e.left(2);
    if (e == u"23503"_s) return Fallo::Relacion;
    if (e == u"23505"_s) return Fallo::Duplicado;
    if (clase == u"23"_s || clase == u"22"_s) return Fallo::ValorInvalido;
    if (e == u"40001"_s || e == u"40P01"_s) return Fallo::Conflicto;
    if (clase == u"08"_s || e == u"57P01"_s || e == u"57P02"_s || e == u"57P03"_s)
        return Fallo::Conexion;
    if (clase == u"28"_s || e == u"42501"_s) return Fallo::Permiso;
    if (e == u"53100"_s) return Fallo::DiscoLleno;
    if (e == u"55P03"_s || e == u"57014"_s) return Fallo::Ocupada;
    if (e == u"25006"_s) return Fallo::SoloLectura;
    if (e == u"3D000"_s) return Fallo::NoSePuedeAbrir;
    if (e == u"XX001"_s || e == u"XX002"_s) return Fallo::Danada;
    if (clase == u"58"_s) return Fallo::EntradaSalida;
    if (clase == u"42"_s) return Fallo::Sintaxis;
    return Fallo::General;
}

QString descripcion(const Diagnostico& d, const QString& sql, Fallo fallo) {
    const QString& e = d.estado;
    const QString& m = d.mensaje;
    const QString campo = d.columna.isEmpty() ? QString() : comoEnEsquema(d.columna);
    if (e == u"23505"_s) {
        // "Key (empid, proid)=(1, 2) already exists."
        const QString claves = capturar(d.detalle, u"\\(([^)]*)\\)=");
        QStringList campos;
        for (const QString& c : claves.split(u',', Qt::SkipEmptyParts))
            campos << comoEnEsquema(c.trimmed());
        return campos.isEmpty()
                   ? u"Ya existe un registro con esos datos."_s
                   : u"Ya existe un registro con esos datos (%1)."_s.arg(campos.join(u", "_s));
    }
    if (e == u"23502"_s) return u"El campo %1 es obligatorio."_s.arg(campo);
    if (e == u"23514"_s) {
        const QString r = d.restriccion;
        if (r.startsWith(u"sino_"_s))
            return u"El campo %1 solo admite Sí o No."_s.arg(comoEnEsquema(r.mid(5)));
        return u"El valor ingresado no cumple las reglas del campo."_s;
    }
    if (e == u"22P02"_s || e == u"22007"_s || e == u"22008"_s) {
        // "invalid input syntax for type bigint: "abc""
        QString tipo = capturar(m, u"for type ([a-z ]+)");
        if (tipo.isEmpty() && !d.columna.isEmpty()) {
            bool conocido = false;
            for (const Tabla& t : esquema::tablas()) {
                const TipoCampo k = esquema::tipo(QLatin1String(t.nombre), d.columna, &conocido);
                if (!conocido) continue;
                tipo = k == TipoCampo::Fecha  ? u"date"_s
                       : k == TipoCampo::Hora ? u"time"_s
                                              : QString();
                break;
            }
        }
        if (tipo == u"date"_s || tipo.startsWith(u"timestamp"_s))
            return campo.isEmpty() ? u"El valor ingresado no es una fecha válida."_s
                                   : u"El campo %1 debe contener una fecha válida."_s.arg(campo);
        if (tipo.startsWith(u"time"_s))
            return campo.isEmpty() ? u"El valor ingresado no es una hora válida."_s
                                   : u"El campo %1 debe contener una hora válida."_s.arg(campo);
        const QString admite = loQueAdmite(tipo);
        if (!admite.isEmpty())
            return campo.isEmpty()
                       ? u"El valor ingresado no es válido: solo se admiten %1."_s.arg(admite)
                       : u"El valor ingresado no es válido para el campo %1: solo admite %2."_s.arg(
                             campo, admite);
        return u"El valor ingresado no es del tipo que el campo admite."_s;
    }
    if (e == u"22003"_s)
        return campo.isEmpty()
                   ? u"El número ingresado está fuera del rango que admite el campo."_s
                   : u"El número ingresado está fuera del rango que admite el campo %1."_s.arg(
                         campo);
    if (e == u"22001"_s) return u"El texto o dato ingresado es demasiado grande."_s;
    if (e == u"22012"_s) return u"División por cero en la instrucción SQL."_s;
    if (e == u"22021"_s) return u"El texto ingresado contiene caracteres no válidos."_s;
    if (e == u"22023"_s && m.startsWith(u"INSTR:"_s)) return m;
    if (e == u"42703"_s) {
        // "column "xyz" does not exist", "column e.xyz does not exist"
        QString n = capturar(m, u"column \"?([^\" ]+)\"? does not exist");
        n = n.section(u'.', -1);
        return u"El campo '%1' no existe en la consulta."_s.arg(comoSeEscribio(n, sql));
    }
    if (e == u"42P01"_s) {
        const QString n = capturar(m, u"relation \"([^\"]+)\" does not exist");
        return u"La tabla '%1' no existe en la base de datos."_s.arg(comoSeEscribio(n, sql));
    }
    if (e == u"42702"_s) {
        const QString n = capturar(m, u"column reference \"([^\"]+)\" is ambiguous");
        return u"El campo '%1' existe en más de una tabla de la consulta."_s.arg(
            comoSeEscribio(n, sql));
    }
    if (e == u"42883"_s) {
        const QString f = capturar(m, u"function ([A-Za-z0-9_$]+)\\(");
        if (f.isEmpty()) return u"Tipo de datos no coincidente en la instrucción SQL."_s;
        if (f.startsWith(u"zv_"_s)) {
            QString jet = f.mid(3).toUpper();
            if (jet == u"INSTR2"_s) jet = u"INSTR"_s;
            return u"Número incorrecto de argumentos para la función %1."_s.arg(jet);
        }
        return u"La función %1 no existe."_s.arg(comoSeEscribio(f, sql));
    }
    if (e == u"42804"_s || e == u"42P18"_s || e == u"42846"_s)
        return u"Tipo de datos no coincidente en la instrucción SQL."_s;
    if (e == u"42601"_s) {
        if (m.contains(u"multiple commands"_s))
            return u"La instrucción SQL contiene más de una sentencia."_s;
        if (m.contains(u"at end of input"_s)) return u"La instrucción SQL está incompleta."_s;
        const QString cerca = capturar(m, u"at or near \"(.*)\"$");
        if (m.startsWith(u"unterminated"_s))
            return u"Error de sintaxis en la instrucción SQL: texto no reconocido «%1» (¿falta "
                   u"cerrar un apóstrofo?)."_s.arg(cerca);
        if (!cerca.isEmpty())
            return u"Error de sintaxis en la instrucción SQL, cerca de «%1»."_s.arg(cerca);
        return u"Error de sintaxis en la instrucción SQL."_s;
    }
    if (e == u"42501"_s)
        return u"El usuario con que el programa se conecta al servidor no tiene permiso para "
               u"hacer esto en la base de datos."_s;
    if (e == u"55P03"_s || e == u"57014"_s)
        return u"Otro usuario está modificando esos datos y no los liberó a tiempo. Inténtelo de "
               u"nuevo en unos segundos."_s;
    if (e == u"25P02"_s)
        return u"Una instrucción anterior de la misma operación falló, así que no se guardó nada "
               u"de ella."_s;
    if (e == u"25006"_s)
        return u"La base de datos del servidor es de solo lectura: no se pueden guardar cambios."_s;
    if (e == u"53100"_s)
        return u"No queda espacio en el disco del servidor para guardar los datos."_s;
    if (e.startsWith(u"53"_s))
        return u"El servidor de la base de datos no tiene recursos suficientes en este momento. "
               u"Inténtelo de nuevo más tarde."_s;
    if (e.startsWith(u"28"_s)) return u"El servidor rechazó el usuario o la contraseña."_s;
    if (e == u"3D000"_s) return u"La base de datos no existe en el servidor."_s;
    if (fallo == Fallo::Danada) return u"La base de datos del servidor está dañada."_s;
    if (fallo == Fallo::EntradaSalida)
        return u"Error de lectura o escritura en el servidor de la base de datos."_s;
    return descripcionFallo(fallo);
}

} // namespace

DbError error(const Diagnostico& d, const QString& sql) {
    const Fallo fallo = falloDe(d.estado);
    QString detalle = d.mensaje;
    if (!d.detalle.isEmpty()) detalle += u" ("_s + d.detalle + u')';
    if (!d.estado.isEmpty()) detalle += u" [SQLSTATE "_s + d.estado + u']';
    if (!sql.isEmpty()) detalle += u" — SQL: "_s + sql;
    return DbError(descripcion(d, sql, fallo), detalle, fallo);
}

} // namespace zv::motorpostgres

#include "data/sqlite/motorsqlite.h"

#include "data/dberror.h"

#include <QRegularExpression>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

QString campoDeColumna(const QString& s) {
    // "CALENDARIO.CalFormaAviso" -> "CalFormaAviso"
    const int punto = s.lastIndexOf(QLatin1Char('.'));
    return punto >= 0 ? s.mid(punto + 1) : s;
}

QString tipoLegible(const QString& tipo) {
    const QString t = tipo.toUpper();
    if (t.startsWith(u"INT"_s)) return u"números enteros"_s;
    if (t == u"REAL"_s) return u"números o importes"_s;
    if (t == u"TEXT"_s) return u"texto"_s;
    return t.toLower();
}

QString descripcionRestriccion(int extendido, const QString& msg) {
    QRegularExpressionMatch m;
    switch (extendido) {
    case SQLITE_CONSTRAINT_DATATYPE: {
        static const QRegularExpression re(
            u"cannot store (\\w+) value in (\\w+) column ([\\w.]+)"_s);
        m = re.match(msg);
        if (m.hasMatch())
            return u"El valor ingresado no es válido para el campo %1: solo admite %2."_s.arg(
                campoDeColumna(m.captured(3)), tipoLegible(m.captured(2)));
        return u"El valor ingresado no es del tipo que el campo admite."_s;
    }
    case SQLITE_CONSTRAINT_CHECK: {
        static const QRegularExpression re(u"CHECK constraint failed: (\\w+)"_s);
        m = re.match(msg);
        if (m.hasMatch()) {
            const QString nombre = m.captured(1);
            const QString campo = nombre.section(QLatin1Char('_'), 1);
            if (nombre.startsWith(u"fecha_"_s))
                return u"El campo %1 debe contener una fecha válida."_s.arg(campo);
            if (nombre.startsWith(u"hora_"_s))
                return u"El campo %1 debe contener una hora válida."_s.arg(campo);
            if (nombre.startsWith(u"sino_"_s))
                return u"El campo %1 solo admite Sí o No."_s.arg(campo);
        }
        return u"El valor ingresado no cumple las reglas del campo."_s;
    }
    case SQLITE_CONSTRAINT_TRIGGER:
        if (!msg.contains(u"FOREIGN KEY"_s))
            return u"El valor ingresado no cumple las reglas de la base de datos."_s;
        [[fallthrough]];
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return u"La operación no se puede realizar porque el registro está relacionado con "
               u"otros datos: hay registros que dependen de él, o el código que indica no "
               u"existe."_s;
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY: {
        static const QRegularExpression re(u"constraint failed: (.+)$"_s);
        m = re.match(msg);
        QString campos;
        if (m.hasMatch()) {
            QStringList l;
            for (const QString& c : m.captured(1).split(u", "_s))
                l << campoDeColumna(c);
            campos = l.join(u", "_s);
        }
        return campos.isEmpty() ? u"Ya existe un registro con esos datos."_s
                                : u"Ya existe un registro con esos datos (%1)."_s.arg(campos);
    }
    case SQLITE_CONSTRAINT_NOTNULL: {
        static const QRegularExpression re(u"NOT NULL constraint failed: ([\\w.]+)"_s);
        m = re.match(msg);
        return u"El campo %1 es obligatorio."_s.arg(m.hasMatch() ? campoDeColumna(m.captured(1))
                                                                 : QString());
    }
    default:
        return u"El valor ingresado no cumple las reglas de la base de datos."_s;
    }
}

QString descripcionError(const QString& msg) {
    struct Patron {
        const char16_t* re;
        const char16_t* texto;
    };
    static const Patron patrones[] = {
        {u"^no such column: (.+)$", u"El campo '%1' no existe en la consulta."},
        {u"^no such table: (.+)$", u"La tabla '%1' no existe en la base de datos."},
        {u"^near \"(.*)\": syntax error$",
         u"Error de sintaxis en la instrucción SQL, cerca de «%1»."},
        {u"^unrecognized token: \"?(.*?)\"?$",
         u"Error de sintaxis en la instrucción SQL: texto no reconocido «%1» (¿falta cerrar "
         u"un apóstrofo?)."},
        {u"^incomplete input$", u"La instrucción SQL está incompleta."},
        {u"^no such function: (.+)$", u"La función %1 no existe."},
        {u"^wrong number of arguments to function (\\w+)\\(\\)$",
         u"Número incorrecto de argumentos para la función %1."},
        {u"^ambiguous column name: (.+)$",
         u"El campo '%1' existe en más de una tabla de la consulta."},
        {u"^no such collation sequence: (.+)$",
         u"La base de datos usa un orden de texto (%1) que este programa no conoce."},
    };
    for (const Patron& p : patrones) {
        QRegularExpression re(QString::fromUtf16(p.re));
        auto m = re.match(msg);
        if (m.hasMatch()) {
            QString t = QString::fromUtf16(p.texto);
            return t.contains(u"%1"_s) ? t.arg(m.captured(1)) : t;
        }
    }
    return u"Error de la base de datos."_s;
}

Fallo falloDe(int codigo, const QString& msg) {
    switch (codigo & 0xff) {
    case SQLITE_CONSTRAINT:
        switch (codigo) {
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            return Fallo::Relacion;
        case SQLITE_CONSTRAINT_TRIGGER:
            return msg.contains(u"FOREIGN KEY"_s) ? Fallo::Relacion : Fallo::ValorInvalido;
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
            return Fallo::Duplicado;
        default:
            return Fallo::ValorInvalido;
        }
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Fallo::Ocupada;
    case SQLITE_READONLY:
        return Fallo::SoloLectura;
    case SQLITE_NOTADB:
        return Fallo::NoEsNuestra;
    case SQLITE_CORRUPT:
        return Fallo::Danada;
    case SQLITE_CANTOPEN:
        return Fallo::NoSePuedeAbrir;
    case SQLITE_FULL:
        return Fallo::DiscoLleno;
    case SQLITE_IOERR:
        return Fallo::EntradaSalida;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return Fallo::Permiso;
    case SQLITE_TOOBIG:
    case SQLITE_RANGE:
    case SQLITE_MISMATCH:
        return Fallo::ValorInvalido;
    case SQLITE_MISUSE:
        return Fallo::Uso;
    case SQLITE_ERROR:
        return Fallo::Sintaxis;
    default:
        return Fallo::General;
    }
}

} // namespace

DbError motorsqlite::error(int codigo, const QString& mensajeMotor, const QString& sql) {
    const Fallo fallo = falloDe(codigo, mensajeMotor);
    QString descripcion;
    switch (codigo & 0xff) {
    case SQLITE_CONSTRAINT:
        descripcion = descripcionRestriccion(codigo, mensajeMotor);
        break;
    case SQLITE_TOOBIG:
        descripcion = u"El texto o dato ingresado es demasiado grande."_s;
        break;
    case SQLITE_RANGE:
    case SQLITE_MISMATCH:
        descripcion = u"Tipo de datos no coincidente en la instrucción SQL."_s;
        break;
    case SQLITE_ERROR:
    case SQLITE_MISUSE:
        descripcion = descripcionError(mensajeMotor);
        break;
    default:
        descripcion = descripcionFallo(fallo);
        break;
    }
    QString detalle = mensajeMotor;
    if (!sql.isEmpty()) detalle += u" — SQL: "_s + sql;
    return DbError(descripcion, detalle, fallo);
}

} // namespace zv

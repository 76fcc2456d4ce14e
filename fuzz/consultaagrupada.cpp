// Grouped-query commands: any text is either understood or refused with a Spanish description.
// A command whose child query is a plain one also runs, twice: reading only the parent rows
// (the child query cut down to the fields needed) must give exactly the parent rows that
// reading everything gives.
#include "data/consultaagrupada.h"
#include "apoyo.h"
#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/dialecto.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

BaseDatos* bd = nullptr;

// A few rows in the tables the statistics windows read: texts that differ only in case or
// accents, empty values, amounts with and without cents.
void llenar(BaseDatos& b) {
    b.ejecutar(u"INSERT INTO RAMOS (RamDescripcion) VALUES ('Metal'), ('METAL'), (NULL)"_s);
    b.ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia, EmpCiudad, EmpZona, RamId) VALUES "
               u"('Alfa', 'Córdoba', 'Norte', 1), ('beta', 'CÓRDOBA', NULL, 2), "
               u"(NULL, 'Cordoba', 'norte', NULL)"_s);
    b.ejecutar(u"INSERT INTO CONTACTOS (ConNombre, ConCiudad, ConZona) VALUES "
               u"('Ana', 'Sevilla', 'Sur'), ('ana', 'SEVILLA', 'SUR'), ('Luis', NULL, '')"_s);
    b.ejecutar(u"INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId) VALUES (1, 1), (1, 2), (2, 3)"_s);
}

// Runs only a query that reads and ends soon: a SELECT without parentheses (no subqueries,
// functions or common tables) and with at most four mentions of the tables that hold rows.
bool acotada(const QString& hija) {
    if (!sql::traducir(hija).esSelect) return false;
    int tablas = 0;
    for (const sql::Token& k : sql::tokenizar(hija)) {
        if (k.tipo == sql::Tok::Simbolo && k.texto == u"(") return false;
        if (k.tipo == sql::Tok::Ident || k.tipo == sql::Tok::IdentCitado)
            for (const char16_t* t : {u"RAMOS", u"EMPRESAS", u"CONTACTOS", u"EMPRESAS_CONTACTOS"})
                if (k.texto.contains(QString::fromUtf16(t), Qt::CaseInsensitive)) ++tablas;
    }
    return tablas <= 4;
}

QStringList padres(const ConsultaAgrupada& c) {
    QStringList out;
    for (int f = 0; f < c.cantidad(); ++f) {
        QStringList campos;
        for (int k = 0; k < c.campos(); ++k) {
            const QVariant v = c.valor(f, k);
            campos << c.nombreCampo(k) + u'=' + (v.isNull() ? u"<nulo>"_s : v.toString()) + u':' +
                          QString::fromLatin1(v.typeName());
        }
        out << campos.join(u'|');
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::preparar();
    static QTemporaryDir carpeta;
    static BaseDatos base(carpeta.filePath(u"bd2000.mdb"_s));
    llenar(base);
    bd = &base;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    const QString texto = fuzz::texto(datos, n);
    ComandoAgrupado c;
    try {
        c = ComandoAgrupado::analizar(texto);
    } catch (const Error& e) {
        ZV_EXIGIR(!e.resumen().isEmpty(), texto);
        return 0;
    }
    ZV_EXIGIR(!c.consultaHija.isEmpty() && !c.nombreHijo.isEmpty(), texto);
    ZV_EXIGIR(!c.campos.isEmpty() && c.campos.size() <= 4, texto);
    ZV_EXIGIR((c.agregado == Agregado::Ninguno) == c.alias.isEmpty(), texto);
    try {
        if (!acotada(c.consultaHija)) return 0;
    } catch (const Error&) {
        return 0;
    }

    QStringList completas, soloPadres;
    bool fallaCompleta = false, fallaPadres = false;
    try {
        completas = padres(ConsultaAgrupada(*bd, texto, ConsultaAgrupada::Hijos::Leer));
    } catch (const Error&) {
        fallaCompleta = true;
    }
    try {
        soloPadres = padres(ConsultaAgrupada(*bd, texto, ConsultaAgrupada::Hijos::Omitir));
    } catch (const Error&) {
        fallaPadres = true;
    }
    const auto detalle = [&] {
        return texto + u"\ncompletas: "_s + completas.join(u" / "_s) + u"\nsolo padres: "_s +
               soloPadres.join(u" / "_s);
    };
    ZV_EXIGIR(fallaCompleta == fallaPadres, detalle());
    ZV_EXIGIR(completas == soloPadres, detalle());
    return 0;
}

#include "data/esquema.h"

#include "data/dialecto.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace zv::esquema {

namespace {

using T = TipoCampo;
constexpr AlBorrar C = AlBorrar::Cascada;

std::vector<Tabla> construir() {
    auto catalogo = [](const char* t, const char* id, const char* desc, const char* pl,
                       const char* sg) {
        return Tabla{t, {{id, T::Contador}, {desc, T::Texto}}, pl, sg};
    };
    auto enlace = [](const char* t, const char* a, const char* ra, AlBorrar ba, const char* b,
                     const char* rb, AlBorrar bb, std::vector<Campo> extra = {}) {
        Tabla tb{t, {{a, T::Entero, ra, ba}, {b, T::Entero, rb, bb}}, "vínculos", "vínculo"};
        for (auto& c : extra)
            tb.campos.push_back(c);
        return tb;
    };
    constexpr AlBorrar R = AlBorrar::Restringir;
    return {
        catalogo("ORIGENES", "OriId", "OriDescripcion", "orígenes", "origen"),
        catalogo("RAMOS", "RamId", "RamDescripcion", "ramos", "ramo"),
        catalogo("CATEGORIAS", "CatId", "CatDescripcion", "categorías", "categoría"),
        catalogo("ESTRATEGIAS", "EstId", "EstDescripcion", "estrategias", "estrategia"),
        catalogo("PRODUCTOS", "ProId", "ProDescripcion", "productos", "producto"),
        catalogo("SERVICIOS", "SerId", "SerDescripcion", "servicios", "servicio"),
        {"ACTIVIDADES",
         {{"ActId", T::Contador},
          {"ActDescripcion", T::Texto},
          {"ActComentarios", T::Texto},
          {"CatId", T::Entero, "CATEGORIAS(CatId)"}},
         "actividades",
         "actividad"},
        {"EMPRESAS",
         {{"EmpId", T::Contador},
          {"EmpNombreFantasia", T::Texto},
          {"EmpRazonSocial", T::Texto},
          {"EmpRuc", T::Texto},
          {"EmpDireccion", T::Texto},
          {"EmpCodigoPostal", T::Texto},
          {"EmpTelefono1", T::Texto},
          {"EmpTelefono2", T::Texto},
          {"EmpFax", T::Texto},
          {"EmpEmail", T::Texto},
          {"EmpURL", T::Texto},
          {"EmpZona", T::Texto},
          {"EmpCiudad", T::Texto},
          {"EmpProvinciaEstado", T::Texto},
          {"EmpPais", T::Texto},
          {"EmpNotas", T::Texto},
          {"RamId", T::Entero, "RAMOS(RamId)"},
          {"OriId", T::Entero, "ORIGENES(OriId)"}},
         "empresas",
         "empresa"},
        {"CONTACTOS",
         {{"ConId", T::Contador},
          {"ConNombre", T::Texto},
          {"ConApellido", T::Texto},
          {"ConDomicilio", T::Texto},
          {"ConCodigoPostal", T::Texto},
          {"ConTelefono1", T::Texto},
          {"ConTelefono2", T::Texto},
          {"ConFax", T::Texto},
          {"ConInterno", T::Texto},
          {"ConEmail", T::Texto},
          {"ConUrl", T::Texto},
          {"ConZona", T::Texto},
          {"ConCiudad", T::Texto},
          {"ConProvinciaEstado", T::Texto},
          {"ConPais", T::Texto},
          {"ConTitulo", T::Texto},
          {"ConNotas", T::Texto},
          {"OriId", T::Entero, "ORIGENES(OriId)"}},
         "contactos",
         "contacto"},
        {"PLANIFICACIONES",
         {{"PlaId", T::Contador},
          {"PlaDescripcion", T::Texto},
          {"PlaFechaInicio", T::Fecha},
          {"PlaFechaFinal", T::Fecha},
          {"PlaInversion", T::Moneda},
          {"PlaNotas", T::Texto},
          {"EstId", T::Entero, "ESTRATEGIAS(EstId)"}},
         "planes de negocios",
         "plan de negocios"},
        {"CALENDARIO",
         {{"CalId", T::Contador},
          {"ActId", T::Entero, "ACTIVIDADES(ActId)"},
          {"CalFecha", T::Fecha},
          {"CalHoraInicio", T::Hora},
          {"CalHoraFinal", T::Hora},
          {"CalFormaAviso", T::Entero},
          {"CalAvisoHora", T::Hora},
          {"CalEstado", T::Texto},
          {"CalNotas", T::Texto},
          {"CalResultados", T::Texto},
          {"CalFueAvisado", T::SiNo},
          {"CalRecursivo", T::SiNo}},
         "entradas de la agenda",
         "entrada de la agenda"},
        {"ORGANIZACIONDIARIA",
         {{"OrgFecha", T::Fecha},
          {"OrgHora", T::Libre},
          {"OrgPrioridad", T::Libre},
          {"OrgGrupo", T::Texto},
          {"OrgTarea", T::Texto},
          {"OrgCumplida", T::SiNo}},
         "tareas",
         "tarea"},
        enlace("EMPRESAS_CONTACTOS", "EmpId", "EMPRESAS(EmpId)", C, "ConId", "CONTACTOS(ConId)", C,
               {{"EmpConDepartamento", T::Texto}}),
        enlace("EMPRESAS_PRODUCTOS", "EmpId", "EMPRESAS(EmpId)", C, "ProId", "PRODUCTOS(ProId)", R),
        enlace("EMPRESAS_SERVICIOS", "EmpId", "EMPRESAS(EmpId)", C, "SerId", "SERVICIOS(SerId)", R),
        enlace("EMPRESAS_PLANIFICACIONES", "EmpId", "EMPRESAS(EmpId)", C, "PlaId",
               "PLANIFICACIONES(PlaId)", C),
        enlace("CONTACTOS_PRODUCTOS", "ConId", "CONTACTOS(ConId)", C, "ProId", "PRODUCTOS(ProId)",
               R),
        enlace("CONTACTOS_SERVICIOS", "ConId", "CONTACTOS(ConId)", C, "SerId", "SERVICIOS(SerId)",
               R),
        enlace("CONTACTOS_PLANIFICACIONES", "ConId", "CONTACTOS(ConId)", C, "PlaId",
               "PLANIFICACIONES(PlaId)", C),
        enlace("PRODUCTOS_PLANIFICACIONES", "ProId", "PRODUCTOS(ProId)", R, "PlaId",
               "PLANIFICACIONES(PlaId)", C),
        enlace("SERVICIOS_PLANIFICACIONES", "SerId", "SERVICIOS(SerId)", R, "PlaId",
               "PLANIFICACIONES(PlaId)", C),
        enlace("RAMOS_PLANIFICACIONES", "RamId", "RAMOS(RamId)", R, "PlaId",
               "PLANIFICACIONES(PlaId)", C),
        enlace("CALENDARIO_CONTACTOS", "CalId", "CALENDARIO(CalId)", C, "ConId", "CONTACTOS(ConId)",
               C),
        enlace("CALENDARIO_EMPRESAS", "CalId", "CALENDARIO(CalId)", C, "EmpId", "EMPRESAS(EmpId)",
               C),
    };
}

QString columna(const Campo& c) {
    const QString n = QString::fromUtf8(c.nombre);
    const QString col = u" COLLATE "_s + QLatin1String(sql::kColacion);
    switch (c.tipo) {
    case T::Contador:
        return n + u" INTEGER PRIMARY KEY AUTOINCREMENT"_s;
    case T::Entero:
        return n + u" INTEGER"_s;
    case T::Texto:
    case T::Libre:
        return n + u" TEXT"_s + col;
    case T::Fecha:
        return u"%1 TEXT CONSTRAINT fecha_%1 CHECK (%1 IS NULL OR (length(%1) = 10 AND "
               u"date(%1, '+0 days') IS %1))"_s.arg(n);
    case T::Hora:
        return u"%1 TEXT CONSTRAINT hora_%1 CHECK (%1 IS NULL OR (length(%1) = 8 AND "
               u"time(%1, '+0 seconds') IS %1))"_s.arg(n);
    case T::SiNo:
        return u"%1 INTEGER CONSTRAINT sino_%1 CHECK (%1 IS NULL OR %1 IN (0, 1))"_s.arg(n);
    case T::Moneda:
        return n + u" REAL"_s;
    }
    return n;
}

} // namespace

const std::vector<Tabla>& tablas() {
    static const std::vector<Tabla> t = construir();
    return t;
}

const Tabla* tabla(const QString& nombre) {
    for (const Tabla& t : tablas())
        if (nombre.compare(QLatin1String(t.nombre), Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

TipoCampo tipo(const QString& nombreTabla, const QString& campo, bool* encontrado) {
    if (const Tabla* t = tabla(nombreTabla)) {
        for (const Campo& c : t->campos) {
            if (campo.compare(QLatin1String(c.nombre), Qt::CaseInsensitive) == 0) {
                if (encontrado) *encontrado = true;
                return c.tipo;
            }
        }
    }
    if (encontrado) *encontrado = false;
    return TipoCampo::Texto;
}

QString momentoAviso() {
    return u"(date(CalFecha, '-' || ifnull(CalFormaAviso, 0) || ' days') || ' ' || "
           u"ifnull(CalAvisoHora, '00:00:00'))"_s;
}

QStringList ddl() {
    QStringList s;
    for (const Tabla& t : tablas()) {
        QStringList defs;
        for (const Campo& c : t.campos)
            defs << columna(c);
        for (const Campo& c : t.campos) {
            if (!c.referencia) continue;
            defs << u"FOREIGN KEY (%1) REFERENCES %2 ON DELETE %3"_s.arg(
                QLatin1String(c.nombre), QLatin1String(c.referencia),
                c.alBorrar == AlBorrar::Cascada ? u"CASCADE"_s : u"RESTRICT"_s);
        }
        s << u"CREATE TABLE %1 (\n  %2\n) STRICT"_s.arg(QLatin1String(t.nombre),
                                                        defs.join(u",\n  "_s));
    }
    auto indice = [&s](const char* nombre, const char* tabla, const char* cols,
                       bool unico = false) {
        s << u"CREATE %1INDEX %2 ON %3 (%4)"_s.arg(unico ? u"UNIQUE "_s : QString(),
                                                   QLatin1String(nombre), QLatin1String(tabla),
                                                   QLatin1String(cols));
    };
    // Orders of the lists.
    indice("ix_ORIGENES_desc", "ORIGENES", "OriDescripcion");
    indice("ix_RAMOS_desc", "RAMOS", "RamDescripcion");
    indice("ix_CATEGORIAS_desc", "CATEGORIAS", "CatDescripcion");
    indice("ix_ESTRATEGIAS_desc", "ESTRATEGIAS", "EstDescripcion");
    indice("ix_PRODUCTOS_desc", "PRODUCTOS", "ProDescripcion");
    indice("ix_SERVICIOS_desc", "SERVICIOS", "SerDescripcion");
    indice("ix_ACTIVIDADES_desc", "ACTIVIDADES", "ActDescripcion");
    indice("ix_ACTIVIDADES_cat", "ACTIVIDADES", "CatId");
    indice("ix_EMPRESAS_nombre", "EMPRESAS", "EmpNombreFantasia, EmpRazonSocial");
    indice("ix_EMPRESAS_ramo", "EMPRESAS", "RamId");
    indice("ix_EMPRESAS_origen", "EMPRESAS", "OriId");
    indice("ix_CONTACTOS_apellido", "CONTACTOS", "ConApellido, ConNombre");
    indice("ix_CONTACTOS_nombre", "CONTACTOS", "ConNombre, ConApellido");
    indice("ix_CONTACTOS_origen", "CONTACTOS", "OriId");
    indice("ix_PLANIFICACIONES_desc", "PLANIFICACIONES", "PlaDescripcion");
    indice("ix_PLANIFICACIONES_est", "PLANIFICACIONES", "EstId");
    indice("ix_CALENDARIO_fecha", "CALENDARIO", "CalFecha, CalHoraInicio, CalHoraFinal");
    indice("ix_CALENDARIO_act", "CALENDARIO", "ActId");
    indice("ix_ORGANIZACIONDIARIA_fecha", "ORGANIZACIONDIARIA", "OrgFecha, OrgHora");
    // The reminder service asks only for entries not yet acknowledged whose moment has come.
    s << u"CREATE INDEX ix_CALENDARIO_aviso ON CALENDARIO (%1) WHERE CalFueAvisado = 0 AND "
         u"CalFecha IS NOT NULL AND CalHoraInicio IS NOT NULL"_s.arg(momentoAviso());
    // A link is its pair: one row per pair, and a lookup from either side.
    for (const Tabla& t : tablas()) {
        const QString n = QLatin1String(t.nombre);
        if (!n.contains(u'_')) continue;
        const QString a = QLatin1String(t.campos[0].nombre);
        const QString b = QLatin1String(t.campos[1].nombre);
        s << u"CREATE UNIQUE INDEX ux_%1 ON %1 (%2, %3)"_s.arg(n, a, b);
        s << u"CREATE INDEX ix_%1_%2 ON %1 (%2)"_s.arg(n, b);
    }
    return s;
}

QString verificar(sqlite3* db) {
    for (const Tabla& t : tablas()) {
        sqlite3_stmt* st = nullptr;
        const QByteArray q = "PRAGMA table_info(" + QByteArray(t.nombre) + ")";
        if (sqlite3_prepare_v2(db, q.constData(), -1, &st, nullptr) != SQLITE_OK) {
            return u"no se puede leer la tabla %1: %2"_s.arg(QLatin1String(t.nombre),
                                                             QString::fromUtf8(sqlite3_errmsg(db)));
        }
        QStringList encontrados;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            encontrados << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE) {
            return u"no se puede leer la tabla %1: %2"_s.arg(QLatin1String(t.nombre),
                                                             QString::fromUtf8(sqlite3_errmsg(db)));
        }
        if (encontrados.isEmpty()) return u"falta la tabla %1"_s.arg(QLatin1String(t.nombre));
        QStringList esperados;
        for (const Campo& c : t.campos)
            esperados << QLatin1String(c.nombre);
        if (encontrados.size() != esperados.size()) {
            return u"la tabla %1 no tiene los campos esperados"_s.arg(QLatin1String(t.nombre));
        }
        for (int i = 0; i < esperados.size(); ++i) {
            if (encontrados[i].compare(esperados[i], Qt::CaseInsensitive) != 0)
                return u"la tabla %1 no tiene el campo %2 en su lugar"_s.arg(
                    QLatin1String(t.nombre), esperados[i]);
        }
    }
    return {};
}

std::vector<std::pair<const Tabla*, QString>> referenciasRestrictivas(const QString& nombre) {
    std::vector<std::pair<const Tabla*, QString>> r;
    for (const Tabla& t : tablas()) {
        for (const Campo& c : t.campos) {
            if (!c.referencia || c.alBorrar != AlBorrar::Restringir) continue;
            const QString ref = QLatin1String(c.referencia);
            if (ref.section(u'(', 0, 0).compare(nombre, Qt::CaseInsensitive) == 0)
                r.emplace_back(&t, QLatin1String(c.nombre));
        }
    }
    return r;
}

} // namespace zv::esquema

#include "data/esquema.h"

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
        // The calendar identifier (UID) of each entry that has been exported or imported, so
        // that a calendar program and this one keep speaking of the same entry.
        {"CALENDARIOUID",
         {{"CalId", T::Entero, "CALENDARIO(CalId)", C}, {"CalUid", T::Texto}},
         "identificadores de la agenda",
         "identificador de la agenda",
         2},
    };
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

const std::vector<Indice>& indices() {
    static const std::vector<Indice> lista = [] {
        std::vector<Indice> l = {
            // Orders of the lists.
            {u"ix_ORIGENES_desc"_s, u"ORIGENES"_s, u"OriDescripcion"_s},
            {u"ix_RAMOS_desc"_s, u"RAMOS"_s, u"RamDescripcion"_s},
            {u"ix_CATEGORIAS_desc"_s, u"CATEGORIAS"_s, u"CatDescripcion"_s},
            {u"ix_ESTRATEGIAS_desc"_s, u"ESTRATEGIAS"_s, u"EstDescripcion"_s},
            {u"ix_PRODUCTOS_desc"_s, u"PRODUCTOS"_s, u"ProDescripcion"_s},
            {u"ix_SERVICIOS_desc"_s, u"SERVICIOS"_s, u"SerDescripcion"_s},
            {u"ix_ACTIVIDADES_desc"_s, u"ACTIVIDADES"_s, u"ActDescripcion"_s},
            {u"ix_ACTIVIDADES_cat"_s, u"ACTIVIDADES"_s, u"CatId"_s},
            {u"ix_EMPRESAS_nombre"_s, u"EMPRESAS"_s, u"EmpNombreFantasia, EmpRazonSocial"_s},
            {u"ix_EMPRESAS_ramo"_s, u"EMPRESAS"_s, u"RamId"_s},
            {u"ix_EMPRESAS_origen"_s, u"EMPRESAS"_s, u"OriId"_s},
            {u"ix_CONTACTOS_apellido"_s, u"CONTACTOS"_s, u"ConApellido, ConNombre"_s},
            {u"ix_CONTACTOS_nombre"_s, u"CONTACTOS"_s, u"ConNombre, ConApellido"_s},
            {u"ix_CONTACTOS_origen"_s, u"CONTACTOS"_s, u"OriId"_s},
            {u"ix_PLANIFICACIONES_desc"_s, u"PLANIFICACIONES"_s, u"PlaDescripcion"_s},
            {u"ix_PLANIFICACIONES_est"_s, u"PLANIFICACIONES"_s, u"EstId"_s},
            {u"ix_CALENDARIO_fecha"_s, u"CALENDARIO"_s, u"CalFecha, CalHoraInicio, CalHoraFinal"_s},
            {u"ix_CALENDARIO_act"_s, u"CALENDARIO"_s, u"ActId"_s},
            {u"ix_ORGANIZACIONDIARIA_fecha"_s, u"ORGANIZACIONDIARIA"_s, u"OrgFecha, OrgHora"_s},
            // One identifier per entry, and one entry per identifier.
            {u"ux_CALENDARIOUID_cal"_s, u"CALENDARIOUID"_s, u"CalId"_s, true, 2},
            {u"ux_CALENDARIOUID_uid"_s, u"CALENDARIOUID"_s, u"CalUid"_s, true, 2},
        };
        // A link is its pair: one row per pair, and a lookup from either side.
        for (const Tabla& t : tablas()) {
            const QString n = QLatin1String(t.nombre);
            if (!n.contains(u'_')) continue;
            const QString a = QLatin1String(t.campos[0].nombre);
            const QString b = QLatin1String(t.campos[1].nombre);
            l.push_back({u"ux_"_s + n, n, a + u", "_s + b, true});
            l.push_back({u"ix_%1_%2"_s.arg(n, b), n, b});
        }
        return l;
    }();
    return lista;
}

QString verificar(const std::function<QStringList(const QString& tabla)>& camposDe) {
    for (const Tabla& t : tablas()) {
        const QString nombre = QLatin1String(t.nombre);
        const QStringList encontrados = camposDe(nombre);
        if (encontrados.isEmpty()) return u"falta la tabla %1"_s.arg(nombre);
        QStringList esperados;
        for (const Campo& c : t.campos)
            esperados << QLatin1String(c.nombre);
        if (encontrados.size() != esperados.size())
            return u"la tabla %1 no tiene los campos esperados"_s.arg(nombre);
        for (int i = 0; i < esperados.size(); ++i) {
            if (encontrados[i].compare(esperados[i], Qt::CaseInsensitive) != 0)
                return u"la tabla %1 no tiene el campo %2 en su lugar"_s.arg(nombre, esperados[i]);
        }
    }
    return {};
}

QStringList clavesAjenas(const Tabla& t) {
    QStringList l;
    for (const Campo& c : t.campos) {
        if (!c.referencia) continue;
        l << u"FOREIGN KEY (%1) REFERENCES %2 ON DELETE %3"_s.arg(
            QLatin1String(c.nombre), QLatin1String(c.referencia),
            c.alBorrar == AlBorrar::Cascada ? u"CASCADE"_s : u"RESTRICT"_s);
    }
    return l;
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

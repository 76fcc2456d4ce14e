#include "data/demodatos.h"

#include "data/basedatos.h"

#include <random>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

const char* const kNombres[] = {"María",  "José",   "Ana",     "Luis",     "Carmen", "Javier",
                                "Lucía",  "Carlos", "Elena",   "Miguel",   "Laura",  "Pablo",
                                "Sofía",  "Diego",  "Marta",   "Andrés",   "Paula",  "Jorge",
                                "Isabel", "Raúl",   "Beatriz", "Fernando", "Rocío",  "Sergio",
                                "Teresa", "Álvaro", "Inés",    "Ramón",    "Nuria",  "Íñigo"};
const char* const kApellidos[] = {
    "García", "Fernández", "González", "Rodríguez", "López",  "Martínez",  "Sánchez",
    "Pérez",  "Gómez",     "Martín",   "Jiménez",   "Ruiz",   "Hernández", "Díaz",
    "Moreno", "Muñoz",     "Álvarez",  "Romero",    "Alonso", "Gutiérrez", "Navarro",
    "Torres", "Domínguez", "Vázquez",  "Ramos",     "Gil",    "Ramírez",   "Serrano",
    "Blanco", "Molina",    "O'Connor", "Núñez",     "Peña"};
struct Lugar {
    const char* ciudad;
    const char* provincia;
    const char* pais;
    const char* zona;
};
const Lugar kLugares[] = {
    {"Madrid", "Madrid", "España", "Centro"},
    {"Alcalá de Henares", "Madrid", "España", "Centro"},
    {"Toledo", "Toledo", "España", "Centro"},
    {"Barcelona", "Barcelona", "España", "Noreste"},
    {"Girona", "Girona", "España", "Noreste"},
    {"Zaragoza", "Zaragoza", "España", "Noreste"},
    {"Valencia", "Valencia", "España", "Levante"},
    {"Alicante", "Alicante", "España", "Levante"},
    {"Murcia", "Murcia", "España", "Levante"},
    {"Sevilla", "Sevilla", "España", "Sur"},
    {"Córdoba", "Córdoba", "España", "Sur"},
    {"Málaga", "Málaga", "España", "Sur"},
    {"Bilbao", "Vizcaya", "España", "Norte"},
    {"A Coruña", "A Coruña", "España", "Norte"},
    {"Oviedo", "Asturias", "España", "Norte"},
    {"Buenos Aires", "Buenos Aires", "Argentina", "Cono Sur"},
    {"Córdoba", "Córdoba", "Argentina", "Cono Sur"},
    {"Montevideo", "Montevideo", "Uruguay", "Cono Sur"},
    {"Ciudad de México", "CDMX", "México", "Norteamérica"},
    {"Guadalajara", "Jalisco", "México", "Norteamérica"},
    {"Bogotá", "Cundinamarca", "Colombia", "Andina"},
    {"Lima", "Lima", "Perú", "Andina"},
};
const char* const kPrefijosEmpresa[] = {
    "Distribuciones", "Comercial",   "Industrias",   "Grupo",     "Talleres",   "Servicios",
    "Construcciones", "Transportes", "Laboratorios", "Editorial", "Consultora", "Almacenes"};
const char* const kNucleos[] = {"Ibérica",   "del Sur", "Atlántico", "Montaña",
                                "Horizonte", "Levante", "Central",   "Nova",
                                "Delta",     "Aurora",  "Sierra",    "Mediterráneo",
                                "Pampa",     "Andes",   "Río",       "Castilla"};
const char* const kFormas[] = {"S.A.", "S.L.", "S.R.L.", "S.A. de C.V.", "Hnos."};
const char* const kCalles[] = {"Calle Mayor",        "Avenida de la Constitución",
                               "Calle del Sol",      "Paseo de Gracia",
                               "Avenida Libertador", "Calle Real",
                               "Gran Vía",           "Calle de Alcalá",
                               "Rambla Nova",        "Calle Colón"};

const char* const kOrigenes[] = {"Feria comercial", "Recomendación",        "Página web",
                                 "Llamada en frío", "Publicidad en prensa", "Cliente anterior"};
const char* const kRamos[] = {"Alimentación", "Construcción", "Informática",
                              "Textil",       "Transporte",   "Salud",
                              "Educación",    "Hostelería",   "Automoción"};
const char* const kCategorias[] = {"Ventas", "Seguimiento", "Administración", "Reuniones"};
const char* const kEstrategias[] = {"Descuento por volumen", "Campaña de correo",
                                    "Demostración gratuita", "Fidelización de clientes"};
const char* const kProductos[] = {"Impresora láser", "Ordenador portátil",
                                  "Monitor 27\"",    "Software de gestión",
                                  "Servidor",        "Tableta",
                                  "Proyector",       "Router",
                                  "Escáner",         "Disco externo"};
const char* const kServicios[] = {"Mantenimiento", "Formación",   "Soporte telefónico",
                                  "Instalación",   "Consultoría", "Alojamiento web"};
struct Act {
    const char* descripcion;
    const char* comentario;
    int categoria;
};
const Act kActividades[] = {
    {"Visita a cliente", "Visita comercial en las oficinas del cliente", 0},
    {"Llamada telefónica", "Llamada de seguimiento", 1},
    {"Reunión de equipo", "Reunión interna de ventas", 3},
    {"Presentación de producto", "Demostración ante el cliente", 0},
    {"Envío de presupuesto", "Preparar y enviar el presupuesto", 2},
    {"Cobro de factura", "Gestionar el cobro pendiente", 2},
    {"Almuerzo de negocios", "", 3},
};
const char* const kEstados[] = {"Comenzado", "Comenzado", "En curso", "Pendiente", "Terminado"};
const char* const kTareas[] = {
    "Llamar al proveedor", "Preparar informe semanal", "Revisar pedidos",    "Visitar cliente",
    "Actualizar agenda",   "Responder correos",        "Enviar presupuesto", "Archivar facturas"};

template <size_t N> const char* elegir(std::mt19937& r, const char* const (&a)[N]) {
    return a[std::uniform_int_distribution<size_t>(0, N - 1)(r)];
}

QString s(const char* t) {
    return QString::fromUtf8(t);
}

} // namespace

void generarDatosDemo(BaseDatos& bd, const TamanoDemo& tam, const QDate& hoy) {
    std::mt19937 r(tam.semilla);
    auto entre = [&r](int a, int b) { return std::uniform_int_distribution<int>(a, b)(r); };
    Transaccion t(bd);

    auto catalogo = [&bd](const char* tabla, const char* campo, auto& lista) {
        Sentencia st = bd.prepararJet(
            u"INSERT INTO %1 (%2) VALUES (?)"_s.arg(QLatin1String(tabla), QLatin1String(campo)));
        for (const char* d : lista) {
            st.vincular(1, s(d));
            st.paso();
            st.reiniciar();
        }
    };
    catalogo("ORIGENES", "OriDescripcion", kOrigenes);
    catalogo("RAMOS", "RamDescripcion", kRamos);
    catalogo("CATEGORIAS", "CatDescripcion", kCategorias);
    catalogo("ESTRATEGIAS", "EstDescripcion", kEstrategias);
    catalogo("PRODUCTOS", "ProDescripcion", kProductos);
    catalogo("SERVICIOS", "SerDescripcion", kServicios);
    const int nOri = int(std::size(kOrigenes)), nRam = int(std::size(kRamos));
    const int nPro = int(std::size(kProductos)), nSer = int(std::size(kServicios));
    const int nEst = int(std::size(kEstrategias));
    {
        Sentencia st = bd.prepararJet(
            u"INSERT INTO ACTIVIDADES (ActDescripcion, ActComentarios, CatId) VALUES (?, ?, ?)"_s);
        for (const Act& a : kActividades) {
            st.vincular(
                {s(a.descripcion), *a.comentario ? s(a.comentario) : QVariant(), a.categoria + 1});
            st.paso();
            st.reiniciar();
        }
    }
    const int nAct = int(std::size(kActividades));

    {
        Sentencia st = bd.prepararJet(
            u"INSERT INTO EMPRESAS (EmpNombreFantasia, EmpRazonSocial, EmpRuc, EmpDireccion, "
            u"EmpCodigoPostal, EmpTelefono1, EmpTelefono2, EmpFax, EmpEmail, EmpURL, EmpZona, "
            u"EmpCiudad, EmpProvinciaEstado, EmpPais, EmpNotas, RamId, OriId) "
            u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
        for (int i = 0; i < tam.empresas; ++i) {
            const Lugar& l = kLugares[entre(0, int(std::size(kLugares)) - 1)];
            const QString nucleo = s(elegir(r, kNucleos));
            const QString nombre = s(elegir(r, kPrefijosEmpresa)) + u' ' + nucleo;
            const QString dominio = nucleo.toLower()
                                        .remove(u' ')
                                        .normalized(QString::NormalizationForm_D)
                                        .remove(QRegularExpression(u"[^a-z]"_s));
            // One company in twenty has no trade name: lists show it by its legal name.
            const bool sinNombre = entre(0, 19) == 0;
            st.vincular(
                {sinNombre ? QVariant() : QVariant(nombre), nombre + u' ' + s(elegir(r, kFormas)),
                 u"B%1"_s.arg(entre(10000000, 99999999)),
                 u"%1, %2"_s.arg(s(elegir(r, kCalles))).arg(entre(1, 250)),
                 u"%1"_s.arg(entre(1000, 52999), 5, 10, QLatin1Char('0')),
                 u"9%1"_s.arg(entre(10000000, 99999999)),
                 entre(0, 2) == 0 ? QVariant(u"6%1"_s.arg(entre(10000000, 99999999))) : QVariant(),
                 entre(0, 3) == 0 ? QVariant(u"9%1"_s.arg(entre(10000000, 99999999))) : QVariant(),
                 u"info%1@%2.example"_s.arg(i).arg(dominio),
                 u"http://www.%1%2.example"_s.arg(dominio).arg(i), s(l.zona), s(l.ciudad),
                 s(l.provincia), s(l.pais),
                 entre(0, 4) == 0 ? QVariant(u"Cliente desde %1"_s.arg(entre(1995, 2026)))
                                  : QVariant(),
                 entre(1, nRam), entre(1, nOri)});
            st.paso();
            st.reiniciar();
        }
    }
    {
        Sentencia st = bd.prepararJet(
            u"INSERT INTO CONTACTOS (ConNombre, ConApellido, ConDomicilio, ConCodigoPostal, "
            u"ConTelefono1, ConTelefono2, ConFax, ConInterno, ConEmail, ConUrl, ConZona, "
            u"ConCiudad, "
            u"ConProvinciaEstado, ConPais, ConTitulo, ConNotas, OriId) "
            u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
        static const char* const titulos[] = {"Gerente",         "Director comercial",
                                              "Jefe de compras", "Administrativo",
                                              "Técnico",         "Socio"};
        for (int i = 0; i < tam.contactos; ++i) {
            const Lugar& l = kLugares[entre(0, int(std::size(kLugares)) - 1)];
            const QString nombre = s(elegir(r, kNombres));
            const QString apellido = s(elegir(r, kApellidos));
            st.vincular(
                {nombre, apellido, u"%1, %2"_s.arg(s(elegir(r, kCalles))).arg(entre(1, 250)),
                 u"%1"_s.arg(entre(1000, 52999), 5, 10, QLatin1Char('0')),
                 u"6%1"_s.arg(entre(10000000, 99999999)),
                 entre(0, 2) == 0 ? QVariant(u"9%1"_s.arg(entre(10000000, 99999999))) : QVariant(),
                 QVariant(),
                 entre(0, 1) == 0 ? QVariant(QString::number(entre(100, 499))) : QVariant(),
                 u"contacto%1@correo.example"_s.arg(i), QVariant(), s(l.zona), s(l.ciudad),
                 s(l.provincia), s(l.pais), s(elegir(r, titulos)), QVariant(), entre(1, nOri)});
            st.paso();
            st.reiniciar();
        }
    }
    auto enlaces = [&](const char* tabla, int nA, int nB, int maxPorA) {
        if (nA <= 0 || nB <= 0) return;
        Sentencia st = bd.prepararJet(
            u"INSERT INTO %1 VALUES (?, ?) ON CONFLICT DO NOTHING"_s.arg(QLatin1String(tabla)));
        for (int a = 1; a <= nA; ++a) {
            const int n = entre(0, maxPorA);
            for (int k = 0; k < n; ++k) {
                st.vincular({a, entre(1, nB)});
                st.paso();
                st.reiniciar();
            }
        }
    };
    {
        Sentencia st = bd.prepararJet(
            u"INSERT INTO PLANIFICACIONES (PlaDescripcion, PlaFechaInicio, PlaFechaFinal, "
            u"PlaInversion, PlaNotas, EstId) VALUES (?, ?, ?, ?, ?, ?)"_s);
        static const char* const planes[] = {
            "Campaña de primavera",    "Lanzamiento de portátiles", "Fidelización 2026",
            "Expansión al Cono Sur",   "Renovación de servidores",  "Formación a medida",
            "Oferta de mantenimiento", "Feria de Valencia"};
        for (int i = 0; i < tam.planes; ++i) {
            const QDate inicio = hoy.addDays(entre(-120, 30));
            st.vincular(
                {s(planes[i % std::size(planes)]) +
                     (i >= int(std::size(planes)) ? u" %1"_s.arg(i / int(std::size(planes)) + 1)
                                                  : QString()),
                 inicio, inicio.addDays(entre(30, 180)), double(entre(5, 400) * 250),
                 u"Objetivo: aumentar las ventas un %1 %."_s.arg(entre(5, 30)), entre(1, nEst)});
            st.paso();
            st.reiniciar();
        }
    }
    enlaces("EMPRESAS_PRODUCTOS", tam.empresas, nPro, 3);
    enlaces("EMPRESAS_SERVICIOS", tam.empresas, nSer, 2);
    enlaces("CONTACTOS_PRODUCTOS", tam.contactos, nPro, 2);
    enlaces("CONTACTOS_SERVICIOS", tam.contactos, nSer, 1);
    enlaces("EMPRESAS_PLANIFICACIONES", tam.empresas, tam.planes, 1);
    enlaces("CONTACTOS_PLANIFICACIONES", tam.contactos, tam.planes, 1);
    enlaces("PRODUCTOS_PLANIFICACIONES", nPro, tam.planes, 2);
    enlaces("SERVICIOS_PLANIFICACIONES", nSer, tam.planes, 1);
    enlaces("RAMOS_PLANIFICACIONES", nRam, tam.planes, 1);
    {
        static const char* const departamentos[] = {"Compras", "Dirección", "Ventas",
                                                    "Administración", "Sistemas"};
        Sentencia st =
            bd.prepararJet(u"INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId, EmpConDepartamento) "
                           u"VALUES (?, ?, ?) ON CONFLICT DO NOTHING"_s);
        for (int c = 1; c <= tam.contactos && tam.empresas > 0; ++c) {
            if (entre(0, 4) == 0) continue;
            st.vincular({entre(1, tam.empresas), c, s(elegir(r, departamentos))});
            st.paso();
            st.reiniciar();
        }
    }
    {
        Sentencia st = bd.prepararJet(
            u"INSERT INTO CALENDARIO (ActId, CalFecha, CalHoraInicio, CalHoraFinal, CalFormaAviso, "
            u"CalAvisoHora, CalEstado, CalNotas, CalResultados, CalFueAvisado) "
            u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
        for (int i = 0; i < tam.entradasAgenda; ++i) {
            const QDate fecha = hoy.addDays(entre(-30, 60));
            const QTime inicio(entre(8, 18), entre(0, 3) * 15);
            const int aviso = entre(0, 3) == 0 ? entre(1, 3) : 0;
            // Past entries were mostly acknowledged; the rest will remind when their moment comes.
            const bool avisado = fecha < hoy ? entre(0, 9) != 0 : false;
            st.vincular({entre(1, nAct), fecha, inicio, inicio.addSecs(60 * 30 * entre(1, 4)),
                         aviso, inicio.addSecs(-60 * 30), s(elegir(r, kEstados)),
                         entre(0, 3) == 0 ? QVariant(u"Llevar catálogo actualizado"_s) : QVariant(),
                         QVariant(), avisado});
            st.paso();
            st.reiniciar();
        }
    }
    {
        Sentencia st = bd.prepararJet(
            u"INSERT INTO ORGANIZACIONDIARIA (OrgFecha, OrgHora, OrgPrioridad, OrgGrupo, OrgTarea, "
            u"OrgCumplida) VALUES (?, ?, ?, ?, ?, ?)"_s);
        for (int i = 0; i < tam.tareas; ++i) {
            st.vincular({hoy, u"%1:00"_s.arg(9 + i), QString::number(i + 1),
                         QString(QChar(u'A' + entre(0, 2))), s(kTareas[i % std::size(kTareas)]),
                         i < 2});
            st.paso();
            st.reiniciar();
        }
    }
    t.confirmar();
}

} // namespace zv

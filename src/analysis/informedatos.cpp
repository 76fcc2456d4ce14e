#include "analysis/informedatos.h"

#include "data/basedatos.h"
#include "data/consultaagrupada.h"
#include "data/dberror.h"
#include "data/origenregistros.h"

using namespace Qt::StringLiterals;

namespace zv::informe {

const QString DteReportes::kNombre = u"dteReportes"_s;
// clang-format off
const QString DteReportes::kConexion =
    u"PROVIDER=MSDataShape;DATA PROVIDER=MICROSOFT.JET.OLEDB.4.0;Data Source=bd2000.mdb;Persist Security Info=False;"_s;

const std::vector<Comando>& DteReportes::comandos() {
    static const std::vector<Comando> c = {
        {"Calendario_Grouping", "Calendario",
         u"SHAPE {SELECT CALENDARIO.*, ACTIVIDADES.* FROM CALENDARIO, ACTIVIDADES WHERE CALENDARIO.ACTID=ACTIVIDADES.ACTID ORDER BY CALENDARIO.CALFECHA ASC}  AS Calendario COMPUTE Calendario, SUM(Calendario.'CalId') AS Suma_actividades_por_fecha BY 'CalFecha'"_s},
        {"Empresas_Grouping", "Empresas",
         u"SHAPE {SELECT * FROM EMPRESAS, RAMOS, EMPRESAS_CONTACTOS, CONTACTOS WHERE EMPRESAS.RAMID=RAMOS.RAMID AND EMPRESAS.EMPID=EMPRESAS_CONTACTOS.EMPID AND EMPRESAS_CONTACTOS.CONID=CONTACTOS.CONID ORDER BY EMPRESAS.EMPNOMBREFANTASIA, EMPRESAS.EMPRAZONSOCIAL ASC}  AS Empresas COMPUTE Empresas BY 'EMPRESAS.EmpId','EmpNombreFantasia','EmpRazonSocial'"_s},
        {"Contactos", nullptr,
         u"SELECT * FROM CONTACTOS ORDER BY CONTACTOS.CONNOMBRE, CONTACTOS.CONAPELLIDO ASC"_s},
        {"ListadoEmpresas", nullptr,
         u"SELECT * FROM EMPRESAS, RAMOS WHERE EMPRESAS.RAMID=RAMOS.RAMID ORDER BY EMPNOMBREFANTASIA, EMPRAZONSOCIAL ASC"_s},
        {"EmpresasProductos_Grouping", "EmpresasProductos",
         u"SHAPE {SELECT * FROM EMPRESAS, PRODUCTOS, EMPRESAS_PRODUCTOS WHERE EMPRESAS.EMPID=EMPRESAS_PRODUCTOS.EMPID AND EMPRESAS_PRODUCTOS.PROID=PRODUCTOS.PROID ORDER BY EMPRESAS.EMPNOMBREFANTASIA, EMPRESAS.EMPRAZONSOCIAL ASC}  AS EmpresasProductos COMPUTE EmpresasProductos, COUNT(EmpresasProductos.'PRODUCTOS.ProId') AS Cuenta_productos BY 'EMPRESAS.EmpId','EmpNombreFantasia','EmpRazonSocial'"_s},
        {"EmpresasServicios_Grouping", "EmpresasServicios",
         u"SHAPE {SELECT * FROM EMPRESAS, SERVICIOS, EMPRESAS_SERVICIOS WHERE EMPRESAS.EMPID=EMPRESAS_SERVICIOS.EMPID AND EMPRESAS_SERVICIOS.SERID=SERVICIOS.SERID ORDER BY EMPRESAS.EMPNOMBREFANTASIA, EMPRESAS.EMPRAZONSOCIAL ASC}  AS EmpresasServicios COMPUTE EmpresasServicios, COUNT(EmpresasServicios.'SERVICIOS.SerId') AS Cuenta_servicios BY 'EMPRESAS.EmpId','EmpNombreFantasia','EmpRazonSocial'"_s},
        {"ContactosProductos_Grouping", "ContactosProductos",
         u"SHAPE {SELECT * FROM CONTACTOS, PRODUCTOS, CONTACTOS_PRODUCTOS WHERE CONTACTOS.CONID=CONTACTOS_PRODUCTOS.CONID AND CONTACTOS_PRODUCTOS.PROID=PRODUCTOS.PROID ORDER BY CONTACTOS.CONNOMBRE, CONTACTOS.CONAPELLIDO ASC}  AS ContactosProductos COMPUTE ContactosProductos, COUNT(ContactosProductos.'PRODUCTOS.ProId') AS Cuenta_productos BY 'CONTACTOS.ConId','ConNombre','ConApellido'"_s},
        {"ContactosServicios_Grouping", "ContactosServicios",
         u"SHAPE {SELECT * FROM CONTACTOS, SERVICIOS, CONTACTOS_SERVICIOS WHERE CONTACTOS.CONID=CONTACTOS_SERVICIOS.CONID AND CONTACTOS_SERVICIOS.SERID=SERVICIOS.SERID ORDER BY CONTACTOS.CONNOMBRE, CONTACTOS.CONAPELLIDO ASC}  AS ContactosServicios COMPUTE ContactosServicios, COUNT(ContactosServicios.'SERVICIOS.SerId') AS Cuenta_servicios BY 'CONTACTOS.ConId','ConNombre','ConApellido'"_s},
        {"EmpresasXzona_Grouping", "EmpresasXzona",
         u"SHAPE {SELECT * FROM EMPRESAS}  AS EmpresasXzona COMPUTE EmpresasXzona BY 'EmpZona','EmpCiudad','EmpProvinciaEstado','EmpPais'"_s},
        {"ContactosXzona_Grouping", "ContactosXzona",
         u"SHAPE {SELECT * FROM CONTACTOS}  AS ContactosXzona COMPUTE ContactosXzona BY 'ConZona','ConCiudad','ConProvinciaEstado','ConPais'"_s},
        {"OrganizarDia", nullptr, u"SELECT * FROM ORGANIZACIONDIARIA ORDER BY ORGFECHA,ORGHORA ASC"_s},
    };
    return c;
}
// clang-format on

const Comando* DteReportes::comando(const QString& nombre) {
    for (const Comando& c : comandos())
        if (nombre == QLatin1String(c.nombre)) return &c;
    return nullptr;
}

namespace {

// The rows of a plain command, read by a record source (typed by the schema's fields).
class FilasDeOrigen : public Filas {
public:
    FilasDeOrigen(const QString& sql, BaseDatos* bd) : origen_(QString(), nullptr, bd) {
        origen_.establecerSql(sql);
        origen_.refrescar();
    }
    int cantidad() const override { return origen_.cantidad(); }
    int columna(const QString& nombre) const override { return origen_.indiceCampo(nombre); }
    QVariant valor(int fila, int columna) const override { return origen_.valor(fila, columna); }

private:
    OrigenRegistros origen_;
};

// The parent rows of a grouping command.
class FilasPadre : public Filas {
public:
    explicit FilasPadre(std::shared_ptr<const ConsultaAgrupada> c) : c_(std::move(c)) {}
    int cantidad() const override { return c_->cantidad(); }
    int columna(const QString& nombre) const override { return c_->indiceCampo(nombre); }
    QVariant valor(int fila, int columna) const override { return c_->valor(fila, columna); }

private:
    std::shared_ptr<const ConsultaAgrupada> c_;
};

// The child rows of a grouping command, numbered group after group.
class FilasHijas : public Filas {
public:
    explicit FilasHijas(std::shared_ptr<const ConsultaAgrupada> c) : c_(std::move(c)) {
        for (int p = 0; p < c_->cantidad(); ++p)
            for (int h = 0; h < c_->cantidadHijas(p); ++h)
                filas_.push_back({p, h});
    }
    int cantidad() const override { return int(filas_.size()); }
    int columna(const QString& nombre) const override { return c_->indiceCampoHijo(nombre); }
    QVariant valor(int fila, int columna) const override {
        if (fila < 0 || fila >= cantidad()) return {};
        const auto [p, h] = filas_[size_t(fila)];
        return c_->valorHija(p, h, columna);
    }

private:
    std::shared_ptr<const ConsultaAgrupada> c_;
    std::vector<std::pair<int, int>> filas_;
};

} // namespace

Datos DteReportes::ejecutar(const QString& nombre, BaseDatos* bd) {
    const Comando* c = comando(nombre);
    if (!c) throw Error(u"El entorno de datos %1 no tiene el comando %2."_s.arg(kNombre, nombre));
    Datos d;
    if (!c->miembro) {
        d.detalle = std::make_shared<FilasDeOrigen>(c->texto, bd);
        return d;
    }
    auto consulta = std::make_shared<const ConsultaAgrupada>(
        bd ? ConsultaAgrupada(*bd, c->texto) : ConsultaAgrupada::abrir(kConexion, c->texto));
    d.padres = std::make_shared<FilasPadre>(consulta);
    d.detalle = std::make_shared<FilasHijas>(consulta);
    int desde = 0;
    for (int p = 0; p < consulta->cantidad(); ++p) {
        const int hasta = desde + consulta->cantidadHijas(p);
        d.grupos.push_back({p, desde, hasta});
        desde = hasta;
    }
    d.orden.resize(size_t(desde));
    for (int i = 0; i < desde; ++i)
        d.orden[size_t(i)] = i;
    return d;
}

} // namespace zv::informe

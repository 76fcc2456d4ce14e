// The writer the crash test kills: it opens a database and writes the way the screens do, as
// fast as it can, through record sources and transactions, and prints one line on its standard
// output for each write once it is stored. It never stops by itself.
//
//   caidas_hijo <database> <run> [<step to pause in>]
//
// A step to pause in makes it stop inside that step's transaction, after its first statement,
// and say "pausa": the test kills it there.
#include "data/basedatos.h"
#include "data/origenregistros.h"

#include <QCoreApplication>
#include <QDate>
#include <QThread>
#include <QTime>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

int pausa = -1;

void decir(const QString& linea) {
    std::fputs(qUtf8Printable(linea + u'\n'), stdout);
    std::fflush(stdout);
}

void pausar(int paso) {
    if (paso != pausa) return;
    decir(u"pausa"_s);
    QThread::sleep(60);
}

// The key of the only row a statement shows.
qint64 clave(BaseDatos& bd, const QString& sql, const QVariantList& p) {
    return bd.escalar(sql, p).toLongLong();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) return 2;
    const QString ruta = QString::fromLocal8Bit(argv[1]);
    const QString vuelta = QString::fromLocal8Bit(argv[2]);
    if (argc > 3) pausa = std::atoi(argv[3]);

    BaseDatos bd(ruta);
    BaseDatos::establecerPrincipal(&bd);
    if (bd.escalar(u"SELECT count(*) FROM PRODUCTOS"_s).toInt() == 0) {
        Transaccion t(bd);
        bd.ejecutar(u"INSERT INTO PRODUCTOS (ProDescripcion) VALUES ('Router')"_s);
        bd.ejecutar(u"INSERT INTO SERVICIOS (SerDescripcion) VALUES ('Soporte')"_s);
        t.confirmar();
    }
    const qint64 producto = clave(bd, u"SELECT min(ProId) FROM PRODUCTOS"_s, {});
    const qint64 servicio = clave(bd, u"SELECT min(SerId) FROM SERVICIOS"_s, {});
    decir(u"listo"_s);

    OrigenRegistros empresas(u"dtaEmpresas"_s, nullptr, &bd);
    empresas.establecerSql(u"SELECT * FROM EMPRESAS WHERE EmpId = 0"_s);
    OrigenRegistros contactos(u"dtaContactos"_s, nullptr, &bd);
    contactos.establecerSql(u"SELECT * FROM CONTACTOS WHERE ConId = 0"_s);
    OrigenRegistros agenda(u"dtaCalendario"_s, nullptr, &bd);
    agenda.establecerSql(u"SELECT * FROM CALENDARIO WHERE CalId = 0"_s);
    OrigenRegistros planes(u"dtaPlanificaciones"_s, nullptr, &bd);
    planes.establecerSql(u"SELECT * FROM PLANIFICACIONES WHERE PlaId = 0"_s);
    for (OrigenRegistros* o : {&empresas, &contactos, &agenda, &planes})
        o->refrescar();

    qint64 empresa = 0;
    QString marcaEmpresa;
    for (int paso = 0;; ++paso) {
        const QString marca = vuelta + u'.' + QString::number(paso);
        switch (paso % 6) {
        case 0: { // a company with a line of business of its own, both or neither
            Transaccion t(bd);
            bd.ejecutar(u"INSERT INTO RAMOS (RamDescripcion) VALUES (?)"_s, {u"R "_s + marca});
            const qint64 ramo = bd.ultimoId();
            pausar(paso);
            empresas.agregarYGuardar([&] {
                empresas.asignar(u"EmpNombreFantasia"_s, u"E "_s + marca);
                empresas.asignar(u"EmpZona"_s, u"R "_s + marca);
                empresas.asignar(u"RamId"_s, ramo);
            });
            t.confirmar();
            empresa = empresas.campo(u"EmpId"_s).toLongLong();
            marcaEmpresa = marca;
            decir(u"empresa "_s + marca);
            break;
        }
        case 1: // the notes of the company, edited as a bound box stores them
            empresas.editar();
            empresas.asignar(u"EmpNotas"_s, marca);
            empresas.actualizar();
            decir(u"nota %1 %2"_s.arg(marcaEmpresa, marca));
            break;
        case 2: { // one edit over a join: the company's zone and its line of business together
            OrigenRegistros union_(u"dtaEmpresasRamos"_s, nullptr, &bd);
            union_.establecerSql(u"SELECT EMPRESAS.EmpId, EMPRESAS.EmpZona, RAMOS.RamDescripcion "
                                 u"FROM EMPRESAS, RAMOS WHERE EMPRESAS.RamId = RAMOS.RamId AND "
                                 u"EMPRESAS.EmpId = %1"_s.arg(empresa));
            union_.refrescar();
            union_.asignar(u"EmpZona"_s, u"Z "_s + marca);
            union_.asignar(u"RamDescripcion"_s, u"Z "_s + marca);
            union_.actualizar();
            decir(u"zona %1 %2"_s.arg(marcaEmpresa, marca));
            break;
        }
        case 3: { // a contact of the company
            Transaccion t(bd);
            contactos.agregarYGuardar([&] { contactos.asignar(u"ConNombre"_s, u"C "_s + marca); });
            pausar(paso);
            bd.ejecutar(u"INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId) VALUES (?, ?)"_s,
                        {empresa, contactos.campo(u"ConId"_s)});
            t.confirmar();
            decir(u"contacto "_s + marca);
            break;
        }
        case 4: { // an agenda entry for the company
            Transaccion t(bd);
            agenda.agregarYGuardar([&] {
                agenda.asignar(u"CalNotas"_s, u"A "_s + marca);
                agenda.asignar(u"CalFecha"_s, QDate(2026, 3, 15));
                agenda.asignar(u"CalHoraInicio"_s, QTime(10, 30));
            });
            pausar(paso);
            bd.ejecutar(u"INSERT INTO CALENDARIO_EMPRESAS (CalId, EmpId) VALUES (?, ?)"_s,
                        {agenda.campo(u"CalId"_s), empresa});
            t.confirmar();
            decir(u"agenda "_s + marca);
            break;
        }
        case 5: { // a business plan with its product, service, line of business and company
            Transaccion t(bd);
            planes.agregarYGuardar([&] {
                planes.asignar(u"PlaDescripcion"_s, u"P "_s + marca);
                planes.asignar(u"PlaFechaInicio"_s, QDate(2026, 1, 1));
                planes.asignar(u"PlaFechaFinal"_s, QDate(2026, 12, 31));
            });
            const qint64 plan = planes.campo(u"PlaId"_s).toLongLong();
            bd.ejecutar(u"INSERT INTO PRODUCTOS_PLANIFICACIONES (ProId, PlaId) VALUES (?, ?)"_s,
                        {producto, plan});
            pausar(paso);
            bd.ejecutar(u"INSERT INTO SERVICIOS_PLANIFICACIONES (SerId, PlaId) VALUES (?, ?)"_s,
                        {servicio, plan});
            bd.ejecutar(u"INSERT INTO RAMOS_PLANIFICACIONES (RamId, PlaId) SELECT RamId, ? "
                        u"FROM EMPRESAS WHERE EmpId = ?"_s,
                        {plan, empresa});
            bd.ejecutar(u"INSERT INTO EMPRESAS_PLANIFICACIONES (EmpId, PlaId) VALUES (?, ?)"_s,
                        {empresa, plan});
            t.confirmar();
            decir(u"plan "_s + marca);
            break;
        }
        }
    }
}

// The link screens: every member through its data table, then the edge cases of searching,
// sorting and the department of a contact in a company.
#include "data/origenregistros.h"
#include "links/miembros.h"
#include "support/entorno.h"
#include "ui/barraherramientas.h"
#include "ui/grilla.h"
#include "ui/ventanas.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

// Keys above what a 16-bit integer holds, so that the screens prove they hand them whole.
constexpr qint64 kEnMano = 40000;
constexpr qint64 kCandidato = 70000;

QString tablaEnMano(const QString& propiedad) {
    if (propiedad == u"EmpId"_s) return u"EMPRESAS"_s;
    if (propiedad == u"ConId"_s) return u"CONTACTOS"_s;
    if (propiedad == u"PlaId"_s) return u"PLANIFICACIONES"_s;
    return u"CALENDARIO"_s;
}

QString campoNombre(Candidatos c) {
    switch (c) {
    case Candidatos::Productos:
        return u"ProDescripcion"_s;
    case Candidatos::Servicios:
        return u"SerDescripcion"_s;
    case Candidatos::Ramos:
        return u"RamDescripcion"_s;
    case Candidatos::Planes:
        return u"PlaDescripcion"_s;
    case Candidatos::Empresas:
        return u"EmpNombreFantasia"_s;
    case Candidatos::Contactos:
        return u"ConNombre"_s;
    }
    return {};
}

// What a screen is made of, found by the names its controls carry.
struct Pantalla {
    QWidget* w;
    const MiembroSeleccion& m;
    OrigenRegistros* candidatos() const {
        return w->findChild<OrigenRegistros*>(m.a.origenCandidatos);
    }
    OrigenRegistros* seleccionadas() const {
        return w->findChild<OrigenRegistros*>(u"dtaSeleccionadas"_s);
    }
    OrigenRegistros* vinculo() const { return w->findChild<OrigenRegistros*>(m.a.origenVinculo); }
    BarraHerramientas* barra() const {
        return w->findChild<BarraHerramientas*>(u"tbrBarraHerramientas"_s);
    }
    BarraHerramientas* subiBaja() const {
        return w->findChild<BarraHerramientas*>(u"tbrSubiBaja"_s);
    }
    QLineEdit* departamento() const { return w->findChild<QLineEdit*>(u"txtAreaDepartamento"_s); }
    Grilla* grillaSeleccionadas() const { return w->findChild<Grilla*>(m.a.grillaSeleccionadas); }
};

} // namespace

class PruebaSeleccion : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;

    prueba::PlataformaPrueba& pp() { return prueba::plataformaPrueba(); }

    qint64 vinculos(const MiembroSeleccion& m) {
        return db
            ->escalar(
                u"SELECT count(*) FROM %1 WHERE %2=%3"_s.arg(m.a.tablaVinculo, m.a.claveEnMano)
                    .arg(kEnMano))
            .toLongLong();
    }

    // Opens a screen modally on a record in hand; the script is what the user does in it.
    void abrir(const QString& pantalla, qint64 clave, std::function<void(Pantalla&)> guion) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const MiembroSeleccion* m = miembroSeleccion(pantalla);
        QVERIFY(m);
        QWidget* w = Ventanas::obtener(pantalla);
        QVERIFY(w);
        QVERIFY(w->setProperty(m->a.propiedad.toLatin1(), QVariant::fromValue<qint64>(clave)));
        bool corrio = false;
        pp().guiones[pantalla] = [&](QWidget* v) {
            Pantalla p{v, *m};
            QAbstractItemModelTester t1(p.grillaSeleccionadas()->model());
            QAbstractItemModelTester t2(v->findChild<Grilla*>(m->a.grillaCandidatos)->model());
            guion(p);
            corrio = true;
        };
        Ventanas::mostrarModal(w);
        QVERIFY(corrio);
    }

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        prueba::registrarVentanas();
        db = std::make_unique<prueba::BaseDatosPrueba>();
    }
    void cleanup() {
        prueba::reiniciarTodo();
        db.reset();
    }

    void cadaMiembroAgregaRechazaDuplicadosYQuita_data() {
        QTest::addColumn<QString>("pantalla");
        for (const MiembroSeleccion& m : miembrosSeleccion())
            QTest::newRow(m.a.pantalla.toLatin1().constData()) << m.a.pantalla;
    }

    void cadaMiembroAgregaRechazaDuplicadosYQuita() {
        QFETCH(QString, pantalla);
        const MiembroSeleccion& m = *miembroSeleccion(pantalla);
        const QString enMano = tablaEnMano(m.a.propiedad);
        db->ejecutar(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(enMano, m.a.propiedad).arg(kEnMano));
        const QString nombre = campoNombre(m.a.candidatos);
        const QString clave = m.a.claveCandidato;
        db->ejecutar(u"INSERT INTO %1 (%2, %3) VALUES (%4, 'Beta'), (%5, 'Alfa')"_s
                         .arg(m.a.tablaCandidatos, clave, nombre)
                         .arg(kCandidato)
                         .arg(kCandidato + 1));
        if (m.a.candidatos == Candidatos::Contactos)
            db->ejecutar(u"UPDATE CONTACTOS SET ConApellido='Ruiz'"_s);

        abrir(pantalla, kEnMano, [&](Pantalla& p) {
            QCOMPARE(p.w->windowTitle(), u"Zelvora"_s + m.c.sufijo);
            QCOMPARE(p.candidatos()->cantidad(), 2);
            QCOMPARE(p.seleccionadas()->cantidad(), 0);
            QVERIFY(!p.subiBaja()->habilitado(u"subir"_s));
            QVERIFY(p.subiBaja()->habilitado(u"bajar"_s));
            if (m.tieneDepartamento()) QVERIFY(!p.departamento()->isEnabled());
            const QString sqlCandidatos = p.candidatos()->sql();

            // Add the candidate that sorts second.
            p.candidatos()->irA(1);
            const qint64 primero = p.candidatos()->campo(clave).toLongLong();
            p.subiBaja()->pulsar(u"bajar"_s);
            QVERIFY(pp().mensajes.isEmpty());
            QCOMPARE(p.seleccionadas()->cantidad(), 1);
            QVERIFY(p.subiBaja()->habilitado(u"subir"_s));
            QCOMPARE(vinculos(m), 1);
            QCOMPARE(db->escalar(u"SELECT %1 FROM %2"_s.arg(clave, m.a.tablaVinculo)).toLongLong(),
                     primero);
            if (m.tieneDepartamento()) QVERIFY(p.departamento()->isEnabled());

            // The same candidate again is refused, naming it.
            p.subiBaja()->pulsar(u"bajar"_s);
            QCOMPARE(pp().mensajes.size(), 1);
            const prueba::Mensaje aviso = pp().ultimoMensaje();
            QCOMPARE(aviso.titulo, u"Atención"_s);
            QCOMPARE(aviso.icono, Icono::Critico);
            QVERIFY2(aviso.texto.contains(m.d.duplicado.trimmed()), qPrintable(aviso.texto));
            QVERIFY2(aviso.texto.contains(p.candidatos()->campo(nombre).toString()),
                     qPrintable(aviso.texto));
            QCOMPARE(vinculos(m), 1);

            // The other candidate too; both are listed, the candidates list is as it was.
            p.candidatos()->irA(0);
            p.subiBaja()->pulsar(u"bajar"_s);
            QCOMPARE(p.seleccionadas()->cantidad(), 2);
            QCOMPARE(vinculos(m), 2);
            QCOMPARE(p.candidatos()->sql(), sqlCandidatos);
            QCOMPARE(p.candidatos()->cantidad(), 2);
            // Every column of both grids finds its field; only companies are edited in place.
            auto* sel = p.grillaSeleccionadas()->modelo();
            auto* can = p.w->findChild<Grilla*>(m.a.grillaCandidatos)->modelo();
            QCOMPARE(sel->rowCount(), 2);
            for (int c = 0; c < sel->columnCount(); ++c)
                QVERIFY(sel->columnaOrigen(c) >= 0);
            for (int c = 0; c < can->columnCount(); ++c)
                QVERIFY(can->columnaOrigen(c) >= 0);
            QCOMPARE(sel->index(0, 0).data().toString(), u"Alfa"_s);
            if (m.a.candidatos == Candidatos::Contactos)
                QCOMPARE(sel->index(0, 1).data().toString(), u"Ruiz"_s);
            QCOMPARE(bool(can->flags(can->index(0, 1)) & Qt::ItemIsEditable),
                     m.a.candidatos == Candidatos::Empresas);

            // Removing the highlighted item takes only its link; the first item is highlighted.
            p.seleccionadas()->irA(1);
            const qint64 quitado = p.seleccionadas()->campo(clave).toLongLong();
            p.subiBaja()->pulsar(u"subir"_s);
            QCOMPARE(p.seleccionadas()->cantidad(), 1);
            QCOMPARE(p.seleccionadas()->posicion(), 0);
            QVERIFY(p.seleccionadas()->campo(clave).toLongLong() != quitado);
            QCOMPARE(vinculos(m), 1);
            QVERIFY(p.subiBaja()->habilitado(u"subir"_s));
            p.subiBaja()->pulsar(u"subir"_s);
            QCOMPARE(vinculos(m), 0);
            QVERIFY(!p.subiBaja()->habilitado(u"subir"_s));
            if (m.tieneDepartamento()) QVERIFY(!p.departamento()->isEnabled());
            QCOMPARE(p.candidatos()->cantidad(), 2);
        });

        // With no candidates at all "Bajar" starts disabled.
        db->ejecutar(u"DELETE FROM %1"_s.arg(m.a.tablaCandidatos));
        abrir(pantalla, kEnMano, [&](Pantalla& p) {
            QCOMPARE(p.candidatos()->cantidad(), 0);
            QVERIFY(!p.subiBaja()->habilitado(u"bajar"_s));
        });
    }

    void losDuplicadosDeLaAgendaNombranPrimeroAlCandidato() {
        db->ejecutar(u"INSERT INTO CALENDARIO (CalId) VALUES (%1)"_s.arg(kEnMano));
        db->ejecutar(u"INSERT INTO CONTACTOS (ConId, ConNombre, ConApellido) VALUES "
                     u"(1, 'Ana', 'Ruiz'), (2, 'Luis', NULL)"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpId, EmpNombreFantasia, EmpRazonSocial) VALUES "
                     u"(1, 'Alfa', 'Alfa S.A.'), (2, NULL, 'Beta S.L.'), (3, '', 'Gamma S.A.')"_s);
        // Each candidate is added, then added again: the second time is refused.
        auto duplicados = [&](const QString& pantalla, const QString& clave, int cuantos) {
            QStringList textos;
            abrir(pantalla, kEnMano, [&](Pantalla& p) {
                for (int i = 0; i < cuantos; ++i) {
                    QVERIFY(p.candidatos()->buscarPrimero(clave + u'=' + QString::number(i + 1)));
                    p.subiBaja()->pulsar(u"bajar"_s);
                    pp().mensajes.clear();
                    p.subiBaja()->pulsar(u"bajar"_s);
                    QCOMPARE(pp().mensajes.size(), 1);
                    QCOMPARE(pp().ultimoMensaje().titulo, u"Atención"_s);
                    QCOMPARE(pp().ultimoMensaje().icono, Icono::Critico);
                    textos << pp().ultimoMensaje().texto;
                }
            });
            return textos;
        };
        // First name and surname run together, with the blank the message starts with.
        QCOMPARE(duplicados(u"frmSelCalendarioContactos"_s, u"ConId"_s, 2),
                 (QStringList{u"AnaRuiz ya participa de esta tarea o reunion "_s,
                              u"Luis ya participa de esta tarea o reunion "_s}));
        // A company without a trade name is named by its business name.
        QCOMPARE(duplicados(u"frmSelCalendarioEmpresas"_s, u"EmpId"_s, 3),
                 (QStringList{u"Alfa ya participa de esta tarea o reunion."_s,
                              u"Beta S.L. ya participa de esta tarea o reunion."_s,
                              u"Gamma S.A. ya participa de esta tarea o reunion."_s}));
        QCOMPARE(db->contar(u"CALENDARIO_CONTACTOS"_s), 2);
        QCOMPARE(db->contar(u"CALENDARIO_EMPRESAS"_s), 3);
    }

    void elDepartamentoQuedaConSuParAlCambiarActualizarYCerrar() {
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpId, EmpNombreFantasia) VALUES (1, 'Acme')"_s);
        db->ejecutar(u"INSERT INTO CONTACTOS (ConId, ConNombre) VALUES (1, 'Ana'), (2, 'Luis')"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId) VALUES (1, 1), (1, 2)"_s);
        auto departamento = [&](int con) {
            return db
                ->escalar(u"SELECT EmpConDepartamento FROM EMPRESAS_CONTACTOS WHERE "
                          u"ConId=%1"_s.arg(con))
                .toString();
        };
        abrir(u"frmSelContactos"_s, 1, [&](Pantalla& p) {
            QVERIFY(p.departamento()->isEnabled());
            QCOMPARE(p.seleccionadas()->campo(u"CONID"_s).toLongLong(), 1);
            QTest::keyClicks(p.departamento(), u"Ventas"_s);
            p.seleccionadas()->irA(1); // highlighting another contact stores it
            QCOMPARE(departamento(1), u"Ventas"_s);
            QVERIFY(p.departamento()->text().isEmpty());
            QTest::keyClicks(p.departamento(), u"Compras"_s);
            p.barra()->pulsar(u"actualizar"_s);
            QCOMPARE(departamento(2), u"Compras"_s);
            QCOMPARE(departamento(1), u"Ventas"_s);
            QCOMPARE(p.departamento()->text(), u"Ventas"_s); // the first item again
            p.departamento()->clear();
            QTest::keyClicks(p.departamento(), u"Gerencia"_s);
            p.barra()->pulsar(u"cerrar"_s);
            QVERIFY(!p.w->isVisible());
        });
        QCOMPARE(departamento(1), u"Gerencia"_s);
        QCOMPARE(departamento(2), u"Compras"_s);
        QVERIFY(pp().mensajes.isEmpty());

        // The same pair from the contact's side shows it again, and the close box stores too.
        abrir(u"frmSelEmpresas"_s, 2, [&](Pantalla& p) {
            QCOMPARE(p.departamento()->text(), u"Compras"_s);
            QTest::keyClick(p.departamento(), Qt::Key_End);
            QTest::keyClicks(p.departamento(), u" y Ventas"_s);
            p.w->close();
        });
        QCOMPARE(departamento(2), u"Compras y Ventas"_s);
    }

    void buscarYOrdenarUnCampo() {
        db->ejecutar(u"INSERT INTO PRODUCTOS (ProDescripcion) VALUES ('Tornillos'), "
                     u"('O''Neil aceite'), ('Arandelas'), ('Tuercas')"_s);
        abrir(u"frmSelEmpresasProductos"_s, 1, [&](Pantalla& p) {
            OrigenRegistros* c = p.candidatos();
            const QString apertura = c->sql();
            // Cancel at the question changes nothing and asks for no text.
            p.barra()->pulsar(u"buscar"_s);
            QVERIFY(pp().entradas.isEmpty());
            QCOMPARE(c->sql(), apertura);

            // An apostrophe is searched as the letter it is.
            pp().respuestas = {Respuesta::No};
            pp().textos = {u"  o'neil "_s};
            p.barra()->pulsar(u"buscar"_s);
            QCOMPARE(pp().entradas.last().prompt,
                     u"Ingrese la descripción del producto a buscar: "_s);
            QCOMPARE(pp().entradas.last().titulo, u"Zelvora"_s);
            QCOMPARE(c->cantidad(), 1);
            QCOMPARE(c->campo(u"ProDescripcion"_s).toString(), u"O'Neil aceite"_s);

            // An exact search that finds nothing says so and lists everything again.
            pp().respuestas = {Respuesta::Si};
            pp().textos = {u"Clavos"_s};
            p.barra()->pulsar(u"buscar"_s);
            QCOMPARE(pp().ultimoMensaje().texto, u"No existen productos con esa descripción"_s);
            QCOMPARE(c->cantidad(), 4);

            // "Orden Des", then "actualizar" brings back the refresh order.
            p.barra()->pulsar(u"ordenar_des"_s);
            QCOMPARE(c->campo(u"ProDescripcion"_s).toString(), u"Tuercas"_s);
            p.barra()->pulsar(u"actualizar"_s);
            QCOMPARE(c->sql(), u"SELECT * FROM PRODUCTOS ORDER BY PRODESCRIPCION ASC"_s);
            QCOMPARE(c->campo(u"ProDescripcion"_s).toString(), u"Arandelas"_s);
            QCOMPARE(pp().punteroActual, Puntero::Normal);
        });
    }

    void losMenusDeCamposUsanLasTablasDeEmpresasYContactos() {
        db->ejecutar(u"INSERT INTO RAMOS (RamId, RamDescripcion) VALUES (1, 'Metalurgia'), "
                     u"(2, 'Metal')"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia, RamId) VALUES ('Acme', 1), "
                     u"('Beta', 2), ('Gamma', 2)"_s);
        db->ejecutar(u"INSERT INTO CONTACTOS (ConNombre, ConDomicilio) VALUES ('Ana', 'Calle B'), "
                     u"('Luis', 'Calle C'), ('Eva', 'Calle A')"_s);
        abrir(u"frmSelCalendarioEmpresas"_s, 1, [&](Pantalla& p) {
            const auto items = p.barra()->itemsDe(u"buscar"_s);
            QVERIFY(items.contains(qMakePair(u"ramo"_s, u"Ramo o Giro"_s)));
            QVERIFY(items.contains(qMakePair(u"email"_s, u"Correo Elecrónico"_s)));
            for (const auto& [clave, texto] : p.barra()->itemsDe(u"ordenar_asc"_s))
                QVERIFY(clave != u"ramo"_s);
            const QString seleccion = p.seleccionadas()->sql();

            // The exact kind finds the companies whose sector is called so, and nothing more.
            pp().respuestas = {Respuesta::Si};
            pp().textos = {u" metal "_s};
            p.barra()->pulsarItem(u"buscar"_s, u"ramo"_s);
            QCOMPARE(pp().entradas.last().prompt,
                     u"Ingrese el ramo o giro de la empresa a buscar: "_s);
            QCOMPARE(p.candidatos()->cantidad(), 2);
            QCOMPARE(p.candidatos()->campo(u"EmpNombreFantasia"_s).toString(), u"Beta"_s);
            QCOMPARE(p.seleccionadas()->sql(), seleccion);

            pp().respuestas = {Respuesta::No};
            pp().textos = {u"textil"_s};
            p.barra()->pulsarItem(u"buscar"_s, u"ramo"_s);
            QCOMPARE(pp().ultimoMensaje().texto, u"No existen empresas con esos datos"_s);
            QCOMPARE(p.candidatos()->cantidad(), 3);
        });
        abrir(u"frmSelPlanesContactos"_s, 1, [&](Pantalla& p) {
            QVERIFY(p.barra()
                        ->itemsDe(u"ordenar_des"_s)
                        .contains(qMakePair(u"domicilio"_s, u"Dirección"_s)));
            QVERIFY(p.barra()
                        ->itemsDe(u"buscar"_s)
                        .contains(qMakePair(u"domicilio"_s, u"Domicilio"_s)));
            p.barra()->pulsarItem(u"ordenar_des"_s, u"domicilio"_s);
            QCOMPARE(p.candidatos()->campo(u"ConNombre"_s).toString(), u"Luis"_s);
            QCOMPARE(pp().punteroActual, Puntero::Normal);
            QVERIFY(pp().punteros.isEmpty());

            // Its button face searches the first name with its own texts.
            pp().respuestas = {Respuesta::No};
            pp().textos = {u"zz"_s};
            p.barra()->pulsar(u"buscar"_s);
            QCOMPARE(pp().entradas.last().prompt, u"Ingrese el nombre del contacto a buscar: "_s);
            QCOMPARE(pp().ultimoMensaje().texto, u"No existen CONTACTOS con esa descripción"_s);
            QCOMPARE(p.candidatos()->sql(), u"SELECT * FROM CONTACTOS ORDER BY CONNOMBRE ASC"_s);
        });
    }

    void losMiembrosDeMenusIgnoranLasCarasDeLosBotones() {
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia) VALUES ('Beta'), ('Alfa')"_s);
        for (const QString& pantalla :
             {u"frmSelEmpresas"_s, u"frmSelContactos"_s, u"frmSelCalendarioEmpresas"_s,
              u"frmSelCalendarioContactos"_s}) {
            abrir(pantalla, 1, [&](Pantalla& p) {
                const QString antes = p.candidatos()->sql();
                pp().respuestas = {Respuesta::Si, Respuesta::Si, Respuesta::Si};
                for (const QString& k : {u"buscar"_s, u"ordenar_asc"_s, u"ordenar_des"_s})
                    p.barra()->pulsar(k);
                QVERIFY(pp().mensajes.isEmpty());
                QCOMPARE(p.candidatos()->sql(), antes);
            });
        }
    }
};

ZV_PRUEBA_MAIN(PruebaSeleccion)
#include "prueba_seleccion.moc"

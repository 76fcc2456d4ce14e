// Searching and ordering in both styles, through the platform double.
#include "data/dberror.h"
#include "data/origenregistros.h"
#include "support/entorno.h"
#include "ui/busqueda.h"

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

FilaBusqueda filaOrigenes() {
    FilaBusqueda f;
    f.promptExacto = u"Ingrese el orígen a buscar: "_s;
    f.tituloEntrada = u"Zelvora - Búsqueda de Orígenes"_s;
    f.exactoPrefijo = u"SELECT * FROM ORIGENES WHERE ORIDESCRIPCION='"_s;
    f.exactoSufijo = u"' ORDER BY ORIDESCRIPCION ASC"_s;
    f.contienePrefijo = u"SELECT * FROM ORIGENES WHERE INSTR(1,ORIDESCRIPCION,'"_s;
    f.contieneSufijo = u"')>0 ORDER BY ORIDESCRIPCION ASC"_s;
    f.ascendente = u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION ASC"_s;
    f.descendente = u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION DESC"_s;
    return f;
}

} // namespace

class PruebaBusqueda : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    std::unique_ptr<OrigenRegistros> o;
    prueba::PlataformaPrueba& p = prueba::plataformaPrueba();
    const QString completa = u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION"_s;

    QStringList lista() { return prueba::valoresDe(*o, u"OriDescripcion"_s); }
    Busqueda simple() {
        TablaBusqueda t;
        t.filas << filaOrigenes();
        t.relojAlOrdenar = true;
        return Busqueda(t, o.get());
    }
    Busqueda protegida() {
        TablaBusqueda t;
        t.estilo = EstiloBusqueda::Protegido;
        t.filas << filaOrigenes();
        t.filas[0].clave = u"descripcion"_s;
        t.noEncontrado = u"No existen orígenes con esos datos"_s;
        t.restaurarExacta = u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION ASC"_s;
        t.restaurarContiene = u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION DESC"_s;
        return Busqueda(t, o.get());
    }

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('Feria'), ('Web'), "
                     u"(' Radio '), ('Ferretería'), ('Prensa'), ('O''Brien')"_s);
        o = std::make_unique<OrigenRegistros>();
        o->establecerSql(completa);
        o->refrescar();
    }
    void cleanup() {
        o.reset();
        db.reset();
    }

    void cancelarLaPreguntaNoCambiaNadaNiPideTexto() {
        p.respuestas = {Respuesta::Cancelar};
        simple().buscar();
        QVERIFY(p.entradas.isEmpty());
        QCOMPARE(o->sql(), completa);
        QCOMPARE(p.ultimoMensaje().texto, busqueda::kPreguntaTipo);
        QCOMPARE(p.ultimoMensaje().titulo, u"Zelvora - Seleccione el tipo de búsqueda"_s);
        QCOMPARE(p.ultimoMensaje().botones, Botones::SiNoCancelar);
    }

    void estiloSimple() {
        // An empty or cancelled answer changes nothing.
        p.respuestas = {Respuesta::Si};
        p.textos = {QString()};
        simple().buscar();
        QCOMPARE(o->sql(), completa);
        QCOMPARE(p.entradas.last().titulo, u"Zelvora - Búsqueda de Orígenes"_s);
        // The contained-text search finds at the start, in the middle and at the end.
        p.respuestas = {Respuesta::No};
        p.textos = {u"e"_s};
        simple().buscar();
        QCOMPARE(lista(),
                 (QStringList{u"Feria"_s, u"Ferretería"_s, u"O'Brien"_s, u"Prensa"_s, u"Web"_s}));
        // Text as typed, blanks included: the exact search finds only the stored blanks.
        p.respuestas = {Respuesta::Si};
        p.textos = {u"Radio"_s};
        simple().buscar();
        QCOMPARE(o->cantidad(), 0);
        QVERIFY(p.mensajes.size() == 3); // no message for an empty result
        p.respuestas = {Respuesta::Si};
        p.textos = {u" RADIO "_s};
        simple().buscar();
        QCOMPARE(lista(), QStringList{u" Radio "_s});
        // An apostrophe is searched for, not a broken statement.
        p.respuestas = {Respuesta::Si};
        p.textos = {u"o'brien"_s};
        simple().buscar();
        QCOMPARE(lista(), QStringList{u"O'Brien"_s});
        // Sorting lists everything again, with the hourglass around it.
        p.punteros.clear();
        simple().ordenar({}, false);
        QCOMPARE(o->cantidad(), 6);
        QCOMPARE(o->valor(0, 1).toString(), u"Web"_s);
        QCOMPARE(p.punteros, (QList<Puntero>{Puntero::Reloj, Puntero::Normal}));
    }

    void estiloProtegido() {
        // Blanks are trimmed; the title is the application's.
        p.respuestas = {Respuesta::Si};
        p.textos = {u"  Web  "_s};
        protegida().buscar(u"descripcion"_s);
        QCOMPARE(lista(), QStringList{u"Web"_s});
        QCOMPARE(p.entradas.last().titulo, u"Zelvora"_s);
        // An empty answer re-queries what is in force.
        p.respuestas = {Respuesta::No};
        p.textos = {QString()};
        protegida().buscar(u"descripcion"_s);
        QCOMPARE(lista(), QStringList{u"Web"_s});
        // Nothing found: the message, then the restore statement of that kind of search.
        p.respuestas = {Respuesta::No, Respuesta::Ok};
        p.textos = {u"zzz"_s};
        protegida().buscar(u"descripcion"_s);
        QCOMPARE(p.ultimoMensaje().texto, u"No existen orígenes con esos datos"_s);
        QCOMPARE(p.ultimoMensaje().titulo, u"Zelvora"_s);
        QCOMPARE(p.ultimoMensaje().icono, Icono::Ninguno);
        QCOMPARE(o->cantidad(), 6);
        QCOMPARE(o->valor(0, 1).toString(), u"Web"_s); // the contained-text restore: descending
        QCOMPARE(o->posicion(), 0);
        // An unknown field key does nothing after the question.
        p.respuestas = {Respuesta::Si};
        protegida().buscar(u"otra"_s);
        QVERIFY(p.entradas.size() == 3);
        // Drop-down items reach the same handling by their keys.
        QVERIFY(protegida().manejar(u"orden_asc"_s, u"descripcion"_s));
        QCOMPARE(o->valor(0, 1).toString(), u" Radio "_s);
        QVERIFY(!protegida().manejar(u"nuevo"_s));
    }
};

ZV_PRUEBA_MAIN(PruebaBusqueda)
#include "prueba_busqueda.moc"

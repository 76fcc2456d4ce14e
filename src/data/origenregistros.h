#pragma once
// A record source: an SQL statement on bd2000.mdb yielding rows with one current row, feeding
// the grids and bound controls of a window. Its operations are those the screens have always
// relied on: set the statement and re-query, move, find, add, edit, delete, and store the edits
// bound controls typed into the current row before it is left.
//
// Rows are kept in one compact block, turned into Qt values only when asked for. A re-query
// reads the first rows at once (a screenful) and the rest a little at a time from the event
// loop, so that a list of any length shows at once and its window stays responsive; whatever
// needs rows not yet read (counting them, the last row, a search, an addition) reads the rest
// first, so the answers are those of a complete read. A grid grows as the rows arrive
// (antesDeRecibirFilas / filasRecibidas). A failed re-query keeps the previous rows.
//
// A re-query that would give the same rows is skipped: same statement, same day, and nothing
// written to the database since the rows were read (BaseDatos::versionDatos, which also sees
// other programs' commits). The source then only makes its first row current again, and says
// so as a re-query does (filasCambiadas, actualCambiado) without antesDeCambiarFilas.
#include "data/basedatos.h"
#include "data/bloquefilas.h"
#include "data/columnaorigen.h"
#include "data/esquema.h"

#include <QDate>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace zv {

class OrigenRegistros : public QObject, private LecturaEnCurso {
    Q_OBJECT
public:
    enum class Edicion { Ninguna, Editando, Agregando };

    // objectName is the control's name ("dtaCalendario"). Uses the program's database unless
    // another is given.
    explicit OrigenRegistros(const QString& nombre = {}, QObject* parent = nullptr,
                             BaseDatos* bd = nullptr);
    ~OrigenRegistros() override;

    BaseDatos& bd() const;

    // --- statement
    void establecerSql(const QString& sql); // the new text runs at the next refrescar()
    const QString& sql() const { return sql_; }
    // Stores pending edits, runs the statement; the first row, if any, becomes current. When the
    // rows held are still what the statement gives (see above) it is not run again.
    void refrescar();
    // Stores pending edits and drops the rows (the window is closing).
    void cerrar();
    bool abierto() const { return abierto_; }

    // --- columns
    int columnas() const { return int(cols_.size()); }
    QString nombreColumna(int c) const;
    int indiceCampo(const QString& nombre) const; // "CalFecha" or "CALENDARIO.CalFecha"; -1
    TipoCampo tipoColumna(int c) const;
    bool columnaEditable(int c) const;
    QString tablaDeColumna(int c) const;

    // --- rows
    int cantidad() const; // every row: reads the rest first when they are still arriving
    bool vacia() const { return filas_.empty(); } // no rows at all (never waits)
    // The rows read so far, and whether more are still arriving.
    int recibidas() const { return int(filas_.size()); }
    bool recibiendo() const { return lectura_ != nullptr; }
    // Reads the rows still to come now.
    void recibirTodas();
    // How a re-query reads: `primera` rows at once, then `porParte` rows each time the event
    // loop comes round (0: as many as take a few milliseconds).
    void establecerPartes(int primera, int porParte = 0);
    // The description of a failure that ended the reading of the rows halfway
    // (lecturaInterrumpida); taken once, then empty.
    QString tomarFalloDeLectura();
    int posicion() const; // the current row, -1 when there is none
    bool hayActual() const { return posicion() >= 0; }
    bool bof() const { return filas_.empty() || actual_ < 0; }
    bool eof() const;
    // A value of a row, typed by its field: QDate, QTime, bool, qint64, double or QString;
    // a null QVariant when empty. The current row shows its pending edits.
    QVariant valor(int fila, int col) const;
    QVariant valorCrudo(int fila, int col) const; // as the engine stores it
    QVariant campo(const QString& nombre) const;  // of the current row; throws when none
    QVariant campo(int col) const;

    // --- moving (each stores the pending edits of the row being left first)
    void primero();
    void ultimo();
    void siguiente();
    void anterior();
    void irA(int fila);
    // Makes current the first row meeting a Jet criteria text ("ACTID=5",
    // "TRIM(ORIDESCRIPCION)='x'"); sinCoincidencia() tells whether none did.
    bool buscarPrimero(const QString& criterio);
    bool sinCoincidencia() const { return sinCoincidencia_; }

    // --- editing
    Edicion modoEdicion() const { return edicion_; }
    void agregarNuevo();
    void editar();
    // Sets a field of the row being edited or added; starts editing the current row if needed.
    void asignar(const QString& nombre, const QVariant& v);
    void asignar(int col, const QVariant& v);
    // Stores the row being edited or added. On failure the edit stays pending (nothing is
    // stored) and the engine's error is thrown.
    void actualizar();
    // Drops the edit of the row, and what bound controls hold for it (edicionDescartada).
    void cancelarActualizacion();
    // Adds a row, lets `llenar` set its fields and stores it at once. When filling or storing
    // fails the addition is cancelled, so nothing half-added stays pending, and the error goes
    // on to the caller.
    void agregarYGuardar(const std::function<void()>& llenar);
    // Deletes the current row. A row other records still use is refused with a message that
    // says how many use it.
    void eliminar();
    // Writes the edits of the bound controls into the current row at once and stores them.
    void guardarPendiente();
    // Registers what writes the edits of bound controls into the current row (with asignar()):
    // every writer runs, in the order registered, before the row is left, the source re-queried
    // or closed, and in guardarPendiente(). Writers are called directly, never through a signal,
    // because one may throw (a value that cannot be stored): the move or the store stops there
    // and the error goes on to the caller. A writer is dropped when its owner goes. `sucio`, when
    // given, tells whether the writer holds an edit it has not yet written.
    void agregarEscritor(QObject* dueno, std::function<void()> escribir,
                         std::function<bool()> sucio = {});
    // The row a stored addition went to.
    int ultimoAgregado() const { return ultimoAgregado_; }
    // True while some bound control or grid holds an edit not yet stored.
    bool hayPendiente() const { return edicion_ != Edicion::Ninguna; }
    // True while the user has an edit in hand: a row being edited or added, or a writer holding
    // what it has not yet written (a control typed into).
    bool editando() const;

Q_SIGNALS:
    // The rows are about to be replaced (not when a re-query is skipped: they stay).
    void antesDeCambiarFilas();
    // The source was re-queried, or found its rows still current, or closed.
    void filasCambiadas();
    void actualCambiado();
    void filaActualizada(int fila);
    void antesDeAgregarFila(int fila);
    void filaAgregada(int fila);
    void antesDeEliminarFila(int fila);
    void filaEliminada(int fila);
    void pendienteCambiado();
    // The edit was cancelled: bound controls drop what they hold and show the row again.
    void edicionDescartada();
    // Rows desde..hasta (both included) arrived after the first ones and join the end.
    void antesDeRecibirFilas(int desde, int hasta);
    void filasRecibidas(int desde, int hasta);
    // Reading the rest of the rows failed; the rows read stay (tomarFalloDeLectura says why).
    void lecturaInterrumpida();

private:
    struct Columna : ColumnaOrigen {
        int oculta = -1; // index of the hidden row identity column of its table
        int clave = -1;  // or the visible column holding its table's counter key
    };
    struct Escritor {
        QPointer<QObject> dueno;
        std::function<void()> escribir;
        std::function<bool()> sucio;
    };
    struct Datos {
        std::vector<Columna> cols;
        int ocultas = 0;
        QStringList tablasOcultas;
        BloqueFilas almacen;                // every column, the hidden ones first
        std::vector<int> filas;             // the stored row each row shows
        std::unique_ptr<Sentencia> lectura; // still giving rows
        quint64 version = 0;
        QDate dia;
    };

    void mover(int nuevo);
    void leer(Datos& d);
    bool filasVigentes();
    // Reads up to `maximo` more rows (all when negative), or for about `plazoNs`, and hands
    // them on.
    void recibir(int maximo, qint64 plazoNs);
    void anunciar();               // the rows read and not yet handed on join the end
    void asegurar(int fila) const; // the row is read, if it exists
    void dejarLectura();
    void terminarLectura() override;
    void soltarLectura() override;
    // Where the row of a column's table is: the condition's field (the engine's row identity,
    // or the table's counter key) and its value; a null value when the row cannot be told.
    struct Ubicacion {
        QString campo;
        QVariant valor;
        int oculta = -1; // the hidden column holding an identity, which an update may change
        bool valida() const { return !valor.isNull(); }
    };
    Ubicacion ubicacion(int fila, int col) const;
    Ubicacion ubicacionDeTabla(int fila, const QString& tabla) const;
    void releer(int fila, const QString& tabla, const Ubicacion& donde);
    [[noreturn]] void sinActual() const;
    void exigirColumna(int col) const;
    int exigirCampo(const QString& nombre) const; // its column; throws when there is none
    void limpiarPendiente();                      // no field assigned, none pending

    BaseDatos* bd_ = nullptr;
    QString sql_;
    bool abierto_ = false;
    std::vector<Columna> cols_;
    int ocultas_ = 0;
    QStringList tablasOcultas_;
    BloqueFilas almacen_;
    std::vector<int> filas_;
    int actual_ = -1;
    bool sinCoincidencia_ = false;
    Edicion edicion_ = Edicion::Ninguna;
    std::vector<QVariant> pendiente_;
    std::vector<bool> asignado_;
    int ultimoAgregado_ = -1;
    bool guardando_ = false;
    std::vector<Escritor> escritores_;

    // Where the rows came from: while vigentes_, they are what sqlLeida_ gave on bdLeida_ at
    // version_ on dia_ (false once closed, changed here, or cut short).
    bool vigentes_ = false;
    QString sqlLeida_;
    BaseDatos* bdLeida_ = nullptr;
    quint64 version_ = 0;
    QDate dia_;
    // The rest of the rows, still to be read.
    std::unique_ptr<Sentencia> lectura_;
    std::vector<int> porAnunciar_; // read, not yet handed on
    QElapsedTimer anunciado_;
    BaseDatos* bdLectura_ = nullptr;
    QTimer* temporizador_ = nullptr;
    int primeraParte_ = 256;
    int porParte_ = 0;
    QString falloLectura_;
};

} // namespace zv

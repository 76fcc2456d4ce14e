#pragma once
// A record source: an SQL statement on bd2000.mdb yielding rows with one current row, feeding
// the grids and bound controls of a window. Its operations are those the screens have always
// relied on: set the statement and re-query, move, find, add, edit, delete, and store the edits
// bound controls typed into the current row before it is left.
//
// Rows are read completely when the statement runs (into one compact block, turned into Qt
// values only when asked for), so counting, moving and painting a grid cost nothing more. A
// failed re-query keeps the previous rows.
#include "data/bloquefilas.h"
#include "data/columnaorigen.h"
#include "data/esquema.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace zv {

class BaseDatos;

class OrigenRegistros : public QObject {
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
    // Stores pending edits, runs the statement; the first row, if any, becomes current.
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
    int cantidad() const { return int(filas_.size()); }
    int posicion() const; // the current row, -1 when there is none
    bool hayActual() const { return posicion() >= 0; }
    bool bof() const { return filas_.empty() || actual_ < 0; }
    bool eof() const { return filas_.empty() || actual_ >= int(filas_.size()); }
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
    // and the error goes on to the caller. A writer is dropped when its owner goes.
    void agregarEscritor(QObject* dueno, std::function<void()> escribir);
    // The row a stored addition went to.
    int ultimoAgregado() const { return ultimoAgregado_; }
    // True while some bound control or grid holds an edit not yet stored.
    bool hayPendiente() const { return edicion_ != Edicion::Ninguna; }

Q_SIGNALS:
    void antesDeCambiarFilas();
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

private:
    struct Columna : ColumnaOrigen {
        int oculta = -1; // index of the hidden row identity column of its table
        int clave = -1;  // or the visible column holding its table's counter key
    };
    struct Escritor {
        QPointer<QObject> dueno;
        std::function<void()> escribir;
    };
    struct Datos {
        std::vector<Columna> cols;
        int ocultas = 0;
        QStringList tablasOcultas;
        BloqueFilas almacen;    // every column, the hidden ones first
        std::vector<int> filas; // the stored row each row shows
    };

    void mover(int nuevo);
    void leer(Datos& d);
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
};

} // namespace zv

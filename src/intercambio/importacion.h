#pragma once
// Bringing records in from other programs' files: companies and contacts from CSV or vCard, the
// agenda from iCalendar. The file is read one record at a time; every accepted record is stored
// in one transaction, so an import that fails or is cancelled stores nothing. No widgets: the
// import window and the command line both run this and show the same result.
#include "intercambio/campos.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QTimeZone>
#include <functional>
#include <memory>

namespace zv {
class BaseDatos;
}

namespace zv::intercambio {

enum class Formato { Csv, Vcard, Icalendar };

// The format a file's extension names (.csv, .vcf, .ics); throws zv::Error for another one or
// one the records cannot be kept in.
Formato formatoDeArchivo(const QString& archivo, Destino destino);

// How long work is going: done out of total (in any unit); answering false cancels it.
using Progreso = std::function<bool(qint64 hecho, qint64 total)>;

struct Rechazo {
    qint64 linea;
    QString motivo;
};

struct Resultado {
    Destino destino = Destino::Contactos;
    qint64 agregados = 0;
    qint64 actualizados = 0; // agenda entries an event imported before changed
    qint64 sinCambios = 0;   // agenda entries already there as the file has them
    qint64 omitidos = 0;     // possible duplicates
    qint64 rechazados = 0;
    qint64 empresasCreadas = 0; // companies a contact's file named that were not stored
    // The first skipped and refused records, with their lines and reasons.
    QList<Rechazo> omitidosDetalle;
    QList<Rechazo> rechazos;

    // What the import window and the command line show: counts, then each refused and skipped
    // record by line.
    QString informe() const;
    // Whether anything was stored or found already there.
    bool algoImportado() const { return agregados + actualizados + sinCambios > 0; }
};

// One record as read from the file, as it would be stored.
struct FilaImportada {
    qint64 linea = 0;
    QHash<QString, QString> valores; // field key (see campos.h) -> text
    // A contact's companies and its department in each.
    QList<QPair<QString, QString>> empresas;
    QString problema;  // why it is refused; empty when it is not
    QString duplicado; // which record it may repeat; empty when none
};

struct OpcionesImportacion {
    QTimeZone zona = QTimeZone::systemTimeZone(); // the agenda's times
};

class Importacion {
public:
    // Opens the file and reads its first row (CSV headings). Throws zv::Error, naming the line
    // and the problem, when the file cannot be read as what its extension says.
    Importacion(BaseDatos& bd, Destino destino, const QString& archivo,
                const OpcionesImportacion& opciones = {});
    ~Importacion();

    Destino destino() const { return destino_; }
    Formato formato() const { return formato_; }
    QString archivo() const { return archivo_; }
    qint64 tamano() const;

    // CSV: the file's headings and the field proposed for each column (empty: not imported).
    QStringList encabezados() const { return encabezados_; }
    QStringList asignacion() const { return asignacion_; }
    // Changes a column's field; a field given to another column is taken from it.
    void asignar(int columna, const QString& clave);

    // The first records as they would be stored, with their problems and possible duplicates.
    // Throws zv::Error as the import would.
    QList<FilaImportada> vistaPrevia(int cuantas = 50);

    // Possible duplicates are skipped unless kept: all of them, or those of chosen lines.
    void conservarDuplicados(bool todos) { conservarTodos_ = todos; }
    void conservarLinea(qint64 linea, bool conservar = true);

    // Stores every accepted record in one transaction and says what happened. A progress
    // answered false cancels: nothing is stored and the result says so. Throws zv::Error when
    // the file turns out unreadable (nothing stored either).
    Resultado ejecutar(const Progreso& progreso = {});
    bool cancelada() const { return cancelada_; }

private:
    std::unique_ptr<class FuenteFilas> abrirFuente() const;
    Resultado importarAgenda(const Progreso& progreso);

    BaseDatos& bd_;
    Destino destino_;
    QString archivo_;
    Formato formato_;
    OpcionesImportacion opciones_;
    QStringList encabezados_;
    QStringList asignacion_;
    bool conservarTodos_ = false;
    QSet<qint64> conservadas_;
    bool cancelada_ = false;
};

} // namespace zv::intercambio

#pragma once
// Grouped queries: the rows of a child query gathered into parent rows, one per distinct
// combination of one to four grouping fields, with a count or a sum over each group. The
// statistics windows and the reports write them the way they always have:
//
//   SHAPE {select * from Contactos} AS ChildCommand COMPUTE ChildCommand,
//       COUNT(ChildCommand.[ConId]) AS [ConId] BY [ConCiudad], [ConZona]
//   SHAPE {SELECT ...} AS Empresas COMPUTE Empresas BY 'EMPRESAS.EmpId','EmpNombreFantasia'
//
// Parent rows come in the order their first child row was met. Grouping values compare as the
// engine compares text (letter case never counts, "CÓRDOBA" = "Córdoba"), and a parent row keeps
// the form met first. The aggregate stands under its alias. Child rows keep every column of the
// child query, in its order, named by plain name or by "Table.Field".
//
// Whoever reads only parent rows (the statistics windows) asks for them alone: the child query
// then fetches only the grouping and aggregated columns, and no child row is kept.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace zv {

class BaseDatos;

enum class Agregado { Ninguno, Cuenta, Suma };

// A command taken apart.
struct ComandoAgrupado {
    QString consultaHija; // the child query, as written between the braces (Jet dialect)
    QString nombreHijo;   // the name after AS: the child member ("ChildCommand")
    Agregado agregado = Agregado::Ninguno;
    QString campoAgregado; // the child field counted or summed: "ConId", "Empresas.EmpId"
    QString alias;         // the aggregate's name among the parent fields
    QStringList campos;    // the BY fields as written, without brackets or quotes

    // Throws zv::Error, with a Spanish description of what is wrong, when the text is not such
    // a command.
    static ComandoAgrupado analizar(const QString& texto);
};

// The database a connection string names by its "Data Source". "bd2000.mdb" (a bare file name)
// is the program's database wherever the program keeps it, on a server too; another path names
// another file, and a server's settings a server database, opened for the life of the
// connection. Provider names and other settings are ignored.
class ConexionAgrupada {
public:
    // Throws zv::Error (or zv::DbError when the file cannot be opened).
    explicit ConexionAgrupada(const QString& cadena);
    ~ConexionAgrupada();
    ConexionAgrupada(const ConexionAgrupada&) = delete;
    ConexionAgrupada& operator=(const ConexionAgrupada&) = delete;

    BaseDatos& bd() const { return *bd_; }

private:
    BaseDatos* bd_ = nullptr;
    std::unique_ptr<BaseDatos> propia_;
};

class ConsultaAgrupada {
public:
    enum class Hijos {
        Leer,   // parent rows with their child rows (reports)
        Omitir, // parent rows only (statistics windows)
    };

    // Runs a command; throws zv::Error when it cannot be parsed or a field it names is not in
    // the child query, zv::DbError when the engine refuses the child query.
    ConsultaAgrupada(BaseDatos& bd, const QString& comando, Hijos hijos = Hijos::Leer);
    // Opens the connection a connection string names, runs the command, and lets the
    // connection go: the result holds everything it needs.
    static ConsultaAgrupada abrir(const QString& cadenaConexion, const QString& comando,
                                  Hijos hijos = Hijos::Leer);
    ~ConsultaAgrupada();
    ConsultaAgrupada(ConsultaAgrupada&&) noexcept;
    ConsultaAgrupada& operator=(ConsultaAgrupada&&) noexcept;

    const ComandoAgrupado& comando() const;
    // The child query as it ran (Jet dialect): narrowed to the fields it needs when only parent
    // rows were asked for.
    const QString& sentencia() const;

    // --- parent rows
    int cantidad() const;
    bool vacia() const { return cantidad() == 0; }
    // The parent fields: the BY fields as written, then the aggregate's alias when there is one.
    int campos() const;
    QString nombreCampo(int campo) const;
    // A parent field by name: as written in BY ("EMPRESAS.EmpId"), by its plain name ("EmpId"),
    // or the alias; -1 when there is none.
    int indiceCampo(const QString& nombre) const;
    // Values come typed as the record sources type them (QDate, QTime, bool, qint64, double,
    // QString); a null QVariant when empty. A count is a qint64; a sum is a qint64 over whole
    // numbers and a double otherwise, null when the group has no value to add.
    QVariant valor(int fila, int campo) const;
    // Throws zv::Error when the result has no such field.
    QVariant valor(int fila, const QString& nombre) const;

    // --- child rows, when they were read
    bool hijosLeidos() const;
    int columnasHijas() const;
    QString nombreColumnaHija(int columna) const; // as the child query names it
    QString tablaColumnaHija(int columna) const;  // its table as the schema names it, if any
    // "ConNombre" (the first column so named) or "CONTACTOS.ConNombre"; -1 when none.
    int indiceCampoHijo(const QString& nombre) const;
    // The child rows of a parent row, in the child query's order. Throw zv::Error when the
    // child rows were not read.
    int cantidadHijas(int fila) const;
    QVariant valorHija(int fila, int hija, int columna) const;
    QVariant valorHija(int fila, int hija, const QString& nombre) const;

private:
    struct Datos;
    std::unique_ptr<Datos> d_;
};

} // namespace zv

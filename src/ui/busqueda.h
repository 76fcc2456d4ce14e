#pragma once
// Searching and ordering a list, the one way every list screen does it: the statement of the
// record source behind the grid is replaced and re-queried. A screen supplies only its search
// table (one row per searchable field) and a few settings; this does the rest.
//
// Plain style: the text is used as typed and an empty result shows an empty list.
// Guarded style: the text is trimmed, and an empty result is announced with the screen's
// message, after which its full list is shown again.
#include <QList>
#include <QString>
#include <functional>

namespace zv {

class OrigenRegistros;

struct FilaBusqueda {
    QString clave;  // field key of the drop-down and menu items; empty in one-row tables
    QString titulo; // caption of those items
    QString promptExacto;
    QString promptContiene; // empty: the same as promptExacto
    QString tituloEntrada;  // input box title (the guarded style always uses the app title)
    QString defecto;        // text pre-filled in the input box
    QString exactoPrefijo, exactoSufijo;
    QString contienePrefijo, contieneSufijo;
    QString ascendente, descendente; // complete statements; empty when the field has no sort
    // Optional: decides whether a typed text can be searched (and may rewrite it); a text it
    // refuses counts as no text at all.
    std::function<bool(QString& texto, bool exacta)> aceptar;
};

// A search on one field of a table, as the screens write it: "SELECT * FROM T WHERE F='" text
// "'", "SELECT * FROM T WHERE INSTR(1,F,'" text "')>0", and the two sorts on the field. `cola`
// follows both searches (an order, for instance). Only the statements are filled in.
FilaBusqueda filaDeCampo(const QString& tabla, const QString& campo, const QString& cola = {});

enum class EstiloBusqueda { Simple, Protegido };

struct TablaBusqueda {
    EstiloBusqueda estilo = EstiloBusqueda::Simple;
    QList<FilaBusqueda> filas;
    QString noEncontrado;                       // guarded style
    QString noEncontradoContiene;               // empty: the same as noEncontrado
    QString restaurarExacta, restaurarContiene; // guarded style; restaurarContiene empty: same
    bool relojAlOrdenar = false;
    QString claveBuscar = QStringLiteral("buscar");
    QString claveAsc = QStringLiteral("orden_asc");
    QString claveDes = QStringLiteral("orden_des");

    const FilaBusqueda* fila(const QString& clave) const;
};

class Busqueda {
public:
    // despues runs at the end of every search or sort that re-queried (a grid redraw, a refill).
    Busqueda(TablaBusqueda tabla, OrigenRegistros* origen, std::function<void()> despues = {});

    const TablaBusqueda& tabla() const { return tabla_; }

    // The search of a field (the only row in one-row tables when clave is empty).
    void buscar(const QString& clave = {});
    void ordenar(const QString& clave, bool ascendente);
    // Dispatches a drop-down item or a button by the keys of its parent button and its own;
    // false when the keys are not this table's.
    bool manejar(const QString& claveBoton, const QString& claveItem = {});

private:
    TablaBusqueda tabla_;
    OrigenRegistros* origen_;
    std::function<void()> despues_;
};

// The question that comes before every search.
namespace busqueda {
inline const QString kPreguntaTipo = QStringLiteral(
    "Puede realizar una búsqueda exacta o dentro del texto. Para realizar una busqueda exacta de clic en 'Si'. Haga clic en 'No' para buscar dentro del texto.");
inline const QString kTituloPregunta = QStringLiteral("Zelvora - Seleccione el tipo de búsqueda");
} // namespace busqueda

} // namespace zv

#pragma once
// The fifteen link screens are one design; what tells them apart is data. Each member names the
// record in hand and its key property, the link table with its two keys, the candidate table,
// its record sources and grids (A), its queries (B), its title and grid captions (C), the texts
// of its search and of its duplicate refusal (D) and its tooltips (E). The company and contact
// members also carry the field menus of their top toolbar (F).
#include "ui/barraherramientas.h"
#include "ui/busqueda.h"
#include "ui/grilla.h"

#include <QString>
#include <vector>

namespace zv {

// What the candidates are: decides the columns of the candidates grid and the field menus.
enum class Candidatos { Productos, Servicios, Ramos, Planes, Empresas, Contactos };

// How the refused candidate is named in the duplicate message.
enum class NombreDuplicado {
    AlFinal,                // the message, then the candidate's field
    NombreYApellidoPrimero, // ConNombre and ConApellido run together, then the message
    NombreORazonPrimero,    // EmpNombreFantasia (EmpRazonSocial when it is empty), then the message
};

struct MiembroSeleccion {
    struct Tablas { // A
        QString pantalla;
        QString propiedad; // key property of the record in hand: EmpId, ConId, PlaId, CalId
        QString tablaVinculo;
        QString claveEnMano, claveCandidato; // as the link-source query writes them
        QString tablaCandidatos;
        Candidatos candidatos;
        QString origenCandidatos, grillaCandidatos;
        QString origenVinculo;
        QString grillaSeleccionadas;
    } a;
    struct Consultas {                            // B
        QString seleccionAntes, seleccionDespues; // the record in hand's key goes between them
        // Empty: searched and sorted by menus only.
        QString tablaBusqueda = {}, campoBusqueda = {};
        QString apertura, refresco;
    } b;
    struct Titulos { // C
        QString sufijo;
        QString candidatos, seleccionadas;
        QList<ColumnaGrilla> columnasSeleccionadas;
    } c;
    struct Textos {          // D
        QString prompt = {}; // the search's (empty in the members searched by menus only)
        QString noEncontrado = {};
        QString noEncontradoContiene = {}; // empty: the same after both kinds of search
        QString duplicado;
        QString campoDuplicado = {}; // empty: the form below names the candidate
        NombreDuplicado forma = NombreDuplicado::AlFinal;
    } d;
    struct Ayudas { // E
        QString buscar, bajar, subir;
    } e;

    // The one-field search of the button faces; false in the four members searched by menus only.
    bool buscaPorCampo() const { return !b.campoBusqueda.isEmpty(); }
    // The six members whose candidates are companies or contacts have field menus.
    bool tieneMenus() const {
        return a.candidatos == Candidatos::Empresas || a.candidatos == Candidatos::Contactos;
    }
    // The two members that keep a contact's department in the company.
    bool tieneDepartamento() const {
        return a.tablaVinculo.compare(QLatin1String("EMPRESAS_CONTACTOS"), Qt::CaseInsensitive) ==
               0;
    }
    // Companies may be edited in the candidates grid.
    bool candidatosEditables() const { return a.candidatos == Candidatos::Empresas; }
};

const std::vector<MiembroSeleccion>& miembrosSeleccion();
const MiembroSeleccion* miembroSeleccion(const QString& pantalla);

// The candidates grid's columns for a kind of candidate.
QList<ColumnaGrilla> columnasCandidatos(Candidatos c);

// The field menus of the top toolbar (F), per button key ("buscar", "ordenar_asc",
// "ordenar_des"), in menu order.
ItemsDesplegable menuCampos(Candidatos c, const QString& claveBoton);

// The field of the company's business sector, searched from the companies' "Buscar" menu only.
FilaBusqueda filaRamoOGiro();

} // namespace zv

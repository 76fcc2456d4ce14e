#pragma once
// The fields of companies and contacts as files carry them: the heading the export writes (and
// the import reads back), the other names other programs give the same column (Spanish and
// English, letter case and accents ignored), and the most characters the field takes, which are
// the limits of the companies' and contacts' screens.
#include <QString>
#include <QStringList>
#include <vector>

namespace zv::intercambio {

enum class Destino { Empresas, Contactos, Agenda };

// Columns that are not a field of the table itself.
inline const QString kRamo = QStringLiteral("Ramo");                 // RAMOS, by description
inline const QString kOrigen = QStringLiteral("Origen");             // ORIGENES, by description
inline const QString kEmpresa = QStringLiteral("Empresa");           // a contact's companies
inline const QString kDepartamento = QStringLiteral("Departamento"); // ... and area in each

struct CampoArchivo {
    QString clave;       // the table's field, or one of the columns above
    QString encabezado;  // the heading written and read back
    int largo;           // most characters; 0 for no limit
    QStringList nombres; // other headings taken for this field
};

// The fields of companies or contacts, in the order the export writes them.
const std::vector<CampoArchivo>& camposDe(Destino d);
const CampoArchivo* campo(Destino d, const QString& clave);

// A heading reduced for comparison: lower case, no accents, letters and digits only.
QString normalizar(const QString& encabezado);
// The field a heading names (its key), or empty; each field goes to the first column that names
// it, so `tomados` lists the keys already given.
QString campoDeEncabezado(Destino d, const QString& encabezado, const QStringList& tomados = {});

// "empresas", "contactos", "entradas de la agenda"
QString sustantivo(Destino d);

} // namespace zv::intercambio

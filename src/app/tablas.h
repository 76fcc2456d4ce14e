#pragma once
// The main window's menu tables: the thirty-nine statistical queries of Herramientas >
// Consultas, and the twenty report entries of Archivo > Vista previa/Exportar and Imprimir.
#include <QString>
#include <vector>

namespace zv {

struct FilaConsulta {
    int numero;       // Q1 .. Q39, in menu order
    const char* menu; // menu item (a control array when indice > 0)
    int indice;
    QString caption;     // caption of the menu item
    const char* ventana; // statistics window that shows it
    const char* campoX;  // rows (categories)
    const char* campoY;  // measure
    const char* campoZ;  // series
    QString titulo;      // caption of the window while it shows the query
    QString comando;     // the grouped command
};

struct FilaInforme {
    const char* menu;
    QString caption;
    bool previsualizar; // preview, or print
    const char* informe;
};

const std::vector<FilaConsulta>& tablaConsultas();
const std::vector<FilaInforme>& tablaInformes();
// The connection string every statistical query is opened with.
QString cadenaConexionConsultas();
// The objectName of a query's menu item: "mnuHerramientasConsultasContactos(1)".
QString nombreItemConsulta(const FilaConsulta& f);

} // namespace zv

#pragma once
// The main window: menus and toolbar reaching every screen, and the agenda shown as a list or as
// a month calendar. Closing it ends the program.
#include "ui/ventana.h"

#include <QDate>
#include <QString>
#include <memory>

class QCalendarWidget;
class QTreeView;
class QAction;

namespace zv {

class BarraHerramientas;
class Busqueda;
class ModeloAgenda;
class OrigenRegistros;
struct FilaConsulta;

class FrmPrincipal : public Ventana {
    Q_OBJECT
    // The query a statistics window runs, written by the Consultas menu handlers.
    Q_PROPERTY(QString titulo_consulta MEMBER titulo_consulta)
    Q_PROPERTY(QString SHAPE_COMMAND MEMBER SHAPE_COMMAND)
    Q_PROPERTY(QString CONNECT_STRING MEMBER CONNECT_STRING)
    Q_PROPERTY(QString FIELD_X MEMBER FIELD_X)
    Q_PROPERTY(QString FIELD_Y MEMBER FIELD_Y)
    Q_PROPERTY(QString FIELD_Z MEMBER FIELD_Z)
public:
    FrmPrincipal();
    ~FrmPrincipal() override;

    // The common beginning of every statement of the agenda list.
    static const QString P;

    QString titulo_consulta;
    QString SHAPE_COMMAND;
    QString CONNECT_STRING;
    QString FIELD_X;
    QString FIELD_Y;
    QString FIELD_Z;

    // Refills the agenda list from its record source (re-querying the reminder rows first).
    void LlenarAgenda();

    OrigenRegistros* dtaCalendario() const { return dtaCalendario_; }
    OrigenRegistros* dtcAvisos() const { return dtcAvisos_; }
    BarraHerramientas* barra() const { return barra_; }
    ModeloAgenda* modeloAgenda() const { return modelo_; }
    QTreeView* lvAgenda() const { return lvAgenda_; }
    QCalendarWidget* Calendar1() const { return calendario_; }

    // Choosing a day in the calendar.
    void elegirDia(const QDate& dia);
    // Clicking a column heading of the list.
    void ordenarPorColumna(int columna);

protected:
    void alActivar() override;
    bool alCerrar() override;

private:
    void construirBarra();
    void construirMenus();
    void botonPulsado(const QString& clave);
    void itemPulsado(const QString& claveBoton, const QString& claveItem);
    void actualizar();
    void alternarBarra();
    void verLista();
    void verCalendario();
    void consulta(const FilaConsulta& fila);
    void aplicarMargenes();

    OrigenRegistros* dtaCalendario_;
    OrigenRegistros* dtcAvisos_;
    BarraHerramientas* barra_ = nullptr;
    ModeloAgenda* modelo_;
    QTreeView* lvAgenda_;
    QCalendarWidget* calendario_;
    QAction* mnuVerBarraHerramientas_ = nullptr;
    std::unique_ptr<Busqueda> busqueda_;
};

} // namespace zv

#pragma once
// A link screen: the rows of one link table that belong to the record in hand. The upper grid
// lists every candidate, the lower one the candidates already linked; "Bajar" links the
// highlighted candidate and "Subir" takes the highlighted link away. The fifteen screens are
// this one class, each built from its member of the table in links/miembros.h.
#include "ui/ventana.h"

#include <memory>

class QLineEdit;

namespace zv {

class BarraHerramientas;
class Busqueda;
class Enlaces;
class Grilla;
class OrigenRegistros;
struct MiembroSeleccion;

class FrmSeleccion : public Ventana {
    Q_OBJECT
    // The key of the record in hand, under the name its callers use; a screen answers only to
    // its own (a company screen to EmpId, an agenda screen to CalId, ...).
    Q_PROPERTY(qint64 EmpId READ empId WRITE setEmpId)
    Q_PROPERTY(qint64 ConId READ conId WRITE setConId)
    Q_PROPERTY(qint64 PlaId READ plaId WRITE setPlaId)
    Q_PROPERTY(qint64 CalId READ calId WRITE setCalId)
public:
    explicit FrmSeleccion(const MiembroSeleccion& miembro);
    ~FrmSeleccion() override;

    const MiembroSeleccion& miembro() const { return m_; }
    qint64 claveEnMano() const { return clave_; }

    qint64 empId() const { return clavePara("EmpId"); }
    qint64 conId() const { return clavePara("ConId"); }
    qint64 plaId() const { return clavePara("PlaId"); }
    qint64 calId() const { return clavePara("CalId"); }
    void setEmpId(qint64 v) { asignarClave("EmpId", v); }
    void setConId(qint64 v) { asignarClave("ConId", v); }
    void setPlaId(qint64 v) { asignarClave("PlaId", v); }
    void setCalId(qint64 v) { asignarClave("CalId", v); }

protected:
    void alActivar() override;

private:
    qint64 clavePara(const char* propiedad) const;
    void asignarClave(const char* propiedad, qint64 v);
    void construirBarras();
    void botonPulsado(const QString& clave);
    void itemPulsado(const QString& claveBoton, const QString& claveItem);
    void subiBajaPulsado(const QString& clave);
    void bajar();
    void subir();
    void actualizar();
    void cerrarPantalla();
    void releerSeleccionadas();
    void seguirSeleccion();
    void ajustarDepartamento();
    QString consultaPar(qint64 candidato) const;
    QString textoDuplicado() const;

    const MiembroSeleccion& m_;
    qint64 clave_ = 0;
    OrigenRegistros* candidatos_;
    OrigenRegistros* seleccionadas_;
    OrigenRegistros* vinculo_;
    Grilla* grillaCandidatos_ = nullptr;
    Grilla* grillaSeleccionadas_ = nullptr;
    BarraHerramientas* barra_ = nullptr;
    BarraHerramientas* subiBaja_ = nullptr;
    QLineEdit* departamento_ = nullptr;
    Enlaces* enlacesVinculo_ = nullptr;
    std::unique_ptr<Busqueda> busquedaCampo_;
    std::unique_ptr<Busqueda> busquedaMenus_;
    // While a step re-reads the selected list itself, the link source is pointed by that step.
    bool enPaso_ = false;
};

} // namespace zv

#include "links/frmseleccion.h"

#include "data/aplicacion.h"
#include "data/basedatos.h"
#include "data/origenregistros.h"
#include "links/miembros.h"
#include "masterdata/busquedas.h"
#include "ui/barraherramientas.h"
#include "ui/busqueda.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/grilla.h"
#include "ui/plataforma.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

const QString kAtencion = u"Atención"_s;

// The search of the button faces: one field of the candidate table, guarded style.
TablaBusqueda tablaDeUnCampo(const MiembroSeleccion& m) {
    FilaBusqueda fila = filaDeCampo(m.b.tablaBusqueda, m.b.campoBusqueda);
    fila.promptExacto = m.d.prompt;
    fila.tituloEntrada = aplicacion::kTitulo;
    TablaBusqueda tabla;
    tabla.estilo = EstiloBusqueda::Protegido;
    tabla.filas = {fila};
    tabla.noEncontrado = m.d.noEncontrado;
    tabla.noEncontradoContiene = m.d.noEncontradoContiene;
    tabla.restaurarExacta = m.b.refresco;
    tabla.claveAsc = u"ordenar_asc"_s;
    tabla.claveDes = u"ordenar_des"_s;
    return tabla;
}

// The field menus search and sort with the companies' or contacts' own table; the companies'
// "Buscar" menu also finds them by the description of their business sector.
TablaBusqueda tablaDeMenus(Candidatos c) {
    TablaBusqueda tabla =
        c == Candidatos::Empresas ? tablaBusquedaEmpresas() : tablaBusquedaContactos();
    tabla.claveAsc = u"ordenar_asc"_s;
    tabla.claveDes = u"ordenar_des"_s;
    tabla.relojAlOrdenar = false;
    if (c == Candidatos::Empresas) tabla.filas.append(filaRamoOGiro());
    return tabla;
}

} // namespace

FrmSeleccion::FrmSeleccion(const MiembroSeleccion& miembro)
    : Ventana(miembro.a.pantalla), m_(miembro),
      candidatos_(new OrigenRegistros(miembro.a.origenCandidatos, this)),
      seleccionadas_(new OrigenRegistros(u"dtaSeleccionadas"_s, this)),
      vinculo_(new OrigenRegistros(miembro.a.origenVinculo, this)) {
    establecerTitulo(m_.c.sufijo);

    // The link source appends new links; until the selected list has an item to follow it
    // stands on the whole link table, which is read only if something needs its rows.
    vinculo_->establecerSql(m_.a.tablaVinculo);
    candidatos_->establecerSql(m_.b.apertura);

    auto* central = new QWidget(this);
    auto* l = new QVBoxLayout(central);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);

    grillaCandidatos_ =
        new Grilla(m_.a.grillaCandidatos, candidatos_, columnasCandidatos(m_.a.candidatos));
    grillaCandidatos_->establecerTitulo(m_.c.candidatos);
    grillaCandidatos_->establecerEditable(m_.candidatosEditables());
    l->addWidget(grillaCandidatos_->conTitulo(), 3015);

    subiBaja_ = new BarraHerramientas(u"tbrSubiBaja"_s, central);
    subiBaja_->setFixedHeight(px(570));
    l->addWidget(subiBaja_);

    grillaSeleccionadas_ =
        new Grilla(m_.a.grillaSeleccionadas, seleccionadas_, m_.c.columnasSeleccionadas);
    grillaSeleccionadas_->establecerTitulo(m_.c.seleccionadas);
    l->addWidget(grillaSeleccionadas_->conTitulo(), m_.tieneDepartamento() ? 1935 : 2415);

    int alto = px(570) + px(3015) + px(570) + px(2415);
    if (m_.tieneDepartamento()) {
        auto* etiqueta =
            new QLabel(u"Área o Departamento para el cual trabaja en esta empresa:"_s, central);
        etiqueta->setObjectName(u"lblAreaDepartamento"_s);
        departamento_ = new QLineEdit(central);
        departamento_->setObjectName(u"txtAreaDepartamento"_s);
        etiqueta->setBuddy(departamento_);
        auto* pie = new QVBoxLayout;
        pie->setContentsMargins(6, 4, 6, 6);
        pie->addWidget(etiqueta);
        pie->addWidget(departamento_);
        l->addLayout(pie);
        enlacesVinculo_ = new Enlaces(vinculo_, this);
        enlacesVinculo_->enlazar(departamento_, u"EmpConDepartamento"_s);
    }
    setCentralWidget(central);
    construirBarras();

    if (m_.buscaPorCampo())
        busquedaCampo_ = std::make_unique<Busqueda>(tablaDeUnCampo(m_), candidatos_);
    if (m_.tieneMenus())
        busquedaMenus_ = std::make_unique<Busqueda>(tablaDeMenus(m_.a.candidatos), candidatos_);

    connect(grillaCandidatos_, &Grilla::pulsada, this, [this] {
        if (candidatos_->hayActual()) subiBaja_->habilitar(u"bajar"_s, true);
    });
    // The link source follows the highlighted item of the selected list.
    connect(seleccionadas_, &OrigenRegistros::actualCambiado, this, [this] {
        if (enPaso_) return;
        protegido([this] {
            seguirSeleccion();
            ajustarDepartamento();
        });
    });

    candidatos_->refrescar();
    ajustarDepartamento();
    resize(px(9510), alto + 60);
}

FrmSeleccion::~FrmSeleccion() = default;

qint64 FrmSeleccion::clavePara(const char* propiedad) const {
    return m_.a.propiedad == QLatin1String(propiedad) ? clave_ : 0;
}

void FrmSeleccion::asignarClave(const char* propiedad, qint64 v) {
    if (m_.a.propiedad == QLatin1String(propiedad)) clave_ = v;
}

void FrmSeleccion::construirBarras() {
    barra_ = new BarraHerramientas(u"tbrBarraHerramientas"_s, this);
    barra_->setFixedHeight(px(570) + 8);
    addToolBar(Qt::TopToolBarArea, barra_);
    if (m_.tieneMenus()) {
        const Candidatos c = m_.a.candidatos;
        barra_->agregarDesplegable(u"buscar"_s, u"Buscar"_s, m_.e.buscar,
                                   menuCampos(c, u"buscar"_s));
        barra_->agregarDesplegable(u"ordenar_asc"_s, u"Orden Asc"_s,
                                   u"Ordenar en forma ascendente"_s,
                                   menuCampos(c, u"ordenar_asc"_s));
        barra_->agregarDesplegable(u"ordenar_des"_s, u"Orden Des"_s,
                                   u"Ordenar en forma descendente"_s,
                                   menuCampos(c, u"ordenar_des"_s));
    } else {
        barra_->agregarBoton(u"buscar"_s, u"Buscar"_s, m_.e.buscar);
        barra_->agregarBoton(u"ordenar_asc"_s, u"Orden Asc"_s, u"Ordenar en forma ascendente"_s);
        barra_->agregarBoton(u"ordenar_des"_s, u"Orden Des"_s, u"Ordenar en forma descendente"_s);
    }
    barra_->agregarBoton(u"actualizar"_s, u"Actualizar"_s, u"Actualizar"_s);
    barra_->agregarBoton(u"ayuda"_s, u"Ayuda"_s, u"Ayuda"_s);
    barra_->agregarBoton(u"cerrar"_s, u"Cerrar"_s, u"Cerrar esta ventana"_s);
    connect(barra_, &BarraHerramientas::botonPulsado, this, &FrmSeleccion::botonPulsado);
    connect(barra_, &BarraHerramientas::itemPulsado, this, &FrmSeleccion::itemPulsado);

    subiBaja_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    subiBaja_->agregarBoton(u"bajar"_s, u"Bajar"_s, m_.e.bajar);
    subiBaja_->agregarBoton(u"subir"_s, u"Subir"_s, m_.e.subir);
    connect(subiBaja_, &BarraHerramientas::botonPulsado, this, &FrmSeleccion::subiBajaPulsado);
}

// ---------------------------------------------------------------------------------------------
// Entry and following the selected list

void FrmSeleccion::alActivar() {
    if (candidatos_->vacia()) subiBaja_->habilitar(u"bajar"_s, false);
    releerSeleccionadas();
    if (seleccionadas_->cantidad() == 0) subiBaja_->habilitar(u"subir"_s, false);
}

void FrmSeleccion::releerSeleccionadas() {
    {
        QScopedValueRollback<bool> paso(enPaso_, true);
        seleccionadas_->establecerSql(m_.b.seleccionAntes + QString::number(clave_) +
                                      m_.b.seleccionDespues);
        seleccionadas_->refrescar();
        seguirSeleccion();
    }
    ajustarDepartamento();
}

QString FrmSeleccion::consultaPar(qint64 candidato) const {
    return u"SELECT * FROM "_s + m_.a.tablaVinculo + u" WHERE "_s + m_.a.claveEnMano + u"="_s +
           QString::number(clave_) + u" AND "_s + m_.a.claveCandidato + u"="_s +
           QString::number(candidato);
}

void FrmSeleccion::seguirSeleccion() {
    if (seleccionadas_->cantidad() == 0 || !seleccionadas_->hayActual()) return;
    const qint64 candidato = seleccionadas_->campo(m_.a.claveCandidato).toLongLong();
    // Re-reading stores first what the department box holds for the item left.
    vinculo_->establecerSql(consultaPar(candidato));
    vinculo_->refrescar();
}

void FrmSeleccion::ajustarDepartamento() {
    // With no selected item the link source holds no link of the record in hand: whatever were
    // typed would land in another pair's row, so the box takes nothing then.
    if (departamento_) departamento_->setEnabled(seleccionadas_->cantidad() > 0);
}

// ---------------------------------------------------------------------------------------------
// Toolbars

void FrmSeleccion::botonPulsado(const QString& clave) {
    protegido([&] {
        if (clave == u"buscar"_s || clave == u"ordenar_asc"_s || clave == u"ordenar_des"_s) {
            // The members searched by menus only ignore a click on the faces.
            if (busquedaCampo_) busquedaCampo_->manejar(clave);
        } else if (clave == u"actualizar"_s) {
            actualizar();
        } else if (clave == u"ayuda"_s) {
            AbrirAyuda(u"vinculos"_s);
        } else if (clave == u"cerrar"_s) {
            cerrarPantalla();
        }
    });
}

void FrmSeleccion::itemPulsado(const QString& claveBoton, const QString& claveItem) {
    // A field menu re-reads the candidates only: the selected list and the link stay as they are.
    protegido([&] {
        if (busquedaMenus_) busquedaMenus_->manejar(claveBoton, claveItem);
    });
}

void FrmSeleccion::subiBajaPulsado(const QString& clave) {
    protegido([&] {
        if (clave == u"bajar"_s)
            bajar();
        else if (clave == u"subir"_s)
            subir();
    });
}

void FrmSeleccion::bajar() {
    if (!candidatos_->hayActual()) return;
    const qint64 candidato = candidatos_->campo(m_.a.claveCandidato).toLongLong();
    // The query of the pair: empty unless the candidate is already linked; the new link goes in
    // through it.
    vinculo_->establecerSql(consultaPar(candidato));
    vinculo_->refrescar();
    if (vinculo_->cantidad() > 0) {
        plataforma().mensaje(textoDuplicado(), Botones::Ok, Icono::Critico, kAtencion);
    } else {
        vinculo_->agregarYGuardar([&] {
            vinculo_->asignar(m_.a.claveEnMano, clave_);
            vinculo_->asignar(m_.a.claveCandidato, candidato);
        });
    }
    // The candidates list is not re-read: it always shows every candidate.
    releerSeleccionadas();
    subiBaja_->habilitar(u"subir"_s, true);
}

QString FrmSeleccion::textoDuplicado() const {
    auto texto = [this](const char* campo) {
        return textoDe(candidatos_->campo(QString::fromLatin1(campo)));
    };
    switch (m_.d.forma) {
    case NombreDuplicado::NombreYApellidoPrimero:
        return texto("CONNOMBRE") + texto("CONAPELLIDO") + m_.d.duplicado;
    case NombreDuplicado::NombreORazonPrimero: {
        // A company without a trade name (none, or one left blank) is named by its business
        // name, as everywhere else.
        const QString nombre = texto("EMPNOMBREFANTASIA");
        return (nombre.trimmed().isEmpty() ? texto("EMPRAZONSOCIAL") : nombre) + m_.d.duplicado;
    }
    case NombreDuplicado::AlFinal:
        break;
    }
    return m_.d.duplicado + textoDe(candidatos_->campo(m_.d.campoDuplicado));
}

void FrmSeleccion::subir() {
    if (seleccionadas_->cantidad() == 0) return;
    vinculo_->eliminar();
    // After the last removal the link source keeps the removed pair's (now empty) query.
    releerSeleccionadas();
    if (seleccionadas_->cantidad() == 0) subiBaja_->habilitar(u"subir"_s, false);
}

void FrmSeleccion::actualizar() {
    RelojDeArena reloj;
    candidatos_->establecerSql(m_.b.refresco);
    candidatos_->refrescar();
    if (!candidatos_->vacia()) candidatos_->primero();
    if (vinculo_->abierto())
        vinculo_->refrescar();
    else
        vinculo_->guardarPendiente();
    releerSeleccionadas();
}

void FrmSeleccion::cerrarPantalla() {
    // Moving to the first link row stores a department still being typed.
    if (vinculo_->cantidad() > 0) vinculo_->primero();
    close();
}

} // namespace zv

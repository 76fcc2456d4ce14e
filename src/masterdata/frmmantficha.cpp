#include "masterdata/frmmantficha.h"

#include "data/aplicacion.h"
#include "data/dberror.h"
#include "data/origenregistros.h"
#include "ui/barraherramientas.h"
#include "ui/busqueda.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/grilla.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

// The most characters a field takes: its limit, or the length of what it already holds (a
// longer value stored elsewhere is shown whole and never cut short by an edit).
int limite(int largo, const QString& actual) {
    return std::max<int>(largo, int(actual.size()));
}

// Grid cells take no more characters than the field they edit.
class DelegadoLimites : public QStyledItemDelegate {
public:
    DelegadoLimites(QList<int> largos, QObject* parent)
        : QStyledItemDelegate(parent), largos_(std::move(largos)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& opcion,
                          const QModelIndex& i) const override {
        QWidget* w = QStyledItemDelegate::createEditor(parent, opcion, i);
        const int largo = largos_.value(i.column(), 0);
        if (auto* e = qobject_cast<QLineEdit*>(w); e && largo > 0)
            e->setMaxLength(limite(largo, i.data(Qt::EditRole).toString()));
        return w;
    }

private:
    QList<int> largos_;
};

} // namespace

FrmMantFicha::FrmMantFicha(const DisenoFicha& d)
    : Ventana(d.ventana), d_(d), origen_(new OrigenRegistros(d.origen, this)) {
    setWindowIcon(iconos::aplicacion());
    origen_->establecerSql(d_.sqlCompleto);
    origen_->refrescar();
    for (const ListaFicha& l : d_.listas) {
        Lista lista;
        lista.origen = new OrigenRegistros(l.origen, this);
        lista.origen->establecerSql(l.sql);
        lista.origen->refrescar();
        listas_ << lista;
    }

    construirBarra();
    construirCampos();
    construirMenus();
    busqueda_ = std::make_unique<Busqueda>(d_.busqueda, origen_);
    establecerTitulo(d_.sufijoTitulo);
    resize(900, 640);
}

FrmMantFicha::~FrmMantFicha() = default;

void FrmMantFicha::construirBarra() {
    barra_ = new BarraHerramientas(u"tbrBarraHerramientas"_s, this);
    addToolBar(Qt::TopToolBarArea, barra_);
    barra_->agregarBoton(u"nuevo"_s, u"Nuevo"_s, d_.tooltipNuevo);
    barra_->agregarBoton(u"guardar"_s, u"Actualizar"_s, u"Actualizar los cambios"_s);
    barra_->agregarBoton(u"eliminar"_s, u"Eliminar"_s, d_.tooltipEliminar);
    barra_->addSeparator();
    for (const VinculoFicha& v : d_.vinculos)
        barra_->agregarBoton(v.clave, v.caption, v.tooltip);
    barra_->addSeparator();
    ItemsDesplegable buscar, asc, des;
    for (int i = 0; i < d_.busqueda.filas.size(); ++i) {
        const FilaBusqueda& f = d_.busqueda.filas[i];
        const MenuCampo& m = d_.menusCampos[i];
        buscar.append({f.clave, f.titulo});
        asc.append({f.clave, m.tituloDesplegableAsc});
        des.append({f.clave, m.tituloDesplegableDes});
    }
    barra_->agregarDesplegable(u"buscar"_s, u"Buscar"_s, d_.tooltipBuscar, buscar);
    // The sort buttons say what they do, as on every other screen that sorts.
    barra_->agregarDesplegable(u"orden_asc"_s, u"Orden asc"_s, u"Ordenar en forma ascendente"_s,
                               asc);
    barra_->agregarDesplegable(u"orden_des"_s, u"Orden des"_s, u"Ordenar en forma descendente"_s,
                               des);
    barra_->addSeparator();
    barra_->agregarBoton(u"ayuda"_s, u"Ayuda"_s, u"Buscar dentro de la ayuda en linea"_s);
    barra_->agregarBoton(u"cerrar"_s, u"Cerrar"_s, u"Cerrar esta ventana"_s);
    barra_->addSeparator();
    connect(barra_, &BarraHerramientas::botonPulsado, this, &FrmMantFicha::botonPulsado);
    connect(barra_, &BarraHerramientas::itemPulsado, this, &FrmMantFicha::itemPulsado);
}

void FrmMantFicha::construirCampos() {
    auto* central = new QWidget(this);
    central->setObjectName(u"areaFicha"_s);
    auto* l = new QVBoxLayout(central);
    l->setContentsMargins(4, 4, 4, 4);

    auto* marco = new QGroupBox(central);
    marco->setObjectName(d_.marco);
    auto* g = new QGridLayout(marco);
    enlaces_ = new Enlaces(origen_, this);
    int fila = 0, par = 0;
    QWidget* notas = nullptr;
    QLabel* etiquetaNotas = nullptr;
    for (int i = 0; i < d_.campos.size(); ++i) {
        const CampoFicha& c = d_.campos[i];
        auto* etiqueta = new QLabel(c.etiqueta, marco);
        etiqueta->setObjectName(u"lblLabels(%1)"_s.arg(i));
        QWidget* w;
        if (c.largo == CampoFicha::kVariasLineas) {
            auto* e = new QPlainTextEdit(marco);
            e->setTabChangesFocus(true);
            e->setMaximumHeight(80);
            enlaces_->enlazar(e, c.campo);
            w = e;
            notas = e;
            etiquetaNotas = etiqueta;
        } else {
            auto* e = new QLineEdit(marco);
            if (c.largo == CampoFicha::kSoloLectura) e->setReadOnly(true);
            enlaces_->enlazar(e, c.campo, c.largo);
            w = e;
            g->addWidget(etiqueta, fila, par * 2);
            g->addWidget(e, fila, par * 2 + 1);
            if (++par == 2) {
                par = 0;
                ++fila;
            }
        }
        w->setObjectName(u"txtFields(%1)"_s.arg(i));
        etiqueta->setBuddy(w);
        campos_ << w;
    }
    if (par) ++fila;
    // The catalog lists, each with its "..." button.
    int col = 0;
    for (int i = 0; i < d_.listas.size(); ++i) {
        const ListaFicha& lf = d_.listas[i];
        Lista& lista = listas_[i];
        auto* etiqueta = new QLabel(lf.etiqueta, marco);
        etiqueta->setObjectName(u"lbl"_s + lf.lista.mid(3));
        lista.control = new ListaEnlazada(lf.lista, lista.origen, lf.campoMostrar, lf.campo, marco);
        etiqueta->setBuddy(lista.control);
        enlaces_->enlazar(lista.control, lf.campo);
        lista.boton =
            botonNuevoEnLista(lista.control, lf.boton, lf.tooltip, lf.catalogo, 28, marco);
        auto* h = new QHBoxLayout;
        h->addWidget(lista.control, 1);
        h->addWidget(lista.boton);
        g->addWidget(etiqueta, fila, col);
        g->addLayout(h, fila, col + 1);
        col += 2;
        if (col == 4) {
            col = 0;
            ++fila;
        }
    }
    if (col) ++fila;
    if (notas) {
        g->addWidget(etiquetaNotas, fila, 0, Qt::AlignTop);
        g->addWidget(notas, fila, 1, 1, 3);
    }
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    l->addWidget(marco);

    QList<ColumnaGrilla> columnas;
    QList<int> largos;
    for (int i : d_.columnas) {
        columnas.append({d_.campos[i].columna, d_.campos[i].campo});
        largos.append(d_.campos[i].largo);
    }
    grilla_ = new Grilla(d_.grilla, origen_, columnas);
    grilla_->establecerTitulo(d_.tituloGrilla);
    grilla_->establecerEditable(true);
    grilla_->setItemDelegate(new DelegadoLimites(largos, grilla_));
    connect(grilla_, &Grilla::pulsada, this, &FrmMantFicha::grillaPulsada);
    l->addWidget(grilla_->conTitulo(), 1);
    setCentralWidget(central);
}

void FrmMantFicha::construirMenus() {
    QMenuBar* mb = menuBar();
    QMenu* registro = agregarMenu(mb, d_.menuRegistro, d_.tituloMenuRegistro);
    itemQueReenvia(registro, d_.menuNuevo, d_.tituloMenuNuevo, barra_, u"nuevo"_s);
    QMenu* agregar = agregarSubmenu(registro, d_.menuAgregar, u"Agregar"_s);
    for (const VinculoFicha& v : d_.vinculos)
        itemQueReenvia(agregar, v.menu, v.tituloMenu, barra_, v.clave);
    itemQueReenvia(registro, d_.menuEliminar, u"Eliminar"_s, barra_, u"eliminar"_s);
    agregarItemMenu(registro, d_.menuCerrar, u"Cerrar"_s, [this] { close(); });

    QMenu* ver = agregarMenu(mb, u"mnuVer"_s, u"Ver"_s);
    itemQueReenvia(ver, u"mnuVerActualizar"_s, u"Actualizar"_s, barra_, u"guardar"_s);

    QMenu* herr = agregarMenu(mb, u"mnuHerramientas"_s, u"Herramientas"_s);
    QMenu* buscar = agregarSubmenu(herr, u"mnuHerramientasBuscar"_s, u"Buscar"_s);
    QMenu* asc = agregarSubmenu(herr, u"mnuHerramientasOrdenAsc"_s, d_.tituloMenuOrdenAsc);
    QMenu* des = agregarSubmenu(herr, u"mnuHerramientasOrdenDes"_s, d_.tituloMenuOrdenDes);
    for (int i = 0; i < d_.busqueda.filas.size(); ++i) {
        const FilaBusqueda& f = d_.busqueda.filas[i];
        const MenuCampo& m = d_.menusCampos[i];
        itemQueReenvia(buscar, m.menuBuscar, f.titulo, barra_, u"buscar"_s, f.clave);
        if (!m.menuAsc.isEmpty())
            itemQueReenvia(asc, m.menuAsc, m.tituloMenuAsc, barra_, u"orden_asc"_s, f.clave);
        if (!m.menuDes.isEmpty())
            itemQueReenvia(des, m.menuDes, m.tituloMenuDes, barra_, u"orden_des"_s, f.clave);
    }

    QMenu* ayuda = agregarMenu(mb, u"mnuAyuda"_s, u"Ayuda"_s);
    agregarItemMenu(ayuda, u"mnuAyudaIndice"_s, u"Índice"_s,
                    [pagina = d_.ayuda] { AbrirAyuda(pagina); });
    agregarItemMenu(ayuda, u"mnuAyudaAcercade"_s, u"Acerca de"_s,
                    [] { protegido([] { Ventanas::mostrarModal(u"frmAcercaDe"_s); }); });
}

QStringList FrmMantFicha::clavesDeRegistro() const {
    QStringList claves = {u"eliminar"_s, u"guardar"_s};
    for (const VinculoFicha& v : d_.vinculos)
        claves << v.clave;
    return claves;
}

void FrmMantFicha::habilitarCampos(bool si) {
    // The code (index 0) is never touched.
    for (int i = 1; i < campos_.size(); ++i)
        campos_[i]->setEnabled(si);
    for (const Lista& l : std::as_const(listas_))
        l.control->setEnabled(si);
}

void FrmMantFicha::alActivar() {
    if (!origen_->hayActual()) {
        barra_->habilitar(clavesDeRegistro(), false);
        habilitarCampos(false);
    }
    // Sectors and origins added in another screen show in the lists.
    for (const Lista& l : std::as_const(listas_))
        l.origen->refrescar();
}

void FrmMantFicha::grillaPulsada() {
    protegido([this] { barra_->habilitar(clavesDeRegistro(), origen_->hayActual()); });
}

void FrmMantFicha::botonPulsado(const QString& clave) {
    protegido([&] {
        if (clave == u"nuevo"_s) return nuevo();
        if (clave == u"guardar"_s) return guardar();
        if (clave == u"eliminar"_s) return eliminar();
        for (const VinculoFicha& v : d_.vinculos)
            if (clave == v.clave) return abrirVinculo(v);
        if (clave == u"ayuda"_s) return AbrirAyuda(d_.ayuda);
        if (clave == u"cerrar"_s) close();
    });
}

void FrmMantFicha::itemPulsado(const QString& claveBoton, const QString& claveItem) {
    protegido([&] { busqueda_->manejar(claveBoton, claveItem); });
}

void FrmMantFicha::exigirActual() const {
    if (!origen_->hayActual()) throw Error(d_.sinActual);
}

void FrmMantFicha::nuevo() {
    for (int i = 0; i < d_.listas.size(); ++i) {
        if (listas_[i].origen->cantidad() >= 1) continue;
        const ListaFicha& l = d_.listas[i];
        if (plataforma().mensaje(l.pregunta, Botones::SiNo, Icono::Ninguno, l.tituloPregunta) ==
            Respuesta::Si)
            Ventanas::mostrarModal(l.catalogo);
        return;
    }
    // The new record holds only the first row of each list; the user types the rest into the
    // fields and picks its own origin (and sector).
    origen_->agregarYGuardar([&] {
        for (int i = 0; i < d_.listas.size(); ++i) {
            OrigenRegistros* filas = listas_[i].origen;
            const QString& campo = d_.listas[i].campo;
            origen_->asignar(campo, filas->valorCrudo(0, filas->indiceCampo(campo)));
        }
    });
    origen_->refrescar();
    barra_->habilitar(u"guardar"_s, true);
    habilitarCampos(true);
}

void FrmMantFicha::guardar() {
    origen_->establecerSql(d_.sqlActualizar);
    origen_->refrescar();
    origen_->primero();
}

void FrmMantFicha::eliminar() {
    exigirActual();
    if (!confirmarEliminar(d_.nombreAlEliminar(*origen_), d_.tituloEliminar)) return;
    RelojDeArena reloj;
    // The record's link rows go with it (the database removes them).
    origen_->eliminar();
    origen_->refrescar();
    if (!origen_->hayActual()) {
        barra_->habilitar(clavesDeRegistro(), false);
        habilitarCampos(false);
    } else {
        origen_->primero();
    }
}

void FrmMantFicha::abrirVinculo(const VinculoFicha& v) {
    exigirActual();
    const qint64 clave = origen_->campo(d_.campoCodigo).toLongLong();
    const QString titulo = aplicacion::titulo(v.sufijoTitulo + d_.nombreEnTitulo(*origen_));
    Ventanas::mostrarModalPara(v.ventana, d_.propiedadClave.toLatin1().constData(), clave, titulo);
}

} // namespace zv

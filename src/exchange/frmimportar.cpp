#include "exchange/frmimportar.h"

#include "exchange/progreso.h"
#include "ui/errores.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

using namespace intercambio;

namespace {

const QString kNoSeImporta = QStringLiteral("(no se importa)");
constexpr qint64 kArchivoGrande = 32 * 1024; // a few hundred rows: the import shows its progress

QString tituloDe(Destino d) {
    switch (d) {
    case Destino::Empresas:
        return u" - Importar empresas"_s;
    case Destino::Contactos:
        return u" - Importar contactos"_s;
    case Destino::Agenda:
        return u" - Importar la agenda"_s;
    }
    return {};
}

QString nombreFormato(Formato f) {
    switch (f) {
    case Formato::Csv:
        return u"valores separados por comas (CSV)"_s;
    case Formato::Vcard:
        return u"tarjetas vCard"_s;
    case Formato::Icalendar:
        return u"calendario iCalendar"_s;
    }
    return {};
}

// The field chosen for a column: a list of the fields, and "not imported".
class DelegadoCampo : public QStyledItemDelegate {
public:
    DelegadoCampo(Destino d, QObject* parent) : QStyledItemDelegate(parent), d_(d) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* c = new QComboBox(parent);
        c->setObjectName(u"cboCampo"_s);
        c->addItem(kNoSeImporta, QString());
        for (const CampoArchivo& campo : camposDe(d_))
            c->addItem(campo.encabezado, campo.clave);
        return c;
    }
    void setEditorData(QWidget* editor, const QModelIndex& i) const override {
        auto* c = static_cast<QComboBox*>(editor);
        c->setCurrentIndex(std::max(0, c->findData(i.data(Qt::EditRole).toString())));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* m, const QModelIndex& i) const override {
        m->setData(i, static_cast<QComboBox*>(editor)->currentData(), Qt::EditRole);
    }

private:
    Destino d_;
};

} // namespace

// The columns of the CSV file and the field each one goes to.
class ModeloAsignacion : public QAbstractTableModel {
public:
    ModeloAsignacion(std::function<void()> alCambiar, QObject* parent)
        : QAbstractTableModel(parent), alCambiar_(std::move(alCambiar)) {}

    void mostrar(Importacion* imp) {
        beginResetModel();
        imp_ = imp;
        endResetModel();
    }
    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() || !imp_ ? 0 : int(imp_->encabezados().size());
    }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 2; }
    QVariant headerData(int s, Qt::Orientation o, int rol) const override {
        if (o != Qt::Horizontal || rol != Qt::DisplayRole) return {};
        return s == 0 ? u"Columna del archivo"_s : u"Campo"_s;
    }
    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid() || !imp_) return {};
        if (i.column() == 0)
            return rol == Qt::DisplayRole ? QVariant(imp_->encabezados().value(i.row()))
                                          : QVariant();
        const QString clave = imp_->asignacion().value(i.row());
        if (rol == Qt::EditRole) return clave;
        if (rol != Qt::DisplayRole) return {};
        const CampoArchivo* c = campo(imp_->destino(), clave);
        return c ? c->encabezado : kNoSeImporta;
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override {
        Qt::ItemFlags f = QAbstractTableModel::flags(i);
        if (i.isValid() && i.column() == 1) f |= Qt::ItemIsEditable;
        return f;
    }
    bool setData(const QModelIndex& i, const QVariant& v, int rol) override {
        if (!i.isValid() || !imp_ || i.column() != 1 || rol != Qt::EditRole) return false;
        const QString clave = v.toString();
        if (!clave.isEmpty() && !campo(imp_->destino(), clave)) return false;
        imp_->asignar(i.row(), clave);
        // Giving a field to this column may take it from another one.
        Q_EMIT dataChanged(index(0, 1), index(rowCount() - 1, 1));
        alCambiar_();
        return true;
    }

private:
    std::function<void()> alCambiar_;
    Importacion* imp_ = nullptr;
};

// The first records as they would be stored.
class ModeloVista : public QAbstractTableModel {
public:
    explicit ModeloVista(QObject* parent) : QAbstractTableModel(parent) {}

    void mostrar(Importacion* imp, QList<FilaImportada> filas) {
        beginResetModel();
        imp_ = imp;
        filas_ = std::move(filas);
        columnas_.clear();
        if (imp_ && imp_->destino() == Destino::Agenda) {
            columnas_ = {{u"Fecha"_s, u"Fecha"_s},
                         {u"Inicio"_s, u"Hora de Inicio"_s},
                         {u"Fin"_s, u"Hora Final"_s},
                         {u"Actividad"_s, u"Actividad"_s},
                         {u"Notas"_s, u"Notas"_s}};
        } else if (imp_) {
            // The fields that some row fills (a CSV file: those given to a column).
            for (const CampoArchivo& c : camposDe(imp_->destino())) {
                bool usado =
                    imp_->formato() == Formato::Csv && imp_->asignacion().contains(c.clave);
                for (const FilaImportada& f : std::as_const(filas_))
                    usado = usado || !texto(f, c.clave).isEmpty();
                if (usado) columnas_.append({c.clave, c.encabezado});
            }
        }
        endResetModel();
    }

    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : int(filas_.size());
    }
    int columnCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : int(columnas_.size()) + 3;
    }
    QVariant headerData(int s, Qt::Orientation o, int rol) const override {
        if (o != Qt::Horizontal || rol != Qt::DisplayRole) return {};
        if (s == 0) return u"Línea"_s;
        if (s <= columnas_.size()) return columnas_[s - 1].second;
        return s == columnas_.size() + 1 ? u"Observaciones"_s : u"Conservar"_s;
    }
    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid() || i.row() >= filas_.size()) return {};
        const FilaImportada& f = filas_[i.row()];
        const int c = i.column();
        const int obs = int(columnas_.size()) + 1;
        if (c == obs + 1) {
            if (rol != Qt::CheckStateRole || f.duplicado.isEmpty()) return {};
            return conservadas_.contains(f.linea) ? Qt::Checked : Qt::Unchecked;
        }
        if (rol != Qt::DisplayRole) return {};
        if (c == 0) return f.linea;
        if (c == obs) {
            if (!f.problema.isEmpty()) return u"Se rechaza: "_s + f.problema;
            if (!f.duplicado.isEmpty()) return u"Se omite: "_s + f.duplicado;
            return {};
        }
        return texto(f, columnas_[c - 1].first);
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override {
        Qt::ItemFlags f = QAbstractTableModel::flags(i);
        if (i.isValid() && i.column() == int(columnas_.size()) + 2 && i.row() < filas_.size() &&
            !filas_[i.row()].duplicado.isEmpty())
            f |= Qt::ItemIsUserCheckable;
        return f;
    }
    bool setData(const QModelIndex& i, const QVariant& v, int rol) override {
        if (!i.isValid() || rol != Qt::CheckStateRole || !(flags(i) & Qt::ItemIsUserCheckable))
            return false;
        const qint64 linea = filas_[i.row()].linea;
        const bool conservar = v.toInt() == Qt::Checked;
        if (conservar)
            conservadas_.insert(linea);
        else
            conservadas_.remove(linea);
        imp_->conservarLinea(linea, conservar);
        Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
        return true;
    }

private:
    static QString texto(const FilaImportada& f, const QString& clave) {
        if (clave == kEmpresa || clave == kDepartamento) {
            QStringList l;
            for (const auto& [empresa, departamento] : f.empresas)
                if (!(clave == kEmpresa ? empresa : departamento).isEmpty())
                    l << (clave == kEmpresa ? empresa : departamento);
            return l.join(u", "_s);
        }
        return f.valores.value(clave);
    }

    Importacion* imp_ = nullptr;
    QList<FilaImportada> filas_;
    QList<QPair<QString, QString>> columnas_; // field key, heading
    QSet<qint64> conservadas_;
};

FrmImportar::FrmImportar() : Ventana(u"frmImportar"_s) {
    setWindowIcon(iconos::aplicacion());
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* l = new QVBoxLayout(central);

    lblArchivo_ = new QLabel(central);
    lblArchivo_->setObjectName(u"lblArchivo"_s);
    lblArchivo_->setWordWrap(true);
    l->addWidget(lblArchivo_);

    lblAsignacion_ = new QLabel(u"Campo donde se guarda cada columna del archivo (haga doble clic "
                                u"en el campo para cambiarlo):"_s,
                                central);
    lblAsignacion_->setObjectName(u"lblAsignacion"_s);
    l->addWidget(lblAsignacion_);
    asignacion_ = new ModeloAsignacion([this] { releer(); }, this);
    grdAsignacion_ = new QTableView(central);
    grdAsignacion_->setObjectName(u"grdAsignacion"_s);
    grdAsignacion_->setModel(asignacion_);
    grdAsignacion_->horizontalHeader()->setStretchLastSection(true);
    grdAsignacion_->setMaximumHeight(180);
    l->addWidget(grdAsignacion_);

    auto* lblVista = new QLabel(u"Primeras filas del archivo, tal como se guardarán:"_s, central);
    lblVista->setObjectName(u"lblVista"_s);
    l->addWidget(lblVista);
    vista_ = new ModeloVista(this);
    grdVista_ = new QTableView(central);
    grdVista_->setObjectName(u"grdVista"_s);
    grdVista_->setModel(vista_);
    grdVista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    l->addWidget(grdVista_, 1);

    chkConservarTodos_ = new QCheckBox(u"Importar también los posibles duplicados"_s, central);
    chkConservarTodos_->setObjectName(u"chkConservarTodos"_s);
    connect(chkConservarTodos_, &QCheckBox::toggled, this, [this](bool si) {
        if (importacion_) importacion_->conservarDuplicados(si);
    });
    l->addWidget(chkConservarTodos_);

    txtResultado_ = new QPlainTextEdit(central);
    txtResultado_->setObjectName(u"txtResultado"_s);
    txtResultado_->setReadOnly(true);
    txtResultado_->hide();
    l->addWidget(txtResultado_, 1);

    auto* botones = new QHBoxLayout;
    auto* cmdAyuda = new QPushButton(u"Ayuda"_s, central);
    cmdAyuda->setObjectName(u"cmdAyuda"_s);
    connect(cmdAyuda, &QPushButton::clicked, this, [] { AbrirAyuda(u"frmImportar"_s); });
    cmdImportar_ = new QPushButton(u"Importar"_s, central);
    cmdImportar_->setObjectName(u"cmdImportar"_s);
    cmdImportar_->setDefault(true);
    connect(cmdImportar_, &QPushButton::clicked, this, [this] { importar(); });
    cmdCancelar_ = new QPushButton(u"Cancelar"_s, central);
    cmdCancelar_->setObjectName(u"cmdCancelar"_s);
    connect(cmdCancelar_, &QPushButton::clicked, this, [this] { cerrar(); });
    botones->addWidget(cmdAyuda);
    botones->addStretch();
    botones->addWidget(cmdImportar_);
    botones->addWidget(cmdCancelar_);
    l->addLayout(botones);
    resize(900, 620);
}

FrmImportar::~FrmImportar() = default;

void FrmImportar::preparar(std::unique_ptr<Importacion> importacion) {
    importacion_ = std::move(importacion);
    Importacion& imp = *importacion_;
    establecerTitulo(tituloDe(imp.destino()));
    lblArchivo_->setText(u"Archivo: %1 (%2, %3)"_s.arg(QFileInfo(imp.archivo()).fileName(),
                                                       nombreFormato(imp.formato()),
                                                       QLocale().formattedDataSize(imp.tamano())));
    const bool csv = imp.formato() == Formato::Csv;
    lblAsignacion_->setVisible(csv);
    grdAsignacion_->setVisible(csv);
    grdAsignacion_->setItemDelegateForColumn(1, new DelegadoCampo(imp.destino(), grdAsignacion_));
    chkConservarTodos_->setVisible(imp.destino() != Destino::Agenda);
    chkConservarTodos_->setChecked(false);
    asignacion_->mostrar(importacion_.get());
    vista_->mostrar(importacion_.get(), imp.vistaPrevia());
}

void FrmImportar::releer() {
    protegido([&] { vista_->mostrar(importacion_.get(), importacion_->vistaPrevia()); });
}

void FrmImportar::importar() {
    if (!importacion_) return;
    protegido([&] {
        Importacion& imp = *importacion_;
        std::unique_ptr<VentanaProgreso> progreso;
        std::unique_ptr<RelojDeArena> reloj;
        if (imp.tamano() > kArchivoGrande)
            progreso = std::make_unique<VentanaProgreso>(
                u" - Importando"_s,
                u"Importando %1 de «%2»..."_s.arg(sustantivo(imp.destino()),
                                                  QFileInfo(imp.archivo()).fileName()));
        else
            reloj = std::make_unique<RelojDeArena>();
        const Resultado r = imp.ejecutar(progreso ? progreso->funcion() : Progreso{});
        progreso.reset();
        reloj.reset();
        txtResultado_->show();
        if (imp.cancelada()) {
            txtResultado_->setPlainText(u"Se canceló la importación: no se guardó nada."_s);
            return;
        }
        txtResultado_->setPlainText(r.informe());
        grdAsignacion_->setEnabled(false);
        grdVista_->setEnabled(false);
        chkConservarTodos_->setEnabled(false);
        cmdImportar_->setEnabled(false);
        cmdCancelar_->setText(u"Cerrar"_s);
    });
}

QString FrmImportar::resultado() const {
    return txtResultado_->isVisible() || !txtResultado_->toPlainText().isEmpty()
               ? txtResultado_->toPlainText()
               : QString();
}

QAbstractItemModel* FrmImportar::modeloAsignacion() const {
    return asignacion_;
}

QAbstractItemModel* FrmImportar::modeloVista() const {
    return vista_;
}

} // namespace zv

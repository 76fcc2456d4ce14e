#pragma once
// The import window: the file's first records as they would be stored, the field proposed for
// each column of a CSV file (which the user can change), the possible duplicates (skipped unless
// kept) and the records that would be refused; then the import, with its progress and result.
#include "intercambio/importacion.h"
#include "ui/ventana.h"

#include <memory>

class QAbstractItemModel;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace zv {

class ModeloAsignacion;
class ModeloVista;

class FrmImportar : public Ventana {
    Q_OBJECT
public:
    FrmImportar();
    ~FrmImportar() override;

    // The import to show; reads its preview now (throws zv::Error as the import would).
    void preparar(std::unique_ptr<intercambio::Importacion> importacion);
    intercambio::Importacion* importacion() const { return importacion_.get(); }

    // The button "Importar": stores the records (with a progress window on a big file) and
    // shows the result; the window then only closes.
    void importar();
    // What the result box says (empty before the import).
    QString resultado() const;

    QAbstractItemModel* modeloAsignacion() const;
    QAbstractItemModel* modeloVista() const;

private:
    void releer(); // the preview, after the columns' fields changed

    std::unique_ptr<intercambio::Importacion> importacion_;
    ModeloAsignacion* asignacion_;
    ModeloVista* vista_;
    QLabel* lblArchivo_;
    QLabel* lblAsignacion_;
    QTableView* grdAsignacion_;
    QTableView* grdVista_;
    QCheckBox* chkConservarTodos_;
    QPlainTextEdit* txtResultado_;
    QPushButton* cmdImportar_;
    QPushButton* cmdCancelar_;
};

} // namespace zv

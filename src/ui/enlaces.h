#pragma once
// Controls bound to the fields of a record source's current row: text boxes, multi-line boxes,
// check boxes, date and time pickers and drop-down lists. They show the current row; what the
// user types is written into that row when another row becomes current, when the source is
// re-queried and when the window closes (the binder is one of the source's writers).
//
// Qt's QDataWidgetMapper was considered: it maps a model row to widgets, but a record source
// already knows its current row and when it is about to leave it, and the drop-down lists here
// show one column and store another; a small binder over the source says this more plainly.
#include <QComboBox>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

class QCheckBox;
class QDateTimeEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace zv {

class OrigenRegistros;
class ModeloRegistros;

// A drop-down list over a record source (the list rows) that shows one field and yields
// another: the bound drop-down list of the screens ("dbcActividades").
class ListaEnlazada : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QVariant valor READ valor WRITE establecerValor USER true)
public:
    ListaEnlazada(const QString& nombre, OrigenRegistros* filas, const QString& campoMostrar,
                  const QString& campoValor, QWidget* parent = nullptr);

    OrigenRegistros* filas() const { return filas_; }
    // The bound value of the chosen row; null when none is chosen.
    QVariant valor() const;
    void establecerValor(const QVariant& v);
    // Chooses the row with this shown text (as the user would); false when there is none.
    bool elegirTexto(const QString& texto);

Q_SIGNALS:
    // The user chose a row.
    void elegido();

private:
    OrigenRegistros* filas_;
    ModeloRegistros* modelo_;
    int colValor_ = -1;
    QString campoValor_;
    QVariant pendiente_;
};

// The "..." beside a bound list: opens the screen that keeps the list's rows as a dialog and
// reads the rows again when it closes.
QPushButton* botonNuevoEnLista(ListaEnlazada* lista, const QString& nombre, const QString& tooltip,
                               const QString& pantalla, int ancho, QWidget* parent);

class Enlaces : public QObject {
    Q_OBJECT
public:
    explicit Enlaces(OrigenRegistros* origen, QObject* parent = nullptr);

    // A box given a limit (largo > 0) takes no more than that many characters as the user types;
    // a longer value already stored is shown whole, so no edit ever cuts it short.
    void enlazar(QLineEdit* w, const QString& campo, int largo = 0);
    void enlazar(QPlainTextEdit* w, const QString& campo, int largo = 0);
    void enlazar(QTextEdit* w, const QString& campo);
    void enlazar(QCheckBox* w, const QString& campo);
    void enlazar(QDateTimeEdit* w, const QString& campo); // date or time picker
    void enlazar(ListaEnlazada* w, const QString& campo);

    // Shows the current row in every control (edits not yet written are dropped).
    void cargar();
    // Writes the edits of the controls into the current row now (without storing it).
    void escribir();
    bool hayCambios() const;

private:
    struct Enlace {
        QPointer<QWidget> control;
        QString campo;
        std::function<void(const QVariant&)> mostrar;
        std::function<QVariant()> leer;
        bool sucio = false;
    };
    Enlace& agregar(QWidget* w, const QString& campo);
    // Shows the current row's value in one control (dropping what it held).
    void mostrarEnlace(Enlace& e);
    void marcar(QWidget* w);

    OrigenRegistros* origen_;
    QList<Enlace> enlaces_;
    bool cargando_ = false;
};

} // namespace zv

#include "ui/enlaces.h"

#include "data/origenregistros.h"
#include "data/regional.h"
#include "ui/errores.h"
#include "ui/grilla.h"
#include "ui/ventanas.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace zv {

namespace {
// A date picker showing no date sits at this day, displayed blank.
const QDate kSinFecha(1752, 9, 14);
} // namespace

// ---------------------------------------------------------------------------------------------
// ListaEnlazada

ListaEnlazada::ListaEnlazada(const QString& nombre, OrigenRegistros* filas,
                             const QString& campoMostrar, const QString& campoValor,
                             QWidget* parent)
    : QComboBox(parent), filas_(filas),
      modelo_(new ModeloRegistros(filas, {{campoMostrar, campoMostrar}}, this)),
      campoValor_(campoValor) {
    setObjectName(nombre);
    setModel(modelo_);
    setModelColumn(0);
    setEditable(false);
    setCurrentIndex(-1);
    colValor_ = filas_->indiceCampo(campoValor_);
    connect(filas_, &OrigenRegistros::filasCambiadas, this, [this] {
        colValor_ = filas_->indiceCampo(campoValor_);
        establecerValor(pendiente_); // the model was reset: choose the bound row again
    });
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int) {
        pendiente_ = valor();
        Q_EMIT elegido();
    });
}

QVariant ListaEnlazada::valor() const {
    const int i = currentIndex();
    if (i < 0 || colValor_ < 0) return {};
    return filas_->valorCrudo(i, colValor_);
}

void ListaEnlazada::establecerValor(const QVariant& v) {
    pendiente_ = v;
    if (v.isNull() || !v.isValid() || colValor_ < 0) {
        setCurrentIndex(-1);
        return;
    }
    for (int i = 0; i < filas_->cantidad(); ++i) {
        const QVariant f = filas_->valorCrudo(i, colValor_);
        if (f == v || (f.toString() == v.toString() && !f.isNull())) {
            setCurrentIndex(i);
            return;
        }
    }
    setCurrentIndex(-1);
}

bool ListaEnlazada::elegirTexto(const QString& texto) {
    const int i = findText(texto);
    if (i < 0) return false;
    setCurrentIndex(i);
    Q_EMIT activated(i);
    return true;
}

QPushButton* botonNuevoEnLista(ListaEnlazada* lista, const QString& nombre, const QString& tooltip,
                               const QString& pantalla, int ancho, QWidget* parent) {
    auto* b = new QPushButton(u"..."_s, parent);
    b->setObjectName(nombre);
    b->setToolTip(tooltip);
    b->setFixedWidth(ancho);
    QObject::connect(b, &QPushButton::clicked, lista, [lista, pantalla] {
        protegido([&] {
            Ventanas::mostrarModal(pantalla);
            lista->filas()->refrescar();
        });
    });
    return b;
}

// ---------------------------------------------------------------------------------------------
// Enlaces

Enlaces::Enlaces(OrigenRegistros* origen, QObject* parent) : QObject(parent), origen_(origen) {
    connect(origen_, &OrigenRegistros::actualCambiado, this, &Enlaces::cargar);
    connect(origen_, &OrigenRegistros::filasCambiadas, this, &Enlaces::cargar);
    connect(origen_, &OrigenRegistros::filaActualizada, this, [this](int f) {
        if (f == origen_->posicion() && !hayCambios()) cargar();
    });
    origen_->agregarEscritor(
        this, [this] { escribir(); }, [this] { return hayCambios(); });
    connect(origen_, &OrigenRegistros::edicionDescartada, this, &Enlaces::cargar);
}

Enlaces::Enlace& Enlaces::agregar(QWidget* w, const QString& campo) {
    enlaces_.append(Enlace{w, campo, {}, {}, false});
    return enlaces_.last();
}

void Enlaces::marcar(QWidget* w) {
    if (cargando_) return;
    for (Enlace& e : enlaces_)
        if (e.control == w) e.sucio = true;
}

void Enlaces::enlazar(QLineEdit* w, const QString& campo, int largo) {
    Enlace& e = agregar(w, campo);
    e.mostrar = [w, largo](const QVariant& v) {
        const QString texto = textoDe(v);
        // The limit first: a box cuts what it is given to its limit.
        if (largo > 0) w->setMaxLength(std::max(largo, int(texto.size())));
        w->setText(texto);
        w->setCursorPosition(0);
    };
    e.leer = [w]() -> QVariant { return w->text(); };
    connect(w, &QLineEdit::textEdited, this, [this, w] { marcar(w); });
    mostrarEnlace(enlaces_.last());
}

void Enlaces::enlazar(QPlainTextEdit* w, const QString& campo, int largo) {
    Enlace& e = agregar(w, campo);
    // A multi-line box has no limit of its own: what goes beyond it is taken back at once.
    auto limite = std::make_shared<int>(largo);
    if (largo > 0)
        connect(w, &QPlainTextEdit::textChanged, w, [w, limite] {
            const QString t = w->toPlainText();
            if (t.size() <= *limite) return;
            QTextCursor c = w->textCursor();
            const int pos = std::min(int(c.position()), *limite);
            w->setPlainText(t.left(*limite));
            c = w->textCursor();
            c.setPosition(pos);
            w->setTextCursor(c);
        });
    e.mostrar = [w, largo, limite](const QVariant& v) {
        const QString texto = textoDe(v);
        if (largo > 0) *limite = std::max(largo, int(texto.size()));
        w->setPlainText(texto);
    };
    e.leer = [w]() -> QVariant { return w->toPlainText(); };
    connect(w, &QPlainTextEdit::textChanged, this, [this, w] { marcar(w); });
    mostrarEnlace(enlaces_.last());
}

void Enlaces::enlazar(QTextEdit* w, const QString& campo) {
    Enlace& e = agregar(w, campo);
    e.mostrar = [w](const QVariant& v) { w->setPlainText(textoDe(v)); };
    e.leer = [w]() -> QVariant { return w->toPlainText(); };
    connect(w, &QTextEdit::textChanged, this, [this, w] { marcar(w); });
    mostrarEnlace(enlaces_.last());
}

void Enlaces::enlazar(QCheckBox* w, const QString& campo) {
    Enlace& e = agregar(w, campo);
    e.mostrar = [w](const QVariant& v) { w->setChecked(!v.isNull() && v.toBool()); };
    e.leer = [w]() -> QVariant { return w->isChecked(); };
    connect(w, &QCheckBox::toggled, this, [this, w] { marcar(w); });
    mostrarEnlace(enlaces_.last());
}

void Enlaces::enlazar(QDateTimeEdit* w, const QString& campo) {
    Enlace& e = agregar(w, campo);
    const bool esHora = !(w->displayedSections() & QDateTimeEdit::DateSections_Mask);
    if (!esHora) {
        w->setMinimumDate(kSinFecha);
        w->setSpecialValueText(u" "_s);
    }
    e.mostrar = [w, esHora](const QVariant& v) {
        if (esHora) {
            w->setTime(v.metaType().id() == QMetaType::QTime ? v.toTime() : QTime(0, 0));
        } else {
            w->setDate(v.metaType().id() == QMetaType::QDate ? v.toDate() : kSinFecha);
        }
    };
    e.leer = [w, esHora]() -> QVariant {
        if (esHora) return w->time();
        return w->date() == kSinFecha ? QVariant() : QVariant(w->date());
    };
    connect(w, &QDateTimeEdit::dateTimeChanged, this, [this, w] { marcar(w); });
    mostrarEnlace(enlaces_.last());
}

void Enlaces::enlazar(ListaEnlazada* w, const QString& campo) {
    Enlace& e = agregar(w, campo);
    e.mostrar = [w](const QVariant& v) { w->establecerValor(v); };
    e.leer = [w]() -> QVariant { return w->valor(); };
    connect(w, &ListaEnlazada::elegido, this, [this, w] { marcar(w); });
    mostrarEnlace(enlaces_.last());
}

void Enlaces::cargar() {
    for (Enlace& e : enlaces_)
        mostrarEnlace(e);
}

void Enlaces::mostrarEnlace(Enlace& e) {
    if (!e.control) return;
    cargando_ = true;
    e.sucio = false;
    const bool hay =
        origen_->hayActual() || origen_->modoEdicion() == OrigenRegistros::Edicion::Agregando;
    const int c = origen_->indiceCampo(e.campo);
    e.mostrar(hay && c >= 0 ? origen_->campo(c) : QVariant());
    cargando_ = false;
}

void Enlaces::escribir() {
    for (Enlace& e : enlaces_) {
        if (!e.control || !e.sucio) continue;
        origen_->asignar(e.campo, e.leer());
        e.sucio = false;
    }
}

bool Enlaces::hayCambios() const {
    for (const Enlace& e : enlaces_)
        if (e.control && e.sucio) return true;
    return false;
}

} // namespace zv

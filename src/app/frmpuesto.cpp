#include "app/frmpuesto.h"

#include "app/modprincipal.h"
#include "app/puesto.h"
#include "data/aplicacion.h"
#include "data/dberror.h"
#include "data/destino.h"
#include "ui/errores.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"
#include "ui/teclado.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

// The fields of the server's part, in the order they are written into the settings.
struct Ajuste {
    const char* clave;
    QString valor;
};

// libpq settings from the fields: key='value', quotes and backslashes escaped as libpq reads
// them; empty fields are left out.
QString escribirAjustes(const QList<Ajuste>& ajustes) {
    QStringList partes;
    for (const Ajuste& a : ajustes) {
        QString v = a.valor.trimmed();
        if (v.isEmpty()) continue;
        v.replace(u'\\', u"\\\\"_s).replace(u'\'', u"\\'"_s);
        partes << u"%1='%2'"_s.arg(QLatin1String(a.clave), v);
    }
    return partes.join(u' ');
}

const char* const kClaves[] = {"host", "port", "dbname", "user", "sslmode"};

// The fields of settings this window wrote; nothing when they are written another way.
std::optional<QHash<QString, QString>> leerAjustes(const QString& texto) {
    static const QRegularExpression par(uR"((\w+)='((?:[^'\\]|\\.)*)')"_s);
    QHash<QString, QString> campos;
    for (auto it = par.globalMatch(texto); it.hasNext();) {
        const auto m = it.next();
        QString v = m.captured(2);
        v.replace(u"\\'"_s, u"'"_s).replace(u"\\\\"_s, u"\\"_s);
        campos.insert(m.captured(1), v);
    }
    QList<Ajuste> ajustes;
    for (const char* c : kClaves)
        ajustes.append({c, campos.value(QLatin1String(c))});
    if (campos.isEmpty() || escribirAjustes(ajustes) != texto) return std::nullopt;
    return campos;
}

// A destination as the user reads it: a file with the system's separators, a server's
// settings without a password.
QString mostrable(const QString& d) {
    return destino::esServidor(d) ? destino::visible(d) : QDir::toNativeSeparators(d);
}

QLabel* etiqueta(const QString& texto, const char* nombre, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QString::fromLatin1(nombre));
    return l;
}

QLineEdit* campo(const char* nombre, QWidget* padre) {
    auto* t = new QLineEdit(padre);
    t->setObjectName(QString::fromLatin1(nombre));
    return t;
}

} // namespace

FrmPuesto::FrmPuesto(Momento momento)
    : Ventana(u"frmPuesto"_s), momento_(momento), habitual_(rutaBaseDatos()) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowIcon(iconos::aplicacion());
    establecerTitulo(u" - Base de datos de este puesto"_s);

    auto* central = new QWidget(this);
    auto* l = new QVBoxLayout(central);
    l->setContentsMargins(14, 14, 14, 10);

    auto* lblExplicacion =
        etiqueta(u"Elija la base de datos que este puesto abre cuando se inicia Zelvora:"_s,
                 "lblExplicacion", central);
    lblExplicacion->setWordWrap(true);
    l->addWidget(lblExplicacion);

    optHabitual_ = new QRadioButton(u"El archivo habitual de este equipo"_s, central);
    optHabitual_->setObjectName(u"optHabitual"_s);
    l->addWidget(optHabitual_);
    auto* lblHabitual = etiqueta(QDir::toNativeSeparators(habitual_), "lblHabitual", central);
    lblHabitual->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblHabitual->setContentsMargins(24, 0, 0, 4);
    l->addWidget(lblHabitual);

    optArchivo_ = new QRadioButton(u"Otro archivo:"_s, central);
    optArchivo_->setObjectName(u"optArchivo"_s);
    txtArchivo_ = campo("txtArchivo", central);
    txtArchivo_->setAccessibleName(u"Otro archivo"_s);
    cmdExaminar_ = new QPushButton(u"Examinar..."_s, central);
    cmdExaminar_->setObjectName(u"cmdExaminar"_s);
    auto* filaArchivo = new QHBoxLayout;
    filaArchivo->addWidget(optArchivo_);
    filaArchivo->addWidget(txtArchivo_, 1);
    filaArchivo->addWidget(cmdExaminar_);
    l->addLayout(filaArchivo);

    optServidor_ =
        new QRadioButton(u"Una base de datos en el servidor de la oficina (PostgreSQL)"_s, central);
    optServidor_->setObjectName(u"optServidor"_s);
    l->addWidget(optServidor_);

    auto* g = new QGridLayout;
    g->setContentsMargins(24, 0, 0, 0);
    auto fila = [&](int f, const QString& texto, const char* nombre, QWidget* control) {
        auto* e = etiqueta(texto, nombre, central);
        e->setBuddy(control);
        g->addWidget(e, f, 0);
        g->addWidget(control, f, 1);
        deServidor_ << e << control;
    };
    txtServidor_ = campo("txtServidor", central);
    fila(0, u"Servidor:"_s, "lblServidor", txtServidor_);
    txtPuerto_ = campo("txtPuerto", central);
    txtPuerto_->setPlaceholderText(u"5432"_s);
    fila(1, u"Puerto:"_s, "lblPuerto", txtPuerto_);
    txtBase_ = campo("txtBase", central);
    fila(2, u"Base de datos:"_s, "lblBase", txtBase_);
    txtUsuario_ = campo("txtUsuario", central);
    fila(3, u"Usuario:"_s, "lblUsuario", txtUsuario_);
    cboSsl_ = new QComboBox(central);
    cboSsl_->setObjectName(u"cboSsl"_s);
    cboSsl_->addItem(u"(la predeterminada)"_s, QString());
    for (const char* modo : {"disable", "allow", "prefer", "require", "verify-ca", "verify-full"})
        cboSsl_->addItem(QString::fromLatin1(modo), QString::fromLatin1(modo));
    fila(4, u"Conexión segura (sslmode):"_s, "lblSsl", cboSsl_);
    auto* lblDireccion = etiqueta(u"O bien la dirección completa (postgresql://usuario@servidor/"
                                  u"base, o ajustes de conexión como host=servidor dbname=base):"_s,
                                  "lblDireccion", central);
    lblDireccion->setWordWrap(true);
    txtDireccion_ = campo("txtDireccion", central);
    lblDireccion->setBuddy(txtDireccion_);
    g->addWidget(lblDireccion, 5, 0, 1, 2);
    g->addWidget(txtDireccion_, 6, 0, 1, 2);
    deServidor_ << lblDireccion << txtDireccion_;
    auto* lblContrasena =
        etiqueta(u"La contraseña no se escribe aquí: Zelvora no la guarda. Escríbala en el "
                 u"archivo de contraseñas de PostgreSQL de este usuario (~/.pgpass); la Ayuda "
                 u"explica cómo."_s,
                 "lblContrasena", central);
    lblContrasena->setWordWrap(true);
    g->addWidget(lblContrasena, 7, 0, 1, 2);
    deServidor_ << lblContrasena;
    l->addLayout(g);
    l->addStretch(1);

    auto* botones = new QHBoxLayout;
    auto* cmdAyuda = new QPushButton(u"Ayuda"_s, central);
    cmdAyuda->setObjectName(u"cmdAyuda"_s);
    auto* cmdProbar = new QPushButton(u"Probar la conexión"_s, central);
    cmdProbar->setObjectName(u"cmdProbar"_s);
    auto* cmdAceptar = new QPushButton(u"Aceptar"_s, central);
    cmdAceptar->setObjectName(u"cmdAceptar"_s);
    auto* cmdCancelar = new QPushButton(u"Cancelar"_s, central);
    cmdCancelar->setObjectName(u"cmdCancelar"_s);
    botones->addWidget(cmdAyuda);
    botones->addStretch(1);
    botones->addWidget(cmdProbar);
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    l->addLayout(botones);
    setCentralWidget(central);

    teclado::botonPredeterminado(cmdAceptar);
    // The server is named either by its fields or by the whole address: typing one clears the
    // other, so that what the window shows is what it records.
    for (QLineEdit* t : {txtServidor_, txtPuerto_, txtBase_, txtUsuario_})
        connect(t, &QLineEdit::textEdited, txtDireccion_, &QLineEdit::clear);
    connect(txtDireccion_, &QLineEdit::textEdited, this, [this] {
        for (QLineEdit* t : {txtServidor_, txtPuerto_, txtBase_, txtUsuario_})
            t->clear();
        cboSsl_->setCurrentIndex(0);
    });
    for (QRadioButton* o : {optHabitual_, optArchivo_, optServidor_})
        connect(o, &QRadioButton::toggled, this, [this] { habilitar(); });
    connect(cmdExaminar_, &QPushButton::clicked, this, [this] { examinar(); });
    connect(cmdAyuda, &QPushButton::clicked, this, [] { AbrirAyuda(u"oficina"_s); });
    connect(cmdProbar, &QPushButton::clicked, this, [this] { probarConexion(); });
    connect(cmdAceptar, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { cerrar(); });

    mostrarRecordada();
    setMinimumWidth(560);
    resize(560, sizeHint().height());
}

void FrmPuesto::mostrarRecordada() {
    const QString recordada = puesto::baseRecordada();
    if (recordada.isEmpty()) {
        optHabitual_->setChecked(true);
    } else if (!destino::esServidor(recordada)) {
        optArchivo_->setChecked(true);
        txtArchivo_->setText(QDir::toNativeSeparators(recordada));
    } else {
        optServidor_->setChecked(true);
        if (const auto campos = leerAjustes(recordada)) {
            txtServidor_->setText(campos->value(u"host"_s));
            txtPuerto_->setText(campos->value(u"port"_s));
            txtBase_->setText(campos->value(u"dbname"_s));
            txtUsuario_->setText(campos->value(u"user"_s));
            cboSsl_->setCurrentIndex(std::max(0, cboSsl_->findData(campos->value(u"sslmode"_s))));
        } else {
            txtDireccion_->setText(recordada);
        }
    }
    habilitar();
}

void FrmPuesto::habilitar() {
    txtArchivo_->setEnabled(optArchivo_->isChecked());
    cmdExaminar_->setEnabled(optArchivo_->isChecked());
    for (QWidget* w : std::as_const(deServidor_))
        w->setEnabled(optServidor_->isChecked());
}

void FrmPuesto::examinar() {
    const QString actual = txtArchivo_->text().trimmed();
    const QString carpeta = actual.isEmpty()
                                ? QFileInfo(habitual_).absolutePath()
                                : QFileInfo(QDir::fromNativeSeparators(actual)).absolutePath();
    const QString archivo = plataforma().archivoParaAbrir(
        u"Base de datos de este puesto"_s, carpeta,
        u"Bases de datos de Zelvora (*.mdb);;Todos los archivos (*)"_s);
    if (!archivo.isEmpty()) txtArchivo_->setText(QDir::toNativeSeparators(archivo));
}

QString FrmPuesto::destino() const {
    if (optHabitual_->isChecked()) return habitual_;
    if (optArchivo_->isChecked()) {
        const QString archivo = QDir::fromNativeSeparators(txtArchivo_->text().trimmed());
        if (archivo.isEmpty()) throw Error(u"Elija el archivo de la base de datos."_s);
        if (destino::esServidor(archivo)) {
            throw Error(u"«%1» es la dirección de un servidor, no un archivo: elija la opción del "
                        u"servidor de la oficina."_s.arg(destino::visible(archivo)));
        }
        return QFileInfo(archivo).absoluteFilePath();
    }
    const QString direccion = txtDireccion_->text().trimmed();
    if (!direccion.isEmpty()) {
        if (!destino::esServidor(direccion)) {
            throw Error(u"«%1» no es la dirección de una base de datos en un servidor. Escríbala "
                        u"como postgresql://usuario@servidor/base, o como ajustes de conexión "
                        u"(host=servidor dbname=base)."_s.arg(direccion));
        }
        return direccion;
    }
    if (txtServidor_->text().trimmed().isEmpty() || txtBase_->text().trimmed().isEmpty())
        throw Error(u"Escriba el servidor y el nombre de la base de datos, o la dirección "
                    u"completa."_s);
    return escribirAjustes({{"host", txtServidor_->text()},
                            {"port", txtPuerto_->text()},
                            {"dbname", txtBase_->text()},
                            {"user", txtUsuario_->text()},
                            {"sslmode", cboSsl_->currentData().toString()}});
}

QString FrmPuesto::destinoValido() {
    QString d;
    try {
        d = destino();
        puesto::comprobarSinContrasena(d);
    } catch (const Error& e) {
        plataforma().mensaje(e.descripcion(), Botones::Ok, Icono::Critico, u"Atención"_s);
        return {};
    }
    // The usual file not made yet is what the program creates on its first start.
    if (d == habitual_ && !QFileInfo::exists(d)) return d;
    try {
        RelojDeArena reloj;
        puesto::probar(d);
    } catch (const Error& e) {
        // The Spanish reason first, the technical detail last.
        QString texto = e.resumen() + u"\n\nNo se guardó nada."_s;
        if (!e.detalle().isEmpty()) texto += u"\n\n"_s + e.detalle();
        plataforma().mensaje(texto, Botones::Ok, Icono::Advertencia, aplicacion::kTitulo);
        return {};
    }
    return d;
}

void FrmPuesto::probarConexion() {
    protegido([&] {
        const QString d = destino();
        if (d == habitual_ && !QFileInfo::exists(d)) {
            plataforma().mensaje(u"El archivo habitual «%1» todavía no existe: Zelvora lo creará "
                                 u"al iniciarse."_s.arg(mostrable(d)),
                                 Botones::Ok, Icono::Informacion, aplicacion::kTitulo);
            return;
        }
        {
            RelojDeArena reloj;
            puesto::probar(d);
        }
        plataforma().mensaje(u"La base de datos «%1» se abre correctamente."_s.arg(mostrable(d)),
                             Botones::Ok, Icono::Informacion, aplicacion::kTitulo);
    });
}

void FrmPuesto::aceptar() {
    protegido([&] {
        const QString d = destinoValido();
        if (d.isEmpty()) return;
        puesto::recordarBase(optHabitual_->isChecked() ? QString() : d);
        if (momento_ == Momento::Menu) {
            plataforma().mensaje(u"Este puesto abrirá la base de datos «%1» la próxima vez que "
                                 u"se inicie Zelvora."_s.arg(mostrable(d)),
                                 Botones::Ok, Icono::Informacion, aplicacion::kTitulo);
        }
        Q_EMIT guardada(d);
        cerrar();
    });
}

} // namespace zv

#include "util/frmacercade.h"

#include "data/aplicacion.h"
#include "data/registro.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"
#include "ui/teclado.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

const QString kClaveMsInfo = uR"(SOFTWARE\Microsoft\Shared Tools\MSINFO)"_s;
const QString kClaveUbicaciones = uR"(SOFTWARE\Microsoft\Shared Tools Location)"_s;

// A registry value as the button reads it: text as it is (cut at its first zero and at the
// 1024 characters of its buffer), a number as hexadecimal text after "&h". Other kinds and
// missing keys or values are not found.
std::optional<QString> leerValor(const QString& clave, const QString& nombre) {
    const auto v = registro().leer(Raiz::LocalMachine, clave, nombre);
    if (!v) return std::nullopt;
    switch (v->tipo) {
    case ValorRegistro::Texto: {
        QString t = v->texto.left(1024);
        const qsizetype cero = t.indexOf(QChar(0));
        if (cero >= 0) t.truncate(cero);
        return t;
    }
    case ValorRegistro::Numero:
        return u"&h"_s + QString::number(v->numero, 16).toUpper();
    case ValorRegistro::Binario:
        break;
    }
    return std::nullopt;
}

// A path written the Windows way, as this system writes it.
QString rutaLocal(QString ruta) {
#ifndef Q_OS_WIN
    ruta.replace(u'\\', u'/');
#endif
    return ruta;
}

bool esPrograma(const QString& ruta) {
    if (ruta.trimmed().isEmpty()) return false;
    const QFileInfo f(ruta);
    return f.isFile() && f.isExecutable();
}

} // namespace

FrmAcercaDe::FrmAcercaDe() : Ventana(u"frmAcercaDe"_s) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowIcon(iconos::aplicacion());

    auto* central = new QWidget(this);
    auto* exterior = new QVBoxLayout(central);
    exterior->setContentsMargins(16, 16, 16, 12);
    exterior->setSpacing(10);

    auto etiqueta = [central](const char* nombre, const QString& texto) {
        auto* l = new QLabel(texto, central);
        l->setObjectName(QString::fromLatin1(nombre));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };

    auto* picIcon = etiqueta("picIcon", {});
    picIcon->setPixmap(iconos::aplicacion().pixmap(48, 48));
    picIcon->setFixedSize(56, 56);
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    // The labels are filled on loading from the version record.
    auto* lblTitle = etiqueta("lblTitle", aplicacion::kTitulo);
    QFont grande = lblTitle->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    grande.setBold(true);
    lblTitle->setFont(grande);
    auto* lblVersion = etiqueta("lblVersion", u"Versión "_s + aplicacion::version());
    auto* lblDescription = etiqueta("lblDescription", aplicacion::kDescripcion);
    lblDescription->setWordWrap(true);
    auto* lblCopyright = etiqueta("lblCopyright", aplicacion::kCopyright);
    lblCopyright->setWordWrap(true);
    auto* lblPaginaWeb = etiqueta("lblPaginaWeb", u"Página web: "_s + aplicacion::kPaginaWeb);
    auto* lblSoporte = etiqueta("lblSoporte", u"Soporte técnico: "_s + aplicacion::kSoporte);

    auto* textos = new QVBoxLayout;
    textos->setSpacing(4);
    textos->addWidget(lblTitle);
    textos->addWidget(lblVersion);
    textos->addSpacing(6);
    textos->addWidget(lblDescription);
    textos->addSpacing(6);
    textos->addWidget(lblCopyright);
    textos->addWidget(lblPaginaWeb);
    textos->addWidget(lblSoporte);
    auto* bloque = new QHBoxLayout;
    bloque->setSpacing(14);
    bloque->addWidget(picIcon, 0, Qt::AlignTop);
    bloque->addLayout(textos, 1);
    exterior->addLayout(bloque);

    // Two lines, a dark one over a light one, read as one engraved line.
    auto* lineas = new QVBoxLayout;
    lineas->setSpacing(0);
    for (int i = 0; i < 2; ++i) {
        auto* linea = new QFrame(central);
        linea->setObjectName(u"linSeparador(%1)"_s.arg(i));
        linea->setFixedHeight(1);
        linea->setAutoFillBackground(true);
        QPalette p = linea->palette();
        p.setColor(QPalette::Window, i == 0 ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white));
        linea->setPalette(p);
        lineas->addWidget(linea);
    }
    exterior->addLayout(lineas);

    auto* cmdOK = new QPushButton(u"OK"_s, central);
    cmdOK->setObjectName(u"cmdOK"_s);
    auto* cmdSysInfo = new QPushButton(u"&System Info..."_s, central);
    cmdSysInfo->setObjectName(u"cmdSysInfo"_s);
    for (QPushButton* b : {cmdOK, cmdSysInfo}) {
        b->setAutoDefault(true); // Enter presses the button that has the focus
        b->setMinimumWidth(120);
    }
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(cmdOK);
    botones->addWidget(cmdSysInfo);
    exterior->addLayout(botones);
    setCentralWidget(central);

    teclado::botonPredeterminado(cmdOK);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSysInfo, &QPushButton::clicked, this, &FrmAcercaDe::informacionSistema);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    setWindowTitle(u"Acerca de "_s + aplicacion::kTitulo);
    setFixedWidth(480);
    setFixedHeight(sizeHint().height());
    cmdOK->setFocus();
}

QString FrmAcercaDe::programaInformacionSistema() {
    // Where the tool says it is.
    if (const auto ruta = leerValor(kClaveMsInfo, u"PATH"_s))
        return esPrograma(rutaLocal(*ruta)) ? rutaLocal(*ruta) : QString();
    // Else the folder of the shared tools, if the tool is there.
    if (const auto carpeta = leerValor(kClaveUbicaciones, u"MSINFO"_s)) {
        const QString programa = rutaLocal(*carpeta + uR"(\MSINFO32.EXE)"_s);
        if (esPrograma(programa)) return programa;
    }
    return {};
}

void FrmAcercaDe::informacionSistema() {
    const QString programa = programaInformacionSistema();
    if (!programa.isEmpty() && plataforma().iniciarPrograma(programa, {})) return;
    plataforma().mensaje(u"System Information Is Unavailable At This Time"_s, Botones::Ok,
                         Icono::Ninguno, aplicacion::kTitulo);
}

} // namespace zv

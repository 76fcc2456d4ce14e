#include "ui/plataforma.h"

#include "data/dberror.h"
#include "ui/ayuda.h"
#include "ui/escritorio.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

// Ends a local event loop when the watched window hides, closes or is destroyed.
class Vigia : public QObject {
public:
    Vigia(QWidget* w, QEventLoop* loop) : loop_(loop) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide || e->type() == QEvent::Close) loop_->quit();
        return false;
    }

private:
    QEventLoop* loop_;
};

class PlataformaQt : public Plataforma {
public:
    Respuesta mensaje(const QString& texto, Botones botones, Icono icono,
                      const QString& titulo) override {
        QMessageBox caja(QApplication::activeWindow());
        caja.setWindowTitle(titulo);
        caja.setText(texto);
        switch (icono) {
        case Icono::Advertencia:
            caja.setIcon(QMessageBox::Warning);
            break;
        case Icono::Critico:
            caja.setIcon(QMessageBox::Critical);
            break;
        case Icono::Pregunta:
            caja.setIcon(QMessageBox::Question);
            break;
        case Icono::Informacion:
            caja.setIcon(QMessageBox::Information);
            break;
        case Icono::Ninguno:
            caja.setIcon(QMessageBox::NoIcon);
            break;
        }
        switch (botones) {
        case Botones::Ok:
            caja.setStandardButtons(QMessageBox::Ok);
            caja.setEscapeButton(QMessageBox::Ok);
            break;
        case Botones::OkCancelar:
            caja.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            caja.setEscapeButton(QMessageBox::Cancel);
            break;
        case Botones::SiNo:
            caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            caja.setDefaultButton(QMessageBox::Yes);
            caja.setEscapeButton(QMessageBox::No);
            break;
        case Botones::SiNoCancelar:
            caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            caja.setDefaultButton(QMessageBox::Yes);
            caja.setEscapeButton(QMessageBox::Cancel);
            break;
        }
        switch (caja.exec()) {
        case QMessageBox::Yes:
            return Respuesta::Si;
        case QMessageBox::No:
            return Respuesta::No;
        case QMessageBox::Ok:
            return Respuesta::Ok;
        default:
            return botones == Botones::Ok ? Respuesta::Ok : Respuesta::Cancelar;
        }
    }

    QString entrada(const QString& prompt, const QString& titulo, const QString& defecto) override {
        bool ok = false;
        const QString t = QInputDialog::getText(QApplication::activeWindow(), titulo, prompt,
                                                QLineEdit::Normal, defecto, &ok);
        return ok ? t : QString();
    }

    void mostrarModal(QWidget* w, const std::function<void()>& alMostrarse) override {
        QPointer<QWidget> p(w);
        const bool yaAbierta = w->isVisible(); // an ordinary window: bring it forward and wait
        if (!yaAbierta) w->setWindowModality(Qt::ApplicationModal);
        w->show();
        w->raise();
        w->activateWindow();
        if (alMostrarse) alMostrarse();
        if (p && p->isVisible()) {
            QEventLoop loop;
            Vigia vigia(w, &loop);
            QObject::connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
            loop.exec(QEventLoop::DialogExec);
        }
        if (p && !yaAbierta) p->setWindowModality(Qt::NonModal);
    }

    void mostrar(QWidget* w) override {
        if (w->isMinimized()) w->showNormal();
        w->show();
        w->raise();
        w->activateWindow();
    }

    void establecerPuntero(Puntero p) override {
        if (p == puntero_) return;
        if (p == Puntero::Reloj)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
        puntero_ = p;
    }

    Puntero puntero() const override { return puntero_; }

    void copiar(QMimeData* datos) override { QGuiApplication::clipboard()->setMimeData(datos); }

    const QMimeData* portapapeles() override { return QGuiApplication::clipboard()->mimeData(); }

    void abrirAyuda(const QString& pagina) override { VentanaAyuda::mostrar(pagina); }

    bool iniciarPrograma(const QString& programa, const QStringList& argumentos) override {
        return QProcess::startDetached(programa, argumentos);
    }

    bool dialogoImprimir(QPrinter& impresora, int paginas) override {
        QPrintDialog dialogo(&impresora, QApplication::activeWindow());
        dialogo.setMinMax(1, std::max(1, paginas));
        dialogo.setFromTo(1, std::max(1, paginas));
        dialogo.setOption(QAbstractPrintDialog::PrintPageRange, true);
        return dialogo.exec() == QDialog::Accepted;
    }

    QString archivoParaGuardar(const QString& titulo, const QString& sugerido,
                               const QString& filtros) override {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), titulo, sugerido,
                                            filtros);
    }

    QString archivoParaAbrir(const QString& titulo, const QString& carpeta,
                             const QString& filtros) override {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), titulo, carpeta, filtros);
    }

    bool enPrimerPlano() override { return escritorio::enPrimerPlano(); }

    bool notificar(const QString& titulo, const QString& texto,
                   std::function<void()> alPulsar) override {
        return escritorio::notificar(titulo, texto, std::move(alPulsar));
    }

    bool mostrarBandeja(const QString& tooltip, std::function<void()> alPulsar) override {
        return escritorio::mostrarBandeja(tooltip, std::move(alPulsar));
    }

    bool inicioConSesion() override { return escritorio::inicioConSesion(); }

    void establecerInicioConSesion(bool si) override { escritorio::establecerInicioConSesion(si); }

private:
    Puntero puntero_ = Puntero::Normal;
};

Plataforma* instalada = nullptr;

} // namespace

bool Plataforma::notificar(const QString&, const QString&, std::function<void()>) {
    return false;
}

bool Plataforma::mostrarBandeja(const QString&, std::function<void()>) {
    return false;
}

void Plataforma::establecerInicioConSesion(bool si) {
    if (si) throw Error(u"Este sistema no permite abrir Zelvora al iniciar la sesión."_s);
}

bool confirmarEliminar(const QString& nombre, const QString& titulo) {
    return plataforma().mensaje(QStringLiteral("Está seguro que desea eliminar '") + nombre +
                                    QStringLiteral("' ?"),
                                Botones::SiNo, Icono::Ninguno, titulo) == Respuesta::Si;
}

Plataforma& plataforma() {
    static PlataformaQt qt;
    return instalada ? *instalada : qt;
}

void establecerPlataforma(Plataforma* p) {
    instalada = p;
}

} // namespace zv

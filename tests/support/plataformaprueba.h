#pragma once
// The platform double of the tests: it answers message and input boxes from queues, runs a
// script for each window shown modally (then closes it, as a user would), and records
// everything that was shown, so that screens run headless and deterministically.
#include "ui/plataforma.h"

#include <QHash>
#include <QList>
#include <QMimeData>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

namespace zv::prueba {

struct Mensaje {
    QString texto;
    Botones botones;
    Icono icono;
    QString titulo;
};

struct Entrada {
    QString prompt;
    QString titulo;
    QString defecto;
};

struct Notificacion {
    QString titulo;
    QString texto;
    std::function<void()> alPulsar;
};

class PlataformaPrueba : public Plataforma {
public:
    // Answers, used in order; with none queued a box answers Ok, No (Yes/No) or Cancelar.
    QList<Respuesta> respuestas;
    // Texts typed into input boxes, in order; a null QString() cancels. With none queued the
    // box is cancelled.
    QList<QString> textos;

    QList<Mensaje> mensajes;
    QList<Entrada> entradas;
    QStringList modales;   // names of the windows shown modally, in order
    QStringList mostradas; // names of the windows shown without blocking
    QStringList ayudas;    // help pages opened
    QList<QPair<QString, QStringList>> programas;
    bool programasArrancan = true;
    Puntero punteroActual = Puntero::Normal;
    QList<Puntero> punteros; // every change of the pointer
    std::unique_ptr<QMimeData> portapapelesDatos;
    // What the print dialog answers; by default it is accepted.
    std::function<bool(QPrinter&, int)> alImprimir;
    QString archivoGuardar;
    QString archivoAbrir; // what the open-file dialog answers
    // The desktop: whether the user works in the program (by default yes), whether it has a
    // notification service and a tray, what was notified, the tray's tooltip and click, and the
    // start at login (establecerInicio may throw, as an unwritable folder does).
    bool primerPlano = true;
    bool hayNotificaciones = true;
    bool hayBandeja = true;
    QList<Notificacion> notificaciones;
    QString tooltipBandeja;
    std::function<void()> alPulsarBandeja;
    bool inicioSesion = false;
    std::function<void(bool)> establecerInicio;

    // What the user does in a modal window, by window name (or for any window); the window is
    // closed afterwards if the script left it open.
    QHash<QString, std::function<void(QWidget*)>> guiones;
    std::function<void(QWidget*)> guionPorDefecto;

    Respuesta mensaje(const QString& texto, Botones botones, Icono icono,
                      const QString& titulo) override;
    QString entrada(const QString& prompt, const QString& titulo, const QString& defecto) override;
    void mostrarModal(QWidget* w, const std::function<void()>& alMostrarse) override;
    void mostrar(QWidget* w) override;
    void establecerPuntero(Puntero p) override;
    Puntero puntero() const override { return punteroActual; }
    void copiar(QMimeData* datos) override { portapapelesDatos.reset(datos); }
    const QMimeData* portapapeles() override { return portapapelesDatos.get(); }
    void abrirAyuda(const QString& pagina) override { ayudas << pagina; }
    bool iniciarPrograma(const QString& programa, const QStringList& argumentos) override;
    bool dialogoImprimir(QPrinter& impresora, int paginas) override;
    QString archivoParaGuardar(const QString&, const QString&, const QString&) override {
        return archivoGuardar;
    }
    QString archivoParaAbrir(const QString&, const QString&, const QString&) override {
        return archivoAbrir;
    }

    bool enPrimerPlano() override { return primerPlano; }
    bool notificar(const QString& titulo, const QString& texto,
                   std::function<void()> alPulsar) override;
    bool mostrarBandeja(const QString& tooltip, std::function<void()> alPulsar) override;
    bool inicioConSesion() override { return inicioSesion; }
    void establecerInicioConSesion(bool si) override;

    // The last message shown, or an empty one.
    Mensaje ultimoMensaje() const { return mensajes.isEmpty() ? Mensaje{} : mensajes.last(); }
    void limpiar();
};

// The double installed by the test program.
PlataformaPrueba& plataformaPrueba();

} // namespace zv::prueba

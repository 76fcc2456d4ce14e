#include "support/plataformaprueba.h"

#include <QPrinter>
#include <QWidget>

namespace zv::prueba {

Respuesta PlataformaPrueba::mensaje(const QString& texto, Botones botones, Icono icono,
                                    const QString& titulo) {
    mensajes.append({texto, botones, icono, titulo});
    if (!respuestas.isEmpty()) return respuestas.takeFirst();
    switch (botones) {
    case Botones::Ok:
        return Respuesta::Ok;
    case Botones::SiNo:
        return Respuesta::No;
    default:
        return Respuesta::Cancelar;
    }
}

QString PlataformaPrueba::entrada(const QString& prompt, const QString& titulo,
                                  const QString& defecto) {
    entradas.append({prompt, titulo, defecto});
    if (textos.isEmpty()) return {};
    const QString t = textos.takeFirst();
    return t.isNull() ? QString() : t;
}

void PlataformaPrueba::mostrarModal(QWidget* w, const std::function<void()>& alMostrarse) {
    QPointer<QWidget> p(w);
    modales << w->objectName();
    w->show();
    if (alMostrarse) alMostrarse();
    if (!p) return;
    const auto guion = guiones.constFind(w->objectName());
    if (guion != guiones.constEnd())
        (*guion)(w);
    else if (guionPorDefecto)
        guionPorDefecto(w);
    if (p && p->isVisible()) p->close();
}

void PlataformaPrueba::mostrar(QWidget* w) {
    mostradas << w->objectName();
    w->show();
}

void PlataformaPrueba::establecerPuntero(Puntero p) {
    punteroActual = p;
    punteros << p;
}

bool PlataformaPrueba::iniciarPrograma(const QString& programa, const QStringList& argumentos) {
    programas.append({programa, argumentos});
    return programasArrancan;
}

bool PlataformaPrueba::dialogoImprimir(QPrinter& impresora, int paginas) {
    if (alImprimir) return alImprimir(impresora, paginas);
    return true;
}

bool PlataformaPrueba::notificar(const QString& titulo, const QString& texto,
                                 std::function<void()> alPulsar) {
    if (!hayNotificaciones) return false;
    notificaciones.append({titulo, texto, std::move(alPulsar)});
    return true;
}

bool PlataformaPrueba::mostrarBandeja(const QString& tooltip, std::function<void()> alPulsar) {
    if (!hayBandeja) return false;
    tooltipBandeja = tooltip;
    alPulsarBandeja = std::move(alPulsar);
    return true;
}

void PlataformaPrueba::establecerInicioConSesion(bool si) {
    if (establecerInicio) establecerInicio(si);
    inicioSesion = si;
}

void PlataformaPrueba::limpiar() {
    respuestas.clear();
    textos.clear();
    mensajes.clear();
    entradas.clear();
    modales.clear();
    mostradas.clear();
    ayudas.clear();
    programas.clear();
    punteros.clear();
    punteroActual = Puntero::Normal;
    guiones.clear();
    guionPorDefecto = nullptr;
    portapapelesDatos.reset();
    alImprimir = nullptr;
    archivoGuardar.clear();
    archivoAbrir.clear();
    primerPlano = true;
    hayNotificaciones = true;
    hayBandeja = true;
    notificaciones.clear();
    tooltipBandeja.clear();
    alPulsarBandeja = nullptr;
    inicioSesion = false;
    establecerInicio = nullptr;
}

PlataformaPrueba& plataformaPrueba() {
    static PlataformaPrueba p;
    return p;
}

} // namespace zv::prueba

#pragma once
// The seam between the program and the platform: message and input boxes, showing windows,
// the mouse pointer, the clipboard, help, starting programs, printing, and the desktop
// (notifications, the tray icon, the start at login). In the program these call Qt; tests
// install a double that answers the questions and records what was shown.
#include <QString>
#include <QStringList>
#include <functional>

class QMimeData;
class QPrinter;
class QWidget;

namespace zv {

enum class Botones { Ok, OkCancelar, SiNo, SiNoCancelar };
enum class Icono { Ninguno, Advertencia, Critico, Pregunta, Informacion };
enum class Respuesta { Ok, Cancelar, Si, No };
enum class Puntero { Normal, Reloj };

class Plataforma {
public:
    virtual ~Plataforma() = default;

    // A message box; closing it without a choice answers Cancelar (or Ok with only Ok).
    virtual Respuesta mensaje(const QString& texto, Botones botones, Icono icono,
                              const QString& titulo) = 0;
    // An input box; the empty text when the user cancels.
    virtual QString entrada(const QString& prompt, const QString& titulo,
                            const QString& defecto) = 0;
    // Shows a window modally and returns when it has closed. alMostrarse runs once it is shown.
    virtual void mostrarModal(QWidget* w, const std::function<void()>& alMostrarse) = 0;
    // Shows a window without blocking and brings it forward.
    virtual void mostrar(QWidget* w) = 0;
    virtual void establecerPuntero(Puntero p) = 0;
    virtual Puntero puntero() const = 0;
    // The clipboard; the platform takes ownership of the data.
    virtual void copiar(QMimeData* datos) = 0;
    virtual const QMimeData* portapapeles() = 0;
    // Opens the program's help, at a page when given.
    virtual void abrirAyuda(const QString& pagina) = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool iniciarPrograma(const QString& programa, const QStringList& argumentos) = 0;
    // The system print dialog over a printer (all pages offered); false when cancelled.
    virtual bool dialogoImprimir(QPrinter& impresora, int paginas) = 0;
    // Asks where to save a file; the empty text when cancelled.
    virtual QString archivoParaGuardar(const QString& titulo, const QString& sugerido,
                                       const QString& filtros) = 0;
    // Asks for a file to open; the empty text when cancelled (and where there is no dialog).
    virtual QString archivoParaAbrir([[maybe_unused]] const QString& titulo,
                                     [[maybe_unused]] const QString& carpeta,
                                     [[maybe_unused]] const QString& filtros) {
        return {};
    }

    // The desktop around the program (ui/escritorio.h); a platform without one answers as a
    // desktop with no services does. Whether the user is working in the program now: one of
    // its windows is active and not minimised.
    virtual bool enPrimerPlano() { return true; }
    // A desktop notification; alPulsar runs when the user clicks it. False when the desktop has
    // no notification service: nothing is shown then, and that is no error.
    virtual bool notificar(const QString& titulo, const QString& texto,
                           std::function<void()> alPulsar);
    // Shows the tray icon, or changes its tooltip; alPulsar runs when the user clicks it. False
    // when the desktop has no tray.
    virtual bool mostrarBandeja(const QString& tooltip, std::function<void()> alPulsar);
    // Whether the program starts at login, and turning that on or off; zv::Error with a clear
    // description when the desktop's place for it cannot be written.
    virtual bool inicioConSesion() { return false; }
    virtual void establecerInicioConSesion(bool si);
};

// The platform in force.
Plataforma& plataforma();
// Installs another platform (tests); nullptr restores Qt's. The caller keeps ownership.
void establecerPlataforma(Plataforma* p);

// The question every list screen asks before deleting a record:
// "Está seguro que desea eliminar 'nombre' ?" (Yes/No) under the screen's title; true for Yes.
bool confirmarEliminar(const QString& nombre, const QString& titulo);

// Sets the hourglass for the life of a scope, and the normal pointer after it.
class RelojDeArena {
public:
    RelojDeArena() { plataforma().establecerPuntero(Puntero::Reloj); }
    ~RelojDeArena() { plataforma().establecerPuntero(Puntero::Normal); }
    RelojDeArena(const RelojDeArena&) = delete;
    RelojDeArena& operator=(const RelojDeArena&) = delete;
};

} // namespace zv

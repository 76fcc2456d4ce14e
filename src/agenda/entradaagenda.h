#pragma once
// What the windows that write an agenda entry share: the entry's fields (the activity list with
// its frame of details, the pickers of day and time, the reminder, state, notes and results),
// the reading of a reminder lead, and the opening of the screens that choose the entry's
// participants.
#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QList>
#include <QString>
#include <QTimeEdit>
#include <QVariant>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zv {

class BarraHerramientas;
class DetallesActividad;
class Enlaces;
class ListaEnlazada;
class OrigenRegistros;

namespace agenda {

// The activities with their category, as every activity list of the agenda shows them.
extern const QString kSqlActividades;
// The statement of one entry: "SELECT * FROM CALENDARIO WHERE CALID=" and its key.
QString sqlEntrada(qint64 calId);

// The lead of a reminder as the user typed it: a whole number of days, 0 or more. Anything else
// ("abc", "1,5", "-", "-2", nothing) throws zv::Error with a message that says so.
qint64 leerAviso(const QString& texto);
// The same check on a bound lead box, only when the user typed into it (a lead stored long ago
// is not questioned while other fields are edited).
void validarAviso(const QLineEdit* txtAviso);

// "empresa" / "contacto": the screen that chooses the companies or contacts taking part in an
// entry, modally, with the entry's key and a caption naming the activity and the day.
enum class Participantes { Empresas, Contactos };
void abrirParticipantes(Participantes quienes, qint64 calId, const QString& actividad,
                        const QDate& fecha);

// The buttons an agenda toolbar begins with: "nuevo", "eliminar", "actualizar", "empresa" and
// "contacto".
void botonesEntrada(BarraHerramientas* barra);

// The day picker of an entry, "dd-MMM-yyyy", with a calendar to choose from.
QDateEdit* selectorFecha(const QString& nombre, QWidget* parent);
// A time picker showing the regional long time.
QTimeEdit* selectorHora(const QString& nombre, QWidget* parent);

// How a window words the labels of an entry's fields (the activity's is "Actividad:" in every
// one).
struct Etiquetas {
    QString fecha;
    QString horaInicio;
    QString horaFinal;
    QString aviso;
    QString avisoHora;
    QString estado;
    QString notas;
    QString resultado = {}; // none: the window has no results box
};

// Where the notes and results go: as rows under the other fields, or apart, where the window
// places them and their labels itself.
enum class Textos { EnFilas, Aparte };

// The fields of an entry, made in the order the user tabs through them: the activity list (its
// details and "..." button next), the day, the start and end time, the reminder's lead and time,
// the state, the notes and the results.
struct CamposEntrada {
    ListaEnlazada* dbcActividades = nullptr;
    DetallesActividad* detalles = nullptr;
    QDateEdit* dtpFecha = nullptr;
    QTimeEdit* dtpHoraInicio = nullptr;
    QTimeEdit* dtpHoraFinal = nullptr;
    QLineEdit* txtAviso = nullptr;
    QTimeEdit* dtpAviso = nullptr;
    QLineEdit* txtEstado = nullptr;
    QPlainTextEdit* txtNotas = nullptr;
    QPlainTextEdit* txtResultado = nullptr; // none without a text for its label
    QLabel* lblActividad = nullptr;
    QLabel* lblNotas = nullptr;
    QLabel* lblResultado = nullptr;
    // The rows of the grid the fields take, from the first.
    int filas = 0;

    // Binds every field to its column of CALENDARIO in the current row of `entrada`, the source
    // `enlaces` works on. A lead the user typed is checked before anything of the entry is
    // stored.
    void enlazar(Enlaces* enlaces, OrigenRegistros* entrada) const;
    // Every control the user edits or presses, the "..." button included.
    QList<QWidget*> controles() const;
};

// Makes the fields of an entry inside `area`, the activity list over `dtaActividades`. One row
// each of `grilla`, from the first: the label in column 0, at its top left (the activity's
// included), and the control in column 1. The details are left for the window to place.
CamposEntrada camposEntrada(QWidget* area, QGridLayout* grilla, OrigenRegistros* dtaActividades,
                            const Etiquetas& etiquetas, Textos textos);

} // namespace agenda

// The frame "Detalles" beside an activity list: the comments and the category of the activity
// current in the list's record source, and the "..." button that adds activities (the window
// places it, beside the list).
class DetallesActividad : public QGroupBox {
    Q_OBJECT
public:
    // Follows the choice of `lista` (a list over `dtaActividades`).
    DetallesActividad(OrigenRegistros* dtaActividades, ListaEnlazada* lista,
                      QWidget* parent = nullptr);

    QPlainTextEdit* txtActComentario() const { return txtActComentario_; }
    QLineEdit* txtActCategoria() const { return txtActCategoria_; }
    QPushButton* cmdNuevaActividad() const { return cmdNuevaActividad_; }
    // The activity the details show: the one chosen in the list, or the first one when none.
    void seguirLista();
    // The description of the activity the details show; empty when there is none.
    QString descripcion() const;

private:
    OrigenRegistros* dtaActividades_;
    ListaEnlazada* lista_;
    Enlaces* enlaces_;
    QPlainTextEdit* txtActComentario_;
    QLineEdit* txtActCategoria_;
    QPushButton* cmdNuevaActividad_;
};

} // namespace zv

#pragma once
// The seat's set-up: which database this seat opens when the program starts without --db (the
// usual file, another file, or an office's database on a server, app/puesto.h). The choice is
// tried before it is recorded; a server's password is never recorded (it goes in ~/.pgpass).
// Reached from Herramientas, and offered at start-up when the configured database cannot be
// opened.
#include "ui/ventana.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zv {

class FrmPuesto : public Ventana {
    Q_OBJECT
public:
    enum class Momento {
        Menu,       // from the menu: the program goes on with its database until it starts again
        AlArrancar, // at start-up: the program opens the chosen database at once
    };
    explicit FrmPuesto(Momento momento = Momento::Menu);

    // The database the controls name, as it would be opened; zv::Error when something needed is
    // missing.
    QString destino() const;
    // The button "Probar la conexión".
    void probarConexion();
    // The button "Aceptar": tries the database, records it, and closes; the window stays open
    // when the database cannot be used or carries a password.
    void aceptar();

Q_SIGNALS:
    // The choice was recorded; `destino` is the database to open.
    void guardada(const QString& destino);

private:
    void mostrarRecordada();
    void habilitar();
    void examinar();
    // The destination, or empty after telling the user why it cannot be used.
    QString destinoValido();

    Momento momento_;
    QString habitual_;
    QRadioButton* optHabitual_;
    QRadioButton* optArchivo_;
    QRadioButton* optServidor_;
    QLineEdit* txtArchivo_;
    QPushButton* cmdExaminar_;
    QLineEdit* txtServidor_;
    QLineEdit* txtPuerto_;
    QLineEdit* txtBase_;
    QLineEdit* txtUsuario_;
    QComboBox* cboSsl_;
    QLineEdit* txtDireccion_;
    QList<QWidget*> deServidor_;
};

} // namespace zv

#pragma once
// The base of every screen: a window named as the screen ("frmMantEmpresas"), with the events
// the screens have always reacted to: load (the constructor), becoming the active window
// (alActivar), and closing, which first stores the edits its bound controls hold.
#include <QMainWindow>
#include <QString>

namespace zv {

class OrigenRegistros;

// Sizes of a screen's design in twips (1/1440 inch), at 15 twips to a screen pixel.
constexpr int px(int twips) {
    return twips / 15;
}

class Ventana : public QMainWindow {
    Q_OBJECT
public:
    explicit Ventana(const QString& nombre, QWidget* parent = nullptr);

    // The window became the active window of the program: runs alActivar() guarded.
    void activar();
    // Closes the window as its close box would; false when it stayed open.
    bool cerrar();

protected:
    // Sets the caption: the application title followed by the suffix.
    void establecerTitulo(const QString& sufijo);
    virtual void alActivar() {}
    // Before closing, after the pending edits were stored; false keeps the window open.
    virtual bool alCerrar() { return true; }
    void closeEvent(QCloseEvent* e) override;
    // The first showing prepares the window for the keyboard and screen readers (ui/teclado.h)
    // and, the first time only, grows it to show every button of its toolbars.
    void showEvent(QShowEvent* e) override;
    // The record sources of this window (its children).
    QList<OrigenRegistros*> origenes() const;

private:
    void ajustarABarras();
    bool mostrada_ = false;
};

} // namespace zv

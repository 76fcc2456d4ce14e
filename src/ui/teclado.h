#pragma once
// The keyboard and screen readers. Every window is prepared once, as it is first shown:
// - each label that names a field ("Fecha:") is tied to the field beside it (setBuddy), so that
//   a screen reader speaks the label's text as the field's name;
// - its menu bar gets access keys (Alt+A for "Archivo"), and each menu gives its entries access
//   keys as it opens; a caption keeps its letters, only underlined (an access key already in a
//   caption is kept);
// - its toolbar buttons join the Tab chain, so that windows without menus are usable from the
//   keyboard too; "ayuda" answers F1;
// - push buttons answer Enter when they have the focus; a window shown modally closes with
//   Escape, as its close box would, and Enter presses its default button, if it has one.
// The Tab order of a window is the order in which its controls were made.
#include <QString>

class QAction;
class QPushButton;
class QWidget;
template <typename T> class QList;

namespace zv::teclado {

// Prepares a window once (later calls do nothing). Ventana does it as it is first shown.
void preparar(QWidget* ventana);
// The button Enter presses anywhere in its window (a window shown modally).
void botonPredeterminado(QPushButton* boton);
// Gives access keys to a list of entries (a menu, a menu bar): each entry without one gets the
// first free letter of a word, or else any free letter of its caption.
void darTeclasDeAcceso(const QList<QAction*>& acciones);
// A caption as the user reads it: without the access-key marks.
QString textoVisible(const QString& caption);

} // namespace zv::teclado

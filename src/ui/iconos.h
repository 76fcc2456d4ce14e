#pragma once
// The program's icon set: one consistent family of pictures for the toolbar keys
// ("nuevo", "guardar", "eliminar", "buscar", ...), drawn by the program itself.
#include <QIcon>
#include <QString>
#include <QStringList>

class QPainter;

namespace zv::iconos {

// The picture of a toolbar key; a neutral picture for keys without one of their own.
QIcon icono(const QString& clave);
// The program's own icon (windows, the about box).
QIcon aplicacion();
// Paints the program's icon as strokes into the square (0, 0, lado, lado) of any painter: the
// pictures of the desktop's icon theme and its scalable SVG are drawn this way.
void pintarAplicacion(QPainter& g, qreal lado);
// The keys that have a picture of their own.
QStringList claves();

} // namespace zv::iconos

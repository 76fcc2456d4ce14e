#pragma once
// The program's icon set: one consistent family of pictures for the toolbar keys
// ("nuevo", "guardar", "eliminar", "buscar", ...), drawn by the program itself.
#include <QIcon>
#include <QString>

namespace zv::iconos {

// The picture of a toolbar key; a neutral picture for keys without one of their own.
QIcon icono(const QString& clave);
// The program's own icon (windows, the about box).
QIcon aplicacion();

} // namespace zv::iconos

#pragma once
// The pictures of the business plan wizard, drawn by the program in one style: a panel for the
// left of each page and a picture for each scope button.
#include <QIcon>
#include <QPixmap>

namespace zv::ilustraciones {

enum class Pagina { General, Duracion, Alcance, Estrategia };
enum class Alcance { Productos, Servicios, Ramos };

QPixmap pagina(Pagina p, const QSize& tamano = QSize(150, 300));
QIcon alcance(Alcance a);

} // namespace zv::ilustraciones

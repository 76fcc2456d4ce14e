#include "ui/iconos.h"

#include <QApplication>
#include <QHash>
#include <QStyle>

namespace zv::iconos {

QIcon icono(const QString& clave) {
    static const QHash<QString, QStyle::StandardPixmap> mapa = {
        {QStringLiteral("nuevo"), QStyle::SP_FileIcon},
        {QStringLiteral("guardar"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("actualizar"), QStyle::SP_BrowserReload},
        {QStringLiteral("eliminar"), QStyle::SP_TrashIcon},
        {QStringLiteral("buscar"), QStyle::SP_FileDialogContentsView},
        {QStringLiteral("orden_asc"), QStyle::SP_ArrowUp},
        {QStringLiteral("orden_des"), QStyle::SP_ArrowDown},
        {QStringLiteral("ordenar_asc"), QStyle::SP_ArrowUp},
        {QStringLiteral("ordenar_des"), QStyle::SP_ArrowDown},
        {QStringLiteral("ayuda"), QStyle::SP_DialogHelpButton},
        {QStringLiteral("cerrar"), QStyle::SP_DialogCloseButton},
        {QStringLiteral("salir"), QStyle::SP_DialogCloseButton},
        {QStringLiteral("subir"), QStyle::SP_ArrowUp},
        {QStringLiteral("bajar"), QStyle::SP_ArrowDown},
        {QStringLiteral("imprimir"), QStyle::SP_FileDialogDetailedView},
    };
    if (!qApp) return {};
    return qApp->style()->standardIcon(mapa.value(clave, QStyle::SP_FileDialogInfoView));
}

QIcon aplicacion() {
    if (!qApp) return {};
    return qApp->style()->standardIcon(QStyle::SP_DesktopIcon);
}

} // namespace zv::iconos

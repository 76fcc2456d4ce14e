#pragma once
// The program's title and version record: what the splash window, the about window and every
// window caption show.
#include <QString>

namespace zv::aplicacion {

inline const QString kTitulo = QStringLiteral("Zelvora");
inline constexpr int kVersionMayor = 1;
inline constexpr int kVersionMenor = 0;
inline constexpr int kVersionRevision = 4;
inline const QString kCompania = QStringLiteral("Tessaro Software");
inline const QString kCopyright =
    QStringLiteral("Copyright © 2026 Tessaro Software. Todos los derechos reservados.");
inline const QString kDescripcion =
    QStringLiteral("Agenda de organización de información y seguimiento de clientes y contactos.");
inline const QString kPaginaWeb = QStringLiteral("www.tessaro.example/zelvora");
inline const QString kSoporte = QStringLiteral("soporte@tessaro.example");

// The caption of a window: the title followed by the window's suffix.
inline QString titulo(const QString& sufijo) {
    return kTitulo + sufijo;
}

inline QString version() {
    return QString::number(kVersionMayor) + u'.' + QString::number(kVersionMenor) + u'.' +
           QString::number(kVersionRevision);
}

} // namespace zv::aplicacion

// Any bytes given to the iCalendar reader end in events or in a format error, never in a crash
// or a hang (repeating events are expanded over a fixed year).
#include "formatos/icalendario.h"

#include <QBuffer>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(datos), qsizetype(largo));
    QBuffer origen(&bytes);
    origen.open(QIODevice::ReadOnly);
    zv::formatos::OpcionesLecturaIcal opciones;
    opciones.zona = QTimeZone("Europe/Madrid");
    opciones.desde = QDate(2026, 1, 1);
    opciones.hasta = QDate(2027, 1, 1);
    opciones.maxRepeticiones = 200;
    try {
        zv::formatos::LectorIcal lector(origen, opciones);
        zv::formatos::EventoIcal evento;
        while (lector.leer(evento)) {
        }
    } catch (const zv::formatos::ErrorFormato&) {
    }
    return 0;
}

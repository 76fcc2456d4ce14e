// Any bytes given to the CSV reader end in records or in a format error, never in a crash or a
// hang.
#include "formatos/csv.h"

#include <QBuffer>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(datos), qsizetype(largo));
    QBuffer origen(&bytes);
    origen.open(QIODevice::ReadOnly);
    try {
        zv::formatos::LectorCsv lector(origen);
        QStringList campos;
        while (lector.leer(campos)) {
        }
    } catch (const zv::formatos::ErrorFormato&) {
    }
    return 0;
}

// Any bytes given to the vCard reader end in cards or in a format error, never in a crash or a
// hang.
#include "formatos/vcard.h"

#include <QBuffer>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(datos), qsizetype(largo));
    QBuffer origen(&bytes);
    origen.open(QIODevice::ReadOnly);
    try {
        zv::formatos::LectorVcard lector(origen);
        zv::formatos::Vcard tarjeta;
        while (lector.leer(tarjeta)) {
        }
    } catch (const zv::formatos::ErrorFormato&) {
    }
    return 0;
}

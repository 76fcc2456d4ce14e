#pragma once
// The program's collation, for code that must order or group texts as the engine does: letter
// case never counts (accented letters included), letters without accents order first (ñ is a
// letter of its own between n and o), then accents. Every engine compares text this way (see
// data/dialecto.h, kColacion).
#include <QString>

namespace zv::sql {

// Compares two UTF-8 texts; negative, zero or positive.
int compararUtf8(int n1, const unsigned char* a, int n2, const unsigned char* b);
int compararTexto(const QString& a, const QString& b);
// A key that is equal for two texts exactly when the collation says they are equal.
QString claveTexto(const QString& s);

} // namespace zv::sql

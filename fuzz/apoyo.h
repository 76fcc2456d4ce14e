#pragma once
// What every fuzz target shares: turning the fuzzer's bytes into texts, and stopping on a broken
// rule with a message that says which.
#include "data/regional.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zv::fuzz {

// The bytes as a text. An even first byte reads the rest as UTF-8 (what a user types or pastes);
// an odd one as UTF-16, so that unpaired surrogates and every code unit can come too.
inline QString texto(const uint8_t* datos, size_t n) {
    if (n == 0) return {};
    const char* p = reinterpret_cast<const char*>(datos + 1);
    const qsizetype resto = qsizetype(n - 1);
    if (datos[0] % 2 == 0) return QString::fromUtf8(p, resto);
    QString s(resto / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i)
        s[i] = QChar(char16_t(uint8_t(p[2 * i]) | (uint8_t(p[2 * i + 1]) << 8)));
    return s;
}

// A text cut into `partes` pieces at the character U+0001 (the last piece keeps the rest).
inline QStringList partes(const QString& s, int partes) {
    QStringList out;
    qsizetype desde = 0;
    for (int i = 0; i + 1 < partes; ++i) {
        const qsizetype corte = s.indexOf(QChar(1), desde);
        if (corte < 0) break;
        out << s.mid(desde, corte - desde);
        desde = corte + 1;
    }
    out << s.mid(desde);
    while (out.size() < partes)
        out << QString();
    return out;
}

// The program speaks Spanish of Spain here, whatever the machine's locale.
inline void preparar() {
    Regional::establecer(QLocale(QLocale::Spanish, QLocale::Spain));
}

[[noreturn]] inline void fallo(const char* regla, const QString& detalle) {
    std::fprintf(stderr, "\n*** Regla rota: %s\n%s\n", regla, qUtf8Printable(detalle));
    std::abort();
}

} // namespace zv::fuzz

#define ZV_EXIGIR(condicion, detalle)                                                              \
    do {                                                                                           \
        if (!(condicion)) ::zv::fuzz::fallo(#condicion, (detalle));                                \
    } while (false)

#include "data/funciones.h"

#include <QChar>
#include <array>

using namespace Qt::StringLiterals;

namespace zv::sql {

namespace {

// ---------------------------------------------------------------------------------------------
// Collation. Two levels: first the letters without accents (ñ is a letter of its own between n
// and o), then the letters with accents; letter case never counts. Texts are equal exactly when
// their case-folded forms are equal, so "CÓRDOBA" equals "Córdoba" but not "Cordoba".

// Decodes one UTF-8 code point; malformed bytes are taken one by one as themselves.
inline char32_t decodificar(const unsigned char* p, int n, int& i) {
    const unsigned char c = p[i];
    if (c < 0x80) {
        ++i;
        return c;
    }
    int largo = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
    if (largo == 1 || i + largo > n) {
        ++i;
        return c;
    }
    char32_t cp = c & (largo == 2 ? 0x1F : largo == 3 ? 0x0F : 0x07);
    for (int k = 1; k < largo; ++k) {
        const unsigned char b = p[i + k];
        if ((b & 0xC0) != 0x80) {
            ++i;
            return c;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += largo;
    return cp;
}

inline char32_t plegar(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

// Base letter of the accented Latin letters (U+00C0 to U+024F), computed once.
struct TablaBase {
    std::array<char32_t, 0x250> base{};
    TablaBase() {
        for (char32_t c = 0; c < 0x250; ++c) {
            base[c] = c;
            if (c < 0xC0) continue;
            const QString d = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D);
            if (d.size() > 1 && d.at(0).unicode() < 0x80) base[c] = d.at(0).unicode();
        }
    }
};

inline quint32 pesoPrimario(char32_t plegado) {
    static const TablaBase tabla;
    if (plegado == 0xF1) return quint32('n') * 4 + 2; // ñ between n and o
    const char32_t b = plegado < 0x250 ? tabla.base[plegado] : plegado;
    return quint32(b) * 4;
}

} // namespace

int compararUtf8(int n1, const unsigned char* a, int n2, const unsigned char* b) {
    const int n = std::min(n1, n2);
    int i = 0;
    for (; i < n; ++i) {
        unsigned char ca = a[i], cb = b[i];
        if ((ca | cb) & 0x80) break;
        if (ca >= 'A' && ca <= 'Z') ca += 32;
        if (cb >= 'A' && cb <= 'Z') cb += 32;
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i == n) return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
    // Level 1: letters without accents.
    int ia = i, ib = i;
    int secundario = 0;
    while (ia < n1 && ib < n2) {
        const char32_t fa = plegar(decodificar(a, n1, ia));
        const char32_t fb = plegar(decodificar(b, n2, ib));
        const quint32 pa = pesoPrimario(fa), pb = pesoPrimario(fb);
        if (pa != pb) return pa < pb ? -1 : 1;
        if (secundario == 0 && fa != fb) secundario = fa < fb ? -1 : 1;
    }
    if (ia < n1) return 1;
    if (ib < n2) return -1;
    // Level 2: accents.
    return secundario;
}

int compararTexto(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return compararUtf8(int(ua.size()), reinterpret_cast<const unsigned char*>(ua.constData()),
                        int(ub.size()), reinterpret_cast<const unsigned char*>(ub.constData()));
}

QString claveTexto(const QString& s) {
    QString out(s.size(), Qt::Uninitialized);
    QChar* o = out.data();
    const QChar* p = s.constData();
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = p[i].unicode();
        if (c >= 0x80) {
            // Not plain ASCII: fold code point by code point, as the collation does.
            QString lento;
            lento.reserve(s.size());
            for (char32_t cp : s.toUcs4()) {
                const char32_t f = plegar(cp);
                lento += QString::fromUcs4(&f, 1);
            }
            return lento;
        }
        o[i] = QChar((c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c);
    }
    return out;
}

} // namespace zv::sql

#include "formatos/contenido.h"

#include <QIODevice>
#include <cstring>

using namespace Qt::StringLiterals;

namespace zv::formatos {

QString LineaContenido::parametro(const QString& n) const {
    for (const auto& [clave, valor] : parametros)
        if (clave == n) return valor;
    return {};
}

bool LineaContenido::tieneValor(const QString& n, const QString& v) const {
    for (const auto& [clave, valor] : parametros) {
        if (clave != n) continue;
        for (const QString& parte : valor.split(u','))
            if (parte.trimmed().compare(v, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

LineaContenido analizarLinea(const QString& texto, qint64 numero) {
    LineaContenido l;
    l.linea = numero;
    // The name: letters, digits and dashes, perhaps after a group and a dot.
    qsizetype i = 0;
    auto nombre = [&] {
        const qsizetype desde = i;
        while (i < texto.size() &&
               (texto[i].isLetterOrNumber() || texto[i] == u'-' || texto[i] == u'_'))
            ++i;
        return texto.mid(desde, i - desde);
    };
    QString n = nombre();
    if (i < texto.size() && texto[i] == u'.') {
        ++i;
        l.grupo = n;
        n = nombre();
    }
    if (n.isEmpty() || i >= texto.size() || (texto[i] != u':' && texto[i] != u';'))
        throw ErrorFormato(
            numero, u"la línea no tiene la forma NOMBRE:valor («%1»)."_s.arg(texto.left(40)));
    l.nombre = n.toUpper();
    while (i < texto.size() && texto[i] == u';') {
        ++i;
        const qsizetype desde = i;
        while (i < texto.size() && texto[i] != u'=' && texto[i] != u';' && texto[i] != u':')
            ++i;
        const QString clave = texto.mid(desde, i - desde).trimmed().toUpper();
        if (i < texto.size() && texto[i] == u'=') {
            ++i;
            // One or more values, each perhaps in double quotes (which may hold ':' and ';').
            QString valor;
            for (;;) {
                if (i < texto.size() && texto[i] == u'"') {
                    const qsizetype cierre = texto.indexOf(u'"', i + 1);
                    if (cierre < 0)
                        throw ErrorFormato(numero, u"las comillas del parámetro %1 no se "
                                                   u"cierran."_s.arg(clave));
                    valor += texto.mid(i + 1, cierre - i - 1);
                    i = cierre + 1;
                } else {
                    const qsizetype desdeValor = i;
                    while (i < texto.size() && texto[i] != u',' && texto[i] != u';' &&
                           texto[i] != u':')
                        ++i;
                    valor += texto.mid(desdeValor, i - desdeValor);
                }
                if (i < texto.size() && texto[i] == u',') {
                    valor += u',';
                    ++i;
                    continue;
                }
                break;
            }
            l.parametros.append({clave, valor});
        } else if (!clave.isEmpty()) {
            // vCard 2.1: a bare type, or an encoding or charset without its name.
            if (clave == u"QUOTED-PRINTABLE"_s || clave == u"BASE64"_s || clave == u"8BIT"_s)
                l.parametros.append({u"ENCODING"_s, clave});
            else
                l.parametros.append({u"TYPE"_s, clave});
        }
    }
    if (i >= texto.size() || texto[i] != u':')
        throw ErrorFormato(
            numero, u"la línea no tiene la forma NOMBRE:valor («%1»)."_s.arg(texto.left(40)));
    l.valor = texto.mid(i + 1);
    return l;
}

LectorContenido::LectorContenido(QIODevice& origen) : lineas_(origen) {}

bool LectorContenido::leer(QString& texto, qint64& linea) {
    QString l;
    if (!hayPendiente_) {
        do {
            if (!lineas_.leer(l)) return false;
        } while (l.trimmed().isEmpty());
        pendiente_ = l;
        lineaPendiente_ = lineas_.numero();
    }
    texto = pendiente_;
    linea = lineaPendiente_;
    hayPendiente_ = false;
    qsizetype largo = texto.size();
    while (lineas_.leer(l)) {
        if (!l.isEmpty() && (l[0] == u' ' || l[0] == u'\t')) {
            largo += l.size();
            if (largo > LectorLineas::kLargoMaximo)
                throw ErrorFormato(linea, u"la línea es demasiado larga."_s);
            texto += QStringView(l).mid(1);
            continue;
        }
        if (l.trimmed().isEmpty()) continue;
        pendiente_ = l;
        lineaPendiente_ = lineas_.numero();
        hayPendiente_ = true;
        break;
    }
    return true;
}

bool LectorContenido::unirSiguiente(QString& texto) {
    QString l;
    if (hayPendiente_) {
        l = pendiente_;
        hayPendiente_ = false;
    } else if (!lineas_.leer(l)) {
        return false;
    }
    texto += l;
    // The joined line may itself be followed by folded continuations.
    while (lineas_.leer(l)) {
        if (!l.isEmpty() && (l[0] == u' ' || l[0] == u'\t')) {
            texto += QStringView(l).mid(1);
            continue;
        }
        pendiente_ = l;
        lineaPendiente_ = lineas_.numero();
        hayPendiente_ = true;
        break;
    }
    return true;
}

QString escaparTexto(const QString& s) {
    qsizetype i = 0;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\\' || c == u',' || c == u';' || c == u'\r' || c == u'\n') break;
    }
    if (i == s.size()) return s; // most texts have nothing to escape
    QString r;
    r.reserve(s.size() + 8);
    r += QStringView(s).left(i);
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\\' || c == u',' || c == u';') {
            r += u'\\';
            r += c;
        } else if (c == u'\r') {
            r += u"\\n"_s;
            if (i + 1 < s.size() && s[i + 1] == u'\n') ++i;
        } else if (c == u'\n') {
            r += u"\\n"_s;
        } else {
            r += c;
        }
    }
    return r;
}

QString desescaparTexto(const QString& s, bool soloPuntoYComa) {
    if (!s.contains(u'\\')) return s;
    QString r;
    r.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c != u'\\' || i + 1 >= s.size()) {
            r += c;
            continue;
        }
        const QChar d = s[i + 1];
        if (d == u';' || d == u'\\') {
            r += d;
            ++i;
        } else if (soloPuntoYComa) {
            r += c;
        } else if (d == u',') {
            r += d;
            ++i;
        } else if (d == u'n' || d == u'N') {
            r += u'\n';
            ++i;
        } else {
            r += c;
        }
    }
    return r;
}

QStringList componentes(const QString& valor, bool soloPuntoYComa) {
    QStringList partes;
    qsizetype desde = 0;
    for (qsizetype i = 0; i < valor.size(); ++i) {
        if (valor[i] == u'\\') {
            ++i;
            continue;
        }
        if (valor[i] == u';') {
            partes << desescaparTexto(valor.mid(desde, i - desde), soloPuntoYComa);
            desde = i + 1;
        }
    }
    partes << desescaparTexto(valor.mid(desde), soloPuntoYComa);
    return partes;
}

EscritorContenido::~EscritorContenido() {
    vaciar();
}

void EscritorContenido::crecer(size_t n) {
    buf_.resize(std::max(buf_.size() * 2, usado_ + n + 64 * 1024));
}

void EscritorContenido::crudo(const QByteArray& lineas) {
    std::memcpy(reservar(size_t(lineas.size())), lineas.constData(), size_t(lineas.size()));
    usado_ += size_t(lineas.size());
}

namespace {

// Whether a 16-bit lane of x equals v (the classic test for a zero lane, on x ^ v).
inline bool algunCarril(quint64 x, char16_t v) {
    const quint64 y = x ^ (quint64(v) * 0x0001000100010001ull);
    return ((y - 0x0001000100010001ull) & ~y & 0x8000800080008000ull) != 0;
}

} // namespace

void EscritorContenido::agregar(QStringView texto, bool escapar) {
    // Text is mostly ASCII: copied four characters at a time (escaped when asked), the rest
    // encoded in place. Room for three bytes a character covers both an escape and UTF-8 (a
    // character of four bytes takes two).
    char* p = reservar(size_t(texto.size()) * 3);
    const char16_t* s = texto.utf16();
    const qsizetype n = texto.size();
    qsizetype i = 0;
    while (i < n) {
        if (QSysInfo::ByteOrder == QSysInfo::LittleEndian && i + 4 <= n) {
            quint64 x;
            std::memcpy(&x, s + i, sizeof x);
            const bool simples = !(x & 0xFF80FF80FF80FF80ull) &&
                                 (!escapar || !(algunCarril(x, u'\\') || algunCarril(x, u',') ||
                                                algunCarril(x, u';') || algunCarril(x, u'\n') ||
                                                algunCarril(x, u'\r')));
            if (simples) {
                p[0] = char(x);
                p[1] = char(x >> 16);
                p[2] = char(x >> 32);
                p[3] = char(x >> 48);
                p += 4;
                i += 4;
                continue;
            }
        }
        const char16_t c = s[i];
        if (c >= 0x80) {
            // UTF-8 by hand: two bytes, three, or four for a pair of surrogates (a lone one
            // becomes the replacement character, as Qt's own conversion does).
            char32_t u = c;
            ++i;
            if (QChar::isHighSurrogate(c) && i < n && QChar::isLowSurrogate(s[i]))
                u = QChar::surrogateToUcs4(c, s[i++]);
            else if (QChar::isSurrogate(c))
                u = 0xFFFD;
            if (u < 0x800) {
                *p++ = char(0xC0 | (u >> 6));
            } else if (u < 0x10000) {
                *p++ = char(0xE0 | (u >> 12));
                *p++ = char(0x80 | ((u >> 6) & 0x3F));
            } else {
                *p++ = char(0xF0 | (u >> 18));
                *p++ = char(0x80 | ((u >> 12) & 0x3F));
                *p++ = char(0x80 | ((u >> 6) & 0x3F));
            }
            *p++ = char(0x80 | (u & 0x3F));
            continue;
        }
        if (escapar && (c == u'\\' || c == u',' || c == u';' || c == u'\n' || c == u'\r')) {
            *p++ = '\\';
            if (c == u'\r' || c == u'\n') {
                *p++ = 'n';
                if (c == u'\r' && i + 1 < n && s[i + 1] == u'\n') ++i;
            } else {
                *p++ = char(c);
            }
            ++i;
            continue;
        }
        *p++ = char(c);
        ++i;
    }
    usado_ = size_t(p - buf_.data());
}

void EscritorContenido::linea(QStringView nombreYParametros, QStringView valor) {
    linea({nombreYParametros}, valor);
}

void EscritorContenido::linea(std::initializer_list<QStringView> nombreYParametros,
                              QStringView valor) {
    const size_t inicio = usado_;
    for (const QStringView parte : nombreYParametros)
        agregar(parte);
    *reservar(1) = ':';
    ++usado_;
    agregar(valor);
    terminarLinea(inicio);
}

void EscritorContenido::lineaTexto(QStringView nombreYParametros, QStringView texto) {
    const size_t inicio = usado_;
    agregar(nombreYParametros);
    *reservar(1) = ':';
    ++usado_;
    agregar(texto, true);
    terminarLinea(inicio);
}

void EscritorContenido::terminarLinea(size_t inicio) {
    // Folded at 75 octets, each continuation line starting with a blank (which counts), never
    // inside a character.
    size_t desde = inicio;
    while (usado_ - desde > 75) {
        size_t corte = desde + 75;
        while (corte > desde + 1 && (static_cast<unsigned char>(buf_[corte]) & 0xC0) == 0x80)
            --corte;
        reservar(3);
        char* d = buf_.data();
        std::memmove(d + corte + 3, d + corte, usado_ - corte);
        std::memcpy(d + corte, "\r\n ", 3);
        usado_ += 3;
        desde = corte + 2;
    }
    std::memcpy(reservar(2), "\r\n", 2);
    usado_ += 2;
    if (usado_ >= 64 * 1024) vaciar();
}

void EscritorContenido::vaciar() {
    if (usado_ == 0) return;
    destino_.write(buf_.data(), qint64(usado_));
    usado_ = 0; // the memory stays for the next lines
}

} // namespace zv::formatos

#include "formatos/texto.h"

#include <QIODevice>
#include <cstring>

using namespace Qt::StringLiterals;

namespace zv::formatos {

namespace {

constexpr qsizetype kBloque = 64 * 1024;

// The characters Windows-1252 puts where Latin-1 has control codes (0x80 to 0x9F); 0 marks the
// five bytes the code page leaves undefined.
constexpr char16_t k1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

qint64 lineaDe(const QByteArray& b, qsizetype hasta) {
    return b.left(hasta).count('\n') + 1;
}

} // namespace

ErrorFormato::ErrorFormato(qint64 linea, const QString& problema)
    : std::runtime_error(problema.toStdString()), linea_(linea), problema_(problema) {}

QString ErrorFormato::descripcion() const {
    if (linea_ <= 0) return problema_;
    return u"Línea %1: %2"_s.arg(linea_).arg(problema_);
}

namespace {

// Walks bytes as UTF-8: whether they all are valid, and whether some character of more than one
// byte is among them. A sequence cut at the very end counts as valid when `puedeSeguir`.
struct Utf8 {
    bool valido = true;
    bool multibyte = false;
};

Utf8 analizarUtf8(const char* datos, qsizetype largo, bool puedeSeguir) {
    const auto* p = reinterpret_cast<const unsigned char*>(datos);
    Utf8 r;
    qsizetype i = 0;
    while (i < largo) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int resto;
        unsigned minimo;
        unsigned cp;
        if ((c & 0xE0) == 0xC0) {
            resto = 1, minimo = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            resto = 2, minimo = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            resto = 3, minimo = 0x10000, cp = c & 0x07;
        } else {
            r.valido = false;
            ++i;
            continue;
        }
        if (i + resto >= largo) {
            // A sequence cut by the end of the sample.
            for (qsizetype k = i + 1; k < largo; ++k)
                if ((p[k] & 0xC0) != 0x80) r.valido = false;
            if (!puedeSeguir) r.valido = false;
            break;
        }
        bool bien = true;
        for (int k = 1; k <= resto && bien; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) bien = false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (bien && (cp < minimo || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) bien = false;
        if (!bien) {
            r.valido = false;
            ++i;
            continue;
        }
        r.multibyte = true;
        i += resto + 1;
    }
    return r;
}

} // namespace

bool esUtf8(const char* datos, qsizetype largo, bool puedeSeguir) {
    return analizarUtf8(datos, largo, puedeSeguir).valido;
}

bool desdeWindows1252(const char* datos, qsizetype largo, QString& texto) {
    texto.resize(largo);
    QChar* d = texto.data();
    for (qsizetype i = 0; i < largo; ++i) {
        const auto c = static_cast<unsigned char>(datos[i]);
        if (c >= 0x80 && c < 0xA0) {
            const char16_t u = k1252[c - 0x80];
            if (!u) return false;
            d[i] = QChar(u);
        } else {
            d[i] = QChar(c);
        }
    }
    return true;
}

LectorLineas::LectorLineas(QIODevice& origen, qint64 largoMaximo)
    : origen_(origen), largoMaximo_(largoMaximo),
      utf8_(QStringDecoder::Utf8, QStringConverter::Flag::Stateless) {
    if (!origen_.isSequential()) total_ = origen_.size() - origen_.pos();
    detectar();
}

bool LectorLineas::llenar() {
    if (fin_) return false;
    if (pos_ > 0) {
        buf_.remove(0, pos_);
        pos_ = 0;
    }
    const qsizetype antes = buf_.size();
    buf_.resize(antes + kBloque);
    const qint64 n = origen_.read(buf_.data() + antes, kBloque);
    if (n < 0)
        throw ErrorFormato(0, u"no se pudo leer el archivo: %1"_s.arg(origen_.errorString()));
    buf_.resize(antes + qsizetype(n));
    if (n == 0) fin_ = true;
    return n > 0;
}

void LectorLineas::detectar() {
    while (!fin_ && buf_.size() < kBloque)
        llenar();
    auto empieza = [this](const char* bom, int n) {
        return buf_.size() >= n && std::memcmp(buf_.constData(), bom, size_t(n)) == 0;
    };
    if (empieza("\xEF\xBB\xBF", 3)) {
        codificacion_ = Codificacion::Utf8;
        pos_ = 3;
    } else if (empieza("\xFF\xFE", 2)) {
        codificacion_ = Codificacion::Utf16LE;
        pos_ = 2;
    } else if (empieza("\xFE\xFF", 2)) {
        codificacion_ = Codificacion::Utf16BE;
        pos_ = 2;
    } else if (const qsizetype nulo = buf_.indexOf('\0'); nulo >= 0) {
        throw ErrorFormato(lineaDe(buf_, nulo),
                           u"el archivo no es de texto: contiene datos binarios."_s);
    } else {
        // Valid UTF-8, or UTF-8 with a few lines in another charset (which are then refused):
        // UTF-8. Anything else is what Windows programs write.
        const Utf8 u = analizarUtf8(buf_.constData(), buf_.size(), !fin_);
        codificacion_ = u.valido || u.multibyte ? Codificacion::Utf8 : Codificacion::Windows1252;
        vistoNoAscii_ = u.multibyte;
    }
    consumidos_ = pos_;
}

QString LectorLineas::decodificar(const char* datos, qsizetype largo) {
    QString s;
    switch (codificacion_) {
    case Codificacion::Utf8: {
        s = utf8_.decode(QByteArrayView(datos, largo));
        if (utf8_.hasError()) {
            utf8_.resetState();
            // Lines read so far were plain ASCII when this one is not UTF-8: the file is in the
            // Windows code page and only its first part looked like UTF-8.
            if (!vistoNoAscii_) {
                codificacion_ = Codificacion::Windows1252;
                return decodificar(datos, largo);
            }
            throw ErrorFormato(numero_, u"el texto tiene caracteres que no se pueden leer: la "
                                        u"línea no está escrita en la codificación (UTF-8) del "
                                        u"resto del archivo."_s);
        }
        if (!vistoNoAscii_ && s.size() != largo) vistoNoAscii_ = true;
        break;
    }
    case Codificacion::Windows1252:
        if (!desdeWindows1252(datos, largo, s))
            throw ErrorFormato(numero_, u"el texto tiene caracteres que no se pueden leer: no "
                                        u"está escrito en UTF-8 ni en Windows-1252."_s);
        break;
    case Codificacion::Utf16LE:
    case Codificacion::Utf16BE: {
        QStringDecoder d(codificacion_ == Codificacion::Utf16LE ? QStringDecoder::Utf16LE
                                                                : QStringDecoder::Utf16BE,
                         QStringConverter::Flag::Stateless);
        s = d.decode(QByteArrayView(datos, largo));
        if (d.hasError())
            throw ErrorFormato(numero_, u"el texto tiene caracteres que no se pueden leer en "
                                        u"UTF-16."_s);
        break;
    }
    }
    for (const QChar c : std::as_const(s)) {
        if (c.unicode() < 0x20 && c != u'\t')
            throw ErrorFormato(numero_, u"la línea contiene caracteres de control: el archivo no "
                                        u"parece ser de texto."_s);
    }
    return s;
}

bool LectorLineas::leer(QString& linea) {
    const bool ancho =
        codificacion_ == Codificacion::Utf16LE || codificacion_ == Codificacion::Utf16BE;
    const int paso = ancho ? 2 : 1;
    auto unidad = [&](qsizetype i) -> char16_t {
        const auto* p = reinterpret_cast<const unsigned char*>(buf_.constData());
        if (!ancho) return p[i];
        return codificacion_ == Codificacion::Utf16LE ? char16_t(p[i] | (p[i + 1] << 8))
                                                      : char16_t((p[i] << 8) | p[i + 1]);
    };
    qsizetype i = pos_;
    for (;;) {
        const qsizetype hasta = buf_.size() - (paso - 1);
        while (i < hasta) {
            const char16_t u = unidad(i);
            if (u == u'\n' || u == u'\r') break;
            i += paso;
        }
        if (i < hasta) {
            const char16_t u = unidad(i);
            // A CR at the end of the block may be followed by the LF of the same line end.
            if (u == u'\r' && i + paso >= hasta && !fin_) {
                const qsizetype desde = i - pos_;
                llenar();
                i = pos_ + desde;
                continue;
            }
            ++numero_;
            linea = decodificar(buf_.constData() + pos_, i - pos_);
            qsizetype fin = i + paso;
            if (u == u'\r' && fin < hasta && unidad(fin) == u'\n') fin += paso;
            consumidos_ += fin - pos_;
            pos_ = fin;
            return true;
        }
        if (i - pos_ > largoMaximo_)
            throw ErrorFormato(numero_ + 1,
                               u"la línea es demasiado larga (más de %1 MB): el archivo no parece "
                               u"ser de texto."_s.arg(largoMaximo_ / (1024 * 1024)));
        if (fin_) {
            if (pos_ >= buf_.size()) return false;
            ++numero_;
            const qsizetype largo = (buf_.size() - pos_) / paso * paso;
            linea = decodificar(buf_.constData() + pos_, largo);
            consumidos_ += buf_.size() - pos_;
            pos_ = buf_.size();
            return true;
        }
        const qsizetype desde = i - pos_;
        llenar();
        i = pos_ + desde;
    }
}

} // namespace zv::formatos

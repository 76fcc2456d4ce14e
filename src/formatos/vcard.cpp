#include "formatos/vcard.h"

#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace zv::formatos {

namespace {

bool es(const QString& linea, QLatin1StringView que) {
    return QStringView(linea).trimmed().compare(que, Qt::CaseInsensitive) == 0;
}

int hex(QChar c) {
    if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
    return -1;
}

// Quoted-printable bytes ("=C3=B1"), then the text they spell in the given charset.
QString deQuotedPrintable(const PropiedadVcard& p) {
    QByteArray b;
    const QString& v = p.valor;
    b.reserve(v.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] == u'=' && i + 2 < v.size() && hex(v[i + 1]) >= 0 && hex(v[i + 2]) >= 0) {
            b += char(hex(v[i + 1]) * 16 + hex(v[i + 2]));
            i += 2;
        } else if (v[i].unicode() < 0x100) {
            b += char(v[i].unicode());
        } else {
            b += v.mid(i, 1).toUtf8();
        }
    }
    const QString juego = p.parametro(u"CHARSET"_s).toUpper();
    QString texto;
    if (juego.isEmpty()) {
        if (esUtf8(b.constData(), b.size())) return QString::fromUtf8(b);
        if (desdeWindows1252(b.constData(), b.size(), texto)) return texto;
    } else if (juego == u"UTF-8"_s || juego == u"UTF8"_s) {
        if (esUtf8(b.constData(), b.size())) return QString::fromUtf8(b);
    } else if (juego == u"WINDOWS-1252"_s || juego == u"CP1252"_s || juego == u"ISO-8859-1"_s ||
               juego == u"LATIN1"_s || juego == u"US-ASCII"_s || juego == u"ASCII"_s) {
        // ISO-8859-1 as Windows-1252, which is what programs that say it actually write.
        if (desdeWindows1252(b.constData(), b.size(), texto)) return texto;
    } else {
        QStringDecoder d(juego.toLatin1().constData(), QStringConverter::Flag::Stateless);
        if (!d.isValid())
            throw ErrorFormato(p.linea,
                               u"la codificación «%1» de %2 no se conoce."_s.arg(juego, p.nombre));
        texto = d.decode(b);
        if (!d.hasError()) return texto;
    }
    throw ErrorFormato(p.linea,
                       u"el valor de %1 tiene caracteres que no se pueden leer en la "
                       u"codificación %2."_s.arg(p.nombre, juego.isEmpty() ? u"UTF-8"_s : juego));
}

} // namespace

const PropiedadVcard* Vcard::primera(const QString& nombre) const {
    for (const PropiedadVcard& p : propiedades)
        if (p.nombre == nombre) return &p;
    return nullptr;
}

std::vector<const PropiedadVcard*> Vcard::todas(const QString& nombre) const {
    std::vector<const PropiedadVcard*> r;
    for (const PropiedadVcard& p : propiedades)
        if (p.nombre == nombre) r.push_back(&p);
    return r;
}

LectorVcard::LectorVcard(QIODevice& origen) : contenido_(origen) {}

bool LectorVcard::leer(Vcard& tarjeta) {
    QString t;
    qint64 n = 0;
    if (!contenido_.leer(t, n)) return false;
    if (!es(t, "BEGIN:VCARD"_L1))
        throw ErrorFormato(n, u"se esperaba el comienzo de una tarjeta vCard (BEGIN:VCARD) y se "
                              u"encontró «%1»."_s.arg(t.left(40)));
    tarjeta = Vcard{};
    tarjeta.linea = n;
    for (;;) {
        qint64 m = 0;
        if (!contenido_.leer(t, m))
            throw ErrorFormato(n, u"la tarjeta que empieza en esta línea no termina con "
                                  u"END:VCARD: el archivo se acaba antes."_s);
        if (es(t, "END:VCARD"_L1)) break;
        if (es(t, "BEGIN:VCARD"_L1))
            throw ErrorFormato(m, u"empieza una tarjeta antes de que termine la de la línea %1 "
                                  u"(falta END:VCARD)."_s.arg(n));
        // Quoted-printable values go on past a line that ends with "=".
        const qsizetype dosPuntos = t.indexOf(u':');
        if (dosPuntos > 0 &&
            QStringView(t).left(dosPuntos).contains(u"QUOTED-PRINTABLE"_s, Qt::CaseInsensitive)) {
            while (t.endsWith(u'=')) {
                t.chop(1);
                if (!contenido_.unirSiguiente(t)) break;
            }
        }
        PropiedadVcard p;
        static_cast<LineaContenido&>(p) = analizarLinea(t, m);
        if (p.nombre == u"VERSION"_s) tarjeta.version = p.valor.trimmed();
        if (p.parametro(u"ENCODING"_s).compare(u"QUOTED-PRINTABLE"_s, Qt::CaseInsensitive) == 0)
            p.valor = deQuotedPrintable(p);
        tarjeta.propiedades.push_back(std::move(p));
    }
    // Escapes depend on the version, which may come after other properties.
    const bool v21 = tarjeta.version == u"2.1"_s;
    for (PropiedadVcard& p : tarjeta.propiedades) {
        p.texto = desescaparTexto(p.valor, v21);
        if (p.nombre == u"N"_s || p.nombre == u"ADR"_s || p.nombre == u"ORG"_s)
            p.partes = componentes(p.valor, v21);
    }
    return true;
}

void EscritorVcard::empezar() {
    salida_.linea(u"BEGIN"_s, u"VCARD"_s);
    salida_.linea(u"VERSION"_s, u"4.0"_s);
}

void EscritorVcard::terminar() {
    salida_.linea(u"END"_s, u"VCARD"_s);
}

void EscritorVcard::texto(const QString& nombre, const QString& valor) {
    if (valor.isEmpty()) return;
    salida_.lineaTexto(nombre, valor);
}

void EscritorVcard::partes(const QString& nombre, const QStringList& partes) {
    bool alguna = false;
    QStringList escapadas;
    for (const QString& p : partes) {
        alguna = alguna || !p.isEmpty();
        escapadas << escaparTexto(p);
    }
    if (alguna) salida_.linea(nombre, escapadas.join(u';'));
}

void EscritorVcard::literal(const QString& nombre, const QString& valor) {
    salida_.linea(nombre, valor);
}

} // namespace zv::formatos

#include "data/registro.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

using namespace Qt::StringLiterals;

namespace zv {

QString nombreRaiz(Raiz r) {
    switch (r) {
    case Raiz::ClassesRoot:
        return u"HKEY_CLASSES_ROOT"_s;
    case Raiz::CurrentUser:
        return u"HKEY_CURRENT_USER"_s;
    case Raiz::LocalMachine:
        return u"HKEY_LOCAL_MACHINE"_s;
    case Raiz::Users:
        return u"HKEY_USERS"_s;
    case Raiz::CurrentConfig:
        return u"HKEY_CURRENT_CONFIG"_s;
    case Raiz::DynData:
        return u"HKEY_DYN_DATA"_s;
    }
    return u"HKEY_CLASSES_ROOT"_s;
}

namespace {

QStringList partes(const QString& ruta) {
    QStringList p = ruta.split(u'\\', Qt::SkipEmptyParts);
    for (QString& s : p)
        s = s.trimmed();
    p.removeAll(QString());
    return p;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// INI store: one group per key ("HKEY_LOCAL_MACHINE/Software/Tessaro"), a marker entry so that
// empty keys exist, and each value written as "kind:data".

struct RegistroIni::Impl {
    QSettings s;
    explicit Impl(const QString& archivo) : s(archivo, QSettings::IniFormat) {}

    static constexpr const char* kMarca = "~";
    static constexpr const char* kPredeterminado = "@";

    // The sub-key of grupo named parte in any letter case, spelt as stored; empty when there is
    // none.
    QString hijo(const QString& grupo, const QString& parte) {
        s.beginGroup(grupo);
        const QStringList hijos = s.childGroups();
        s.endGroup();
        QString hallado;
        for (const QString& h : hijos)
            if (h.compare(parte, Qt::CaseInsensitive) == 0) hallado = h;
        return hallado;
    }

    // The stored form of a key path, each part as first written; nullopt when it does not exist.
    // A root always exists.
    std::optional<QString> resolver(Raiz r, const QString& ruta) {
        QString grupo = nombreRaiz(r);
        for (const QString& parte : partes(ruta)) {
            const QString hallado = hijo(grupo, parte);
            if (hallado.isEmpty()) return std::nullopt;
            grupo += u'/' + hallado;
        }
        return grupo;
    }

    std::optional<QString> nombreValor(const QString& grupo, const QString& nombre) {
        const QString buscado = nombre.isEmpty() ? QString::fromLatin1(kPredeterminado) : nombre;
        s.beginGroup(grupo);
        const QStringList claves = s.childKeys();
        s.endGroup();
        for (const QString& k : claves)
            if (k != QLatin1String(kMarca) && k.compare(buscado, Qt::CaseInsensitive) == 0)
                return k;
        return std::nullopt;
    }

    static QString codificar(const ValorRegistro& v) {
        switch (v.tipo) {
        case ValorRegistro::Numero:
            return u"dword:"_s + QString::number(v.numero);
        case ValorRegistro::Binario:
            return u"binary:"_s + QString::fromLatin1(v.bytes.toHex());
        default:
            return u"sz:"_s + v.texto;
        }
    }

    static std::optional<ValorRegistro> decodificar(const QString& t) {
        if (t.startsWith(u"sz:"_s)) return ValorRegistro::deTexto(t.mid(3));
        if (t.startsWith(u"dword:"_s)) {
            bool ok = false;
            const quint32 n = t.mid(6).toUInt(&ok);
            if (ok) return ValorRegistro::deNumero(n);
            return std::nullopt;
        }
        if (t.startsWith(u"binary:"_s))
            return ValorRegistro::deBytes(QByteArray::fromHex(t.mid(7).toLatin1()));
        return ValorRegistro::deTexto(t); // a value someone wrote by hand
    }
};

RegistroIni::RegistroIni(const QString& archivo) : d_(std::make_unique<Impl>(archivo)) {}
RegistroIni::~RegistroIni() = default;

QString RegistroIni::archivoPredeterminado() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/Tessaro/registro.ini"_s;
}

bool RegistroIni::existeClave(Raiz r, const QString& ruta) {
    return d_->resolver(r, ruta).has_value();
}

int RegistroIni::crearClave(Raiz r, const QString& ruta) {
    QString grupo = nombreRaiz(r);
    for (const QString& parte : partes(ruta)) {
        const QString hallado = d_->hijo(grupo, parte);
        grupo += u'/' + (hallado.isEmpty() ? parte : hallado);
        if (hallado.isEmpty())
            d_->s.setValue(grupo + u'/' + QLatin1String(Impl::kMarca), QString());
    }
    d_->s.sync();
    return d_->s.status() == QSettings::NoError ? codigo::kExito : codigo::kAccesoDenegado;
}

std::optional<ValorRegistro> RegistroIni::leer(Raiz r, const QString& ruta, const QString& nombre) {
    auto grupo = d_->resolver(r, ruta);
    if (!grupo) return std::nullopt;
    auto clave = d_->nombreValor(*grupo, nombre);
    if (!clave) return std::nullopt;
    return Impl::decodificar(d_->s.value(*grupo + u'/' + *clave).toString());
}

int RegistroIni::escribir(Raiz r, const QString& ruta, const QString& nombre,
                          const ValorRegistro& v) {
    auto grupo = d_->resolver(r, ruta);
    if (!grupo) return codigo::kNoEncontrado;
    auto clave = d_->nombreValor(*grupo, nombre);
    const QString k =
        clave ? *clave : (nombre.isEmpty() ? QString::fromLatin1(Impl::kPredeterminado) : nombre);
    d_->s.setValue(*grupo + u'/' + k, Impl::codificar(v));
    d_->s.sync();
    return d_->s.status() == QSettings::NoError ? codigo::kExito : codigo::kAccesoDenegado;
}

int RegistroIni::borrarValor(Raiz r, const QString& ruta, const QString& nombre) {
    auto grupo = d_->resolver(r, ruta);
    if (!grupo) return codigo::kNoEncontrado;
    auto clave = d_->nombreValor(*grupo, nombre);
    if (!clave) return codigo::kNoEncontrado;
    d_->s.remove(*grupo + u'/' + *clave);
    d_->s.sync();
    return codigo::kExito;
}

int RegistroIni::borrarClave(Raiz r, const QString& ruta) {
    if (partes(ruta).isEmpty()) return codigo::kAccesoDenegado;
    auto grupo = d_->resolver(r, ruta);
    if (!grupo) return codigo::kNoEncontrado;
    d_->s.beginGroup(*grupo);
    const bool conHijos = !d_->s.childGroups().isEmpty();
    d_->s.endGroup();
    if (conHijos) return codigo::kNoVacia;
    d_->s.remove(*grupo);
    d_->s.sync();
    return codigo::kExito;
}

std::optional<QStringList> RegistroIni::subclaves(Raiz r, const QString& ruta) {
    auto grupo = d_->resolver(r, ruta);
    if (!grupo) return std::nullopt;
    d_->s.beginGroup(*grupo);
    QStringList l = d_->s.childGroups();
    d_->s.endGroup();
    return l;
}

std::optional<QStringList> RegistroIni::valores(Raiz r, const QString& ruta) {
    auto grupo = d_->resolver(r, ruta);
    if (!grupo) return std::nullopt;
    d_->s.beginGroup(*grupo);
    QStringList l;
    for (const QString& k : d_->s.childKeys()) {
        if (k == QLatin1String(Impl::kMarca)) continue;
        l << (k == QLatin1String(Impl::kPredeterminado) ? QString() : k);
    }
    d_->s.endGroup();
    return l;
}

// ---------------------------------------------------------------------------------------------
// The Windows registry itself.

#ifdef Q_OS_WIN
namespace {

class RegistroWindows : public AlmacenRegistro {
    static HKEY raiz(Raiz r) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(quint32(r))); }
    static std::wstring w(const QString& s) { return s.toStdWString(); }

public:
    bool existeClave(Raiz r, const QString& ruta) override {
        HKEY k;
        if (RegOpenKeyExW(raiz(r), w(ruta).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        RegCloseKey(k);
        return true;
    }
    int crearClave(Raiz r, const QString& ruta) override {
        HKEY k;
        const LONG rc = RegCreateKeyExW(raiz(r), w(ruta).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                        nullptr, &k, nullptr);
        if (rc == ERROR_SUCCESS) RegCloseKey(k);
        return int(rc);
    }
    std::optional<ValorRegistro> leer(Raiz r, const QString& ruta, const QString& nombre) override {
        HKEY k;
        if (RegOpenKeyExW(raiz(r), w(ruta).c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS)
            return std::nullopt;
        DWORD tipo = 0, largo = 0;
        const std::wstring n = w(nombre);
        std::optional<ValorRegistro> out;
        if (RegQueryValueExW(k, n.c_str(), nullptr, &tipo, nullptr, &largo) == ERROR_SUCCESS) {
            QByteArray buf(int(largo), '\0');
            if (RegQueryValueExW(k, n.c_str(), nullptr, &tipo, reinterpret_cast<LPBYTE>(buf.data()),
                                 &largo) == ERROR_SUCCESS) {
                buf.resize(int(largo));
                if (tipo == REG_SZ || tipo == REG_EXPAND_SZ) {
                    QString s =
                        QString::fromWCharArray(reinterpret_cast<const wchar_t*>(buf.constData()),
                                                int(largo / sizeof(wchar_t)));
                    const int cero = s.indexOf(QChar(0));
                    if (cero >= 0) s.truncate(cero);
                    out = ValorRegistro::deTexto(s);
                } else if (tipo == REG_DWORD && largo >= 4) {
                    quint32 v;
                    memcpy(&v, buf.constData(), 4);
                    out = ValorRegistro::deNumero(v);
                } else if (tipo == REG_BINARY) {
                    out = ValorRegistro::deBytes(buf);
                }
            }
        }
        RegCloseKey(k);
        return out;
    }
    int escribir(Raiz r, const QString& ruta, const QString& nombre,
                 const ValorRegistro& v) override {
        HKEY k;
        LONG rc = RegOpenKeyExW(raiz(r), w(ruta).c_str(), 0, KEY_SET_VALUE, &k);
        if (rc != ERROR_SUCCESS) return int(rc);
        const std::wstring n = w(nombre);
        if (v.tipo == ValorRegistro::Numero) {
            const DWORD d = v.numero;
            rc = RegSetValueExW(k, n.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&d), 4);
        } else if (v.tipo == ValorRegistro::Binario) {
            rc = RegSetValueExW(k, n.c_str(), 0, REG_BINARY,
                                reinterpret_cast<const BYTE*>(v.bytes.constData()),
                                DWORD(v.bytes.size()));
        } else {
            const std::wstring t = w(v.texto);
            rc = RegSetValueExW(k, n.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(t.c_str()),
                                DWORD((t.size() + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(k);
        return int(rc);
    }
    int borrarValor(Raiz r, const QString& ruta, const QString& nombre) override {
        HKEY k;
        LONG rc = RegOpenKeyExW(raiz(r), w(ruta).c_str(), 0, KEY_SET_VALUE, &k);
        if (rc != ERROR_SUCCESS) return int(rc);
        rc = RegDeleteValueW(k, w(nombre).c_str());
        RegCloseKey(k);
        return int(rc);
    }
    int borrarClave(Raiz r, const QString& ruta) override {
        return int(RegDeleteKeyW(raiz(r), w(ruta).c_str()));
    }
    std::optional<QStringList> enumerar(Raiz r, const QString& ruta, bool claves) {
        HKEY k;
        if (RegOpenKeyExW(raiz(r), w(ruta).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
            return std::nullopt;
        QStringList l;
        wchar_t nombre[16384];
        for (DWORD i = 0;; ++i) {
            DWORD largo = 16384;
            const LONG rc =
                claves ? RegEnumKeyExW(k, i, nombre, &largo, nullptr, nullptr, nullptr, nullptr)
                       : RegEnumValueW(k, i, nombre, &largo, nullptr, nullptr, nullptr, nullptr);
            if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) break;
            l << QString::fromWCharArray(nombre, int(largo));
        }
        RegCloseKey(k);
        return l;
    }
    std::optional<QStringList> subclaves(Raiz r, const QString& ruta) override {
        return enumerar(r, ruta, true);
    }
    std::optional<QStringList> valores(Raiz r, const QString& ruta) override {
        return enumerar(r, ruta, false);
    }
};

} // namespace
#endif

namespace {
AlmacenRegistro* instalado = nullptr;
} // namespace

AlmacenRegistro& registro() {
    if (instalado) return *instalado;
#ifdef Q_OS_WIN
    static RegistroWindows sistema;
#else
    static RegistroIni sistema(RegistroIni::archivoPredeterminado());
#endif
    return sistema;
}

void establecerRegistro(AlmacenRegistro* almacen) {
    instalado = almacen;
}

} // namespace zv

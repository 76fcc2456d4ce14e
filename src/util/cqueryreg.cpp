#include "util/cqueryreg.h"

#include <QtEndian>
#include <algorithm>
#include <limits>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

using namespace Qt::StringLiterals;

namespace zv {

namespace {

struct RaizConocida {
    QString nombre;
    QString abreviatura;
    Raiz raiz;
};

const QList<RaizConocida>& raices() {
    static const QList<RaizConocida> l = {
        {u"HKEY_CLASSES_ROOT"_s, u"HKCR\\"_s, Raiz::ClassesRoot},
        {u"HKEY_CURRENT_USER"_s, u"HKCU\\"_s, Raiz::CurrentUser},
        {u"HKEY_LOCAL_MACHINE"_s, u"HKLM\\"_s, Raiz::LocalMachine},
        {u"HKEY_USERS"_s, u"HKU\\"_s, Raiz::Users},
        {u"HKEY_CURRENT_CONFIG"_s, u"HKCC\\"_s, Raiz::CurrentConfig},
        {u"HKEY_DYN_DATA"_s, u"HKDD\\"_s, Raiz::DynData},
    };
    return l;
}

std::optional<Raiz> raizPredefinida(quint32 h) {
    for (const RaizConocida& r : raices())
        if (quint32(r.raiz) == h) return r.raiz;
    return std::nullopt;
}

QStringList partes(const QString& ruta) {
    QStringList p;
    for (const QString& s : ruta.split(u'\\', Qt::SkipEmptyParts))
        if (!s.trimmed().isEmpty()) p << s.trimmed();
    return p;
}

QString unir(const QString& a, const QString& b) {
    return (partes(a) + partes(b)).join(u'\\');
}

QString hastaElCero(QString s) {
    const qsizetype cero = s.indexOf(QChar(0));
    if (cero >= 0) s.truncate(cero);
    return s;
}

bool enIni() {
    return dynamic_cast<RegistroIni*>(&registro()) != nullptr;
}

// Names the INI store would take for separators or for its own markers.
bool nombreGuardable(const QString& nombre) {
    if (!enIni()) return true;
    return !nombre.contains(u'/') && !nombre.contains(u'\\') && nombre != u"@"_s &&
           nombre != u"~"_s;
}

bool rutaGuardable(const QString& ruta) {
    return !enIni() || !ruta.contains(u'/');
}

// Where the store keeps a key. In the INI store the classes root lives where Windows keeps
// its machine part.
QPair<Raiz, QString> lugar(Raiz r, const QString& ruta) {
    if (r == Raiz::ClassesRoot && enIni())
        return {Raiz::LocalMachine, unir(u"Software\\Classes"_s, ruta)};
    return {r, ruta};
}

std::optional<ValorRegistro> leer(Raiz r, const QString& ruta, const QString& nombre) {
    if (!nombreGuardable(nombre) || !rutaGuardable(ruta)) return std::nullopt;
    const auto [raiz, clave] = lugar(r, ruta);
    auto v = registro().leer(raiz, clave, nombre);
    if (v && v->tipo == ValorRegistro::Texto) v->texto = hastaElCero(v->texto);
    return v;
}

std::optional<QStringList> listar(Raiz r, const QString& ruta, bool claves) {
    if (!rutaGuardable(ruta)) return std::nullopt;
    const auto [raiz, clave] = lugar(r, ruta);
    auto l = claves ? registro().subclaves(raiz, clave) : registro().valores(raiz, clave);
    // A root is always there, even before the store holds anything under it.
    if (!l && partes(ruta).isEmpty()) return QStringList();
    return l;
}

QByteArray datosCrudos(const ValorRegistro& v) {
    switch (v.tipo) {
    case ValorRegistro::Texto:
        return v.texto.toUtf8() + '\0';
    case ValorRegistro::Numero: {
        QByteArray b(4, '\0');
        qToLittleEndian(v.numero, b.data());
        return b;
    }
    case ValorRegistro::Binario:
        return v.bytes;
    }
    return {};
}

QString numeroComoTexto(quint32 n) {
    return u"0x"_s + u"%1"_s.arg(n, 8, 16, QChar(u'0')).toUpper() + u" ("_s + QString::number(n) +
           u')';
}

QString bytesComoTexto(const QByteArray& b, bool dosDigitos) {
    QString s;
    for (const char c : b)
        s += QString::number(quint8(c), 16).toUpper().rightJustified(dosDigitos ? 2 : 1, u'0') +
             u' ';
    return s;
}

// Folders of this system that stand for the Windows folder and the system folder.
QString carpetaWindows() {
#ifdef Q_OS_WIN
    wchar_t b[MAX_PATH + 1];
    const UINT n = GetWindowsDirectoryW(b, MAX_PATH + 1);
    return n > 0 && n <= MAX_PATH ? QString::fromWCharArray(b, int(n)) : QString();
#else
    return u"/usr"_s;
#endif
}

QString carpetaSistema() {
#ifdef Q_OS_WIN
    wchar_t b[MAX_PATH + 1];
    const UINT n = GetSystemDirectoryW(b, MAX_PATH + 1);
    return n > 0 && n <= MAX_PATH ? QString::fromWCharArray(b, int(n)) : QString();
#else
    return u"/usr/bin"_s;
#endif
}

// A text value that holds a folder of this system.
bool pareceCarpeta(const QString& dato) {
#ifdef Q_OS_WIN
    return dato.contains(u":\\"_s);
#else
    return dato.contains(u":\\"_s) || dato.startsWith(u'/');
#endif
}

const QString kCarpetasUsuario =
    uR"(.Default\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)"_s;
const QString kCarpetasMaquina = uR"(Software\Microsoft\Windows\CurrentVersion)"_s;

} // namespace

cQueryReg::~cQueryReg() = default;

// ---------------------------------------------------------------------------------------------
// Key paths

cQueryReg::Ruta cQueryReg::resolver(const QString& sKey, quint32 hKey) {
    if (sKey.contains(u"HKEY_"_s, Qt::CaseInsensitive)) {
        const qsizetype barra = sKey.indexOf(u'\\');
        const QString nombre = (barra < 0 ? sKey : sKey.left(barra)).trimmed();
        const QString resto = barra < 0 ? QString() : sKey.mid(barra + 1);
        for (const RaizConocida& r : raices())
            if (nombre.compare(r.nombre, Qt::CaseInsensitive) == 0) return {r.raiz, resto};
        return {Raiz::ClassesRoot, resto};
    }
    for (const RaizConocida& r : raices())
        if (sKey.startsWith(r.abreviatura)) return {r.raiz, sKey.mid(r.abreviatura.size())};
    return {raizPredefinida(hKey).value_or(Raiz::ClassesRoot), sKey};
}

// ---------------------------------------------------------------------------------------------
// Reading

QVariant cQueryReg::GetReg(const QString& sKey, const QString& sValue, quint32 hKey,
                           bool bAsString) {
    const Ruta r = resolver(sKey, hKey);
    const auto v = leer(r.raiz, r.clave, sValue);
    if (!v) return {};
    switch (v->tipo) {
    case ValorRegistro::Texto:
        return v->texto;
    case ValorRegistro::Numero:
        if (bAsString) return numeroComoTexto(v->numero);
        return qint64(v->numero);
    case ValorRegistro::Binario:
        if (bAsString) return bytesComoTexto(v->bytes, true);
        return v->bytes;
    }
    return {};
}

QVariant cQueryReg::GetRegDWord(const QString& sKey, const QString& sValue, quint32 hKey,
                                bool bAsString) {
    const Ruta r = resolver(sKey, hKey);
    const auto v = leer(r.raiz, r.clave, sValue);
    if (!v || v->tipo != ValorRegistro::Numero) return qint64(0);
    if (bAsString) return numeroComoTexto(v->numero);
    return qint64(v->numero);
}

QVariant cQueryReg::GetRegBinary(const QString& sKey, const QString& sValue, quint32 hKey,
                                 bool bAsString) {
    const Ruta r = resolver(sKey, hKey);
    const auto v = leer(r.raiz, r.clave, sValue);
    if (!v || v->tipo != ValorRegistro::Binario) return {};
    if (bAsString) return bytesComoTexto(v->bytes, false);
    return v->bytes;
}

QString cQueryReg::GetRegString(const QString& sKey, const QString& sValue, quint32 hKey) {
    const Ruta r = resolver(sKey, hKey);
    const auto v = leer(r.raiz, r.clave, sValue);
    if (!v || v->tipo != ValorRegistro::Texto) return {};
    return v->texto;
}

QString cQueryReg::QueryRegBase(const QString& sValue, quint32 hKey) {
    const bool deLasCuatro = hKey >= kHKCR && hKey <= kHKU;
    const Raiz raiz = deLasCuatro ? Raiz(hKey) : Raiz::ClassesRoot;
    const auto v = leer(raiz, sValue, {});
    // An empty text is only its terminating zero: shorter than two bytes.
    if (!v || v->tipo != ValorRegistro::Texto || v->texto.isEmpty()) return {};
    return v->texto.left(300);
}

// ---------------------------------------------------------------------------------------------
// Writing and deleting

int cQueryReg::escribir(const Ruta& r, const QString& nombre, const ValorRegistro& v, bool crear) {
    if (!nombreGuardable(nombre) || !rutaGuardable(r.clave)) return kParametroInvalido;
    const auto [raiz, clave] = lugar(r.raiz, r.clave);
    AlmacenRegistro& almacen = registro();
    if (!almacen.existeClave(raiz, clave)) {
        if (!crear) return kNoEncontrado;
        const int rc = almacen.crearClave(raiz, clave);
        if (rc != kExito) return rc;
    }
    return almacen.escribir(raiz, clave, nombre, v);
}

int cQueryReg::SetReg(const QString& sKey, const QString& sName, const QVariant& vValue,
                      quint32 hKey, int RegDataType, bool bCreateKey) {
    // The value is checked before anything is created, so a refused write leaves no key.
    ValorRegistro v;
    switch (RegDataType) {
    case kRegSz:
        v = ValorRegistro::deTexto(vValue.toString());
        break;
    case kRegBinary:
        v = ValorRegistro::deBytes(vValue.toByteArray());
        break;
    case kRegDword: {
        bool ok = false;
        const qint64 n = vValue.toString().trimmed().toLongLong(&ok);
        // A 32-bit number, signed or not; anything else would be stored as another number.
        if (!ok || n < -2147483648LL || n > 4294967295LL) return kParametroInvalido;
        v = ValorRegistro::deNumero(quint32(n));
        break;
    }
    default:
        return kParametroInvalido;
    }
    return escribir(resolver(sKey, hKey), sName, v, bCreateKey);
}

int cQueryReg::borrarArbol(const Ruta& r) {
    quint32 h = 0;
    int rc = OpenKeyEx(quint32(r.raiz), r.clave, 0, kKeyAllAccess, h);
    if (rc != kExito) return rc;
    Info i;
    rc = info(h, i);
    // From the last sub-key to the first, so the positions still to visit do not move.
    for (int n = i.subclaves - 1; rc == kExito && n >= 0; --n) {
        QString nombre;
        quint32 largo = quint32(i.subclaveMasLarga + 1);
        rc = EnumKeyEx(h, quint32(n), nombre, largo);
        if (rc == kExito) rc = borrarArbol({r.raiz, unir(r.clave, nombre)});
    }
    CloseKey(h);
    if (rc != kExito) return rc;
    return DeleteKeyWin95(quint32(r.raiz), r.clave);
}

int cQueryReg::DeleteKey(const QString& sKey, const QString& sName, quint32 hKey) {
    const Ruta r = resolver(sKey, hKey);
    if (!sName.isEmpty()) {
        if (!nombreGuardable(sName) || !rutaGuardable(r.clave)) return kNoEncontrado;
        quint32 h = 0;
        int rc = OpenKeyEx(quint32(r.raiz), r.clave, 0, kKeySetValue, h);
        if (rc != kExito) return rc;
        const auto [raiz, clave] = lugar(r.raiz, r.clave);
        rc = registro().borrarValor(raiz, clave, sName);
        CloseKey(h);
        return rc;
    }
    // A root is never deleted, nor is everything under it.
    if (partes(r.clave).isEmpty()) return kAccesoDenegado;
    return borrarArbol(r);
}

// ---------------------------------------------------------------------------------------------
// Listing

bool cQueryReg::EnumKeys(QStringList& colKeys, const QString& sKey) {
    const Ruta r = resolver(sKey, kHKCR);
    quint32 h = 0;
    if (OpenKeyEx(quint32(r.raiz), r.clave, 0, kKeyRead, h) != kExito) return false;
    Info i;
    info(h, i);
    colKeys.clear();
    for (int n = 0; n < i.subclaves; ++n) {
        QString nombre;
        quint32 largo = quint32(i.subclaveMasLarga + 1);
        const int rc = EnumKeyEx(h, quint32(n), nombre, largo);
        if (rc == kExito || rc == kMasDatos) colKeys << nombre;
    }
    CloseKey(h);
    return true;
}

bool cQueryReg::EnumValues(QStringList& colKeys, const QString& sKey) {
    const Ruta r = resolver(sKey, kHKCR);
    quint32 h = 0;
    if (OpenKeyEx(quint32(r.raiz), r.clave, 0, kKeyRead, h) != kExito) return false;
    Info i;
    info(h, i);
    colKeys.clear();
    for (int n = 0; n < i.valores; ++n) {
        QString nombre;
        QByteArray datos;
        quint32 largoNombre = quint32(i.nombreValorMasLargo + 1);
        quint32 largoDatos = quint32(i.datoMasLargo);
        quint32 tipo = 0;
        const int rc =
            EnumValue(h, quint32(n), nombre, largoNombre, nullptr, tipo, datos, largoDatos);
        if (rc != kExito && rc != kMasDatos) continue;
        QString texto;
        if (tipo == kRegSz)
            texto = hastaElCero(QString::fromUtf8(datos));
        else if (tipo == kRegDword && datos.size() == 4)
            texto = QString::number(qFromLittleEndian<quint32>(datos.constData()));
        else
            texto = bytesComoTexto(datos, true);
        colKeys << nombre << texto;
    }
    CloseKey(h);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Well-known folders

void cQueryReg::leerCarpetas(quint32 raiz, const QString& clave, bool soloRutas) {
    quint32 h = 0;
    if (OpenKeyQuery(raiz, clave, 0, kKeyRead, h) != kExito) return;
    Info i;
    info(h, i);
    const QString ubicacion = nombreRaiz(Raiz(raiz)) + u'\\' + clave;
    for (int n = 0; n < i.valores; ++n) {
        QString nombre, dato;
        quint32 largoNombre = quint32(i.nombreValorMasLargo + 1);
        quint32 largoDato = quint32(i.datoMasLargo + 1);
        quint32 tipo = 0;
        if (EnumValueString(h, quint32(n), nombre, largoNombre, nullptr, tipo, dato, largoDato) !=
                kExito ||
            tipo != kRegSz)
            continue;
        nombre = hastaElCero(nombre);
        if (nombre.isEmpty() || (soloRutas && !pareceCarpeta(hastaElCero(dato)))) continue;
        // A name is kept once, where it was first found.
        const bool repetido =
            std::any_of(carpetas_.cbegin(), carpetas_.cend(), [&](const Carpeta& c) {
                return c.nombre.compare(nombre, Qt::CaseInsensitive) == 0;
            });
        if (!repetido) carpetas_.append({nombre, ubicacion, false});
    }
    CloseKey(h);
}

QStringList cQueryReg::ShellFolders(bool bSoloClaves) {
    carpetas_.clear();
    leerCarpetas(kHKU, kCarpetasUsuario, false);
    leerCarpetas(kHKLM, kCarpetasMaquina, true);
    const std::pair<QString, QString> directas[] = {{u"WindowsDir"_s, carpetaWindows()},
                                                    {u"SystemDir"_s, carpetaSistema()}};
    for (const auto& [nombre, dir] : directas) {
        carpetas_.removeIf(
            [&](const Carpeta& c) { return c.nombre.compare(nombre, Qt::CaseInsensitive) == 0; });
        carpetas_.append({nombre, dir, true});
    }
    QStringList l;
    for (const Carpeta& c : carpetas_)
        l << (bSoloClaves ? c.nombre : c.ubicacion);
    return l;
}

QString cQueryReg::GetFolder(const QVariant& vIndex) {
    if (carpetas_.isEmpty()) ShellFolders();
    const Carpeta* c = nullptr;
    switch (vIndex.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double: {
        const qint64 pos = vIndex.toLongLong();
        if (pos >= 1 && pos <= carpetas_.size()) c = &carpetas_[pos - 1];
        break;
    }
    default:
        for (const Carpeta& x : std::as_const(carpetas_))
            if (x.nombre.compare(vIndex.toString(), Qt::CaseInsensitive) == 0) c = &x;
    }
    if (!c) return {};
    if (c->directa) return c->ubicacion;
    return GetRegString(c->ubicacion, c->nombre);
}

// ---------------------------------------------------------------------------------------------
// Extension associations

int cQueryReg::AsociarExt(const QString& sExt, const QString& sExe, const QString& sCommand,
                          bool bDefault, const QString& sProgId, const QString& sDescription) {
    QString ext = sExt.trimmed();
    QString exe = sExe.trimmed();
    QString mostrado = sCommand.trimmed();
    QString progId = sProgId.trimmed();
    QString descripcion = sDescription.trimmed();
    if (!ext.startsWith(u'.')) ext.prepend(u'.');
    if (!exe.isEmpty()) {
        const QString archivo =
            exe.mid(std::max(exe.lastIndexOf(u'\\'), exe.lastIndexOf(u'/')) + 1);
        if (!archivo.contains(u'.')) exe += u".exe"_s;
        exe += u' ';
    }
    if (progId.isEmpty()) progId = u"progID"_s + ext;
    if (descripcion.isEmpty()) descripcion = u"Descripción de "_s + progId;
    if (mostrado.isEmpty()) mostrado = u"open"_s;
    QString verbo = mostrado;
    if (const qsizetype amp = verbo.indexOf(u'&'); amp >= 0) verbo.remove(amp, 1);
    // The extension, the identifier and the verb are each one key name: a backslash in them
    // would write somewhere else.
    if (ext.size() < 2 || ext.contains(u'\\') || progId.contains(u'\\') || verbo.isEmpty() ||
        verbo.contains(u'\\'))
        return kParametroInvalido;

    int primero = kExito;
    auto anotar = [&primero](int rc) {
        if (primero == kExito) primero = rc;
    };
    if (QueryRegBase(ext).isEmpty()) {
        anotar(escribir({Raiz::ClassesRoot, ext}, {}, ValorRegistro::deTexto(progId), true));
        anotar(
            escribir({Raiz::ClassesRoot, progId}, {}, ValorRegistro::deTexto(descripcion), true));
    }
    const QString id = QueryRegBase(ext);
    if (id.isEmpty() || id.contains(u'\\')) return primero == kExito ? kNoEncontrado : primero;
    const QString shell = uR"(Software\Classes\)"_s + id + uR"(\shell)"_s;
    const auto [raiz, clave] = lugar(Raiz::LocalMachine, shell);
    anotar(rutaGuardable(clave) ? registro().crearClave(raiz, clave) : kParametroInvalido);
    if (verbo != u"open"_s)
        anotar(escribir({Raiz::LocalMachine, shell + u'\\' + verbo}, {},
                        ValorRegistro::deTexto(mostrado), true));
    if (!exe.isEmpty())
        anotar(escribir({Raiz::LocalMachine, shell + u'\\' + verbo + uR"(\command)"_s}, {},
                        ValorRegistro::deTexto(exe + u"\"%1\""_s), true));
    if (bDefault)
        anotar(escribir({Raiz::LocalMachine, shell}, {}, ValorRegistro::deTexto(verbo), true));
    return primero;
}

int cQueryReg::DesasociarExt(const QString& sExt) {
    QString ext = sExt.trimmed();
    if (!ext.startsWith(u'.')) ext.prepend(u'.');
    if (ext.size() < 2 || ext.contains(u'\\')) return kParametroInvalido;
    const QString id = QueryRegBase(ext);
    if (id.isEmpty()) return kNoEncontrado;
    // The identifier read back is a key of the classes root and nothing else, whatever it says.
    int rc = borrarArbol({Raiz::ClassesRoot, ext});
    if (!partes(id).isEmpty() && !id.contains(u'\\')) {
        const int rc2 = borrarArbol({Raiz::ClassesRoot, id});
        if (rc == kExito) rc = rc2;
    }
    return rc;
}

// ---------------------------------------------------------------------------------------------
// One call each

std::optional<cQueryReg::Abierta> cQueryReg::abierta(quint32 h) const {
    if (const auto r = raizPredefinida(h)) return Abierta{*r, {}, kKeyAllAccess};
    const auto it = abiertas_.constFind(h);
    if (it == abiertas_.constEnd()) return std::nullopt;
    return *it;
}

int cQueryReg::OpenKeyEx(quint32 hKey, const QString& lpSubKey, quint32 /*ulOptions*/,
                         quint32 samDesired, quint32& phkResult) {
    const auto base = abierta(hKey);
    if (!base) return kHandleInvalido;
    const QString ruta = unir(base->ruta, lpSubKey);
    if (!rutaGuardable(ruta)) return kNoEncontrado;
    const auto [raiz, clave] = lugar(base->raiz, ruta);
    if (!partes(ruta).isEmpty() && !registro().existeClave(raiz, clave)) return kNoEncontrado;
    phkResult = proximo_++;
    abiertas_.insert(phkResult, {base->raiz, ruta, samDesired});
    return kExito;
}

int cQueryReg::OpenKeyQuery(quint32 hKey, const QString& lpSubKey, quint32 ulOptions,
                            quint32 samDesired, quint32& phkResult) {
    return OpenKeyEx(hKey, lpSubKey, ulOptions, samDesired, phkResult);
}

int cQueryReg::CloseKey(quint32 hKey) {
    if (raizPredefinida(hKey)) return kExito;
    return abiertas_.remove(hKey) ? kExito : kHandleInvalido;
}

int cQueryReg::info(quint32 hKey, Info& i) {
    const auto a = abierta(hKey);
    if (!a) return kHandleInvalido;
    const auto claves = listar(a->raiz, a->ruta, true);
    const auto valores = listar(a->raiz, a->ruta, false);
    if (!claves || !valores) return kNoEncontrado;
    i = {};
    i.subclaves = int(claves->size());
    i.valores = int(valores->size());
    for (const QString& c : *claves)
        i.subclaveMasLarga = std::max(i.subclaveMasLarga, int(c.size()));
    for (const QString& n : *valores) {
        i.nombreValorMasLargo = std::max(i.nombreValorMasLargo, int(n.size()));
        if (const auto v = leer(a->raiz, a->ruta, n))
            i.datoMasLargo = std::max(i.datoMasLargo, int(datosCrudos(*v).size()));
    }
    return kExito;
}

int cQueryReg::QueryInfoKey(quint32 hKey, quint32& lpcbMaxValueNameLen) {
    Info i;
    const int rc = info(hKey, i);
    if (rc == kExito) lpcbMaxValueNameLen = quint32(i.nombreValorMasLargo);
    return rc;
}

int cQueryReg::EnumKeyEx(quint32 hKey, quint32 dwIndex, QString& lpName, quint32& lpcbName) {
    const auto a = abierta(hKey);
    if (!a) return kHandleInvalido;
    if (!(a->acceso & kKeyEnumerateSubKeys)) return kAccesoDenegado;
    const auto claves = listar(a->raiz, a->ruta, true);
    if (!claves) return kNoEncontrado;
    if (dwIndex >= quint32(claves->size())) return kNoHayMas;
    const QString& nombre = claves->at(dwIndex);
    if (lpcbName < quint32(nombre.size() + 1)) {
        lpName = nombre.left(lpcbName > 0 ? lpcbName - 1 : 0);
        lpcbName = quint32(nombre.size() + 1);
        return kMasDatos;
    }
    lpName = nombre;
    lpcbName = quint32(nombre.size());
    return kExito;
}

int cQueryReg::EnumValue(quint32 hKey, quint32 dwIndex, QString& lpValueName,
                         quint32& lpcbValueName, quint32* /*lpReserved*/, quint32& lpType,
                         QByteArray& lpData, quint32& lpcbData) {
    const auto a = abierta(hKey);
    if (!a) return kHandleInvalido;
    if (!(a->acceso & kKeyQueryValue)) return kAccesoDenegado;
    const auto valores = listar(a->raiz, a->ruta, false);
    if (!valores) return kNoEncontrado;
    if (dwIndex >= quint32(valores->size())) return kNoHayMas;
    const QString& nombre = valores->at(dwIndex);
    const auto v = leer(a->raiz, a->ruta, nombre);
    const QByteArray datos = v ? datosCrudos(*v) : QByteArray();
    lpType = v ? quint32(v->tipo) : 0;
    int rc = kExito;
    if (lpcbValueName < quint32(nombre.size() + 1)) {
        lpValueName = nombre.left(lpcbValueName > 0 ? lpcbValueName - 1 : 0);
        lpcbValueName = quint32(nombre.size() + 1);
        rc = kMasDatos;
    } else {
        lpValueName = nombre;
        lpcbValueName = quint32(nombre.size());
    }
    if (lpcbData < quint32(datos.size())) {
        lpData = datos.left(lpcbData);
        rc = kMasDatos;
    } else {
        lpData = datos;
    }
    lpcbData = quint32(datos.size());
    return rc;
}

int cQueryReg::EnumValueString(quint32 hKey, quint32 dwIndex, QString& lpValueName,
                               quint32& lpcbValueName, quint32* lpReserved, quint32& lpType,
                               QString& lpData, quint32& lpcbData) {
    QByteArray crudos;
    quint32 capacidad = std::numeric_limits<quint32>::max();
    const int rc =
        EnumValue(hKey, dwIndex, lpValueName, lpcbValueName, lpReserved, lpType, crudos, capacidad);
    if (rc != kExito && rc != kMasDatos) return rc;
    const QString texto =
        lpType == quint32(kRegSz) ? hastaElCero(QString::fromUtf8(crudos)) : QString();
    const quint32 necesario = lpType == quint32(kRegSz) ? quint32(texto.size() + 1) : 0;
    if (lpcbData < necesario) {
        lpData = texto.left(lpcbData > 0 ? lpcbData - 1 : 0);
        lpcbData = necesario;
        return kMasDatos;
    }
    lpData = texto;
    lpcbData = necesario;
    return rc;
}

int cQueryReg::DeleteKeyWin95(quint32 hKey, const QString& szKey) {
    const auto a = abierta(hKey);
    if (!a) return kHandleInvalido;
    const QString ruta = unir(a->ruta, szKey);
    if (partes(ruta).isEmpty()) return kAccesoDenegado;
    if (!rutaGuardable(ruta)) return kNoEncontrado;
    const auto [raiz, clave] = lugar(a->raiz, ruta);
    return registro().borrarClave(raiz, clave);
}

int cQueryReg::RegSetValue2(quint32 hKey, const QString& lpSubKey, quint32 /*dwType*/,
                            const QString& lpData, quint32 /*cbData*/) {
    const auto a = abierta(hKey);
    if (!a) return kHandleInvalido;
    if (!(a->acceso & kKeySetValue)) return kAccesoDenegado;
    return escribir({a->raiz, a->ruta}, lpSubKey, ValorRegistro::deTexto(lpData), false);
}

} // namespace zv

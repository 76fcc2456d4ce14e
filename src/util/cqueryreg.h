#pragma once
// cQueryReg: reads and writes registry values by key path, deletes keys and values, lists
// sub-keys and values, finds the well-known folders and registers file-extension associations.
// It works on the registry store of the program (data/registro.h): the system registry on
// Windows, the INI store elsewhere.
//
// Key paths name their root in full ("HKEY_LOCAL_MACHINE\Software\X", any letter case) or by
// its abbreviation ("HKLM\Software\X", upper case only); otherwise the root handle passed is
// used, and a handle that is not a predefined root means HKEY_CLASSES_ROOT.
//
// Where the store is the INI file, HKEY_CLASSES_ROOT is kept where Windows keeps its machine
// part, under HKEY_LOCAL_MACHINE\Software\Classes, so that an association written through one
// and removed through the other leaves nothing behind. The INI file cannot tell a "/" or "\" in
// a name from a key separator, nor a value named "@" or "~" from its own markers: such names
// are refused there with kParametroInvalido instead of being stored where they cannot be
// found again.
//
// Failures never reach the user: the writing methods return the registry's code, the reading
// ones give empty results.
#include "data/registro.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace zv {

class cQueryReg {
public:
    // Handles of the predefined roots.
    static constexpr quint32 kHKCR = 0x80000000;
    static constexpr quint32 kHKCU = 0x80000001;
    static constexpr quint32 kHKLM = 0x80000002;
    static constexpr quint32 kHKU = 0x80000003;
    static constexpr quint32 kHKPD = 0x80000004; // performance data: not one of ours
    static constexpr quint32 kHKCC = 0x80000005;
    static constexpr quint32 kHKDD = 0x80000006;

    // Value kinds.
    static constexpr int kRegSz = 1;
    static constexpr int kRegBinary = 3;
    static constexpr int kRegDword = 4;

    // Access rights of an opened key.
    static constexpr quint32 kKeyQueryValue = 0x0001;
    static constexpr quint32 kKeySetValue = 0x0002;
    static constexpr quint32 kKeyCreateSubKey = 0x0004;
    static constexpr quint32 kKeyEnumerateSubKeys = 0x0008;
    static constexpr quint32 kKeyRead = 0x20019;
    static constexpr quint32 kKeyWrite = 0x20006;
    static constexpr quint32 kKeyAllAccess = 0xF003F;

    // Result codes, as the registry gives them.
    static constexpr int kExito = codigo::kExito;
    static constexpr int kNoEncontrado = codigo::kNoEncontrado;
    static constexpr int kAccesoDenegado = codigo::kAccesoDenegado;
    static constexpr int kHandleInvalido = 6;
    static constexpr int kParametroInvalido = 87;
    static constexpr int kMasDatos = 234;
    static constexpr int kNoHayMas = 259;
    static constexpr int kNoVacia = codigo::kNoVacia;

    cQueryReg() = default;
    ~cQueryReg();
    cQueryReg(const cQueryReg&) = delete;
    cQueryReg& operator=(const cQueryReg&) = delete;

    // A value of any handled kind: QString (text), qint64 (number), QByteArray (bytes); with
    // bAsString numbers read "0x0000000A (10)" and bytes "0A FF ". Null when missing.
    QVariant GetReg(const QString& sKey, const QString& sValue = {}, quint32 hKey = kHKCR,
                    bool bAsString = false);
    // Only a number: the number (qint64) or its text form; 0 when missing.
    QVariant GetRegDWord(const QString& sKey, const QString& sValue = {}, quint32 hKey = kHKCR,
                         bool bAsString = false);
    // Only bytes: the bytes, or each byte in as few hexadecimal digits as it needs followed by
    // a space ("A FF "). Null when missing.
    QVariant GetRegBinary(const QString& sKey, const QString& sValue = {}, quint32 hKey = kHKCR,
                          bool bAsString = false);
    // Only text; empty when missing or of another kind.
    QString GetRegString(const QString& sKey, const QString& sValue = {}, quint32 hKey = kHKCR);
    // The default text value of the sub-key sValue of hKey (HKEY_CLASSES_ROOT unless hKey is
    // one of the first four roots), at most 300 characters.
    QString QueryRegBase(const QString& sValue, quint32 hKey = kHKCR);

    // Writes vValue as the value sName of kind RegDataType (1 text, 3 bytes, 4 number),
    // creating the key when bCreateKey. 0 or the registry's code.
    int SetReg(const QString& sKey, const QString& sName, const QVariant& vValue,
               quint32 hKey = kHKCR, int RegDataType = kRegSz, bool bCreateKey = true);
    // Deletes the value sName, or with an empty sName the key and everything below it.
    int DeleteKey(const QString& sKey, const QString& sName = {}, quint32 hKey = kHKCR);

    // The names of the key's sub-keys; false when the key cannot be opened.
    bool EnumKeys(QStringList& colKeys, const QString& sKey);
    // Name and value text of each value of the key, one after the other.
    bool EnumValues(QStringList& colKeys, const QString& sKey);

    // Fills the folder cache; the folder names (bSoloClaves) or where each one is found.
    QStringList ShellFolders(bool bSoloClaves = true);
    // The path of a folder, by name or by position (from 1); empty when it is not there.
    QString GetFolder(const QVariant& vIndex);

    // Registers an extension with a program and a verb; 0 or the first failing code.
    int AsociarExt(const QString& sExt, const QString& sExe = {},
                   const QString& sCommand = QStringLiteral("open"), bool bDefault = true,
                   const QString& sProgId = {}, const QString& sDescription = {});
    // Removes an extension's association and its program identifier.
    int DesasociarExt(const QString& sExt);

    // One call of the registry each, its code returned as is. Handles opened here are numbers
    // of this object; the predefined roots are always open.
    int OpenKeyEx(quint32 hKey, const QString& lpSubKey, quint32 ulOptions, quint32 samDesired,
                  quint32& phkResult);
    int OpenKeyQuery(quint32 hKey, const QString& lpSubKey, quint32 ulOptions, quint32 samDesired,
                     quint32& phkResult);
    // Buffer sizes go in as capacities in characters (bytes for raw data), counting the
    // terminating zero, and come back as lengths; a buffer too small gives kMasDatos and the
    // size needed. Only text values have text data.
    int EnumValueString(quint32 hKey, quint32 dwIndex, QString& lpValueName, quint32& lpcbValueName,
                        quint32* lpReserved, quint32& lpType, QString& lpData, quint32& lpcbData);
    // Raw data: text in UTF-8 with its terminating zero, numbers in 4 bytes (low byte first),
    // bytes as they are.
    int EnumValue(quint32 hKey, quint32 dwIndex, QString& lpValueName, quint32& lpcbValueName,
                  quint32* lpReserved, quint32& lpType, QByteArray& lpData, quint32& lpcbData);
    int CloseKey(quint32 hKey);
    int QueryInfoKey(quint32 hKey, quint32& lpcbMaxValueNameLen);
    int EnumKeyEx(quint32 hKey, quint32 dwIndex, QString& lpName, quint32& lpcbName);
    int DeleteKeyWin95(quint32 hKey, const QString& szKey);
    int RegSetValue2(quint32 hKey, const QString& lpSubKey, quint32 dwType, const QString& lpData,
                     quint32 cbData);

    // Where a key path leads: its root and the path below it.
    struct Ruta {
        Raiz raiz = Raiz::ClassesRoot;
        QString clave;
    };
    static Ruta resolver(const QString& sKey, quint32 hKey);

private:
    struct Abierta {
        Raiz raiz;
        QString ruta; // as the caller names it, below the root
        quint32 acceso;
    };
    struct Info {
        int subclaves = 0;
        int valores = 0;
        int subclaveMasLarga = 0;
        int nombreValorMasLargo = 0;
        int datoMasLargo = 0; // bytes of the longest value's data
    };
    struct Carpeta {
        QString nombre;
        QString ubicacion; // the key that holds it, or the folder itself
        bool directa = false;
    };

    std::optional<Abierta> abierta(quint32 h) const;
    int info(quint32 hKey, Info& i);
    int escribir(const Ruta& r, const QString& nombre, const ValorRegistro& v, bool crear);
    int borrarArbol(const Ruta& r);
    void leerCarpetas(quint32 raiz, const QString& clave, bool soloRutas);

    QHash<quint32, Abierta> abiertas_;
    quint32 proximo_ = 0x100;
    QList<Carpeta> carpetas_; // the folder cache, in the order found
};

} // namespace zv

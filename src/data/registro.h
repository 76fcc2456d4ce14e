#pragma once
// The registry store. On Windows it is the system registry itself; elsewhere an INI file under
// the user's configuration folder that keeps, for each value, its kind (text, number or bytes)
// so that it reads back as it was written. Keys and value names ignore letter case, as the
// registry's do.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

namespace zv {

enum class Raiz : quint32 {
    ClassesRoot = 0x80000000,
    CurrentUser = 0x80000001,
    LocalMachine = 0x80000002,
    Users = 0x80000003,
    CurrentConfig = 0x80000005,
    DynData = 0x80000006,
};
QString nombreRaiz(Raiz r); // "HKEY_LOCAL_MACHINE"

struct ValorRegistro {
    enum Tipo { Texto = 1, Binario = 3, Numero = 4 };
    Tipo tipo = Texto;
    QString texto;
    QByteArray bytes;
    quint32 numero = 0;

    static ValorRegistro deTexto(const QString& s) { return {Texto, s, {}, 0}; }
    static ValorRegistro deNumero(quint32 n) { return {Numero, {}, {}, n}; }
    static ValorRegistro deBytes(const QByteArray& b) { return {Binario, {}, b, 0}; }
};

// Result codes, as the registry gives them.
namespace codigo {
inline constexpr int kExito = 0;
inline constexpr int kNoEncontrado = 2;
inline constexpr int kAccesoDenegado = 5;
inline constexpr int kNoVacia = 1018; // a key with sub-keys cannot be deleted alone
} // namespace codigo

class AlmacenRegistro {
public:
    virtual ~AlmacenRegistro() = default;
    virtual bool existeClave(Raiz r, const QString& ruta) = 0;
    virtual int crearClave(Raiz r, const QString& ruta) = 0; // with its missing parents
    // An empty name is the key's default (unnamed) value.
    virtual std::optional<ValorRegistro> leer(Raiz r, const QString& ruta,
                                              const QString& nombre) = 0;
    // Writes into an existing key.
    virtual int escribir(Raiz r, const QString& ruta, const QString& nombre,
                         const ValorRegistro& v) = 0;
    virtual int borrarValor(Raiz r, const QString& ruta, const QString& nombre) = 0;
    virtual int borrarClave(Raiz r, const QString& ruta) = 0; // a key without sub-keys
    // Names of sub-keys and of values; nullopt when the key does not exist.
    virtual std::optional<QStringList> subclaves(Raiz r, const QString& ruta) = 0;
    virtual std::optional<QStringList> valores(Raiz r, const QString& ruta) = 0;
};

// The store in force: the system's unless a test installed another (the caller keeps it).
AlmacenRegistro& registro();
void establecerRegistro(AlmacenRegistro* almacen);

// The INI-file store used where there is no system registry.
class RegistroIni : public AlmacenRegistro {
public:
    explicit RegistroIni(const QString& archivo);
    ~RegistroIni() override;
    static QString archivoPredeterminado();

    bool existeClave(Raiz r, const QString& ruta) override;
    int crearClave(Raiz r, const QString& ruta) override;
    std::optional<ValorRegistro> leer(Raiz r, const QString& ruta, const QString& nombre) override;
    int escribir(Raiz r, const QString& ruta, const QString& nombre,
                 const ValorRegistro& v) override;
    int borrarValor(Raiz r, const QString& ruta, const QString& nombre) override;
    int borrarClave(Raiz r, const QString& ruta) override;
    std::optional<QStringList> subclaves(Raiz r, const QString& ruta) override;
    std::optional<QStringList> valores(Raiz r, const QString& ruta) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

} // namespace zv

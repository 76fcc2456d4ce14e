// The registry class over the INI store: roots, value kinds and their text forms, deleting
// whole subtrees, folders and extension associations.
#include "support/entorno.h"
#include "util/cqueryreg.h"

using namespace Qt::StringLiterals;
using namespace zv;

class PruebaCQueryReg : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<RegistroIni> ini;

    QString texto(Raiz r, const QString& clave, const QString& nombre = {}) {
        const auto v = ini->leer(r, clave, nombre);
        return v && v->tipo == ValorRegistro::Texto ? v->texto : u"<nada>"_s;
    }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        ini = std::make_unique<RegistroIni>(dir->filePath(u"registro.ini"_s));
        establecerRegistro(ini.get());
    }
    void cleanupTestCase() { establecerRegistro(nullptr); }

    void laRaizSeNombraEnteraAbreviadaOPorElHandle() {
        cQueryReg reg;
        QCOMPARE(reg.SetReg(u"HKLM\\Software\\X"_s, u"v"_s, u"uno"_s), 0);
        QCOMPARE(texto(Raiz::LocalMachine, u"Software\\X"_s, u"v"_s), u"uno"_s);
        QCOMPARE(reg.GetRegString(u"HKEY_LOCAL_MACHINE\\Software\\X"_s, u"v"_s), u"uno"_s);
        QCOMPARE(reg.GetRegString(u"hkey_local_machine\\SOFTWARE\\x"_s, u"V"_s), u"uno"_s);
        // A lower-case abbreviation is no abbreviation: the handle passed gives the root.
        QCOMPARE(reg.SetReg(u"hklm\\Software\\X"_s, u"v"_s, u"dos"_s, cQueryReg::kHKCU), 0);
        QCOMPARE(texto(Raiz::CurrentUser, u"hklm\\Software\\X"_s, u"v"_s), u"dos"_s);
        QCOMPARE(texto(Raiz::LocalMachine, u"Software\\X"_s, u"v"_s), u"uno"_s);

        using R = cQueryReg::Ruta;
        auto es = [](const R& r, Raiz raiz, const QString& clave) {
            return r.raiz == raiz && r.clave == clave;
        };
        QVERIFY(es(cQueryReg::resolver(u"HKEY_USERS"_s, cQueryReg::kHKLM), Raiz::Users, {}));
        QVERIFY(es(cQueryReg::resolver(u"HKEY_NADA\\a"_s, cQueryReg::kHKLM), Raiz::ClassesRoot,
                   u"a"_s));
        QVERIFY(es(cQueryReg::resolver(u"HKDD\\a"_s, cQueryReg::kHKLM), Raiz::DynData, u"a"_s));
        QVERIFY(es(cQueryReg::resolver(u"a"_s, cQueryReg::kHKCC), Raiz::CurrentConfig, u"a"_s));
        QVERIFY(es(cQueryReg::resolver(u"a"_s, cQueryReg::kHKPD), Raiz::ClassesRoot, u"a"_s));
        QVERIFY(es(cQueryReg::resolver(u"a"_s, 42), Raiz::ClassesRoot, u"a"_s));
    }

    void cadaClaseDeValorSeLeeComoSeEscribio() {
        cQueryReg reg;
        const QString k = u"HKCU\\Software\\Valores"_s;
        QCOMPARE(reg.SetReg(k, u"n"_s, 255, 0, cQueryReg::kRegDword), 0);
        QCOMPARE(reg.GetReg(k, u"n"_s, 0, true).toString(), u"0x000000FF (255)"_s);
        QCOMPARE(reg.GetReg(k, u"n"_s).toLongLong(), 255);
        QCOMPARE(reg.GetRegDWord(k, u"n"_s, 0, true).toString(), u"0x000000FF (255)"_s);
        QCOMPARE(reg.SetReg(k, u"diez"_s, u"10"_s, 0, cQueryReg::kRegDword), 0);
        QCOMPARE(reg.GetReg(k, u"diez"_s, 0, true).toString(), u"0x0000000A (10)"_s);
        QCOMPARE(reg.SetReg(k, u"menos"_s, -1, 0, cQueryReg::kRegDword), 0);
        QCOMPARE(reg.GetRegDWord(k, u"menos"_s, 0, true).toString(), u"0xFFFFFFFF (4294967295)"_s);

        QCOMPARE(reg.SetReg(k, u"b"_s, QByteArray("\x0a\xff", 2), 0, cQueryReg::kRegBinary), 0);
        QCOMPARE(reg.GetReg(k, u"b"_s, 0, true).toString(), u"0A FF "_s);
        QCOMPARE(reg.GetRegBinary(k, u"b"_s, 0, true).toString(), u"A FF "_s);
        QCOMPARE(reg.GetRegBinary(k, u"b"_s).toByteArray(), QByteArray("\x0a\xff", 2));

        QCOMPARE(reg.SetReg(k, {}, u"O'Brien ñandú"_s, 0), 0);
        QCOMPARE(reg.GetReg(k, {}).toString(), u"O'Brien ñandú"_s);
        QCOMPARE(reg.QueryRegBase(u"Software\\Valores"_s, cQueryReg::kHKCU), u"O'Brien ñandú"_s);

        // Each reader takes only its own kind; missing reads empty or 0.
        QCOMPARE(reg.GetRegDWord(k, {}).toLongLong(), 0);
        QCOMPARE(reg.GetRegString(k, u"n"_s), QString());
        QVERIFY(reg.GetRegBinary(k, u"n"_s).isNull());
        QVERIFY(reg.GetReg(k, u"falta"_s).isNull());
        QVERIFY(reg.GetReg(u"HKCU\\No\\Existe"_s, u"n"_s).isNull());
        QCOMPARE(reg.GetRegDWord(u"HKCU\\No\\Existe"_s, u"n"_s).toLongLong(), 0);

        QStringList l;
        QVERIFY(reg.EnumValues(l, k));
        QCOMPARE(l, (QStringList{QString(), u"O'Brien ñandú"_s, u"b"_s, u"0A FF "_s, u"diez"_s,
                                 u"10"_s, u"menos"_s, u"4294967295"_s, u"n"_s, u"255"_s}));
        QVERIFY(!reg.EnumValues(l, u"HKCU\\No\\Existe"_s));

        // A value that is not what its kind says, or a kind not handled, stores nothing.
        QCOMPARE(reg.SetReg(u"HKCU\\Nuevo"_s, u"n"_s, u"doce"_s, 0, cQueryReg::kRegDword), 87);
        QCOMPARE(reg.SetReg(u"HKCU\\Nuevo"_s, u"n"_s, 4294967296LL, 0, cQueryReg::kRegDword), 87);
        QCOMPARE(reg.SetReg(u"HKCU\\Nuevo"_s, u"n"_s, u"x"_s, 0, 2), 87);
        QVERIFY(!ini->existeClave(Raiz::CurrentUser, u"Nuevo"_s));
        // Without leave to create the key, a missing key is an error.
        QCOMPARE(reg.SetReg(u"HKCU\\Nuevo"_s, u"n"_s, u"x"_s, 0, cQueryReg::kRegSz, false), 2);
        // Names the INI file would read as separators are refused, not scattered.
        QCOMPARE(reg.SetReg(k, u"a/b"_s, u"x"_s), 87);
        QCOMPARE(reg.SetReg(k, u"@"_s, u"x"_s), 87);
        QCOMPARE(reg.SetReg(u"HKCR\\MIME\\image/png"_s, u"v"_s, u"x"_s), 87);
        QCOMPARE(reg.GetReg(k, {}).toString(), u"O'Brien ñandú"_s);
    }

    void borrarUnaClaveSinNombreSeLlevaTodoElArbol() {
        cQueryReg reg;
        for (const QString& c : {u"Software\\T\\a\\b\\c"_s, u"Software\\T\\a\\d"_s,
                                 u"Software\\T\\e"_s, u"Software\\T2"_s})
            QCOMPARE(reg.SetReg(u"HKCU\\"_s + c, u"v"_s, c), 0);
        QCOMPARE(reg.SetReg(u"HKCU\\Software\\T"_s, u"raiz"_s, u"x"_s), 0);
        QStringList l;
        QVERIFY(reg.EnumKeys(l, u"HKCU\\Software\\T"_s));
        QCOMPARE(l, (QStringList{u"a"_s, u"e"_s}));

        QCOMPARE(reg.DeleteKey(u"HKCU\\Software\\T\\a"_s, u"nada"_s), 2);
        QCOMPARE(reg.DeleteKey(u"HKCU\\Software\\T"_s, u"raiz"_s), 0);
        QVERIFY(!ini->leer(Raiz::CurrentUser, u"Software\\T"_s, u"raiz"_s));
        QCOMPARE(reg.DeleteKey(u"HKCU\\Software\\T"_s), 0);
        QVERIFY(!ini->existeClave(Raiz::CurrentUser, u"Software\\T"_s));
        QVERIFY(ini->existeClave(Raiz::CurrentUser, u"Software\\T2"_s));
        QCOMPARE(reg.DeleteKey(u"HKCU\\Software\\T"_s), 2);

        // A root is never emptied, and a handle names its own root.
        QCOMPARE(reg.DeleteKey(u"HKEY_CURRENT_USER"_s), 5);
        QCOMPARE(reg.DeleteKey({}, {}, cQueryReg::kHKCU), 5);
        QVERIFY(ini->existeClave(Raiz::CurrentUser, u"Software\\T2"_s));
        QCOMPARE(reg.SetReg(u"HKCR\\Perfil"_s, u"v"_s, u"clases"_s), 0);
        QCOMPARE(reg.SetReg(u"HKCC\\Perfil"_s, u"v"_s, u"config"_s), 0);
        QCOMPARE(reg.DeleteKey(u"Perfil"_s, {}, cQueryReg::kHKCC), 0);
        QCOMPARE(reg.GetRegString(u"HKCR\\Perfil"_s, u"v"_s), u"clases"_s);
        QVERIFY(!ini->existeClave(Raiz::CurrentConfig, u"Perfil"_s));
    }

    void lasLlamadasSueltasRespetanBuferesYPermisos() {
        cQueryReg reg;
        QCOMPARE(reg.SetReg(u"HKCU\\Software\\Larguisimo"_s, u"valor"_s, u"texto"_s), 0);
        quint32 h = 0;
        QCOMPARE(reg.OpenKeyEx(cQueryReg::kHKCU, u"Software"_s, 0, cQueryReg::kKeyRead, h), 0);
        QString nombre;
        quint32 largo = 4;
        QCOMPARE(reg.EnumKeyEx(h, 0, nombre, largo), cQueryReg::kMasDatos);
        QCOMPARE(largo, 11u);
        largo = 11;
        QCOMPARE(reg.EnumKeyEx(h, 0, nombre, largo), 0);
        QCOMPARE(nombre, u"Larguisimo"_s);
        QCOMPARE(reg.EnumKeyEx(h, 1, nombre, largo), cQueryReg::kNoHayMas);
        // Opened for reading: no writing through it.
        QCOMPARE(reg.RegSetValue2(h, u"x"_s, 1, u"y"_s, 2), cQueryReg::kAccesoDenegado);
        QCOMPARE(reg.CloseKey(h), 0);
        QCOMPARE(reg.CloseKey(h), cQueryReg::kHandleInvalido);
        QCOMPARE(reg.OpenKeyEx(cQueryReg::kHKCU, u"No\\Existe"_s, 0, cQueryReg::kKeyRead, h), 2);

        QCOMPARE(reg.OpenKeyQuery(cQueryReg::kHKCU, u"Software\\Larguisimo"_s, 0,
                                  cQueryReg::kKeyAllAccess, h),
                 0);
        quint32 maximo = 0;
        QCOMPARE(reg.QueryInfoKey(h, maximo), 0);
        QCOMPARE(maximo, 5u);
        QString dato;
        quint32 largoNombre = 6, tipo = 0, largoDato = 3;
        QCOMPARE(reg.EnumValueString(h, 0, nombre, largoNombre, nullptr, tipo, dato, largoDato),
                 cQueryReg::kMasDatos);
        QCOMPARE(largoDato, 6u);
        QCOMPARE(largoNombre, 5u); // sizes come back as lengths: the next call sets them again
        largoNombre = 6;
        QCOMPARE(reg.EnumValueString(h, 0, nombre, largoNombre, nullptr, tipo, dato, largoDato), 0);
        QCOMPARE(dato, u"texto"_s);
        QCOMPARE(tipo, 1u);
        QCOMPARE(reg.RegSetValue2(h, u"otro"_s, 1, u"y"_s, 2), 0);
        QCOMPARE(reg.GetRegString(u"HKCU\\Software\\Larguisimo"_s, u"otro"_s), u"y"_s);
        QCOMPARE(reg.DeleteKeyWin95(cQueryReg::kHKCU, u"Software"_s), cQueryReg::kNoVacia);
        QCOMPARE(reg.CloseKey(h), 0);
    }

    void lasCarpetasConocidasSalenDelAlmacenYDelSistema() {
        cQueryReg reg;
        const QString usuario =
            u"HKEY_USERS\\.Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"_s;
        const QString maquina =
            u"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion"_s;
        QCOMPARE(reg.SetReg(usuario, u"Personal"_s, u"/home/ana/Documentos"_s), 0);
        QCOMPARE(reg.SetReg(usuario, u"Versión"_s, 3, 0, cQueryReg::kRegDword), 0);
        QCOMPARE(reg.SetReg(maquina, u"ProgramFilesDir"_s, u"C:\\Program Files"_s), 0);
        QCOMPARE(reg.SetReg(maquina, u"ProductName"_s, u"Tessaro"_s), 0);

        QCOMPARE(reg.GetFolder(u"personal"_s), u"/home/ana/Documentos"_s);
        QCOMPARE(reg.ShellFolders(), (QStringList{u"Personal"_s, u"ProgramFilesDir"_s,
                                                  u"WindowsDir"_s, u"SystemDir"_s}));
        QCOMPARE(reg.ShellFolders(false).first(), usuario);
        QCOMPARE(reg.GetFolder(2), u"C:\\Program Files"_s);
        QVERIFY(QFileInfo(reg.GetFolder(u"WindowsDir"_s)).isDir());
        QVERIFY(QFileInfo(reg.GetFolder(4)).isDir());
        QCOMPARE(reg.GetFolder(u"ProductName"_s), QString());
        QCOMPARE(reg.GetFolder(5), QString());
        // The cache answers from where the folder is kept, as it is now.
        QCOMPARE(reg.SetReg(usuario, u"Personal"_s, u"/srv/ana"_s), 0);
        QCOMPARE(reg.GetFolder(1), u"/srv/ana"_s);
    }

    void unaAsociacionSeEscribeYSeQuitaEntera() {
        cQueryReg reg;
        QCOMPARE(reg.AsociarExt(u" zvl "_s, u"C:\\Prog\\app"_s, u"&Imprimir"_s, true), 0);
        QCOMPARE(reg.QueryRegBase(u".zvl"_s), u"progID.zvl"_s);
        QCOMPARE(reg.QueryRegBase(u"progID.zvl"_s), u"Descripción de progID.zvl"_s);
        const QString shell = u"HKLM\\Software\\Classes\\progID.zvl\\shell"_s;
        QCOMPARE(reg.GetRegString(shell, {}), u"Imprimir"_s);
        QCOMPARE(reg.GetRegString(shell + u"\\Imprimir"_s, {}), u"&Imprimir"_s);
        QCOMPARE(reg.GetRegString(shell + u"\\Imprimir\\command"_s, {}),
                 u"C:\\Prog\\app.exe \"%1\""_s);
        // "open" carries no display name; an existing identifier is kept.
        QCOMPARE(reg.AsociarExt(u".zvl"_s, u"C:\\Prog\\otra.com"_s, u"open"_s, false, u"Otro"_s),
                 0);
        QCOMPARE(reg.QueryRegBase(u".zvl"_s), u"progID.zvl"_s);
        QCOMPARE(reg.GetRegString(shell + u"\\open\\command"_s, {}),
                 u"C:\\Prog\\otra.com \"%1\""_s);
        QCOMPARE(reg.GetRegString(shell + u"\\open"_s, {}), QString());
        QCOMPARE(reg.GetRegString(shell, {}), u"Imprimir"_s);
        // Only the program's own name decides: a dot in a folder does not make an extension.
        for (const auto& [programa, orden] :
             {std::pair{u"/opt/mi.app/bin/zelvora"_s, u"/opt/mi.app/bin/zelvora.exe \"%1\""_s},
              std::pair{u"C:\\Prog.v2\\app"_s, u"C:\\Prog.v2\\app.exe \"%1\""_s},
              std::pair{u"/opt/mi.app/bin/zelvora.sh"_s, u"/opt/mi.app/bin/zelvora.sh \"%1\""_s}}) {
            QCOMPARE(reg.AsociarExt(u".zvl"_s, programa, u"open"_s, false), 0);
            QCOMPARE(reg.GetRegString(shell + u"\\open\\command"_s, {}), orden);
        }

        QCOMPARE(reg.DesasociarExt(u"zvl"_s), 0);
        QCOMPARE(reg.QueryRegBase(u".zvl"_s), QString());
        QVERIFY(!ini->existeClave(Raiz::LocalMachine, u"Software\\Classes\\progID.zvl"_s));
        QCOMPARE(reg.DesasociarExt(u"zvl"_s), 2);

        // An identifier that reads like a root path is still only a key of the classes root.
        QCOMPARE(reg.SetReg(u"HKLM\\Software\\Tessaro"_s, u"v"_s, u"x"_s), 0);
        QCOMPARE(reg.SetReg(u"HKCR\\.malo"_s, {}, u"HKEY_LOCAL_MACHINE\\Software"_s), 0);
        reg.DesasociarExt(u".malo"_s);
        QCOMPARE(texto(Raiz::LocalMachine, u"Software\\Tessaro"_s, u"v"_s), u"x"_s);
        QCOMPARE(reg.AsociarExt({}), 87);
    }
};

ZV_PRUEBA_MAIN(PruebaCQueryReg)
#include "prueba_cqueryreg.moc"

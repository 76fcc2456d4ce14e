#include "intercambio/importacion.h"

#include "data/basedatos.h"
#include "data/dberror.h"
#include "formatos/csv.h"
#include "formatos/vcard.h"
#include "intercambio/agenda.h"
#include "intercambio/archivos.h"

#include <QFile>
#include <QFileInfo>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace zv::intercambio {

using formatos::ErrorFormato;

namespace {

constexpr int kDetallesMaximos = 1000; // skipped and refused records listed one by one
constexpr int kCadaCuantas = 256;      // records between two progress reports

QVariant valorOnulo(const QString& s) {
    return s.isEmpty() ? QVariant() : QVariant(s);
}

// A telephone reduced to its digits, for comparison; empty when too short to say anything.
QString digitos(const QString& telefono) {
    QString r;
    for (const QChar c : telefono)
        if (c.isDigit()) r += c;
    return r.size() >= 6 ? r : QString();
}

// ---------------------------------------------------------------------------------------------
// From a vCard to a row

QString primerTexto(const formatos::Vcard& v, const QString& nombre) {
    const formatos::PropiedadVcard* p = v.primera(nombre);
    return p ? p->texto.trimmed() : QString();
}

QString extension(const formatos::Vcard& v, const QString& nombre) {
    return primerTexto(v, u"X-ZELVORA-"_s + nombre);
}

// A telephone value: a vCard 4.0 URI ("tel:+34-91-123;ext=12") or text.
QString telefono(const formatos::PropiedadVcard& p, QString* interno = nullptr) {
    QString t = p.texto.trimmed();
    if (t.startsWith(u"tel:"_s, Qt::CaseInsensitive)) {
        t = t.mid(4);
        const qsizetype ext = t.indexOf(u";ext="_s, 0, Qt::CaseInsensitive);
        if (ext >= 0) {
            if (interno) *interno = t.mid(ext + 5).section(u';', 0, 0);
            t = t.left(ext);
        }
        t = t.section(u';', 0, 0);
    }
    return t;
}

QString fechaDeCumpleanos(const QString& v) {
    QString s = v.trimmed().section(u'T', 0, 0);
    for (const QString& formato : {u"yyyyMMdd"_s, u"yyyy-MM-dd"_s}) {
        const QDate d = QDate::fromString(s, formato);
        if (d.isValid()) return d.toString(u"dd/MM/yyyy"_s);
    }
    if (s.startsWith(u"--"_s) && s.size() >= 6) // no year: --MMDD or --MM-DD
        return s.right(2) + u'/' + s.mid(2, 2);
    return s;
}

// The address parts a card gives: street, city, region, postal code, country.
struct Direccion {
    QString calle, ciudad, region, postal, pais;
    QString enUnaLinea() const {
        QStringList l;
        for (const QString& s : {calle, postal, ciudad, region, pais})
            if (!s.isEmpty()) l << s;
        return l.join(u", "_s);
    }
};

Direccion direccion(const formatos::PropiedadVcard& p) {
    QStringList x = p.partes;
    while (x.size() < 7)
        x << QString();
    Direccion d;
    // Post office box and extended address go before the street, as a postal label has them.
    QStringList calle;
    for (int i : {0, 1, 2})
        if (!x[i].trimmed().isEmpty()) calle << x[i].trimmed();
    d.calle = calle.join(u", "_s);
    d.ciudad = x[3].trimmed();
    d.region = x[4].trimmed();
    d.postal = x[5].trimmed();
    d.pais = x[6].trimmed();
    return d;
}

FilaImportada desdeVcard(const formatos::Vcard& v, Destino destino) {
    using formatos::PropiedadVcard;
    FilaImportada f;
    f.linea = v.linea;
    const bool empresa = destino == Destino::Empresas;
    const QString p = empresa ? u"Emp"_s : u"Con"_s;
    QStringList otros; // what has no field of its own goes into the notes

    // Names.
    const bool esOrganizacion =
        primerTexto(v, u"KIND"_s).compare(u"org"_s, Qt::CaseInsensitive) == 0;
    QString fn = primerTexto(v, u"FN"_s);
    const PropiedadVcard* org = v.primera(u"ORG"_s);
    if (empresa) {
        const PropiedadVcard* pfn = v.primera(u"FN"_s);
        if (pfn && pfn->tieneValor(u"X-ZELVORA-NOMBRE"_s, u"vacio"_s)) fn.clear();
        if (esOrganizacion) {
            f.valores[u"EmpNombreFantasia"_s] = fn;
            if (org) f.valores[u"EmpRazonSocial"_s] = org->partes.value(0).trimmed();
        } else {
            // A person's card taken as a company: its organization is the company.
            const QString nombre = org ? org->partes.value(0).trimmed() : QString();
            f.valores[u"EmpNombreFantasia"_s] = nombre.isEmpty() ? fn : nombre;
        }
        f.valores[u"EmpRuc"_s] = extension(v, u"RUC"_s);
        f.valores[kRamo] = extension(v, u"RAMO"_s);
    } else {
        const PropiedadVcard* n = v.primera(u"N"_s);
        QString apellido, nombre;
        if (n) {
            apellido = n->partes.value(0).trimmed();
            nombre = (n->partes.value(1).trimmed() + u' ' + n->partes.value(2).trimmed()).trimmed();
        }
        if (apellido.isEmpty() && nombre.isEmpty() && !fn.isEmpty()) {
            // Only the full name: the first word is the first name, the rest the surname.
            nombre = fn.section(u' ', 0, 0, QString::SectionSkipEmpty);
            apellido = fn.section(u' ', 1, -1, QString::SectionSkipEmpty);
        }
        f.valores[u"ConNombre"_s] = nombre;
        f.valores[u"ConApellido"_s] = apellido;
        QString titulo = primerTexto(v, u"TITLE"_s);
        if (titulo.isEmpty()) titulo = primerTexto(v, u"ROLE"_s);
        f.valores[u"ConTitulo"_s] = titulo;
        for (const PropiedadVcard* o : v.todas(u"ORG"_s)) {
            const QString e = o->partes.value(0).trimmed();
            if (!e.isEmpty()) f.empresas.append({e, o->partes.mid(1).join(u", "_s).trimmed()});
        }
    }

    // Telephones: the fax to its field, the others in order (the preferred first).
    std::vector<const PropiedadVcard*> tels = v.todas(u"TEL"_s);
    std::stable_partition(tels.begin(), tels.end(), [](const PropiedadVcard* t) {
        return t->parametro(u"PREF"_s) == u"1"_s || t->tieneValor(u"TYPE"_s, u"pref"_s);
    });
    QString telefonos[2];
    QString interno;
    for (const PropiedadVcard* t : tels) {
        const QString numero = telefono(*t, &interno);
        if (numero.isEmpty()) continue;
        if (t->tieneValor(u"TYPE"_s, u"fax"_s) && f.valores.value(p + u"Fax"_s).isEmpty())
            f.valores[p + u"Fax"_s] = numero;
        else if (t->tieneValor(u"X-ZELVORA-CAMPO"_s, u"2"_s) && telefonos[1].isEmpty())
            telefonos[1] = numero; // this program's own second telephone
        else if (telefonos[0].isEmpty())
            telefonos[0] = numero;
        else if (telefonos[1].isEmpty())
            telefonos[1] = numero;
        else
            otros << u"Teléfono: "_s + numero;
    }
    f.valores[p + u"Telefono1"_s] = telefonos[0];
    f.valores[p + u"Telefono2"_s] = telefonos[1];
    if (!empresa) {
        const QString x = extension(v, u"INTERNO"_s);
        f.valores[u"ConInterno"_s] = x.isEmpty() ? interno : x;
    }

    const auto correos = v.todas(u"EMAIL"_s);
    for (size_t i = 0; i < correos.size(); ++i) {
        if (i == 0)
            f.valores[p + u"Email"_s] = correos[i]->texto.trimmed();
        else
            otros << u"Correo electrónico: "_s + correos[i]->texto.trimmed();
    }
    f.valores[empresa ? u"EmpURL"_s : u"ConUrl"_s] = primerTexto(v, u"URL"_s);

    const auto dirs = v.todas(u"ADR"_s);
    for (size_t i = 0; i < dirs.size(); ++i) {
        const Direccion d = direccion(*dirs[i]);
        if (i > 0) {
            otros << u"Dirección: "_s + d.enUnaLinea();
            continue;
        }
        f.valores[empresa ? u"EmpDireccion"_s : u"ConDomicilio"_s] = d.calle;
        f.valores[p + u"CodigoPostal"_s] = d.postal;
        f.valores[p + u"Ciudad"_s] = d.ciudad;
        f.valores[p + u"ProvinciaEstado"_s] = d.region;
        f.valores[p + u"Pais"_s] = d.pais;
    }
    f.valores[p + u"Zona"_s] = extension(v, u"ZONA"_s);
    f.valores[kOrigen] = extension(v, u"ORIGEN"_s);
    const QString cumple = primerTexto(v, u"BDAY"_s);
    if (!cumple.isEmpty()) otros << u"Cumpleaños: "_s + fechaDeCumpleanos(cumple);

    QStringList notas;
    for (const PropiedadVcard* n : v.todas(u"NOTE"_s))
        if (!n->texto.trimmed().isEmpty()) notas << n->texto;
    notas += otros;
    f.valores[p + u"Notas"_s] = notas.join(u'\n');
    return f;
}

// The name a row is known by in messages.
QString nombreDe(const FilaImportada& f, Destino d) {
    if (d == Destino::Empresas) {
        const QString n = f.valores.value(u"EmpNombreFantasia"_s);
        return n.isEmpty() ? f.valores.value(u"EmpRazonSocial"_s) : n;
    }
    return (f.valores.value(u"ConNombre"_s) + u' ' + f.valores.value(u"ConApellido"_s)).trimmed();
}

// Refuses a row that has no name or a text longer than its field.
void revisar(FilaImportada& f, Destino d) {
    if (!f.problema.isEmpty()) return;
    if (nombreDe(f, d).isEmpty()) {
        f.problema = d == Destino::Empresas ? u"la empresa no tiene nombre ni razón social."_s
                                            : u"el contacto no tiene nombre ni apellido."_s;
        return;
    }
    for (const CampoArchivo& c : camposDe(d)) {
        if (c.largo <= 0) continue;
        auto largo = [&](const QString& texto) {
            if (texto.size() <= c.largo) return true;
            f.problema =
                u"el texto de «%1» tiene %2 caracteres y el campo admite %3."_s.arg(c.encabezado)
                    .arg(texto.size())
                    .arg(c.largo);
            return false;
        };
        if (c.clave == kEmpresa) {
            for (const auto& e : std::as_const(f.empresas))
                if (!largo(e.first)) return;
        } else if (!largo(f.valores.value(c.clave))) {
            return;
        }
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Formats and results

Formato formatoDeArchivo(const QString& archivo, Destino destino) {
    const QString ext = QFileInfo(archivo).suffix().toLower();
    std::optional<Formato> f;
    if (ext == u"csv"_s || ext == u"txt"_s) f = Formato::Csv;
    if (ext == u"vcf"_s || ext == u"vcard"_s) f = Formato::Vcard;
    if (ext == u"ics"_s || ext == u"ical"_s || ext == u"ifb"_s) f = Formato::Icalendar;
    if (destino == Destino::Agenda) {
        if (f != Formato::Icalendar)
            throw Error(
                u"La agenda se intercambia en archivos iCalendar (.ics); «%1» no lo es."_s.arg(
                    QFileInfo(archivo).fileName()));
    } else if (!f || f == Formato::Icalendar) {
        throw Error(u"%1 se intercambian en archivos CSV (.csv) o vCard (.vcf); «%2» no es "
                    u"ninguno de ellos."_s.arg(destino == Destino::Empresas ? u"Las empresas"_s
                                                                            : u"Los contactos"_s,
                                               QFileInfo(archivo).fileName()));
    }
    return *f;
}

QString Resultado::informe() const {
    QStringList l;
    switch (destino) {
    case Destino::Empresas:
        l << u"Empresas agregadas: %1"_s.arg(agregados)
          << u"Omitidas por posibles duplicados: %1"_s.arg(omitidos)
          << u"Rechazadas: %1"_s.arg(rechazados);
        break;
    case Destino::Contactos:
        l << u"Contactos agregados: %1"_s.arg(agregados);
        if (empresasCreadas)
            l << u"Empresas que nombraban y se agregaron: %1"_s.arg(empresasCreadas);
        l << u"Omitidos por posibles duplicados: %1"_s.arg(omitidos)
          << u"Rechazados: %1"_s.arg(rechazados);
        break;
    case Destino::Agenda:
        l << u"Entradas de la agenda agregadas: %1"_s.arg(agregados)
          << u"Entradas actualizadas: %1"_s.arg(actualizados)
          << u"Entradas que ya estaban: %1"_s.arg(sinCambios)
          << u"Eventos rechazados: %1"_s.arg(rechazados);
        break;
    }
    auto detalle = [&](const QString& titulo, const QList<Rechazo>& lista, qint64 total) {
        if (lista.isEmpty()) return;
        l << QString() << titulo;
        for (const Rechazo& r : lista)
            l << u"Línea %1: %2"_s.arg(r.linea).arg(r.motivo);
        if (total > lista.size()) l << u"... y %1 más."_s.arg(total - lista.size());
    };
    detalle(u"Rechazos:"_s, rechazos, rechazados);
    detalle(u"Omitidos:"_s, omitidosDetalle, omitidos);
    return l.join(u'\n');
}

// ---------------------------------------------------------------------------------------------
// Where the rows come from

class FuenteFilas {
public:
    virtual ~FuenteFilas() = default;
    // The next row; false at the end. Throws ErrorFormato.
    virtual bool leer(FilaImportada& f) = 0;
    virtual qint64 leidos() const = 0;
    virtual qint64 total() const = 0;

protected:
    explicit FuenteFilas(const QString& ruta) : archivo_(ruta) { abrirParaLeer(archivo_); }
    QFile archivo_;
};

namespace {

class FuenteCsv : public FuenteFilas {
public:
    FuenteCsv(const QString& ruta, Destino d, QStringList asignacion)
        : FuenteFilas(ruta), lector_(archivo_), destino_(d), asignacion_(std::move(asignacion)) {
        QStringList encabezados;
        lector_.leer(encabezados); // the headings
    }
    bool leer(FilaImportada& f) override {
        QStringList campos;
        for (;;) {
            if (!lector_.leer(campos)) return false;
            f = FilaImportada{};
            f.linea = lector_.linea();
            bool algo = false;
            QStringList empresas, departamentos;
            for (qsizetype i = 0; i < campos.size() && i < asignacion_.size(); ++i) {
                const QString& clave = asignacion_[i];
                if (clave.isEmpty()) continue;
                const QString v = campos[i].trimmed();
                algo = algo || !v.isEmpty();
                if (clave == kEmpresa)
                    empresas = v.split(u'\n');
                else if (clave == kDepartamento)
                    departamentos = v.split(u'\n');
                else
                    f.valores[clave] = v;
            }
            // A row of empty cells (spreadsheets leave them after the data) is no record.
            if (!algo) continue;
            for (qsizetype i = 0; i < empresas.size(); ++i) {
                const QString e = empresas[i].trimmed();
                if (!e.isEmpty()) f.empresas.append({e, departamentos.value(i).trimmed()});
            }
            if (empresas.isEmpty() && !departamentos.value(0).trimmed().isEmpty())
                f.problema = u"tiene departamento pero no empresa."_s;
            return true;
        }
    }
    qint64 leidos() const override { return lector_.lineas().leidos(); }
    qint64 total() const override { return lector_.lineas().total(); }

private:
    formatos::LectorCsv lector_;
    Destino destino_;
    QStringList asignacion_;
};

class FuenteVcard : public FuenteFilas {
public:
    FuenteVcard(const QString& ruta, Destino d)
        : FuenteFilas(ruta), lector_(archivo_), destino_(d) {}
    bool leer(FilaImportada& f) override {
        formatos::Vcard v;
        if (!lector_.leer(v)) return false;
        f = desdeVcard(v, destino_);
        return true;
    }
    qint64 leidos() const override { return lector_.lineas().leidos(); }
    qint64 total() const override { return lector_.lineas().total(); }

private:
    formatos::LectorVcard lector_;
    Destino destino_;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Where the rows go

class AlmacenFilas {
public:
    AlmacenFilas(BaseDatos& bd, Destino d) : bd_(bd), d_(d) {
        const bool empresa = d == Destino::Empresas;
        tabla_ = empresa ? u"EMPRESAS"_s : u"CONTACTOS"_s;
        clave_ = empresa ? u"EmpId"_s : u"ConId"_s;
        QStringList campos, marcas;
        for (const CampoArchivo& c : camposDe(d)) {
            if (c.clave == kRamo || c.clave == kOrigen || c.clave == kEmpresa ||
                c.clave == kDepartamento)
                continue;
            campos << c.clave;
            columnas_ << c.clave;
        }
        if (empresa) campos << u"RamId"_s;
        campos << u"OriId"_s;
        for (qsizetype i = 0; i < campos.size(); ++i)
            marcas << u"?"_s;
        insertar_.emplace(bd_.prepararJet(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
            tabla_, campos.join(u", "_s), marcas.join(u", "_s))));
        idInicial_ = bd_.escalar(u"SELECT MAX(%1) FROM %2"_s.arg(clave_, tabla_)).toLongLong();
        const QString p = empresa ? u"Emp"_s : u"Con"_s;
        const QString n1 = empresa ? u"EmpNombreFantasia"_s : u"ConNombre"_s;
        const QString n2 = empresa ? u"EmpRazonSocial"_s : u"ConApellido"_s;
        // The records with the same name and a telephone (compared by its digits) or an e-mail
        // address in common, among the keys from..to: those stored before the import, or those
        // it added. The engine walks only the records of that name in that range.
        auto digitosSql = [](QString columna) {
            for (const char* signo : {" ", "-", ".", "(", ")", "+", "/"})
                columna = u"REPLACE(%1, '%2', '')"_s.arg(columna, QLatin1String(signo));
            return columna;
        };
        const QString datos =
            u"SELECT %1Telefono1, %1Telefono2, %1Email, %2 FROM %3 WHERE "_s.arg(p, clave_, tabla_);
        const QString enComun =
            u" AND %1 BETWEEN ? AND ? AND (%2 IN (?, ?) OR %3 IN (?, ?) OR %4Email = ?)"_s.arg(
                clave_, digitosSql(p + u"Telefono1"_s), digitosSql(p + u"Telefono2"_s), p);
        // Names compared as the engine compares them (letter case aside); an empty part of a
        // name may be stored as nothing or as an empty text.
        auto preparar = [&](const QString& nombres) {
            return bd_.prepararJet(datos + nombres + enComun);
        };
        if (empresa) {
            porNombre_.emplace(preparar(n1 + u" = ?"_s));
            porSegundo_.emplace(preparar(u"(%1 IS NULL OR %1 = '') AND %2 = ?"_s.arg(n1, n2)));
        } else {
            porAmbos_.emplace(preparar(u"%1 = ? AND %2 = ?"_s.arg(n1, n2)));
            porNombre_.emplace(preparar(u"%1 = ? AND (%2 IS NULL OR %2 = '')"_s.arg(n1, n2)));
            porSegundo_.emplace(preparar(u"(%1 IS NULL OR %1 = '') AND %2 = ?"_s.arg(n1, n2)));
        }
    }

    // The stored record (or earlier row of the file) this row may repeat: the same name and a
    // telephone or e-mail address in common. Empty when none.
    QString duplicado(const FilaImportada& f) {
        const Claves k = claves(f);
        if (k.huellas.empty()) return {};
        // Stored before: asked of the engine. Earlier in the file: asked only when the filter
        // of the rows added may have seen one of its keys.
        if (idInicial_ > 0) {
            const QString como = buscar(k, 0, idInicial_);
            if (!como.isEmpty())
                return u"posible duplicado de «%1», ya guardado (mismo nombre y %2)."_s.arg(
                    nombreDe(f, d_), como);
        }
        if (std::any_of(k.huellas.begin(), k.huellas.end(),
                        [this](quint64 h) { return agregadas_.contiene(h); })) {
            const QString como = buscar(k, idInicial_ + 1, std::numeric_limits<qint64>::max());
            if (!como.isEmpty())
                return u"posible duplicado de una fila anterior del archivo (mismo nombre y "
                       u"%1)."_s.arg(como);
        }
        return {};
    }

    void guardar(const FilaImportada& f) {
        int i = 1;
        for (const QString& c : std::as_const(columnas_))
            insertar_->vincular(i++, valorOnulo(f.valores.value(c)));
        if (d_ == Destino::Empresas)
            insertar_->vincular(i++, catalogo(u"RAMOS"_s, u"Ram"_s, f.valores.value(kRamo)));
        insertar_->vincular(i++, catalogo(u"ORIGENES"_s, u"Ori"_s, f.valores.value(kOrigen)));
        insertar_->paso();
        insertar_->reiniciar();
        for (const quint64 h : claves(f).huellas)
            agregadas_.agregar(h);
        if (f.empresas.isEmpty()) return;
        const qint64 id = bd_.ultimoId();
        QSet<qint64> hechas;
        for (const auto& [nombre, departamento] : f.empresas) {
            const qint64 emp = empresa(nombre);
            if (hechas.contains(emp)) continue;
            hechas.insert(emp);
            bd_.ejecutar(u"INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId, EmpConDepartamento) "
                         u"VALUES (?, ?, ?)"_s,
                         {emp, id, valorOnulo(departamento)});
        }
    }

    qint64 empresasCreadas() const { return empresasCreadas_; }

private:
    // A set of keys in fixed memory: "no" for certain, "perhaps" now and then for a key never
    // added (then the engine is asked). A few megabytes whatever the file's size.
    class Filtro {
    public:
        Filtro() : bits_(size_t(1) << 18) {} // 2^24 bits
        void agregar(quint64 h) {
            for (int i = 0; i < 3; ++i) {
                const quint64 b = posicion(h, i);
                bits_[b >> 6] |= quint64(1) << (b & 63);
            }
        }
        bool contiene(quint64 h) const {
            for (int i = 0; i < 3; ++i) {
                const quint64 b = posicion(h, i);
                if (!(bits_[b >> 6] & (quint64(1) << (b & 63)))) return false;
            }
            return true;
        }

    private:
        static quint64 posicion(quint64 h, int i) {
            return (h + quint64(i) * ((h >> 33) | 1)) & ((quint64(1) << 24) - 1);
        }
        std::vector<quint64> bits_;
    };

    // What makes two rows the same record: the name, then each telephone's digits and the
    // e-mail address.
    struct Claves {
        QString a, b; // the two parts of the name
        QString tel1, tel2, correo;
        std::vector<quint64> huellas;
    };

    Claves claves(const FilaImportada& f) const {
        const bool empresa = d_ == Destino::Empresas;
        const QString p = empresa ? u"Emp"_s : u"Con"_s;
        Claves k;
        k.a = f.valores.value(empresa ? u"EmpNombreFantasia"_s : u"ConNombre"_s);
        k.b = f.valores.value(empresa ? u"EmpRazonSocial"_s : u"ConApellido"_s);
        k.tel1 = digitos(f.valores.value(p + u"Telefono1"_s));
        k.tel2 = digitos(f.valores.value(p + u"Telefono2"_s));
        k.correo = f.valores.value(p + u"Email"_s).trimmed();
        // A company is known by its trade name, or by its legal name when it has none.
        const QString nombre =
            (empresa ? (k.a.isEmpty() ? u'\x1f' + k.b : k.a) : k.a + u'\x1f' + k.b).toCaseFolded();
        auto huella = [&nombre](QChar tipo, const QString& dato) {
            quint64 h = 1469598103934665603ull; // FNV-1a, 64 bits
            for (const QString& s : {nombre, QString(tipo), dato})
                for (const QChar c : s) {
                    h ^= c.unicode();
                    h *= 1099511628211ull;
                }
            return h;
        };
        for (const QString& t : {k.tel1, k.tel2})
            if (!t.isEmpty()) k.huellas.push_back(huella(u't', t));
        if (!k.correo.isEmpty()) k.huellas.push_back(huella(u'e', k.correo.toCaseFolded()));
        return k;
    }

    // "el mismo teléfono" or "el mismo correo" of a record of keys desde..hasta; empty when
    // none.
    QString buscar(const Claves& k, qint64 desde, qint64 hasta) {
        const bool empresa = d_ == Destino::Empresas;
        Sentencia* s = nullptr;
        QVariantList params;
        if (empresa) {
            s = !k.a.isEmpty() ? &*porNombre_ : &*porSegundo_;
            params << (!k.a.isEmpty() ? k.a : k.b);
        } else if (!k.a.isEmpty() && !k.b.isEmpty()) {
            s = &*porAmbos_;
            params << k.a << k.b;
        } else {
            s = !k.a.isEmpty() ? &*porNombre_ : &*porSegundo_;
            params << (!k.a.isEmpty() ? k.a : k.b);
        }
        const QVariant t1 = k.tel1.isEmpty() ? QVariant() : QVariant(k.tel1);
        const QVariant t2 = k.tel2.isEmpty() ? t1 : QVariant(k.tel2);
        params << desde << hasta << t1 << t2 << t1 << t2
               << (k.correo.isEmpty() ? QVariant() : QVariant(k.correo));
        s->vincular(params);
        QString como;
        if (s->paso()) {
            const bool mismoTelefono = (!k.tel1.isEmpty() || !k.tel2.isEmpty()) && [&] {
                for (int c : {0, 1}) {
                    const QString t = digitos(s->valor(c).toString());
                    if (!t.isEmpty() && (t == k.tel1 || t == k.tel2)) return true;
                }
                return false;
            }();
            como = mismoTelefono ? u"el mismo teléfono"_s : u"el mismo correo"_s;
        }
        s->reiniciar();
        return como;
    }

    // A catalog row by its description, added when the catalog does not have it.
    QVariant catalogo(const QString& tabla, const QString& p, const QString& texto) {
        if (texto.isEmpty()) return {};
        QHash<QString, qint64>& cache = catalogos_[tabla];
        if (cache.isEmpty()) {
            Sentencia s = bd_.prepararJet(u"SELECT %1Id, %1Descripcion FROM %2"_s.arg(p, tabla));
            while (s.paso())
                cache.insert(s.valor(1).toString().trimmed().toCaseFolded(),
                             s.valor(0).toLongLong());
            cache.insert(QString(), 0); // read once
        }
        const QString k = texto.trimmed().toCaseFolded();
        if (auto it = cache.constFind(k); it != cache.constEnd()) return *it;
        bd_.ejecutar(u"INSERT INTO %1 (%2Descripcion) VALUES (?)"_s.arg(tabla, p), {texto});
        const qint64 id = bd_.ultimoId();
        cache.insert(k, id);
        return id;
    }

    // A company by its trade name or its legal name; added when there is none.
    qint64 empresa(const QString& nombre) {
        const QString k = nombre.toCaseFolded();
        if (auto it = empresas_.constFind(k); it != empresas_.constEnd()) return *it;
        QVariant id = bd_.escalar(u"SELECT EmpId FROM EMPRESAS WHERE EmpNombreFantasia = ? "
                                  u"ORDER BY EmpId"_s,
                                  {nombre});
        if (id.isNull())
            id = bd_.escalar(u"SELECT EmpId FROM EMPRESAS WHERE EmpRazonSocial = ? ORDER BY "
                             u"EmpId"_s,
                             {nombre});
        if (id.isNull()) {
            bd_.ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia) VALUES (?)"_s, {nombre});
            id = bd_.ultimoId();
            ++empresasCreadas_;
        }
        if (empresas_.size() < 100000) empresas_.insert(k, id.toLongLong());
        return id.toLongLong();
    }

    BaseDatos& bd_;
    Destino d_;
    QString tabla_, clave_;
    QStringList columnas_;
    std::optional<Sentencia> insertar_, porAmbos_, porNombre_, porSegundo_;
    qint64 idInicial_ = 0;
    QHash<QString, QHash<QString, qint64>> catalogos_;
    QHash<QString, qint64> empresas_;
    qint64 empresasCreadas_ = 0;
    Filtro agregadas_; // the keys of the rows this import added
};

// ---------------------------------------------------------------------------------------------
// The import

Importacion::Importacion(BaseDatos& bd, Destino destino, const QString& archivo,
                         const OpcionesImportacion& opciones)
    : bd_(bd), destino_(destino), archivo_(archivo), formato_(formatoDeArchivo(archivo, destino)),
      opciones_(opciones) {
    if (formato_ != Formato::Csv) {
        abrirFuente(); // the file can be opened: it exists, is readable, is not empty
        return;
    }
    try {
        QFile f(archivo_);
        abrirParaLeer(f);
        formatos::LectorCsv lector(f);
        if (!lector.leer(encabezados_))
            throw ErrorFormato(0, u"el archivo no tiene ninguna fila."_s);
        const QString primera = encabezados_.value(0).trimmed().toUpper();
        if (primera.startsWith(u"BEGIN:VCARD"_s) || primera.startsWith(u"BEGIN:VCALENDAR"_s))
            throw ErrorFormato(lector.linea(), u"el archivo tiene extensión .%1 pero su contenido "
                                               u"es %2, no valores separados por comas."_s.arg(
                                                   QFileInfo(archivo_).suffix(),
                                                   primera.contains(u"VCARD"_s)
                                                       ? u"una libreta de direcciones vCard"_s
                                                       : u"un calendario iCalendar"_s));
    } catch (const ErrorFormato& e) {
        throw errorDeImportacion(archivo_, e);
    }
    for (const QString& e : std::as_const(encabezados_))
        asignacion_ << campoDeEncabezado(destino_, e, asignacion_);
}

Importacion::~Importacion() = default;

qint64 Importacion::tamano() const {
    return QFileInfo(archivo_).size();
}

void Importacion::asignar(int columna, const QString& clave) {
    if (columna < 0 || columna >= asignacion_.size()) return;
    if (!clave.isEmpty())
        for (QString& a : asignacion_)
            if (a == clave) a.clear();
    asignacion_[columna] = clave;
}

void Importacion::conservarLinea(qint64 linea, bool conservar) {
    if (conservar)
        conservadas_.insert(linea);
    else
        conservadas_.remove(linea);
}

std::unique_ptr<FuenteFilas> Importacion::abrirFuente() const {
    try {
        if (formato_ == Formato::Csv)
            return std::make_unique<FuenteCsv>(archivo_, destino_, asignacion_);
        if (formato_ == Formato::Vcard) return std::make_unique<FuenteVcard>(archivo_, destino_);
        QFile f(archivo_);
        abrirParaLeer(f);
        return nullptr; // the agenda reads its own file
    } catch (const ErrorFormato& e) {
        throw errorDeImportacion(archivo_, e);
    }
}

QList<FilaImportada> Importacion::vistaPrevia(int cuantas) {
    if (destino_ == Destino::Agenda) return vistaPreviaAgenda(bd_, archivo_, opciones_, cuantas);
    QList<FilaImportada> filas;
    std::unique_ptr<FuenteFilas> fuente = abrirFuente();
    AlmacenFilas almacen(bd_, destino_);
    try {
        FilaImportada f;
        while (filas.size() < cuantas && fuente->leer(f)) {
            revisar(f, destino_);
            if (f.problema.isEmpty()) {
                f.duplicado = almacen.duplicado(f);
                // Nothing is stored yet: earlier rows of the preview are compared here.
                for (const FilaImportada& antes : std::as_const(filas)) {
                    if (!f.duplicado.isEmpty()) break;
                    if (!antes.problema.isEmpty() ||
                        nombreDe(antes, destino_)
                                .compare(nombreDe(f, destino_), Qt::CaseInsensitive) != 0)
                        continue;
                    const QString p = destino_ == Destino::Empresas ? u"Emp"_s : u"Con"_s;
                    bool comun = false;
                    for (const QString& c : {u"Telefono1"_s, u"Telefono2"_s}) {
                        const QString t = digitos(f.valores.value(p + c));
                        if (t.isEmpty()) continue;
                        comun = comun || t == digitos(antes.valores.value(p + u"Telefono1"_s)) ||
                                t == digitos(antes.valores.value(p + u"Telefono2"_s));
                    }
                    const QString correo = f.valores.value(p + u"Email"_s);
                    comun = comun || (!correo.isEmpty() &&
                                      correo.compare(antes.valores.value(p + u"Email"_s),
                                                     Qt::CaseInsensitive) == 0);
                    if (comun)
                        f.duplicado =
                            u"posible duplicado de la fila de la línea %1."_s.arg(antes.linea);
                }
            }
            filas << f;
        }
    } catch (const ErrorFormato& e) {
        throw errorDeImportacion(archivo_, e);
    }
    return filas;
}

Resultado Importacion::ejecutar(const Progreso& progreso) {
    cancelada_ = false;
    if (destino_ == Destino::Agenda) return importarAgenda(progreso);
    if (formato_ == Formato::Csv && std::all_of(asignacion_.begin(), asignacion_.end(),
                                                [](const QString& a) { return a.isEmpty(); }))
        throw Error(u"Ninguna columna del archivo «%1» corresponde a un campo de %2: revise los "
                    u"encabezados de la primera fila."_s.arg(
                        QFileInfo(archivo_).fileName(),
                        destino_ == Destino::Empresas ? u"las empresas"_s : u"los contactos"_s));
    Resultado r;
    r.destino = destino_;
    std::unique_ptr<FuenteFilas> fuente = abrirFuente();
    Transaccion t(bd_);
    AlmacenFilas almacen(bd_, destino_);
    qint64 leidas = 0;
    try {
        FilaImportada f;
        while (fuente->leer(f)) {
            if (progreso && ++leidas % kCadaCuantas == 0 &&
                !progreso(fuente->leidos(), fuente->total())) {
                cancelada_ = true;
                return r; // the transaction rolls back
            }
            revisar(f, destino_);
            if (!f.problema.isEmpty()) {
                ++r.rechazados;
                if (r.rechazos.size() < kDetallesMaximos) r.rechazos.append({f.linea, f.problema});
                continue;
            }
            if (!conservarTodos_ && !conservadas_.contains(f.linea)) {
                const QString dup = almacen.duplicado(f);
                if (!dup.isEmpty()) {
                    ++r.omitidos;
                    if (r.omitidosDetalle.size() < kDetallesMaximos)
                        r.omitidosDetalle.append({f.linea, dup});
                    continue;
                }
            }
            almacen.guardar(f);
            ++r.agregados;
        }
    } catch (const ErrorFormato& e) {
        throw errorDeImportacion(archivo_, e);
    }
    if (progreso && !progreso(fuente->total(), fuente->total())) {
        cancelada_ = true;
        return r;
    }
    r.empresasCreadas = almacen.empresasCreadas();
    t.confirmar();
    return r;
}

Resultado Importacion::importarAgenda(const Progreso& progreso) {
    return intercambio::importarAgenda(bd_, archivo_, opciones_, progreso, &cancelada_);
}

} // namespace zv::intercambio

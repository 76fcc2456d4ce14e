#pragma once
// Content lines, the common ground of vCard and iCalendar: "GRUPO.NOMBRE;PARAM=valor:valor",
// folded at 75 octets with a leading blank on each continuation line, text values escaped with
// backslashes.
#include "formatos/texto.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QStringList>
#include <initializer_list>
#include <vector>

class QIODevice;

namespace zv::formatos {

struct LineaContenido {
    QString grupo;  // "item1" in "item1.TEL", else empty
    QString nombre; // upper case
    // Parameters in order, names upper case, values without their quotes. A bare parameter of
    // vCard 2.1 ("TEL;WORK;VOICE:") is read as TYPE=WORK, TYPE=VOICE.
    QList<QPair<QString, QString>> parametros;
    QString valor; // as written, escapes still in
    qint64 linea = 0;

    // The first value of a parameter, or empty.
    QString parametro(const QString& nombre) const;
    // Whether a parameter has a value among its comma-separated values (letter case ignored):
    // tieneValor("TYPE", "work") for TYPE=WORK, TYPE="work,voice" or TYPE=work;TYPE=voice.
    bool tieneValor(const QString& nombre, const QString& valor) const;
};

// Splits one unfolded line; throws ErrorFormato when it has no name or no colon.
LineaContenido analizarLinea(const QString& texto, qint64 linea);

// Reads unfolded lines: a line that begins with a blank continues the one before it.
class LectorContenido {
public:
    explicit LectorContenido(QIODevice& origen);
    // The next unfolded line (blank lines skipped); false at the end of the file. `linea` is
    // the number of its first physical line.
    bool leer(QString& texto, qint64& linea);
    // Appends the next physical line as it is (quoted-printable's soft line breaks); false at
    // the end of the file.
    bool unirSiguiente(QString& texto);
    const LectorLineas& lineas() const { return lineas_; }

private:
    LectorLineas lineas_;
    QString pendiente_;
    qint64 lineaPendiente_ = 0;
    bool hayPendiente_ = false;
};

// Text value escapes: backslash, comma, semicolon and line breaks.
QString escaparTexto(const QString& s);
// Undoes them; `soloPuntoYComa` for vCard 2.1, which escapes only the semicolon.
QString desescaparTexto(const QString& s, bool soloPuntoYComa = false);
// Splits a structured value (N, ADR, ORG) on the semicolons that are not escaped, each part
// unescaped.
QStringList componentes(const QString& valor, bool soloPuntoYComa = false);

// Writes content lines folded at 75 octets (never inside a UTF-8 character), CR LF ended.
class EscritorContenido {
public:
    explicit EscritorContenido(QIODevice& destino) : destino_(destino) {}
    ~EscritorContenido();
    // "NOMBRE;PARAM=x" and a value already escaped.
    void linea(QStringView nombreYParametros, QStringView valor);
    // The same with the name and parameters given in pieces.
    void linea(std::initializer_list<QStringView> nombreYParametros, QStringView valor);
    // A text value, escaped as it is written.
    void lineaTexto(QStringView nombreYParametros, QStringView texto);
    // Lines already folded and ended.
    void crudo(const QByteArray& lineas);
    void vaciar();

private:
    // Room for n more bytes.
    char* reservar(size_t n) {
        if (usado_ + n > buf_.size()) crecer(n);
        return buf_.data() + usado_;
    }
    void crecer(size_t n);
    void agregar(QStringView texto, bool escapar = false); // in UTF-8
    void terminarLinea(size_t inicio); // folds and ends the line begun at `inicio`

    QIODevice& destino_;
    std::vector<char> buf_;
    size_t usado_ = 0;
};

} // namespace zv::formatos

#pragma once
// Reading the text files other programs write, one line at a time: the file is streamed, never
// loaded whole, so a file of any size costs the same memory. The character set is found from
// the first bytes (a byte order mark, valid UTF-8, or else Windows-1252, which is what Windows
// programs write when they are not told otherwise), and every problem names its line.
#include <QString>
#include <QStringDecoder>
#include <stdexcept>

class QIODevice;

namespace zv::formatos {

// A file that cannot be read as what it claims to be: where (1-based line; 0 when the problem is
// the file as a whole) and what is wrong, in Spanish.
class ErrorFormato : public std::runtime_error {
public:
    ErrorFormato(qint64 linea, const QString& problema);
    qint64 linea() const { return linea_; }
    QString problema() const { return problema_; }
    // "Línea 12: el campo ..." (or only the problem when no line is involved).
    QString descripcion() const;

private:
    qint64 linea_;
    QString problema_;
};

enum class Codificacion { Utf8, Windows1252, Utf16LE, Utf16BE };

class LectorLineas {
public:
    // The longest line taken; a longer one is refused (a binary file or a runaway field would
    // otherwise be read whole).
    static constexpr qint64 kLargoMaximo = 4 * 1024 * 1024;

    // Reads from the device's current position; throws ErrorFormato when the first bytes show
    // a file that is not text.
    explicit LectorLineas(QIODevice& origen, qint64 largoMaximo = kLargoMaximo);

    // The next line without its end (CR LF, LF or a lone CR); false at the end of the file.
    bool leer(QString& linea);
    // The number of the last line read (1-based).
    qint64 numero() const { return numero_; }
    Codificacion codificacion() const { return codificacion_; }
    // Bytes consumed so far and the size of the whole file (-1 when unknown): for progress.
    qint64 leidos() const { return consumidos_; }
    qint64 total() const { return total_; }

private:
    bool llenar(); // reads one more block; false at the end of the device
    void detectar();
    QString decodificar(const char* datos, qsizetype largo);

    QIODevice& origen_;
    qint64 largoMaximo_;
    QByteArray buf_;
    qsizetype pos_ = 0;
    bool fin_ = false;
    qint64 numero_ = 0;
    qint64 consumidos_ = 0;
    qint64 total_ = -1;
    Codificacion codificacion_ = Codificacion::Utf8;
    bool vistoNoAscii_ = false; // a line of UTF-8 with more than ASCII was read
    QStringDecoder utf8_;
};

// Decodes bytes in Windows-1252 (the ANSI code page of Western Windows); false when they hold
// a byte that code page leaves undefined.
bool desdeWindows1252(const char* datos, qsizetype largo, QString& texto);
// Whether the bytes are valid UTF-8 (a sequence cut at the very end counts as valid when
// `puedeSeguir`).
bool esUtf8(const char* datos, qsizetype largo, bool puedeSeguir = false);

} // namespace zv::formatos

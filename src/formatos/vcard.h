#pragma once
// vCard, as phones and mail programs export it: versions 2.1 (quoted-printable values with their
// CHARSET, bare types such as "TEL;CELL"), 3.0 and 4.0 (RFC 6350). Cards are read one at a time;
// cards are written in version 4.0.
#include "formatos/contenido.h"

#include <vector>

class QIODevice;

namespace zv::formatos {

struct PropiedadVcard : LineaContenido {
    // The value as text: quoted-printable decoded in its charset, escapes undone.
    QString texto;
    // The value split into its parts, each decoded: only for the structured N, ADR and ORG.
    QStringList partes;
};

struct Vcard {
    QString version;  // "2.1", "3.0", "4.0"
    qint64 linea = 0; // where BEGIN:VCARD is
    std::vector<PropiedadVcard> propiedades;

    const PropiedadVcard* primera(const QString& nombre) const;
    std::vector<const PropiedadVcard*> todas(const QString& nombre) const;
};

class LectorVcard {
public:
    // Throws ErrorFormato when the file is not text.
    explicit LectorVcard(QIODevice& origen);
    // The next card; false at the end of the file. Throws ErrorFormato when the file is not a
    // sequence of BEGIN:VCARD ... END:VCARD cards or a line cannot be read.
    bool leer(Vcard& tarjeta);
    const LectorLineas& lineas() const { return contenido_.lineas(); }

private:
    LectorContenido contenido_;
};

// Writes vCard 4.0 cards.
class EscritorVcard {
public:
    explicit EscritorVcard(QIODevice& destino) : salida_(destino) {}
    void empezar();  // BEGIN:VCARD and VERSION:4.0
    void terminar(); // END:VCARD
    // A text property (escaped here); nothing when the text is empty.
    void texto(const QString& nombreYParametros, const QString& valor);
    // A structured property: its parts escaped and joined with semicolons; nothing when every
    // part is empty.
    void partes(const QString& nombreYParametros, const QStringList& partes);
    // A property whose value is written as given (URIs, fixed values).
    void literal(const QString& nombreYParametros, const QString& valor);
    void vaciar() { salida_.vaciar(); }

private:
    EscritorContenido salida_;
};

} // namespace zv::formatos

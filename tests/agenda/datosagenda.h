#pragma once
// What the agenda tests share: activities and entries written straight into the file, typing
// into a box as a user would, and letting closed windows go.
#include "data/basedatos.h"
#include "support/entorno.h"
#include "support/servidorprueba.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

namespace zv::prueba {

// An activity with its category (created when missing); its key.
inline qint64 actividad(BaseDatosPrueba& db, const QString& descripcion, const QString& comentario,
                        const QString& categoria = QStringLiteral("Ventas")) {
    db.ejecutar(QStringLiteral("INSERT INTO CATEGORIAS (CatDescripcion) SELECT ?1 WHERE NOT EXISTS "
                               "(SELECT 1 FROM CATEGORIAS WHERE CatDescripcion = ?1)"),
                {categoria});
    db.ejecutar(QStringLiteral("INSERT INTO ACTIVIDADES (ActDescripcion, ActComentarios, CatId) "
                               "SELECT ?, ?, CatId FROM CATEGORIAS WHERE CatDescripcion = ?"),
                {descripcion, comentario, categoria});
    return db.bd().ultimoId();
}
inline qint64 actividad(BaseDatosPrueba& db, const QString& descripcion) {
    return actividad(db, descripcion, QStringLiteral("-"));
}

struct DatosEntrada {
    qint64 actId = 0;
    QVariant fecha;
    QVariant inicio = QTime(10, 0);
    QVariant aviso = 0;
    QVariant avisoHora = QTime(9, 0);
    QString estado = QStringLiteral("Comenzado");
    bool avisado = false;
    qint64 calId = 0; // 0: the engine assigns it
};

// Writes an entry; its key.
inline qint64 entrada(BaseDatosPrueba& db, const DatosEntrada& e) {
    Sentencia s = db.bd().prepararJet(QStringLiteral(
        "INSERT INTO CALENDARIO (CalId, ActId, CalFecha, CalHoraInicio, CalHoraFinal, "
        "CalFormaAviso, "
        "CalAvisoHora, CalEstado, CalFueAvisado) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    s.vincular({e.calId ? QVariant(e.calId) : QVariant(), e.actId, e.fecha, e.inicio, e.inicio,
                e.aviso, e.avisoHora, e.estado, e.avisado});
    s.paso();
    return e.calId ? e.calId : db.bd().ultimoId();
}

// Replaces the text of a box by typing, as the user would.
inline void escribir(QLineEdit* w, const QString& texto) {
    w->selectAll();
    if (texto.isEmpty())
        QTest::keyClick(w, Qt::Key_Delete);
    else
        QTest::keyClicks(w, texto);
}

// Windows closed during a test are deleted now.
inline void despachar() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A field of an entry as the file holds it.
inline QString textoDe(BaseDatosPrueba& db, const QString& campo, qint64 calId) {
    return db
        .escalar(QStringLiteral("SELECT ") + campo +
                 QStringLiteral(" FROM CALENDARIO WHERE CalId = ") + QString::number(calId))
        .toString();
}

} // namespace zv::prueba

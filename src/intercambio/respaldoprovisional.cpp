// TEMPORARY: stands for BaseDatos::respaldarEn until the data layer has it; this file goes away
// then and respaldarBase() calls bd.respaldarEn(archivo, progreso).
#include "data/basedatos.h"
#include "data/dberror.h"
#include "intercambio/respaldo.h"

#include <QFile>
#include <QThread>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace zv::intercambio {

void respaldarBase(BaseDatos& bd, const QString& archivo, const Progreso& progreso) {
    sqlite3* destino = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(archivo).constData(), &destino,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    auto fallar = [&](int codigo) {
        const QString msg = destino ? QString::fromUtf8(sqlite3_errmsg(destino))
                                    : QString::fromUtf8(sqlite3_errstr(codigo));
        sqlite3_close(destino);
        throw Error(u"No se pudo copiar la base de datos en «%1»."_s.arg(archivo), msg);
    };
    if (rc != SQLITE_OK) fallar(rc);
    sqlite3_backup* b = sqlite3_backup_init(destino, "main", bd.handle(), "main");
    if (!b) fallar(sqlite3_errcode(destino));
    do {
        rc = sqlite3_backup_step(b, 256);
        if (progreso && !progreso(sqlite3_backup_pagecount(b) - sqlite3_backup_remaining(b),
                                  sqlite3_backup_pagecount(b)))
            break;
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) QThread::msleep(20);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE && rc != SQLITE_OK) fallar(rc);
    sqlite3_close(destino);
}

} // namespace zv::intercambio

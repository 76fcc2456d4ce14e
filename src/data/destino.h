#pragma once
// Where the program's database is: a file (bd2000.mdb, any path) or a database on a PostgreSQL
// server, named the way libpq names it: a URI ("postgresql://ventas@servidor/zelvora",
// "postgres://...") or key=value settings ("host=/ruta/al/socket dbname=zelvora",
// "service=oficina sslmode=require"). Passwords are never kept by the program: libpq reads them
// from the user's own password file (~/.pgpass, PGPASSFILE) or service file (PGSERVICEFILE).
#include <QString>

namespace zv::destino {

// True when `destino` names a database on a server rather than a file.
bool esServidor(const QString& destino);

// The destination as it may be shown or remembered: a server's settings without any password
// in them; a file path as it was given.
QString visible(const QString& destino);

} // namespace zv::destino

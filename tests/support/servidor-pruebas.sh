#!/bin/sh
# The throw-away PostgreSQL cluster of a test run.
#
#   servidor-pruebas.sh iniciar CARPETA PROGRAMA   creates a cluster in CARPETA that listens only
#                                                  on a Unix socket in CARPETA, and a template
#                                                  database zv_plantilla with the program's
#                                                  schema (made by PROGRAMA --create-db)
#   servidor-pruebas.sh detener CARPETA            stops it and removes CARPETA
#
# The server refuses to run as root: as root, the cluster belongs to the unprivileged system
# user that scripts/instalar-dependencias.sh creates (zelvorapg); otherwise to the current user.
# Any failure ends with a non-zero exit, so that the tests that need the server do not run.
set -eu
accion=$1
carpeta=$2
usuario=zelvorapg

bin=$(pg_config --bindir 2>/dev/null || true)
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
fi
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  echo "No se encuentra PostgreSQL (initdb): instale postgresql-15 con scripts/instalar-dependencias.sh." >&2
  exit 1
fi

como() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u "$usuario" -- "$@"
  else
    "$@"
  fi
}

case "$accion" in
iniciar)
  if [ "$(id -u)" -eq 0 ] && ! id "$usuario" >/dev/null 2>&1; then
    echo "Falta el usuario de sistema $usuario: ejecute scripts/instalar-dependencias.sh." >&2
    exit 1
  fi
  programa=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
  if [ -d "$carpeta/datos" ]; then
    como "$bin/pg_ctl" -D "$carpeta/datos" -m immediate stop >/dev/null 2>&1 || true
  fi
  rm -rf "$carpeta"
  mkdir -p "$carpeta"
  if [ "$(id -u)" -eq 0 ]; then chown "$usuario" "$carpeta"; fi
  chmod 700 "$carpeta"
  cd "$carpeta"
  como "$bin/initdb" -D "$carpeta/datos" -U zelvora --auth=trust -E UTF8 --locale=C.UTF-8 \
    --no-sync >"$carpeta/initdb.log" 2>&1 || { cat "$carpeta/initdb.log" >&2; exit 1; }
  como "$bin/pg_ctl" -D "$carpeta/datos" -l "$carpeta/servidor.log" -w -t 60 \
    -o "-c listen_addresses='' -c unix_socket_directories='$carpeta' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
    start >/dev/null || { cat "$carpeta/servidor.log" >&2; exit 1; }
  "$bin/createdb" -h "$carpeta" -U zelvora zv_plantilla
  QT_QPA_PLATFORM=offscreen "$programa" --db "host=$carpeta user=zelvora dbname=zv_plantilla" --create-db
  ;;
detener)
  if [ -d "$carpeta/datos" ]; then
    como "$bin/pg_ctl" -D "$carpeta/datos" -m immediate stop >/dev/null 2>&1 || true
  fi
  rm -rf "$carpeta"
  ;;
*)
  echo "uso: $0 iniciar CARPETA PROGRAMA | detener CARPETA" >&2
  exit 2
  ;;
esac

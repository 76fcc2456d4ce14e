#!/bin/sh
# The administrator's recipe of docs/administracion-servidor.md, run as written against the test
# run's server: the database, its owner and the seats' roles (the page's first SQL block), the
# tables made by the program as the owner, a file moved onto the server, the seats' privileges
# (the second block); then a seat works through the program and cannot change the schema.
#
#   prueba_administracion_servidor.sh CARPETA_SERVIDOR PROGRAMA PAGINA
set -eu
pg=$1
programa=$2
pagina=$3
tmp=$(mktemp -d)
export QT_QPA_PLATFORM=offscreen

psql_como() { # USUARIO BASE [psql options...]
  usuario=$1
  base=$2
  shift 2
  psql -X -q -h "$pg" -U "$usuario" -d "$base" -v ON_ERROR_STOP=1 "$@"
}
limpiar() {
  psql_como zelvora postgres -c "DROP DATABASE IF EXISTS zelvora WITH (FORCE)" \
    -c "DROP ROLE IF EXISTS ventas" -c "DROP ROLE IF EXISTS zelvora_puestos" \
    -c "DROP ROLE IF EXISTS zelvora_admin" >/dev/null 2>&1 || true
  rm -rf "$tmp"
}
falla() {
  echo "FALLO: $*" >&2
  exit 1
}
trap limpiar EXIT
limpiar
mkdir -p "$tmp"

# The page's SQL blocks, each into a file of its own.
awk -v dir="$tmp" '
  /^```sql$/ { n++; dentro = 1; next }
  /^```$/ { dentro = 0; next }
  dentro { print > (dir "/bloque" n ".sql") }
' "$pagina"
[ -f "$tmp/bloque1.sql" ] && [ -f "$tmp/bloque2.sql" ] && [ ! -f "$tmp/bloque3.sql" ] ||
  falla "la página debe tener dos bloques SQL"

dueno="host=$pg user=zelvora_admin dbname=zelvora"
puesto="host=$pg user=ventas dbname=zelvora"

# 2. The database and its roles, as the server's administrator.
psql_como zelvora postgres -f "$tmp/bloque1.sql"
# 3. The tables, made by the owner; an office's file moved onto the server.
"$programa" --db "$dueno" --create-db
printf 'Nombre,Ciudad\nTalleres Ñandú,Córdoba\n' >"$tmp/empresas.csv"
"$programa" --db "$tmp/oficina.mdb" --create-db 2>/dev/null
"$programa" --db "$tmp/oficina.mdb" --import empresas "$tmp/empresas.csv" >/dev/null
"$programa" --db "$tmp/oficina.mdb" --copy-to "$dueno"
# 4. The seats' privileges.
psql_como zelvora zelvora -f "$tmp/bloque2.sql"

# The seat's role is no superuser and may create neither databases nor roles.
[ "$(psql_como zelvora postgres -At -c "SELECT rolsuper OR rolcreatedb OR rolcreaterole OR rolbypassrls FROM pg_roles WHERE rolname = 'ventas'")" = f ] ||
  falla "el usuario del puesto tiene privilegios de más"

# A seat opens the database and works: reads, adds, copies it into a file.
"$programa" --db "$puesto" --create-db 2>&1 | grep -q "ya existe y es válida" ||
  falla "el puesto no abre la base de datos"
printf 'Nombre,Ciudad\nDistribuidora Ortiz,Rosario\n' >"$tmp/mas.csv"
"$programa" --db "$puesto" --import empresas "$tmp/mas.csv" >/dev/null ||
  falla "el puesto no puede añadir empresas"
"$programa" --db "$puesto" --export empresas "$tmp/todas.csv" >/dev/null
grep -q "Talleres Ñandú" "$tmp/todas.csv" && grep -q "Distribuidora Ortiz" "$tmp/todas.csv" ||
  falla "el puesto no lee lo que se guardó"
"$programa" --db "$puesto" --copy-to "$tmp/copia.mdb" >/dev/null ||
  falla "el puesto no puede copiar la base de datos en un archivo"
psql_como ventas zelvora -c "UPDATE empresas SET empnombrefantasia = 'Talleres Ñandú SA' WHERE empnombrefantasia = 'Talleres Ñandú'" -c "DELETE FROM empresas WHERE empnombrefantasia = 'Distribuidora Ortiz'" ||
  falla "el puesto no puede modificar ni borrar filas"

# ...and changes nothing of the schema.
for sentencia in \
  "CREATE TABLE intrusa (a integer)" \
  "CREATE TEMPORARY TABLE intrusa (a integer)" \
  "CREATE SCHEMA intruso" \
  "CREATE FUNCTION intrusa() RETURNS integer LANGUAGE sql AS 'SELECT 1'" \
  "CREATE INDEX intruso ON empresas (empciudad)" \
  "ALTER TABLE empresas ADD COLUMN intrusa integer" \
  "DROP TABLE calendario" \
  "TRUNCATE empresas CASCADE" \
  "CREATE TRIGGER intruso BEFORE INSERT ON empresas FOR EACH ROW EXECUTE FUNCTION zv_contador('empid')"; do
  if psql_como ventas zelvora -c "$sentencia" >/dev/null 2>&1; then
    falla "el puesto pudo ejecutar: $sentencia"
  fi
done
echo "La receta de administración del servidor funciona."

#!/usr/bin/env bash
# The Debian package: cpack builds it from the build folder; it holds the program and its desktop
# files under /usr, its dependencies are worked out from the libraries the program links, and the
# program unpacked from it keeps its data in the user's data folder, telling a user whose
# bd2000.mdb lies beside the program which file it uses.
# Usage: paquete.sh BUILD_DIR CPACK VERSION
set -euo pipefail
compilacion=$1
cpack=$2
version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
falla() {
    echo "FALLA: $*" >&2
    exit 1
}

(cd "$compilacion" && "$cpack" -G DEB --config CPackConfig.cmake -B "$tmp/paquete") \
    >"$tmp/cpack.log" 2>&1 || falla "cpack: $(cat "$tmp/cpack.log")"
paquetes=("$tmp"/paquete/zelvora_*.deb)
[ "${#paquetes[@]}" -eq 1 ] && [ -f "${paquetes[0]}" ] || falla "cpack no dejó un paquete"
deb=${paquetes[0]}

dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/contenido"
for archivo in ./usr/bin/zelvora \
    ./usr/share/applications/com.tessaro.zelvora.desktop \
    ./usr/share/icons/hicolor/48x48/apps/com.tessaro.zelvora.png \
    ./usr/share/icons/hicolor/scalable/apps/com.tessaro.zelvora.svg \
    ./usr/share/metainfo/com.tessaro.zelvora.metainfo.xml \
    ./usr/share/man/man1/zelvora.1 \
    ./usr/share/zelvora/ayuda/inicio.html; do
    grep -qxF "$archivo" "$tmp/contenido" || falla "el paquete no tiene $archivo"
done
! grep -qE 'prueba_|bench|\.a$|zelvora_iconos' "$tmp/contenido" || falla "el paquete lleva archivos de la compilación"

[ "$(dpkg-deb -f "$deb" Package)" = zelvora ] || falla "nombre del paquete"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || falla "versión del paquete"
[ "$(dpkg-deb -f "$deb" Section)" = office ] || falla "sección del paquete"
depende=$(dpkg-deb -f "$deb" Depends)
nombres=$(tr ',' '\n' <<<"$depende" | awk '{print $1}')
for biblioteca in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    libqt6charts6 libqt6network6 libsqlite3-0; do
    grep -qxF "$biblioteca" <<<"$nombres" || falla "Depends sin $biblioteca: $depende"
done

# The program unpacked from the package, run by root here, keeps its data in the user's data
# folder; a bd2000.mdb beside it is left alone and the user is told which file is in use.
dpkg-deb -x "$deb" "$tmp/raiz"
programa=$tmp/raiz/usr/bin/zelvora
casa=$tmp/casa
datos=$casa/.local/share/Tessaro/Zelvora/bd2000.mdb
ejecutar() { env -i HOME="$casa" PATH=/usr/bin:/bin LANG=C.UTF-8 "$programa" "$@"; }
[ "$(ejecutar --version)" = "Zelvora $version" ] || falla "zelvora --version"
printf 'no es una base de datos' >"$tmp/raiz/usr/bin/bd2000.mdb"
ejecutar --create-db 2>"$tmp/salida" || falla "zelvora --create-db: $(cat "$tmp/salida")"
grep -qF "Zelvora está instalado y guarda sus datos en «$datos»." "$tmp/salida" ||
    falla "no avisó dónde están los datos: $(cat "$tmp/salida")"
grep -qF "La base de datos «$tmp/raiz/usr/bin/bd2000.mdb», que está junto al programa, no se usa." \
    "$tmp/salida" || falla "no nombró la base junto al programa: $(cat "$tmp/salida")"
[ -s "$datos" ] || falla "no se creó $datos"
[ "$(cat "$tmp/raiz/usr/bin/bd2000.mdb")" = 'no es una base de datos' ] ||
    falla "se tocó la base junto al programa"
[ -z "$(find "$tmp/raiz" -newer "$deb" ! -path "$tmp/raiz/usr/bin/bd2000.mdb" -type f)" ] ||
    falla "el programa escribió en su instalación"

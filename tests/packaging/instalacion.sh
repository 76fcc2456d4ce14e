#!/usr/bin/env bash
# The installed program: `cmake --install` into a temporary prefix lays out every file a desktop
# needs, the desktop entry and the AppStream metadata pass their validators, the manual page
# names every option of the program, and the installed program starts and keeps its database in
# the user's data folder without writing into its own folders.
# Usage: instalacion.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
compilacion=$1
fuentes=$2
version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
falla() {
    echo "FALLA: $*" >&2
    exit 1
}

prefijo=$tmp/usr
cmake --install "$compilacion" --prefix "$prefijo" >/dev/null
cd "$prefijo"

esperados="bin/zelvora
share/applications/com.tessaro.zelvora.desktop
share/icons/hicolor/16x16/apps/com.tessaro.zelvora.png
share/icons/hicolor/22x22/apps/com.tessaro.zelvora.png
share/icons/hicolor/24x24/apps/com.tessaro.zelvora.png
share/icons/hicolor/32x32/apps/com.tessaro.zelvora.png
share/icons/hicolor/48x48/apps/com.tessaro.zelvora.png
share/icons/hicolor/64x64/apps/com.tessaro.zelvora.png
share/icons/hicolor/128x128/apps/com.tessaro.zelvora.png
share/icons/hicolor/256x256/apps/com.tessaro.zelvora.png
share/icons/hicolor/scalable/apps/com.tessaro.zelvora.svg
share/man/man1/zelvora.1
share/metainfo/com.tessaro.zelvora.metainfo.xml
share/zelvora/ayuda/inicio.html"
# Every help page the program carries is installed too.
for pagina in "$fuentes"/src/*/ayuda/*.html; do
    esperados+=$'\n'share/zelvora/ayuda/$(basename "$pagina")
done
diff <(sort -u <<<"$esperados") <(find . -type f -printf '%P\n' | sort) ||
    falla "los archivos instalados no son los esperados"

desktop-file-validate share/applications/com.tessaro.zelvora.desktop
appstreamcli validate --no-net share/metainfo/com.tessaro.zelvora.metainfo.xml >/dev/null ||
    falla "appstreamcli validate: $(appstreamcli validate --no-net share/metainfo/*.xml)"
grep -q "<release version=\"$version\"" share/metainfo/com.tessaro.zelvora.metainfo.xml ||
    falla "la versión de los metadatos no es $version"

# Each picture has its size, and the scalable one is drawn with strokes, not a picture inside.
for lado in 16 22 24 32 48 64 128 256; do
    file -b "share/icons/hicolor/${lado}x${lado}/apps/com.tessaro.zelvora.png" |
        grep -q "PNG image data, $lado x $lado" || falla "el icono de $lado no mide $lado"
done
svg=share/icons/hicolor/scalable/apps/com.tessaro.zelvora.svg
grep -q '<path' "$svg" && ! grep -q '<image' "$svg" || falla "el icono SVG no es vectorial"

# The installed program starts.
[ "$(bin/zelvora --version)" = "Zelvora $version" ] || falla "zelvora --version"
# The manual page documents every option the program offers.
for opcion in $(bin/zelvora --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "${opcion//-/\\-}" share/man/man1/zelvora.1 ||
        falla "la página de manual no documenta $opcion"
done

# Run with an empty home (as root here, in CI), it creates its database in the user's data
# folder; nothing is written into the installation.
antes=$(find "$prefijo" | sort)
casa=$tmp/casa
ejecutar() { env -i HOME="$casa" PATH=/usr/bin:/bin LANG=C.UTF-8 "$prefijo/bin/zelvora" "$@"; }
datos=$casa/.local/share/Tessaro/Zelvora/bd2000.mdb
ejecutar --create-db 2>"$tmp/salida" || falla "zelvora --create-db: $(cat "$tmp/salida")"
grep -qF "Se creó la base de datos «$datos»." "$tmp/salida" || falla "$(cat "$tmp/salida")"
[ -s "$datos" ] || falla "no se creó $datos"
[ "$antes" = "$(find "$prefijo" | sort)" ] || falla "el programa escribió en la instalación"

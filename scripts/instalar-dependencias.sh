#!/usr/bin/env bash
# Installs the Debian 12 packages Zelvora needs to build, run and test.
# Idempotent: packages already present are not fetched again.
set -euo pipefail
PAQUETES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
  libsqlite3-dev libical-dev
  xvfb xauth poppler-utils fonts-dejavu-core
  qt6-svg-dev desktop-file-utils appstream dpkg-dev file dbus-daemon
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
)
faltan=()
for p in "${PAQUETES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ "${#faltan[@]}" -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y --no-install-recommends "${faltan[@]}"

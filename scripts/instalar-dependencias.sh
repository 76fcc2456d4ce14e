#!/usr/bin/env bash
# Installs the Debian 12 packages Zelvora needs to build, run and test, and the unprivileged
# system user the tests run their own PostgreSQL server as (the server refuses to run as root).
# Idempotent: packages already present are not fetched again.
set -euo pipefail
PAQUETES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
  libsqlite3-dev libical-dev
  libpq-dev postgresql-15
  xvfb xauth poppler-utils fonts-dejavu-core
  qt6-svg-dev desktop-file-utils appstream dpkg-dev file dbus-daemon
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
)
faltan=()
for p in "${PAQUETES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if [ "${#faltan[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y --no-install-recommends "${faltan[@]}"
fi
# Only a run as root needs it: otherwise the tests' server runs as the current user.
if [ "$(id -u)" -eq 0 ] && ! id zelvorapg >/dev/null 2>&1; then
  useradd --system --no-create-home --shell /usr/sbin/nologin zelvorapg
fi

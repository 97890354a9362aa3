#!/usr/bin/env bash
# Installs the Debian packages a command needs, only those that are missing:
#
#   scripts/deps.sh run       building and starting the program (scripts/run, scripts/bench)
#   scripts/deps.sh test      that, and the tools the tests and the format check use (the default)
#   scripts/deps.sh package   building the Debian package (scripts/package)
#
# While another program holds the package manager's lock (an install, an update, the system's own
# unattended upgrades) it waits, saying so, up to TARLOK_APT_WAIT seconds (300 unless set).
set -euo pipefail

what="${1:-test}"

# Compiling: the compiler, the build tools, Qt's, SQLite's and xxHash's headers; ccache shares objects between
# the build folders.
build=(g++ cmake ninja-build pkg-config ccache qt6-base-dev qt6-base-dev-tools libgl-dev libsqlite3-dev libxxhash-dev)
# Running: Qt's Polish texts and the faces the printouts are laid out in.
run=(qt6-translations-l10n fonts-liberation2 fontconfig)
# Testing: the format check, the PDF read-back of the printouts, the CSV check of the export.
tools=(clang-format poppler-utils python3)
# Packaging: the shared-library scan and the menu entry's check.
pack=(dpkg-dev file desktop-file-utils)

case "$what" in
    run) packages=("${build[@]}" "${run[@]}") ;;
    test) packages=("${build[@]}" "${run[@]}" "${tools[@]}") ;;
    package) packages=("${build[@]}" "${pack[@]}") ;;
    *)
        echo "Użycie: scripts/deps.sh [run|test|package]" >&2
        exit 2
        ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
wait_limit="${TARLOK_APT_WAIT:-300}"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

# What apt says when another program holds the package manager's lock.
lock_refusal="Could not get lock|Unable to lock|Unable to acquire"

# Runs apt-get with the arguments given, its output shown as it comes. A refusal because another
# program holds the lock is not an error: the command is tried again every 5 s until the wait runs out.
apt_get() {
    local waited=0 status
    while :; do
        set +e
        "${sudo_cmd[@]}" env LC_ALL=C DEBIAN_FRONTEND=noninteractive apt-get "$@" 2>&1 | tee "$log" |
            grep --line-buffered -Ev "$lock_refusal"
        status=${PIPESTATUS[0]}
        set -e
        [ "$status" -eq 0 ] && return 0
        if ! grep -Eq "$lock_refusal" "$log"; then
            return "$status"
        fi
        if [ "$waited" -ge "$wait_limit" ]; then
            echo "Menedżer pakietów jest nadal zajęty ($(holder)) po ${wait_limit} s." \
                "Spróbuj ponownie później albo ustaw dłuższe czekanie w TARLOK_APT_WAIT." >&2
            return 1
        fi
        if [ "$waited" -eq 0 ]; then
            echo "Menedżer pakietów jest zajęty ($(holder)) - czekam, aż go zwolni (najwyżej ${wait_limit} s)..."
        fi
        sleep 5
        waited=$((waited + 5))
    done
}

# Which program holds the lock, as apt names it ("process 1234 (unattended-upgr)").
holder() {
    grep -Eo "held by process [0-9]+( \([^)]*\))?" "$log" | head -n 1 | sed 's/^held by //' ||
        echo "inny program"
}

echo "Instaluję brakujące pakiety: ${missing[*]}"
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"

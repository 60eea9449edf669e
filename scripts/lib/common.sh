# Shared by the scripts: package installation and the private Wine prefix.
# shellcheck shell=bash

ROOT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

log() { printf '== %s\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages that are missing, quietly; does nothing when all are there.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    log "installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq >/dev/null
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# What every Wine prefix of the project needs: Wine itself and its own fonts.
WINE_PACKAGES=(wine wine64 fonts-wine xvfb xauth)
BUILD_PACKAGES=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64 clang
    libclang-rt-14-dev "${WINE_PACKAGES[@]}" tigervnc-standalone-server imagemagick)

configure_and_build() { # preset [extra cmake args...]
    local preset="$1"
    shift
    cmake --preset "$preset" "$@" >"$ROOT_DIR/build/$preset.configure.log" 2>&1 ||
        { cat "$ROOT_DIR/build/$preset.configure.log"; return 1; }
    cmake --build --preset "$preset" -j "$(nproc)" >"$ROOT_DIR/build/$preset.build.log" 2>&1 ||
        { tail -80 "$ROOT_DIR/build/$preset.build.log"; return 1; }
}

wine_env() { # prefix
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=C.UTF-8
    export WINEARCH=win64
}

# Copies Wine's own TrueType fonts into the prefix. This Wine does not look for them where
# fonts-wine puts them, and without them "MS Shell Dlg" falls back to a wider Linux font and
# the caption buttons lose their glyphs (no Marlett); players' Wine and Proton have them.
install_wine_fonts() { # prefix
    local fonts=()
    mapfile -t fonts < <(dpkg -L fonts-wine 2>/dev/null | grep '\.ttf$')
    [ "${#fonts[@]}" -gt 0 ] || { log "fonts-wine is not installed"; return 1; }
    mkdir -p "$1/drive_c/windows/Fonts"
    cp "${fonts[@]}" "$1/drive_c/windows/Fonts/"
}

# What a prefix made by ensure_wine_prefix holds; a prefix of another version is made again.
WINE_PREFIX_VERSION="2: own shell folders, unmanaged windows, Wine's fonts"

# Makes a Wine prefix at $1 once. Without a window manager every closing window costs
# about two seconds unless Wine manages its own frames.
ensure_wine_prefix() { # prefix
    local prefix="$1"
    [ "$(cat "$prefix/.configurator-ready" 2>/dev/null)" = "$WINE_PREFIX_VERSION" ] && return 0
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    (
        wine_env "$prefix"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        # Wine links Documents and the other shell folders to the home folder, which every
        # prefix would then share; each prefix gets folders of its own.
        local folder
        for folder in "$prefix/drive_c/users/$(whoami)"/*; do
            if [ -L "$folder" ]; then
                rm "$folder"
                mkdir "$folder"
            fi
        done
        cat >>"$prefix/user.reg" <<'REG'

[Software\\Wine\\X11 Driver] 1700000000
"Managed"="N"
REG
        install_wine_fonts "$prefix"
    )
    echo "$WINE_PREFIX_VERSION" >"$prefix/.configurator-ready"
}

# A small file system at $1 for the full-disk cases, where this machine allows mounting one
# (as root, or through sudo without a password); false when it does not.
mount_small_disk() { # folder
    mkdir -p "$1"
    mountpoint -q "$1" && return 0
    local run=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo -n true 2>/dev/null || return 1
        run=(sudo -n)
    fi
    "${run[@]}" mount -t tmpfs -o size=256k tmpfs "$1" 2>/dev/null
}

unmount_small_disk() { # folder
    mountpoint -q "$1" || return 0
    if [ "$(id -u)" -eq 0 ]; then umount "$1"; else sudo -n umount "$1"; fi
}

# Runs a command with a private X display. Xvnc is preferred: unlike Xvfb it offers Wine a
# real list of display modes (14 sizes), which the resolution list is built from.
with_display() { # command...
    if ! command -v Xvnc >/dev/null; then
        xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
        return
    fi
    local display=90
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvnc ":$display" -geometry 1920x1200 -depth 24 -SecurityTypes None -localhost \
        >/dev/null 2>&1 </dev/null &
    local server=$!
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done
    local status=0
    DISPLAY=":$display" "$@" || status=$?
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    return "$status"
}

#!/bin/sh
# Installs the Debian packages the build, the tests and the program need, only when one
# is missing. Runs without a terminal. With the argument "install-check" it also installs
# the validators that check the installed desktop entry and metadata, and what drives the
# installed program on a virtual X server.
set -eu

packages="cmake g++ make qt6-base-dev qt6-translations-l10n libgl-dev fonts-ipafont fonts-liberation dbus-daemon xvfb clang-format libbenchmark-dev"
case "${1:-}" in
    "") ;;
    install-check) packages="$packages desktop-file-utils appstream xvfb xdotool xclip" ;;
    # For make test-desktop: the input-method daemons the program is checked against, on a
    # virtual X server with a bus of its own, without their other front ends and tools.
    desktop) packages="$packages fcitx5 fcitx5-frontend-qt6 fcitx5-anthy ibus ibus-anthy python3-gi dconf-gsettings-backend libglib2.0-bin dbus xvfb xdotool xclip"
        options="--no-install-recommends" ;;
    *) echo "Unknown package set: $1" >&2; exit 2 ;;
esac
# GIO, through which the program reads the IBus engines the user chose.
packages="$packages libglib2.0-dev pkg-config"

missing=""
for package in $packages; do
    dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    sudo="sudo -n"
else
    echo "Missing packages:$missing" >&2
    echo "Install them with: sudo apt-get update && sudo apt-get install -y$missing" >&2
    exit 1
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
if ! { $sudo apt-get update -q && $sudo apt-get install -y -q ${options:-} $missing; }; then
    echo "Could not install the packages. Run: sudo apt-get update && sudo apt-get install -y$missing" >&2
    exit 1
fi

#!/usr/bin/env bash
# Installs what is missing of what a job needs:
#   scripts/bootstrap.sh         the build tools: host, plugin and importer
#   scripts/bootstrap.sh --tests the build tools and everything the tests,
#                                the sanitizer preset, the benchmarks and the
#                                browser test need
set -euo pipefail
cd "$(dirname "$0")/.."

# The importer takes its checksum with libdeflate's CRC-32.
# The editor draws with cairo and pango and finds its face with fontconfig;
# the skin generator draws its bitmaps during the build with FreeType too, from
# the Emmentaler notation font and DejaVu. Liberation Sans Narrow stands in for
# the editor's narrow face when the host does not ship it. On a desktop the
# plugin talks to the X server itself through xcb (which cairo brings) and
# reads key symbols with xcb-keysyms; it clicks and types into the host's
# piano roll with XTEST's synthetic input (xcb-xtest).
build=(g++ cmake ninja-build pkg-config zlib1g-dev libdeflate-dev rapidjson-dev
  libcairo2-dev libpango1.0-dev libfontconfig-dev libfreetype-dev lilypond-fonts fonts-dejavu-core
  fonts-dejavu-extra fonts-liberation libxcb-keysyms1-dev libxcb-xtest0-dev)
# The desktop host (GTK 3) is built for the tests only; its tests run it on a
# virtual X server, drive it with xdotool, answer file dialogs through zenity
# and take screenshots with xwd. The X11 tests inject input with XTEST and
# read the cursor with XFixes. The live host is built against JACK 2's
# library and tested on a private dummy server; the demo you can hear is
# rendered with fluidsynth and the General MIDI soundfont.
tests=(
  clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  chromium
  libgtk-3-dev xvfb xauth xdotool zenity x11-apps x11-utils libxcb-xfixes0-dev
  jackd2 libjack-jackd2-dev fluidsynth fluid-soundfont-gm
)

case "${1:-}" in
  "") exec scripts/install_packages.sh "${build[@]}" ;;
  --tests) scripts/install_packages.sh "${build[@]}" "${tests[@]}" ;;
  *) echo "usage: scripts/bootstrap.sh [--tests]" >&2; exit 2 ;;
esac

# The browser test drives the web page with playwright-core from npm. Node may
# come from elsewhere than Debian's package, so look for the commands.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  scripts/install_packages.sh nodejs npm
fi
if [ ! -d tests/browser/node_modules/playwright-core ]; then
  echo "npm ci in tests/browser"
  (cd tests/browser && npm ci --no-audit --no-fund)
fi

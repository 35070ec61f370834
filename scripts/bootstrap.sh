#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when some
# are missing (no package-list update when everything is there).
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev rapidjson-dev
  chromium
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The browser test drives the web page with playwright-core from npm.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  echo "bootstrap: installing nodejs npm"
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends nodejs npm
fi
browser_tests="$(dirname "$0")/../tests/browser"
if [ ! -d "$browser_tests/node_modules/playwright-core" ]; then
  echo "bootstrap: npm ci in tests/browser"
  (cd "$browser_tests" && npm ci --no-audit --no-fund)
fi

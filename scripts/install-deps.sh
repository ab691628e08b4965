#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
set -euo pipefail

packages=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev libcsv-dev
  libdxflib-dev python3-ezdxf python3-matplotlib chromium fonts-noto-cjk
  # the PDF of a set of sheets, and the tools that read it back in the checks
  pkg-config libcairo2-dev libpango1.0-dev poppler-utils
  libxlsxwriter-dev libzip-dev libpugixml-dev libssl-dev
  # project files are parsed by RapidJSON's SAX reader (header-only)
  rapidjson-dev
  # ds-host serve: HTTP server library, and the browser test's WebDriver
  libcpp-httplib-dev pkg-config python3-selenium chromium-driver
  # real spreadsheet clients the tests hand our files to
  python3-openpyxl libreoffice-calc-nogui
  # libFuzzer targets
  clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

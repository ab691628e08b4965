#!/usr/bin/env bash
# Installs the Debian packages a command needs, when they are missing, in groups:
#
#   scripts/install-deps.sh build          the compiler, the libraries ds-host and the module
#                                          build with, the font the PDF embeds (run-sample.sh)
#   scripts/install-deps.sh build test     also GoogleTest, Google Benchmark and the programs
#                                          the tests hand our files to (Chromium, LibreOffice ...)
#   scripts/install-deps.sh build test fuzz   also clang and its runtime for the fuzz targets
#
# With no group it installs all three. The package manager's output goes to a
# log, shown only when the installation fails.
set -euo pipefail

build=(g++ cmake ninja-build pkg-config nlohmann-json3-dev libcli11-dev libcsv-dev libdxflib-dev
  # the PDF of a set of sheets, its texts set by Pango in a CJK font
  libcairo2-dev libpango1.0-dev fonts-noto-cjk
  libxlsxwriter-dev libzip-dev libpugixml-dev libssl-dev
  # project files are parsed by RapidJSON's SAX reader (header-only)
  rapidjson-dev
  # ds-host serve: HTTP server library
  libcpp-httplib-dev)
test=(libgtest-dev libgmock-dev libbenchmark-dev
  # the sheets read back by ezdxf, rendered by Chromium, the PDF read by poppler
  python3-ezdxf python3-matplotlib chromium poppler-utils
  # the local server's page driven through WebDriver
  python3-selenium chromium-driver
  # real spreadsheet clients the tests hand our files to
  python3-openpyxl libreoffice-calc-nogui)
fuzz=(clang libclang-rt-14-dev)

groups=("$@")
[ ${#groups[@]} -eq 0 ] && groups=(build test fuzz)
lean=()   # the libraries' recommendations are of no use to a build: left out
full=()   # the test clients keep theirs (fonts, codecs a browser or office program relies on)
for group in "${groups[@]}"; do
  case "$group" in
    build) for p in "${build[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || lean+=("$p"); done ;;
    test) for p in "${test[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || full+=("$p"); done ;;
    fuzz) for p in "${fuzz[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || full+=("$p"); done ;;
    *) echo "install-deps.sh: no group \"$group\" (build, test, fuzz)" >&2; exit 2 ;;
  esac
done
[ ${#lean[@]} -eq 0 ] && [ ${#full[@]} -eq 0 ] && exit 0

echo "Installing Debian packages: $(printf '%s ' "${lean[@]}" "${full[@]}")"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
apt_install() {
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"
}
log=$(mktemp -t install-deps.XXXXXX.log)
if ! {
  "${sudo_cmd[@]}" apt-get update -q &&
  if [ ${#lean[@]} -gt 0 ]; then apt_install --no-install-recommends "${lean[@]}"; fi &&
  if [ ${#full[@]} -gt 0 ]; then apt_install "${full[@]}"; fi
} >"$log" 2>&1; then
  cat "$log" >&2
  echo "install-deps.sh: the installation failed (the package manager's output is above, and in $log)" >&2
  exit 1
fi
rm -f "$log"

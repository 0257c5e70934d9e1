#!/usr/bin/env bash
# KaneloY developer entry point.
#   ./kanelo.sh run    install what is missing, build, install KaneloY into
#                      $KANELO_HOME (default ~/KaneloY) and start it
#   ./kanelo.sh test   install what is missing, build, run every test
#   ./kanelo.sh package  install what is missing, build, and write the Debian
#                      package build/kaneloy_<version>_amd64.deb
#   ./kanelo.sh bench  build and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(g++ cmake ninja-build qt6-base-dev libgl-dev libbenchmark-dev fonts-noto-cjk qt6-translations-l10n
          libxlsxwriter-dev pkg-config poppler-utils python3
          dpkg-dev file desktop-file-utils appstream lintian)

setup() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
}

build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build build
}

case "${1:-}" in
  test)
    setup
    build
    ctest --test-dir build --output-on-failure
    ;;
  run)
    setup
    build
    home="${KANELO_HOME:-$HOME/KaneloY}"
    mkdir -p "$home"
    cp -f build/bin/KaneloY "$home/"
    [ -f build/bin/KaneloImport ] && cp -f build/bin/KaneloImport "$home/"
    # The Excel workbook writer, loaded when a workbook is first saved.
    cp -f build/bin/libkanelo_workbook.so "$home/"
    # Data files already there are the user's: never overwrite them.
    [ -f "$home/MainSub.zbt" ] || cp data/MainSub.zbt "$home/"
    mkdir -p "$home/help" && cp -f data/help/* "$home/help/" 2>/dev/null || true
    exec env -u KANELO_HOME "$home/KaneloY"
    ;;
  package)
    setup
    build
    (cd build && cpack -G DEB)
    ;;
  bench)
    setup
    build -DKANELO_BENCH=ON
    # Extra arguments go to every benchmark, e.g. --benchmark_repetitions=5.
    for b in build/bench/bench_*; do
      [ -f "$b" ] && [ -x "$b" ] || continue
      QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$b" "${@:2}" || echo "$b ended with an error" >&2
    done
    ;;
  *)
    sed -n '2,8p' "$0"
    exit 2
    ;;
esac

#!/usr/bin/env bash
# Sets up, builds and runs Calvane Lt on Debian 12.
#   ./calvane.sh start          build, then start the program
#   ./calvane.sh test           build, then run every test
#   ./calvane.sh test-sanitized build with AddressSanitizer and UBSan, run every test
#   ./calvane.sh bench          build the benchmarks in release mode and run them
#   ./calvane.sh package        build the Debian package (build-package/calvane_*.deb)
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake make g++ pkg-config qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libqt6svg6 libgl-dev libboost-dev poppler-utils
    desktop-file-utils appstream shared-mime-info libglib2.0-bin)
# The tests build the benchmarks too, so that they keep building.
case "${1:-}" in bench | test) packages+=(libbenchmark-dev) ;; esac
# The store's tests run on a private PostgreSQL server as well as on SQLite.
case "${1:-}" in test | test-sanitized) packages+=(postgresql) ;; esac
[ "${1:-}" = package ] && packages+=(dpkg-dev)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() { # build-folder cmake-options...
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

install_missing
case "${1:-}" in
start)
    build build -DCMAKE_BUILD_TYPE=Debug
    exec build/bin/calvane
    ;;
test)
    build build -DCMAKE_BUILD_TYPE=Debug -DCALVANE_BENCH=ON
    ctest --test-dir build --output-on-failure
    ;;
test-sanitized)
    build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCALVANE_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-sanitize --output-on-failure
    ;;
bench)
    build build-bench -DCMAKE_BUILD_TYPE=Release -DCALVANE_BENCH=ON
    for b in build-bench/bin/bench_*; do "$b"; done
    ;;
package)
    build build-package -DCMAKE_BUILD_TYPE=Release -DCALVANE_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
    (cd build-package && cpack -G DEB)
    ls build-package/calvane_*.deb
    ;;
*)
    sed -n '2,7p' "$0"
    exit 2
    ;;
esac

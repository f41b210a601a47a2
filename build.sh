#!/usr/bin/env bash
# Halvoret's one entry point on a Debian 12 machine.
#   ./build.sh run    install what is missing, build, stage build/stage and start the program
#   ./build.sh test   install what is missing, check the format of every C++ file, build,
#                     and run every test (the window tests off screen and on a virtual
#                     desktop with a window manager); then the same for the core under
#                     AddressSanitizer and UndefinedBehaviorSanitizer; then build the
#                     Debian package and check it with lintian. The database tests run on
#                     SQLite and on a PostgreSQL server started for the run
#                     (tests/support/test-server.sh)
# Extra arguments after "run" go to the program (for example --demo-sensor).
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-webengine-dev qt6-multimedia-dev
    qt6-pdf-dev
    libgl-dev libvulkan-dev
    libsqlite3-dev libpq-dev postgresql-15 libhidapi-dev libminizip-dev zlib1g-dev libcsv-dev
    libqpdf-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    python3 python3-pil fonts-dejavu-core
    xvfb xauth openbox x11-utils poppler-utils
    dpkg-dev file
    clang-format
    help2man lintian
)

install_missing_packages() {
    local missing=() p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

build() {
    # Clones in other folders share the compiler cache.
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j2
}

# A throwaway PostgreSQL server for the database tests' server runs, stopped when this
# script ends, whether the tests pass or fail. A server that cannot start fails the run.
start_test_server() {
    TEST_SERVER_DIR=$(mktemp -d /tmp/halvoret-test-server.XXXXXX)
    trap 'tests/support/test-server.sh stop "$TEST_SERVER_DIR"' EXIT
    HALVORET_TEST_SERVER=$(tests/support/test-server.sh start "$TEST_SERVER_DIR")
    export HALVORET_TEST_SERVER HALVORET_TEST_SERVER_REQUIRED=1
}

run_tests() {
    # Windows are tested off screen, and each window test once more on a desktop of its own
    # (Xvfb and Openbox, tests/ui/on-desktop.sh); pages that need a real display get a
    # virtual one.
    export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
    local runner=()
    command -v xvfb-run >/dev/null && runner=(xvfb-run -a -s "-screen 0 1920x1080x24")
    (cd build && "${runner[@]}" ctest --output-on-failure -j2 --timeout 600)
}

# Every C++ file of the tree follows the checked-in .clang-format; the first one that does
# not fails the run, with the changes it needs.
check_format() {
    local files
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
    else
        mapfile -t files < <(find src tests bench fuzz -name '*.cpp' -o -name '*.h')
    fi
    clang-format --dry-run --Werror "${files[@]}"
}

# The Debian package, built from the tree just built and checked against Debian's policy:
# any error or warning of lintian fails the run.
check_package() (
    cd build
    rm -f halvoret_*.deb
    cpack -G DEB >/dev/null
    local packages=(halvoret_*.deb)
    lintian --fail-on error,warning --tag-display-limit 0 "${packages[@]}"
    echo "lintian: ${packages[*]} passed"
)

# The core, halvoret-admin and the core tests once more in build-asan, without the Qt layer.
# The first sanitizer finding ends the program that made it, which fails the build step
# (test discovery, the staged database) or the test.
sanitize_options() {
    export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1"
    ASAN_OPTIONS+=":check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
}

build_sanitized() (
    sanitize_options
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DHALVORET_BUILD_UI=OFF -DHALVORET_SANITIZE=ON
    cmake --build build-asan -j2
)

run_sanitized_tests() (
    sanitize_options
    cd build-asan && ctest --output-on-failure -j2 --timeout 600
)

case "${1:-}" in
run)
    shift
    install_missing_packages
    build
    cd build/stage
    # Qt WebEngine refuses its sandbox when started as root.
    [ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
    exec ./halvoret "$@"
    ;;
test)
    install_missing_packages
    check_format
    build
    build_sanitized
    start_test_server
    run_tests
    run_sanitized_tests
    check_package
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac

#!/bin/sh
# Trevolin build helper.
#   ./build.sh run    install what is missing, build the programs, start the grapher
#   ./build.sh test   install what is missing, build, run all tests (plus sanitizer and fuzz runs)
#   ./build.sh package  build trevolin_VERSION_ARCH.deb here (install it with apt install ./trevolin_*.deb)
set -eu
cd "$(dirname "$0")"

JOBS=$(nproc 2>/dev/null || echo 2)
PACKAGES="cmake g++ make pkg-config googletest libgtest-dev qt6-base-dev qt6-image-formats-plugins libgif-dev qt6-svg-dev"
TEST_PACKAGES="clang libclang-rt-14-dev"

install_missing() {
    missing=""
    for p in "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -q
        apt-get install -y -q --no-install-recommends $missing
    fi
}

configure_main() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
}

# The .deb needs dpkg-shlibdeps (and file, with which CPack finds the programs); the tests build it.
PACKAGE_PACKAGES="dpkg-dev file"
TEST_PACKAGES="$TEST_PACKAGES $PACKAGE_PACKAGES"

case "${1:-}" in
run)
    install_missing $PACKAGES
    configure_main
    # Only what a user starts and what ships with it; the tests are built by the test command.
    cmake --build build -j "$JOBS" --target trevmath line calc trevsolve program_data
    if [ -x build/bin/line ]; then
        exec build/bin/line
    fi
    echo "Built the engine: $(pwd)/build/bin/libtrevmath.so"
    ;;
test)
    install_missing $PACKAGES $TEST_PACKAGES
    configure_main
    cmake --build build -j "$JOBS"
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$JOBS"
    # The engine once more under AddressSanitizer and UndefinedBehaviorSanitizer.
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTREV_ENGINE_ONLY=ON -DTREV_SANITIZE=ON
    cmake --build build-asan -j "$JOBS"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-asan --output-on-failure -j "$JOBS"
    # Several threads evaluating distinct trees at once, under ThreadSanitizer.
    cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DTREV_ENGINE_ONLY=ON \
        -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_C_FLAGS="-fsanitize=thread" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread"
    cmake --build build-tsan -j "$JOBS" --target engine_tests
    TSAN_OPTIONS=halt_on_error=1 build-tsan/bin/engine_tests --gtest_filter='*SeveralThreads*'
    # A short bounded fuzz run of the parser, evaluator, printer and derivative.
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTREV_ENGINE_ONLY=ON -DTREV_FUZZ=ON -DBUILD_TESTING=OFF
    cmake --build build-fuzz -j "$JOBS"
    mkdir -p build-fuzz/corpus
    build-fuzz/bin/fuzz_engine -max_total_time="${FUZZ_SECONDS:-30}" -max_len=256 \
        -dict=fuzz/engine.dict build-fuzz/corpus fuzz/seeds
    echo "All tests passed."
    ;;
package)
    install_missing $PACKAGES $PACKAGE_PACKAGES
    configure_main
    cmake --build build -j "$JOBS" --target trevmath line calc trevsolve program_data install_data
    (cd build && cpack -G DEB)
    mv build/trevolin_*.deb .
    if command -v lintian >/dev/null; then
        lintian trevolin_*.deb
    fi
    ls trevolin_*.deb
    ;;
*)
    echo "usage: $0 run|test|package" >&2
    exit 2
    ;;
esac

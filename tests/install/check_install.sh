#!/bin/sh
# Installs the build into a temporary root, as `cmake --install` with DESTDIR ("tree") or as the
# unpacked .deb ("deb"), checks that every file is where it belongs and runs the installed
# commands from there, far from the build tree.
#   check_install.sh tree|deb BUILD_DIR VERSION
set -eu
mode=$1
build=$2
version=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
case "$mode" in
tree)
    DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
    ;;
deb)
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$root/package" >/dev/null
    deb=$(ls "$root"/package/trevolin_"$version"_*.deb)
    dpkg-deb -x "$deb" "$root"
    ;;
esac

status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

for path in \
    lib/trevolin/line lib/trevolin/calc lib/trevolin/trevsolve lib/trevolin/libtrevmath.so \
    lib/trevolin/lang/english.lng lib/trevolin/help/index.html \
    share/applications/trevolin.desktop share/applications/trevolin-calc.desktop \
    share/mime/packages/trevolin.xml share/metainfo/org.example.trevolin.metainfo.xml \
    share/icons/hicolor/scalable/apps/trevolin.svg \
    share/icons/hicolor/16x16/apps/trevolin.png share/icons/hicolor/256x256/apps/trevolin.png \
    share/doc/trevolin/copyright; do
    [ -f "$root/usr/$path" ] || fail "/usr/$path is missing"
done
for page in trevolin trevolin-calc trevsolve; do
    ls "$root/usr/share/man/man1/$page.1"* >/dev/null 2>&1 || fail "the man page of $page is missing"
done
# The commands are links relative to the prefix, so any prefix and DESTDIR work.
for command in trevolin trevolin-calc trevsolve; do
    case "$(readlink "$root/usr/bin/$command" || echo missing)" in
    ../lib/trevolin/*) ;;
    *) fail "/usr/bin/$command is no relative link into the program folder" ;;
    esac
done
# Nothing points back into the build tree.
for program in line calc trevsolve libtrevmath.so; do
    if readelf -d "$root/usr/lib/trevolin/$program" | grep -q 'R.*PATH'; then
        fail "$program carries a run path"
    fi
done

cd /
solved=$(env -u LD_LIBRARY_PATH "$root/usr/bin/trevsolve" "x^2-2" -10 10) || fail "trevsolve ended with $?"
[ "$solved" = "$(printf '2 roots found.\n-1.41421356\n1.41421356')" ] || fail "trevsolve printed: $solved"
shown=$(env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$root/usr/bin/trevolin" --version) || fail "trevolin ended with $?"
[ "$shown" = "trevolin $version" ] || fail "trevolin --version printed: $shown"
# trevsolve's man page is made from its --help: every option is in it.
page=$(ls "$root"/usr/share/man/man1/trevsolve.1*)
for option in $("$root/usr/bin/trevsolve" --help | sed -n 's/^ *\(-h, \)\{0,1\}--\([a-z]*\).*/\2/p'); do
    gzip -dcf "$page" | grep -q -- "\\\\-\\\\-$option" || fail "the man page lacks --$option"
done
exit $status

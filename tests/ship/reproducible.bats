#!/usr/bin/env bats
# The Debian package depends on the source alone: not on the build folder, the clock or the umask.

load helpers

# Configures and builds in the folder $2 what the package holds from the source $1, and packages it.
build_package() {
    cmake -S "$1" -B "$2" -DVORNEL_TESTS=OFF >/dev/null && cmake --build "$2" -j2 --target vornel >/dev/null &&
        (cd "$2" && cpack -G DEB >/dev/null)
}

# Names what differs between two packages: diffoscope where installed, else the listings and
# the files of the ar members and of their tar members.
show_difference() {
    if command -v diffoscope >/dev/null; then diffoscope "$1" "$2"; return; fi
    for deb in "$1" "$2"; do
        mkdir "$deb.x" && (cd "$deb.x" && ar tv "$deb" >ar.list && ar x "$deb" && for t in *.tar.*; do
            tar --full-time -tvf "$t" >"$t.list" && mkdir "$t.d" && tar -xf "$t" -C "$t.d"
        done) || return
    done
    diff -r "$1.x" "$2.x"
}

@test "two builds of one source, in two build folders at different times, make the same package" {
    tar -C "$SOURCE" --exclude='./build*' --exclude='./.git' -cf - . | (mkdir src && tar -C src -xf -)
    unset SOURCE_DATE_EPOCH
    build_package src src/build
    # the second build 400 days later, or some seconds later with every source touched, in
    # another time zone and under another umask
    if command -v faketime >/dev/null; then later="faketime -f +400d"; else
        later="" && sleep 3 && find src -exec touch {} +
    fi
    export -f build_package
    (umask 002 && TZ=XYZ-14 $later bash -c 'build_package src other-build')
    one=$(ls "$PWD"/src/build/vornel_*.deb) && other=$(ls "$PWD"/other-build/vornel_*.deb)
    cmp "$one" "$other" || { show_difference "$one" "$other"; false; }
    # dpkg-deb -x keeps the man page and changelog compressed; grep reads them unpacked
    dpkg-deb -x "$one" tree && dpkg-deb -e "$one" tree/DEBIAN && gunzip -r tree
    ! grep -rlF -e "$BATS_TEST_TMPDIR" -e "$SOURCE" tree "$one" || { echo "a build path is in those"; false; }
}

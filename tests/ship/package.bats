#!/usr/bin/env bats
# The manual page, the install tree and the Debian package.

load helpers

@test "the manual page renders without a warning; cmake --install puts everything in place" {
    groff -man -Tutf8 -ww -P-cbou "$SOURCE/doc/vornel.1" >page.txt 2>warnings
    [ ! -s warnings ] && [ "$(grep -c '^[A-Z]' page.txt)" -ge 9 ] || false
    if command -v mandoc >/dev/null; then mandoc -Tlint -Wwarning "$SOURCE/doc/vornel.1"; fi
    cmake --install "$BUILD" --prefix "$BATS_TEST_TMPDIR/prefix" >/dev/null
    [ -f prefix/share/man/man1/vornel.1 ] && [ -f prefix/share/bash-completion/completions/vornel ] || false
    [ "$(prefix/bin/vornel -V 2>&1)" = $'vornel 1.1\nBramwold 2012' ]
}

@test "cpack builds a Debian package that installs into a scratch root" {
    cpack -G DEB -B "$BATS_TEST_TMPDIR/pkg" --config "$BUILD/CPackConfig.cmake" >/dev/null
    deb=$(ls pkg/vornel_*.deb)
    [ "$(dpkg-deb -c "$deb" | grep -c -e 'bin/vornel$' -e 'man1/vornel\.1$' -e 'completions/vornel$')" -eq 3 ]
    [ "$(dpkg-deb -I "$deb" | grep -c -e '^ Package: vornel$' -e '^ Depends: coreutils')" -eq 2 ]
    [ "$(id -u)" -eq 0 ] || skip "installing with dpkg --root needs root"
    mkdir -p root/var/lib/dpkg/info root/var/lib/dpkg/updates && : >root/var/lib/dpkg/status || false
    # the scratch root has no libc6 of its own to satisfy the dependency
    dpkg --root="$BATS_TEST_TMPDIR/root" --force-depends -i "$deb" >/dev/null 2>&1
    grep -q '^Package: vornel$' root/var/lib/dpkg/status && root/usr/bin/vornel -V || false
}

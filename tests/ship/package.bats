#!/usr/bin/env bats
# The manual page, the install tree and the Debian package.

load helpers

# Makes the package of the build in the folder pkg.
make_package() { cpack -G DEB -B "$BATS_TEST_TMPDIR/pkg" --config "$BUILD/CPackConfig.cmake" >/dev/null; }

# The distinct dates, in seconds since 1970, of the package's ar members and their tar entries.
package_dates() {
    mkdir members && (cd members && ar xo "$1" && stat -c %Y debian-binary ./*.tar.* && for t in ./*.tar.*; do
        tar --utc --full-time -tvf "$t" | awk '{ print $4, $5 }' | date -u -f - +%s
    done) | sort -u
}

@test "the manual page renders without a warning; cmake --install puts everything in place" {
    groff -man -Tutf8 -ww -P-cbou "$SOURCE/doc/vornel.1" >page.txt 2>warnings
    [ ! -s warnings ] && [ "$(grep -c '^[A-Z]' page.txt)" -ge 9 ] || false
    for option in $("$VORNEL" -h 2>&1 | awk '/^\t-. / { print $1 }'); do # every option is named
        grep -qF -- "\\$option" "$SOURCE/doc/vornel.1" && grep -qF -- "\`$option" "$SOURCE/README.md" || false
    done
    if command -v mandoc >/dev/null; then mandoc -Tlint -Wwarning "$SOURCE/doc/vornel.1"; fi
    cmake --install "$BUILD" --prefix "$BATS_TEST_TMPDIR/prefix" >/dev/null
    for f in man/man1/vornel.1.gz doc/vornel/changelog.gz doc/vornel/copyright \
        bash-completion/completions/vornel zsh/vendor-completions/_vornel; do
        [ -f "prefix/share/$f" ] || { echo "$f is not installed"; false; }
    done
    zcat prefix/share/man/man1/vornel.1.gz | cmp - "$SOURCE/doc/vornel.1"
    [ "$(prefix/bin/vornel -V 2>&1)" = $'vornel 1.1\nBramwold 2012' ]
}

@test "cpack builds a Debian package that lintian passes and that installs into a scratch root" {
    make_package
    deb=$(ls pkg/vornel_*.deb)
    [ "$(dpkg-deb -c "$deb" | grep -c -e 'bin/vornel$' -e 'man1/vornel\.1\.gz$' -e 'completions/vornel$' \
        -e 'doc/vornel/copyright$' -e 'doc/vornel/changelog\.gz$' -e 'vendor-completions/_vornel$')" -eq 6 ]
    dpkg-deb -I "$deb" | grep -q '^ Package: vornel$' && ! dpkg-deb -I "$deb" | grep -q coreutils || false
    if command -v lintian >/dev/null; then # no error and no warning
        lintian --fail-on error,warning "$deb" >lintian.txt 2>&1 || { cat lintian.txt; false; }
    fi
    [ "$(id -u)" -eq 0 ] || skip "installing with dpkg --root needs root"
    mkdir -p root/var/lib/dpkg/info root/var/lib/dpkg/updates && : >root/var/lib/dpkg/status || false
    # a dynamically linked build depends on libc6, which the scratch root lacks
    dpkg --root="$BATS_TEST_TMPDIR/root" --force-depends -i "$deb" >/dev/null 2>&1
    grep -q '^Package: vornel$' root/var/lib/dpkg/status && root/usr/bin/vornel -V || false
}

@test "the package takes its name and version from NEWS.md's newest release" {
    version=$(sed -n 's/^## \([^ ]*\) ([0-9-]*)$/\1/p' "$SOURCE/NEWS.md" | head -n 1)
    make_package
    [ "$(dpkg-deb -f pkg/vornel_"$version"_*.deb Version)" = "$version" ] ||
        { echo "$(ls pkg/*.deb), not version $version"; false; }
}

@test "the package is dated by the newest entry of its changelog" {
    (unset SOURCE_DATE_EPOCH && make_package)
    deb=$(ls "$PWD"/pkg/vornel_*.deb)
    newest=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/vornel/changelog.gz | zcat |
        sed -n 's/^ -- .*>  //p' | head -n 1)
    dates=$(package_dates "$deb")
    [ "$dates" = "$(date -u -d "$newest" +%s)" ] || { echo "dated $dates, the changelog $newest"; false; }
}

@test "SOURCE_DATE_EPOCH set in the environment dates the package" {
    SOURCE_DATE_EPOCH=1000000000 make_package
    dates=$(package_dates "$(ls "$PWD"/pkg/vornel_*.deb)")
    [ "$dates" = 1000000000 ] || { echo "dated $dates"; false; }
}

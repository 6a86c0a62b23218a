# Writes NEWS.md as a Debian changelog, the form dpkg and lintian read from changelog.gz.
# Usage: awk -v maintainer='Name <address>' -f changelog.awk NEWS.md
# In NEWS.md "## VERSION (YYYY-MM-DD)" opens a release, "- " an item; indented lines go on.

# RFC 2822 date of a YYYY-MM-DD day at midnight UTC; the weekday by Sakamoto's method.
function rfc2822(iso, part, y, m, d, wd) {
    split(iso, part, "-")
    y = part[1] + 0; m = part[2] + 0; d = part[3] + 0
    wd = substr("032503514624", m, 1) + d + (m < 3 ? y - 1 : y)
    y = m < 3 ? y - 1 : y
    wd = (wd + int(y / 4) - int(y / 100) + int(y / 400)) % 7
    return substr("SunMonTueWedThuFriSat", 3 * wd + 1, 3) ", " part[3] " " \
        substr("JanFebMarAprMayJunJulAugSepOctNovDec", 3 * m - 2, 3) " " part[1] " 00:00:00 +0000"
}

function close_release() {
    if (trailer != "") printf "\n%s\n", trailer
}

{ gsub(/`/, "") }
/^## [^ ]+ \([0-9]+-[0-9]+-[0-9]+\)$/ {
    close_release()
    if (trailer != "") print ""
    date = $3; gsub(/[()]/, "", date)
    printf "vornel (%s) unstable; urgency=medium\n", $2
    trailer = " -- " maintainer "  " rfc2822(date)
    blank = 1
    next
}
/^#/ || trailer == "" { next }
/^$/ { blank = 1; next }
{
    if (blank) print ""
    blank = 0
    if (sub(/^- /, "")) print "  * " $0
    else if (sub(/^ +/, "")) print "    " $0
    else print "  " $0
}
END { close_release() }

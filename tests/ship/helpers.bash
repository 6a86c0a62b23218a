# Shared helpers of the shipping tests: the build and source trees come from CTest.

VORNEL="${VORNEL:-$BATS_TEST_DIRNAME/../../build/vornel}"
VORNEL="$(cd "$(dirname "$VORNEL")" && pwd)/$(basename "$VORNEL")"
BUILD="$(cd "${VORNEL_BUILD:-$(dirname "$VORNEL")}" && pwd)"
SOURCE="$(cd "$BATS_TEST_DIRNAME/../.." && pwd)"

setup() {
    cd "$BATS_TEST_TMPDIR"
}

# Shared helpers of the shipping tests: those of the command-line tests, and the build and
# source trees.
load ../cli/helpers
BUILD="$(cd "${VORNEL_BUILD:-$(dirname "$VORNEL")}" && pwd)"
SOURCE="$(cd "$BATS_TEST_DIRNAME/../.." && pwd)"

#!/bin/sh
# Installs what is needed, builds everything (warnings are errors): the Linux
# build, the same under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the Windows build (preset windows). Then runs every test of the Linux build
# (its parity test runs both builds, the Windows one under Wine, on the same
# installations), the whole suite again under the sanitizers, the Windows
# build's own tests under Wine (the end-to-end ones take the demo generator
# and the Linux program from build/), then the bounded fuzzing. The tests of
# the Remote engine use a private PostgreSQL server, removed at the end.
# Last the release: made into dist/, then installed as an operator would
# (the zip in a new Wine prefix, the Debian package on this machine, then
# purged) and the demo exported with each.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default -DKEXPORTER_WERROR=ON
cmake --build --preset default
cmake --preset sanitize
cmake --build --preset sanitize
cmake --preset windows -DKEXPORTER_WERROR=ON
cmake --build --preset windows
pgdir=$(mktemp -d)
trap './scripts/postgres-test-server.sh stop "$pgdir"' EXIT
trap 'exit 1' INT TERM HUP
settings=$(./scripts/postgres-test-server.sh start "$pgdir")
eval "$settings"
ctest --preset default
ctest --preset sanitize
ctest --preset windows
./scripts/release.sh
./tests/release/install-release.sh
./fuzz/run-fuzz.sh

#!/bin/sh
# Installs what is needed, builds everything (warnings are errors) and runs
# every test, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the Windows build (preset windows) with its
# tests under Wine (the end-to-end ones take the demo generator and the Linux
# program from build/, to compare both exports), then the bounded fuzzing. The tests of the Remote engine
# use a private PostgreSQL server, removed at the end.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default -DKEXPORTER_WERROR=ON
cmake --build --preset default
cmake --preset sanitize
cmake --build --preset sanitize
pgdir=$(mktemp -d)
trap './scripts/postgres-test-server.sh stop "$pgdir"' EXIT
trap 'exit 1' INT TERM HUP
settings=$(./scripts/postgres-test-server.sh start "$pgdir")
eval "$settings"
ctest --preset default
ctest --preset sanitize
cmake --preset windows -DKEXPORTER_WERROR=ON
cmake --build --preset windows
ctest --preset windows
./fuzz/run-fuzz.sh

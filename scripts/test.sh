#!/bin/sh
# Installs what is needed, builds everything and runs every test. The tests
# of the Remote engine use a private PostgreSQL server, removed at the end.
# The Windows build (preset windows) runs its tests under Wine.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
pgdir=$(mktemp -d)
trap './scripts/postgres-test-server.sh stop "$pgdir"' EXIT
trap 'exit 1' INT TERM HUP
settings=$(./scripts/postgres-test-server.sh start "$pgdir")
eval "$settings"
ctest --preset default
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
./fuzz/run-fuzz.sh

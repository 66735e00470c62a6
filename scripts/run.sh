#!/bin/sh
# Installs what is needed, builds, and starts the editor in portable mode:
# "portable.inf" beside the program, the data in "Data/" beside it (seeded
# from the defaults on first start). Arguments are files to open.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
touch build/portable.inf
exec build/vendle "$@"

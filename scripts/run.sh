#!/usr/bin/env bash
# Sets up, builds and starts Velmora. Until the desktop program exists this prints the Getting Started
# collection that ships with it, through the collection inspector.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh default
exec build/default/tools/cli/velmora-cli dump "build/default/data/Getting Started.vmc"

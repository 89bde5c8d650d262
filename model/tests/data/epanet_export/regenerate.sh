#!/bin/sh
# Writes the EPANET files of the export test anew (model_tests, EpanetExport.
# EpanetComputesTheSolversHeads) and EPANET's heads and flows for them (reference.mjs beside the
# import's networks). Needs a build with model_tests and a directory in which
# 'npm install epanet-js' was run.
#
# Usage: regenerate.sh <build directory> <directory with node_modules/epanet-js>
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
KOLMA_EPANET_EXPORT_DIR="$here" "$build/model/model_tests" \
  --gtest_filter='EpanetExport.EpanetComputesTheSolversHeads'
cd "$2"
node "$here/../epanet/reference.mjs" "$here"
# The test compares heads only.
rm -f "$here"/*.flows.csv

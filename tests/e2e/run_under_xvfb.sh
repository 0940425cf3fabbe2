#!/usr/bin/env bash
# Runs a test script on a private X server big enough for the 4K window (or of E2E_SCREEN, as
# WIDTHxHEIGHTxDEPTH).
set -euo pipefail
# -noreset: the server would otherwise restart when the last client leaves, and refuse the next
# game started right after.
exec xvfb-run -a -s "-screen 0 ${E2E_SCREEN:-3840x2160x24} -noreset" "$@"

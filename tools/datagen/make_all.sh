#!/bin/sh
# Regenerates the installation data in data/ from the generators and the
# hand-written texts. Deterministic: running it twice changes nothing.
# data/KSM.FNT and data/palette.nfo come from tools/fontgen; data/defaults/
# ksm_ini.def is hand-written; neither is touched here.
set -e
cd "$(dirname "$0")"
PY=/usr/bin/python3
$PY gen_texts.py
$PY gen_tiles.py
$PY gen_pictures.py
$PY gen_sounds.py
$PY contact_sheet.py

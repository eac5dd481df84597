#!/usr/bin/env bash
# make-demo.sh BIN_DIR DEMO_DIR: lays out a complete demo installation of the workstation in
# DEMO_DIR from the programs and modules built into BIN_DIR.  An existing installation keeps
# its database, exams, reports and settings; programs and modules are refreshed.
set -euo pipefail
bin=$(realpath "$1")
root=$(realpath -m "$2")
src=$(cd "$(dirname "$0")/.." && pwd)

mkdir -p "$root"/{BancoDados,Exames,Laudos,Exemplos,Mapas,imgs,ajuda,Calibração,Backup}

# Settings: the template with the installation's own directories filled in.
if [ ! -f "$root/Zarvik.ini" ]; then
  sed "s|@ROOT@|$root|g" "$src/assets/Zarvik.ini" > "$root/Zarvik.ini.tmp"
  mv "$root/Zarvik.ini.tmp" "$root/Zarvik.ini"
fi

# The backup counters and the medium of the backup module, beside it: the first medium is
# number 1, the medium directory Backup/.
if [ ! -f "$root/BackUp.ini" ]; then
  printf '[BACKUP]\r\nTipoBkp=ZIP\r\nDiscoAtual=1\r\nArquivoAtual=1\r\nDirMidia=Backup\r\nUltBkp=01/01/2007 00:00:00\r\n' \
    > "$root/BackUp.ini"
fi

# Programs beside the settings file; modules of the map directory in Mapas/.
for program in zarvik zarvik-db zarvik-demo-data vessik-batch placido-render demo-calibration; do
  [ -x "$bin/$program" ] && install -m 755 "$bin/$program" "$root/$program"
done
for module in "$bin"/*.so; do
  [ -e "$module" ] || continue
  case "$(basename "$module")" in
    Kandor.so|Pelmo.so|Rusk.so|Gavrel.so|Quillon.so|Sennet.so|Horvat.so|Bexley.so|Wendel.so)
      install -m 755 "$module" "$root/Mapas/" ;;
    Vessik.so|Captura.so|CapturaOrto.so|Processamento.so|Backup.so)
      install -m 755 "$module" "$root/" ;;
    *) ;;  # test modules of the build stay out of the installation
  esac
done
# Toolbar pictures of the single and multi maps, beside their modules.
for picture in Pelmo Rusk Gavrel Quillon Sennet Horvat; do
  if [ -f "$bin/$picture.bmp" ]; then install -m 644 "$bin/$picture.bmp" "$root/Mapas/"; fi
done

# The main window's pictures and the calibration's animations (drawn at build time) and the
# help pages.
if [ -d "$bin/imgs" ]; then
  install -m 644 "$bin"/imgs/*.dat "$root/imgs/"
fi
install -m 644 "$src"/assets/ajuda/* "$root/ajuda/"

# The calibration of the simulated camera, made once (the calibration window replaces it).
if [ -x "$root/demo-calibration" ] && [ ! -f "$root/Calibração/Coef.txt" ]; then
  "$root/demo-calibration" --rings 32 --out "$root/Calibração/Coef.txt"
fi

# Four captures of an orthokeratology follow-up, rendered by the simulated camera: a cornea
# flattening night after night.
if [ -x "$root/placido-render" ] && [ ! -d "$root/Capturas" ]; then
  mkdir -p "$root/Capturas"
  n=1
  for radius in 7.70 7.80 7.95 8.10; do
    "$root/placido-render" --radius "$radius" --rings 32 --noise 2 --seed "$n" \
      --out "$root/Capturas/orto$n.bmp"
    n=$((n + 1))
  done
fi

# A fresh database, created once.  The embedded engine keeps its lock files in a directory of
# the installation's own, so no shared system directory needs to be writable.
export FIREBIRD_LOCK="${FIREBIRD_LOCK:-$root/.lock}"
mkdir -p "$FIREBIRD_LOCK"
if [ -x "$root/zarvik-db" ] && [ ! -f "$root/BancoDados/DATABASE.GDB" ]; then
  "$root/zarvik-db" create "$root/BancoDados/DATABASE.GDB"
  # The demo clinic (doctors, patients, their exams) goes only into the database just made, so
  # an operator's records are never touched.  A fill that fails takes that database with it,
  # and the next run starts again.
  if [ -x "$root/zarvik-demo-data" ] && ! "$root/zarvik-demo-data" clinica "$root"; then
    rm -f "$root/BancoDados/DATABASE.GDB"
    exit 1
  fi
fi

# The example exams of the browser's examples page, when any of their files is missing: five
# groups of six and one of four, three files each.
examples=$(find "$root/Exemplos" -maxdepth 1 -name '*0[1-6][dma].txt' | wc -l)
if [ -x "$root/zarvik-demo-data" ] && [ "$examples" -lt $(((5 * 6 + 4) * 3)) ]; then
  "$root/zarvik-demo-data" exemplos "$root"
fi

#!/usr/bin/env bash
# make-demo.sh BIN_DIR DEMO_DIR: lays out a complete demo installation of the workstation in
# DEMO_DIR from the programs and modules built into BIN_DIR.  An existing installation keeps
# its database, exams, reports and settings; programs and modules are refreshed.
set -euo pipefail
bin=$(realpath "$1")
root=$(realpath -m "$2")
src=$(cd "$(dirname "$0")/.." && pwd)

mkdir -p "$root"/{BancoDados,Exames,Laudos,Exemplos,Mapas,imgs,ajuda,Calibração}

# Settings: the template with the installation's own directories filled in.
if [ ! -f "$root/Zarvik.ini" ]; then
  sed "s|@ROOT@|$root|g" "$src/assets/Zarvik.ini" > "$root/Zarvik.ini.tmp"
  mv "$root/Zarvik.ini.tmp" "$root/Zarvik.ini"
fi

# Programs beside the settings file; modules of the map directory in Mapas/.
for program in zarvik zarvik-db vessik-batch; do
  [ -x "$bin/$program" ] && install -m 755 "$bin/$program" "$root/$program"
done
for module in "$bin"/*.so; do
  [ -e "$module" ] || continue
  case "$(basename "$module")" in
    Kandor.so|Pelmo.so|Rusk.so|Gavrel.so|Quillon.so|Sennet.so|Horvat.so|Bexley.so|Wendel.so)
      install -m 755 "$module" "$root/Mapas/" ;;
    *) install -m 755 "$module" "$root/" ;;
  esac
done

# A fresh database, created once.  The embedded engine keeps its lock files in a directory of
# the installation's own, so no shared system directory needs to be writable.
export FIREBIRD_LOCK="${FIREBIRD_LOCK:-$root/.lock}"
mkdir -p "$FIREBIRD_LOCK"
if [ -x "$root/zarvik-db" ] && [ ! -f "$root/BancoDados/DATABASE.GDB" ]; then
  "$root/zarvik-db" create "$root/BancoDados/DATABASE.GDB"
fi

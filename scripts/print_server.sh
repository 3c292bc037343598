#!/usr/bin/env bash
# A local CUPS print server with PDF printers for the print tests, as root.
# Installs what is missing (cups-pdf comes as printer-driver-cups-pdf), starts cupsd when it is not running and creates the printers
# tarnwellS3 (the printer named after the port COM3), the default printer tarnwellDefault and
# tarnwellAside, which is not the default but sorts before it, so that the printers are not listed
# with the default first. There is deliberately no tarnwellP1, so that "LPT1" reaches the default
# printer.
# Idempotent. Prints the folder where the PDF printers write their files, named
# job_<job id>-<title>.pdf.
set -euo pipefail

packages=(cups printer-driver-cups-pdf cups-client libcups2:i386 poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}" >&2
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

out_dir=/var/spool/cups-pdf/tarnwell
conf=/etc/cups/cups-pdf.conf
mkdir -p "$out_dir"
chmod 1777 "$out_dir"
if ! grep -qx "Out $out_dir" "$conf" || ! grep -qx "Label 1" "$conf"; then
  sed -i '/^Out /d; /^AnonDirName /d; /^Label /d' "$conf"
  printf 'Out %s\nAnonDirName %s\nLabel 1\n' "$out_dir" "$out_dir" >>"$conf"
fi

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  cupsd
  for _ in $(seq 1 100); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.1
  done
  lpstat -r | grep -q 'is running' || { echo "cupsd did not start" >&2; exit 1; }
fi

ppd=$(lpinfo -m 2>/dev/null | awk '/[Cc][Uu][Pp][Ss]-[Pp][Dd][Ff]/ {print $1; exit}')
[ -n "$ppd" ] || { echo "no PDF printer model found" >&2; exit 1; }

for name in tarnwellS3 tarnwellDefault tarnwellAside; do
  lpstat -p "$name" >/dev/null 2>&1 || lpadmin -p "$name" -E -v cups-pdf:/ -m "$ppd" 2>/dev/null
done
[ "$(lpstat -d 2>/dev/null | awk -F': ' '{print $2}')" = tarnwellDefault ] || lpadmin -d tarnwellDefault

echo "$out_dir"

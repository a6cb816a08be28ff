#!/usr/bin/env bash
# Starts cupsd when it is not running and adds the queue "PDF" (cups-pdf backend) when missing.
# Printed jobs land as PDF files in ~/PDF of the user who printed.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if ! lpstat -r 2>/dev/null | grep -q "scheduler is running"; then
  $SUDO /usr/sbin/cupsd
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q "scheduler is running" && break
    sleep 0.2
  done
fi
if ! lpstat -p PDF >/dev/null 2>&1; then
  $SUDO lpadmin -p PDF -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E
fi
$SUDO cupsenable PDF
$SUDO cupsaccept PDF

# A second cups-pdf queue that also offers 10 x 15 cm photo paper (its default stays A4), for the
# tests that print photo jobs on photo paper.
if ! lpstat -p Foto10x15 >/dev/null 2>&1; then
  ppd=$(mktemp --suffix=.ppd)
  sed -e '/^\*PageSize A4\//a *PageSize 10x15cm/10 x 15 cm: "<</PageSize[283.46 425.2]/ImagingBBox null>>setpagedevice"' \
      -e '/^\*PageRegion A4\//a *PageRegion 10x15cm/10 x 15 cm: "<</PageSize[283.46 425.2]/ImagingBBox null>>setpagedevice"' \
      -e '/^\*ImageableArea A4\//a *ImageableArea 10x15cm/10 x 15 cm: "0 0 283.46 425.2"' \
      -e '/^\*PaperDimension A4\//a *PaperDimension 10x15cm/10 x 15 cm: "283.46 425.2"' \
      -e 's/^\*NickName: "\(.*\)"/*NickName: "\1, 10 x 15 cm"/' \
      /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$ppd"
  chmod 644 "$ppd"
  $SUDO lpadmin -p Foto10x15 -v cups-pdf:/ -P "$ppd" -E
  rm -f "$ppd"
fi
$SUDO cupsenable Foto10x15
$SUDO cupsaccept Foto10x15
# "PDF" stays the printer the program starts on.
$SUDO lpadmin -d PDF
lpstat -p PDF -p Foto10x15

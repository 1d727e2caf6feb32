#!/bin/sh
# Fails when PROGRAM imports from DLL_NAME a function that DOUBLE does not export,
# or imports nothing from it (then the double would never be loaded).
#   check-imports.sh OBJDUMP PROGRAM DOUBLE DLL_NAME
objdump=$1 program=$2 double=$3 dll=$4
if [ $# -ne 4 ] || [ ! -f "$program" ] || [ ! -f "$double" ]; then
  echo "usage: check-imports.sh OBJDUMP PROGRAM DOUBLE DLL_NAME (both files must exist)" >&2
  exit 2
fi
tmp=$(mktemp -d) || exit 2
trap 'rm -rf "$tmp"' EXIT

# Import rows follow "DLL Name: <dll>" up to the blank line that ends its block:
#   <vma>  <hint>  <name>
"$objdump" -p "$program" > "$tmp/program" || exit 2
awk -v dll="$dll" '
  /^[ \t]*DLL Name:/ { name = $3; inside = (tolower(name) == tolower(dll)); header = 1; next }
  inside && /^[ \t]*$/ { if (!header) inside = 0; next }
  inside && /vma:/ { header = 0; next }
  inside && NF >= 3 { print $3 }
' "$tmp/program" | sort -u > "$tmp/imports"

# Export rows follow "[Ordinal/Name Pointer] Table":  [   0] <name>
"$objdump" -p "$double" > "$tmp/double" || exit 2
awk '
  /\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
  inside && /^[ \t]*$/ { exit }
  inside { print $NF }
' "$tmp/double" | sort -u > "$tmp/exports"

if [ ! -s "$tmp/imports" ]; then
  echo "$(basename "$program") imports nothing from $dll, so $(basename "$double") would not be loaded" >&2
  exit 1
fi
missing=$(comm -23 "$tmp/imports" "$tmp/exports")
if [ -n "$missing" ]; then
  echo "$(basename "$program") imports from $dll what $(basename "$double") does not export:" >&2
  echo "$missing" >&2
  exit 1
fi
echo "$(basename "$double") exports all $(wc -l < "$tmp/imports") functions $(basename "$program") imports from $dll"

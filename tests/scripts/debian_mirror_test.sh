#!/usr/bin/env bash
# shellcheck disable=SC2034  # the fixtures below are read by name, through ${!text}
# script/vm/debian-mirror on apt sources of our own, under a stand-in root
# folder: for each, the address it prints, or its refusal when none serves
# Debian 12's main archive.
set -u
script=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/script/vm/debian-mirror
roots=$(mktemp -d)
trap 'rm -rf "$roots"' EXIT

# Sources that name no main archive of bookworm: each is passed over.
passed_over_one_line='# deb http://commented.example/debian bookworm main
#deb http://commented-too.example/debian bookworm main
deb-src http://source.example/debian bookworm main
deb http://security.example/debian-security bookworm-security main
deb [arch=amd64 signed-by=/usr/share/keyrings/x.gpg] http://other.example/apt bookworm stable
deb http://older.example/debian bullseye main'
passed_over_deb822='Types: deb
URIs: http://security.example/debian-security
Suites: bookworm-security
Components: main

# Types: deb
# URIs: http://commented.example/debian
# Suites: bookworm
# Components: main

Types: deb
URIs: http://disabled.example/debian
Suites: bookworm
Components: main
Enabled: no'
main_one_line='deb [ arch=amd64 ] http://one-line.example/debian/ bookworm bookworm-updates main contrib'
main_deb822='Types: deb-src deb
URIs: http://deb822.example/debian http://second.example/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 URIs: http://in-a-key.example/debian
 -----END PGP PUBLIC KEY BLOCK-----'

# case | files (name=variable holding its text, space-separated) | address printed ("" for a refusal)
cases=(
  "one-line form|sources.list=passed_over_one_line sources.list.d/debian.list=main_one_line|http://one-line.example/debian"
  "deb822 form|sources.list.d/debian.sources=passed_over_deb822 sources.list.d/z.sources=main_deb822|http://deb822.example/debian"
  "both forms, sources.list first|sources.list=main_one_line sources.list.d/debian.sources=main_deb822|http://one-line.example/debian"
  "both forms, the main archive in deb822|sources.list=passed_over_one_line sources.list.d/debian.sources=main_deb822|http://deb822.example/debian"
  "only commented-out, disabled or other entries|sources.list=passed_over_one_line sources.list.d/debian.sources=passed_over_deb822 sources.list.d/off.list.disabled=main_one_line|"
  "no sources at all||"
)
refusal="script/vm/debian-mirror: no apt source of Debian 12's main archive (deb, suite bookworm, component main)"
failed=0
n=0
for case in "${cases[@]}"; do
  IFS='|' read -r name files want <<<"$case"
  n=$((n + 1))
  root=$roots/$n
  mkdir -p "$root/etc/apt/sources.list.d"
  for file in $files; do
    text=${file#*=}
    printf '%s\n' "${!text}" >"$root/etc/apt/${file%%=*}"
  done
  out=$(ZURU_APT_ROOT=$root "$script" 2>"$roots/$n.err")
  status=$?
  err=$(cat "$roots/$n.err")
  if [ -n "$want" ]; then
    ok=$([ "$status" = 0 ] && [ "$out" = "$want" ] && [ -z "$err" ] && echo yes)
  else
    ok=$([ "$status" = 1 ] && [ -z "$out" ] && [[ $err == "$refusal"* ]] && echo yes)
  fi
  if [ "$ok" != yes ]; then
    echo "FAILED: $name:"
    echo "  exit status $status, printed [$out], said [$err]"
    echo "  expected: [${want:-a refusal: $refusal ...}]"
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "debian-mirror: ${#cases[@]} cases passed"
exit $failed

#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are not installed yet
# (apt-get as root, or through sudo).
set -euo pipefail
missing=()
for package in "$@"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done
((${#missing[@]})) || exit 0
echo "== installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null || ! sudo -n true 2>/dev/null; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root: run this script as root, give this user sudo rights," >&2
    echo "or have an administrator run: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo -n)
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null

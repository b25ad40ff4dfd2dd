#!/bin/sh
# Runs the full-disk tests of core_tests on a small memory file system that
# has been filled to the last byte, then starts the program on it (when given)
# and checks that it says the disk is full. Needs a private mount namespace (root, or
# user namespaces); without one the test is skipped (exit code 77).
set -u
core_tests="$1"
program="${2:-}"

if unshare -m true 2>/dev/null; then
  enter="unshare -m"
elif unshare -r -m true 2>/dev/null; then
  enter="unshare -r -m"
else
  echo "no private mount namespace: skipped"
  exit 77
fi

mount_point="$(mktemp -d)"
trap 'rmdir "$mount_point"' EXIT
$enter sh -c '
  set -e
  dir="$1"; tests="$2"
  mount -t tmpfs -o size=256k,nr_inodes=64 tmpfs "$dir" || exit 77
  printf "#FSE#>90\r\n" > "$dir/marks2QEN.txt"
  dd if=/dev/zero of="$dir/filler" bs=4096 2>/dev/null || true
  QUORVALE_FULL_DISK="$dir" "$tests" --gtest_filter="FullDisk.*"
  if [ -n "$3" ]; then
    said="$(QT_QPA_PLATFORM=offscreen "$3" --data-dir "$dir" --quit-after-start 2>&1 || true)"
    echo "$said"
    case "$said" in
      *"is full"*) ;;
      *) echo "the program did not say that the disk is full"; exit 1 ;;
    esac
  fi
' sh "$mount_point" "$core_tests" "$program"

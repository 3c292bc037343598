# Sourced by the archive tests. same_tree EXPECTED ACTUAL: the same files with the same bytes
# and modification times, and nothing else (no temporary files left behind).
same_tree() {
  local expected=$1 actual=$2 f
  if ! diff -r "$expected" "$actual" >/dev/null; then
    echo "FAIL: $actual differs from $expected:" >&2
    diff -rq "$expected" "$actual" >&2 || true
    return 1
  fi
  while IFS= read -r f; do
    if [ "$(stat -c %Y "$expected/$f")" != "$(stat -c %Y "$actual/$f")" ]; then
      echo "FAIL: $actual/$f has time $(stat -c %y "$actual/$f"), expected $(stat -c %y "$expected/$f")" >&2
      return 1
    fi
  done < <(cd "$expected" && find . -type f)
}

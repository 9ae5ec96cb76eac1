# Sourced by the release tests: checks that name their case and show what differed, and
# checks_done, the test's last line, which fails the test when any check failed.
FAILURES=0

fail() { # what failed
  echo "FAILED: $1" >&2
  FAILURES=$((FAILURES + 1))
}

expect_eq() { # case, actual, expected
  [ "$2" == "$3" ] || fail "$1: got '$2', expected '$3'"
}

expect_ok() { # case, command...
  local name=$1 code=0
  shift
  "$@" >/dev/null 2>&1 || code=$?
  [ "$code" -eq 0 ] || fail "$name: exit code $code from: $*"
}

expect_same_lines() { # case, actual file, expected file
  diff -u "$3" "$2" >"$2.diff" || fail "$1: differs from before (see $2.diff)"
}

checks_done() { # test name
  if [ "$FAILURES" -gt 0 ]; then
    echo "$1: $FAILURES check(s) failed" >&2
    exit 1
  fi
  echo "$1: all checks passed"
}

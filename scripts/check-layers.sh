#!/usr/bin/env bash
# Fails when code above the framework uses Qt other than the string value types, in includes or
# in names: a Qt header other than QString, QStringList, QChar and QByteArray, a Qt class name
# (QRegion, QImage, QList ...), a Qt namespace value other than the string options, or pugixml.
# Only framework/ talks to Qt and the libraries.
set -euo pipefail
cd "$(dirname "$0")/.."

# The string value types and what comes with them: their literals and views.
allowed_types='QString|QStringList|QChar|QByteArray|QStringLiteral|QStringView|QAnyStringView|QUtf8StringView|QLatin1String|QLatin1StringView|QLatin1Char|QByteArrayLiteral|QByteArrayView'
# The program's own names that look like Qt's (the grid's sort entry points).
allowed_own='QSort|QSortIndexed|QSortGroup|QSortGroupIndexed|QUnSort'
# Options the string routines take.
allowed_values='Qt::(CaseSensitive|CaseInsensitive|CaseSensitivity|SkipEmptyParts|KeepEmptyParts|SplitBehavior)'

hits=$(
  for dir in app project ui grid editors tables; do
    [[ -d $dir ]] || continue
    grep -rnE --include='*.h' --include='*.cpp' \
      '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Qt[A-Za-z]*/)?Q[A-Za-z0-9_]*(\.h)?[>"]' "$dir" |
      grep -vE '[<"/](QString|QStringList|QChar|QByteArray)[>"]' || true
    # Names in the code (line comments left out; includes were judged above).
    find "$dir" \( -name '*.h' -o -name '*.cpp' \) -type f -print0 | sort -z |
      xargs -0 -r awk -v allowed="^($allowed_types|$allowed_own|$allowed_values)\$" '
        /^[[:space:]]*#[[:space:]]*include/ { next }
        {
          rest = $0
          sub(/\/\/.*$/, "", rest)
          while (match(rest, /Q[A-Z][a-z][A-Za-z0-9_]*|Qt::[A-Za-z0-9_]+|pugi::/)) {
            name = substr(rest, RSTART, RLENGTH)
            before = RSTART > 1 ? substr(rest, RSTART - 1, 1) : ""
            rest = substr(rest, RSTART + RLENGTH)
            if (before ~ /[A-Za-z0-9_]/ || name ~ allowed) continue
            print FILENAME ":" FNR ": " name
          }
        }'
  done
)
if [[ -n $hits ]]; then
  while IFS= read -r hit; do echo "layer check: $hit" >&2; done <<<"$hits"
  echo "layer check: code above framework/ may use only QString, QStringList, QChar, QByteArray (and their" \
       "literals and views) of Qt, and no pugixml: the framework offers regions, images and lists" >&2
  exit 1
fi

#!/usr/bin/env bash
# Fails when code above the framework includes a Qt header other than the value types
# (QString, QStringList, QChar, QByteArray): only framework/ talks to Qt.
set -euo pipefail
cd "$(dirname "$0")/.."


status=0
for dir in app project ui grid editors tables; do
  [[ -d $dir ]] || continue
  while IFS= read -r hit; do
    echo "layer check: $hit" >&2
    status=1
  done < <(grep -rnE --include='*.h' --include='*.cpp' \
             '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Qt[A-Za-z]*/)?Q[A-Za-z0-9_]*(\.h)?[>"]' "$dir" |
           grep -vE '[<"/](QString|QStringList|QChar|QByteArray)[>"]' || true)
done
if ((status)); then
  echo "layer check: code above framework/ may include only <QString>, <QStringList>, <QChar>, <QByteArray>" >&2
fi
exit $status

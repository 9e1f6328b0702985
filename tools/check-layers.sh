#!/usr/bin/env bash
# The folders are layers: each may include its own files and those of the
# layers below it, never one above. Prints every include that breaks the rule
# and fails; prints what each layer includes when all is well.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(app windows engine persistence types)
status=0
for k in "${!layers[@]}"; do
  layer=${layers[$k]}
  allowed=" ${layers[*]:$k} "
  used=$(grep -rhoE '^\s*#\s*include\s*"[a-z_]+/' "$layer" --include='*.h' --include='*.cpp' \
           | sed -E 's/.*"([a-z_]+)\//\1/' | sort -u | tr '\n' ' ')
  echo "$layer includes: ${used:-nothing}"
  for folder in $used; do
    if [[ $allowed != *" $folder "* ]]; then
      grep -rnE "^\s*#\s*include\s*\"$folder/" "$layer" | sed 's/^/  above its layer: /'
      status=1
    fi
  done
done
exit $status

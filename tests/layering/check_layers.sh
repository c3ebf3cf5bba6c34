#!/bin/bash
# Flags every #include of a project header that lives in a folder above or
# beside the includer's. Lower folders never see the ones built on them.
# Usage: check_layers.sh SOURCE_DIR
set -u
cd "${1:-.}" || exit 2

# Folder rank; folders of one rank stand beside each other.
declare -A rank=([values]=0 [store]=1 [engine]=2 [shell]=3 [report]=4 [masters]=4
                 [worksheets]=5 [cli]=5 [app]=6)

declare -A home
for folder in "${!rank[@]}"; do
    while IFS= read -r header; do
        home[${header##*/}]=$folder
    done < <(find "$folder" -name '*.h')
done

status=0
for folder in "${!rank[@]}"; do
    while IFS=: read -r file line header; do
        owner=${home[$header]:-}
        [ -z "$owner" ] || [ "$owner" = "$folder" ] && continue
        if [ "${rank[$owner]}" -ge "${rank[$folder]}" ]; then
            echo "$file:$line: includes $header from $owner/"
            status=1
        fi
    done < <(find "$folder" -name '*.h' -o -name '*.cpp' |
             xargs grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' |
             sed 's/^\([^:]*\):\([0-9]*\):.*"\([^"]*\)".*/\1:\2:\3/')
done
exit $status

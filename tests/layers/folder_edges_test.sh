#!/bin/bash
# Every include of the product points down the folder order that its links
# give. EDGES_FILE (written by the build, kovi_write_folder_edges) has a row per
# product folder: the folder, then the folders its files may include from; its
# own folder is always allowed. An #include "folder/..." of any other folder
# fails, naming the file and the include. An include without a folder (a
# generated header beside the file's own output) is no edge.
#   folder_edges_test.sh SOURCE_DIR EDGES_FILE
set -u
SOURCE=$1
mapfile -t edges <"$2"
failures=0
for row in "${edges[@]}"; do
  read -r folder allowed <<<"$row"
  if [[ ! -d $SOURCE/$folder ]]; then
    echo "$folder/: no such folder"
    failures=$((failures + 1))
    continue
  fi
  while IFS= read -r line; do
    file=${line%%:*}
    include=${line#*\"}
    include=${include%%\"*}
    target=${include%%/*}
    if [[ " $folder $allowed " != *" $target "* ]]; then
      echo "${file#"$SOURCE"/}: #include \"$include\" ($folder/ may not include $target/)"
      failures=$((failures + 1))
    fi
  done < <(grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' \
             --include='*.h' --include='*.cc' --include='*.rc' --include='*.in' \
             "$SOURCE/$folder" | sort)
done
if ((failures > 0)); then
  echo "$failures fault(s) against the folder order"
  exit 1
fi
echo "every include points down the folder order"

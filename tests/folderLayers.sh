#!/bin/sh
# The folders of Source/ in layers, lowest first: a file includes only from its own folder and from
# folders below it, so that no two folders include each other.
# Usage: folderLayers.sh SOURCE-FOLDER
layers="rules state coach platform controls topscores about game"
cd "$1" || exit 1
failed=0
for folder in */; do
    folder=${folder%/}
    case " $layers " in *" $folder "*) ;; *) echo "Source/$folder has no layer"; failed=1; continue ;; esac
    allowed=""
    for layer in $layers; do
        allowed="$allowed $layer"
        [ "$layer" = "$folder" ] && break
    done
    for include in $(grep -rhoE '^#include "[^/"]+/' "$folder" | sed -E 's/^#include "([^/]+)\//\1/' | sort -u); do
        case " $allowed " in *" $include "*) ;; *) echo "Source/$folder includes from $include/, a layer above it"; failed=1 ;; esac
    done
done
[ $failed -eq 0 ] && echo "every folder includes only from its own layer and those below"
exit $failed

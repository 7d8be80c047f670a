# Builds a program folder for a session test from the staged one: the program, its preview
# and music modules, marker and help copied (the program folder is the executable's own), its skins
# and pictures linked, an empty preview folder and library. Source it, then call
# make_program_folder STAGED FOLDER.
make_program_folder() {
    local staged=$1 folder=$2 f
    mkdir -p "$folder/zarvotemp" "$folder/data"
    for f in zarvofx libzarvopreview.so libzarvomusic.so zarvotx.ini help.htm; do
        cp "$staged/$f" "$folder/"
    done
    ln -s "$staged/skins" "$staged/images" "$folder/"
}

# Sets up the build tree.
mkdir -p build

# Each layer's target exposes only its own source folder, so that an include of a layer a
# target does not link (lib including engine, engine including ui) fails to build.
#
# The sources include by layer ("lib/Walker.h", "engine/scan/FolderParser.h"), so a
# layer's include folder is a folder of the build tree holding one link, named like the
# layer's folder, to the layer's sources; a layer below another inside its folder
# (engine/options) gets a folder of its own. Linking a target brings its folder along.
function(varnik_expose target folder)
  set(root ${PROJECT_BINARY_DIR}/include/${folder})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# Folders are layers, lowest first, and each builds into static libraries of
# its own that link only the layers below:
#
#   ort_layer(<target> FOLDER <folder> [QT <Qt targets>...] [USES <layer targets>...]
#             SOURCES <files>...)
#
# A layer's sources see only the folders of the layers it uses (and its own):
# the target gets an include tree of links to exactly those folders instead of
# the source root, so a file that includes from a layer above it, or from a
# layer it does not use, fails to build. Programs, tests and benchmarks see
# the whole source root (ort_use_source_root).

define_property(TARGET PROPERTY ORT_FOLDERS
  BRIEF_DOCS "The source folders a layer target may include from"
  FULL_DOCS "Its own folder and those of every layer it uses, transitively.")

function(ort_layer target)
  cmake_parse_arguments(L "" "FOLDER" "QT;USES;SOURCES" ${ARGN})
  if(NOT L_FOLDER OR NOT L_SOURCES)
    message(FATAL_ERROR "ort_layer(${target}): FOLDER and SOURCES are required")
  endif()
  add_library(${target} STATIC ${L_SOURCES})
  target_link_libraries(${target} PUBLIC ${L_USES} ${L_QT})

  set(folders ${L_FOLDER})
  foreach(used ${L_USES})
    if(NOT TARGET ${used})
      message(FATAL_ERROR "ort_layer(${target}): ${used} is not a layer defined below it")
    endif()
    get_target_property(below ${used} ORT_FOLDERS)
    list(APPEND folders ${below})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set_target_properties(${target} PROPERTIES ORT_FOLDERS "${folders}")

  set(tree ${PROJECT_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${tree})
  foreach(folder ${folders})
    get_filename_component(parent ${tree}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${tree}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PRIVATE ${tree})
  # Headers the build writes (link/version.h) stand beside their folder.
  if("link" IN_LIST folders)
    target_include_directories(${target} PRIVATE ${PROJECT_BINARY_DIR}/generated)
  endif()
endfunction()

# A header-only layer: an interface target that records its folder.
function(ort_header_layer target)
  cmake_parse_arguments(L "" "FOLDER" "" ${ARGN})
  add_library(${target} INTERFACE)
  set_target_properties(${target} PROPERTIES ORT_FOLDERS "${L_FOLDER}")
endfunction()

# Programs, tests and benchmarks stand above every layer.
function(ort_use_source_root target)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
endfunction()

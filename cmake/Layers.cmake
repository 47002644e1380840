# The layers of the source tree. Each folder's CMakeLists.txt starts with
#
#   velloran_allowed_includes([CORE] <folder>...)
#
# naming the folders of src/ whose headers its code may include besides its
# own; CORE also forbids every window-system header. A stray include stops
# the configuration, so the layers cannot drift. (The check reads every
# header and source of the folder; the targets still list their sources.)
function(velloran_allowed_includes)
  cmake_parse_arguments(PARSE_ARGV 0 arg "CORE" "" "")
  get_filename_component(self ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(allowed ${self} ${arg_UNPARSED_ARGUMENTS})
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} lines REGEX "^#include [\"<]")
    foreach(line IN LISTS lines)
      if(line MATCHES "^#include \"([a-z]+)/" AND NOT CMAKE_MATCH_1 IN_LIST allowed)
        message(FATAL_ERROR "${file}: \"${line}\": src/${self} may include only ${allowed}")
      endif()
      if(arg_CORE AND line MATCHES "^#include <(wx|gtk|gdk|glib|X11)/")
        message(FATAL_ERROR "${file}: \"${line}\": src/${self} is core code, without window headers")
      endif()
    endforeach()
  endforeach()
endfunction()

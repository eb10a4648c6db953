# Helpers that give every target of our own the same warnings, and keep the core free of toolkit code.

set(VELMORA_CORE_TARGETS "" CACHE INTERNAL "Targets that must stay plain C++")

function(velmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# A core library: plain C++, the standard library, ICU and PCRE2 only. Its sources are scanned at build time
# and the build fails when one of them includes a Qt or X11 header.
function(velmora_core_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  velmora_warnings(${target})
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")

  file(GLOB_RECURSE scanned CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.h" "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  # Toolkit folders below a core folder are separate targets and are not scanned.
  list(FILTER scanned EXCLUDE REGEX "/(qt|x11|dbus)/")
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}.toolkit-free.stamp")
  string(REPLACE ";" "|" scanned_arg "${scanned}")
  add_custom_command(
    OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} "-DFILES=${scanned_arg}" "-DSTAMP=${stamp}" -P
            "${PROJECT_SOURCE_DIR}/cmake/CheckToolkitFree.cmake"
    DEPENDS ${scanned} "${PROJECT_SOURCE_DIR}/cmake/CheckToolkitFree.cmake"
    COMMENT "Checking that ${target} includes no Qt or X11 header"
    VERBATIM)
  add_custom_target(${target}_toolkit_free DEPENDS "${stamp}")
  add_dependencies(${target} ${target}_toolkit_free)

  set(VELMORA_CORE_TARGETS "${VELMORA_CORE_TARGETS};${target}" CACHE INTERNAL "")
endfunction()

# Called at the end of the top-level list: a core target that links anything from Qt or X11 is a configure error.
function(velmora_verify_core_links)
  foreach(target IN LISTS VELMORA_CORE_TARGETS)
    if(target)
      get_target_property(libs ${target} LINK_LIBRARIES)
      foreach(lib IN LISTS libs)
        if(lib MATCHES "Qt[0-9]*::|^Qt|X11|xcb")
          message(FATAL_ERROR "Core target ${target} links ${lib}; the core must stay free of Qt and X11.")
        endif()
      endforeach()
    endif()
  endforeach()
endfunction()

# CLI11, toml++ and nlohmann-json under the same target names on both targets.
# On Linux they come from their CMake packages. In the Windows cross build they are the
# same header-only Debian packages, reached through a folder that links to exactly
# their header folders: never all of /usr/include, whose other headers are Linux's.
# toml++ is used header-only on both (kelvane_toml), not as Debian's compiled library.
include_guard(GLOBAL)

if(NOT (WIN32 AND CMAKE_CROSSCOMPILING))
  find_package(CLI11 REQUIRED)
  find_package(nlohmann_json REQUIRED)
  add_library(kelvane_toml INTERFACE)
  target_compile_definitions(kelvane_toml INTERFACE TOML_HEADER_ONLY=1)
  return()
endif()

set(header_only_root ${PROJECT_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${header_only_root})

function(kelvane_header_only_library target folder)
  set(source /usr/include/${folder})
  if(NOT IS_DIRECTORY ${source})
    message(FATAL_ERROR "${source} is missing: run scripts/setup linux")
  endif()
  file(CREATE_LINK ${source} ${header_only_root}/${folder} SYMBOLIC)
  if(NOT TARGET ${target})
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${header_only_root})
  endif()
endfunction()

kelvane_header_only_library(CLI11::CLI11 CLI)
kelvane_header_only_library(kelvane_toml toml++)
set_property(TARGET kelvane_toml APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS TOML_HEADER_ONLY=1)
kelvane_header_only_library(nlohmann_json::nlohmann_json nlohmann)

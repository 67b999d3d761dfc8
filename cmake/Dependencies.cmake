# Third-party libraries: zlib from Debian's mingw package, the rest from the
# cache that scripts/setup builds (KVB_DEPS_PREFIX).
if(NOT KVB_DEPS_PREFIX OR NOT EXISTS "${KVB_DEPS_PREFIX}/.complete")
  message(FATAL_ERROR "KVB_DEPS_PREFIX must name the folder scripts/setup prints (got '${KVB_DEPS_PREFIX}')")
endif()

# Static, like every other library: no zlib1.dll beside the programs.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

add_library(deps_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(deps_jpeg PROPERTIES
  IMPORTED_LOCATION "${KVB_DEPS_PREFIX}/lib/libjpeg.a"
  INTERFACE_INCLUDE_DIRECTORIES "${KVB_DEPS_PREFIX}/include")

# LAME and TagLib are loaded at run time; only their headers are compiled against.
add_library(deps_lame_headers INTERFACE)
target_include_directories(deps_lame_headers INTERFACE "${KVB_DEPS_PREFIX}/include")
add_library(deps_taglib_headers INTERFACE)
target_include_directories(deps_taglib_headers INTERFACE "${KVB_DEPS_PREFIX}/include/taglib")

set(KVB_RUNTIME_DLLS "${KVB_DEPS_PREFIX}/bin/lame_enc.dll" "${KVB_DEPS_PREFIX}/bin/libtag_c.dll")
file(COPY ${KVB_RUNTIME_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

# One interface target carries the language level, warnings and Qt defines for our own code.
add_library(project_options INTERFACE)
target_compile_features(project_options INTERFACE cxx_std_20)
target_compile_options(project_options INTERFACE -Wall -Wextra -Werror)
target_compile_definitions(project_options INTERFACE
  QT_NO_KEYWORDS
  QT_NO_FOREACH
  CODEPLUG_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  CODEPLUG_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  CODEPLUG_VERSION_PATCH=${PROJECT_VERSION_PATCH}
  CODEPLUG_VERSION_TWEAK=${PROJECT_VERSION_TWEAK})

if(CODEPLUG_SANITIZE)
  target_compile_options(project_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()

# The fuzz build instruments all of our code for coverage; only the fuzz targets link the fuzzer's main.
if(CODEPLUG_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "CODEPLUG_FUZZ needs clang (e.g. -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  target_compile_options(project_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()

# Sources are collected per folder so that parallel work on separate files never collides in CMake lists.
function(codeplug_collect_sources out_var)
  file(GLOB_RECURSE _src CONFIGURE_DEPENDS ${ARGN})
  set(${out_var} ${_src} PARENT_SCOPE)
endfunction()

# Helpers shared by every folder's CMakeLists.

# Portable sources are collected from each folder into the library tarn_core, which builds in all
# three builds and must never see <windows.h>.
define_property(GLOBAL PROPERTY TARN_CORE_SOURCES BRIEF_DOCS "portable sources" FULL_DOCS "sources of tarn_core")

function(tarn_core_sources)
  foreach(src IN LISTS ARGN)
    get_filename_component(path ${src} ABSOLUTE)
    set_property(GLOBAL APPEND PROPERTY TARN_CORE_SOURCES ${path})
  endforeach()
endfunction()

# Natively the core is built twice: instrumented (sanitizers, fuzzing coverage) for tests and
# fuzz targets, and plain optimised for benchmarks.
set(TARN_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

# The Win32 side of the program, one library that Tarn.exe and the Windows tests link.
define_property(GLOBAL PROPERTY TARN_APP_SOURCES BRIEF_DOCS "Win32 sources" FULL_DOCS "sources of tarn_app")

function(tarn_app_sources)
  foreach(src IN LISTS ARGN)
    get_filename_component(path ${src} ABSOLUTE)
    set_property(GLOBAL APPEND PROPERTY TARN_APP_SOURCES ${path})
  endforeach()
endfunction()

function(tarn_define_app)
  get_property(sources GLOBAL PROPERTY TARN_APP_SOURCES)
  add_library(tarn_app STATIC ${sources})
  target_link_libraries(tarn_app PUBLIC tarn_core comctl32 comdlg32 shell32 ole32 uuid)
endfunction()

function(tarn_check_portable)
  foreach(src IN LISTS ARGN)
    get_filename_component(path ${src} ABSOLUTE)
    file(READ ${path} text)
    string(TOLOWER "${text}" text)
    if(text MATCHES "#[ \t]*include[ \t]*<windows\\.h>")
      message(FATAL_ERROR "${path} is portable core code and must not include <windows.h>")
    endif()
  endforeach()
endfunction()

function(tarn_define_core)
  get_property(sources GLOBAL PROPERTY TARN_CORE_SOURCES)
  tarn_check_portable(${sources})
  add_library(tarn_core STATIC ${sources})
  if(NOT WIN32)
    target_compile_options(tarn_core PUBLIC ${TARN_SANITIZE_FLAGS})
    target_link_options(tarn_core PUBLIC ${TARN_SANITIZE_FLAGS})
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
      target_compile_options(tarn_core PRIVATE -fsanitize=fuzzer-no-link)
    endif()
    add_library(tarn_core_fast STATIC ${sources})
    target_compile_options(tarn_core_fast PRIVATE -O2)
  endif()
endfunction()

# A portable decoder core built on a library of its own (libjpeg, libpng): kept out of tarn_core so
# that the other plug-ins, tests and fuzz targets do not link that library. The same rules as
# tarn_core hold: no <windows.h>; natively NAME is instrumented and NAME_fast plain optimised.
# usage: tarn_core_library(NAME SOURCES files... LIBRARIES targets...)
function(tarn_core_library name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBRARIES" ${ARGN})
  tarn_check_portable(${arg_SOURCES})
  add_library(${name} STATIC ${arg_SOURCES})
  target_link_libraries(${name} PUBLIC tarn_core ${arg_LIBRARIES})
  if(NOT WIN32)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
      target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
    add_library(${name}_fast STATIC ${arg_SOURCES})
    target_compile_options(${name}_fast PRIVATE -O2)
    target_link_libraries(${name}_fast PUBLIC tarn_core_fast ${arg_LIBRARIES})
  endif()
endfunction()

# A static library that setup built for this MinGW target into build/deps/DIR, as the imported
# target NAME (global, so that tests and benchmarks in other folders can link it too).
function(tarn_mingw_dependency name dir)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(prefix ${CMAKE_SOURCE_DIR}/build/deps/${dir}-x86_64)
  else()
    set(prefix ${CMAKE_SOURCE_DIR}/build/deps/${dir}-i686)
  endif()
  cmake_parse_arguments(arg "" "" "LIBS" ${ARGN})
  list(GET arg_LIBS 0 first)
  if(NOT EXISTS ${prefix}/lib/${first})
    message(FATAL_ERROR "${prefix}/lib/${first} is missing: run ./tarn setup")
  endif()
  add_library(${name} INTERFACE IMPORTED GLOBAL)
  list(TRANSFORM arg_LIBS PREPEND ${prefix}/lib/)
  set_target_properties(${name} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include
                                           INTERFACE_LINK_LIBRARIES "${arg_LIBS}")
endfunction()

# A plug-in: a DLL named NAME.spi exporting the undecorated names of NAME.def.
function(tarn_plugin name)
  add_library(${name} SHARED ${ARGN} ${name}.def)
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".spi")
  target_link_libraries(${name} PRIVATE tarn_plugin_shell)
  target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
  set_property(GLOBAL APPEND PROPERTY TARN_DELIVERABLES ${name})
  tarn_version_resource(${name} "Tarn プラグイン ${name}")
endfunction()

# Stamps the version of the top CMakeLists.txt into TARGET (a program or a plug-in) as its version
# resource, with DESCRIPTION as the file description, and tests that the built file reads it back.
function(tarn_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(file_type VFT_APP)
  else()
    set(file_type VFT_DLL)
  endif()
  get_target_property(suffix ${target} SUFFIX)
  if(NOT suffix)
    set(suffix ".exe")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}Version.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT [[#pragma code_page(65001)
#define TARN_FILE_NAME "${target}${suffix}"
#define TARN_FILE_DESCRIPTION "${description}"
#define TARN_FILE_TYPE ${file_type}
#include "common/VersionInfo.rc"
]])
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES INCLUDE_DIRECTORIES ${TARN_GENERATED} OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/common/VersionInfo.rc;${TARN_GENERATED}/common/Version.h")
  add_test(NAME ${TARN_BUILD}.version.${target}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-version.sh ${CMAKE_RC_COMPILER}
                   $<TARGET_FILE:${target}> ${PROJECT_VERSION})
endfunction()

# The name of this build as tests are named: native, win64 or win32.
if(NOT WIN32)
  set(TARN_BUILD native)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TARN_BUILD win64)
else()
  set(TARN_BUILD win32)
endif()

# A test that fails unless the export table of TARGET lists exactly the names given.
function(tarn_expect_exports target)
  add_test(NAME ${TARN_BUILD}.exports.${target}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-exports.sh ${CMAKE_OBJDUMP}
                   $<TARGET_FILE:${target}> ${ARGN})
endfunction()

# A GoogleTest program. Natively each case becomes a test of its own; Windows programs run whole
# under Wine (each start of Wine costs about a second), after the prefix has been prepared.
function(tarn_test name)
  add_executable(${name} ${ARGN})
  if(WIN32)
    target_link_libraries(${name} PRIVATE gtest gmock gtest_main)
    if(TARN_BUILD STREQUAL "win64")
      add_test(NAME win64.${name} COMMAND ${name})
      set_tests_properties(win64.${name} PROPERTIES FIXTURES_REQUIRED wineprefix TIMEOUT 300)
    endif()
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${name} TEST_PREFIX native. DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# Adds every folder under DIR that has a CMakeLists.txt, in name order, so that a new plug-in,
# test folder or fuzz target only needs a folder of its own.
function(tarn_add_subdirectories dir)
  file(GLOB entries LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*)
  list(SORT entries)
  foreach(entry IN LISTS entries)
    if(EXISTS ${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()

# The program's folders are levels: a file includes its own folder and the ones below it, never one
# above. The plug-ins and the tools stand apart on common/ alone (and their own folders).
function(tarn_check_layers)
  set(levels common framework base plugin_host image catalog folders app)
  set(rank 0)
  foreach(level IN LISTS levels)
    set(rank_${level} ${rank})
    math(EXPR rank "${rank} + 1")
  endforeach()
  foreach(folder IN LISTS levels ITEMS plugins tools)
    file(GLOB_RECURSE sources ${CMAKE_SOURCE_DIR}/${folder}/*.h ${CMAKE_SOURCE_DIR}/${folder}/*.cpp
         ${CMAKE_SOURCE_DIR}/${folder}/*.rc)
    foreach(path IN LISTS sources)
      file(STRINGS ${path} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z_]+)/.*" "\\1" target "${line}")
        if(folder STREQUAL "plugins" OR folder STREQUAL "tools")
          set(allowed common ${folder})
          if(NOT target IN_LIST allowed)
            message(FATAL_ERROR "${path} stands apart on common/ and may not include ${target}/")
          endif()
        elseif(DEFINED rank_${target} AND rank_${target} GREATER rank_${folder})
          message(FATAL_ERROR "${path} includes ${target}/, a level above ${folder}/")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()

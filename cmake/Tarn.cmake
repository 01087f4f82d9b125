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

function(tarn_define_core)
  get_property(sources GLOBAL PROPERTY TARN_CORE_SOURCES)
  foreach(src IN LISTS sources)
    file(READ ${src} text)
    string(TOLOWER "${text}" text)
    if(text MATCHES "#[ \t]*include[ \t]*<windows\\.h>")
      message(FATAL_ERROR "${src} is portable core code and must not include <windows.h>")
    endif()
  endforeach()
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

# A plug-in: a DLL named NAME.spi exporting the undecorated names of NAME.def.
function(tarn_plugin name)
  add_library(${name} SHARED ${ARGN} ${name}.def)
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".spi")
  target_link_libraries(${name} PRIVATE tarn_plugin_shell)
  target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
  set_property(GLOBAL APPEND PROPERTY TARN_DELIVERABLES ${name})
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

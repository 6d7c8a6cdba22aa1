# The native Windows programs: SETUP.EXE, VEXARMV.EXE and winprobe.exe over the real API, and the logic's unit tests
# that need no simulated machine, built with GoogleTest from Debian's sources. Everything is linked
# statically, so nothing but the executables has to stand beside them.
add_link_options(-static -static-libgcc -static-libstdc++ -s)
# Executables named as on the media (SETUP.EXE), straight in the build directory.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The platform layer without the simulated machine: the real API, the script and text front ends, and
# the few helpers of the machine that are plain text functions.
# The native windowed front end, when present, lives in src/platform/ui/win32.
file(GLOB WIN_PLATFORM_SOURCES CONFIGURE_DEPENDS
  src/platform/*.cpp src/platform/ui/*.cpp src/platform/win32/*.cpp src/platform/ui/win32/*.cpp)
list(FILTER WIN_PLATFORM_SOURCES EXCLUDE REGEX "src/platform/ui/host_files\\.cpp$")
list(APPEND WIN_PLATFORM_SOURCES src/platform/machine/text_util.cpp src/platform/machine/szdd_names.cpp
  src/platform/ui/gui/page_pictures.cpp src/platform/machine/shell_link.cpp)
add_library(ovra_platform STATIC ${WIN_PLATFORM_SOURCES})
target_include_directories(ovra_platform PUBLIC src)
target_link_libraries(ovra_platform PUBLIC version lz32 advapi32 comctl32 shell32 ole32 gdi32 user32 kernel32)

file(GLOB_RECURSE CORE_SOURCES CONFIGURE_DEPENDS
  src/app/*.cpp src/pages/*.cpp src/engine/*.cpp src/components/*.cpp src/config/*.cpp src/resources/*.cpp)
# The help topics are plain data that the front ends show: a library of their own below the platform.
list(FILTER CORE_SOURCES EXCLUDE REGEX "src/resources/catalogue_help\\.cpp$")
add_library(ovra_help STATIC src/resources/catalogue_help.cpp)
target_include_directories(ovra_help PUBLIC src)
target_link_libraries(ovra_platform PUBLIC ovra_help)
add_library(ovra_core STATIC ${CORE_SOURCES})
target_include_directories(ovra_core PUBLIC src)
target_link_libraries(ovra_core PUBLIC ovra_platform)

# The entry points and the choice of front end they share.
add_library(ovra_host_main STATIC src/platform/main/host_options.cpp src/platform/main/win32/front_end.cpp)
target_link_libraries(ovra_host_main PUBLIC ovra_platform)
add_executable(setup_exe src/platform/main/win32/setup_main.cpp)
set_target_properties(setup_exe PROPERTIES OUTPUT_NAME SETUP SUFFIX .EXE)
target_link_libraries(setup_exe PRIVATE ovra_core ovra_host_main)

# The uninstaller, VEXARMV.EXE.
file(GLOB UNINSTALL_SOURCES CONFIGURE_DEPENDS src/uninstall/*.cpp)
add_library(ovra_uninstall STATIC ${UNINSTALL_SOURCES})
target_link_libraries(ovra_uninstall PUBLIC ovra_core)
add_executable(vexarmv_exe src/platform/main/win32/uninstall_main.cpp)
set_target_properties(vexarmv_exe PROPERTIES OUTPUT_NAME VEXARMV SUFFIX .EXE)
target_link_libraries(vexarmv_exe PRIVATE ovra_uninstall ovra_host_main)

file(GLOB WIN_WINPROBE_SOURCES CONFIGURE_DEPENDS tools/winprobe/*.cpp)
add_executable(winprobe ${WIN_WINPROBE_SOURCES})
target_link_libraries(winprobe PRIVATE ovra_platform)

# The logic's unit tests that run over fakes (no prefix, no display, no child processes).
set(OVRA_WINDOWS_TESTS ON CACHE BOOL "Build unit_tests.exe with GoogleTest from /usr/src/googletest")
if(OVRA_WINDOWS_TESTS)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(tests/windows_tests.cmake)
  add_executable(unit_tests ${OVRA_PORTABLE_TESTS})
  target_include_directories(unit_tests PRIVATE tests src tools)
  target_compile_definitions(unit_tests PRIVATE OVRA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(unit_tests PRIVATE ovra_uninstall ovra_core gtest gmock gtest_main)
endif()

# The native front end on its own: its windows over four pages, a message box, the progress window and
# the folder browser, without the setup's logic (see tools/winui_demo/main.cpp).
add_executable(winui_demo tools/winui_demo/main.cpp)
target_link_libraries(winui_demo PRIVATE ovra_core)

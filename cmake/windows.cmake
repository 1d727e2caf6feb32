# The Windows program VARLO.EXE and the things that live beside it.
enable_language(RC)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# The version, from project() alone, written into generated/: the header and the
# manifest the resource script takes, the read-me and the package's version
# (version.txt) that tools/dist.sh takes, and the help pages VARLO.CHM is built from.
include(cmake/version.cmake)
set(VARLO_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(resources/version.h.in ${VARLO_GENERATED}/version.h @ONLY)
configure_file(resources/varlo.manifest.in ${VARLO_GENERATED}/varlo.manifest @ONLY)
configure_file(resources/release-readme.txt.in ${VARLO_GENERATED}/release-readme.txt @ONLY)
file(CONFIGURE OUTPUT ${VARLO_GENERATED}/version.txt CONTENT "@VARLO_VERSION_TEXT@\n" @ONLY)
file(GLOB VARLO_HELP_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/help/*)
varlo_help_pages(${VARLO_GENERATED}/help ${VARLO_HELP_SOURCES})
list(TRANSFORM VARLO_HELP_SOURCES REPLACE "^.*/" "${VARLO_GENERATED}/help/" OUTPUT_VARIABLE VARLO_HELP_PAGES)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# The runtime is linked in, so VARLO.EXE runs on its own.
add_link_options(-static -static-libgcc -static-libstdc++)

# The Windows side of each folder, one library a folder: VARLO.EXE links them
# all, and each Win32 test program the ones it tests.
add_library(varlo_base_win STATIC base/error_box_win.cpp base/sleep_win.cpp)
add_library(varlo_picture_win STATIC picture/picture_win.cpp)
add_library(varlo_records_win STATIC records/local_date_win.cpp records/file_io_win.cpp records/history_file_win.cpp)
add_library(varlo_display_win STATIC
  display/canvas_win.cpp
  display/keyboard_win.cpp
  display/verdict_win.cpp
  display/title_screen_win.cpp
  display/ranking_screen_win.cpp
  display/celebration_win.cpp
  display/results_screen_win.cpp
  display/name_field_win.cpp
)
add_library(varlo_game_win STATIC game/game_thread_win.cpp game/midi_out_win.cpp game/midi_in_win.cpp
  game/message_text_win.cpp)
add_library(varlo_app_win STATIC
  app/window_win.cpp
  app/about_win.cpp
  app/help_win.cpp
  app/save_file_win.cpp
  app/monitors_win.cpp
  app/history_win.cpp
  app/statistics_win.cpp
  app/statistics_charts_win.cpp
)
foreach(library varlo_base_win varlo_picture_win varlo_records_win varlo_display_win varlo_game_win varlo_app_win)
  target_include_directories(${library} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources ${VARLO_GENERATED})
endforeach()
foreach(library varlo_picture_win varlo_display_win varlo_game_win varlo_app_win)
  target_link_libraries(${library} PUBLIC varlo_portable)
endforeach()
# The portable logic sleeps, reads the clock and shows errors through base's
# Windows side, and reads and writes files through records'; a test program
# that stands in for them keeps its own.
target_link_libraries(varlo_portable PUBLIC varlo_records_win varlo_base_win)

add_executable(varlo WIN32 app/main_win.cpp resources/varlo.rc)
set_target_properties(varlo PROPERTIES OUTPUT_NAME VARLO SUFFIX .EXE)
target_include_directories(varlo PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources ${VARLO_GENERATED})
target_link_options(varlo PRIVATE -municode)
# The folders call each other both ways at link time (the state machine its
# steps, the steps the display), so the libraries are searched as one group.
target_link_libraries(varlo PRIVATE
  -Wl,--start-group varlo_app_win varlo_game_win varlo_stage_steps varlo_results varlo_display_win varlo_records_win
  varlo_picture_win varlo_base_win varlo_portable -Wl,--end-group
  ${ZLIB_STATIC} winmm htmlhelp imm32 shell32 ole32 gdi32 user32 kernel32)
set_source_files_properties(resources/varlo.rc PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/resources/varlo.ico;${VARLO_GENERATED}/varlo.manifest;${PROJECT_SOURCE_DIR}/resources/resource.h;\
${VARLO_GENERATED}/version.h;\
${PROJECT_SOURCE_DIR}/resources/title.png;${PROJECT_SOURCE_DIR}/resources/keys_narrow.png;\
${PROJECT_SOURCE_DIR}/resources/keys_wide.png;${PROJECT_SOURCE_DIR}/resources/middle_c.png")

# The help file VARLO.CHM beside VARLO.EXE, made from the pages of resources/help with
# the version filled in (above) by our own builder (tools/chm), which is compiled
# natively with Free Pascal into the build tree. The writer stamps the file with the
# time of day; chm_time.py sets that to midnight, so the same pages give the same file.
find_program(VARLO_FPC fpc REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(VARLO_CHM_BUILDER ${CMAKE_BINARY_DIR}/chm-builder/varlochm)
add_custom_command(OUTPUT ${VARLO_CHM_BUILDER}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/chm-builder
  COMMAND ${VARLO_FPC} -l- -O2 -v0 -FU${CMAKE_BINARY_DIR}/chm-builder -FE${CMAKE_BINARY_DIR}/chm-builder
    ${PROJECT_SOURCE_DIR}/tools/chm/varlochm.pas
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/chm/varlochm.pas
  COMMENT "Compiling the help builder")
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/VARLO.CHM
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin
  COMMAND ${VARLO_CHM_BUILDER} ${VARLO_GENERATED}/help/varlo.hhp ${CMAKE_BINARY_DIR}/chm-builder/VARLO.CHM
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/chm/chm_time.py
    ${CMAKE_BINARY_DIR}/chm-builder/VARLO.CHM ${CMAKE_BINARY_DIR}/bin/VARLO.CHM
  DEPENDS ${VARLO_CHM_BUILDER} ${VARLO_HELP_PAGES} ${PROJECT_SOURCE_DIR}/tools/chm/chm_time.py
  COMMENT "Building VARLO.CHM")
add_custom_target(varlo_help ALL DEPENDS ${CMAKE_BINARY_DIR}/bin/VARLO.CHM)

# Windows test programs run under Wine, in a prefix made once for this build tree.
# The long full game has a prefix and a wineserver of its own, so it runs beside
# the other tests instead of after them. Every runner takes the first free
# screen number (xvfb-run -a, which moves on to the next one when a run started
# at the same moment took it first), so the runs of other build trees on this
# machine may run beside them too; the long game looks from 150 on, away from
# the numbers the short runs take and give back all the time. A third prefix runs
# programs with a Western locale (code page 1252), where the system font has no
# Japanese glyphs.
foreach(runner run-wine run-wine-long run-wine-western)
  set(VARLO_WINE_LOCALE ja_JP.UTF-8)
  if(runner STREQUAL run-wine)
    set(VARLO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    set(VARLO_XVFB_SERVER -a)
  elseif(runner STREQUAL run-wine-western)
    set(VARLO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix-western)
    set(VARLO_WINE_LOCALE en_US.UTF-8)
    set(VARLO_XVFB_SERVER -a)
  else()
    set(VARLO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix-long)
    set(VARLO_XVFB_SERVER "-n 150 -a")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/tests/wine/run-wine.sh.in ${CMAKE_BINARY_DIR}/${runner}.sh
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/run-wine.sh)

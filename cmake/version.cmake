# The program's version, written once in CMakeLists.txt (project(varlo VERSION 1.0.2)),
# in the forms the program and its package use:
#   VARLO_VERSION_TEXT    1.02     the About box, the version strings, the help, the
#                                  read-me and the package's name: the minor and patch
#                                  numbers as two digits after the point
#   VARLO_VERSION_COMMA   1,0,2,0  the version resource's numbers
#   VARLO_VERSION_DOTTED  1.0.2.0  the manifest's assembly version
# As a script (cmake -D OUT=DIR -P cmake/version.cmake) it writes the help file's pages
# with the version filled in to DIR, reading the version from CMakeLists.txt; make help
# does that.
if(CMAKE_SCRIPT_MODE_FILE)
  get_filename_component(PROJECT_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
  file(STRINGS ${PROJECT_SOURCE_DIR}/CMakeLists.txt project_line REGEX "^project\\(varlo VERSION ")
  if(NOT project_line MATCHES "VERSION ([0-9]+)\\.([0-9]+)\\.([0-9]+)")
    message(FATAL_ERROR "CMakeLists.txt: no project(varlo VERSION X.Y.Z ...)")
  endif()
  set(PROJECT_VERSION_MAJOR ${CMAKE_MATCH_1})
  set(PROJECT_VERSION_MINOR ${CMAKE_MATCH_2})
  set(PROJECT_VERSION_PATCH ${CMAKE_MATCH_3})
endif()

if(PROJECT_VERSION_MINOR GREATER 9 OR PROJECT_VERSION_PATCH GREATER 9)
  message(FATAL_ERROR "The version's minor and patch numbers are one digit each (1.0.2 shows as 1.02)")
endif()
set(VARLO_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}${PROJECT_VERSION_PATCH}")
set(VARLO_VERSION_COMMA "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
set(VARLO_VERSION_DOTTED "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")

# The help file's pages (the files of resources/help), each with @VARLO_VERSION_TEXT@
# replaced, into the folder out.
function(varlo_help_pages out)
  foreach(page ${ARGN})
    get_filename_component(name ${page} NAME)
    configure_file(${page} ${out}/${name} @ONLY)
  endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  if(NOT OUT)
    message(FATAL_ERROR "usage: cmake -D OUT=DIR -P cmake/version.cmake")
  endif()
  file(GLOB pages ${PROJECT_SOURCE_DIR}/resources/help/*)
  varlo_help_pages(${OUT} ${pages})
endif()

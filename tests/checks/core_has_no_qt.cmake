# Fails when a source of the headless core, or of the drawing tools, includes a Qt header.
file(GLOB_RECURSE core_files
     ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp
     ${SOURCE_DIR}/model/*.h ${SOURCE_DIR}/model/*.cpp
     ${SOURCE_DIR}/netlist/*.h ${SOURCE_DIR}/netlist/*.cpp
     ${SOURCE_DIR}/library/*.h ${SOURCE_DIR}/library/*.cpp
     ${SOURCE_DIR}/shell/tools/*.h ${SOURCE_DIR}/shell/tools/*.cpp)
list(FILTER core_files EXCLUDE REGEX "/ui/")
set(offenders "")
foreach(f IN LISTS core_files)
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]*|qt[A-Za-z]*/)")
    if(hits)
        list(APPEND offenders "${f}: ${hits}")
    endif()
endforeach()
if(offenders)
    string(REPLACE ";" "\n" msg "${offenders}")
    message(FATAL_ERROR "Qt headers included by core sources:\n${msg}")
endif()
list(LENGTH core_files n)
message(STATUS "checked ${n} core sources: no Qt")

# The core's includes point one way. Fails, naming every file and include
# that breaks a rule:
#   - no file of the core includes Qt;
#   - no file of the core includes the desktop program or the command-line
#     tool (gui/, app/, cli/);
#   - below core/session/, no file includes core/session/: computing code is
#     plain functions over the field and the design records.
# Includes are read as written from src/; one that starts with "." is
# resolved from the including file's folder first.
#
#   cmake -DSRC_DIR=<src> -P check_core_includes.cmake
if(NOT SRC_DIR)
  message(FATAL_ERROR "SRC_DIR is not set")
endif()
get_filename_component(SRC_DIR "${SRC_DIR}" ABSOLUTE)
set(core_dir "${SRC_DIR}/core")
file(GLOB_RECURSE sources "${core_dir}/*.h" "${core_dir}/*.hpp" "${core_dir}/*.cpp" "${core_dir}/*.cc")
set(offences "")
foreach(f IN LISTS sources)
  file(RELATIVE_PATH file_rel "${SRC_DIR}" "${f}")
  get_filename_component(dir "${f}" DIRECTORY)
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      continue()
    endif()
    set(inc "${CMAKE_MATCH_2}")
    set(target "${inc}")
    if(inc MATCHES "^\\.")
      get_filename_component(abs "${dir}/${inc}" ABSOLUTE)
      file(RELATIVE_PATH target "${SRC_DIR}" "${abs}")
    endif()
    set(rule "")
    if(inc MATCHES "^(Q[A-Za-z]|Qt[A-Za-z]*/)" OR inc MATCHES "^qt")
      set(rule "the core does not include Qt")
    elseif(target MATCHES "^(gui|app|cli)/")
      set(rule "the core does not include gui/, app/ or cli/")
    elseif(target MATCHES "^core/session/" AND NOT file_rel MATCHES "^core/session/")
      set(rule "below core/session/ nothing includes core/session/")
    endif()
    if(rule)
      string(STRIP "${line}" shown)
      string(APPEND offences "  ${file_rel}: ${shown}  (${rule})\n")
    endif()
  endforeach()
endforeach()
list(LENGTH sources n)
if(offences)
  message(FATAL_ERROR "Includes of the core that point the wrong way:\n${offences}")
endif()
message(STATUS "${n} core files checked: every include points one way")

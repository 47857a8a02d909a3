# korvel_use_fast_float(TARGET): the target reads decimal text with Debian's
# header-only fast_float (package libfast-float-dev), the same exact conversion
# on Linux, Windows and in the browser. Cross compilers do not search
# /usr/include, and must not see the host's other headers there, so they get a
# folder of the build's own that holds only fast_float/.
function(korvel_use_fast_float target)
  find_path(KORVEL_FAST_FLOAT_ROOT fast_float/fast_float.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(folder ${CMAKE_BINARY_DIR}/fast_float_include)
  if(NOT EXISTS ${folder}/fast_float)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${KORVEL_FAST_FLOAT_ROOT}/fast_float ${folder}/fast_float SYMBOLIC)
  endif()
  target_include_directories(${target} SYSTEM PRIVATE ${folder})
endfunction()

# Runs plotwell-big-data as a user would and checks what it answers:
#   - a short run on Qt's offscreen platform ends with status 0, prints its
#     summary line and saves the window's picture;
#   - --help prints the usage and ends with 0, and so does a one-frame run
#     with --exit alone;
#   - a bad option or value ends with 2 and a message that names it.
# CTest's PASS_REGULAR_EXPRESSION would ignore the exit status, hence this
# script. Usage: cmake -DPROGRAM=<plotwell-big-data> -DOUT=<folder> -P RunChecks.cmake
if(NOT PROGRAM OR NOT OUT)
  message(FATAL_ERROR "RunChecks.cmake needs -DPROGRAM=<the program> and -DOUT=<a folder for the picture>")
endif()

# Runs the program with the arguments after `pattern`; fails unless it ends
# with `status` and its output (stdout and stderr) matches `pattern`.
function(expect status pattern)
  execute_process(COMMAND ${PROGRAM} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                  TIMEOUT 100)
  string(JOIN " " command ${ARGN})
  if(NOT "${rc}" STREQUAL "${status}")
    message(FATAL_ERROR "plotwell-big-data ${command}: exit status ${rc}, expected ${status}\n${out}${err}")
  endif()
  if(NOT "${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "plotwell-big-data ${command}: no line matching '${pattern}' in:\n${out}${err}")
  endif()
  message(STATUS "plotwell-big-data ${command}: ${rc}\n${out}")
endfunction()

file(MAKE_DIRECTORY ${OUT})
file(REMOVE ${OUT}/big-data.png)
expect(0 "plotwell-big-data: 5 frames in [0-9.]+ s, [0-9.]+ frames per second, median frame [0-9.]+ ms.*200,000 points"
       --offscreen --points 200000 --frames 5 --screenshot ${OUT}/big-data.png --exit)
if(NOT EXISTS ${OUT}/big-data.png)
  message(FATAL_ERROR "plotwell-big-data did not write ${OUT}/big-data.png")
endif()
expect(0 "usage: plotwell-big-data" --help)
# Digits grouped as a user writes them; --exit alone stops after one frame.
expect(0 "plotwell-big-data: 1 frame in .*, 20,000 points" --offscreen --points 20,000 --exit)
expect(2 "--points: '0' is not a number of points" --points 0)
expect(2 "--frames: '-3' is not a number of frames" --frames -3)
expect(2 "--frames needs a number of frames" --frames)
expect(2 "--screenshot: 'x.jpg' does not end in .png" --screenshot x.jpg)
expect(2 "option --exit is given twice" --exit --exit)
expect(2 "unknown option '--nonsense'" --nonsense)

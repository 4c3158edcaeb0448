# Compiles the window object with one mistake written into its source, and
# passes only when the compiler refuses it with the table's own complaint.
# First the same sources unchanged must compile, so that a refusal for some
# other reason (a missing header, a wrong flag) cannot pass for the check.
#   cmake -DCOMPILER=... -DSOURCE_DIR=... -DWORK=... -DFILE=app/frmVarnsel.hpp
#         -DFROM=... -DTO=... -DEXPECT=... -P table_check.cmake
foreach(copy app/frmVarnsel.hpp app/frmVarnsel.cpp form/window_definition.hpp)
  configure_file(${SOURCE_DIR}/${copy} ${WORK}/${copy} COPYONLY)
endforeach()
set(compile ${COMPILER} -std=c++20 -Werror -fsyntax-only -I${WORK} -I${SOURCE_DIR} ${WORK}/app/frmVarnsel.cpp)

execute_process(COMMAND ${compile} RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the window object does not compile as it is:\n${errors}")
endif()

file(READ ${WORK}/${FILE} text)
string(FIND "${text}" "${FROM}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${FILE} holds no ${FROM} to change")
endif()
string(REPLACE "${FROM}" "${TO}" text "${text}")
file(WRITE ${WORK}/${FILE} "${text}")

execute_process(COMMAND ${compile} RESULT_VARIABLE result ERROR_VARIABLE errors)
if(result EQUAL 0)
  message(FATAL_ERROR "with ${TO} for ${FROM} in ${FILE} the window object still compiles")
endif()
string(FIND "${errors}" "${EXPECT}" said)
if(said EQUAL -1)
  message(FATAL_ERROR "refused, but not with \"${EXPECT}\":\n${errors}")
endif()
message(STATUS "refused: ${TO} for ${FROM} in ${FILE}")

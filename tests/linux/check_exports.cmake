# The dynamic symbol table of a shipped library holds the entry points and nothing else.
#   cmake -DNM=<nm> -DLIBRARY=<library> -P check_exports.cmake
set(expected
    ea nea ead nead sa nsa sad nsad rsa rsad eb neb sb nsb rsb titre detail pead psad
    eadouble neadouble sadouble nsadouble rsadouble ebdouble nebdouble sbdouble nsbdouble rsbdouble
    stdea stdnea stdead stdnead stdsa stdnsa stdsad stdnsad stdeb stdneb stdsb stdnsb stdrsad stdrsb
    stdtitre stddetail stdeas stdsas stdrsas
    stdeadouble stdneadouble stdsadouble stdnsadouble stdrsadouble stdebdouble stdnebdouble stdsbdouble
    stdnsbdouble stdrsbdouble)

execute_process(COMMAND "${NM}" -D --defined-only "${LIBRARY}"
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}: ${errors}")
endif()

set(exported "")
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F]* *[A-Za-z] (.+)$")
    list(APPEND exported "${CMAKE_MATCH_1}")
  elseif(NOT line STREQUAL "")
    message(FATAL_ERROR "unreadable nm line: '${line}'")
  endif()
endforeach()

set(missing ${expected})
list(REMOVE_ITEM missing ${exported})
set(unexpected ${exported})
list(REMOVE_ITEM unexpected ${expected})
list(LENGTH expected expected_count)
list(LENGTH exported exported_count)
if(missing OR unexpected OR NOT exported_count EQUAL expected_count)
  message(FATAL_ERROR "${LIBRARY}: expected the ${expected_count} entry points, found ${exported_count} symbols\n"
                      "  missing: ${missing}\n  unexpected: ${unexpected}")
endif()
list(LENGTH expected n)
message(STATUS "${LIBRARY}: exactly the ${n} entry points")

# cmake -DNM= -DDLLTOOL= -DOBJECTS=a.obj|b.obj -DDEF= -DDLLNAME= -DIMPLIB= -P decorated_implib.cmake
#
# The DLL exports undecorated names (stdsb), but 32-bit C and C++ callers of
# stdcall and register functions reference decorated ones (_stdsb@8). This
# rewrites the import library so that each decorated name imports the
# undecorated export, with the decorations taken from the compiled objects.
string(REPLACE "|" ";" objects "${OBJECTS}")
execute_process(COMMAND ${NM} --defined-only --extern-only ${objects}
                OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "_[a-z]+@[0-9]+" decorated "${symbols}")

set(out "LIBRARY ${DLLNAME}\nEXPORTS\n")
file(STRINGS ${DEF} lines REGEX "^[ \t]+[a-z]+[ \t]+@[0-9]+")
foreach(line IN LISTS lines)
  string(REGEX MATCH "([a-z]+)[ \t]+@([0-9]+)" _ "${line}")
  set(name ${CMAKE_MATCH_1})
  set(ordinal ${CMAKE_MATCH_2})
  set(found "")
  foreach(symbol IN LISTS decorated)
    if(symbol MATCHES "^_${name}@[0-9]+$")
      string(SUBSTRING "${symbol}" 1 -1 found)
    endif()
  endforeach()
  if(found STREQUAL "")
    message(FATAL_ERROR "no decorated symbol for the export ${name}")
  endif()
  string(APPEND out "    ${found} @${ordinal}\n")
endforeach()

get_filename_component(stem ${IMPLIB} NAME_WE)
get_filename_component(dir ${IMPLIB} DIRECTORY)
set(decorated_def ${dir}/${stem}-decorated.def)
file(WRITE ${decorated_def} "${out}")
execute_process(COMMAND ${DLLTOOL} --kill-at --input-def ${decorated_def} --dllname ${DLLNAME}
                        --output-lib ${IMPLIB} COMMAND_ERROR_IS_FATAL ANY)
